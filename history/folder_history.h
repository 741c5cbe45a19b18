#pragma once
// The folder-history file: one per scanned folder and computer, a first line
// with the folder's path, then one 73-line record of headline numbers per scan.
#include <string>

#include "scan/scan_details.h"

// "<data folder>FolderHistory/<computer>/<path key>.qvfh".
std::string FolderHistoryFileName(const std::string& users_path, const std::string& computer,
                                  const std::string& scan_path);

// The record of one scan, lines ended by CR LF.
std::string FolderHistoryRecord(const TScanDetails& scan);

// Appends the scan's record (with the first line when the file is new) in one
// write, so concurrent runs never interleave their records. A failure is
// reported on the console and makes the exit status 1; it does not stop the
// database step.
void AppendFolderHistory(const TScanDetails& scan, const std::string& users_path,
                         const std::string& computer);
