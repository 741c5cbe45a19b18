#include "scan/file_extensions.h"

#include <fstream>

#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/utility.h"
#include "driver/globals.h"
#include "platform/platform.h"
#include "util/errors.h"

const std::array<const char*, kCategoryCount> kCategoryFileNames = {
    "Temp",    "Programs", "System",  "Graphics", "Movie",   "Audio",   "Office",
    "Programming", "Compressed", "Other", "Custom1", "Custom2", "Custom3", "Custom4",
    "Custom5", "Custom6",  "Custom7", "Custom8",  "Custom9", "Custom10"};

std::string ExtensionOf(std::string_view file_name) {
  size_t dot = file_name.rfind('.');
  if (dot == std::string_view::npos) return "";
  std::string ext(file_name.substr(dot + 1));
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext;
}

bool TFileExtensionsObject::LoadDefaultFileExtensions() {
  const std::string d = platform::PathDelimStr();
  std::string app = SystemInfo ? SystemInfo->AppPath : platform::ProgramFolder();
  return LoadFileExtensionsFrom(app + "data" + d + "system" + d + "DefaultExtensions" + d);
}

bool TFileExtensionsObject::LoadFileExtensionsFrom(const std::string& folder) {
  CategoryExtensions.clear();
  FIndex.clear();
  FIndexed = 0;
  bool result = true;
  for (int category = 0; category < kCategoryCount; ++category) {
    if (category == kCategoryOther) continue;
    const std::string path = folder + kCategoryFileNames[category] + ".txt";
    if (!platform::FileExists(path)) continue;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      result = false;
      continue;
    }
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();  // lists written on Windows
      if (line.empty()) continue;
      TFileExtension entry;
      entry.Name = line;
      entry.Category = category;
      CategoryExtensions.push_back(std::move(entry));
    }
    if (in.bad()) result = false;
  }
  UpdateIndex();
  return result;
}

void TFileExtensionsObject::UpdateIndex() {
  if (CategoryExtensions.size() < FIndexed) {  // the list was emptied behind our back
    FIndex.clear();
    FIndexed = 0;
  }
  for (; FIndexed < CategoryExtensions.size(); ++FIndexed) {
    const TFileExtension& e = CategoryExtensions[FIndexed];
    if (e.Category == kCategoryTemp) continue;
    FIndex[e.Name].push_back(static_cast<int32_t>(FIndexed));
  }
}

void TFileExtensionsObject::AddExtension(const TFileExtension& entry) {
  UpdateIndex();
  CategoryExtensions.push_back(entry);
  UpdateIndex();
}

void TFileExtensionsObject::ResetStatistics() {
  for (TFileExtension& e : CategoryExtensions) {
    e.Quantity = 0;
    e.Size = 0;
  }
}

TExtensionExistsIn TFileExtensionsObject::GetExtensionCategoryID(std::string_view ext) {
  return GetExtensionCategoryID(ext, Settings ? Settings->HandleMultipleExt : 0);
}

TExtensionExistsIn TFileExtensionsObject::GetExtensionCategoryID(std::string_view ext,
                                                                 int handle_multiple) {
  TExtensionExistsIn result;
  result.CategoryLocation.fill(-1);
  bool found = false;
  try {
    UpdateIndex();
    auto it = FIndex.find(ext);
    if (it != FIndex.end()) {
      for (int32_t k : it->second) {
        const int c = CategoryExtensions[k].Category;
        if (c < 1 || c >= kCategoryCount) continue;
        result.CategoryLocation[c] = k;
        result.RawCategory = c;
        found = true;
        if (handle_multiple != 2) break;  // first match in list order
      }
    }
  } catch (const std::exception& e) {
    TUtility::WriteLnOut(LanguageText(lt::kErrorHeading));
    TUtility::WriteLnOut("ERROR in GetExtensionCategoryID");
    TUtility::WriteLnOut(std::string(ErrorTypeName(e)) + " / " + e.what());
    TUtility::WriteLnOut("");
  }
  if (!found) {
    result.NotFound = true;
    result.RawCategory = kCategoryOther;
  }
  return result;
}

int TFileExtensionsObject::GetExtensionCategoryIDFromName(std::string_view fn) {
  TExtensionExistsIn found = GetExtensionCategoryID(ExtensionOf(fn));
  if (found.NotFound) return kCategoryOther;
  for (int c = 1; c < kCategoryCount; ++c)
    if (found.CategoryLocation[c] != -1) return c;
  return kCategoryOther;
}

std::string TFileExtensionsObject::RemoveExtension(const std::string& s) {
  size_t dot = s.find('.');
  return dot == std::string::npos ? s : s.substr(0, dot);
}
