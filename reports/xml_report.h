#pragma once
// The XML report.
#include <string>

#include "config/report_options.h"

void WriteXMLReport(const std::string& file_name, const TXMLReportOptions& options);
