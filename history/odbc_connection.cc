#include "history/odbc_connection.h"

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "driver/log.h"
#include "util/errors.h"
#include "util/text.h"

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the driver manager must use UTF-16 SQLWCHAR");

namespace {

bool Succeeded(SQLRETURN rc) {
  return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO || rc == SQL_NO_DATA;
}

SQLWCHAR* Wide(std::u16string& text) { return reinterpret_cast<SQLWCHAR*>(text.data()); }

// The diagnostic records of a handle, joined: "[state] message; ...".
std::string Diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
  std::string text;
  for (SQLSMALLINT record = 1;; ++record) {
    SQLCHAR state[8] = {};
    SQLCHAR message[1024] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    SQLRETURN rc = SQLGetDiagRec(type, handle, record, state, &native, message,
                                 sizeof message, &length);
    if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) break;
    if (!text.empty()) text += "; ";
    text += "[" + std::string(reinterpret_cast<char*>(state)) + "] " +
            std::string(reinterpret_cast<char*>(message));
  }
  return text.empty() ? std::string("unknown ODBC error") : ValidUtf8(text);
}

[[noreturn]] void Fail(const std::string& what, SQLSMALLINT type, SQLHANDLE handle) {
  throw EDatabaseError(what + ": " + Diagnostics(type, handle));
}

class TStatementHandle {
 public:
  explicit TStatementHandle(SQLHDBC dbc) {
    if (!Succeeded(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &FStmt)))
      Fail("cannot allocate a statement", SQL_HANDLE_DBC, dbc);
  }
  ~TStatementHandle() { SQLFreeHandle(SQL_HANDLE_STMT, FStmt); }
  TStatementHandle(const TStatementHandle&) = delete;
  TStatementHandle& operator=(const TStatementHandle&) = delete;
  SQLHSTMT get() const { return FStmt; }

 private:
  SQLHSTMT FStmt = SQL_NULL_HSTMT;
};

class TOdbcStatement : public TDbStatement {
 public:
  TOdbcStatement(SQLHDBC dbc, const std::string& sql) : FStmt(dbc) {
    std::u16string text = ToUtf16(sql);
    if (!Succeeded(SQLPrepareW(FStmt.get(), Wide(text), static_cast<SQLINTEGER>(text.size()))))
      Fail("cannot prepare \"" + sql + "\"", SQL_HANDLE_STMT, FStmt.get());
  }

  void BindText(int index, std::string_view utf8) override {
    Parameter& p = At(index);
    p.Text = ToUtf16(utf8);
    p.Length = static_cast<SQLLEN>(p.Text.size() * sizeof(char16_t));
    // The column size is the text's own length; 0 is not accepted by every driver.
    SQLULEN size = p.Text.empty() ? 1 : p.Text.size();
    Bind(index, SQL_C_WCHAR, SQL_WVARCHAR, size, Wide(p.Text), p.Length, &p.Length);
  }
  void BindInt(int index, int32_t value) override {
    Parameter& p = At(index);
    p.Int = value;
    p.Length = 0;
    Bind(index, SQL_C_SLONG, SQL_INTEGER, 0, &p.Int, 0, nullptr);
  }
  void BindBigInt(int index, int64_t value) override {
    Parameter& p = At(index);
    p.BigInt = value;
    Bind(index, SQL_C_SBIGINT, SQL_BIGINT, 0, &p.BigInt, 0, nullptr);
  }
  void Execute() override {
    if (!Succeeded(SQLExecute(FStmt.get())))
      Fail("statement failed", SQL_HANDLE_STMT, FStmt.get());
  }

 private:
  struct Parameter {
    std::u16string Text;
    SQLINTEGER Int = 0;
    SQLBIGINT BigInt = 0;
    SQLLEN Length = 0;
  };
  Parameter& At(int index) {
    // Bound buffers must keep their address: each parameter has its own node.
    while (FParameters.size() < static_cast<size_t>(index))
      FParameters.push_back(std::make_unique<Parameter>());
    return *FParameters[index - 1];
  }
  void Bind(int index, SQLSMALLINT c_type, SQLSMALLINT sql_type, SQLULEN size, SQLPOINTER data,
            SQLLEN buffer_length, SQLLEN* length) {
    if (!Succeeded(SQLBindParameter(FStmt.get(), static_cast<SQLUSMALLINT>(index), SQL_PARAM_INPUT,
                                    c_type, sql_type, size, 0, data, buffer_length, length)))
      Fail("cannot bind parameter " + std::to_string(index), SQL_HANDLE_STMT, FStmt.get());
  }

