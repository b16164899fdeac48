// The screen's guards: steps that need a chosen key, a key clicked while tuning, the
// waits after a sound (clicks during them, the screen closed during them), and leaving
// by "Go Back" or by the close box with the learner's settings put back.
#include <QCoreApplication>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ScaleShiftTest.h"
#include "common/CommonState.h"
#include "common/Database.h"
#include "platform/mci/MMControl.h"
#include "scaleshift/ScaleShiftState.h"
#include "shell/Players.h"
#include "sound/SoundState.h"
#include "soundlib/FWav.h"
#include "soundlib/SoundTest.h"
#include "support/ErrorNumber.h"

namespace scaleshifttest {
namespace {

using namespace std::chrono_literals;

class GuardTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Open();
  }
  // Runs `during` from the event loop as soon as a step waits for silence.
  void WhenWaiting(std::function<void()> during) {
    QTimer::singleShot(0, Screen().Window(), [this, during] {
      ASSERT_TRUE(scaleshift::WaitingForSilence);
      during();
    });
  }
};

// Without a key of the tonic octave chosen, nothing tunes, shifts or enables tuning.
TEST_F(GuardTest, StepsThatNeedAKeyOfTheTonicOctaveDoNothingWithoutOne) {
  for (int16_t key : {0, 35}) {
    SCOPED_TRACE(key);
    scaleshift::SelectedNoteIndex = key;
    Dispatch(17);
    EXPECT_FALSE(Ctl("cTuneNote").Enabled());
    const size_t calls = soundLib.calls.size();
    Dispatch(2);
    EXPECT_EQ(scaleshift::OperationMode, 0);
    EXPECT_EQ(sound::CurrTonicNoteId, 3);
    scaleshift::OperationMode = 1;
    Dispatch(6);
    Dispatch(8);
    scaleshift::OperationMode = 0;
    EXPECT_EQ(sound::CurrMusicSetId, 3);
    EXPECT_EQ(soundLib.calls.size(), calls);
    EXPECT_FALSE(Shown("cSettingName"));
  }
  EXPECT_EQ(halts, 0);
  EXPECT_TRUE(messages.empty());
}

// A key clicked while tuning becomes the key tuned, with its own neighbours; it does
// not sound, and what "Create Scale" then shifts is that key.
TEST_F(GuardTest, AKeyClickedWhileTuningBecomesTheKeyTunedWithItsOwnNeighbours) {
  ClickKey(11);
  EndSound();
  Press("cTuneNote");
  ASSERT_EQ(scaleshift::CurrentSPC, SeedSpc(11));
  ClickKey(15);
  EXPECT_FALSE(Playing());
  EXPECT_EQ(scaleshift::SelectedNoteIndex, 15);
  EXPECT_EQ(sound::CurrTonicNoteId, 6);
  EXPECT_EQ(scaleshift::CurrentSPC, SeedSpc(15));
  EXPECT_EQ(scaleshift::TunedSPC, SeedSpc(15));
  EXPECT_EQ(scaleshift::UpperNoteSPC, SeedSpc(16));
  EXPECT_EQ(scaleshift::LowerNoteSPC, SeedSpc(14));
  EXPECT_EQ(Screen().Ctl("cL", 15).ForeColor(), 255u);
  EXPECT_NE(Screen().Ctl("cL", 11).ForeColor(), 255u);
  EndSound();
  Ctl("cSlider").SetValue(-10);
  Press("cPlay");
  EXPECT_EQ(soundLib.Of("FWavTuneNote").back().note, 15);
  EndSound();
  Press("cAdjust");
  EXPECT_EQ(sound::ScaleShiftSpec.NoteIndex, 15);
  EXPECT_FLOAT_EQ(sound::ScaleShiftSpec.OldSPC, static_cast<float>(SeedSpc(15)));
  EXPECT_EQ(sound::CurrMusicSetId, 6);
  EXPECT_TRUE(messages.empty());
}

// The end of the wait after a note waits for the sound to end, keeping the event loop
// running: a click then is refused, a tick of the timer comes again shortly, and the
// step goes on afterwards; the learner's next step then works.
TEST_F(GuardTest, ClicksDuringAWaitAreRefusedAndTheStepGoesOnAfterIt) {
  ClickKey(12);
  ASSERT_TRUE(Playing());
  bool ran = false;
  WhenWaiting([&] {
    Screen().Ctl("cL", 14).RaiseFromUser(forms::Event::Click);
    EXPECT_EQ(scaleshift::SelectedNoteIndex, 12);
    EXPECT_NE(Screen().Ctl("cL", 14).ForeColor(), 255u) << "a refused key is not marked";
    EXPECT_FALSE(Ctl("cSwitch").Widget()->isEnabled()) << "what cannot act looks disabled";
    EXPECT_TRUE(Ctl("cReturn").TakesInput()) << "Go Back stays";
    Ctl("cTimer").RaiseFromUser(forms::Event::Timer);
    EXPECT_TRUE(Ctl("cTimer").Enabled());
    EXPECT_EQ(Screen().Get<forms::Timer>("cTimer").Interval(), 200);
    ran = true;
    Advance(3500ms);
  });
  // The timer's tick comes while the note still sounds.
  Ctl("cTimer").RaiseFromUser(forms::Event::Timer);
  EXPECT_TRUE(ran);
  EXPECT_FALSE(scaleshift::WaitingForSilence);
  EXPECT_EQ(scaleshift::SelectedNoteIndex, 12);
  EXPECT_FALSE(Ctl("cTimer").Enabled()) << "no tick of the earlier sound is left";
  EXPECT_FALSE(Screen().Busy());
  EXPECT_TRUE(Ctl("cTuneNote").Enabled());
  EXPECT_TRUE(Screen().Ctl("cL", 14).TakesInput());
  Press("cSwitch");
  EXPECT_TRUE(ShownKeys().empty());
  EXPECT_TRUE(Shown("cRefineNotes") && Ctl("cRefineNotes").Enabled());
  EXPECT_EQ(Ctl("cPrompts").Text(), common::fGetPrompts("71"));
  EXPECT_TRUE(messages.empty());
}

