// ReedOscillator: one free reed, a phase accumulator reading band-limited
// wavetables with linear interpolation. Several tables can sound at once with
// their own weights (two levels of a seed, and two seeds while a glide moves the
// timbre from one note to the next); weights and the phase increment move
// linearly across a control block, so nothing steps.
#pragma once

#include "soundlib/NoteSeed.h"

namespace soundlib {

// The tables a reed reads during one control block, with their weights at the
// block's start and their change per sample.
struct TableMix {
  static constexpr int kMax = 8;
  const float* table[kMax] = {};
  float weight[kMax] = {};
  float step[kMax] = {};
  int count = 0;
};

class ReedOscillator {
 public:
  void Init(double phase, double increment) {
    phase_ = phase;
    increment_ = increment;
  }
  double phase() const { return phase_; }

  // Adds gain[s] times the reed's output to out[s] for n samples, while the
  // phase increment (cycles per sample) moves linearly to targetIncrement.
  void Process(const TableMix& mix, double targetIncrement, const float* gain, float* out, int n) {
    const double incrementStep = (targetIncrement - increment_) / n;
    for (int s = 0; s < n; ++s) {
      const double position = phase_ * NoteSeed::kTableSize;
      const int index = static_cast<int>(position);
      const float fraction = static_cast<float>(position - index);
      float value = 0.0f;
      for (int t = 0; t < mix.count; ++t) {
        const float* table = mix.table[t];
        const float sample = table[index] + fraction * (table[index + 1] - table[index]);
        value += (mix.weight[t] + mix.step[t] * static_cast<float>(s)) * sample;
      }
      out[s] += gain[s] * value;
      increment_ += incrementStep;
      phase_ += increment_;
      if (phase_ >= 1.0) phase_ -= 1.0;
    }
  }

 private:
  double phase_ = 0.0;
  double increment_ = 0.0;
};

}  // namespace soundlib
