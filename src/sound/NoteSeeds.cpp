#include "sound/NoteSeeds.h"

#include <map>
#include <memory>
#include <vector>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Queries.h"
#include "common/Trace.h"
#include "platform/vb/Error.h"
#include "platform/vb/Interaction.h"
#include "shell/ShellState.h"
#include "sound/Drone.h"
#include "sound/NoteTuning.h"
#include "sound/SoundLibrary.h"
#include "sound/SoundState.h"

namespace sound {

namespace {

constexpr int16_t kMainInstrumentType = 1;
constexpr int16_t kDroneInstrumentType = 2;
// A seed longer than this cannot be a cycle of a note; refusing it keeps a damaged row
// from asking for an unbounded buffer.
constexpr int32_t kMaxSamPerCyc = 1 << 20;

// The seed buffer of one note: SamPerCyc + 1 values, zero where no sample row reaches,
// filled from the note's "Sample Values" rows in ascending "Sample Id". More rows than
// the buffer holds is error 9.
std::vector<int16_t> ReadSamples(const std::string& instrumentKey, int32_t noteId, int32_t samPerCyc) {
  if (samPerCyc < 0) vb::Raise(vb::kSubscript, "Subscript out of range: a negative seed length");
  if (samPerCyc > kMaxSamPerCyc) vb::Raise(vb::kOutOfMemory, "Out of memory: a seed length beyond any note");
  std::vector<int16_t> buffer(static_cast<size_t>(samPerCyc) + 1, 0);
  common::sPatchSQLStr12(instrumentKey, noteId);
  auto rs = shell::DatabaseA.OpenRecordset(common::SQLStr12, dao::dbOpenSnapshot);
  rs.MoveFirst();  // a note without samples is error 3021
  size_t position = 0;
  for (; !rs.Eof(); rs.MoveNext()) {
    if (position >= buffer.size()) {
      vb::Raise(vb::kSubscript, "Subscript out of range: more sample values than the seed holds");
    }
    buffer[position++] = rs.Fields("Sample Value").ToInt();
  }
  return buffer;
}

// Hands one note's seed to the library; 0 after the message when it refuses it.
int16_t HandOver(const std::string& instrumentKey, int32_t noteId, int32_t samPerCyc, double fractionalValue,
                 const std::vector<int16_t>& samples) {
  if (SoundLib.FWavLoadInstrNoteSeeds(instrumentKey, noteId, samPerCyc, fractionalValue, samples.data()) != 1) {
    vb::Message("Error Loading Seed Data For " + instrumentKey + std::to_string(noteId));
    return 0;
  }
  return 1;
}

int16_t LoadSeed(const std::string& instrumentKey, int32_t noteId, int32_t samPerCyc, double fractionalValue) {
  return HandOver(instrumentKey, noteId, samPerCyc, fractionalValue, ReadSamples(instrumentKey, noteId, samPerCyc));
}

// The seed rows of an instrument as fLoadNoteSeeds last read them in full, kept for
// the run: the content database is open read-only and exclusive, so its rows cannot
// change while that connection lasts. A raga change to another drone type loads both
// instruments again and then reads nothing.
struct SeedRow {
  int32_t noteId = 0;
  int32_t samPerCyc = 0;
  double fractionalValue = 0.0;
  std::vector<int16_t> samples;
};
struct InstrumentRows {
  std::weak_ptr<dao::Connection> source;
  std::vector<SeedRow> rows;
};

std::map<std::string, InstrumentRows>& ReadRows() {
  static std::map<std::string, InstrumentRows> rows;
  return rows;
}

const std::vector<SeedRow>* KeptRows(const std::string& instrumentKey) {
  const auto found = ReadRows().find(instrumentKey);
  if (found == ReadRows().end()) return nullptr;
  const auto source = found->second.source.lock();
  return source != nullptr && source == shell::DatabaseA.connection() ? &found->second.rows : nullptr;
}

// Loads, then tunes one instrument's seeds to its row of the current set.
int16_t PrepareInstrument(const std::string& instrumentKey, int16_t instrumentType, const char* loadFailure,
                          const char* adjustFailure) {
  if (fLoadNoteSeeds(instrumentKey) != 1) {
    vb::Message(loadFailure);
    return 0;
  }
  sLoadNoteAdjustSPCVector(instrumentKey, instrumentType, CurrMusicSetId);
  if (fAdjustNoteSeeds(instrumentKey, instrumentType) != 1) {
    vb::Message(adjustFailure);
    return 0;
  }
  return 1;
}

}  // namespace

int16_t fCreateNoteSeedsForUse() {
  common::ProcTrace t("fCreateNoteSeedsForUse");
  if (PrepareInstrument(CurrInstrument, kMainInstrumentType, "Error loading Main Note Seeds",
                        "Error adjusting Main Note Seeds") != 1) {
    return 0;
  }
  if (PrepareInstrument(DroneInstrument, kDroneInstrumentType, "Error loading Drone Note Seeds",
                        "Error adjusting Drone Note Seeds") != 1) {
    return 0;
  }
  if (fBuildDroneData() != 1) {
    vb::Message("Error building Drone Data");
    return 0;
  }
  return 1;
}

int16_t fLoadNoteSeeds(const std::string& instrumentKey) {
  common::ProcTrace t("fLoadNoteSeeds");
  if (SoundLib.FWavFreeNoteSeedsMemory(instrumentKey) != 1) {
    vb::Message("Error Freeing Note Seeds Memory");
    return 0;
  }
  if (const std::vector<SeedRow>* kept = KeptRows(instrumentKey)) {
    for (const SeedRow& row : *kept)
      if (HandOver(instrumentKey, row.noteId, row.samPerCyc, row.fractionalValue, row.samples) != 1) return 0;
    return 1;
  }
  common::sPatchSQLStr11(instrumentKey);
  auto rs = shell::DatabaseA.OpenRecordset(common::SQLStr11, dao::dbOpenSnapshot);
  rs.MoveFirst();  // an instrument without seeds is error 3021
  std::vector<SeedRow> rows;
  for (; !rs.Eof(); rs.MoveNext()) {
    SeedRow row;
    row.noteId = rs.Fields("Note Id").ToLong();
    row.samPerCyc = rs.Fields("SamPerCyc").ToLong();
    row.fractionalValue = rs.Fields("Fractional Value").ToDouble();
    row.samples = ReadSamples(instrumentKey, row.noteId, row.samPerCyc);
    if (HandOver(instrumentKey, row.noteId, row.samPerCyc, row.fractionalValue, row.samples) != 1) return 0;
    rows.push_back(std::move(row));
  }
  ReadRows()[instrumentKey] = InstrumentRows{shell::DatabaseA.connection(), std::move(rows)};
  return 1;
}

int16_t fLoadIndividualNoteSeed(const std::string& instrumentKey, int32_t noteId) {
  common::ProcTrace t("fLoadIndividualNoteSeed");
  auto rs = shell::DatabaseA.OpenRecordset("Note Specifications", dao::dbOpenTable);
  common::sSetTablePKRecord2(rs, instrumentKey, noteId);
  const int32_t samPerCyc = rs.Fields("SamPerCyc").ToLong();
  const double fractionalValue = rs.Fields("Fractional Value").ToDouble();
  rs.Close();
  return LoadSeed(instrumentKey, noteId, samPerCyc, fractionalValue);
}

}  // namespace sound
