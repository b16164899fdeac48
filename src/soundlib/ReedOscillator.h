// ReedOscillator: one free reed, a phase accumulator reading band-limited
// wavetables with linear interpolation. Several tables can sound at once with
// their own weights (two levels of a seed, and two seeds while a glide moves the
// timbre from one note to the next); weights and the phase increment move
// linearly across a control block, so nothing steps. The phase is a 32-bit
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
  static constexpr int kMaxBlock = 64;  // longest block Process takes
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

  // Two reeds of a note at a constant pitch reading one table, in one pass:
  // the common case. gain (per sample) may be null for a constant 1.
  static void ProcessPair(ReedOscillator& a, float weightA, ReedOscillator& b, float weightB, const float* table,
                          const float* gain, float* out, int n) {
    uint32_t phaseA = a.phase_;
    uint32_t phaseB = b.phase_;
    const uint32_t incrementA = static_cast<uint32_t>(a.increment_);
    const uint32_t incrementB = static_cast<uint32_t>(b.increment_);
    if (gain == nullptr) {
      for (int s = 0; s < n; ++s) {
        out[s] += weightA * ReadAt(table, phaseA) + weightB * ReadAt(table, phaseB);
        phaseA += incrementA;
        phaseB += incrementB;
      }
    } else {
      for (int s = 0; s < n; ++s) {
        out[s] += gain[s] * (weightA * ReadAt(table, phaseA) + weightB * ReadAt(table, phaseB));
        phaseA += incrementA;
        phaseB += incrementB;
      }
    }
    a.phase_ = phaseA;
    b.phase_ = phaseB;
  }

  // Two reeds (the second at levelB) reading any mix while their increments move
  // linearly to their targets: one pass per table over both reeds' phases.
  static void ProcessPair(ReedOscillator& a, double targetA, ReedOscillator& b, double targetB, float levelB,
                          const TableMix& mix, const float* gain, float* out, int n) {
    float value[kMaxBlock] = {};
    const int64_t endA = Fixed(targetA);
    const int64_t endB = Fixed(targetB);
    const int64_t stepA = (endA - a.increment_) / n;
    const int64_t stepB = (endB - b.increment_) / n;
    uint32_t phaseA = a.phase_;
    uint32_t phaseB = b.phase_;
    for (int t = 0; t < mix.count; ++t) {
      const float* table = mix.table[t];
      float weight = mix.weight[t];
      phaseA = a.phase_;
      phaseB = b.phase_;
      int64_t incrementA = a.increment_;
      int64_t incrementB = b.increment_;
      for (int s = 0; s < n; ++s) {
        value[s] += weight * (ReadAt(table, phaseA) + levelB * ReadAt(table, phaseB));
        weight += mix.step[t];
        phaseA += static_cast<uint32_t>(incrementA);
        phaseB += static_cast<uint32_t>(incrementB);
        incrementA += stepA;
        incrementB += stepB;
      }
    }
    for (int s = 0; s < n; ++s) out[s] += gain[s] * value[s];
    a.phase_ = phaseA;
    b.phase_ = phaseB;
    a.increment_ = endA;
    b.increment_ = endB;
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
  // Any mix: one pass per table over the same phases, then the gains.
  void General(const TableMix& mix, int64_t step, const float* gain, float* out, int n) {
    float value[kMaxBlock] = {};
    uint32_t phase = phase_;
    int64_t increment = increment_;
    for (int t = 0; t < mix.count; ++t) {
      const float* table = mix.table[t];
      float weight = mix.weight[t];
      phase = phase_;
      increment = increment_;
      for (int s = 0; s < n; ++s) {
        value[s] += weight * ReadAt(table, phase);
        weight += mix.step[t];
        phase += static_cast<uint32_t>(increment);
        increment += step;
      }
    }
    for (int s = 0; s < n; ++s) out[s] += gain[s] * value[s];
    phase_ = phase;
    increment_ = increment;
  }

  static constexpr double kCycle = 4294967296.0;
  static constexpr int kFractionBits = 32 - 11;  // NoteSeed::kTableSize == 2^11
  static_assert(NoteSeed::kTableSize == 1 << 11);

  static int64_t Fixed(double increment) { return static_cast<int64_t>(std::llround(increment * kCycle)); }
  float Read(const float* table) const { return ReadAt(table, phase_); }
  static float ReadAt(const float* table, uint32_t phase) {
    const uint32_t index = phase >> kFractionBits;
    const int32_t low = static_cast<int32_t>(phase & ((1u << kFractionBits) - 1));
    const float fraction = static_cast<float>(low) * (1.0f / (1u << kFractionBits));
    const float* pair = table + 2 * index;
    return pair[0] + fraction * pair[1];
  }
  void Advance(int64_t step) {
    phase_ += static_cast<uint32_t>(increment_);
    increment_ += step;
  }

  uint32_t phase_ = 0;
  int64_t increment_ = 0;
  float gainBuffer_[kMaxBlock] = {};
};

}  // namespace soundlib
