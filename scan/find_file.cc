#include "scan/find_file.h"

#include <array>

#include "driver/log.h"
#include "platform/directory_reader.h"
#include "platform/platform.h"
#include "util/text.h"

namespace {

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Step 5 of the mask match and the steps before it, on the rest of text and
// mask; recursion only at a "*".
bool MatchFrom(std::string_view t, std::string_view m) {
  size_t ti = 0, mi = 0;
  while (ti < t.size() && mi < m.size() && m[mi] != '*') {
    if (m[mi] != '?' && Fold(m[mi]) != Fold(t[ti])) return false;
    ++ti;
    ++mi;
  }
  if (ti < t.size() && !(mi < m.size() && m[mi] == '*')) return false;
  while (mi < m.size() && (m[mi] == '*' || m[mi] == '?')) ++mi;
  if (ti >= t.size() || mi >= m.size()) return mi >= m.size();
  const char c = Fold(m[mi++]);
  for (;;) {
    while (ti < t.size() && Fold(t[ti]) != c) ++ti;
    if (ti >= t.size()) return false;
    ++ti;
    if (MatchFrom(t.substr(ti), m.substr(mi))) return true;
  }
}

// Local calendar time of a file time. Files of one tree share few distinct
// times, so conversions are remembered (exactly, per second).
class LocalTimeCache {
 public:
  const TDateTime& Convert(int64_t seconds) {
    Slot& slot = slots_[static_cast<uint64_t>(seconds) % kSlots];
    if (!slot.used || slot.seconds != seconds) {
      slot.used = true;
      slot.seconds = seconds;
      slot.value = Compute(seconds);
    }
    return slot.value;
  }

 private:
  static TDateTime Compute(int64_t seconds) {
    TDateTime t;
    if (platform::LocalTimeOf(seconds, t)) return t;
    // The calendar fields stay 0, which is no valid date: the fallback date.
    LogError("Invalid date: 0 / 0 / 0");
    TDateTime fallback;
    fallback.Year = 1975;
    fallback.Month = 4;
    fallback.Day = 17;
    fallback.DayOfWeek = 4;
    return fallback;
  }
  static constexpr size_t kSlots = 4096;
  struct Slot {
    int64_t seconds = 0;
    bool used = false;
    TDateTime value;
  };
  std::array<Slot, kSlots> slots_{};
};

class FinderVisitor : public platform::DirectoryVisitor {
 public:
  FinderVisitor(TFindFile& finder, bool filtered,
                const std::function<bool(std::string_view, std::string_view)>& accept)
      : finder_(finder), filtered_(filtered), accept_(accept) {}

  void FolderEntered(const std::string& folder, int32_t tag) override {
    folder_tag_ = tag;
    if (finder_.OnFolderChange) finder_.OnFolderChange(folder, tag);
  }

  int32_t Entry(const std::string& folder, const platform::DirectoryEntry& entry) override {
    // A folder left out of the report is still entered; it keeps the tag of
    // the folder that holds it.
    if (filtered_ && !accept_(folder, entry.Name)) return folder_tag_;
    TFileDetails d;
    d.Location = folder;
    d.Name = entry.Name;
    d.Attributes = entry.Attributes;
    d.Size = entry.Size;
    d.CreatedTime = times_->Convert(entry.CreatedTime);
    d.ModifiedTime = times_->Convert(entry.ModifiedTime);
    d.AccessedTime = times_->Convert(entry.AccessedTime);
    d.SizeOnDisk = entry.AllocatedSize;
    d.OwnerId = entry.OwnerId;
    d.FolderTag = folder_tag_;
    if (!finder_.OnFileMatch) return folder_tag_;
    return finder_.OnFileMatch(d);
  }

  void Unreadable(const std::string& path, const std::string& cause) override {
    LogDebug("Cannot read " + PrintableText(path) + ": " + cause);
  }

 private:
  TFindFile& finder_;
  bool filtered_;
  const std::function<bool(std::string_view, std::string_view)>& accept_;
  int32_t folder_tag_ = 0;
  std::unique_ptr<LocalTimeCache> times_ = std::make_unique<LocalTimeCache>();
};

}  // namespace

bool MatchesMask(std::string_view text, std::string_view mask) { return MatchFrom(text, mask); }

// --- target paths ---

