#include "history/table_sql.h"

#include "util/text.h"

std::string QuoteTableName(const std::string& name) {
  return "\"" + ReplaceAll(ValidUtf8(name), "\"", "\"\"") + "\"";
}

std::string CreateTableSql(const std::string& table, const std::vector<TColumn>& columns,
                           TBackEnd back_end) {
  std::string sql = "CREATE TABLE " + QuoteTableName(table) + " (";
  bool first = true;
  for (const TColumn& c : columns) {
    const char* type = back_end == TBackEnd::Odbc ? c.OdbcType : c.SqliteType;
    if (!type) continue;
    if (!first) sql += ", ";
    first = false;
    if (back_end == TBackEnd::Sqlite)
      sql += "[" + std::string(c.Name) + "] " + type;
    else
      sql += std::string(c.Name) + " " + type;
  }
  return sql + ")";
}

std::string InsertSql(const std::string& table, const std::vector<TColumn>& columns) {
  std::string names, marks;
  for (const TColumn& c : columns) {
    if (!c.OdbcType || !c.SqliteType) continue;
    if (!names.empty()) {
      names += ", ";
      marks += ", ";
    }
    names += c.Name;
    marks += "?";
  }
  return "INSERT INTO " + QuoteTableName(table) + " (" + names + ") VALUES (" + marks + ")";
}
