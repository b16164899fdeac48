#include "shell/Upgrade.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
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
#include "platform/dao/Recordset.h"
#include "platform/dao/Transaction.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/DateTime.h"
#include "platform/vb/Error.h"
#include "platform/vb/Files.h"
#include "platform/vb/Interaction.h"
#include "shell/ShellState.h"
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

// Where the rows of one user id of the earlier database go: under id (the same or a
// free one), or nowhere, because the user database already holds that scale set,
// composition or pattern (id is then its id there, when known).
struct IdMove {
  int32_t id = 0;
  bool copy = true;
};
using IdMoves = std::map<int32_t, IdMove>;

// One carry-over: the two databases and where each user id goes.
struct CarryOver {
  dao::Database source;
  dao::Database target;
  IdMoves scaleSets;
  IdMoves notations;
  IdMoves patterns;
  int skipped = 0;  // rows left out because the user database holds them already
};

using Row = std::vector<vb::Variant>;
// Rewrites a row's user id; false leaves the row out.
using Mover = std::function<bool(Row&)>;

std::string IgnorableFile() { return vb::JoinPath(DataFolder, "ignoerr.txt"); }

// A record in "ignoerr.txt", laid out as those of the errors passed over.
void Record(const char* procedure, const std::string& description, int32_t number) {
  ++common::IgnorableErrorCount;
  vb::AppendLines(IgnorableFile(), {"", "Ignorable Error No. " + std::to_string(common::IgnorableErrorCount),
                                    vb::DateLineNow(), std::string("Called form '") + procedure + "'", description,
                                    vb::PrintNumber(number), vb::kDefaultSource, vb::PrintNumber(0)});
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
  if (alreadyThere) return {*alreadyThere, false};
  if (taken) return {free.Next(), true};
  return {id, true};
}

// The id of the row found, when a seek finds one.
std::optional<int32_t> IdFound(dao::Recordset& rs, const std::string& index, const vb::Variant& key,
                               const char* idColumn) {
  if (key.IsNull() || !Found(rs, index, {key})) return std::nullopt;
  return rs.Fields(idColumn).ToLong();
}

// Moves the user's scale sets: a set whose name the user database has is already
// there; one whose id is taken gets a free id.
void PlanScaleSets(CarryOver& c) {
  std::map<int32_t, vb::Variant> names;  // by the earlier id
  ForEachRow(c.source, "Scale Shift Specs",
             [&](dao::Recordset& rs) { names.emplace(rs.Fields("NPSetId").ToLong(), rs.Fields("NPSetName")); });
  ForEachRow(c.source, "ONPR",
             [&](dao::Recordset& rs) { names.emplace(rs.Fields("NPSetId").ToLong(), rs.Fields("NPSetName")); });
  int32_t largest = std::max({kFirstUserSetId - 1, LargestId(c.target, "Scale Shift Specs", "NPSetId"),
                              LargestId(c.target, "ONPR", "NPSetId")});
  if (!names.empty()) largest = std::max(largest, names.rbegin()->first);
  FreeIds free(largest, kLargestSetId, "scale-set id");

  dao::Recordset specs = c.target.OpenRecordset("Scale Shift Specs", dao::dbOpenTable);
  dao::Recordset onpr = c.target.OpenRecordset("ONPR", dao::dbOpenTable);
  for (const auto& [id, name] : names) {
    const std::optional<int32_t> there = IdFound(specs, "Set Name", name, "NPSetId");
    c.scaleSets[id] =
        Place(id, there, there || Found(specs, "PrimaryKey", {id}) || Found(onpr, "PrimaryKey", {id}), free);
  }
  specs.Close();
  onpr.Close();
}

// Moves the user's compositions (a notation and the items that refer to it): one whose
// every item the user database has is already there; one whose notation index is
// taken gets a free one.
void PlanNotations(CarryOver& c) {
  std::set<int32_t> ids;
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
  ForEachRow(c.source, "Raga - Composition Notations",
             [&](dao::Recordset& rs) { ids.insert(rs.Fields("Notation Index").ToLong()); });
  int32_t largest = std::max(LargestId(c.target, "Raga - Composition Notations", "Notation Index"),
                             LargestId(c.target, "Raga - Additional Information", "Notation Index"));
  if (!ids.empty()) largest = std::max(largest, *ids.rbegin());
  FreeIds free(largest, kLargestId, "notation index");

  dao::Recordset notations = c.target.OpenRecordset("Raga - Composition Notations", dao::dbOpenTable);
  for (int32_t id : ids) {
    const auto items = allItemsThere.find(id);
    const std::optional<int32_t> there =
        items != allItemsThere.end() && items->second ? std::optional<int32_t>(id) : std::nullopt;
    c.notations[id] = Place(
        id, there, there || Found(notations, "PrimaryKey", {id}) || Found(targetItems, "CompositionId", {id}), free);
  }
  notations.Close();
  targetItems.Close();
}

