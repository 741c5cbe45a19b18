#pragma once
// Drives one scan of one folder tree and its two analysis passes.
#include <cstdint>
#include <string>

class TQuorvaneScan {
 public:
  explicit TQuorvaneScan(bool debug);
  void SetScanFolder(const std::string& folder);
  bool Scan();
  void Analyse();
  void AnalyseData(bool clear_data);

  int64_t FileTotalSpace() const { return FFileTotalSpace; }
  int64_t FileOnDisk() const { return FFileOnDisk; }
  int32_t FileCount() const { return FFileCount; }
  int32_t FolderCount() const { return FFolderCount; }

 private:
  bool FDebug;
  std::string FLocation;
  int64_t FFileTotalSpace = 0;
  int64_t FFileOnDisk = 0;
  int32_t FFileCount = 0;
  int32_t FFolderCount = 0;
};

// The per-scan reset of every statistic (before the scan).
void ResetScanStatistics();
// Sorts ScanResult.Files by size and fills the top-101 lists.
void BuildTopLists();
