#pragma once
// Where things are: the program folder with its installation data, the data
// folder and its tree, and the figures of the drive being scanned.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class TSystemGlobal {
 public:
  TSystemGlobal();  // resolves the data folder and creates its tree; may exit

  int64_t DriveSpaceMax = -1;
  int64_t DriveSpaceFree = -1;
  int32_t DriveSectorSize = 0;
  std::vector<std::string> FolderStructure;
  std::string AppPath;    // program folder, ending in the path delimiter
  std::string UsersPath;  // data folder, ending in the path delimiter
  std::array<int32_t, 20> FileCategoryColors{};

  void UpdateDriveDetails(const std::string& folder);

  // The data-folder rule, given the program folder (exposed for tests).
  static std::string ResolveDataFolder(const std::string& app_path);

 private:
  void CreateDataFolders();
};
