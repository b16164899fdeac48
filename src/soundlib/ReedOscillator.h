// ReedOscillator: one free reed, a phase accumulator reading band-limited
// wavetables with linear interpolation. Several tables can sound at once with
// their own weights (two levels of a seed, and two seeds while a glide moves the
// timbre from one note to the next); weights and the phase increment move
// linearly across a control block (at most 64 samples), so nothing steps. The phase is a 32-bit
// fraction of a cycle (wrapping by itself; 0.00001 Hz steps): its top 11 bits
// index the table, the rest interpolate.
#pragma once

#include <cmath>
#include <cstdint>

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
    phase_ = static_cast<uint32_t>(static_cast<uint64_t>(phase * kCycle) & 0xFFFFFFFFu);
    increment_ = Fixed(increment);
  }
  double phase() const { return phase_ / kCycle; }

  // Adds gain[s] times the reed's output to out[s] for n samples, while the
  // phase increment (cycles per sample) moves linearly to targetIncrement.
  void Process(const TableMix& mix, double targetIncrement, const float* gain, float* out, int n) {
    const int64_t target = Fixed(targetIncrement);
    const int64_t step = (target - increment_) / n;
    if (mix.count == 1 && mix.step[0] == 0.0f) {
      const float* table = mix.table[0];
      const float weight = mix.weight[0];
      for (int s = 0; s < n; ++s) {
        out[s] += gain[s] * weight * Read(table);
        Advance(step);
      }
    } else {
      General(mix, step, gain, out, n);
    }
    increment_ = target;
  }

  // The same at a constant gain and pitch, the case of a held note.
  void Process(const TableMix& mix, float gain, float* out, int n) {
    if (mix.count == 1 && mix.step[0] == 0.0f) {
      const float* table = mix.table[0];
      const float weight = gain * mix.weight[0];
      const uint32_t increment = static_cast<uint32_t>(increment_);
      for (int s = 0; s < n; ++s) {
        out[s] += weight * Read(table);
        phase_ += increment;
      }
    } else {
      for (int s = 0; s < n; ++s) gainBuffer_[s] = gain;
      General(mix, 0, gainBuffer_, out, n);
    }
  }

 private:
  void General(const TableMix& mix, int64_t step, const float* gain, float* out, int n) {
    {
      for (int s = 0; s < n; ++s) {
        float value = 0.0f;
        for (int t = 0; t < mix.count; ++t) value += (mix.weight[t] + mix.step[t] * static_cast<float>(s)) * Read(mix.table[t]);
        out[s] += gain[s] * value;
        Advance(step);
      }
    }
  }

  static constexpr double kCycle = 4294967296.0;
  static constexpr int kFractionBits = 32 - 11;  // NoteSeed::kTableSize == 2^11
  static_assert(NoteSeed::kTableSize == 1 << 11);

  static int64_t Fixed(double increment) { return static_cast<int64_t>(std::llround(increment * kCycle)); }
  float Read(const float* table) const {
    const uint32_t index = phase_ >> kFractionBits;
    const int32_t low = static_cast<int32_t>(phase_ & ((1u << kFractionBits) - 1));
    const float fraction = static_cast<float>(low) * (1.0f / (1u << kFractionBits));
    return table[index] + fraction * (table[index + 1] - table[index]);
  }
  void Advance(int64_t step) {
    phase_ += static_cast<uint32_t>(increment_);
    increment_ += step;
  }

  uint32_t phase_ = 0;
  int64_t increment_ = 0;
  float gainBuffer_[64] = {};
};

}  // namespace soundlib
