// Music files that follow each other at once, played on a real audio device (a
// PulseAudio null sink whose monitor is recorded), as the play loop plays them:
// five phrase files in a row, and a composition's asthai into its antara. What is
// heard is one stream: each file from the join of the one before it, with that
// one's release and echo under its start; no gap, no click, the antara on its beat.
// Runs when VELMORA_AUDIO_DEVICE is set (.ci/run starts the server).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include <QAudioDevice>
#include <QMediaDevices>

#include "support/AudioDevice.h"
#include "SoundTest.h"
#include "platform/mci/MMControl.h"
#include "platform/mci/MciTestSupport.h"
#include "platform/mci/device/MonitorRecorder.h"
#include "soundlib/FWav.h"
#include "thekagen/ThekaTable.h"

namespace soundtest {
namespace {

[[maybe_unused]] auto* const kQt = ::testing::AddGlobalTestEnvironment(new mcitest::QtEnvironment);

using namespace std::chrono_literals;
using mcitest::MonitorRecorder;
using mcitest::PumpEventsFor;

constexpr size_t kMs = kRate / 1000;

class JoinsOnDevice : public SoundLibTest {
 protected:
  void SetUp() override {
    SoundLibTest::SetUp();
    VELMORA_REQUIRE_AUDIO_DEVICE();
    ChangedSeeds();  // drone and theka stay loaded
    ASSERT_EQ(soundlib::FWavLoadDroneData("", 23, 1, "e", 1.0, 1), 1);
    std::ostringstream theka;
    thekagen::WriteThekaFile(theka);
    std::ofstream(File("clb.kzy"), std::ios::binary) << theka.str();
    ASSERT_EQ(soundlib::FWavLoadThekaData(File("clb.kzy"), 4), 1);
  }

  // Plays the files one after another on a control, each named to it as the one
  // before starts and opened and played from that one's Done, as the play loop
  // does; returns what the monitor heard (left channel).
  std::vector<int16_t> PlayInTurn(const std::vector<std::string>& files) {
    MonitorRecorder recorder;
    EXPECT_TRUE(recorder.Running());
    PumpEventsFor(1500ms);  // an idle null sink stalls the first stream
    mci::MMControl control;
    size_t next = 0;
    auto play = [&] {
      control.setNotify(false);
      control.setWait(true);
      control.setFileName(files[next]);
      control.setCommand("Open");
      control.setNotify(true);
      control.setWait(false);
      control.setFrom(0);
      control.setTo(control.Length());
      control.setCommand("Play");
      if (++next < files.size()) control.QueueNext(files[next]);
    };
    control.setOnDone([&](int16_t code) {
      EXPECT_EQ(code, mci::mciSuccessful);
      control.setNotify(false);
      control.setFileName("");
      control.setCommand("Close");
      if (next < files.size()) play();
    });
    play();
    const auto giveUp = Steady::now() + 30s;
    while ((next < files.size() || control.Mode() != mci::mciModeNotOpen) && Steady::now() < giveUp)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(control.Mode(), mci::mciModeNotOpen) << "the files did not all play";
    PumpEventsFor(400ms);
    recorder.Stop();
    std::vector<int16_t> left = recorder.Left();
    WriteWav(File("recording.wav"), left);  // for a look after a failure
    return left;
  }

