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

  int64_t frames() const { return channels > 0 ? static_cast<int64_t>(samples.size()) / channels : 0; }
};

// Reads a sound file (any format libsndfile reads) and converts it to 16-bit
// samples. Returns null and fills *error when the file is missing, unreadable or
// holds no sound.
std::shared_ptr<const WaveData> ReadWave(const std::string& path, std::string* error);

// Milliseconds <-> frames at a sample rate, rounded to the nearest.
int64_t FramesToMs(int64_t frames, int sampleRate);
int64_t MsToFrames(int64_t ms, int sampleRate);

}  // namespace mci
