#include "config/registry_store.h"

#include <fstream>
#include <sstream>

#include "platform/platform.h"
#include "util/errors.h"
#include "util/text.h"

namespace {
const char kRoot[] = "HKEY_CURRENT_USER";

std::string FullPath(const std::string& key) {
  std::string k = key;
  while (!k.empty() && k.front() == '\\') k.erase(0, 1);
  return std::string(kRoot) + "\\" + k;
}

// UTF-16LE with a byte-order mark (what the Windows registry editor exports)
// becomes UTF-8.
std::string DecodeFile(const std::string& raw) {
  if (raw.size() >= 2 && static_cast<unsigned char>(raw[0]) == 0xFF &&
      static_cast<unsigned char>(raw[1]) == 0xFE) {
    std::string out;
    for (size_t i = 2; i + 1 < raw.size(); i += 2) {
      uint32_t cp = static_cast<unsigned char>(raw[i]) | (static_cast<unsigned char>(raw[i + 1]) << 8);
      if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < raw.size()) {
        uint32_t lo = static_cast<unsigned char>(raw[i + 2]) | (static_cast<unsigned char>(raw[i + 3]) << 8);
        if (lo >= 0xDC00 && lo <= 0xDFFF) {
          cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
          i += 2;
        }
      }
      if (cp < 0x80) out += static_cast<char>(cp);
      else if (cp < 0x800) { out += static_cast<char>(0xC0 | (cp >> 6)); out += static_cast<char>(0x80 | (cp & 0x3F)); }
      else if (cp < 0x10000) { out += static_cast<char>(0xE0 | (cp >> 12)); out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F)); out += static_cast<char>(0x80 | (cp & 0x3F)); }
      else { out += static_cast<char>(0xF0 | (cp >> 18)); out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F)); out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F)); out += static_cast<char>(0x80 | (cp & 0x3F)); }
    }
    return out;
  }
  if (StartsWith(raw, "\xEF\xBB\xBF")) return raw.substr(3);
  return raw;
}

// Reads a quoted string starting at s[pos] == '"'; pos ends after the closing quote.
bool ReadQuoted(const std::string& s, size_t& pos, std::string& out) {
  if (pos >= s.size() || s[pos] != '"') return false;
  ++pos;
  out.clear();
  while (pos < s.size()) {
    char c = s[pos++];
    if (c == '\\' && pos < s.size()) {
      out += s[pos++];
    } else if (c == '"') {
      return true;
    } else {
      out += c;
    }
  }
  return false;
}

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}
}  // namespace

TRegistryStore::TRegistryStore(std::string file_name) : FFileName(std::move(file_name)) {
  std::ifstream in(FFileName, std::ios::binary);
  if (!in) return;
  std::stringstream buffer;
  buffer << in.rdbuf();
  Parse(DecodeFile(buffer.str()));
}

std::string TRegistryStore::DefaultFileName() {
  std::string base = platform::GetEnvVar("XDG_CONFIG_HOME");
  if (base.empty()) base = platform::ProfileFolder() + "/.config";
  return base + "/kestrovia/registry.reg";
}

void TRegistryStore::Parse(const std::string& text) {
  Key* current = nullptr;
  int line_number = 0;
  auto fail = [&](const std::string& why) {
    throw EConfigError(FFileName + ", line " + std::to_string(line_number) + ": " + why);
  };
  for (const std::string& raw : SplitLines(text)) {
    ++line_number;
    std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line_number == 1 && (StartsWith(line, "Windows Registry Editor") || StartsWith(line, "REGEDIT"))) continue;
    if (line[0] == '[') {
      if (line.back() != ']') fail("a key line must end with \"]\"");
      std::string path = line.substr(1, line.size() - 2);
      current = FindKey(path);
      if (!current) {
        FKeys.push_back({path, {}});
        current = &FKeys.back();
      }
      continue;
    }
    if (!current) fail("a value stands before any key");
    std::string name;
    size_t pos = 0;
    if (line[0] == '@') {
      pos = 1;
    } else if (!ReadQuoted(line, pos, name)) {
      fail("a value name must be in double quotes");
    }
    if (pos >= line.size() || line[pos] != '=') fail("\"=\" expected after the value name");
    ++pos;
    std::string rest = line.substr(pos);
    Value value;
    if (!rest.empty() && rest[0] == '"') {
      size_t p = 0;
      std::string text_value;
      if (!ReadQuoted(rest, p, text_value)) fail("unterminated text value");
      value = text_value;
    } else if (StartsWith(AsciiLower(rest), "dword:")) {
      int64_t number;
      if (!ParseInt("0x" + rest.substr(6), number) || number < 0 || number > 0xFFFFFFFFLL)
        fail("malformed dword value");
      value = static_cast<uint32_t>(number);
    } else if (rest == "-") {
      continue;  // a deleted value
    } else {
      // Other types (hex:, hex(2): ...) are kept out of reach of the program.
      continue;
    }
    auto& values = current->Values;
    bool replaced = false;
    for (Entry& e : values)
      if (AsciiEqualNoCase(e.Name, name)) { e.Data = value; replaced = true; }
    if (!replaced) values.push_back({name, value});
  }
}

