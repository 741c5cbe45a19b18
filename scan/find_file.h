#pragma once
// The file finder: walks one folder tree depth first and reports every entry
// (files and sub-folders) through events, folder by folder; a folder's
// entries all come before any of its sub-folders is entered. Optional
// wildcard masks leave entries out of the report (folders are still entered).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "scan/scan_details.h"

// One reported entry. The texts are valid only while the event runs.
struct TFileDetails {
  std::string_view Location;  // the folder being walked, ending in the delimiter
  std::string_view Name;
  uint32_t Attributes = 0;
  int64_t Size = 0;
  TDateTime CreatedTime;  // local time
  TDateTime ModifiedTime;
  TDateTime AccessedTime;
  int64_t SizeOnDisk = -1;  // bytes allocated, -1 when the file system does not say
  uint32_t OwnerId = 0;
  int32_t FolderTag = 0;  // the tag of the folder being walked (see TFindFile)
};

// ASCII letters compare without regard to case; "?" is any one character,
// "*" any run of characters.
bool MatchesMask(std::string_view text, std::string_view mask);

struct TTargetPath {
  std::string fFolder;  // normalised, ending in the delimiter
};

class TTargetPaths {
 public:
  // Normalises the folder text and returns its entry, appending a new one
  // when the folder is not there yet.
  TTargetPath& AddFolderAndMasks(const std::string& FolderInfo);
  // The same for the folder part of a path.
  TTargetPath& AddPath(const std::string& PathInfo);
  // The first entry whose folder equals `Folder` ignoring ASCII case.
  TTargetPath* Find(const std::string& Folder);
  size_t Count() const { return FItems.size(); }
  TTargetPath& Items(size_t i) { return FItems[i]; }
  // The normalisation: text up to a first ">" (else "<") dropped, blanks and
  // control characters trimmed, made absolute, delimiter appended.
  static std::string NormaliseFolder(const std::string& text);

 private:
  std::vector<TTargetPath> FItems;
};

class TFileCriteria {
 public:
  const std::string& Location() const { return fLocation; }
  void SetLocation(const std::string& value);
  const std::vector<std::string>& Filters() const { return fFilters; }
  std::vector<std::string>& Filters() { return fFilters; }
  void SetFilters(const std::vector<std::string>& value) { fFilters = value; }
  TTargetPaths& TargetPaths();
  void Assign(const TFileCriteria& source);
  void Clear();
  // The filter test: true when the entry is reported. Exception masks
  // (">" first) accept, other masks (an optional "<" first) reject; the first
  // mask that matches decides.
  bool Matches(std::string_view Folder, std::string_view FileName) const;

 private:
  std::string fLocation;
  std::vector<std::string> fFilters;
  std::unique_ptr<TTargetPaths> fTargetPaths;
};

class TSearchCriteria {
 public:
  TFileCriteria& Files() { return fFiles; }
  const TFileCriteria& Files() const { return fFiles; }
  void Assign(const TSearchCriteria& source) { fFiles.Assign(source.fFiles); }
  void Clear() { fFiles.Clear(); }
  bool Matches(std::string_view Folder, std::string_view Name) const {
    return fFiles.Matches(Folder, Name);
  }

 private:
  TFileCriteria fFiles;
};

class TFindFile {
 public:
  // An entry was found. For a sub-folder, the value returned becomes that
  // folder's tag: its folder-change event and its entries carry it, so a
  // client can tell which branch of the tree an entry lies in.
  using TFileMatchEvent = std::function<int32_t(const TFileDetails& FileInfo)>;
  // A folder is entered (also when it then cannot be listed); the tag is 0
  // for a start folder.
  using TFolderChangeEvent = std::function<void(const std::string& Folder, int32_t Tag)>;
  using TNotifyEvent = std::function<void(TFindFile& Sender)>;

  TFindFile();

  TSearchCriteria& Criteria() { return fCriteria; }
  void SetCriteria(const TSearchCriteria& value) { fCriteria.Assign(value); }

  TFileMatchEvent OnFileMatch;
  TFolderChangeEvent OnFolderChange;
  TNotifyEvent OnSearchBegin;
  TNotifyEvent OnSearchFinish;

  // Runs one search; the events are raised before it returns. An error of an
  // event handler ends the walk (OnSearchFinish is still raised) and reaches
  // the caller.
  void Execute();

  const TTargetPath* ActiveTarget() const { return FActiveTarget; }

 protected:
  virtual void DoSearchBegin();
  virtual void DoSearchFinish();
  virtual bool AcceptFile(std::string_view Folder, std::string_view Name);

 private:
  TSearchCriteria fCriteria;
  std::unique_ptr<TSearchCriteria> ActiveCriteria;
  const TTargetPath* FActiveTarget = nullptr;
  TTargetPath FActiveTargetCopy;
  void Walk(const std::string& folder, bool filtered);
};
