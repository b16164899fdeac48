// The multimedia control on the silent clock: a FakeClock moves time by hand.
#include <fstream>
#include <memory>
#include <thread>

#include <QTimer>

#include "platform/mci/MMControl.h"
#include "platform/mci/MciTestSupport.h"
#include "support/Scratch.h"

namespace {

[[maybe_unused]] auto* const kQt = ::testing::AddGlobalTestEnvironment(new mcitest::QtEnvironment);

using namespace std::chrono_literals;
using mci::MMControl;

void Drain() { QCoreApplication::processEvents(); }

class MMControlTest : public testsupport::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    clock = std::make_shared<mci::FakeClock>();
    control = std::make_unique<MMControl>();
    control->setAudioOutput(mci::AudioOutput::Silent);
    control->setClock(clock);
    control->setOnDone([this](int16_t code) { done.push_back(code); });
    control->setOnStatusUpdate([this] { updates.push_back(control->Position()); });
    mcitest::WriteTone(folder_ / "A.wav", 440, 1000);
    mcitest::WriteTone(folder_ / "B.wav", 330, 500, 2);
  }

  void TearDown() override {
    control.reset();
    Drain();
    ScratchTest::TearDown();
  }

  // The screens' way to open a file and start it (notification on, no wait).
  void OpenAndPlay(const std::string& name) {
    control->setNotify(false);
    control->setWait(true);
    control->setShareable(false);
    control->setDeviceType("WaveAudio");
    control->setFileName(Path(name));
    control->setCommand("Open");
    control->setNotify(true);
    control->setWait(false);
    control->setFrom(0);
    control->setTo(control->Length());
    control->setCommand("Play");
  }

  // Waits on the control while a timer, an event handled during the wait, moves
  // the fake clock on by step.
  void WaitWhileTimeMoves(std::chrono::milliseconds step) {
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [this, step] { clock->Advance(step); });
    ticker.start(1);
    mci::WaitWhilePlaying(*control);
  }

  std::shared_ptr<mci::FakeClock> clock;
  std::unique_ptr<MMControl> control;
  std::vector<int> done;
  std::vector<int> updates;  // Position at each StatusUpdate
};

TEST_F(MMControlTest, APlayRunsFromOpenToDoneSuccessful) {
  EXPECT_EQ(control->Mode(), mci::mciModeNotOpen);
  EXPECT_EQ(control->Length(), 0);
  control->setFileName(Path("A.wav"));
  control->setCommand("Open");
  EXPECT_EQ(control->Mode(), mci::mciModeStop);
  EXPECT_EQ(control->Length(), 1000);
  EXPECT_EQ(control->Position(), 0);

  control->setNotify(true);
  control->setCommand("Play");
  EXPECT_EQ(control->Mode(), mci::mciModePlay);
  clock->Advance(400ms);
  EXPECT_EQ(control->Position(), 400);
  EXPECT_EQ(control->Mode(), mci::mciModePlay);
  clock->Advance(599ms);
  EXPECT_EQ(control->Position(), 999);
  Drain();
  EXPECT_TRUE(done.empty());

  clock->Advance(1ms);
  EXPECT_EQ(control->Mode(), mci::mciModeStop);
  EXPECT_EQ(control->Position(), 1000);
  EXPECT_TRUE(done.empty()) << "Done waits for the event loop";
  Drain();
  EXPECT_EQ(done, std::vector<int>{mci::mciSuccessful});

  clock->Advance(2s);
  Drain();
  EXPECT_EQ(done.size(), 1u);
  EXPECT_EQ(control->Position(), 1000);
}

TEST_F(MMControlTest, LengthAndPositionFollowTheFilesOwnRateAndChannels) {
  mcitest::WriteTone(folder_ / "C.wav", 440, 2000, 2, 22050);
  OpenAndPlay("C.wav");
  EXPECT_EQ(control->Length(), 2000);
  clock->Advance(1500ms);
  EXPECT_EQ(control->Position(), 1500);
  clock->Advance(500ms);
  EXPECT_EQ(control->Mode(), mci::mciModeStop);
}

