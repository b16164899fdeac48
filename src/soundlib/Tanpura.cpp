#include "soundlib/Tanpura.h"

#include <algorithm>
#include <cmath>

#include "soundlib/Fft.h"
#include "soundlib/Random.h"

namespace soundlib {

namespace {

// The first string below the middle Sa, in semitones, by drone type: Pa, Ma, Ni.
constexpr int kFirstString[] = {5, 7, 1};
constexpr int kTonicOffset = 21;
constexpr int kSaAboveTonic = 9;
// Pluck strength and the fundamental's decay (seconds) of each string; the
// lower Sa is the thickest and rings longest. The second Sa string sits one cent
// above the first, so the pair beats slowly.
constexpr float kLevel[Tanpura::kStrings] = {0.95f, 0.85f, 0.85f, 1.0f};
constexpr double kDecay[Tanpura::kStrings] = {2.2, 2.0, 2.0, 2.6};
constexpr double kSecondSaRatio = 1.000578;  // 2^(1 / 1200)
constexpr uint64_t kPhaseSeed = 0x74616e707572ull;
constexpr uint64_t kStreamSeed = 0x6a61776172690aull;
// How the renderings of a string differ: the band starts up to a third of an
// octave higher or lower and slides up to 20 % faster or slower.
constexpr double kBandStartOctaves = 0.33;
constexpr double kBandSlideSpread = 0.2;
// How much louder or softer a pluck may be, in dB.
constexpr double kLevelSpreadDb = 1.5;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

}  // namespace

void Tanpura::Init() {
  plucks_.assign(static_cast<size_t>(kStrings * kVariants * kCycle), 0.0f);
  cycle_.assign(static_cast<size_t>(kCycle), 0.0f);
  fft_.resize(NoteSeed::kTableSize);
}

// The pitch of a note id of the drone instrument and the spectrum of its seed; an
// id below the seeds' range sounds an octave below the seed 12 above it.
bool Tanpura::StringFor(int32_t noteId, const SeedStore& seeds, double& hz, DroneString::Spectrum& spectrum) {
  const NoteSeed* seed = seeds.Find(noteId >= 0 ? noteId : noteId + 12);
  if (seed == nullptr) return false;
  hz = noteId >= 0 ? seed->hz() : seed->hz() / 2.0;
  // The level-0 table is one cycle of the seed: its DFT bins are the harmonics.
  const float* table = seed->Level(0);
  for (int i = 0; i < NoteSeed::kTableSize; ++i) fft_[static_cast<size_t>(i)] = table[2 * i];
  Fft(fft_, false);
  spectrum.count = std::min(DroneString::Spectrum::kMax, NoteSeed::kTableSize / 2 - 1);
  for (int h = 1; h <= spectrum.count; ++h)
    spectrum.amplitude[h] = static_cast<float>(2.0 * std::abs(fft_[static_cast<size_t>(h)]) / NoteSeed::kTableSize);
  spectrum.seedHz = seed->hz();
  return true;
}

bool Tanpura::Load(int32_t droneNote, int32_t droneType, const SeedStore& seeds) {
  const int32_t tonic = droneNote - kTonicOffset;
  if (tonic < 1 || tonic > 12 || droneType < 1 || droneType > 3) return false;
  const int32_t sa = tonic + kSaAboveTonic;
  const int32_t ids[kStrings] = {sa - kFirstString[droneType - 1], sa, sa, sa - 12};
  double hz[kStrings];
  DroneString::Spectrum spectrum[kStrings];
  for (int i = 0; i < kStrings; ++i)
    if (!StringFor(ids[i], seeds, hz[i], spectrum[i])) return false;
  hz[2] *= kSecondSaRatio;
  std::array<std::array<DroneString, kVariants>, kStrings> strings;
  Random random(kPhaseSeed);
  for (int i = 0; i < kStrings; ++i) {
    for (int v = 0; v < kVariants; ++v) {
      // The first rendering of each string has the plain band.
      DroneString::Band band = DroneString::kPlainBand;
      if (v > 0) {
        band.startHz *= std::exp2(kBandStartOctaves * random.Bipolar());
        band.slideSeconds *= 1.0 + kBandSlideSpread * random.Bipolar();
      }
      strings[static_cast<size_t>(i)][static_cast<size_t>(v)].Init(
          hz[i], kLevel[i], kDecay[i], spectrum[i], kPhaseSeed + static_cast<uint64_t>(i * kVariants + v), band);
    }
  }
  // A reload that changes nothing (a loudness step) keeps the rendered plucks.
  if (strings != strings_) {
    strings_ = strings;
    rendered_ = false;
  }
  saHz_ = hz[1];
  loaded_ = true;
  return true;
}

Tanpura::Pluck Tanpura::PluckOf(int64_t cycle, int string) {
  Random random(kStreamSeed ^ (static_cast<uint64_t>(cycle) * 0x9E3779B97F4A7C15ull) ^
                (static_cast<uint64_t>(string) * 0xD1B54A32D192ED03ull));
  Pluck pluck;
  pluck.at = cycle * kCycle + kPluckAt[static_cast<size_t>(string)] +
             static_cast<int64_t>(std::lround(kJitter * random.Bipolar()));
  // Each string takes its renderings in turn.
  pluck.variant = static_cast<int>(cycle + string - FloorDiv(cycle + string, kVariants) * kVariants);
  pluck.gain = static_cast<float>(std::pow(10.0, kLevelSpreadDb * random.Bipolar() / 20.0));
  return pluck;
}

void Tanpura::Render() {
  if (rendered_) return;
  std::fill(plucks_.begin(), plucks_.end(), 0.0f);
  std::fill(cycle_.begin(), cycle_.end(), 0.0f);
  for (int i = 0; i < kStrings; ++i) {
    for (int v = 0; v < kVariants; ++v) {
      float* samples = plucks_.data() + static_cast<size_t>(i * kVariants + v) * static_cast<size_t>(kCycle);
      string(i, v).AddPluck(samples, kCycle, 0, kCycle);
    }
    // One cycle of the plain plucks, each at its nominal place.
    const float* plain = Samples(i, 0);
    for (int64_t t = 0; t < kCycle; ++t) cycle_[static_cast<size_t>((kPluckAt[static_cast<size_t>(i)] + t) % kCycle)] += plain[t];
  }
  float peak = 0.0f;
  for (float v : cycle_) peak = std::max(peak, std::fabs(v));
  const float scale = peak > 0.0f ? kPeak / peak : 0.0f;
  for (float& v : plucks_) v *= scale;
  rendered_ = true;
}

void Tanpura::AddSpan(float* out, int64_t from, int n, int string, const Pluck& pluck, int64_t at,
                      float gain) const {
  const int64_t begin = std::max(from, at);
  const int64_t end = std::min(from + n, at + kCycle);
  if (begin >= end) return;
  const float g = gain * pluck.gain;
  const float* samples = Samples(string, pluck.variant) + (begin - at);
  float* o = out + (begin - from);
  const int64_t count = end - begin;
  for (int64_t s = 0; s < count; ++s) o[s] += g * samples[s];
}

void Tanpura::AddStream(float* out, int64_t from, int n, float gain) {
  Render();
  // A pluck sounds for one cycle from at most kPluckAt[3] + kJitter into its own.
  const int64_t first = FloorDiv(from - kCycle - kPluckAt[kLowerSa] - kJitter, kCycle);
  const int64_t last = FloorDiv(from + n, kCycle);
  for (int64_t c = first; c <= last; ++c)
    for (int i = 0; i < kStrings; ++i) {
      const Pluck pluck = PluckOf(c, i);
      AddSpan(out, from, n, i, pluck, pluck.at, gain);
    }
}

void Tanpura::AddLoop(float* out, int64_t from, int n, int cycles, float gain) {
  Render();
  const int64_t loop = cycles * kCycle;
  for (int64_t c = 0; c < cycles; ++c)
    for (int i = 0; i < kStrings; ++i) {
      const Pluck pluck = PluckOf(c, i);
      // What rings past the loop's end sounds at its start.
      AddSpan(out, from, n, i, pluck, pluck.at, gain);
      AddSpan(out, from, n, i, pluck, pluck.at - loop, gain);
    }
}

}  // namespace soundlib
