#include "exploration/MainOperations.h"

#include <array>
#include <string>

#include "common/CommonState.h"
#include "common/RagaDisplay.h"
#include "common/Trace.h"
#include "exploration/ExplorationState.h"
#include "exploration/IllustrationActions.h"
#include "exploration/Screens.h"
#include "platform/forms/Control.h"
#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"
#include "platform/forms/Registry.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Error.h"
#include "shell/FormLayout.h"
#include "shell/Menus.h"
#include "shell/Navigation.h"
#include "shell/Players.h"
#include "shell/SettingsWords.h"
#include "shell/ShellState.h"
#include "sound/Keyboard.h"
#include "sound/Playback.h"
#include "sound/SoundState.h"

namespace exploration {

namespace {

void Dispatch(int16_t code) {
  int16_t action = code;
  sMainOperations(action);
}

void ModeChosen(int16_t mode) {
  sound::CurrOperationMode = mode;
  Dispatch(3);
}

// The notation boxes activated: their item chosen.
void NotationBoxChosen(int16_t musicItemType, int16_t itemKind, int16_t phraseType) {
  sound::CurrMusicItemType = musicItemType;
  sound::CurrItemKind = itemKind;
  common::CurrPhraseType = phraseType;
  Dispatch(5);
}

// Option4 / Option5 released: the part or raga of a demo pair to replay, or the
// direction to step in; the option never stays selected.
void SelectOptionReleased(const char* option, int16_t which) {
  if (sound::CurrItemKind == sound::kComparisonKind) {
    CurrPairRaga = which;
  } else if (sound::CurrItemKind == sound::kCompositionKind && sound::CurrMusicItemType == sound::kCompositionItem) {
    sound::CurrCompPart = which;
  } else {
    ScriptStep = which == 1 ? int16_t{1} : int16_t{-1};
  }
  FrontForm().Ctl(option).SetValue(0);
  Dispatch(11);
}

void PlayPressed(int16_t loop) {
  if (loop != 0) sound::LoopFlag = -1;
  Dispatch(21);
}

void StopPressed(bool stopLoop) {
  if (stopLoop) sound::LoopFlag = 0;
  Dispatch(9);
}

void TonicChosen(int16_t key) {
  sound::NewTonicNoteId = key;
  Dispatch(14);
}

// A settings menu item: the setting takes the item's value, the menu's check mark
// follows, then the dispatcher hears of it.
void SettingChosen(int16_t& setting, int16_t value, void (*check)(), int16_t action) {
  setting = value;
  check();
  Dispatch(action);
}
void ScriptChosen(int16_t script) { SettingChosen(shell::NotationScript, script, shell::sMnuNotationScriptCheck, 15); }
void GraceNotesChosen(int16_t grace) { SettingChosen(shell::GraceNotes, grace, shell::sMnuGraceNotesCheck, 15); }
void KeyboardChosen(int16_t display) {
  SettingChosen(sound::KeyboardDisplay, display, shell::sMnuKeyboardDisplayCheck, 13);
}

void DroneStep(int16_t step) {
  sound::DroneVolumeStep = step;
  Dispatch(16);
}

void PlayerDone(const forms::EventArgs& e) {
  sound::MCINotifyCode = e.NotifyCode;
  sound::sPlayMusicFile(sound::MusicFileToPlay);
}

// The window closed by its close box: a play still running is stopped and its file
// closed first, so that nothing plays on against the parent screen.
void Unloading() {
  if (shell::TerminatingForm != 1 && shell::CurrForm == MainOperationsForm()) {
    if (mci::MMControl* mm = shell::MMControlOf(*MainOperationsForm(), "cMM");
        mm != nullptr && mm->Mode() != mci::mciModeNotOpen) {
      sound::LoopFlag = 0;
      sStopAndCloseF28Player();
    }
  }
  shell::OnScreenUnload();
}

struct RowBox {
  const char* box;
  const char* label;
  bool present;
};

// The boxes of the row under the raga data: the program list, the user's list and the
// saved scales when they have lines, and the mode frame.
std::array<RowBox, 4> RowBoxes() {
  return {{
      {"cKZIllusList", "Label1", true},
      {"cUserIllusList", "Label8", UserItemsPresent != 0},
      {"cScaleList", "Label16", ScalesPresent != 0},
      {"Frame1", "Label17", ModeFramePresent != 0},
  }};
}

// Centres the row of boxes present; each caption label takes the left of its box.
void PlaceBoxRow(forms::Form& form) {
  const std::array<RowBox, 4> boxes = RowBoxes();
  int n = 0;
  for (const RowBox& b : boxes) n += b.present ? 1 : 0;
  const double width = fLayoutWidth(form);
  const double gap = 0.02 * width;
  const double w = form.Ctl("cKZIllusList").Width();
  double left = width / 2 - (n / 2.0) * w - ((n - 1) / 2.0) * gap;
  for (const RowBox& b : boxes) {
    if (!b.present) continue;
    forms::Control& box = form.Ctl(b.box);
    box.SetLeft(left);
    form.Ctl(b.label).SetLeft(left);
    left += box.Width() + gap;
  }
}

// The row of boxes shown, placed at every layout of the form.
void LayOutBoxRow(forms::Form& form) {
  for (const RowBox& b : RowBoxes()) {
    form.Ctl(b.box).SetVisible(b.present);
    form.Ctl(b.label).SetVisible(b.present);
  }
  form.Ctl("cLine2").SetVisible(true);
  form.Arrange("box row", [&form] { PlaceBoxRow(form); });
}

}  // namespace

void sMainOperations(int16_t& action) {
  common::ProcTrace t("sMainOperations");
  sound::CallbackCode = 12;
  switch (action) {
    case 0: sInitMainOperations(); break;
    case 1: sIllustrationItemChosen(1); break;
    case 2: sIllustrationItemChosen(2); break;
    case 3:
      sForgetLastLearningPlay();
      sClearNotationBox();
      sHideMOControls();
      sDisplayCurrModePrompts();
      break;
    case 5: sPlayScaleOrPakad(); break;
    case 6: sPlayALTItem(); break;
    case 7: sPlayCompositionItem(); break;
    case 8: sPlaySimilarRagaPair(); break;
    case 9: sStopF28Playing(); break;
    case 10: sStopF28CurrentPhrase(); break;
    case 11: sStepOrReplayF28Item(); break;
    case 12: sF28SavedScaleChosen(); break;
    case 13: sound::sImplementCurrKBDisplayMode(); break;
    case 14: sF28TonicChosen(); break;
    case 15: sF28NotationChanged(); break;
    case 16: sF28DroneChanged(); break;
    case 17: sF28ShowRagaInfo(); break;
    case 18: sMarkF28Progress(); break;
    case 19: sF28EndOfPlaying(); break;
    case 20: sTerminateMainOperations(); break;
    case 21: sPlayF28EditedItem(); break;
    default: break;  // 4 and codes outside 0 to 21 do nothing
  }
}

void sDisplayCurrModePrompts() {
  common::ProcTrace t("sDisplayCurrModePrompts");
  switch (sound::CurrOperationMode) {
    case 1: sDisplayDemoModePrompts(); break;
    case 2: sDisplayLearningModePrompts(); break;
    case 3: sDisplayPracticeModePrompts(); break;
    default: break;
  }
}

void sInitMainOperations() {
  common::ProcTrace t("sInitMainOperations");
  shell::sEnterForm(28);
  int16_t hideParent = 1;
  shell::sShowForm(hideParent);
  shell::sMnuTraceCheck();
  forms::Form& form = FrontForm();

  common::sDisplayRagaBasicData(form);
  common::sAdjustFont(form.Ctl("cCurrentItem"));
  sLoadRagaNotes();
  sLoadSystemIllustratinsList();

  sForgetLastLearningPlay();
  ScriptStep = 1;
  sound::CurrOperationMode = 1;
  sound::LoopFlag = 0;

  UserItemsPresent = fLoadUserIllustrationsList();
  ScalesPresent = fLoadScalesList();
  ModeFramePresent = -1;
  LayOutBoxRow(form);

  form.Ctl("Option1").SetValue(1);
  if (shell::DevnagariAvailable == 0) form.Ctl("cMnuDev").SetVisible(false);

  sound::sLoadKBReedsAndLabels(form);
  if (sound::KeyboardDisplay == 1) {
    form.Ctl("cLine1").SetVisible(true);
    sound::sKeyBoardDisplayOn(form, 1);
  }
  forms::Control& notes = form.Ctl("cNotes");
  notes.SetVisible(true);
  notes.SetText(RagaNotesText);

  shell::sMnuGraceNotesCheck();
  shell::sMnuNotationScriptCheck();
  shell::sMnuTonicNoteCheck();
  shell::sMnuKeyboardDisplayCheck();
  sDisplayDemoModePrompts();
}

void sTerminateMainOperations() {
  common::ProcTrace t("sTerminateMainOperations");
  int16_t levels = 1;
  shell::sStructuredTermination(levels);
}

forms::FormSpec DeclareMainOperations() {
  forms::FormSpec f("MainOperations", "Raga Exploration", 28, {600, 450, 12000, 9000});
  shell::RouteScreenEvents(f);
  f.OnUnload(Unloading);

  // The raga's data.
  RagaDataBoxes raga = DeclareRagaData(f, 540, 440, 400);
  raga.aroha.OnClick([] { NotationBoxChosen(1, 1, 6); });
  raga.avroha.OnClick([] { NotationBoxChosen(2, 1, 6); });
  raga.pakad.OnClick([] { NotationBoxChosen(3, 2, 7); });

  // The raga's notes, and in their place the item in hand.
  f.TextBox("cNotes", {240, 1900, 11460, 820}).Locked().MultiLine().Hidden();
  f.TextBox("cInfo", {240, 1900, 11460, 380}).Locked().Hidden();
  f.TextBox("cCurrentItem", {240, 2300, 11460, 420}).Hidden();

  // The play controls.
  f.Button("cPlay", "Play", {240, 2820, 1100, 420}).Hidden().OnClick([] { PlayPressed(0); });
  f.Button("cStop", "Stop", {1420, 2820, 1100, 420}).Hidden().LiveWhileBusy().OnClick([] { StopPressed(false); });
  f.Button("cStartLoop", "Start Looping", {2600, 2820, 1500, 420}).Hidden().OnClick([] { PlayPressed(-1); });
  f.Button("cStopLoop", "Stop Looping", {4180, 2820, 1500, 420}).Hidden().LiveWhileBusy().OnClick([] { StopPressed(true); });
  f.Button("cStopCur", "Stop Current", {5760, 2820, 1500, 420}).Hidden().LiveWhileBusy().OnClick([] { Dispatch(10); });
  auto select = f.Frame("Frame2", "Select Desired", {7560, 2760, 4140, 720});
  select.Hidden();
  select.Option("Option4", "Next", {120, 300, 1900, 330}).OnMouseUp([] { SelectOptionReleased("Option4", 1); });
  select.Option("Option5", "Prev", {2100, 300, 1900, 330}).OnMouseUp([] { SelectOptionReleased("Option5", 2); });
  f.Label("Label11", "Slower", {240, 3340, 800, 330}).Hidden();
  f.Slider("cSlider", {1060, 3300, 3000, 400}).Range(1, 17).Value(9).Hidden();
  f.Label("Label12", "Faster", {4100, 3340, 800, 330}).Hidden();

  // The row of lists and the mode frame; sInitMainOperations centres the boxes present.
  f.Label("Label1", "KZ Items. Click to Play", {240, 3760, 2700, 300}).Hidden();
  f.List("cKZIllusList", {240, 4060, 2700, 1260}).OnClick([] { Dispatch(1); });
  f.Label("Label8", "User's Items. Click to Play", {3180, 3760, 2700, 300}).Hidden();
  f.List("cUserIllusList", {3180, 4060, 2700, 1260}).Hidden().OnClick([] { Dispatch(2); });
  f.Label("Label16", "Select User-defined Scale", {6120, 3760, 2700, 300}).Hidden();
  f.List("cScaleList", {6120, 4060, 2700, 1260}).Hidden().OnClick([] { Dispatch(12); });
  f.Label("Label17", "Select Playing Mode", {9060, 3760, 2400, 300}).Hidden();
  auto modes = f.Frame("Frame1", "", {9060, 4060, 2400, 1260});
  modes.Option("Option1", "Demo Mode", {120, 200, 2100, 300}).OnClick([] { ModeChosen(1); });
  modes.Option("Option2", "Learning Mode", {120, 560, 2100, 300}).OnClick([] { ModeChosen(2); });
  modes.Option("Option3", "Practice Mode", {120, 920, 2100, 300}).OnClick([] { ModeChosen(3); });
  f.Line("cLine2", {240, 5420, 11700, 5420}).Hidden();

  // The keyboard hangs from its base line; the prompt line and the return button below it.
  sound::DeclareKeyboard(f, 5560);
  f.TextBox("cPrompts", {240, 7880, 9900, 820}).Locked().MultiLine();
  f.Button("cReturn", "Go &Back", {10260, 7880, 1440, 420}).OnClick([] { Dispatch(20); });
  f.MultimediaControl("cMM")
      .On(forms::Event::Done, [](forms::EventArgs& e) { PlayerDone(e); })
      .On(forms::Event::StatusUpdate, [] { Dispatch(18); });

  DeclareMenu(f, "cMnuDro", "D&rone",
              {{"cMnuDroLou", "Louder", [] { DroneStep(1); }}, {"cMnuDroSof", "Softer", [] { DroneStep(-1); }}});
  DeclareMenu(f, "cMnuGraNot", "&Grace Notes",
              {{"cMnuUseGraNot", "Use Grace Notes", [] { GraceNotesChosen(2); }},
               {"cMnuNoGraNot", "No Grace Notes", [] { GraceNotesChosen(1); }}});
  DeclareMenu(f, "cMnuKebDis", "Keyboard Display",
              {{"cMnuShoKey", "Show Keyboard", [] { KeyboardChosen(1); }},
               {"cMnuDonShoKey", "Don't Show Keyboard", [] { KeyboardChosen(2); }}});
  DeclareMenu(f, "cMnuNotScr", "Notation &Script",
              {{"cMnuDev", "Devnagari", [] { ScriptChosen(1); }}, {"cMnuEng", "English", [] { ScriptChosen(2); }}});
  DeclareMenu(f, "cMnuRagInf", "Raga Info", {}).OnClick([] { Dispatch(17); });
  DeclareMenu(f, "cMnuSyn", "Synchronization",
              {{"cMnuSlo", "Slow Down", [] { StepDelay(shell::DelayMO, -1); }},
               {"cMnuSpe", "Speed Up", [] { StepDelay(shell::DelayMO, 1); }}});
  DeclareTonicMenu(f, TonicChosen);
  shell::DeclareHelpAndTraceMenus(f);
  return f;
}
VELMORA_DECLARE_FORM(DeclareMainOperations)

forms::Form* MainOperationsForm() {
  static forms::Form form(DeclareMainOperations());
  return &form;
}

}  // namespace exploration
