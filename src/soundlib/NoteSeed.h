// NoteSeed: one note's seed (one cycle of "SamPerCyc" + "Fractional Value"
// samples at 44,100 Hz) turned into band-limited wavetables.
//
// The seed's harmonics are fitted to its samples (the cycle need not be a whole
// number of samples), then rebuilt into power-of-two tables, one per octave of
// playback above the seed's own pitch: level j keeps only the harmonics that stay
// below 18 kHz when the note sounds 2^j times higher. A reader crossfades two
// neighbouring levels, so a note is band-limited at every pitch it is tuned or
// glided to. Everything is allocated and computed here, at seed load.
#pragma once

#include <complex>
#include <cstdint>
#include <vector>

#include "soundlib/Constants.h"

namespace soundlib {

// Buffers shared by the seed loads of a store, kept so that reloads allocate nothing.
struct SeedScratch {
  std::vector<double> samples;
  std::vector<double> residual;
  std::vector<double> weights;
  std::vector<std::complex<double>> harmonics;
  std::vector<std::complex<double>> fft;
};

class NoteSeed {
 public:
  static constexpr int kTableSize = 2048;
  static constexpr int kLevels = 5;
  static constexpr double kTopHz = 18000.0;

  // Which two levels a reader mixes, and the weight of the upper one.
  struct LevelMix {
    int lower = 0;
    float upperWeight = 0.0f;
  };

  // Copies and analyses a seed; false (and nothing changed) when the arguments
  // cannot make a sounding cycle. A load clears the note's tuning. The same
  // cycle loaded again (after Clear too) keeps its tables: only the copy is compared.
  bool Load(int32_t samPerCyc, double fractional, const int16_t* samples, SeedScratch& scratch);
  void Clear();
  bool loaded() const { return loaded_; }

  // Seed SPC, tuning (a difference from it; a new tuning replaces the old) and
  // the SPC the note sounds with.
  double seedSpc() const { return seedSpc_; }
  bool Tune(double adjustment);
  double spc() const { return seedSpc_ + adjustment_; }
  // False while the note sounds at its seed's own pitch, the library's choice.
  bool tuned() const { return adjustment_ != 0.0; }
  double hz() const { return kSampleRate / spc(); }
  double seedHz() const { return kSampleRate / seedSpc_; }

  // Table of level j, full scale 1: kTableSize pairs (value at point i, value at
  // point i + 1 less it), so that an interpolating read loads one pair.
  const float* Level(int j) const { return tables_.data() + static_cast<size_t>(j) * 2 * kTableSize; }
  // The levels that are band-limited when the note sounds at hz.
  LevelMix MixFor(double hz) const;

 private:
  std::vector<float> tables_;
  // The cycle the tables were built from, as given.
  std::vector<int16_t> source_;
  int32_t sourceSamPerCyc_ = 0;
  double sourceFractional_ = -1.0;
  double seedSpc_ = 0.0;
  double adjustment_ = 0.0;
  bool loaded_ = false;
};

}  // namespace soundlib
