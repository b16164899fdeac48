#include "soundlib/NoteSeed.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "soundlib/Fft.h"

namespace soundlib {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Adds the weighted DFT of values (one cycle of spc samples) to harmonics 0..H.
// (Plain real arithmetic: the rotations run once per sample and harmonic.)
void AddHarmonics(const std::vector<double>& values, const std::vector<double>& weights, double spc,
                  std::vector<std::complex<double>>& harmonics) {
  const size_t count = values.size();
  for (size_t h = 0; h < harmonics.size(); ++h) {
    const double angle = -kTwoPi * static_cast<double>(h) / spc;
    const double stepRe = std::cos(angle);
    const double stepIm = std::sin(angle);
    double rotRe = 1.0, rotIm = 0.0, sumRe = 0.0, sumIm = 0.0;
    for (size_t i = 0; i < count; ++i) {
      const double v = values[i] * weights[i];
      sumRe += rotRe * v;
      sumIm += rotIm * v;
      const double re = rotRe * stepRe - rotIm * stepIm;
      rotIm = rotRe * stepIm + rotIm * stepRe;
      rotRe = re;
    }
    const double scale = (h == 0 ? 1.0 : 2.0) / spc;
    harmonics[h] += std::complex<double>(sumRe * scale, sumIm * scale);
  }
}

// residual := samples less what harmonics 0..H give at the seed's sample phases.
void Residual(const std::vector<double>& samples, double spc, const std::vector<std::complex<double>>& harmonics,
              std::vector<double>& residual) {
  residual.assign(samples.begin(), samples.end());
  for (size_t h = 0; h < harmonics.size(); ++h) {
    const double angle = kTwoPi * static_cast<double>(h) / spc;
    const double stepRe = std::cos(angle);
    const double stepIm = std::sin(angle);
    double rotRe = harmonics[h].real(), rotIm = harmonics[h].imag();
    for (double& r : residual) {
      r -= rotRe;
      const double re = rotRe * stepRe - rotIm * stepIm;
      rotIm = rotRe * stepIm + rotIm * stepRe;
      rotRe = re;
    }
  }
}

}  // namespace

bool NoteSeed::Load(int32_t samPerCyc, double fractional, const int16_t* samples, SeedScratch& scratch) {
  if (samples == nullptr || samPerCyc < 2 || samPerCyc > kMaxSamPerCyc || !(fractional >= 0.0) || fractional >= 1.0)
    return false;
  const double spc = samPerCyc + fractional;
  if (spc < kMinSpc) return false;
  const size_t count = static_cast<size_t>(samPerCyc) + 1;
  if (samPerCyc == sourceSamPerCyc_ && fractional == sourceFractional_ && source_.size() == count &&
      std::equal(source_.begin(), source_.end(), samples)) {
    adjustment_ = 0.0;
    loaded_ = true;
    return true;
  }

  // The buffer holds phases i / spc for i = 0..SamPerCyc; the last sample stands for
  // the fraction of a sample that completes the cycle.
  scratch.samples.resize(count);
  scratch.weights.assign(count, 1.0);
  scratch.weights[count - 1] = fractional;
  for (size_t i = 0; i < count; ++i) scratch.samples[i] = samples[i] / 32768.0;

  const int top = std::min(static_cast<int>((spc - 1.0) / 2.0), static_cast<int>(kTopHz * spc / kSampleRate));
  const int harmonicCount = std::clamp(top, 1, kTableSize / 2 - 1);
  scratch.harmonics.assign(static_cast<size_t>(harmonicCount) + 1, {0.0, 0.0});
  // A fit by repeated correction: the weighted DFT is nearly orthogonal on the
  // seed's phases, and three corrections bring the rebuilt cycle onto the samples.
  AddHarmonics(scratch.samples, scratch.weights, spc, scratch.harmonics);
  for (int pass = 0; pass < 3; ++pass) {
    Residual(scratch.samples, spc, scratch.harmonics, scratch.residual);
    AddHarmonics(scratch.residual, scratch.weights, spc, scratch.harmonics);
  }

  tables_.resize(static_cast<size_t>(kLevels) * 2 * kTableSize);
  scratch.fft.resize(kTableSize);
  for (int level = 0; level < kLevels; ++level) {
    const double limit = kTopHz * spc / (kSampleRate * std::ldexp(1.0, level));
    const int kept = std::clamp(static_cast<int>(limit), 1, harmonicCount);
    std::fill(scratch.fft.begin(), scratch.fft.end(), std::complex<double>(0.0, 0.0));
    for (int h = 1; h <= kept; ++h) {
      scratch.fft[static_cast<size_t>(h)] = scratch.harmonics[static_cast<size_t>(h)] * 0.5;
      scratch.fft[static_cast<size_t>(kTableSize - h)] = std::conj(scratch.harmonics[static_cast<size_t>(h)]) * 0.5;
    }
    Fft(scratch.fft, true);
    float* table = tables_.data() + static_cast<size_t>(level) * 2 * kTableSize;
    for (int n = 0; n < kTableSize; ++n) {
      const float value = static_cast<float>(scratch.fft[static_cast<size_t>(n)].real());
      const float next = static_cast<float>(scratch.fft[static_cast<size_t>((n + 1) % kTableSize)].real());
      table[2 * n] = value;
      table[2 * n + 1] = next - value;
    }
  }
  source_.assign(samples, samples + count);
  sourceSamPerCyc_ = samPerCyc;
  sourceFractional_ = fractional;
  seedSpc_ = spc;
  adjustment_ = 0.0;
  loaded_ = true;
  return true;
}

void NoteSeed::Clear() {
  loaded_ = false;
  adjustment_ = 0.0;
}

bool NoteSeed::Tune(double adjustment) {
  if (!loaded_ || !std::isfinite(adjustment)) return false;
  const double spc = seedSpc_ + adjustment;
  // Beyond four octaves either way the levels no longer cover the pitch.
  if (spc < kMinSpc || spc < seedSpc_ / 16.0 || spc > seedSpc_ * 16.0) return false;
  adjustment_ = adjustment;
  return true;
}

NoteSeed::LevelMix NoteSeed::MixFor(double hz) const {
  // Level j is alias-free up to 1.34 * 2^j times the seed's pitch (its top
  // harmonic then folds above 20 kHz); the crossfade to level j + 1 runs from
  // 1.2 to 1.33 times 2^j, so that glides of up to three semitones read one level.
  double ratio = hz / seedHz();
  LevelMix mix;
  while (mix.lower < kLevels - 1 && ratio > 1.33) {
    ratio *= 0.5;
    ++mix.lower;
  }
  if (mix.lower < kLevels - 1 && ratio > 1.2) mix.upperWeight = static_cast<float>((ratio - 1.2) / 0.13);
  return mix;
}

}  // namespace soundlib
