// Recordset: the rows of a table or of a query, with a current row.
//
// Two kinds, as the program uses them:
// - table (dbOpenTable): direct access to one table. Without an index the rows come in
//   stored order (the order in which they were inserted, SQLite's rowid order); after
//   SetIndex("<DAO index name>") in the order of that index. The layer names a table's
//   SQLite index "<table>.<DAO index name>" and reads the key columns from SQLite.
//   Seek("=", {keys}) finds the first row, in index order, whose first key columns
//   equal the keys (text keys without regard to letter case when the column is
//   declared COLLATE NOCASE); NoMatch() tells whether it failed. MoveNext after a Seek
//   walks on in index order. AddNew/Edit, SetField, Update and Delete change the table.
// - snapshot (dbOpenSnapshot): the rows of a query text, read in full when opened and
//   never changed. A text without an ORDER BY of its own returns its rows sorted by its
//   result columns, left to right, so every list comes out in one stable order.
//
// Fields are read by name (any letter case) or by position and come back as Variants:
// Null for a database NULL; 16-bit Integer, 32-bit Long, Single, Double or String by
// the column's declared type (SMALLINT, INTEGER, FLOAT, DOUBLE, TEXT).
//
// Errors (vb::VbError): 3021 no current row (reading or moving past the end, after a
// failed Seek, or on an empty recordset); 3167 the current row was deleted; 3265 no
// field of that name; 3019 Seek without an index; 3800 no index of that name; 3251 an
// operation the kind does not support; 3020 SetField or Update without AddNew or Edit;
// 3022 a duplicate key; 3027 a change to a read-only database or a snapshot; 3421 a
// text that is not a number for a numeric field; 3420 the recordset or its database is
// closed; 3075 a syntax error in a query text, which may be passed over (the snapshot
// is then empty).
//
// A default-constructed or moved-from recordset is closed. Not copyable.
// Thread-safety: UI thread only.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/vb/Variant.h"

namespace dao {

struct Connection;

enum RecordsetType { dbOpenDefault = -1, dbOpenTable = 1, dbOpenSnapshot = 4 };

class Recordset {
 public:
  Recordset();
  ~Recordset();
  Recordset(Recordset&&) noexcept;
  Recordset& operator=(Recordset&&) noexcept;
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  RecordsetType Type() const;
  bool IsOpen() const;

  // Table recordsets: the current index ("" for stored order). Setting it moves to the
  // first row in the new order.
  const std::string& Index() const;
  void SetIndex(const std::string& name);

  // Finds the first row whose leading key columns equal keys (1 to the index's number
  // of columns). Only the comparison "=" is offered. A Null key matches nothing.
  void Seek(std::string_view comparison, std::initializer_list<vb::Variant> keys);
  void Seek(std::string_view comparison, const std::vector<vb::Variant>& keys);
  bool NoMatch() const;

  // True when there is no current row past the last one (also on an empty recordset).
  bool Eof() const;
  // Tables: the number of rows of the table. Snapshots: the number of rows of the result.
  int32_t RecordCount() const;

  void MoveFirst();
  void MoveNext();
  void MoveLast();

  int FieldCount() const;
  std::string FieldName(int index) const;
  vb::Variant Fields(std::string_view name) const;
  vb::Variant Fields(int index) const;

  // Starts a new row (every field Null until set) or an edit of the current row; Update
  // stores it, CancelUpdate drops it. After AddNew the current row stays what it was.
  void AddNew();
  void Edit();
  void SetField(std::string_view name, const vb::Variant& value);
  void Update();
  void CancelUpdate();
  // Deletes the current row; MoveNext then goes to the row that followed it.
  void Delete();

  // Closes the recordset; a pending AddNew or Edit is dropped. Closing twice does nothing.
  void Close() noexcept;

  struct Impl;

 private:
  friend class Database;
  explicit Recordset(std::unique_ptr<Impl> impl);
  Impl& impl() const;
  std::unique_ptr<Impl> impl_;
};

}  // namespace dao
