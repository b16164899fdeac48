// Smoothstep: the S-curve 3x^2 - 2x^3 from 0 at x <= 0 to 1 at x >= 1, with zero
// slope at both ends, which the library's fades and envelopes follow so that
// none of them clicks.
#pragma once

#include <algorithm>

namespace soundlib {

template <class T>
T Smoothstep(T x) {
  x = std::clamp(x, T(0), T(1));
  return x * x * (T(3) - T(2) * x);
}

}  // namespace soundlib
