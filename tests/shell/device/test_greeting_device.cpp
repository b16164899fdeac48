// The greeting drone on a real audio device: the program starts as a user starts it,
// and the null sink's monitor is recorded while the drone plays, so the test hears the
// drone and checks that it sounds at the tonic's pitches.
// Runs when VELMORA_AUDIO_DEVICE is set (.ci/run starts the server).
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAudioDevice>
#include <QMediaDevices>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/AudioDevice.h"
#include "ShellRun.h"
#include "platform/mci/MMControl.h"
#include "platform/mci/WaveData.h"
#include "shell/Players.h"
#include "sound/SoundState.h"

namespace shelltest {
namespace {

using namespace std::chrono_literals;
using Steady = std::chrono::steady_clock;

constexpr int kRate = 44100;

// Records the null sink's monitor into a WAV file through parec until stopped.
class MonitorToFile {
 public:
  explicit MonitorToFile(const std::string& file) {
    std::vector<std::string> args{"parec", "-d", "nullsink.monitor", "--format=s16le", "--rate=44100",
                                  "--channels=1", "--latency-msec=10", "--file-format=wav", file};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawnp(&pid_, "parec", nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
  }
  ~MonitorToFile() { Stop(); }
  bool Running() const { return pid_ > 0; }
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGINT);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
};

void PumpEventsFor(std::chrono::milliseconds span) {
  const auto until = Steady::now() + span;
  while (Steady::now() < until) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// The power of a recording around one frequency: Hann-windowed blocks of half a
// second (2 Hz apart), the power at the frequency summed over the blocks.
double PowerAt(const std::vector<int16_t>& s, size_t from, size_t to, double hz) {
  constexpr size_t kBlock = kRate / 2;
  double total = 0;
  for (size_t start = from; start + kBlock <= to; start += kBlock) {
    const double w = 2 * M_PI * hz / kRate;
    double re = 0, im = 0;
    for (size_t i = 0; i < kBlock; ++i) {
      const double hann = 0.5 - 0.5 * std::cos(2 * M_PI * static_cast<double>(i) / (kBlock - 1));
      const double x = hann * s[start + i];
      re += x * std::cos(w * static_cast<double>(i));
      im -= x * std::sin(w * static_cast<double>(i));
    }
    total += re * re + im * im;
  }
  return total;
}

// The frequency of library note id (note 11 is C4, one equal-tempered semitone a step).
double NoteHz(int id) { return 261.6256 * std::pow(2.0, (id - 11) / 12.0); }

class GreetingOnDevice : public ShellRunTest {
 protected:
  void SetUp() override {
    ShellRunTest::SetUp();
    VELMORA_REQUIRE_AUDIO_DEVICE();
  }
};

TEST_F(GreetingOnDevice, TheDroneIsHeardAtTheTonicsPitchesWhileTheMenusWait) {
  MonitorToFile recorder((folder_ / "recording.wav").string());
  ASSERT_TRUE(recorder.Running());
  PumpEventsFor(1500ms);  // an idle null sink stalls the first stream

  ASSERT_TRUE(StartToGreeting());
  mci::MMControl* player = shell::MMControlOf(Main(), "cMM");
  ASSERT_NE(player, nullptr);
  if (player->FileName().empty()) {
    recorder.Stop();
    GTEST_SKIP() << "the play loop's sPlayMusicFile is still a stand-in: it opened no file, so there is no "
                    "greeting drone to hear yet";
  }
  EXPECT_EQ(player->FileName(), Data("D.Wav"));
  EXPECT_EQ(player->Mode(), mci::mciModePlay);
  EXPECT_FALSE(Main().Ctl("cMnuMaiOpe").Enabled()) << "the menus wait while the drone plays";

  const auto giveUp = Steady::now() + 15s;
  while (player->Mode() == mci::mciModePlay && Steady::now() < giveUp)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  PumpEventsFor(500ms);
  recorder.Stop();
  EXPECT_NE(player->Mode(), mci::mciModePlay) << "the drone came to its end";

  std::string error;
  const auto drone = mci::ReadWave(Data("D.Wav"), &error);
  ASSERT_TRUE(drone) << error;
  const auto heard = mci::ReadWave((folder_ / "recording.wav").string(), &error);
  ASSERT_TRUE(heard) << error;
  const std::vector<int16_t>& s = heard->samples;
  size_t first = 0;
  while (first < s.size() && std::abs(s[first]) < 64) ++first;
  size_t last = s.size();
  while (last > first && std::abs(s[last - 1]) < 64) --last;
  ASSERT_GT(last - first, static_cast<size_t>(kRate)) << "the greeting drone was not heard";
  EXPECT_GE(static_cast<double>(last - first), 0.9 * static_cast<double>(drone->frames()))
      << "the drone was heard for a part of its length only";

  // Sa of the tonic in three octaves against the quarter tones on either side of it:
  // a drone tuned to the tonic puts its power on Sa.
  const int sa = sound::CurrTonicNoteId + 9;
  double onSa = 0, between = 0;
  for (int octave : {-12, 0, 12}) {
    const double hz = NoteHz(sa + octave);
    onSa += PowerAt(s, first, last, hz);
    between +=
        PowerAt(s, first, last, hz * std::pow(2.0, 0.5 / 12)) + PowerAt(s, first, last, hz / std::pow(2.0, 0.5 / 12));
  }
  EXPECT_GT(onSa, 10 * between) << "the drone does not sound at the tonic's Sa (tonic key " << sound::CurrTonicNoteId
                                << ")";
  std::cout << "heard " << (last - first) * 1000 / kRate << " ms of drone; power on Sa " << onSa / between
            << " times that between the semitones\n";
}

}  // namespace
}  // namespace shelltest
