#include "platform/dao/Database.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <strings.h>
#include <utility>
#include <vector>
#include <unistd.h>

#include "platform/dao/Errors.h"
#include "platform/dao/JetSql.h"
#include "platform/dao/Journal.h"
#include "platform/dao/RecordsetImpl.h"
#include "platform/dao/Statement.h"
#include "platform/vb/Error.h"

namespace dao {

namespace {

// The connect string: an optional kind first ("MS ACCESS"), then NAME=value parts
// separated by ";". Only the kind is checked; the password is not used.
void CheckConnectString(const std::string& connect) {
  const std::string kind = connect.substr(0, connect.find(';'));
  if (kind.find('=') != std::string::npos) return;
  std::string trimmed = kind;
  while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
  while (!trimmed.empty() && trimmed.front() == ' ') trimmed.erase(trimmed.begin());
  if (trimmed.empty() || strcasecmp(trimmed.c_str(), "MS ACCESS") == 0) return;
  RaiseDbError(kInstallableIsam, "Could not find installable ISAM: unknown connect string '" + kind + "'.");
}

// Another connection holds the file's lock.
void RaiseInUse(const std::string& name) {
  RaiseDbError(vb::kFileInUse, "The file '" + name +
                                   "' is already in use: it is opened exclusively by another program (perhaps another "
                                   "copy of Velmora is running).");
}

// The file or its folder may not be read or written by this user.
void RaisePermissionDenied(const std::string& name, const std::string& why) {
  RaiseDbError(vb::kPermissionDenied, "Permission denied: cannot open '" + name + "' (" + why + ").");
}

// The table's own name when the database has a table of that name (any letter case).
std::string FindTable(Connection& conn, const std::string& name) {
  Statement st(conn, "SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE",
               "the tables of '" + conn.name + "'");
  st.Bind(1, name);
  return st.Step() ? st.ColumnText(0) : std::string();
}

std::unique_ptr<Recordset::Impl> OpenTable(const std::shared_ptr<Connection>& conn, const std::string& table) {
  auto m = std::make_unique<Recordset::Impl>();
  m->conn = conn;
  m->type = dbOpenTable;
  m->table = table;
  Statement info(*conn, "PRAGMA table_info(" + QuoteIdentifier(table) + ")", "table '" + table + "'");
  while (info.Step()) {
    const std::string declared = info.ColumnText(2);
    m->cols.push_back({info.ColumnText(1), KindOfDeclaredType(declared.c_str())});
  }
  m->GoTo(0);
  return m;
}

std::unique_ptr<Recordset::Impl> OpenSnapshot(const std::shared_ptr<Connection>& conn, const std::string& text) {
  auto m = std::make_unique<Recordset::Impl>();
  m->conn = conn;
  m->type = dbOpenSnapshot;
  const JetQuery q = TranslateJetSql(text);
  if (!q.valid) return m;  // a syntax error that was passed over: no rows
  std::string sql = q.sql;
  {
    Statement inner(*conn, sql, "a query");
    if (!inner.Valid()) return m;
    if (!inner.ReadOnly())
      RaiseDbError(kInvalidOperation, "Invalid operation: only a selection query can be opened as a snapshot.");
    if (!q.hasOrderBy && inner.ColumnCount() > 0) {
      sql = "SELECT * FROM (" + q.sql.substr(0, q.statementEnd) + ") ORDER BY 1";
      for (int i = 2; i <= inner.ColumnCount(); ++i) sql += ", " + std::to_string(i);
    }
  }
  Statement st(*conn, sql, "a query");
  for (int i = 0; i < st.ColumnCount(); ++i) m->cols.push_back({st.ColumnName(i), st.DeclaredKind(i)});
  while (st.Step()) {
    std::vector<vb::Variant> row;
    row.reserve(m->cols.size());
    for (size_t i = 0; i < m->cols.size(); ++i) row.push_back(st.Column(static_cast<int>(i), m->cols[i].kind));
    m->rows.push_back(std::move(row));
  }
  m->GoTo(0);
  return m;
}

// Names compare as SQLite compares them: without regard to letter case.
std::string Folded(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return Folded(n) == Folded(name); });
}

// The tables (with their columns) and indexes of a database, by folded name.
struct TableShape {
  std::string name;
  std::vector<std::string> columns;
};
struct IndexShape {
  std::string name;
  std::string table;                 // folded
  std::vector<std::string> columns;  // folded, in key order
  bool unique = false;
};
struct SchemaShape {
  std::map<std::string, TableShape> tables;
  std::map<std::string, IndexShape> indexes;
};

