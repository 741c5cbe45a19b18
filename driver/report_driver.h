#pragma once
// Writes one report per report switch, in command-line order, opens a report
// on /open directly after it, prints the console summary for /sum (or at the
// end when no report was asked for) and names unrecognised arguments.
#include <string>

#include "config/report_options.h"

void GenerateReports();

// The option records a report switch's option text gives (exposed for tests).
// Each fills only the fields the switch decides, so a record reused for a
// second switch of its kind keeps the rest.
void FillCSVOptions(const std::string& options, TCSVReportOptions& record);
void FillTextOptions(const std::string& options, TTextReportOptions& record);
void FillHTMLOptions(const std::string& options, THTMLReportOptions& record);
void FillXMLOptions(const std::string& options, TXMLReportOptions& record);
// The section layout: the option text itself when it has ten or more
// characters, else padded with "1" to ten.
std::string LayoutFromOptions(const std::string& options);
