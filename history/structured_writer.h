#pragma once
// Database export in the structured schema: a system table and data tables.
#include <string>

class TTarveloStructured {
 public:
  bool FUseODBC = false;
  std::string FODBCConnectionString;
  std::string FTableNameSystem;
  std::string FTableNameData;

  bool InitODBC(const std::string& connection_string);
  void UpdateFolderHistory();
};
