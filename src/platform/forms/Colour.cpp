#include "platform/forms/Colour.h"

#include <QGuiApplication>
#include <QPalette>

namespace forms {

namespace {

// System colour indexes of the window system mapped to palette roles.
QColor SystemColour(int index) {
  const QPalette pal = QGuiApplication::palette();
  switch (index) {
    case 0: return pal.color(QPalette::Button);           // scroll bars
    case 1: return pal.color(QPalette::Dark);             // desktop
    case 2: return pal.color(QPalette::Highlight);        // active title bar
    case 3: return pal.color(QPalette::Mid);              // inactive title bar
    case 4: return pal.color(QPalette::Window);           // menu bar
    case 5: return pal.color(QPalette::Base);             // window background
    case 6: return pal.color(QPalette::Shadow);           // window frame
    case 7: return pal.color(QPalette::WindowText);       // menu text
    case 8: return pal.color(QPalette::Text);             // window text
    case 9: return pal.color(QPalette::HighlightedText);  // active title text
    case 10: case 11: return pal.color(QPalette::Window); // borders
    case 12: return pal.color(QPalette::Dark);            // application workspace
    case 13: return pal.color(QPalette::Highlight);
    case 14: return pal.color(QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button);          // button face
    case 16: return pal.color(QPalette::Dark);            // button shadow
    case 17: return pal.color(QPalette::Disabled, QPalette::Text);
    case 18: return pal.color(QPalette::ButtonText);
    case 19: return pal.color(QPalette::Disabled, QPalette::WindowText);
    case 20: return pal.color(QPalette::Light);           // button highlight
    case 21: return pal.color(QPalette::Shadow);          // 3-D dark shadow
    case 22: return pal.color(QPalette::Midlight);        // 3-D light
    case 23: return pal.color(QPalette::ToolTipText);
    case 24: return pal.color(QPalette::ToolTipBase);
    default: return pal.color(QPalette::Window);
  }
}

}  // namespace

QColor ToQColor(Colour c) {
  if (IsSystemColour(c)) return SystemColour(static_cast<int>(c & 0xFF));
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

Colour FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

}  // namespace forms
