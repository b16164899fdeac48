// Fixture of the screens that play random samples (the quiz and the music sampler): the
// fixture content database with the screen's prompts, the generated seeds of the built
// content database, music files rendered into the test's folder and heard on the silent
// output of a fake clock, and a record of every sample heard.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "ExplorationTest.h"
#include "common/NotationWords.h"
#include "platform/mci/MMControl.h"
#include "shell/Globals.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "support/BuiltSeeds.h"
#include "support/SqlFixture.h"

namespace explorationtest {

// Stored order of "Raga - Technical Information" in the fixture: Bhairav, Yaman,
// Bageshri, Damaged (its Null "Jati" cannot be read).
inline constexpr int kRagas = 4;
inline constexpr int kBhairav = 1, kYaman = 2, kBageshri = 3, kDamaged = 4;

// A music file heard and the phrase it played, its words one blank apart.
struct Heard {
  std::string file;
  std::string phrase;
  bool operator==(const Heard&) const = default;
  friend void PrintTo(const Heard& h, std::ostream* os) { *os << h.file << " \"" << h.phrase << "\""; }
};

class SampleScreenTest : public ExplorationTest {
 protected:
  static void SetUpTestSuite() { testsupport::LoadBuiltMainInstrument(); }

  // content: the fixture or the built content database; prompts: the screen's prompt
  // file of content/data, added to the fixture.
  void SetUpScreen(Content content, const std::string& prompts) {
    SetUpDatabases(content);
    if (content == Content::Fixture) AddRows(testsupport::ContentData(prompts), "");
    SetUpPlayer();
    sound::Theka = 1;
    sound::KeyboardDisplay = 1;
  }

  // Releases the screen's form before the fixture's own.
  void TearDownScreen(forms::Form* screen) {
    ReleaseForms({screen});
    ExplorationTest::TearDown();
  }

  static mci::MMControl* PlayerOf(forms::Form* screen) {
    if (screen == nullptr || !screen->Loaded()) return nullptr;
    return shell::MMControlOf(*screen, "cMM");
  }
  static bool PlayingOn(forms::Form* screen) {
    const mci::MMControl* mm = PlayerOf(screen);
    return mm != nullptr && mm->Mode() == mci::mciModePlay;
  }
  // Adds the sample now playing on the screen to `heard` when it is a new play.
  void RecordOn(forms::Form* screen) {
    if (!PlayingOn(screen)) return;
    const mci::MMControl& mm = *PlayerOf(screen);
    const std::string& text = sound::NotesList[static_cast<size_t>(sound::CurrSlot)].Text;
    const Heard now{mm.FileName().substr(shell::TempFolder.size()),
                    common::notation::Join(common::notation::Words(text, " "), " ")};
    if (heard.empty() || mm.Position() < lastPosition_ || !(heard.back() == now)) heard.push_back(now);
    lastPosition_ = mm.Position();
  }

  std::vector<Heard> heard;

 private:
  int32_t lastPosition_ = 0;
};

}  // namespace explorationtest
