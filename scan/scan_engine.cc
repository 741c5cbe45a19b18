#include "scan/scan_engine.h"

#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/qv_windows.h"
#include "config/utility.h"
#include "driver/globals.h"
#include "driver/log.h"
#include "platform/platform.h"
#include "scan/conversions.h"
#include "scan/file_extensions.h"
#include "util/text.h"

namespace {
constexpr size_t kStageBlock = 1 << 14;
}

TQuorvaneScan::TQuorvaneScan(bool aDebug) : FDebug(aDebug) { SetFileScanMode(); }

TQuorvaneScan::~TQuorvaneScan() = default;

void TQuorvaneScan::SetFileScanMode() {
  const bool debug = FDebug;
  FFindFile.OnFolderChange = [this, debug](const std::string& folder, int32_t tag) {
    FolderChange(folder, tag, debug);
  };
  FFindFile.OnFileMatch = [this](const TFileDetails& info) { return FileMatch(info); };
  FFindFile.OnSearchBegin = [this](TFindFile&) { SearchBegin(); };
  FFindFile.OnSearchFinish = nullptr;
}

void TQuorvaneScan::SetScanFolder(const std::string& aFolder) {
  FFindFile.Criteria().Files().SetLocation(aFolder);
}

void TQuorvaneScan::AddExcludedFolder(const std::string& aFolder) {
  FFindFile.Criteria().Files().Filters().push_back(aFolder);
}

void TQuorvaneScan::AddExcludedFile(const std::string& aFile) {
  FFindFile.Criteria().Files().Filters().push_back(aFile);
}

void TQuorvaneScan::ClearFilters() { FFindFile.Criteria().Files().Filters().clear(); }

bool TQuorvaneScan::Scan() {
  FFileTotalSpace = 0;
  FFileOnDisk = 0;
  FFileCount = 0;
  FFolderCount = 0;
  TUtility::WriteLnOut(LanguageText(lt::kScanning) + ": " + FFindFile.Criteria().Files().Location());
  LogDebug("Scan started");

  FCurrentRootFolder = 0;
  FRootFoldersSeen = 0;
  FInStartFolder = false;
  FCollectOwners = Settings && Settings->Optimisations.GetUserDetails;
  FFallbackOwner = -1;
  FOwnerOfId.clear();
  FOwnerOfName.clear();
  FLastOwnerIndex = -1;
  FileUsername.clear();
  for (size_t i = 0; i < ScanResult->Users.size(); ++i)
    FOwnerOfName.emplace(ScanResult->Users[i].Name, static_cast<int32_t>(i));
  FStaged.clear();

  try {
    FFindFile.Execute();
  } catch (...) {
    FlushStaged();
    throw;
  }
  FlushStaged();

  // Folders alone (or files that vanished) would leave no owner for the
  // folder entries' owner index 0 to point at.
  if (FCollectOwners && ScanResult->Users.empty() && !ScanResult->Files.empty()) {
    TUserData fallback;
    fallback.Name = LanguageText(lt::kOwnerNotSpecified);
    ScanResult->Users.push_back(std::move(fallback));
  }
  return true;
}

void TQuorvaneScan::FlushStaged() {
  size_t total = 0;
  for (const auto& block : FStaged) total += block.size();
  std::vector<TFileObject>& files = ScanResult->Files;
  files.reserve(files.size() + total);
  for (auto& block : FStaged) {
    for (TFileObject& entry : block) files.push_back(std::move(entry));
    std::vector<TFileObject>().swap(block);  // free each block as soon as it is moved
  }
  FStaged.clear();
}

void TQuorvaneScan::SearchBegin() {
  if (SystemInfo)
    SystemInfo->DriveSectorSize = TQvWindows::GetDriveSectorSize(FFindFile.Criteria().Files().Location());
  FInStartFolder = false;
  FAwaitStartFolder = true;
  FRootFoldersSeen = 0;
}

void TQuorvaneScan::FolderChange(const std::string& Folder, int32_t tag, bool debug) {
  if (FSizeOfCurrentScanFolder == 0 && OnFoundNull) OnFoundNull(FMainCurrentFolder);
  FSizeOfCurrentScanFolder = 0;
  FMainCurrentFolder = Folder;
  ScanResult->Folders.push_back(Folder);
  FMainCurrentFolderIndex = static_cast<int32_t>(ScanResult->Folders.size() - 1);
  // The start folder is the first folder of the walk; every other folder
  // carries the number of the top-level folder it lies under.
  FInStartFolder = FAwaitStartFolder;
  FAwaitStartFolder = false;
  FCurrentRootFolder = FInStartFolder ? 0 : tag;
  if (debug) LogDebug("Folder: " + PrintableText(Folder));
}

