// The reeds' eight-wide passes, for processors with AVX2 (ReedOscillator.h).
#include "soundlib/ReedOscillator.h"

#include "soundlib/Wide.h"

#if defined(__x86_64__) && defined(__GNUC__) && !defined(VELMORA_NO_WIDE)
#include <immintrin.h>
#define VELMORA_REED_WIDE 1
#endif

namespace soundlib {

#ifdef VELMORA_REED_WIDE

namespace {
const bool kAvx2 = __builtin_cpu_supports("avx2");
}  // namespace

bool ReedOscillator::wide_ = kAvx2;

bool ReedOscillator::UseWide(bool on) { return wide_ = on && kAvx2; }

namespace {

// The linearly interpolated table values at eight phases: pair (value, delta)
// of each lane gathered as one 64-bit element, then value + fraction * delta.
__attribute__((target("avx2"))) inline __m256 Read8(const float* table, __m256i phase, int fractionBits) {
  const __m256i index = _mm256_srli_epi32(phase, fractionBits);
  // Lanes 0, 1, 4, 5 in one gather and 2, 3, 6, 7 in the other, so that the
  // shuffles below bring the values and deltas out in lane order.
  const __m256i order = _mm256_permutevar8x32_epi32(index, _mm256_setr_epi32(0, 1, 4, 5, 2, 3, 6, 7));
  const auto* pairs = reinterpret_cast<const long long*>(table);
  const __m256 g0 = _mm256_castsi256_ps(_mm256_i32gather_epi64(pairs, _mm256_castsi256_si128(order), 8));
  const __m256 g1 = _mm256_castsi256_ps(_mm256_i32gather_epi64(pairs, _mm256_extracti128_si256(order, 1), 8));
  const __m256 value = _mm256_shuffle_ps(g0, g1, _MM_SHUFFLE(2, 0, 2, 0));
  const __m256 delta = _mm256_shuffle_ps(g0, g1, _MM_SHUFFLE(3, 1, 3, 1));
  const __m256i low = _mm256_and_si256(phase, _mm256_set1_epi32(static_cast<int>((1u << fractionBits) - 1)));
  const __m256 fraction =
      _mm256_mul_ps(_mm256_cvtepi32_ps(low), _mm256_set1_ps(1.0f / static_cast<float>(1u << fractionBits)));
  return _mm256_add_ps(value, _mm256_mul_ps(fraction, delta));
}

// The phases of a ramping reed at samples 0 .. 7: start + s * increment + s (s - 1) / 2 * step.
__attribute__((target("avx2"))) inline __m256i RampLanes(uint32_t start, uint32_t increment, uint32_t step) {
  const __m256i s = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
  const __m256i pairs = _mm256_srli_epi32(_mm256_mullo_epi32(s, _mm256_sub_epi32(s, _mm256_set1_epi32(1))), 1);
  return _mm256_add_epi32(_mm256_set1_epi32(static_cast<int>(start)),
                          _mm256_add_epi32(_mm256_mullo_epi32(s, _mm256_set1_epi32(static_cast<int>(increment))),
                                           _mm256_mullo_epi32(pairs, _mm256_set1_epi32(static_cast<int>(step)))));
}

// How far each lane's phase moves over the next eight samples: 8 increments
// plus 28 steps (and 64 steps more at each eight samples after).
__attribute__((target("avx2"))) inline __m256i RampDeltas(uint32_t increment, uint32_t step) {
  const __m256i s = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
  const __m256i steps = _mm256_set1_epi32(static_cast<int>(step));
  const __m256i moved = _mm256_add_epi32(_mm256_set1_epi32(static_cast<int>(increment)), _mm256_mullo_epi32(s, steps));
  return _mm256_add_epi32(_mm256_slli_epi32(moved, 3), _mm256_mullo_epi32(_mm256_set1_epi32(28), steps));
}

}  // namespace

__attribute__((target("avx2"))) void ReedOscillator::ProcessPairWide(ReedOscillator& a, float weightA,
                                                                    ReedOscillator& b, float weightB,
                                                                    const float* table, const float* gain, float* out,
                                                                    int n) {
  const uint32_t incrementA = static_cast<uint32_t>(a.increment_);
  const uint32_t incrementB = static_cast<uint32_t>(b.increment_);
  const __m256i lane = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
  __m256i phaseA = _mm256_add_epi32(_mm256_mullo_epi32(lane, _mm256_set1_epi32(static_cast<int>(incrementA))),
                                    _mm256_set1_epi32(static_cast<int>(a.phase_)));
  __m256i phaseB = _mm256_add_epi32(_mm256_mullo_epi32(lane, _mm256_set1_epi32(static_cast<int>(incrementB))),
                                    _mm256_set1_epi32(static_cast<int>(b.phase_)));
  const __m256i stepA = _mm256_set1_epi32(static_cast<int>(incrementA * 8u));
  const __m256i stepB = _mm256_set1_epi32(static_cast<int>(incrementB * 8u));
  const __m256 wA = _mm256_set1_ps(weightA);
  const __m256 wB = _mm256_set1_ps(weightB);
  int s = 0;
  for (; s + 8 <= n; s += 8) {
    __m256 value = _mm256_add_ps(_mm256_mul_ps(wA, Read8(table, phaseA, kFractionBits)),
                                 _mm256_mul_ps(wB, Read8(table, phaseB, kFractionBits)));
    if (gain != nullptr) value = _mm256_mul_ps(value, _mm256_loadu_ps(gain + s));
    _mm256_storeu_ps(out + s, _mm256_add_ps(_mm256_loadu_ps(out + s), value));
    phaseA = _mm256_add_epi32(phaseA, stepA);
    phaseB = _mm256_add_epi32(phaseB, stepB);
  }
  PairTail(a, static_cast<uint32_t>(_mm256_cvtsi256_si32(phaseA)), weightA, b,
           static_cast<uint32_t>(_mm256_cvtsi256_si32(phaseB)), weightB, table, gain, out, s, n);
}

// The ramped case eight samples at a time. The weights move as in the narrow
// pass, four samples' steps at a time, so that each sample's weight is the same.
__attribute__((target("avx2"))) void ReedOscillator::ProcessPairWide(ReedOscillator& a, double targetA,
                                                                    ReedOscillator& b, double targetB, float levelB,
                                                                    const TableMix& mix, const float* gain,
                                                                    float* out, int n) {
  float value[kMaxBlock] = {};
  const RampPair pair(a, targetA, b, targetB, n);
  const Ramp& rampA = pair.a;
  const Ramp& rampB = pair.b;
  const int whole = n & ~3;
  const __m256i startA = RampLanes(rampA.start, rampA.increment, rampA.step);
  const __m256i startB = RampLanes(rampB.start, rampB.increment, rampB.step);
  const __m256i firstDeltaA = RampDeltas(rampA.increment, rampA.step);
  const __m256i firstDeltaB = RampDeltas(rampB.increment, rampB.step);
  const __m256i deltaStepA = _mm256_set1_epi32(static_cast<int>(rampA.step * 64u));
  const __m256i deltaStepB = _mm256_set1_epi32(static_cast<int>(rampB.step * 64u));
  const __m256 level = _mm256_set1_ps(levelB);
  for (int t = 0; t < mix.count; ++t) {
    const float* table = mix.table[t];
    const float step = mix.step[t];
    const __m128 stride = _mm_set1_ps(4.0f * step);
    __m128 low =
        _mm_add_ps(_mm_set1_ps(mix.weight[t]), _mm_mul_ps(_mm_set1_ps(step), _mm_setr_ps(0.0f, 1.0f, 2.0f, 3.0f)));
    __m256i phaseA = startA, phaseB = startB, deltaA = firstDeltaA, deltaB = firstDeltaB;
    int s = 0;
    for (; s < whole; s += 8) {
      const __m128 high = _mm_add_ps(low, stride);
      const __m256 weight = _mm256_insertf128_ps(_mm256_castps128_ps256(low), high, 1);
      const __m256 read =
          _mm256_add_ps(Read8(table, phaseA, kFractionBits), _mm256_mul_ps(level, Read8(table, phaseB, kFractionBits)));
      const __m256 sum = _mm256_add_ps(_mm256_loadu_ps(value + s), _mm256_mul_ps(weight, read));
      if (s + 8 <= whole) {
        _mm256_storeu_ps(value + s, sum);
      } else {
        // Four samples left of the whole fours: the upper lanes read the table
        // at phases past them (always within it) and are dropped.
        _mm_storeu_ps(value + s, _mm256_castps256_ps128(sum));
      }
      low = _mm_add_ps(high, stride);
      phaseA = _mm256_add_epi32(phaseA, deltaA);
      phaseB = _mm256_add_epi32(phaseB, deltaB);
      deltaA = _mm256_add_epi32(deltaA, deltaStepA);
      deltaB = _mm256_add_epi32(deltaB, deltaStepB);
    }
    pair.Tail(mix, t, levelB, value, whole, n);
  }
  pair.Finish(a, b, value, gain, out, n);
}

#else

bool ReedOscillator::wide_ = false;

bool ReedOscillator::UseWide(bool) { return false; }

void ReedOscillator::ProcessPairWide(ReedOscillator&, float, ReedOscillator&, float, const float*, const float*,
                                     float*, int) {}
void ReedOscillator::ProcessPairWide(ReedOscillator&, double, ReedOscillator&, double, float, const TableMix&,
                                     const float*, float*, int) {}

#endif

}  // namespace soundlib
