#include "config/system_global.h"

#include "config/ini_file.h"
#include "config/qv_windows.h"
#include "config/utility.h"
#include "driver/log.h"
#include "platform/platform.h"
#include "util/exit_status.h"
#include "util/text.h"

namespace {
const char d = platform::kPathDelim;

std::string SystemFallback(const std::string& app_path) { return app_path + "system" + d; }
}  // namespace

TSystemGlobal::TSystemGlobal() {
  AppPath = platform::ProgramFolder();
  UsersPath = ResolveDataFolder(AppPath);
  CreateDataFolders();
}

std::string TSystemGlobal::ResolveDataFolder(const std::string& app_path) {
  const std::string ini_path = app_path + "custom.ini";
  if (!platform::FileExists(ini_path)) return TQvWindows::GetSpecialFolder();
  TIniFile ini(ini_path);
  std::string value = ini.ReadString("Tarvelo", "DataPath", "");
  if (value.empty()) value = ini.ReadString("Main", "DataPath", "");
  if (value.empty()) return SystemFallback(app_path);

  if (value.back() != d) value += d;
  // Linux has no drive letters: the program's drive is the empty text.
  if (Contains(value, "$qvdrive")) value = ReplaceAll(value, "$qvdrive", "");
  if (Contains(value, "$qvfolder"))
    value = ReplaceAll(value, "$qvfolder", app_path.substr(0, app_path.size() - 1));
  size_t a = value.find('<');
  if (a != std::string::npos) {
    size_t b = value.find('>');
    if (b != std::string::npos && b > a) {
      std::string name = value.substr(a + 1, b - a - 1);
      std::string env = TQvWindows::GetEnvVarValue(name);
      if (!env.empty()) {
        value = ReplaceAll(value, "<" + name + ">", env);
      } else {
        TUtility::WriteLnOut("Configuration error");
        TUtility::WriteLnOut("Environment variable \"" + name + "\" not found.");
        TUtility::WriteLnOut("Using: " + SystemFallback(app_path));
        TUtility::WriteLnOut("");
        return SystemFallback(app_path);
      }
    }
  }
  // "//" from "$qvdrive" or a variable ending in the delimiter is one delimiter.
  return ReplaceAll(value, std::string(2, d), std::string(1, d));
}

void TSystemGlobal::CreateDataFolders() {
  bool failed = false;
  auto ensure = [&](const std::string& path) {
    if (platform::DirectoryExists(path)) return;
    if (!platform::CreateDirectories(path)) {
      LogError("ForceDirectories failed \"" + path + "\"");
      failed = true;
    }
  };
  ensure(AppPath + "logs");
  ensure(UsersPath);
  const std::string reports = UsersPath + "Tarvelo" + d + "Reports" + d + TQvWindows::GetComputerNetName() + d;
  ensure(UsersPath + "Tarvelo" + d + "Saves" + d + "Custom Reports");
  ensure(reports + "CSV" + d);
  ensure(reports + "HTML" + d + "data");
  ensure(reports + "Quorvane" + d);
  ensure(reports + "Summary" + d);
  ensure(reports + "Text" + d);
  ensure(reports + "Tree" + d);
  ensure(reports + "XML" + d);
  ensure(UsersPath + "FolderHistory" + d + "Database");
  ensure(UsersPath + "FolderHistory" + d + TQvWindows::GetComputerNetName());
  if (failed) {
    TUtility::WriteLnOut("Error(s) while updating \"" + UsersPath + "\".");
    TUtility::WriteLnOut("This folder, and all subfolders, must be read/write.");
    TUtility::WriteLnOut("");
  }
  if (!platform::DirectoryExists(AppPath + "Data") && !platform::DirectoryExists(AppPath + "data")) {
    TUtility::WriteLnOut("Quorvane is not properly installed");
    TUtility::WriteLnOut("Missing folder: " + AppPath + "data");
    TUtility::WriteLnOut("");
    ExitProgram(kExitInstallation);
  }
}

void TSystemGlobal::UpdateDriveDetails(const std::string& folder) {
  platform::DriveFigures figures;
  if (platform::QueryDrive(folder, figures)) {
    DriveSpaceMax = figures.TotalBytes;
    DriveSpaceFree = figures.FreeBytes;
  } else {
    DriveSpaceMax = -1;
    DriveSpaceFree = -1;
  }
  DriveSectorSize = TQvWindows::GetDriveSectorSize(folder);
}
