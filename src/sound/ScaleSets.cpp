#include "sound/ScaleSets.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "common/Database.h"
#include "common/Trace.h"
#include "common/UserRows.h"
#include "platform/vb/Interaction.h"
#include "platform/vb/Variant.h"
#include "shell/ShellState.h"
#include "sound/Drone.h"
#include "sound/NoteSeeds.h"
#include "sound/NoteTuning.h"
#include "sound/SoundLibrary.h"
#include "soundlib/Constants.h"

namespace sound {

namespace {

constexpr int kUsedEntries = 41;  // notes 0 to 40 are tuned

double SeedSpc(const dao::Recordset& noteSpecs) {
  return noteSpecs.Fields("SamPerCyc").ToLong() + noteSpecs.Fields("Fractional Value").ToDouble();
}

// The seed SPC of a note of the instrument, read from the content; false when the
// content has no seed for it (such a note is never tuned).
bool FindSeedSpc(dao::Recordset& noteSpecs, const std::string& instrumentKey, int32_t note, double& seed) {
  common::sSetTablePKRecord2(noteSpecs, instrumentKey, note);
  if (noteSpecs.NoMatch()) return false;
  seed = SeedSpc(noteSpecs);
  return true;
}

// What is wrong with one "ONPR" row of a user set ("" when nothing).
std::string ScaleRowFault(int16_t setId, int16_t instrumentType) {
  auto rs = shell::DatabaseB.OpenRecordset("ONPR", dao::dbOpenTable);
  common::sSetTablePKRecord2(rs, setId, instrumentType);
  const std::string fault = fScaleRowFault(rs, instrumentType);
  rs.Close();
  return fault;
}

}  // namespace

std::string fScaleRowFault(const dao::Recordset& rs, int16_t instrumentType) {
  const std::string instrument = instrumentType == 1 ? "main instrument" : "drone";
  double tonic = 0;
  if (rs.NoMatch()) return "its row for the " + instrument + " is missing";
  if (!common::fStoredNumber(rs.Fields("TonicNoteId"), 1, 12, true, tonic))
    return "the tonic of its row for the " + instrument + " is missing or not a key from 1 to 12";
  const std::string& key = instrumentType == 1 ? CurrInstrument : DroneInstrument;
  auto noteSpecs = shell::DatabaseA.OpenRecordset("Note Specifications", dao::dbOpenTable);
  for (int k = 0; k < kScaleColumnCount; ++k) {
    double value = 0, seed = 0;
    const bool stored = common::fStoredNumber(rs.Fields(ScaleColumnName(k)), -kLargestScaleAdjustment,
                                              kLargestScaleAdjustment, false, value);
    const auto note = static_cast<int32_t>(tonic) + 2 + k;
    if (!stored || (FindSeedSpc(noteSpecs, key, note, seed) && !fAdjustmentInBand(seed, value)))
      return "the adjustment \"" + ScaleColumnName(k) + "\" of the " + instrument + " is missing or out of range";
  }
  return {};
}

double fCentsFromSeed(double seed, double adjustment) {
  const double tuned = seed + adjustment;
  return seed > 0 && tuned > 0 ? std::abs(1200.0 * std::log2(seed / tuned)) : HUGE_VAL;
}

bool fAdjustmentInBand(double seed, double adjustment) {
  // The band lies well inside what the library takes (four octaves either way), but for
  // the shortest cycle it can render.
  return fCentsFromSeed(seed, adjustment) <= kScaleBandCents + 1e-9 && seed + adjustment >= soundlib::kMinSpc;
}

bool fUserScaleSetUsable(const std::string& name) {
  common::ProcTrace t("fUserScaleSetUsable");
  auto rs = shell::DatabaseB.OpenRecordset("Scale Shift Specs", dao::dbOpenTable);
  common::sSetTableIndexRecord(rs, "Set Name", name);
  if (rs.NoMatch()) {
    rs.Close();
    return true;
  }
  double id = 0, tonic = 0;
  std::string fault;
  if (!common::fStoredNumber(rs.Fields("NPSetId"), 13, INT16_MAX, true, id)) {
    fault = "its number is missing or not a number of the user's scales";
  } else if (!common::fStoredNumber(rs.Fields("TonicNoteId"), 1, 12, true, tonic)) {
    fault = "its tonic is missing or not a key from 1 to 12";
  }
  rs.Close();
  for (int16_t type = 1; type <= 2 && fault.empty(); ++type) fault = ScaleRowFault(static_cast<int16_t>(id), type);
  if (fault.empty()) return true;
  common::sReportDamagedUserRow("Your scale \"" + name + "\"", fault);
  return false;
}

int16_t fAdjustScaleNotesToCurrentSetting() {
  common::ProcTrace t("fAdjustScaleNotesToCurrentSetting");
  int16_t result = 1;
  if (fCreateNoteSeedsForUse() != 1) {
    vb::Message("Error Creating Note Seeds");
    result = 0;
  }
  if (fApplyScaleShift(ScaleShiftSpec) != 1) {
    vb::Message("Error in applying music set");
    result = 0;
  }
  if (fBuildDroneData() != 1) {
    vb::Message("Error in building Drone Data");
    result = 0;
  }
  return result;
}

int16_t fApplyScaleShift(const ScaleShiftRec& spec) {
  common::ProcTrace t("fApplyScaleShift");
  sAdjustNotesForFreqRat(spec, CurrInstrument, 1);
  sSaveAdjustments(1);
  sAdjustNotesForFreqRat(spec, DroneInstrument, 2);
  sSaveAdjustments(2);
  return 1;
}

void sAdjustNotesForFreqRat(const ScaleShiftRec& spec, const std::string& instrumentKey, int16_t instrumentType) {
  common::ProcTrace t("sAdjustNotesForFreqRat");
  const float delta = spec.NewSPC - spec.OldSPC;
  const int32_t n = spec.NoteIndex;
  for (int i = 0; i < kUsedEntries; ++i) NoteAdjustSPCs[static_cast<size_t>(i)] = 0.0f;

  auto ratios = shell::DatabaseA.OpenRecordset("ONPRSets", dao::dbOpenTable);
  auto noteSpecs = shell::DatabaseA.OpenRecordset("Note Specifications", dao::dbOpenTable);
  common::sSetTablePKRecord2(noteSpecs, CurrInstrument, n);
  const float base = static_cast<float>(SeedSpc(noteSpecs));
  common::sSetTablePKRecord2(ratios, n - 9, instrumentType);

  for (int16_t k = 0; k < kScaleColumnCount; ++k) {
    const int32_t id = n - 7 + k;
    const float f = fGetSPCFactor(ratios, k);
    if (f == 0.0f || id < 0 || id >= static_cast<int32_t>(NoteAdjustSPCs.size())) continue;
    common::sSetTablePKRecord2(noteSpecs, instrumentKey, id);
    if (noteSpecs.NoMatch()) continue;
    const float target = base / f + delta / f;
    NoteAdjustSPCs[static_cast<size_t>(id)] = static_cast<float>(target - SeedSpc(noteSpecs));
  }

  for (int32_t id = 0; id < kUsedEntries; ++id) {
    const float adjustment = NoteAdjustSPCs[static_cast<size_t>(id)];
    if (adjustment == 0.0f) continue;
    if (SoundLib.FWavTuneNote(instrumentKey, id, static_cast<double>(adjustment)) != 1) {
      vb::Message("Error adjusting SPC");
      return;
    }
  }
}

float fGetSPCFactor(const dao::Recordset& ratios, int16_t k) {
  common::ProcTrace t("fGetSPCFactor");
  if (k < 0 || k >= kScaleColumnCount) return 0.0f;
  return ratios.Fields(ScaleColumnName(k)).ToSingle();
}

std::string fGetMusicSetName(int16_t setId) {
  common::ProcTrace t("fGetMusicSetName");
  auto rs = shell::DatabaseB.OpenRecordset("Scale Shift Specs", dao::dbOpenTable);
  common::sSetTablePKRecord(rs, setId);
  // A set whose row has gone keeps the start-up going: its scale rows fall back too.
  if (rs.NoMatch()) return "";
  return vb::NzString(rs.Fields("NPSetName"));
}

}  // namespace sound
