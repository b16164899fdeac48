#include "platform/forms/Colour.h"

#include <algorithm>
#include <cmath>

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

namespace {

double Linear(int channel) {
  const double v = channel / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double LeastContrast(Colour c, const std::vector<Colour>& around) {
  double least = 21.0;
  for (Colour a : around) least = std::min(least, ContrastRatio(c, a));
  return least;
}

}  // namespace

double RelativeLuminance(Colour c) {
  const QColor q = ToQColor(c);
  return 0.2126 * Linear(q.red()) + 0.7152 * Linear(q.green()) + 0.0722 * Linear(q.blue());
}

double ContrastRatio(Colour a, Colour b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Colour StandingOut(Colour preferred, const std::vector<Colour>& around, double ratio) {
  const QColor p = ToQColor(preferred);
  Colour best = FromQColor(p);
  double bestContrast = LeastContrast(best, around);
  if (bestContrast >= ratio) return best;
  constexpr int kSteps = 20;
  auto consider = [&](const QColor& q) {
    const Colour c = FromQColor(q);
    const double least = LeastContrast(c, around);
    if (least > bestContrast) {
      best = c;
      bestContrast = least;
    }
    return least >= ratio;
  };
  for (int i = 1; i <= kSteps; ++i) {  // darker shades, towards black
    const double k = 1.0 - static_cast<double>(i) / kSteps;
    if (consider(QColor(static_cast<int>(p.red() * k), static_cast<int>(p.green() * k), static_cast<int>(p.blue() * k))))
      return best;
  }
  for (int i = 1; i <= kSteps; ++i) {  // lighter shades, towards white
    const double k = static_cast<double>(i) / kSteps;
    auto lift = [k](int v) { return static_cast<int>(v + (255 - v) * k); };
    if (consider(QColor(lift(p.red()), lift(p.green()), lift(p.blue())))) return best;
  }
  return best;
}

Colour TextColourOn(Colour background) {
  return ContrastRatio(background, RGB(0, 0, 0)) >= ContrastRatio(background, RGB(255, 255, 255)) ? RGB(0, 0, 0)
                                                                                                   : RGB(255, 255, 255);
}

}  // namespace forms