bool SameIndex(const IndexShape& a, const IndexShape& b) {
  return a.table == b.table && a.columns == b.columns && a.unique == b.unique;
}

SchemaShape ReadShape(Connection& conn) {
  const std::string what = "the schema of '" + conn.name + "'";
  SchemaShape shape;
  Statement objects(conn,
                    "SELECT type, name, tbl_name FROM sqlite_master WHERE type IN ('table', 'index') AND name NOT "
                    "LIKE 'sqlite\\_%' ESCAPE '\\'",
                    what);
  std::vector<std::pair<std::string, std::string>> indexes;  // name, table
  while (objects.Step()) {
    if (objects.ColumnText(0) == "table") {
      shape.tables[Folded(objects.ColumnText(1))].name = objects.ColumnText(1);
    } else {
      indexes.emplace_back(objects.ColumnText(1), objects.ColumnText(2));
    }
  }
  for (auto& [folded, table] : shape.tables) {
    Statement info(conn, "PRAGMA table_info(" + QuoteIdentifier(table.name) + ")", what);
    while (info.Step()) table.columns.push_back(info.ColumnText(1));
  }
  for (const auto& [name, table] : indexes) {
    IndexShape index{name, Folded(table), {}, false};
    Statement info(conn, "PRAGMA index_info(" + QuoteIdentifier(name) + ")", what);
    while (info.Step()) index.columns.push_back(Folded(info.ColumnText(2)));
    Statement list(conn, "PRAGMA index_list(" + QuoteIdentifier(table) + ")", what);
    while (list.Step())
      if (list.ColumnText(1) == name) index.unique = list.ColumnInt64(2) != 0;
    shape.indexes[Folded(name)] = std::move(index);
  }
  return shape;
}

}  // namespace

Database Database::OpenDatabase(const std::string& name, bool exclusive, bool readOnly, const std::string& connect) {
  CheckConnectString(connect);
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path path(name);
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  if (!fs::is_directory(folder, ec)) RaiseDbError(vb::kCannotFindFileAlt, "'" + folder.string() + "' is not a valid path.");
  if (!fs::is_regular_file(path, ec)) RaiseDbError(vb::kCannotFindFile, "Could not find file '" + name + "'.");

  // Changes go through a journal file beside the database.
  if (!readOnly && access(folder.c_str(), W_OK | X_OK) != 0)
    RaisePermissionDenied(name, "its folder '" + folder.string() + "' may not be written");

  auto conn = std::make_shared<Connection>();
  conn->name = name;
  conn->readOnly = readOnly;
  const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
  const int rc = sqlite3_open_v2(name.c_str(), &conn->db, flags, nullptr);
  if (rc != SQLITE_OK) {
    if ((rc & 0xff) == SQLITE_CANTOPEN || (rc & 0xff) == SQLITE_PERM)
      RaisePermissionDenied(name, "the file may not be read");
    RaiseSqlite(rc, conn->db, "'" + name + "'");
  }
  sqlite3_extended_result_codes(conn->db, 1);
  // A file that may only be read is opened read-only by the engine, without error.
  if (!readOnly && sqlite3_db_readonly(conn->db, "main") == 1)
    RaiseDbError(vb::kReadOnlyDatabase,
                 "Cannot update '" + name + "': the database is read-only (the file may not be written).");

  // Take the lock now (and keep it, in exclusive mode), and find out whether the file
  // is a database at all.
  try {
    if (exclusive) ExecuteSql(*conn, "PRAGMA locking_mode = EXCLUSIVE", "'" + name + "'");
    // Pages reach the file only at a commit, page 1 first (Journal.h).
    if (!readOnly) ExecuteSql(*conn, "PRAGMA cache_spill = OFF", "'" + name + "'");
    if (exclusive && !readOnly) {
      ExecuteSql(*conn, "BEGIN EXCLUSIVE", "'" + name + "'");
      ExecuteSql(*conn, "SELECT count(*) FROM sqlite_master", "'" + name + "'");
      ExecuteSql(*conn, "COMMIT", "'" + name + "'");
    } else {
      ExecuteSql(*conn, "SELECT count(*) FROM sqlite_master", "'" + name + "'");
    }
  } catch (const vb::VbError& e) {
    if (e.err().Number == kCurrentlyLocked) RaiseInUse(name);
    throw;
  }
  return Database(std::move(conn));
}

