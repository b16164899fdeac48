// Accompaniment: what sounds with the notes of a music file: the drone, a stretch
// of its endless stream (Tanpura.h), and the tabla. A file that starts after a
// pause brings the drone in over kDroneFadeIn; one that is followed by a pause
// takes drone and tabla out over kFadeOut from the phrase's end, while the room
// rings on. Where files follow each other at once, both run on to the file's end.
#pragma once

#include <cstdint>

#include "soundlib/Constants.h"
#include "soundlib/Harmonium.h"
#include "soundlib/TablaPlayer.h"
#include "soundlib/Tanpura.h"

namespace soundlib {

class Accompaniment : public BlockAdder {
 public:
  static constexpr int64_t kDroneFadeIn = static_cast<int64_t>(50.0 * kSamplesPerMs);
  static constexpr int64_t kFadeOut = static_cast<int64_t>(300.0 * kSamplesPerMs);

  struct Drone {
    Tanpura* tanpura = nullptr;  // nullptr for none
    int64_t from = 0;            // the stream's sample at the file's start
    float gain = 0.0f;
    bool fadeIn = false;
  };
  // fadeOutAt: where drone and tabla begin to fade out (-1: never); tabla: nullptr for none.
  void Start(const Drone& drone, TablaPlayer* tabla, int64_t fadeOutAt);
  void Add(float* mix, int64_t position, int n) override;

 private:
  Drone drone_;
  TablaPlayer* tabla_ = nullptr;
  int64_t fadeOutAt_ = -1;
  float work_[Harmonium::kBlock] = {};
};

}  // namespace soundlib
