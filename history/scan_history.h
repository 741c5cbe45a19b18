#pragma once
// The scan history shared with the desktop analyser: the most recently scanned
// folders, newest first, kept in "scanhistory.dat" in the data folder
// (portable mode) or under the registry key ...\Quorvane8\SinglePaths.
#include <cstdint>
#include <string>
#include <vector>

struct TScanHistoryObject {
  int32_t DateI = 0;      // yyyymmdd
  std::string TimeI;      // hhmm
  std::string Path;
  std::string ExcludeFiles;
  std::string ExcludeFolders;
};

class TScanHistory {
 public:
  static constexpr size_t kMaxEntries = 100;
  static constexpr int32_t kUnknownDate = 19000101;

  // Adds the scanned folder at the front of the stored history.
  static void UpdateQuorvaneScanHistory(const std::string& aFolder, const std::string& aUsersPath);

  // The file form: five lines per entry (path, date, time, excluded files,
  // excluded folders), lines ended by CR LF; at most kMaxEntries are written.
  static std::vector<TScanHistoryObject> ParseFile(const std::string& text);
  static std::string FormatFile(const std::vector<TScanHistoryObject>& entries);
  // A date text that is no valid 32-bit integer reads as kUnknownDate.
  static int32_t ParseDate(const std::string& text);
};