Recordset Database::OpenRecordset(const std::string& source, RecordsetType type) const {
  if (conn_ == nullptr) vb::Raise(vb::kObjectNotSet, "Object variable not set: the database is not open.");
  if (conn_->db == nullptr) RaiseDbError(kObjectInvalid, "The database is closed.");
  const std::string table = FindTable(*conn_, source);
  if (type == dbOpenSnapshot) {
    // A table opened as a snapshot: its rows in stored order.
    return Recordset(OpenSnapshot(conn_, table.empty() ? source : "SELECT * FROM [" + table + "] ORDER BY rowid"));
  }
  if (!table.empty()) return Recordset(OpenTable(conn_, table));
  if (type == dbOpenTable) RaiseDbError(kTableNotFound, "Cannot find the input table '" + source + "'.");
  return Recordset(OpenSnapshot(conn_, source));
}

void Database::CheckIntegrity(Check check) const {
  Connection& conn = Open();
  const std::string what = "'" + conn.name + "'";
  Statement st(conn, check == Check::Thorough ? "PRAGMA integrity_check(1)" : "PRAGMA quick_check(1)", what);
  if (!st.Step() || st.ColumnText(0) != "ok") RaiseDbError(kDamagedDatabase, "The database " + what + " is damaged.");
}

void Database::CheckSchema(const std::string& schemaSql) const {
  Connection& conn = Open();
  const std::string file = "the database '" + conn.name + "'";
  Connection expected;
  expected.name = "the expected schema";
  if (sqlite3_open_v2(":memory:", &expected.db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
    RaiseSqlite(SQLITE_NOMEM, nullptr, expected.name);
  {
    char* message = nullptr;
    const int rc = sqlite3_exec(expected.db, schemaSql.c_str(), nullptr, nullptr, &message);
    const std::string detail = message != nullptr ? message : "";
    sqlite3_free(message);
    if (rc != SQLITE_OK) RaiseDbError(kReservedError, "The expected schema cannot be read (" + detail + ").");
  }
  const SchemaShape want = ReadShape(expected);
  const SchemaShape have = ReadShape(conn);
  // Tables and their columns first, then the indexes, so the message names the first
  // missing thing a reader would look for.
  for (const auto& [table, columns] : want.tables) {
    const auto found = have.tables.find(table);
    if (found == have.tables.end())
      RaiseDbError(kTableNotFound, "The table '" + columns.name + "' is missing from " + file + ".");
    for (const std::string& column : columns.columns)
      if (!Contains(found->second.columns, column))
        RaiseDbError(kItemNotFound, "The column '" + column + "' of the table '" + columns.name + "' is missing from " +
                                        file + ".");
  }
  for (const auto& [name, index] : want.indexes) {
    const auto found = have.indexes.find(name);
    if (found == have.indexes.end() || !SameIndex(found->second, index))
      RaiseDbError(kNotAnIndex, "The index '" + index.name + "' is missing from " + file +
                                    (found == have.indexes.end() ? "." : ", or it is not the one the program needs."));
  }
}

void Database::TakeFirstStamp() const {
  Connection& conn = Open();
  if (conn.readOnly) RaiseDbError(vb::kReadOnlyDatabase, "Cannot update '" + conn.name + "': it was opened read-only.");
  const std::string what = "'" + conn.name + "'";
  {
    Statement st(conn, "PRAGMA user_version", what);
    if (st.Step() && st.ColumnInt64(0) != 0) return;
  }
  ExecuteSql(conn, "PRAGMA user_version = " + std::to_string(static_cast<int32_t>(NextStamp(0))), what);
}

void Database::Execute(const std::string& sql) const {
  Connection& conn = Open();
  if (conn.readOnly) RaiseDbError(vb::kReadOnlyDatabase, "Cannot update '" + conn.name + "': it was opened read-only.");
  const JetQuery q = TranslateJetSql(sql);
  if (!q.valid) return;  // a syntax error that was passed over: nothing runs
  ExecuteSql(conn, q.sql, "'" + conn.name + "'");
}

Connection& Database::Open() const {
  if (conn_ == nullptr) vb::Raise(vb::kObjectNotSet, "Object variable not set: the database is not open.");
  if (conn_->db == nullptr) RaiseDbError(kObjectInvalid, "The database is closed.");
  return *conn_;
}

bool Database::ReadOnly() const { return conn_ != nullptr && conn_->readOnly; }

std::string Database::Name() const { return conn_ != nullptr ? conn_->name : std::string(); }

bool Database::IsOpen() const { return conn_ != nullptr && conn_->db != nullptr; }

void Database::Close() noexcept {
  if (conn_ != nullptr) conn_->Close();
}

}  // namespace dao
