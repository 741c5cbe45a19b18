#pragma once
// Database export in the classic schema: every scan becomes a folder table
// (one row per folder visited) and a file table (one row per entry), named by
// the path key, the scan date and the computer, in the history database or an
// ODBC data source. Also writes the folder-history record and, when asked,
// the scan-history entry.
#include <string>

#include "history/database_writer.h"

class TTarveloQuorvane : public TDatabaseWriter {
 public:
  std::string FTableNameFile;
  std::string FTableNameFolder;

  bool CreateNewFolderTable(const std::string& tablename);
  bool CreateNewFileTable(const std::string& tablename);
  bool PopulateFolderTable(const std::string& tablename);
  bool PopulateFileTable(const std::string& tablename);
  // The whole database step of a run.
  void UpdateFolderHistory(bool aUpdateScanHistory);
  void UpdateFolderHistoryFile();

 private:
  bool ODBCCreateNewFolderTable(const std::string& tablename);
  bool ODBCCreateNewFileTable(const std::string& tablename);
  bool ODBCPopulateFolderTable(const std::string& tablename);
  bool ODBCPopulateFileTable(const std::string& tablename);
  void SQLiteCreateNewFolderTable(const std::string& tablename);
  void SQLiteCreateNewFileTable(const std::string& tablename);
  void SQLitePopulateFolderTable(const std::string& tablename);
  void SQLitePopulateFileTable(const std::string& tablename);
};
