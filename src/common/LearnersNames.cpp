#include "common/LearnersNames.h"

namespace common {

namespace {

bool IsBlank(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A control character of UTF-8 text at i (C0, DEL or C1); its length in bytes, 0 when none.
size_t ControlAt(const std::string& text, size_t i) {
  const auto c = static_cast<unsigned char>(text[i]);
  if (c < 0x20 || c == 0x7F) return 1;
  if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
      static_cast<unsigned char>(text[i + 1]) <= 0x9F)
    return 2;
  return 0;
}

}  // namespace

std::string fLearnersName(const std::string& typed, NameFault& fault) {
  size_t first = 0;
  size_t last = typed.size();
  while (first < last && IsBlank(static_cast<unsigned char>(typed[first]))) ++first;
  while (last > first && IsBlank(static_cast<unsigned char>(typed[last - 1]))) --last;
  const std::string name = typed.substr(first, last - first);
  fault = NameFault::None;
  size_t characters = 0;
  for (size_t i = 0; i < name.size(); ++i) {
    if (ControlAt(name, i) > 0) {
      fault = NameFault::ControlCharacter;
      return name;
    }
    if ((static_cast<unsigned char>(name[i]) & 0xC0) != 0x80) ++characters;
  }
  if (name.empty()) fault = NameFault::Empty;
  else if (characters > kLongestName) fault = NameFault::TooLong;
  return name;
}

std::string fNameFaultMessage(NameFault fault) {
  switch (fault) {
    case NameFault::TooLong: return "Please use a Name of at most " + std::to_string(kLongestName) + " characters";
    case NameFault::ControlCharacter:
      return "Please use a Name without tabs, line breaks or other control characters";
    case NameFault::None:
    case NameFault::Empty: break;
  }
  return "";
}

}  // namespace common
