#include "history/sqlite_connection.h"

#include <sqlite3.h>

#include "platform/platform.h"
#include "util/errors.h"

namespace {

// The desktop analyser may hold the file for a moment; wait for it rather
// than fail the export at once.
constexpr int kBusyTimeoutMs = 10000;
constexpr size_t kFirstTransactionRows = 100;

class TSqliteStatement : public TDbStatement {
 public:
  TSqliteStatement(sqlite3* db, sqlite3_stmt* stmt, std::string file_name)
      : FDb(db), FStmt(stmt), FFileName(std::move(file_name)) {}
  ~TSqliteStatement() override { sqlite3_finalize(FStmt); }

  void BindText(int index, std::string_view utf8) override {
    Check(sqlite3_bind_text(FStmt, index, utf8.data(), static_cast<int>(utf8.size()),
                            SQLITE_TRANSIENT));
  }
  void BindInt(int index, int32_t value) override { Check(sqlite3_bind_int(FStmt, index, value)); }
  void BindBigInt(int index, int64_t value) override {
    Check(sqlite3_bind_int64(FStmt, index, value));
  }
  void Execute() override {
    int rc = sqlite3_step(FStmt);
    sqlite3_reset(FStmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) Fail(rc);
  }

 private:
  void Check(int rc) {
    if (rc != SQLITE_OK) Fail(rc);
  }
  [[noreturn]] void Fail(int rc) {
    const char* message = sqlite3_errmsg(FDb);
    throw EDatabaseError(FFileName + ": " + (message ? message : sqlite3_errstr(rc)));
  }
  sqlite3* FDb;
  sqlite3_stmt* FStmt;
  std::string FFileName;
};

}  // namespace

TSqliteConnection::TSqliteConnection(const std::string& file_name) : FFileName(file_name) {
  int rc = sqlite3_open_v2(file_name.c_str(), &FDb, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                           nullptr);
  if (rc != SQLITE_OK) {
    std::string message = FDb ? sqlite3_errmsg(FDb) : sqlite3_errstr(rc);
    sqlite3_close_v2(FDb);
    FDb = nullptr;
    throw EDatabaseError(file_name + ": " + message);
  }
  sqlite3_busy_timeout(FDb, kBusyTimeoutMs);
}

TSqliteConnection::~TSqliteConnection() { sqlite3_close_v2(FDb); }

void TSqliteConnection::Fail(const std::string& what) const {
  throw EDatabaseError(FFileName + ": " + what + ": " + sqlite3_errmsg(FDb));
}

void TSqliteConnection::Execute(const std::string& sql) {
  char* error = nullptr;
  if (sqlite3_exec(FDb, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string message = error ? error : sqlite3_errmsg(FDb);
    sqlite3_free(error);
    throw EDatabaseError(FFileName + ": " + message);
  }
}

std::unique_ptr<TDbStatement> TSqliteConnection::Prepare(const std::string& sql) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(FDb, sql.c_str(), static_cast<int>(sql.size()), &stmt, nullptr) !=
      SQLITE_OK)
    Fail("cannot prepare statement");
  return std::make_unique<TSqliteStatement>(FDb, stmt, FFileName);
}

void TSqliteConnection::BeginTransaction() { Execute("BEGIN TRANSACTION"); }
void TSqliteConnection::Commit() { Execute("COMMIT"); }

std::optional<std::string> TSqliteConnection::FindTable(const std::string& table_name) {
  // The name is bound, not quoted into the text: a name such as "name" or
  // one holding a quote must not turn into a column reference or a syntax
  // error. SQLite's table names ignore ASCII case, and so does the match:
  // otherwise creating a table that differs only in case would fail.
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(FDb,
                         "SELECT name FROM sqlite_master WHERE type='table' AND "
                         "name=? COLLATE NOCASE LIMIT 1;",
                         -1, &stmt, nullptr) != SQLITE_OK)
    Fail("cannot prepare statement");
  sqlite3_bind_text(stmt, 1, table_name.data(), static_cast<int>(table_name.size()),
                    SQLITE_TRANSIENT);
  int rc = sqlite3_step(stmt);
  std::optional<std::string> found;
  if (rc == SQLITE_ROW) found = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
  sqlite3_finalize(stmt);
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) Fail("cannot list the tables");
  return found;
}

std::string HistoryDatabaseFile(const std::string& users_path) {
  const std::string d = platform::PathDelimStr();
  return users_path + "FolderHistory" + d + "Database" + d + "Quorvane.db";
}

void InsertInTransactions(TSqliteConnection& db, size_t rows,
                          const std::function<void(size_t)>& insert_row) {
  db.BeginTransaction();
  bool open = true;
  for (size_t i = 0; i < rows; ++i) {
    insert_row(i);
    // The counter is not reset: after the first 100 rows everything else
    // goes into one second transaction.
    if (i + 1 == kFirstTransactionRows) {
      db.Commit();
      open = false;
      if (i + 1 < rows) {
        db.BeginTransaction();
        open = true;
      }
    }
  }
  if (open) db.Commit();
}
