#pragma once
// What both database writers need of a database: statements run once, and
// prepared statements run once per row with bound values, so no value is ever
// spliced into SQL text. The history database (SQLite) and ODBC data sources
// implement it.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TDbStatement {
 public:
  virtual ~TDbStatement() = default;
  // Parameters are numbered from 1 in the order of the "?" marks. Text must
  // be valid UTF-8; it is copied, so the caller's buffer may change afterwards.
  virtual void BindText(int index, std::string_view utf8) = 0;
  virtual void BindInt(int index, int32_t value) = 0;
  virtual void BindBigInt(int index, int64_t value) = 0;
  // Runs the statement with the values bound; they stay bound for the next row.
  // Raises EDatabaseError with the database's message.
  virtual void Execute() = 0;
};

class TDbConnection {
 public:
  virtual ~TDbConnection() = default;
  // Runs one statement without a result set; EDatabaseError on failure.
  virtual void Execute(const std::string& sql) = 0;
  virtual std::unique_ptr<TDbStatement> Prepare(const std::string& sql) = 0;
};
