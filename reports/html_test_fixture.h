#pragma once
// Test fixture of the HTML report tests: the globals of a run with a
// synthetic scan of "/scan/", built by the test.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "config/language_handler.h"
#include "config/number_format.h"
#include "driver/globals.h"
#include "reports/html_sections.h"
#include "scan/display_tables.h"
#include "tests/support/global_objects.h"
#include "util/text.h"

// Globals of a run with a synthetic scan: the language text i reads "T<i>",
// so every line can be checked for the text it names.
class HtmlReportFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    using namespace test_support;
    home_dir_.emplace("tarvelo-html-");
    home_ = home_dir_->path();
    home_env_.emplace("HOME", home_.string());
    globals_.emplace(kSystemInfo | kSettings | kScanResult | kScanTables);
    SetPlaceholderTexts("T", 703, {"B", "KB", "MB", "GB", "TB"});
    AppFormatSettings.DecimalSeparator = '.';
    for (int i = 0; i < kCategoryCount; ++i) CategoryNames[i] = "Cat" + std::to_string(i);
    for (int i = 0; i < 14; ++i) AttributeLabels[i] = "Attr" + std::to_string(i);
    for (int i = 0; i < kMagnitudeBands; ++i) MagnitudeBandLabels[i] = "<=Band" + std::to_string(i);

    const int32_t colours[11] = {0x990000, 0x000000, 0xFFFFFF, 0x990000, 0x0000FF, 0xFF9900,
                                 0xFFFFFF, 0x000000, 0xFFFFFF, 0xDDDDDD, 0xCCCCCC};
    for (int i = 0; i < 11; ++i) Settings->Report.HTMLColours[i] = colours[i];
    for (int i = 0; i < kCategoryCount; ++i) SystemInfo->FileCategoryColors[i] = 0x123456;
    SystemInfo->DriveSpaceFree = 1000;
    SystemInfo->DriveSpaceMax = 4000;
    ScanResult->ScanPath = "/scan/";
    ScanResult->Folders.push_back("/scan/");
    ScanResult->RootFolders.push_back({"/", 0, {}});
    ScanResult->Users.push_back({"root", {}, {}, {}});

    options_.Layout = "1111111111";
    options_.LayoutSize = 1;
    options_.HTMLUnits = 1;
    options_.CategoryList = std::string(19, '1');
  }

  void TearDown() override {
    globals_.reset();
    home_env_.reset();
    home_dir_.reset();
  }

  // A file directly in the scanned folder or under top-level folder `root`;
  // the statistics the analysis would make are added as well.
  void AddFile(const std::string& name, int64_t size, int root = 0, int owner = 0) {
    TFileObject f;
    f.FileName = name;
    f.FileSize = size;
    f.Owner = owner;
    f.RootFolderIndex = root;
    f.FileDateM = 20240101;
    ScanResult->Files.push_back(f);
    ScanResult->FileCount += 1;
    ScanResult->TotalSize += size;
    ScanResult->TotalSizeOD += size;
    ScanResult->RootFolders[root].Data[0] += 1;
    ScanResult->RootFolders[root].Data[1] += size;
    ScanResult->Users[owner].Data[0] += 1;
    ScanResult->Users[owner].Data[1] += size;
  }

  THtmlContext Ctx(const std::string& stamp = "20240101120000") {
    return MakeHtmlContext(options_, stamp);
  }

  template <typename Writer>
  std::vector<std::string> Lines(Writer writer) {
    THtmlPage page;
    THtmlContext ctx = Ctx();
    writer(page, ctx);
    std::string all = page.Buffered();
    EXPECT_TRUE(all.empty() || EndsWith(all, "\r\n"));
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = all.find("\r\n", start)) != std::string::npos; start = at + 2)
      lines.push_back(all.substr(start, at - start));
    return lines;
  }
  std::string Text(void (*writer)(THtmlPage&, const THtmlContext&)) {
    std::string all;
    for (const auto& l : Lines(writer)) all += l + "\n";
    return all;
  }

  std::filesystem::path home_;
  std::optional<test_support::ScopedTempDir> home_dir_;
  std::optional<test_support::ScopedEnv> home_env_;
  std::optional<test_support::ScopedGlobals> globals_;
  THTMLReportOptions options_;
};
