// The Composer form: its declaration and its event handlers. Each handler stores what
// the event carries in the composer's words and calls the dispatcher; a few only set a
// word.
#include <initializer_list>
#include <limits>
#include <string>

#include "common/CommonState.h"
#include "common/StringUtil.h"
#include "common/Trace.h"
#include "composer/Composer.h"
#include "composer/ComposerRecords.h"
#include "composer/ComposerState.h"
#include "platform/forms/Control.h"
#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"
#include "platform/forms/Registry.h"
#include "platform/mci/MMControl.h"
#include "shell/Menus.h"
#include "shell/Navigation.h"
#include "shell/Players.h"
#include "shell/SettingsWords.h"
#include "shell/ShellState.h"
#include "sound/Playback.h"
#include "sound/SoundState.h"

namespace composer {

// The form's close box; defined with the dispatcher's actions.
bool fComposerMayClose();
void sComposerClosing();

namespace {

constexpr forms::Colour kBlack = 0;

void Dispatch(int16_t code) {
  int16_t action = code;
  sComposer(action);
}

void CategoryChosen(int16_t phraseType, int16_t itemKind) {
  common::CurrPhraseType = phraseType;
  sound::CurrItemKind = itemKind;
  SavedItemKind = itemKind;
  Dispatch(2);
}

// A palette note or time value: chosen, or given up when it was chosen already.
void Toggle(int16_t& selected, int16_t index, int16_t action) {
  selected = selected == index ? int16_t{-1} : index;
  Dispatch(action);
}

void SlotClicked(const forms::EventArgs& e, int16_t action) {
  ComposerSlot = e.Index;
  Dispatch(action);
}

// A syllable typed by the learner; the program's own filling of the boxes is not an
// edit. A syllable is one word: blanks typed into it are taken out.
void SyllableTyped(const forms::EventArgs& e) {
  if (e.FromCode) return;
  forms::Control& box = ComposerForm()->Ctl("cCompSyl", e.Index);
  const std::string typed = box.Text();
  const std::string word = common::fRmvAllChar(common::fRmvAllChar(typed, " "), "\t");
  if (word != typed) box.SetText(word);
  ComposerSlot = e.Index;
  Dispatch(15);
}

// A box edited by the learner.
void BoxEdited(const forms::EventArgs& e) {
  if (!e.FromCode) sNoteWorkChanged();
}

void NotationBoxClicked(int16_t itemKind) {
  sound::CurrItemKind = itemKind;
  if (itemKind == sound::kScaleKind && SavedItemKind == 0) SavedItemKind = itemKind;
  Dispatch(9);
}

void InsertOrDelete(bool insert) {
  InsertSlotPending = insert;
  DeleteSlotPending = !insert;
}

void PalletChosen(int16_t pallet) {
  NotePallet = pallet;
  shell::sMnuNotePalletCheck();
  Dispatch(pallet == 1 ? 22 : 23);
}

void ScriptChosen(int16_t script) {
  shell::NotationScript = script;
  shell::sMnuNotationScriptCheck();
  Dispatch(24);
}

// The marking allowance: never below 0, and at the largest value it stays there.
void ChangeDelay(int16_t by) {
  if (by < 0 && shell::DelayC <= 0) return;
  if (by > 0 && shell::DelayC == std::numeric_limits<int16_t>::max()) return;
  shell::DelayC = static_cast<int16_t>(shell::DelayC + by);
}

void PlayerDone(const forms::EventArgs& e) {
  sound::MCINotifyCode = e.NotifyCode;
  sound::sPlayMusicFile(sound::MusicFileToPlay);
}

// The close box: unsaved work is left only when the learner says so.
void QueryClose(forms::EventArgs& e) {
  if (e.UnloadMode == forms::vbFormCode) return;
  if (!fComposerMayClose()) e.Cancel = 1;
}

void Unloading() {
  if (shell::TerminatingForm != 1) sComposerClosing();
  shell::OnScreenUnload();
}

// A slot array's designed element: a bordered, centred label.
forms::Member Slot(forms::FormSpec& f, const char* name, forms::Rect r) {
  forms::Member m = f.Label(name, "", r);
  m.Index(0).Alignment(2).BorderStyle(1).ForeColor(kBlack).BackColor(0xFFFFFF).Hidden();
  return m;
}

}  // namespace

forms::FormSpec DeclareComposer() {
  using forms::Event;
  forms::FormSpec f("Composer", "Composer", 27, {600, 450, 12000, 9000});
  shell::RouteScreenEvents(f);
  f.OnQueryUnload(QueryClose);
  f.OnUnload(Unloading);

  // The raga's data; a click on its aroha, avroha or pakad plays it.
  f.Label("Label2", "Raga", {240, 80, 700, 300}).Hidden();
  f.TextBox("cRaga", {960, 60, 2700, 340}).Locked().Hidden();
  f.Label("Label5", "Vadi", {3840, 90, 600, 300}).Hidden();
  f.TextBox("cVadi", {4440, 60, 1200, 340}).Locked().Hidden();
  f.Label("Label6", "Samvadi", {5820, 90, 900, 300}).Hidden();
  f.TextBox("cSamvadi", {6720, 60, 1200, 340}).Locked().Hidden();
  f.Label("Label3", "Aroha", {240, 460, 700, 300}).Hidden();
  f.TextBox("cAroha", {960, 430, 10800, 360}).Locked().Hidden().OnClick([] { NotationBoxClicked(sound::kScaleKind); });
  f.Label("Label4", "Avroha", {240, 850, 700, 300}).Hidden();
  f.TextBox("cAvroha", {960, 820, 10800, 360}).Locked().Hidden().OnClick([] { NotationBoxClicked(sound::kScaleKind); });
  f.Label("Label7", "Pakad", {240, 1240, 700, 300}).Hidden();
  f.TextBox("cPakad", {960, 1210, 10800, 360}).Locked().Hidden().OnClick([] { NotationBoxClicked(sound::kPakadKind); });
  f.Line("cLine1", {240, 1640, 11760, 1640}).Hidden();

  // The one list of the dialogue: ragas, talas or the user's compositions.
  f.Label("Label1", "Select Raga", {4200, 1780, 3600, 300}).Alignment(2).Hidden();
  f.List("cRagaList", {4200, 2120, 3600, 3400}).Hidden().OnClick([] { Dispatch(1); });
  auto category = f.Frame("cFMusCat", "Musical Category", {4500, 2200, 3000, 2100});
  category.Hidden();
  category.Option("cOAlap", "Alap", {240, 300, 2500, 300}).OnClick([] { CategoryChosen(1, 3); });
  category.Option("cOLayakari", "Layakari", {240, 640, 2500, 300}).OnClick([] { CategoryChosen(2, 4); });
  category.Option("cOTaan", "Taan", {240, 980, 2500, 300}).OnClick([] { CategoryChosen(3, 5); });
  category.Option("cOCompN", "New Composition", {240, 1320, 2500, 300}).OnClick([] { CategoryChosen(4, 6); });
  category.Option("cOCompE", "Existing Composition", {240, 1660, 2500, 300}).OnClick([] { CategoryChosen(5, 6); });

  // A composition's texts and details.
  f.Label("Label12", "Asthai", {240, 1750, 900, 300}).Hidden();
  f.TextBox("cAsthai", {1200, 1720, 10560, 340}).Hidden().OnChange(BoxEdited);
  f.Label("Label13", "Antara", {240, 2130, 900, 300}).Hidden();
  f.TextBox("cAntara", {1200, 2100, 10560, 340}).Hidden().OnChange(BoxEdited);
  f.Label("Label18", "Taal", {240, 2520, 480, 300}).NoWordWrap().Hidden();
  f.TextBox("cTaal", {740, 2490, 1300, 340}).Locked().Hidden();
  f.Label("Label17", "Mukhada", {2140, 2520, 800, 300}).NoWordWrap().Hidden();
  f.TextBox("cMukhada", {2960, 2490, 1700, 340}).Hidden().OnChange(BoxEdited);
  f.Label("Label16", "Asthai Starting Beat", {4760, 2520, 1800, 300}).NoWordWrap().Hidden();
  f.TextBox("cStartBeatAst", {6580, 2490, 450, 340}).Hidden().OnChange(BoxEdited);
  f.Label("Label15", "Antara Starting Beat", {7130, 2520, 1800, 300}).NoWordWrap().Hidden();
  f.TextBox("cStartBeatAnt", {8950, 2490, 450, 340}).Hidden().OnChange(BoxEdited);
  f.Label("Label14", "Beat Duration", {9500, 2520, 1200, 300}).NoWordWrap().Hidden();
  f.TextBox("cSpeed", {10720, 2490, 550, 340}).Hidden().OnChange(BoxEdited);
  f.Label("Label8", "", {1200, 3010, 9600, 300}).Alignment(2).Hidden();
  f.Button("cOK", "OK", {5400, 3490, 1200, 400}).Hidden().OnClick([] { Dispatch(3); });

  // The time values, the palette and the slots: element 0 of each array is designed,
  // the others are made for each category's layout.
  Slot(f, "cTimeVal", {1250, 3010, 500, 300}).Font("", 7).OnClick([](forms::EventArgs& e) {
    Toggle(SelectedTimeValue, e.Index, 5);
  });
  Slot(f, "cNotation", {200, 3490, 400, 420}).OnClick([](forms::EventArgs& e) {
    Toggle(SelectedPalletNote, e.Index, 4);
  });
  f.Button("cMoveU", "Move Up", {1000, 4090, 1000, 270}).Hidden().OnClick([] { Dispatch(12); });
  f.Label("cLabel", "Grace Notes", {60, 4360, 940, 270}).Index(0).Alignment(1).Font("", 7).Hidden();
  Slot(f, "cGNote", {1000, 4360, 500, 360}).OnClick([](forms::EventArgs& e) { SlotClicked(e, 7); });
  Slot(f, "cNote", {1000, 4720, 500, 420}).OnClick([](forms::EventArgs& e) { SlotClicked(e, 6); });
  Slot(f, "cTime", {1000, 5140, 500, 270}).Font("", 7).OnClick([](forms::EventArgs& e) { SlotClicked(e, 8); });
  f.TextBox("cCompSyl", {1000, 5410, 500, 300}).Index(0).Font("", 7).Hidden().OnChange(SyllableTyped);
  f.Label("Label9", "Row", {11000, 4720, 800, 270}).Font("", 7).Hidden();
  f.Label("Label10", "Row", {11000, 6250, 800, 270}).Font("", 7).Hidden();
  f.Button("cMoveD", "Move Down", {9850, 7240, 1150, 270}).Hidden().OnClick([] { Dispatch(11); });

  // The button line, and the part and insert/delete choices below it.
  f.Button("cPlay", "Play", {1000, 7282, 1000, 400}).Hidden().OnClick([] { Dispatch(9); });
  f.Button("cSave", "Save", {2120, 7282, 1000, 400}).Hidden().OnClick([] { Dispatch(16); });
  f.Button("cNewCat", "New Category", {3480, 7282, 1300, 400}).Hidden().OnClick([] { Dispatch(13); });
  f.Button("cNewRaga", "New Raga", {4900, 7282, 1200, 400}).Hidden().OnClick([] { Dispatch(14); });
  auto part = f.Frame("Frame1", "Comp. Part", {6400, 7250, 1300, 780});
  part.Hidden();
  part.Option("cOAsthai", "Asthai", {100, 220, 1100, 270}).OnClick([] { Dispatch(17); });
  part.Option("cOAntara", "Antara", {100, 500, 1100, 270}).OnClick([] { Dispatch(18); });
  auto edit = f.Frame("Frame2", "Insert / Delete", {7800, 7250, 1950, 780});
  edit.Hidden();
  edit.Option("cOIns", "Insert Blank Slot", {100, 220, 1800, 270}).OnClick([] { InsertOrDelete(true); });
  edit.Option("cODel", "Delete Slot", {100, 500, 1800, 270}).OnClick([] { InsertOrDelete(false); });

  f.TextBox("cPrompts", {240, 8060, 9900, 600}).Locked().MultiLine();
  f.Button("cReturn", "Go &Back", {10260, 8060, 1440, 420}).OnClick([] { Dispatch(20); });
  f.MultimediaControl("cMM")
      .On(Event::Done, [](forms::EventArgs& e) { PlayerDone(e); })
      .On(Event::StatusUpdate, [] { Dispatch(21); });

  auto script = f.Menu("cMnuNotScr", "Notation &Script");
  script.Item("cMnuDev", "Devnagari").OnClick([] { ScriptChosen(1); });
  script.Item("cMnuEng", "English").OnClick([] { ScriptChosen(2); });
  auto pallet = f.Menu("cMnuPal", "&Palette");
  pallet.Item("cMnuNotForRag", "Notes For Raga Only").OnClick([] { PalletChosen(1); });
  pallet.Item("cMnuAllNot", "All Notes").OnClick([] { PalletChosen(2); });
  auto sync = f.Menu("cMnuSyn", "Synchronization");
  sync.Item("cMnuSlo", "Slow Down").LiveWhileBusy().OnClick([] { ChangeDelay(-1); });
  sync.Item("cMnuSpe", "Speed Up").LiveWhileBusy().OnClick([] { ChangeDelay(1); });
  auto help = f.Menu("cMnuHel", "&Help");
  help.Item("cMnuTraOn", "Trace On").LiveWhileBusy().OnClick([] { shell::sSetTrace(-1); });
  help.Item("cMnuTraOff", "TraceOff").LiveWhileBusy().OnClick([] { shell::sSetTrace(0); });
  return f;
}
VELMORA_DECLARE_FORM(DeclareComposer)

forms::Form* ComposerForm() {
  static forms::Form form(DeclareComposer());
  return &form;
}

}  // namespace composer
