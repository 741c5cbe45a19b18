#pragma once
// Test fixture of the HTML report tests: the globals of a run with a
// synthetic scan of "/scan/", built by the test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "config/language_handler.h"
#include "config/number_format.h"
#include "driver/globals.h"
#include "reports/html_sections.h"
#include "scan/display_tables.h"
#include "util/text.h"

// Globals of a run with a synthetic scan: the language text i reads "T<i>",
// so every line can be checked for the text it names.
class HtmlReportFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = std::filesystem::temp_directory_path() /
            ("tarvelo-html-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(home_);
    const char* home = std::getenv("HOME");
    saved_home_ = home ? home : "";
    saved_language_ = LanguageStrings;
    saved_units_ = UnitStrings;
    saved_categories_ = CategoryNames;
    saved_attributes_ = AttributeLabels;
    saved_bands_ = MagnitudeBandLabels;
    setenv("HOME", home_.c_str(), 1);
    LanguageStrings.clear();
    for (int i = 0; i <= 702; ++i) LanguageStrings.push_back("T" + std::to_string(i));
    UnitStrings = {"B", "KB", "MB", "GB", "TB"};
    AppFormatSettings.DecimalSeparator = '.';
    for (int i = 0; i < kCategoryCount; ++i) CategoryNames[i] = "Cat" + std::to_string(i);
    for (int i = 0; i < 14; ++i) AttributeLabels[i] = "Attr" + std::to_string(i);
    for (int i = 0; i < kMagnitudeBands; ++i) MagnitudeBandLabels[i] = "<=Band" + std::to_string(i);

    SystemInfo = new TSystemGlobal();
    Settings = new TSettingsObject();
    const int32_t colours[11] = {0x990000, 0x000000, 0xFFFFFF, 0x990000, 0x0000FF, 0xFF9900,
                                 0xFFFFFF, 0x000000, 0xFFFFFF, 0xDDDDDD, 0xCCCCCC};
    for (int i = 0; i < 11; ++i) Settings->Report.HTMLColours[i] = colours[i];
    for (int i = 0; i < kCategoryCount; ++i) SystemInfo->FileCategoryColors[i] = 0x123456;
    SystemInfo->DriveSpaceFree = 1000;
    SystemInfo->DriveSpaceMax = 4000;
    ScanResult = new TScanDetails();
    ScanResult->ScanPath = "/scan/";
    ScanResult->Folders.push_back("/scan/");
    ScanResult->RootFolders.push_back({"/", 0, {}});
    ScanResult->Users.push_back({"root", {}, {}, {}});
    ExtensionTable = new TFileExtensionsObject();
    Top101Largest = new std::vector<const TFileObject*>();
    Top101Smallest = new std::vector<const TFileObject*>();
    NullFiles = new std::vector<std::string>();

    options_.Layout = "1111111111";
    options_.LayoutSize = 1;
    options_.HTMLUnits = 1;
    options_.CategoryList = std::string(19, '1');
  }

  void TearDown() override {
    delete NullFiles;
    delete Top101Smallest;
    delete Top101Largest;
    delete ExtensionTable;
    delete ScanResult;
    delete Settings;
    delete SystemInfo;
    NullFiles = nullptr;
    Top101Smallest = Top101Largest = nullptr;
    ExtensionTable = nullptr;
    ScanResult = nullptr;
    Settings = nullptr;
    SystemInfo = nullptr;
    std::filesystem::remove_all(home_);
    setenv("HOME", saved_home_.c_str(), 1);
    LanguageStrings = saved_language_;
    UnitStrings = saved_units_;
    CategoryNames = saved_categories_;
    AttributeLabels = saved_attributes_;
    MagnitudeBandLabels = saved_bands_;
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
  std::string saved_home_;
  std::vector<std::string> saved_language_, saved_units_;
  std::array<std::string, kCategoryCount> saved_categories_;
  std::array<std::string, 14> saved_attributes_;
  std::array<std::string, 13> saved_bands_;
  THTMLReportOptions options_;
};
