#pragma once
// Draws the charts of the HTML report (pies and bar charts with a legend of
// point labels) and saves them as 24-bit PNG images.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TChartPoint {
  std::string Label;
  double Value = 0;
  uint32_t Rgb = 0;  // 0xRRGGBB
};

enum class TChartKind { Pie, Bar };
// How the value axis of a bar chart labels its ticks.
enum class TAxisFormat { Count, Bytes };

struct TChart {
  TChartKind Kind = TChartKind::Pie;
  int Width = 0;
  int Height = 0;
  uint32_t Background = 0xFFFFFF;
  std::string Title;
  std::string LeftAxisTitle;  // bar charts
  bool LegendVisible = true;
  // Bar charts: the point labels under the bars instead of a legend.
  bool CategoryLabels = false;
  TAxisFormat AxisFormat = TAxisFormat::Count;
  // Unit symbols for byte ticks: [1] K, [2] M, [3] G, [4] T.
  std::array<std::string, 5> UnitSymbols{"", "K", "M", "G", "T"};
  char DecimalSeparator = '.';
  std::vector<TChartPoint> Points;
};

// Renders the chart into an RGB image of its width and height and returns the
// PNG encoding. Throws EInOutError when the drawing fails.
std::string RenderChartPng(const TChart& chart);

// Renders the chart and writes it to `file_name`, replacing any file of that
// name. A failure is logged (two entries at level Error) and returns false.
bool SaveChartImage(const TChart& chart, const std::string& file_name);
