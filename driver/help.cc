#include "driver/help.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "config/qv_windows.h"
#include "config/utility.h"
#include "driver/globals.h"
#include "driver/log.h"
#include "driver/switches.h"
#include "platform/platform.h"
#include "util/errors.h"
#include "util/exit_status.h"
#include "util/text.h"

namespace {

const char kReleaseDate[] = "Released January 18th 2019";
const char kWebSite[] = "https://www.kestrovia.com/tarvelo/";
const char kProductSite[] = "https://www.kestrovia.com/quorvane/";
const char kSupportSite[] = "https://www.kestrovia.com/support/";

void WriteRaw(const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
    throw EInOutError("cannot write to standard output");
}

std::string Blanks(int count) { return std::string(count, ' '); }

std::string CopyrightLine() {
  return "  Copyright (c) 2008-" + TUtility::GetCurrentYear() + " Kestrovia Software";
}

std::string UsageDocumentPath() {
  return SystemInfo->AppPath + "help" + platform::PathDelimStr() + "usage.txt";
}

// On a server or over ssh there is no viewer to hand the document to, so it
// is printed where the user is looking.
bool PrintUsageDocument(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  std::string text;
  for (const std::string& line : SplitLines(content.str()))
    text += platform::ToOutputCharset(ValidUtf8(line)) + "\n";
  WriteRaw(text);
  return true;
}

}  // namespace

void WritePlainLine(const std::string& text) {
  WriteRaw(platform::ToOutputCharset(PrintableText(text)) + "\n");
}

const std::string& VersionLine() {
  static const std::string kLine = "Tarvelo (32-bit) 2.0.6 32-bit";
  return kLine;
}

// The version, release and copyright lines both banners open with.
void WriteBannerHead() {
  WritePlainLine("");
  WritePlainLine("  " + VersionLine());
  WritePlainLine(Blanks(14) + kReleaseDate);
  WritePlainLine("");
  WritePlainLine(CopyrightLine());
  WritePlainLine("");
}

void WriteShortBanner() {
  WriteBannerHead();
  WritePlainLine("   AppPath : " + SystemInfo->AppPath);
  WritePlainLine("   DataPath: " + SystemInfo->UsersPath);
  WritePlainLine("");
  WritePlainLine(Blanks(6) + kWebSite);
  WritePlainLine(Blanks(6) + kProductSite);
  WritePlainLine("");
  WritePlainLine(Blanks(6) + kSupportSite);
  WritePlainLine("");
  WritePlainLine("  Use \"Tarvelo /?\" for simple help.");
  WritePlainLine("  Use \"Tarvelo /u\" to open the usage document.");
  WritePlainLine("");
}

void WriteUsageBanner() {
  WritePlainLine("");
  WritePlainLine("      " + VersionLine());
  WritePlainLine(Blanks(18) + kReleaseDate);
  WritePlainLine(Blanks(2) + kWebSite);
  WritePlainLine("");
}

void WriteFullHelp() {
  static const char* const kUsageLines[] = {
      "  Usage:",
      "",
      "    Tarvelo <folder to scan>",
      "",
      "    /csv{options};filename : output CSV to <filename>",
      "    /htm{options};filename : output HTML to <filename>",
      "    /txt{options};filename : output Text to <filename>",
      "    /xml{options};filename : output XML to <filename>",
      "    /xfl{options};filename : output XML file list to <filename>",
      // The database is enabled by /sqlite (or /odbc below); there is no
      // switch of its own for the folder-history update.
      "    /sqlite                : enable database update",
      "",
      "    /odbc                  : write to odbc database instead of sqlite",
      "",
      "    /dbstructured          : write out in alternate database format",
      "    /systemtable:name      : used with above, set system table name",
      "    /datatable:name        : used with above, set data table name",
      "",
      "",
      " Add option /open after report to open it automatically.",
      "",
      " Saves to default output folder if filename not specified.",
      " (Quorvane data folder, or Tarvelo install)",
      "",
  };
  WriteBannerHead();
  WritePlainLine(Blanks(6) + kWebSite);
  WritePlainLine(Blanks(6) + kProductSite);
  WritePlainLine("");
  WritePlainLine(Blanks(6) + kSupportSite);
  WritePlainLine("");
  WritePlainLine("    AppPath : " + SystemInfo->AppPath);
  WritePlainLine("    DataPath: " + SystemInfo->UsersPath);
  WritePlainLine("");
  for (const char* line : kUsageLines) WritePlainLine(line);
}

void ProcessHelp() {
  if (CommandLine.size() < 2) {
    WriteShortBanner();
    ExitProgram(kExitOk);
  }
  if (SwitchPresent("/?") || SwitchPresent("/h") || SwitchPresent("--help") || SwitchPresent("-h")) {
    WriteFullHelp();
    ExitProgram(kExitOk);
  }
  if (SwitchPresent("--version")) {
    WritePlainLine(VersionLine());
    ExitProgram(kExitOk);
  }
  if (SwitchPresent("/u")) {
    WriteUsageBanner();
    const std::string path = UsageDocumentPath();
    if (!platform::FileExists(path)) {
      WritePlainLine("Cannot find usage document.");
      ExitProgram(kExitInstallation);
    }
    if (platform::HasDesktopSession())
      TQvWindows::ExecuteFile(path);
    else if (!PrintUsageDocument(path)) {
      WritePlainLine("Cannot read usage document.");
      ExitProgram(kExitInstallation);
    }
    ExitProgram(kExitOk);
  }
}
