#include "platform/directory_reader.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace {

namespace fs = std::filesystem;

int OpenDescriptors() {
  int count = 0;
  for (const auto& e : fs::directory_iterator("/proc/self/fd")) {
    (void)e;
    ++count;
  }
  return count;
}

struct Recorder : platform::DirectoryVisitor {
  std::vector<std::string> events;  // "D path" for folders entered, "E path+name" for entries
  std::map<std::string, platform::DirectoryEntry> entries;  // by full path, Name cleared
  std::map<std::string, int32_t> tags_entered;
  int32_t next_tag = 1;
  int max_descriptors = 0;
  size_t folders = 0;
  bool keep_events = true;

  void FolderEntered(const std::string& folder, int32_t tag) override {
    ++folders;
    if (keep_events) events.push_back("D " + folder);
    tags_entered[folder] = tag;
    if (folders % 97 == 0) max_descriptors = std::max(max_descriptors, OpenDescriptors());
  }
  int32_t Entry(const std::string& folder, const platform::DirectoryEntry& entry) override {
    std::string path = folder + std::string(entry.Name);
    if (keep_events) events.push_back("E " + path);
    platform::DirectoryEntry copy = entry;
    copy.Name = {};
    entries[path] = copy;
    return entry.IsFolder ? next_tag++ : 0;
  }
};

class DirectoryReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Removing folders is slow on a disk mounted with discard; a memory file
    // system, where there is one, keeps the deep tree quick.
    std::string base = fs::is_directory("/dev/shm") && access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string tmpl = base + "/tarvelo-walk-XXXXXX";
    root_ = mkdtemp(tmpl.data());
    root_ += "/";
  }
  void TearDown() override {
    // Deep trees defeat recursive removal by path; a shell rm copes.
    std::string command = "rm -rf '" + root_ + "'";
    (void)std::system(command.c_str());
  }
  void File(const std::string& rel, const std::string& content = "") {
    std::ofstream(root_ + rel, std::ios::binary) << content;
  }
  void Dir(const std::string& rel) { fs::create_directories(root_ + rel); }
  std::string root_;
};

TEST_F(DirectoryReaderTest, ReportsAFoldersEntriesBeforeEnteringItsSubFolders) {
  File("a", "1");
  File("b", "22");
  Dir("s/t");
  File("s/c", "333");
  Dir("empty");
  Recorder r;
  platform::WalkDirectoryTree(root_, r);

  // Each folder: its event, then all its entries, sub-folders in listing order.
  ASSERT_FALSE(r.events.empty());
  EXPECT_EQ(r.events[0], "D " + root_);
  std::vector<std::string> root_entries(r.events.begin() + 1, r.events.begin() + 5);
  std::set<std::string> got(root_entries.begin(), root_entries.end());
  EXPECT_EQ(got, (std::set<std::string>{"E " + root_ + "a", "E " + root_ + "b", "E " + root_ + "s",
                                        "E " + root_ + "empty"}));
  std::vector<std::string> folders_in_order;
  for (const auto& e : root_entries)
    if (e == "E " + root_ + "s" || e == "E " + root_ + "empty") folders_in_order.push_back(e.substr(2) + "/");
  std::vector<std::string> entered;
  for (const auto& e : r.events)
    if (e[0] == 'D' && e != "D " + root_ && e != "D " + root_ + "s/t/") entered.push_back(e.substr(2));
  EXPECT_EQ(entered, folders_in_order);
  EXPECT_EQ(r.events.size(), 1u + 4 + 1 + 2 + 1 + 1);
  EXPECT_EQ(r.entries[root_ + "b"].Size, 2);
  EXPECT_TRUE(r.entries[root_ + "s"].IsFolder);
  EXPECT_EQ(r.entries[root_ + "s"].Size, 0);
  // Tags come back with the folder they were given for.
  EXPECT_NE(r.tags_entered[root_ + "s/"], 0);
  EXPECT_EQ(r.tags_entered[root_], 0);
}

