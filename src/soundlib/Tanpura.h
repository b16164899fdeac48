// Tanpura: the drone. Four strings plucked in turn, the first on Pa, Ma or Ni of
// the lower octave (drone type 1, 2 or 3), then the two Sa strings of the middle
// octave, then the lower Sa, with a longer pause before the cycle starts again:
//
//   0.125 s first string, 0.83 s Sa, 1.55 s Sa, 2.27 s lower Sa; cycle 3.2 s.
//
// The drone is an endless stream of such cycles, no two alike: each pluck comes
// up to 15 ms early or late and up to 1.5 dB softer or louder, and each string
// takes its plucks in turn from three renderings whose jawari bands start and
// slide a little differently. Where a pluck falls, which rendering it takes and
// how loud it is follow from its cycle number and string alone (seeded), so any
// stretch of the stream can be rendered on its own and always comes out the same.
// Each pluck rings until the string is plucked again, one cycle later.
//
// The drone file is a loop of one or two cycles of the stream, rendered
// circularly: what rings past its end sounds at its start, so it repeats without
// a seam. It begins with the quiet moment before the first pluck, so a player that
// restarts the drone file a little after its end (up to 100 ms) only lengthens
// that pause.
//
// The strings take their pitch and tone colour from the drone instrument's seeds
// (tuning included) when the drone is loaded; the tonic key is the drone note
// less 21, its middle-octave Sa the note id tonic + 9. The plucks are rendered at
// their first use after a load, into memory taken in Init, and scaled so that a
// cycle of the plain plucks peaks at kPeak; the loudness factor applies when the
// drone is mixed.
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
  static constexpr int kVariants = 3;
  static constexpr int64_t kCycle = 3200 * kSampleRate / 1000;
  // Peak of a cycle of the plain plucks at loudness factor 1.
  static constexpr float kPeak = 0.15f;
  // Where in its cycle each string is plucked, in samples, and how far a pluck may stray.
  static constexpr std::array<int64_t, kStrings> kPluckAt = {5513, 36603, 68355, 100107};
  static constexpr int64_t kJitter = 15 * kSampleRate / 1000;
  static constexpr int kLowerSa = 3;

  // One pluck of the stream.
  struct Pluck {
    int64_t at = 0;  // first sample
    int variant = 0;
    float gain = 1.0f;
  };

  void Init();
  // Takes the pitches and spectra of the four strings from the drone
  // instrument's seeds; false, with nothing changed, when the drone note or type
  // is out of range or a seed is missing.
  bool Load(int32_t droneNote, int32_t droneType, const SeedStore& seeds);
  bool loaded() const { return loaded_; }
  void Unload() { loaded_ = false; }
  // Pitch of the middle-octave Sa (what the tabla is tuned to).
  double saHz() const { return saHz_; }
  const DroneString& string(int i, int variant = 0) const {
    return strings_[static_cast<size_t>(i)][static_cast<size_t>(variant)];
  }

  // The pluck of string i in cycle c of the stream (any c, negative too).
  static Pluck PluckOf(int64_t cycle, int string);
  // Adds gain times the stream's samples [from, from + n) to out.
  void AddStream(float* out, int64_t from, int n, float gain);
  // Adds gain times the samples [from, from + n) of the loop of the stream's
  // first `cycles` cycles to out (0 <= from, from + n <= cycles * kCycle).
  void AddLoop(float* out, int64_t from, int n, int cycles, float gain);

 private:
  bool StringFor(int32_t noteId, const SeedStore& seeds, double& hz, DroneString::Spectrum& spectrum);
  void Render();
  const float* Samples(int string, int variant) const {
    return plucks_.data() + static_cast<size_t>(string * kVariants + variant) * static_cast<size_t>(kCycle);
  }
  // Adds the part of one pluck starting at `at` that falls in [from, from + n).
  void AddSpan(float* out, int64_t from, int n, int string, const Pluck& pluck, int64_t at, float gain) const;

  std::array<std::array<DroneString, kVariants>, kStrings> strings_;
  std::vector<float> plucks_;  // kStrings * kVariants plucks of kCycle samples
  std::vector<float> cycle_;   // for scaling: one cycle of the plain plucks
  std::vector<std::complex<double>> fft_;
  double saHz_ = 0.0;
  bool loaded_ = false;
  bool rendered_ = false;
};

}  // namespace soundlib
