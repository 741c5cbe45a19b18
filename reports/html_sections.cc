#include "reports/html_sections.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/utility.h"
#include "driver/globals.h"
#include "platform/platform.h"
#include "reports/formatting.h"
#include "scan/conversions.h"
#include "scan/display_tables.h"
#include "util/errors.h"
#include "util/escape.h"

namespace {

// Language text, escaped for the page.
std::string T(int index) { return HtmlEscape(LanguageText(index)); }
std::string Esc(std::string_view text) { return HtmlEscape(text); }
std::string Masked(std::string_view text) { return HtmlEscape(TQvFormatting::Privacy(text)); }
std::string Num(int64_t v) { return std::to_string(v); }

std::string Hex6(uint32_t rgb) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%06X", rgb & 0xFFFFFF);
  return buf;
}

// The share of v in total as the program's percent text ("<1%" and the like,
// escaped). A total of 0 gives the share 0.
std::string Share(int64_t v, int64_t total) {
  double fraction = total > 0 ? static_cast<double>(v) / static_cast<double>(total) : 0.0;
  return Esc(TConvert::RealToPercent(fraction));
}

std::string SizeCell(const THtmlContext& ctx, int64_t bytes) {
  return Esc(TConvert::GetSizeString(ctx.Options.HTMLUnits, bytes));
}
std::string Summary(int64_t bytes) { return Esc(TConvert::ConvertToUsefulUnit(bytes)); }

bool ScanHasData() { return ScanResult->FileCount > 0 && ScanResult->TotalSize > 0; }

std::string TableOpen(const THtmlContext& ctx) {
  return "<table align=\"center\" width=\"" + Num(ctx.Widths.TableWidth) +
         "\" border=\"0\" cellpadding=\"1\" cellspacing=\"1\">";
}
std::string ChartTableOpen(const THtmlContext& ctx) {
  return "<table align=\"center\" width=\"" + Num(ctx.Widths.TableWidth) +
         "\" border=\"0\" cellspacing=\"1\" cellpadding=\"1\">";
}

std::string HeadingCells(const char* cls) {
  const std::string c = cls;
  return "<td width=\"64\" height=\"13\" class=\"" + c + "\">" + T(lt::kFiles) + "</td>" +
         "<td width=\"64\" height=\"13\" class=\"" + c + "\">" + T(lt::kPercent) + "</td>" +
         "<td width=\"160\" height=\"13\">&nbsp;</td>" + "<td width=\"85\" height=\"13\" class=\"" +
         c + "\">" + T(lt::kHtmlSizeHeading) + "</td>" + "<td width=\"67\" height=\"13\" class=\"" +
         c + "\">" + T(lt::kPercent) + "</td>" + "<td width=\"160\" height=\"20\">&nbsp;</td>";
}
std::string HeadingCellsA() { return HeadingCells("C7CB"); }
std::string HeadingCellsB() { return HeadingCells("XCB"); }
// The heading row of a statistics table: its anchor, its title, the columns.
std::string HeadingRowA(const THtmlContext& ctx, const char* anchor, const std::string& title) {
  return "<tr bgcolor=\"#" + ctx.Colour[6] + "\">" +
         "<td width=\"100\" height=\"13\" class=\"C7G\"><a name=\"" + anchor + "\" /><b>" +
         title + "</b></td>" + HeadingCellsA() + "</tr>";
}

std::string BarTable(int64_t width, const std::string& colour) {
  return "<table width=\"" + Num(width) + "\" border=\"0\" bgcolor=\"#" + colour +
         "\" height=\"8\" cellpadding=\"0\" cellspacing=\"0\">";
}
std::string BarCell(int64_t width, const std::string& colour) {
  return "<td width=\"160\">" + BarTable(width, colour) + "<tr><td></td></tr>" + "</table>" +
         "</td>";
}

std::string ImageSrc(const THtmlContext& ctx, const char* name) {
  return std::string("data/") + name + Esc(ctx.Stamp) + ".png";
}

std::string ChartPairLine(const THtmlContext& ctx, const char* a, const char* b) {
  const auto& c = ctx.Colour;
  return ChartTableOpen(ctx) + "<tr class=\"C7CB\">" + "<td bgcolor=\"#" + c[6] + "\">" +
         T(lt::kHtmlChartFiles) + "</td>" + "<td bgcolor=\"#" + c[6] + "\">" +
         T(lt::kSize) + "</td>" + "</tr>" + "<tr>" + "<td bgcolor=\"#" + c[10] +
         "\"><img src=\"" + ImageSrc(ctx, a) + "\"></td>" + "<td bgcolor=\"#" + c[10] +
         "\"><img src=\"" + ImageSrc(ctx, b) + "\"></td>" + "</tr>" + "</table>";
}

