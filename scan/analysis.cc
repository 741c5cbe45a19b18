#include "scan/analysis.h"

#include <algorithm>
#include <array>
#include <utility>

#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/utility.h"
#include "driver/globals.h"
#include "driver/log.h"
#include "platform/platform.h"
#include "scan/conversions.h"
#include "scan/file_extensions.h"
#include "scan/scan_engine.h"
#include "util/text.h"

namespace {

// Upper limits of size bands 0..11; band 12 takes the rest.
constexpr std::array<int64_t, kMagnitudeBands - 1> kBandLimits = {
    1024LL,          1048576LL,       10485760LL,      52428800LL,
    104857600LL,     157286400LL,     209715200LL,     262144000LL,
    524288000LL,     1048576000LL,    2097152000LL,    5242880000LL};

int SizeBand(int64_t size) {
  for (size_t b = 0; b < kBandLimits.size(); ++b)
    if (size <= kBandLimits[b]) return static_cast<int>(b);
  return kMagnitudeBands - 1;
}

void Add(TStatPair& pair, int64_t bytes) {
  ++pair.Count;
  pair.Bytes += bytes;
}

// The copy of an entry kept in RootFiles: times, category and temp mark cleared.
TFileObject RootCopy(const TFileObject& e, uint16_t category) {
  TFileObject copy = e;
  copy.FileTimeC = copy.FileTimeA = copy.FileTimeM = 0;
  copy.FileCategory = category;
  copy.Temp = false;
  return copy;
}

// The temporary-file test over the files of a scan. Which pattern matches
// does not matter, only whether one does; and the files come folder by
// folder, so the folder part of a path is tested once per folder and each
// file only where a match could reach into its name.
class TempMatcher {
 public:
  explicit TempMatcher(const std::vector<TFileExtension>& table) {
    for (const TFileExtension& x : table) {
      if (x.Category != kCategoryTemp) continue;
      const std::string q = AsciiUpper(x.Name);
      if (q.empty()) continue;
      const bool star_first = q.front() == '*', star_last = q.back() == '*';
      if (q.find('*') != std::string::npos && !star_first) {
        if (q.size() > 1) prefixes_.push_back(q.substr(0, q.size() - 1));
        continue;
      }
      std::string rest = star_first && star_last ? (q.size() >= 2 ? q.substr(1, q.size() - 2) : "")
                         : star_first            ? q.substr(1)
                                                 : q;
      if (rest.empty()) continue;  // a lone "*" matches nothing
      longest_ = std::max(longest_, rest.size());
      by_first_[static_cast<unsigned char>(rest[0])].push_back(rest);
      parts_.push_back(std::move(rest));
    }
  }

  bool Empty() const { return parts_.empty() && prefixes_.empty(); }

  bool Matches(int32_t folder_index, const std::string& folder, const std::string& name) {
    if (folder_index != folder_index_) {
      folder_index_ = folder_index;
      upper_folder_ = AsciiUpper(folder);
      folder_hit_ = false;
      for (const std::string& part : parts_)
        if (upper_folder_.find(part) != std::string::npos) folder_hit_ = true;
      for (const std::string& prefix : prefixes_)
        if (prefix.size() <= upper_folder_.size() && StartsWith(upper_folder_, prefix)) folder_hit_ = true;
      const size_t keep = longest_ > 0 ? std::min(upper_folder_.size(), longest_ - 1) : 0;
      folder_tail_ = upper_folder_.substr(upper_folder_.size() - keep);
    }
    if (folder_hit_) return true;
    tail_.assign(folder_tail_);
    for (char c : name) tail_ += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    // One pass over the tail, trying only the patterns that begin with the
    // character at hand.
    const std::string_view tail(tail_);
    for (size_t i = 0; i < tail.size(); ++i) {
      for (const std::string& part : by_first_[static_cast<unsigned char>(tail[i])])
        if (tail.compare(i, part.size(), part) == 0 && tail.size() - i >= part.size()) return true;
    }
    for (const std::string& prefix : prefixes_) {
      if (prefix.size() <= upper_folder_.size()) continue;  // decided by the folder
      if (MatchesTempPattern(upper_folder_ + tail_.substr(folder_tail_.size()), prefix + "*")) return true;
    }
    return false;
  }

