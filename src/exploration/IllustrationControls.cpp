// What the illustration screen shows and lets the learner use, by item and mode: the
// lock set while playing, the item controls, and the prompt line of each mode.
#include <array>
#include <string>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/RagaDisplay.h"
#include "common/Trace.h"
#include "exploration/ExplorationState.h"
#include "exploration/MainOperations.h"
#include "exploration/Screens.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "shell/ShellState.h"
#include "sound/Keyboard.h"
#include "sound/PlayButtons.h"
#include "sound/SoundState.h"

namespace exploration {

namespace {

// Everything that could change what is playing, in the order it is locked.
constexpr std::array<const char*, 23> kLockSet{
    "cAroha", "cAvroha", "cPakad", "cKZIllusList", "cUserIllusList", "cScaleList", "Frame1", "Option1",
    "Option2", "Option3", "cReturn", "Frame2", "Option4", "Option5", "cSlider", "cMnuRagInf",
    "cMnuDro", "cMnuGraNot", "cMnuKebDis", "cMnuNotScr", "cMnuSyn", "cMnuTonKey", "cMnuHel"};

void SetLockSetEnabled(bool enabled) {
  forms::Form& form = FrontForm();
  for (const char* name : kLockSet) form.Ctl(name).SetEnabled(enabled);
  form.SetBusy(!enabled);
}

// Alap, layakari and taan: items of several phrases.
bool IsPhraseList() { return sound::CurrItemKind >= 3 && sound::CurrItemKind <= 5; }
bool IsComposition() { return sound::CurrItemKind == 6 && sound::CurrMusicItemType == 8; }

void ShowSelectFrame(forms::Form& form, const std::string& first, const std::string& second, bool enabled) {
  form.Ctl("Frame2").SetVisible(true);
  form.Ctl("Frame2").SetEnabled(enabled);
  for (const char* option : {"Option4", "Option5"}) form.Ctl(option).SetVisible(true);
  form.Ctl("Option4").SetCaption(first);
  form.Ctl("Option5").SetCaption(second);
}

// The prompt line: the scale in use, the general prompts, then those of the mode.
void ShowPrompts(const std::string& modeKeys) {
  std::string keys;
  auto add = [&keys](const std::string& k) { keys += (keys.empty() ? "" : ",") + k; };
  if (ModeFramePresent != 0) add("4");
  add("6");
  if (ScalesPresent != 0) add("7");
  add(modeKeys);
  FrontForm().Ctl("cPrompts").SetText(sound::fGetScaleInfo() + shell::PromptSeparator + common::fGetPrompts(keys));
}

}  // namespace

void sDisableF28Selections() {
  common::ProcTrace t("sDisableF28Selections");
  SetLockSetEnabled(false);
}

void sEnableF28Selections() {
  common::ProcTrace t("sEnableF28Selections");
  SetLockSetEnabled(true);
}

void sDisplayMOControls() {
  common::ProcTrace t("sDisplayMOControls");
  forms::Form& form = FrontForm();
  sShowF28ItemBoxes();
  form.SetMousePointer(forms::vbHourglass);
  sound::sDisplayPlayControlButtons();
  common::sDisplayPatternNotation(form);
  forms::Control& stopCurrent = form.Ctl("cStopCur");
  stopCurrent.SetVisible(true);
  stopCurrent.SetEnabled(false);
  auto& item = form.Get<forms::TextBox>("cCurrentItem");
  // The select frame belongs to the items that show it below; another item's frame
  // (Next / Prev, or the parts of a demo) would act on the wrong item.
  for (const char* name : {"Frame2", "Option4", "Option5"}) form.Ctl(name).SetVisible(false);

  if (sound::CurrOperationMode == 1) {
    item.SetLocked(true);
    sound::sEnablePlayStopButtons();
    stopCurrent.SetEnabled(IsPhraseList() || IsComposition() || sound::CurrItemKind == 7);
    if (IsComposition()) ShowSelectFrame(form, "Asthai", "Antara", false);
    if (sound::CurrItemKind == 7) ShowSelectFrame(form, common::CurrRagaName, SimilarRagaName, false);
    return;
  }
  item.SetLocked(sound::CurrOperationMode != 3);
  sound::sEnablePlayStartButtons();
  for (const char* name : {"cSlider", "Label11", "Label12"}) form.Ctl(name).SetVisible(true);
  if (!IsPhraseList()) return;
  // The frame's own caption again: a demo of parts has left "Select to Play" on it.
  form.Ctl("Frame2").SetCaption("Select Desired");
  ShowSelectFrame(form, "Next", "Prev", true);
}

void sShowF28ItemBoxes() {
  common::ProcTrace t("sShowF28ItemBoxes");
  forms::Form& form = FrontForm();
  form.Ctl("cNotes").SetVisible(false);
  form.Ctl("cInfo").SetVisible(true);
  form.Ctl("cCurrentItem").SetVisible(true);
}

void sHideMOControls() {
  common::ProcTrace t("sHideMOControls");
  forms::Form& form = FrontForm();
  for (const char* name : {"cInfo", "cCurrentItem", "cPlay", "cStop", "cStartLoop", "cStopLoop", "cStopCur",
                           "cSlider", "Label11", "Label12", "Frame2", "Option4", "Option5"}) {
    form.Ctl(name).SetVisible(false);
  }
}

void sDisplayDemoModePrompts() {
  common::ProcTrace t("sDisplayDemoModePrompts");
  ShowPrompts(UserItemsPresent != 0 ? "5,8,14,15,16,17" : "5,14,15,16,17");
}

void sDisplayLearningModePrompts() {
  common::ProcTrace t("sDisplayLearningModePrompts");
  ShowPrompts("18,19,20,14");
}

void sDisplayPracticeModePrompts() {
  common::ProcTrace t("sDisplayPracticeModePrompts");
  ShowPrompts("21,22,23");
}

}  // namespace exploration