// Alternating row colours: the first row written is row 1.
struct RowColours {
  const THtmlContext& ctx;
  int row = 0;
  const std::string& Next() { return ++row % 2 == 1 ? ctx.Colour[10] : ctx.Colour[11]; }
};

// Scales of one set of statistics, counts against FileCount and bytes
// against TotalSize.
struct Scales {
  int64_t count;
  int64_t bytes;
};
Scales ScalesOf(const std::vector<int64_t>& counts, const std::vector<int64_t>& bytes,
                int bar_width) {
  return {BarScale(counts, ScanResult->FileCount, bar_width),
          BarScale(bytes, ScanResult->TotalSize, bar_width)};
}
// The scales of a run of statistics slots.
Scales ScalesOf(const TStatPair* first, const TStatPair* last, int bar_width) {
  std::vector<int64_t> counts, bytes;
  for (const TStatPair* slot = first; slot != last; ++slot) {
    counts.push_back(slot->Count);
    bytes.push_back(slot->Bytes);
  }
  return ScalesOf(counts, bytes, bar_width);
}

struct RowValues {
  std::string label;  // already escaped markup
  int64_t count;
  int64_t bytes;
};

// A statistics row in the form of the attribute, category and size tables.
void RowFormA(THtmlPage& page, const THtmlContext& ctx, const RowValues& v, const Scales& s,
              const std::string& row_colour, const std::string& bar_colour,
              bool join_last_cells = false) {
  const int64_t files = ScanResult->FileCount, total = ScanResult->TotalSize;
  const int bw = ctx.Widths.BarWidth;
  page.Line("<tr bgcolor=\"#" + row_colour + "\">");
  page.Line("<td width=\"100\" class=\"C4L\">" + v.label + "</td>");
  page.Line("<td width=\"64\" class=\"C4C\">" + Num(v.count) + "</td>");
  page.Line("<td width=\"64\" class=\"C4C\">" + Share(v.count, files) + "</td>");
  page.Line(BarCell(BarLength(v.count, files, bw, s.count), bar_colour));
  page.Line("<td width=\"85\" class=\"C4G\"><div align=\"" + ctx.Options.HTMLAlign + "\">" +
            SizeCell(ctx, v.bytes) + "</div></td>");
  std::string share_cell = "<td width=\"67\" class=\"C4C\">" + Share(v.bytes, total) + "</td>";
  std::string bar_cell = BarCell(BarLength(v.bytes, total, bw, s.bytes), bar_colour);
  if (join_last_cells) {
    page.Line(share_cell + bar_cell);
  } else {
    page.Line(share_cell);
    page.Line(bar_cell);
  }
  page.Line("</tr>");
}

// A statistics row in the form of the extension and owner tables.
void RowFormB(THtmlPage& page, const THtmlContext& ctx, const RowValues& v, const Scales& s,
              const std::string& row_colour, const std::string& bar_colour) {
  const int64_t files = ScanResult->FileCount, total = ScanResult->TotalSize;
  const int bw = ctx.Widths.BarWidth;
  page.Line("<tr class=\"C4G\" bgcolor=\"#" + row_colour + "\">");
  page.Line("<td width=\"100\" height=\"13\">" + v.label + "</td>");
  page.Line("<td width=\"64\" height=\"13\"><div align=\"center\">" + Num(v.count) + "</div></td>");
  page.Line("<td width=\"64\" height=\"13\"><div align=\"center\">" + Share(v.count, files) +
            "</div></td>");
  page.Line(BarCell(BarLength(v.count, files, bw, s.count), bar_colour));
  page.Line("<td width=\"85\" height=\"13\"><div align=\"" + ctx.Options.HTMLAlign + "\">" +
            SizeCell(ctx, v.bytes) + "</div></td>");
  page.Line("<td width=\"67\" height=\"13\"><div align=\"center\">" + Share(v.bytes, total) +
            "</div></td>");
  page.Line(BarCell(BarLength(v.bytes, total, bw, s.bytes), bar_colour));
  page.Line("</tr>");
}

