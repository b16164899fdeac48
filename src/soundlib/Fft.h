// Fft: an in-place iterative radix-2 complex FFT. Used only when seeds are
// loaded (building wavetables), never while sound is produced.
#pragma once

#include <complex>
#include <vector>

namespace soundlib {

// Transforms data (size a power of two) in place; inverse = true computes the
// unscaled inverse transform.
void Fft(std::vector<std::complex<double>>& data, bool inverse);

}  // namespace soundlib
