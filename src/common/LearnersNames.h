// The names a learner gives to saved work (a pattern, a scale, a composition), taken
// once in the same way before they are compared with the names stored and stored
// themselves, so that " pat1" never stands beside "pat1".
#pragma once

#include <cstddef>
#include <string>

namespace common {

// The longest name, in characters.
inline constexpr size_t kLongestName = 50;

enum class NameFault { None, Empty, TooLong, ControlCharacter };

// The name as typed with the blanks (and other white space) around it left out; fault
// says why it cannot be taken: nothing but blanks, more than kLongestName characters,
// or a control character (a tab, a line break, ...) within it.
std::string fLearnersName(const std::string& typed, NameFault& fault);

// The message for a name that is too long or holds a control character ("" for the
// others, whose messages each screen words itself).
std::string fNameFaultMessage(NameFault fault);

}  // namespace common
