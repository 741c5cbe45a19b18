#include "reports/html_charts.h"

#include <gtest/gtest.h>

#include "reports/html_test_fixture.h"

namespace {

using HtmlChartsTest = HtmlReportFixture;

const TChart& Find(const std::vector<TNamedChart>& charts, const std::string& name) {
  for (const auto& c : charts)
    if (c.Name == name) return c.Chart;
  ADD_FAILURE() << "no chart " << name;
  static TChart none;
  return none;
}

std::vector<std::string> Labels(const TChart& c) {
  std::vector<std::string> out;
  for (const auto& p : c.Points) out.push_back(p.Label);
  return out;
}

// Width, height, bit depth and colour type from the IHDR chunk.
struct PngHeader {
  uint32_t width = 0, height = 0;
  int depth = 0, colour_type = -1;
};
PngHeader ReadHeader(const std::string& png) {
  PngHeader h;
  if (png.size() < 26 || png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || png.compare(12, 4, "IHDR") != 0)
    return h;
  auto be32 = [&](size_t at) {
    return (uint32_t(uint8_t(png[at])) << 24) | (uint32_t(uint8_t(png[at + 1])) << 16) |
           (uint32_t(uint8_t(png[at + 2])) << 8) | uint32_t(uint8_t(png[at + 3]));
  };
  h.width = be32(16);
  h.height = be32(20);
  h.depth = uint8_t(png[24]);
  h.colour_type = uint8_t(png[25]);
  return h;
}

TEST_F(HtmlChartsTest, DriveSpacePieRoundsTheFreeShareHalvesToEven) {
  struct Case {
    int64_t free_bytes, total;
    std::vector<double> values;
  };
  const Case cases[] = {
      {305, 1000, {30, 70}},  // 30.5 % free
      {315, 1000, {32, 68}},  // 31.5 % free
      {0, 1000, {0, 100}},
      {1000, 0, {}},          // no drive details: a title and no slices
  };
  for (const Case& c : cases) {
    SystemInfo->DriveSpaceFree = c.free_bytes;
    SystemInfo->DriveSpaceMax = c.total;
    const TChart dd = Find(BuildHTMLCharts(options_), "dd");
    std::vector<double> values;
    for (const auto& p : dd.Points) values.push_back(p.Value);
    EXPECT_EQ(values, c.values) << c.free_bytes << " of " << c.total;
    EXPECT_FALSE(dd.LegendVisible);
    EXPECT_EQ(dd.Title, "T185 \"/scan/\"");
    EXPECT_EQ(dd.Width, 310);
  }
  SystemInfo->DriveSpaceFree = 305;
  SystemInfo->DriveSpaceMax = 1000;
  const TChart dd = Find(BuildHTMLCharts(options_), "dd");
  EXPECT_EQ(Labels(dd), (std::vector<std::string>{"T186", "T198"}));
  EXPECT_EQ(dd.Points[0].Rgb, 0x6BFF43u);
  EXPECT_EQ(dd.Points[1].Rgb, 0xFF5E43u);
}

TEST_F(HtmlChartsTest, PointsLeaveOutZeroValues) {
  ScanResult->RootFolders.push_back({"only-empty", 0, {}});
  ScanResult->RootFolders.push_back({"data", 0, {}});
  AddFile("e1", 0, 1);
  AddFile("d1", 5000, 2);
  TFileObject folder;
  folder.Attributes = kAttrDirectory;
  folder.FileDateM = 19990101;
  ScanResult->Files.push_back(folder);
  ScanResult->Magnitude[0] = {1, 0};
  ScanResult->Magnitude[1] = {1, 5000};
  ScanResult->ExtensionSpread[3] = {1, 0};
  ScanResult->ExtensionSpread[9] = {1, 5000};
  SystemInfo->FileCategoryColors[3] = 0x0000FF;  // stored as 0x00BBGGRR: red

  const auto charts = BuildHTMLCharts(options_);
  ASSERT_EQ(charts.size(), 8u);
  const char* order[] = {"cm1", "cm2", "xm0", "xm1", "cd0", "cd1", "dd", "fd"};
  for (size_t i = 0; i < 8; ++i) EXPECT_EQ(charts[i].Name, order[i]);

  EXPECT_EQ(Labels(Find(charts, "cm1")), (std::vector<std::string>{"Cat3", "Cat9"}));
  EXPECT_EQ(Find(charts, "cm1").Points[0].Rgb, 0xFF0000u);
  EXPECT_EQ(Labels(Find(charts, "cm2")), (std::vector<std::string>{"Cat9"}));
  EXPECT_EQ(Labels(Find(charts, "xm0")), (std::vector<std::string>{"<=Band0", "<=Band1"}));
  EXPECT_EQ(Labels(Find(charts, "xm1")), (std::vector<std::string>{"<=Band1"}));
  EXPECT_EQ(Labels(Find(charts, "cd0")), (std::vector<std::string>{"only-empty", "data"}));
  EXPECT_EQ(Labels(Find(charts, "cd1")), (std::vector<std::string>{"data"}));
  // Bar colours of the top-level folders go by list position.
  EXPECT_EQ(Find(charts, "cd1").Points[0].Rgb, FolderBarColours[2]);
  EXPECT_EQ(Find(charts, "cd0").Height, 400);
  EXPECT_EQ(Find(charts, "cd0").LeftAxisTitle, "T463");
  // Files per year of last modification; folders do not count.
  const TChart& fd = Find(charts, "fd");
  EXPECT_EQ(Labels(fd), (std::vector<std::string>{"2024"}));
  EXPECT_EQ(fd.Points[0].Value, 2);
}

TEST_F(HtmlChartsTest, ImagesAre24BitPngsOfTheLayoutSizes) {
  AddFile("a", 100);
  ScanResult->Magnitude[0] = {1, 100};
  ScanResult->ExtensionSpread[9] = {1, 100};
  for (int size = 1; size <= 3; ++size) {
    options_.LayoutSize = size;
    const THTMLLayoutSize& w = HTMLLayoutSizes[size - 1];
    const std::pair<const char*, std::pair<int, int>> expected[] = {
        {"cm1", {w.CategoryPieWidth, 220}}, {"cm2", {w.CategoryPieWidth, 220}},
        {"xm0", {w.SizeBandChartWidth, 220}}, {"xm1", {w.SizeBandChartWidth, 220}},
        {"cd0", {w.FolderChartWidth, 400}}, {"cd1", {w.FolderChartWidth, 400}},
        {"dd", {w.DrivePieWidth, 200}}};
    const auto charts = BuildHTMLCharts(options_);
    for (const auto& [name, dims] : expected) {
      PngHeader h = ReadHeader(RenderChartPng(Find(charts, name)));
      EXPECT_EQ(h.width, static_cast<uint32_t>(dims.first)) << name << " size " << size;
      EXPECT_EQ(h.height, static_cast<uint32_t>(dims.second)) << name << " size " << size;
      EXPECT_EQ(h.depth, 8);
      EXPECT_EQ(h.colour_type, 2) << "24-bit RGB";
    }
  }
}

TEST_F(HtmlChartsTest, ChartsWithoutPointsAndHostileLabelsStillRender) {
  TChart pie;
  pie.Width = 380;
  pie.Height = 220;
  EXPECT_EQ(ReadHeader(RenderChartPng(pie)).width, 380u);
  TChart bar = pie;
  bar.Kind = TChartKind::Bar;
  bar.AxisFormat = TAxisFormat::Bytes;
  EXPECT_EQ(ReadHeader(RenderChartPng(bar)).height, 220u);
  // Bytes that are not UTF-8 and control characters would stop the drawing.
  bar.Title = "bad \xFF\xFE title\n";
  for (int i = 0; i < 200; ++i) bar.Points.push_back({"\x01\xC3", 1e15 * i, 0x123456});
  EXPECT_EQ(ReadHeader(RenderChartPng(bar)).width, 380u);
}

TEST_F(HtmlChartsTest, FailedSaveIsReportedAndLeavesNoFile) {
  TChart pie;
  pie.Width = 10;
  pie.Height = 10;
  const std::string missing = (home_ / "no-such-folder" / "x.png").string();
  EXPECT_FALSE(SaveChartImage(pie, missing));
  EXPECT_FALSE(std::filesystem::exists(missing));
  const std::string ok = (home_ / "x.png").string();
  EXPECT_TRUE(SaveChartImage(pie, ok));
  EXPECT_TRUE(std::filesystem::exists(ok));
}

}  // namespace
