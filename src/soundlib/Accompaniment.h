// Accompaniment: what sounds with the notes of a music file: the drone, looped
// from the start of its cycle at t = 0 and faded in over 20 ms, and the tabla.
// Both fade out over the file's last 60 ms, with the last note's release.
#pragma once

#include <cstdint>

#include "soundlib/Harmonium.h"
#include "soundlib/TablaPlayer.h"

namespace soundlib {

class Accompaniment : public BlockAdder {
 public:
  // total: the file's length in samples; drone: one cycle of cycleLength
  // samples (nullptr for none) at droneGain; tabla: nullptr for none.
  void Start(int64_t total, const float* drone, int64_t cycleLength, float droneGain, TablaPlayer* tabla);
  void Add(float* mix, int64_t position, int n) override;

 private:
  int64_t total_ = 0;
  const float* drone_ = nullptr;
  int64_t cycleLength_ = 0;
  float droneGain_ = 0.0f;
  TablaPlayer* tabla_ = nullptr;
  float work_[Harmonium::kBlock] = {};
};

}  // namespace soundlib
