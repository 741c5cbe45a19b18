// Program folder, user, host and owner names on Linux.
#include <limits.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <unordered_map>

#include "platform/platform.h"

namespace platform {

std::string ProgramFolder() {
  std::string path(4096, '\0');
  ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0) return "./";
  path.resize(static_cast<size_t>(n));
  char* resolved = realpath(path.c_str(), nullptr);
  if (resolved) {
    path = resolved;
    std::free(resolved);
  }
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string ProfileFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  if (passwd* pw = getpwuid(geteuid())) return pw->pw_dir ? pw->pw_dir : "";
  return "";
}

std::string GetEnvVar(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value ? value : "";
}

std::string ComputerName() {
  char buf[HOST_NAME_MAX + 1] = {};
  if (gethostname(buf, sizeof buf - 1) != 0) return "";
  std::string name = buf;
  size_t dot = name.find('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string UserName() {
  if (passwd* pw = getpwuid(geteuid()))
    if (pw->pw_name && *pw->pw_name) return pw->pw_name;
  return GetEnvVar("USER");
}

std::string OwnerNameOfId(uint32_t owner_id) {
  // One lookup per distinct id: a scan sees few owners and millions of files.
  static std::unordered_map<uint32_t, std::string> cache;
  auto it = cache.find(owner_id);
  if (it != cache.end()) return it->second;
  std::string name;
  passwd entry;
  passwd* result = nullptr;
  std::string buffer(16384, '\0');
  if (getpwuid_r(owner_id, &entry, buffer.data(), buffer.size(), &result) == 0 && result &&
      result->pw_name)
    name = result->pw_name;
  else
    name = std::to_string(owner_id);  // as ls -l shows an id without an entry
  cache.emplace(owner_id, name);
  return name;
}

std::string FileOwner(const std::string& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return "";
  return OwnerNameOfId(st.st_uid);
}

}  // namespace platform
