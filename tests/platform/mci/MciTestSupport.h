// Test support of the multimedia control: a Qt application object for the test
// program, and WAV files written with libsndfile.
#pragma once

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sndfile.h>

#include <QCoreApplication>

namespace mcitest {

// One QCoreApplication for the whole test program.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { app_ = new QCoreApplication(argc_, argv_); }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

 private:
  int argc_ = 1;
  char name_[8] = "test";
  char* argv_[2] = {name_, nullptr};
  QCoreApplication* app_ = nullptr;
};

// Marks frame `at` of a file being written with a cue point (a file's join).
inline void MarkJoin(SNDFILE* file, int64_t at) {
  auto cues = std::make_unique<SF_CUES>();
  cues->cue_count = 1;
  cues->cue_points[0].indx = 1;
  cues->cue_points[0].position = static_cast<uint32_t>(at);
  cues->cue_points[0].fcc_chunk = 0x61746164;  // "data"
  cues->cue_points[0].sample_offset = static_cast<uint32_t>(at);
  ASSERT_EQ(sf_command(file, SFC_SET_CUE, cues.get(), sizeof(SF_CUES)), SF_TRUE);
}

// Writes a 16-bit PCM WAV file of a sine tone (amplitude 0.5) lasting ms, its
// join marked at joinMs when that is given.
inline void WriteTone(const std::filesystem::path& path, double hz, int ms, int channels = 1, int rate = 44100,
                      int joinMs = -1) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.string().c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  if (joinMs >= 0) MarkJoin(file, static_cast<int64_t>(rate) * joinMs / 1000);
  const int64_t frames = static_cast<int64_t>(rate) * ms / 1000;
  std::vector<short> samples(static_cast<size_t>(frames * channels));
  for (int64_t i = 0; i < frames; ++i) {
    const double v = 0.5 * std::sin(2.0 * M_PI * hz * static_cast<double>(i) / rate);
    for (int c = 0; c < channels; ++c) samples[static_cast<size_t>(i * channels + c)] = static_cast<short>(v * 32767);
  }
  sf_writef_short(file, samples.data(), frames);
  sf_close(file);
}

// Writes mono 16-bit samples as a WAV file, its join marked at frame join when that is given.
inline void WriteSamples(const std::filesystem::path& path, const std::vector<int16_t>& samples, int rate = 44100,
                         int64_t join = -1) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.string().c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  if (join >= 0) MarkJoin(file, join);
  sf_writef_short(file, samples.data(), static_cast<sf_count_t>(samples.size()));
  sf_close(file);
}

}  // namespace mcitest
