#include "reports/html_report.h"

#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/utility.h"
#include "driver/globals.h"
#include "platform/platform.h"
#include "reports/html_charts.h"
#include "reports/html_sections.h"
#include "util/escape.h"

namespace {

std::string T(int index) { return HtmlEscape(LanguageText(index)); }

bool Selected(const std::string& layout, size_t position) {
  return position >= 1 && position <= layout.size() && layout[position - 1] == '1';
}

void WriteHead(THtmlPage& page, const THtmlContext& ctx) {
  const auto& c = ctx.Colour;
  const std::string font = "font-family: Geneva, Arial, Helvetica, san-serif; font-size:10pt; ";
  page.Line("<html><head><title>quorvane analysis \"" + HtmlEscape(ScanResult->ScanPath) +
            "\"</title>");
  page.Line("<meta name=\"generator\" content=\"Tarvelo " TARVELO_VERSION ", (c) kestrovia " +
            TUtility::GetCurrentYear() + "\">");
  page.Line("<meta name=\"debug\" content=\"" + std::to_string(ctx.Options.LayoutSize) + "\">");
  page.Line("<style type=\"text/css\">");
  page.Line("<!--");
  page.Line("A:link {color:#" + c[1] + "; text-decoration: none;}");
  page.Line("A:visited {color:#" + c[1] + "; text-decoration: none;}");
  page.Line("A:hover {color:#" + c[2] + "; text-decoration: underline;}");
  page.Line("A:active {color:#" + c[1] + "; text-decoration: none;}");
  page.Line(".C4G {" + font + "color:#" + c[4] + ";}");
  page.Line(".C4CB {" + font + "text-aligh:center; font-weight: bold; color:#" + c[4] + ";}");
  page.Line(".C4C {" + font + "text-align:center; color:#" + c[4] + ";}");
  page.Line(".C4L {" + font + "text-align:left; color:#" + c[4] + ";}");
  page.Line(".C4R {" + font + "text-align:right; color:#" + c[4] + ";}");
  page.Line(".C7G {" + font + "color:#" + c[7] + ";}");
  page.Line(".C7CB {" + font + "text-align:center; font-weight: bold; color:#" + c[7] + ";}");
  page.Line(".C7C {" + font + "text-align:center; color:#" + c[7] + ";}");
  page.Line(".XCB {text-align:center; font-weight: bold;}");
  page.Line("-->");
  page.Line("</style></head>");
  page.Line("<body leftmargin=\"5\" bgcolor=\"#" + c[3] + "\" text=\"#" + c[8] +
            "\" topmargin=\"5\">");
}

void WriteFooter(THtmlPage& page, const THtmlContext& ctx) {
  const auto& c = ctx.Colour;
  page.Line("<table align=\"center\" width=\"" + std::to_string(ctx.Widths.TableWidth) +
            "\" border=\"0\" cellpadding=\"1\" cellspacing=\"1\">");
  page.Line("<tr bgcolor=\"#" + c[6] + "\">");
  page.Line("<td align=\"center\" class=\"C7G\">");
  page.Line("Tarvelo " TARVELO_VERSION " &middot; quorvane 8</td>");
  page.Line("</tr>");
  page.Line("<tr bgcolor=\"#" + c[6] + "\" class=\"C7G\">");
  page.Line("<td align=\"center\">Report written by Tarvelo, &copy; kestrovia " +
            TUtility::GetCurrentYear() + "</td>");
  page.Line("</tr>");
  page.Line("</table></body></html>");
}

void WriteHTMLSection(size_t position, const std::string& menu, THtmlPage& page,
                      const THtmlContext& ctx) {
  switch (position) {
    case 0:
      WriteHeaderBlock(page, ctx, menu);
      WriteSummaryBlock(page, ctx);
      break;
    case 2: WriteAttributesSection(page, ctx); break;
    case 3: WriteCategoriesSection(page, ctx); break;
    case 4: WriteRootFoldersSection(page, ctx); break;
    case 5: WriteSizeBandsSection(page, ctx); break;
    case 6: WriteExtensionsSection(page, ctx); break;
    case 7: WriteNullFilesSection(page, ctx); break;
    case 8: WriteFileDatesSection(page, ctx); break;
    case 9:
      WriteLargestFilesSection(page, ctx);
      WriteSmallestFilesSection(page, ctx);
      break;
    case 10: WriteOwnersSection(page, ctx); break;
    default: break;
  }
}

}  // namespace

std::string BuildHTMLMenu(const THTMLReportOptions& options) {
  static const int kMenuText[11] = {0,
                                    0,
                                    lt::kHtmlMenuAttributes,
                                    lt::kHtmlMenuCategories,
                                    lt::kHtmlMenuRootFolders,
                                    lt::kHtmlMenuSizeBands,
                                    lt::kHtmlMenuExtensions,
                                    0,
                                    lt::kHtmlMenuFileDates,
                                    0,
                                    lt::kHtmlMenuOwners};
  std::string menu;
  for (size_t i = 2; i <= 10; ++i) {
    if (!Selected(options.Layout, i)) continue;
    if (i == 7)
      menu += "<a href=\"#op7\">" + T(lt::kHtmlMenuEmptyFiles) + "</a> / <a href=\"#op7a\">" +
              T(lt::kHtmlMenuTempFiles) + "</a> || ";
    else if (i == 9)
      menu += "<a href=\"#op9\">" + T(lt::kHtmlMenuLargest) + " (" + T(lt::kHtmlMenuSmallest) +
              ")</a> || ";
    else
      menu += "<a href=\"#op" + std::to_string(i) + "\">" + T(kMenuText[i]) + "</a> || ";
  }
  return menu;
}

void WriteHTMLReport(const std::string& file_name, const THTMLReportOptions& options) {
  const size_t cut = file_name.rfind(platform::kPathDelim);
  const std::string folder = cut == std::string::npos ? std::string() : file_name.substr(0, cut + 1);
  // One level only: a report folder that is missing fails below, as it should.
  const std::string data_folder = folder + "data";
  if (!platform::DirectoryExists(data_folder) &&
      (folder.empty() || platform::DirectoryExists(folder)))
    platform::CreateDirectories(data_folder);

  const std::string stamp = TUtility::GetDate(2) + TUtility::GetTime(1);
  const THtmlContext ctx = MakeHtmlContext(options, stamp);
  const std::string menu = BuildHTMLMenu(ctx.Options);
  if (ctx.Charts) MakeHTMLCharts(file_name, stamp, ctx.Options);

  TReportFile file;
  if (!file.Create(file_name)) {
    ReportCreateFailed(file_name, file.CreateError());
    return;
  }
  TUtility::WriteLnOut(LanguageText(lt::kWritingReport) + " (HTML): " +
                       TUtility::TrimFileNameForOutput(file_name));
  TUtility::WriteLnOut("");

  THtmlPage page(&file);
  try {
    WriteHead(page, ctx);
    WriteHTMLSection(0, menu, page, ctx);
    for (size_t i = 1; i <= ctx.Options.Layout.size(); ++i)
      if (Selected(ctx.Options.Layout, i)) WriteHTMLSection(i, menu, page, ctx);
    WriteFooter(page, ctx);
    file.Close();
  } catch (const std::exception& e) {
    // What was written so far stays in the file.
    try {
      file.Close();
    } catch (const std::exception&) {
    }
    ReportWriteFailed(file_name, e);
  }
}
