#include "platform/posix/mount_table.h"

#include <libmount/libmount.h>
#include <stdlib.h>

#include <set>

namespace platform {

namespace {
const std::set<std::string> kPseudoTypes = {
    "proc",      "sysfs",   "devtmpfs", "devpts", "cgroup",     "cgroup2", "debugfs",
    "tracefs",   "securityfs", "pstore", "bpf",   "configfs",   "fusectl", "mqueue",
    "binfmt_misc", "autofs", "hugetlbfs", "efivarfs", "nsfs",    "rpc_pipefs"};

// The mount table, read once per run.
libmnt_table* Table() {
  static libmnt_table* table = [] {
    libmnt_table* t = mnt_new_table();
    if (t && mnt_table_parse_mtab(t, nullptr) != 0) {
      mnt_unref_table(t);
      t = nullptr;
    }
    return t;
  }();
  return table;
}

std::string Text(const char* s) { return s ? s : ""; }
}  // namespace

bool IsPseudoFileSystem(const std::string& type) { return kPseudoTypes.count(type) > 0; }

bool FindMount(const std::string& path, MountEntry& entry) {
  libmnt_table* table = Table();
  if (!table) return false;
  char* real = realpath(path.c_str(), nullptr);
  std::string target = real ? real : path;
  free(real);
  libmnt_fs* fs = mnt_table_find_mountpoint(table, target.c_str(), MNT_ITER_BACKWARD);
  if (!fs) return false;
  entry.Target = Text(mnt_fs_get_target(fs));
  entry.Source = Text(mnt_fs_get_source(fs));
  entry.Type = Text(mnt_fs_get_fstype(fs));
  return true;
}

std::string MountTypeAt(const std::string& path) {
  libmnt_table* table = Table();
  if (!table) return "";
  libmnt_fs* fs = mnt_table_find_target(table, path.c_str(), MNT_ITER_BACKWARD);
  return fs ? Text(mnt_fs_get_fstype(fs)) : "";
}

}  // namespace platform
