#pragma once
// A connection to an ODBC data source through the driver manager: connected
// with the connection string and no prompt, statements prepared once and run
// with bound values, the table list from the driver. Failures raise
// EDatabaseError with the driver's diagnostics.
#include <exception>
#include <optional>
#include <string>

#include "history/database_connection.h"

class TOdbcConnection : public TDbConnection {
 public:
  TOdbcConnection();
  ~TOdbcConnection() override;
  TOdbcConnection(const TOdbcConnection&) = delete;
  TOdbcConnection& operator=(const TOdbcConnection&) = delete;

  void Connect(const std::string& connection_string);
  void Close();
  bool Connected() const { return FConnected; }

  void Execute(const std::string& sql) override;
  std::unique_ptr<TDbStatement> Prepare(const std::string& sql) override;
  // The user table of the data source whose name equals `table_name` with
  // ASCII letters compared without regard to case, spelt as the data source
  // spells it; nothing when there is none.
  std::optional<std::string> FindTable(const std::string& table_name);

 private:
  void* FEnv = nullptr;  // SQLHENV
  void* FDbc = nullptr;  // SQLHDBC
  bool FConnected = false;
};

// ODBC failures are logged at debug level only, with the operation's name:
// `Operation "EDatabaseError / message"`.
void LogOdbcFailure(const std::string& operation, const std::exception& error);
