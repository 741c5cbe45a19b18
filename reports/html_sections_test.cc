#include "reports/html_sections.h"

#include <gtest/gtest.h>

#include "driver/globals.h"
#include "reports/html_report.h"
#include "reports/html_test_fixture.h"
#include "util/text.h"

namespace {

using HtmlSectionsTest = HtmlReportFixture;

const char kSpacer[] = "<table align=\"center\" width=\"770\" border=\"0\"><tr><td>&nbsp;</td></tr></table>";

TEST(HtmlBarsTest, ScaleAndWidthFollowTheRoundedShares) {
  struct Case {
    std::vector<int64_t> values;
    int64_t total;
    int bar_width;
    int64_t scale;
    int64_t first_width;
  };
  const Case cases[] = {
      {{334, 333, 333}, 1000, 150, 33, 152},  // a bar can exceed BarWidth a little
      {{1, 2}, 100000, 150, 150, 0},          // every share rounds to 0: scale BarWidth
      {{125, 875}, 1000, 150, 88, 21},        // 12.5 * 150 / 88 = 21.3
      {{125}, 1000, 230, 12, 240},            // 12.5 rounds to 12 (halves to even)
      {{135}, 1000, 230, 14, 222},            // 13.5 rounds to 14
      {{0}, 0, 150, 150, 0},                  // no total: no bar
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BarScale(c.values, c.total, c.bar_width), c.scale) << c.values[0];
    EXPECT_EQ(BarLength(c.values[0], c.total, c.bar_width, c.scale), c.first_width) << c.values[0];
  }
}

TEST_F(HtmlSectionsTest, MenuListsTheSelectedSectionsInOrder) {
  options_.Layout = "1111111111";
  EXPECT_EQ(BuildHTMLMenu(options_),
            "<a href=\"#op2\">T244</a> || <a href=\"#op3\">T104</a> || <a href=\"#op4\">T276</a> || "
            "<a href=\"#op5\">T377</a> || <a href=\"#op6\">T247</a> || <a href=\"#op7\">T409</a> / "
            "<a href=\"#op7a\">T206</a> || <a href=\"#op8\">T246</a> || <a href=\"#op9\">T619 "
            "(T365)</a> || <a href=\"#op10\">T652</a> || ");
  options_.Layout = "1000000000";
  EXPECT_EQ(BuildHTMLMenu(options_), "");
  options_.Layout = "0000000010321";  // beyond position 10 nothing is selected
  EXPECT_EQ(BuildHTMLMenu(options_), "<a href=\"#op9\">T619 (T365)</a> || ");
}

TEST_F(HtmlSectionsTest, LayoutSizeOutsideTheSetsIsClamped) {
  options_.LayoutSize = 0;
  EXPECT_EQ(Ctx().Widths.TableWidth, 770);
  EXPECT_EQ(Ctx().Options.LayoutSize, 1);
  options_.LayoutSize = 9;
  EXPECT_EQ(Ctx().Widths.TableWidth, 1250);
  EXPECT_EQ(Ctx().Widths.BarWidth, 240);
}

