#include "reports/csv_report.h"

void WriteCSVReport(const std::string&, const TCSVReportOptions&) {}
