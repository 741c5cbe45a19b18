#pragma once
// Walks a folder tree depth first, folder by folder: every entry of a folder
// is reported before any of its sub-folders is entered, sub-folders in the
// order of the listing. Links are reported as entries and never followed;
// file systems that hold no stored data are reported but not entered, and
// a folder already on the current path (a bind-mount loop) is not entered
// again. The walk is iterative with a bounded number of open folders, so any
// depth and any path length work.
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// One directory entry as the walk reports it.
struct DirectoryEntry {
  std::string_view Name;   // valid only during the report
  uint32_t Attributes = 0;  // the attribute bits of scan/scan_details.h
  int64_t Size = 0;         // bytes; a link's own size
  int64_t AllocatedSize = -1;  // bytes the file system allocated; -1 when not reported
  int64_t CreatedTime = 0;     // seconds since the epoch; birth time, else modification
  int64_t ModifiedTime = 0;
  int64_t AccessedTime = 0;
  uint32_t OwnerId = 0;
  bool IsFolder = false;
};

class DirectoryVisitor {
 public:
  virtual ~DirectoryVisitor() = default;
  // A folder is about to be listed; `folder` ends in the path delimiter.
  // `tag` is what Entry returned for it (0 for the start folder). Raised also
  // when the listing then fails.
  virtual void FolderEntered(const std::string& folder, int32_t tag) = 0;
  // One entry of the folder being listed. For a folder entry the value
  // returned is handed back to FolderEntered when the walk enters it.
  virtual int32_t Entry(const std::string& folder, const DirectoryEntry& entry) = 0;
  // Something could not be read; the walk goes on without it.
  virtual void Unreadable(const std::string& /*path*/, const std::string& /*cause*/) {}
};

struct WalkOptions {
  int MaxOpenFolders = 48;  // open folder descriptors held by the walk
};

// Walks `start_folder` (ending in the delimiter; links in it are followed).
// Errors raised by the visitor end the walk and reach the caller.
void WalkDirectoryTree(const std::string& start_folder, DirectoryVisitor& visitor,
                       const WalkOptions& options = {});

}  // namespace platform