std::string TTargetPaths::NormaliseFolder(const std::string& text) {
  std::string s = text;
  // "<", ">", blanks and control characters are legal in Linux names: a text
  // that names an existing folder as given is that folder, never a mask
  // prefix to cut away.
  if (platform::DirectoryExists(s)) {
    s = platform::ExpandFullPath(s);
    if (s.back() != platform::kPathDelim) s += platform::kPathDelim;
    return s;
  }
  size_t gt = s.find('>');
  if (gt != std::string::npos) {
    s.erase(0, gt + 1);
  } else {
    size_t lt = s.find('<');
    if (lt != std::string::npos) s.erase(0, lt + 1);
  }
  size_t first = 0, last = s.size();
  while (first < last && static_cast<unsigned char>(s[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(s[last - 1]) <= ' ') --last;
  s = s.substr(first, last - first);
  s = platform::ExpandFullPath(s);
  if (s.empty() || s.back() != platform::kPathDelim) s += platform::kPathDelim;
  return s;
}

TTargetPath& TTargetPaths::AddFolderAndMasks(const std::string& FolderInfo) {
  const std::string folder = NormaliseFolder(FolderInfo);
  if (TTargetPath* existing = Find(folder)) {
    existing->fFolder = folder;
    return *existing;
  }
  FItems.push_back(TTargetPath{folder});
  return FItems.back();
}

TTargetPath& TTargetPaths::AddPath(const std::string& PathInfo) {
  size_t cut = PathInfo.rfind(platform::kPathDelim);
  return AddFolderAndMasks(cut == std::string::npos ? std::string() : PathInfo.substr(0, cut + 1));
}

TTargetPath* TTargetPaths::Find(const std::string& Folder) {
  for (TTargetPath& t : FItems)
    if (AsciiEqualNoCase(t.fFolder, Folder)) return &t;
  return nullptr;
}

// --- criteria ---

void TFileCriteria::SetLocation(const std::string& value) {
  if (value == fLocation) return;
  fLocation = value;
  fTargetPaths.reset();
}

TTargetPaths& TFileCriteria::TargetPaths() {
  if (!fTargetPaths) {
    fTargetPaths = std::make_unique<TTargetPaths>();
    fTargetPaths->AddFolderAndMasks(fLocation);
  }
  return *fTargetPaths;
}

void TFileCriteria::Assign(const TFileCriteria& source) {
  SetLocation(source.fLocation);
  fFilters = source.fFilters;
}

void TFileCriteria::Clear() {
  SetLocation("");
  fFilters.clear();
}

bool TFileCriteria::Matches(std::string_view Folder, std::string_view FileName) const {
  if (fFilters.empty()) return true;
  std::string p;
  p.reserve(Folder.size() + FileName.size() + 1);
  p.append(Folder).append(FileName);
  if (FileName.find('.') == std::string_view::npos) p += '.';
  for (const std::string& line : fFilters) {
    std::string_view mask(line);
    if (!mask.empty() && mask[0] == '>') {
      if (MatchesMask(p, mask.substr(1))) return true;
      continue;
    }
    if (!mask.empty() && mask[0] == '<') mask.remove_prefix(1);
    if (MatchesMask(p, mask)) return false;
  }
  return true;
}

// --- finder ---

TFindFile::TFindFile() = default;

void TFindFile::DoSearchBegin() {
  if (OnSearchBegin) OnSearchBegin(*this);
}

void TFindFile::DoSearchFinish() {
  if (OnSearchFinish) OnSearchFinish(*this);
}

bool TFindFile::AcceptFile(std::string_view Folder, std::string_view Name) {
  return ActiveCriteria ? ActiveCriteria->Matches(Folder, Name) : true;
}

void TFindFile::Execute() {
  ActiveCriteria = std::make_unique<TSearchCriteria>();
  ActiveCriteria->Assign(fCriteria);
  try {
    DoSearchBegin();
    TTargetPaths& targets = ActiveCriteria->Files().TargetPaths();
    const bool filtered = !fCriteria.Files().Filters().empty();
    for (size_t i = 0; i < targets.Count(); ++i) {
      FActiveTargetCopy = targets.Items(i);
      FActiveTarget = &FActiveTargetCopy;
      Walk(FActiveTargetCopy.fFolder, filtered);
    }
  } catch (...) {
    ActiveCriteria.reset();
    DoSearchFinish();
    throw;
  }
  ActiveCriteria.reset();
  DoSearchFinish();
}

void TFindFile::Walk(const std::string& folder, bool filtered) {
  const std::function<bool(std::string_view, std::string_view)> accept =
      [this](std::string_view f, std::string_view n) { return AcceptFile(f, n); };
  FinderVisitor visitor(*this, filtered, accept);
  platform::WalkDirectoryTree(folder, visitor);
}
