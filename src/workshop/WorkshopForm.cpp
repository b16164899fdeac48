// The Workshop form ("Workbench") and its events. Each event stores what it carries in a
// shared word and calls the dispatcher; the player's Done, the synchronization items,
// the speed slider, the trace items and the window's own events act directly.
#include <array>
#include <functional>
#include <initializer_list>
#include <limits>
#include <utility>

#include "common/CommonState.h"
#include "common/Trace.h"
#include "platform/forms/Control.h"
#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"
#include "platform/forms/Registry.h"
#include "platform/mci/MMControl.h"
#include "shell/Menus.h"
#include "shell/Navigation.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "sound/Keyboard.h"
#include "sound/Playback.h"
#include "sound/SoundState.h"
#include "workshop/Workshop.h"
#include "workshop/WorkshopActions.h"
#include "workshop/WorkshopState.h"

namespace workshop {

namespace {

constexpr double kKeyboardLine = 5280;  // twips from the top: the keyboard hangs from it

template <class Word, class Value>
void SetAndDispatch(Word& word, Value value, int16_t code) {
  word = value;
  Dispatch(code);
}

void ModeButton(int16_t mode) { SetAndDispatch(WBMode, mode, 1); }

void PatternChosen(int32_t entry) {
  BasePatternNo = entry;
  PatternSource = 1;
  Dispatch(6);
}

// A settings menu item: the setting takes the item's value, the menu's check mark
// follows, then the dispatcher hears of it.
void SettingChosen(int16_t& setting, int16_t value, void (*check)(), int16_t code) {
  setting = value;
  if (check != nullptr) check();
  Dispatch(code);
}

void OperationModeChosen(int16_t mode) {
  sound::CurrOperationMode = mode;
  if (PatternSource != 0) Dispatch(6);
}

// Play and Start Looping: demo mode plays what is set up, learning and practice set the
// phrase up again after a change of speed.
void PlayPressed(bool loop) {
  if (loop) sound::LoopFlag = -1;
  Dispatch(sound::CurrOperationMode == 1 ? 17 : 5);
}

void StopPressed(bool stopLoop) {
  if (stopLoop) sound::LoopFlag = 0;
  Dispatch(22);
}

void TimerTick() {
  FrontForm().Ctl("cTimer1").SetEnabled(false);
  Dispatch(10);
}

// The marking allowance: never below 0, and at the largest value it stays there rather
// than overflowing.
void ChangeDelay(int16_t by) {
  if (by < 0 && shell::DelayW <= 0) return;
  if (by > 0 && shell::DelayW == std::numeric_limits<int16_t>::max()) return;
  shell::DelayW = static_cast<int16_t>(shell::DelayW + by);
}

void PlayerDone(const forms::EventArgs& e) {
  sound::MCINotifyCode = e.NotifyCode;
  // The late notice of a play the screen ended and closed itself (the drone stopped):
  // there is nothing left to close or to go on with.
  mci::MMControl* mm = shell::MMControlOf(*WorkshopForm(), "cMM");
  if (mm == nullptr || (mm->Mode() == mci::mciModeNotOpen && e.NotifyCode == mci::mciAborted)) return;
  if (WBDoneMode == 1) {
    sound::sPlayMusicFile1(sound::MusicFileToPlay);
  } else {
    sound::sPlayMusicFile(sound::MusicFileToPlay);
  }
}

// The window closed by its close box: what plays is stopped and its file let go, so
// that nothing plays on against the screen below.
void Unloading() {
  if (shell::TerminatingForm != 1 && shell::CurrForm == WorkshopForm()) {
    sound::LoopFlag = 0;
    StopAndClosePlayer();
  }
  shell::OnScreenUnload();
}

}  // namespace

forms::FormSpec DeclareWorkshop() {
  forms::FormSpec f("Workshop", "Workbench", 13, {600, 450, 12000, 9000});
  shell::RouteScreenEvents(f);
  f.OnUnload(Unloading);

  // The mode line, the mode buttons and the buttons of a mode.
  f.Label("Label10", "No Workbench Mode Selected currently", {240, 120, 11460, 360}).Alignment(2);
  f.Line("Line1", {240, 540, 11700, 540});
  f.Label("Label7", "Workbench Modes - Select One", {240, 640, 3600, 300});
  f.Button("cMajorScale", "Work with Major Scale", {240, 980, 3600, 420}).OnClick([] { ModeButton(1); });
  f.Button("cNotePatterns", "Work with other S&cales", {240, 1460, 3600, 420}).OnClick([] { ModeButton(2); });
  f.Button("cNotesForRaga", "Work with Notes for a &Raga", {240, 1940, 3600, 420}).OnClick([] { ModeButton(3); });
  f.Button("cNotesQuiz", "Take Note Recognition  &Quiz", {240, 2420, 3600, 420}).OnClick([] { ModeButton(4); });
  f.Button("cSwitchWBMode", "Switch Mode", {240, 2960, 1740, 420}).OnClick([] { Dispatch(21); });
  f.Button("cSelNewSca", "Select New Scale", {2100, 2960, 1740, 420}).OnClick([] { Dispatch(9); });
  f.Button("cShowNote", "Show Note", {240, 3440, 1740, 420}).OnClick([] { Dispatch(8); });

  // The details: scale type, selected notes or pattern, phrase notation, the list and the
  // pattern-name box.
  f.Label("Label1", "Scale Type", {4080, 660, 1600, 300}).Hidden();
  f.TextBox("cScaleType", {5760, 620, 5940, 380}).Locked().Hidden();
  f.Label("Label3", "Selected Pattern", {4080, 1100, 1600, 300}).Hidden();
  f.TextBox("cPattern", {5760, 1060, 5940, 380}).Locked().Hidden();
  f.Label("Label5", "Phrase Notation", {4080, 1540, 1600, 300}).Hidden();
  f.TextBox("cCurrentItem", {5760, 1500, 5940, 420}).Hidden();
  // Two lines high: its longer captions ("Selected Base pattern") wrap.
  f.Label("Label6", "Ragas with these notes", {4080, 1900, 1600, 540}).Hidden();
  f.TextBox("cPatName", {5760, 1960, 4500, 380}).Hidden();
  f.Button("cOK", "OK", {10380, 1960, 1320, 380}).Hidden().OnClick([] { Dispatch(28); });
  f.List("cRagaList", {8160, 2440, 3540, 1700}).Hidden().OnClick([] { Dispatch(2); });

  // The question panel.
  auto questions = f.Frame("Frame2", "", {4080, 2440, 3900, 1400});
  questions.Hidden();
  questions.Option("cO1", "", {120, 280, 3600, 300}).OnClick([] { Dispatch(11); });
  questions.Option("cO2", "", {120, 620, 3600, 300}).OnClick([] { Dispatch(12); });
  questions.Option("cO3", "", {120, 960, 3600, 300}).OnClick([] { Dispatch(13); });
  f.Label("Label4", "", {4080, 3880, 3900, 300}).Hidden();

  // Playing: the mode frame, the play buttons and the speed.
  auto modes = f.Frame("Frame1", "Playing Mode", {240, 3940, 3600, 900});
  modes.Option("cOLearn", "Learning Mode", {120, 240, 3300, 280}).OnClick([] { OperationModeChosen(2); });
  modes.Option("cOPract", "Practice Mode", {120, 560, 3300, 280}).OnClick([] { OperationModeChosen(3); });
  f.Button("cPlay", "Play", {4080, 4280, 1100, 420}).OnClick([] { PlayPressed(false); });
  f.Button("cStop", "Stop", {5260, 4280, 1100, 420}).LiveWhileBusy().OnClick([] { StopPressed(false); });
  f.Button("cStartLoop", "Start Looping", {6440, 4280, 1500, 420}).OnClick([] { PlayPressed(true); });
  f.Button("cStopLoop", "Stop Looping", {8020, 4280, 1500, 420}).LiveWhileBusy().OnClick([] { StopPressed(true); });
  // The speed row under the play buttons, above the rule that closes the play area.
  f.Label("Label8", "Slower", {4080, 4720, 800, 300});
  f.Slider("cSlider", {4900, 4710, 3000, 320}).Range(1, 17).Value(9).OnChange([] { SpeedChanged = -1; });
  f.Label("Label9", "Faster", {7960, 4720, 800, 300});
  f.Line("Line3", {240, 5160, 11700, 5160});

  // The keyboard hangs from its base line; the prompt line and the return button below it.
  sound::DeclareKeyboard(f, kKeyboardLine);
  for (forms::MemberSpec& m : f.Members) {
    if (m.Name == "cL") {
      m.Handlers[forms::Event::Click] = [](forms::EventArgs& e) { SetAndDispatch(ClickedNoteLabel, e.Index, 3); };
    }
  }
  f.Line("Line4", {240, 7780, 11700, 7780});
  f.TextBox("cPrompts", {240, 7880, 9900, 820}).Locked().MultiLine();
  f.Button("cReturn", "Go &Back", {10260, 7880, 1440, 420}).OnClick([] { Dispatch(20); });
  // The rules that set the mode column, the details and the play area apart.
  f.Line("Line2", {3960, 640, 3960, 5040});
  f.Line("Line5", {4020, 600, 11760, 600});
  f.Line("Line6", {11760, 600, 11760, 4220});
  f.Line("Line7", {4020, 4220, 11760, 4220});
  f.Line("Line8", {240, 2900, 3900, 2900});
  f.Line("Line9", {240, 3900, 3900, 3900});
  f.Line("Line10", {240, 5040, 11700, 5040});

  f.Timer("cTimer1").OneShot().OnTimer(TimerTick);
  f.MultimediaControl("cMM")
      .On(forms::Event::Done, [](forms::EventArgs& e) { PlayerDone(e); })
      .On(forms::Event::StatusUpdate, [] { Dispatch(23); });

  struct Item {
    const char* name;
    const char* caption;
    std::function<void()> click;
  };
  auto items = [](forms::MenuMember menu, std::initializer_list<Item> list) {
    for (const Item& item : list) menu.Item(item.name, item.caption).OnClick(item.click);
    return menu;
  };

  auto patterns = f.Menu("cMnuMusPat", "Music &Patterns");
  items(patterns.Item("cMnuPlaDro", "Play Drone Only"),
        {{"cMnuWitP", "With Pancham", [] { SetAndDispatch(sound::CurrDroneType, 1, 25); }},
         {"cMnuWitM", "with Madhyam", [] { SetAndDispatch(sound::CurrDroneType, 2, 25); }},
         {"cMnuWitN", "With Nishad", [] { SetAndDispatch(sound::CurrDroneType, 3, 25); }}});
  patterns.Separator("cMnuLin1");
  items(patterns.Item("cMnuSca", "Shuddha Saptak (Major Scale)"),
        {{"cMnuSToS", "S to S>", [] { PatternChosen(0); }}, {"cMnuPToP", "P< to P>", [] { PatternChosen(1); }}});
  auto notePatterns = patterns.Item("cMnuNotPat", "Note Patterns");
  items(notePatterns.Item("cMnuStdPat", "Standard Patterns"),
        {{"cMnu1UC", "1", [] { PatternChosen(2); }},
         {"cMnu2UC", "2", [] { PatternChosen(3); }},
         {"cMnu3UC", "3", [] { PatternChosen(4); }},
         {"cMnu1UC2UC", "4", [] { PatternChosen(5); }},
         {"cMnu2UC3UC", "5", [] { PatternChosen(6); }},
         {"cMnu2UJD1J", "6", [] { PatternChosen(7); }}});
  // The pattern source is set once a user pattern has been chosen from the list.
  notePatterns.Item("cMnuUsePat", "User's Pattern").OnClick([] { Dispatch(29); });
  patterns.Separator("cMnuLin2");
  patterns.Item("cMnuDefPat", "Define Pattern").OnClick([] { SetAndDispatch(DefinePatternStep, int16_t{2}, 26); });
  patterns.Separator("cMnuLin3");
  patterns.Item("cMnuMeePat", "Meend (Glide) Demo").OnClick([] { Dispatch(16); });

  items(f.Menu("cMnuGraNot", "Grace Notes"),
        {{"cMnuUseGraNot", "Use Grace Notes", [] { SettingChosen(shell::GraceNotes, 2, nullptr, 14); }},
         {"cMnuNoGraNot", "No Grace Notes", [] { SettingChosen(shell::GraceNotes, 1, nullptr, 14); }}});
  items(f.Menu("cMnuKebDis", "Keyboard Display"),
        {{"cMnuShoKey", "Show Keyboard",
          [] { SettingChosen(sound::KeyboardDisplay, 1, shell::sMnuKeyboardDisplayCheck, 18); }},
         {"cMnuDonShoKey", "Don't Show Keyboard",
          [] { SettingChosen(sound::KeyboardDisplay, 2, shell::sMnuKeyboardDisplayCheck, 18); }}});
  items(f.Menu("cMnuNotScr", "Notation &Script"),
        {{"cMnuDev", "Devnagari", [] { SettingChosen(shell::NotationScript, 1, shell::sMnuNotationScriptCheck, 24); }},
         {"cMnuEng", "English", [] { SettingChosen(shell::NotationScript, 2, shell::sMnuNotationScriptCheck, 24); }}});
  items(f.Menu("cMnuSyn", "Synchronization"),
        {{"cMnuSlo", "Slow Down", [] { ChangeDelay(-1); }}, {"cMnuSpe", "Speed Up", [] { ChangeDelay(1); }}});
  // The tonic keys in menu order, keys 1 to 12.
  constexpr std::array<std::pair<const char*, const char*>, 12> kTonics{{
      {"cMnuW7", "White 7 (B)"}, {"cMnuW1", "White 1 (C)"}, {"cMnuB1", "Black 1 (C#)"}, {"cMnuW2", "White 2 (D)"},
      {"cMnuB2", "Black 2 (D#)"}, {"cMnuW3", "White 3 (E)"}, {"cMnuW4", "White 4 (F)"}, {"cMnuB3", "Black 3 (F#)"},
      {"cMnuW5", "White 5 (G)"}, {"cMnuB4", "Black 4 (G#)"}, {"cMnuW6", "White 6 (A)"}, {"cMnuB5", "Black 5 (A#)"}}};
  auto tonics = f.Menu("cMnuTonNot", "&Tonic Note");
  for (size_t k = 0; k < kTonics.size(); ++k) {
    const auto key = static_cast<int16_t>(k + 1);
    tonics.Item(kTonics[k].first, kTonics[k].second).OnClick([key] {
      SetAndDispatch(sound::NewTonicNoteId, key, 15);
    });
  }
  shell::DeclareHelpAndTraceMenus(f);
  return f;
}
VELMORA_DECLARE_FORM(DeclareWorkshop)

forms::Form* WorkshopForm() {
  static forms::Form form(DeclareWorkshop());
  return &form;
}

}  // namespace workshop