 private:
  std::vector<std::string> parts_;     // must occur anywhere in the path
  std::array<std::vector<std::string>, 256> by_first_;  // the same, by first character
  std::vector<std::string> prefixes_;  // must begin the path
  size_t longest_ = 0;
  int32_t folder_index_ = -1;
  bool folder_hit_ = false;
  std::string upper_folder_, folder_tail_, tail_;
};

}  // namespace

bool MatchesTempPattern(const std::string& upper_path, const std::string& upper_pattern) {
  const std::string& q = upper_pattern;
  std::string_view rest;
  if (q.find('*') == std::string::npos) {
    rest = q;
  } else if (q.front() == '*' && q.back() == '*') {
    rest = q.size() >= 2 ? std::string_view(q).substr(1, q.size() - 2) : std::string_view();
  } else if (q.front() == '*') {
    rest = std::string_view(q).substr(1);
  } else {
    std::string_view prefix = std::string_view(q).substr(0, q.size() - 1);
    return !prefix.empty() && StartsWith(upper_path, prefix);
  }
  return !rest.empty() && upper_path.find(rest) != std::string::npos;
}

void ResetScanStatistics() {
  ScanResult->ExtensionSpread.fill({});
  ScanResult->FileAttributes.fill({});
  ScanResult->Magnitude.fill({});
  if (ExtensionTable) ExtensionTable->ResetStatistics();
  ScanResult->FileCount = 0;
  ScanResult->FolderCount = 0;
  ScanResult->TotalSize = 0;
  ScanResult->TotalSizeOD = 0;
  ScanResult->Users.clear();
  ScanResult->Files.clear();
  ScanResult->Folders.clear();
  ScanResult->RootFiles.clear();
  ScanResult->RootFolders.clear();
  if (SystemInfo) SystemInfo->FolderStructure.clear();
  TRootFoldersData root;
  root.Name = platform::PathDelimStr();
  ScanResult->RootFolders.push_back(root);
}

