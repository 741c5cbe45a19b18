#pragma once
// A connection to an SQLite database file: the history database of both
// schemas. The file is created when missing; every failure raises
// EDatabaseError naming the file and SQLite's own message.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "history/database_connection.h"

struct sqlite3;

class TSqliteConnection : public TDbConnection {
 public:
  explicit TSqliteConnection(const std::string& file_name);
  ~TSqliteConnection() override;  // an open transaction is rolled back
  TSqliteConnection(const TSqliteConnection&) = delete;
  TSqliteConnection& operator=(const TSqliteConnection&) = delete;

  void Execute(const std::string& sql) override;
  std::unique_ptr<TDbStatement> Prepare(const std::string& sql) override;
  void BeginTransaction();
  void Commit();
  // The table of this name, ASCII case ignored as SQLite does for its names,
  // spelt as it was created; nothing when there is none.
  std::optional<std::string> FindTable(const std::string& table_name);

  const std::string& FileName() const { return FFileName; }

 private:
  [[noreturn]] void Fail(const std::string& what) const;
  std::string FFileName;
  sqlite3* FDb = nullptr;
};

// The history database: "FolderHistory/Database/Quorvane.db" in the data folder.
std::string HistoryDatabaseFile(const std::string& users_path);

// Inserts `rows` rows through `insert_row(i)` in the grouping both schemas
// use: a first transaction of 100 rows, then one transaction for the rest.
void InsertInTransactions(TSqliteConnection& db, size_t rows,
                          const std::function<void(size_t)>& insert_row);
