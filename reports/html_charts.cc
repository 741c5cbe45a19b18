#include "reports/html_charts.h"

#include <cmath>
#include <map>

#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/number_format.h"
#include "driver/globals.h"
#include "driver/log.h"
#include "platform/platform.h"
#include "reports/formatting.h"
#include "reports/html_layout.h"
#include "scan/display_tables.h"
#include "util/errors.h"

namespace {

TChart NewChart(TChartKind kind, int width, int height, const std::string& title) {
  TChart c;
  c.Kind = kind;
  c.Width = width;
  c.Height = height;
  c.Background = StoredColourToRgb(Settings->Report.HTMLColours[8]);
  c.Title = title;
  c.DecimalSeparator = AppFormatSettings.DecimalSeparator;
  for (int k = 1; k <= 4; ++k) {
    if (k < static_cast<int>(UnitStrings.size())) c.UnitSymbols[k] = UnitStrings[k];
  }
  return c;
}

TChart BarChart(int width, int height, const std::string& title, const std::string& axis_title,
                TAxisFormat format) {
  TChart c = NewChart(TChartKind::Bar, width, height, title);
  c.LeftAxisTitle = axis_title;
  c.AxisFormat = format;
  return c;
}

// Percentage of the drive that is free, rounded halves to even; computed from
// the integers so that an exact half stays a half.
int64_t FreePercent(int64_t free_bytes, int64_t total_bytes) {
  long double p = static_cast<long double>(free_bytes) * 100 / static_cast<long double>(total_bytes);
  return static_cast<int64_t>(std::rint(p));
}

}  // namespace

std::vector<TNamedChart> BuildHTMLCharts(const THTMLReportOptions& options) {
  const TScanDetails& scan = *ScanResult;
  const THTMLLayoutSize& w = LayoutWidths(options.LayoutSize);
  const std::string title = TQvFormatting::Privacy(scan.ScanPath);
  const std::string files_word = LanguageText(lt::kFiles);
  const std::string bytes_word = LanguageText(lt::kBytesWord);
  std::vector<TNamedChart> charts;

  TChart cm1 = NewChart(TChartKind::Pie, w.CategoryPieWidth, 220, title);
  TChart cm2 = cm1;
  for (int j = 1; j < kCategoryCount; ++j) {
    const TStatPair& s = scan.ExtensionSpread[j];
    const uint32_t rgb = StoredColourToRgb(SystemInfo->FileCategoryColors[j]);
    if (s.Count != 0) cm1.Points.push_back({CategoryNames[j], static_cast<double>(s.Count), rgb});
    if (s.Bytes != 0) cm2.Points.push_back({CategoryNames[j], static_cast<double>(s.Bytes), rgb});
  }
  charts.push_back({"cm1", cm1});
  charts.push_back({"cm2", cm2});

  TChart xm0 = BarChart(w.SizeBandChartWidth, 220, title, files_word, TAxisFormat::Count);
  TChart xm1 = BarChart(w.SizeBandChartWidth, 220, title, bytes_word, TAxisFormat::Bytes);
  for (int b = 0; b < kMagnitudeBands; ++b) {
    const TStatPair& s = scan.Magnitude[b];
    if (s.Count != 0)
      xm0.Points.push_back({MagnitudeBandLabels[b], static_cast<double>(s.Count), SizeBandColours[b]});
    if (s.Bytes != 0)
      xm1.Points.push_back({MagnitudeBandLabels[b], static_cast<double>(s.Bytes), SizeBandColours[b]});
  }
  charts.push_back({"xm0", xm0});
  charts.push_back({"xm1", xm1});

  TChart cd0 = BarChart(w.FolderChartWidth, 400, title, files_word, TAxisFormat::Count);
  TChart cd1 = BarChart(w.FolderChartWidth, 400, title, bytes_word, TAxisFormat::Bytes);
  const uint32_t mono = StoredColourToRgb(Settings->Report.HTMLColours[4]);
  for (size_t i = 0; i < scan.RootFolders.size(); ++i) {
    const TRootFoldersData& r = scan.RootFolders[i];
    const uint32_t rgb =
        Settings->Report.HTMLMonoBargraph ? mono : FolderBarColours[i % FolderBarColours.size()];
    const std::string label = TQvFormatting::Privacy(r.Name);
    if (r.Data[0] != 0) cd0.Points.push_back({label, static_cast<double>(r.Data[0]), rgb});
    if (r.Data[1] != 0) cd1.Points.push_back({label, static_cast<double>(r.Data[1]), rgb});
  }
  charts.push_back({"cd0", cd0});
  charts.push_back({"cd1", cd1});

  TChart dd = NewChart(TChartKind::Pie, w.DrivePieWidth, 200,
                       LanguageText(lt::kChartDriveSpace) + " \"" + title + "\"");
  dd.LegendVisible = false;
  if (SystemInfo->DriveSpaceMax > 0 && SystemInfo->DriveSpaceFree >= 0) {
    int64_t p = FreePercent(SystemInfo->DriveSpaceFree, SystemInfo->DriveSpaceMax);
    dd.Points.push_back({LanguageText(lt::kChartFreeSpace), static_cast<double>(p), 0x6BFF43});
    dd.Points.push_back({LanguageText(lt::kChartUsedSpace), static_cast<double>(100 - p), 0xFF5E43});
  }
  charts.push_back({"dd", dd});

  // Files per year of last modification, for the file dates section.
  TChart fd = BarChart(w.FolderChartWidth, 220, title, files_word, TAxisFormat::Count);
  fd.LegendVisible = false;
  fd.CategoryLabels = true;
  std::map<int, int64_t> years;
  for (const TFileObject& f : scan.Files)
    if (!f.IsFolder()) ++years[f.FileDateM / 10000];
  for (const auto& [year, count] : years)
    fd.Points.push_back({std::to_string(year), static_cast<double>(count), mono});
  charts.push_back({"fd", fd});
  return charts;
}

void MakeHTMLCharts(const std::string& file_name, const std::string& stamp,
                    const THTMLReportOptions& options) {
  const size_t cut = file_name.rfind(platform::kPathDelim);
  const std::string folder =
      (cut == std::string::npos ? std::string() : file_name.substr(0, cut + 1)) + "data" +
      platform::kPathDelim;
  try {
    for (const TNamedChart& c : BuildHTMLCharts(options))
      SaveChartImage(c.Chart, folder + c.Name + stamp + ".png");
  } catch (const std::exception& e) {
    LogError(std::string("Chart images not made: ") + ErrorTypeName(e) + ": " + e.what());
  }
}
