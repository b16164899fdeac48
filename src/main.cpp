// Velmora: a guide to the ragas of North Indian classical music.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include <string>

#include "common/Trace.h"
#include "platform/vb/Files.h"
#include "platform/vb/Folders.h"
#include "shell/Font.h"
#include "shell/Globals.h"
#include "shell/ShellState.h"
#include "common/CommonState.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);

  std::string args;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) args += ' ';
    args += argv[i];
  }
  shell::CommandLineText = args;

  bool started = common::RunEvent([] {
    shell::SetProgramFolders();
    common::ErrorTraceFile = vb::JoinPath(shell::DataFolder, "errtrace.txt");
    common::StartErrorTraceFile(common::ErrorTraceFile);
    shell::sCheckCommandLine();
    shell::sSetGlobalVariables();
    shell::sCheckFont();
  });
  if (!started) {
    vb::RemoveSessionTempFolder();
    return 1;
  }

  QMainWindow window;
  window.setWindowTitle("Velmora");
  auto* label = new QLabel("Velmora", &window);
  label->setAlignment(Qt::AlignCenter);
  window.setCentralWidget(label);
  window.resize(800, 600);
  window.show();
  int rc = app.exec();
  vb::RemoveSessionTempFolder();
  return rc;
}
