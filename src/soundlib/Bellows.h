// Bellows: the slow, irregular movement of the air pressure a player pumps into
// the instrument, as a loudness factor around 1: a wandering of about 3.5 % that
// changes direction every half to one second, and a faint flutter of 0.8 %.
// Seeded, so every rendering of the same phrase moves the same way. It changes so
// slowly that it may run at a control rate (Init with that rate).
#pragma once

#include <cstdint>

#include "soundlib/Random.h"

namespace soundlib {

class Bellows {
 public:
  void Init(float sampleRate, uint64_t seed) {
    sampleRate_ = sampleRate;
    random_.Seed(seed);
    slow_ = Wander{};
    fast_ = Wander{};
    Next(slow_, 0.5f, 1.0f);
    Next(fast_, 0.08f, 0.2f);
  }

  float Process() { return 1.0f + 0.035f * Step(slow_, 0.5f, 1.0f) + 0.008f * Step(fast_, 0.08f, 0.2f); }

 private:
  // A value that moves from one random target to the next along smoothstep curves.
  struct Wander {
    float from = 0.0f;
    float to = 0.0f;
    float pos = 0.0f;
    float step = 1.0f;
  };

  void Next(Wander& w, float shortest, float longest) {
    w.from = w.to;
    w.to = random_.Bipolar();
    const float seconds = shortest + (longest - shortest) * 0.5f * (1.0f + random_.Bipolar());
    w.step = 1.0f / (seconds * sampleRate_);
    w.pos = 0.0f;
  }

  float Step(Wander& w, float shortest, float longest) {
    const float x = w.pos;
    const float value = w.from + (w.to - w.from) * x * x * (3.0f - 2.0f * x);
    if ((w.pos += w.step) >= 1.0f) Next(w, shortest, longest);
    return value;
  }

  float sampleRate_ = 44100.0f;
  Random random_;
  Wander slow_;
  Wander fast_;
};

}  // namespace soundlib
