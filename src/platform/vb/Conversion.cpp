#include "platform/vb/Conversion.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/vb/Error.h"

namespace vb {

double RoundHalfEven(double x) {
  if (!std::isfinite(x)) return x;
  // Decided from the fraction, not the floating-point environment's rounding mode.
  const double f = std::floor(x);
  const double diff = x - f;
  if (diff < 0.5) return f;
  if (diff > 0.5) return f + 1.0;
  return (std::fmod(f, 2.0) == 0.0) ? f : f + 1.0;
}

namespace {

template <typename T>
T RoundChecked(double x) {
  double r = RoundHalfEven(x);
  if (std::isnan(r) || r < static_cast<double>(std::numeric_limits<T>::min()) ||
      r > static_cast<double>(std::numeric_limits<T>::max())) {
    Signal(kOverflow);
    return 0;
  }
  return static_cast<T>(r);
}

double NumberOfText(std::string_view text) {
  if (!IsNumeric(text)) {
    Signal(kTypeMismatch);
    return 0;
  }
  return Val(text);
}

bool IsSkippable(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Reads the leading number of text from pos; returns the characters used (0 when
// there is no number). Blanks inside are skipped as Val does.
size_t ReadNumber(std::string_view text, double& out) {
  size_t i = 0;
  const size_t n = text.size();
  auto skip = [&] {
    while (i < n && IsSkippable(text[i])) ++i;
  };
  skip();
  if (i + 1 < n && text[i] == '&' && (text[i + 1] == 'H' || text[i + 1] == 'h' || text[i + 1] == 'O' || text[i + 1] == 'o')) {
    const int base = (text[i + 1] == 'H' || text[i + 1] == 'h') ? 16 : 8;
    i += 2;
    uint64_t v = 0;
    size_t digits = 0;
    while (i < n) {
      if (IsSkippable(text[i])) { ++i; continue; }
      int d;
      char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
      if (c >= '0' && c <= '9') d = c - '0';
      else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
      else break;
      if (d >= base) break;
      v = v * base + d;
      if (v > 0xFFFFFFFFull) v &= 0xFFFFFFFFull;
      ++digits;
      ++i;
    }
    if (digits == 0) { out = 0; return 0; }
    // Values that fit 16 bits read as Integer, others as Long (two's complement).
    if (v <= 0xFFFF) out = static_cast<int16_t>(static_cast<uint16_t>(v));
    else out = static_cast<int32_t>(static_cast<uint32_t>(v));
    return i;
  }
  std::string clean;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    clean += text[i++];
  }
  size_t mantissa = 0;
  bool dot = false;
  while (i < n) {
    char c = text[i];
    if (IsSkippable(c)) { ++i; continue; }
    if (c >= '0' && c <= '9') { clean += c; ++mantissa; ++i; continue; }
    if (c == '.' && !dot) { clean += c; dot = true; ++i; continue; }
    break;
  }
  if (mantissa == 0) { out = 0; return 0; }
  size_t used = i;
  if (i < n && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    size_t j = i + 1;
    std::string exp = "E";
    while (j < n && IsSkippable(text[j])) ++j;
    if (j < n && (text[j] == '+' || text[j] == '-')) exp += text[j++];
    size_t ed = 0;
    while (j < n) {
      if (IsSkippable(text[j])) { ++j; continue; }
      if (text[j] >= '0' && text[j] <= '9') { exp += text[j++]; ++ed; continue; }
      break;
    }
    if (ed > 0) { clean += exp; used = j; }
  }
  out = std::strtod(clean.c_str(), nullptr);
  return used;
}

std::string FormatSig(double x, int digits) {
  if (x == 0) return "0";
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return x > 0 ? "Infinity" : "-Infinity";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*G", digits, x);
  std::string s = buf;
  // %G writes at least two exponent digits ("1E+20", "1.5E-07"), as the runtime does.
  return s;
}

}  // namespace

int16_t CInt(double x) { return RoundChecked<int16_t>(x); }
int32_t CLng(double x) { return RoundChecked<int32_t>(x); }
int16_t CInt(std::string_view text) { return CInt(NumberOfText(text)); }
int32_t CLng(std::string_view text) { return CLng(NumberOfText(text)); }

float CSng(double x) {
  if (std::isfinite(x) && std::fabs(x) > std::numeric_limits<float>::max()) {
    Signal(kOverflow);
    return 0;
  }
  return static_cast<float>(x);
}

int32_t IntDiv(double a, double b) {
  int32_t ia = CLng(a);
  int32_t ib = CLng(b);
  if (ib == 0) {
    Signal(kDivisionByZero);
    return 0;
  }
  if (ia == std::numeric_limits<int32_t>::min() && ib == -1) {
    Signal(kOverflow);
    return 0;
  }
  return ia / ib;  // truncates toward zero, as the runtime's \ does
}

int32_t Mod(double a, double b) {
  int32_t ia = CLng(a);
  int32_t ib = CLng(b);
  if (ib == 0) {
    Signal(kDivisionByZero);
    return 0;
  }
  if (ib == -1) return 0;
  return ia % ib;  // sign follows the dividend
}

double Val(std::string_view text) {
  double v = 0;
  ReadNumber(text, v);
  return v;
}

bool IsNumeric(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && IsSkippable(text[b])) ++b;
  while (e > b && IsSkippable(text[e - 1])) --e;
  if (b == e) return false;
  std::string_view t = text.substr(b, e - b);
  double v = 0;
  size_t used = ReadNumber(t, v);
  return used == t.size();
}

std::string FormatGeneral(double x) { return FormatSig(x, 15); }
std::string FormatGeneralSingle(float x) { return FormatSig(static_cast<double>(x), 7); }
std::string CStr(double x) { return FormatGeneral(x); }
std::string CStr(int32_t x) { return std::to_string(x); }

std::string Str(double x) {
  std::string s = FormatGeneral(x);
  return (x >= 0 || std::isnan(x)) ? " " + s : s;
}

std::string PrintNumber(double x) { return Str(x) + " "; }

}  // namespace vb
