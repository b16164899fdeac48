// WavWriter: writes 16-bit PCM WAV files through libsndfile. Blocks are gathered
// into writes of 64 KB (far fewer system calls). A file that cannot be completed
// is removed, so a failed call leaves no partial file. An earlier file of the
// same name is written over in place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "soundlib/Constants.h"

typedef struct sf_private_tag SNDFILE;

namespace soundlib {

// Where a renderer delivers its samples.
class BlockSink {
 public:
  virtual ~BlockSink() = default;
  virtual bool Write(const int16_t* samples, int64_t frames) = 0;
};

class WavWriter : public BlockSink {
 public:
  WavWriter() = default;
  WavWriter(const WavWriter&) = delete;
  WavWriter& operator=(const WavWriter&) = delete;
  ~WavWriter() override;

  // False when path names anything but a regular file (a link, whatever it points to,
  // a FIFO, a device, a folder) or cannot be written; nothing is written then.
  bool Open(const std::string& path, int channels = 1, int sampleRate = kSampleRate);
  // Marks frame `at` with a cue point: where the music ends and a file that
  // follows at once begins (what comes after sounds on under that file's start).
  // Before the first Write.
  bool MarkJoin(int64_t at);
  // frames of interleaved samples.
  bool Write(const int16_t* samples, int64_t frames) override;
  // Finishes the file; false (and the file removed) when anything failed.
  bool Close();
  // Closes and removes the file.
  void Abort();

 private:
  bool Flush();

  SNDFILE* file_ = nullptr;
  int fd_ = -1;  // the file's descriptor, which file_ closes
  std::string path_;
  int channels_ = 1;
  std::vector<int16_t> buffer_;
  size_t used_ = 0;
  bool failed_ = false;
};

}  // namespace soundlib
