// Colour references: 32 bits, red in the low byte, then green, then blue
// (&HC0E0FF is red FF, green E0, blue C0). A value with the top bit set names a
// system colour by the index in its low byte (&H80000008: window text).
#pragma once

#include <cstdint>
#include <vector>

#include <QColor>

namespace forms {

using Colour = uint32_t;

// System colours the screens use.
inline constexpr Colour kSysButtonFace = 0x8000000F;
inline constexpr Colour kSysButtonText = 0x80000012;
inline constexpr Colour kSysWindow = 0x80000005;
inline constexpr Colour kSysWindowText = 0x80000008;

constexpr Colour RGB(int red, int green, int blue) {
  return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr bool IsSystemColour(Colour c) { return (c & 0x80000000u) != 0; }

// The colour a reference stands for on this desktop (system colours from the
// application palette).
QColor ToQColor(Colour c);
// The reference of a plain colour (never a system colour).
Colour FromQColor(const QColor& c);

// The relative luminance of a colour as shown (0 black to 1 white), and the contrast
// ratio of two colours (1 to 21), by the definitions of the web's accessibility
// guidelines.
double RelativeLuminance(Colour c);
double ContrastRatio(Colour a, Colour b);
// A colour of the hue of `preferred` that stands out against every colour of `around`
// by at least `ratio`: `preferred` itself when it does, else the first shade of it
// (darker first, then lighter) that does; the one of the greatest least contrast when
// none does.
Colour StandingOut(Colour preferred, const std::vector<Colour>& around, double ratio);
// Black or white, whichever reads better on `background`.
Colour TextColourOn(Colour background);

}  // namespace forms
