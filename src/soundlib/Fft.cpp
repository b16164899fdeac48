#include "soundlib/Fft.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace soundlib {

void Fft(std::vector<std::complex<double>>& data, bool inverse) {
  const size_t n = data.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(data[i], data[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const double angle = (inverse ? 2.0 : -2.0) * std::numbers::pi / static_cast<double>(len);
    const std::complex<double> step(std::cos(angle), std::sin(angle));
    for (size_t start = 0; start < n; start += len) {
      std::complex<double> w(1.0, 0.0);
      for (size_t k = 0; k < len / 2; ++k) {
        const auto a = data[start + k];
        const auto b = data[start + k + len / 2] * w;
        data[start + k] = a + b;
        data[start + k + len / 2] = a - b;
        w *= step;
      }
    }
  }
}

}  // namespace soundlib
