#pragma once
// Loads the language texts and unit symbols of the chosen language, with the
// fallback to "uk", and fills the unit symbols into the size-band labels.
#include <array>
#include <string>
#include <vector>

extern std::vector<std::string> LanguageStrings;
extern std::vector<std::string> UnitStrings;
extern std::array<std::string, 13> MagnitudeBandLabels;

// Language text by index; a missing index raises EListError (the error guard
// then ends the run).
const std::string& LanguageText(int index);
// Unit symbol by index (1 K, 2 M, 3 G, 4 T); EListError when missing.
const std::string& UnitText(int index);

class TLanguageHandler {
 public:
  static std::string GetLanguageSymbol(int number);
  static void InitLanguage(int number);  // may exit the program
  static bool LoadLanguage(const std::string& file_name);
  static bool LoadUnits(const std::string& file_name);
};
