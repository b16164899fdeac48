// Mixer: the instrument's sum to 16-bit samples: master gain (after which the
// accompaniment is added), then a soft knee above 0.9 of full scale that bends
// peaks instead of clipping them (it never reaches full scale), then rounding.
// The block is scaled in place.
#pragma once

#include <cmath>
#include <cstdint>

namespace soundlib {

class Mixer {
 public:
  void Init(float gain) { gain_ = gain; }

  // The instrument's level, the bellows included: in[s] *= gain * pressure[s].
  void Scale(float* in, const float* pressure, int n) const {
    for (int s = 0; s < n; ++s) in[s] *= gain_ * pressure[s];
  }
  // The knee and the rounding to 16 bits of a finished sum; in may be bent in place.
  static void Finish(float* in, int16_t* out, int n) {
    int over = 0;
    for (int s = 0; s < n; ++s) over |= std::fabs(in[s]) > kKnee;
    if (over != 0) {
      for (int s = 0; s < n; ++s) {
        const float magnitude = std::fabs(in[s]);
        if (magnitude > kKnee)
          in[s] = std::copysign(kKnee + (1.0f - kKnee) * std::tanh((magnitude - kKnee) / (1.0f - kKnee)), in[s]);
      }
    }
    // Adding and taking away 1.5 * 2^23 rounds to the nearest integer (ties to even).
    constexpr float kRound = 12582912.0f;
    for (int s = 0; s < n; ++s) out[s] = static_cast<int16_t>(static_cast<int32_t>((in[s] * 32767.0f + kRound) - kRound));
  }

 private:
  static constexpr float kKnee = 0.9f;
  float gain_ = 0.5f;
};

}  // namespace soundlib
