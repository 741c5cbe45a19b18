#pragma once
// Small stateless routines: date and time texts, display paths, flag texts,
// owner lookup, status output and the log file name.
#include <cstdint>
#include <string>

class TUtility {
 public:
  // Status line: console (two blanks first, unless /o) and log (Info).
  static void WriteLnOut(const std::string& text);
  static std::string LogFileName();
  static std::string ProcessFilename(const std::string& file_template);

  static std::string GetDate(int form);
  static std::string GetTime(int form);
  static std::string GetCurrentYear();
  static std::string TrimFileNameForOutput(const std::string& path);
  static std::string BoolToIntAsString(bool flag);
  static std::string AttributeToIntAsString(uint32_t attributes, uint32_t value);
  static int FindUserIndex(const std::string& name);
};