TEST_F(MMControlTest, FromAndToPlayAStretchAndServeOneCommandOnly) {
  control->setFileName(Path("A.wav"));
  control->setCommand("Open");
  control->setNotify(true);
  control->setFrom(200);
  control->setTo(500);
  control->setCommand("Play");
  EXPECT_EQ(control->From(), -1);
  EXPECT_EQ(control->To(), -1);
  EXPECT_FALSE(control->Notify());
  EXPECT_EQ(control->Position(), 200);
  clock->Advance(300ms);
  EXPECT_EQ(control->Mode(), mci::mciModeStop);
  EXPECT_EQ(control->Position(), 500);
  Drain();
  EXPECT_EQ(done, std::vector<int>{mci::mciSuccessful});

  // Without From and To a play goes on from where it stopped to the end.
  control->setCommand("Play");
  clock->Advance(499ms);
  EXPECT_EQ(control->Mode(), mci::mciModePlay);
  clock->Advance(1ms);
  EXPECT_EQ(control->Mode(), mci::mciModeStop);
  Drain();
  EXPECT_EQ(done.size(), 1u) << "that play did not ask for notification";
}

// The screens stop with Notify False; the play that asked for notification still
// ends in Done (aborted), after the command has returned.
struct InterruptCase {
  const char* command;
  int modeAfter;
  int positionAfter;
};

class InterruptedPlay : public MMControlTest, public ::testing::WithParamInterface<InterruptCase> {};

TEST_P(InterruptedPlay, RaisesDoneAbortedAfterTheCommandReturns) {
  OpenAndPlay("A.wav");
  clock->Advance(300ms);
  control->setNotify(false);
  control->setWait(true);
  control->setCommand(GetParam().command);
  EXPECT_EQ(control->Mode(), GetParam().modeAfter);
  EXPECT_EQ(control->Position(), GetParam().positionAfter);
  EXPECT_TRUE(done.empty());
  Drain();
  EXPECT_EQ(done, std::vector<int>{mci::mciAborted});
  clock->Advance(2s);
  Drain();
  EXPECT_EQ(done.size(), 1u) << "no second Done for the stopped play";
  EXPECT_EQ(control->Position(), GetParam().positionAfter);
}

