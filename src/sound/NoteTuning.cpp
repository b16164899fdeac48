#include "sound/NoteTuning.h"

#include <cstdio>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Queries.h"
#include "common/Trace.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/DateTime.h"
#include "platform/vb/Error.h"
#include "platform/vb/Files.h"
#include "platform/vb/Interaction.h"
#include "shell/ShellState.h"
#include "sound/ScaleSets.h"
#include "sound/SoundLibrary.h"

namespace sound {

namespace {

constexpr int kUsedEntries = 41;  // entries 0 to 40
constexpr int16_t kLastBuiltInSet = 12;

bool IsBuiltInSet(int16_t setId) { return setId >= 1 && setId <= kLastBuiltInSet; }

dao::Recordset SeekScaleSetRow(int16_t setId, int16_t instrumentType) {
  const dao::Database& db = setId > kLastBuiltInSet ? shell::DatabaseB : shell::DatabaseA;
  auto rs = db.OpenRecordset("ONPR", dao::dbOpenTable);
  common::sSetTablePKRecord2(rs, setId, instrumentType);
  return rs;
}

// A record in "ignoerr.txt", laid out as the passed-over errors are, for a stored
// scale set that has gone: the program goes on with the tonic's own set.
void RecordMissingScaleSet(int16_t setId, int16_t instrumentType, int16_t fallbackSetId) {
  ++common::IgnorableErrorCount;
  if (shell::DataFolder.empty()) return;
  vb::AppendLines(vb::JoinPath(shell::DataFolder, "ignoerr.txt"),
                  {"", "Ignorable Error No. " + std::to_string(common::IgnorableErrorCount), vb::DateLineNow(),
                   "Called form 'sLoadNoteAdjustSPCVector'",
                   "Scale set " + std::to_string(setId) + " has no usable row for instrument type " +
                       std::to_string(instrumentType) + "; the built-in scale set " + std::to_string(fallbackSetId) +
                       " is used instead.",
                   vb::PrintNumber(vb::kNoCurrentRecord), vb::kDefaultSource, vb::PrintNumber(0)});
}

}  // namespace

std::string ScaleColumnName(int k) {
  char name[8];
  std::snprintf(name, sizeof name, "%02d", k);
  return name;
}

void sLoadNoteAdjustSPCVector(const std::string& instrumentKey, int16_t instrumentType, int16_t& setId) {
  common::ProcTrace t("sLoadNoteAdjustSPCVector");
  for (int i = 0; i < kUsedEntries; ++i) NoteAdjustSPCs[static_cast<size_t>(i)] = 0.0f;
  auto rs = SeekScaleSetRow(setId, instrumentType);
  // A user's row that cannot be used (no row, a tonic off the keyboard, an adjustment
  // missing or out of range) gives way to the tonic's own set.
  if (!IsBuiltInSet(setId) && !fScaleRowFault(rs, instrumentType).empty()) {
    const int16_t fallback = CurrTonicNoteId;
    RecordMissingScaleSet(setId, instrumentType, fallback);
    setId = fallback;
    rs = SeekScaleSetRow(setId, instrumentType);
  }
  CurrTonicNoteId = rs.Fields("TonicNoteId").ToInt();
  const int base = CurrTonicNoteId + 2;
  for (int k = 0; k < kScaleColumnCount; ++k) {
    const int i = k + base;
    if (i >= 0 && i < kUsedEntries) NoteAdjustSPCs[static_cast<size_t>(i)] = rs.Fields(ScaleColumnName(k)).ToSingle();
  }
}

int16_t fAdjustNoteSeeds(const std::string& instrumentKey, int16_t instrumentType) {
  common::ProcTrace t("fAdjustNoteSeeds");
  common::sPatchSQLStr11(instrumentKey);
  auto rs = shell::DatabaseA.OpenRecordset(common::SQLStr11, dao::dbOpenSnapshot);
  rs.MoveFirst();  // an instrument without seeds is error 3021
  for (; !rs.Eof(); rs.MoveNext()) {
    const int32_t noteId = rs.Fields("Note Id").ToLong();
    if (noteId < 0 || noteId >= static_cast<int32_t>(NoteAdjustSPCs.size())) {
      vb::Raise(vb::kSubscript, "Subscript out of range: note id " + std::to_string(noteId));
    }
    const float adjustment = NoteAdjustSPCs[static_cast<size_t>(noteId)];
    if (adjustment == 0.0f) continue;
    if (SoundLib.FWavTuneNote(instrumentKey, noteId, static_cast<double>(adjustment)) != 1) {
      vb::Message("Error adjusting SPC");
      return 0;
    }
  }
  return 1;
}

void sUpdateNoteAdjustmentSPCs(dao::Recordset& onpr, const SpcVector& vector) {
  common::ProcTrace t("sUpdateNoteAdjustmentSPCs");
  const int base = CurrTonicNoteId + 2;
  for (int k = 0; k < kScaleColumnCount; ++k) {
    const int i = k + base;
    if (i < 0 || i >= static_cast<int>(vector.size())) {
      vb::Raise(vb::kSubscript, "Subscript out of range: the tonic " + std::to_string(CurrTonicNoteId) +
                                    " puts column " + ScaleColumnName(k) + " outside the notes");
    }
    onpr.SetField(ScaleColumnName(k), vector[static_cast<size_t>(i)]);
  }
}

void sSaveAdjustments(int16_t which) {
  common::ProcTrace t("sSaveAdjustments");
  SpcVector* target = which == 1 ? &SavedSPCsA : which == 2 ? &SavedSPCsB : nullptr;
  if (target == nullptr) return;
  for (int i = 0; i < kUsedEntries; ++i) (*target)[static_cast<size_t>(i)] = NoteAdjustSPCs[static_cast<size_t>(i)];
}

}  // namespace sound
