#pragma once
// The XML list of every entry of the scan, files and folders, one item each.
#include <string>

class TReportFile;

void WriteXMLFileList(const std::string& file_name);

// "1" for true, "0" for false.
std::string BoolToFlagText(bool flag);

// The document itself, from the scan result (exposed for tests).
void WriteXMLFileListDocument(TReportFile& out);
