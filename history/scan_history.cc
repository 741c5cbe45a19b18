#include "history/scan_history.h"

#include <fstream>
#include <limits>
#include <sstream>

#include "config/registry_store.h"
#include "config/utility.h"
#include "driver/globals.h"
#include "driver/log.h"
#include "platform/platform.h"
#include "util/errors.h"
#include "util/exit_status.h"
#include "util/text.h"

namespace {
const char kHistoryKey[] = "Software\\kestrovia\\Quorvane8\\SinglePaths";

TScanHistoryObject NewEntry(const std::string& folder) {
  TDateTime now = platform::Now();
  TScanHistoryObject entry;
  entry.DateI = now.Year * 10000 + now.Month * 100 + now.Day;
  entry.TimeI = ZeroPad(now.Hour, 2) + ZeroPad(now.Minute, 2);
  // Stored as one line (file) or one value (registry): no control characters.
  entry.Path = PrintableText(folder);
  return entry;
}

// False when an existing file cannot be read; the history is then left as it is.
bool LoadFile(const std::string& file_name, std::vector<TScanHistoryObject>& entries) {
  if (!platform::FileExists(file_name)) return true;
  LogInfo("ScanHistory \"" + file_name + "\"");
  std::ifstream in(file_name, std::ios::binary);
  std::stringstream buffer;
  if (in) buffer << in.rdbuf();
  if (!in || in.bad()) {
    TUtility::WriteLnOut("Unable to read the scan history \"" + file_name + "\".");
    TUtility::WriteLnOut(std::string("EInOutError / ") + "cannot read " + file_name);
    return false;
  }
  entries = TScanHistory::ParseFile(buffer.str());
  return true;
}

void LoadRegistry(const TRegistryStore& store, std::vector<TScanHistoryObject>& entries) {
  for (size_t i = 0;; ++i) {
    const std::string n = std::to_string(i);
    auto path = store.ReadString(kHistoryKey, "PathX" + n);
    if (!path) break;
    TScanHistoryObject entry;
    entry.Path = *path;
    entry.DateI = TScanHistory::ParseDate(store.ReadString(kHistoryKey, "PathY" + n).value_or(""));
    entry.TimeI = store.ReadString(kHistoryKey, "PathZ" + n).value_or("");
    entry.ExcludeFiles = store.ReadString(kHistoryKey, "PathE1" + n).value_or("");
    entry.ExcludeFolders = store.ReadString(kHistoryKey, "PathE2" + n).value_or("");
    entries.push_back(std::move(entry));
  }
}

void StoreRegistry(TRegistryStore& store, const std::vector<TScanHistoryObject>& entries) {
  for (size_t i = 0; i < entries.size() && i < TScanHistory::kMaxEntries; ++i) {
    const std::string n = std::to_string(i);
    const TScanHistoryObject& e = entries[i];
    store.Write(kHistoryKey, "PathX" + n, e.Path);
    store.Write(kHistoryKey, "PathY" + n, std::to_string(e.DateI));
    store.Write(kHistoryKey, "PathZ" + n, e.TimeI);
    store.Write(kHistoryKey, "PathE1" + n, e.ExcludeFiles);
    store.Write(kHistoryKey, "PathE2" + n, e.ExcludeFolders);
  }
  store.Save();
}
}  // namespace

int32_t TScanHistory::ParseDate(const std::string& text) {
  int64_t value = 0;
  if (!ParseInt(text, value) || value < std::numeric_limits<int32_t>::min() ||
      value > std::numeric_limits<int32_t>::max())
    return kUnknownDate;
  return static_cast<int32_t>(value);
}

std::vector<TScanHistoryObject> TScanHistory::ParseFile(const std::string& text) {
  std::vector<std::string> lines = SplitLines(text);
  // The line break after the last line ends that line; it starts no entry.
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  std::vector<TScanHistoryObject> entries;
  for (size_t i = 0; i < lines.size(); i += 5) {
    auto line = [&](size_t k) { return i + k < lines.size() ? lines[i + k] : std::string(); };
    TScanHistoryObject entry;
    entry.Path = line(0);
    entry.DateI = ParseDate(line(1));
    entry.TimeI = line(2);
    entry.ExcludeFiles = line(3);
    entry.ExcludeFolders = line(4);
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string TScanHistory::FormatFile(const std::vector<TScanHistoryObject>& entries) {
  std::string out;
  for (size_t i = 0; i < entries.size() && i < kMaxEntries; ++i) {
    const TScanHistoryObject& e = entries[i];
    for (const std::string& line :
         {e.Path, std::to_string(e.DateI), e.TimeI, e.ExcludeFiles, e.ExcludeFolders})
      out += line + "\r\n";
  }
  return out;
}

void TScanHistory::UpdateQuorvaneScanHistory(const std::string& aFolder,
                                              const std::string& aUsersPath) {
  std::vector<TScanHistoryObject> entries;
  TUtility::WriteLnOut("Updating Quorvane Scan History...");
  const bool file_mode = Settings && Settings->CustomSettings.SettingsSaveLocation;
  if (file_mode) {
    const std::string file_name = aUsersPath + "scanhistory.dat";
    if (!LoadFile(file_name, entries)) {
      // Rewriting from what could be read would lose every stored entry.
      NoteRunFailed();
      return;
    }
    TScanHistoryObject entry = NewEntry(aFolder);
    entry.Path = platform::ToOutputCharset(entry.Path);
    entries.insert(entries.begin(), std::move(entry));
    // Written beside the old file and renamed over it: a crash or a full disk
    // leaves the previous history in place.
    platform::WriteFileAtomically(file_name, FormatFile(entries));
  } else {
    TRegistryStore store(TRegistryStore::DefaultFileName());
    LoadRegistry(store, entries);
    entries.insert(entries.begin(), NewEntry(aFolder));
    StoreRegistry(store, entries);
  }
}
