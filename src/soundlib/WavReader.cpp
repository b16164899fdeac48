#include "soundlib/WavReader.h"

#include <sndfile.h>

namespace soundlib {

WavReader::~WavReader() {
  if (file_ != nullptr) sf_close(file_);
}

bool WavReader::Open(const std::string& path) {
  if (file_ != nullptr) sf_close(file_);
  SF_INFO info{};
  file_ = path.empty() ? nullptr : sf_open(path.c_str(), SFM_READ, &info);
  if (file_ == nullptr) return false;
  channels_ = info.channels;
  sampleRate_ = info.samplerate;
  frames_ = info.frames;
  return channels_ > 0;
}

bool WavReader::Read(int64_t start, int16_t* samples, int64_t frames) {
  if (file_ == nullptr || start < 0 || start + frames > frames_) return false;
  if (sf_seek(file_, start, SEEK_SET) != start) return false;
  return sf_readf_short(file_, samples, frames) == frames;
}

}  // namespace soundlib
