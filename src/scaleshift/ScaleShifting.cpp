#include "scaleshift/ScaleShifting.h"

#include <functional>
#include <initializer_list>

#include "common/CommonState.h"
#include "common/Notation.h"
#include "common/Trace.h"
#include "platform/forms/Control.h"
#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"
#include "platform/forms/Registry.h"
#include "platform/vb/Interaction.h"
#include "scaleshift/ScaleActions.h"
#include "scaleshift/ScaleDisplay.h"
#include "scaleshift/ScaleShiftState.h"
#include "shell/FormLayout.h"
#include "shell/Menus.h"
#include "shell/Navigation.h"
#include "shell/ShellState.h"
#include "sound/Keyboard.h"
#include "sound/NoteSeeds.h"
#include "sound/Playback.h"
#include "sound/SoundState.h"

namespace scaleshift {

namespace {

constexpr int16_t kFormId = 7;
// A tick of the timer that comes while a step waits for silence comes again after this.
constexpr int32_t kBusyTickMs = 200;

void Dispatch(int16_t code) {
  int16_t action = code;
  sShiftScale(action);
}

void KeyLabelClicked(const forms::EventArgs& e) {
  ClickedNoteLabel = e.Index;
  Dispatch(1);
}

void DroneStep(int16_t step) {
  sound::DroneVolumeStep = step;
  Dispatch(11);
}

void PlayerDone(const forms::EventArgs& e) {
  sound::MCINotifyCode = e.NotifyCode;
  sound::sPlayMusicFile(sound::MusicFileToPlay);
}

void TimerTick() {
  ScaleShiftingForm()->Ctl("cTimer").SetEnabled(false);
  Dispatch(17);
}

// The window closed: the learner's settings come back whichever way the screen goes.
// By its close box it also does what "Go Back" does first: the sound stops, and the
// seeds of the scale now in use are prepared, so that no tuning of this screen is left
// in the sound of the other screens.
void Unloading() {
  if (ScreenOpen) {
    ScreenOpen = false;
    if (shell::TerminatingForm != 1) {
      sStopPlayerAndTimer();
      sRestoreLearnerSettings();
      if (sound::fCreateNoteSeedsForUse() != 1) vb::Message("Error Creating Note Seeds");
    } else {
      sRestoreLearnerSettings();
    }
  }
  shell::OnScreenUnload();
}

}  // namespace

void sShiftScale(int16_t& action) {
  common::ProcTrace t("sShiftScale");
  sound::CallbackCode = 1;
  if (action == 0) {
    sInitShiftScale();
    return;
  }
  if (!fScreenInFront(ScreenSession)) return;
  // The form refuses the learner's input while a step waits for silence; the timer's
  // tick comes again once the wait is over.
  if (WaitingForSilence && action == 17) {
    sStartWait(kBusyTickMs);
    return;
  }
  switch (action) {
    case 1: sKeyClicked(); break;
    case 2: sTuneSelectedNote(); break;
    case 3: sListSavedScales(); break;
    case 4: sDefineNewTonic(); break;
    case 5: sPlaySelectedKey(); break;
    case 6: sCreateShiftedScale(); break;
    case 7: sSaveRefinedScale(); break;
    case 8: sNameAndSaveScale(); break;
    case 9: sPlayFixedScale(false); break;
    case 10: sPlayFixedScale(true); break;
    case 11: sChangeDroneLoudness(); break;
    case 12: sListLineChosen(); break;
    case 13: sRefineStep(true); break;
    case 14: sRefineStep(false); break;
    case 15: sApplyRefineStep(); break;
    case 16: sListRagas(); break;
    case 17: sEndOfWait(); break;
    case 18: sPlayRagaPhrase(false); break;
    case 20: sLeaveShiftScale(); break;
    case 21: sPlayRagaPhrase(true); break;
    case 22: sSwitchOperation(); break;
    default: break;  // 19 and codes outside 0 to 22 do nothing
  }
}

void sInitShiftScale() {
  common::ProcTrace t("sInitShiftScale");
  shell::sEnterForm(kFormId);
  int16_t hideParent = 1;
  shell::sShowForm(hideParent);
  shell::sMnuTraceCheck();
  forms::Form& form = Screen();

  ++ScreenSession;
  ScreenOpen = true;
  WaitingForSilence = false;
  SavedNotationScript = shell::NotationScript;
  shell::NotationScript = common::kScriptEnglish;
  SavedTonicNoteId = sound::CurrTonicNoteId;
  sound::CurrTonicNoteId = 3;
  SavedKeyboardDisplay = sound::KeyboardDisplay;
  RefineSteps = {1.0f, 0.3f, 0.1f};

  common::CurrRagaName.clear();
  sound::sLoadKBReedsAndLabels(form);
  PrevClickedNoteLabel = -1;
  ClickedNoteLabel = 0;
  SelectedNoteIndex = 0;
  common::CurrRagaIndex = 0;
  sound::CurrMusicSetId = sound::CurrTonicNoteId;
  OperationMode = kDefiningTonic;
  ListMode = 1;
  RefiningSetId = 0;
  PendingStepNote = 0;
  // The scales are played from the menus only once a scale is being refined.
  form.Ctl("cMnuPlaSca").SetVisible(false);
  form.Ctl("cMnuSelRag").SetVisible(false);

  form.SetMousePointer(forms::vbHourglass);
  if (sound::fCreateNoteSeedsForUse() != 1) vb::Message("Error in adjusting notes");
  form.SetMousePointer(forms::vbDefault);
  sGrpDispAll(0, 1, 0, 0, 1, 2, 0);
  form.Ctl("cTuneNote").SetEnabled(false);
  form.Ctl("cScale").SetText("Tonic for New Scale being defined.");
  sShowPrompts("9");
}

void sTerminateShiftScale() {
  common::ProcTrace t("sTerminateShiftScale");
  int16_t levels = 1;
  shell::sStructuredTermination(levels);
}

void sStartTonicDefinition() { Dispatch(4); }
void sStartScaleRefinement() { Dispatch(3); }

forms::FormSpec DeclareScaleShifting() {
  forms::FormSpec f("ScaleShifting", "Define/Refine Pitch-Shifted Scales", kFormId, {600, 450, 12000, 9000});
  shell::RouteScreenEvents(f);
  f.OnUnload(Unloading);

  // The two operations and the way back to choosing one.
  f.Label("Label7", "Pitch-shifting Operations - Select One", {240, 120, 7200, 300});
  f.Button("cSetTonic", "Set Tonic Note for New Scale", {240, 420, 3500, 420}).OnClick([] { Dispatch(4); });
  f.Button("cRefineNotes", "Refine Notes in the Selected Scale", {3860, 420, 3500, 420}).OnClick([] { Dispatch(3); });
  f.Button("cSwitch", "Switch Operation", {9960, 420, 1740, 420}).OnClick([] { Dispatch(22); });

  // What is in hand: the scale, the note and the raga.
  f.Label("Label9", "Current Scale", {240, 1020, 1400, 300});
  f.TextBox("cScale", {1660, 980, 4600, 380}).Locked();
  f.Label("Label11", "Current Note", {6480, 1020, 1300, 300});
  f.TextBox("cNote", {7800, 980, 1300, 380}).Locked();
  f.Label("Label10", "Current Raga", {240, 1460, 1400, 300});
  f.TextBox("cRaga", {1660, 1420, 4600, 380}).Locked();

  // The list of saved scales or ragas, the tuning slider and the naming controls.
  f.Label("Label5", "Select a Scale to Refine", {240, 1960, 3600, 300}).Hidden();
  f.List("cScalesList", {240, 2260, 3600, 1560}).Hidden().OnClick([] { Dispatch(12); });
  f.Label("Label6", "Adjust and click 'Play' to hear", {4200, 1960, 4300, 300}).Hidden();
  f.Label("Label3", "Down", {4200, 2380, 700, 300}).Hidden();
  f.Slider("cSlider", {4900, 2320, 3000, 420}).Range(-10, 10).Value(0).Hidden();
  f.Label("Label4", "Up", {7960, 2380, 600, 300}).Hidden();
  f.Label("Label2", "Enter a Name and click 'OK'", {4200, 2960, 4300, 300}).Hidden();
  f.TextBox("cSettingName", {4200, 3280, 3300, 380}).Hidden();
  f.Button("cOK", "OK", {7600, 3260, 800, 420}).Hidden().OnClick([] { Dispatch(8); });

  // How far one refinement step goes, and which way.
  auto sensitivity = f.Frame("Frame2", "Sensitivity", {8760, 1900, 1400, 1380});
  sensitivity.Hidden();
  sensitivity.Option("Option3", "Coarse", {120, 260, 1160, 300}).OnClick([] { RefineSensitivity = 0; });
  sensitivity.Option("Option4", "Medium", {120, 620, 1160, 300}).OnClick([] { RefineSensitivity = 1; });
  sensitivity.Option("Option5", "Fine", {120, 980, 1160, 300}).OnClick([] { RefineSensitivity = 2; });
  auto pitch = f.Frame("Frame3", "Pitch", {10300, 1900, 1400, 1020});
  pitch.Hidden();
  pitch.Option("Option6", "Higher", {120, 260, 1160, 300}).OnClick([] { Dispatch(13); });
  pitch.Option("Option7", "Lower", {120, 620, 1160, 300}).OnClick([] { Dispatch(14); });

  // The buttons of the steps.
  f.Button("cTuneNote", "&Tune Selected Note", {240, 3960, 2300, 420}).Hidden().OnClick([] { Dispatch(2); });
  f.Button("cAdjust", "&Create Scale with Current Tone As 'sA' (Tonic)", {2660, 3960, 4500, 420})
      .Hidden()
      .OnClick([] { Dispatch(6); });
  f.Button("cPlay", "&Play", {7280, 3960, 1200, 420}).Hidden().OnClick([] { Dispatch(5); });
  f.Button("cSave", "Save &Current Setting", {8600, 3960, 2400, 420}).Hidden().OnClick([] { Dispatch(7); });

  // The keyboard hangs from its base line; the prompt line and the way back below it.
  sound::DeclareKeyboard(f, 4560, [](forms::EventArgs& e) { KeyLabelClicked(e); });
  f.TextBox("cPrompts", {240, 7880, 9900, 820}).Locked().MultiLine();
  f.Button("cReturn", "Go &Back", {10260, 7880, 1440, 420}).LiveWhileBusy().OnClick([] { Dispatch(20); });
  f.MultimediaControl("cMM").On(forms::Event::Done, [](forms::EventArgs& e) { PlayerDone(e); });
  f.Timer("cTimer").OneShot().BusyWhileRunning().OnTimer(TimerTick);

  struct Item {
    const char* name;
    const char* caption;
    std::function<void()> click;
  };
  auto items = [](forms::MenuMember menu, std::initializer_list<Item> list) {
    for (const Item& item : list) menu.Item(item.name, item.caption).OnClick(item.click);
  };
  items(f.Menu("cMnuDro", "&Drone"),
        {{"cMnuDroLou", "Louder", [] { DroneStep(1); }}, {"cMnuDroSof", "Softer", [] { DroneStep(-1); }}});
  auto scales = f.Menu("cMnuPlaSca", "Play &Scales");
  items(scales.Item("cMnuScaBasNot", "Scales Based on Notes"),
        {{"cMnuPlaMajSca", "Play Major Scale", [] { Dispatch(9); }},
         {"cMnuPlaFulSca", "Play Full Scale", [] { Dispatch(10); }}});
  items(scales.Item("cMnuScaBasRag", "Scales Based on Ragas"),
        {{"cMnuScaRag", "Scale (Aroha / Avroha) for Raga", [] { Dispatch(18); }},
         {"cMnuPakRag", "'Pakad' for Raga", [] { Dispatch(21); }},
         {"cMnuSelRag", "Select Raga", [] { Dispatch(16); }}});
  shell::DeclareHelpAndTraceMenus(f);
  return f;
}
VELMORA_DECLARE_FORM(DeclareScaleShifting)

forms::Form* ScaleShiftingForm() {
  static forms::Form form(DeclareScaleShifting());
  return &form;
}

}  // namespace scaleshift
