#include "shell/Menus.h"

#include <initializer_list>
#include <utility>

#include "common/CommonState.h"
#include "common/Trace.h"
#include "composer/ComposerState.h"
#include "exploration/ExplorationState.h"
#include "platform/forms/Control.h"
#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"
#include "platform/vb/Error.h"
#include "shell/SettingsWords.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"

namespace shell {

namespace {

forms::Form& Front() {
  if (CurrForm == nullptr) vb::Raise(vb::kObjectNotSet, "Object variable not set (the form in front)");
  return *CurrForm;
}

forms::MenuItem& Item(const char* name) { return Front().Get<forms::MenuItem>(name); }

// A check-mark group: its items in the order they are cleared, and the item of each
// value that carries one.
using ValueItem = std::pair<int, const char*>;

void Uncheck(std::initializer_list<const char*> items) {
  for (const char* name : items) Item(name).SetChecked(false);
}

void Mark(int value, std::initializer_list<ValueItem> items) {
  for (const auto& [v, name] : items) {
    if (v == value) {
      Item(name).SetChecked(true);
      return;
    }
  }
}

// The Exit button and the main menus, in the order they are switched.
constexpr const char* kSelections[] = {"cExit", "cMnuHel", "cMnuTip", "cMnuMaiOpe", "cMnuSupOpe"};

void SetSelections(bool enabled) {
  for (const char* name : kSelections) Front().Ctl(name).SetEnabled(enabled);
  Front().Refresh();
}

}  // namespace

void sMnuGraceNotesUncheck() {
  common::ProcTrace t("sMnuGraceNotesUncheck");
  Uncheck({"cMnuNoGraNot", "cMnuUseGraNot"});
}

void sMnuGraceNotesCheck() {
  common::ProcTrace t("sMnuGraceNotesCheck");
  sMnuGraceNotesUncheck();
  Mark(GraceNotes, {{1, "cMnuNoGraNot"}, {2, "cMnuUseGraNot"}});
}

void sMnuKeyboardDisplayUncheck() {
  common::ProcTrace t("sMnuKeyboardDisplayUncheck");
  Uncheck({"cMnuShoKey", "cMnuDonShoKey"});
}

void sMnuKeyboardDisplayCheck() {
  common::ProcTrace t("sMnuKeyboardDisplayCheck");
  sMnuKeyboardDisplayUncheck();
  Mark(sound::KeyboardDisplay, {{1, "cMnuShoKey"}, {2, "cMnuDonShoKey"}});
}

void sMnuNotationUncheck() {
  common::ProcTrace t("sMnuNotationUncheck");
  Uncheck({"cMnuDonShoNot", "cMnuShoNot"});
}

void sMnuNotationCheck() {
  common::ProcTrace t("sMnuNotationCheck");
  sMnuNotationUncheck();
  Mark(exploration::NotationDisplay, {{0, "cMnuDonShoNot"}, {1, "cMnuShoNot"}});
}

void sMnuNotationScriptUncheck() {
  common::ProcTrace t("sMnuNotationScriptUncheck");
  Uncheck({"cMnuDev", "cMnuEng"});
}

void sMnuNotationScriptCheck() {
  common::ProcTrace t("sMnuNotationScriptCheck");
  sMnuNotationScriptUncheck();
  Item(NotationScript == 1 ? "cMnuDev" : "cMnuEng").SetChecked(true);
}

void sMnuNotePalletUncheck() {
  common::ProcTrace t("sMnuNotePalletUncheck");
  Uncheck({"cMnuNotForRag", "cMnuAllNot"});
}

void sMnuNotePalletCheck() {
  common::ProcTrace t("sMnuNotePalletCheck");
  sMnuNotePalletUncheck();
  Mark(composer::NotePallet, {{1, "cMnuNotForRag"}, {2, "cMnuAllNot"}});
}

void sMnuRagaSortingModeUncheck() {
  common::ProcTrace t("sMnuRagaSortingModeUncheck");
  Uncheck({"cMnuAppTim", "cMnuJat", "cMnuRag", "cMnuSam", "cMnuTha", "cMnuVad"});
}

void sMnuRagaSortingModeCheck() {
  common::ProcTrace t("sMnuRagaSortingModeCheck");
  sMnuRagaSortingModeUncheck();
  Mark(SortingMode, {{0, "cMnuRag"}, {1, "cMnuTha"}, {2, "cMnuJat"}, {3, "cMnuVad"}, {4, "cMnuSam"}, {5, "cMnuAppTim"}});
}

void sMnuThekaUncheck() {
  common::ProcTrace t("sMnuThekaUncheck");
  Uncheck({"cMnuUseThe", "cMnuNoThe"});
}

void sMnuThekaCheck() {
  common::ProcTrace t("sMnuThekaCheck");
  sMnuThekaUncheck();
  Mark(sound::Theka, {{1, "cMnuUseThe"}, {2, "cMnuNoThe"}});
}

void sMnuTipsUncheck() {
  common::ProcTrace t("sMnuTipsUncheck");
  Uncheck({"cMnuShoTip", "cMnuDonShoTip"});
}

void sMnuTipsCheck() {
  common::ProcTrace t("sMnuTipsCheck");
  sMnuTipsUncheck();
  Mark(TipSignal, {{1, "cMnuShoTip"}, {0, "cMnuDonShoTip"}});
}

void sMnuTonicNoteUncheck() {
  common::ProcTrace t("sMnuTonicNoteUncheck");
  Uncheck({"cMnuB1", "cMnuB2", "cMnuB3", "cMnuB4", "cMnuB5", "cMnuW1", "cMnuW2", "cMnuW3", "cMnuW4", "cMnuW5",
           "cMnuW6", "cMnuW7"});
}

void sMnuTonicNoteCheck() {
  common::ProcTrace t("sMnuTonicNoteCheck");
  sMnuTonicNoteUncheck();
  if (sound::CurrMusicSetId > 12) return;  // a scale set of the user's: no tonic item applies
  Mark(sound::CurrTonicNoteId, {{1, "cMnuW7"},
                                {2, "cMnuW1"},
                                {3, "cMnuB1"},
                                {4, "cMnuW2"},
                                {5, "cMnuB2"},
                                {6, "cMnuW3"},
                                {7, "cMnuW4"},
                                {8, "cMnuB3"},
                                {9, "cMnuW5"},
                                {10, "cMnuB4"},
                                {11, "cMnuW6"},
                                {12, "cMnuB5"}});
}

void sMnuTraceCheck() {
  common::ProcTrace t("sMnuTraceCheck");
  forms::MenuItem& on = Item("cMnuTraOn");
  forms::MenuItem& off = Item("cMnuTraOff");
  if (!common::TraceAvailable) {
    on.SetVisible(false);
    off.SetVisible(false);
    return;
  }
  on.SetChecked(common::TraceOn != 0);
  off.SetChecked(common::TraceOn == 0);
}

void sSetTrace(int16_t on) {
  common::TraceOn = on;
  sMnuTraceCheck();
}

void DeclareHelpAndTraceMenus(forms::FormSpec& f) {
  f.Menu("cMnuHel", "&Help").Item("cMnuPreF1", "Press F1 any time to obtain Help");
  f.Menu("cMnuTraOn", "Trace On").LiveWhileBusy().OnClick([] { sSetTrace(-1); });
  f.Menu("cMnuTraOff", "TraceOff").LiveWhileBusy().OnClick([] { sSetTrace(0); });
}

void sDisableKZSelections() {
  common::ProcTrace t("sDisableKZSelections");
  SetSelections(false);
}

void sEnableAllKZSelections() {
  common::ProcTrace t("sEnableAllKZSelections");
  SetSelections(true);
}

void sEnableKZSelections() {
  common::ProcTrace t("sEnableKZSelections");
  sEnableAllKZSelections();
  Front().Ctl("cExit").SetEnabled(true);
  Front().Refresh();
}

}  // namespace shell
