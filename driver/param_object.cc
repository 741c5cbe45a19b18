#include "driver/param_object.h"

#include "config/qv_windows.h"
#include "driver/globals.h"
#include "driver/switches.h"
#include "platform/platform.h"
#include "util/text.h"

namespace {

std::string DefaultTemplate(int code) {
  const char* folder = "";
  const char* extension = "";
  switch (code) {
    case kParamCSV: folder = "CSV"; extension = "csv"; break;
    case kParamText: folder = "Text"; extension = "txt"; break;
    case kParamHTML: folder = "HTML"; extension = "htm"; break;
    default: folder = "XML"; extension = "xml"; break;
  }
  const char d = platform::kPathDelim;
  return SystemInfo->UsersPath + "Tarvelo" + d + "Reports" + d + TQvWindows::GetComputerNetName() +
         d + folder + d + "qvcom_$yyyy$mm$dd_$Th$Tm$Ts." + extension;
}

}  // namespace

TParamObject ParseParameter(const std::string& argument) {
  TParamObject p;
  p.ParamType = ClassifyParameter(AsciiUpper(argument));
  if (p.ParamType < kParamCSV || p.ParamType > kParamXFL) return p;

  size_t open = argument.find('{');
  size_t close = argument.find('}');
  if (open != std::string::npos && close != std::string::npos && open < close)
    p.Options = argument.substr(open + 1, close - open - 1);
  size_t semicolon = argument.find(';');
  if (semicolon != std::string::npos && semicolon + 1 < argument.size())
    p.ParamValue = argument.substr(semicolon + 1);
  if (p.ParamValue.empty()) p.ParamValue = DefaultTemplate(p.ParamType);
  return p;
}

int OptionDigit(const std::string& options, int position, int default_value) {
  if (position < 1 || static_cast<size_t>(position) > options.size()) return default_value;
  char c = options[position - 1];
  return c >= '0' && c <= '9' ? c - '0' : default_value;
}

bool OptionFlag(const std::string& options, int position, bool default_value) {
  if (position < 1 || static_cast<size_t>(position) > options.size()) return default_value;
  char c = options[position - 1];
  return c >= '1' && c <= '9';
}