std::string SummaryRow(int label, const std::string& value) {
  return "<tr><td width=\"170\" class=\"C4R\">" + T(label) + " </td>" +
         "<td width=\"92\" class=\"C4L\"> - " + value + "</td>" + "</tr>";
}
const char kBlankSummaryRow[] =
    "<tr><td width=\"170\" class=\"C4G\">&nbsp;</td><td width=\"92\" class=\"C4G\">&nbsp;</td></tr>";

std::string OwnerName(const TFileObject& f) {
  const auto& users = ScanResult->Users;
  if (f.Owner < 0 || static_cast<size_t>(f.Owner) >= users.size()) return "";
  return Masked(users[f.Owner].Name);
}

}  // namespace

void THtmlPage::Line(std::string_view text) {
  if (FFile != nullptr) {
    FFile->Line(text);
  } else {
    FBuffer += text;
    FBuffer += "\r\n";
  }
}

void THtmlPage::Spacer() { WriteSpacerTable(FFile != nullptr ? FFile->Buffer() : FBuffer); }

THtmlContext MakeHtmlContext(const THTMLReportOptions& options, const std::string& stamp) {
  THtmlContext ctx;
  ctx.Options = options;
  ctx.Options.HTMLAlign = options.HTMLUnits == 0 ? "center" : "right";
  ctx.Options.LayoutSize = ClampLayoutSize(options.LayoutSize);
  ctx.Widths = LayoutWidths(options.LayoutSize);
  for (int i = 1; i <= 11; ++i) ctx.Colour[i] = TConvert::WebColor(Settings->Report.HTMLColours[i - 1]);
  ctx.Charts = !options.Layout.empty() && options.Layout[0] == '1';
  ctx.Stamp = stamp;
  ctx.MonoBargraph = Settings->Report.HTMLMonoBargraph;
  return ctx;
}

long double SharePercent(int64_t v, int64_t total) {
  if (total == 0) return 0;
  return static_cast<long double>(v) / static_cast<long double>(total) * 100;
}

int64_t BarScale(const std::vector<int64_t>& values, int64_t total, int bar_width) {
  long double largest = 0;
  for (int64_t v : values) largest = std::max(largest, std::rint(SharePercent(v, total)));
  return largest < 1 ? bar_width : static_cast<int64_t>(largest);
}

int64_t BarLength(int64_t v, int64_t total, int bar_width, int64_t scale) {
  if (scale <= 0) return 0;
  long double factor = static_cast<long double>(bar_width) / static_cast<long double>(scale);
  return static_cast<int64_t>(std::rint(SharePercent(v, total) * factor));
}

void WriteHeaderBlock(THtmlPage& page, const THtmlContext& ctx, const std::string& menu) {
  const auto& c = ctx.Colour;
  const std::string path = TQvFormatting::Privacy(ScanResult->ScanPath);
  const std::string open = "<table align=\"center\" width=\"" + Num(ctx.Widths.TableWidth) +
                           "\" border=\"0\" cellpadding=\"1\" cellspacing=\"1\" bgcolor=\"#" + c[10] +
                           "\">";
  page.Line(open);
  page.Line("<tr class=\"C4G\">");
  page.Line("<td class=\"C4C\"><b>quorvane 8</b> " + T(lt::kHtmlAnalysisOf) + " <b><a href=\"" +
            Esc(MakeFileLink(path)) + "\">" + Esc(path) + "</a></b></td>");
  page.Line("</tr>");
  page.Line("<tr class=\"C4C\">");
  page.Line("<td>" + T(lt::kHtmlGeneratedAt) + " <b>" + Esc(TUtility::GetTime(0)) + "</b>, <b>" +
            Esc(TUtility::GetDate(0)) + "</b>.</td>");
  page.Line("</tr>");
  page.Line("</table>");
  page.Spacer();
  page.Line(open + "<tr bgcolor=\"#" + c[6] + "\"><td class=\"C7G\"><strong>Menu</strong></td></tr>" +
            "<tr class=\"C4C\"><td>" + menu + "</td></tr></table>");
  page.Spacer();
}

