#include "platform/dao/Statement.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <limits>

#include "platform/dao/Errors.h"
#include "platform/dao/JetSql.h"
#include "platform/dao/Journal.h"
#include "platform/dao/StatementSeam.h"
#include "platform/vb/Error.h"

namespace dao {

Connection::~Connection() { Close(); }

void Connection::Close() noexcept {
  if (db != nullptr) {
    sqlite3_close_v2(db);
    db = nullptr;
  }
}

namespace {

std::string Upper(const char* s) {
  std::string u = s != nullptr ? s : "";
  std::transform(u.begin(), u.end(), u.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return u;
}

bool OnlyBlanksAndSemicolons(const char* s) {
  for (; s != nullptr && *s != '\0'; ++s) {
    if (!std::isspace(static_cast<unsigned char>(*s)) && *s != ';') return false;
  }
  return true;
}

// The first word of a statement, in capitals.
std::string FirstWord(const char* sql) {
  std::string word;
  while (sql != nullptr && std::isspace(static_cast<unsigned char>(*sql))) ++sql;
  for (; sql != nullptr && std::isalpha(static_cast<unsigned char>(*sql)); ++sql)
    word += static_cast<char>(std::toupper(static_cast<unsigned char>(*sql)));
  return word;
}

// A statement that changes the rows or tables of the file (transaction control and
// PRAGMAs do not).
bool ChangesRows(sqlite3_stmt* stmt) {
  if (sqlite3_stmt_readonly(stmt) != 0) return false;
  const std::string word = FirstWord(sqlite3_sql(stmt));
  return word == "INSERT" || word == "UPDATE" || word == "DELETE" || word == "REPLACE" || word == "CREATE" ||
         word == "DROP" || word == "ALTER" || word == "WITH";
}

// Runs the layer's own statement, unseen by the statement seam: the stamp belongs to
// the change it comes with.
void RunOwn(Connection& conn, const std::string& sql, const std::string& what) {
  char* message = nullptr;
  const int rc = sqlite3_exec(conn.db, sql.c_str(), nullptr, nullptr, &message);
  const std::string detail = message != nullptr ? message : "";
  sqlite3_free(message);
  if (rc != SQLITE_OK) RaiseSqlite(sqlite3_extended_errcode(conn.db), detail, what);
}

uint32_t ReadStamp(Connection& conn, const std::string& what) {
  sqlite3_stmt* st = nullptr;
  int rc = sqlite3_prepare_v2(conn.db, "PRAGMA user_version", -1, &st, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_step(st);
  const auto stamp = rc == SQLITE_ROW ? static_cast<uint32_t>(sqlite3_column_int64(st, 0)) : 0u;
  const int failed = rc == SQLITE_ROW ? SQLITE_OK : sqlite3_extended_errcode(conn.db);
  const std::string detail = sqlite3_errmsg(conn.db);
  sqlite3_finalize(st);
  if (failed != SQLITE_OK) RaiseSqlite(failed, detail, what);
  return stamp;
}

// The write transaction under way (or the one the next change begins) takes the next
// stamp once, and takes it again when a savepoint's rollback undid it.
void Stamp(Connection& conn, const std::string& what) {
  const bool begins = sqlite3_txn_state(conn.db, "main") != SQLITE_TXN_WRITE;
  const uint32_t stored = ReadStamp(conn, what);
  if (begins) conn.stamp = NextStamp(stored);
  if (!begins && stored == conn.stamp) return;
  RunOwn(conn, "PRAGMA user_version = " + std::to_string(static_cast<int32_t>(conn.stamp)), what);
}

}  // namespace

ColumnKind KindOfDeclaredType(const char* declared) {
  const std::string t = Upper(declared);
  if (t.empty()) return ColumnKind::Any;
  if (t.find("SMALLINT") != std::string::npos || t.find("INT2") != std::string::npos) return ColumnKind::Integer;
  if (t.find("INT") != std::string::npos) return ColumnKind::Long;
  if (t.find("CHAR") != std::string::npos || t.find("TEXT") != std::string::npos || t.find("CLOB") != std::string::npos)
    return ColumnKind::Text;
  if (t.find("DOUB") != std::string::npos) return ColumnKind::Double;
  if (t.find("FLOA") != std::string::npos || t.find("REAL") != std::string::npos || t.find("SINGLE") != std::string::npos)
    return ColumnKind::Single;
  return ColumnKind::Any;
}

bool IsNumericKind(ColumnKind kind) {
  return kind == ColumnKind::Integer || kind == ColumnKind::Long || kind == ColumnKind::Single ||
         kind == ColumnKind::Double;
}

Statement::Statement(Connection& conn, const std::string& sql, const std::string& what) : conn_(conn), what_(what) {
  if (conn.db == nullptr) RaiseDbError(kObjectInvalid, "The database of " + what + " is closed.");
  const char* tail = nullptr;
  const int rc = sqlite3_prepare_v2(conn.db, sql.c_str(), static_cast<int>(sql.size()) + 1, &stmt_, &tail);
  if (rc != SQLITE_OK) {
    const std::string msg = sqlite3_errmsg(conn.db);
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    if (msg.rfind("no such table", 0) == 0)
      RaiseDbError(kTableNotFound, "Cannot find the input table or query (" + msg + ").");
    if (msg.rfind("no such column", 0) == 0)
      RaiseDbError(kTooFewParameters, "Too few parameters: unknown name in the query (" + msg + ").");
    if ((rc & 0xff) != SQLITE_ERROR) RaiseSqlite(rc, conn.db, what);
    vb::Signal(vb::kQuerySyntax, "Syntax error in query expression (" + msg + ").");
    return;
  }
  if (stmt_ == nullptr) {
    vb::Signal(vb::kQuerySyntax, "Syntax error in query expression: the query text is empty.");
    return;
  }
  if (!OnlyBlanksAndSemicolons(tail)) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    vb::Signal(vb::kQuerySyntax, "Characters found after the end of the query statement.");
  }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::Bind(int i, const vb::Variant& value) {
  if (stmt_ == nullptr) return;
  int rc = SQLITE_OK;
  switch (value.Type()) {
    case vb::VarType::Empty:
    case vb::VarType::Null: rc = sqlite3_bind_null(stmt_, i); break;
    case vb::VarType::Integer:
    case vb::VarType::Long:
    case vb::VarType::Boolean: rc = sqlite3_bind_int64(stmt_, i, static_cast<int64_t>(value.ToDouble())); break;
    case vb::VarType::Single:
    case vb::VarType::Double: rc = sqlite3_bind_double(stmt_, i, value.ToDouble()); break;
    case vb::VarType::String: {
      const std::string s = value.ToString();
      rc = sqlite3_bind_text(stmt_, i, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
      break;
    }
  }
  if (rc != SQLITE_OK) RaiseSqlite(rc, conn_.db, what_);
}

void Statement::BindInt64(int i, int64_t value) {
  if (stmt_ == nullptr) return;
  const int rc = sqlite3_bind_int64(stmt_, i, value);
  if (rc != SQLITE_OK) RaiseSqlite(rc, conn_.db, what_);
}

bool Statement::Step() {
  if (stmt_ == nullptr) return false;
  // Outside a transaction the stamp and the change are kept together by a savepoint.
  bool own = false;
  if (!stepped_ && !conn_.readOnly && ChangesRows(stmt_)) {
    own = sqlite3_get_autocommit(conn_.db) != 0;
    if (own) RunOwn(conn_, "SAVEPOINT velmora_stamp", what_);
    try {
      Stamp(conn_, what_);
    } catch (...) {
      if (own) sqlite3_exec(conn_.db, "ROLLBACK TO velmora_stamp; RELEASE velmora_stamp", nullptr, nullptr, nullptr);
      throw;
    }
  }
  const int rc = sqlite3_step(stmt_);
  const bool done = rc == SQLITE_ROW || rc == SQLITE_DONE;
  if (own) {
    // The error is read before the savepoint's end replaces it.
    int failed = done ? SQLITE_OK : sqlite3_extended_errcode(conn_.db);
    std::string why = done ? std::string() : sqlite3_errmsg(conn_.db);
    if (done && sqlite3_exec(conn_.db, "RELEASE velmora_stamp", nullptr, nullptr, nullptr) != SQLITE_OK) {
      failed = sqlite3_extended_errcode(conn_.db);
      why = sqlite3_errmsg(conn_.db);
    }
    if (failed != SQLITE_OK) {
      sqlite3_exec(conn_.db, "ROLLBACK TO velmora_stamp; RELEASE velmora_stamp", nullptr, nullptr, nullptr);
      RaiseSqlite(failed, why, what_);
    }
  }
  if (done && !stepped_) {
    stepped_ = true;
    if (AfterStatement) AfterStatement(conn_.name, sqlite3_sql(stmt_));
  }
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  RaiseSqlite(sqlite3_extended_errcode(conn_.db), conn_.db, what_);
}

int Statement::ColumnCount() const { return stmt_ != nullptr ? sqlite3_column_count(stmt_) : 0; }

std::string Statement::ColumnName(int i) const {
  const char* n = sqlite3_column_name(stmt_, i);
  return n != nullptr ? n : "";
}

ColumnKind Statement::DeclaredKind(int i) const { return KindOfDeclaredType(sqlite3_column_decltype(stmt_, i)); }

vb::Variant Statement::Column(int i, ColumnKind kind) const {
  switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_NULL: return vb::Null;
    case SQLITE_INTEGER: {
      const int64_t x = sqlite3_column_int64(stmt_, i);
      if (kind == ColumnKind::Single) return static_cast<float>(x);
      if (kind == ColumnKind::Double) return static_cast<double>(x);
      if (kind == ColumnKind::Text) return std::to_string(x);
      if (kind == ColumnKind::Integer && x >= std::numeric_limits<int16_t>::min() &&
          x <= std::numeric_limits<int16_t>::max())
        return static_cast<int16_t>(x);
      if (x >= std::numeric_limits<int32_t>::min() && x <= std::numeric_limits<int32_t>::max())
        return static_cast<int32_t>(x);
      return static_cast<double>(x);
    }
    case SQLITE_FLOAT: {
      const double x = sqlite3_column_double(stmt_, i);
      if (kind == ColumnKind::Single) return static_cast<float>(x);
      return x;
    }
    default: return ColumnText(i);
  }
}

int64_t Statement::ColumnInt64(int i) const { return sqlite3_column_int64(stmt_, i); }

std::string Statement::ColumnText(int i) const {
  const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
  return t != nullptr ? std::string(t, static_cast<size_t>(sqlite3_column_bytes(stmt_, i))) : std::string();
}

bool Statement::ReadOnly() const { return stmt_ == nullptr || sqlite3_stmt_readonly(stmt_) != 0; }

void ExecuteSql(Connection& conn, const std::string& sql, const std::string& what) {
  Statement st(conn, sql, what);
  while (st.Step()) {
  }
}

std::string QuoteIdentifier(const std::string& name) { return DoubleQuoted(name); }

}  // namespace dao
