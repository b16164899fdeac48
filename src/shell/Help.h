// The program's help: F1 on any screen opens the help window, which shows the help
// text of the share folder (HelpFile, an HTML file).
#pragma once

#include <QtGlobal>

#include <cstdint>
#include <functional>
#include <string>

class QDialog;
class QWidget;

namespace shell {

// The name of the help file in the share folder.
inline constexpr const char* kHelpFileName = "KZHelp.html";
// The largest help file shown (the program's own is about 50 KB): a larger one is told
// instead, so that F1 never waits on a huge file.
inline constexpr qint64 kLargestHelpFile = 2 << 20;

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

// The text of a help topic: the paragraph of the help text that holds the anchor
// "help-" and the topic's number (help-51), as rich text. A missing or damaged help file,
// or a topic it does not hold, gives a plain line that says so.
std::string HelpTopicText(int32_t topic);
// Shows a help topic in a What's This popup beside the widget.
void ShowWhatsThis(QWidget* beside, int32_t topic);
// Tests watch the popup through this: it is shown the topic's text instead of the popup
// (an empty presenter brings the popup back).
using WhatsThisPresenter = std::function<void(QWidget* beside, const std::string& text)>;
void SetWhatsThisPresenter(WhatsThisPresenter presenter);

}  // namespace shell