TEST_F(GuardTest, NothingRunsAfterAWaitWhenTheScreenWasClosedMeanwhile) {
  ClickKey(12);
  ASSERT_TRUE(Playing());
  const size_t loads = soundLib.Count("FWavFreeNoteSeedsMemory");
  WhenWaiting([&] { Press("cReturn"); });
  Ctl("cTimer").RaiseFromUser(forms::Event::Timer);
  EXPECT_FALSE(Screen().Loaded());
  EXPECT_EQ(shell::CurrFormId, 1);
  EXPECT_EQ(shell::CurrForm, mainForm.get());
  // Leaving prepared the seeds once; the end of the wait did not go on after it.
  EXPECT_EQ(soundLib.Count("FWavFreeNoteSeedsMemory"), loads + 2);
  EXPECT_EQ(sound::CurrTonicNoteId, 7);
  EXPECT_EQ(halts, 0);
  EXPECT_TRUE(messages.empty());
}

// Either way out puts the learner's script, tonic, scale and keyboard setting back, and
// no tuning of the screen is left in the sound.
TEST_F(GuardTest, LeavingEitherWayPutsTheLearnersSettingsBackAndTheTuningGoes) {
  const struct {
    const char* way;
    std::function<void()> leave;
  } ways[] = {
      {"Go Back", [this] { Ctl("cReturn").RaiseFromUser(forms::Event::Click); }},
      {"close box", [this] { Screen().CloseFromUser(); }},
  };
  const double seedHz = 44100.0 / SeedSpc(16);
  for (const auto& w : ways) {
    SCOPED_TRACE(w.way);
    if (!Screen().Loaded()) Open();
    ASSERT_EQ(shell::NotationScript, 2);
    ClickKey(16);
    EndSound();
    Press("cTuneNote");
    Ctl("cSlider").SetValue(10);
    Press("cPlay");
    ASSERT_NEAR(soundtest::Cents(RenderedHz(16), seedHz), 100.0, 10.0) << "tuned up";
    QPointer<mci::MMControl> player(shell::MMControlOf(Screen(), "cMM"));
    w.leave();
    EXPECT_FALSE(Screen().Loaded());
    EXPECT_EQ(shell::CurrFormId, 1);
    EXPECT_EQ(shell::CurrForm, mainForm.get());
    EXPECT_TRUE(mainForm->Visible());
    EXPECT_TRUE(player.isNull() || player->Mode() == mci::mciModeNotOpen);
    EXPECT_EQ(shell::NotationScript, 1);
    EXPECT_EQ(sound::CurrTonicNoteId, 7);
    EXPECT_EQ(sound::CurrMusicSetId, 7);
    EXPECT_EQ(sound::KeyboardDisplay, 1);
    EXPECT_NEAR(soundtest::Cents(RenderedHz(16), seedHz), 0.0, 6.0) << "the tuning is gone";
    EXPECT_FALSE(scaleshift::ScreenOpen);
  }
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(halts, 0);
}

// When the seeds of the learner's scale cannot be prepared, "Go Back" says so and the
// screen stays open with the settings back; the close box says so and closes.
TEST_F(GuardTest, LeavingWhenTheSeedsFailSaysSo) {
  soundLib.failWhen = [](const testsupport::SoundLibCall& call) { return call.entry == "FWavFreeNoteSeedsMemory"; };
  Press("cReturn");
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().prompt, "Error Creating Note Seeds");
  EXPECT_TRUE(Screen().Loaded());
  EXPECT_EQ(shell::CurrFormId, 7);
  EXPECT_EQ(sound::CurrTonicNoteId, 7);
  EXPECT_EQ(shell::NotationScript, 1);
  messages.clear();
  Screen().CloseFromUser();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().prompt, "Error Creating Note Seeds");
  EXPECT_FALSE(Screen().Loaded());
  EXPECT_EQ(shell::CurrFormId, 1);
  soundLib.failWhen = {};
  EXPECT_EQ(halts, 0);
}

// A tick left from a sound never acts on a screen that is closed or on another screen.
TEST_F(GuardTest, TheDispatcherActsOnlyOnTheScreenOpenInFront) {
  Press("cReturn");
  const size_t calls = soundLib.calls.size();
  for (int16_t code : {1, 2, 3, 4, 5, 6, 8, 11, 12, 17, 22}) Dispatch(code);
  EXPECT_EQ(soundLib.calls.size(), calls);
  EXPECT_FALSE(Screen().Loaded());
  EXPECT_EQ(halts, 0);
}

TEST_F(GuardTest, TheDroneMenusStepItsLoudness) {
  MenuClick("cMnuDroLou");
  EXPECT_DOUBLE_EQ(sound::CurrDroneFactor, 1.1);
  EXPECT_EQ(soundLib.Of("FWavLoadDroneData").back().value, 1.1);
  MenuClick("cMnuDroSof");
  MenuClick("cMnuDroSof");
  EXPECT_DOUBLE_EQ(sound::CurrDroneFactor, 0.9);
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace scaleshifttest
