#include "common/RagaTables.h"

#include <vector>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/NotationWords.h"
#include "common/StringUtil.h"
#include "common/Trace.h"
#include "common/UserRows.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Error.h"
#include "platform/vb/Interaction.h"
#include "shell/ShellState.h"
#include "sound/NoteSeeds.h"
#include "sound/SoundState.h"

namespace common {

namespace {

using notation::Words;

constexpr const char* kTechnicalInfo = "Raga - Technical Information";
constexpr const char* kAltPhrases = "Raga - ALT Phrases";
constexpr const char* kAdditionalInfo = "Raga - Additional Information";
constexpr const char* kCompositionNotations = "Raga - Composition Notations";
constexpr int16_t kTaan = 3;
constexpr int16_t kSimilarRaga = 7;
constexpr int16_t kComposition = 8;

int32_t CountWords(const std::string& text) {
  std::vector<int32_t> starts, lengths;
  return fParseString1(text, " ", starts, lengths);
}

// Duration words from + 1 to from + count joined by single blanks. The notes need them
// all: a list that ends before is error 9.
std::string DurationsOf(const std::vector<std::string>& durations, int32_t from, int32_t count) {
  if (from + count > static_cast<int32_t>(durations.size())) {
    vb::Raise(vb::kSubscript, "Subscript out of range: the duration list has fewer values than the notes need");
  }
  std::string joined;
  for (int32_t k = from; k < from + count; ++k) {
    if (k > from) joined += ' ';
    joined += durations[static_cast<size_t>(k)];
  }
  return joined;
}

dao::Database DatabaseOf(int16_t database) { return database == 1 ? shell::DatabaseA : shell::DatabaseB; }

// Copies the part row of the item in hand into record; the row's own "Raga Index" is
// not taken, the part belongs to the current raga.
void CopyPart(const dao::Recordset& rs, CompDataRec& record, int32_t notationIndex, int16_t part) {
  const int16_t itemType = sound::CurrMusicItemType;
  record.NotationIndex = notationIndex;
  record.CompositionPart = part;
  record.RagaIndex = CurrRagaIndex;
  record.CompositionMukhada = vb::NzString(rs.Fields("CompositionMukhada"));
  record.Notation = vb::NzString(rs.Fields("Notation"));
  record.NotesDuration = vb::NzString(rs.Fields("NotesDuration"));
  // A comparison timed in matras has its speed too (0 when the row has none).
  record.PlayingSpeed = vb::CInt(vb::NzDouble(rs.Fields("Playing Speed")));
  if (itemType != kSimilarRaga) record.CompositionText = vb::NzString(rs.Fields("CompositionText"));
  if (itemType == kComposition) {
    record.Syllables = vb::NzString(rs.Fields("Syllables"));
    record.SyllableDuration = vb::NzString(rs.Fields("SyllableDuration"));
    record.TalaId = vb::CInt(vb::NzDouble(rs.Fields("Tala Id")));
    record.StartingBeat = vb::NzDouble(rs.Fields("Starting Beat"));
  }
}

}  // namespace

void sSetupForCurrRaga() {
  ProcTrace t("sSetupForCurrRaga");
  sDBToTBaseInfo();
  sDBToTALTInfo();
  const int32_t droneType = TBaseInfo.DroneType;
  if (droneType == sound::CurrDroneType) return;
  // The reload builds the drone for CurrDroneType, so the new type is set before it
  // and taken back when the reload fails.
  const int32_t previous = sound::CurrDroneType;
  sound::CurrDroneType = droneType;
  if (sound::fCreateNoteSeedsForUse() == 0) {
    sound::CurrDroneType = previous;
    vb::Message("Error in setting up for current Raga");
  }
}

void sDBToTBaseInfo() {
  ProcTrace t("sDBToTBaseInfo");
  sLoadRagaScalePakadInfo();
}

void sLoadRagaScalePakadInfo() {
  ProcTrace t("sLoadRagaScalePakadInfo");
  TBaseInfo = BaseInfoRec{};
  auto rs = shell::DatabaseA.OpenRecordset(kTechnicalInfo, dao::dbOpenTable);
  sSetTablePKRecord(rs, CurrRagaIndex);
  BaseInfoRec info;
  info.RagaIndex = rs.Fields("Raga Index").ToInt();
  info.Thata = vb::NzString(rs.Fields("Thata"));
  info.Jati = rs.Fields("Jati").ToString();
  info.Vadi = rs.Fields("Vadi").ToString();
  info.Samvadi = rs.Fields("Samvadi").ToString();
  info.AppropriateTime = rs.Fields("Appropriate time").ToString();
  info.DroneType = rs.Fields("DroneType").ToLong();
  info.OPRSetId = rs.Fields("OPRSetId").ToInt();
  info.Notes = rs.Fields("Notes").ToString();
  PhraseSegmentsRec& scale = info.ScalePart;
  scale.PhraseCount = 1;
  scale.SegmentCount = 2;
  scale.PhraseFirstSegment = {1};
  scale.PhraseSegmentCount = {2};
  scale.SegmentNotes = {rs.Fields("AarohaAlt").ToString(), rs.Fields("AvrohaAlt").ToString()};
  scale.SegmentDurations = {rs.Fields("AaDuration").ToString(), rs.Fields("AvDuration").ToString()};
  info.PakadPart = fSplitPakad(rs.Fields("Pakad").ToString(), rs.Fields("PakadDuration").ToString());
  rs.Close();
  TBaseInfo = std::move(info);
}

PhraseSegmentsRec fSplitPakad(const std::string& pakad, const std::string& pakadDurations) {
  ProcTrace t("fSplitPakad");
  const std::vector<std::string> durations = Words(pakadDurations, " ");
  const std::vector<std::string> segments = Words(pakad, ":");
  PhraseSegmentsRec part;
  part.PhraseCount = 1;
  part.SegmentCount = vb::CInt(static_cast<double>(segments.size()));
  part.PhraseFirstSegment = {1};
  part.PhraseSegmentCount = {part.SegmentCount};
  int32_t d = 0;
  for (const std::string& segment : segments) {
    const int32_t w = CountWords(segment);
    part.SegmentNotes.push_back(segment);
    part.SegmentDurations.push_back(DurationsOf(durations, d, w));
    d += w;
  }
  return part;
}

void sDBToTALTInfo() {
  ProcTrace t("sDBToTALTInfo");
  for (int16_t database = 1; database <= 2; ++database) {
    auto& records = database == 1 ? TALTInfo1 : TALTInfo2;
    auto rs = DatabaseOf(database).OpenRecordset(kAltPhrases, dao::dbOpenTable);
    for (int16_t type = 1; type <= kTaan; ++type) {
      ALTInfoRec& record = records[static_cast<size_t>(type - 1)];
      record = ALTInfoRec{};
      sSetTablePKRecord2(rs, CurrRagaIndex, type);
      if (rs.NoMatch()) continue;
      // A list of the learner's that cannot be split is left out here (the raga is still
      // usable); the screen that offers it refuses it with a message when it is chosen.
      if (database == 2 &&
          !fALTRowFault(rs.Fields("NotesPhrase"), rs.Fields("DurationPhrase"), type, RowUse::Edit).empty())
        continue;
      const std::string notes = vb::NzString(rs.Fields("NotesPhrase"));
      // A learner's taan keeps no durations (a save writes its notes alone, so a stored
      // duration list may belong to other notes); the content's taans have theirs.
      const std::string durations =
          type == kTaan && database == 2 ? std::string() : vb::NzString(rs.Fields("DurationPhrase"));
      sLoadRagaALTInfoIntoT(record, type, CurrRagaIndex, notes, durations);
    }
    rs.Close();
  }
}

void sLoadRagaALTInfoIntoT(ALTInfoRec& record, int16_t phraseType, int16_t ragaIndex, const std::string& notesList,
                           const std::string& durationList) {
  ProcTrace t("sLoadRagaALTInfoIntoT");
  record = ALTInfoRec{};
  ALTInfoRec filled;
  filled.RagaIndex = ragaIndex;
  filled.PhraseType = phraseType;
  const bool timed = !durationList.empty();
  const std::vector<std::string> durations = timed ? Words(durationList, " ") : std::vector<std::string>{};
  const std::vector<std::string> phrases = Words(notesList, ",");
  const auto phraseCount = static_cast<int32_t>(phrases.size());
  filled.PhraseCount = vb::CInt(phraseCount);
  int32_t g = 0;  // segments so far
  int32_t w = 0;  // word position, boundaries counted
  int32_t d = 0;  // duration position
  for (int32_t p = 0; p < phraseCount; ++p) {
    const std::vector<std::string> segments = Words(phrases[static_cast<size_t>(p)], ":");
    const auto segmentCount = static_cast<int32_t>(segments.size());
    filled.PhraseFirstSegment.push_back(vb::CInt(g + 1));
    filled.PhraseFirstWord.push_back(vb::CInt(w + 1));
    filled.PhraseSegmentCount.push_back(vb::CInt(segmentCount));
    g += segmentCount;
    for (int32_t j = 0; j < segmentCount; ++j) {
      const std::string& segment = segments[static_cast<size_t>(j)];
      const int32_t n = CountWords(segment);
      filled.SegmentNotes.push_back(segment);
      w += n + (j + 1 < segmentCount ? 1 : 0);
      if (timed) {
        filled.SegmentDurations.push_back(DurationsOf(durations, d, n));
        d += n;
      } else {
        filled.SegmentDurations.emplace_back();
      }
    }
    if (p + 1 < phraseCount) ++w;
    ++d;  // the separator word after the phrase
  }
  filled.SegmentCount = vb::CInt(g);
  record = std::move(filled);
}

void sDBToTCompInfo(int16_t database, int16_t addInfoType, const std::string& addInfo) {
  ProcTrace t("sDBToTCompInfo");
  auto rs = DatabaseOf(database).OpenRecordset(kAdditionalInfo, dao::dbOpenTable);
  sSetTablePKRecord3(rs, CurrRagaIndex, addInfo, addInfoType);
  if (rs.NoMatch()) {
    TCompInfo = CompInfoRec{};
    CurrNotationIndex = 0;
    rs.Close();
    vb::Message("Composition Not Available");
    return;
  }
  CompInfoRec info;
  info.RagaIndex = rs.Fields("Raga Index").ToInt();
  info.AddInfoType = rs.Fields("Add Info Type").ToInt();
  info.AddInfo = rs.Fields("Add Info").ToString();
  info.NotationIndex = vb::CLng(vb::NzDouble(rs.Fields("Notation Index")));
  rs.Close();
  TCompInfo = std::move(info);
  CurrNotationIndex = TCompInfo.NotationIndex;
}

void sDBToTCompData(int16_t database, int32_t notationIndex) {
  ProcTrace t("sDBToTCompData");
  TCompData[0] = CompDataRec{};
  TCompData[1] = CompDataRec{};
  auto rs = DatabaseOf(database).OpenRecordset(kCompositionNotations, dao::dbOpenTable);
  const int16_t itemType = sound::CurrMusicItemType;
  sSetTablePKRecord2(rs, notationIndex, int16_t{1});
  if (!rs.NoMatch()) {
    CopyPart(rs, TCompData[0], notationIndex, 1);
    if (itemType == kSimilarRaga) {
      // The row holds the similar raga's phrase in Notation and the current raga's in
      // Syllables.
      CompDataRec& own = TCompData[1];
      own.NotationIndex = notationIndex;
      own.CompositionPart = 2;
      own.RagaIndex = CurrRagaIndex;
      own.Notation = vb::NzString(rs.Fields("Syllables"));
      own.NotesDuration = vb::NzString(rs.Fields("SyllableDuration"));
      own.CompositionMukhada = CurrRagaName;
      own.PlayingSpeed = TCompData[0].PlayingSpeed;
    }
  }
  if (itemType == kComposition) {
    sSetTablePKRecord2(rs, notationIndex, int16_t{2});
    if (!rs.NoMatch()) CopyPart(rs, TCompData[1], notationIndex, 2);
  }
  rs.Close();
}

}  // namespace common
