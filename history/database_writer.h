#pragma once
// What the two database writers share: the ODBC connection made before the
// scan and closed at the end of the export, the choice between it and the
// history database, and how failures of each back end are handled.
#include <functional>
#include <memory>
#include <string>

#include "history/odbc_connection.h"
#include "history/sqlite_connection.h"

class TDatabaseWriter {
 public:
  TDatabaseWriter();
  ~TDatabaseWriter();

  bool FUseODBC = false;
  std::string FODBCConnectionString;
  std::unique_ptr<TOdbcConnection> QvODBC;
  // The history database file; empty: the one in the data folder.
  std::string FHistoryDatabase;

  // Connects with the connection string and no prompt; false (logged) on failure.
  bool InitODBC(const std::string& connectionstring);
  void CloseODBC();

 protected:
  // A new connection to the history database. SQLite failures are not caught:
  // they end the database step and reach the run's error guard.
  TSqliteConnection OpenHistoryDatabase() const;
  // Runs one ODBC operation. A failure is logged at debug level with the
  // operation's name, makes the exit status of the run 1, and gives false.
  static bool RunOdbc(const char* operation, const std::function<void()>& body);
  TOdbcConnection& Odbc();
};
