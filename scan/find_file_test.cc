#include "scan/find_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

namespace {

namespace fs = std::filesystem;

TEST(MaskTest, WildcardsAndCase) {
  const struct {
    const char* text;
    const char* mask;
    bool match;
  } cases[] = {
      {"/a/notes.", "*.", true},          // a name without extension gets a dot
      {"/a/notes.txt", "*.", false},
      {"/a/README.TXT", "*.txt", true},   // ASCII letters fold
      {"abc", "abc?", true},              // a final "?" also matches nothing
      {"abcd", "abc?", true},
      {"abcde", "abc?", false},
      {"/x/keep/y.tmp", "*/keep/*", true},
      {"/x/keeper/y.tmp", "*/keep/*", false},
      {"aXbXc", "a*b*c", true},
      {"aXbX", "a*b*c", false},
      {"", "*", true},
      {"", "", true},
      {"a", "", false},
      {"ab", "a", false},
      {"\xC3\x89t\xC3\xA9", "\xC3\xA9*", false},  // only ASCII letters fold
  };
  for (const auto& c : cases) EXPECT_EQ(MatchesMask(c.text, c.mask), c.match) << c.text << " ~ " << c.mask;
}

TEST(FilterTest, FirstMatchingLineDecides) {
  TFileCriteria criteria;
  EXPECT_TRUE(criteria.Matches("/d/", "anything"));
  criteria.Filters() = {"*.tmp", ">*/keep/*"};
  EXPECT_FALSE(criteria.Matches("/d/keep/", "a.tmp"));  // the exclusion comes first
  EXPECT_TRUE(criteria.Matches("/d/keep/", "a.txt"));
  criteria.Filters() = {">*/keep/*", "<*.tmp"};
  EXPECT_TRUE(criteria.Matches("/d/keep/", "a.tmp"));
  EXPECT_FALSE(criteria.Matches("/d/other/", "a.TMP"));
  criteria.Filters() = {"*."};
  EXPECT_FALSE(criteria.Matches("/d/", "Makefile"));
  EXPECT_TRUE(criteria.Matches("/d/", "make.txt"));
}

TEST(TargetPathTest, NormalisedToOneAbsoluteFolder) {
  const std::string here = std::filesystem::current_path().string() + "/";
  EXPECT_EQ(TTargetPaths::NormaliseFolder("/tmp"), "/tmp/");
  EXPECT_EQ(TTargetPaths::NormaliseFolder("/tmp/"), "/tmp/");
  EXPECT_EQ(TTargetPaths::NormaliseFolder(" \t/usr/lib/../bin \n"), "/usr/bin/");
  EXPECT_EQ(TTargetPaths::NormaliseFolder("junk>/var"), "/var/");
  EXPECT_EQ(TTargetPaths::NormaliseFolder("junk</var"), "/var/");
  EXPECT_EQ(TTargetPaths::NormaliseFolder("sub"), here + "sub/");
  // A folder whose own name holds "<", ">" or blanks is taken as it is.
  const std::filesystem::path odd = std::filesystem::temp_directory_path() / " t<i>x> ";
  std::filesystem::create_directories(odd);
  EXPECT_EQ(TTargetPaths::NormaliseFolder(odd.string()), odd.string() + "/");
  std::filesystem::remove(odd);

  TFileCriteria criteria;
  criteria.SetLocation("/tmp");
  ASSERT_EQ(criteria.TargetPaths().Count(), 1u);
  EXPECT_EQ(criteria.TargetPaths().Items(0).fFolder, "/tmp/");
  TTargetPaths paths;
  paths.AddFolderAndMasks("/tmp");
  paths.AddFolderAndMasks("/tmp/");
  paths.AddPath("/var/log/syslog");
  EXPECT_EQ(paths.Count(), 2u);
  EXPECT_NE(paths.Find("/VAR/LOG/"), nullptr);
}

class FinderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tarvelo-find-XXXXXX";
    root_ = mkdtemp(tmpl);
    root_ += "/";
    fs::create_directories(root_ + "s/keep");
    for (const char* f : {"a.tmp", "b", "s/c.tmp", "s/keep/d.tmp"}) std::ofstream(root_ + f) << "x";
    fs::create_directories(root_ + "e");
  }
  void TearDown() override { fs::remove_all(root_); }

  std::vector<std::string> Run(TFindFile& finder) {
    std::vector<std::string> events;
    finder.OnFolderChange = [&](const std::string& folder, int32_t) { events.push_back("D " + folder); };
    finder.OnFileMatch = [&](const TFileDetails& d) {
      events.push_back("E " + std::string(d.Location) + std::string(d.Name));
      return 0;
    };
    finder.OnSearchBegin = [&](TFindFile&) { events.push_back("begin"); };
    finder.OnSearchFinish = [&](TFindFile&) { events.push_back("finish"); };
    finder.Criteria().Files().SetLocation(root_.substr(0, root_.size() - 1));
    finder.Execute();
    return events;
  }
  std::string root_;
};

TEST_F(FinderTest, ReportsEveryEntryAndEntersEveryFolder) {
  TFindFile finder;
  std::vector<std::string> events = Run(finder);
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events.front(), "begin");
  EXPECT_EQ(events[1], "D " + root_);
  EXPECT_EQ(events.back(), "finish");
  std::multiset<std::string> got(events.begin(), events.end());
  for (const char* e : {"E a.tmp", "E b", "E s", "E e", "D s/", "D e/", "E s/c.tmp", "E s/keep",
                        "D s/keep/", "E s/keep/d.tmp"}) {
    std::string want = std::string(e).substr(0, 2) + root_ + (e + 2);
    EXPECT_EQ(got.count(want), 1u) << want;
  }
  EXPECT_EQ(events.size(), 2u + 1 + 10);
  EXPECT_EQ(finder.ActiveTarget()->fFolder, root_);
}

TEST_F(FinderTest, FilteredWalkStillEntersExcludedFolders) {
  TFindFile finder;
  finder.Criteria().Files().Filters() = {">*/keep/*", "*.tmp", "*/s."};  // "s" is tested as "s."
  std::vector<std::string> events = Run(finder);
  std::set<std::string> got(events.begin(), events.end());
  EXPECT_FALSE(got.count("E " + root_ + "a.tmp"));
  EXPECT_FALSE(got.count("E " + root_ + "s/c.tmp"));
  EXPECT_FALSE(got.count("E " + root_ + "s"));  // left out of the report...
  EXPECT_TRUE(got.count("D " + root_ + "s/"));  // ...but entered
  EXPECT_TRUE(got.count("E " + root_ + "s/keep/d.tmp"));
  EXPECT_TRUE(got.count("E " + root_ + "b"));
}

TEST_F(FinderTest, HandlerErrorEndsTheWalkAfterTheFinishEvent) {
  TFindFile finder;
  bool finished = false;
  finder.OnFolderChange = [](const std::string&, int32_t) {};
  finder.OnFileMatch = [](const TFileDetails&) -> int32_t { throw std::runtime_error("boom"); };
  finder.OnSearchFinish = [&](TFindFile&) { finished = true; };
  finder.Criteria().Files().SetLocation(root_);
  EXPECT_THROW(finder.Execute(), std::runtime_error);
  EXPECT_TRUE(finished);
}

}  // namespace
