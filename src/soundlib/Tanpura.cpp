#include "soundlib/Tanpura.h"

#include <algorithm>
#include <cmath>

#include "soundlib/Fft.h"
#include "soundlib/Random.h"

namespace soundlib {

namespace {

// The first string below the middle Sa, in semitones, by drone type: Pa, Ma, Ni;
// and the just interval it sounds to Sa where its seed leaves its pitch to the
// library (Pa 3:2, Ma 4:3, Ni 15:8, in the octave below).
constexpr int kFirstString[] = {5, 7, 1};
constexpr double kJustFirstString[] = {3.0 / 4.0, 2.0 / 3.0, 15.0 / 16.0};
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

Tanpura::~Tanpura() { pool_.Wait(true); }

void Tanpura::Init() {
  pool_.Wait(true);
  fresh_ = {};
  scaled_ = false;
  raw_.assign(static_cast<size_t>(kPlucks * kCycle), 0.0f);
  plucks_.assign(static_cast<size_t>(kPlucks * kCycle), 0.0f);
  cycle_.assign(static_cast<size_t>(kCycle), 0.0f);
  fft_.resize(NoteSeed::kTableSize);
}

// The pitch of a note id of the drone instrument and the spectrum of its seed; an
// id below the seeds' range sounds an octave below the seed 12 above it.
bool Tanpura::StringFor(int32_t noteId, const SeedStore& seeds, double& hz, DroneString::Spectrum& spectrum,
                        bool& tuned) {
  const NoteSeed* seed = seeds.Find(noteId >= 0 ? noteId : noteId + 12);
  if (seed == nullptr) return false;
  hz = noteId >= 0 ? seed->hz() : seed->hz() / 2.0;
  tuned = seed->tuned();
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
  bool tuned[kStrings];
  DroneString::Spectrum spectrum[kStrings];
  for (int i = 0; i < kStrings; ++i)
    if (!StringFor(ids[i], seeds, hz[i], spectrum[i], tuned[i])) return false;
  // A string whose seed keeps its own pitch is tuned to Sa, as a tanpura is: a
  // pure interval beats with nothing. A tuned seed (a learner's scale) it follows.
  if (!tuned[0]) hz[0] = hz[1] * kJustFirstString[droneType - 1];
  if (!tuned[3]) hz[3] = hz[1] / 2.0;
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
  // A render under way is given up (what it finished is kept). A reload renders
  // only the plucks of strings that changed: a loudness step none, a change of
  // drone type those of the first string.
  pool_.Wait(true);
  pending_.clear();
  for (int p = 0; p < kPlucks; ++p) {
    DroneString& now = strings_[static_cast<size_t>(p / kVariants)][static_cast<size_t>(p % kVariants)];
    const DroneString& wanted = strings[static_cast<size_t>(p / kVariants)][static_cast<size_t>(p % kVariants)];
    if (!(now == wanted)) {
      now = wanted;
      fresh_[static_cast<size_t>(p)] = false;
    }
    if (!fresh_[static_cast<size_t>(p)]) {
      pending_.push_back(p);
      partsDone_[static_cast<size_t>(p)] = 0;
    }
  }
  if (!pending_.empty()) {
    scaled_ = false;
    // The strings with the most partials (the lowest) take longest: they begin first.
    std::stable_sort(pending_.begin(), pending_.end(), [this](int a, int b) {
      return strings_[static_cast<size_t>(a / kVariants)][0].hz() < strings_[static_cast<size_t>(b / kVariants)][0].hz();
    });
    pool_.Start(static_cast<int>(pending_.size()) * kParts, [this](int task) {
      RenderPart(pending_[static_cast<size_t>(task / kParts)], task % kParts);
    });
  }
  saHz_ = hz[1];
  loaded_ = true;
  return true;
}

int64_t Tanpura::PartStart(int part) {
  constexpr int64_t kUnit = DroneString::kPartSamples;
  return part >= kParts ? kCycle : (kCycle * part / kParts) / kUnit * kUnit;
}

void Tanpura::RenderPart(int p, int part) {
  float* samples = Raw(p);
  const int64_t from = PartStart(part);
  const int64_t to = PartStart(part + 1);
  std::fill(samples + from, samples + to, 0.0f);
  strings_[static_cast<size_t>(p / kVariants)][static_cast<size_t>(p % kVariants)].AddPluck(samples, kCycle, 0, kCycle,
                                                                                              from, to);
  if (++partsDone_[static_cast<size_t>(p)] == kParts) fresh_[static_cast<size_t>(p)] = true;
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
  if (scaled_) return;
  pool_.Wait();
  for (int p = 0; p < kPlucks; ++p) {
    if (fresh_[static_cast<size_t>(p)]) continue;
    partsDone_[static_cast<size_t>(p)] = 0;
    for (int part = 0; part < kParts; ++part) RenderPart(p, part);
  }
  std::fill(cycle_.begin(), cycle_.end(), 0.0f);
  for (int i = 0; i < kStrings; ++i) {
    // One cycle of the plain plucks, each at its nominal place: from its pluck to
    // the cycle's end, then round to its start.
    const float* plain = Raw(i * kVariants);
    const int64_t at = kPluckAt[static_cast<size_t>(i)];
    for (int64_t t = 0; t < kCycle - at; ++t) cycle_[static_cast<size_t>(at + t)] += plain[t];
    for (int64_t t = kCycle - at; t < kCycle; ++t) cycle_[static_cast<size_t>(at + t - kCycle)] += plain[t];
  }
  float peak = 0.0f;
  for (float v : cycle_) peak = std::max(peak, std::fabs(v));
  const float scale = peak > 0.0f ? kPeak / peak : 0.0f;
  pool_.Start(kPlucks, [this, scale](int p) {
    const size_t from = static_cast<size_t>(p) * static_cast<size_t>(kCycle);
    for (size_t k = from; k < from + static_cast<size_t>(kCycle); ++k) plucks_[k] = raw_[k] * scale;
  });
  pool_.Wait();
  scaled_ = true;
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
