// Internal to the database layer: the open connection shared by a database and its
// recordsets, and one prepared SQLite statement with Variant binding and reading.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/vb/Variant.h"

struct sqlite3;
struct sqlite3_stmt;

namespace dao {

// One open SQLite connection. Closed when the database is closed; recordsets that
// still refer to it then raise 3420.
struct Connection {
  sqlite3* db = nullptr;
  std::string name;  // the file name as opened
  bool readOnly = false;
  // The stamp the write transaction under way gives the file (Journal.h).
  uint32_t stamp = 0;

  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection();
  void Close() noexcept;
};

// How a column's values are read back: its declared type decides the Variant kind.
enum class ColumnKind { Integer, Long, Single, Double, Text, Any };
ColumnKind KindOfDeclaredType(const char* declared);
bool IsNumericKind(ColumnKind kind);

// A prepared statement, finalized by its destructor.
class Statement {
 public:
  // Prepares exactly one statement; what names it in error texts. A syntax error, or a
  // text after the statement (other than blanks and ";"), signals 3075; when that is
  // passed over the statement is not valid and steps as an empty result.
  Statement(Connection& conn, const std::string& sql, const std::string& what);
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement();

  // Binds parameter i (1-based): Empty and Null as NULL, numbers as numbers, texts as texts.
  void Bind(int i, const vb::Variant& value);
  void BindInt64(int i, int64_t value);
  bool Valid() const { return stmt_ != nullptr; }
  // Steps once; true when a row is available. Errors raise their database numbers.
  // A statement that changes the file first stamps it (Journal.h); outside a
  // transaction the stamp and the change are one transaction.
  bool Step();
  int ColumnCount() const;
  std::string ColumnName(int i) const;
  ColumnKind DeclaredKind(int i) const;
  vb::Variant Column(int i, ColumnKind kind) const;
  int64_t ColumnInt64(int i) const;
  std::string ColumnText(int i) const;
  bool ReadOnly() const;

 private:
  Connection& conn_;
  sqlite3_stmt* stmt_ = nullptr;
  std::string what_;
  bool stepped_ = false;  // the database has carried the statement out
};

// Runs a statement that returns no rows.
void ExecuteSql(Connection& conn, const std::string& sql, const std::string& what);

// The name between double quotes, inner quotes doubled, as SQLite identifiers are written.
std::string QuoteIdentifier(const std::string& name);

}  // namespace dao
