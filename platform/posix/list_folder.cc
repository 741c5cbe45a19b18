#include "platform/list_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace platform {

bool ListFolder(const std::string& folder, std::vector<FolderListEntry>& entries) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return false;
  bool ok = true;
  for (;;) {
    errno = 0;
    const dirent* entry = readdir(dir);
    if (entry == nullptr) {
      ok = errno == 0;
      break;
    }
    const char* name = entry->d_name;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
    FolderListEntry item;
    item.Name = name;
    if (entry->d_type == DT_UNKNOWN) {
      // Some file systems leave the type out of the listing.
      struct stat st;
      item.IsFolder = fstatat(dirfd(dir), name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
    } else {
      item.IsFolder = entry->d_type == DT_DIR;
    }
    entries.push_back(std::move(item));
  }
  closedir(dir);
  return ok;
}

}  // namespace platform