INSTANTIATE_TEST_SUITE_P(Commands, InterruptedPlay,
                         ::testing::Values(InterruptCase{"Stop", mci::mciModeStop, 300},
                                           InterruptCase{"stop", mci::mciModeStop, 300},
                                           InterruptCase{"Close", mci::mciModeNotOpen, 0},
                                           InterruptCase{"Seek to start", mci::mciModeStop, 0}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(MMControlTest, AStopOfAPlayWithoutNotificationRaisesNoDone) {
  control->setFileName(Path("A.wav"));
  control->setCommand("Open");
  control->setCommand("Play");
  clock->Advance(100ms);
  control->setCommand("Stop");
  clock->Advance(2s);
  Drain();
  EXPECT_TRUE(done.empty());
}

TEST_F(MMControlTest, ANewPlaySupersedesThePendingNotification) {
  OpenAndPlay("A.wav");
  clock->Advance(100ms);
  control->setNotify(true);
  control->setFrom(0);
  control->setCommand("Play");
  Drain();
  EXPECT_EQ(done, std::vector<int>{mci::mciSuperseded});
  clock->Advance(1s);
  Drain();
  EXPECT_EQ(done, (std::vector<int>{mci::mciSuperseded, mci::mciSuccessful}));
}

TEST_F(MMControlTest, ReopeningWhilePlayingAbortsThePlayAndOpensTheNewFile) {
  OpenAndPlay("A.wav");
  control->setFileName(Path("B.wav"));
  control->setCommand("Open");
  EXPECT_EQ(control->Length(), 500);
  EXPECT_EQ(control->Mode(), mci::mciModeStop);
  Drain();
  EXPECT_EQ(done, std::vector<int>{mci::mciAborted});
}

// A file that cannot be played ends in Done (failure), not in a wait for ever.
struct BadFileCase {
  const char* name;
  const char* content;  // null: the file does not exist
  const char* deviceType;
};

class UnplayableFile : public MMControlTest, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(UnplayableFile, EndsInDoneFailure) {
  if (GetParam().content != nullptr) std::ofstream(Path(GetParam().name)) << GetParam().content;
  control->setDeviceType(GetParam().deviceType);
  control->setFileName(Path(GetParam().name));
  control->setCommand("Open");
  EXPECT_EQ(control->Mode(), mci::mciModeNotOpen);
  EXPECT_EQ(control->Length(), 0);
  EXPECT_FALSE(control->ErrorMessage().empty());
  control->setNotify(true);
  control->setFrom(0);
  control->setTo(control->Length());
  control->setCommand("Play");
  EXPECT_NE(control->Mode(), mci::mciModePlay);
  Drain();
  EXPECT_EQ(done, std::vector<int>{mci::mciFailure});
  EXPECT_EQ(halts, 0);
}

INSTANTIATE_TEST_SUITE_P(Files, UnplayableFile,
                         ::testing::Values(BadFileCase{"missing.wav", nullptr, "WaveAudio"},
                                           BadFileCase{"text.wav", "not a sound file", "WaveAudio"},
                                           BadFileCase{"empty.wav", "", ""},
                                           BadFileCase{"A.wav", nullptr, "CDAudio"}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(MMControlTest, APlayWithNothingOpenEndsInDoneFailure) {
  control->setNotify(true);
  control->setCommand("Play");
  Drain();
  EXPECT_EQ(done, std::vector<int>{mci::mciFailure});
}

TEST_F(MMControlTest, OtherCommandsWithNotifyReportTheirOwnCompletion) {
  control->setFileName(Path("A.wav"));
  control->setNotify(true);
  control->setCommand("Open");
  control->setNotify(true);
  control->setCommand("Close");
  Drain();
  EXPECT_EQ(done, (std::vector<int>{mci::mciSuccessful, mci::mciSuccessful}));
}

TEST_F(MMControlTest, AnUnknownCommandIsError5) {
  try {
    control->setCommand("Rewind");
    FAIL() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.err().Number, vb::kInvalidCall);
  }
}

TEST_F(MMControlTest, StatusUpdateTicksWhilePlayingAndNoneAfter) {
  OpenAndPlay("B.wav");  // 500 ms
  for (int i = 0; i < 100; ++i) {
    clock->Advance(10ms);
    Drain();
  }
  EXPECT_EQ(updates, (std::vector<int>{100, 200, 300, 400}));
  EXPECT_EQ(done, std::vector<int>{mci::mciSuccessful});
  EXPECT_EQ(clock->PendingWakeUps(), 0u);
}

TEST_F(MMControlTest, StatusUpdateFollowsUpdateIntervalAndStopsWithTheStop) {
  control->setUpdateInterval(150);
  OpenAndPlay("A.wav");
  clock->Advance(460ms);
  EXPECT_EQ(updates, (std::vector<int>{150, 300, 450}));
  control->setCommand("Stop");
  clock->Advance(1s);
  EXPECT_EQ(updates.size(), 3u);

  updates.clear();
  control->setUpdateInterval(0);
  control->setFrom(0);
  control->setCommand("Play");
  clock->Advance(2s);
  EXPECT_TRUE(updates.empty());
}

// The play loop's step: Done closes the file and plays the next one.
TEST_F(MMControlTest, ADoneHandlerCanCloseAndPlayTheNextFile) {
  std::vector<std::string> order{"B.wav"};
  control->setOnDone([&](int16_t code) {
    done.push_back(code);
    control->setNotify(false);
    control->setWait(true);
    control->setFileName("");
    control->setCommand("Close");
    if (order.empty()) return;
    const std::string next = order.front();
    order.erase(order.begin());
    OpenAndPlay(next);
  });
  OpenAndPlay("A.wav");
  clock->Advance(1000ms);
  Drain();
  EXPECT_EQ(control->Mode(), mci::mciModePlay);
  EXPECT_EQ(control->Length(), 500);
  clock->Advance(500ms);
  Drain();
  EXPECT_EQ(done, (std::vector<int>{mci::mciSuccessful, mci::mciSuccessful}));
  EXPECT_EQ(control->Mode(), mci::mciModeNotOpen);
}

TEST_F(MMControlTest, AHandlerMayDestroyTheControl) {
  control->setOnDone([this](int16_t) { control.reset(); });
  OpenAndPlay("B.wav");
  clock->Advance(1s);
  Drain();
  EXPECT_EQ(control, nullptr);
}

TEST_F(MMControlTest, AnErrorInAHandlerIsReportedAtTheEventBoundary) {
  control->setOnDone([](int16_t) { vb::Raise(vb::kSubscript); });
  OpenAndPlay("B.wav");
  clock->Advance(1s);
  Drain();
  EXPECT_EQ(halts, 1);
}

TEST_F(MMControlTest, AWaitOnModeKeepsTheEventLoopRunning) {
  OpenAndPlay("A.wav");
  WaitWhileTimeMoves(250ms);
  EXPECT_EQ(control->Mode(), mci::mciModeStop);
  EXPECT_EQ(control->Position(), 1000);
  Drain();
  EXPECT_EQ(done, std::vector<int>{mci::mciSuccessful});
}

// A wait inside a StatusUpdate handler lets Done start the next file; the wait
// belongs to the play that was running and ends with it.
TEST_F(MMControlTest, AWaitEndsWhenDoneStartsTheNextFile) {
  control->setOnDone([this](int16_t code) {
    done.push_back(code);
    if (done.size() == 1) OpenAndPlay("B.wav");
  });
  OpenAndPlay("A.wav");
  WaitWhileTimeMoves(50ms);
  EXPECT_LT(clock->Now(), mci::Micros(1500ms)) << "the wait went on through the next file";
  Drain();  // Done may come just after the wait
  EXPECT_EQ(done, std::vector<int>{mci::mciSuccessful});
  EXPECT_EQ(control->Length(), 500) << "B.wav is open";
}

TEST_F(MMControlTest, AStopThenCloseRaisesOneDone) {
  OpenAndPlay("A.wav");
  clock->Advance(100ms);
  control->setNotify(false);
  control->setWait(true);
  control->setCommand("Stop");
  control->setFileName("");
  control->setCommand("Close");
  clock->Advance(2s);
  Drain();
  EXPECT_EQ(done, std::vector<int>{mci::mciAborted});
}

TEST_F(MMControlTest, AWaitEndsWhenTheControlIsStoppedOrGone) {
  OpenAndPlay("A.wav");
  QTimer::singleShot(1, [this] { control->setCommand("Stop"); });
  mci::WaitWhilePlaying(*control);
  EXPECT_EQ(control->Mode(), mci::mciModeStop);

  control->setFrom(0);
  control->setCommand("Play");
  QTimer::singleShot(1, [this] { control.reset(); });
  mci::WaitWhilePlaying(*control);
  EXPECT_EQ(control, nullptr);
}

TEST_F(MMControlTest, TheEnvironmentCanKeepEveryControlSilent) {
  ASSERT_EQ(setenv("VELMORA_AUDIO_OUTPUT", "silent", 1), 0);
  MMControl automatic;
  automatic.setClock(clock);
  automatic.setFileName(Path("A.wav"));
  automatic.setCommand("Open");
  automatic.setCommand("Play");
  clock->Advance(300ms);
  EXPECT_EQ(automatic.Position(), 300) << "time of the silent clock, not of a device";
}

// Real time, no device: the clock runs on while the UI thread is busy.
TEST_F(MMControlTest, TheSilentClockRunsInRealTime) {
  control->setClock(std::make_shared<mci::SteadyClock>());
  mcitest::WriteTone(folder_ / "short.wav", 440, 150);
  OpenAndPlay("short.wav");
  std::this_thread::sleep_for(60ms);  // the UI thread is busy
  EXPECT_GE(control->Position(), 60);
  EXPECT_EQ(control->Mode(), mci::mciModePlay);
  mci::WaitWhilePlaying(*control);
  EXPECT_EQ(control->Position(), 150);
  // The end's wake-up may come a little after the clock has passed the end.
  const auto giveUp = std::chrono::steady_clock::now() + 2s;
  while (done.empty() && std::chrono::steady_clock::now() < giveUp) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  EXPECT_EQ(done, std::vector<int>{mci::mciSuccessful});
  EXPECT_FALSE(updates.empty());
}

TEST_F(MMControlTest, APlayWithWaitReturnsAtTheEnd) {
  control->setClock(std::make_shared<mci::SteadyClock>());
  mcitest::WriteTone(folder_ / "short.wav", 440, 120);
  control->setFileName(Path("short.wav"));
  control->setCommand("Open");
  control->setWait(true);
  control->setCommand("Play");
  EXPECT_EQ(control->Mode(), mci::mciModeStop);
  EXPECT_EQ(control->Position(), 120);
}

// The files a Done handler plays next, as the play loop does (Close, then Open and
// Play of the whole file), queuing the one after it while it plays.
class RunOnTest : public MMControlTest {
 protected:
  void SetUp() override {
    MMControlTest::SetUp();
    mcitest::WriteTone(folder_ / "P.wav", 440, 1000, 1, 44100, 800);  // music to 800 ms, an echo after it
    mcitest::WriteTone(folder_ / "Q.wav", 550, 600, 1, 44100, 500);
    control->setOnDone([this](int16_t code) {
      done.push_back(code);
      if (code != mci::mciSuccessful) return;
      control->setNotify(false);
      control->setWait(true);
      control->setFileName("");
      control->setCommand("Close");
      if (next.empty()) return;
      const std::string name = next.front();
      next.erase(next.begin());
      OpenAndPlay(name);
      if (!next.empty() && queue) control->QueueNext(Path(next.front()));
    });
  }

  // Plays the first file and queues the second; the handler goes on through the rest.
  void PlayInTurn(std::vector<std::string> files) {
    OpenAndPlay(files.front());
    next.assign(files.begin() + 1, files.end());
    if (!next.empty() && queue) control->QueueNext(Path(next.front()));
  }

  std::vector<std::string> next;
  bool queue = true;
};

TEST_F(RunOnTest, AQueuedFileBeginsWhereTheMusicOfTheFileBeforeItEnds) {
  PlayInTurn({"P.wav", "Q.wav", "P.wav"});
  clock->Advance(799ms);
  EXPECT_EQ(control->Position(), 799);
  EXPECT_EQ(control->Mode(), mci::mciModePlay);
  clock->Advance(1ms);
  EXPECT_EQ(control->Mode(), mci::mciModeStop) << "the play ends at its join";
  EXPECT_EQ(control->Position(), 1000) << "and has played its file";
  clock->Advance(20ms);  // the screen is busy for a while before the Done comes
  Drain();
  EXPECT_EQ(done, std::vector<int>{mci::mciSuccessful});
  EXPECT_EQ(control->FileName(), Path("Q.wav"));
  EXPECT_EQ(control->Mode(), mci::mciModePlay);
  EXPECT_EQ(control->Length(), 600);
  EXPECT_EQ(control->Position(), 20) << "it has sounded since the join, not since its Play";
  clock->Advance(479ms);
  EXPECT_EQ(control->Position(), 499);
  clock->Advance(1ms);  // Q's own join
  Drain();
  EXPECT_EQ(done, (std::vector<int>{mci::mciSuccessful, mci::mciSuccessful}));
  EXPECT_EQ(control->FileName(), Path("P.wav"));
  EXPECT_EQ(control->Position(), 0);
  clock->Advance(1000ms);  // nothing is queued after the last: it plays to its end
  EXPECT_EQ(control->Mode(), mci::mciModeStop);
  Drain();
  EXPECT_EQ(done.size(), 3u);
  EXPECT_EQ(control->Mode(), mci::mciModeNotOpen);
}

TEST_F(RunOnTest, WithoutAQueueTheNextFileStartsAtItsPlayAfterTheWholeFile) {
  queue = false;
  PlayInTurn({"P.wav", "Q.wav"});
  clock->Advance(800ms);
  EXPECT_EQ(control->Mode(), mci::mciModePlay) << "its echo plays out";
  clock->Advance(200ms);
  clock->Advance(20ms);
  Drain();
  EXPECT_EQ(control->FileName(), Path("Q.wav"));
  EXPECT_EQ(control->Position(), 0);
  clock->Advance(600ms);
  Drain();
  EXPECT_EQ(done.size(), 2u);
}

TEST_F(RunOnTest, AFileWithoutAJoinIsFollowedAtItsEnd) {
  PlayInTurn({"A.wav", "Q.wav"});
  clock->Advance(999ms);
  EXPECT_EQ(control->Mode(), mci::mciModePlay);
  clock->Advance(11ms);
  Drain();
  EXPECT_EQ(control->FileName(), Path("Q.wav"));
  EXPECT_EQ(control->Position(), 10);
}

TEST_F(RunOnTest, StatusUpdatesOfTheFileTakenOverCountFromItsSound) {
  PlayInTurn({"P.wav", "Q.wav"});
  clock->Advance(830ms);
  Drain();
  updates.clear();
  clock->Advance(70ms);
  EXPECT_EQ(updates, std::vector<int>{100});
  clock->Advance(100ms);
  EXPECT_EQ(updates, (std::vector<int>{100, 200}));
}

// What silences a queued file, and what the control does then.
TEST_F(RunOnTest, AStopSilencesTheQueuedFileToo) {
  PlayInTurn({"P.wav", "Q.wav"});
  clock->Advance(300ms);
  control->setCommand("Stop");
  clock->Advance(2s);
  Drain();
  EXPECT_EQ(done, std::vector<int>{mci::mciAborted});
  EXPECT_EQ(control->Mode(), mci::mciModeStop);
  EXPECT_EQ(control->Position(), 300);
}

TEST_F(RunOnTest, ADoneHandlerThatPlaysNothingSilencesIt) {
  PlayInTurn({"P.wav", "Q.wav"});
  next.clear();  // the list ends here after all
  clock->Advance(800ms);
  Drain();
  EXPECT_EQ(done, std::vector<int>{mci::mciSuccessful});
  // Q, silenced, never ends; a file opened and played later starts from its Play.
  clock->Advance(100ms);
  OpenAndPlay("Q.wav");
  EXPECT_EQ(control->Position(), 0);
  clock->Advance(600ms);
  Drain();
  EXPECT_EQ(done.size(), 2u);
}

TEST_F(RunOnTest, AnotherFileOrAFileWrittenAgainStartsAfresh) {
  for (bool rewritten : {false, true}) {
    done.clear();
    PlayInTurn({"P.wav", "Q.wav"});
    if (rewritten) {
      mcitest::WriteTone(folder_ / "Q.wav", 660, 600, 1, 44100, 500);  // rendered again meanwhile
    } else {
      next = {"A.wav"};
    }
    clock->Advance(810ms);
    Drain();
    EXPECT_EQ(control->Position(), 0) << (rewritten ? "rewritten" : "another file");
    EXPECT_EQ(control->Mode(), mci::mciModePlay);
    clock->Advance(1000ms);
    Drain();
    EXPECT_EQ(done.size(), 2u);
    mcitest::WriteTone(folder_ / "Q.wav", 550, 600, 1, 44100, 500);
  }
}

TEST_F(RunOnTest, APartOfAFileIsNoTakeOver) {
  control->setOnDone([this](int16_t code) {
    done.push_back(code);
    if (done.size() > 1) return;
    control->setCommand("Close");
    control->setFileName(Path("Q.wav"));
    control->setCommand("Open");
    control->setNotify(true);
    control->setFrom(100);
    control->setCommand("Play");
  });
  PlayInTurn({"P.wav", "Q.wav"});
  clock->Advance(820ms);
  Drain();
  EXPECT_EQ(control->Position(), 100);
  clock->Advance(500ms);
  Drain();
  EXPECT_EQ(done.size(), 2u);
}

// The workbench's drone: the file stays open and plays again from its start.
TEST_F(RunOnTest, ALoopedFileRunsOnIntoItself) {
  int loops = 0;
  control->setOnDone([&](int16_t code) {
    done.push_back(code);
    if (++loops > 2) return;
    control->setNotify(false);
    control->setCommand("Seek to start");
    control->setNotify(true);
    control->setFrom(0);
    control->setTo(control->Length());
    control->setCommand("Play");
    control->QueueNext(Path("A.wav"));
  });
  OpenAndPlay("A.wav");
  control->QueueNext(Path("A.wav"));
  clock->Advance(1005ms);
  Drain();
  EXPECT_EQ(control->Position(), 5);
  clock->Advance(1000ms);
  Drain();
  EXPECT_EQ(control->Position(), 5);
  EXPECT_EQ(done.size(), 2u);
}

TEST_F(RunOnTest, AQueueIsRefusedWithoutANotifiedPlayOrForAnotherFormat) {
  control->QueueNext(Path("Q.wav"));  // nothing plays
  control->setFileName(Path("P.wav"));
  control->setCommand("Open");
  control->setCommand("Play");  // no notification
  control->QueueNext(Path("Q.wav"));
  clock->Advance(1000ms);
  Drain();
  EXPECT_EQ(control->Mode(), mci::mciModeStop);
  EXPECT_TRUE(done.empty());
  next = {"Q.wav"};
  OpenAndPlay("P.wav");
  control->QueueNext(Path("B.wav"));  // stereo
  control->QueueNext(Path("missing.wav"));
  clock->Advance(850ms);
  EXPECT_EQ(control->Mode(), mci::mciModePlay) << "no join without a file to join";
}

TEST_F(RunOnTest, AFileThatPlayedOutBeforeItsPlayEndsAtOnce) {
  PlayInTurn({"P.wav", "Q.wav"});
  clock->Advance(800ms);
  clock->Advance(700ms);  // the screen was busy through the whole of Q
  Drain();
  EXPECT_EQ(control->FileName(), Path("Q.wav"));
  EXPECT_EQ(control->Mode(), mci::mciModeStop);
  EXPECT_EQ(control->Position(), 600);
  Drain();
  EXPECT_EQ(done, (std::vector<int>{mci::mciSuccessful, mci::mciSuccessful}));
}

}  // namespace

