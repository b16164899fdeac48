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
// The strings take their tone colour from the drone instrument's seeds, and
// their pitch from the seeds where these are tuned (a learner's scale); else the
// first string and the lower Sa sound just intervals to the Sa (Pa 3:2, Ma 4:3,
// Ni 15:8, the octave), as a tanpura is tuned. The tonic key is the drone note
// less 21, its middle-octave Sa the note id tonic + 9. A load starts rendering
// the plucks of the strings it changed on threads of their own, into memory
// taken in Init, so that the caller goes on meanwhile; the first use waits for
// them, and scales them so that a cycle of the plain plucks peaks at kPeak. The
// result is the same as rendered in turn on one thread. The loudness factor
// applies when the drone is mixed.
#pragma once

#include <array>
#include <atomic>
#include <complex>
#include <cstdint>
#include <vector>

#include "soundlib/DroneString.h"
#include "soundlib/SeedStore.h"
#include "soundlib/WorkPool.h"

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

  Tanpura() = default;
  Tanpura(const Tanpura&) = delete;
  Tanpura& operator=(const Tanpura&) = delete;
  ~Tanpura();

  void Init();
  // Takes the pitches and spectra of the four strings from the drone
  // instrument's seeds; false, with nothing changed, when the drone note or type
  // is out of range or a seed is missing. Starts rendering what changed.
  bool Load(int32_t droneNote, int32_t droneType, const SeedStore& seeds);
  bool loaded() const { return loaded_; }
  void Unload() { loaded_ = false; }
  // Waits until the plucks of the last load are rendered and scaled.
  void Render();
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
  static constexpr int kPlucks = kStrings * kVariants;

  bool StringFor(int32_t noteId, const SeedStore& seeds, double& hz, DroneString::Spectrum& spectrum, bool& tuned);
  float* Raw(int pluck) { return raw_.data() + static_cast<size_t>(pluck) * static_cast<size_t>(kCycle); }
  const float* Samples(int string, int variant) const {
    return plucks_.data() + static_cast<size_t>(string * kVariants + variant) * static_cast<size_t>(kCycle);
  }
  // Renders part `part` of pluck p (string p / kVariants, rendering p % kVariants), unscaled.
  void RenderPart(int p, int part);
  static int64_t PartStart(int part);
  // Adds the part of one pluck starting at `at` that falls in [from, from + n).
  void AddSpan(float* out, int64_t from, int n, int string, const Pluck& pluck, int64_t at, float gain) const;

  std::array<std::array<DroneString, kVariants>, kStrings> strings_;
  std::vector<float> raw_;     // kPlucks plucks of kCycle samples, as rendered
  std::vector<float> plucks_;  // the same, scaled
  std::vector<float> cycle_;   // for scaling: one cycle of the plain plucks
  std::vector<std::complex<double>> fft_;
  // Each pluck is rendered in parts, so that the threads share the work evenly.
  static constexpr int kParts = 4;
  std::array<bool, kPlucks> fresh_ = {};  // raw pluck p is rendered for strings_
  std::array<std::atomic<int>, kPlucks> partsDone_ = {};
  std::vector<int> pending_;  // the plucks being rendered, the longest first
  WorkPool pool_{kPlucks};
  double saHz_ = 0.0;
  bool loaded_ = false;
  bool scaled_ = false;
};

}  // namespace soundlib
