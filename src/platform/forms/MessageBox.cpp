#include "platform/forms/MessageBox.h"

#include <QApplication>
#include <QGuiApplication>

#include "common/Trace.h"
#include "platform/forms/NestedLoop.h"
#include "platform/vb/Interaction.h"

namespace forms {

namespace {
bool g_hourglass = false;
}

BoxStyle MessageBoxStyle(int flags) {
  BoxStyle s;
  switch (flags & 0x70) {
    case vb::vbCritical: s.Icon = QMessageBox::Critical; break;
    case vb::vbQuestion: s.Icon = QMessageBox::Question; break;
    case vb::vbExclamation: s.Icon = QMessageBox::Warning; break;
    case vb::vbInformation: s.Icon = QMessageBox::Information; break;
    default: s.Icon = QMessageBox::NoIcon; break;
  }
  std::vector<QMessageBox::StandardButton> order;
  switch (flags & 0x7) {
    case vb::vbOKCancel: order = {QMessageBox::Ok, QMessageBox::Cancel}; break;
    case 2: order = {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore}; break;
    case vb::vbYesNoCancel: order = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}; break;
    case vb::vbYesNo: order = {QMessageBox::Yes, QMessageBox::No}; break;
    case 5: order = {QMessageBox::Retry, QMessageBox::Cancel}; break;
    default: order = {QMessageBox::Ok}; break;
  }
  s.Buttons = QMessageBox::NoButton;
  for (auto b : order) s.Buttons |= b;
  const size_t def = static_cast<size_t>((flags >> 8) & 0x3);
  s.Default = order[def < order.size() ? def : 0];
  return s;
}

int MessageBoxResult(QMessageBox::StandardButton pressed) {
  switch (pressed) {
    case QMessageBox::Ok: return vb::vbOK;
    case QMessageBox::Cancel: return vb::vbCancel;
    case QMessageBox::Abort: return 3;
    case QMessageBox::Retry: return 4;
    case QMessageBox::Ignore: return 5;
    case QMessageBox::Yes: return vb::vbYes;
    case QMessageBox::No: return vb::vbNo;
    default: return vb::vbCancel;  // closed with Escape or the close box
  }
}

void InstallMessageBoxes() {
  vb::SetMsgBoxHandler([](const std::string& prompt, int flags, const std::string& title) {
    const BoxStyle style = MessageBoxStyle(flags);
    QMessageBox box(style.Icon, QString::fromStdString(title.empty() ? std::string("Velmora") : title),
                    QString::fromStdString(prompt), style.Buttons, QApplication::activeWindow());
    box.setDefaultButton(style.Default);
    // The pointer over a message box is the normal one, even during a long step.
    const bool hourglass = g_hourglass;
    if (hourglass) SetHourglass(false);
    const bool haltedBefore = common::ProgramHalted();
    {
      NestedLoop nested;
      box.exec();
    }
    if (hourglass) SetHourglass(true);
    const auto* pressed = box.clickedButton();
    const int result = pressed ? MessageBoxResult(box.standardButton(box.clickedButton())) : vb::vbCancel;
    // A halt while the box was open (a timer's error) unwinds the event that showed it.
    if (!haltedBefore && common::ProgramHalted()) throw common::ProgramHalt{};
    return result;
  });
}

void SetHourglass(bool on) {
  if (on == g_hourglass || !QGuiApplication::instance()) return;
  g_hourglass = on;
  if (on) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
}

bool HourglassShown() { return g_hourglass; }

}  // namespace forms
