#include "shell/Upgrade.h"

#include <QByteArray>
#include <QCryptographicHash>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Trace.h"
#include "platform/dao/Database.h"
#include "platform/dao/Errors.h"
#include "platform/dao/Recordset.h"
#include "platform/dao/Transaction.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/DateTime.h"
#include "platform/vb/Error.h"
#include "platform/vb/Files.h"
#include "platform/vb/Interaction.h"
#include "shell/DataFolder.h"
#include "shell/ShellState.h"
#include "shell/StartUpSeams.h"
#include "sound/NoteTuning.h"

namespace shell {

namespace {

namespace fs = std::filesystem;

constexpr int32_t kFirstUserSetId = 13;
constexpr int32_t kLargestSetId = INT16_MAX;  // "NPSetId" is a 16-bit integer
constexpr int32_t kLargestId = INT32_MAX;

// A table whose rows the carry-over adds: its columns in copy order, the primary
// key's columns first.
struct AddedTable {
  const char* table;
  std::vector<std::string> columns;
  size_t keyColumns;
};

std::vector<std::string> OnprColumns() {
  std::vector<std::string> columns{"NPSetId", "InstrumentType", "NPSetName", "TonicNoteId"};
  for (int k = 0; k < 27; ++k) columns.push_back(sound::ScaleColumnName(k));
  return columns;
}

const AddedTable kOnpr{"ONPR", OnprColumns(), 2};
const AddedTable kAdditionalInformation{
    "Raga - Additional Information", {"Raga Index", "Add Info", "Add Info Type", "Notation Index"}, 3};
const AddedTable kAltPhrases{"Raga - ALT Phrases", {"RagaIndex", "PhraseType", "NotesPhrase", "DurationPhrase"}, 2};
const AddedTable kCompositionNotations{
    "Raga - Composition Notations",
    {"Notation Index", "Composition Part", "Raga Index", "CompositionMukhada", "CompositionType", "CompositionTempo",
     "CompositionText", "Syllables", "SyllableDuration", "Notation", "NotesDuration", "Tala Id", "Starting Beat",
     "Playing Speed"},
    2};
const AddedTable kScaleShiftSpecs{
    "Scale Shift Specs", {"NPSetId", "NPSetName", "InstrumentName", "TonicNoteId", "BaseSPC", "NewSPC"}, 1};
const AddedTable kUserPatterns{"User Patterns", {"PatternId", "PatternName", "PatternPhrase", "PatternMode"}, 1};

// What becomes of an earlier row: it is added, or left out because the user database
// holds it already (carried over at an earlier start, or the user's own), or left out
// because it is incomplete (it belongs to nothing the program could show).
enum class Fate { Copy, AlreadyThere, Incomplete };

// Where the rows of one user id of the earlier database go: under id (the same or a
// free one), or nowhere (fate): the user database already holds that scale set,
// composition or pattern (id is then its id there, when known), or it is incomplete.
struct IdMove {
  int32_t id = 0;
  Fate fate = Fate::Copy;
};
using IdMoves = std::map<int32_t, IdMove>;

// The record of what earlier carry-overs added, kept in the user database: one row per
// row added, by its table and the digest of its earlier values, with the user id it
// arrived under (Null for rows without one). It is written in the same transaction as
// the rows, so a carry-over that is run again (after a kill before the earlier file was
// deleted, or with the same file placed again) adds nothing twice.
constexpr const char* kRecordTable = "Carried Over Rows";
constexpr const char* kRecordTableSql =
    "CREATE TABLE IF NOT EXISTS [Carried Over Rows] ([Table Name] TEXT COLLATE NOCASE NOT NULL, "
    "[Row Digest] TEXT NOT NULL, [Carried Id] INTEGER)";
constexpr const char* kRecordIndexSql =
    "CREATE UNIQUE INDEX IF NOT EXISTS [Carried Over Rows.PrimaryKey] ON [Carried Over Rows] ([Table Name], "
    "[Row Digest])";
// The user id each recorded row arrived under, by table and digest.
using Carried = std::map<std::pair<std::string, std::string>, vb::Variant>;

// One carry-over: the two databases, what earlier ones added, and where each user id goes.
struct CarryOver {
  dao::Database source;
  dao::Database target;
  Carried carried;
  IdMoves scaleSets;
  IdMoves notations;
  IdMoves patterns;
  int alreadyThere = 0;  // rows left out because the user database holds them already
  int incomplete = 0;    // rows left out because they belong to nothing
};

using Row = std::vector<vb::Variant>;
// Rewrites a row's user id; tells whether the row is added.
using Mover = std::function<Fate(Row&)>;

std::string IgnorableFile() { return vb::JoinPath(DataFolder, "ignoerr.txt"); }

// A record in "ignoerr.txt", laid out as those of the errors passed over. The records
// only tell what happened: one that cannot be written (a full disk) stops nothing.
void Record(const char* procedure, const std::string& description, int32_t number) {
  ++common::IgnorableErrorCount;
  try {
    vb::AppendLines(IgnorableFile(), {"", "Ignorable Error No. " + std::to_string(common::IgnorableErrorCount),
                                      vb::DateLineNow(), std::string("Called form '") + procedure + "'", description,
                                      vb::PrintNumber(number), vb::kDefaultSource, vb::PrintNumber(0)});
  } catch (const vb::VbError&) {
    vb::Err().Clear();
  }
}

// The digest of an earlier row's values: the same values give the same digest in every
// run and every version of the program (numbers by their value, texts byte for byte).
std::string RowDigest(const char* table, const Row& row) {
  std::string text = table;
  for (const vb::Variant& v : row) {
    if (v.IsNull() || v.IsEmpty()) {
      text += "|N";
    } else if (v.IsNumber()) {
      char number[40];
      std::snprintf(number, sizeof number, "|D%.17g", v.ToDouble());
      text += number;
    } else {
      const std::string value = v.ToString();
      text += "|T" + std::to_string(value.size()) + ":" + value;
    }
  }
  return QCryptographicHash::hash(QByteArray::fromStdString(text), QCryptographicHash::Sha256).toHex().toStdString();
}

// The earlier row of a table at the recordset's current row, in copy order.
Row EarlierRow(dao::Recordset& rs, const AddedTable& spec) {
  Row row;
  for (const std::string& column : spec.columns) row.push_back(rs.Fields(column));
  return row;
}

// The user id a recorded earlier row arrived under; no value when it was never carried.
std::optional<vb::Variant> CarriedBefore(const CarryOver& c, const AddedTable& spec, const Row& row) {
  const auto found = c.carried.find({spec.table, RowDigest(spec.table, row)});
  if (found == c.carried.end()) return std::nullopt;
  return found->second;
}

// What earlier carry-overs added (nothing when the user database has no record yet).
Carried ReadCarried(const dao::Database& db) {
  Carried carried;
  dao::Recordset rs;
  try {
    rs = db.OpenRecordset(kRecordTable, dao::dbOpenTable);
  } catch (const vb::VbError& e) {
    if (e.err().Number != dao::kTableNotFound) throw;
    vb::Err().Clear();
    return carried;
  }
  for (; !rs.Eof(); rs.MoveNext())
    carried.emplace(std::make_pair(rs.Fields("Table Name").ToString(), rs.Fields("Row Digest").ToString()),
                    rs.Fields("Carried Id"));
  rs.Close();
  return carried;
}

std::string KeyText(const Row& row, size_t keyColumns) {
  std::string text;
  for (size_t i = 0; i < keyColumns; ++i) text += (i ? ", " : "") + (row[i].IsNull() ? "Null" : row[i].ToString());
  return "(" + text + ")";
}

bool Found(dao::Recordset& rs, const std::string& index, const std::vector<vb::Variant>& keys) {
  if (rs.Index() != index) rs.SetIndex(index);
  rs.Seek("=", keys);
  return !rs.NoMatch();
}

void ForEachRow(const dao::Database& db, const char* table, const std::function<void(dao::Recordset&)>& visit) {
  dao::Recordset rs = db.OpenRecordset(table, dao::dbOpenTable);
  for (; !rs.Eof(); rs.MoveNext()) visit(rs);
  rs.Close();
}

int32_t LargestId(const dao::Database& db, const char* table, const char* column) {
  int32_t largest = 0;
  ForEachRow(db, table, [&](dao::Recordset& rs) {
    const vb::Variant v = rs.Fields(column);
    if (!v.IsNull()) largest = std::max(largest, v.ToLong());
  });
  return largest;
}

// Ids above every id of both databases, handed out one after another.
class FreeIds {
 public:
  FreeIds(int32_t largestInUse, int32_t limit, const char* what)
      : next_(largestInUse + 1), limit_(limit), what_(what) {}
  int32_t Next() {
    if (next_ > limit_) vb::Raise(vb::kOverflow, std::string("Overflow: no free ") + what_ + " is left");
    return next_++;
  }

