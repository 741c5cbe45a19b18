#pragma once
// Database export in the structured schema: one system table with a row per
// scan, and the scan's entries in a data table whose rows carry the scan
// date, a new table per scan unless a shared one is named.
#include <string>

#include "history/database_writer.h"

class TTarveloStructured : public TDatabaseWriter {
 public:
  std::string FTableNameSystem;
  std::string FTableNameData;

  bool CreateNewSystemTable();
  bool CreateNewDataTable();
  bool PopulateSystemTable();
  bool PopulateDataTable();
  // The whole database step of a run.
  void UpdateFolderHistory();

  static constexpr const char* kDefaultSystemTable = "QuorvaneSystem";
  // The path's digest without upper-casing, then the scan date.
  static std::string DefaultDataTable(const std::string& scan_path, const std::string& scan_date);

 private:
  bool ODBCCreateNewSystemTable();
  bool ODBCCreateNewDataTable();
  bool ODBCPopulateSystemTable();
  bool ODBCPopulateDataTable();
  bool SQLiteCreateNewSystemTable();
  bool SQLiteCreateNewDataTable();
  bool SQLitePopulateSystemTable();
  bool SQLitePopulateDataTable();
  // A name that differs only in letter case finds the table, and `tablename`
  // takes the stored spelling, so the rows go into that table also where
  // quoted names are case-sensitive.
  bool ODBCTableExists(std::string& tablename);
  bool SQLiteTableExists(std::string& tablename);
};
