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
#include "sound/Render.h"
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
    // A composition's part still empty is not offered.
    if (sound::CurrItemKind == sound::kCompositionKind) {
      form.Ctl("Option4").SetEnabled(sound::fCompPartHasNotes(1));
      form.Ctl("Option5").SetEnabled(sound::fCompPartHasNotes(2));
    }
    common::sDisplayPatternNotation(form);
    form.Ctl("cStopCur").SetEnabled(false);
  } else {
    // The play controls go; what was played and its notes stay until the next item is
    // chosen (a demo stopped has cleared them).
    sHideMOControls();
    if (!form.Ctl("cInfo").Text().empty()) sShowF28ItemBoxes();
  }
  form.Refresh();
}

}  // namespace

void sMarkF28Progress() {
  common::ProcTrace t("sMarkF28Progress");
  forms::Form& form = FrontForm();
  mci::MMControl* player = shell::MMControlOf(form, "cMM");
  if (player != nullptr) sound::sMarkNextNoteReached(form, player->Position(), shell::DelayMO);
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
