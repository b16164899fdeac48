// The program's help: F1 on any screen opens the help window, which shows the help
// text of the share folder (HelpFile, an HTML file).
#pragma once

#include <string>

class QDialog;

namespace shell {

// The name of the help file in the share folder.
inline constexpr const char* kHelpFileName = "KZHelp.html";

// Makes F1 open the help window everywhere in the program (once per run).
void InstallHelpKey();

// Opens the help window (or brings it to the front) at the section of the screen in
// front, or at the top of the help text when it has no section of that screen. The
// window's Back and Forward go through the sections read.
void ShowHelp();

// The help window; nullptr until it was first opened.
QDialog* HelpWindow();

// The anchor of a screen's section in the help text: "form-" and the form's name, as
// "form-Velmora" (the main menu) or "form-MainOperations"; every screen has one.
std::string HelpAnchorOf(const std::string& formName);
// True when the help file holds that anchor (<a name="...">).
bool HelpHasSection(const std::string& file, const std::string& anchor);

}  // namespace shell
