#pragma once
// The HTML report with its chart images.
#include <string>

#include "config/report_options.h"

void WriteHTMLReport(const std::string& file_name, const THTMLReportOptions& options);
