#include "history/database_writer.h"

#include "driver/globals.h"
#include "driver/log.h"
#include "util/errors.h"
#include "util/exit_status.h"

TDatabaseWriter::TDatabaseWriter() = default;
TDatabaseWriter::~TDatabaseWriter() = default;

bool TDatabaseWriter::InitODBC(const std::string& connectionstring) {
  if (connectionstring.empty()) {
    LogError("ConnectionString is empty :(");
    return false;
  }
  try {
    QvODBC = std::make_unique<TOdbcConnection>();
    QvODBC->Connect(connectionstring);
    return true;
  } catch (const std::exception& e) {
    QvODBC.reset();
    LogOdbcFailure("InitODBC", e);
    return false;
  }
}

void TDatabaseWriter::CloseODBC() {
  if (QvODBC) QvODBC->Close();
  QvODBC.reset();
}

TSqliteConnection TDatabaseWriter::OpenHistoryDatabase() const {
  return TSqliteConnection(FHistoryDatabase.empty() ? HistoryDatabaseFile(SystemInfo->UsersPath)
                                                    : FHistoryDatabase);
}

bool TDatabaseWriter::RunOdbc(const char* operation, const std::function<void()>& body) {
  try {
    body();
    return true;
  } catch (const std::exception& e) {
    LogOdbcFailure(operation, e);
    NoteRunFailed();
    return false;
  }
}

TOdbcConnection& TDatabaseWriter::Odbc() {
  if (!QvODBC) throw EDatabaseError("not connected to the ODBC data source");
  return *QvODBC;
}
