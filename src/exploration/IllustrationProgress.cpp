// While a phrase plays on the illustration screen: the note being heard is marked on
// each progress notification of the player; at the end of playing the screen loops or
// becomes usable again.
#include <string>

#include "common/CommonState.h"
#include "common/StringUtil.h"
#include "common/Trace.h"
#include "exploration/ExplorationState.h"
#include "exploration/IllustrationActions.h"
#include "exploration/MainOperations.h"
#include "exploration/Screens.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Error.h"
#include "common/RagaDisplay.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "sound/PhraseSetUps.h"
#include "sound/PlayButtons.h"
#include "sound/ReedLighting.h"
#include "sound/SoundState.h"

namespace exploration {

namespace {

constexpr int16_t kDemo = 1;
constexpr int16_t kPractice = 3;

// The item controls back for the next choice, the play of the item over.
void EndLearningPlay(forms::Form& form) {
  sound::sSetAllReedLabelColorToDefault(form);
  sEnableF28Selections();
  form.SetMousePointer(forms::vbDefault);
  form.Ctl("cCurrentItem").SetText(CurrItemText);  // the phrase itself in place of its marking
  sound::sEnablePlayStartButtons();
  if (sound::CurrItemKind >= sound::kFirstALTKind && sound::CurrItemKind <= sound::kLastALTKind) {
    for (const char* name : {"Frame2", "Option4", "Option5"}) form.Ctl(name).SetVisible(true);
    form.Ctl("Frame2").SetEnabled(true);
  }
  form.Ctl("Option4").SetValue(0);
  form.Refresh();
}

// Looping in learning or practice mode: the same phrase again (practice: rebuilt from
// the text as edited). False when it could not be rebuilt.
bool PlayAgain(forms::Form& form) {
  if (sound::CurrOperationMode == kPractice) {
    form.Ctl("cCurrentItem").SetText(CurrItemText);
    form.Refresh();
    if (sound::sSetUpForPracticeModeIllustrations1() != 1) return false;
  }
  sound::MusicFileToGenerate = shell::WavFileA;
  sPlayF28Phrases();
  return true;
}

// At the end of a demo the status line says what was played, not what plays: a pair
// names both ragas in the order heard (the similar raga first).
void SayWhatWasPlayed(forms::Form& form) {
  forms::Control& info = form.Ctl("cInfo");
  std::string text = info.Text();
  const std::string playing = "Playing ";
  if (text.rfind(playing, 0) != 0) return;
  const size_t current = text.find(". Currently playing ");
  if (current != std::string::npos) text = text.substr(0, current);
  text = "Played " + text.substr(playing.size());
  if (sound::CurrItemKind == sound::kComparisonKind) {
    // Part 1 is the similar raga's phrase, part 2 the current raga's.
    const sound::PhraseSetRec& set = sound::TPlayInfo;
    if (set.RestartPhrase == set.LastPhrase)
      text += " (" + (set.LastPhrase == 1 ? SimilarRagaName : common::CurrRagaName) + " again)";
    else
      text += " (" + SimilarRagaName + " first, then " + common::CurrRagaName + ")";
  }
  info.SetText(text);
}

void EndDemo(forms::Form& form) {
  SayWhatWasPlayed(form);
  sound::sSetAllReedLabelColorToDefault(form);
  sEnableF28Selections();
  const bool parts = sound::CurrItemKind == sound::kComparisonKind ||
                     (sound::CurrItemKind == sound::kCompositionKind &&
                      sound::CurrMusicItemType == sound::kCompositionItem);
  if (parts) {
    // One part or one raga may now be replayed.
    forms::Control& frame = form.Ctl("Frame2");
    frame.SetEnabled(true);
    frame.SetCaption("Select to Play");
    for (const char* name : {"Option4", "Option5"}) {
      form.Ctl(name).SetVisible(true);
      form.Ctl(name).SetValue(0);
    }
    common::sDisplayPatternNotation(form);
    form.Ctl("cStopCur").SetEnabled(false);
  } else {
    sHideMOControls();
  }
  form.Refresh();
}

}  // namespace

void sMarkF28Progress() {
  common::ProcTrace t("sMarkF28Progress");
  forms::Form& form = FrontForm();
  sound::NotesListRec& rec = sound::NotesList.at(static_cast<size_t>(sound::CurrSlot));
  const int32_t n = rec.CurrNote;
  if (n < 1 || n >= rec.NoteCount) return;  // the last note stays marked
  if (static_cast<size_t>(n) >= rec.Positions.size()) vb::Raise(vb::kSubscript);
  // The end of note n, brought forward by the screen's allowance per note played.
  const int32_t threshold = rec.Positions[static_cast<size_t>(n)] - n * shell::DelayMO;
  mci::MMControl* player = shell::MMControlOf(form, "cMM");
  if (player == nullptr || player->Position() < threshold) return;

  rec.CurrNote = n + 1;
  forms::Control& item = form.Ctl("cCurrentItem");
  item.SetText(item.Text() + "   " + common::fGetWord1(rec.Text, n + 1, rec.WordStarts, rec.WordLengths));
  item.Refresh();
  if (shell::GraceNotes == 2) {
    sound::sPlayReeds1Alt(rec);
  } else {
    sound::sPlayReedsAlt(rec);
  }
}

void sF28EndOfPlaying() {
  common::ProcTrace t("sF28EndOfPlaying");
  forms::Form& form = FrontForm();
  if (sound::CurrOperationMode == kDemo) {
    EndDemo(form);
  } else if (sound::LoopFlag == 0 || !PlayAgain(form)) {
    sound::LoopFlag = 0;
    EndLearningPlay(form);
  }
  form.SetMousePointer(forms::vbDefault);
}

}  // namespace exploration
