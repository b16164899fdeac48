// Cutting a stretch of a rendered file into a segment file.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "SoundTest.h"
#include "soundlib/FWav.h"

namespace soundtest {
namespace {

class SegmentTest : public SoundLibTest {
 protected:
  void SetUp() override {
    SoundLibTest::SetUp();
    source_ = File("A.wav");
    ASSERT_EQ(soundlib::FWavGenerateMusicFile(6, "11  13  1315  18  20  2018", "400 300 500 250 600 700", source_, 2,
                                              0.2, 1, 1000, 60, 80, 50),
              1);
    samples_ = ReadWav(source_);
  }
  int16_t Cut(int startMs, int lengthMs, const std::string& output) {
    return soundlib::FWavCreateSegmentFile(source_, startMs, lengthMs, output, 2, 0.2);
  }
  std::string source_;
  std::vector<int16_t> samples_;
};

TEST_F(SegmentTest, ASegmentHoldsTheSamplesOfItsSourceFromItsStart) {
  ASSERT_EQ(Cut(650, 1200, File("C.wav")), 1);
  const auto cut = ReadWav(File("C.wav"));
  const size_t start = 650 * 441 / 10;
  ASSERT_EQ(cut.size(), 1200u * 441 / 10);
  const size_t fade = 3 * 441 / 10;
  for (size_t i = fade; i + fade < cut.size(); ++i) ASSERT_EQ(cut[i], samples_[start + i]) << "sample " << i;
  // Within the fades the sound is the source's, softened.
  for (size_t i = 0; i < fade; ++i) {
    EXPECT_LE(std::abs(cut[i]), std::abs(samples_[start + i]));
    EXPECT_LE(std::abs(cut[cut.size() - 1 - i]), std::abs(samples_[start + cut.size() - 1 - i]));
  }
}

TEST_F(SegmentTest, TheCutPointsAreFreeOfClicks) {
  ASSERT_EQ(Cut(1234, 777, File("C.wav")), 1);
  auto cut = ReadWav(File("C.wav"));
  // Played from silence into silence.
  std::vector<int16_t> played(4410, 0);
  played.insert(played.end(), cut.begin(), cut.end());
  played.insert(played.end(), 4410, 0);
  EXPECT_LT(Peak(HighBand(played), 0, played.size()), 4.0);
}

TEST_F(SegmentTest, ASegmentReachingPastTheEndStopsAtTheEndAndACutOfTheWholeFileIsACopy) {
  ASSERT_EQ(Cut(0, 100000, File("C.wav")), 1);
  EXPECT_EQ(ReadWav(File("C.wav")), samples_);
  ASSERT_EQ(Cut(2000, 100000, File("D.wav")), 1);
  EXPECT_EQ(ReadWav(File("D.wav")).size(), samples_.size() - 2000 * 441 / 10);
}

TEST_F(SegmentTest, TheSourceMayBeCutIntoItself) {
  ASSERT_EQ(Cut(500, 1000, source_), 1);
  const auto cut = ReadWav(source_);
  ASSERT_EQ(cut.size(), 44100u);
  EXPECT_EQ(cut[22050], samples_[22050 + 22050]);
}

TEST_F(SegmentTest, ARefusedCutWritesNothing) {
  const std::string output = File("C.wav");
  const int64_t lengthMs = static_cast<int64_t>(samples_.size()) * 10 / 441;
  EXPECT_EQ(Cut(static_cast<int>(lengthMs) + 10, 500, output), 0) << "start after the end";
  EXPECT_EQ(Cut(-1, 500, output), 0) << "negative start";
  EXPECT_EQ(Cut(100, 0, output), 0) << "no length";
  EXPECT_EQ(soundlib::FWavCreateSegmentFile(File("missing.wav"), 0, 500, output, 2, 0.2), 0) << "no source";
  EXPECT_EQ(soundlib::FWavCreateSegmentFile(File("."), 0, 500, output, 2, 0.2), 0) << "a folder as source";
  EXPECT_FALSE(std::filesystem::exists(output));
  EXPECT_EQ(Cut(100, 500, File("no-such-folder/C.wav")), 0) << "unwritable output";
}

}  // namespace
}  // namespace soundtest
