// Refining a saved scale: the list of saved scales, choosing one, and making it the
// scale in use for refinement.
#include <cstdint>
#include <string>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Trace.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Interaction.h"
#include "platform/vb/Variant.h"
#include "scaleshift/ScaleActions.h"
#include "scaleshift/ScaleDisplay.h"
#include "scaleshift/ScaleShiftState.h"
#include "scaleshift/ScaleShifting.h"
#include "scaleshift/ScaleStorage.h"
#include "shell/ShellState.h"
#include "sound/NoteSeeds.h"
#include "sound/NoteTuning.h"
#include "sound/SoundState.h"

namespace scaleshift {

namespace {

constexpr int16_t kLastBuiltInSet = 12;

// The scale in use before a set is chosen: what a set that cannot be loaded goes back to.
struct ScaleInUse {
  int16_t tonic = sound::CurrTonicNoteId;
  int16_t setId = sound::CurrMusicSetId;
  std::string setName = sound::CurrMusicSetName;
};

// No key is chosen in the scale now in hand.
void ForgetSelectedKey() {
  SelectedNoteIndex = 0;
  ClickedNoteLabel = 0;
  sMarkClickedKey(0);
}

// The saved scales listed to choose from.
void ShowScalesList() {
  OperationMode = kRefining;
  ListMode = 1;
  ForgetSelectedKey();
  sGrpDispAll(1, 1, 1, 0, 0, 4, 0);
  sDisplayScalesList();
  sShowPrompts("11");
}

// The set's seeds prepared and its main-instrument row loaded; false when its rows are
// missing or damaged (the seeds would otherwise fall back to a program scale).
bool LoadSet(double setId, double tonicKey) {
  if (setId <= kLastBuiltInSet || setId > INT16_MAX || tonicKey < 1 || tonicKey > 12) return false;
  const auto id = static_cast<int16_t>(setId);
  sound::CurrMusicSetId = id;
  sound::CurrTonicNoteId = static_cast<int16_t>(tonicKey);
  if (sound::fCreateNoteSeedsForUse() != 1 || sound::CurrMusicSetId != id) return false;
  sound::sLoadNoteAdjustSPCVector(sound::CurrInstrument, 1, sound::CurrMusicSetId);
  return sound::CurrMusicSetId == id;
}

}  // namespace

void sListSavedScales() {
  common::ProcTrace t("sListSavedScales");
  if (!fEndWaitAndUnlock()) return;
  ShowScalesList();
}

void sListLineChosen() {
  common::ProcTrace t("sListLineChosen");
  auto& list = Screen().Get<forms::ListControl>("cScalesList");
  if (list.ListIndex() == -1 || !list.Visible()) return;
  if (ListMode == 1) {
    sound::CurrMusicSetName = list.Text();
    sSetUpForRefinementOperation();
  }
}

void sSetUpForRefinementOperation() {
  common::ProcTrace t("sSetUpForRefinementOperation");
  forms::Form& form = Screen();
  OperationMode = kRefining;
  ForgetSelectedKey();
  const ScaleInUse before;
  const std::string name = sound::CurrMusicSetName;

  auto rs = shell::DatabaseB.OpenRecordset("Scale Shift Specs", dao::dbOpenTable);
  common::sSetTableIndexRecord(rs, "Set Name", name);
  if (rs.NoMatch()) {
    // Deleted since the list was filled: the list is shown as it is now.
    rs.Close();
    vb::Message("The scale '" + name + "' no longer exists");
    ShowScalesList();
    return;
  }
  const double id = vb::NzDouble(rs.Fields("NPSetId"));
  const double tonic = vb::NzDouble(rs.Fields("TonicNoteId"));
  rs.Close();

  form.SetMousePointer(forms::vbHourglass);
  if (!LoadSet(id, tonic)) {
    // The scale in use before comes back, its seeds loaded again.
    sound::CurrTonicNoteId = before.tonic;
    sound::CurrMusicSetId = before.setId;
    sound::CurrMusicSetName = before.setName;
    sound::fCreateNoteSeedsForUse();
    form.SetMousePointer(forms::vbDefault);
    vb::Message("The scale '" + name + "' cannot be loaded: its data is missing or damaged");
    ShowScalesList();
    return;
  }
  sGrpDispAll(1, 25, 0, 1, 2, 1, 1);
  shell::NotationScript = SavedNotationScript;
  sShowPrompts("13");
  form.SetMousePointer(forms::vbDefault);
}

}  // namespace scaleshift
