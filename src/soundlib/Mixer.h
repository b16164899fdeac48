// Mixer: the instrument's sum to 16-bit samples: master gain, then a soft knee
// above 0.9 of full scale that bends peaks instead of clipping them (it never
// reaches full scale), then rounding.
#pragma once

#include <cmath>
#include <cstdint>

namespace soundlib {

class Mixer {
 public:
  void Init(float gain) { gain_ = gain; }

  void Process(const float* in, int16_t* out, int n) const {
    for (int s = 0; s < n; ++s) {
      float x = in[s] * gain_;
      const float magnitude = std::fabs(x);
      if (magnitude > kKnee) x = std::copysign(kKnee + (1.0f - kKnee) * std::tanh((magnitude - kKnee) / (1.0f - kKnee)), x);
      out[s] = static_cast<int16_t>(std::lrint(x * 32767.0f));
    }
  }

 private:
  static constexpr float kKnee = 0.9f;
  float gain_ = 0.5f;
};

}  // namespace soundlib