void WriteSummaryBlock(THtmlPage& page, const THtmlContext& ctx) {
  const auto& c = ctx.Colour;
  const TScanDetails& s = *ScanResult;
  page.Line("<table align=\"center\" width=\"" + Num(ctx.Widths.TableWidth) +
            "\" height=\"180\" border=\"0\" cellspacing=\"1\" cellpadding=\"1\" bgcolor=\"#" + c[10] +
            "\">");
  page.Line("<tr><td width=\"100%\" bgcolor=\"#" + c[6] + "\" class=\"C7G\"><strong>" +
            T(lt::kHtmlSummary) + "</strong></td></tr>");
  page.Line("<tr>");
  page.Line("<td>");
  page.Line("<table width=\"100%\" border=\"0\" cellpadding=\"1\" cellspacing=\"1\">");
  page.Line("<tr>");
  page.Line("<td width=\"310\" rowspan=\"11\">");
  if (ctx.Charts) page.Line("<img src=\"" + ImageSrc(ctx, "dd") + "\">");
  page.Line("</td>");
  page.Line("<td width=\"170\" class=\"C4R\">" + T(lt::kHtmlFiles) + " </td>");
  page.Line("<td width=\"92\" class=\"C4L\"> - " + Num(s.FileCount) + "</td>");
  page.Line("</tr>");
  page.Line(SummaryRow(lt::kHtmlFolders, Num(s.FolderCount)));
  page.Line(SummaryRow(lt::kHtmlTotalSize, Summary(s.TotalSize)));
  page.Line(kBlankSummaryRow);
  page.Line("<tr>");
  page.Line("<td width=\"170\" class=\"C4R\">" + T(lt::kHtmlSizeOnDisk) + " </td>");
  page.Line("<td width=\"92\" class=\"C4L\"> - " +
            (s.TotalSizeOD > 0 ? Summary(s.TotalSizeOD) : T(lt::kUnknownName)) + "</td>");
  page.Line("</tr>");
  page.Line("<tr>");
  page.Line("<td width=\"170\" class=\"C4R\">" + T(lt::kHtmlWastedSpace) + " </td>");
  page.Line("<td width=\"92\" class=\"C4L\"> - " +
            (s.TotalSizeOD >= s.TotalSize ? Summary(s.TotalSizeOD - s.TotalSize)
                                          : T(lt::kUnknownName)) +
            "</td>");
  page.Line("</tr>");
  page.Line(kBlankSummaryRow);
  const int64_t free_bytes = SystemInfo->DriveSpaceFree;
  page.Line(SummaryRow(lt::kHtmlFreeSpace, free_bytes >= 0 ? Summary(free_bytes) : "?"));
  page.Line(kBlankSummaryRow);
  page.Line(kBlankSummaryRow);
  page.Line("</table>");
  page.Line("</td>");
  page.Line("</tr>");
  page.Line("</table>");
  page.Spacer();
}

void WriteAttributesSection(THtmlPage& page, const THtmlContext& ctx) {
  const auto& c = ctx.Colour;
  const auto& attrs = ScanResult->FileAttributes;
  page.Line(TableOpen(ctx));
  page.Line(HeadingRowA(ctx, "op2", T(lt::kHtmlMenuAttributes)));
  if (ScanHasData()) {
    Scales s = ScalesOf(&attrs[1], &attrs[kAttributeSlots] + 1, ctx.Widths.BarWidth);
    RowColours rows{ctx};
    for (int i = 1; i <= kAttributeSlots; ++i)
      RowFormA(page, ctx, {Esc(AttributeLabels[i - 1]), attrs[i].Count, attrs[i].Bytes}, s,
               rows.Next(), c[5], true);
  }
  page.Line("</table>");
  page.Spacer();
}

void WriteCategoriesSection(THtmlPage& page, const THtmlContext& ctx) {
  const auto& c = ctx.Colour;
  const auto& spread = ScanResult->ExtensionSpread;
  page.Line(TableOpen(ctx) + HeadingRowA(ctx, "op3", T(lt::kCategory)));
  if (!ScanHasData()) {
    // Closed like every other table, so the page stays well-formed.
    page.Line("</table>");
    page.Spacer();
    return;
  }
  Scales s = ScalesOf(spread.data(), spread.data() + spread.size(), ctx.Widths.BarWidth);
  RowColours rows{ctx};
  for (int j = 1; j < kCategoryCount; ++j) {
    if (spread[j].Count == 0) continue;
    RowFormA(page, ctx, {Esc(CategoryNames[j]), spread[j].Count, spread[j].Bytes}, s, rows.Next(),
             TConvert::WebColor(SystemInfo->FileCategoryColors[j]));
  }
  page.Line("<tr bgcolor=\"#" + c[10] + "\">" + "<td width=\"100\">&nbsp;</td>" +
            "<td width=\"64\">&nbsp;</td>" + "<td width=\"64\">&nbsp;</td>" +
            "<td width=\"160\">&nbsp;</td>" + "<td width=\"85\">&nbsp;</td>" +
            "<td width=\"67\">&nbsp;</td>" + "<td width=\"160\">&nbsp;</td>" + "</tr>");
  RowFormA(page, ctx, {T(lt::kTemporaryFiles), spread[0].Count, spread[0].Bytes}, s, c[10],
           "000000");
  page.Line("</table>");
  page.Spacer();
  if (ctx.Charts) {
    page.Line(ChartPairLine(ctx, "cm1", "cm2"));
    page.Spacer();
  }
}

