#pragma once
// The operating-system services in the program's terms, with the fallbacks
// the reports rely on (language text 633 for unknown names, 0, empty text).
#include <cstdint>
#include <string>

class TQvWindows {
 public:
  static void ExecuteFile(const std::string& file_name);
  static std::string GetComputerNetName();
  static std::string GetUserFromWindows();
  // True and the owner's name when it can be found; `name` is left alone otherwise.
  static bool GetFileOwner(const std::string& file_name, std::string& name);
  static std::string GetDiskTypeString(const std::string& folder);
  static int32_t GetDriveSectorSize(const std::string& path);
  static std::string GetEnvVarValue(const std::string& name);
  // The user's profile folder followed by "quorvane" and the delimiter.
  static std::string GetSpecialFolder();
  static bool SetupFormatSettings();
};
