#include "soundlib/DroneString.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "soundlib/Random.h"
#include "soundlib/Smoothstep.h"

namespace soundlib {

namespace {

using F4 = float __attribute__((vector_size(16)));

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kAttackSeconds = 0.003;
constexpr double kDampSeconds = 0.02;
// The pluck's pitch starts 4 cents sharp and settles with this time constant.
constexpr double kGlideRatio = 0.0023;
constexpr double kGlideSeconds = 0.08;
// The jawari band: its width (standard deviation, octaves) and its gain over
// the partials outside it, which the pluck sets ringing at full strength and
// which then settle to a quarter of it.
constexpr double kBandWidth = 0.4;
constexpr double kBandGain = 3.5;
constexpr double kOutsideBand = 0.25;
constexpr double kPluckSeconds = 0.2;
// Above this frequency harmonics die away faster (2500 Hz, exponent 1.5).
constexpr double kDampingHz = 3500.0;
constexpr float kSilent = 1e-6f;
// Blocks between exact settings of the partials' phases and rotations.
constexpr int kResync = 8;
static_assert(DroneString::kPartSamples == kResync * DroneString::kControlBlock, "parts begin where phases are set");
static_assert((DroneString::kControlBlock & (DroneString::kControlBlock - 1)) == 0, "a power of two");
constexpr float kInverseBlock = 1.0f / DroneString::kControlBlock;
// (d / kBandWidth)^2 beyond which kBandGain * exp(-d^2 / 2) < 2^-56: less than a
// quarter of the last place of kOutsideBand + pluck (at least 0.25).
constexpr double kFarFromBand = 82.0;

// The seed's amplitude at fractional harmonic x, linear between harmonics.
float SeedAmplitude(const DroneString::Spectrum& seed, double x) {
  if (seed.count < 1) return 0.0f;
  if (x <= 1.0) return seed.amplitude[1];
  const int i = static_cast<int>(x);
  if (i >= seed.count) return i == seed.count && x == i ? seed.amplitude[i] : 0.0f;
  const float fraction = static_cast<float>(x - i);
  return seed.amplitude[i] * (1.0f - fraction) + seed.amplitude[i + 1] * fraction;
}

F4 Load4(const float* p) {
  F4 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
void Store4(float* p, F4 v) { std::memcpy(p, &v, sizeof v); }

// Groups of four partials rotated side by side, so that their rotations (each
// waiting on its last) overlap; each sample still takes the groups' products in
// the order of the partials.
constexpr int kInterleave = 4;

#if defined(__x86_64__) || defined(__i386__)
// Where the processor has 256-bit registers, two groups share one: the same
// products, sums and rotations lane by lane, so the same samples, in half the steps.
const bool kWide = __builtin_cpu_supports("avx");

// Rotate<4> on 256-bit registers: groups k .. k + 12 as two pairs.
__attribute__((target("avx"))) void RotateWide(int k, int n, float* re, float* im, const float* amplitude,
                                                const float* stepRe, const float* stepIm, const float* slope,
                                                F4* sum) {
  __m256 r[2], i[2], a[2], c[2], sn[2], da[2];
  for (int p = 0; p < 2; ++p) {
    const int at = k + 8 * p;
    r[p] = _mm256_loadu_ps(re + at), i[p] = _mm256_loadu_ps(im + at), a[p] = _mm256_loadu_ps(amplitude + at);
    c[p] = _mm256_loadu_ps(stepRe + at), sn[p] = _mm256_loadu_ps(stepIm + at), da[p] = _mm256_loadu_ps(slope + at);
  }
  for (int s = 0; s < n; ++s) {
    __m128 total = _mm_loadu_ps(reinterpret_cast<const float*>(sum + s));
    for (int p = 0; p < 2; ++p) {
      const __m256 product = _mm256_mul_ps(a[p], r[p]);
      total = _mm_add_ps(total, _mm256_castps256_ps128(product));
      total = _mm_add_ps(total, _mm256_extractf128_ps(product, 1));
      a[p] = _mm256_add_ps(a[p], da[p]);
      const __m256 r2 = _mm256_sub_ps(_mm256_mul_ps(r[p], c[p]), _mm256_mul_ps(i[p], sn[p]));
      i[p] = _mm256_add_ps(_mm256_mul_ps(r[p], sn[p]), _mm256_mul_ps(i[p], c[p]));
      r[p] = r2;
    }
    _mm_storeu_ps(reinterpret_cast<float*>(sum + s), total);
  }
  for (int p = 0; p < 2; ++p) {
    _mm256_storeu_ps(re + k + 8 * p, r[p]);
    _mm256_storeu_ps(im + k + 8 * p, i[p]);
  }
}
#else
constexpr bool kWide = false;
void RotateWide(int, int, float*, float*, const float*, const float*, const float*, const float*, F4*) {}
#endif

// Adds the groups of partials k, k + 4, ... (groups of them) to sum[0, n), rotating
// each on by n samples and moving its amplitude along its slope.
template <int groups>
void Rotate(int k, int n, float* re, float* im, const float* amplitude, const float* stepRe, const float* stepIm,
            const float* slope, F4* sum) {
  F4 r[groups], i[groups], a[groups], c[groups], sn[groups], da[groups];
  for (int g = 0; g < groups; ++g) {
    const int at = k + 4 * g;
    r[g] = Load4(re + at), i[g] = Load4(im + at), a[g] = Load4(amplitude + at);
    c[g] = Load4(stepRe + at), sn[g] = Load4(stepIm + at), da[g] = Load4(slope + at);
  }
  for (int s = 0; s < n; ++s) {
    F4 total = sum[s];
    for (int g = 0; g < groups; ++g) {
      total += a[g] * r[g];
      a[g] += da[g];
      const F4 r2 = r[g] * c[g] - i[g] * sn[g];
      i[g] = r[g] * sn[g] + i[g] * c[g];
      r[g] = r2;
    }
    sum[s] = total;
  }
  for (int g = 0; g < groups; ++g) {
    Store4(re + k + 4 * g, r[g]);
    Store4(im + k + 4 * g, i[g]);
  }
}

}  // namespace

double DroneString::BandHz(double t) const {
  return kBandEndHz * std::pow(band_.startHz / kBandEndHz, std::exp(-t / band_.slideSeconds));
}

void DroneString::Init(double hz, float level, double decaySeconds, const Spectrum& seed, uint64_t phaseSeed,
                       const Band& band) {
  hz_ = hz;
  band_ = band;
  level_ = level;
  decay_ = decaySeconds;
  count_ = std::clamp(static_cast<int>(kTopHz / hz), 1, kMaxPartials);
  Random random(phaseSeed);
  double energy = 0.0;
  for (int k = 0; k < count_; ++k) {
    const double f = (k + 1) * hz;
    base_[k] = seed.seedHz > 0.0 ? SeedAmplitude(seed, f / seed.seedHz) : 0.0f;
    energy += static_cast<double>(base_[k]) * base_[k];
    partialDecay_[k] = decaySeconds / (1.0 + std::pow(f / kDampingHz, 1.5));
    phase_[k] = std::numbers::pi * random.Bipolar();
  }
  const float scale = energy > 0.0 ? static_cast<float>(1.0 / std::sqrt(energy)) : 0.0f;
  for (int k = 0; k < count_; ++k) base_[k] *= scale;
}

void DroneString::AddPluck(float* cycle, int64_t cycleLength, int64_t start, int64_t length, int64_t from,
                           int64_t to) const {
  if (length <= 0 || cycleLength <= 0 || from % kPartSamples != 0) return;
  const double rate = kSampleRate;
  const double seconds = static_cast<double>(length) / rate;

  alignas(16) float amplitude[kMaxPartials] = {};  // at the present block's start
  alignas(16) float next[kMaxPartials] = {};
  alignas(16) float re[kMaxPartials] = {};
  alignas(16) float im[kMaxPartials] = {};
  alignas(16) float stepRe[kMaxPartials] = {};
  alignas(16) float stepIm[kMaxPartials] = {};
  alignas(16) float slope[kMaxPartials] = {};
  double logHz[kMaxPartials];
  double decay[kMaxPartials];      // exp(-t / partialDecay) at the present block's end
  double decayStep[kMaxPartials];  // its factor over a whole block
  for (int k = 0; k < count_; ++k) {
    logHz[k] = std::log2((k + 1) * hz_);
    decay[k] = 1.0;
    decayStep[k] = std::exp(-kControlBlock / (rate * partialDecay_[k]));
  }
  // The envelope of partial k at the end of a block (decay[k] already there), given
  // the band centre and what all partials share at that time.
  auto envelope = [&](int k, double logBand, double pluck, double common) {
    const double d = (logHz[k] - logBand) / kBandWidth;
    // Far from the band its gain is below half a unit in the last place of the
    // rest and adds nothing: the exponential is not computed.
    const double band =
        d * d > kFarFromBand ? kOutsideBand + pluck : kOutsideBand + pluck + kBandGain * std::exp(-0.5 * d * d);
    return static_cast<float>(level_ * base_[k] * decay[k] * band * common);
  };
  F4 sum[kControlBlock];
  float out[kControlBlock];
  int top = count_;  // partials at and above top have died away
  double stepRatio = -1.0;  // the pitch ratio the rotations were last set for

  for (int64_t b = 0, block = 0; b < std::min(length, to) && top > 0; b += kControlBlock, ++block) {
    const int n = static_cast<int>(std::min<int64_t>(kControlBlock, length - b));
    const double t0 = static_cast<double>(b) / rate;
    const double t1 = static_cast<double>(b + n) / rate;
    // The control values of the blocks before `from` (whole blocks all), and the
    // amplitudes the last of them leaves, as rendering them would have left them.
    if (b < from) {
      for (int k = 0; k < top; ++k) decay[k] *= decayStep[k];
      if (b + n == from) {
        const double logBand = std::log2(BandHz(t1));
        const double pluck = (1.0 - kOutsideBand) * std::exp(-t1 / kPluckSeconds);
        const double common =
            Smoothstep(t1 / kAttackSeconds) * (1.0 - Smoothstep((t1 - (seconds - kDampSeconds)) / kDampSeconds));
        for (int k = 0; k < top; ++k) amplitude[k] = envelope(k, logBand, pluck, common);
      }
      while (top > 0 && level_ * base_[top - 1] * (1.0 + kBandGain) * decay[top - 1] < kSilent) --top;
      continue;
    }
    const double logBand = std::log2(BandHz(t1));
    const double pluck = (1.0 - kOutsideBand) * std::exp(-t1 / kPluckSeconds);
    const double common =
        Smoothstep(t1 / kAttackSeconds) * (1.0 - Smoothstep((t1 - (seconds - kDampSeconds)) / kDampSeconds));
    // Every kResync blocks the phases are set exactly and the rotation follows the
    // settling pitch; in between the rotation runs on.
    const bool resync = block % kResync == 0;
    const double glide = kGlideRatio * kGlideSeconds * (1.0 - std::exp(-t0 / kGlideSeconds));
    const double ratio = 1.0 + kGlideRatio * std::exp(-(t0 + kResync * 0.5 * kControlBlock / rate) / kGlideSeconds);
    const int lanes = (top + 3) & ~3;
    // Once the pitch has settled the rotations stay as they were set.
    const bool newSteps = resync && ratio != stepRatio;
    if (newSteps) stepRatio = ratio;
    for (int k = top; k < lanes; ++k) amplitude[k] = next[k] = slope[k] = 0.0f;
    for (int k = 0; k < top; ++k) {
      if (resync) {
        const double f = (k + 1) * hz_;
        const double cycles = f * (t0 + glide);
        const double phase = kTwoPi * (cycles - std::floor(cycles)) + phase_[k];
        re[k] = static_cast<float>(std::cos(phase));
        im[k] = static_cast<float>(std::sin(phase));
        if (newSteps) {
          const double step = kTwoPi * f * ratio / rate;
          stepRe[k] = static_cast<float>(std::cos(step));
          stepIm[k] = static_cast<float>(std::sin(step));
        }
      }
      decay[k] *= n == kControlBlock ? decayStep[k] : std::exp(-n / (rate * partialDecay_[k]));
      next[k] = envelope(k, logBand, pluck, common);
      // Dividing by the whole block's power of two is multiplying by its inverse, exactly.
      slope[k] = n == kControlBlock ? (next[k] - amplitude[k]) * kInverseBlock
                                    : (next[k] - amplitude[k]) / static_cast<float>(n);
    }
    for (int s = 0; s < n; ++s) sum[s] = F4{0.0f, 0.0f, 0.0f, 0.0f};
    int k = 0;
    if (kWide)
      for (; k + 16 <= lanes; k += 16) RotateWide(k, n, re, im, amplitude, stepRe, stepIm, slope, sum);
    for (; k + 4 * kInterleave <= lanes; k += 4 * kInterleave)
      Rotate<kInterleave>(k, n, re, im, amplitude, stepRe, stepIm, slope, sum);
    for (; k < lanes; k += 4) Rotate<1>(k, n, re, im, amplitude, stepRe, stepIm, slope, sum);
    for (int s = 0; s < n; ++s) out[s] = sum[s][0] + sum[s][1] + sum[s][2] + sum[s][3];
    std::copy(next, next + top, amplitude);
    // A partial whose envelope, band and all, can no longer reach kSilent is dropped.
    while (top > 0 && level_ * base_[top - 1] * (1.0 + kBandGain) * decay[top - 1] < kSilent) --top;

    int64_t at = (start + b) % cycleLength;
    for (int s = 0; s < n; ++s) {
      cycle[at] += out[s];
      if (++at == cycleLength) at = 0;
    }
  }
}

}  // namespace soundlib