TRegistryStore::Key* TRegistryStore::FindKey(const std::string& full_path) {
  for (Key& k : FKeys)
    if (AsciiEqualNoCase(k.Path, full_path)) return &k;
  return nullptr;
}

const TRegistryStore::Key* TRegistryStore::FindKey(const std::string& full_path) const {
  for (const Key& k : FKeys)
    if (AsciiEqualNoCase(k.Path, full_path)) return &k;
  return nullptr;
}

std::optional<TRegistryStore::Value> TRegistryStore::Read(const std::string& key,
                                                          const std::string& name) const {
  const Key* k = FindKey(FullPath(key));
  if (!k) return std::nullopt;
  for (const Entry& e : k->Values)
    if (AsciiEqualNoCase(e.Name, name)) return e.Data;
  return std::nullopt;
}

std::optional<std::string> TRegistryStore::ReadString(const std::string& key,
                                                      const std::string& name) const {
  auto v = Read(key, name);
  if (!v) return std::nullopt;
  if (!std::holds_alternative<std::string>(*v))
    throw ERegistryException("Invalid data type for '" + name + "'");
  return std::get<std::string>(*v);
}

std::optional<uint32_t> TRegistryStore::ReadInteger(const std::string& key, const std::string& name) const {
  auto v = Read(key, name);
  if (!v) return std::nullopt;
  if (!std::holds_alternative<uint32_t>(*v))
    throw ERegistryException("Invalid data type for '" + name + "'");
  return std::get<uint32_t>(*v);
}

void TRegistryStore::Write(const std::string& key, const std::string& name, const Value& value) {
  std::string path = FullPath(key);
  Key* k = FindKey(path);
  if (!k) {
    FKeys.push_back({path, {}});
    k = &FKeys.back();
  }
  for (Entry& e : k->Values)
    if (AsciiEqualNoCase(e.Name, name)) {
      e.Data = value;
      return;
    }
  k->Values.push_back({name, value});
}

void TRegistryStore::Save() const {
  std::string out = "Windows Registry Editor Version 5.00\r\n";
  for (const Key& k : FKeys) {
    out += "\r\n[" + k.Path + "]\r\n";
    for (const Entry& e : k.Values) {
      out += e.Name.empty() ? std::string("@") : Quote(e.Name);
      out += "=";
      if (std::holds_alternative<std::string>(e.Data)) {
        const std::string& text = std::get<std::string>(e.Data);
        // A line break cannot stand in a text value of this format: the file
        // would not read back. Refuse it rather than write a broken store.
        if (text.find_first_of("\r\n") != std::string::npos)
          throw EConfigError(FFileName + ": the value \"" + e.Name + "\" of [" + k.Path +
                             "] holds a line break");
        out += Quote(text);
      } else {
        char buf[16];
        std::snprintf(buf, sizeof buf, "dword:%08x", std::get<uint32_t>(e.Data));
        out += buf;
      }
      out += "\r\n";
    }
  }
  size_t slash = FFileName.rfind(platform::kPathDelim);
  if (slash != std::string::npos) platform::CreateDirectories(FFileName.substr(0, slash));
  platform::WriteFileAtomically(FFileName, out);
}
