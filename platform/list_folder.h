#pragma once
// The entries of one folder, without walking into it.
#include <string>
#include <vector>

namespace platform {

struct FolderListEntry {
  std::string Name;       // as the file system gave it
  bool IsFolder = false;  // a real folder; a link to one is not
};

// Appends the entries of `folder` (without "." and "..") in the order the
// file system returns them, hidden and special entries included. False when
// the folder cannot be opened or a read fails part-way; the entries read
// before the failure are kept.
bool ListFolder(const std::string& folder, std::vector<FolderListEntry>& entries);

}  // namespace platform
