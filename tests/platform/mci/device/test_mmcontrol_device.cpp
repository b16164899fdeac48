// The multimedia control on a real audio device: a PulseAudio null sink whose
// monitor is recorded while the control plays, so the test hears what was played.
// Runs when VELMORA_AUDIO_DEVICE is set (.ci/run starts the server).
#include <cstdlib>
#include <thread>

#include <QAudioDevice>
#include <QMediaDevices>

#include "support/AudioDevice.h"
#include "platform/mci/MMControl.h"
#include "platform/mci/MciTestSupport.h"
#include "platform/mci/device/MonitorRecorder.h"
#include "support/Scratch.h"

namespace {

[[maybe_unused]] auto* const kQt = ::testing::AddGlobalTestEnvironment(new mcitest::QtEnvironment);

using namespace std::chrono_literals;
using mcitest::MonitorRecorder;
using mcitest::PumpEventsFor;
using mcitest::Steady;

constexpr int kRate = 44100;

class MMControlOnDevice : public testsupport::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    VELMORA_REQUIRE_AUDIO_DEVICE();
  }
};

TEST_F(MMControlOnDevice, PlaysTheFilesSoundInFullAndDoneFollowsItsEnd) {
  constexpr double kPitch = 440.0;
  constexpr int kLengthMs = 1000;
  mcitest::WriteTone(folder_ / "A.wav", kPitch, kLengthMs);

  MonitorRecorder recorder;
  ASSERT_TRUE(recorder.Running());
  PumpEventsFor(1500ms);  // an idle null sink stalls the first stream

  mci::MMControl control;
  Steady::time_point doneAt{};
  std::vector<int> done;
  control.setOnDone([&](int16_t code) {
    doneAt = Steady::now();
    done.push_back(code);
  });
  control.setDeviceType("WaveAudio");
  control.setFileName(Path("A.wav"));
  control.setCommand("Open");
  ASSERT_EQ(control.Length(), kLengthMs);
  control.setNotify(true);
  control.setFrom(0);
  control.setTo(control.Length());
  control.setCommand("Play");
  EXPECT_EQ(control.Mode(), mci::mciModePlay);
  // The UI thread is busy for a while (as when it renders the next phrase): the
  // sound must go on unbroken and the position keep moving.
  std::this_thread::sleep_for(300ms);
  EXPECT_GT(control.Position(), 0);
  const auto giveUp = Steady::now() + 10s;
  while (done.empty() && Steady::now() < giveUp) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  ASSERT_EQ(done, std::vector<int>{mci::mciSuccessful});
  EXPECT_EQ(control.Position(), kLengthMs);
  PumpEventsFor(400ms);
  recorder.Stop();

  const std::vector<int16_t> left = recorder.Left();
  mcitest::WriteSamples(folder_ / "recording.wav", left);  // for a look after a failure
  std::string error;
  const auto file = mci::ReadWave(Path("A.wav"), &error);
  ASSERT_TRUE(file) << error;
  const std::vector<int16_t>& played = file->samples;

  // The recording carries the file's samples unchanged. It may begin a few
  // milliseconds into the file: the sink rewinds to mix a new stream in at once,
  // and what its monitor had already passed on is not replaced (paplay's streams
  // lose their start the same way); that is bounded by the sink's latency.
  size_t first = 0;
  while (first < left.size() && left[first] == 0) ++first;
  ASSERT_LT(first + 64, left.size()) << "nothing was heard";
  auto matchesAt = [&](size_t offset) {
    for (size_t j = 0; j < 64; ++j) {
      if (left[first + j] != played[offset + j]) return false;
    }
    return true;
  };
  size_t skipped = 0;
  while (skipped < static_cast<size_t>(kRate / 10) && !matchesAt(skipped)) ++skipped;
  ASSERT_TRUE(matchesAt(skipped)) << "the recording is not the file's sound";
  EXPECT_LE(skipped, static_cast<size_t>(kRate / 50)) << "more than 20 ms of the head were lost";
  const size_t heard = played.size() - skipped;
  ASSERT_LE(first + heard + kRate / 100, left.size()) << "the recording stopped before the sound";
  size_t changed = 0;
  for (size_t j = 0; j < heard; ++j) changed += left[first + j] != played[skipped + j];
  EXPECT_EQ(changed, 0u) << "samples changed, lost or delayed inside the sound";
  const size_t last = first + heard - 1;  // the file's last sample
  for (size_t j = 1; j <= static_cast<size_t>(kRate / 100); ++j) EXPECT_EQ(left[last + j], 0) << "sound after the end";

  // Pitch from the rising zero crossings, interpolated.
  int crossings = 0;
  double firstCrossing = 0;
  double lastCrossing = 0;
  for (size_t i = first + 1; i <= last; ++i) {
    if (left[i - 1] < 0 && left[i] >= 0) {
      const double at = static_cast<double>(i - 1) + left[i - 1] / static_cast<double>(left[i - 1] - left[i]);
      if (crossings++ == 0) firstCrossing = at;
      lastCrossing = at;
    }
  }
  ASSERT_GT(crossings, 100);
  const double pitch = (crossings - 1) * kRate / (lastCrossing - firstCrossing);
  EXPECT_NEAR(pitch, kPitch, 0.5);

  // Done after the sound's end reached the monitor (allowing for the recorder's
  // own latency), and within 100 ms of it.
  const auto endHeard = recorder.ArrivalOf(last);
  const auto lag = std::chrono::duration_cast<std::chrono::milliseconds>(doneAt - endHeard);
  EXPECT_LE(lag.count(), 100);
  EXPECT_GE(lag.count(), -20);
  std::cout << "heard the file from " << skipped * 1000.0 / kRate << " ms to its end at " << pitch << " Hz; Done "
            << lag.count() << " ms after the end reached the recorder\n";
}

}  // namespace
