// Message boxes and ending the program, as the runtime offers them. The forms
// layer installs the real message box; without it a message goes to standard
// error, so code below the forms layer (and tests) never needs a window.
#pragma once

#include <functional>
#include <string>

namespace vb {

// MsgBox button and icon flags, and its results.
enum MsgBoxStyle : int {
  vbOKOnly = 0,
  vbOKCancel = 1,
  vbYesNoCancel = 3,
  vbYesNo = 4,
  vbCritical = 16,
  vbQuestion = 32,
  vbExclamation = 48,
  vbInformation = 64,
};
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

using MsgBoxHandler = std::function<int(const std::string& prompt, int buttons, const std::string& title)>;
// Installs the message box; returns the one it replaces. An empty handler restores the default.
MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler);
int MsgBox(const std::string& prompt, int buttons = vbOKOnly, const std::string& title = "");

// The message box of every step that fails: information icon, title "Message".
inline void Message(const std::string& text) { MsgBox(text, vbInformation, "Message"); }

// End: stops the program at once, without unloading forms or closing files.
// The handler must not return (tests install one that throws); by default the
// process exits with the code given.
using EndHandler = std::function<void(int code)>;
EndHandler SetEndHandler(EndHandler handler);
[[noreturn]] void End(int code = 0);

}  // namespace vb
