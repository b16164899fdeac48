// Fixture of the composition player: the illustration screen of Yaman open on the
// fixture content database, with compositions that show how the grid is laid out, the
// player opened from it as the learner opens it, and what the player plays recorded.
#pragma once

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "ExplorationTest.h"
#include "platform/mci/MMControl.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "sound/ReedLighting.h"
#include "sound/SoundState.h"
#include "support/Scratch.h"

namespace explorationtest {

using Names = std::vector<std::string>;

// Compositions of Yaman that show how the grid is laid out and filled: a part that
// fills its row exactly, a part from beat 9, a tala of 7 beats, and a tala that is not
// in the database. "Eri Aali" of the fixture: asthai "G R'G M P" from beat 1, antara
// "P S>" (2 beats each) from beat 3, Teentaal, 700 ms a beat.
inline constexpr const char* kGridCompositions = R"sql(
INSERT INTO "Raga - Additional Information" VALUES
  (1, 'Full Cycle', 2, 40), (1, 'Late Start', 2, 41), (1, 'Rupak Song', 2, 42), (1, 'Lost Tala', 2, 43);
INSERT INTO "Raga - Composition Notations" VALUES
  (40, 1, 1, 'Full', 1, 2, 'A whole cycle', 'ta na dhin', '0.5 0.5 15', 'S R G M P D N S> S> N D P M G R S',
   '1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1', 1, 1, 50),
  (40, 2, 1, 'Full', 1, 2, 'Half a cycle', 'aa', '8', 'P D N S>', '2 2 2 2', 1, 1, 50),
  (41, 1, 1, 'Late', 1, 2, 'From the ninth beat', 'aa ja', '2 14', 'G M P D', '4 4 4 4', 1, 9, 50),
  (41, 2, 1, 'Late', 1, 2, 'One note', 'la', '16', 'S', '16', 1, 1, 50),
  (42, 1, 1, 'Rupak', 1, 2, 'Seven beats', 'x', '7', 'S R G', '3 2 2', 2, 1, 50),
  (42, 2, 1, 'Rupak', 1, 2, 'Seven more', 'y', '7', 'P', '7', 2, 1, 50),
  (43, 1, 1, 'Lost', 1, 2, 'No tala', 'a', '1', 'S', '1', 9, 1, 50),
  (43, 2, 1, 'Lost', 1, 2, 'No tala', 'a', '1', 'S', '1', 9, 1, 50);
)sql";

// A user's composition whose syllables run past the grid (and one goes backwards).
inline constexpr const char* kUserComposition = R"sql(
INSERT INTO "Raga - Additional Information" VALUES (1, 'Long Words', 2, 2);
INSERT INTO "Raga - Composition Notations" VALUES
  (2, 1, 1, 'Long', 1, 2, 'Words too long', 'a b c d e f', '8 8 8 8 -100 1', 'S R G M', '1 1 1 1', 1, 1, 50),
  (2, 2, 1, 'Long', 1, 2, 'Words too long', 'g', '4', 'P', '4', 1, 1, 50);
)sql";

// The captions of the first `count` cells of a grid array, "" filling up to count.
inline Names Padded(Names first, size_t count) {
  first.resize(count);
  return first;
}

class PlayerTest : public PlayingScreenTest {
 protected:
  void SetUp() override {
    SetUpDatabases(Content::Fixture);
    // Built-in scale set 5 (tonic key 5) beside the fixture's set 3.
    AddRows(ScaleSetRows(5, 5) + kGridCompositions, kUserComposition);
    SetUpPlaying();
    shell::DelayPC = 10;
    sound::Theka = 2;  // every opening switches the theka on
    OpenGrid();
    ClickRaga("Yaman");
    ASSERT_EQ(shell::CurrFormId, 28);
  }

  forms::Form& Illustration() { return *shell::FormMainOperations; }
  forms::Form& Screen() { return *shell::FormPlayComposition1; }
  mci::MMControl& Player() { return *shell::MMControlOf(Screen(), "cMM"); }
  forms::Control& Ctl(const char* name) { return Screen().Ctl(name); }
  forms::Control& Cell(const char* array, int k) { return Screen().Ctl(array, static_cast<int16_t>(k)); }
  bool Checked(forms::Form& form, const char* item) { return form.Get<forms::MenuItem>(item).Checked(); }