 private:
  int64_t next_;
  int32_t limit_;
  const char* what_;
};

// Where one earlier id goes: nowhere when its item is already there (known there by
// the id given), else to a free id when the id is taken, else under the same id.
IdMove Place(int32_t id, std::optional<int32_t> alreadyThere, bool taken, FreeIds& free) {
  if (alreadyThere) return {*alreadyThere, Fate::AlreadyThere};
  if (taken) return {free.Next(), Fate::Copy};
  return {id, Fate::Copy};
}

// The user id under which an earlier carry-over added the row, when it did.
std::optional<int32_t> IdCarriedBefore(const CarryOver& c, const AddedTable& spec, const Row& row) {
  const std::optional<vb::Variant> id = CarriedBefore(c, spec, row);
  if (!id || id->IsNull()) return std::nullopt;
  return id->ToLong();
}

// The id of the row found, when a seek finds one.
std::optional<int32_t> IdFound(dao::Recordset& rs, const std::string& index, const vb::Variant& key,
                               const char* idColumn) {
  if (key.IsNull() || !Found(rs, index, {key})) return std::nullopt;
  return rs.Fields(idColumn).ToLong();
}

// Moves the user's scale sets: a set carried over at an earlier start, or whose name
// the user database has, is already there; one whose id is taken gets a free id. Rows
// of "ONPR" without their set's "Scale Shift Specs" row belong to no set.
void PlanScaleSets(CarryOver& c) {
  struct EarlierSet {
    vb::Variant name;
    std::optional<int32_t> carriedAs;
  };
  std::map<int32_t, EarlierSet> sets;  // by the earlier id
  ForEachRow(c.source, kScaleShiftSpecs.table, [&](dao::Recordset& rs) {
    const Row row = EarlierRow(rs, kScaleShiftSpecs);
    sets.emplace(row[0].ToLong(), EarlierSet{row[1], IdCarriedBefore(c, kScaleShiftSpecs, row)});
  });
  std::set<int32_t> withoutSpecs;
  ForEachRow(c.source, "ONPR", [&](dao::Recordset& rs) {
    const int32_t id = rs.Fields("NPSetId").ToLong();
    if (sets.find(id) == sets.end()) withoutSpecs.insert(id);
  });
  int32_t largest = std::max({kFirstUserSetId - 1, LargestId(c.target, "Scale Shift Specs", "NPSetId"),
                              LargestId(c.target, "ONPR", "NPSetId")});
  if (!sets.empty()) largest = std::max(largest, sets.rbegin()->first);
  if (!withoutSpecs.empty()) largest = std::max(largest, *withoutSpecs.rbegin());
  FreeIds free(largest, kLargestSetId, "scale-set id");

  dao::Recordset specs = c.target.OpenRecordset("Scale Shift Specs", dao::dbOpenTable);
  dao::Recordset onpr = c.target.OpenRecordset("ONPR", dao::dbOpenTable);
  for (const auto& [id, set] : sets) {
    const std::optional<int32_t> there =
        set.carriedAs ? set.carriedAs : IdFound(specs, "Set Name", set.name, "NPSetId");
    c.scaleSets[id] =
        Place(id, there, there || Found(specs, "PrimaryKey", {id}) || Found(onpr, "PrimaryKey", {id}), free);
  }
  for (int32_t id : withoutSpecs) c.scaleSets[id] = {id, Fate::Incomplete};
  specs.Close();
  onpr.Close();
}

// Moves the user's compositions (a notation and the items that refer to it): one
// carried over at an earlier start, or whose every item the user database has, is
// already there; one whose notation index is taken gets a free one. A notation that no
// item refers to belongs to nothing.
void PlanNotations(CarryOver& c) {
  std::set<int32_t> ids;
  std::map<int32_t, int32_t> carriedAs;  // by the earlier notation index
  std::map<int32_t, bool> allItemsThere;
  dao::Recordset targetItems = c.target.OpenRecordset("Raga - Additional Information", dao::dbOpenTable);
  ForEachRow(c.source, "Raga - Additional Information", [&](dao::Recordset& rs) {
    const vb::Variant n = rs.Fields("Notation Index");
    if (n.IsNull() || n.ToLong() <= 0) return;
    const bool there =
        Found(targetItems, "PrimaryKey", {rs.Fields("Raga Index"), rs.Fields("Add Info"), rs.Fields("Add Info Type")});
    const auto [it, first] = allItemsThere.emplace(n.ToLong(), there);
    if (!first) it->second = it->second && there;
    ids.insert(n.ToLong());
  });
  ForEachRow(c.source, kCompositionNotations.table, [&](dao::Recordset& rs) {
    const Row row = EarlierRow(rs, kCompositionNotations);
    const int32_t id = row[0].ToLong();
    ids.insert(id);
    if (const std::optional<int32_t> as = IdCarriedBefore(c, kCompositionNotations, row)) carriedAs.emplace(id, *as);
  });
  int32_t largest = std::max(LargestId(c.target, "Raga - Composition Notations", "Notation Index"),
                             LargestId(c.target, "Raga - Additional Information", "Notation Index"));
  if (!ids.empty()) largest = std::max(largest, *ids.rbegin());
  FreeIds free(largest, kLargestId, "notation index");

  dao::Recordset notations = c.target.OpenRecordset("Raga - Composition Notations", dao::dbOpenTable);
  for (int32_t id : ids) {
    const auto items = allItemsThere.find(id);
    if (items == allItemsThere.end()) {
      c.notations[id] = {id, Fate::Incomplete};
      continue;
    }
    const auto before = carriedAs.find(id);
    const std::optional<int32_t> there = before != carriedAs.end() ? std::optional<int32_t>(before->second)
                                         : items->second               ? std::optional<int32_t>(id)
                                                                       : std::nullopt;
    c.notations[id] = Place(
        id, there, there || Found(notations, "PrimaryKey", {id}) || Found(targetItems, "CompositionId", {id}), free);
  }
  notations.Close();
  targetItems.Close();
}

// Moves the user's patterns: one carried over at an earlier start, or whose name the
// user database has, is already there; one whose id is taken gets a free id. A pattern
// without a name cannot be chosen from the workbench's list, and is left out.
void PlanPatterns(CarryOver& c) {
  struct EarlierPattern {
    int32_t id;
    vb::Variant name;
    std::optional<int32_t> carriedAs;
  };
  std::vector<EarlierPattern> patterns;
  ForEachRow(c.source, kUserPatterns.table, [&](dao::Recordset& rs) {
    const Row row = EarlierRow(rs, kUserPatterns);
    patterns.push_back({row[0].ToLong(), row[1], IdCarriedBefore(c, kUserPatterns, row)});
  });
  int32_t largest = LargestId(c.target, "User Patterns", "PatternId");
  for (const auto& p : patterns) largest = std::max(largest, p.id);
  FreeIds free(largest, kLargestId, "pattern id");

  dao::Recordset target = c.target.OpenRecordset("User Patterns", dao::dbOpenTable);
  for (const auto& p : patterns) {
    if (p.name.IsNull()) {
      c.patterns[p.id] = {p.id, Fate::Incomplete};
      continue;
    }
    const std::optional<int32_t> there = p.carriedAs ? p.carriedAs : IdFound(target, "PatternByName", p.name, "PatternId");
    c.patterns[p.id] = Place(p.id, there, there || Found(target, "PrimaryKey", {p.id}), free);
  }
  target.Close();
}

// Rewrites the id in column of a row by moves, and tells whether the row is added.
Fate MoveId(Row& row, size_t column, const IdMoves& moves) {
  if (row[column].IsNull()) return Fate::Copy;
  const auto move = moves.find(row[column].ToLong());
  if (move == moves.end()) return Fate::Copy;
  if (move->second.fate != Fate::Copy) return move->second.fate;
  row[column] = vb::Variant(move->second.id);
  return Fate::Copy;
}

// Why a row was left out, for its record in "ignoerr.txt".
std::string LeftOutText(const AddedTable& spec, const std::string& key, Fate fate, bool carriedBefore) {
  const std::string row = std::string("The row ") + key + " of '" + spec.table + "' of the earlier installation ";
  if (fate == Fate::Incomplete)
    return row + "belongs to nothing the program can show (no scale set, item or name of its own); it was not "
                 "carried over.";
  if (carriedBefore) return row + "was carried over at an earlier start; it was not carried over again.";
  return row + "is already in the user database; it was not carried over.";
}

// Adds the rows of one table, in the earlier table's own order, and records each one
// added. A column that is Null there is not assigned. A row that an earlier carry-over
// added, that its move leaves out, or whose key the user database already holds, is
// recorded in "ignoerr.txt" and counted.
void AddRows(CarryOver& c, const char* procedure, const AddedTable& spec, size_t idColumn, const Mover& move,
             dao::Recordset& record) {
  dao::Recordset from = c.source.OpenRecordset(spec.table, dao::dbOpenTable);
  dao::Recordset to = c.target.OpenRecordset(spec.table, dao::dbOpenTable);
  for (; !from.Eof(); from.MoveNext()) {
    Row row = EarlierRow(from, spec);
    const std::string earlierKey = KeyText(row, spec.keyColumns);
    const std::string digest = RowDigest(spec.table, row);
    const bool carriedBefore = c.carried.count({spec.table, digest}) != 0;
    Fate fate = carriedBefore ? Fate::AlreadyThere : move ? move(row) : Fate::Copy;
    if (fate == Fate::Copy &&
        Found(to, "PrimaryKey", Row(row.begin(), row.begin() + static_cast<long>(spec.keyColumns))))
      fate = Fate::AlreadyThere;
    if (fate != Fate::Copy) {
      ++(fate == Fate::Incomplete ? c.incomplete : c.alreadyThere);
      Record(procedure, LeftOutText(spec, earlierKey, fate, carriedBefore), vb::kDuplicateKey);
      continue;
    }
    to.AddNew();
    for (size_t i = 0; i < row.size(); ++i)
      if (!row[i].IsNull()) to.SetField(spec.columns[i], row[i]);
    to.Update();
    const vb::Variant carriedId = move ? row[idColumn] : vb::Variant(vb::Null);
    record.AddNew();
    record.SetField("Table Name", spec.table);
    record.SetField("Row Digest", digest);
    record.SetField("Carried Id", carriedId);
    record.Update();
    c.carried.emplace(std::make_pair(std::string(spec.table), digest), carriedId);
  }
  from.Close();
  to.Close();
}

// Each table's copy procedure, in the order they run.
void CopyTables(CarryOver& c) {
  c.target.Execute(kRecordTableSql);
  c.target.Execute(kRecordIndexSql);
  dao::Recordset record = c.target.OpenRecordset(kRecordTable, dao::dbOpenTable);
  const struct {
    const char* procedure;
    const AddedTable& spec;
    size_t idColumn;
    IdMoves CarryOver::*moves;  // how that column's ids move; none for the ALT phrases
  } copies[] = {{"sCopyONPR", kOnpr, 0, &CarryOver::scaleSets},
                {"sCopyRagaAdditionalInformation", kAdditionalInformation, 3, &CarryOver::notations},
                {"sCopyRagaALTPhrases", kAltPhrases, 0, nullptr},
                {"sCopyRagaCompositionNotations", kCompositionNotations, 0, &CarryOver::notations},
                {"sCopyScaleShiftSpecs", kScaleShiftSpecs, 0, &CarryOver::scaleSets},
                {"sCopyUserPatterns", kUserPatterns, 0, &CarryOver::patterns}};
  for (const auto& copy : copies) {
    common::ProcTrace t(copy.procedure);
    Mover move;
    if (copy.moves != nullptr) move = [&c, &copy](Row& row) { return MoveId(row, copy.idColumn, c.*copy.moves); };
    AddRows(c, copy.procedure, copy.spec, copy.idColumn, move, record);
  }
  record.Close();
}

bool SameText(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

// The stored setting of the earlier installation as it is to be stored now: the
// scale set in use follows its set to the id it has in the user database.
vb::Variant CarriedSetting(const CarryOver& c, const std::string& name, const vb::Variant& value) {
  if (value.IsNull() || !SameText(name, "CurrMusicSetId")) return value;
  const auto move = c.scaleSets.find(static_cast<int32_t>(vb::Val(value.ToString())));
  if (move == c.scaleSets.end()) return value;
  return vb::Variant(vb::CStr(move->second.id));
}

// Every stored setting onto the row of the same name; a name the user database lacks
// is passed over (rows are never added), a Null value copied as Null.
void sCopyUserParameters(CarryOver& c) {
  common::ProcTrace t("sCopyUserParameters");
  dao::Recordset from = c.source.OpenRecordset("User Parameters", dao::dbOpenTable);
  dao::Recordset to = c.target.OpenRecordset("User Parameters", dao::dbOpenTable);
  for (; !from.Eof(); from.MoveNext()) {
    const std::string name = from.Fields("Parameter Name").ToString();
    common::sSetTablePKRecord(to, name);
    if (to.NoMatch()) continue;
    to.Edit();
    to.SetField("Parameter Value", CarriedSetting(c, name, from.Fields("Parameter Value")));
    to.Update();
  }
  from.Close();
  to.Close();
}

// A name beside the earlier file that no start takes for an earlier database again.
std::string AsideName(const std::string& earlierDatabase, const std::string& why) {
  const fs::path earlier(earlierDatabase);
  const std::string stem = earlier.stem().string() + "-" + why;
  fs::path aside = earlier.parent_path() / (stem + earlier.extension().string());
  for (int n = 2; fs::exists(aside); ++n)
    aside = earlier.parent_path() / (stem + "-" + std::to_string(n) + earlier.extension().string());
  return aside.string();
}

// Renames the earlier file aside; "" when that failed too (it then stays where it was).
std::string PutAside(const std::string& earlierDatabase, const std::string& why) {
  const std::string aside = AsideName(earlierDatabase, why);
  std::error_code ec;
  fs::rename(earlierDatabase, aside, ec);
  return ec ? std::string() : aside;
}

// The leftover program files of the earlier installation's upgrade.
void DeleteUpgradeLeftovers(const std::string& earlierDatabase) {
  const fs::path folder = fs::path(earlierDatabase).parent_path();
  for (const char* leftover : {"KZUpgr22.exe", "KZ22.exe"}) vb::KillIfExists((folder / leftover).string());
}

void CarryOverAll(CarryOver& c) {
  c.carried = ReadCarried(c.target);
  PlanScaleSets(c);
  PlanNotations(c);
  PlanPatterns(c);
  dao::Transaction transaction(c.target);
  CopyTables(c);
  sCopyUserParameters(c);
  transaction.Commit();
}

// A description without its closing full stop, to stand inside a sentence.
std::string Inner(std::string description) {
  while (!description.empty() && (description.back() == '.' || description.back() == ' ')) description.pop_back();
  return description;
}

// The carry-over failed and rolled back: the earlier file is kept aside and the user is
// told where, with advice that fits the cause; the message comes even when its record
// cannot be written.
void ReportFailure(const std::string& earlierDatabase, const vb::ErrObject& err) {
  const std::string aside = PutAside(earlierDatabase, "not-carried-over");
  const std::string kept = aside.empty() ? earlierDatabase : aside;
  Record("sHandleUpgrade",
         "The data of the earlier installation could not be carried over: " + Inner(err.Description) +
             ". Nothing of it was added; the earlier database is kept as '" + kept + "'.",
         err.Number);
  std::string message = "The data of your earlier installation could not be carried over (" + Inner(err.Description) +
                        "). Your user database is unchanged, and the earlier database is kept as \"" + kept + "\".";
  if (TroubleOf(err, DatabaseB.Name()) == FileTrouble::DiskFull)
    message += " The disk is full: free space on it, then rename that file to \"" +
               fs::path(earlierDatabase).filename().string() + "\" to carry it over at the next start.";
  vb::Message(message);
}

}  // namespace

void sHandleUpgrade(const std::string& earlierDatabase) {
  common::ProcTrace t("sHandleUpgrade");
  CarryOver c;
  c.target = DatabaseB;
  const int16_t depth = common::TraceDepth;  // the trace of procedures a failure unwinds
  const std::string indent = common::TraceIndent;
  try {
    c.source = dao::Database::OpenDatabase(earlierDatabase, true, true, kDatabaseConnect);
    CarryOverAll(c);
  } catch (const vb::VbError& e) {
    // The transaction has rolled back: the user database is as it was.
    c.source.Close();
    vb::Err().Clear();
    common::TraceDepth = depth;
    common::TraceIndent = indent;
    common::CurrProcName = "sHandleUpgrade";
    ReportFailure(earlierDatabase, e.err());
    return;
  }
  c.source.Close();
  if (StartUpSeams.AfterCarryOverCommit) StartUpSeams.AfterCarryOverCommit();
  if (c.alreadyThere > 0 || c.incomplete > 0) {
    // Nothing of the earlier file is lost: it is kept, renamed so no start takes it again.
    const std::string aside = PutAside(earlierDatabase, "carried-over");
    std::string summary;
    if (c.alreadyThere > 0)
      summary = std::to_string(c.alreadyThere) + " rows of the earlier installation were already in the user database; ";
    if (c.incomplete > 0)
      summary += std::to_string(c.incomplete) + " rows of the earlier installation belong to nothing and were left out; ";
    Record("sHandleUpgrade",
           summary + "the earlier database is kept as '" + (aside.empty() ? earlierDatabase : aside) + "'.",
           vb::kDuplicateKey);
  } else {
    vb::KillIfExists(earlierDatabase);
  }
  DeleteUpgradeLeftovers(earlierDatabase);
}

}  // namespace shell
