#pragma once
// A small synthetic scan for the unit tests of the report writers: the global
// objects the writers read, placeholder language texts "T<index>", and a
// temporary folder (also the data folder) that is removed afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "config/language_handler.h"
#include "driver/globals.h"
#include "scan/display_tables.h"
#include "tests/support/global_objects.h"

class ReportFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    using namespace test_support;
    temp_dir_.emplace("tarvelo-report-");
    dir_ = temp_dir_->path();
    // The data folder is made below a private HOME.
    home_env_.emplace("HOME", dir_.string());
    globals_.emplace(kSystemInfo | kScanResult | kScanTables);
    SetPlaceholderTexts("T", 800, {"", "KB", "MB", "GB", "TB"});
    SetupDisplayTables();
  }

  void TearDown() override {
    globals_.reset();
    home_env_.reset();
    temp_dir_.reset();
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

  static std::string ReadFile(const std::string& path) { return test_support::ReadWholeFile(path); }

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
  std::optional<test_support::ScopedTempDir> temp_dir_;
  std::optional<test_support::ScopedEnv> home_env_;
  std::optional<test_support::ScopedGlobals> globals_;
};