  // Opens the player as the learner does: a mode on the illustration screen, then a
  // click on the composition's line.
  void Open(const std::string& title, const char* mode = "Option2", const char* list = "cKZIllusList") {
    Illustration().Get<forms::OptionButton>(mode).Select();
    ChooseLine(Illustration(), list, "Composition - " + title);
  }
  void OpenEriAali(const char* mode = "Option2") {
    Open("Eri Aali", mode);
    ASSERT_EQ(shell::CurrFormId, 14);
  }
  void Press(const char* button) { PressOn(Screen(), button); }
  void MenuClick(const char* item) { Ctl(item).RaiseFromUser(forms::Event::Click); }
  void Select(const char* option) { Screen().Get<forms::OptionButton>(option).Select(); }

  Names Captions(const char* array) {
    Names out;
    for (int16_t k : Screen().Elements(array)) out.push_back(Screen().Ctl(array, k).Caption());
    return out;
  }
  // The note cells now marked as the beat being heard (in a red that stands out).
  std::vector<int> Lit() {
    std::vector<int> lit;
    for (int16_t k : Screen().Elements("cNote"))
      if (Screen().Ctl("cNote", k).BackColor() != sound::kOtherCellColour) lit.push_back(k);
    return lit;
  }
  bool AllCellsDefault() {
    for (int16_t k : Screen().Elements("cNote")) {
      if (Screen().Ctl("cNote", k).BackColor() != sound::kOtherCellColour) return false;
      if (Screen().Get<forms::Label>("cMatra", k).BorderStyle() != 0) return false;
    }
    return true;
  }

  // The playing and idle states of the screen.
  static constexpr const char* kBlocked[] = {"cMnuHel", "cMnuNotScr", "cMnuGraNot", "cMnuThe", "cMnuDro", "cMnuTonKey",
                                             "cMnuSyn", "cReturn",    "Frame1",     "Frame2",  "cSlider"};
  bool PointBoxesLocked() {
    for (const char* box : {"cFRow", "cFBeat", "cTRow", "cTBeat"})
      if (!Screen().Get<forms::TextBox>(box).Locked()) return false;
    return true;
  }
  bool Idle() {
    for (const char* name : kBlocked)
      if (!Ctl(name).Enabled()) return false;
    for (const char* box : {"cFRow", "cFBeat", "cTRow", "cTBeat"})
      if (Screen().Get<forms::TextBox>(box).Locked()) return false;
    return Ctl("cPlay").Enabled() && Ctl("cStartLoop").Enabled() && !Ctl("cStop").Enabled() &&
           !Ctl("cStopLoop").Enabled() && Screen().MousePointer() == forms::vbDefault;
  }
  bool Playing(const char* stopButton) {
    for (const char* name : kBlocked)
      if (Ctl(name).Enabled()) return false;
    for (const char* name : {"cPlay", "cStartLoop", "cStop", "cStopLoop"})
      if (Ctl(name).Enabled() != (std::string(name) == stopButton)) return false;
    return true;
  }

  static int Ends() { return testsupport::TraceEntries("sF14EndOfPlaying"); }
  void PlayUntilTheEnd() {
    const int before = Ends();
    PlayFor(std::chrono::seconds(30), [&] { return Player().Mode() != mci::mciModePlay && Ends() > before; });
    ASSERT_EQ(Ends(), before + 1) << "the screen hears the end of playing once";
  }
  void PlayUntilPlayed(size_t count) {
    PlayFor(std::chrono::seconds(30), [&] { return played.size() >= count; });
    ASSERT_EQ(played.size(), count);
  }
  static int Renderings() { return testsupport::TraceEntries("fCreateCompositionMusicFilesFromT"); }

  std::vector<std::string> played;  // the files heard, in order

 private:
  void Record() override {
    if (shell::CurrForm != shell::FormPlayComposition1 || !Screen().Loaded()) return;
    mci::MMControl& mm = Player();
    if (mm.Mode() != mci::mciModePlay) return;
    if (mm.FileName() != lastFile_ || mm.Position() < lastPosition_)
      played.push_back(mm.FileName().substr(shell::TempFolder.size()));
    lastFile_ = mm.FileName();
    lastPosition_ = mm.Position();
  }
  std::string lastFile_;
  int32_t lastPosition_ = 0;
};

}  // namespace explorationtest
