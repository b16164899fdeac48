#include "shell/Navigation.h"

#include "common/Trace.h"
#include "shell/Menus.h"
#include "shell/ShellState.h"

namespace shell {

// Stand-in until the screens are bound: only the main form (id 1) has a form.
void sSetCurrFormById() {
  common::ProcTrace t("sSetCurrFormById");
  if (CurrFormId != 1) return;
  CurrForm = FormVelmora;
  sMnuTraceCheck();
}

// Stand-in until the proportional layout: forgets the pending resize, moving nothing.
void sResizeForm() {
  common::ProcTrace t("sResizeForm");
  if (ResizePending == 1) ResizePending = 0;
}

}  // namespace shell
