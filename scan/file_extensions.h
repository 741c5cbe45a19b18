#pragma once
// The extension-category table: loaded from one list file per category, it
// decides each file's category by its extension and doubles as the
// per-extension statistics of the scan. Category 0 holds temporary-file
// patterns, not extensions.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "scan/scan_details.h"

// Base names of the list files, by category (9 has no list).
extern const std::array<const char*, kCategoryCount> kCategoryFileNames;

// The extension of a file name as the table holds it: the text after the last
// dot, ASCII letters lower-cased; empty when the name has no dot.
std::string ExtensionOf(std::string_view file_name);

// Result of a lookup.
struct TExtensionExistsIn {
  bool NotFound = false;
  // Per category 1..19 the index in CategoryExtensions of the match, or -1.
  std::array<int32_t, kCategoryCount> CategoryLocation{};
  int32_t RawCategory = kCategoryOther;
};

class TFileExtensionsObject {
 public:
  // In load order: category 0, 1..8, 10..19, each in the order of its list;
  // entries appended by the analysis follow.
  std::vector<TFileExtension> CategoryExtensions;

  // Reads the shipped lists under the program folder; false when a list
  // exists but cannot be read.
  bool LoadDefaultFileExtensions();
  // The same from an explicit folder holding <Category>.txt files.
  bool LoadFileExtensionsFrom(const std::string& folder);

  // The lookup of a lower-cased extension without its dot, by the setting
  // HandleMultipleExt: 0 and 1 take the first match in list order, 2 every
  // match (a later one of the same category replacing an earlier one).
  TExtensionExistsIn GetExtensionCategoryID(std::string_view ext);
  TExtensionExistsIn GetExtensionCategoryID(std::string_view ext, int handle_multiple);
  // The lowest matching category of a file name, 9 when none matches.
  int GetExtensionCategoryIDFromName(std::string_view fn);
  static std::string RemoveExtension(const std::string& s);

  // Appends an entry and keeps the lookup index current.
  void AddExtension(const TFileExtension& entry);
  // Zeroes Quantity and Size of every entry.
  void ResetStatistics();

 private:
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  struct Equal {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return a == b; }
  };
  // Name -> indexes of its entries in list order. Temporary-file patterns
  // (category 0) are not extensions and are left out, so a pattern line can
  // never hide an extension of a real category.
  std::unordered_map<std::string, std::vector<int32_t>, Hash, Equal> FIndex;
  size_t FIndexed = 0;  // entries of CategoryExtensions the index covers
  void UpdateIndex();
};
