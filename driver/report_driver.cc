#include "driver/report_driver.h"

#include "config/qv_windows.h"
#include "config/utility.h"
#include "driver/globals.h"
#include "driver/param_object.h"
#include "driver/switches.h"
#include "platform/platform.h"
#include "reports/console_summary.h"
#include "reports/csv_report.h"
#include "reports/html_report.h"
#include "reports/text_report.h"
#include "reports/xml_file_list.h"
#include "reports/xml_report.h"

namespace {
constexpr const char* kAllCategories = "1111111111111111111";
}  // namespace

std::string LayoutFromOptions(const std::string& options) {
  if (options.size() >= 10) return options;
  return options + std::string(10 - options.size(), '1');
}

void FillCSVOptions(const std::string& o, TCSVReportOptions& r) {
  r.Filename.clear();
  r.CSVSeparator = 0;
  r.CSVData = OptionDigit(o, 1, 1);
  r.CSVTitles = OptionFlag(o, 2, true);
  r.CSVUnits = OptionDigit(o, 3, 0);
  r.Category = -1;
}

void FillTextOptions(const std::string& o, TTextReportOptions& r) {
  r.Filename.clear();
  r.Layout = LayoutFromOptions(o);
  r.CategoryList = kAllCategories;
}

void FillHTMLOptions(const std::string& o, THTMLReportOptions& r) {
  r.Filename.clear();
  r.HTMLUnits = OptionDigit(o, 12, 0);
  r.LayoutSize = OptionDigit(o, 11, 2);
  r.CategoryList = kAllCategories;
  r.Layout = LayoutFromOptions(o);
}

void FillXMLOptions(const std::string& o, TXMLReportOptions& r) {
  r.Filename.clear();
  r.Layout = LayoutFromOptions(o);
}

void GenerateReports() {
  bool report_produced = false;
  std::string open_name;
  TCSVReportOptions csv;
  TTextReportOptions text;
  THTMLReportOptions html;
  TXMLReportOptions xml;

  for (size_t i = 2; i < CommandLine.size(); ++i) {
    const std::string& argument = CommandLine[i];
    TParamObject p = ParseParameter(argument);
    std::string name;
    if (p.ParamType >= kParamCSV && p.ParamType <= kParamXFL)
      name = TUtility::ProcessFilename(p.ParamValue);
    switch (p.ParamType) {
      case kParamUnknown:
        TUtility::WriteLnOut("GenerateReports Unknown parameter: " + argument);
        break;
      case kParamCSV:
        FillCSVOptions(p.Options, csv);
        WriteCSVReport(name, csv);
        break;
      case kParamText:
        FillTextOptions(p.Options, text);
        WriteTextReport(name, text);
        break;
      case kParamHTML:
        FillHTMLOptions(p.Options, html);
        WriteHTMLReport(name, html);
        break;
      case kParamXML:
        FillXMLOptions(p.Options, xml);
        WriteXMLReport(name, xml);
        break;
      case kParamXFL:
        WriteXMLFileList(name);
        break;
      case kParamSummary:
        WriteConsoleSummary();
        break;
      case kParamOpen:
        // An absolute name, so the opener never takes a name beginning
        // with "-" for one of its options.
        if (!open_name.empty())
          TQvWindows::ExecuteFile(open_name.front() == platform::kPathDelim
                                      ? open_name
                                      : platform::ExpandFullPath(open_name));
        break;
      default:
        break;
    }
    if (p.ParamType >= kParamCSV && p.ParamType <= kParamXFL) {
      report_produced = true;
      open_name = name;
    } else {
      if (p.ParamType == kParamSummary) report_produced = true;
      open_name.clear();
    }
  }
  if (!report_produced && Settings->General.ShowStatusOutput) WriteConsoleSummary();
}
