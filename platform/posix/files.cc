// File and folder services on Linux.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "util/errors.h"

namespace platform {

bool FileExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDirectories(const std::string& path) {
  if (path.empty()) return false;
  if (DirectoryExists(path)) return true;
  std::string partial;
  size_t pos = 0;
  while (pos <= path.size()) {
    size_t next = path.find('/', pos);
    if (next == std::string::npos) next = path.size();
    partial = path.substr(0, next);
    if (!partial.empty() && !DirectoryExists(partial)) {
      if (mkdir(partial.c_str(), 0777) != 0 && errno != EEXIST) return false;
    }
    pos = next + 1;
  }
  return DirectoryExists(path);
}

std::string ExpandFullPath(const std::string& path) {
  std::string absolute = path;
  if (absolute.empty() || absolute[0] != '/') {
    std::vector<char> cwd(4096);
    while (!getcwd(cwd.data(), cwd.size())) {
      if (errno != ERANGE) return path;
      cwd.resize(cwd.size() * 2);
    }
    absolute = std::string(cwd.data()) + "/" + path;
  }
  bool trailing = !absolute.empty() && absolute.back() == '/';
  std::vector<std::string> parts;
  size_t pos = 0;
  while (pos < absolute.size()) {
    size_t next = absolute.find('/', pos);
    if (next == std::string::npos) next = absolute.size();
    std::string part = absolute.substr(pos, next - pos);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    pos = next + 1;
  }
  std::string out;
  for (const auto& p : parts) out += "/" + p;
  if (out.empty()) out = "/";
  if (trailing && out.back() != '/') out += '/';
  return out;
}

namespace {
[[noreturn]] void Fail(const std::string& what, const std::string& path) {
  throw EInOutError(what + " \"" + path + "\": " + std::strerror(errno));
}

void WriteAll(int fd, const std::string& content, const std::string& path) {
  size_t done = 0;
  while (done < content.size()) {
    ssize_t n = write(fd, content.data() + done, content.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      int saved = errno;
      close(fd);
      errno = saved;
      Fail("Cannot write", path);
    }
    done += static_cast<size_t>(n);
  }
}
}  // namespace

void WriteFileAtomically(const std::string& path, const std::string& content) {
  std::string temp = path + ".tmp" + std::to_string(getpid());
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) Fail("Cannot create", temp);
  WriteAll(fd, content, temp);
  if (fsync(fd) != 0 || close(fd) != 0) {
    unlink(temp.c_str());
    Fail("Cannot write", temp);
  }
  if (rename(temp.c_str(), path.c_str()) != 0) {
    int saved = errno;
    unlink(temp.c_str());
    errno = saved;
    Fail("Cannot replace", path);
  }
}

void AppendToFile(const std::string& path, const std::string& content) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) Fail("Cannot open", path);
  // O_APPEND with one write keeps a record whole against other appenders.
  WriteAll(fd, content, path);
  if (close(fd) != 0) Fail("Cannot write", path);
}

}  // namespace platform