  using Steady = mcitest::Steady;
};

std::vector<double> Doubles(const std::vector<int16_t>& x) { return std::vector<double>(x.begin(), x.end()); }

// What the files should sound like, played in turn from their joins, as 16-bit samples.
std::vector<int16_t> Expected(const std::vector<std::vector<int16_t>>& files, const std::vector<int64_t>& joins) {
  std::vector<std::vector<double>> all;
  for (const auto& f : files) all.push_back(Doubles(f));
  std::vector<int16_t> out;
  for (double v : PlayedInTurn(all, joins)) out.push_back(static_cast<int16_t>(std::clamp(v, -32768.0, 32767.0)));
  return out;
}

// Where the expected sound begins in the recording: the recording may miss the
// first few milliseconds of a stream (the sink rewinds to mix it in at once).
// Returns the recording's index of expected sample `skipped`, and sets skipped.
size_t Align(const std::vector<int16_t>& heard, const std::vector<int16_t>& expected, size_t& skipped) {
  size_t first = 0;
  while (first < heard.size() && heard[first] == 0) ++first;
  auto matchesAt = [&](size_t offset) {
    if (first + 256 > heard.size() || offset + 256 > expected.size()) return false;
    for (size_t j = 0; j < 256; ++j)
      if (heard[first + j] != expected[offset + j]) return false;
    return true;
  };
  for (skipped = 0; skipped < 50 * kMs; ++skipped)
    if (matchesAt(skipped)) return first;
  ADD_FAILURE() << "the recording is not the files' sound";
  return first;
}

// The recording against the files heard from each other's joins: every sample,
// no digital silence over 1 ms, and no sample step around a join over four times
// what steps are like elsewhere.
void CheckStream(const std::vector<int16_t>& heard, const std::vector<int16_t>& expected,
                 const std::vector<int64_t>& joins) {
  size_t skipped = 0;
  const size_t at = Align(heard, expected, skipped);
  EXPECT_LE(skipped, 20 * kMs) << "more than 20 ms of the first file's head were lost";
  const size_t musicEnd = static_cast<size_t>(std::accumulate(joins.begin(), joins.end(), int64_t{0}));
  ASSERT_LE(at + expected.size() - skipped, heard.size()) << "the recording stopped before the sound";
  size_t changed = 0;
  for (size_t j = skipped; j < expected.size(); ++j) changed += heard[at + j - skipped] != expected[j];
  EXPECT_EQ(changed, 0u) << "samples lost, late, doubled or changed";

  // Digital silence, from 10 ms into the sound to the end of the last file's music.
  size_t run = 0, longest = 0;
  for (size_t j = at + 10 * kMs; j < at + musicEnd - skipped; ++j) {
    run = heard[j] == 0 ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  EXPECT_LE(longest, kMs) << "digital silence of " << longest << " samples";

  // Sample steps: the largest in each 10 ms window; around each join against the median window.
  auto largestStep = [&](size_t from, size_t to) {
    int step = 0;
    for (size_t j = from + 1; j < to; ++j) step = std::max(step, std::abs(heard[j] - heard[j - 1]));
    return step;
  };
  std::vector<int> windows;
  for (size_t j = at + 10 * kMs; j + 10 * kMs < at + musicEnd - skipped; j += 10 * kMs)
    windows.push_back(largestStep(j, j + 10 * kMs));
  ASSERT_FALSE(windows.empty());
  std::nth_element(windows.begin(), windows.begin() + static_cast<ptrdiff_t>(windows.size() / 2), windows.end());
  const int typical = windows[windows.size() / 2];
  size_t join = at - skipped;
  for (size_t k = 0; k + 1 < joins.size(); ++k) {
    join += static_cast<size_t>(joins[k]);
    const int step = largestStep(join - 5 * kMs, join + 5 * kMs);
    EXPECT_LE(step, 4 * typical) << "join " << k + 1 << ": a step of " << step << " against " << typical;
  }
  std::cout << "heard " << joins.size() << " files from " << skipped * 1000.0 / kRate
            << " ms on; longest digital silence " << longest << " samples; typical step " << typical << "\n";
}

TEST_F(JoinsOnDevice, FivePhraseFilesSoundAsOneStream) {
  const std::vector<std::pair<std::string, std::string>> phrases = {
      {"11  13  15", "400 400 700"},         {"15  16  18  20", "300 300 300 600"}, {"20  18  16", "500 250 750"},
      {"1315  16  15", "900 300 600"},       {"13  11", "500 1200"}};
  std::vector<std::string> paths;
  std::vector<std::vector<int16_t>> files;
  std::vector<int64_t> joins;
  for (size_t k = 0; k < phrases.size(); ++k) {
    soundlib::SetNextFileJoins(k > 0, k + 1 < phrases.size());
    const auto& [notes, durations] = phrases[k];
    const int count = static_cast<int>(std::count(durations.begin(), durations.end(), ' ') + 1);
    files.push_back(Render(count, notes, durations, 1));
    ASSERT_FALSE(files.back().empty());
    joins.push_back(LastJoin());
    paths.push_back(File("render" + std::to_string(renders_ - 1) + ".wav"));
  }
  const std::vector<int16_t> heard = PlayInTurn(paths);
  CheckStream(heard, Expected(files, joins), joins);
}

TEST_F(JoinsOnDevice, TheAntaraFollowsTheAsthaiOnItsBeat) {
  // Eight beats of 500 ms each, then four: a Tin stroke (bol 7) on every beat.
  const int tempo = 500;
  auto part = [&](const std::string& name, int beats, int startBeat, bool followsLast, bool followed) {
    std::string notes, durations, theka;
    for (int b = 0; b < beats; ++b) {
      notes += (b > 0 ? "  " : "") + std::to_string(11 + b % 5 * 2);
      durations += (b > 0 ? " " : "") + std::to_string(tempo);
      theka += (b > 0 ? " " : "") + std::string("1/7/0");
    }
    soundlib::SetNextFileJoins(followsLast, followed);
    const std::string path = File(name);
    EXPECT_EQ(soundlib::FWavGenerateMusicFile1(beats, notes, durations, startBeat, 16, theka, 4, tempo, path, 1, 0.2,
                                                1, 1000, 60, 80, 50),
              1);
    return path;
  };
  const std::string asthai = part("A.wav", 8, 1, false, true);
  const std::string antara = part("B.wav", 4, 9, true, false);
  const std::vector<std::vector<int16_t>> files = {ReadWav(asthai), ReadWav(antara)};
  const std::vector<int64_t> joins = {JoinOf(asthai), JoinOf(antara)};
  ASSERT_EQ(joins[0], 8 * tempo * kRate / 1000) << "the asthai's music ends on its eighth beat";
  const std::vector<int16_t> heard = PlayInTurn({asthai, antara});
  const std::vector<int16_t> expected = Expected(files, joins);
  CheckStream(heard, expected, joins);

  // Where the antara's first stroke is heard, against the beat it falls on: the
  // asthai's start in the recording plus eight beats.
  size_t skipped = 0;
  const size_t at = Align(heard, expected, skipped);
  const size_t asthaiStart = at - skipped;
  const size_t beat = asthaiStart + static_cast<size_t>(joins[0]);
  // The antara in the recording, less what the asthai adds there, from 10 ms before the beat.
  const size_t lead = 10 * kMs;
  std::vector<int> antaraHeard;
  for (size_t j = beat - lead; j < beat + 100 * kMs; ++j)
    antaraHeard.push_back(heard[j] - files[0][j - asthaiStart]);
  int peak = 0;
  for (int v : antaraHeard) peak = std::max(peak, std::abs(v));
  size_t onset = 0;
  while (onset < antaraHeard.size() && std::abs(antaraHeard[onset]) <= peak / 4) ++onset;
  const double offMs = (static_cast<double>(onset) - static_cast<double>(lead)) / kMs;
  EXPECT_LE(std::fabs(offMs), 5.0) << "the antara's first stroke is heard " << offMs << " ms off its beat";
  std::cout << "the antara's first stroke " << offMs << " ms off its beat\n";
}

}  // namespace
}  // namespace soundtest
