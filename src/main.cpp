// Velmora: a guide to the ragas of North Indian classical music.
#include <QApplication>

#include <string>

#include "common/Trace.h"
#include "platform/forms/MessageBox.h"
#include "platform/vb/Folders.h"
#include "shell/KZControl.h"
#include "shell/Players.h"
#include "shell/Program.h"
#include "shell/ShellState.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // The run ends when the main form is unloaded, not when a window closes.
  app.setQuitOnLastWindowClosed(false);
  forms::InstallMessageBoxes();
  shell::InstallPlayers();
  common::SetHaltHandler(&shell::sHaltProgramExecution);

  std::string args;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) args += ' ';
    args += argv[i];
  }
  shell::CommandLineText = args;
  // The opening screen's picture is read before the start-up sets the folders.
  shell::ShareFolder = vb::ShareFolderPath();

  int rc = 0;
  if (shell::StartProgram()) rc = app.exec();
  if (common::ProgramHalted()) rc = 1;
  vb::RemoveSessionTempFolder();
  return rc;
}
