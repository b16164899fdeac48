// Database: an open SQLite database file, handled as the program's database objects
// were: a Database value refers to one open connection (copies refer to the same
// one), and a default-constructed Database is "no object" (Nothing).
//
// Opening follows the old OpenDatabase(name, exclusive, read-only, connect):
// - exclusive maps to SQLite's exclusive locking mode; the lock is taken at once, so a
//   second running program that opens the same file read-write gets error 3051
//   ("file in use") instead of sharing or damaging it. A read-only file shares its
//   read lock with other readers;
// - read-only maps to SQLITE_OPEN_READONLY: every change then raises 3027;
// - connect is parsed ("MS ACCESS;PWD=..."); the files are not encrypted, so the
//   password is not used. Another kind of connect string raises 3170.
// A missing file raises 3024 (3044 when its folder is missing), a file that is not a
// database 3343. A file this user may not read, or a read-write open of a file in a
// folder this user may not write, raises 70; a read-write open of a file this user
// may only read raises 3027. 3051 means a lock only. Nothing is ever created: the
// files are made by the build.
//
// Thread-safety: UI thread only, like everything of this layer.
#pragma once

#include <memory>
#include <string>

#include "platform/dao/Recordset.h"

namespace dao {

struct Connection;

class Database {
 public:
  Database() = default;  // no object

  // Opens the file; see above for the options and the errors.
  static Database OpenDatabase(const std::string& name, bool exclusive, bool readOnly,
                               const std::string& connect = "");

  // A recordset on a table (its name, any letter case) or on a query text in the
  // old dialect (see JetSql.h). dbOpenDefault takes a table when the source names
  // one, a snapshot otherwise; a table opened as a snapshot gives its rows in stored order. A database that is no object raises 91, a closed one 3420.
  Recordset OpenRecordset(const std::string& source, RecordsetType type = dbOpenDefault) const;

  // Reads every page of the file and checks its structure (SQLite's quick check);
  // a damaged file raises 3049. A few milliseconds for the program's databases.
  // Thorough also checks that every index agrees with its table's rows (SQLite's
  // integrity check), which finds damage the quick check misses; it takes longer.
  enum class Check { Quick, Thorough };
  void CheckIntegrity(Check check = Check::Quick) const;

  // Checks that the file holds every table, column and index that the schema text
  // (SQLite statements, run on an empty database in memory) creates: an index with the
  // same table, key columns and uniqueness. Tables and indexes of its own besides do no
  // harm. A missing table raises 3078, a missing column 3265, a missing or different
  // index 3800; the description names what is missing and the file.
  void CheckSchema(const std::string& schemaSql) const;

  // Runs an action or definition query (one statement, in the old dialect: see
  // JetSql.h) that returns no rows.
  void Execute(const std::string& sql) const;

  // Gives a file opened read-write that has no stamp yet (Journal.h) its first one, in a
  // transaction of its own that changes nothing else, so that every later journal of
  // the file can be told apart from one of another file.
  void TakeFirstStamp() const;

  // True when the file was opened read-only.
  bool ReadOnly() const;
  // The file name as opened ("" for no object).
  std::string Name() const;
  bool IsNothing() const { return conn_ == nullptr; }
  bool IsOpen() const;

  // Closes the file and releases its lock. Recordsets still open on it then raise 3420.
  // Closing twice, or closing no object, does nothing.
  void Close() noexcept;

  // The connection, for the layer's own classes (Transaction).
  const std::shared_ptr<Connection>& connection() const { return conn_; }

 private:
  explicit Database(std::shared_ptr<Connection> conn) : conn_(std::move(conn)) {}
  // The open connection; 91 for no object, 3420 when closed.
  Connection& Open() const;
  std::shared_ptr<Connection> conn_;
};

}  // namespace dao
