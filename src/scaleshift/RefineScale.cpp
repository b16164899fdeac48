// Refining a saved scale: the list of saved scales, choosing one and making it the
// scale in use, refining its notes one step at a time, and saving the refinement.
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
#include "scaleshift/SpcArithmetic.h"
#include "shell/ShellState.h"
#include "sound/NoteSeeds.h"
#include "sound/NoteTuning.h"
#include "sound/Render.h"
#include "sound/ScaleSets.h"
#include "sound/SoundLibrary.h"
#include "sound/SoundState.h"

namespace scaleshift {

namespace {

constexpr int16_t kLastBuiltInSet = 12;
constexpr int32_t kNoteMs = 3000;
constexpr int32_t kNoteWaitMs = 4000;
constexpr const char* kClickAKeyFirst = "72";  // the prompt of a step with no key chosen

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
  RefiningSetId = 0;
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

// The set in use shown for refinement: its name, the keyboard and the refinement
// controls, and the menus that play scales and ragas in it.
void ShowRefinement() {
  forms::Form& form = Screen();
  sGrpDispAll(1, 25, 0, 1, 2, 1, 1);
  shell::NotationScript = SavedNotationScript;
  sShowPrompts("13");
  form.Ctl("cMnuPlaSca").SetVisible(true);
  form.Ctl("cMnuSelRag").SetVisible(true);
}

// After a set chosen in the list was refused: a saved set that was in use, and still is,
// is refined on as before; with a program scale in use the saved sets are listed again.
void GoOnWithTheScaleInUse(const ScaleInUse& before) {
  if (before.setId > kLastBuiltInSet && sound::CurrMusicSetId == before.setId) {
    RefiningSetId = before.setId;
    ShowRefinement();
    return;
  }
  ShowScalesList();
}

// The "Higher" and "Lower" options cleared, so that each answers its next click.
void ClearPitchOptions() {
  forms::Form& form = Screen();
  form.Ctl("Option6").SetValue(0);
  form.Ctl("Option7").SetValue(0);
}

// A step may not take a note out of the band around its seed that every saved set
// keeps to; a note found outside it may still be stepped back towards it.
bool StepAllowed(double seed, float previous, float refined) {
  return sound::fAdjustmentInBand(seed, refined) ||
         sound::fCentsFromSeed(seed, refined) < sound::fCentsFromSeed(seed, previous);
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
    sSetUpForRefinementOperation(list.Text());
  } else if (ListMode == 2) {
    sRagaChosen();
  }
}

void sSaveRefinedScale() {
  common::ProcTrace t("sSaveRefinedScale");
  if (OperationMode != kRefining || RefiningSetId <= kLastBuiltInSet || RefiningSetId != sound::CurrMusicSetId) {
    vb::Message("Only a saved scale chosen for refinement can be saved: choose one under \"Refine Notes in the "
                "Selected Scale\"");
    return;
  }
  int16_t saved = 0;
  if (!fSaveOrSay([&saved] { saved = fSaveRefinedScale(); })) return;
  if (saved != 1) {
    vb::Message("The scale '" + sound::CurrMusicSetName + "' cannot be saved: its data is missing or damaged");
    return;
  }
  vb::Message("Changes Saved");
}

void sRefineStep(bool higher) {
  common::ProcTrace t("sRefineStep");
  forms::Form& form = Screen();
  const int16_t i = SelectedNoteIndex;
  if (OperationMode != kRefining || RefiningSetId <= kLastBuiltInSet || RefiningSetId != sound::CurrMusicSetId) {
    ClearPitchOptions();
    return;
  }
  if (i < 1) {
    sShowPrompts(kClickAKeyFirst);
    ClearPitchOptions();
    return;
  }
  // Only the notes the set stores can be refined: a change of another would be heard
  // but never saved.
  const int tonic = sound::CurrTonicNoteId;
  if (i < tonic + 2 || i > tonic + 2 + sound::kScaleColumnCount - 1) {
    vb::Message("This key lies outside the scale set and cannot be refined");
    ClearPitchOptions();
    return;
  }
  const int16_t sensitivity = RefineSensitivity >= 0 && RefineSensitivity <= 2 ? RefineSensitivity : int16_t{0};
  const float step = RefineSteps[static_cast<size_t>(sensitivity)];
  const float previous = sound::NoteAdjustSPCs[static_cast<size_t>(i)];
  const float v = higher ? previous - step : previous + step;
  const float refined = fRoundOffSPCVal(v, higher ? "Down" : "Up");
  if (!StepAllowed(fSeedSpc(i), previous, refined)) {
    vb::Message(higher ? "The note cannot be moved any higher" : "The note cannot be moved any lower");
    ClearPitchOptions();
    form.Ctl("Frame2").SetEnabled(true);
    form.Ctl("Frame3").SetEnabled(true);
    return;
  }
  sound::NoteAdjustSPCs[static_cast<size_t>(i)] = refined;
  SPCDelta = refined;
  PendingStepNote = i;
  PendingStepPrevious = previous;
  // No further step until the note has sounded.
  form.Ctl("Frame2").SetEnabled(false);
  form.Ctl("Frame3").SetEnabled(false);
  int16_t apply = 15;
  sShiftScale(apply);
}

void sApplyRefineStep() {
  common::ProcTrace t("sApplyRefineStep");
  const int16_t i = PendingStepNote;
  if (i < 1) return;  // only a step of codes 13 and 14 is applied
  PendingStepNote = 0;
  forms::Form& form = Screen();
  if (sound::fLoadIndividualNoteSeed(sound::CurrInstrument, i) != 1) {
    vb::Message("Error Loading Note Seed for Selected Note");
  }
  if (sound::SoundLib.FWavTuneNote(sound::CurrInstrument, i, SPCDelta) != 1) {
    // The step is taken back before anything can save it, and the note sounds as before.
    vb::Message("Error Tuning Selected Note");
    sound::NoteAdjustSPCs[static_cast<size_t>(i)] = PendingStepPrevious;
    SPCDelta = PendingStepPrevious;
    if (PendingStepPrevious != 0.0f) sound::SoundLib.FWavTuneNote(sound::CurrInstrument, i, SPCDelta);
  }
  sDisableNoteLabels();
  ClearPitchOptions();
  if (sound::fPlaySelectedNote(i, kNoteMs, 1) == 0) {
    vb::Message("Error in playing selected note");
    sEnableNoteLabels();
    form.Ctl("Frame2").SetEnabled(true);
    form.Ctl("Frame3").SetEnabled(true);
    return;
  }
  sStartWait(kNoteWaitMs);
}

void sSetUpForRefinementOperation(const std::string& name) {
  common::ProcTrace t("sSetUpForRefinementOperation");
  forms::Form& form = Screen();
  OperationMode = kRefining;
  RefiningSetId = 0;
  ForgetSelectedKey();
  const ScaleInUse before;

  if (!sound::fUserScaleSetUsable(name)) {
    GoOnWithTheScaleInUse(before);
    return;
  }
  auto rs = shell::DatabaseB.OpenRecordset("Scale Shift Specs", dao::dbOpenTable);
  common::sSetTableIndexRecord(rs, "Set Name", name);
  if (rs.NoMatch()) {
    // Deleted since the list was filled.
    rs.Close();
    vb::Message("The scale '" + name + "' no longer exists");
    GoOnWithTheScaleInUse(before);
    return;
  }
  const double id = vb::NzDouble(rs.Fields("NPSetId"));
  const double tonic = vb::NzDouble(rs.Fields("TonicNoteId"));
  rs.Close();

  form.SetMousePointer(forms::vbHourglass);
  const sound::SpcVector inHand = sound::NoteAdjustSPCs;  // with the steps not yet saved
  if (!LoadSet(id, tonic)) {
    // The scale in use before comes back, its seeds and its adjustments loaded again, and
    // the notes refined since its last save tuned as they were.
    sound::CurrTonicNoteId = before.tonic;
    sound::CurrMusicSetId = before.setId;
    sound::CurrMusicSetName = before.setName;
    if (sound::fCreateNoteSeedsForUse() == 1) {
      sound::sLoadNoteAdjustSPCVector(sound::CurrInstrument, 1, sound::CurrMusicSetId);
      if (sound::CurrMusicSetId == before.setId) {
        for (size_t i = 0; i < inHand.size(); ++i)
          if (inHand[i] != sound::NoteAdjustSPCs[i])
            sound::SoundLib.FWavTuneNote(sound::CurrInstrument, static_cast<int32_t>(i), inHand[i]);
        sound::NoteAdjustSPCs = inHand;
      }
    }
    form.SetMousePointer(forms::vbDefault);
    vb::Message("The scale '" + name + "' cannot be loaded: its data is missing or damaged");
    GoOnWithTheScaleInUse(before);
    return;
  }
  sound::CurrMusicSetName = name;
  RefiningSetId = sound::CurrMusicSetId;
  ShowRefinement();
  form.SetMousePointer(forms::vbDefault);
}

}  // namespace scaleshift
