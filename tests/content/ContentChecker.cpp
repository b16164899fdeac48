#include "ContentChecker.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <map>
#include <set>
#include <string>

#include "platform/vb/Conversion.h"

namespace contentcheck {

namespace {

using Row = std::map<std::string, vb::Variant>;
using Problems = std::vector<std::string>;

// Every row of a table in stored order, by column name.
std::vector<Row> ReadTable(const dao::Database& db, const std::string& table) {
  auto rs = db.OpenRecordset("SELECT * FROM [" + table + "] ORDER BY rowid", dao::dbOpenSnapshot);
  std::vector<Row> rows;
  for (; !rs.Eof(); rs.MoveNext()) {
    Row row;
    for (int i = 0; i < rs.FieldCount(); ++i) row[rs.FieldName(i)] = rs.Fields(i);
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text) {
    if (c == separator) {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

std::string Text(const Row& row, const std::string& column) { return vb::NzString(row.at(column)); }

long Number(const Row& row, const std::string& column) {
  const vb::Variant& v = row.at(column);
  return v.IsNumber() ? static_cast<long>(v.ToDouble()) : -1;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// Raga names compare as the database compares them: without regard to case.
bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The 36 English note names over three octaves.
const std::set<std::string>& NoteNames() {
  static const std::set<std::string> names = [] {
    std::set<std::string> n;
    for (const char* base : {"S", "r", "R", "g", "G", "m", "M", "P", "d", "D", "n", "N"}) {
      n.insert(std::string(base) + "<");
      n.insert(base);
      n.insert(std::string(base) + ">");
    }
    return n;
  }();
  return names;
}

// A note word: a note, or a grace note and the note it glides into ("a'b").
bool IsNoteWord(const std::string& word) {
  const auto pieces = Split(word, '\'');
  if (pieces.empty() || pieces.size() > 2 || word.front() == '\'' || word.back() == '\'') return false;
  for (const auto& p : pieces) {
    if (!NoteNames().count(p)) return false;
  }
  return true;
}

bool IsDuration(const std::string& word) { return vb::IsNumeric(word) && vb::Val(word) > 0; }

// The note words of a text whose segments are separated by ":" (the ":" marks count
// no word). Unknown note names are reported.
std::vector<std::string> NoteWords(const std::string& text, const std::string& where, Problems& out) {
  std::vector<std::string> words;
  for (const auto& segment : Split(text, ':')) {
    for (const auto& w : Split(segment, ' ')) {
      if (!IsNoteWord(w)) out.push_back(where + ": unknown note " + Quoted(w));
      words.push_back(w);
    }
  }
  return words;
}

// Durations that must be positive numbers, one per note.
void CheckDurations(const std::string& durations, size_t notes, const std::string& where, Problems& out) {
  const auto words = Split(durations, ' ');
  for (const auto& w : words) {
    if (!IsDuration(w)) out.push_back(where + ": duration " + Quoted(w) + " is not a positive number");
  }
  if (words.size() != notes)
    out.push_back(where + ": " + std::to_string(words.size()) + " durations for " + std::to_string(notes) + " notes");
}

// A phrase with its durations, as stored in two columns of a row.
void CheckPhrase(const Row& row, const std::string& notesColumn, const std::string& durationsColumn,
                 const std::string& where, Problems& out) {
  const auto notes = NoteWords(Text(row, notesColumn), where + " " + Quoted(notesColumn), out);
  CheckDurations(Text(row, durationsColumn), notes.size(), where + " " + Quoted(durationsColumn), out);
}

void RequireColumns(const Row& row, std::initializer_list<const char*> columns, const std::string& where,
                    Problems& out) {
  for (const char* c : columns) {
    if (row.at(c).IsNull()) out.push_back(where + ": " + Quoted(c) + " is Null");
  }
}

struct Ragas {
  std::map<long, std::string> names;  // by Raga Index
  std::string Label(long index) const {
    const auto it = names.find(index);
    return "raga " + std::to_string(index) + (it != names.end() ? " (" + it->second + ")" : "");
  }
};

Ragas CheckRagaNames(const dao::Database& db, Problems& out) {
  Ragas ragas;
  for (const auto& row : ReadTable(db, "RagaNameList")) {
    const long index = Number(row, "Raga Index");
    ragas.names[index] = Text(row, "Raga");
    const long level = Number(row, "Level");
    if (Text(row, "Raga").empty()) out.push_back("RagaNameList: " + ragas.Label(index) + " has no name");
    if (level < 0 || level > 3)
      out.push_back("RagaNameList: " + ragas.Label(index) + ": \"Level\" must be 0 to 3");
  }
  return ragas;
}

void CheckTechnicalInformation(const dao::Database& db, const Ragas& ragas, Problems& out) {
  const std::string table = "Raga - Technical Information";
  std::set<long> seen;
  for (const auto& row : ReadTable(db, table)) {
    const long index = Number(row, "Raga Index");
    const std::string where = table + ": " + ragas.Label(index);
    seen.insert(index);
    if (!ragas.names.count(index)) out.push_back(where + " is not in RagaNameList");
    for (const auto& [column, value] : row) {
      if (column != "Thata" && value.IsNull()) out.push_back(where + ": " + Quoted(column) + " is Null");
    }
    CheckPhrase(row, "AarohaAlt", "AaDuration", where, out);
    CheckPhrase(row, "AvrohaAlt", "AvDuration", where, out);
    CheckPhrase(row, "Pakad", "PakadDuration", where, out);
  }
  for (const auto& [index, name] : ragas.names) {
    if (!seen.count(index)) out.push_back(table + ": " + ragas.Label(index) + " has no row");
  }
}

// Alap and layakari lists, and taan lists stored with durations (the sampler plays
// them): phrases separated by ",", one duration per note word and a "," word after each
// phrase (the one after the last phrase may be left out).
void CheckAltDurations(const Row& row, const std::string& where, Problems& out) {
  const auto phrases = Split(Text(row, "NotesPhrase"), ',');
  const auto durations = Split(Text(row, "DurationPhrase"), ' ');
  size_t d = 0;
  for (size_t p = 0; p < phrases.size(); ++p) {
    Problems ignored;  // note names are reported once, by the caller
    const size_t notes = NoteWords(phrases[p], where, ignored).size();
    const std::string phraseWhere = where + " phrase " + std::to_string(p + 1);
    for (size_t i = 0; i < notes; ++i, ++d) {
      if (d >= durations.size()) {
        out.push_back(phraseWhere + ": \"DurationPhrase\" ends before its notes do");
        return;
      }
      if (!IsDuration(durations[d]))
        out.push_back(phraseWhere + ": duration " + Quoted(durations[d]) + " where a note's duration belongs");
    }
    if (d < durations.size() && durations[d] == ",") {
      ++d;
    } else if (p + 1 < phrases.size()) {
      out.push_back(phraseWhere + (d < durations.size() ? ": \"DurationPhrase\" has no \",\" after the phrase"
                                                        : ": \"DurationPhrase\" ends before its notes do"));
      return;
    }
  }
  if (d < durations.size())
    out.push_back(where + ": \"DurationPhrase\" has " + std::to_string(durations.size() - d) + " word(s) too many");
}

// A layakari phrase lands on the pulse: the notes before its closing note fill whole
// matras (60 units of 10 ms). Phrases whose durations are out of step are reported by
// CheckAltDurations.
void CheckLayakariPulse(const Row& row, const std::string& where, Problems& out) {
  constexpr long kMatra = 60;
  const auto phrases = Split(Text(row, "NotesPhrase"), ',');
  const auto groups = Split(Text(row, "DurationPhrase"), ',');
  for (size_t p = 0; p < phrases.size() && p < groups.size(); ++p) {
    Problems ignored;
    const size_t notes = NoteWords(phrases[p], where, ignored).size();
    const auto durations = Split(groups[p], ' ');
    if (notes == 0 || durations.size() != notes) continue;
    long before = 0;
    for (size_t i = 0; i + 1 < durations.size(); ++i) before += static_cast<long>(vb::Val(durations[i]));
    if (before % kMatra != 0)
      out.push_back(where + " phrase " + std::to_string(p + 1) + ": the notes before the closing note last " +
                    std::to_string(before) + ", not whole matras of " + std::to_string(kMatra));
  }
}

void CheckAltPhrases(const dao::Database& db, const Ragas& ragas, Problems& out) {
  const std::string table = "Raga - ALT Phrases";
  std::set<long> withAlap;
  for (const auto& row : ReadTable(db, table)) {
    const long index = Number(row, "RagaIndex");
    const long type = Number(row, "PhraseType");
    const std::string where = table + ": " + ragas.Label(index) + " type " + std::to_string(type);
    if (!ragas.names.count(index)) out.push_back(where + ": the raga is not in RagaNameList");
    if (type < 1 || type > 3) out.push_back(where + ": \"PhraseType\" must be 1, 2 or 3");
    if (type == 1) withAlap.insert(index);
    const std::string notes = Text(row, "NotesPhrase");
    if (Split(notes, ',').empty()) out.push_back(where + ": \"NotesPhrase\" has no phrase");
    for (const auto& phrase : Split(notes, ',')) NoteWords(phrase, where + " \"NotesPhrase\"", out);
    const bool taanTimed = type == 3 && !Split(Text(row, "DurationPhrase"), ' ').empty();
    if (type == 1 || type == 2 || taanTimed) CheckAltDurations(row, where, out);
    if (type == 2) CheckLayakariPulse(row, where, out);
  }
  for (const auto& [index, name] : ragas.names) {
    if (!withAlap.count(index)) out.push_back(table + ": " + ragas.Label(index) + " has no alap row (type 1)");
  }
}

void CheckRagaNotes(const dao::Database& db, const Ragas& ragas, Problems& out) {
  const std::string table = "Raga - Notes";
  std::set<long> seen;
  for (const auto& row : ReadTable(db, table)) {
    const long index = Number(row, "Raga Index");
    const std::string where = table + ": " + ragas.Label(index);
    seen.insert(index);
    const auto ids = Split(Text(row, "Raga Note Ids"), ' ');
    if (ids.empty()) out.push_back(where + ": \"Raga Note Ids\" is empty");
    for (const auto& id : ids) {
      if (!vb::IsNumeric(id) || vb::Val(id) < 7 || vb::Val(id) > 31 || vb::Val(id) != static_cast<long>(vb::Val(id)))
        out.push_back(where + ": note id " + Quoted(id) + " is not a whole number from 7 to 31");
    }
  }
  for (const auto& [index, name] : ragas.names) {
    if (!seen.count(index)) out.push_back(table + ": " + ragas.Label(index) + " has no row");
  }
}

std::map<long, long> CheckTalas(const dao::Database& db, Problems& out) {
  const std::string table = "Tala - Technical Information";
  std::map<long, long> beats;  // by Tala Id
  for (const auto& row : ReadTable(db, table)) {
    const long id = Number(row, "Tala Id");
    beats[id] = Number(row, "Beat Count");
    const std::string where = table + ": tala " + std::to_string(id);
    if (Text(row, "Tala Name").empty()) out.push_back(where + " has no name");
    if (beats[id] < 1) out.push_back(where + ": \"Beat Count\" must be a positive number");
  }
  // Thekas: once the table holds rows, every beat of every tala in the theka set played (4),
  // and no row of that set off a tala's cycle or without a bol.
  const auto bols = ReadTable(db, "ThekaTypeBolsForTaal");
  if (!bols.empty()) {
    std::set<std::pair<long, long>> present;
    for (const auto& row : bols) {
      if (Number(row, "Theka Type Id") != 4) continue;
      const long tala = Number(row, "Tala Id");
      const long beat = Number(row, "Tala Bol Id");
      present.insert({tala, beat});
      const std::string where = "ThekaTypeBolsForTaal: tala " + std::to_string(tala) + " beat " + std::to_string(beat);
      const auto it = beats.find(tala);
      if (it == beats.end()) out.push_back(where + ": the tala does not exist");
      else if (beat < 1 || beat > it->second)
        out.push_back(where + " lies outside the tala's " + std::to_string(it->second) + " beats");
      if (row.at("Theka Bol Id").IsNull() || Number(row, "Theka Bol Id") < 1)
        out.push_back(where + ": \"Theka Bol Id\" must be a bol id (1 or more)");
    }
    for (const auto& [id, count] : beats) {
      for (long beat = 1; beat <= count; ++beat) {
        if (!present.count({id, beat}))
          out.push_back("ThekaTypeBolsForTaal: tala " + std::to_string(id) + " has no bol for beat " +
                        std::to_string(beat) + " in theka set 4");
      }
    }
  }
  return beats;
}

// Additional items and their notation: compositions need both parts, similar ragas and
// film songs with notation need part 1; a film song with "Notation Index" 0 is listed
// in the review only and needs nothing.
void CheckItems(const dao::Database& db, const Ragas& ragas, const std::map<long, long>& talas, Problems& out) {
  const std::string itemsTable = "Raga - Additional Information";
  const std::string notationTable = "Raga - Composition Notations";
  std::map<std::pair<long, long>, Row> parts;  // by (Notation Index, Composition Part)
  for (const auto& row : ReadTable(db, notationTable))
    parts[{Number(row, "Notation Index"), Number(row, "Composition Part")}] = row;

  for (const auto& item : ReadTable(db, itemsTable)) {
    const long index = Number(item, "Raga Index");
    const long type = Number(item, "Add Info Type");
    const long notation = Number(item, "Notation Index");
    const std::string where = itemsTable + ": " + ragas.Label(index) + " " + Quoted(Text(item, "Add Info"));
    if (!ragas.names.count(index)) out.push_back(where + ": the raga is not in RagaNameList");
    if (type < 1 || type > 3) {
      out.push_back(where + ": \"Add Info Type\" must be 1, 2 or 3");
      continue;
    }
    if (type == 3 && notation == 0) continue;
    if (notation <= 0) {
      out.push_back(where + ": \"Notation Index\" must be above 0");
      continue;
    }
    const int partsNeeded = type == 2 ? 2 : 1;
    for (long part = 1; part <= partsNeeded; ++part) {
      const auto it = parts.find({notation, part});
      const std::string partWhere = notationTable + ": " + ragas.Label(index) + " " + Quoted(Text(item, "Add Info")) +
                                    " part " + std::to_string(part);
      if (it == parts.end()) {
        out.push_back(partWhere + " (\"Notation Index\" " + std::to_string(notation) + ") is missing");
        continue;
      }
      const Row& row = it->second;
      RequireColumns(row, {"CompositionMukhada", "Notation", "NotesDuration"}, partWhere, out);
      CheckPhrase(row, "Notation", "NotesDuration", partWhere, out);
      if (type != 1) RequireColumns(row, {"CompositionText", "Playing Speed"}, partWhere, out);
      if (type == 1 && part == 1) {
        // A comparison names the other raga, which must exist and differ from this one.
        const std::string other = Text(item, "Add Info");
        bool found = false;
        for (const auto& [otherIndex, name] : ragas.names) found = found || (otherIndex != index && SameName(name, other));
        if (!found) out.push_back(where + ": the similar raga is not another raga of RagaNameList");
      }
      if (type == 1) {
        // A comparison holds the current raga's phrase in the syllable columns.
        RequireColumns(row, {"Syllables", "SyllableDuration"}, partWhere, out);
        CheckPhrase(row, "Syllables", "SyllableDuration", partWhere, out);
      }
      if (type == 2) {
        RequireColumns(row, {"Syllables", "SyllableDuration", "Tala Id", "Starting Beat"}, partWhere, out);
        size_t syllables = 0;
        for (const auto& s : Split(Text(row, "Syllables"), ' ')) syllables += s != "_";
        CheckDurations(Text(row, "SyllableDuration"), syllables, partWhere + " \"SyllableDuration\" (syllables)", out);
        const auto tala = talas.find(Number(row, "Tala Id"));
        if (tala == talas.end()) {
          out.push_back(partWhere + ": \"Tala Id\" " + std::to_string(Number(row, "Tala Id")) + " is not a tala");
        } else if (Number(row, "Starting Beat") < 1 || Number(row, "Starting Beat") > tala->second) {
          out.push_back(partWhere + ": \"Starting Beat\" must be 1 to " + std::to_string(tala->second));
        } else {
          // The composition player's grid holds whole cycles of the tala.
          double matras = 0;
          for (const auto& d : Split(Text(row, "NotesDuration"), ' ')) matras += vb::Val(d);
          const double cycles = matras / static_cast<double>(tala->second);
          if (tala->second > 0 && std::fabs(cycles - std::round(cycles)) > 1e-9)
            out.push_back(partWhere + ": " + vb::FormatGeneral(matras) + " matras do not fill whole cycles of " +
                          std::to_string(tala->second) + " beats");
        }
      }
      if (type != 1 && Number(row, "Playing Speed") <= 0 && !row.at("Playing Speed").IsNull())
        out.push_back(partWhere + ": \"Playing Speed\" must be a positive number");
    }
  }
}

void CheckThatas(const dao::Database& db, Problems& out) {
  const auto rows = ReadTable(db, "ThataScales");
  if (rows.size() != 10) out.push_back("ThataScales: " + std::to_string(rows.size()) + " thatas, 10 expected");
  for (const auto& row : rows) {
    const std::string where = "ThataScales: " + Quoted(Text(row, "ThataName"));
    // The workbench lays its patterns from "S" up to "S>" over the scale: 7 notes and the upper "S".
    const auto notes = NoteWords(Text(row, "ThataScale"), where, out);
    if (notes.size() != 8 || notes.front() != "S" || notes.back() != "S>")
      out.push_back(where + ": a scale of 7 notes from \"S\" and then \"S>\" expected");
  }
}

void CheckIllustrationLines(const dao::Database& db, Problems& out) {
  static const std::array<const char*, 5> keywords = {"Aroha", "Pakad", "Alap", "Layakari", "Taan"};
  std::map<long, std::string> lines;
  for (const auto& row : ReadTable(db, "IllustrationsList")) lines[Number(row, "IllustrationId")] = Text(row, "IllustrationName");
  for (long key = 1; key <= 8; ++key) {
    const std::string where = "IllustrationsList: line " + std::to_string(key);
    const auto it = lines.find(key);
    if (it == lines.end()) {
      out.push_back(where + " is missing");
      continue;
    }
    const auto words = Split(it->second, ' ');
    const std::string first = words.empty() ? "" : words.front();
    if (key <= 5 && first != keywords[static_cast<size_t>(key - 1)])
      out.push_back(where + " must begin with " + Quoted(keywords[static_cast<size_t>(key - 1)]));
    if (key >= 3 && key <= 5 && it->second.back() != ' ')
      out.push_back(where + " must end with a blank (the phrase count follows it)");
    if (key >= 6 && (first == "Composition" || first == "Similar" || first == "Film"))
      out.push_back(where + " is a heading and must not begin with " + Quoted(first));
  }
}

void CheckTips(const dao::Database& db, Problems& out) {
  const auto rows = ReadTable(db, "KZTips");
  if (rows.empty()) out.push_back("KZTips: no tips");
  std::set<long> numbers;
  for (const auto& row : rows) {
    numbers.insert(Number(row, "TipNumber"));
    if (Text(row, "Tip").empty()) out.push_back("KZTips: tip " + std::to_string(Number(row, "TipNumber")) + " is empty");
  }
  for (long n = 1; n <= static_cast<long>(rows.size()); ++n) {
    if (!numbers.count(n)) out.push_back("KZTips: tip " + std::to_string(n) + " is missing (tips are numbered 1 to their count)");
  }
}

void CheckReedColours(const dao::Database& db, Problems& out) {
  // reed mod 12: 0 black, 1 white, 2 black, 3 white, 4 white, 5 black, ... (reed 11 = C)
  static const std::array<long, 12> colour = {2, 1, 2, 1, 1, 2, 1, 2, 1, 2, 1, 1};
  std::map<long, long> reeds;
  for (const auto& row : ReadTable(db, "Reed Colors")) reeds[Number(row, "Reed Number")] = Number(row, "Color Code");
  for (long reed = 1; reed <= 40; ++reed) {
    const auto it = reeds.find(reed);
    if (it == reeds.end()) out.push_back("Reed Colors: reed " + std::to_string(reed) + " is missing");
    else if (it->second != colour[static_cast<size_t>(reed % 12)])
      out.push_back("Reed Colors: reed " + std::to_string(reed) + " has the wrong colour code");
  }
  if (reeds.size() > 40) out.push_back("Reed Colors: reeds beyond 1 to 40");
}

// Generated tables, once present: note seeds of both instruments for notes 0 to 41, no
// more samples than a seed's length allows, and the 24 rows of the built-in scale sets.
void CheckGeneratedTables(const dao::Database& db, Problems& out) {
  const auto specs = ReadTable(db, "Note Specifications");
  if (!specs.empty()) {
    std::map<std::pair<std::string, long>, long> spc;
    for (const auto& row : specs) spc[{Text(row, "Instr Name"), Number(row, "Note Id")}] = Number(row, "SamPerCyc");
    for (const char* instrument : {"c", "e"}) {
      for (long id = 0; id <= 41; ++id) {
        const auto it = spc.find({instrument, id});
        if (it == spc.end() || it->second < 1)
          out.push_back("Note Specifications: instrument " + Quoted(instrument) + " note " + std::to_string(id) +
                        " has no seed length");
      }
    }
    for (const auto& [key, length] : spc) {
      if (key.second < 0 || key.second > 41)
        out.push_back("Note Specifications: note id " + std::to_string(key.second) + " is outside 0 to 41");
    }
    std::map<std::pair<std::string, long>, long> samples;
    for (const auto& row : ReadTable(db, "Sample Values")) ++samples[{Text(row, "Instr Name"), Number(row, "Note Id")}];
    for (const auto& [key, count] : samples) {
      const auto it = spc.find(key);
      if (it != spc.end() && count > it->second + 1)
        out.push_back("Sample Values: instrument " + Quoted(key.first) + " note " + std::to_string(key.second) + " has " +
                      std::to_string(count) + " samples, at most " + std::to_string(it->second + 1) + " fit");
    }
  }
  for (const char* table : {"ONPR", "ONPRSets"}) {
    const auto rows = ReadTable(db, table);
    if (rows.empty()) continue;
    const std::string key = std::string(table) == "ONPR" ? "NPSetId" : "TonicNoteId";
    std::set<std::pair<long, long>> present;
    for (const auto& row : rows) {
      present.insert({Number(row, key), Number(row, "InstrumentType")});
      if (std::string(table) == "ONPR" && Number(row, "TonicNoteId") != Number(row, "NPSetId"))
        out.push_back("ONPR: set " + std::to_string(Number(row, "NPSetId")) + " must have \"TonicNoteId\" equal to its id");
    }
    for (long set = 1; set <= 12; ++set) {
      for (long type = 1; type <= 2; ++type) {
        if (!present.count({set, type}))
          out.push_back(std::string(table) + ": row " + std::to_string(set) + ", instrument type " +
                        std::to_string(type) + " is missing");
      }
    }
  }
}

// Form layout rows, once present: every form's controls numbered 0 to its count - 1.
void CheckFormLayout(const dao::Database& db, Problems& out) {
  const auto forms = ReadTable(db, "KZForms");
  if (forms.empty()) return;
  std::set<std::pair<long, long>> controls;
  for (const auto& row : ReadTable(db, "KZFormControls")) controls.insert({Number(row, "Form Id"), Number(row, "Control Number")});
  for (const auto& form : forms) {
    for (long c = 0; c < Number(form, "TotalControlCount"); ++c) {
      if (!controls.count({Number(form, "Form Id"), c}))
        out.push_back("KZFormControls: form " + Quoted(Text(form, "Form Name")) + " has no row for control " +
                      std::to_string(c));
    }
  }
}
// The position of a note name within its octave (S 0 ... N 11), or -1.
int PitchClass(const std::string& name) {
  static const std::string order[] = {"S", "r", "R", "g", "G", "m", "M", "P", "d", "D", "n", "N"};
  std::string base = name;
  if (!base.empty() && (base.back() == '<' || base.back() == '>')) base.pop_back();
  for (int i = 0; i < 12; ++i) {
    if (order[i] == base) return i;
  }
  return -1;
}

// Every note of a raga's scale, pakad and phrases (grace notes included), and its vadi and
// samvadi, must be among the raga's notes ("Raga Note Ids", read octave-free).
void CheckNotesWithinRagas(const dao::Database& db, const Ragas& ragas, Problems& out) {
  std::map<long, std::set<int>> allowed;
  for (const auto& row : ReadTable(db, "Raga - Notes")) {
    auto& set = allowed[Number(row, "Raga Index")];
    for (const auto& id : Split(Text(row, "Raga Note Ids"), ' ')) {
      if (vb::IsNumeric(id)) set.insert(static_cast<int>(vb::Val(id)) % 12);
    }
  }
  auto check = [&](long index, const std::string& text, const std::string& where) {
    const auto it = allowed.find(index);
    if (it == allowed.end()) return;
    std::set<std::string> reported;
    for (const auto& phrase : Split(text, ',')) {
      for (const auto& segment : Split(phrase, ':')) {
        for (const auto& word : Split(segment, ' ')) {
          for (const auto& note : Split(word, '\'')) {
            const int pc = PitchClass(note);
            if (pc >= 0 && !it->second.count(pc) && reported.insert(note).second)
              out.push_back(where + ": note " + Quoted(note) + " is not among the raga's notes");
          }
        }
      }
    }
  };
  for (const auto& row : ReadTable(db, "Raga - Technical Information")) {
    const long index = Number(row, "Raga Index");
    const std::string where = "Raga - Technical Information: " + ragas.Label(index);
    for (const char* column : {"AarohaAlt", "AvrohaAlt", "Pakad", "Vadi", "Samvadi"})
      check(index, Text(row, column), where + " " + Quoted(column));
  }
  for (const auto& row : ReadTable(db, "Raga - ALT Phrases")) {
    const long index = Number(row, "RagaIndex");
    check(index, Text(row, "NotesPhrase"),
          "Raga - ALT Phrases: " + ragas.Label(index) + " type " + std::to_string(Number(row, "PhraseType")));
  }
}


// The notes a phrase sounds, grace notes left out and ":" marks dropped: two phrases with
// the same sounding notes are heard as the same phrase.
std::vector<std::string> SoundingNotes(const std::string& phrase) {
  std::vector<std::string> notes;
  for (const auto& segment : Split(phrase, ':')) {
    for (const auto& word : Split(segment, ' ')) {
      const auto pieces = Split(word, '\'');
      notes.push_back(pieces.empty() ? word : pieces.back());
    }
  }
  return notes;
}

// Two ragas a learner is asked to tell apart (a similar-raga item) never share a phrase
// note for note: pakad, alap, layakari and taan phrases of one against those of the other,
// and the two phrases of the comparison itself.
void CheckPairsTellApart(const dao::Database& db, const Ragas& ragas, Problems& out) {
  struct Phrase {
    std::string table;
    std::string what;  // the raga and which of its phrases
    std::vector<std::string> notes;
  };
  std::map<long, std::vector<Phrase>> phrases;
  for (const auto& row : ReadTable(db, "Raga - Technical Information")) {
    const long index = Number(row, "Raga Index");
    phrases[index].push_back(
        {"Raga - Technical Information", ragas.Label(index) + " \"Pakad\"", SoundingNotes(Text(row, "Pakad"))});
  }
  for (const auto& row : ReadTable(db, "Raga - ALT Phrases")) {
    const long index = Number(row, "RagaIndex");
    const auto texts = Split(Text(row, "NotesPhrase"), ',');
    for (size_t p = 0; p < texts.size(); ++p)
      phrases[index].push_back({"Raga - ALT Phrases",
                                ragas.Label(index) + " type " + std::to_string(Number(row, "PhraseType")) +
                                    " phrase " + std::to_string(p + 1),
                                SoundingNotes(texts[p])});
  }
  auto indexOf = [&](const std::string& name) -> long {
    for (const auto& [index, other] : ragas.names) {
      if (SameName(other, name)) return index;
    }
    return -1;
  };
  std::map<long, Row> comparisons;  // part 1 rows by Notation Index
  for (const auto& row : ReadTable(db, "Raga - Composition Notations")) {
    if (Number(row, "Composition Part") == 1) comparisons[Number(row, "Notation Index")] = row;
  }
  std::set<std::pair<long, long>> compared;
  for (const auto& item : ReadTable(db, "Raga - Additional Information")) {
    if (Number(item, "Add Info Type") != 1) continue;
    const long index = Number(item, "Raga Index");
    const long other = indexOf(Text(item, "Add Info"));
    const auto row = comparisons.find(Number(item, "Notation Index"));
    if (row != comparisons.end() &&
        SoundingNotes(Text(row->second, "Syllables")) == SoundingNotes(Text(row->second, "Notation")))
      out.push_back("Raga - Composition Notations: " + ragas.Label(index) + " " + Quoted(Text(item, "Add Info")) +
                    " part 1: both ragas' phrases are the same notes");
    if (other < 0 || other == index || !compared.insert({std::min(index, other), std::max(index, other)}).second)
      continue;
    for (const auto& mine : phrases[index]) {
      for (const auto& theirs : phrases[other]) {
        if (!mine.notes.empty() && mine.notes == theirs.notes)
          out.push_back(mine.table + ": " + mine.what + " is note for note " + theirs.what +
                        ", a raga it is compared with");
      }
    }
  }
}

}  // namespace

std::vector<std::string> CheckContent(const dao::Database& db) {
  Problems out;
  const Ragas ragas = CheckRagaNames(db, out);
  CheckTechnicalInformation(db, ragas, out);
  CheckAltPhrases(db, ragas, out);
  CheckRagaNotes(db, ragas, out);
  CheckNotesWithinRagas(db, ragas, out);
  const auto talas = CheckTalas(db, out);
  CheckItems(db, ragas, talas, out);
  CheckPairsTellApart(db, ragas, out);
  CheckThatas(db, out);
  CheckIllustrationLines(db, out);
  CheckTips(db, out);
  CheckReedColours(db, out);
  CheckGeneratedTables(db, out);
  CheckFormLayout(db, out);
  // Prompts come with the screens that show them; their numbers are checked once every
  // screen is in.
  return out;
}

}  // namespace contentcheck
