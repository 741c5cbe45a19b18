#include "scan/file_extensions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class ExtensionTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tarvelo-ext-XXXXXX";
    folder_ = mkdtemp(tmpl);
    folder_ += "/";
  }
  void TearDown() override { fs::remove_all(folder_); }
  void List(const std::string& base, const std::string& content) {
    std::ofstream(folder_ + base + ".txt", std::ios::binary) << content;
  }
  std::string folder_;
  TFileExtensionsObject table_;
};

TEST_F(ExtensionTableTest, LoadsListsInCategoryOrderAsTheyStand) {
  List("Custom1", "mp3\n");
  List("Audio", "mp3\r\n\nwav\nMP3\nmp3\n");
  List("Temp", "*.tmp\n~*\n");
  List("Other", "never\n");  // category 9 has no list
  ASSERT_TRUE(table_.LoadFileExtensionsFrom(folder_));
  std::vector<std::pair<std::string, int>> got;
  for (const auto& e : table_.CategoryExtensions) got.emplace_back(e.Name, e.Category);
  const std::vector<std::pair<std::string, int>> want = {
      {"*.tmp", 0}, {"~*", 0}, {"mp3", 5}, {"wav", 5}, {"MP3", 5}, {"mp3", 5}, {"mp3", 10}};
  EXPECT_EQ(got, want);
}

TEST_F(ExtensionTableTest, LookupByHandlingOfMultipleCategories) {
  List("Audio", "mp3\nogg\n");
  List("Custom1", "mp3\n");
  List("Movie", "ogg\n");
  ASSERT_TRUE(table_.LoadFileExtensionsFrom(folder_));
  // List order: Movie(ogg)=0, Audio(mp3)=1, Audio(ogg)=2, Custom1(mp3)=3.
  TExtensionExistsIn all = table_.GetExtensionCategoryID("mp3", 2);
  EXPECT_FALSE(all.NotFound);
  EXPECT_EQ(all.RawCategory, 10);
  for (int c = 1; c < kCategoryCount; ++c)
    EXPECT_EQ(all.CategoryLocation[c], c == 5 ? 1 : c == 10 ? 3 : -1) << c;

  for (int mode : {0, 1}) {
    TExtensionExistsIn first = table_.GetExtensionCategoryID("mp3", mode);
    EXPECT_EQ(first.RawCategory, 5);
    EXPECT_EQ(first.CategoryLocation[5], 1);
    EXPECT_EQ(first.CategoryLocation[10], -1);
  }
  TExtensionExistsIn ogg = table_.GetExtensionCategoryID("ogg", 0);
  EXPECT_EQ(ogg.RawCategory, 4);  // the Movie list loads before Audio
  EXPECT_EQ(ogg.CategoryLocation[4], 0);
}

TEST_F(ExtensionTableTest, UnknownUpperCaseAndPatternsDoNotMatch) {
  List("Audio", "MP3\n");
  List("Temp", "tmp\n");
  List("Programs", "tmp\n");
  ASSERT_TRUE(table_.LoadFileExtensionsFrom(folder_));
  for (const char* ext : {"mp3", "MP3x", "", "zzz"}) {
    TExtensionExistsIn r = table_.GetExtensionCategoryID(ext, 2);
    EXPECT_TRUE(r.NotFound) << ext;
    EXPECT_EQ(r.RawCategory, 9);
    for (int c = 1; c < kCategoryCount; ++c) EXPECT_EQ(r.CategoryLocation[c], -1);
  }
  // A temporary-file pattern equal to an extension leaves its category alone.
  TExtensionExistsIn tmp = table_.GetExtensionCategoryID("tmp", 0);
  EXPECT_FALSE(tmp.NotFound);
  EXPECT_EQ(tmp.RawCategory, 1);
  EXPECT_EQ(table_.GetExtensionCategoryIDFromName("SETUP.TMP"), 1);
  EXPECT_EQ(table_.GetExtensionCategoryIDFromName("noext"), 9);
}

TEST_F(ExtensionTableTest, AppendedEntriesAreFoundAgain) {
  ASSERT_TRUE(table_.LoadFileExtensionsFrom(folder_));  // no list at all
  EXPECT_TRUE(table_.CategoryExtensions.empty());
  table_.AddExtension({"xyz", 9, 1, 10});
  TExtensionExistsIn r = table_.GetExtensionCategoryID("xyz", 0);
  EXPECT_FALSE(r.NotFound);
  EXPECT_EQ(r.CategoryLocation[9], 0);
  // Entries appended to the list directly are indexed as well.
  table_.CategoryExtensions.push_back({"", 9, 0, 0});
  EXPECT_EQ(table_.GetExtensionCategoryID("", 0).CategoryLocation[9], 1);
  table_.CategoryExtensions.clear();
  EXPECT_TRUE(table_.GetExtensionCategoryID("xyz", 0).NotFound);
}

TEST_F(ExtensionTableTest, ExtensionOfAndRemoveExtension) {
  EXPECT_EQ(ExtensionOf("Report.Final.DOCX"), "docx");
  EXPECT_EQ(ExtensionOf("noext"), "");
  EXPECT_EQ(ExtensionOf("trailing."), "");
  EXPECT_EQ(ExtensionOf(".bashrc"), "bashrc");
  EXPECT_EQ(ExtensionOf("caf\xC3\x89.\xC3\x89X"), "\xC3\x89x");  // only ASCII letters fold
  EXPECT_EQ(TFileExtensionsObject::RemoveExtension("a.b.c"), "a");
  EXPECT_EQ(TFileExtensionsObject::RemoveExtension("abc"), "abc");
}

}  // namespace
