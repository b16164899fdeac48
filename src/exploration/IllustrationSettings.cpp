// The illustration screen's settings: a saved scale or a tonic (the note seeds
// prepared anew and the keyboard redrawn), the keyboard display, the notation script
// and grace notes, the drone's loudness and the raga's notes.
#include <string>
#include <vector>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "common/RagaReaders.h"
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

// The note words of a text in English: a word of Devanagari notes converted, every
// other word as it is.
std::vector<std::string> EnglishWords(const std::string& text) {
  std::vector<std::string> words = common::notation::Words(text, " ");
  for (std::string& word : words)
    if (common::fIsColon(word) == 0 && common::fIsLegalNote(word, common::kScriptDevnagari) != 0 &&
        common::fIsLegalNote(word, common::kScriptEnglish) == 0)
      word = common::fGetEngForDev(word);
  return words;
}

// True when the text shows phrase number phrase of the item in hand as it was loaded,
// in either script: the learner has not edited it.
bool ShowsPhrase(const std::string& text, int16_t phrase) {
  const sound::PhraseSetRec& set = sound::TMNInfo;
  if (phrase < 1 || phrase > set.PhraseCount || static_cast<size_t>(phrase) > set.Phrases.size()) return false;
  return EnglishWords(text) == common::notation::Words(set.Phrases[static_cast<size_t>(phrase - 1)], " ");
}

// A text of notation in the script now in use, words three blanks apart as the boxes
// show them: each note word of the other script converted, every other word (a segment
// mark, a word that is no note) kept as it was typed.
std::string InNotationScript(const std::string& text) {
  const int16_t script = shell::NotationScript;
  const int16_t other = script == common::kScriptDevnagari ? common::kScriptEnglish : common::kScriptDevnagari;
  std::vector<std::string> words = common::notation::Words(text, " ");
  for (std::string& word : words) {
    if (common::fIsColon(word) != 0 || common::fIsLegalNote(word, script) != 0 ||
        common::fIsLegalNote(word, other) == 0)
      continue;
    word = script == common::kScriptDevnagari ? common::fGetDevForEng(word) : common::fGetEngForDev(word);
  }
  return common::notation::Join(words, "   ");
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
  forms::Control& item = form.Ctl("cCurrentItem");
  if (item.Visible()) {
    const std::string shown = item.Text();
    const int16_t kind = sound::CurrItemKind;
    if (sound::CurrOperationMode != 1 && kind >= sound::kScaleKind && kind <= sound::kLastALTKind) {
      // A learning or practice item's phrases loaded again with the new setting, on the
      // same phrase: learning mode builds the phrase it plays from them. The phrase is
      // shown again in the new setting, or, when the learner has edited it, the edit.
      const int16_t phrase = sound::TMNInfo.CurrPhrase;
      const bool edited = !ShowsPhrase(shown, phrase);
      sound::sLoadMNFromT(sound::CurrOperationMode == 3 ? 1 : 2);
      if (phrase >= 1 && phrase <= sound::TMNInfo.PhraseCount) sound::TMNInfo.CurrPhrase = phrase;
      if (edited) {
        item.SetText(InNotationScript(shown));
      } else {
        common::sLoadScriptFromMN(item, 0);
      }
    } else {
      // The notes of a demo that has played.
      item.SetText(InNotationScript(shown));
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
