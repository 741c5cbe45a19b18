#pragma once
// The mount table entry that holds a path (Linux only).
#include <string>

namespace platform {

struct MountEntry {
  std::string Target;  // mount point
  std::string Source;  // device or remote source
  std::string Type;    // file-system type, as the kernel names it
};

// The mount that holds `path` (the longest mount point above it).
bool FindMount(const std::string& path, MountEntry& entry);
bool IsRemoteFileSystem(const std::string& type);
// File systems that hold no stored data and are not walked (proc, sysfs, ...).
bool IsPseudoFileSystem(const std::string& type);
// Type of the file system whose mount point is exactly `path`; empty when
// `path` is no mount point.
std::string MountTypeAt(const std::string& path);

}  // namespace platform