TEST_F(DirectoryReaderTest, AttributesSizesAndTimesMatchTheFileSystem) {
  File(".hidden", "x");
  File("readonly", "abc");
  chmod((root_ + "readonly").c_str(), 0444);
  mkfifo((root_ + "fifo").c_str(), 0644);
  Dir("target");
  symlink("target", (root_ + "link").c_str());
  symlink(".", (root_ + "loop").c_str());
  File("sparse");
  truncate((root_ + "sparse").c_str(), 1 << 30);
  Recorder r;
  platform::WalkDirectoryTree(root_, r);

  EXPECT_EQ(r.entries[root_ + ".hidden"].Attributes, 0x02u);
  EXPECT_EQ(r.entries[root_ + "readonly"].Attributes, 0x01u);
  EXPECT_EQ(r.entries[root_ + "fifo"].Attributes, 0x04u);
  EXPECT_EQ(r.entries[root_ + "target"].Attributes, 0x10u);
  // Links are entries of their own, never followed.
  EXPECT_EQ(r.entries[root_ + "link"].Attributes, 0x400u);
  EXPECT_EQ(r.entries[root_ + "link"].Size, 6);
  EXPECT_FALSE(r.entries[root_ + "link"].IsFolder);
  EXPECT_EQ(r.folders, 2u);  // the start folder and target only

  struct stat st;
  ASSERT_EQ(lstat((root_ + "sparse").c_str(), &st), 0);
  const auto& sparse = r.entries[root_ + "sparse"];
  EXPECT_EQ(sparse.Size, 1 << 30);
  EXPECT_EQ(sparse.AllocatedSize, static_cast<int64_t>(st.st_blocks) * 512);
  EXPECT_EQ(sparse.ModifiedTime, st.st_mtime);
  EXPECT_EQ(sparse.AccessedTime, st.st_atime);
  EXPECT_EQ(sparse.OwnerId, st.st_uid);
  EXPECT_GE(sparse.CreatedTime, st.st_mtime - 5);  // birth time where kept, else mtime
  EXPECT_LE(sparse.CreatedTime, st.st_mtime);
}

TEST_F(DirectoryReaderTest, UnreadableFolderIsEnteredButYieldsNothing) {
  Dir("gone");
  Recorder r;
  struct Vanishing : Recorder {
    std::string victim;
    std::vector<std::string> unreadable;
    void FolderEntered(const std::string& folder, int32_t tag) override {
      Recorder::FolderEntered(folder, tag);
      if (folder == victim) rmdir(folder.c_str());
    }
    void Unreadable(const std::string& path, const std::string&) override { unreadable.push_back(path); }
  } v;
  v.victim = root_ + "gone/";
  platform::WalkDirectoryTree(root_, v);
  EXPECT_EQ(v.folders, 2u);
  EXPECT_EQ(v.unreadable, std::vector<std::string>{root_ + "gone/"});

  Recorder missing;
  platform::WalkDirectoryTree(root_ + "nothing/", missing);
  EXPECT_EQ(missing.folders, 1u);  // the event comes first
  EXPECT_TRUE(missing.entries.empty());
}

// A chain 10,000 folders deep (paths far beyond the system's limit) with a
// file and a side folder at every level, walked with very few descriptors.
TEST_F(DirectoryReaderTest, DeepTreeWithBoundedDescriptors) {
  const int kDepth = 10000;
  int fd = open(root_.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  for (int i = 0; i < kDepth; ++i) {
    ASSERT_EQ(mkdirat(fd, "d", 0755), 0);
    ASSERT_EQ(mkdirat(fd, "e", 0755), 0);  // entered after d's whole subtree
    int f = openat(fd, "f", O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(f, 0);
    close(f);
    int next = openat(fd, "d", O_RDONLY | O_DIRECTORY);
    close(fd);
    fd = next;
    ASSERT_GE(fd, 0);
  }
  const int before = OpenDescriptors() - 1;
  Recorder r;
  r.keep_events = false;
  platform::WalkDirectoryTree(root_, r, platform::WalkOptions{4});
  EXPECT_EQ(r.folders, 1u + 2u * kDepth);
  EXPECT_EQ(r.entries.size(), 3u * kDepth);
  EXPECT_LE(r.max_descriptors, before + 6);
  EXPECT_EQ(OpenDescriptors(), before + 1);
  std::string deepest = root_;
  for (int i = 0; i < kDepth; ++i) deepest += "d/";
  EXPECT_TRUE(r.tags_entered.count(deepest));
  EXPECT_TRUE(r.entries.count(deepest.substr(0, deepest.size() - 2) + "e"));

  // Removed from the bottom up by descriptor: removal by path is quadratic.
  for (int i = 0; i < kDepth; ++i) {
    unlinkat(fd, "f", 0);
    unlinkat(fd, "e", AT_REMOVEDIR);
    int up = openat(fd, "..", O_RDONLY | O_DIRECTORY);
    close(fd);
    fd = up;
    ASSERT_GE(fd, 0);
    ASSERT_EQ(unlinkat(fd, "d", AT_REMOVEDIR), 0);
  }
  close(fd);
}

TEST_F(DirectoryReaderTest, VisitorErrorsEndTheWalkAndCloseEverything) {
  Dir("a/b/c");
  struct Thrower : Recorder {
    void FolderEntered(const std::string& folder, int32_t tag) override {
      Recorder::FolderEntered(folder, tag);
      if (folders == 3) throw std::runtime_error("stop");
    }
  } t;
  const int before = OpenDescriptors();
  EXPECT_THROW(platform::WalkDirectoryTree(root_, t), std::runtime_error);
  EXPECT_EQ(OpenDescriptors(), before);
}

}  // namespace
