// Voice: one key of the harmonium: two reeds of the same note, the second a
// little sharper and softer, so their partials beat slowly against each other,
// under one envelope and one glide. While a glide slides, both reeds move their
// timbre from the grace note's seed to the main note's at the same phase. As the
// reeds speak, their upper partials lag the lower ones: the tables of the note
// are first mixed with a darker level of its seed (only its lowest harmonics),
// which gives way over a little longer than the attack.
#pragma once

#include <cstdint>

#include "soundlib/Envelope.h"
#include "soundlib/Glide.h"
#include "soundlib/NoteSeed.h"
#include "soundlib/ReedOscillator.h"

namespace soundlib {

class Voice {
 public:
  // Samples between updates of pitch and table weights (1.5 ms).
  static constexpr int kControlBlock = 64;
  static_assert(kControlBlock <= ReedOscillator::kMaxBlock);

  void Init(float sampleRate);
  // seeds[0..count-1]: grace notes first, the main note last; length: the note's
  // samples; detune: the ratio the note's pitch is moved by (a cent or so).
  void Start(const NoteSeed* const* seeds, int count, int64_t length, float attackMs, double phase1, double phase2,
             double detune = 1.0);
  void Release(float ms) { envelope_.Release(ms); }
  // Silences the voice at once (before a new phrase).
  void Stop() { envelope_.Init(sampleRate_); }
  bool active() const { return envelope_.active(); }
  float level() const { return envelope_.level(); }
  // The seed it ends on, and its reeds' phases (a repeated note continues them).
  const NoteSeed* lastSeed() const { return seeds_[count_ - 1]; }
  double phase1() const { return reed1_.phase(); }
  double phase2() const { return reed2_.phase(); }

  // Adds n samples of the voice to out.
  void Render(float* out, int n);

 private:
  struct Target {
    TableMix mix;  // weights only
    double increment = 0.0;
  };
  Target TargetAt(const Glide::Point& point) const;
  void NextControl();
  // How far the upper partials have come in, 0..1, at the present control block.
  float Brightness() const;

  float sampleRate_ = 44100.0f;
  const NoteSeed* seeds_[Glide::kMaxPoints] = {};
  int count_ = 1;
  Envelope envelope_;
  Glide glide_;
  ReedOscillator reed1_;
  ReedOscillator reed2_;
  Target now_;
  Target next_;
  TableMix block_;  // now_ moving to next_ over one control block
  int blockLeft_ = 0;
  bool steady_ = false;     // pitch and tables stay as they are through this block
  bool nowFinal_ = false;   // now_ is the main note's own pitch and seed
  bool nextFinal_ = false;
  double detune_ = 1.0;
  int64_t onsetAt_ = 0;      // samples since the note started, at the next control block
  int64_t onsetDelay_ = 0;   // before the upper partials begin to come in
  int64_t onsetLength_ = 1;  // over which they come in
  float gain1_[kControlBlock] = {};
};

}  // namespace soundlib
