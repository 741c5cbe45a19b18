#pragma once
// The HTML report with its chart images.
#include <string>

#include "config/report_options.h"

// Writes the page (and, with the chart flag, its images in the "data" folder
// beside it). Progress and failures go to the console; a page that cannot be
// created or written makes the run's exit code 1.
void WriteHTMLReport(const std::string& file_name, const THTMLReportOptions& options);

// The menu of links to the selected sections (layout positions 2 to 10).
std::string BuildHTMLMenu(const THTMLReportOptions& options);
