// TablaPlayer: plays the strokes of a theka from the bank, each as a voice, each
// kind of stroke taking the bank's renderings in turn, from a place seeded by the item. A stroke on a drum ends
// what still rings on that drum: when the hand stays on the skin (Ta, Ti, Ra, Ke)
// within 6 ms down to a faint ring (-40 dB) that dies within a second, else over
// 40 ms, as a new strike takes over the skin.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "soundlib/TablaStrokes.h"
#include "soundlib/ThekaText.h"

namespace soundlib {

class TablaPlayer {
 public:
  static constexpr int kVoices = 24;

  // The strokes to play (in time order; kept by pointer until the next Start),
  // from silence. take: where in their turn each kind of stroke begins to take
  // the bank's renderings, so that the takes of two items differ.
  void Start(const TablaStrokes& bank, const StrokeEvent* events, size_t count, uint64_t take = 0);
  // True while there is a stroke to come or still ringing.
  bool active() const;
  // Adds the samples [position, position + n) of the strokes to out; calls come
  // in order of position.
  void Add(float* out, int64_t position, int n);

 private:
  struct Voice {
    const float* samples = nullptr;  // nullptr when idle
    int64_t length = 0;
    int64_t at = 0;
    float gain = 0.0f;
    float release = 1.0f;
    float releaseStep = 0.0f;  // while the hand stops the skin
    float floor = 0.0f;        // what is left of it then
    float fade = 1.0f;         // the faint ring's fall per sample
    bool bayan = false;
  };
  void Begin(const StrokeEvent& event);
  static void Play(Voice& voice, float* out, int n);

  const TablaStrokes* bank_ = nullptr;
  const StrokeEvent* events_ = nullptr;
  size_t count_ = 0;
  size_t next_ = 0;
  std::array<int, kStrokeKinds> turn_ = {};
  std::array<Voice, kVoices> voices_;
};

}  // namespace soundlib
