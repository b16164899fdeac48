#include "soundlib/DroneString.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

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

void DroneString::AddPluck(float* cycle, int64_t cycleLength, int64_t start, int64_t length) const {
  if (length <= 0 || cycleLength <= 0) return;
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
    const double band = kOutsideBand + pluck + kBandGain * std::exp(-0.5 * d * d);
    return static_cast<float>(level_ * base_[k] * decay[k] * band * common);
  };
  F4 sum[kControlBlock];
  float out[kControlBlock];
  int top = count_;  // partials at and above top have died away

  for (int64_t b = 0, block = 0; b < length && top > 0; b += kControlBlock, ++block) {
    const int n = static_cast<int>(std::min<int64_t>(kControlBlock, length - b));
    const double t0 = static_cast<double>(b) / rate;
    const double t1 = static_cast<double>(b + n) / rate;
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
    for (int k = top; k < lanes; ++k) amplitude[k] = next[k] = slope[k] = 0.0f;
    for (int k = 0; k < top; ++k) {
      if (resync) {
        const double f = (k + 1) * hz_;
        const double cycles = f * (t0 + glide);
        const double phase = kTwoPi * (cycles - std::floor(cycles)) + phase_[k];
        const double step = kTwoPi * f * ratio / rate;
        re[k] = static_cast<float>(std::cos(phase));
        im[k] = static_cast<float>(std::sin(phase));
        stepRe[k] = static_cast<float>(std::cos(step));
        stepIm[k] = static_cast<float>(std::sin(step));
      }
      decay[k] *= n == kControlBlock ? decayStep[k] : std::exp(-n / (rate * partialDecay_[k]));
      next[k] = envelope(k, logBand, pluck, common);
      slope[k] = (next[k] - amplitude[k]) / static_cast<float>(n);
    }
    for (int s = 0; s < n; ++s) sum[s] = F4{0.0f, 0.0f, 0.0f, 0.0f};
    for (int k = 0; k < lanes; k += 4) {
      F4 r = Load4(re + k), i = Load4(im + k), a = Load4(amplitude + k);
      const F4 c = Load4(stepRe + k), sn = Load4(stepIm + k), da = Load4(slope + k);
      for (int s = 0; s < n; ++s) {
        sum[s] += a * r;
        a += da;
        const F4 r2 = r * c - i * sn;
        i = r * sn + i * c;
        r = r2;
      }
      Store4(re + k, r);
      Store4(im + k, i);
    }
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
