// Test support: the number of the runtime error a piece of code raises.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/vb/Error.h"

namespace testsupport {

// Runs f and gives the number of the vb::VbError it raised (0 when none).
inline int32_t ErrorNumber(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::VbError& e) {
    return e.err().Number;
  }
  return 0;
}

}  // namespace testsupport
