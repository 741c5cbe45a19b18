#include "config/qv_windows.h"
#include "config/utility.h"
#include "driver/globals.h"
#include "platform/platform.h"
#include "scan/display_tables.h"
#include "util/text.h"

std::string TUtility::ProcessFilename(const std::string& file_template) {
  if (file_template.find('$') == std::string::npos) return file_template;
  const TDateTime now = platform::Now();
  static const char* const kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

  std::string app_folder = SystemInfo ? SystemInfo->AppPath : platform::ProgramFolder();
  if (!app_folder.empty() && app_folder.back() == platform::kPathDelim) app_folder.pop_back();
  const std::string year = ZeroPad(now.Year, 4);

  std::string s = file_template;
  // Linux has no drive letters: the program's drive is the empty text, so
  // "$QvD/reports" names "/reports".
  s = ReplaceAll(s, "$QvD", "");
  s = ReplaceAll(s, "$QvF", app_folder);
  s = ReplaceAll(s, "$PC", TQvWindows::GetComputerNetName());
  s = ReplaceAll(s, "$User", TQvWindows::GetUserFromWindows());
  s = ReplaceAll(s, "$yyyy", year);
  s = ReplaceAll(s, "$YY", year.substr(year.size() - 2));
  s = ReplaceAll(s, "$mm", ZeroPad(now.Month, 2));
  s = ReplaceAll(s, "$MM", now.Month >= 1 && now.Month <= 12 ? MonthNames[now.Month - 1] : "");
  s = ReplaceAll(s, "$dd", ZeroPad(now.Day, 2));
  s = ReplaceAll(s, "$DD", kWeekdays[(now.DayOfWeek % 7 + 7) % 7]);
  s = ReplaceAll(s, "$Th", ZeroPad(now.Hour, 2));
  s = ReplaceAll(s, "$Tm", ZeroPad(now.Minute, 2));
  s = ReplaceAll(s, "$Ts", ZeroPad(now.Second, 2));
  return s;
}
