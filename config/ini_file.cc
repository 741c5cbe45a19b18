#include "config/ini_file.h"

#include <fstream>
#include <sstream>

#include "util/text.h"

namespace {
std::string Slot(const std::string& section, const std::string& key) {
  return AsciiUpper(Trim(section)) + "\n" + AsciiUpper(Trim(key));
}
}  // namespace

TIniFile::TIniFile(const std::string& file_name) {
  std::ifstream in(file_name, std::ios::binary);
  if (!in) return;
  std::stringstream buffer;
  buffer << in.rdbuf();
  Parse(buffer.str());
}

TIniFile TIniFile::FromText(const std::string& text) {
  TIniFile ini;
  ini.Parse(text);
  return ini;
}

void TIniFile::Parse(const std::string& raw) {
  std::string text = raw;
  if (StartsWith(text, "\xEF\xBB\xBF")) text.erase(0, 3);
  std::string section;
  for (const std::string& line_raw : SplitLines(text)) {
    std::string line = Trim(line_raw);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      section = line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key = Trim(line.substr(0, eq));
    std::string value = Trim(line.substr(eq + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);
    FValues.emplace(Slot(section, key), value);  // the first occurrence wins
  }
}

std::optional<std::string> TIniFile::Value(const std::string& section, const std::string& key) const {
  auto it = FValues.find(Slot(section, key));
  if (it == FValues.end()) return std::nullopt;
  return it->second;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& default_value) const {
  return Value(section, key).value_or(default_value);
}

int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key,
                              int32_t default_value) const {
  auto value = Value(section, key);
  int64_t number;
  if (!value || !ParseInt(*value, number) || number < INT32_MIN || number > 0xFFFFFFFFLL)
    return default_value;
  return static_cast<int32_t>(static_cast<uint32_t>(number));
}
