#pragma once
// Database export in the classic schema: a folder table and a file table per scan.
#include <string>

class TTarveloQuorvane {
 public:
  bool FUseODBC = false;
  std::string FODBCConnectionString;
  std::string FTableNameFile;
  std::string FTableNameFolder;

  bool InitODBC(const std::string& connection_string);
  void UpdateFolderHistory(bool update_scan_history);
};
