#include "config/qv_windows.h"

#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/number_format.h"
#include "platform/platform.h"
#include "util/text.h"

TFormatSettings AppFormatSettings;

void TQvWindows::ExecuteFile(const std::string& file_name) {
  if (!file_name.empty()) platform::OpenWithAssociatedProgram(file_name);
}

namespace {
// The data folders are made before the language is loaded; an unknown name
// then still needs a text.
std::string UnknownName() {
  return static_cast<int>(LanguageStrings.size()) > lt::kUnknownName ? LanguageText(lt::kUnknownName)
                                                                     : std::string("Unknown");
}
}  // namespace

std::string TQvWindows::GetComputerNetName() {
  std::string name = platform::ComputerName();
  return name.empty() ? UnknownName() : name;
}

std::string TQvWindows::GetUserFromWindows() {
  std::string name = platform::UserName();
  return name.empty() ? UnknownName() : name;
}

bool TQvWindows::GetFileOwner(const std::string& file_name, std::string& name) {
  std::string owner = platform::FileOwner(file_name);
  if (owner.empty()) return false;
  name = owner;
  return true;
}

std::string TQvWindows::GetDiskTypeString(const std::string& folder) {
  switch (platform::DriveKindOf(folder)) {
    case platform::DriveKind::Unknown: return LanguageText(lt::kDriveUnknown);
    case platform::DriveKind::NoRoot: return LanguageText(lt::kDriveNoRoot);
    case platform::DriveKind::Removable: return LanguageText(lt::kDriveRemovable);
    case platform::DriveKind::Fixed: return LanguageText(lt::kDriveFixed);
    case platform::DriveKind::Remote: return LanguageText(lt::kDriveRemote);
    case platform::DriveKind::CdRom: return LanguageText(lt::kDriveCdRom);
    case platform::DriveKind::RamDisk: return LanguageText(lt::kDriveRamDisk);
  }
  return "";
}

int32_t TQvWindows::GetDriveSectorSize(const std::string& path) {
  if (path.empty()) return 0;
  platform::DriveFigures figures;
  if (!platform::QueryDrive(path, figures) || figures.Remote) return 0;
  return static_cast<int32_t>(figures.AllocationUnit);
}

std::string TQvWindows::GetEnvVarValue(const std::string& name) { return platform::GetEnvVar(name); }

std::string TQvWindows::GetSpecialFolder() {
  return platform::ProfileFolder() + platform::kPathDelim + "quorvane" + platform::kPathDelim;
}

bool TQvWindows::SetupFormatSettings() {
  AppFormatSettings.DecimalSeparator = platform::LocaleDecimalSeparator();
  return true;
}
