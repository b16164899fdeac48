#include "shell/Settings.h"

#include "common/Trace.h"
#include "shell/ShellState.h"

namespace shell {

// Stand-in until the settings are built: sets the start values the start-up reads
// (picture 6, timer purpose 1, no form being unloaded, tips shown) and reads no rows.
void sSetDefaultOptions() {
  common::ProcTrace t("sSetDefaultOptions");
  PictureNumber = 6;
  TimerPurpose = 1;
  TerminatingForm = 0;
  TipSignal = 1;
}

// Stand-in until the settings are built: writes nothing.
void sSaveUsageParameters() { common::ProcTrace t("sSaveUsageParameters"); }

}  // namespace shell
