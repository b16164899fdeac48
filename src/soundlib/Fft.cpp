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
    const double stepRe = std::cos(angle);
    const double stepIm = std::sin(angle);
    for (size_t start = 0; start < n; start += len) {
      double wRe = 1.0, wIm = 0.0;
      for (size_t k = 0; k < len / 2; ++k) {
        std::complex<double>& a = data[start + k];
        std::complex<double>& b = data[start + k + len / 2];
        const double bRe = b.real() * wRe - b.imag() * wIm;
        const double bIm = b.real() * wIm + b.imag() * wRe;
        b = {a.real() - bRe, a.imag() - bIm};
        a = {a.real() + bRe, a.imag() + bIm};
        const double re = wRe * stepRe - wIm * stepIm;
        wIm = wRe * stepIm + wIm * stepRe;
        wRe = re;
      }
    }
  }
}

}  // namespace soundlib
