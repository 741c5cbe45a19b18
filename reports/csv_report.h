#pragma once
// The CSV report: category summary or file list.
#include <string>

#include "config/report_options.h"

void WriteCSVReport(const std::string& file_name, const TCSVReportOptions& options);
