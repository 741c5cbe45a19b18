#pragma once
// The CSV report: category summary (CSVData 0) or the list of every entry of
// the scan (CSVData 1), comma- or tab-separated. Fields that hold a quote, the
// separator or a line break are quoted with inner quotes doubled, so every
// row reads back with a standard CSV reader.
#include <string>

#include "config/report_options.h"

void WriteCSVReport(const std::string& file_name, const TCSVReportOptions& options);
