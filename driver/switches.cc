#include "driver/switches.h"

#include "driver/globals.h"
#include "util/text.h"

bool SwitchPresent(const std::string& switch_text) {
  const std::string wanted = AsciiUpper(switch_text);
  for (size_t i = 1; i < CommandLine.size(); ++i)
    if (AsciiUpper(CommandLine[i]) == wanted) return true;
  return false;
}

int SwitchArgumentIndex(const std::string& switch_text) {
  const std::string wanted = AsciiUpper(switch_text);
  int found = 0;
  for (size_t i = 1; i < CommandLine.size(); ++i)
    if (Contains(AsciiUpper(CommandLine[i]), wanted)) found = static_cast<int>(i);
  return found;
}

std::string SwitchValue(const std::string& argument) {
  size_t pos = argument.find(':');
  if (pos == std::string::npos) pos = argument.find(';');
  if (pos == std::string::npos || pos + 1 >= argument.size()) return "";
  return argument.substr(pos + 1);
}

int ClassifyParameter(const std::string& upper_argument) {
  static const struct {
    const char* prefix;
    int code;
  } kPrefixes[] = {
      {"/CSV", 16},        {"/TXT", 17},           {"/TEXT", 17},
      {"/HTM", 18},        {"/XML", 19},           {"/XFL", 20},
      {"/SUM", 21},        {"/OPEN", 255},         {"/P", 1},
      {"/O", 2},           {"/UPDATESCANHISTORY", 6}, {"/SQLITE", 8},
      {"/DBSTRUCTURED", 9}, {"/SYSTEMTABLE", 10},   {"/DATATABLE", 11},
      {"/NOUSER", 32},     {"/NOPROCESS", 33},     {"/NOTEMP", 34},
      {"/CAT", 144},       {"/TEST", 145},
  };
  for (const auto& p : kPrefixes)
    if (StartsWith(upper_argument, p.prefix)) return p.code;
  return kParamUnknown;
}
