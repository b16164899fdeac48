// Glide: the pitch path of one note. A plain note holds its pitch; a glide (meend)
// holds each grace note briefly and then slides continuously into the next note
// along an S-curve in log frequency, ending on the main note. It also says how
// far the timbre has moved from one note's seed to the next, so the reed can
// crossfade their tables at the same phase.
#pragma once

#include <cstdint>

namespace soundlib {

class Glide {
 public:
  static constexpr int kMaxPoints = 3;

  struct Point {
    double hz = 0.0;
    int from = 0;            // index of the note whose seed leads
    float toWeight = 0.0f;   // weight of the next note's seed, 0..1
  };

  void Init(float sampleRate) { sampleRate_ = sampleRate; }
  // hz[0..count-1]: grace notes first, the main note last; lengthSamples: the note's length.
  void Start(const double* hz, int count, int64_t lengthSamples);
  // The path at the present position, then moves on by samples.
  Point Advance(int samples);

 private:
  float sampleRate_ = 44100.0f;
  double log2Hz_[kMaxPoints] = {};
  int count_ = 1;
  int64_t position_ = 0;
  int64_t hold_ = 0;   // samples on each grace note before its slide
  int64_t slide_ = 0;  // samples of each slide
  int64_t end_ = 0;    // where the last slide ends
};

}  // namespace soundlib
