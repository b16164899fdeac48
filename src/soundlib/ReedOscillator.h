// ReedOscillator: a free reed, a phase accumulator reading band-limited
// wavetables with linear interpolation. Several tables can sound at once with
// their own weights (two levels of a seed, and two seeds while a glide moves the
// timbre from one note to the next); weights and the phase increment move
// linearly across a control block, so nothing steps. The phase is a 32-bit
// fraction of a cycle (wrapping by itself; 0.00001 Hz steps): its top 11 bits
// index the table, the rest interpolate.
//
// A voice's two reeds always read the same tables, so they are processed as a
// pair, in one pass, four samples at a time (eight where the processor has AVX2).
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "soundlib/NoteSeed.h"

#include <emmintrin.h>

namespace soundlib {

// The tables the reeds read during one control block, with their weights at the
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
  static constexpr int kMaxBlock = 64;  // longest block the pair processing takes

  // phase in cycles, increment in cycles per sample.
  void Init(double phase, double increment) {
    phase_ = static_cast<uint32_t>(static_cast<uint64_t>(phase * kCycle) & 0xFFFFFFFFu);
    increment_ = Fixed(increment);
  }
  double phase() const { return phase_ / kCycle; }

  // Two reeds at constant pitches reading one table (the common case): adds
  // gain[s] * (weightA * a + weightB * b) to out[s]; gain may be null for 1.
  static void ProcessPair(ReedOscillator& a, float weightA, ReedOscillator& b, float weightB, const float* table,
                          const float* gain, float* out, int n) {
    if (wide_ && n >= 8) {
      ProcessPairWide(a, weightA, b, weightB, table, gain, out, n);
      return;
    }
    const uint32_t incrementA = static_cast<uint32_t>(a.increment_);
    const uint32_t incrementB = static_cast<uint32_t>(b.increment_);
    U4 phaseA = U4{0, 1, 2, 3} * incrementA + a.phase_;
    U4 phaseB = U4{0, 1, 2, 3} * incrementB + b.phase_;
    int s = 0;
    for (; s + 4 <= n; s += 4) {
      F4 value = weightA * Read4(table, phaseA) + weightB * Read4(table, phaseB);
      if (gain != nullptr) value *= Load4(gain + s);
      Store4(out + s, Load4(out + s) + value);
      phaseA += incrementA * 4;
      phaseB += incrementB * 4;
    }
    PairTail(a, phaseA[0], weightA, b, phaseB[0], weightB, table, gain, out, s, n);
  }

  // Two reeds (the second at levelB) reading any mix while their increments move
  // linearly to their targets: adds gain[s] times their sum to out[s], one pass
  // per table over both reeds' phases.
  static void ProcessPair(ReedOscillator& a, double targetA, ReedOscillator& b, double targetB, float levelB,
                          const TableMix& mix, const float* gain, float* out, int n) {
    if (wide_ && n >= 8) {
      ProcessPairWide(a, targetA, b, targetB, levelB, mix, gain, out, n);
      return;
    }
    float value[kMaxBlock] = {};
    const RampPair pair(a, targetA, b, targetB, n);
    const Ramp& rampA = pair.a;
    const Ramp& rampB = pair.b;
    const int whole = n & ~3;
    for (int t = 0; t < mix.count; ++t) {
      const float* table = mix.table[t];
      const float step = mix.step[t];
      F4 weight = mix.weight[t] + step * F4{0.0f, 1.0f, 2.0f, 3.0f};
      U4 phaseA = rampA.Lanes();
      U4 phaseB = rampB.Lanes();
      U4 deltaA = rampA.Deltas();
      U4 deltaB = rampB.Deltas();
      for (int s = 0; s < whole; s += 4) {
        Store4(value + s, Load4(value + s) + weight * (Read4(table, phaseA) + levelB * Read4(table, phaseB)));
        weight += 4.0f * step;
        phaseA += deltaA;
        phaseB += deltaB;
        deltaA += rampA.deltaStep;
        deltaB += rampB.deltaStep;
      }
      pair.Tail(mix, t, levelB, value, whole, n);
    }
    pair.Finish(a, b, value, gain, out, n);
  }

  // Where the processor has AVX2, both kinds of pass read eight samples of each
  // reed at a time, gathering their table pairs: the same operations on each
  // sample, so the same samples (ReedOscillator.cpp). Switched off, they read
  // four at a time, as everywhere else; true when the eight-wide passes are
  // taken afterwards.
  static bool UseWide(bool on);

 private:
  static bool wide_;
  static void ProcessPairWide(ReedOscillator& a, float weightA, ReedOscillator& b, float weightB, const float* table,
                              const float* gain, float* out, int n);
  static void ProcessPairWide(ReedOscillator& a, double targetA, ReedOscillator& b, double targetB, float levelB,
                              const TableMix& mix, const float* gain, float* out, int n);

  using F4 = float __attribute__((vector_size(16)));
  using U4 = uint32_t __attribute__((vector_size(16)));
  using I4 = int32_t __attribute__((vector_size(16)));

  static constexpr double kCycle = 4294967296.0;
  static constexpr int kFractionBits = 32 - 11;
  static_assert(NoteSeed::kTableSize == 1 << 11);