TEST_F(HtmlSectionsTest, EmptyScanWritesHeadingsOnly) {
  const std::string open =
      "<table align=\"center\" width=\"770\" border=\"0\" cellpadding=\"1\" cellspacing=\"1\">";
  auto attrs = Lines(WriteAttributesSection);
  ASSERT_EQ(attrs.size(), 4u);
  EXPECT_EQ(attrs[0], open);
  EXPECT_EQ(attrs[2], "</table>");
  EXPECT_EQ(attrs[3], kSpacer);

  EXPECT_TRUE(Lines(WriteExtensionsSection).empty());

  auto nulls = Lines(WriteNullFilesSection);
  ASSERT_EQ(nulls.size(), 5u);
  EXPECT_EQ(nulls[2],
            "<tr bgcolor=\"#DDDDDD\" class=\"C4G\"><td colspan=\"7\" height=\"13\">T401</td></tr>");

  for (auto writer : {WriteLargestFilesSection, WriteSmallestFilesSection}) {
    auto lines = Lines(writer);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "</table>");
  }
  // Tables without rows are still closed.
  for (auto writer : {WriteCategoriesSection, WriteSizeBandsSection, WriteOwnersSection,
                      WriteRootFoldersSection}) {
    auto lines = Lines(writer);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 2], "</table>");
    EXPECT_EQ(lines.back(), kSpacer);
  }
  std::string summary = Text(WriteSummaryBlock);
  EXPECT_NE(summary.find("<td width=\"170\" class=\"C4R\">T410 </td>\n<td width=\"92\" class=\"C4L\"> - 0</td>"),
            std::string::npos);
  EXPECT_NE(summary.find("T411 </td><td width=\"92\" class=\"C4L\"> - 0</td>"), std::string::npos);
  EXPECT_NE(summary.find("<img src=\"data/dd20240101120000.png\">"), std::string::npos);
}

TEST_F(HtmlSectionsTest, AllEmptyFilesShowCountsButNoSizes) {
  ScanResult->RootFolders.push_back({"sub", 0, {}});
  AddFile("a", 0);
  AddFile("b", 0, 1);
  AddFile("c", 0, 1);
  ScanResult->Magnitude[0] = {3, 0};
  ScanResult->FileAttributes[4] = {3, 0};
  ScanResult->ExtensionSpread[9] = {3, 0};
  for (size_t i = 0; i < ScanResult->Files.size(); ++i) {
    Top101Largest->push_back(&ScanResult->Files[i]);
    NullFiles->push_back(ScanResult->FullPath(ScanResult->Files[i]));
  }

  std::string roots = Text(WriteRootFoldersSection);
  // Count table complete: both entries, shares and bars (2 of 3 files: 67 is the scale).
  EXPECT_NE(roots.find("<td width=\"83\" class=\"C4C\">2</td>\n<td width=\"65\" class=\"C4C\">67%</td>\n"
                       "<td width=\"160\"><table width=\"149\""),
            std::string::npos);
  EXPECT_NE(roots.find("<td width=\"83\" class=\"C4C\">1</td>\n<td width=\"65\" class=\"C4C\">33%</td>\n"
                       "<td width=\"160\"><table width=\"75\""),
            std::string::npos);
  // Size table: its heading rows, then closed.
  size_t size_table = roots.find("T279");
  ASSERT_NE(size_table, std::string::npos);
  EXPECT_EQ(roots.find("<tr bgcolor=", roots.find("T545", size_table)), std::string::npos);
  EXPECT_EQ(roots.find("cd1"), std::string::npos);

  EXPECT_NE(Text(WriteLargestFilesSection).find("<table width=\"140\" border=\"0\" bgcolor=\"#FF0000\""),
            std::string::npos);
  for (auto writer : {WriteAttributesSection, WriteCategoriesSection, WriteSizeBandsSection,
                      WriteOwnersSection, WriteExtensionsSection})
    EXPECT_EQ(Text(writer).find("class=\"C4C\">3</td>"), std::string::npos);
  EXPECT_EQ(Text(WriteOwnersSection).find("<div align=\"center\">3</div>"), std::string::npos);
}

TEST_F(HtmlSectionsTest, HiddenTopLevelFolderInItalicsAndRootEntryLinksToTheScan) {
  ScanResult->RootFolders.push_back({".hidden", kAttrHidden | kAttrDirectory, {}});
  AddFile("a", 10);
  AddFile("b", 30, 1);
  std::string roots = Text(WriteRootFoldersSection);
  EXPECT_NE(roots.find("<a href=\"file:///scan/\" target=\"_blank\">/</a>"), std::string::npos);
  EXPECT_NE(roots.find("<a href=\"file:///scan/.hidden\" target=\"_blank\"><i>.hidden</i></a>"),
            std::string::npos);
  // The chart cells follow each table.
  EXPECT_NE(roots.find("<img src=\"data/cd020240101120000.png\">"), std::string::npos);
  EXPECT_NE(roots.find("<img src=\"data/cd120240101120000.png\">"), std::string::npos);
}

