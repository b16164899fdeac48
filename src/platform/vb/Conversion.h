// Numeric conversions and formatting with the Windows-era runtime's rules:
// rounding to the nearest with ties to even, overflow raising error 6,
// integer division by zero raising error 11, Val reading the leading number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vb {

// Rounds to the nearest integer, ties to the even one (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double x);

// CInt / CLng: round half to even, then range-check. Out of range (or NaN)
// signals error 6; when that is passed over the result is 0.
int16_t CInt(double x);
int32_t CLng(double x);
// The same for text: a text that is not a number signals error 13.
int16_t CInt(std::string_view text);
int32_t CLng(std::string_view text);

// CSng: a Double narrowed to Single; out of Single range signals error 6.
float CSng(double x);

// Integer division (\) and Mod with Integer/Long semantics: operands are rounded
// half to even first; a zero divisor signals error 11 and, when passed over, gives 0.
int32_t IntDiv(double a, double b);
int32_t Mod(double a, double b);

// Val: the leading numeric part of a text. Blanks, tabs and line feeds are skipped
// anywhere; "&H" and "&O" prefixes read hexadecimal and octal; an exponent may use
// E or D. A text with no leading number gives 0.
double Val(std::string_view text);

// True when the whole text (surrounding blanks allowed) is a number, as IsNumeric.
bool IsNumeric(std::string_view text);

// The general number format (CStr of a number, Format(x, "General Number")):
// up to 15 significant digits for a Double, 7 for a Single, no trailing zeros,
// scientific notation ("1E+20", "1.5E-07") for very large or small values.
std::string FormatGeneral(double x);
std::string FormatGeneralSingle(float x);
std::string CStr(double x);
std::string CStr(int32_t x);

// Str(): the general format with a leading blank for a value that is not negative.
std::string Str(double x);

// A number as the Print statement writes it to a file: a leading blank when not
// negative (a minus sign otherwise) and one trailing blank: 3021 -> " 3021 ".
std::string PrintNumber(double x);

}  // namespace vb
