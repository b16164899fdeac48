// DroneString: one string of the tanpura, plucked once and ringing until it is
// plucked again, by additive synthesis of its harmonics.
//
// Each harmonic starts from the drone seed's spectrum at its frequency and decays
// the faster the higher it lies. Over them moves the jawari band: the curved
// bridge lets the string graze it, which feeds a band of overtones; as the
// string's swing dies away the grazing shortens and the band slides down, from
// about 7 kHz at the pluck towards 700 Hz, so that the overtones swell one after
// the other from the top down. The pitch starts a few cents sharp (the tension of
// the pluck) and settles within a tenth of a second. Just before the next pluck
// the finger touching the string damps it.
//
// Amplitudes are computed at a control rate (every kControlBlock samples) and
// move linearly in between; phases are set exactly every few blocks and rotate
// in between; harmonics are processed four at a time.
#pragma once

#include <cstdint>

#include "soundlib/Constants.h"

namespace soundlib {

class DroneString {
 public:
  static constexpr int kMaxPartials = 128;
  static constexpr int kControlBlock = 32;
  static constexpr double kTopHz = 12000.0;
  // Where the jawari band starts and what it tends to, and how fast it slides
  // (seconds): the defaults; a pluck may start and slide a little otherwise.
  static constexpr double kBandStartHz = 7000.0;
  static constexpr double kBandEndHz = 700.0;
  static constexpr double kBandSlide = 1.2;
  struct Band {
    double startHz;
    double slideSeconds;
    bool operator==(const Band&) const = default;
  };
  static constexpr Band kPlainBand = {kBandStartHz, kBandSlide};

  // The seed's harmonic amplitudes, index 1..count at seedHz (index 0 unused).
  struct Spectrum {
    static constexpr int kMax = 512;
    float amplitude[kMax + 1] = {};
    int count = 0;
    double seedHz = 0.0;
  };

  // hz: the string's pitch; level: pluck strength; decaySeconds: time constant
  // of the fundamental's amplitude; seed: the tone colour; band: the jawari
  // band of this pluck. Partials are normalised to unit energy before the level applies.
  void Init(double hz, float level, double decaySeconds, const Spectrum& seed, uint64_t phaseSeed,
            const Band& band = kPlainBand);
  double hz() const { return hz_; }
  bool operator==(const DroneString&) const = default;
  // The centre of the jawari band t seconds after the pluck.
  double BandHz(double t) const;

  // Adds one pluck of length samples (until the string is plucked again) to
  // cycle[(start + i) % cycleLength], i = 0..length-1; with from and to only its
  // samples i in [from, to), from a multiple of kPartSamples, exactly as the whole
  // pluck has them, so that parts of a pluck can be rendered apart.
  static constexpr int64_t kPartSamples = 8 * kControlBlock;
  void AddPluck(float* cycle, int64_t cycleLength, int64_t start, int64_t length, int64_t from = 0,
                int64_t to = INT64_MAX) const;

 private:
  double hz_ = 0.0;
  int count_ = 0;
  float level_ = 0.0f;
  double decay_ = 1.0;
  Band band_ = kPlainBand;
  float base_[kMaxPartials] = {};           // seed amplitude, normalised
  double partialDecay_[kMaxPartials] = {};  // time constant per harmonic
  double phase_[kMaxPartials] = {};         // starting phase per harmonic
};

}  // namespace soundlib
