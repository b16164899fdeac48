#include "soundlib/WavWriter.h"

#include <sndfile.h>

#include <algorithm>
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
  channels_ = channels;
  failed_ = false;
  used_ = 0;
  buffer_.resize(32768);
  return file_ != nullptr;
}

bool WavWriter::Flush() {
  const auto frames = static_cast<sf_count_t>(used_ / static_cast<size_t>(channels_));
  if (frames > 0 && sf_writef_short(file_, buffer_.data(), frames) != frames) failed_ = true;
  used_ = 0;
  return !failed_;
}

bool WavWriter::Write(const int16_t* samples, int64_t frames) {
  if (file_ == nullptr || failed_) return false;
  size_t left = static_cast<size_t>(frames) * static_cast<size_t>(channels_);
  while (left > 0) {
    const size_t n = std::min(left, buffer_.size() - used_);
    std::copy(samples, samples + n, buffer_.data() + used_);
    used_ += n;
    samples += n;
    left -= n;
    if (used_ == buffer_.size() && !Flush()) return false;
  }
  return true;
}

bool WavWriter::Close() {
  if (file_ == nullptr) return false;
  Flush();
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
