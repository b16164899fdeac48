// Accompaniment: what sounds with the notes of a music file: the drone, a stretch
// of its endless stream (Tanpura.h), and the tabla. The drone comes in over the
// fade-in it is given: kDroneFadeIn in a file that starts after a pause, kFadeOut
// in one that begins where the last one's music ended, as that one's drone fades
// out. From the phrase's end drone and tabla go out over kFadeOut, while the room
// rings on.
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
    int64_t fadeIn = 0;  // samples; 0: none
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
