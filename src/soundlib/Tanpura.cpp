#include "soundlib/Tanpura.h"

#include <algorithm>
#include <cmath>

#include "soundlib/Fft.h"

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

}  // namespace

void Tanpura::Init() {
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
  std::array<DroneString, kStrings> strings;
  for (int i = 0; i < kStrings; ++i)
    strings[static_cast<size_t>(i)].Init(hz[i], kLevel[i], kDecay[i], spectrum[i],
                                         kPhaseSeed + static_cast<uint64_t>(i));
  // A reload that changes nothing (a loudness step) keeps the rendered cycle.
  if (strings != strings_) {
    strings_ = strings;
    rendered_ = false;
  }
  saHz_ = hz[1];
  loaded_ = true;
  return true;
}

const float* Tanpura::Cycle() {
  if (!rendered_) {
    std::fill(cycle_.begin(), cycle_.end(), 0.0f);
    for (int i = 0; i < kStrings; ++i)
      strings_[static_cast<size_t>(i)].AddPluck(cycle_.data(), kCycle, kPluckAt[static_cast<size_t>(i)], kCycle);
    float peak = 0.0f;
    for (float v : cycle_) peak = std::max(peak, std::fabs(v));
    const float scale = peak > 0.0f ? kPeak / peak : 0.0f;
    for (float& v : cycle_) v *= scale;
    rendered_ = true;
  }
  return cycle_.data();
}

}  // namespace soundlib
