#pragma once
// The steps around a scan that turn its raw entries into statistics: the
// reset before the scan and the top lists after the two analysis passes
// (the passes themselves are TQuorvaneScan::Analyse and AnalyseData).
#include <string>

// Empties every statistic, counter and list of the scan result, zeroes the
// extension table's figures and gives RootFolders its entry 0.
void ResetScanStatistics();
// Sorts ScanResult.Files by ascending size and fills the two top lists
// (at most 102 files each).
void BuildTopLists();

// The temporary-file test of one upper-cased full path against one
// upper-cased pattern of the temporary-file list.
bool MatchesTempPattern(const std::string& upper_path, const std::string& upper_pattern);
