#include "driver/log.h"

#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"
#include "util/text.h"

namespace {
std::FILE* g_log = nullptr;
std::string g_log_path;

bool TryOpen(const std::string& path) {
  size_t slash = path.rfind(platform::kPathDelim);
  if (slash != std::string::npos) platform::CreateDirectories(path.substr(0, slash));
  std::FILE* f = std::fopen(path.c_str(), "a");
  if (!f) return false;
  g_log = f;
  g_log_path = path;
  return true;
}

const char* LevelName(LogLevel level) {
  switch (level) {
    case LogLevel::Debug: return "DEBUG";
    case LogLevel::Info: return "INFO";
    case LogLevel::Error: return "ERROR";
  }
  return "INFO";
}
}  // namespace

bool OpenLog(const std::string& file_name) {
  if (TryOpen(file_name)) return true;
  // A system-wide install cannot write beside the program: use the user's
  // state folder instead.
  std::string state = platform::GetEnvVar("XDG_STATE_HOME");
  if (state.empty()) {
    std::string home = platform::ProfileFolder();
    if (home.empty()) return false;
    state = home + "/.local/state";
  }
  size_t slash = file_name.rfind(platform::kPathDelim);
  std::string base = slash == std::string::npos ? file_name : file_name.substr(slash + 1);
  return TryOpen(state + "/tarvelo/logs/" + base);
}

const std::string& LogPath() { return g_log_path; }

void LogWrite(LogLevel level, const std::string& text) {
  if (!g_log) return;
  TDateTime t = platform::Now();
  std::string line = ZeroPad(t.Year, 4) + "-" + ZeroPad(t.Month, 2) + "-" + ZeroPad(t.Day, 2) + " " +
                     ZeroPad(t.Hour, 2) + ":" + ZeroPad(t.Minute, 2) + ":" + ZeroPad(t.Second, 2) +
                     " [" + LevelName(level) + "] [" + PrintableText(text) + "]\n";
  std::fwrite(line.data(), 1, line.size(), g_log);
  std::fflush(g_log);
}

void CloseLog() {
  if (g_log) std::fclose(g_log);
  g_log = nullptr;
}

void ExitProgram(int code) {
  std::fflush(stdout);
  CloseLog();
  std::exit(code);
}
