#include "config/utility.h"

#include <cstdio>

#include "driver/globals.h"
#include "driver/log.h"
#include "platform/platform.h"
#include "scan/display_tables.h"
#include "util/errors.h"
#include "util/text.h"

void TUtility::WriteLnOut(const std::string& text) {
  // Before the settings exist (start-up of the paths) lines always show.
  bool show = Settings == nullptr || Settings->General.ShowStatusOutput;
  if (show) {
    std::string line = text.empty() ? "\n" : "  " + platform::ToOutputCharset(PrintableText(text)) + "\n";
    if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size() || std::fflush(stdout) != 0)
      throw EInOutError("cannot write to standard output");
  }
  if (!text.empty()) LogInfo(text);
}

std::string TUtility::LogFileName() {
  TDateTime t = platform::Now();
  const char d = platform::kPathDelim;
  return platform::ProgramFolder() + "logs" + d + "tarvelo_" + ZeroPad(t.Year, 4) +
         ZeroPad(t.Month, 2) + ZeroPad(t.Day, 2) + "_" + ZeroPad(t.Hour, 2) + ZeroPad(t.Minute, 2) +
         ZeroPad(t.Second, 2) + ".log";
}

std::string TUtility::GetDate(int form) {
  TDateTime t = platform::Now();
  switch (form) {
    case 0: return MonthNames[t.Month - 1] + " " + std::to_string(t.Day) + " " + std::to_string(t.Year);
    case 1: return ZeroPad(t.Day, 2) + ZeroPad(t.Month, 2) + std::to_string(t.Year);
    case 2: return std::to_string(t.Year) + ZeroPad(t.Month, 2) + ZeroPad(t.Day, 2);
    case 3: return std::to_string(t.Year) + "/" + ZeroPad(t.Month, 2) + "/" + ZeroPad(t.Day, 2);
    default: return "";
  }
}

std::string TUtility::GetTime(int form) {
  TDateTime t = platform::Now();
  switch (form) {
    case 0: return ZeroPad(t.Hour, 2) + ":" + ZeroPad(t.Minute, 2) + "." + ZeroPad(t.Second, 2);
    case 1:
    case 4: return ZeroPad(t.Hour, 2) + ZeroPad(t.Minute, 2) + ZeroPad(t.Second, 2);
    case 3: return ZeroPad(t.Hour, 2) + ":" + ZeroPad(t.Minute, 2) + ":" + ZeroPad(t.Second, 2);
    default: return "";
  }
}

std::string TUtility::GetCurrentYear() { return std::to_string(platform::Now().Year); }

std::string TUtility::TrimFileNameForOutput(const std::string& path) {
  const std::string& data = SystemInfo->UsersPath;
  if (data.empty() || !Contains(AsciiUpper(path), AsciiUpper(data))) return path;
  return path.substr(data.size() - 1);
}

std::string TUtility::BoolToIntAsString(bool flag) { return flag ? "1" : "0"; }

std::string TUtility::AttributeToIntAsString(uint32_t attributes, uint32_t value) {
  return (attributes & value) == value ? "1" : "0";
}

int TUtility::FindUserIndex(const std::string& name) {
  const auto& users = ScanResult->Users;
  for (size_t i = 0; i < users.size(); ++i)
    if (users[i].Name == name) return static_cast<int>(i);
  return -1;
}
