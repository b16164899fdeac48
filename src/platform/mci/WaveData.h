// A WAV file's samples in memory, as the player plays them: 16-bit, interleaved.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace mci {

struct WaveData {
  int sampleRate = 0;            // frames per second, > 0
  int channels = 0;              // >= 1
  std::vector<int16_t> samples;  // frames() * channels values
  // Where a file that follows this one at once begins, in (0, frames()]: the
  // end of its music, when the file marks it with a cue point; what lies
  // after it (a release, an echo) sounds on under the next file's start.
  int64_t join = 0;

  int64_t frames() const { return channels > 0 ? static_cast<int64_t>(samples.size()) / channels : 0; }
  bool SameSound(const WaveData& other) const {
    return sampleRate == other.sampleRate && channels == other.channels && join == other.join &&
           samples == other.samples;
  }
};

// Reads a sound file (any format libsndfile reads) and converts it to 16-bit
// samples; its first cue point inside the sound is its join, else its end.
// Returns null and fills *error when the file is missing, unreadable or holds no
// sound.
std::shared_ptr<const WaveData> ReadWave(const std::string& path, std::string* error);

// Milliseconds <-> frames at a sample rate, rounded to the nearest.
int64_t FramesToMs(int64_t frames, int sampleRate);
int64_t MsToFrames(int64_t ms, int sampleRate);

}  // namespace mci
