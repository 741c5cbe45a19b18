#pragma once
// Set-up shared by the unit-test fixtures: the process-wide objects of a run,
// placeholder language texts, a private HOME and unique temporary paths.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "config/language_handler.h"
#include "driver/globals.h"
#include "scan/display_tables.h"

namespace test_support {

// The globals a fixture asks for. Parts of the program behave differently when
// one of them is missing, so each fixture names exactly the ones it needs.
enum GlobalObject : unsigned {
  kTextTablesOnly = 0,  // no objects; only the text tables are saved and restored
  kSystemInfo = 1u << 0,
  kSettings = 1u << 1,
  kScanResult = 1u << 2,
  kScanTables = 1u << 3,  // ExtensionTable, Top101Largest, Top101Smallest, NullFiles
};

// Creates the requested globals, empty, and frees them again; the text tables
// the fixtures fill with placeholders are put back as they were.
class ScopedGlobals {
 public:
  explicit ScopedGlobals(unsigned objects)
      : language_(LanguageStrings),
        units_(UnitStrings),
        categories_(CategoryNames),
        attributes_(AttributeLabels),
        months_(MonthNames),
        bands_(MagnitudeBandLabels) {
    if (objects & kSystemInfo) SystemInfo = new TSystemGlobal();
    if (objects & kSettings) Settings = new TSettingsObject();
    if (objects & kScanResult) ScanResult = new TScanDetails();
    if (objects & kScanTables) {
      ExtensionTable = new TFileExtensionsObject();
      Top101Largest = new std::vector<const TFileObject*>();
      Top101Smallest = new std::vector<const TFileObject*>();
      NullFiles = new std::vector<std::string>();
    }
  }
  ~ScopedGlobals() {
    // Each global is freed and cleared, so a later fixture never sees a stale one.
    Free(NullFiles);
    Free(Top101Smallest);
    Free(Top101Largest);
    Free(ExtensionTable);
    Free(ScanResult);
    Free(Settings);
    Free(SystemInfo);
    LanguageStrings = language_;
    UnitStrings = units_;
    CategoryNames = categories_;
    AttributeLabels = attributes_;
    MonthNames = months_;
    MagnitudeBandLabels = bands_;
  }
  ScopedGlobals(const ScopedGlobals&) = delete;
  ScopedGlobals& operator=(const ScopedGlobals&) = delete;

 private:
  template <typename T>
  static void Free(T*& object) {
    delete object;
    object = nullptr;
  }

  std::vector<std::string> language_, units_;
  decltype(CategoryNames) categories_;
  decltype(AttributeLabels) attributes_;
  decltype(MonthNames) months_;
  decltype(MagnitudeBandLabels) bands_;
};

// Language texts "<prefix><index>" for the indexes 0 to count - 1, so a line
// shows which text it used.
inline void SetPlaceholderTexts(const std::string& prefix, int count, std::vector<std::string> units) {
  LanguageStrings.clear();
  for (int i = 0; i < count; ++i) LanguageStrings.push_back(prefix + std::to_string(i));
  UnitStrings = std::move(units);
}

// Sets an environment variable for the life of the object, then restores it
// (or removes it again when it was not set).
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (saved_)
      setenv(name_.c_str(), saved_->c_str(), 1);
    else
      unsetenv(name_.c_str());
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> saved_;
};

// A path in the temporary folder that no other test, nor another run of the
// tests at the same time, uses: "<prefix><random><suffix>".
inline std::filesystem::path UniqueTempPath(const std::string& prefix, const std::string& suffix = "") {
  std::random_device random;
  return std::filesystem::temp_directory_path() /
         (prefix + std::to_string(random()) + std::to_string(random()) + suffix);
}

// A folder made at a unique temporary path and removed with all it holds.
class ScopedTempDir {
 public:
  explicit ScopedTempDir(const std::string& prefix) : path_(UniqueTempPath(prefix)) {
    std::filesystem::create_directories(path_);
  }
  ~ScopedTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The bytes of a file as written; empty when it cannot be read.
inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace test_support
