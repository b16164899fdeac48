// WavReader: reads the 16-bit samples of a sound file through libsndfile.
#pragma once

#include <cstdint>
#include <string>

typedef struct sf_private_tag SNDFILE;

namespace soundlib {

class WavReader {
 public:
  WavReader() = default;
  WavReader(const WavReader&) = delete;
  WavReader& operator=(const WavReader&) = delete;
  ~WavReader();

  bool Open(const std::string& path);
  int channels() const { return channels_; }
  int sampleRate() const { return sampleRate_; }
  int64_t frames() const { return frames_; }
  // Reads frames of interleaved samples from frame start; false when short.
  bool Read(int64_t start, int16_t* samples, int64_t frames);

 private:
  SNDFILE* file_ = nullptr;
  int channels_ = 0;
  int sampleRate_ = 0;
  int64_t frames_ = 0;
};

}  // namespace soundlib
