// The layout of the workbench for each mode, locking it while a phrase plays, and the
// small procedures that show and hide its groups of controls.
#include <array>
#include <string>

#include "common/CommonState.h"
#include "common/Notation.h"
#include "common/RagaDisplay.h"
#include "common/RagaReaders.h"
#include "common/RagaTables.h"
#include "common/Database.h"
#include "common/Trace.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "shell/ShellState.h"
#include "sound/Keyboard.h"
#include "sound/SoundState.h"
#include "workshop/Workshop.h"
#include "workshop/WorkshopActions.h"
#include "workshop/WorkshopState.h"

namespace workshop {

namespace {

// The seven top menus in the order of MenuBarItemStatus.
constexpr std::array<const char*, 7> kTopMenus{"cMnuMusPat", "cMnuKebDis", "cMnuNotScr", "cMnuTonNot",
                                                "cMnuHel",    "cMnuGraNot", "cMnuSyn"};
constexpr std::array<const char*, 4> kModeButtons{"cMajorScale", "cNotePatterns", "cNotesForRaga", "cNotesQuiz"};
// The pattern items of the Music Patterns menu, shown while a mode is selected.
constexpr std::array<const char*, 6> kPatternItems{"cMnuSca",    "cMnuNotPat", "cMnuLin2",
                                                   "cMnuDefPat", "cMnuLin3",   "cMnuMeePat"};
constexpr int16_t kReedCount = 40;
constexpr int16_t kLastEnabledKeyLabel = 31;

void Show(forms::Form& form, std::initializer_list<const char*> names, bool visible) {
  for (const char* name : names) form.Ctl(name).SetVisible(visible);
}
void Enable(forms::Form& form, std::initializer_list<const char*> names, bool enabled) {
  for (const char* name : names) form.Ctl(name).SetEnabled(enabled);
}

// Raga mode: the current raga's scale (aroha then avroha) in cPattern, its glides
// reduced while grace notes are off. Nothing until a raga has been chosen.
void ShowRagaScale(forms::Form& form) {
  if (RagaChosen == 0) return;
  common::sDBToTBaseInfo();
  std::string scale = common::fGetFromT_ScalePhraseUnSeg(common::kReadNotes);
  if (shell::GraceNotes == common::kGraceNotesNone) scale = common::fRemoveGlides(scale);
  RagaScalePhrase = scale;
  form.Ctl("cPattern").SetText(DisplayText(RagaScalePhrase));
}

struct ModeLayout {
  const char* modeLine;
  const char* newScaleCaption;  // nullptr: cSelNewSca disabled and hidden
  const char* scaleMenu;        // captions of cMnuSca, cMnuSToS, cMnuPToP; nullptr: unchanged
  const char* firstPattern;
  const char* secondPattern;
};

void LayOutMode(forms::Form& form) {
  static const std::array<ModeLayout, 5> kLayouts{{
      {},
      {"Working with Major Scale - Select desired Music Pattern", nullptr, "Major Scale (Shuddha Saptak)", "S To S>",
       "P< To P>"},
      {"Working with Note Scales", "Select New Scale", "Selected Scale", "S To S>", "P< To P>"},
      {"Working with Raga Notes - Select desired Music Pattern", "Select New Raga", "Selected Raga", "Aroha/Avroha",
       "Pakad"},
      {"Taking Note Recognition Quiz", "Select New Note", nullptr, nullptr, nullptr},
  }};
  const ModeLayout& m = kLayouts[static_cast<size_t>(WBMode)];
  WBDoneMode = 2;
  sDisableWSModeSelections();
  Enable(form, {"cSwitchWBMode", "cSelNewSca"}, true);
  for (const char* item : kPatternItems) form.Ctl(item).SetVisible(true);
  Show(form, {"cMnuPlaDro", "cMnuLin1"}, false);

  form.Ctl("Label10").SetCaption(m.modeLine);
  forms::Control& newScale = form.Ctl("cSelNewSca");
  if (m.newScaleCaption == nullptr) {
    newScale.SetEnabled(false);
    newScale.SetVisible(false);
  } else {
    newScale.SetCaption(m.newScaleCaption);
  }
  form.Ctl("cShowNote").SetVisible(WBMode == 4);
  if (m.scaleMenu != nullptr) {
    form.Ctl("cMnuSca").SetCaption(m.scaleMenu);
    form.Ctl("cMnuSToS").SetCaption(m.firstPattern);
    form.Ctl("cMnuPToP").SetCaption(m.secondPattern);
  }
  form.Ctl("cMnuGraNot").SetEnabled(WBMode == 3);

  switch (WBMode) {
    case 1:
      form.Ctl("cScaleType").SetText("Major Scale (Shuddha Saptak)");
      sShowSelectedNotes();
      sShowUserData(1);
      ShowPrompt("40,35");
      break;
    case 2:
      // A scale whose notes are still being picked is no scale yet.
      form.Ctl("cScaleType").SetText(KeyLabelPurpose == 1 ? std::string() : fScaleTypeText(ScaleType));
      sShowSelectedNotes();
      sShowUserData(1);
      break;
    case 3:
      form.Ctl("cScaleType").SetText("Notes for raga '" + common::fGetRagaName(common::CurrRagaIndex) + "'");
      ShowRagaScale(form);
      form.Ctl("Label3").SetCaption("Aroha/Avroha");
      break;
    default:
      Enable(form, {"cMnuMusPat", "cMnuSyn", "cMnuTonNot", "cMnuKebDis"}, false);
      break;
  }
}

void LayOutNoMode(forms::Form& form) {
  sEnableWSModeSelections();
  form.Ctl("Label10").SetCaption("No Workbench Mode selected currently");
  for (const char* name : {"cSelNewSca", "cShowNote"}) {
    form.Ctl(name).SetEnabled(false);
    form.Ctl(name).SetVisible(false);
  }
  form.Ctl("cSwitchWBMode").SetEnabled(false);
  Show(form, {"cSlider", "Frame1"}, false);
  form.Ctl("cMnuPlaDro").SetVisible(true);
  form.Ctl("cMnuLin1").SetVisible(false);
  for (const char* item : kPatternItems) form.Ctl(item).SetVisible(false);
  Enable(form, {"cMnuGraNot", "cMnuSyn"}, false);
  ShowPrompt("34");
}

}  // namespace

std::string fScaleTypeText(int16_t scaleType) {
  switch (scaleType) {
    case 0: return "Selected Audav (5 Notes) Scale";
    case 1: return "Selected Shadav (6 Notes) Scale";
    case 2: return "Selected Sampoorna (7 Notes) Scale";
    default: return "";
  }
}

void sSetModeDisplay() {
  common::ProcTrace t("sSetModeDisplay");
  forms::Form& form = FrontForm();
  sEnableF13Selections();
  common::sDisplayPatternNotation(form);
  Show(form, {"Label6", "cPatName", "Label7"}, false);
  Show(form, {"Label10", "cSelNewSca", "cShowNote", "cSwitchWBMode"}, true);
  for (const char* name : {"cPattern", "cScaleType", "cCurrentItem", "cPatName"}) form.Ctl(name).SetText("");
  Show(form, {"cSlider", "Frame1"}, true);
  Enable(form, {"cMnuMusPat", "cMnuGraNot", "cMnuSyn", "cMnuTonNot", "cMnuKebDis"}, true);
  if (WBMode >= 1 && WBMode <= 4) {
    LayOutMode(form);
  } else {
    LayOutNoMode(form);
  }
  sCaptureMenuBarItemStatus();
}

void sDisableWSModeSelections() {
  common::ProcTrace t("sDisableWSModeSelections");
  forms::Form& form = FrontForm();
  for (const char* name : kModeButtons) form.Ctl(name).SetEnabled(false);
  form.Ctl("Label7").SetVisible(false);
}

void sEnableWSModeSelections() {
  common::ProcTrace t("sEnableWSModeSelections");
  forms::Form& form = FrontForm();
  for (const char* name : kModeButtons) form.Ctl(name).SetEnabled(true);
  form.Ctl("Label7").SetVisible(true);
}

void sCaptureMenuBarItemStatus() {
  common::ProcTrace t("sCaptureMenuBarItemStatus");
  forms::Form& form = FrontForm();
  for (size_t k = 0; k < kTopMenus.size(); ++k) MenuBarItemStatus[k] = form.Ctl(kTopMenus[k]).Enabled() ? -1 : 0;
}

void sDisableF13Selections() {
  common::ProcTrace t("sDisableF13Selections");
  forms::Form& form = FrontForm();
  form.Ctl("cRagaList").SetEnabled(false);
  // A lock while locked would capture the menus it disabled itself.
  if (F13Locked == 0) sCaptureMenuBarItemStatus();
  F13Locked = -1;
  for (const char* menu : kTopMenus) form.Ctl(menu).SetEnabled(false);
  for (const char* name : kModeButtons) form.Ctl(name).SetEnabled(false);
  Enable(form, {"cSelNewSca", "cShowNote", "cSwitchWBMode", "cReturn", "cSlider", "Frame1"}, false);
  common::sDisplayPatternNotation(form);
  form.SetBusy(true);
}

void sEnableF13Selections() {
  common::ProcTrace t("sEnableF13Selections");
  forms::Form& form = FrontForm();
  form.Ctl("cRagaList").SetEnabled(true);
  for (size_t k = 0; k < kTopMenus.size(); ++k) {
    if (MenuBarItemStatus[k] != 0) form.Ctl(kTopMenus[k]).SetEnabled(true);
  }
  if (WBMode == 0) {
    for (const char* name : kModeButtons) form.Ctl(name).SetEnabled(true);
  }
  if (WBMode >= 2 && WBMode <= 4) Enable(form, {"cSelNewSca", "cShowNote"}, true);
  Enable(form, {"cSwitchWBMode", "cReturn", "cSlider", "Frame1"}, true);
  sEnableKeyLabels();
  F13Locked = 0;
  form.SetBusy(false);
}

void sEnableKeyLabels() {
  common::ProcTrace t("sEnableKeyLabels");
  forms::Form& form = FrontForm();
  for (int16_t i = 1; i <= kLastEnabledKeyLabel; ++i) {
    if (form.HasElement("cL", i)) form.Ctl("cL", i).SetEnabled(true);
  }
}

void sHideDetails() {
  common::ProcTrace t("sHideDetails");
  Show(FrontForm(),
       {"Label1", "Label3", "Label4", "Label5", "Label6", "cScaleType", "cPattern", "cCurrentItem", "cRagaList",
        "cPatName", "cOK", "Frame2"},
       false);
}

void sShowUserData(int16_t mask) {
  common::ProcTrace t("sShowUserData");
  forms::Form& form = FrontForm();
  if ((mask & 1) != 0) Show(form, {"Label1", "cScaleType"}, true);
  if ((mask & 2) != 0) Show(form, {"Label3", "cPattern"}, true);
  if ((mask & 4) != 0) Show(form, {"Label5", "cCurrentItem"}, true);
}

void sHideSlider() {
  common::ProcTrace t("sHideSlider");
  Show(FrontForm(), {"cSlider", "Label8", "Label9"}, false);
}

void sShowSlider() {
  common::ProcTrace t("sShowSlider");
  Show(FrontForm(), {"cSlider", "Label8", "Label9"}, true);
}

void sDisplayKBForNoteSelection() {
  common::ProcTrace t("sDisplayKBForNoteSelection");
  sound::sKeyBoardDisplayOn(FrontForm(), 1);
  sHideNonOctaveNotes();
}

void sHideNonOctaveNotes() {
  common::ProcTrace t("sHideNonOctaveNotes");
  forms::Form& form = FrontForm();
  const int16_t tonic = sound::CurrTonicNoteId;
  for (int16_t i = 0; i <= kReedCount; ++i) {
    if (i >= tonic + 9 && i <= tonic + 21) continue;
    if (form.HasElement("cR", i)) form.Ctl("cR", i).SetVisible(false);
    if (form.HasElement("cL", i)) form.Ctl("cL", i).SetVisible(false);
  }
}

void sHideUnselectedNoteLabels() {
  common::ProcTrace t("sHideUnselectedNoteLabels");
  // Labels without their reeds would float over the form.
  if (sound::KeyboardDisplay != 1) return;
  forms::Form& form = FrontForm();
  for (int16_t i = sound::FirstReed; i <= sound::LastReed; ++i) {
    if (form.HasElement("cL", i)) form.Ctl("cL", i).SetVisible(false);
  }
  for (int16_t j = 0; j < ScaleNoteCount && j < kWorkbenchNotes; ++j) {
    const auto label = static_cast<int16_t>(sound::CurrTonicNoteId + 4 + ScaleNotes[static_cast<size_t>(j)]);
    if (form.HasElement("cL", label)) form.Ctl("cL", label).SetVisible(true);
  }
}

void sShowCurrentItem() {
  common::ProcTrace t("sShowCurrentItem");
  forms::Form& form = FrontForm();
  form.Ctl("Label5").SetVisible(true);
  forms::Control& item = form.Ctl("cCurrentItem");
  AdjustFont(item);
  item.SetText(shell::NotationScript == common::kScriptDevnagari ? DisplayText(WBCurrentPhrase) : WBCurrentPhrase);
}

void sShowSelectedNotes() {
  common::ProcTrace t("sShowSelectedNotes");
  forms::Form& form = FrontForm();
  forms::Control& pattern = form.Ctl("cPattern");
  if (WBMode == 3) {
    pattern.SetText(DisplayText(RagaScalePhrase));
    return;
  }
  const bool devnagari = shell::NotationScript == common::kScriptDevnagari;
  std::string text;
  for (size_t n = kNoteS; n <= kNoteUpperS; ++n) {
    if (NoteMarks[n] != 1) continue;
    if (devnagari) {
      if (!text.empty()) text += " ";
      text += WBDevnagariNoteNames[n];
    } else {
      text += WBNoteNames[n] + " ";
    }
  }
  AdjustFont(pattern);
  pattern.SetText(text);
  pattern.SetVisible(true);
  forms::Control& caption = form.Ctl("Label3");
  caption.SetCaption("Selected Notes");
  caption.SetVisible(true);
}

}  // namespace workshop
