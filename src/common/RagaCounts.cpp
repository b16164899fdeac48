#include "common/RagaCounts.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Queries.h"
#include "common/StringUtil.h"
#include "common/Trace.h"
#include "common/UserRows.h"
#include "platform/vb/Conversion.h"
#include "shell/ShellState.h"

namespace common {

namespace {

constexpr const char* kAltPhrases = "Raga - ALT Phrases";
constexpr const char* kAdditionalInfo = "Raga - Additional Information";

// The row of the raga's phrase list of that type, sought in the database of the code.
dao::Recordset SeekPhraseRow(int16_t ragaIndex, int16_t database, int16_t phraseType) {
  auto rs = fDatabaseForCode(database).OpenRecordset(kAltPhrases, dao::dbOpenTable);
  sSetTablePKRecord2(rs, ragaIndex, phraseType);
  return rs;
}

int16_t CountPhrases(int16_t ragaIndex, int16_t database, int16_t phraseType) {
  auto rs = SeekPhraseRow(ragaIndex, database, phraseType);
  if (rs.NoMatch()) return 0;
  return vb::CInt(fParseString(vb::NzString(rs.Fields("NotesPhrase")), ","));
}

int16_t HasPhrases(int16_t ragaIndex, int16_t database, int16_t phraseType) {
  return SeekPhraseRow(ragaIndex, database, phraseType).NoMatch() ? 0 : -1;
}

int16_t HasAddInfo(int16_t ragaIndex, int16_t database, int16_t addInfoType) {
  auto rs = fDatabaseForCode(database).OpenRecordset(kAdditionalInfo, dao::dbOpenTable);
  sSetTableIndexRecord2(rs, "AddInfoType", ragaIndex, addInfoType);
  return rs.NoMatch() ? 0 : -1;
}

// The highest "Notation Index" of a table of the database; 0 when it has none. A
// damaged value (not a whole number, or one no composition can take) is passed over:
// no new number can equal it.
int32_t HighestNotationIndex(const dao::Database& db, const std::string& table) {
  auto rs = db.OpenRecordset(table, dao::dbOpenTable);
  double highest = 0;
  for (double number = 0; !rs.Eof(); rs.MoveNext())
    if (fStoredNumber(rs.Fields("Notation Index"), 1, std::numeric_limits<int32_t>::max() - 1, true, number))
      highest = std::max(highest, number);
  rs.Close();
  return static_cast<int32_t>(highest);
}

// The durations of one part of the composition: their sum, and the sum plus the part's
// "Starting Beat" - 1. Both 0 when the part is missing.
struct PartLength {
  float durations = 0;
  float total = 0;
};

PartLength LengthOfPart(dao::Recordset& rs, int16_t part) {
  sSetTablePKRecord2(rs, CurrNotationIndex, part);
  PartLength length;
  if (rs.NoMatch()) return length;
  const std::string durations = vb::NzString(rs.Fields("NotesDuration"));
  std::vector<int32_t> starts, lengths;
  const int32_t n = fParseString1(durations, " ", starts, lengths);
  for (int32_t i = 1; i <= n; ++i) length.durations += static_cast<float>(vb::Val(fGetWord1(durations, i, starts, lengths)));
  length.total = length.durations + static_cast<float>(rs.Fields("Starting Beat").ToInt()) - 1.0f;
  return length;
}

}  // namespace

int16_t fAlapCount(int16_t ragaIndex, int16_t database) {
  ProcTrace t("fAlapCount");
  return CountPhrases(ragaIndex, database, 1);
}

int16_t fLayakariCount(int16_t ragaIndex, int16_t database) {
  ProcTrace t("fLayakariCount");
  return CountPhrases(ragaIndex, database, 2);
}

int16_t fTaanCount(int16_t ragaIndex, int16_t database) {
  ProcTrace t("fTaanCount");
  return CountPhrases(ragaIndex, database, 3);
}

int16_t fHasAlap(int16_t ragaIndex, const vb::Variant& database) {
  ProcTrace t("fHasAlap");
  return HasPhrases(ragaIndex, database.ToInt(), 1);
}

int16_t fHasLayakari(int16_t ragaIndex, int16_t database) {
  ProcTrace t("fHasLayakari");
  return HasPhrases(ragaIndex, database, 2);
}

int16_t fHasTaan(int16_t ragaIndex, const vb::Variant& database) {
  ProcTrace t("fHasTaan");
  return HasPhrases(ragaIndex, database.ToInt(), 3);
}

int16_t fHasSimilarRagas(int16_t ragaIndex, int16_t database) {
  ProcTrace t("fHasSimilarRagas");
  return HasAddInfo(ragaIndex, database, 1);
}

int16_t fHasCompositions(int16_t ragaIndex, int16_t database) {
  ProcTrace t("fHasCompositions");
  return HasAddInfo(ragaIndex, database, 2);
}

int16_t fHasFilmSongs(int16_t ragaIndex, const vb::Variant& database) {
  ProcTrace t("fHasFilmSongs");
  return HasAddInfo(ragaIndex, database.ToInt(), 3);
}

int16_t fAddInfoCount(int16_t addInfoType) {
  ProcTrace t("fAddInfoCount");
  sPatchSQLStr5(addInfoType);
  auto rs = shell::DatabaseA.OpenRecordset(SQLStr5, dao::dbOpenSnapshot);
  int32_t count = rs.RecordCount();
  if (count != 0) {
    rs.MoveLast();
    count = rs.RecordCount();
  }
  return vb::CInt(count);
}

int32_t fGetNextUserCompositionIndex() {
  ProcTrace t("fGetNextUserCompositionIndex");
  const int32_t highest = std::max(HighestNotationIndex(shell::DatabaseB, kAdditionalInfo),
                                   HighestNotationIndex(shell::DatabaseB, "Raga - Composition Notations"));
  return highest + 1;
}

int16_t fGetMatraCountForComposition() {
  ProcTrace t("fGetMatraCountForComposition");
  auto rs = fSetDatabase().OpenRecordset("Raga - Composition Notations", dao::dbOpenTable);
  const PartLength asthai = LengthOfPart(rs, 1);
  const PartLength antara = LengthOfPart(rs, 2);
  AsthaiStartBeat = vb::CInt(asthai.durations);
  AntaraStartBeat = vb::CInt(antara.durations);
  const float longer = antara.total > asthai.total ? antara.total : asthai.total;
  return vb::CInt(std::floor(longer));
}

}  // namespace common
