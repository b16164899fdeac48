#include "shell/Menus.h"

#include "common/CommonState.h"
#include "common/Trace.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/vb/Error.h"
#include "shell/ShellState.h"

namespace shell {

namespace {

forms::Form& Front() {
  if (CurrForm == nullptr) vb::Raise(vb::kObjectNotSet, "Object variable not set (the form in front)");
  return *CurrForm;
}

forms::MenuItem& Item(const char* name) { return Front().Get<forms::MenuItem>(name); }

// The Exit button and the main menus, in the order they are switched.
constexpr const char* kSelections[] = {"cExit", "cMnuHel", "cMnuTip", "cMnuMaiOpe", "cMnuSupOpe"};

void SetSelections(bool enabled) {
  for (const char* name : kSelections) Front().Ctl(name).SetEnabled(enabled);
  Front().Refresh();
}

}  // namespace

void sMnuTipsUncheck() {
  common::ProcTrace t("sMnuTipsUncheck");
  Item("cMnuShoTip").SetChecked(false);
  Item("cMnuDonShoTip").SetChecked(false);
}

void sMnuTipsCheck() {
  common::ProcTrace t("sMnuTipsCheck");
  sMnuTipsUncheck();
  if (TipSignal == 1) {
    Item("cMnuShoTip").SetChecked(true);
  } else if (TipSignal == 0) {
    Item("cMnuDonShoTip").SetChecked(true);
  }
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
