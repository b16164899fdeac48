// Building the chosen pattern into a phrase and playing it on the workbench: the set-up
// of the phrase set, Play and Start Looping, the progress marking, the end of playing,
// stop, and the settings that change what a phrase sounds like (grace notes, tonic,
// script).
#include <string>
#include <vector>

#include "common/CommonState.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "common/RagaDisplay.h"
#include "common/RagaReaders.h"
#include "common/RagaTables.h"
#include "common/StringUtil.h"
#include "common/Trace.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Error.h"
#include "platform/vb/Interaction.h"
#include "shell/Menus.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "sound/Keyboard.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "sound/NoteSeeds.h"
#include "sound/PhraseRecords.h"
#include "sound/PhraseSetUps.h"
#include "sound/PlayButtons.h"
#include "sound/PlayLoop.h"
#include "sound/ReedLighting.h"
#include "sound/Render.h"
#include "sound/SoundState.h"
#include "workshop/PatternBuilders.h"
#include "workshop/PatternLanguage.h"
#include "workshop/Workshop.h"
#include "workshop/WorkshopActions.h"
#include "workshop/WorkshopState.h"

namespace workshop {

namespace {

using common::notation::Join;
using common::notation::Words;

constexpr int16_t kLearning = 2;
constexpr int16_t kPractice = 3;
constexpr int16_t kWorkbenchDurations = 10;  // fCreateDurationPhrase kind: BaseBeat per note
constexpr int32_t kWaitAgainMs = 100;          // the timer's next look at a player still playing
constexpr const char* kNotAllowable = "One or more changes you made are not allowable. Please check and correct errors.";

mci::MMControl& Player() {
  mci::MMControl* player = shell::MMControlOf(FrontForm(), "cMM");
  if (player == nullptr) vb::Raise(vb::kObjectNotSet, "The form in front has no player");
  return *player;
}

// A word of the learner's text in English.
std::string English(const std::string& word) {
  return shell::NotationScript == common::kScriptDevnagari ? common::fGetEngForDev(word) : word;
}

// The segments of an English phrase or of the learner's text (":" between them), each
// in English with its words one blank apart; segments without notes are left out.
std::vector<std::string> Segments(const std::string& text, bool learnersText) {
  std::vector<std::string> segments;
  for (const std::string& part : Words(learnersText ? common::fSeparateColons(text) : text, ":")) {
    std::vector<std::string> words = Words(part, " ");
    if (words.empty()) continue;
    if (learnersText)
      for (std::string& word : words) word = English(word);
    segments.push_back(Join(words, " "));
  }
  return segments;
}

// True while the phrase to set up is the raga's own scale or pakad (built-in entries 0
// and 1 in raga mode), which keeps the raga's stored durations.
bool g_ragaOwnPhrase = false;

// The durations, before the speed slider, of the notes to set up: the raga's stored
// rhythm for its own scale or pakad as built; for the learner's text, the rhythm of the
// phrase set up last while the notes are the same (the speed or the segments changed);
// BaseBeat per note otherwise.
std::string BaseDurations(const std::string& notes, bool learnersText) {
  const size_t noteCount = Words(notes, " ").size();
  if (g_ragaOwnPhrase) {
    const std::string stored = BasePatternNo == 0 ? common::fGetFromT_ScalePhraseUnSeg(common::kReadDurations)
                                                  : common::fGetFromT_PakadPhraseUnSeg(common::kReadDurations);
    if (Words(stored, " ").size() == noteCount) return stored;
  }
  if (learnersText && notes == Join(Segments(WBCurrentPhrase, false), " ") &&
      Words(WBCurrentDurations, " ").size() == noteCount)
    return WBCurrentDurations;
  return sound::fCreateDurationPhrase(notes, kWorkbenchDurations);
}

// The learner's text of cCurrentItem may be played: legal notation with a note in it.
bool PlayableText(const std::string& text) {
  if (common::fIsLegalNotationPhrase(text) == 0) return false;
  return !Segments(text, true).empty();
}

// The words of a phrase one blank apart, in English: how the text shown (in the
// current script) and the phrase set up (in English) are compared.
std::string Normalized(const std::string& text, bool shown) {
  std::vector<std::string> words = Words(common::fSeparateColons(text), " ");
  if (shown)
    for (std::string& word : words) word = English(word);
  return Join(words, " ");
}

// The keyboard is shown while a phrase plays; drawn afresh only when it was hidden.
void ShowKeyboardForPlaying() {
  if (sound::KeyboardDisplay == 1) return;
  sound::KeyboardDisplay = 1;
  sound::sImplementCurrKBDisplayMode();
  shell::sMnuKeyboardDisplayCheck();
  sHideUnselectedNoteLabels();
}

void StartPlaying() {
  sDisableF13Selections();
  sound::sEnablePlayStopButtons();
  sound::CurrItemKind = 3;
  ShowKeyboardForPlaying();
  FrontForm().Ctl("cCurrentItem").SetText("");
  if (!sound::fPlayMusicPhrases()) vb::Message("Error playing music phrases");
}

// Play and Start Looping refused before anything was locked: no loop is kept.
void RefusePlay(const std::string& message) {
  sound::LoopFlag = 0;
  vb::Message(message);
  sHideUnselectedNoteLabels();
  sound::sEnablePlayStartButtons();
  FrontForm().Ctl("Frame1").SetVisible(true);
  sShowSlider();
  ShowPrompt("35,39");
}

// A pattern that could not be built leaves nothing to play.
void NothingToPlay() {
  forms::Form& form = FrontForm();
  common::sDisplayPatternNotation(form);
  form.Ctl("cCurrentItem").SetText("");
}

// The pattern chosen interpreted, the octave patterns fitted to the scale in use.
bool InterpretChosenPattern() {
  if (PatternSource == 1) {
    if (BasePatternNo < 0 || BasePatternNo > 7) return false;
    if (WBMode != 3) sSetOctavePatterns(WBMode == 2 ? static_cast<int16_t>(ScaleType + 5) : int16_t{7});
    PatternStartNote = BasePatternNo == 1 ? 0 : kNoteS;
    // The figures of entries 2 to 7 play as a series in every mode, whatever a user
    // pattern or an octave pattern left.
    PatternRunMode = BasePatternNo <= 1 ? 1 : 2;
    return fInterpretPattern(BasePatterns[static_cast<size_t>(BasePatternNo)]);
  }
  PatternStartNote = kNoteS;
  return fInterpretPattern(UserPatternPhrase);
}

}  // namespace

int16_t sSetUpForWorkbenchModeIllustrations(int16_t source) {
  common::ProcTrace t("sSetUpForWorkbenchModeIllustrations");
  forms::Form& form = FrontForm();
  const bool learnersText = source != 1;
  const std::vector<std::string> segments =
      learnersText ? Segments(form.Ctl("cCurrentItem").Text(), true) : Segments(sound::PhraseNotes, false);
  const std::string whole = Join(segments, " ");
  const std::string base = BaseDurations(whole, learnersText);
  if (learnersText) {
    // What is played is what the learner will see after playing.
    WBCurrentPhrase = Join(segments, " : ");
  } else {
    form.Ctl("cCurrentItem").SetText(DisplayText(sound::PhraseNotes));
    WBShownPhrase = sound::PhraseNotes;
    WBCurrentPhrase = sound::PhraseNotes;
  }
  WBCurrentDurations = base;
  sound::PhraseSetRec& set = sound::TPracticeInfo;
  const auto count = static_cast<int16_t>(segments.size());
  set.PhraseCount = count;
  set.CurrPhrase = 1;
  set.Phrases = segments;
  set.Timings.assign(segments.size(), "");
  set.StoredTimings.assign(segments.size(), "");

  // The durations are dealt out to the segments in order, as many as each has notes.
  const std::vector<std::string> stored = Words(base, " ");
  const std::vector<std::string> durations = Words(sound::fFactorTimingScript(base), " ");
  size_t next = 0;
  for (size_t i = 0; i < segments.size(); ++i) {
    std::vector<std::string> timing;
    std::vector<std::string> storedTiming;
    for (size_t n = Words(segments[i], " ").size(); n > 0 && next < durations.size() && next < stored.size(); --n) {
      storedTiming.push_back(stored[next]);
      timing.push_back(durations[next++]);
    }
    set.Timings[i] = Join(timing, " ");
    set.StoredTimings[i] = Join(storedTiming, " ");
  }
  set.RestartPhrase = 1;
  set.LastPhrase = count;
  sound::LookAhead = 1;
  if (sound::CurrOperationMode == kLearning) sound::PlayMode = 1;
  if (sound::CurrOperationMode == kPractice) sound::PlayMode = 2;
  return sSetUpForWBModeLoop();
}

int16_t sSetUpForWBModeLoop() {
  common::ProcTrace t("sSetUpForWBModeLoop");
  shell::AlternateFlag = -1;
  sound::PhraseSetRec& set = sound::TPracticeInfo;
  if (set.PhraseCount < 1) {
    vb::Message("Error Setting up for Illustration");
    return 0;
  }
  const auto slot = static_cast<int16_t>((set.CurrPhrase + 1) % 2);
  sound::TPlayInfo = set;
  return sound::fBuildFirstPhrase(slot);
}

void sShowBasePattern() {
  common::ProcTrace t("sShowBasePattern");
  forms::Form& form = FrontForm();
  forms::Control& label = form.Ctl("Label6");
  label.SetCaption("Selected Base pattern");
  label.SetVisible(true);
  form.Ctl("cRagaList").SetVisible(false);
  forms::Control& name = form.Ctl("cPatName");
  AdjustFont(name);
  name.SetText(shell::NotationScript == common::kScriptDevnagari ? DisplayText(BasePatternPhrase) : BasePatternPhrase);
  name.SetVisible(true);
}

void sAdjustF13NotationFonts() {
  common::ProcTrace t("sAdjustF13NotationFonts");
  forms::Form& form = FrontForm();
  sound::sUpdateReedLabelsAlt(form);
  AdjustFont(form.Ctl("cPattern"));
  AdjustFont(form.Ctl("cCurrentItem"));
  // The box keeps the English font while it holds a pattern's name being typed.
  if (!form.Ctl("cOK").Visible()) AdjustFont(form.Ctl("cPatName"));
}

bool fBuildChosenPattern() {
  common::ProcTrace t("fBuildChosenPattern");
  // The raga's row is read only for what is built from it: its own scale or pakad, or a
  // built-in figure over its aroha and avroha.
  const bool fromTheRaga = WBMode == 3 && PatternSource == 1;
  if (fromTheRaga) {
    common::sDBToTBaseInfo();
    if (BasePatternNo == 0 || BasePatternNo == 1) {
      std::string notes = BasePatternNo == 0 ? common::fGetFromT_ScalePhraseUnSeg(common::kReadNotes)
                                             : common::fGetFromT_PakadPhraseUnSeg(common::kReadNotes);
      if (shell::GraceNotes == common::kGraceNotesNone) notes = common::fRemoveGlides(notes);
      sound::PhraseNotes = notes;
      BasePatternPhrase = notes;
      return true;
    }
  }
  if (!InterpretChosenPattern()) {
    vb::Message("Error in phrase spec");
    return false;
  }
  // In raga mode the built-in figures follow the aroha up and the avroha down; the
  // learner's own pattern keeps to the raga's notes on the keyboard, the notes it was
  // clicked and previewed on.
  if (fromTheRaga) return sCreateRagaPatternFromBP();
  return sCreateScalePatternFromBP();
}

void sBuildPatternPhrase() {
  common::ProcTrace t("sBuildPatternPhrase");
  forms::Form& form = FrontForm();
  if (PatternSource == 0) return;
  if (WBMode == 3 && RagaChosen == 0) return;  // nothing to lay a pattern over yet
  if (WBMode < 1 || WBMode > 3 || KeyLabelPurpose == 1) return;  // no scale yet, or it is still being picked
  sEndMeendDemo();
  if (!fBuildChosenPattern()) {
    NothingToPlay();
    return;
  }
  sShowBasePattern();
  sound::CurrItemKind = 1;
  sShowUserData(7);
  g_ragaOwnPhrase = WBMode == 3 && PatternSource == 1 && BasePatternNo <= 1;
  const int16_t setUp = sSetUpForWorkbenchModeIllustrations(1);
  g_ragaOwnPhrase = false;
  if (setUp != 1) {
    NothingToPlay();
    return;
  }
  SpeedChanged = 0;
  sound::sEnablePlayStartButtons();
  form.Ctl("Frame1").SetVisible(true);
  sShowSlider();
  ShowPrompt("35,39");
}

void sPlayInLearningOrPractice() {
  common::ProcTrace t("sPlayInLearningOrPractice");
  forms::Form& form = FrontForm();
  const std::string text = form.Ctl("cCurrentItem").Text();
  // The text as shown may have been changed by the learner, or the speed since the set-up.
  if (SpeedChanged != 0 || Normalized(text, true) != Normalized(WBCurrentPhrase, false)) {
    WBShownPhrase = text;
    if (!PlayableText(text)) {
      RefusePlay(kNotAllowable);
      return;
    }
    if (sSetUpForWorkbenchModeIllustrations(2) != 1) {
      sound::LoopFlag = 0;
      return;
    }
    SpeedChanged = 0;
  }
  StartPlaying();
}

void sSetUpAndPlay() {
  common::ProcTrace t("sSetUpAndPlay");
  if (sSetUpForWorkbenchModeIllustrations(1) != 1) return;
  StartPlaying();
}

void sPlaySetUp() {
  common::ProcTrace t("sPlaySetUp");
  forms::Form& form = FrontForm();
  sDisableF13Selections();
  sound::sEnablePlayStopButtons();
  sound::CurrItemKind = 3;
  form.Ctl("cCurrentItem").SetText("");
  if (!sound::fPlayMusicPhrases()) vb::Message("Error playing music phrases");
  auto& timer = form.Get<forms::Timer>("cTimer1");
  timer.SetInterval(WBNoteTime * 10);
  timer.SetEnabled(true);
}

void sSingleNoteEnded() {
  common::ProcTrace t("sSingleNoteEnded");
  forms::Form& form = FrontForm();
  // The note is still sounding: look again shortly, the screen staying live meanwhile.
  if (Player().Mode() == mci::mciModePlay) {
    auto& timer = form.Get<forms::Timer>("cTimer1");
    timer.SetInterval(kWaitAgainMs);
    timer.SetEnabled(true);
    return;
  }
  if (sound::LoopFlag != 0) return;
  sEnableF13Selections();
  sound::sUnMarkAllReeds(form);
}

void sWorkshopEndOfPlaying() {
  common::ProcTrace t("sWorkshopEndOfPlaying");
  forms::Form& form = FrontForm();
  if (sound::LoopFlag != 0) {
    // A set of more phrases than the two slots hold is built again from its start.
    const bool again = sound::CurrOperationMode == kPractice || sound::TPlayInfo.PhraseCount > 2;
    if (!again || sSetUpForWBModeLoop() == 1) {
      form.Ctl("cCurrentItem").SetText("");
      if (!sound::fPlayMusicPhrases()) vb::Message("Error playing music phrases");
      return;
    }
    sound::LoopFlag = 0;
  }
  sEnableF13Selections();
  if (WBMode != 4) sShowCurrentItem();  // the quiz shows no notation
  sEnableKeyLabels();
  sound::sSetAllReedLabelColorToDefault(form);
  sound::sUnMarkAllReeds(form);
  // The meend demo waits for its next two notes: there is nothing for Play to play.
  if (KeyLabelPurpose == 3) {
    common::sDisplayPatternNotation(form);
  } else {
    sound::sEnablePlayStartButtons();
  }
}

void sStopWorkshopPlaying() {
  common::ProcTrace t("sStopWorkshopPlaying");
  forms::Form& form = FrontForm();
  if (WBDoneMode == 1) {
    sStopDrone();
    return;
  }
  mci::MMControl& mm = Player();
  sound::TPlayInfo.CurrPhrase = static_cast<int16_t>(sound::TPlayInfo.PhraseCount + 1);
  mm.setNotify(false);
  mm.setWait(true);
  mm.setCommand("Stop");
  form.Ctl("cTimer1").SetEnabled(false);
}

void sMarkWorkshopProgress() {
  common::ProcTrace t("sMarkWorkshopProgress");
  if (WBDoneMode == 1) {
    sRestartDroneHalfWay();
    return;
  }
  sound::sMarkNextNoteReached(FrontForm(), Player().Position(), shell::DelayW);
}

void sGraceNotesChanged() {
  common::ProcTrace t("sGraceNotesChanged");
  shell::sMnuGraceNotesCheck();
  sSetModeDisplay();
  if (PatternSource != 0) sBuildPatternPhrase();
}

void sTonicChanged() {
  common::ProcTrace t("sTonicChanged");
  forms::Form& form = FrontForm();
  const int16_t tonic = sound::CurrTonicNoteId;
  const int16_t setId = sound::CurrMusicSetId;
  const std::string setName = sound::CurrMusicSetName;
  sound::CurrTonicNoteId = sound::NewTonicNoteId;
  // The program's own scale of that tonic; set before the check mark, which shows only
  // for the program's scales.
  sound::CurrMusicSetId = sound::CurrTonicNoteId;
  shell::sMnuTonicNoteCheck();
  if (sound::fCreateNoteSeedsForUse() != 1) {
    // The scale that was in use comes back, its seeds loaded again.
    sound::CurrTonicNoteId = tonic;
    sound::CurrMusicSetId = setId;
    sound::CurrMusicSetName = setName;
    shell::sMnuTonicNoteCheck();
    sound::fCreateNoteSeedsForUse();
    vb::Message("Error Creating Mote Seeds");
    return;
  }
  if (sound::KeyboardDisplay == 1) {
    sound::sHideKeyboard(form);
    form.Ctl("cLine1").SetVisible(true);
    sound::sKeyBoardDisplayOn(form, 1);
  } else {
    sound::sUpdateReedLabelsAlt(form);
  }
  // The phrase set up was rendered at the old tonic.
  if (PatternSource != 0) sBuildPatternPhrase();
  RefreshPrompt();
}

void sScriptChanged() {
  common::ProcTrace t("sScriptChanged");
  forms::Form& form = FrontForm();
  sAdjustF13NotationFonts();
  WBShownPhrase = shell::NotationScript == common::kScriptDevnagari ? DisplayText(WBCurrentPhrase) : WBCurrentPhrase;
  if (form.Ctl("cPattern").Visible()) sShowSelectedNotes();
  if (form.Ctl("cPatName").Visible() && !form.Ctl("cOK").Visible()) sShowBasePattern();
  if (form.Ctl("cCurrentItem").Visible()) sShowCurrentItem();
  sound::sAdjustMDMStr();
}

}  // namespace workshop
