// The program's message boxes and the hourglass pointer on Qt.
#pragma once

#include <cstdint>

#include <QMessageBox>

namespace forms {

// The icon, buttons and default button of a message box for its vb::MsgBox flags:
// 16 critical, 32 question, 48 exclamation, 64 information; buttons 0 OK,
// 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel;
// 256 and 512 make the second and third button the default.
struct BoxStyle {
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons Buttons = QMessageBox::Ok;
  QMessageBox::StandardButton Default = QMessageBox::Ok;
};
BoxStyle MessageBoxStyle(int flags);
// The vb::MsgBox result of a pressed button (vbOK 1 ... vbNo 7).
int MessageBoxResult(QMessageBox::StandardButton pressed);

// Installs the Qt message box as vb::MsgBox: modal over the window in front, with
// the title given ("Velmora" when it is empty). Called once by main.
void InstallMessageBoxes();

// The hourglass pointer over the whole program (on) or the default pointer (off).
void SetHourglass(bool on);
bool HourglassShown();

}  // namespace forms
