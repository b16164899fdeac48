// The illustration screen's settings: a saved scale or a tonic (the note seeds
// prepared anew and the keyboard redrawn), the keyboard display, the notation script
// and grace notes, the drone's loudness and the raga's notes.
#include <string>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/RagaDisplay.h"
#include "common/Trace.h"
#include "exploration/ExplorationState.h"
#include "exploration/IllustrationActions.h"
#include "exploration/MainOperations.h"
#include "exploration/Screens.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Interaction.h"
#include "platform/vb/Variant.h"
#include "shell/Menus.h"
#include "shell/ShellState.h"
#include "sound/Drone.h"
#include "sound/Keyboard.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "sound/NoteSeeds.h"
#include "sound/PhraseSetUps.h"
#include "sound/ReedLighting.h"
#include "sound/ScaleSets.h"
#include "sound/SoundState.h"

namespace exploration {

namespace {

void Unlock(forms::Form& form) {
  form.SetMousePointer(forms::vbDefault);
  sEnableF28Selections();
}

// The note seeds of the scale set chosen; on failure (the scale that was in use back,
// the message shown) the screen usable again.
bool PrepareSeeds(forms::Form& form, const ScaleInUse& before) {
  sForgetLastLearningPlay();
  if (fPrepareScaleSeeds(before)) return true;
  Unlock(form);
  return false;
}

// The keyboard drawn again for the tonic now in use.
void RedrawKeyboard(forms::Form& form) {
  const sound::NotesListRec& rec = sound::NotesList[static_cast<size_t>(sound::CurrSlot)];
  int32_t note = rec.CurrNote;
  sound::sUnMarkCurrentReeds(form, rec.Notes, rec.NoteCount, note);
  if (sound::KeyboardDisplay != 1) return;
  sound::sHideKeyboard(form);
  form.Ctl("cLine1").SetVisible(true);
  sound::sKeyBoardDisplayOn(form, 1);
}

}  // namespace

void sF28SavedScaleChosen() {
  common::ProcTrace t("sF28SavedScaleChosen");
  forms::Form& form = FrontForm();
  auto& list = form.Get<forms::ListControl>("cScaleList");
  if (list.ListIndex() == -1) return;
  form.SetMousePointer(forms::vbHourglass);
  sDisableF28Selections();
  shell::sMnuTonicNoteUncheck();
  const ScaleInUse before;

  // A damaged set is refused (the scale in use stays) and its line can be chosen again.
  if (!sound::fUserScaleSetUsable(list.Text())) {
    shell::sMnuTonicNoteCheck();
    Unlock(form);
    list.SetListIndex(-1);
    return;
  }
  auto rs = shell::DatabaseB.OpenRecordset("Scale Shift Specs", dao::dbOpenTable);
  common::sSetTableIndexRecord(rs, "Set Name", list.Text());
  if (rs.NoMatch()) {
    // The set was deleted since the list was filled: the scale in use stays.
    rs.Close();
    shell::sMnuTonicNoteCheck();
    Unlock(form);
    return;
  }
  sound::CurrMusicSetId = vb::CInt(vb::NzDouble(rs.Fields("NPSetId")));
  sound::CurrTonicNoteId = vb::CInt(vb::NzDouble(rs.Fields("TonicNoteId")));
  sound::CurrMusicSetName = vb::NzString(rs.Fields("NPSetName"));
  rs.Close();

  if (!PrepareSeeds(form, before)) return;
  RedrawKeyboard(form);
  Unlock(form);
  int16_t mode = 3;
  sMainOperations(mode);
}

void sF28TonicChosen() {
  common::ProcTrace t("sF28TonicChosen");
  forms::Form& form = FrontForm();
  const ScaleInUse before;
  sound::CurrTonicNoteId = sound::NewTonicNoteId;
  // The program's own scale of that tonic; set before the check mark, which shows only
  // for the program's scales.
  sound::CurrMusicSetId = sound::CurrTonicNoteId;
  shell::sMnuTonicNoteCheck();
  form.SetMousePointer(forms::vbHourglass);
  sDisableF28Selections();
  form.Get<forms::ListControl>("cScaleList").SetListIndex(-1);
  form.Refresh();

  if (!PrepareSeeds(form, before)) return;
  RedrawKeyboard(form);
  // The parts a demo left to replay were rendered at the old tonic.
  if (sound::CurrOperationMode == 1) sHideMOControls();
  sDisplayCurrModePrompts();
  Unlock(form);
}

void sF28NotationChanged() {
  common::ProcTrace t("sF28NotationChanged");
  forms::Form& form = FrontForm();
  sForgetLastLearningPlay();
  sUpdateF28NotationItemFonts();
  common::sAdjustNotation(form);
  if (form.Ctl("cCurrentItem").Visible()) {
    form.Ctl("cCurrentItem").SetText("");
    form.Ctl("cInfo").SetText("");
    // A learning or practice item's phrases loaded again with the new setting, on the
    // same phrase: learning mode builds the phrase it plays from them.
    const int16_t kind = sound::CurrItemKind;
    if (sound::CurrOperationMode != 1 && kind >= sound::kScaleKind && kind <= sound::kLastALTKind) {
      const int16_t phrase = sound::TMNInfo.CurrPhrase;
      sound::sLoadMNFromT(sound::CurrOperationMode == 3 ? 1 : 2);
      if (phrase >= 1 && phrase <= sound::TMNInfo.PhraseCount) sound::TMNInfo.CurrPhrase = phrase;
    }
  }
  if (sound::KeyboardDisplay == 1) sound::sKeyBoardDisplayOn(form, 1);
}

void sF28DroneChanged() {
  common::ProcTrace t("sF28DroneChanged");
  sForgetLastLearningPlay();
  // A failure has shown "Error in Building DroneData" already.
  sound::fAdjustDroneVolume();
}

void sF28ShowRagaInfo() {
  common::ProcTrace t("sF28ShowRagaInfo");
  forms::Control& notes = FrontForm().Ctl("cNotes");
  notes.SetText(RagaNotesText);
  notes.SetVisible(true);
  notes.ZOrder(0);  // over the item boxes that share its place, until an item is shown again
}

}  // namespace exploration
