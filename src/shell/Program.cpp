#include "shell/Program.h"

#include "common/Trace.h"
#include "shell/Help.h"
#include "shell/ShellState.h"
#include "shell/VelmoraForm.h"

namespace shell {

bool StartProgram() {
  FormVelmora = &MainForm();
  InstallHelpKey();
  common::RunEvent([] { MainForm().Show(); });
  return !common::ProgramHalted() && MainForm().Loaded();
}

}  // namespace shell
