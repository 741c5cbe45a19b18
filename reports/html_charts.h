#pragma once
// The chart images of the HTML report, saved in the "data" folder beside it.
#include <string>
#include <vector>

#include "config/report_options.h"
#include "reports/html_chart_render.h"

// The charts of the current scan, in the order they are saved: cm1, cm2, xm0,
// xm1, cd0, cd1, dd and fd (files per year of last modification). `name`
// is the part of the file name before the image stamp.
struct TNamedChart {
  std::string Name;
  TChart Chart;
};
std::vector<TNamedChart> BuildHTMLCharts(const THTMLReportOptions& options);

// Draws every chart and saves it as `folder of file_name` + "data/" + name +
// stamp + ".png". Failures are logged; the report goes on.
void MakeHTMLCharts(const std::string& file_name, const std::string& stamp,
                    const THTMLReportOptions& options);
