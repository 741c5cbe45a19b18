#include "reports/html_report.h"

void WriteHTMLReport(const std::string&, const THTMLReportOptions&) {}