void WriteRootFoldersSection(THtmlPage& page, const THtmlContext& ctx) {
  const auto& c = ctx.Colour;
  const TScanDetails& scan = *ScanResult;
  const auto& roots = scan.RootFolders;
  auto bar_colour = [&](size_t i) {
    return ctx.MonoBargraph ? c[5] : Hex6(FolderBarColours[i % FolderBarColours.size()]);
  };
  auto first_cell = [&](size_t i) {
    const TRootFoldersData& r = roots[i];
    std::string target = i == 0 ? scan.ScanPath : scan.ScanPath + r.Name;
    page.Line("<td width=\"387\" class=\"C4L\">");
    page.Line("<a href=\"" + Esc(MakeFileLink(TQvFormatting::Privacy(target))) +
              "\" target=\"_blank\">" +
              TQvFormatting::MakeItalic(Masked(r.Name), (r.Attributes & kAttrHidden) != 0) + "</a>");
    page.Line("</td>");
  };
  auto heading = [&](int value_text) {
    return "<td width=\"387\" height=\"20\"><b>" + T(lt::kDataFolder) + "</b></td>" +
           "<td width=\"83\" height=\"20\" class=\"XCB\">" + T(value_text) + "</td>" +
           "<td width=\"65\" height=\"20\" class=\"XCB\">" + T(lt::kPercent) + "</td>" +
           "<td width=\"155\" height=\"20\">&nbsp;</td>" + "</tr>";
  };
  const int bw = ctx.Widths.BarWidth;

  page.Line(TableOpen(ctx) + "<tr class=\"C7G\" bgcolor=\"#" + c[6] + "\">" +
            "<td width=\"387\" height=\"20\"><a name=\"op4\" /><b>" + T(lt::kHtmlRootByFiles) +
            "</b></td>" + "</tr>");
  page.Line("<tr class=\"C7G\" bgcolor=\"#" + c[6] + "\">" + heading(lt::kHtmlRootFileCount));
  if (scan.FileCount == 0) {
    page.Line("</table>");
    page.Spacer();
    return;
  }
  std::vector<int64_t> counts, bytes;
  for (const auto& r : roots) {
    counts.push_back(r.Data[0]);
    bytes.push_back(r.Data[1]);
  }
  const int64_t count_scale = BarScale(counts, scan.FileCount, bw);
  RowColours rows{ctx};
  for (size_t i = 0; i < roots.size(); ++i) {
    if (roots[i].Data[0] == 0) continue;
    page.Line("<tr bgcolor=\"#" + rows.Next() + "\">");
    first_cell(i);
    page.Line("<td width=\"83\" class=\"C4C\">" + Num(roots[i].Data[0]) + "</td>");
    page.Line("<td width=\"65\" class=\"C4C\">" + Share(roots[i].Data[0], scan.FileCount) + "</td>");
    page.Line(BarCell(BarLength(roots[i].Data[0], scan.FileCount, bw, count_scale), bar_colour(i)));
    page.Line("</tr>");
  }
  page.Line("</table>");
  if (ctx.Charts)
    page.Line(ChartTableOpen(ctx) + "<tr class=\"C7CB\">" + "<td bgcolor=\"#" + c[6] + "\">" +
              T(lt::kHtmlChartFiles) + "</td>" + "</tr>" + "<tr><td bgcolor=\"#" + c[10] +
              "\"><img src=\"" + ImageSrc(ctx, "cd0") + "\"></td></tr>" + "</table>");
  page.Spacer();
  page.Line(TableOpen(ctx) + "<tr bgcolor=\"#" + c[6] + "\" class=\"C7G\">" +
            "<td width=\"387\" height=\"20\"><b>" + T(lt::kHtmlRootBySize) + "</b></td>" + "</tr>");
  page.Line("<tr bgcolor=\"#" + c[6] + "\" class=\"C7G\">" + heading(lt::kHtmlSizeHeading));
  if (scan.TotalSize != 0) {
    const int64_t byte_scale = BarScale(bytes, scan.TotalSize, bw);
    RowColours byte_rows{ctx};
    for (size_t i = 0; i < roots.size(); ++i) {
      if (roots[i].Data[0] == 0) continue;
      page.Line("<tr bgcolor=\"#" + byte_rows.Next() + "\">");
      first_cell(i);
      page.Line("<td width=\"83\" class=\"C4G\"><div align=\"" + ctx.Options.HTMLAlign + "\">" +
                SizeCell(ctx, roots[i].Data[1]) + "</div></td>");
      page.Line("<td width=\"65\" class=\"C4C\">" + Share(roots[i].Data[1], scan.TotalSize) +
                "</td>");
      page.Line(BarCell(BarLength(roots[i].Data[1], scan.TotalSize, bw, byte_scale), bar_colour(i)));
      page.Line("</tr>");
    }
    page.Line("</table>");
    if (ctx.Charts)
      page.Line(ChartTableOpen(ctx) + "<tr class=\"C7CB\"><td bgcolor=\"#" + c[6] + "\">" +
                T(lt::kSize) + "</td></tr>" + "<tr><td bgcolor=\"#" + c[10] +
                "\"><img src=\"" + ImageSrc(ctx, "cd1") + "\"></td></tr>" + "</table>");
  } else {
    page.Line("</table>");
  }
  page.Spacer();
}

