// The program's help: F1 on any screen opens the help window, which shows the help
// text of the share folder (HelpFile, an HTML file).
#pragma once

class QDialog;

namespace shell {

// The name of the help file in the share folder.
inline constexpr const char* kHelpFileName = "KZHelp.html";

// Makes F1 open the help window everywhere in the program (once per run).
void InstallHelpKey();

// Opens the help window (or brings it to the front) at the start of the help text.
void ShowHelp();

// The help window; nullptr until it was first opened.
QDialog* HelpWindow();

}  // namespace shell
