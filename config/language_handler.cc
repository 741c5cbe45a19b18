#include "config/language_handler.h"

#include <fstream>
#include <iostream>
#include <sstream>

#include "config/system_global.h"
#include "driver/globals.h"
#include "driver/log.h"
#include "platform/platform.h"
#include "util/errors.h"
#include "util/exit_status.h"
#include "util/text.h"

std::vector<std::string> LanguageStrings;
std::vector<std::string> UnitStrings;
std::array<std::string, 13> MagnitudeBandLabels = {
    "<=1$K",         "1$K<=1$M",     "1$M<=10$M",    "10$M<=50$M",   "50$M<=100$M",
    "100$M<=150$M", "150$M<=200$M", "200$M<=250$M", "250$M<=500$M", "500$M<=1$G",
    "1$G<=2$G",     "2$G<=5$G",     ">5$G"};

const std::string& LanguageText(int index) {
  if (index < 0 || index >= static_cast<int>(LanguageStrings.size()))
    throw EListError("List index out of bounds (" + std::to_string(index) +
                     "): the language file has no text " + std::to_string(index));
  return LanguageStrings[index];
}

const std::string& UnitText(int index) {
  if (index < 0 || index >= static_cast<int>(UnitStrings.size()))
    throw EListError("List index out of bounds (" + std::to_string(index) +
                     "): the units file has no symbol " + std::to_string(index));
  return UnitStrings[index];
}

std::string TLanguageHandler::GetLanguageSymbol(int number) {
  static const char* kSymbols[] = {"uk", "nl", "fr", "de", "it", "pt", "es",
                                   "sw", "cz", "hu", "us", "ru", "cat"};
  if (number < 0 || number > 12) return "uk";
  return kSymbols[number];
}

namespace {
bool LoadLines(const std::string& file_name, std::vector<std::string>& lines) {
  if (!platform::FileExists(file_name)) return false;
  std::ifstream in(file_name, std::ios::binary);
  if (!in) return false;
  std::stringstream buffer;
  buffer << in.rdbuf();
  std::string text = buffer.str();
  if (StartsWith(text, "\xEF\xBB\xBF")) text.erase(0, 3);  // byte-order mark
  lines = SplitLines(text);
  return true;
}

std::string LanguageFolder(const std::string& symbol) {
  const char d = platform::kPathDelim;
  return SystemInfo->AppPath + "data" + d + "languages" + d + symbol + d;
}

[[noreturn]] void MissingFile(const std::string& what, const std::string& path) {
  LogError(what + " \"" + path + "\"");
  // Without this line the run would end in silence.
  std::cerr << "tarvelo: missing installation file \"" << ValidUtf8(path) << "\"\n";
  ExitProgram(kExitInstallation);
}
}  // namespace

bool TLanguageHandler::LoadLanguage(const std::string& file_name) {
  LogInfo("Loading language");
  return LoadLines(file_name, LanguageStrings);
}

bool TLanguageHandler::LoadUnits(const std::string& file_name) {
  LogInfo("Loading units");
  return LoadLines(file_name, UnitStrings);
}

void TLanguageHandler::InitLanguage(int number) {
  std::string path = LanguageFolder(GetLanguageSymbol(number)) + "language.txt";
  if (!platform::FileExists(path)) {
    number = 0;
    path = LanguageFolder(GetLanguageSymbol(0)) + "language.txt";
  }
  if (!LoadLanguage(path)) MissingFile("Language file missing", path);

  path = LanguageFolder(GetLanguageSymbol(number)) + "units.txt";
  if (!platform::FileExists(path)) path = LanguageFolder(GetLanguageSymbol(0)) + "units.txt";
  if (!LoadUnits(path)) MissingFile("Language unit file missing", path);

  for (std::string& label : MagnitudeBandLabels) {
    label = ReplaceAll(label, "$K", UnitText(1));
    label = ReplaceAll(label, "$M", UnitText(2));
    label = ReplaceAll(label, "$G", UnitText(3));
  }
}
