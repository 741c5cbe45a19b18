#pragma once
// A synthetic scan in the global objects for the XML writer tests, and the
// document read back as lines.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/language_handler.h"
#include "config/settings.h"
#include "driver/globals.h"
#include "reports/report_file.h"
#include "scan/display_tables.h"
#include "tests/support/global_objects.h"

class XmlDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    using namespace test_support;
    globals_.emplace(kSettings | kScanResult | kScanTables);
    SetPlaceholderTexts("Text ", 700, {"", "KB", "MB", "GB", "TB"});
    for (int c = 0; c < kCategoryCount; ++c) CategoryNames[c] = "Cat" + std::to_string(c);
    for (int i = 0; i < 14; ++i) AttributeLabels[i] = "Attr" + std::to_string(i + 1);
    for (int i = 0; i < 12; ++i) MonthNames[i] = "Text " + std::to_string(12 + i);
    ScanResult->ScanPath = "/data/";
    ScanResult->Folders = {"/data/"};
    ScanResult->Users = {TUserData{"root", {}, {}, {}}};
    path_ = test_support::UniqueTempPath("tarvelo-xml-", ".xml").string();
  }

  void TearDown() override {
    std::remove(path_.c_str());
    globals_.reset();
  }

  // Writes a document with `write` and returns its lines; every line must
  // end in CR LF and no bare line feed may appear.
  std::vector<std::string> Document(const std::function<void(TReportFile&)>& write) {
    {
      TReportFile out;
      EXPECT_TRUE(out.Create(path_)) << out.CreateError();
      write(out);
      out.Close();
    }
    std::string text = test_support::ReadWholeFile(path_);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find("\r\n", start);
      EXPECT_NE(end, std::string::npos) << "last line without CR LF";
      if (end == std::string::npos) break;
      std::string line = text.substr(start, end - start);
      EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "bare line break in: " << line;
      lines.push_back(line);
      start = end + 2;
    }
    return lines;
  }

  // Lines from the first equal to `from` up to and including the first
  // equal to `to` after it.
  static std::vector<std::string> Slice(const std::vector<std::string>& lines, const std::string& from,
                                        const std::string& to, size_t skip = 0) {
    size_t i = 0;
    for (size_t seen = 0; i < lines.size(); ++i)
      if (lines[i] == from && seen++ == skip) break;
    std::vector<std::string> out;
    for (; i < lines.size(); ++i) {
      out.push_back(lines[i]);
      if (lines[i] == to && out.size() > 1) break;
    }
    return out;
  }

  std::optional<test_support::ScopedGlobals> globals_;
  std::string path_;
};