  // The phases of a reed whose increment grows by step each sample (all modulo
  // one cycle): phase at sample s = start + s * increment + s (s - 1) / 2 * step.
  struct Ramp {
    Ramp(uint32_t start, int64_t increment, int64_t step)
        : start(start), increment(static_cast<uint32_t>(increment)), step(static_cast<uint32_t>(step)),
          deltaStep(static_cast<uint32_t>(16 * step)) {}
    uint32_t At(int s) const {
      const uint32_t k = static_cast<uint32_t>(s);
      return start + k * increment + k * (k - 1) / 2 * step;
    }
    U4 Lanes() const { return U4{At(0), At(1), At(2), At(3)}; }
    // How far each lane moves over the next four samples: 4 increments plus 6 steps.
    U4 Deltas() const {
      const U4 lane = {0, 1, 2, 3};
      return (increment + lane * step) * 4u + 6u * step;
    }
    uint32_t start;
    uint32_t increment;
    uint32_t step;
    uint32_t deltaStep;
  };

  // Both reeds' ramps over one pass of n samples, to their target increments.
  struct RampPair {
    RampPair(const ReedOscillator& reedA, double targetA, const ReedOscillator& reedB, double targetB, int n)
        : endA(Fixed(targetA)),
          endB(Fixed(targetB)),
          a(reedA.phase_, reedA.increment_, (endA - reedA.increment_) / n),
          b(reedB.phase_, reedB.increment_, (endB - reedB.increment_) / n) {}
    // Table t's part of samples [from, n), one at a time.
    void Tail(const TableMix& mix, int t, float levelB, float* value, int from, int n) const {
      for (int s = from; s < n; ++s)
        value[s] += (mix.weight[t] + mix.step[t] * static_cast<float>(s)) *
                    (ReadAt(mix.table[t], a.At(s)) + levelB * ReadAt(mix.table[t], b.At(s)));
    }
    // Adds gain[s] * value[s] to out and moves the reeds on to the pass's end.
    void Finish(ReedOscillator& reedA, ReedOscillator& reedB, const float* value, const float* gain, float* out,
                int n) const {
      for (int s = 0; s < n; ++s) out[s] += gain[s] * value[s];
      reedA.phase_ = a.At(n);
      reedB.phase_ = b.At(n);
      reedA.increment_ = endA;
      reedB.increment_ = endB;
    }
    int64_t endA;
    int64_t endB;
    Ramp a;
    Ramp b;
  };

  // The constant-pitch pass's samples [s, n), one at a time, from the reeds'
  // phases at sample s; the reeds keep their phases at n.
  static void PairTail(ReedOscillator& a, uint32_t phaseA, float weightA, ReedOscillator& b, uint32_t phaseB,
                       float weightB, const float* table, const float* gain, float* out, int s, int n) {
    const uint32_t incrementA = static_cast<uint32_t>(a.increment_);
    const uint32_t incrementB = static_cast<uint32_t>(b.increment_);
    for (; s < n; ++s) {
      const float value = weightA * ReadAt(table, phaseA) + weightB * ReadAt(table, phaseB);
      out[s] += gain != nullptr ? gain[s] * value : value;
      phaseA += incrementA;
      phaseB += incrementB;
    }
    a.phase_ = phaseA;
    b.phase_ = phaseB;
  }

  static int64_t Fixed(double increment) { return static_cast<int64_t>(std::llround(increment * kCycle)); }

  static float ReadAt(const float* table, uint32_t phase) {
    const uint32_t index = phase >> kFractionBits;
    const int32_t low = static_cast<int32_t>(phase & ((1u << kFractionBits) - 1));
    const float fraction = static_cast<float>(low) * (1.0f / (1u << kFractionBits));
    const float* pair = table + 2 * index;
    return pair[0] + fraction * pair[1];
  }
  // ReadAt for four phases at once. Each pair (value, delta) is one 64-bit load.
  static F4 Read4(const float* table, U4 phase) {
    const U4 index = (phase >> kFractionBits) * 2u;
    const I4 low = reinterpret_cast<I4>(phase & ((1u << kFractionBits) - 1));
    const F4 fraction = __builtin_convertvector(low, F4) * (1.0f / (1u << kFractionBits));
    const __m128d pairs01 = _mm_loadh_pd(_mm_load_sd(reinterpret_cast<const double*>(table + index[0])),
                                         reinterpret_cast<const double*>(table + index[1]));
    const __m128d pairs23 = _mm_loadh_pd(_mm_load_sd(reinterpret_cast<const double*>(table + index[2])),
                                         reinterpret_cast<const double*>(table + index[3]));
    const __m128 a = _mm_castpd_ps(pairs01);
    const __m128 b = _mm_castpd_ps(pairs23);
    const F4 value = reinterpret_cast<F4>(_mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
    const F4 delta = reinterpret_cast<F4>(_mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)));
    return value + fraction * delta;
  }
  static F4 Load4(const float* p) {
    F4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
  }
  static void Store4(float* p, F4 v) { std::memcpy(p, &v, sizeof v); }

  uint32_t phase_ = 0;
  int64_t increment_ = 0;
};

}  // namespace soundlib
