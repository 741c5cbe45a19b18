#pragma once
// The text report: fixed-width tables of one scan, the sections chosen by a
// ten-character layout, every line ended by CR LF. Names are written with
// control characters as "?", so one entry always stays one line.
#include <string>

#include "config/report_options.h"

void WriteTextReport(const std::string& file_name, const TTextReportOptions& options);