TEST_F(HtmlSectionsTest, MissingDriveDetailsShowAQuestionMark) {
  SystemInfo->DriveSpaceFree = -1;
  EXPECT_NE(Text(WriteSummaryBlock).find("T176 </td><td width=\"92\" class=\"C4L\"> - ?</td></tr>"),
            std::string::npos);
  SystemInfo->DriveSpaceFree = 1536;
  EXPECT_NE(Text(WriteSummaryBlock).find("T176 </td><td width=\"92\" class=\"C4L\"> - 1.50KB</td></tr>"),
            std::string::npos);
}

TEST_F(HtmlSectionsTest, ExtensionTablesNameTheirExtensions) {
  AddFile("x.txt", 600);
  AddFile("y", 300);
  AddFile("z.qqq", 100);
  ExtensionTable->AddExtension({"txt", 1, 1, 600});
  ExtensionTable->AddExtension({"", 9, 1, 300});
  ExtensionTable->AddExtension({"qqq", 9, 1, 100});
  ScanResult->ExtensionSpread[1] = {1, 600};
  ScanResult->ExtensionSpread[9] = {2, 400};
  std::string text = Text(WriteExtensionsSection);
  EXPECT_NE(text.find("<td width=\"100\" height=\"13\">.txt</td>"), std::string::npos);
  EXPECT_NE(text.find("<td width=\"100\" height=\"13\"><i>none</i></td>"), std::string::npos);
  EXPECT_NE(text.find("<td width=\"100\" height=\"13\">qqq</td>"), std::string::npos);
  EXPECT_NE(text.find("<b>Cat9 [ 2 files (67%) / 400 (40%) ]</b>"), std::string::npos);
  // Category 9 scales its own bars: its largest byte share (30 %) gets the
  // full width, while the overall scale (60 %) halves the bar elsewhere.
  EXPECT_NE(text.find("<table width=\"150\" border=\"0\" bgcolor=\"#FF0000\" height=\"8\" cellpadding=\"0\" "
                      "cellspacing=\"0\">\n<tr><td></td></tr>\n</table>"),
            std::string::npos);
  EXPECT_EQ(Text(WriteExtensionsSection).find("Cat2"), std::string::npos);
}

TEST_F(HtmlSectionsTest, HostileNamesAreEscapedEverywhere) {
  const std::string evil = "<img src=x onerror=\"alert(1)\">&#%?";
  ScanResult->ScanPath = "/scan/" + evil + "/";
  ScanResult->Folders[0] = ScanResult->ScanPath;
  ScanResult->RootFolders.push_back({evil, 0, {}});
  ScanResult->Users[0].Name = evil;
  AddFile(evil, 1, 1);
  AddFile("big", 100000);
  ExtensionTable->AddExtension({evil, 9, 1, 1});
  ExtensionTable->AddExtension({evil, 1, 1, 100000});
  ScanResult->ExtensionSpread[9] = {1, 1};
  ScanResult->ExtensionSpread[1] = {1, 100000};
  Top101Largest->push_back(&ScanResult->Files[0]);
  Top101Smallest->push_back(&ScanResult->Files[0]);
  NullFiles->push_back(ScanResult->FullPath(ScanResult->Files[0]));

  std::string all;
  THtmlPage page;
  THtmlContext ctx = Ctx();
  WriteHeaderBlock(page, ctx, BuildHTMLMenu(options_));
  for (auto writer : {WriteSummaryBlock, WriteAttributesSection, WriteCategoriesSection,
                      WriteRootFoldersSection, WriteSizeBandsSection, WriteExtensionsSection,
                      WriteNullFilesSection, WriteFileDatesSection, WriteLargestFilesSection,
                      WriteSmallestFilesSection, WriteOwnersSection})
    writer(page, ctx);
  all = page.Buffered();
  EXPECT_EQ(all.find(evil), std::string::npos);
  EXPECT_EQ(all.find("onerror=\""), std::string::npos);
  EXPECT_EQ(all.find("<=Band"), std::string::npos);
  EXPECT_NE(all.find("&lt;img src=x onerror=&quot;alert(1)&quot;&gt;&amp;#%?"), std::string::npos);
  EXPECT_NE(all.find("&lt;=Band0"), std::string::npos);
  EXPECT_NE(all.find("&lt;0.1%"), std::string::npos);  // the share of the 1-byte file
  EXPECT_NE(all.find("href=\"file:///scan/%3Cimg%20src%3Dx%20onerror%3D%22alert%281%29%22%3E%26%23%25%3F/\""),
            std::string::npos);
  // Control characters and bytes that are not UTF-8 do not reach the page raw.
  ScanResult->Users[0].Name = "a\x01\xFF";
  EXPECT_NE(Text(WriteOwnersSection).find("a?\xEF\xBF\xBD"), std::string::npos);
}