void WriteSizeBandsSection(THtmlPage& page, const THtmlContext& ctx) {
  const auto& c = ctx.Colour;
  const auto& bands = ScanResult->Magnitude;
  page.Line(TableOpen(ctx) + HeadingRowA(ctx, "op5", T(lt::kHtmlMenuSizeBands)));
  if (!ScanHasData()) {
    page.Line("</table>");
    page.Spacer();
    return;
  }
  Scales s = ScalesOf(bands.data(), bands.data() + bands.size(), ctx.Widths.BarWidth);
  for (int b = 0; b < kMagnitudeBands; ++b)
    RowFormA(page, ctx, {Esc(MagnitudeBandLabels[b]), bands[b].Count, bands[b].Bytes}, s,
             b % 2 == 0 ? c[10] : c[11], Hex6(SizeBandColours[b]));
  page.Line("</table>");
  if (ctx.Charts) page.Line(ChartPairLine(ctx, "xm0", "xm1"));
  page.Spacer();
}

void WriteExtensionsSection(THtmlPage& page, const THtmlContext& ctx) {
  if (!ScanHasData()) return;
  const auto& c = ctx.Colour;
  const TScanDetails& scan = *ScanResult;
  const auto& table = ExtensionTable->CategoryExtensions;
  const int bw = ctx.Widths.BarWidth;

  std::vector<int64_t> counts, bytes, other_counts, other_bytes;
  for (const auto& e : table) {
    counts.push_back(e.Quantity);
    bytes.push_back(e.Size);
    if (e.Category == kCategoryOther) {
      other_counts.push_back(e.Quantity);
      other_bytes.push_back(e.Size);
    }
  }
  const Scales overall = ScalesOf(counts, bytes, bw);
  const Scales other = ScalesOf(other_counts, other_bytes, bw);

  for (int j = 1; j < kCategoryCount; ++j) {
    const TStatPair& slot = scan.ExtensionSpread[j];
    const std::string& list = ctx.Options.CategoryList;
    if (static_cast<size_t>(j) > list.size() || list[j - 1] != '1' || slot.Count == 0) continue;
    page.Line(TableOpen(ctx));
    page.Line("<tr class=\"C7G\" bgcolor=\"#" + c[6] + "\">" +
              "<td colspan=\"7\" height=\"13\"><a name=\"op6\" /><b>" + Esc(CategoryNames[j]) +
              " [ " + Num(slot.Count) + " files (" + Share(slot.Count, scan.FileCount) + ") / " +
              SizeCell(ctx, slot.Bytes) + " (" + Share(slot.Bytes, scan.TotalSize) + ") ]" +
              "</b></td>" + "</tr>");
    page.Line("<tr class=\"C7G\" bgcolor=\"#" + c[6] + "\">" +
              "<td width=\"100\" height=\"13\"><b>" + T(lt::kHtmlExtension) + "</b></td>" +
              HeadingCellsB() + "</tr>");
    RowColours rows{ctx};
    for (const auto& e : table) {
      if (e.Category != j || e.Quantity <= 0) continue;
      if (j != kCategoryOther) {
        RowFormB(page, ctx, {"." + Esc(e.Name), int64_t{e.Quantity}, e.Size}, overall, rows.Next(), c[5]);
        continue;
      }
      const int64_t byte_width = static_cast<int64_t>(
          std::rint(static_cast<long double>(bw) / other.bytes *
                    std::rint(SharePercent(e.Size, scan.TotalSize))));
      page.Line("<tr class=\"C4G\" bgcolor=\"#" + rows.Next() + "\">");
      page.Line("<td width=\"100\" height=\"13\">" + (e.Name.empty() ? "<i>none</i>" : Esc(e.Name)) +
                "</td>");
      page.Line("<td width=\"64\" height=\"13\"><div align=\"center\">" + Num(e.Quantity) +
                "</div></td>");
      page.Line("<td width=\"64\" height=\"13\"><div align=\"center\">" +
                Share(e.Quantity, scan.FileCount) + "</div></td>");
      page.Line("<td width=\"160\">");
      page.Line(BarTable(BarLength(e.Quantity, scan.FileCount, bw, other.count), c[5]));
      page.Line("<tr><td></td></tr></table></td>");
      page.Line("<td width=\"85\" height=\"13\"><div align=\"" + ctx.Options.HTMLAlign + "\">" +
                SizeCell(ctx, e.Size) + "</div></td>");
      page.Line("<td width=\"67\" height=\"13\"><div align=\"center\">" +
                Share(e.Size, scan.TotalSize) + "</div></td>");
      page.Line("<td width=\"160\">");
      page.Line(BarTable(byte_width, c[5]));
      page.Line("<tr><td></td></tr>");
      page.Line("</table>");
      page.Line("</td>");
      page.Line("</tr>");
    }
    if (rows.row == 0)
      page.Line("<tr bgcolor=\"#" + c[10] + "\"><td colspan=\"7\" height=\"13\" class=\"C4G\">" +
                T(lt::kNoneFound) + ".</td></tr>");
    page.Line("</table>");
    page.Spacer();
  }
}

