#include "shell/FormLayout.h"

#include "common/Trace.h"
#include "platform/forms/Form.h"
#include "shell/ShellState.h"

namespace shell {

// Stand-in until the proportional layout: shows CurrForm at its design geometry with
// the picture it has, and hides PrevForm when asked.
void sShowForm(int16_t& hideParent) {
  common::ProcTrace t("sShowForm");
  if (CurrForm != nullptr) CurrForm->Show();
  if (hideParent == 1 && PrevForm != nullptr && PrevForm != CurrForm) PrevForm->Hide();
}

}  // namespace shell
