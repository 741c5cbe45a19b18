#pragma once
// Drives one scan of one folder tree: turns every entry the finder reports
// into a TFileObject of ScanResult.Files, records every folder visited in
// ScanResult.Folders and every owner in ScanResult.Users. The two analysis
// passes that follow are members too.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "scan/analysis.h"
#include "scan/find_file.h"
#include "scan/scan_details.h"

struct TSizeOfFolder {
  int64_t Data[2] = {0, 0};  // bytes, bytes on disk
};

class TQuorvaneScan {
 public:
  using TFoundNull = std::function<void(const std::string& aFileName)>;
  using TFoundTemp = std::function<void(const std::string& aFileName, const std::string& aSizeWords,
                                        const std::string& aSize)>;

  explicit TQuorvaneScan(bool aDebug);
  ~TQuorvaneScan();

  // Binds the finder's events to the engine's handlers.
  void SetFileScanMode();
  void SetScanFolder(const std::string& aFolder);
  void AddExcludedFolder(const std::string& aFolder);
  void AddExcludedFile(const std::string& aFile);
  void ClearFilters();

  // Walks the folder set by SetScanFolder; errors of the walk reach the caller.
  bool Scan();
  // First pass: categories, extensions, attribute and date slots, size bands,
  // empty and temporary files, owner totals and the engine's four totals.
  // False when some entry could not be processed.
  bool Analyse();
  // Second pass: the totals of the top-level folders, and the single owner
  // when owners are not collected.
  bool AnalyseData(bool cleardata);

  TSizeOfFolder SizeOfFolder(const std::string& aFolderName) const;
  int BuildRootListFromQuorvaneFiles();

  int64_t FileTotalSpace() const { return FFileTotalSpace; }
  int64_t FileOnDisk() const { return FFileOnDisk; }
  int32_t FileCount() const { return FFileCount; }
  int32_t FolderCount() const { return FFolderCount; }
  int64_t SizeOfCurrentScanFolder() const { return FSizeOfCurrentScanFolder; }
  int32_t Tag = 0;

  TFoundNull OnFoundNull;
  TFoundTemp OnFoundTemp;

 private:
  void FolderChange(const std::string& Folder, int32_t Tag, bool debug);
  int32_t FileMatch(const TFileDetails& FileInfo);
  void SearchBegin();
  int32_t OwnerIndex(uint32_t owner_id);
  void FlushStaged();

  bool FDebug;
  TFindFile FFindFile;
  int64_t FSizeOfCurrentScanFolder = 0;
  std::string FileUsername;
  std::string FMainCurrentFolder;
  int32_t FMainCurrentFolderIndex = 0;
  int64_t FFileTotalSpace = 0;
  int64_t FFileOnDisk = 0;
  int32_t FFileCount = 0;
  int32_t FFolderCount = 0;

  // State of the walk in progress.
  int32_t FCurrentRootFolder = 0;  // top-level folder of the folder being listed
  int32_t FRootFoldersSeen = 0;    // top-level folders reported so far
  bool FInStartFolder = false;
  bool FAwaitStartFolder = false;
  bool FCollectOwners = false;
  int32_t FFallbackOwner = -1;
  uint32_t FLastOwnerId = 0;  // the files of a folder mostly share their owner
  int32_t FLastOwnerIndex = -1;
  std::unordered_map<uint32_t, int32_t> FOwnerOfId;      // owner id -> Users index
  std::unordered_map<std::string, int32_t> FOwnerOfName;  // name -> Users index
  // Entries are gathered in blocks and moved into ScanResult.Files once, so a
  // growing list never holds two copies of millions of entries.
  std::vector<std::vector<TFileObject>> FStaged;
};
