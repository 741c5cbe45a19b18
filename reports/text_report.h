#pragma once
// The text report.
#include <string>

#include "config/report_options.h"

void WriteTextReport(const std::string& file_name, const TTextReportOptions& options);
