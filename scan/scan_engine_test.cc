#include "scan/scan_engine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

#include "config/language_handler.h"
#include "driver/globals.h"
#include "tests/support/global_objects.h"

namespace {

namespace fs = std::filesystem;

class ScanEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    using namespace test_support;
    globals_.emplace(kSettings | kScanResult | kScanTables);
    SetPlaceholderTexts("T", 800, {"B", "KB", "MB", "GB", "TB"});
    Settings->General.ShowStatusOutput = false;
    Settings->Optimisations.GetUserDetails = true;
    Settings->Optimisations.GetTempFiles = true;
    char tmpl[] = "/tmp/tarvelo-engine-XXXXXX";
    root_ = mkdtemp(tmpl);
    root_ += "/";
  }
  void TearDown() override {
    fs::remove_all(root_);
    globals_.reset();
  }
  void File(const std::string& rel, size_t size) {
    fs::create_directories(fs::path(root_ + rel).parent_path());
    std::ofstream(root_ + rel) << std::string(size, 'x');
  }
  void ScanAndAnalyse(const std::string& location) {
    TQuorvaneScan engine(false);
    ResetScanStatistics();
    ScanResult->ScanPath = location;
    engine.SetScanFolder(location);
    ASSERT_TRUE(engine.Scan());
    ASSERT_TRUE(engine.Analyse());
    ScanResult->TotalSize = engine.FileTotalSpace();
    ScanResult->FileCount = engine.FileCount();
    ScanResult->FolderCount = engine.FolderCount();
    ASSERT_TRUE(engine.AnalyseData(true));
    BuildTopLists();
  }
  std::string root_;
  std::optional<test_support::ScopedGlobals> globals_;
};

// Files are credited to the top-level folder they lie under, whatever names
// occur deeper in their paths and however the scan path was written.
TEST_F(ScanEngineTest, TopLevelFoldersGetTheirOwnFiles) {
  File("top.txt", 1);
  File("a/one.txt", 10);
  File("b/x/a/two.txt", 100);
  File("b/a/three.txt", 1000);
  File("x/four.txt", 10000);
  fs::create_directories(root_ + "empty");
  const fs::path cwd = fs::current_path();
  fs::current_path(root_);
  ScanAndAnalyse("./b/../");  // relative, with ".."
  fs::current_path(cwd);

  std::map<std::string, std::array<int64_t, 2>> tops;
  for (const auto& t : ScanResult->RootFolders) tops[t.Name] = t.Data;
  EXPECT_EQ(tops.size(), 5u);
  EXPECT_EQ(tops["/"], (std::array<int64_t, 2>{1, 1}));
  EXPECT_EQ(tops["a"], (std::array<int64_t, 2>{1, 10}));
  EXPECT_EQ(tops["b"], (std::array<int64_t, 2>{2, 1100}));
  EXPECT_EQ(tops["x"], (std::array<int64_t, 2>{1, 10000}));
  EXPECT_EQ(tops["empty"], (std::array<int64_t, 2>{0, 0}));
  EXPECT_EQ(ScanResult->Folders[0], root_);  // expanded
  EXPECT_EQ(ScanResult->FileCount, 5);
  EXPECT_EQ(ScanResult->FolderCount, 7);
}

TEST_F(ScanEngineTest, EntriesFoldersAndOwners) {
  File("s/c.txt", 3);
  File("f.txt", 0);
  ScanAndAnalyse(root_);
  ASSERT_EQ(ScanResult->Folders.size(), 2u);
  EXPECT_EQ(ScanResult->Folders[1], root_ + "s/");
  ASSERT_EQ(ScanResult->Users.size(), 1u);
  EXPECT_FALSE(ScanResult->Users[0].Name.empty());
  EXPECT_EQ(ScanResult->Users[0].Data[0], 2);
  for (const auto& e : ScanResult->Files) {
    if (e.FileName == "s") {
      EXPECT_TRUE(e.IsFolder());
      EXPECT_EQ(e.FilePathIndex, 0);
      EXPECT_EQ(e.FileSize, 0);
      EXPECT_EQ(e.FileSizeOnDisk, 0);
      EXPECT_EQ(e.Owner, 0);
    }
    if (e.FileName == "c.txt") {
      EXPECT_EQ(e.FilePathIndex, 1);
      EXPECT_EQ(e.FileSize, 3);
    }
  }
  EXPECT_EQ(*NullFiles, std::vector<std::string>{root_ + "f.txt"});

  // An empty folder: one folder, no entry, no owner needed.
  fs::remove_all(root_);
  fs::create_directories(root_);
  NullFiles->clear();
  ScanAndAnalyse(root_);
  EXPECT_EQ(ScanResult->Folders.size(), 1u);
  EXPECT_TRUE(ScanResult->Files.empty());
  EXPECT_TRUE(ScanResult->Users.empty());
}

}  // namespace