TEST_F(HtmlSectionsTest, SizeCellsAlignByUnitCode) {
  AddFile("a", 2048);
  ScanResult->Magnitude[1] = {1, 2048};
  options_.HTMLUnits = 0;
  std::string centred = Text(WriteSizeBandsSection);
  EXPECT_NE(centred.find("<div align=\"center\">2.00KB</div>"), std::string::npos);
  EXPECT_EQ(centred.find("<div align=\"right\">"), std::string::npos);
  options_.HTMLUnits = 1;
  std::string right = Text(WriteSizeBandsSection);
  EXPECT_NE(right.find("<div align=\"right\">2048</div>"), std::string::npos);
  EXPECT_EQ(right.find("<div align=\"center\">"), std::string::npos);
}

TEST_F(HtmlSectionsTest, OwnersAreListedByBytesWithoutReorderingTheScan) {
  ScanResult->Users.push_back({"small", {}, {}, {}});
  ScanResult->Users.push_back({"large", {}, {}, {}});
  ScanResult->Users.push_back({"idle", {}, {}, {}});
  AddFile("a", 10, 0, 0);
  AddFile("b", 5, 0, 1);
  AddFile("c", 50, 0, 2);
  std::string text = Text(WriteOwnersSection);
  size_t large = text.find(">large<"), root = text.find(">root<"), small = text.find(">small<"),
         idle = text.find(">idle<");
  ASSERT_NE(idle, std::string::npos);  // an owner without files gets a row too
  EXPECT_LT(large, root);
  EXPECT_LT(root, small);
  EXPECT_LT(small, idle);
  EXPECT_EQ(ScanResult->Users[1].Name, "small");
  EXPECT_EQ(ScanResult->Users[2].Name, "large");
}

TEST_F(HtmlSectionsTest, ChartFlagOffWritesNoImage) {
  AddFile("a", 10);
  ScanResult->ExtensionSpread[9] = {1, 10};
  ScanResult->Magnitude[0] = {1, 10};
  options_.Layout = "0111111111";
  THtmlPage page;
  THtmlContext ctx = Ctx();
  WriteHeaderBlock(page, ctx, BuildHTMLMenu(options_));
  for (auto writer : {WriteSummaryBlock, WriteCategoriesSection, WriteRootFoldersSection,
                      WriteSizeBandsSection, WriteFileDatesSection})
    writer(page, ctx);
  EXPECT_EQ(page.Buffered().find("<img"), std::string::npos);
  EXPECT_EQ(page.Buffered().find("name=\"op8\""), std::string::npos);
}

}  // namespace
