// Points at which a test can hold a start-up, to see what a second running copy of the
// program, or a kill at that moment, finds there. Empty in the program.
#pragma once

#include <functional>

namespace shell {

struct StartUpSeamPoints {
  // A first start, after it found no user database, just before it copies the template.
  std::function<void()> BeforeTemplateCopy;
  // The carry-over, after its rows were committed, before the earlier file is deleted.
  std::function<void()> AfterCarryOverCommit;
};
inline StartUpSeamPoints StartUpSeams;

}  // namespace shell
