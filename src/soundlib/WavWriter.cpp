#include "soundlib/WavWriter.h"

#include <sndfile.h>

#include <cstdio>

namespace soundlib {

WavWriter::~WavWriter() {
  if (file_ != nullptr) Abort();
}

bool WavWriter::Open(const std::string& path, int channels, int sampleRate) {
  if (file_ != nullptr) Abort();
  SF_INFO info{};
  info.samplerate = sampleRate;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  if (path.empty() || sf_format_check(&info) == 0) return false;
  file_ = sf_open(path.c_str(), SFM_WRITE, &info);
  path_ = path;
  failed_ = false;
  return file_ != nullptr;
}

bool WavWriter::Write(const int16_t* samples, int64_t frames) {
  if (file_ == nullptr || failed_) return false;
  if (sf_writef_short(file_, samples, frames) != frames) failed_ = true;
  return !failed_;
}

bool WavWriter::Close() {
  if (file_ == nullptr) return false;
  const bool closed = sf_close(file_) == 0;
  file_ = nullptr;
  if (!closed || failed_) {
    std::remove(path_.c_str());
    return false;
  }
  return true;
}

void WavWriter::Abort() {
  if (file_ != nullptr) sf_close(file_);
  file_ = nullptr;
  std::remove(path_.c_str());
}

}  // namespace soundlib
