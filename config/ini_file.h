#pragma once
// Reads a Windows-style profile file (custom.ini): sections and keys compare
// without regard to ASCII case, the first occurrence of a key wins, blanks
// around names and values are trimmed, a value wholly in double quotes loses
// them, ";" starts a comment line, a UTF-8 byte-order mark is skipped.
#include <map>
#include <optional>
#include <string>

class TIniFile {
 public:
  // An unreadable or missing file reads as empty.
  explicit TIniFile(const std::string& file_name);
  static TIniFile FromText(const std::string& text);

  std::optional<std::string> Value(const std::string& section, const std::string& key) const;
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& default_value) const;
  // Decimal, or hexadecimal with "0x"; the default when missing or malformed.
  int32_t ReadInteger(const std::string& section, const std::string& key,
                      int32_t default_value) const;

 private:
  TIniFile() = default;
  void Parse(const std::string& text);
  std::map<std::string, std::string> FValues;  // "SECTION\nKEY" upper-cased
};
