#include "reports/xml_report.h"

void WriteXMLReport(const std::string&, const TXMLReportOptions&) {}
