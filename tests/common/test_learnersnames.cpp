// A name the learner types for a pattern, a scale or a composition, as it is compared
// and stored.
#include <string>

#include <gtest/gtest.h>

#include "common/LearnersNames.h"

namespace {

using common::NameFault;

struct NameCase {
  const char* typed;
  const char* name;
  NameFault fault;
};

TEST(LearnersNameTest, IsTrimmedBoundedAndFreeOfControlCharacters) {
  const std::string longest(common::kLongestName, 'x');
  const std::string devanagari50 = [] {
    std::string s;
    for (size_t i = 0; i < common::kLongestName; ++i) s += "\u0938";  // three bytes each
    return s;
  }();
  const NameCase cases[] = {
      {"pat1", "pat1", NameFault::None},
      {" pat1", "pat1", NameFault::None},
      {"pat1  ", "pat1", NameFault::None},
      {"\t pat 1 \r\n", "pat 1", NameFault::None},
      {"", "", NameFault::Empty},
      {"   \t", "", NameFault::Empty},
      {"pa\tt1", "pa\tt1", NameFault::ControlCharacter},
      {"pa\nt1", "pa\nt1", NameFault::ControlCharacter},
      {"pat\x7f", "pat\x7f", NameFault::ControlCharacter},
      {"pat\xc2\x85", "pat\xc2\x85", NameFault::ControlCharacter},  // NEL, a control character of UTF-8
      {"pat\xc2\xa0x", "pat\xc2\xa0x", NameFault::None},            // a no-break space is a character
  };
  for (const NameCase& c : cases) {
    NameFault fault = NameFault::None;
    EXPECT_EQ(common::fLearnersName(c.typed, fault), c.name) << c.typed;
    EXPECT_EQ(fault, c.fault) << c.typed;
  }
  NameFault fault = NameFault::None;
  EXPECT_EQ(common::fLearnersName(" " + longest + " ", fault), longest);
  EXPECT_EQ(fault, NameFault::None);
  common::fLearnersName(longest + "y", fault);
  EXPECT_EQ(fault, NameFault::TooLong);
  common::fLearnersName(devanagari50, fault);
  EXPECT_EQ(fault, NameFault::None) << "characters are counted, not bytes";
  EXPECT_EQ(common::fNameFaultMessage(NameFault::TooLong), "Please use a Name of at most 50 characters");
  EXPECT_NE(common::fNameFaultMessage(NameFault::ControlCharacter).find("control characters"), std::string::npos);
}

}  // namespace
