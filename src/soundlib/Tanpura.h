// Tanpura: the drone. Four strings plucked in turn, the first on Pa, Ma or Ni of
// the lower octave (drone type 1, 2 or 3), then the two Sa strings of the middle
// octave, then the lower Sa, with a longer pause before the cycle starts again:
//
//   0.11 s first string, 0.83 s Sa, 1.55 s Sa, 2.27 s lower Sa; cycle 3.2 s.
//
// Each string rings until it is plucked again, one cycle later, so the cycle is
// rendered circularly: what rings past its end sounds at its start, and any
// number of cycles in a row join without a seam. The cycle begins with the quiet
// moment before the first pluck, so a player that restarts the drone file a
// little after one cycle's end (up to 100 ms) only lengthens that pause.
//
// The strings take their pitch and tone colour from the drone instrument's seeds
// (tuning included) when the drone is loaded; the tonic key is the drone note
// less 21, its middle-octave Sa the note id tonic + 9. The cycle is rendered at
// its first use after a load and scaled to a fixed peak; the loudness factor
// applies when it is mixed.
#pragma once

#include <array>
#include <complex>
#include <cstdint>
#include <vector>

#include "soundlib/DroneString.h"
#include "soundlib/SeedStore.h"

namespace soundlib {

class Tanpura {
 public:
  static constexpr int kStrings = 4;
  static constexpr int64_t kCycle = 3200 * kSampleRate / 1000;
  // Peak of the cycle at loudness factor 1.
  static constexpr float kPeak = 0.15f;
  // Where in the cycle each string is plucked, in samples.
  static constexpr std::array<int64_t, kStrings> kPluckAt = {4851, 36603, 68355, 100107};

  void Init();
  // Takes the pitches and spectra of the four strings from the drone
  // instrument's seeds; false, with nothing changed, when the drone note or type
  // is out of range or a seed is missing.
  bool Load(int32_t droneNote, int32_t droneType, const SeedStore& seeds);
  bool loaded() const { return loaded_; }
  void Unload() { loaded_ = false; }
  // Pitch of the middle-octave Sa (what the tabla is tuned to).
  double saHz() const { return saHz_; }
  const DroneString& string(int i) const { return strings_[static_cast<size_t>(i)]; }
  // One cycle of kCycle samples at peak kPeak, rendered when first asked for after a load.
  const float* Cycle();

 private:
  bool StringFor(int32_t noteId, const SeedStore& seeds, double& hz, DroneString::Spectrum& spectrum);

  std::array<DroneString, kStrings> strings_;
  std::vector<float> cycle_;
  std::vector<std::complex<double>> fft_;
  double saHz_ = 0.0;
  bool loaded_ = false;
  bool rendered_ = false;
};

}  // namespace soundlib
