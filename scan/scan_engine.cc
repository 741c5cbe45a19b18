#include "scan/scan_engine.h"

TQuorvaneScan::TQuorvaneScan(bool debug) : FDebug(debug) {}
void TQuorvaneScan::SetScanFolder(const std::string& folder) { FLocation = folder; }
bool TQuorvaneScan::Scan() { return true; }
void TQuorvaneScan::Analyse() {}
void TQuorvaneScan::AnalyseData(bool) {}
void ResetScanStatistics() {}
void BuildTopLists() {}
