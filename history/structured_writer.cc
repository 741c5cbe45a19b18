#include "history/structured_writer.h"

#include "config/utility.h"
#include "driver/globals.h"
#include "history/entry_rows.h"
#include "history/table_sql.h"
#include "scan/conversions.h"
#include "util/exit_status.h"
#include "util/text.h"

namespace {
const std::vector<TColumn> kSystemColumns = {
    {"ID", nullptr, "INTEGER PRIMARY KEY"},
    {"TableName", "VARCHAR (255)", "VARCHAR (1024)"},
    {"Folder", "VARCHAR (1024)", "VARCHAR (1024)"},
    {"SizeString", "VARCHAR(100)", "VARCHAR (100)"},
    {"Size", "BIGINT", "INTEGER"},
    {"Files", "INT", "INTEGER"},
    {"Folders", "INT", "INTEGER"},
    {"ScanDate", "BIGINT", "INTEGER"},
};

const std::vector<TColumn>& DataColumns() {
  static const std::vector<TColumn> columns = [] {
    std::vector<TColumn> c = EntryColumns(false);
    c.push_back({"ScanDate", "BIGINT", "INTEGER"});
    return c;
  }();
  return columns;
}

int64_t ScanDateNumber() {
  int64_t value = 0;
  return ParseInt(ScanResult->ScanDateInt, value) ? value : 0;
}

void InsertSystemRow(TDbConnection& db, const std::string& system_table,
                     const std::string& data_table) {
  auto insert = db.Prepare(InsertSql(system_table, kSystemColumns));
  insert->BindText(1, ValidUtf8(data_table));
  insert->BindText(2, ValidUtf8(ScanResult->ScanPath));
  insert->BindText(3, ValidUtf8(TConvert::ConvertToUsefulUnit(ScanResult->TotalSize)));
  insert->BindBigInt(4, ScanResult->TotalSize);
  insert->BindInt(5, ScanResult->FileCount);
  insert->BindInt(6, ScanResult->FolderCount);
  insert->BindBigInt(7, ScanDateNumber());
  insert->Execute();
}

// Binds one data row: the entry's values, then the scan date.
void InsertDataRow(TDbStatement& insert, const TEntryRows& rows, const TFileObject& entry,
                   int64_t scan_date) {
  int next = rows.Bind(insert, entry, false);
  insert.BindBigInt(next, scan_date);
  insert.Execute();
}
}  // namespace

std::string TTarveloStructured::DefaultDataTable(const std::string& scan_path,
                                                 const std::string& scan_date) {
  return PathKey(scan_path, false) + scan_date;
}

void TTarveloStructured::UpdateFolderHistory() {
  if (FTableNameSystem.empty()) FTableNameSystem = kDefaultSystemTable;
  if (FTableNameData.empty())
    FTableNameData = DefaultDataTable(ScanResult->ScanPath, ScanResult->ScanDateInt);
  if (!CreateNewSystemTable()) {
    TUtility::WriteLnOut(
        "Unable to create new system table, or locate current system table \"" +
        FTableNameSystem + "\".");
    NoteRunFailed();
  } else if (!CreateNewDataTable()) {
    TUtility::WriteLnOut("Unable to create new data table, or locate current data table \"" +
                         FTableNameData + "\".");
    NoteRunFailed();
  } else {
    PopulateSystemTable();
    PopulateDataTable();
  }
  if (FUseODBC) CloseODBC();
}

// An existing table is used with whatever columns it has.
bool TTarveloStructured::CreateNewSystemTable() {
  if (FUseODBC) return ODBCTableExists(FTableNameSystem) || ODBCCreateNewSystemTable();
  return SQLiteTableExists(FTableNameSystem) || SQLiteCreateNewSystemTable();
}

bool TTarveloStructured::CreateNewDataTable() {
  if (FUseODBC) return ODBCTableExists(FTableNameData) || ODBCCreateNewDataTable();
  return SQLiteTableExists(FTableNameData) || SQLiteCreateNewDataTable();
}

bool TTarveloStructured::PopulateSystemTable() {
  if (FTableNameSystem.empty()) return false;
  TUtility::WriteLnOut("Populating system table...");
  if (FUseODBC)
    ODBCPopulateSystemTable();
  else
    SQLitePopulateSystemTable();
  return true;
}

bool TTarveloStructured::PopulateDataTable() {
  if (FTableNameData.empty()) return false;
  TUtility::WriteLnOut("Populating data table...");
  if (FUseODBC)
    ODBCPopulateDataTable();
  else
    SQLitePopulateDataTable();
  return true;
}

// --- ODBC ---

// A failure to list the tables is not caught: it ends the database step.
bool TTarveloStructured::ODBCTableExists(std::string& tablename) {
  std::optional<std::string> found = Odbc().FindTable(tablename);
  if (found) tablename = *found;
  return found.has_value();
}

bool TTarveloStructured::ODBCCreateNewSystemTable() {
  return RunOdbc("ODBCCreateNewSystemTable", [&] {
    Odbc().Execute(CreateTableSql(FTableNameSystem, kSystemColumns, TBackEnd::Odbc));
  });
}

bool TTarveloStructured::ODBCCreateNewDataTable() {
  return RunOdbc("ODBCCreateNewDataTable", [&] {
    Odbc().Execute(CreateTableSql(FTableNameData, DataColumns(), TBackEnd::Odbc));
  });
}

bool TTarveloStructured::ODBCPopulateSystemTable() {
  return RunOdbc("ODBCPopulateSystemTable",
                 [&] { InsertSystemRow(Odbc(), FTableNameSystem, FTableNameData); });
}

bool TTarveloStructured::ODBCPopulateDataTable() {
  return RunOdbc("ODBCPopulateDataTable", [&] {
    TEntryRows rows(*ScanResult);
    const int64_t scan_date = ScanDateNumber();
    auto insert = Odbc().Prepare(InsertSql(FTableNameData, DataColumns()));
    for (const TFileObject& entry : ScanResult->Files)
      InsertDataRow(*insert, rows, entry, scan_date);
  });
}

// --- history database ---

bool TTarveloStructured::SQLiteTableExists(std::string& tablename) {
  TSqliteConnection db = OpenHistoryDatabase();
  std::optional<std::string> found = db.FindTable(ValidUtf8(tablename));
  if (found) tablename = *found;
  return found.has_value();
}

bool TTarveloStructured::SQLiteCreateNewSystemTable() {
  TSqliteConnection db = OpenHistoryDatabase();
  db.Execute(CreateTableSql(FTableNameSystem, kSystemColumns, TBackEnd::Sqlite));
  return true;
}

bool TTarveloStructured::SQLiteCreateNewDataTable() {
  TSqliteConnection db = OpenHistoryDatabase();
  db.Execute(CreateTableSql(FTableNameData, DataColumns(), TBackEnd::Sqlite));
  return true;
}

// The system row is one statement on its own, outside any explicit transaction.
bool TTarveloStructured::SQLitePopulateSystemTable() {
  TSqliteConnection db = OpenHistoryDatabase();
  InsertSystemRow(db, FTableNameSystem, FTableNameData);
  return true;
}

bool TTarveloStructured::SQLitePopulateDataTable() {
  TSqliteConnection db = OpenHistoryDatabase();
  TEntryRows rows(*ScanResult);
  const int64_t scan_date = ScanDateNumber();
  auto insert = db.Prepare(InsertSql(FTableNameData, DataColumns()));
  InsertInTransactions(db, ScanResult->Files.size(), [&](size_t i) {
    InsertDataRow(*insert, rows, ScanResult->Files[i], scan_date);
  });
  return true;
}