int32_t TQuorvaneScan::OwnerIndex(uint32_t owner_id) {
  if (owner_id == FLastOwnerId && FLastOwnerIndex >= 0) return FLastOwnerIndex;
  FLastOwnerId = owner_id;
  auto known = FOwnerOfId.find(owner_id);
  if (known != FOwnerOfId.end()) return FLastOwnerIndex = known->second;
  std::string name = platform::OwnerNameOfId(owner_id);
  if (name.empty()) name = LanguageText(lt::kOwnerNotSpecified);
  int32_t index;
  auto by_name = FOwnerOfName.find(name);
  if (by_name != FOwnerOfName.end()) {
    index = by_name->second;
  } else {
    TUserData user;
    user.Name = name;
    ScanResult->Users.push_back(std::move(user));
    index = static_cast<int32_t>(ScanResult->Users.size() - 1);
    FOwnerOfName.emplace(name, index);
  }
  FOwnerOfId.emplace(owner_id, index);
  return FLastOwnerIndex = index;
}

int32_t TQuorvaneScan::FileMatch(const TFileDetails& FileInfo) {
  if (FStaged.empty() || FStaged.back().size() == kStageBlock) {
    FStaged.emplace_back();
    FStaged.back().reserve(kStageBlock);
  }
  TFileObject& entry = FStaged.back().emplace_back();
  entry.FileName.assign(FileInfo.Name);
  entry.FilePathIndex = FMainCurrentFolderIndex;
  entry.FileSize = FileInfo.Size;
  entry.FileDateC = TConvert::DateTimeToInteger(FileInfo.CreatedTime);
  entry.FileDateA = TConvert::DateTimeToInteger(FileInfo.AccessedTime);
  entry.FileDateM = TConvert::DateTimeToInteger(FileInfo.ModifiedTime);
  entry.FileTimeC = TConvert::DateTimeToTimeWord(FileInfo.CreatedTime);
  entry.FileTimeA = TConvert::DateTimeToTimeWord(FileInfo.AccessedTime);
  entry.FileTimeM = TConvert::DateTimeToTimeWord(FileInfo.ModifiedTime);
  entry.Attributes = FileInfo.Attributes;
  entry.RootFolderIndex = FCurrentRootFolder;
  ++FSizeOfCurrentScanFolder;

  if (entry.IsFolder()) {
    entry.FileSize = 0;
    entry.FileSizeOnDisk = 0;
    entry.Owner = 0;
    // A folder of the start folder opens a new top-level folder, numbered as
    // the analysis will number its RootFolders entry.
    return FInStartFolder ? ++FRootFoldersSeen : FCurrentRootFolder;
  }
  if (FileInfo.SizeOnDisk >= 0)
    entry.FileSizeOnDisk = FileInfo.SizeOnDisk;
  else
    entry.FileSizeOnDisk = TConvert::GetSizeOnDisk(entry.FileSize);
  if (FCollectOwners) {
    const int32_t previous = FLastOwnerIndex;
    entry.Owner = OwnerIndex(FileInfo.OwnerId);
    if (entry.Owner != previous || FileUsername.empty()) FileUsername = ScanResult->Users[entry.Owner].Name;
  } else {
    entry.Owner = 0;
  }
  return FCurrentRootFolder;
}

TSizeOfFolder TQuorvaneScan::SizeOfFolder(const std::string& aFolderName) const {
  TSizeOfFolder result;
  const std::string needle = aFolderName + platform::kPathDelim;
  for (const TFileObject& e : ScanResult->Files) {
    if (e.FileCategory == 0) continue;
    if (e.FilePathIndex < 0 || static_cast<size_t>(e.FilePathIndex) >= ScanResult->Folders.size()) continue;
    if (!Contains(ScanResult->Folders[e.FilePathIndex], needle)) continue;
    result.Data[0] += e.FileSize;
    result.Data[1] += e.FileSizeOnDisk;
  }
  return result;
}

int TQuorvaneScan::BuildRootListFromQuorvaneFiles() {
  ScanResult->RootFiles.clear();
  int invalid = 0;
  for (TFileObject& e : ScanResult->Files) {
    if (e.FilePathIndex < 0 || static_cast<size_t>(e.FilePathIndex) >= ScanResult->Folders.size()) {
      ++invalid;
      LogError("FolderIndex invalid: " + std::to_string(e.FilePathIndex) + " " + PrintableText(e.FileName));
      e.FilePathIndex = 0;
    } else if (e.FilePathIndex == 0) {
      TFileObject copy = e;
      copy.FileTimeC = copy.FileTimeA = copy.FileTimeM = 0;
      copy.Temp = false;
      copy.FileCategory = static_cast<uint16_t>(
          ExtensionTable->GetExtensionCategoryID(ExtensionOf(e.FileName)).RawCategory);
      ScanResult->RootFiles.push_back(std::move(copy));
    }
  }
  return invalid;
}
