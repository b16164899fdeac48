// Internal to the database layer: the state behind a Recordset.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dao/Recordset.h"
#include "platform/dao/Statement.h"

namespace dao {

struct IndexKey {
  std::string column;
  bool descending = false;
  std::string collation;
};

struct Recordset::Impl {
  struct Column {
    std::string name;
    ColumnKind kind;
  };
  // Row: on a row; Eof: past the last (or empty); Undefined: after a failed Seek;
  // Deleted: the current row was deleted.
  enum class Pos { Row, Eof, Undefined, Deleted };
  enum class EditMode { None, AddNew, Edit };

  std::shared_ptr<Connection> conn;
  RecordsetType type = dbOpenTable;
  std::vector<Column> cols;
  Pos pos = Pos::Eof;
  bool noMatch = false;

  // Tables: the table, the current index and its keys, and the order of the walk.
  std::string table;
  std::string indexName;
  std::vector<IndexKey> keys;
  std::string orderBy = "rowid";
  // The row ids in walking order, read when a walk needs them and again after a change.
  std::vector<int64_t> keyset;
  bool keysetValid = false;
  long position = -1;  // of the current row in keyset; -1 not yet known
  long deletedAt = 0;  // where the deleted row stood
  int64_t rowid = 0;
  std::vector<vb::Variant> row;
  EditMode edit = EditMode::None;
  std::vector<std::optional<vb::Variant>> buffer;

  // Snapshots: every row of the result.
  std::vector<std::vector<vb::Variant>> rows;
  size_t cursor = 0;

  Connection& CheckOpen() const;
  int FieldIndex(std::string_view name) const;
  void RequireTable(const char* operation) const;
  void RequireWritable() const;
  void RequireCurrentRow() const;  // 3167 on a deleted row, 3021 without a row
  void RequireEditing() const;     // 3020 without AddNew or Edit
  std::string ColumnList() const;
  void LoadRow(int64_t id);
  void EnsureKeyset();
  long CurrentPosition();
  void GoTo(long i);
  long Count();
  void SetOrder(std::vector<IndexKey> keys);
};

}  // namespace dao
