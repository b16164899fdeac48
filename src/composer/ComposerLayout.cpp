// The Composer's screen: opening and leaving it, the slot rows and the button line,
// the palette, the time values, the raga and tala lists, the prompt lines and the
// hiding of groups of controls.
#include <array>
#include <string>
#include <utility>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "common/Queries.h"
#include "common/RagaDisplay.h"
#include "common/Trace.h"
#include "composer/Composer.h"
#include "composer/ComposerScreen.h"
#include "composer/ComposerState.h"
#include "exploration/Screens.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Error.h"
#include "shell/FormLayout.h"
#include "shell/Menus.h"
#include "shell/Navigation.h"
#include "shell/ShellState.h"
#include "sound/Keyboard.h"
#include "sound/SoundState.h"

namespace composer {

namespace {

constexpr int16_t kTaan = 3;
constexpr int16_t kFirstPalletNote = 5;
constexpr int16_t kLastPalletNote = 31;
constexpr int16_t kPalletComma = 32;
constexpr int16_t kTimeValueCount = 19;
constexpr int16_t kSlotCount = 40;

bool IsComposition(int16_t type) { return type == 4 || type == 5; }

// The notation font of the current script on a slot or palette entry.
void ScriptFont(forms::Control& c) { common::sAdjustFont(c); }

forms::Control& Element(forms::Form& form, const char* name, int16_t index) {
  if (!form.HasElement(name, index)) return form.LoadElement(name, index);
  return form.Ctl(name, index);
}

// A time value's caption in the general number format.
std::string Caption(double value) { return vb::FormatGeneral(value); }

constexpr std::array<double, kTimeValueCount> kBeatValues{0.0625, 0.125, 0.25, 0.33, 0.5, 0.67, 0.75, 1,   1.25, 1.33,
                                                          1.5,    1.67,  1.75, 2,    2.5, 3,    3.5,  4, 5};

void ShowPrompt(const char* keys) {
  ComposerFront().Ctl("cPrompts").SetText(sound::fGetScaleInfo() + shell::PromptSeparator + common::fGetPrompts(keys));
}

}  // namespace

forms::Form& ComposerFront() {
  if (!ComposerInFront()) vb::Raise(vb::kObjectNotSet, "Object variable not set (the Composer is not in front)");
  return *shell::CurrForm;
}

bool ComposerInFront() {
  forms::Form* form = ComposerForm();
  return shell::CurrForm == form && form->Loaded();
}

double fComposerWidth(forms::Form& form) { return exploration::fLayoutWidth(form); }

double fComposerHeight(forms::Form& form) {
  double height = shell::FormState == forms::vbMaximized ? shell::MaxFormH : shell::FormH;
  if (height <= 0) height = form.ScaleHeight();
  if (height <= 0) height = form.Spec().Design.Height;
  return height;
}

void sInitComposer() {
  common::ProcTrace t("sInitComposer");
  common::CurrDBSelector = 2;
  sound::CallbackCode = 11;
  shell::sEnterForm(27);
  int16_t hideParent = 1;
  shell::sShowForm(hideParent);
  SavedOperationMode = sound::CurrOperationMode;
  sound::CurrOperationMode = 1;
  SavedTheka = sound::Theka;
  sound::Theka = 1;
  NotePallet = 1;
  RowImageCount = 0;
  TopRowIndex = 1;
  sSetSlotLayoutPresent(false);
  PalletPresent = false;
  ComposerPlaying = false;
  WorkChanged = false;
  forms::Form& form = ComposerFront();
  if (shell::DevnagariAvailable == 0) form.Ctl("cMnuDev").SetVisible(false);
  shell::sMnuNotationScriptCheck();
  shell::sMnuNotePalletCheck();
  shell::sMnuTraceCheck();
  form.Ctl("cMnuNotScr").SetEnabled(false);
}

void sRestoreComposerSettings() {
  common::ProcTrace t("sRestoreComposerSettings");
  common::CurrDBSelector = 1;
  sound::CurrOperationMode = SavedOperationMode;
  sound::Theka = SavedTheka;
  SlotLayoutPresent = false;
  PalletPresent = false;
  ComposerPlaying = false;
  WorkChanged = false;
}

void sTerminateComposer() {
  common::ProcTrace t("sTerminateComposer");
  common::CurrDBSelector = 1;
  int16_t levels = 1;
  shell::sStructuredTermination(levels);
  sRestoreComposerSettings();
}

namespace {

// The key of the phrase area's placing kept with the form.
constexpr const char* kPhraseArea = "phrase area";

double Bottom(const forms::Control& c) { return c.Top() + c.Height(); }

// Places the slot rows of a layout of `rows` x `cols` built for phrase type `type` under
// the palette, with their row labels, the move buttons, the button line and, for a
// layakari, the beat duration right of the time values.
void PlaceSlotRows(forms::Form& form, int16_t rows, int16_t cols, int16_t type) {
  const double W = fComposerWidth(form);
  const double H = fComposerHeight(form);
  const bool taan = type == kTaan;
  const bool syllables = IsComposition(type);
  forms::Control& note0 = form.Ctl("cNote", 0);
  const forms::Control& grace0 = form.Ctl("cGNote", 0);
  const forms::Control& time0 = form.Ctl("cTime", 0);
  const forms::Control& syl0 = form.Ctl("cCompSyl", 0);
  const forms::Control& label0 = form.Ctl("cLabel", 0);

  double rowTop = Bottom(form.Ctl("cNotation", 0)) + 0.02 * H;
  // Slots shrink to fit a narrow window (never grow); every row of a slot is as wide.
  if (W < cols * note0.Width()) note0.SetWidth(W / cols);
  for (const char* name : {"cGNote", "cTime", "cCompSyl"}) form.Ctl(name, 0).SetWidth(note0.Width());
  const double x0 = W / 2 - cols * note0.Width() / 2;

  forms::Control& moveUp = form.Ctl("cMoveU");
  moveUp.Move(x0, rowTop, moveUp.Width(), moveUp.Height());
  rowTop += moveUp.Height();

  int16_t k = 0;
  for (int16_t r = 1; r <= rows; ++r) {
    const auto first = static_cast<int16_t>(4 * r - 4);
    for (int16_t n = first; n < first + 4; ++n) form.Ctl("cLabel", n).SetWidth(label0.Width());
    double x = x0;
    for (int16_t c = 1; c <= cols; ++c, ++k) {
      forms::Control& note = form.Ctl("cNote", k);
      if (!taan) {
        forms::Control& grace = form.Ctl("cGNote", k);
        grace.Move(x, rowTop, note0.Width(), grace0.Height());
        note.Move(x, Bottom(grace), note0.Width(), note0.Height());
        form.Ctl("cTime", k).Move(x, Bottom(note), note0.Width(), time0.Height());
      } else {
        note.Move(x, rowTop, note0.Width(), note0.Height());
      }
      if (syllables) form.Ctl("cCompSyl", k).Move(x, Bottom(form.Ctl("cTime", k)), note0.Width(), syl0.Height());
      if (c == 1) {
        // The row's labels, right against its first slot.
        const std::pair<int16_t, const char*> labels[] = {{first, taan ? nullptr : "cGNote"},
                                                          {static_cast<int16_t>(first + 1), "cNote"},
                                                          {static_cast<int16_t>(first + 2), taan ? nullptr : "cTime"},
                                                          {static_cast<int16_t>(first + 3), syllables ? "cCompSyl" : nullptr}};
        for (const auto& [index, beside] : labels) {
          if (beside == nullptr) continue;
          const forms::Control& slot = form.Ctl(beside, k);
          form.Ctl("cLabel", index).Move(slot.Left() - label0.Width(), slot.Top(), label0.Width(), label0.Height());
        }
      }
      x += note0.Width();
    }
    rowTop += grace0.Height() + note0.Height() + 0.02 * H;
    if (!taan) rowTop += time0.Height();
    if (syllables) rowTop += syl0.Height();
    // The row number beside the row's last note slot.
    if (r == 1 || r == rows) {
      const forms::Control& last = form.Ctl("cNote", static_cast<int16_t>(k - 1));
      forms::Control& label = form.Ctl(r == 1 ? "Label9" : "Label10");
      label.SetTop(last.Top());
      label.SetLeft(last.Left() + last.Width());
    }
  }

  // Move Down under the right end of the last row.
  const auto last = static_cast<int16_t>(k - 1);
  const forms::Control& lastNote = form.Ctl("cNote", last);
  const char* lowest = taan ? "cNote" : syllables ? "cCompSyl" : "cTime";
  forms::Control& moveDown = form.Ctl("cMoveD");
  moveDown.SetLeft(lastNote.Left() + lastNote.Width() - moveDown.Width());
  moveDown.SetTop(Bottom(form.Ctl(lowest, last)));

  // The button line.
  forms::Control& play = form.Ctl("cPlay");
  play.SetTop(moveDown.Top() + 0.005 * H);
  play.SetLeft(form.Ctl("cNote", 0).Left());
  const std::pair<const char*, double> buttons[] = {{"cSave", 0.01}, {"cNewCat", 0.03}, {"cNewRaga", 0.01}};
  const forms::Control* before = &play;
  for (const auto& [name, gap] : buttons) {
    forms::Control& button = form.Ctl(name);
    button.SetTop(play.Top());
    button.SetLeft(before->Left() + before->Width() + gap * W);
    before = &button;
  }

  if (type == 2) {
    // The beat duration of a layakari, right of the time values.
    forms::Control& label = form.Ctl("Label14");
    forms::Control& speed = form.Ctl("cSpeed");
    const forms::Control& value0 = form.Ctl("cTimeVal", 0);
    const forms::Control& value18 = form.Ctl("cTimeVal", 18);
    label.SetTop(value0.Top() - label.Height() / 2);
    label.SetLeft(value18.Left() + value18.Width());
    speed.SetTop(value0.Top() + label.Height() / 2);
    speed.SetLeft(label.Left() + (label.Width() - speed.Width()) / 2);
  }
}

// Places the palette on the line at top, centred as if 29 entries wide.
void PlacePalette(forms::Form& form, double top) {
  const double W = fComposerWidth(form);
  forms::Control& entry0 = form.Ctl("cNotation", 0);
  entry0.SetTop(top);
  if (W < 29 * entry0.Width()) entry0.SetWidth(W / 29);
  double x = W / 2 - 14.5 * entry0.Width();
  for (int16_t i = kFirstPalletNote; i <= kPalletComma; ++i) {
    form.Ctl("cNotation", i).Move(x, top, entry0.Width(), entry0.Height());
    x += entry0.Width();
  }
}

// Places the 19 time values on the line at top, centred.
void PlaceTimeValues(forms::Form& form, double top) {
  const double W = fComposerWidth(form);
  forms::Control& value0 = form.Ctl("cTimeVal", 0);
  if (W < 20 * value0.Width()) value0.SetWidth(W / 20);
  double x = W / 2 - 9.5 * value0.Width();
  for (int16_t i = 0; i < kTimeValueCount; ++i) {
    form.Ctl("cTimeVal", i).Move(x, top, value0.Width(), value0.Height());
    x += value0.Width();
  }
}

// The phrase area of phrase type `type` from `top` down: the time values (none for
// taan), the palette 2 % of the height under them, the slot rows under the palette.
void PlacePhraseArea(forms::Form& form, double top, int16_t type) {
  const double H = fComposerHeight(form);
  if (type != kTaan) {
    PlaceTimeValues(form, top);
    top = Bottom(form.Ctl("cTimeVal", 0)) + 0.02 * H;
  }
  PlacePalette(form, top);
  PlaceSlotRows(form, 2, 20, type);
}

}  // namespace

void sLoadPhraseArea(double (*top)(forms::Form& form)) {
  common::ProcTrace t("sLoadPhraseArea");
  forms::Form& form = ComposerFront();
  const int16_t type = common::CurrPhraseType;
  if (type != kTaan) sLoadTimeValuesArrayToForm();
  sLoadNotesPalletToForm();
  TopRowIndex = 1;
  sLoadNotesArrayToForm(2, 20);
  // Placed now, and again at every layout of the form.
  form.Arrange(kPhraseArea, [&form, top, type] { PlacePhraseArea(form, top(form), type); });
}

void sLoadNotesArrayToForm(int16_t rows, int16_t cols) {
  common::ProcTrace t("sLoadNotesArrayToForm");
  forms::Form& form = ComposerFront();
  const int16_t type = common::CurrPhraseType;
  const bool taan = type == kTaan;
  const bool syllables = IsComposition(type);
  forms::Control& note0 = form.Ctl("cNote", 0);
  forms::Control& grace0 = form.Ctl("cGNote", 0);
  note0.SetCaption("");
  grace0.SetCaption("");
  form.Ctl("cTime", 0).SetCaption("");
  form.Ctl("cCompSyl", 0).SetText("");
  ScriptFont(note0);
  ScriptFont(grace0);

  int16_t k = 0;
  for (int16_t r = 1; r <= rows; ++r) {
    const auto first = static_cast<int16_t>(4 * r - 4);
    for (int16_t n = first; n < first + 4; ++n) Element(form, "cLabel", n);
    for (int16_t c = 1; c <= cols; ++c, ++k) {
      forms::Control& note = Element(form, "cNote", k);
      ScriptFont(note);
      note.SetVisible(true);
      if (!taan) {
        forms::Control& grace = Element(form, "cGNote", k);
        ScriptFont(grace);
        grace.SetVisible(true);
        Element(form, "cTime", k).SetVisible(true);
      }
      if (syllables) Element(form, "cCompSyl", k).SetVisible(true);
    }
    // The row's labels: those of the rows the phrase type has.
    const std::pair<const char*, bool> labels[] = {
        {"Grace Notes", !taan}, {"Main Notes", true}, {"Duration", !taan}, {"Syllables", syllables}};
    for (int16_t n = 0; n < 4; ++n) {
      forms::Control& label = form.Ctl("cLabel", static_cast<int16_t>(first + n));
      label.SetVisible(labels[n].second);
      if (labels[n].second) label.SetCaption(labels[n].first);
    }
  }
  for (const char* name : {"cMoveU", "cMoveD", "cPlay", "cSave", "cNewCat", "cNewRaga"}) form.Ctl(name).SetVisible(true);
  if (type == 2) {
    form.Ctl("Label14").SetVisible(true);
    forms::Control& speed = form.Ctl("cSpeed");
    speed.SetVisible(true);
    speed.SetText("40");
  }
  InsertSlotPending = false;
  DeleteSlotPending = false;
  sSetSlotLayoutPresent(true);
  sSetMoveButtons();
}

void sSetSlotLayoutPresent(bool present) {
  common::ProcTrace t("sSetSlotLayoutPresent");
  SlotLayoutPresent = present;
  forms::Form& form = ComposerFront();
  for (const char* name : {"cAroha", "cAvroha", "cPakad"}) form.Ctl(name).SetEnabled(present);
}

void sUnloadPhraseArrayElements() {
  common::ProcTrace t("sUnloadPhraseArrayElements");
  forms::Form& form = ComposerFront();
  // Its placing goes first: the members it moved go back to their places.
  form.Unarrange(kPhraseArea);
  for (int16_t k = 1; k < kSlotCount; ++k) {
    for (const char* name : {"cNote", "cGNote", "cTime", "cCompSyl"}) form.UnloadElement(name, k);
  }
  for (int16_t k = 1; k <= 7; ++k) form.UnloadElement("cLabel", k);
  for (int16_t k = kFirstPalletNote; k <= kPalletComma; ++k) form.UnloadElement("cNotation", k);
  for (int16_t k = 1; k < kTimeValueCount; ++k) form.UnloadElement("cTimeVal", k);
  sSetSlotLayoutPresent(false);
  PalletPresent = false;
}

void sLoadNotesPalletToForm() {
  common::ProcTrace t("sLoadNotesPalletToForm");
  forms::Form& form = ComposerFront();
  for (int16_t i = kFirstPalletNote; i <= kPalletComma; ++i) {
    forms::Control& entry = Element(form, "cNotation", i);
    entry.SetForeColor(0);
    entry.SetVisible(true);
  }
  sLoadPalletNotes();
  forms::Control& comma = form.Ctl("cNotation", kPalletComma);
  common::FormNotationControl notation(comma);
  common::sSetEnglishFont(notation);
  comma.SetCaption(",");
  PalletPresent = true;
  // A palette is built fresh: nothing on it is chosen yet.
  SelectedPalletNote = PrevPalletNote = -1;
  if (NotePallet == 2) {
    sShowAllNotesInPallet();
  } else {
    sAdjustNotesPalletForRaga();
  }
}

void sLoadPalletNotes() {
  common::ProcTrace t("sLoadPalletNotes");
  forms::Form& form = ComposerFront();
  for (int16_t i = kFirstPalletNote; i <= kLastPalletNote; ++i) {
    forms::Control& entry = form.Ctl("cNotation", i);
    ScriptFont(entry);
    entry.SetCaption(common::fGetStringForNote(i));
  }
}

void sAdjustNotesPalletForRaga() {
  common::ProcTrace t("sAdjustNotesPalletForRaga");
  auto rs = shell::DatabaseA.OpenRecordset("Raga - Notes", dao::dbOpenTable);
  common::sSetTablePKRecord(rs, common::CurrRagaIndex);
  const std::string ids = rs.Fields("Raga Note Ids").ToString();
  rs.Close();
  forms::Form& form = ComposerFront();
  for (int16_t i = kFirstPalletNote; i <= kLastPalletNote; ++i) form.Ctl("cNotation", i).SetVisible(false);
  for (const std::string& id : common::notation::Words(ids, " ")) {
    const double n = vb::Val(id);
    for (double j : {n - 12, n, n + 12}) {
      if (j >= kFirstPalletNote && j <= kLastPalletNote) form.Ctl("cNotation", static_cast<int16_t>(j)).SetVisible(true);
    }
  }
}

void sShowAllNotesInPallet() {
  common::ProcTrace t("sShowAllNotesInPallet");
  forms::Form& form = ComposerFront();
  for (int16_t i = kFirstPalletNote; i <= kLastPalletNote; ++i) form.Ctl("cNotation", i).SetVisible(true);
}

void sLoadTimeValuesArrayToForm() {
  common::ProcTrace t("sLoadTimeValuesArrayToForm");
  forms::Form& form = ComposerFront();
  sSetTimeValues(common::CurrPhraseType);
  for (int16_t i = 0; i < kTimeValueCount; ++i) {
    forms::Control& value = Element(form, "cTimeVal", i);
    value.SetForeColor(0);
    value.SetVisible(true);
  }
  SelectedTimeValue = PrevTimeValue = -1;
}

void sSetTimeValues(int16_t phraseType) {
  common::ProcTrace t("sSetTimeValues");
  forms::Form& form = ComposerFront();
  const bool alap = phraseType == 1;
  if (!alap && phraseType != 2 && !IsComposition(phraseType)) return;
  for (int16_t i = 0; i < kTimeValueCount; ++i) {
    const double value = alap ? 10 + 5 * i : kBeatValues[static_cast<size_t>(i)];
    Element(form, "cTimeVal", i).SetCaption(Caption(value));
  }
}

void sLoadAndDisplayRagaList() {
  common::ProcTrace t("sLoadAndDisplayRagaList");
  forms::Form& form = ComposerFront();
  common::sPatchSQLStr19();
  auto rs = shell::DatabaseA.OpenRecordset(common::SQLStr19, dao::dbOpenSnapshot);
  auto& list = form.Get<forms::ListControl>("cRagaList");
  list.Clear();
  for (int16_t i = 0; !rs.Eof(); ++i) {
    list.AddItem(rs.Fields("Raga").ToString(), i);
    rs.MoveNext();
  }
  rs.Close();
  form.Ctl("Label1").SetVisible(true);
  list.SetVisible(true);
}

void sLoadAndDisplayTalaList() {
  common::ProcTrace t("sLoadAndDisplayTalaList");
  forms::Form& form = ComposerFront();
  common::CurrDBSelector = 2;
  auto rs = common::fSetDatabase().OpenRecordset(common::SQLStr3, dao::dbOpenSnapshot);
  auto& list = form.Get<forms::ListControl>("cRagaList");
  list.Clear();
  for (int16_t i = 0; !rs.Eof(); ++i) {
    list.AddItem(rs.Fields("Tala Name").ToString(), i);
    rs.MoveNext();
  }
  rs.Close();
  form.Ctl("Label1").SetCaption("Select Tala");
  form.Ctl("Label1").SetVisible(true);
  list.SetVisible(true);
}

void sLocateDisplayList(int16_t where) {
  common::ProcTrace t("sLocateDisplayList");
  if (where != 1 && where != 2) return;
  forms::Form& form = ComposerFront();
  form.Arrange("list", [&form, where] {
    const double W = fComposerWidth(form);
    const double H = fComposerHeight(form);
    forms::Control& label = form.Ctl("Label1");
    forms::Control& list = form.Ctl("cRagaList");
    if (where == 1) {
      label.SetTop(form.Get<forms::Line>("cLine1").Y1() + 0.02 * H);
    } else {
      const forms::Control& antara = form.Ctl("cAntara");
      label.SetTop(antara.Top() + antara.Height() + 0.02 * H);
    }
    label.SetLeft((W - label.Width()) / 2);
    list.SetTop(label.Top() + label.Height() + 0.01 * H);
    list.SetLeft((W - list.Width()) / 2);
  });
}

void sDisplayPromptComposer0() {
  common::ProcTrace t("sDisplayPromptComposer0");
  ShowPrompt("41");
}

void sDisplayPromptComposer1() {
  common::ProcTrace t("sDisplayPromptComposer1");
  ShowPrompt("42");
}

void sDisplayPromptComposer2() {
  common::ProcTrace t("sDisplayPromptComposer2");
  ShowPrompt("43,45,46,47,48,49,50,52,53,54,56,57,58,59,63,64,68,69");
}

void sDisplayPromptComposer3() {
  common::ProcTrace t("sDisplayPromptComposer3");
  ShowPrompt("44,45,46,47,48,49,50,52,53,54,56,57,58,59,63,64,68,69");
}

void sDisplayPromptComposer4() {
  common::ProcTrace t("sDisplayPromptComposer4");
  ShowPrompt("51,47,48,49,50,52,55,56,57,58,59,63,64,68,69");
}

void sDisplayPromptComposer5() {
  common::ProcTrace t("sDisplayPromptComposer5");
  ShowPrompt("44,45,46,47,48,49,50,52,53,60,61,57,58,59,62,63,64,68,69");
}

void sDisplayPromptComposer6() {
  common::ProcTrace t("sDisplayPromptComposer6");
  ShowPrompt("65");
}

void sDisplayPromptComposer7() {
  common::ProcTrace t("sDisplayPromptComposer7");
  ShowPrompt("66");
}

void sDisplayPromptComposer8() {
  common::ProcTrace t("sDisplayPromptComposer8");
  ShowPrompt("67");
}

void sHidePhraseDisplayControls() {
  common::ProcTrace t("sHidePhraseDisplayControls");
  forms::Form& form = ComposerFront();
  for (const char* name : {"cAntara", "cAsthai", "cMoveD", "cMoveU", "cMukhada", "cNewCat", "cNewRaga", "cOK", "cPlay",
                           "cRagaList", "cSave", "cSpeed", "cStartBeatAnt", "cStartBeatAst", "cTaal", "Label10",
                           "Label12", "Label13", "Label14", "Label15", "Label16", "Label17", "Label18", "Label8", "Label9",
                           "Frame1"}) {
    form.Ctl(name).SetVisible(false);
  }
  for (const char* array : {"cCompSyl", "cGNote", "cLabel", "cNote", "cTime", "cTimeVal"})
    form.Ctl(array, 0).SetVisible(false);
}

void sHideRagaInfoDisplayControls() {
  common::ProcTrace t("sHideRagaInfoDisplayControls");
  forms::Form& form = ComposerFront();
  for (const char* name : {"Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "cRaga", "cAroha", "cAvroha",
                           "cVadi", "cSamvadi", "cPakad", "cLine1"}) {
    form.Ctl(name).SetVisible(false);
  }
}

}  // namespace composer
