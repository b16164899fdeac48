// Voice: one key of the harmonium: two reeds of the same note, the second a
// little sharper and softer, so their partials beat slowly against each other,
// under one envelope and one glide. While a glide slides, both reeds move their
// timbre from the grace note's seed to the main note's at the same phase.
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
  // seeds[0..count-1]: grace notes first, the main note last; length: the note's samples.
  void Start(const NoteSeed* const* seeds, int count, int64_t length, float attackMs, double phase1, double phase2);
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
  float gain1_[kControlBlock] = {};
};

}  // namespace soundlib
