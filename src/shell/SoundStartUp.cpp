#include "shell/SoundStartUp.h"

#include "common/Database.h"
#include "common/Trace.h"
#include "platform/forms/Form.h"
#include "shell/FormLayout.h"
#include "shell/Menus.h"
#include "shell/ShellState.h"

namespace shell {

// Stand-in until the sound start-up: shows the main form and makes the main menu ready
// at once (no drone, no start-up wait, no tips).
void sInitApp1() {
  common::ProcTrace t("sInitApp1");
  FormVelmora->SetVisible(true);
  int16_t keepParent = 0;
  sShowForm(keepParent);
  int16_t ready = 1;
  sInitApp2(ready);
}

// Stand-in until the tips: action 0 goes straight on to the ready main menu, as with
// tips switched off.
void sInitApp2(int16_t& action) {
  common::ProcTrace t("sInitApp2");
  forms::Form& main = *FormVelmora;
  main.Ctl("cTimer").SetEnabled(false);
  if (action == 0) {
    int16_t ready = 1;
    sInitApp2(ready);
  } else if (action == 1) {
    for (const char* name : {"Label11", "cOK", "cShowNext", "cTip"}) main.Ctl(name).SetVisible(false);
    sEnableKZSelections();
    main.Ctl("cPrompts").SetText(common::fGetPrompts("1"));
  }
}

}  // namespace shell
