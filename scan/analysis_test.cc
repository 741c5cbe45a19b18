#include "scan/analysis.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <set>
#include <optional>
#include <tuple>

#include "config/language_handler.h"
#include "driver/globals.h"
#include "scan/display_tables.h"
#include "scan/file_extensions.h"
#include "scan/scan_engine.h"
#include "tests/support/global_objects.h"

namespace {

namespace fs = std::filesystem;

constexpr int32_t kToday = 20240610;

// The global objects the analysis works on, with a small extension table.
class AnalysisTest : public ::testing::Test {
 protected:
  void SetUp() override {
    using namespace test_support;
    globals_.emplace(kSettings | kScanResult | kScanTables);
    SetPlaceholderTexts("T", 800, {"B", "KB", "MB", "GB", "TB"});
    Settings->Optimisations.GetUserDetails = true;
    Settings->Optimisations.GetTempFiles = true;
    ScanResult->TodayAsInteger = kToday;
    ScanEngine = new TQuorvaneScan(false);
    char tmpl[] = "/tmp/tarvelo-analysis-XXXXXX";
    lists_ = mkdtemp(tmpl);
    lists_ += "/";
    List("Temp", "~$\n*.TMP\n*CACHE*\n/tmp/tarvelo-analysis-*\n*\n");
    List("Audio", "mp3\nwav\n");
    List("Custom1", "mp3\n");
    List("Office", "doc\n");
    ASSERT_TRUE(ExtensionTable->LoadFileExtensionsFrom(lists_));
    ResetScanStatistics();
    ScanResult->Folders = {"/s/", "/s/a/", "/s/a/b/"};
  }
  void TearDown() override {
    fs::remove_all(lists_);
    delete ScanEngine;
    ScanEngine = nullptr;
    globals_.reset();
  }
  void List(const std::string& base, const std::string& content) {
    std::ofstream(lists_ + base + ".txt") << content;
  }
  TFileObject& File(const std::string& name, int64_t size, int32_t folder = 0, uint32_t attributes = 0,
                    int32_t top = 0) {
    TFileObject e;
    e.FileName = name;
    e.FileSize = size;
    e.FileSizeOnDisk = size;
    e.FilePathIndex = folder;
    e.Attributes = attributes;
    e.RootFolderIndex = top;
    e.FileDateC = e.FileDateA = e.FileDateM = 20200101;
    ScanResult->Files.push_back(e);
    return ScanResult->Files.back();
  }
  void RunAll() {
    // A scan that collects owners always has one for its files.
    if (ScanResult->Users.empty() && Settings->Optimisations.GetUserDetails) ScanResult->Users.resize(1);
    ASSERT_TRUE(ScanEngine->Analyse());
    ScanResult->TotalSize = ScanEngine->FileTotalSpace();
    ScanResult->TotalSizeOD = ScanEngine->FileOnDisk();
    ScanResult->FileCount = ScanEngine->FileCount();
    ScanResult->FolderCount = ScanEngine->FolderCount();
    ASSERT_TRUE(ScanEngine->AnalyseData(true));
    BuildTopLists();
  }
  std::string lists_;
  std::optional<test_support::ScopedGlobals> globals_;
};

TEST_F(AnalysisTest, SizeBandsAtTheirLimits) {
  const std::pair<int64_t, int> cases[] = {
      {0, 0},           {1024, 0},          {1025, 1},           {1048576, 1},
      {1048577, 2},     {10485760, 2},      {52428800, 3},       {104857600, 4},
      {157286400, 5},   {209715200, 6},     {262144000, 7},      {524288000, 8},
      {1048576000, 9},  {2097152000, 10},   {5242880000LL, 11},  {5242880001LL, 12}};
  for (const auto& [size, band] : cases) File("f" + std::to_string(size) + ".bin", size);
  RunAll();
  std::array<int64_t, kMagnitudeBands> counts{};
  for (const auto& [size, band] : cases) ++counts[band];
  int64_t bytes = 0;
  for (int b = 0; b < kMagnitudeBands; ++b) {
    EXPECT_EQ(ScanResult->Magnitude[b].Count, counts[b]) << b;
    bytes += ScanResult->Magnitude[b].Bytes;
  }
  EXPECT_EQ(bytes, ScanResult->TotalSize);
  EXPECT_EQ(ScanResult->Magnitude[12].Bytes, 5242880001LL);
}

TEST_F(AnalysisTest, AttributeAndDateSlotsAndEmptyFiles) {
  TFileObject& all = File("all.bin", 10, 0, kAttrHidden | kAttrSystem | kAttrReadOnly);
  all.FileDateC = all.FileDateA = all.FileDateM = kToday;
  File("empty", 0, 1);
  File("modified.bin", 7).FileDateM = kToday;
  RunAll();
  const auto& slots = ScanResult->FileAttributes;
  EXPECT_EQ(slots[1].Count, 1);
  EXPECT_EQ(slots[1].Bytes, 10);
  EXPECT_EQ(slots[2].Bytes, 10);
  EXPECT_EQ(slots[3].Count, 0);
  EXPECT_EQ(slots[4].Count, 1);
  EXPECT_EQ(slots[4].Bytes, 0);
  EXPECT_EQ(slots[5].Bytes, 10);
  EXPECT_EQ(slots[6].Count, 1);
  EXPECT_EQ(slots[7].Count, 1);
  EXPECT_EQ(slots[8].Count, 2);
  EXPECT_EQ(slots[8].Bytes, 17);
  EXPECT_EQ(*NullFiles, std::vector<std::string>{"/s/a/empty"});
}

TEST_F(AnalysisTest, CategoriesUnknownAndMissingExtensions) {
  for (int mode : {0, 2}) {
    SCOPED_TRACE(mode);
    Settings->HandleMultipleExt = mode;
    ASSERT_TRUE(ExtensionTable->LoadFileExtensionsFrom(lists_));
    ResetScanStatistics();
    ScanResult->Folders = {"/s/"};
    File("song.MP3", 100);
    File("tune.mp3", 50);
    for (int i = 0; i < 5; ++i) File("x" + std::to_string(i) + ".New", 1);
    File("README", 3);
    File("letter.doc", 9);
    RunAll();
    const auto& spread = ScanResult->ExtensionSpread;
    EXPECT_EQ(spread[5].Count, 2);
    EXPECT_EQ(spread[5].Bytes, 150);
    EXPECT_EQ(spread[10].Count, mode == 2 ? 2 : 0);
    EXPECT_EQ(spread[6].Count, 1);
    EXPECT_EQ(spread[9].Count, 6);
    EXPECT_EQ(spread[9].Bytes, 8);
    // Appended entries: one per new extension, the missing one named "".
    const auto& table = ExtensionTable->CategoryExtensions;
    std::vector<std::tuple<std::string, int, int, int64_t>> appended;
    for (const auto& x : table)
      if (x.Category == 9) appended.emplace_back(x.Name, x.Category, x.Quantity, x.Size);
    EXPECT_EQ(appended, (std::vector<std::tuple<std::string, int, int, int64_t>>{
                            {"new", 9, 5, 5}, {"", 9, 1, 3}}));
    for (const auto& x : table)
      if (x.Name == "mp3" && x.Category == 5) {
        EXPECT_EQ(x.Quantity, 2);
      }
    for (const auto& e : ScanResult->Files)
      if (e.FileName == "song.MP3") {
        EXPECT_EQ(e.FileCategory, mode == 2 ? 10 : 5);
      }
    NullFiles->clear();
  }
}

TEST_F(AnalysisTest, TemporaryFilePatternsOfAllFourForms) {
  // Patterns: "~$" anywhere, "*.TMP" anywhere, "*CACHE*" anywhere, and a
  // path prefix; the lone "*" never matches.
  EXPECT_TRUE(MatchesTempPattern("/S/~$DOC.DOC", "~$"));
  EXPECT_TRUE(MatchesTempPattern("/S/X.TMP", "*.TMP"));
  EXPECT_TRUE(MatchesTempPattern("/S/X.TMP/Y", "*.TMP"));  // inside a folder name too
  EXPECT_TRUE(MatchesTempPattern("/S/MYCACHE/Z", "*CACHE*"));
  EXPECT_TRUE(MatchesTempPattern("/TMP/JUNK/A", "/TMP/*"));
  EXPECT_FALSE(MatchesTempPattern("/S/TMP/JUNK", "/TMP/*"));
  EXPECT_FALSE(MatchesTempPattern("/S/ANY", "*"));
  EXPECT_FALSE(MatchesTempPattern("/S/ANY", "**"));

  ScanResult->Folders = {"/s/", "/s/Cache/"};
  File("a.tmp", 5);
  File("plain.doc", 7);
  File("inside", 11, 1);
  std::vector<std::string> reported;
  ScanEngine->OnFoundTemp = [&](const std::string& path, const std::string&, const std::string& size) {
    reported.push_back(path + " " + size);
  };
  RunAll();
  EXPECT_EQ(reported, (std::vector<std::string>{"/s/a.tmp 5", "/s/Cache/inside 11"}));
  EXPECT_EQ(ScanResult->ExtensionSpread[0].Count, 2);
  EXPECT_EQ(ScanResult->ExtensionSpread[0].Bytes, 16);
}

// Matches that lie in the folder, in the name, or across the two; prefixes
// shorter and longer than the folder.
TEST_F(AnalysisTest, TemporaryFileMatchesAcrossFolderAndName) {
  List("Temp", "*A/B.X*\n/S/LONG*\n/S/D*\nZZ\n");
  ASSERT_TRUE(ExtensionTable->LoadFileExtensionsFrom(lists_));
  ResetScanStatistics();
  ScanResult->Folders = {"/s/", "/s/a/", "/s/dir/"};
  const std::pair<const char*, int32_t> files[] = {
      {"b.xls", 1},       // "A/" in the folder, "B.X" in the name
      {"c.xls", 1},       // no match
      {"longname", 0},    // prefix longer than the folder
      {"short", 0},       // no match
      {"any", 2},         // prefix decided by the folder
      {"fizz.zz", 0},     // in the name alone
  };
  for (const auto& [name, folder] : files) File(name, 1, folder);
  RunAll();
  std::vector<std::string> temp;
  for (const auto& e : ScanResult->Files)
    if (e.Temp) temp.push_back(e.FileName);
  std::sort(temp.begin(), temp.end());
  EXPECT_EQ(temp, (std::vector<std::string>{"any", "b.xls", "fizz.zz", "longname"}));
}

TEST_F(AnalysisTest, NoTempSwitchLeavesSlotZeroEmpty) {
  Settings->Optimisations.GetTempFiles = false;
  File("a.tmp", 5).Temp = true;
  RunAll();
  EXPECT_EQ(ScanResult->ExtensionSpread[0].Count, 0);
  EXPECT_FALSE(ScanResult->Files[0].Temp);
}

TEST_F(AnalysisTest, TopLevelFoldersOwnersAndRootFiles) {
  // Top-level folders "a" (index 1) and "x" (index 2); a file under b/x/a
  // belongs to "a" only if the walk put it there.
  ScanResult->Folders = {"/s/", "/s/a/", "/s/x/", "/s/x/a/"};
  ScanResult->Users.resize(2);
  ScanResult->Users[0].Name = "ann";
  ScanResult->Users[1].Name = "bob";
  File("top.doc", 1);
  File("a", 0, 0, kAttrDirectory);
  File("x", 0, 0, kAttrDirectory | kAttrHidden);
  File("in-a.mp3", 10, 1, 0, 1).Owner = 1;
  File("in-x-a.mp3", 100, 3, 0, 2).Owner = 1;
  File("a", 0, 2, kAttrDirectory, 2);
  RunAll();
  const auto& tops = ScanResult->RootFolders;
  ASSERT_EQ(tops.size(), 3u);
  EXPECT_EQ(tops[0].Name, "/");
  EXPECT_EQ(tops[0].Data, (std::array<int64_t, 2>{1, 1}));
  EXPECT_EQ(tops[1].Name, "a");
  EXPECT_EQ(tops[1].Data, (std::array<int64_t, 2>{1, 10}));
  EXPECT_EQ(tops[2].Name, "x");
  EXPECT_EQ(tops[2].Attributes, kAttrDirectory | kAttrHidden);
  EXPECT_EQ(tops[2].Data, (std::array<int64_t, 2>{1, 100}));
  EXPECT_EQ(ScanResult->RootFiles.size(), 3u);  // top.doc and the two folders
  EXPECT_EQ(ScanResult->FolderCount, 3);
  EXPECT_EQ(ScanResult->Users[1].Data, (std::array<int64_t, 2>{2, 110}));
  EXPECT_EQ(ScanResult->Users[1].CategoryDataQty[5], 2);
  EXPECT_EQ(ScanResult->Users[0].CategoryDataSize[6], 1);
}

TEST_F(AnalysisTest, WithoutOwnersOnePlaceholderHoldsEverything) {
  Settings->Optimisations.GetUserDetails = false;
  File("a.doc", 4);
  File("b.doc", 6);
  RunAll();
  ASSERT_EQ(ScanResult->Users.size(), 1u);
  EXPECT_EQ(ScanResult->Users[0].Name, "T407");
  EXPECT_EQ(ScanResult->Users[0].Data, (std::array<int64_t, 2>{2, 10}));
  EXPECT_EQ(ScanResult->Users[0].CategoryDataQty[6], 0);
}

TEST_F(AnalysisTest, BadIndexesSkipOnlyTheirEntry) {
  File("lost.doc", 0, 99);  // folder index past the end: its empty-file path fails
  File("fine.doc", 5).Owner = 7;  // owner index past the end of Users
  File("ok.doc", 2);
  ScanResult->Users.resize(1);
  EXPECT_FALSE(ScanEngine->Analyse());
  EXPECT_EQ(ScanEngine->FileCount(), 3);
  EXPECT_EQ(ScanResult->Users[0].Data[0], 1);  // only ok.doc got that far
}

TEST_F(AnalysisTest, TopListsHoldAtMost102FilesInSizeOrder) {
  for (int n : {150, 40}) {
    SCOPED_TRACE(n);
    ResetScanStatistics();
    ScanResult->Folders = {"/s/"};
    for (int i = 0; i < n; ++i) File("f" + std::to_string(i) + ".doc", (i * 37) % n);
    File("dir", 0, 0, kAttrDirectory);
    RunAll();
    const size_t want = n > 102 ? 102 : n;
    ASSERT_EQ(Top101Largest->size(), want);
    ASSERT_EQ(Top101Smallest->size(), want);
    EXPECT_EQ((*Top101Largest)[0]->FileSize, n - 1);
    EXPECT_EQ((*Top101Smallest)[0]->FileSize, 0);
    for (size_t i = 1; i < want; ++i) {
      EXPECT_GE((*Top101Largest)[i - 1]->FileSize, (*Top101Largest)[i]->FileSize);
      EXPECT_LE((*Top101Smallest)[i - 1]->FileSize, (*Top101Smallest)[i]->FileSize);
      EXPECT_FALSE((*Top101Smallest)[i]->IsFolder());
    }
    for (size_t i = 1; i < ScanResult->Files.size(); ++i)
      EXPECT_LE(ScanResult->Files[i - 1].FileSize, ScanResult->Files[i].FileSize);
    // Every entry survives the reordering once.
    std::multiset<std::string> names;
    for (const auto& e : ScanResult->Files) names.insert(e.FileName);
    EXPECT_EQ(names.size(), static_cast<size_t>(n + 1));
    EXPECT_EQ(names.count("f7.doc"), 1u);
    NullFiles->clear();
  }
}

TEST_F(AnalysisTest, EmptyScanLeavesEverythingZero) {
  RunAll();
  EXPECT_EQ(ScanResult->RootFolders.size(), 1u);
  EXPECT_TRUE(Top101Largest->empty());
  for (const auto& b : ScanResult->Magnitude) EXPECT_EQ(b.Count, 0);
}

}  // namespace