  TStatementHandle FStmt;
  std::vector<std::unique_ptr<Parameter>> FParameters;
};

std::string Utf8Of(const std::u16string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    else if (c >= 0xD800 && c < 0xE000)
      c = 0xFFFD;  // a lone surrogate
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

void UpperAscii(std::u16string& text) {
  for (char16_t& c : text)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
}

}  // namespace

TOdbcConnection::TOdbcConnection() {
  SQLHENV env = SQL_NULL_HENV;
  if (!Succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
    throw EDatabaseError("cannot allocate the ODBC environment");
  FEnv = env;
  SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
}

TOdbcConnection::~TOdbcConnection() {
  Close();
  if (FEnv) SQLFreeHandle(SQL_HANDLE_ENV, FEnv);
}

void TOdbcConnection::Connect(const std::string& connection_string) {
  Close();
  SQLHDBC dbc = SQL_NULL_HDBC;
  if (!Succeeded(SQLAllocHandle(SQL_HANDLE_DBC, FEnv, &dbc)))
    Fail("cannot allocate a connection", SQL_HANDLE_ENV, FEnv);
  FDbc = dbc;
  std::u16string text = ToUtf16(connection_string);
  SQLRETURN rc = SQLDriverConnectW(dbc, nullptr, Wide(text), static_cast<SQLSMALLINT>(text.size()),
                                   nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
  if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) {
    std::string why = Diagnostics(SQL_HANDLE_DBC, dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    FDbc = nullptr;
    throw EDatabaseError("cannot connect: " + why);
  }
  FConnected = true;
}

void TOdbcConnection::Close() {
  if (FConnected) SQLDisconnect(FDbc);
  FConnected = false;
  if (FDbc) SQLFreeHandle(SQL_HANDLE_DBC, FDbc);
  FDbc = nullptr;
}

void TOdbcConnection::Execute(const std::string& sql) {
  if (!FConnected) throw EDatabaseError("not connected");
  TStatementHandle stmt(FDbc);
  std::u16string text = ToUtf16(sql);
  if (!Succeeded(SQLExecDirectW(stmt.get(), Wide(text), static_cast<SQLINTEGER>(text.size()))))
    Fail("statement failed", SQL_HANDLE_STMT, stmt.get());
}

std::unique_ptr<TDbStatement> TOdbcConnection::Prepare(const std::string& sql) {
  if (!FConnected) throw EDatabaseError("not connected");
  return std::make_unique<TOdbcStatement>(FDbc, sql);
}

std::optional<std::string> TOdbcConnection::FindTable(const std::string& table_name) {
  if (!FConnected) throw EDatabaseError("not connected");
  std::u16string wanted = ToUtf16(table_name);
  UpperAscii(wanted);
  TStatementHandle stmt(FDbc);
  std::u16string type = u"TABLE";
  if (!Succeeded(SQLTablesW(stmt.get(), nullptr, 0, nullptr, 0, nullptr, 0, Wide(type),
                            static_cast<SQLSMALLINT>(type.size()))))
    Fail("cannot list the tables", SQL_HANDLE_STMT, stmt.get());
  std::vector<char16_t> name(1024);
  SQLLEN length = 0;
  if (!Succeeded(SQLBindCol(stmt.get(), 3, SQL_C_WCHAR, name.data(),
                            static_cast<SQLLEN>(name.size() * sizeof(char16_t)), &length)))
    Fail("cannot list the tables", SQL_HANDLE_STMT, stmt.get());
  for (;;) {
    SQLRETURN rc = SQLFetch(stmt.get());
    if (rc == SQL_NO_DATA) return std::nullopt;
    if (!Succeeded(rc)) Fail("cannot list the tables", SQL_HANDLE_STMT, stmt.get());
    if (length == SQL_NULL_DATA || length < 0) continue;
    size_t units = std::min(static_cast<size_t>(length) / sizeof(char16_t), name.size() - 1);
    std::u16string found(name.data(), units);
    std::u16string upper = found;
    UpperAscii(upper);
    if (upper == wanted) return Utf8Of(found);
  }
}

void LogOdbcFailure(const std::string& operation, const std::exception& error) {
  LogDebug(operation + " \"" + ErrorTypeName(error) + " / " + error.what() + "\"");
}
