#pragma once
// The registry of the current user, kept in one file in the format of a
// Windows registry export (REGEDIT5): sections "[HKEY_CURRENT_USER\...]",
// values "Name"="text" and "Name"=dword:0000002a. Key paths and value names
// compare without regard to ASCII case. UTF-8, or UTF-16LE with a byte-order
// mark, is read; UTF-8 is written.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

class TRegistryStore {
 public:
  using Value = std::variant<std::string, uint32_t>;

  // Loads the file; a missing file is an empty registry. A malformed file
  // raises EConfigError naming the file and the line.
  explicit TRegistryStore(std::string file_name);
  // $XDG_CONFIG_HOME/kestrovia/registry.reg (default ~/.config/...).
  static std::string DefaultFileName();

  // Key paths are given below HKEY_CURRENT_USER, e.g. "Software\\kestrovia\\Quorvane8".
  std::optional<Value> Read(const std::string& key, const std::string& name) const;
  // Raise ERegistryException when the value has another type.
  std::optional<std::string> ReadString(const std::string& key, const std::string& name) const;
  std::optional<uint32_t> ReadInteger(const std::string& key, const std::string& name) const;

  void Write(const std::string& key, const std::string& name, const Value& value);
  // Rewrites the file atomically, keeping every other key and value.
  void Save() const;

  const std::string& FileName() const { return FFileName; }

 private:
  struct Entry {
    std::string Name;  // as written
    Value Data;
  };
  struct Key {
    std::string Path;  // full path as written, "HKEY_CURRENT_USER\..."
    std::vector<Entry> Values;
  };
  Key* FindKey(const std::string& full_path);
  const Key* FindKey(const std::string& full_path) const;
  void Parse(const std::string& text);

  std::string FFileName;
  std::vector<Key> FKeys;
};
