#pragma once
// A small synthetic scan for the unit tests of the report writers: the global
// objects the writers read, placeholder language texts "T<index>", and a
// temporary folder (also the data folder) that is removed afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "config/language_handler.h"
#include "driver/globals.h"
#include "scan/display_tables.h"

class ReportFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    dir_ = std::filesystem::temp_directory_path() / ("tarvelo-report-" + std::to_string(random()));
    std::filesystem::create_directories(dir_);
    // The data folder is made below a private HOME.
    const char* home = std::getenv("HOME");
    saved_home_ = home ? home : "";
    setenv("HOME", dir_.c_str(), 1);
    LanguageStrings.clear();
    for (int i = 0; i < 800; ++i) LanguageStrings.push_back("T" + std::to_string(i));
    UnitStrings = {"", "KB", "MB", "GB", "TB"};
    SetupDisplayTables();
    SystemInfo = new TSystemGlobal();

    ScanResult = new TScanDetails();
    ExtensionTable = new TFileExtensionsObject();
    NullFiles = new std::vector<std::string>();
    Top101Largest = new std::vector<const TFileObject*>();
    Top101Smallest = new std::vector<const TFileObject*>();
  }

  void TearDown() override {
    delete ScanResult;
    ScanResult = nullptr;
    delete ExtensionTable;
    ExtensionTable = nullptr;
    delete NullFiles;
    NullFiles = nullptr;
    delete Top101Largest;
    Top101Largest = nullptr;
    delete Top101Smallest;
    Top101Smallest = nullptr;
    delete SystemInfo;
    SystemInfo = nullptr;
    setenv("HOME", saved_home_.c_str(), 1);
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  // Adds an entry in folder `folder` (added to Folders when new).
  TFileObject& AddEntry(const std::string& folder, const std::string& name, int64_t size,
                        uint32_t attributes = 0, int category = 1) {
    TScanDetails& scan = *ScanResult;
    int32_t index = -1;
    for (size_t i = 0; i < scan.Folders.size(); ++i)
      if (scan.Folders[i] == folder) index = static_cast<int32_t>(i);
    if (index < 0) {
      scan.Folders.push_back(folder);
      index = static_cast<int32_t>(scan.Folders.size() - 1);
    }
    TFileObject entry;
    entry.FilePathIndex = index;
    entry.FileName = name;
    entry.FileSize = size;
    entry.FileSizeOnDisk = (size + 4095) / 4096 * 4096;
    entry.FileDateC = 20190305;
    entry.FileDateA = 20200101;
    entry.FileDateM = 20211231;
    entry.FileTimeC = 907;
    entry.FileTimeA = 7;
    entry.FileTimeM = 2359;
    entry.Attributes = attributes;
    entry.FileCategory = static_cast<uint16_t>((attributes & kAttrDirectory) ? 0 : category);
    scan.Files.push_back(entry);
    return scan.Files.back();
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  // Lines of a CR LF file; a bare CR or LF is a test failure.
  static std::vector<std::string> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
        lines.push_back(text.substr(start, i - start));
        start = i + 2;
        ++i;
      } else if (text[i] == '\r' || text[i] == '\n') {
        ADD_FAILURE() << "bare line break at byte " << i;
      }
    }
    if (start != text.size()) ADD_FAILURE() << "last line without CR LF";
    return lines;
  }

  std::filesystem::path dir_;
  std::string saved_home_;
};
