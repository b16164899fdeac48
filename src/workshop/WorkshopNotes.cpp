// The workbench's actions on single notes and the drone: hearing a clicked note, the
// meend (glide) demo, the note recognition quiz, the drone played alone, and defining a
// pattern by its tokens, from the questions or from clicked notes.
#include <string>

#include "common/CommonState.h"
#include "common/RagaDisplay.h"
#include "common/Trace.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Interaction.h"
#include "platform/vb/Random.h"
#include "shell/Menus.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "sound/Drone.h"
#include "sound/Keyboard.h"
#include "sound/PhraseSetUps.h"
#include "sound/PlayButtons.h"
#include "sound/PlayLoop.h"
#include "sound/Playback.h"
#include "sound/ReedLighting.h"
#include "sound/SoundLibrary.h"
#include "sound/SoundState.h"
#include "workshop/PatternBuilders.h"
#include "workshop/ScaleNotes.h"
#include "workshop/Workshop.h"
#include "workshop/WorkshopActions.h"
#include "workshop/WorkshopState.h"

namespace workshop {

namespace {

constexpr int16_t kDemo = 1;

mci::MMControl* PlayerOf(forms::Form& form) { return shell::MMControlOf(form, "cMM"); }

// The English name of the note of key label i ("" for a label that shows no note).
std::string NoteOfLabel(int16_t label) {
  const int32_t entry = label + 3 - sound::CurrTonicNoteId;
  return entry >= 0 && entry < 36 ? common::EnglishNotes[static_cast<size_t>(entry)] : std::string();
}

// The single note to play: PhraseNotes and PhraseTiming for one note, set up into the
// first slot. False after the set-up's message.
bool SetUpNote(const std::string& note) {
  sound::PhraseNotes = note + " ";
  sound::PhraseTiming = std::to_string(WBNoteTime) + " ";
  shell::AlternateFlag = -1;
  return sound::sSetUpForPlayingSelectedPhrase() == 1;
}

// The quiz note set up to play.
bool SetUpQuizNote() { return SetUpNote(common::EnglishNotes[static_cast<size_t>(QuizNote + 6)]); }

// A quiz note drawn, kept and set up.
bool DrawQuizNote() {
  QuizNote = fGetValidNoteId();
  return SetUpQuizNote();
}

// The mode line the meend demo replaced, shown again when the demo ends.
std::string g_lineBeforeMeend;

// 3, purpose 2: the note of the label heard (in the quiz, the only mode that plays notes
// on their own).
void HearNote(int16_t label) {
  if (sound::CurrOperationMode != kDemo) return;
  const std::string note = NoteOfLabel(label);
  if (note.empty()) return;
  sDisableF13Selections();
  SelectedNoteIndex = label;
  if (!SetUpNote(note)) {
    sEnableF13Selections();
    return;
  }
  sPlaySetUp();
}

// 3, purpose 3: the first and then the second note of the meend demo; the second plays
// both notes and the glide from the first to the second.
void MeendNote(forms::Form& form, int16_t label) {
  const std::string note = NoteOfLabel(label);
  if (note.empty()) return;
  if (MeendNotes[0].empty()) {
    MeendNotes[0] = note;
    form.Ctl("Label10").SetCaption("Meend Pattern Demo - select second Note");
    ShowPrompt("95");
    return;
  }
  MeendNotes[1] = note;
  sound::PhraseNotes = MeendNotes[0] + " " + MeendNotes[1] + " " + MeendNotes[0] + "'" + MeendNotes[1];
  MeendNotes[0].clear();
  MeendNotes[1].clear();
  form.Ctl("Label10").SetCaption("Meend Pattern Demo - select first Note");
  ShowPrompt("94");
  Dispatch(7);
}

// 3, purpose 4: a clicked note of the scale between "S" and "S>" becomes a jump token
// from "S" to it.
void PatternStartNoteClicked(int16_t label) {
  const int16_t count = fCountMarkedNotes(label);
  if (count < 0) return;
  PatternTokenStart = "b";
  PatternTokenDirection = "U";
  PatternTokenMove = "J";
  PatternTokenCount = count;
  sUpdatePatternPhrase();
}

}  // namespace

void sKeyLabelClicked() {
  common::ProcTrace t("sKeyLabelClicked");
  forms::Form& form = FrontForm();
  switch (KeyLabelPurpose) {
    case 1: sPickScaleNote(ClickedNoteLabel); break;
    case 2: HearNote(ClickedNoteLabel); break;
    case 3: MeendNote(form, ClickedNoteLabel); break;
    case 4: PatternStartNoteClicked(ClickedNoteLabel); break;
    default: break;
  }
}

void sShowQuizNote() {
  common::ProcTrace t("sShowQuizNote");
  forms::Form& form = FrontForm();
  if (QuizNote < 1) return;
  // The quiz's own note, whatever keys were heard since it was asked.
  if (!SetUpQuizNote()) return;
  sDisableF13Selections();
  sEnableKeyLabels();
  sound::KeyboardDisplay = 1;
  shell::sMnuKeyboardDisplayCheck();
  sound::sKeyBoardDisplayOn(form, 1);
  sound::CurrItemKind = 3;
  sound::sPlayReeds1Alt(sound::NotesList[0]);
  form.Ctl("cCurrentItem").SetText("");
  if (!sound::fPlayMusicPhrases()) vb::Message("Error playing music phrases");
  auto& timer = form.Get<forms::Timer>("cTimer1");
  timer.SetInterval(WBNoteTime);
  timer.SetEnabled(true);
}

void sNewScaleOrNote() {
  common::ProcTrace t("sNewScaleOrNote");
  forms::Form& form = FrontForm();
  if (WBMode == 2 || WBMode == 3) {
    sHideDetails();
    Dispatch(1);
  } else if (WBMode == 4) {
    sound::sUnMarkAllReeds(form);
    if (!DrawQuizNote()) return;
    sPlaySetUp();
    form.Ctl("Frame1").SetVisible(false);
    sHideSlider();
  }
}

void sNextQuizNote() {
  common::ProcTrace t("sNextQuizNote");
  forms::Form& form = FrontForm();
  sound::CurrOperationMode = kDemo;
  sound::PlayMode = 1;
  sSetModeDisplay();
  sHideDetails();
  vb::Randomize();
  if (!DrawQuizNote()) return;
  sound::sEnablePlayStartButtons();
  sound::sKeyBoardDisplayOn(form, 1);
  form.Ctl("Frame1").SetVisible(false);
  sHideSlider();
  ShowPrompt("36");
  sPlaySetUp();
}

void sPlayInDemoMode() {
  common::ProcTrace t("sPlayInDemoMode");
  // The quiz plays its own note again, whatever keys were heard since it was asked.
  if (WBMode == 4 && QuizNote >= 1 && !SetUpQuizNote()) {
    sound::LoopFlag = 0;
    return;
  }
  sPlaySetUp();
}

void sStartMeendDemo() {
  common::ProcTrace t("sStartMeendDemo");
  forms::Form& form = FrontForm();
  sound::sKeyBoardDisplayOn(form, 1);
  sHideUnselectedNoteLabels();
  sHideDetails();
  if (KeyLabelPurpose != 3) g_lineBeforeMeend = form.Ctl("Label10").Caption();
  KeyLabelPurpose = 3;
  MeendNotes[0].clear();
  MeendNotes[1].clear();
  // Nothing to play until both notes are chosen: Play would play what was set up before,
  // and the pattern put away is not built again behind the demo (a change of playing
  // mode, grace notes or tonic).
  PatternSource = 0;
  common::sDisplayPatternNotation(form);
  form.Ctl("Label10").SetCaption("Meend Pattern Demo - select first note");
  ShowPrompt("94");
}

void sEndMeendDemo() {
  common::ProcTrace t("sEndMeendDemo");
  if (KeyLabelPurpose != 3) return;
  KeyLabelPurpose = 2;
  MeendNotes[0].clear();
  MeendNotes[1].clear();
  FrontForm().Ctl("Label10").SetCaption(g_lineBeforeMeend);
}

void sPlayDroneAlone() {
  common::ProcTrace t("sPlayDroneAlone");
  WBMode = 0;
  sSetModeDisplay();
  if (sound::fBuildDroneData() != 1) {
    vb::Message("Error building Drone Data");
    return;
  }
  shell::DroneFileType = 2;
  if (sound::SoundLib.FWavGenerateDroneFile(shell::DroneFileType, shell::DroneFile, 2) != 1) {
    vb::Message("Error in generating drone file");
    return;
  }
  sound::MusicFileToPlay = shell::DroneFile;
  sound::CurrItemKind = 0;
  sound::PlayState = 0;
  WBDoneMode = 1;
  sound::LoopFlag = -1;
  sDisableF13Selections();
  sound::sEnablePlayStopButtons();
  sound::sPlayMusicFile1(sound::MusicFileToPlay);
}

void sStopDrone() {
  common::ProcTrace t("sStopDrone");
  // Silent at once; the player's late notice of the stop finds it closed and is passed over.
  sound::LoopFlag = 0;
  StopAndClosePlayer();
  WBDoneMode = 2;
  WBMode = 0;
  sSetModeDisplay();
}

void sRestartDroneHalfWay() {
  common::ProcTrace t("sRestartDroneHalfWay");
  mci::MMControl* mm = PlayerOf(FrontForm());
  if (mm == nullptr || mm->Mode() != mci::mciModePlay || mm->Position() < mm->Length() / 2) return;
  // Its Done plays the drone again from the start while looping is on.
  mm->setNotify(false);
  mm->setWait(true);
  mm->setCommand("Seek to start");
}

void sDefinePattern() {
  common::ProcTrace t("sDefinePattern");
  forms::Form& form = FrontForm();
  sEndMeendDemo();
  sInitPatternToken();
  // A definition starts from nothing, whatever was defined or chosen before.
  UserPatternPhrase.clear();
  PatternRunMode = 1;
  PatternSource = 0;
  common::sDisplayPatternNotation(form);
  forms::Control& label = form.Ctl("Label6");
  label.SetCaption("Selected Base Pattern");
  label.SetVisible(true);
  forms::Control& name = form.Ctl("cPatName");
  name.SetText("");
  AdjustFont(name);
  name.SetVisible(true);
  form.Ctl("cOK").SetVisible(false);
  form.Ctl("cRagaList").SetVisible(false);
  if (DefinePatternStep == 1) {
    OptionStep = 3;
    sSetOptionsDisplay();
    ShowPrompt("90");
  } else if (DefinePatternStep == 2) {
    KeyLabelPurpose = 4;
    sound::sKeyBoardDisplayOn(form, 1);
    sHideUnselectedNoteLabels();
    sHideNonOctaveNotes();
    OptionStep = 9;
    sSetOptionsDisplay();
    ShowPrompt("96");
  }
}

}  // namespace workshop
