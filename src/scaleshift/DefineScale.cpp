// Defining a new scale: a key of the tonic octave is chosen and heard, tuned between
// its neighbouring keys with the slider, the whole scale shifted to it, and the result
// named and saved; also the drone, the end of the wait after a sound, leaving and the
// choice of operation.
#include <string>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/LearnersNames.h"
#include "common/Notation.h"
#include "common/Trace.h"
#include "platform/dao/Transaction.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Interaction.h"
#include "scaleshift/ScaleActions.h"
#include "scaleshift/ScaleDisplay.h"
#include "scaleshift/ScaleShiftState.h"
#include "scaleshift/ScaleShifting.h"
#include "scaleshift/ScaleStorage.h"
#include "scaleshift/SpcArithmetic.h"
#include "shell/ShellState.h"
#include "sound/Drone.h"
#include "sound/Keyboard.h"
#include "sound/NoteSeeds.h"
#include "sound/Render.h"
#include "sound/ScaleSets.h"
#include "sound/SoundLibrary.h"
#include "sound/SoundState.h"

namespace scaleshift {

namespace {

constexpr int32_t kNoteMs = 3000;  // a key sounds this long
constexpr int32_t kNoteWaitMs = 4000;
constexpr int16_t kFirstBuiltInTonicSet = 3;
constexpr int16_t kLastBuiltInSet = 12;

bool IsTonicKey(int16_t key) { return key >= kFirstTonicKey && key <= kLastTonicKey; }

// After a failed sound the keys and Play answer again.
void Unlock() {
  forms::Form& form = Screen();
  sEnableNoteLabels();
  form.Ctl("cPlay").SetEnabled(true);
  form.Ctl("cAdjust").SetEnabled(true);
  form.SetMousePointer(forms::vbDefault);
}

// The key becomes the note being tuned, as the new tonic: its SPC and its neighbours'.
void StartTuning(int16_t key) {
  forms::Form& form = Screen();
  sGrpDispAll(1, 13, 4, 0, 1, 2, 0);
  OperationMode = kTuningNote;
  sound::CurrTonicNoteId = static_cast<int16_t>(key - 9);
  form.Ctl("cSlider").SetValue(0);
  form.Ctl("cTuneNote").SetVisible(false);
  CurrentSPC = fSeedSpc(key);
  TunedSPC = CurrentSPC;
  UpperNoteSPC = fSeedSpc(static_cast<int16_t>(key + 1));
  LowerNoteSPC = fSeedSpc(static_cast<int16_t>(key - 1));
  sShowPrompts("10");
}

enum class SaveResult { Saved, NotSaved };

// Saves the scale just shifted under a new id; a name in use is redefined only when the
// learner agrees, its old set deleted and the new one saved together or not at all.
SaveResult SaveNewScale(const std::string& name, forms::Control& nameBox) {
  const int16_t previousSet = sound::CurrMusicSetId;
  SaveResult result = SaveResult::NotSaved;
  const bool ranThrough = fSaveOrSay([&] {
    const int16_t id = fGetNewScaleSetId();
    if (id == 0) {
      vb::Message("No more scales can be saved: every scale number is in use.");
      return;
    }
    if (fSaveScaleData(name, id) == 1) {
      result = SaveResult::Saved;
      return;
    }
    if (vb::MsgBox("Name already used. Want to redefine?", vb::vbYesNo + vb::vbQuestion, "Message") != vb::vbYes) {
      vb::Message("Enter Another Name");
      nameBox.SetText("");
      return;
    }
    dao::Transaction redefinition(shell::DatabaseB);
    const int16_t oldId = fDeleteScaleEntry(name);
    // A damaged row's id of a program scale is not taken again: user rows there are never read.
    const int16_t newId = oldId > kLastBuiltInSet ? oldId : fGetNewScaleSetId();
    if (newId == 0 || fSaveScaleData(name, newId) != 1) {
      sound::CurrMusicSetId = previousSet;
      vb::Message("Error saving Scale Data");
      return;  // rolled back: the old set stays
    }
    redefinition.Commit();
    result = SaveResult::Saved;
  });
  if (!ranThrough) sound::CurrMusicSetId = previousSet;
  return result;
}

}  // namespace

void sRestoreLearnerSettings() {
  common::ProcTrace t("sRestoreLearnerSettings");
  sound::CurrTonicNoteId = SavedTonicNoteId;
  sound::CurrMusicSetId = SavedTonicNoteId;
  shell::NotationScript = SavedNotationScript;
  sound::KeyboardDisplay = SavedKeyboardDisplay;
}

void sKeyClicked() {
  common::ProcTrace t("sKeyClicked");
  const int16_t key = ClickedNoteLabel;
  if (key < 1 || key > 40) return;
  if (!fWaitForSilence()) return;
  // Before a scale is being refined only the keys of the tonic octave can be chosen.
  if (OperationMode != kRefining && !IsTonicKey(key)) return;
  forms::Form& form = Screen();
  SelectedNoteIndex = key;
  sMarkClickedKey(key);

  if (OperationMode == kDefiningTonic) {
    form.SetMousePointer(forms::vbHourglass);
    sound::CurrTonicNoteId = kFirstBuiltInTonicSet;
    sound::CurrMusicSetId = kFirstBuiltInTonicSet;
    sGrpDispAll(1, 3, 0, 0, 1, 2, 0);
    form.Ctl("cTuneNote").SetEnabled(false);
    form.Ctl("cScale").SetText("Tonic Note for New Scale being identified");
    form.Ctl("cNote").SetText(sound::fGetTonicNoteName(static_cast<int16_t>(key - 9)).substr(0, 7));
    sDisableNoteLabels();
    // The seeds of the program's scale, which also takes back a tuning heard earlier.
    if (sound::fCreateNoteSeedsForUse() != 1) {
      vb::Message("Error Creating Note Seeds");
      Unlock();
      return;
    }
    if (sound::fPlaySelectedNote(key, kNoteMs, 0) == 0) {
      vb::Message("Error in playing selected note");
      Unlock();
      return;
    }
  } else if (OperationMode == kRefining) {
    sGrpDispAll(1, 25, 0, 7, 2, 4, 1);
    sDisplayCurrNoteName(key, form.Ctl("cNote"));
    if (RefiningSetId > kLastBuiltInSet) sShowPrompts("13");
    if (sound::fPlaySelectedNote(key, kNoteMs, 1) == 0) {
      vb::Message("Error in playing selected note");
      return;
    }
  } else if (OperationMode == kTuningNote) {
    // The key clicked becomes the key tuned, with its own neighbours; nothing sounds.
    StartTuning(key);
  }
  sStartWait(kNoteWaitMs);
}

void sTuneSelectedNote() {
  common::ProcTrace t("sTuneSelectedNote");
  if (!IsTonicKey(SelectedNoteIndex)) return;  // no key of the tonic octave chosen
  StartTuning(SelectedNoteIndex);
}

void sDefineNewTonic() {
  common::ProcTrace t("sDefineNewTonic");
  if (!fEndWaitAndUnlock()) return;
  forms::Form& form = Screen();
  SelectedNoteIndex = 0;
  ClickedNoteLabel = 0;
  sMarkClickedKey(0);
  sound::CurrTonicNoteId = kFirstBuiltInTonicSet;
  sound::CurrMusicSetId = kFirstBuiltInTonicSet;
  shell::NotationScript = common::kScriptEnglish;
  OperationMode = kDefiningTonic;
  RefiningSetId = 0;
  sGrpDispAll(1, 3, 0, 0, 1, 2, 0);
  form.Ctl("cTuneNote").SetEnabled(false);
  form.Ctl("cScale").SetText("Tonic for New Scale being defined.");
  sShowPrompts("9");
  form.Ctl("cMnuSelRag").SetVisible(false);
  form.Ctl("cMnuPlaSca").SetVisible(false);
}

void sPlaySelectedKey() {
  common::ProcTrace t("sPlaySelectedKey");
  if (!fWaitForSilence()) return;
  forms::Form& form = Screen();
  const int16_t key = SelectedNoteIndex;
  if (OperationMode == kTuningNote && IsTonicKey(key)) {
    SliderSPC = fGetNewValue(static_cast<int16_t>(form.Ctl("cSlider").Value()));
    SPCDelta = SliderSPC - CurrentSPC;
    if (sound::fLoadIndividualNoteSeed(sound::CurrInstrument, key) != 1) {
      vb::Message("Error Loading Note Seed for Selected Note");
    }
    // Only what was heard becomes the tuned SPC that "Create Scale" uses.
    if (sound::SoundLib.FWavTuneNote(sound::CurrInstrument, key, SPCDelta) == 1) {
      TunedSPC = SliderSPC;
    } else {
      vb::Message("Error Tuning Selected Note");
    }
    sDisableNoteLabels();
    form.Ctl("cPlay").SetEnabled(false);
    form.Ctl("cAdjust").SetEnabled(false);
    if (sound::fPlaySelectedNote(key, kNoteMs, 0) == 0) {
      vb::Message("Error in playing selected note");
      Unlock();
      return;
    }
  } else if (OperationMode == kRefining && key >= 1) {
    sDisableNoteLabels();
    if (sound::fPlaySelectedNote(key, kNoteMs, 1) == 0) {
      vb::Message("Error in playing selected note");
      Unlock();
      return;
    }
  }
  sStartWait(kNoteWaitMs);
}

void sCreateShiftedScale() {
  common::ProcTrace t("sCreateShiftedScale");
  const int16_t key = SelectedNoteIndex;
  if (OperationMode != kTuningNote || !IsTonicKey(key)) return;
  // No tick of an earlier sound may draw the keys over the naming controls.
  if (!fEndWaitAndUnlock()) return;
  forms::Form& form = Screen();
  sound::ScaleShiftSpec = {key, static_cast<float>(CurrentSPC), static_cast<float>(TunedSPC)};
  form.SetMousePointer(forms::vbHourglass);
  sound::CurrMusicSetId = static_cast<int16_t>(key - 9);
  if (sound::fAdjustScaleNotesToCurrentSetting() != 1) {
    vb::Message("Error in adjusting notes");
    form.SetMousePointer(forms::vbDefault);
    return;
  }
  sGrpDispAll(1, 0, 12, 2, 0, 2, 0);
  sShowPrompts("12");
  form.Ctl("cSettingName").SetFocus();
  form.SetMousePointer(forms::vbDefault);
}

void sNameAndSaveScale() {
  common::ProcTrace t("sNameAndSaveScale");
  // Only a scale just shifted, with the naming controls shown, is saved here.
  if (OperationMode != kTuningNote || (ShownGroupCodes[kControls] & 8) == 0) return;
  forms::Control& box = Screen().Ctl("cSettingName");
  common::NameFault fault = common::NameFault::None;
  const std::string name = common::fLearnersName(box.Text(), fault);
  if (fault == common::NameFault::Empty) {
    vb::MsgBox("Please specify a Name to save the current setting under", vb::vbInformation, "Message");
    box.SetFocus();
    return;
  }
  if (fault != common::NameFault::None) {
    vb::Message(common::fNameFaultMessage(fault));
    box.SetFocus();
    return;
  }
  if (SaveNewScale(name, box) != SaveResult::Saved) {
    box.SetFocus();
    return;
  }
  vb::Message("Scale " + name + " Saved. Switching to Scale Refinement Mode");
  sound::CurrMusicSetName = name;
  sSetUpForRefinementOperation(name);
}

void sChangeDroneLoudness() {
  common::ProcTrace t("sChangeDroneLoudness");
  sound::fAdjustDroneVolume();  // a failure has shown "Error in Building DroneData"
}

void sEndOfWait() {
  common::ProcTrace t("sEndOfWait");
  if (!fWaitForSilence()) return;
  forms::Form& form = Screen();
  form.Ctl("cTimer").SetEnabled(false);  // a tick that came during the wait is this one
  if (OperationMode == kDefiningTonic) {
    sGrpDispAll(1, 3, 0, 0, 1, 2, 0);
    sDisplayTonicNoteLabels();
    form.Ctl("cTuneNote").SetEnabled(IsTonicKey(SelectedNoteIndex));
    form.SetMousePointer(forms::vbDefault);
  } else if (OperationMode == kTuningNote) {
    if (ShownGroupCodes[kKeyboard] == 1) sDisplayTonicNoteLabels();
    form.Ctl("cTuneNote").SetEnabled(false);
    form.Ctl("cPlay").SetEnabled(true);
    form.Ctl("cAdjust").SetEnabled(true);
  } else if (OperationMode == kRefining) {
    form.Ctl("Frame2").SetEnabled(true);
    form.Ctl("Frame3").SetEnabled(true);
  }
  sEnableNoteLabels();
}

void sLeaveShiftScale() {
  common::ProcTrace t("sLeaveShiftScale");
  sStopPlayerAndTimer();
  sRestoreLearnerSettings();
  if (sound::fCreateNoteSeedsForUse() != 1) {
    vb::Message("Error Creating Note Seeds");
    return;
  }
  sTerminateShiftScale();
}

void sSwitchOperation() {
  common::ProcTrace t("sSwitchOperation");
  if (!fEndWaitAndUnlock()) return;
  sGrpDispAll(1, 1, 0, 0, 0, 1, 0);
  Screen().Ctl("cScale").SetText("");
  sShowPrompts("71");
}

}  // namespace scaleshift
