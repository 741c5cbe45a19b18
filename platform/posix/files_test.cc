#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/platform.h"
#include "tests/support/global_objects.h"
#include "util/errors.h"

namespace {
class PlatformFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    temp_dir_.emplace("tarvelo-files-");
    dir_ = temp_dir_->path();
  }
  void TearDown() override { temp_dir_.reset(); }
  std::optional<test_support::ScopedTempDir> temp_dir_;
  std::filesystem::path dir_;
};
}  // namespace

TEST_F(PlatformFilesTest, ExpandFullPathResolvesDotsButKeepsTrailingDelimiter) {
  EXPECT_EQ(platform::ExpandFullPath("/a/./b/../c/"), "/a/c/");
  EXPECT_EQ(platform::ExpandFullPath("/../x"), "/x");
  EXPECT_EQ(platform::ExpandFullPath("/"), "/");
  std::string relative = platform::ExpandFullPath("rel/");
  EXPECT_EQ(relative, std::filesystem::current_path().string() + "/rel/");
}

TEST_F(PlatformFilesTest, CreateDirectoriesMakesParentsAndFailsOnAFile) {
  std::string deep = (dir_ / "a" / "b c" / "d").string();
  EXPECT_TRUE(platform::CreateDirectories(deep));
  EXPECT_TRUE(platform::DirectoryExists(deep));
  std::ofstream((dir_ / "file").string()) << "x";
  EXPECT_FALSE(platform::CreateDirectories((dir_ / "file" / "sub").string()));
  EXPECT_TRUE(platform::FileExists((dir_ / "file").string()));
  EXPECT_FALSE(platform::FileExists(deep));
}

TEST_F(PlatformFilesTest, AtomicWriteReplacesWholeAndAppendAdds) {
  std::string path = (dir_ / "h.dat").string();
  platform::WriteFileAtomically(path, "old\r\n");
  platform::WriteFileAtomically(path, "new\r\n");
  platform::AppendToFile(path, "more\r\n");
  EXPECT_EQ(test_support::ReadWholeFile(path), "new\r\nmore\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);  // no temporary left
  EXPECT_THROW(platform::WriteFileAtomically((dir_ / "none" / "x").string(), "x"), EInOutError);
  EXPECT_THROW(platform::AppendToFile((dir_ / "none" / "x").string(), "x"), EInOutError);
}

TEST(PlatformNamesTest, OwnerOfAnIdWithoutEntryIsItsNumber) {
  EXPECT_EQ(platform::OwnerNameOfId(0), "root");
  EXPECT_EQ(platform::OwnerNameOfId(4012345678u), "4012345678");
}
