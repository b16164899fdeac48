#include "platform/mci/WaveData.h"

#include <memory>

#include <sndfile.h>

namespace mci {

std::shared_ptr<const WaveData> ReadWave(const std::string& path, std::string* error) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) {
    if (error) *error = "Cannot open \"" + path + "\": " + sf_strerror(nullptr);
    return nullptr;
  }
  auto wave = std::make_shared<WaveData>();
  wave->sampleRate = info.samplerate;
  wave->channels = info.channels;
  if (info.samplerate <= 0 || info.channels <= 0 || info.frames <= 0) {
    sf_close(file);
    if (error) *error = "\"" + path + "\" holds no sound";
    return nullptr;
  }
  wave->samples.resize(static_cast<size_t>(info.frames) * static_cast<size_t>(info.channels));
  const sf_count_t got = sf_readf_short(file, wave->samples.data(), info.frames);
  if (got <= 0) {
    sf_close(file);
    if (error) *error = "Cannot read \"" + path + "\"";
    return nullptr;
  }
  wave->samples.resize(static_cast<size_t>(got) * static_cast<size_t>(info.channels));
  wave->join = wave->frames();
  uint32_t cues = 0;
  if (sf_command(file, SFC_GET_CUE_COUNT, &cues, sizeof cues) == SF_TRUE && cues > 0) {
    auto points = std::make_unique<SF_CUES>();
    if (sf_command(file, SFC_GET_CUE, points.get(), sizeof(SF_CUES)) == SF_TRUE && points->cue_count > 0) {
      const int64_t at = points->cue_points[0].sample_offset;
      if (at > 0 && at < wave->join) wave->join = at;
    }
  }
  sf_close(file);
  return wave;
}

int64_t FramesToMs(int64_t frames, int sampleRate) {
  return sampleRate > 0 ? (frames * 1000 + sampleRate / 2) / sampleRate : 0;
}

int64_t MsToFrames(int64_t ms, int sampleRate) { return (ms * sampleRate + 500) / 1000; }

}  // namespace mci
