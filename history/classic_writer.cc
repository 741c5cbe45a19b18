#include "history/classic_writer.h"

#include "config/language_handler.h"
#include "config/language_texts.h"
#include "config/qv_windows.h"
#include "config/utility.h"
#include "driver/globals.h"
#include "driver/log.h"
#include "history/entry_rows.h"
#include "history/folder_history.h"
#include "history/scan_history.h"
#include "history/table_sql.h"
#include "util/exit_status.h"
#include "util/text.h"

namespace {
const std::vector<TColumn> kFolderColumns = {
    {"ID", nullptr, "INTEGER PRIMARY KEY"},
    {"FilePath", "VARCHAR (1024)", "VARCHAR (1024)"},
};
const std::vector<TColumn>& FileColumns() {
  static const std::vector<TColumn> columns = EntryColumns(true);
  return columns;
}

void InsertFolders(TDbStatement& insert, size_t i) {
  insert.BindText(1, ValidUtf8(ScanResult->Folders[i]));
  insert.Execute();
}
}  // namespace

bool TTarveloQuorvane::CreateNewFolderTable(const std::string& tablename) {
  if (tablename.empty()) {
    LogError("CreateNewFolderTable tablename cannot be blank!");
    return false;
  }
  // A failed ODBC create is only logged: the rows still go into a table of
  // that name if one exists.
  if (FUseODBC)
    ODBCCreateNewFolderTable(tablename);
  else
    SQLiteCreateNewFolderTable(tablename);
  return true;
}

bool TTarveloQuorvane::CreateNewFileTable(const std::string& tablename) {
  if (tablename.empty()) {
    LogError("CreateNewFileTable tablename cannot be blank!");
    return false;
  }
  if (FUseODBC)
    ODBCCreateNewFileTable(tablename);
  else
    SQLiteCreateNewFileTable(tablename);
  return true;
}

bool TTarveloQuorvane::PopulateFolderTable(const std::string& tablename) {
  if (tablename.empty()) return false;
  TUtility::WriteLnOut("Populating folder table...");
  if (FUseODBC)
    ODBCPopulateFolderTable(tablename);
  else
    SQLitePopulateFolderTable(tablename);
  return true;
}

bool TTarveloQuorvane::PopulateFileTable(const std::string& tablename) {
  if (tablename.empty()) return false;
  TUtility::WriteLnOut("Populating file table...");
  if (FUseODBC)
    ODBCPopulateFileTable(tablename);
  else
    SQLitePopulateFileTable(tablename);
  return true;
}

void TTarveloQuorvane::UpdateFolderHistory(bool aUpdateScanHistory) {
  if (!CreateNewFolderTable(FTableNameFolder)) {
    TUtility::WriteLnOut("Folder Table Create Failed.");
    NoteRunFailed();
  } else if (!CreateNewFileTable(FTableNameFile)) {
    TUtility::WriteLnOut("File Table Create Failed.");
    NoteRunFailed();
  } else {
    PopulateFolderTable(FTableNameFolder);
    PopulateFileTable(FTableNameFile);
    if (aUpdateScanHistory)
      TScanHistory::UpdateQuorvaneScanHistory(ScanResult->ScanPath, SystemInfo->UsersPath);
    TUtility::WriteLnOut(LanguageText(lt::kDatabaseUpdated));
    UpdateFolderHistoryFile();
  }
  if (FUseODBC) CloseODBC();
}

void TTarveloQuorvane::UpdateFolderHistoryFile() {
  AppendFolderHistory(*ScanResult, SystemInfo->UsersPath, TQvWindows::GetComputerNetName());
}

// --- ODBC ---

bool TTarveloQuorvane::ODBCCreateNewFolderTable(const std::string& tablename) {
  return RunOdbc("ODBCCreateNewFolderTable", [&] {
    Odbc().Execute(CreateTableSql(tablename, kFolderColumns, TBackEnd::Odbc));
  });
}

bool TTarveloQuorvane::ODBCCreateNewFileTable(const std::string& tablename) {
  return RunOdbc("ODBCCreateNewFileTable", [&] {
    Odbc().Execute(CreateTableSql(tablename, FileColumns(), TBackEnd::Odbc));
  });
}

// An insert that fails ends the rows of that table; the step goes on.
bool TTarveloQuorvane::ODBCPopulateFolderTable(const std::string& tablename) {
  return RunOdbc("ODBCPopulateFolderTable", [&] {
    auto insert = Odbc().Prepare(InsertSql(tablename, kFolderColumns));
    for (size_t i = 0; i < ScanResult->Folders.size(); ++i) InsertFolders(*insert, i);
  });
}

bool TTarveloQuorvane::ODBCPopulateFileTable(const std::string& tablename) {
  return RunOdbc("ODBCPopulateFileTable", [&] {
    TEntryRows rows(*ScanResult);
    auto insert = Odbc().Prepare(InsertSql(tablename, FileColumns()));
    for (const TFileObject& entry : ScanResult->Files) {
      rows.Bind(*insert, entry, true);
      insert->Execute();
    }
  });
}

// --- history database ---

void TTarveloQuorvane::SQLiteCreateNewFolderTable(const std::string& tablename) {
  TSqliteConnection db = OpenHistoryDatabase();
  db.Execute(CreateTableSql(tablename, kFolderColumns, TBackEnd::Sqlite));
}

void TTarveloQuorvane::SQLiteCreateNewFileTable(const std::string& tablename) {
  TSqliteConnection db = OpenHistoryDatabase();
  db.Execute(CreateTableSql(tablename, FileColumns(), TBackEnd::Sqlite));
}

void TTarveloQuorvane::SQLitePopulateFolderTable(const std::string& tablename) {
  TSqliteConnection db = OpenHistoryDatabase();
  auto insert = db.Prepare(InsertSql(tablename, kFolderColumns));
  InsertInTransactions(db, ScanResult->Folders.size(), [&](size_t i) { InsertFolders(*insert, i); });
}

void TTarveloQuorvane::SQLitePopulateFileTable(const std::string& tablename) {
  TSqliteConnection db = OpenHistoryDatabase();
  TEntryRows rows(*ScanResult);
  auto insert = db.Prepare(InsertSql(tablename, FileColumns()));
  InsertInTransactions(db, ScanResult->Files.size(), [&](size_t i) {
    rows.Bind(*insert, ScanResult->Files[i], true);
    insert->Execute();
  });
}