bool TQuorvaneScan::Analyse() {
  std::vector<TFileObject>& files = ScanResult->Files;
  const std::vector<std::string>& folders = ScanResult->Folders;
  LogDebug("Analysis started. Found " + std::to_string(files.size()) + " objects, and " +
           std::to_string(folders.size()) + " folders");
  bool result = true;
  if (ScanResult->RootFolders.empty()) {
    TRootFoldersData root;
    root.Name = platform::PathDelimStr();
    ScanResult->RootFolders.push_back(root);
  }
  const bool owners = Settings && Settings->Optimisations.GetUserDetails;
  const bool temps = Settings && Settings->Optimisations.GetTempFiles;
  const int32_t today = ScanResult->TodayAsInteger;

  TempMatcher temp_patterns(ExtensionTable->CategoryExtensions);

  for (TFileObject& e : files) {
    try {
      if (e.IsFolder()) {
        e.FileCategory = 0;
        ++FFolderCount;
        if (e.FilePathIndex == 0) {
          ScanResult->RootFiles.push_back(RootCopy(e, 0));
          TRootFoldersData top;
          top.Name = e.FileName;
          top.Attributes = e.Attributes;
          ScanResult->RootFolders.push_back(std::move(top));
        }
        continue;
      }
      const int64_t size = e.FileSize;
      const std::string ext = ExtensionOf(e.FileName);
      const TExtensionExistsIn found = ExtensionTable->GetExtensionCategoryID(ext);
      if (found.NotFound) {
        Add(ScanResult->ExtensionSpread[kCategoryOther], size);
        ExtensionTable->AddExtension({ext, kCategoryOther, 1, size});
        e.FileCategory = kCategoryOther;
      } else {
        for (int c = 1; c < kCategoryCount; ++c) {
          const int32_t at = found.CategoryLocation[c];
          if (at == -1) continue;
          Add(ScanResult->ExtensionSpread[c], size);
          TFileExtension& x = ExtensionTable->CategoryExtensions.at(at);
          ++x.Quantity;
          x.Size += size;
          e.FileCategory = static_cast<uint16_t>(c);
        }
      }

      ++FFileCount;
      FFileTotalSpace += size;
      FFileOnDisk += e.FileSizeOnDisk;

      auto& slots = ScanResult->FileAttributes;
      if (e.Attributes & kAttrHidden) Add(slots[1], size);
      if (e.Attributes & kAttrSystem) Add(slots[2], size);
      if (e.Attributes & kAttrArchive) Add(slots[3], size);
      if (e.Attributes & kAttrReadOnly) Add(slots[5], size);
      if (e.FileDateC == today) Add(slots[6], size);
      if (e.FileDateA == today) Add(slots[7], size);
      if (e.FileDateM == today) Add(slots[8], size);

      Add(ScanResult->Magnitude[SizeBand(size)], size);
      if (size == 0) {
        ++slots[4].Count;
        NullFiles->push_back(folders.at(e.FilePathIndex) + e.FileName);
      }

      if (owners) {
        TUserData& user = ScanResult->Users.at(e.Owner);
        if (e.FileCategory != 0) {
          ++user.CategoryDataQty[e.FileCategory];
          user.CategoryDataSize[e.FileCategory] += size;
        }
        ++user.Data[0];
        user.Data[1] += size;
      }

      if (e.FilePathIndex < 0 || static_cast<size_t>(e.FilePathIndex) >= folders.size()) {
        e.FilePathIndex = 0;
      } else if (e.FilePathIndex == 0) {
        // The lookup again: an extension first seen here has its entry now.
        ScanResult->RootFiles.push_back(RootCopy(
            e, static_cast<uint16_t>(ExtensionTable->GetExtensionCategoryID(ext).RawCategory)));
      }

      e.Temp = false;
      if (!temps || temp_patterns.Empty()) continue;
      const std::string& folder = folders[e.FilePathIndex];
      if (!temp_patterns.Matches(e.FilePathIndex, folder, e.FileName)) continue;
      if (OnFoundTemp)
        OnFoundTemp(folder + e.FileName, TConvert::ConvertToUsefulUnit(size), std::to_string(size));
      Add(ScanResult->ExtensionSpread[kCategoryTemp], size);
      e.Temp = true;
    } catch (const std::exception&) {
      result = false;  // the rest of this entry is skipped; the pass goes on
    }
  }
  LogDebug("Analysis finished");
  return result;
}

bool TQuorvaneScan::AnalyseData(bool /*cleardata*/) {
  LogDebug("Analysis 2 started");
  std::vector<TRootFoldersData>& tops = ScanResult->RootFolders;
  try {
    if (tops.empty()) {
      TRootFoldersData root;
      root.Name = platform::PathDelimStr();
      tops.push_back(root);
    }
    // Each file is credited to the top-level folder it lies under, as the
    // walk numbered it; entry 0 takes the files of the scanned folder itself.
    for (const TFileObject& e : ScanResult->Files) {
      if (e.IsFolder()) continue;
      size_t top = e.RootFolderIndex > 0 && static_cast<size_t>(e.RootFolderIndex) < tops.size()
                       ? static_cast<size_t>(e.RootFolderIndex)
                       : 0;
      ++tops[top].Data[0];
      tops[top].Data[1] += e.FileSize;
    }
  } catch (const std::exception&) {
    TUtility::WriteLnOut(LanguageText(lt::kErrorHeading));
    TUtility::WriteLnOut(LanguageText(lt::kRootFolderError));
    TUtility::WriteLnOut("");
  }
  if (!(Settings && Settings->Optimisations.GetUserDetails)) {
    TUserData placeholder;
    placeholder.Name = LanguageText(lt::kOwnerNotSpecified);
    placeholder.Data[0] = ScanResult->FileCount;
    placeholder.Data[1] = ScanResult->TotalSize;
    ScanResult->Users.push_back(std::move(placeholder));
  }
  LogDebug("Analysis 2 finished");
  return true;
}

