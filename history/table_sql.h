#pragma once
// The SQL texts both schemas build: quoted table names, CREATE TABLE with the
// column types of each back end, and INSERT statements with one "?" per column.
#include <string>
#include <vector>

struct TColumn {
  const char* Name;
  const char* OdbcType;    // nullptr: the column exists only in the history database
  const char* SqliteType;  // nullptr: the column exists only through ODBC
};

enum class TBackEnd { Odbc, Sqlite };

// The table name in double quotes, any double quote inside it doubled; text
// that is not valid UTF-8 is made valid first.
std::string QuoteTableName(const std::string& name);

// "CREATE TABLE "name" (col type, ...)": bare names through ODBC; names in
// square brackets in the history database, where "[ID] INTEGER PRIMARY KEY" leads.
std::string CreateTableSql(const std::string& table, const std::vector<TColumn>& columns,
                           TBackEnd back_end);

// "INSERT INTO "name" (col, ...) VALUES (?, ...)" for the columns both back
// ends share (the history database fills its ID itself).
std::string InsertSql(const std::string& table, const std::vector<TColumn>& columns);
