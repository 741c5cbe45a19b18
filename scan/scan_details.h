#pragma once
// The records of one scan: every directory entry, the folders visited, the
// owners, the top-level folders and the statistics arrays. The scan engine
// appends entries, the analysis fills the totals, and every writer only reads.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Category numbers: 0 temporary-file patterns, 1..8 the shipped lists,
// 9 "other" (extensions found in no list), 10..19 the user categories.
constexpr int kCategoryCount = 20;
constexpr int kCategoryTemp = 0;
constexpr int kCategoryOther = 9;
constexpr int kMagnitudeBands = 13;
constexpr int kAttributeSlots = 8;  // slots 1..8

// Windows-style attribute bits, as the platform layer maps them.
constexpr uint32_t kAttrReadOnly = 0x01;
constexpr uint32_t kAttrHidden = 0x02;
constexpr uint32_t kAttrSystem = 0x04;
constexpr uint32_t kAttrDirectory = 0x10;
constexpr uint32_t kAttrArchive = 0x20;
constexpr uint32_t kAttrSymlink = 0x400;

// One statistic: number of files, then their bytes.
struct TStatPair {
  int64_t Count = 0;
  int64_t Bytes = 0;
};

// One directory entry (file or folder). Kept compact: millions are held.
struct TFileObject {
  int32_t FilePathIndex = 0;  // into TScanDetails::Folders
  std::string FileName;       // bytes as the file system gave them
  int64_t FileSize = 0;
  int64_t FileSizeOnDisk = 0;
  int32_t FileDateC = 0;  // yyyymmdd, local time
  int32_t FileDateA = 0;
  int32_t FileDateM = 0;
  uint16_t FileTimeC = 0;  // hhmm
  uint16_t FileTimeA = 0;
  uint16_t FileTimeM = 0;
  uint16_t FileCategory = 0;  // 1..19 after analysis; 0 for folders
  uint32_t Attributes = 0;
  bool Temp = false;
  int32_t Owner = 0;  // into TScanDetails::Users
  // Index into TScanDetails::RootFolders of the top-level folder the entry
  // lies under (0: directly in the scanned folder). Set by the scan.
  int32_t RootFolderIndex = 0;

  bool IsFolder() const { return (Attributes & kAttrDirectory) != 0; }
};

struct TUserData {
  std::string Name;
  std::array<int64_t, 2> Data{};                  // files owned, their bytes
  std::array<int32_t, kCategoryCount> CategoryDataQty{};   // index 1..19 used
  std::array<int64_t, kCategoryCount> CategoryDataSize{};  // index 1..19 used
};

struct TRootFoldersData {
  std::string Name;  // last path component, or "/" for entry 0
  uint32_t Attributes = 0;
  std::array<int64_t, 2> Data{};  // files below it at any depth, their bytes
};

struct TFileExtension {
  std::string Name;  // without the dot; for category 0 a temp-file pattern
  int32_t Category = 0;
  int32_t Quantity = 0;
  int64_t Size = 0;
};

// A local date and time, as read from the clock or converted from a file time.
struct TDateTime {
  int Year = 1900, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0;
  int DayOfWeek = 0;  // 0 = Sunday
};

class TScanDetails {
 public:
  int32_t ScanMode = 0;
  std::string ScanPath;  // as given, with the path delimiter appended
  std::string Filename;
  std::string MappedToNetwork;
  bool FromFile = false;
  TDateTime TimeStarted;
  int32_t TodayAsInteger = 0;
  std::string ScanDateStr;  // yyyy/mm/dd hh:mm:ss
  std::string ScanDateInt;  // yyyymmddhhmmss
  std::string ScanMD5;
  int32_t FileCount = 0;
  int32_t FolderCount = 0;
  int64_t TotalSize = 0;
  int64_t TotalSizeOD = 0;
  std::vector<TFileObject> Files;
  std::vector<std::string> Folders;
  std::vector<TFileObject> RootFiles;
  std::vector<TRootFoldersData> RootFolders;
  std::vector<TUserData> Users;
  std::vector<std::string> MultipleList;
  std::array<TStatPair, kMagnitudeBands> Magnitude{};
  std::array<TStatPair, kAttributeSlots + 1> FileAttributes{};  // index 1..8
  std::array<TStatPair, kCategoryCount> ExtensionSpread{};

  // Stamps the start of a scan from the local clock.
  void InitNow();
  void ClearUserStatistics();
  // Replaces the owner list by one owner (language text 407) holding the totals.
  void SetUserNotSpecified();

  // Full path of an entry: its folder followed by its name.
  std::string FullPath(const TFileObject& entry) const {
    return Folders[entry.FilePathIndex] + entry.FileName;
  }
};

// The path key: MD5 of the path (ASCII-upper-cased when `upper_case`), one
// byte per UTF-16 code unit with "?" for every non-ASCII unit, as 32
// upper-case hexadecimal digits.
std::string PathKey(const std::string& path, bool upper_case = true);
