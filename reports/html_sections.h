#pragma once
// The blocks of the HTML page between its head and its footer: the header and
// summary, the statistics tables with their bar graphs, the file lists and the
// chart cells. Every text from the scan or the installation is HTML-escaped;
// the markup around it is fixed.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/report_options.h"
#include "reports/html_layout.h"
#include "reports/report_file.h"

// The page being written: lines go to the report file, or, without one
// (tests), collect in a buffer of their own.
class THtmlPage {
 public:
  explicit THtmlPage(TReportFile* file = nullptr) : FFile(file) {}
  // One line, ended by CR LF.
  void Line(std::string_view text);
  void Spacer();
  const std::string& Buffered() const { return FBuffer; }

 private:
  TReportFile* FFile;
  std::string FBuffer;
};

// What every block needs besides the scan: the report's own copy of the
// options, its width set, the HTML colours, the chart flag and image stamp.
struct THtmlContext {
  THTMLReportOptions Options;
  THTMLLayoutSize Widths{};
  std::array<std::string, 12> Colour;  // [1..11]: six hexadecimal digits
  bool Charts = false;
  std::string Stamp;
  bool MonoBargraph = false;
};

// Options with HTMLAlign set from the unit code, the width set of the layout
// size, and the colours of the settings.
THtmlContext MakeHtmlContext(const THTMLReportOptions& options, const std::string& stamp);

// Bar graphs: the share of v in T in per cent, the scale of a set of values
// (the largest rounded share, BarWidth when that is below 1), and the width
// of one bar. Rounding is to the nearest integer, halves to even.
long double SharePercent(int64_t v, int64_t total);
int64_t BarScale(const std::vector<int64_t>& values, int64_t total, int bar_width);
int64_t BarLength(int64_t v, int64_t total, int bar_width, int64_t scale);

void WriteHeaderBlock(THtmlPage& page, const THtmlContext& ctx, const std::string& menu);
void WriteSummaryBlock(THtmlPage& page, const THtmlContext& ctx);
void WriteAttributesSection(THtmlPage& page, const THtmlContext& ctx);
void WriteCategoriesSection(THtmlPage& page, const THtmlContext& ctx);
void WriteRootFoldersSection(THtmlPage& page, const THtmlContext& ctx);
void WriteSizeBandsSection(THtmlPage& page, const THtmlContext& ctx);
void WriteExtensionsSection(THtmlPage& page, const THtmlContext& ctx);
void WriteNullFilesSection(THtmlPage& page, const THtmlContext& ctx);
void WriteFileDatesSection(THtmlPage& page, const THtmlContext& ctx);
void WriteLargestFilesSection(THtmlPage& page, const THtmlContext& ctx);
void WriteSmallestFilesSection(THtmlPage& page, const THtmlContext& ctx);
void WriteOwnersSection(THtmlPage& page, const THtmlContext& ctx);
