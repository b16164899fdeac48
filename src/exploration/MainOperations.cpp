#include "exploration/MainOperations.h"

#include <array>
#include <initializer_list>
#include <string>
#include <utility>

#include "common/CommonState.h"
#include "common/RagaDisplay.h"
#include "common/Trace.h"
#include "exploration/ExplorationState.h"
#include "exploration/Screens.h"
#include "platform/forms/Control.h"
#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"
#include "platform/forms/Registry.h"
#include "platform/vb/Error.h"
#include "shell/FormLayout.h"
#include "shell/Menus.h"
#include "shell/Navigation.h"
#include "shell/ShellState.h"
#include "sound/Keyboard.h"
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

void SetTrace(int16_t on) {
  common::TraceOn = on;
  shell::sMnuTraceCheck();
}

void ModePrompts() {
  switch (sound::CurrOperationMode) {
    case 1: sDisplayDemoModePrompts(); break;
    case 2: sDisplayLearningModePrompts(); break;
    case 3: sDisplayPracticeModePrompts(); break;
    default: break;
  }
}

// Centres the row of boxes present under the raga data: the program list, the user's
// list and the saved scales when they have lines, and the mode frame; each caption
// label takes the left of its box.
void LayOutBoxRow(forms::Form& form) {
  struct Box {
    const char* box;
    const char* label;
    bool present;
  };
  const std::array<Box, 4> boxes{{
      {"cKZIllusList", "Label1", true},
      {"cUserIllusList", "Label8", UserItemsPresent != 0},
      {"cScaleList", "Label16", ScalesPresent != 0},
      {"Frame1", "Label17", ModeFramePresent != 0},
  }};
  int n = 0;
  for (const Box& b : boxes) n += b.present ? 1 : 0;
  const double width = fLayoutWidth(form);
  const double gap = 0.02 * width;
  const double w = form.Ctl("cKZIllusList").Width();
  double left = width / 2 - (n / 2.0) * w - ((n - 1) / 2.0) * gap;
  for (const Box& b : boxes) {
    forms::Control& box = form.Ctl(b.box);
    forms::Control& label = form.Ctl(b.label);
    box.SetVisible(b.present);
    label.SetVisible(b.present);
    if (!b.present) continue;
    box.SetLeft(left);
    label.SetLeft(left);
    left += box.Width() + gap;
  }
  form.Ctl("cLine2").SetVisible(true);
}

}  // namespace

