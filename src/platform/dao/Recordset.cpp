#include "platform/dao/Recordset.h"

#include <sqlite3.h>

#include <optional>
#include <strings.h>

#include "platform/dao/Errors.h"
#include "platform/dao/RecordsetImpl.h"
#include "platform/dao/Statement.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Error.h"

namespace dao {

namespace {

bool SameName(std::string_view a, const std::string& b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// The value as it is stored in a column of that kind: numbers into text columns as
// their text; texts into numeric columns only when they are numbers.
vb::Variant ForStore(const vb::Variant& v, const std::string& column, ColumnKind kind) {
  if (v.IsNull() || v.IsEmpty()) return vb::Null;
  if (kind == ColumnKind::Text) return v.ToString();
  if (IsNumericKind(kind) && v.IsString() && !vb::IsNumeric(v.ToString()))
    RaiseDbError(kConversionError, "Data type conversion error: '" + v.ToString() + "' is not a number for field '" +
                                       column + "'.");
  return v;
}

}  // namespace

// ---- Impl ---------------------------------------------------------------------------

Connection& Recordset::Impl::CheckOpen() const {
  if (conn == nullptr || conn->db == nullptr) RaiseDbError(kObjectInvalid, "The recordset or its database is closed.");
  return *conn;
}

int Recordset::Impl::FieldIndex(std::string_view name) const {
  for (size_t i = 0; i < cols.size(); ++i) {
    if (SameName(name, cols[i].name)) return static_cast<int>(i);
  }
  RaiseDbError(kItemNotFound, "Item not found in this collection: no field '" + std::string(name) + "'.");
}

void Recordset::Impl::RequireTable(const char* operation) const {
  if (type != dbOpenTable)
    RaiseDbError(kNotSupported, std::string("Operation is not supported for this type of object: ") + operation + ".");
}

void Recordset::Impl::RequireWritable() const {
  if (type != dbOpenTable || conn->readOnly)
    RaiseDbError(vb::kReadOnlyDatabase, "Cannot update: the database or object is read-only.");
}

void Recordset::Impl::RequireCurrentRow() const {
  if (pos == Pos::Deleted) RaiseDbError(kRecordDeleted, "Record is deleted.");
  if (pos != Pos::Row) RaiseDbError(vb::kNoCurrentRecord, "No current record.");
}

void Recordset::Impl::RequireEditing() const {
  if (edit == EditMode::None) RaiseDbError(kUpdateWithoutEdit, "Update or CancelUpdate without AddNew or Edit.");
}

std::string Recordset::Impl::ColumnList() const {
  std::string s;
  for (const auto& c : cols) s += ", " + QuoteIdentifier(c.name);
  return s;
}

void Recordset::Impl::LoadRow(int64_t id) {
  Statement st(CheckOpen(), "SELECT rowid" + ColumnList() + " FROM " + QuoteIdentifier(table) + " WHERE rowid = ?",
               "table '" + table + "'");
  st.BindInt64(1, id);
  if (!st.Step()) {
    pos = Pos::Undefined;
    return;
  }
  rowid = id;
  row.resize(cols.size());
  for (size_t i = 0; i < cols.size(); ++i) row[i] = st.Column(static_cast<int>(i) + 1, cols[i].kind);
  pos = Pos::Row;
}

void Recordset::Impl::EnsureKeyset() {
  if (keysetValid) return;
  Statement st(CheckOpen(), "SELECT rowid FROM " + QuoteIdentifier(table) + " ORDER BY " + orderBy,
               "table '" + table + "'");
  keyset.clear();
  while (st.Step()) keyset.push_back(st.ColumnInt64(0));
  keysetValid = true;
  position = -1;
}

long Recordset::Impl::CurrentPosition() {
  EnsureKeyset();
  if (position < 0) {
    for (size_t i = 0; i < keyset.size(); ++i) {
      if (keyset[i] == rowid) {
        position = static_cast<long>(i);
        break;
      }
    }
  }
  return position;
}

void Recordset::Impl::GoTo(long i) {
  if (type == dbOpenSnapshot) {
    cursor = static_cast<size_t>(i);
    pos = cursor < rows.size() ? Pos::Row : Pos::Eof;
    return;
  }
  if (i == 0 && !keysetValid) {
    // The first row alone, without reading the whole walk: most recordsets are opened
    // for one Seek or one row.
    Statement st(CheckOpen(), "SELECT rowid FROM " + QuoteIdentifier(table) + " ORDER BY " + orderBy + " LIMIT 1",
                 "table '" + table + "'");
    if (st.Step()) {
      LoadRow(st.ColumnInt64(0));
      position = -1;
    } else {
      pos = Pos::Eof;
    }
    return;
  }
  EnsureKeyset();
  if (i >= 0 && static_cast<size_t>(i) < keyset.size()) {
    LoadRow(keyset[static_cast<size_t>(i)]);
    position = i;
  } else {
    pos = Pos::Eof;
  }
}

long Recordset::Impl::Count() {
  if (type == dbOpenSnapshot) return static_cast<long>(rows.size());
  EnsureKeyset();
  return static_cast<long>(keyset.size());
}

void Recordset::Impl::SetOrder(std::vector<IndexKey> k) {
  keys = std::move(k);
  orderBy.clear();
  for (const auto& key : keys) {
    orderBy += QuoteIdentifier(key.column) + " COLLATE " + key.collation + (key.descending ? " DESC, " : ", ");
  }
  orderBy += "rowid";
  keysetValid = false;
}

// ---- Recordset ----------------------------------------------------------------------

Recordset::Recordset() = default;
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;
Recordset::Recordset(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

Recordset::Impl& Recordset::impl() const {
  if (impl_ == nullptr) RaiseDbError(kObjectInvalid, "The recordset is closed.");
  impl_->CheckOpen();
  return *impl_;
}

RecordsetType Recordset::Type() const { return impl().type; }

bool Recordset::IsOpen() const { return impl_ != nullptr && impl_->conn != nullptr && impl_->conn->db != nullptr; }

const std::string& Recordset::Index() const { return impl().indexName; }

void Recordset::SetIndex(const std::string& name) {
  Impl& m = impl();
  m.RequireTable("Index");
  m.edit = Impl::EditMode::None;
  if (name.empty()) {
    m.indexName.clear();
    m.SetOrder({});
  } else {
    const std::string wanted = m.table + "." + name;
    std::string sqliteName;
    {
      Statement st(*m.conn,
                   "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ? AND name = ? COLLATE NOCASE",
                   "the indexes of '" + m.table + "'");
      st.Bind(1, m.table);
      st.Bind(2, wanted);
      if (!st.Step()) RaiseDbError(kNotAnIndex, "'" + name + "' is not an index in table '" + m.table + "'.");
      sqliteName = st.ColumnText(0);
    }
    std::vector<IndexKey> keys;
    Statement info(*m.conn, "PRAGMA index_xinfo(" + QuoteIdentifier(sqliteName) + ")", "index '" + sqliteName + "'");
    while (info.Step()) {
      if (info.ColumnInt64(5) == 0) continue;  // the rowid that ends every index entry
      keys.push_back({info.ColumnText(2), info.ColumnInt64(3) != 0, info.ColumnText(4)});
    }
    m.indexName = name;
    m.SetOrder(std::move(keys));
  }
  m.GoTo(0);
}

void Recordset::Seek(std::string_view comparison, std::initializer_list<vb::Variant> keys) {
  Seek(comparison, std::vector<vb::Variant>(keys));
}

void Recordset::Seek(std::string_view comparison, const std::vector<vb::Variant>& keys) {
  Impl& m = impl();
  m.RequireTable("Seek");
  if (m.indexName.empty()) RaiseDbError(kNoCurrentIndex, "Operation invalid without a current index.");
  if (comparison != "=") RaiseDbError(kInvalidArgument, "Invalid argument: Seek compares with \"=\" only.");
  if (keys.empty() || keys.size() > m.keys.size())
    RaiseDbError(kInvalidArgument, "Invalid argument: index '" + m.indexName + "' has " +
                                       std::to_string(m.keys.size()) + " key columns.");
  m.edit = Impl::EditMode::None;
  std::string where;
  for (size_t i = 0; i < keys.size(); ++i) {
    if (i > 0) where += " AND ";
    where += QuoteIdentifier(m.keys[i].column) + " = ? COLLATE " + m.keys[i].collation;
  }
  Statement st(*m.conn,
               "SELECT rowid FROM " + QuoteIdentifier(m.table) + " WHERE " + where + " ORDER BY " + m.orderBy +
                   " LIMIT 1",
               "table '" + m.table + "'");
  for (size_t i = 0; i < keys.size(); ++i) st.Bind(static_cast<int>(i) + 1, keys[i]);
  if (st.Step()) {
    const int64_t id = st.ColumnInt64(0);
    m.position = -1;
    m.LoadRow(id);
    m.noMatch = m.pos != Impl::Pos::Row;
  } else {
    m.pos = Impl::Pos::Undefined;
    m.noMatch = true;
  }
}

bool Recordset::NoMatch() const { return impl().noMatch; }

bool Recordset::Eof() const { return impl().pos == Impl::Pos::Eof; }

int32_t Recordset::RecordCount() const {
  Impl& m = impl();
  if (m.type == dbOpenSnapshot) return static_cast<int32_t>(m.rows.size());
  Statement st(*m.conn, "SELECT count(*) FROM " + QuoteIdentifier(m.table), "table '" + m.table + "'");
  st.Step();
  return static_cast<int32_t>(st.ColumnInt64(0));
}

void Recordset::MoveFirst() {
  Impl& m = impl();
  m.edit = Impl::EditMode::None;
  if (m.Count() == 0) RaiseDbError(vb::kNoCurrentRecord, "No current record.");
  m.GoTo(0);
}

void Recordset::MoveLast() {
  Impl& m = impl();
  m.edit = Impl::EditMode::None;
  const long n = m.Count();
  if (n == 0) RaiseDbError(vb::kNoCurrentRecord, "No current record.");
  m.GoTo(n - 1);
}

void Recordset::MoveNext() {
  Impl& m = impl();
  m.edit = Impl::EditMode::None;
  switch (m.pos) {
    case Impl::Pos::Row:
      if (m.type == dbOpenSnapshot) m.GoTo(static_cast<long>(m.cursor) + 1);
      else m.GoTo(m.CurrentPosition() + 1);
      return;
    case Impl::Pos::Deleted:
      m.EnsureKeyset();
      m.GoTo(m.deletedAt);
      return;
    default: RaiseDbError(vb::kNoCurrentRecord, "No current record.");
  }
}

int Recordset::FieldCount() const { return static_cast<int>(impl().cols.size()); }

std::string Recordset::FieldName(int index) const {
  const Impl& m = impl();
  if (index < 0 || static_cast<size_t>(index) >= m.cols.size())
    RaiseDbError(kItemNotFound, "Item not found in this collection: no field number " + std::to_string(index) + ".");
  return m.cols[static_cast<size_t>(index)].name;
}

vb::Variant Recordset::Fields(std::string_view name) const { return Fields(impl().FieldIndex(name)); }

vb::Variant Recordset::Fields(int index) const {
  const Impl& m = impl();
  FieldName(index);
  const auto i = static_cast<size_t>(index);
  if (m.edit != Impl::EditMode::None && m.buffer[i].has_value()) return *m.buffer[i];
  if (m.edit == Impl::EditMode::AddNew) return vb::Null;
  m.RequireCurrentRow();
  return m.type == dbOpenSnapshot ? m.rows[m.cursor][i] : m.row[i];
}

void Recordset::AddNew() {
  Impl& m = impl();
  m.RequireWritable();
  m.edit = Impl::EditMode::AddNew;
  m.buffer.assign(m.cols.size(), std::nullopt);
}

void Recordset::Edit() {
  Impl& m = impl();
  m.RequireWritable();
  m.RequireCurrentRow();
  m.edit = Impl::EditMode::Edit;
  m.buffer.assign(m.cols.size(), std::nullopt);
}

void Recordset::SetField(std::string_view name, const vb::Variant& value) {
  Impl& m = impl();
  const int i = m.FieldIndex(name);
  m.RequireEditing();
  const auto& col = m.cols[static_cast<size_t>(i)];
  m.buffer[static_cast<size_t>(i)] = ForStore(value, col.name, col.kind);
}

void Recordset::Update() {
  Impl& m = impl();
  m.RequireEditing();
  std::string names, values, sets;
  std::vector<vb::Variant> args;
  for (size_t i = 0; i < m.cols.size(); ++i) {
    if (!m.buffer[i].has_value()) continue;
    const std::string q = QuoteIdentifier(m.cols[i].name);
    names += (args.empty() ? "" : ", ") + q;
    values += args.empty() ? "?" : ", ?";
    sets += (args.empty() ? "" : ", ") + q + " = ?";
    args.push_back(*m.buffer[i]);
  }
  const std::string what = "table '" + m.table + "'";
  const bool adding = m.edit == Impl::EditMode::AddNew;
  if (adding) {
    Statement st(*m.conn,
                 args.empty() ? "INSERT INTO " + QuoteIdentifier(m.table) + " DEFAULT VALUES"
                              : "INSERT INTO " + QuoteIdentifier(m.table) + " (" + names + ") VALUES (" + values + ")",
                 what);
    for (size_t i = 0; i < args.size(); ++i) st.Bind(static_cast<int>(i) + 1, args[i]);
    st.Step();
  } else if (!args.empty()) {
    Statement st(*m.conn, "UPDATE " + QuoteIdentifier(m.table) + " SET " + sets + " WHERE rowid = ?", what);
    for (size_t i = 0; i < args.size(); ++i) st.Bind(static_cast<int>(i) + 1, args[i]);
    st.BindInt64(static_cast<int>(args.size()) + 1, m.rowid);
    st.Step();
  }
  // The edit ends once the row is written: a refused write (a duplicate key) keeps
  // the buffer, for CancelUpdate or another try.
  m.edit = Impl::EditMode::None;
  if (!adding && !args.empty()) m.LoadRow(m.rowid);
  m.keysetValid = false;
  m.position = -1;
}

void Recordset::CancelUpdate() {
  Impl& m = impl();
  m.RequireEditing();
  m.edit = Impl::EditMode::None;
}

void Recordset::Delete() {
  Impl& m = impl();
  m.RequireWritable();
  m.RequireCurrentRow();
  m.edit = Impl::EditMode::None;
  const long at = m.CurrentPosition();
  Statement st(*m.conn, "DELETE FROM " + QuoteIdentifier(m.table) + " WHERE rowid = ?", "table '" + m.table + "'");
  st.BindInt64(1, m.rowid);
  st.Step();
  m.pos = Impl::Pos::Deleted;
  m.deletedAt = at;
  m.keysetValid = false;
}

void Recordset::Close() noexcept { impl_.reset(); }

}  // namespace dao