namespace {

#if defined(__GNUC__) || defined(__clang__)
#define TARVELO_PREFETCH(address) __builtin_prefetch(address)
#else
#define TARVELO_PREFETCH(address) ((void)0)
#endif

// The positions of the entries in ascending size order: an LSD radix sort of
// (size, position) pairs over the bits the sizes actually use. Stable.
std::vector<uint32_t> SizeOrderOf(const std::vector<TFileObject>& files) {
  using Key = std::pair<uint64_t, uint32_t>;
  std::vector<Key> keys(files.size());
  int64_t lowest = 0, highest = 0;
  for (size_t i = 0; i < files.size(); ++i) {
    lowest = i ? std::min(lowest, files[i].FileSize) : files[i].FileSize;
    highest = i ? std::max(highest, files[i].FileSize) : files[i].FileSize;
  }
  uint64_t span = static_cast<uint64_t>(highest) - static_cast<uint64_t>(lowest);
  for (size_t i = 0; i < files.size(); ++i)
    keys[i] = {static_cast<uint64_t>(files[i].FileSize) - static_cast<uint64_t>(lowest),
               static_cast<uint32_t>(i)};
  constexpr int kDigit = 11;
  constexpr size_t kBuckets = size_t{1} << kDigit;
  std::vector<Key> other(keys.size());
  for (int shift = 0; shift < 64 && (span >> shift) != 0; shift += kDigit) {
    std::vector<size_t> start(kBuckets + 1, 0);
    for (const Key& k : keys) ++start[((k.first >> shift) & (kBuckets - 1)) + 1];
    for (size_t b = 0; b < kBuckets; ++b) start[b + 1] += start[b];
    for (const Key& k : keys) other[start[(k.first >> shift) & (kBuckets - 1)]++] = k;
    keys.swap(other);
  }
  std::vector<Key>().swap(other);
  std::vector<uint32_t> order(keys.size());
  for (size_t i = 0; i < keys.size(); ++i) order[i] = keys[i].second;
  return order;
}

}  // namespace

void BuildTopLists() {
  std::vector<TFileObject>& files = ScanResult->Files;
  // Sort the positions, then move every entry once along the cycles of the
  // permutation: far cheaper than sorting the entries themselves, and no
  // second copy of the list.
  std::vector<uint32_t> source = SizeOrderOf(files);
  for (size_t start = 0; start < files.size(); ++start) {
    if (source[start] == start) continue;
    TFileObject held = std::move(files[start]);
    size_t at = start;
    for (;;) {
      size_t from = source[at];
      source[at] = static_cast<uint32_t>(at);
      // A cycle jumps through memory: fetch the next step early.
      TARVELO_PREFETCH(&source[source[from]]);
      TARVELO_PREFETCH(&files[source[from]]);
      if (from == start) {
        files[at] = std::move(held);
        break;
      }
      files[at] = std::move(files[from]);
      at = from;
    }
  }

  Top101Largest->clear();
  Top101Smallest->clear();
  for (size_t i = files.size(); i-- > 0 && Top101Largest->size() <= 101;)
    if (!files[i].IsFolder()) Top101Largest->push_back(&files[i]);
  for (size_t i = 0; i < files.size() && Top101Smallest->size() <= 101; ++i)
    if (!files[i].IsFolder()) Top101Smallest->push_back(&files[i]);
}
