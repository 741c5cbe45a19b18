#include "reports/text_report.h"

void WriteTextReport(const std::string&, const TTextReportOptions&) {}
