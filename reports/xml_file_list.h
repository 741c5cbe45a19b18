#pragma once
// The XML list of every entry of the scan.
#include <string>

void WriteXMLFileList(const std::string& file_name);