void WriteNullFilesSection(THtmlPage& page, const THtmlContext& ctx) {
  const auto& c = ctx.Colour;
  page.Line(TableOpen(ctx));
  page.Line("<tr class=\"C7G\" bgcolor=\"#" + c[6] + "\"><td height=\"13\"><a name=\"op7\" /><b>" +
            T(lt::kHtmlMenuEmptyFiles) + "</b></td></tr>");
  if (NullFiles->empty()) {
    page.Line("<tr bgcolor=\"#" + c[10] + "\" class=\"C4G\"><td colspan=\"7\" height=\"13\">" +
              T(lt::kNoneFound) + "</td></tr>");
  } else {
    for (size_t n = 0; n < NullFiles->size(); ++n) {
      page.Line("<tr class=\"C4G\" bgcolor=\"#" + (n % 2 == 0 ? c[10] : c[11]) + "\">");
      page.Line("<td height=\"13\">" + Masked((*NullFiles)[n]) + "</td>");
      page.Line("</tr>");
    }
  }
  page.Line("</table>");
  page.Spacer();
}

void WriteFileDatesSection(THtmlPage& page, const THtmlContext& ctx) {
  if (!ctx.Charts) return;
  const auto& c = ctx.Colour;
  page.Line(ChartTableOpen(ctx) + "<tr class=\"C7CB\"><td bgcolor=\"#" + c[6] +
            "\"><a name=\"op8\" />" + T(lt::kHtmlMenuFileDates) + "</td></tr>" +
            "<tr><td bgcolor=\"#" + c[10] + "\"><img src=\"" + ImageSrc(ctx, "fd") +
            "\"></td></tr>" + "</table>");
  page.Spacer();
}

