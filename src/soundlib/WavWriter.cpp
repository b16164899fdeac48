#include "soundlib/WavWriter.h"

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>

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
  // Only a regular file of that name is written: never through a link, never a FIFO,
  // a device or a folder.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  // An earlier file of that name is written over in place and cut to the new
  // length at Close, not emptied first: the pages it holds are used again, and
  // the file system is not led to write an emptied and rewritten file out to
  // the disk at once, as it does to keep a replaced file whole over a crash
  // (the program writes its temporary music files again and again).
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  file_ = sf_open_fd(fd, SFM_WRITE, &info, SF_TRUE);
  if (file_ == nullptr) ::close(fd);
  fd_ = file_ != nullptr ? fd : -1;
  path_ = path;
  channels_ = channels;
  failed_ = false;
  used_ = 0;
  buffer_.resize(32768);
  return file_ != nullptr;
}

bool WavWriter::MarkJoin(int64_t at) {
  if (file_ == nullptr || at < 0 || at > UINT32_MAX) return false;
  auto cues = std::make_unique<SF_CUES>();
  cues->cue_count = 1;
  SF_CUE_POINT& point = cues->cue_points[0];
  point.indx = 1;
  point.position = static_cast<uint32_t>(at);
  point.fcc_chunk = 0x61746164;  // "data", little-endian
  point.sample_offset = static_cast<uint32_t>(at);
  return sf_command(file_, SFC_SET_CUE, cues.get(), sizeof(SF_CUES)) == SF_TRUE;
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
  // What lies past the last sample is the earlier file's: cut away before the
  // header, which counts the file's length, is written.
  const off_t end = ::lseek(fd_, 0, SEEK_CUR);
  if (end < 0 || ::ftruncate(fd_, end) != 0) failed_ = true;
  const bool closed = sf_close(file_) == 0;
  file_ = nullptr;
  fd_ = -1;
  if (!closed || failed_) {
    std::remove(path_.c_str());
    return false;
  }
  return true;
}

void WavWriter::Abort() {
  if (file_ != nullptr) sf_close(file_);
  file_ = nullptr;
  fd_ = -1;
  std::remove(path_.c_str());
}

}  // namespace soundlib
