#pragma once
// A small synthetic scan in the global scan result, with the names that break
// naive SQL (both quote kinds, bytes that are not UTF-8, a line break), and a
// private data folder; for the tests of the database writers.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "config/language_handler.h"
#include "config/system_global.h"
#include "driver/globals.h"
#include "tests/support/global_objects.h"
#include "util/text.h"

// The columns of an entry row, in the order of ExpectedEntryRows.
inline constexpr char kEntryColumns[] =
    "FilePath, FileName, FileSize, FileSizeDisk, FileDateC, FileDateA, FileDateM, Category, "
    "Directory, Readonly, Hidden, System, Archive, Temp, Owner";

class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    using namespace test_support;
    temp_dir_.emplace("tarvelo-export-");
    tmp_ = temp_dir_->path().string();
    home_env_.emplace("HOME", tmp_);
    config_env_.emplace("XDG_CONFIG_HOME", tmp_ + "/.config");
    globals_.emplace(kSystemInfo | kScanResult);
    LanguageStrings.assign(1000, "Text");
    UnitStrings = {"", "KB", "MB", "GB", "TB"};
    FillScan(*ScanResult);
  }
  void TearDown() override {
    globals_.reset();
    config_env_.reset();
    home_env_.reset();
    temp_dir_.reset();
  }

  static void FillScan(TScanDetails& scan) {
    scan.ScanPath = "/data/Mixed\"Case'/";
    scan.ScanDateStr = "2024/03/05 09:07:01";
    scan.ScanDateInt = "20240305090701";
    scan.Folders = {"/data/Mixed\"Case'/", "/data/Mixed\"Case'/sub \"x\"/"};
    scan.Users = {{"root"}, {"o'brien \"q\""}};
    TFileObject folder;
    folder.FilePathIndex = 0;
    folder.FileName = "sub \"x\"";
    folder.Attributes = kAttrDirectory;
    folder.FileDateC = folder.FileDateA = folder.FileDateM = 20240301;
    TFileObject a;
    a.FilePathIndex = 1;
    a.FileName = "it's \"quoted\".txt";
    a.FileSize = 5000000000LL;
    a.FileSizeOnDisk = 5000003584LL;
    a.FileDateC = 20230101;
    a.FileDateA = 20240304;
    a.FileDateM = 20230615;
    a.FileCategory = 3;
    a.Attributes = kAttrReadOnly | kAttrHidden | kAttrArchive;
    a.Owner = 1;
    TFileObject b;
    b.FilePathIndex = 0;
    b.FileName = "bad\xFF" "byte\nline";
    b.FileSize = 7;
    b.FileSizeOnDisk = 4096;
    b.FileCategory = 1;
    b.Attributes = kAttrSystem;
    b.Temp = true;
    scan.Files = {folder, a, b};
    scan.FileCount = 2;
    scan.FolderCount = 1;
    scan.TotalSize = a.FileSize + b.FileSize;
    scan.TotalSizeOD = a.FileSizeOnDisk + b.FileSizeOnDisk;
  }

  // One text per row: the columns of `sql` joined by "|".
  static std::vector<std::string> Query(const std::string& file, const std::string& sql) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* stmt = nullptr;
    std::vector<std::string> rows;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
      ADD_FAILURE() << sqlite3_errmsg(db) << " in " << sql;
    } else {
      while (sqlite3_step(stmt) == SQLITE_ROW) {
        std::string row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
          if (i) row += "|";
          const unsigned char* text = sqlite3_column_text(stmt, i);
          row += text ? reinterpret_cast<const char*>(text) : "NULL";
        }
        rows.push_back(row);
      }
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
  }

  // What the tables must hold for the entries of FillScan, in list order:
  // FilePath, FileName, FileSize, FileSizeDisk, FileDateC, FileDateA, FileDateM,
  // Category, Directory, Readonly, Hidden, System, Archive, Temp, Owner.
  static std::vector<std::string> ExpectedEntryRows() {
    const std::string root = "/data/Mixed\"Case'/";
    return {
        root + "|sub \"x\"|0|0|20240301|20240301|20240301|0|1|0|0|0|0|0|root",
        root + "sub \"x\"/|it's \"quoted\".txt|5000000000|5000003584|20230101|20240304|20230615|3|0|1|1|0|1|0|o'brien \"q\"",
        root + "|" + ValidUtf8("bad\xFF" "byte\nline") + "|7|4096|0|0|0|1|0|0|0|1|0|1|root",
    };
  }

  std::string DatabaseFile() const { return tmp_ + "/history.db"; }

  std::string tmp_;

 private:
  std::optional<test_support::ScopedTempDir> temp_dir_;
  std::optional<test_support::ScopedEnv> home_env_, config_env_;
  std::optional<test_support::ScopedGlobals> globals_;
};

// The SQLite ODBC driver, as registered by the test services.
inline std::string SqliteOdbcConnection(const std::string& file) {
  return "Driver={SQLite3};Database=" + file + ";";
}