void WriteLargestFilesSection(THtmlPage& page, const THtmlContext& ctx) {
  const auto& c = ctx.Colour;
  const TScanDetails& scan = *ScanResult;
  page.Line(TableOpen(ctx) + "<tr class=\"C7G\" bgcolor=\"#" + c[6] +
            "\"><td colspan=\"4\" height=\"13\"><a name=\"op9\" /><b>" + T(lt::kHtmlTopFiles) +
            "</b></td></tr>" + "<tr class=\"C7G\" bgcolor=\"#" + c[6] + "\">" +
            "<td height=\"13\" width=\"440\"><b>" + T(lt::kHtmlLargestFiles) + "</b></td>" +
            "<td height=\"13\" width=\"160\" class\"XCB\">" + T(lt::kHtmlRelativeSize) + "</td>" +
            "<td height=\"13\" width=\"85\" class\"XCB\">" + T(lt::kHtmlFileSize) + "</td>" +
            "<td height=\"13\" width=\"85\" class\"XCB\">" + T(lt::kOwner) + "</td>" + "</tr>");
  const int bw = ctx.Widths.BarWidth;
  for (size_t n = 0; n < Top101Largest->size(); ++n) {
    const TFileObject& f = *(*Top101Largest)[n];
    page.Line("<tr class=\"C4G\" bgcolor=\"#" + (n % 2 == 0 ? c[11] : c[10]) + "\">");
    page.Line("<td height=\"13\" width=\"440\">" + Masked(scan.FullPath(f)) + "</td>");
    page.Line("<td height=\"13\" width=\"160\">");
    if (scan.TotalSize > 0)
      page.Line(BarTable(static_cast<int64_t>(std::rint(static_cast<long double>(f.FileSize) /
                                                        scan.TotalSize * bw)),
                         c[5]));
    else
      page.Line(BarTable(140, c[5]));
    page.Line("<tr><td></td></tr>");
    page.Line("</table>");
    page.Line("</td>");
    page.Line("<td height=\"13\" width=\"85\"><div align=\"" + ctx.Options.HTMLAlign + "\">" +
              SizeCell(ctx, f.FileSize) + "</div></td>");
    page.Line("<td height=\"13\" width=\"85\"><div align=\"" + ctx.Options.HTMLAlign + "\">" +
              OwnerName(f) + "</div></td>");
    page.Line("</tr>");
  }
  page.Line("</table>");
  page.Spacer();
}

void WriteSmallestFilesSection(THtmlPage& page, const THtmlContext& ctx) {
  const auto& c = ctx.Colour;
  const TScanDetails& scan = *ScanResult;
  page.Line(TableOpen(ctx) + "<tr class=\"C7G\" bgcolor=\"#" + c[6] +
            "\"><td colspan=\"2\" height=\"13\"><a name=\"op14\" /><b>" + T(lt::kHtmlTopFiles) +
            "</b></td></tr>" + "<tr class=\"C7G\" bgcolor=\"#" + c[6] + "\">" +
            "<td height=\"13\" width=\"685\"><b>" + T(lt::kHtmlSmallestFiles) + "</b></td>" +
            "<td height=\"13\" width=\"85\"><b>" + T(lt::kSize) + "</b></td>" + "</tr>");
  for (size_t n = 0; n < Top101Smallest->size(); ++n) {
    const TFileObject& f = *(*Top101Smallest)[n];
    page.Line("<tr class=\"C4G\" bgcolor=\"#" + (n % 2 == 0 ? c[11] : c[10]) + "\">");
    page.Line("<td height=\"13\" width=\"685\">" + Masked(scan.FullPath(f)) + "</td>");
    page.Line("<td height=\"13\" width=\"85\"><div align=\"" + ctx.Options.HTMLAlign + "\">" +
              SizeCell(ctx, f.FileSize) + "</div></td>");
    page.Line("</tr>");
  }
  page.Line("</table>");
  page.Spacer();
}

void WriteOwnersSection(THtmlPage& page, const THtmlContext& ctx) {
  const auto& c = ctx.Colour;
  const auto& users = ScanResult->Users;
  page.Line(TableOpen(ctx));
  page.Line("<tr class=\"C7G\" bgcolor=\"#" + c[6] +
            "\"><td colspan=\"7\" height=\"13\"><a name=\"op10\" /><b>" + T(lt::kHtmlOwners) +
            "</b></td></tr>");
  page.Line("<tr class=\"C7G\" bgcolor=\"#" + c[6] + "\">" + "<td width=\"100\" height=\"13\"><b>" +
            T(lt::kOwner) + "</b></td>" + HeadingCellsB() + "</tr>");
  if (ScanHasData()) {
    std::vector<int64_t> counts, bytes;
    std::vector<const TUserData*> order;
    for (const auto& u : users) {
      counts.push_back(u.Data[0]);
      bytes.push_back(u.Data[1]);
      order.push_back(&u);
    }
    const Scales s = ScalesOf(counts, bytes, ctx.Widths.BarWidth);
    // A sorted copy: file entries refer to owners by their place in the list.
    std::stable_sort(order.begin(), order.end(), [](const TUserData* a, const TUserData* b) {
      return OwnerBytesOrder(*a, *b) < 0;
    });
    RowColours rows{ctx};
    for (const TUserData* u : order)
      RowFormB(page, ctx, {Masked(u->Name), u->Data[0], u->Data[1]}, s, rows.Next(), c[5]);
  }
  page.Line("</table>");
  page.Spacer();
}
