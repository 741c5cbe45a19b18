// Opening a file with its associated program on Linux: xdg-open, detached.
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/platform.h"

extern char** environ;

namespace platform {

namespace {
bool OnPath(const std::string& program) {
  std::string path = GetEnvVar("PATH");
  size_t pos = 0;
  while (pos <= path.size()) {
    size_t next = path.find(':', pos);
    if (next == std::string::npos) next = path.size();
    std::string dir = path.substr(pos, next - pos);
    if (dir.empty()) dir = ".";
    if (access((dir + "/" + program).c_str(), X_OK) == 0) return true;
    pos = next + 1;
  }
  return false;
}
}  // namespace

bool HasDesktopSession() {
  return (!GetEnvVar("DISPLAY").empty() || !GetEnvVar("WAYLAND_DISPLAY").empty()) && OnPath("xdg-open");
}

void OpenWithAssociatedProgram(const std::string& path) {
  // Double fork: the opener runs in a session of its own and is never waited
  // for; the intermediate child is reaped at once.
  pid_t child = fork();
  if (child < 0) return;
  if (child == 0) {
    setsid();
    int null_fd = open("/dev/null", O_RDWR);
    if (null_fd >= 0) {
      dup2(null_fd, 0);
      dup2(null_fd, 1);
      dup2(null_fd, 2);
      if (null_fd > 2) close(null_fd);
    }
    pid_t grandchild = fork();
    if (grandchild == 0) {
      const char* argv[] = {"xdg-open", path.c_str(), nullptr};
      execvp("xdg-open", const_cast<char* const*>(argv));
      _exit(127);
    }
    _exit(0);
  }
  int status;
  waitpid(child, &status, 0);
}

}  // namespace platform