void sMainOperations(int16_t& action) {
  common::ProcTrace t("sMainOperations");
  sound::CallbackCode = 12;
  switch (action) {
    case 0:
      sInitMainOperations();
      break;
    case 3:
      sClearNotationBox();
      sHideMOControls();
      ModePrompts();
      break;
    case 20:
      sTerminateMainOperations();
      break;
    default:
      // Choosing and playing items, stopping, the saved scales, the keyboard, tonic,
      // script and drone menus, raga info, progress marking and the end of playing
      // (1, 2, 5 to 19 and 21) come with the play loop; until then they do nothing.
      break;
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

  LastPlayedSpeed = 0;
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

  // The raga's data.
  f.Label("Label2", "Raga", {240, 120, 900, 360}).Hidden();
  f.TextBox("cRaga", {1200, 120, 3600, 360}).Locked().Hidden();
  f.Label("Label5", "Vadi", {5100, 120, 800, 360}).Hidden();
  f.TextBox("cVadi", {5900, 120, 1400, 360}).Locked().Hidden();
  f.Label("Label6", "Samvadi", {7500, 120, 1000, 360}).Hidden();
  f.TextBox("cSamvadi", {8500, 120, 1400, 360}).Locked().Hidden();
  f.Label("Label3", "Aroha", {240, 540, 900, 360}).Hidden();
  f.TextBox("cAroha", {1200, 540, 10500, 400}).Locked().Hidden();
  f.Label("Label4", "Avroha", {240, 980, 900, 360}).Hidden();
  f.TextBox("cAvroha", {1200, 980, 10500, 400}).Locked().Hidden();
  f.Label("Label7", "Pakad", {240, 1420, 900, 360}).Hidden();
  f.TextBox("cPakad", {1200, 1420, 10500, 400}).Locked().Hidden();

  // The raga's notes, and in their place the item in hand.
  f.TextBox("cNotes", {240, 1900, 11460, 820}).Locked().MultiLine().Hidden();
  f.TextBox("cInfo", {240, 1900, 11460, 380}).Locked().Hidden();
  f.TextBox("cCurrentItem", {240, 2300, 11460, 420}).Hidden();

  // The play controls.
  f.Button("cPlay", "Play", {240, 2820, 1100, 420}).Hidden();
  f.Button("cStop", "Stop", {1420, 2820, 1100, 420}).Hidden();
  f.Button("cStartLoop", "Start Looping", {2600, 2820, 1500, 420}).Hidden();
  f.Button("cStopLoop", "Stop Looping", {4180, 2820, 1500, 420}).Hidden();
  f.Button("cStopCur", "Stop Current", {5760, 2820, 1500, 420}).Hidden();
  auto select = f.Frame("Frame2", "Select Desired", {7560, 2760, 4140, 720});
  select.Hidden();
  select.Option("Option4", "Next", {120, 300, 1900, 330});
  select.Option("Option5", "Prev", {2100, 300, 1900, 330});
  f.Label("Label11", "Slower", {240, 3340, 800, 330}).Hidden();
  f.Slider("cSlider", {1060, 3300, 3000, 400}).Range(1, 17).Value(9).Hidden();
  f.Label("Label12", "Faster", {4100, 3340, 800, 330}).Hidden();

  // The row of lists and the mode frame; sInitMainOperations centres the boxes present.
  f.Label("Label1", "KZ Items. Click to Play", {240, 3760, 2700, 300}).Hidden();
  f.List("cKZIllusList", {240, 4060, 2700, 1260});
  f.Label("Label8", "User's Items. Click to Play", {3180, 3760, 2700, 300}).Hidden();
  f.List("cUserIllusList", {3180, 4060, 2700, 1260}).Hidden();
  f.Label("Label16", "Select User-defined Scale", {6120, 3760, 2700, 300}).Hidden();
  f.List("cScaleList", {6120, 4060, 2700, 1260}).Hidden();
  f.Label("Label17", "Select Playing Mode", {9060, 3760, 2400, 300}).Hidden();
  auto modes = f.Frame("Frame1", "", {9060, 4060, 2400, 1260});
  modes.Option("Option1", "Demo Mode", {120, 200, 2100, 300}).OnClick([] { ModeChosen(1); });
  modes.Option("Option2", "Learning Mode", {120, 560, 2100, 300}).OnClick([] { ModeChosen(2); });
  modes.Option("Option3", "Practice Mode", {120, 920, 2100, 300}).OnClick([] { ModeChosen(3); });
  f.Line("cLine2", {240, 5420, 11700, 5420}).Hidden();

  // The keyboard hangs from its base line; the prompt line and the return button below it.
  sound::DeclareKeyboard(f, 5560);
  f.TextBox("cPrompts", {240, 7880, 9900, 560}).Locked().MultiLine();
  f.Button("cReturn", "Go &Back", {10260, 7880, 1440, 420}).OnClick([] { Dispatch(20); });
  f.MultimediaControl("cMM");

  using Items = std::initializer_list<std::pair<const char*, const char*>>;
  auto menu = [&f](const char* name, const char* caption, Items items) {
    auto m = f.Menu(name, caption);
    for (const auto& [item, text] : items) m.Item(item, text);
  };
  menu("cMnuDro", "D&rone", {{"cMnuDroLou", "Louder"}, {"cMnuDroSof", "Softer"}});
  menu("cMnuGraNot", "&Grace Notes", {{"cMnuUseGraNot", "Use Grace Notes"}, {"cMnuNoGraNot", "No Grace Notes"}});
  menu("cMnuKebDis", "Keyboard Display", {{"cMnuShoKey", "Show Keyboard"}, {"cMnuDonShoKey", "Don't Show Keyboard"}});
  menu("cMnuNotScr", "Notation &Script", {{"cMnuDev", "Devnagari"}, {"cMnuEng", "English"}});
  menu("cMnuRagInf", "Raga Info", {});
  menu("cMnuSyn", "Synchronization", {{"cMnuSlo", "Slow Down"}, {"cMnuSpe", "Speed Up"}});
  menu("cMnuTonKey", "&Tonic Note",
       {{"cMnuW7", "White 7 (B)"}, {"cMnuW1", "White 1 (C)"}, {"cMnuB1", "Black 1 (C#)"}, {"cMnuW2", "White 2 (D)"},
        {"cMnuB2", "Black 2 (D#)"}, {"cMnuW3", "White 3 (E)"}, {"cMnuW4", "White 4 (F)"}, {"cMnuB3", "Black 3 (F#)"},
        {"cMnuW5", "White 5 (G)"}, {"cMnuB4", "Black 4 (G#)"}, {"cMnuW6", "White 6 (A)"}, {"cMnuB5", "Black 5 (A#)"}});
  f.Menu("cMnuHel", "&Help").Item("cMnuPreF1", "Press F1 any time to obtain Help");
  f.Menu("cMnuTraOn", "Trace On").OnClick([] { SetTrace(-1); });
  f.Menu("cMnuTraOff", "TraceOff").OnClick([] { SetTrace(0); });
  return f;
}
VELMORA_DECLARE_FORM(DeclareMainOperations)

forms::Form* MainOperationsForm() {
  static forms::Form form(DeclareMainOperations());
  return &form;
}

}  // namespace exploration
