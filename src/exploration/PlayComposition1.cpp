// The composition player's form: its declaration and events, its playing and idle
// states, the practice boxes and the prompt line of each mode.
#include <array>
#include <initializer_list>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Trace.h"
#include "exploration/PlayCompositions.h"
#include "exploration/Screens.h"
#include "platform/forms/Control.h"
#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"
#include "platform/forms/Registry.h"
#include "shell/Help.h"
#include "shell/Menus.h"
#include "shell/Navigation.h"
#include "shell/ShellState.h"
#include "sound/Keyboard.h"
#include "sound/Playback.h"
#include "sound/SoundState.h"

namespace exploration {

namespace {

constexpr forms::Colour kSyllableCellColour = 0xC0C0FF;
constexpr forms::Colour kNoteCellColour = 0x8080FF;

// What the playing state blocks, besides the play buttons and the slider.
constexpr std::array<const char*, 10> kLockSet{"cMnuHel", "cMnuNotScr", "cMnuGraNot", "cMnuThe", "cMnuDro",
                                               "cMnuTonKey", "cMnuSyn", "cReturn", "Frame1", "Frame2"};
constexpr std::array<const char*, 4> kPointBoxes{"cFRow", "cFBeat", "cTRow", "cTBeat"};
// The practice boxes with their captions and frame lines.
constexpr std::array<const char*, 15> kPracticeParams{"Line1",   "Line2",   "Line3",   "Line4", "Line5",
                                                      "Label1",  "Label12", "Label13", "Label14", "Label15",
                                                      "Label16", "cFRow",   "cFBeat",  "cTRow", "cTBeat"};

void Dispatch(int16_t code) {
  int16_t action = code;
  sPlayCompositions(action);
}

void PartChosen(int16_t part) {
  sound::CurrCompPart = part;
  Dispatch(2);
}

void ModeChosen(int16_t mode) {
  sound::CurrOperationMode = mode;
  Dispatch(3);
}

void PlayPressed(bool loop) {
  if (loop) sound::LoopFlag = -1;
  Dispatch(1);
}

void StopPressed(bool stopLoop) {
  if (stopLoop) sound::LoopFlag = 0;
  Dispatch(11);
}

void TonicChosen(int16_t key) {
  sound::NewTonicNoteId = key;
  shell::sMnuTonicNoteCheck();
  Dispatch(4);
}

// A settings menu item: the setting takes the item's value, the menu's check mark
// follows, then the dispatcher hears of it.
void SettingChosen(int16_t& setting, int16_t value, void (*check)(), int16_t action) {
  setting = value;
  check();
  Dispatch(action);
}

void GraceNotesChosen(int16_t grace) { SettingChosen(shell::GraceNotes, grace, shell::sMnuGraceNotesCheck, 5); }
void ScriptChosen(int16_t script) { SettingChosen(shell::NotationScript, script, shell::sMnuNotationScriptCheck, 8); }
void ThekaChosen(int16_t theka) { SettingChosen(sound::Theka, theka, shell::sMnuThekaCheck, 9); }

void DroneStep(int16_t step) {
  sound::DroneVolumeStep = step;
  Dispatch(10);
}

// The help topic the part's name (Label22) carries, beside the caption clicked.
void ShowPartHelp() {
  forms::Form& form = *PlayComposition1Form();
  shell::ShowWhatsThis(form.Ctl("Label2").Widget(), form.Ctl("Label22").WhatsThisHelpID());
}

void PlayerDone(const forms::EventArgs& e) {
  sound::MCINotifyCode = e.NotifyCode;
  sound::sPlayMusicFile(sound::MusicFileToPlay);
}

void SetAll(forms::Form& form, std::initializer_list<const char*> names, bool enabled) {
  for (const char* name : names) form.Ctl(name).SetEnabled(enabled);
}

void LockPointBoxes(forms::Form& form, bool locked) {
  for (const char* name : kPointBoxes) form.Get<forms::TextBox>(name).SetLocked(locked);
}

void ShowPrompts(const char* numbers) {
  FrontForm().Ctl("cPrompts").SetText(sound::fGetScaleInfo() + shell::PromptSeparator + common::fGetPrompts(numbers));
}

}  // namespace

void sDisableF14Selections() {
  common::ProcTrace t("sDisableF14Selections");
  forms::Form& form = FrontForm();
  for (const char* name : kLockSet) form.Ctl(name).SetEnabled(false);
  if (sound::CurrOperationMode == 3) LockPointBoxes(form, true);
  SetAll(form, {"cPlay", "cStop", "cStartLoop", "cStopLoop"}, false);
  form.Ctl(sound::LoopFlag != 0 ? "cStopLoop" : "cStop").SetEnabled(true);
  form.Ctl("cSlider").SetEnabled(false);
  form.SetBusy(true);
}

void sEnableF14Selections() {
  common::ProcTrace t("sEnableF14Selections");
  forms::Form& form = FrontForm();
  for (const char* name : kLockSet) form.Ctl(name).SetEnabled(true);
  LockPointBoxes(form, false);
  SetAll(form, {"cPlay", "cStartLoop"}, true);
  SetAll(form, {"cStop", "cStopLoop"}, false);
  form.Ctl("cSlider").SetEnabled(true);
  form.SetBusy(false);
}

void sDisplayPracticeParams() {
  common::ProcTrace t("sDisplayPracticeParams");
  forms::Form& form = FrontForm();
  for (const char* name : kPracticeParams) form.Ctl(name).SetVisible(true);
  for (const char* name : kPointBoxes) form.Ctl(name).SetText("");
}

void sHidePracticeParams() {
  common::ProcTrace t("sHidePracticeParams");
  forms::Form& form = FrontForm();
  for (const char* name : kPracticeParams) form.Ctl(name).SetVisible(false);
}

void sDisplayLearningModePromptsForCompositions() {
  common::ProcTrace t("sDisplayLearningModePromptsForCompositions");
  ShowPrompts("24,26,28,30");
}

void sDisplayPracticeModePromptsForCompositions() {
  common::ProcTrace t("sDisplayPracticeModePromptsForCompositions");
  ShowPrompts("25,26,28,29,30");
}

forms::FormSpec DeclarePlayComposition1() {
  forms::FormSpec f("PlayComposition1", "Play Composition in Learning/Practice Mode", 14, {600, 450, 12000, 9000});
  shell::RouteScreenEvents(f);
  f.OnUnload(sUnloadPlayComposition1);

  // The raga's data; a click on its caption "Raga" shows the What's This help of the
  // part in hand.
  DeclareRagaData(f, 500, 380, 360).caption.OnClick(ShowPartHelp);
  f.Line("cLine1", {240, 1700, 11700, 1700}).Hidden();

  // The part in hand: its name, the composition's title, the tala and the song text.
  f.Label("Label22", "", {240, 1780, 1500, 360}).Font("", 0, true);
  f.TextBox("cMukhada", {1800, 1780, 4200, 360}).Locked();
  f.Label("Label25", "", {6200, 1780, 3000, 360}).Font("", 0, true);
  f.Label("Label26", "", {9400, 1780, 2300, 360}).Font("", 0, true);
  f.TextBox("cComposition", {240, 2180, 11460, 400}).Locked();

  // The first element of each array of the grid; sAdjustDisplayForTala places them and
  // creates the rest under the song text.
  f.Label("cBeat", "1", {1000, 2730, 300, 300}).Index(0).Alignment(2).Hidden();
  f.Label("cRow", "1", {120, 3030, 400, 600}).Index(0).Alignment(2).Hidden();
  f.Label("cMatra", "", {1000, 3030, 540, 240}).Index(0).Alignment(2).BackColor(kSyllableCellColour).Hidden();
  f.Label("cNote", "", {1000, 3270, 540, 360}).Index(0).Alignment(2).BackColor(kNoteCellColour).Hidden();

  // Part and mode; neither is selected at design time, so that opening selects them
  // with their clicks.
  auto parts = f.Frame("Frame1", "Selection", {240, 6000, 2000, 960});
  parts.Option("cAsthai", "&Asthai", {120, 260, 1700, 300}).OnClick([] { PartChosen(1); });
  parts.Option("cAntara", "A&ntara", {120, 580, 1700, 300}).OnClick([] { PartChosen(2); });
  auto modes = f.Frame("Frame2", "Mode", {2400, 6000, 2000, 960});
  modes.Option("cLearn", "Learning", {120, 260, 1700, 300}).OnClick([] { ModeChosen(2); });
  modes.Option("cPractice", "Practice", {120, 580, 1700, 300}).OnClick([] { ModeChosen(3); });

  // The practice points, From and To, each a row and a beat, in a box of lines.
  f.Line("Line1", {4600, 6000, 8800, 6000}).Hidden();
  f.Line("Line2", {4600, 6960, 8800, 6960}).Hidden();
  f.Line("Line3", {4600, 6000, 4600, 6960}).Hidden();
  f.Line("Line4", {6700, 6000, 6700, 6960}).Hidden();
  f.Line("Line5", {8800, 6000, 8800, 6960}).Hidden();
  // The From and To captions end a little above the Row and Beat captions under them,
  // so that no rounding of a larger window lays one over the other.
  f.Label("Label1", "From", {4700, 6030, 1900, 270}).Alignment(2).Hidden();
  f.Label("Label12", "Row", {4700, 6340, 900, 260}).Alignment(2).Hidden();
  f.Label("Label13", "Beat", {5700, 6340, 900, 260}).Alignment(2).Hidden();
  f.TextBox("cFRow", {4700, 6610, 900, 300}).Hidden();
  f.TextBox("cFBeat", {5700, 6610, 900, 300}).Hidden();
  f.Label("Label14", "To", {6800, 6030, 1900, 270}).Alignment(2).Hidden();
  f.Label("Label15", "Row", {6800, 6340, 900, 260}).Alignment(2).Hidden();
  f.Label("Label16", "Beat", {7800, 6340, 900, 260}).Alignment(2).Hidden();
  f.TextBox("cTRow", {6800, 6610, 900, 300}).Hidden();
  f.TextBox("cTBeat", {7800, 6610, 900, 300}).Hidden();

  // The speed, the play buttons, the way back and the prompt line.
  f.Label("Label10", "Slower", {8950, 6100, 700, 300});
  f.Slider("cSlider", {9650, 6060, 1500, 400}).Range(1, 17).Value(9).OnChange([] { Dispatch(7); });
  f.Label("Label11", "Faster", {11170, 6100, 700, 300});
  f.Button("cPlay", "&Play", {240, 7060, 1100, 420}).OnClick([] { PlayPressed(false); });
  f.Button("cStop", "Stop", {1420, 7060, 1100, 420}).Disabled().LiveWhileBusy().OnClick([] { StopPressed(false); });
  f.Button("cStartLoop", "Start Looping", {2600, 7060, 1500, 420}).OnClick([] { PlayPressed(true); });
  f.Button("cStopLoop", "Stop Looping", {4180, 7060, 1500, 420}).Disabled().LiveWhileBusy().OnClick([] { StopPressed(true); });
  f.Button("cReturn", "Go &Back", {10260, 7060, 1440, 420}).OnClick([] { Dispatch(20); });
  f.TextBox("cPrompts", {240, 7560, 11460, 1000}).Locked().MultiLine();
  f.MultimediaControl("cMM")
      .On(forms::Event::Done, [](forms::EventArgs& e) { PlayerDone(e); })
      .On(forms::Event::StatusUpdate, [] { Dispatch(12); });

  DeclareMenu(f, "cMnuDro", "D&rone",
              {{"cMnuDroLou", "Louder", [] { DroneStep(1); }}, {"cMnuDroSof", "Softer", [] { DroneStep(-1); }}});
  DeclareMenu(f, "cMnuGraNot", "&Grace Notes",
              {{"cMnuUseGraNot", "Use Grace Notes", [] { GraceNotesChosen(2); }},
               {"cMnuNoGraNot", "No Grace Notes", [] { GraceNotesChosen(1); }}});
  DeclareMenu(f, "cMnuNotScr", "Notation &Script",
              {{"cMnuDev", "Devnagari", [] { ScriptChosen(1); }}, {"cMnuEng", "English", [] { ScriptChosen(2); }}});
  DeclareMenu(f, "cMnuSyn", "Synchronization",
              {{"cMnuSlo", "Slow Down", [] { StepDelay(shell::DelayPC, -1); }},
               {"cMnuSpe", "Speed Up", [] { StepDelay(shell::DelayPC, 1); }}});
  DeclareMenu(f, "cMnuThe", "&Theka",
              {{"cMnuUseThe", "Use Theka", [] { ThekaChosen(1); }}, {"cMnuNoThe", "No Theka", [] { ThekaChosen(2); }}});
  DeclareTonicMenu(f, TonicChosen);
  shell::DeclareHelpAndTraceMenus(f);
  return f;
}
VELMORA_DECLARE_FORM(DeclarePlayComposition1)

forms::Form* PlayComposition1Form() {
  static forms::Form form(DeclarePlayComposition1());
  return &form;
}

}  // namespace exploration
