// The multimedia control on a real audio device: a PulseAudio null sink whose
// monitor is recorded while the control plays, so the test hears what was played.
// Runs when VELMORA_AUDIO_DEVICE is set (.ci/run starts the server).
#include <csignal>
#include <cstdlib>
#include <mutex>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAudioDevice>
#include <QMediaDevices>

#include "platform/mci/MMControl.h"
#include "platform/mci/MciTestSupport.h"
#include "support/Scratch.h"

namespace {

[[maybe_unused]] auto* const kQt = ::testing::AddGlobalTestEnvironment(new mcitest::QtEnvironment);

using namespace std::chrono_literals;
using Steady = std::chrono::steady_clock;

constexpr int kRate = 44100;

// Records the null sink's monitor (16-bit stereo) through parec, noting when each
// block of frames arrived.
class MonitorRecorder {
 public:
  MonitorRecorder() {
    int fds[2];
    if (pipe(fds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    char* const argv[] = {const_cast<char*>("parec"), const_cast<char*>("-d"), const_cast<char*>("nullsink.monitor"),
                          const_cast<char*>("--format=s16le"), const_cast<char*>("--rate=44100"),
                          const_cast<char*>("--channels=2"), const_cast<char*>("--latency-msec=10"),
                          const_cast<char*>("--raw"), nullptr};
    if (posix_spawnp(&pid_, "parec", &actions, nullptr, argv, environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    fd_ = fds[0];
    reader_ = std::thread([this] { Read(); });
  }

  ~MonitorRecorder() { Stop(); }

  void Stop() {
    if (pid_ > 0) {
      kill(pid_, SIGINT);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
    if (reader_.joinable()) reader_.join();
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

  bool Running() const { return pid_ > 0; }

  // Left channel of everything recorded.
  std::vector<int16_t> Left() const {
    std::lock_guard lock(mutex_);
    std::vector<int16_t> left;
    for (size_t i = 0; i + 1 < samples_.size(); i += 2) left.push_back(samples_[i]);
    return left;
  }

  // When the block holding frame arrived.
  Steady::time_point ArrivalOf(size_t frame) const {
    std::lock_guard lock(mutex_);
    for (const auto& [frames, when] : arrivals_) {
      if (frames > frame) return when;
    }
    return Steady::time_point::max();
  }

 private:
  void Read() {
    std::vector<char> block(4096);
    std::vector<char> pending;
    for (;;) {
      const ssize_t got = read(fd_, block.data(), block.size());
      if (got <= 0) break;
      const auto now = Steady::now();
      pending.insert(pending.end(), block.begin(), block.begin() + got);
      const size_t whole = pending.size() / 4 * 4;
      std::lock_guard lock(mutex_);
      const auto* values = reinterpret_cast<const int16_t*>(pending.data());
      samples_.insert(samples_.end(), values, values + whole / 2);
      pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(whole));
      arrivals_.emplace_back(samples_.size() / 2, now);
    }
  }

  pid_t pid_ = -1;
  int fd_ = -1;
  std::thread reader_;
  mutable std::mutex mutex_;
  std::vector<int16_t> samples_;
  std::vector<std::pair<size_t, Steady::time_point>> arrivals_;
};

void PumpEventsFor(std::chrono::milliseconds span) {
  const auto until = Steady::now() + span;
  while (Steady::now() < until) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

class MMControlOnDevice : public testsupport::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    if (std::getenv("VELMORA_AUDIO_DEVICE") == nullptr) GTEST_SKIP() << "no audio device for tests";
    ASSERT_FALSE(QMediaDevices::defaultAudioOutput().isNull()) << "VELMORA_AUDIO_DEVICE is set but Qt finds no output";
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
