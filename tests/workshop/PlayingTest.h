// Fixture of the workbench playing: the Workshop opened on the fixture databases, the
// sound library holding the generated seeds of the built content, the player on the
// silent output of a fake clock that the test moves on by hand.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "WorkshopTest.h"
#include "common/LibraryText.h"
#include "common/NotationWords.h"
#include "platform/mci/MMControl.h"
#include "shell/Globals.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "sound/ReedLighting.h"
#include "sound/SoundState.h"
#include "support/BuiltSeeds.h"
#include "workshop/WorkshopState.h"

namespace workshoptest {

using namespace std::chrono_literals;
using testsupport::TraceEntries;
using Words = std::vector<std::string>;

inline Words Split(const std::string& phrase) { return common::notation::Words(phrase, " "); }
inline std::string Spaced(const std::string& phrase, const char* gap = " ") { return common::notation::Join(Split(phrase), gap); }

class PlayingTest : public WorkshopTest {
 protected:
  PlayingTest() = default;
  // openAtSetUp false: the test opens the workbench itself (in a child process).
  explicit PlayingTest(bool openAtSetUp) : openAtSetUp_(openAtSetUp) {}

  static void SetUpTestSuite() { testsupport::LoadBuiltMainInstrument(); }

  void SetUp() override {
    WorkshopTest::SetUp();
    SetUpPlayer();
    shell::DelayW = 10;
    TraceOnNow();
    if (openAtSetUp_) Open();
  }

  mci::MMControl& Player() { return *shell::MMControlOf(Screen(), "cMM"); }

  void PlayUntilTheEnd() {
    const int before = Ends();
    PlayFor(120s, [&] { return Player().Mode() != mci::mciModePlay && Ends() > before; });
    ASSERT_EQ(Ends(), before + 1) << "the screen hears the end of playing once";
  }
  void PlayUntilPlayed(size_t count) {
    PlayFor(120s, [&] { return played.size() >= count; });
    ASSERT_EQ(played.size(), count);
  }
  static int Ends() { return TraceEntries("sWorkshopEndOfPlaying"); }

  bool Locked() {
    for (const char* name : {"cReturn", "cSwitchWBMode", "cSlider", "Frame1", "cMnuMusPat", "cMnuTonNot"})
      if (Enabled(name)) return false;
    return true;
  }
  bool Unlocked() {
    for (const char* name : {"cReturn", "cSwitchWBMode", "cSlider", "Frame1", "cMnuMusPat", "cMnuTonNot", "cPlay"})
      if (!Enabled(name)) return false;
    return true;
  }
  forms::Control& ReedOf(const std::string& word) {
    return Screen().Ctl("cL", sound::fReedOfNote(common::fGetPhraseNote(word).Main));
  }
  void Pattern(const char* item) { Ctl(item).RaiseFromUser(forms::Event::Click); }
  // The fastest speed: the phrases play in a third of their time.
  void Fastest() { Ctl("cSlider").SetValue(17); }

  Words played;  // the phrases heard, words one blank apart
  std::vector<std::vector<int32_t>> heardMs;  // the durations each was rendered with, in ms

 private:
  // After every step of PlayFor: each phrase that starts playing is added to `played`.
  void Record() override {
    if (shell::CurrForm != shell::FormWorkshop || !Screen().Loaded()) return;
    mci::MMControl& mm = Player();
    if (mm.Mode() != mci::mciModePlay || workshop::WBDoneMode != 2) {
      last_.clear();  // what plays next is a play of its own
      return;
    }
    const sound::NotesListRec& rec = sound::NotesList[static_cast<size_t>(sound::CurrSlot)];
    const std::string now = mm.FileName() + rec.Text;
    if (now != last_ || mm.Position() < lastPosition_) {
      played.push_back(Spaced(rec.Text));
      const auto notes = std::min(rec.Durations.size(), static_cast<size_t>(std::max<int16_t>(rec.NoteCount, 0)));
      heardMs.emplace_back(rec.Durations.begin(), rec.Durations.begin() + static_cast<std::ptrdiff_t>(notes));
    }
    last_ = now;
    lastPosition_ = mm.Position();
  }
  bool openAtSetUp_ = true;
  std::string last_;
  int32_t lastPosition_ = 0;
};

}  // namespace workshoptest