// Moves the user's patterns: one whose name the user database has is already there;
// one whose id is taken gets a free id.
void PlanPatterns(CarryOver& c) {
  std::vector<std::pair<int32_t, vb::Variant>> patterns;
  ForEachRow(c.source, "User Patterns", [&](dao::Recordset& rs) {
    patterns.emplace_back(rs.Fields("PatternId").ToLong(), rs.Fields("PatternName"));
  });
  int32_t largest = LargestId(c.target, "User Patterns", "PatternId");
  for (const auto& p : patterns) largest = std::max(largest, p.first);
  FreeIds free(largest, kLargestId, "pattern id");

  dao::Recordset target = c.target.OpenRecordset("User Patterns", dao::dbOpenTable);
  for (const auto& [id, name] : patterns) {
    const std::optional<int32_t> there = IdFound(target, "PatternByName", name, "PatternId");
    c.patterns[id] = Place(id, there, there || Found(target, "PrimaryKey", {id}), free);
  }
  target.Close();
}

// Rewrites the id in column of a row by moves; false when its rows stay out.
bool MoveId(Row& row, size_t column, const IdMoves& moves) {
  if (row[column].IsNull()) return true;
  const auto move = moves.find(row[column].ToLong());
  if (move == moves.end()) return true;
  if (!move->second.copy) return false;
  row[column] = vb::Variant(move->second.id);
  return true;
}

// Adds the rows of one table, in the earlier table's own order. A column that is Null
// there is not assigned. A row left out by move, or whose key the user database
// already holds, is recorded and counted.
void AddRows(CarryOver& c, const char* procedure, const AddedTable& spec, const Mover& move) {
  dao::Recordset from = c.source.OpenRecordset(spec.table, dao::dbOpenTable);
  dao::Recordset to = c.target.OpenRecordset(spec.table, dao::dbOpenTable);
  for (; !from.Eof(); from.MoveNext()) {
    Row row;
    for (const std::string& column : spec.columns) row.push_back(from.Fields(column));
    const std::string earlierKey = KeyText(row, spec.keyColumns);
    const bool moved = !move || move(row);
    if (!moved || Found(to, "PrimaryKey", Row(row.begin(), row.begin() + static_cast<long>(spec.keyColumns)))) {
      ++c.skipped;
      Record(procedure,
             std::string("The row ") + earlierKey + " of '" + spec.table +
                 "' of the earlier installation is already in the user database; it was not carried over.",
             vb::kDuplicateKey);
      continue;
    }
    to.AddNew();
    for (size_t i = 0; i < row.size(); ++i)
      if (!row[i].IsNull()) to.SetField(spec.columns[i], row[i]);
    to.Update();
  }
  from.Close();
  to.Close();
}

// Each table's copy procedure, in the order they run.
void CopyTables(CarryOver& c) {
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
    AddRows(c, copy.procedure, copy.spec, move);
  }
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
  PlanScaleSets(c);
  PlanNotations(c);
  PlanPatterns(c);
  dao::Transaction transaction(c.target);
  CopyTables(c);
  sCopyUserParameters(c);
  transaction.Commit();
}

void ReportFailure(const std::string& earlierDatabase, const vb::ErrObject& err) {
  const std::string aside = PutAside(earlierDatabase, "not-carried-over");
  const std::string kept = aside.empty() ? earlierDatabase : aside;
  Record("sHandleUpgrade",
         "The data of the earlier installation could not be carried over: " + err.Description +
             ". Nothing of it was added; the earlier database is kept as '" + kept + "'.",
         err.Number);
  vb::Message("The data of your earlier installation could not be carried over (" + err.Description +
              "). Your user database is unchanged, and the earlier database is kept as \"" + kept + "\".");
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
  if (c.skipped > 0) {
    const std::string aside = PutAside(earlierDatabase, "carried-over");
    Record(
        "sHandleUpgrade",
        std::to_string(c.skipped) +
            " rows of the earlier installation were already in the user database; the earlier database is kept as '" +
            (aside.empty() ? earlierDatabase : aside) + "'.",
        vb::kDuplicateKey);
  } else {
    vb::KillIfExists(earlierDatabase);
  }
  DeleteUpgradeLeftovers(earlierDatabase);
}

}  // namespace shell
