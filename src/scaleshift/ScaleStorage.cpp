#include "scaleshift/ScaleStorage.h"

#include <algorithm>
#include <limits>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Queries.h"
#include "common/Trace.h"
#include "common/UserRows.h"
#include "platform/dao/Transaction.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Error.h"
#include "platform/vb/Interaction.h"
#include "platform/vb/Variant.h"
#include "shell/ShellState.h"
#include "sound/NoteTuning.h"
#include "sound/SoundState.h"

namespace scaleshift {

namespace {

constexpr const char* kSpecs = "Scale Shift Specs";
constexpr const char* kScaleRows = "ONPR";
constexpr int16_t kLastBuiltInSet = 12;

// The largest "NPSetId" of a table of the user database (0 when it has no rows). A
// damaged id (not a number) is passed over: no new id can equal it.
double LargestSetId(const char* table) {
  auto rs = shell::DatabaseB.OpenRecordset(table, dao::dbOpenTable);
  double largest = 0;
  for (double id = 0; !rs.Eof(); rs.MoveNext())
    if (common::fStoredNumber(rs.Fields("NPSetId"), -std::numeric_limits<double>::max(),
                              std::numeric_limits<double>::max(), false, id))
      largest = std::max(largest, id);
  rs.Close();
  return largest;
}

// Writes the ONPR row (id, instrumentType): added when missing, else replaced.
void WriteScaleRow(int16_t id, int16_t instrumentType, const std::string& name, const sound::SpcVector& vector) {
  auto rs = shell::DatabaseB.OpenRecordset(kScaleRows, dao::dbOpenTable);
  common::sSetTablePKRecord2(rs, id, instrumentType);
  if (rs.NoMatch()) {
    rs.AddNew();
  } else {
    rs.Edit();
  }
  rs.SetField("NPSetId", id);
  rs.SetField("InstrumentType", instrumentType);
  rs.SetField("NPSetName", name);
  rs.SetField("TonicNoteId", sound::CurrTonicNoteId);
  sound::sUpdateNoteAdjustmentSPCs(rs, vector);
  rs.Update();
  rs.Close();
}

void DeleteScaleRow(int16_t id, int16_t instrumentType) {
  auto rs = shell::DatabaseB.OpenRecordset(kScaleRows, dao::dbOpenTable);
  common::sSetTablePKRecord2(rs, id, instrumentType);
  if (!rs.NoMatch()) rs.Delete();
  rs.Close();
}

}  // namespace

int16_t fGetNewScaleSetId() {
  common::ProcTrace t("fGetNewScaleSetId");
  const double largest = std::max({LargestSetId(kSpecs), LargestSetId(kScaleRows), double{kLastBuiltInSet}});
  if (largest >= std::numeric_limits<int16_t>::max()) return 0;
  return static_cast<int16_t>(largest + 1);
}

int16_t fSaveScaleData(const std::string& name, int16_t id) {
  common::ProcTrace t("fSaveScaleData");
  dao::Transaction transaction(shell::DatabaseB);
  auto specs = shell::DatabaseB.OpenRecordset(kSpecs, dao::dbOpenTable);
  common::sSetTableIndexRecord(specs, "Set Name", name);
  if (!specs.NoMatch()) return 0;
  specs.AddNew();
  specs.SetField("NPSetId", id);
  specs.SetField("NPSetName", name);
  specs.SetField("InstrumentName", sound::CurrInstrument);
  specs.SetField("TonicNoteId", sound::CurrTonicNoteId);
  specs.SetField("BaseSPC", sound::ScaleShiftSpec.OldSPC);
  specs.SetField("NewSPC", sound::ScaleShiftSpec.NewSPC);
  specs.Update();
  specs.Close();
  WriteScaleRow(id, 1, name, sound::SavedSPCsA);
  WriteScaleRow(id, 2, name, sound::SavedSPCsB);
  transaction.Commit();
  sound::CurrMusicSetId = id;
  return 1;
}

int16_t fDeleteScaleEntry(const std::string& name) {
  common::ProcTrace t("fDeleteScaleEntry");
  dao::Transaction transaction(shell::DatabaseB);
  auto specs = shell::DatabaseB.OpenRecordset(kSpecs, dao::dbOpenTable);
  common::sSetTableIndexRecord(specs, "Set Name", name);
  if (specs.NoMatch()) return 0;
  const int16_t id = specs.Fields("NPSetId").ToInt();
  specs.Delete();
  specs.Close();
  DeleteScaleRow(id, 1);
  DeleteScaleRow(id, 2);
  transaction.Commit();
  return id;
}

int16_t fSaveRefinedScale() {
  common::ProcTrace t("fSaveRefinedScale");
  if (sound::CurrMusicSetId <= kLastBuiltInSet) return 0;
  dao::Transaction transaction(shell::DatabaseB);
  auto rs = shell::DatabaseB.OpenRecordset(kScaleRows, dao::dbOpenTable);
  common::sSetTablePKRecord2(rs, sound::CurrMusicSetId, int16_t{1});
  if (rs.NoMatch() || vb::NzDouble(rs.Fields("TonicNoteId"), -1) != sound::CurrTonicNoteId) return 0;
  rs.Edit();
  sound::sUpdateNoteAdjustmentSPCs(rs, sound::NoteAdjustSPCs);
  rs.Update();
  rs.Close();
  transaction.Commit();
  return 1;
}

void sDisplayScalesList() {
  common::ProcTrace t("sDisplayScalesList");
  if (shell::CurrForm == nullptr) vb::Raise(vb::kObjectNotSet, "Object variable not set (the form in front)");
  auto& list = shell::CurrForm->Get<forms::ListControl>("cScalesList");
  auto rs = shell::DatabaseB.OpenRecordset(common::SQLStr2, dao::dbOpenSnapshot);
  // The list is emptied either way: raga names left in it must not pass for scales.
  list.Clear();
  if (rs.Eof()) {
    rs.Close();
    vb::Message("No Scales Defined as yet");
    return;
  }
  for (; !rs.Eof(); rs.MoveNext()) list.AddItem(vb::NzString(rs.Fields("NPSetName")));
  rs.Close();
}

}  // namespace scaleshift
