// Playing in the Composer on the play loop, rendered with the generated seeds and heard
// on the silent output of a fake clock: the slot of each note turning red in time, the
// rows following the music, the raga's scale and pakad on a click, the screen locked
// while anything plays, the close box during a play, and a composition part played
// while the other part is still empty.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "ComposerTest.h"
#include "common/CommonState.h"
#include "composer/Composer.h"
#include "composer/ComposerState.h"
#include "exploration/MainOperations.h"
#include "platform/mci/MMControl.h"
#include "shell/Globals.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "support/BuiltSeeds.h"
#include "support/BusyInputs.h"
#include "support/LayoutChecks.h"

namespace composertest {
namespace {

using namespace std::chrono_literals;
using Names = std::vector<std::string>;
using testsupport::TraceEntries;

std::string Repeatedly(const std::string& word, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += word;
  return out;
}

class PlayTest : public ComposerTest {
 public:
  static void SetUpTestSuite() { testsupport::LoadBuiltMainInstrument(); }

  void SetUp() override {
    ComposerTest::SetUp();
    SetUpPlayer();
    TraceOnNow();
  }

  // The user's phrases of a raga's ALT type, stored before the screen opens.
  void StoreUserPhrases(int16_t raga, int16_t type, const std::string& notes, const std::string& durations) {
    RunOnUserDatabase("DELETE FROM \"Raga - ALT Phrases\" WHERE RagaIndex = " + std::to_string(raga) +
                      ";\nINSERT INTO \"Raga - ALT Phrases\" VALUES (" + std::to_string(raga) + ", " +
                      std::to_string(type) + ", '" + notes + "', '" + durations + "');");
  }

  mci::MMControl& Player() { return *shell::MMControlOf(Screen(), "cMM"); }
  // A composition's note of one beat with the syllable it starts.
  void PutOneBeat(int16_t slot, int16_t note, const char* syllable) {
    if (composer::SelectedPalletNote != note) Click("cNotation", note);
    Click("cNote", slot);
    if (composer::SelectedTimeValue != 7) Click("cTimeVal", 7);
    Click("cTime", slot);
    Type("cCompSyl", slot, syllable);
  }
  static int Ends() { return TraceEntries("sComposerEndOfPlaying"); }

  void PlayUntilTheEnd() {
    const int before = Ends();
    PlayFor(60s, [&] { return Ends() > before; });
    ASSERT_EQ(Ends(), before + 1) << "the screen hears the end of playing once";
  }

  // The slot (over all rows) shown in red, -1 for none; more than one red is a fault.
  int16_t RedSlot() const {
    int16_t red = -1;
    for (int16_t k : Screen().Elements("cNote")) {
      if (Ctl("cNote", k).ForeColor() != 255u) continue;
      if (red != -1) return -2;
      red = static_cast<int16_t>(k + (composer::TopRowIndex - 1) * 20);
    }
    return red;
  }

  // The slots lit while playing, each with the player's position when it was lit.
  struct Lit {
    int16_t slot;
    int32_t at;
    bool operator==(const Lit&) const = default;
    friend void PrintTo(const Lit& l, std::ostream* os) { *os << l.slot << "@" << l.at; }
  };
  std::vector<Lit> PlayAndWatch() {
    std::vector<Lit> lit;
    const auto watch = [&] {
      if (!Screen().Loaded()) return;
      const int16_t red = RedSlot();
      if (red != -1 && (lit.empty() || lit.back().slot != red)) lit.push_back({red, Player().Position()});
    };
    const auto statusUpdate = QObject::connect(&Player(), &mci::MMControl::StatusUpdate, &Player(), watch);
    watch();
    PlayUntilTheEnd();
    QObject::disconnect(statusUpdate);
    return lit;
  }

  bool Locked() const {
    for (const char* name : {"cPlay", "cSave", "cNewCat", "cNewRaga", "cReturn", "cMoveU", "cMoveD", "Frame2",
                             "cAroha", "cPakad", "cMnuNotScr", "cMnuPal"})
      if (Ctl(name).Enabled()) return false;
    for (const char* array : {"cNotation", "cTimeVal", "cNote", "cGNote", "cTime"})
      if (Ctl(array, 5).Enabled()) return false;
    return Ctl("cMnuSyn").Enabled();
  }
  bool Unlocked() const {
    for (const char* name : {"cPlay", "cSave", "cNewCat", "cNewRaga", "cReturn", "Frame2", "cAroha", "cPakad",
                             "cMnuNotScr", "cMnuPal"})
      if (!Ctl(name).Enabled()) return false;
    for (const char* array : {"cNotation", "cTimeVal", "cNote", "cGNote", "cTime"})
      if (!Ctl(array, 5).Enabled()) return false;
    return !composer::ComposerPlaying;
  }
  // Bhairav's alap of 23 notes (two rows of slots) stored, opened and played for 600 ms.
  void PlayingALongAlap() {
    StoreUserPhrases(2, 1, " S R G m P D N S> R G m P D N S> R G m P D N S> S", Repeatedly(" 50", 23));
    shell::DelayC = 10;
    Open();
    Choose("Bhairav");
    Select("cOAlap");
    Click("cPlay");
    PlayFor(600ms);
  }
};

// Each note's slot turns red once the player reaches the end of the note before, less
// the allowance of DelayC per note played; the last stays red to the phrase's end.
TEST_F(PlayTest, ThePhrasesPlayAndEachNotesSlotTurnsRedInTime) {
  struct Case {
    int16_t delay;
    std::vector<Lit> lit;
  };
  const Case cases[] = {
      // The second phrase's first slot, lit as its file starts, is seen at its first notification.
      {10, {{0, 0}, {1, 500}, {2, 1000}, {3, 1500}, {5, 100}, {6, 500}}},
      {300, {{0, 0}, {1, 200}, {2, 400}, {3, 600}, {5, 100}, {6, 200}}},
  };
  StoreUserPhrases(2, 1, " S R G m , P D", " 50 50 50 50 , 50 50");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.delay);
    shell::DelayC = c.delay;
    Open();
    Choose("Bhairav");
    Select("cOAlap");
    Click("cPlay");
    EXPECT_TRUE(Locked());
    EXPECT_EQ(Player().Mode(), mci::mciModePlay);
    EXPECT_EQ(PlayAndWatch(), c.lit);
    EXPECT_TRUE(Unlocked());
    EXPECT_EQ(RedSlot(), -1) << "the slots are black again";
    EXPECT_TRUE(messages.empty());
    Click("cReturn");
  }
  EXPECT_TRUE(RanClean());
}

TEST_F(PlayTest, TheRowsMoveOnWithTheMusicPastTheSecondRow) {
  std::string notes, durations;
  for (int i = 0; i < 45; ++i) {
    notes += i % 2 == 0 ? " S" : " R";
    durations += " 20";
  }
  StoreUserPhrases(2, 1, notes, durations);
  shell::DelayC = 0;
  Open();
  Choose("Bhairav");
  Select("cOAlap");
  Click("cMoveD");
  Click("cPlay");
  EXPECT_EQ(composer::TopRowIndex, 1) << "a play starts from the first row";
  const std::vector<Lit> lit = PlayAndWatch();
  ASSERT_EQ(lit.size(), 45u);
  for (int16_t k = 0; k < 45; ++k) EXPECT_EQ(lit[static_cast<size_t>(k)].slot, k) << "one slot after the other";
  EXPECT_EQ(composer::TopRowIndex, 2) << "the third row came into display row 2";
  EXPECT_EQ(Ctl("Label9").Caption(), "Row 2/3");
  EXPECT_TRUE(Ctl("cMoveU").Enabled());
  EXPECT_TRUE(RanClean());
}

// A click on the aroha, avroha or pakad plays the raga's scale or pakad; no slot is
// marked, and the category's phrases play again on Play afterwards.
TEST_F(PlayTest, TheArohaAvrohaAndPakadPlayOnAClick) {
  StoreUserPhrases(2, 1, " S R", " 20 20");
  Open();
  Choose("Bhairav");
  Select("cOAlap");
  struct Case {
    const char* box;
    std::string heard;
  };
  const Case cases[] = {{"cAroha", "S r G m P d N S> S> N d P m G r S"},
                        {"cAvroha", "S r G m P d N S> S> N d P m G r S"},
                        {"cPakad", "S r S"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    Click(c.box);
    EXPECT_TRUE(Locked());
    EXPECT_EQ(sound::NotesList[0].Text, c.heard);
    PlayFor(300ms);
    EXPECT_EQ(RedSlot(), -1);
    PlayUntilTheEnd();
    EXPECT_TRUE(Unlocked());
    EXPECT_EQ(sound::CurrItemKind, 3) << "the alap's kind again";
  }
  Click("cPlay");
  EXPECT_EQ(sound::NotesList[0].Text, "S R");
  PlayUntilTheEnd();
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(RanClean());
}

TEST_F(PlayTest, NothingPlaysWhenTheSlotsHoldNoPhrase) {
  Open();
  Choose("Bhairav");
  Select("cOAlap");
  Click("cAroha");
  EXPECT_EQ(MessageTexts(), Names{"No notation defined"});
  EXPECT_EQ(sound::CurrItemKind, 3) << "a later Play plays the category's phrases";
  EXPECT_TRUE(Unlocked());
  EXPECT_EQ(Player().Mode(), mci::mciModeNotOpen);
}

// While anything plays, the dispatcher's editing actions change nothing, and the menus
// of synchronization stay usable.
TEST_F(PlayTest, WhilePlayingTheEditingActionsDoNothing) {
  PlayingALongAlap();
  const std::vector<std::string> notes = composer::NotesRowImages;
  // Every slot, palette note, time value, option, box, button and menu item, as the
  // learner would click, choose or type them.
  const auto words = [] {
    return std::to_string(sound::CurrItemKind) + " " + std::to_string(common::CurrPhraseType) + " " +
           std::to_string(composer::SelectedPalletNote) + " " + std::to_string(composer::SelectedTimeValue) + " " +
           std::to_string(composer::ComposerSlot) + " " + std::to_string(composer::TopRowIndex) + " " +
           std::to_string(composer::WorkChanged) + " " + std::to_string(shell::NotationScript);
  };
  testsupport::ExpectEveryInputRefused(Screen(), words, "sComposer", 40);
  EXPECT_EQ(composer::NotesRowImages, notes);
  EXPECT_EQ(MessageTexts(), Names{});
  EXPECT_TRUE(composer::ComposerPlaying);
  for (const char* name : {"cPlay", "cSave", "cNewCat", "cNewRaga", "cReturn", "cMoveU", "cMoveD", "Frame2"})
    EXPECT_FALSE(Ctl(name).Enabled()) << name;
  EXPECT_TRUE(Locked());
  Click("cMnuSpe");
  EXPECT_EQ(shell::DelayC, 11);
  Click("cMnuSlo");
  Click("cMnuSlo");
  EXPECT_EQ(shell::DelayC, 9);
  PlayUntilTheEnd();
  EXPECT_TRUE(Unlocked());
  EXPECT_FALSE(Screen().Busy());
  Click("cPlay");
  EXPECT_EQ(Player().Mode(), mci::mciModePlay) << "plays again";
  PlayUntilTheEnd();
  EXPECT_TRUE(RanClean());
}

// A resize or a maximise while a phrase plays lays the slots out whole at once, the slot
// being heard still red; the play goes on to its end and the screen comes back unlocked.
TEST_F(PlayTest, AResizeWhilePlayingKeepsTheSlotsWholeAndTheSlotHeardRed) {
  PlayingALongAlap();
  for (const testsupport::WindowSize& size : testsupport::LearnerSizes()) {
    SCOPED_TRACE(size.name);
    const int16_t red = RedSlot();
    ASSERT_GE(red, 0);
    testsupport::ResizeAsLearner(Screen(), size);
    EXPECT_EQ(testsupport::LayoutFaults(Screen()), std::vector<std::string>{});
    EXPECT_EQ(RedSlot(), red) << "the same slot, laid out at its new place";
    EXPECT_EQ(Player().Mode(), mci::mciModePlay);
  }
  PlayUntilTheEnd();
  EXPECT_TRUE(Unlocked());
  EXPECT_EQ(RedSlot(), -1);
  EXPECT_TRUE(RanClean());
}

// The close box during a play stops the sound first; nothing reaches the screen after.
TEST_F(PlayTest, TheCloseBoxDuringAPlayStopsTheSound) {
  StoreUserPhrases(2, 1, " S R G m , P D", " 50 50 50 50 , 50 50");
  sound::Theka = 2;
  Open();
  Choose("Bhairav");
  Select("cOAlap");
  Click("cPlay");
  PlayFor(700ms);
  mci::MMControl* player = &Player();
  EXPECT_EQ(player->Mode(), mci::mciModePlay);
  Screen().CloseFromUser();
  EXPECT_FALSE(Screen().Loaded());
  EXPECT_EQ(shell::CurrForm, mainForm.get());
  EXPECT_EQ(common::CurrDBSelector, 1);
  EXPECT_EQ(sound::Theka, 2);
  EXPECT_FALSE(composer::ComposerPlaying);
  const int ends = Ends();
  PlayFor(5s);
  EXPECT_EQ(Ends(), ends);
  EXPECT_TRUE(questions.empty());
  EXPECT_TRUE(RanClean());
}

// The part of a composition on screen plays even while the other part is still empty;
// an empty part is refused.
TEST_F(PlayTest, ACompositionPartPlaysWhileTheOtherIsStillEmpty) {
  NewComposition("Yaman", "Gat", "Piya", "Sakhi", "Rupak", "1", "1", "50");
  Click("cNotation", 12);
  Click("cNote", 0);
  Click("cTimeVal", 7);
  Click("cTime", 0);
  Type("cCompSyl", 0, "Pi");
  Click("cNotation", 16);
  Click("cNote", 1);
  Click("cTime", 1);
  Type("cCompSyl", 1, "ya");
  Click("cPlay");
  EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages[0].prompt);
  EXPECT_TRUE(Locked());
  EXPECT_EQ(sound::NotesList[0].Text, "S G");
  EXPECT_EQ(sound::Theka, 1);
  const std::vector<Lit> lit = PlayAndWatch();
  ASSERT_EQ(lit.size(), 2u);
  EXPECT_EQ(lit[0].slot, 0);
  EXPECT_EQ(lit[1].slot, 1);
  EXPECT_TRUE(Unlocked());

  Select("cOAntara");
  Click("cPlay");
  EXPECT_EQ(MessageTexts(), Names{"No Notes Specified"});
  EXPECT_EQ(Player().Mode(), mci::mciModeNotOpen);
  EXPECT_TRUE(Unlocked());
  EXPECT_TRUE(RanClean());
}

// A composition saved in the Composer is one of the user's items on the illustration
// screen, which plays both its parts as it plays the program's own compositions.
TEST_F(PlayTest, TheIllustrationScreenPlaysACompositionSavedInTheComposer) {
  NewComposition("Yaman", "My Bandish", "Piya", "Sakhi", "Teentaal", "1", "1", "40");
  PutOneBeat(0, 12, "Pi");
  PutOneBeat(1, 14, "ya");
  Select("cOAntara");
  PutOneBeat(0, 19, "Sa");
  PutOneBeat(1, 21, "khi");
  Click("cSave");
  ASSERT_EQ(MessageTexts(), Names{"Music Saved"});
  Click("cReturn");

  int16_t open = 0;
  exploration::sMainOperations(open);
  forms::Form& screen = *shell::FormMainOperations;
  auto& list = screen.Get<forms::ListControl>("cUserIllusList");
  int16_t line = -1;
  for (int16_t i = 0; i < list.ListCount(); ++i)
    if (list.List(i) == "Composition - My Bandish") line = i;
  ASSERT_NE(line, -1);
  std::vector<std::string> heard;
  auto& player = *shell::MMControlOf(screen, "cMM");
  list.SetListIndex(line);
  for (int step = 0; step < 2000 && TraceEntries("sF28EndOfPlaying") == 0; ++step) {
    if (player.Mode() == mci::mciModePlay) {
      const std::string& text = sound::NotesList[static_cast<size_t>(sound::CurrSlot)].Text;
      if (heard.empty() || heard.back() != text) heard.push_back(text);
    }
    clock->Advance(10ms);
    QCoreApplication::processEvents();
  }
  EXPECT_EQ(heard, (Names{"S R", "P D"}));
  EXPECT_EQ(MessageTexts(), Names{"Music Saved"}) << "nothing else was said";
  EXPECT_TRUE(RanClean());
}

// What a play heard is no save: left by answering Yes, the edit is gone, and the category
// comes back as the user database holds it.
TEST_F(PlayTest, AnEditHeardAndThenLeftIsGone) {
  StoreUserPhrases(2, 1, " S R", " 20 20");
  const Names before = UserRows("Raga - ALT Phrases");
  Open();
  Choose("Bhairav");
  Select("cOAlap");
  Click("cNotation", 16);
  Click("cNote", 2);
  Click("cTimeVal", 2);
  Click("cTime", 2);
  Click("cPlay");
  EXPECT_EQ(sound::NotesList[0].Text, "S R G");
  PlayUntilTheEnd();
  EXPECT_TRUE(composer::WorkChanged) << "heard, not saved";
  answer = vb::vbYes;
  Click("cNewCat");
  ASSERT_EQ(questions.size(), 1u);
  Select("cOAlap");
  EXPECT_EQ(Ctl("cNote", 1).Caption(), "R");
  EXPECT_EQ(Ctl("cNote", 2).Caption(), "") << "the edit is gone";
  EXPECT_FALSE(composer::WorkChanged);
  Click("cPlay");
  EXPECT_EQ(sound::NotesList[0].Text, "S R");
  PlayUntilTheEnd();
  Click("cReturn");
  EXPECT_EQ(questions.size(), 1u);
  EXPECT_EQ(UserRows("Raga - ALT Phrases"), before);
  EXPECT_EQ(messages.size(), 1u) << "the question alone";
  EXPECT_TRUE(RanClean());
}

// A composition of the user carried over from an earlier installation: its syllables do
// not spell its text, and its antara row is missing. Unchanged, its asthai plays as it is
// stored.
TEST_F(PlayTest, AStoredPartThatWasNotChangedPlaysAsStored) {
  Open();
  Choose("Yaman");
  Select("cOCompE");
  Choose("My Song");
  EXPECT_EQ(Text("cAsthai"), "My own song");
  EXPECT_EQ(Ctl("cCompSyl", 0).Text(), "la");
  Click("cPlay");
  EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages[0].prompt);
  EXPECT_EQ(sound::NotesList[0].Text, "S R");
  PlayUntilTheEnd();
  EXPECT_FALSE(composer::WorkChanged);
  Click("cReturn");
  EXPECT_TRUE(questions.empty());
  EXPECT_TRUE(RanClean());
}

// A composition saved with one part still empty plays the other, and only the other,
// on the illustration screen; the composition player offers and plays that part alone,
// whole at every size and played maximised.
TEST_F(PlayTest, ACompositionSavedWithOnePartEmptyPlaysTheOtherOnTheIllustrationScreenAndInThePlayer) {
  struct Case {
    const char* name;
    int16_t written;  // the part that has notes
    Names rows;       // its rows in the user database
  };
  const Case cases[] = {
      {"Half Song", 1,
       {"2 | 1 | 1 | Half Song | Null | Null | Piya | Pi ya | 1 1 | S R | 1 1 | 1 | 1 | 40",
        "2 | 2 | 1 | Half Song | Null | Null | Sakhi |  |  |  |  | 1 | 1 | 40"}},
      {"Antara First", 2,
       {"3 | 1 | 1 | Antara First | Null | Null | Piya |  |  |  |  | 1 | 1 | 40",
        "3 | 2 | 1 | Antara First | Null | Null | Sakhi | Sa khi | 1 1 | S R | 1 1 | 1 | 1 | 40"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NewComposition("Yaman", c.name, "Piya", "Sakhi", "Teentaal", "1", "1", "40");
    if (c.written == 2) Select("cOAntara");
    PutOneBeat(0, 12, c.written == 1 ? "Pi" : "Sa");
    PutOneBeat(1, 14, c.written == 1 ? "ya" : "khi");
    Click("cSave");
    ASSERT_EQ(MessageTexts(), Names{"Music Saved"});
    const std::string number = c.rows[0].substr(0, 2);
    Names parts;
    for (const std::string& row : UserRows("Raga - Composition Notations"))
      if (row.rfind(number, 0) == 0) parts.push_back(row);
    EXPECT_EQ(parts, c.rows);
    Click("cReturn");
    messages.clear();

    // Demo mode on the illustration screen.
    int16_t open = 0;
    exploration::sMainOperations(open);
    forms::Form& screen = *shell::FormMainOperations;
    std::vector<std::string> heard;
    const auto listen = [&](const char* end, mci::MMControl& mm) {
      const int before = TraceEntries(end);
      for (int step = 0; step < 2000 && TraceEntries(end) == before; ++step) {
        if (mm.Mode() == mci::mciModePlay) {
          const std::string& text = sound::NotesList[static_cast<size_t>(sound::CurrSlot)].Text;
          if (heard.empty() || heard.back() != text) heard.push_back(text);
        }
        clock->Advance(10ms);
        QCoreApplication::processEvents();
      }
      EXPECT_EQ(TraceEntries(end), before + 1) << end;
    };
    testsupport::ChooseLine(screen, "cUserIllusList", std::string("Composition - ") + c.name);
    listen("sF28EndOfPlaying", *shell::MMControlOf(screen, "cMM"));
    EXPECT_EQ(heard, Names{"S R"}) << "the part written alone";
    EXPECT_EQ(sound::CurrSlot, c.written - 1);
    EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages[0].prompt);
    EXPECT_EQ(screen.Ctl("Option4").TakesInput(), c.written == 1) << "only the part written is offered again";
    EXPECT_EQ(screen.Ctl("Option5").TakesInput(), c.written == 2);

    // Learning mode: the composition player.
    screen.Get<forms::OptionButton>("Option2").Select();
    testsupport::ChooseLine(screen, "cUserIllusList", std::string("Composition - ") + c.name);
    ASSERT_EQ(shell::CurrForm, shell::FormPlayComposition1);
    forms::Form& grid = *shell::FormPlayComposition1;
    EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages[0].prompt);
    const char* written = c.written == 1 ? "cAsthai" : "cAntara";
    const char* empty = c.written == 1 ? "cAntara" : "cAsthai";
    EXPECT_EQ(grid.Ctl(written).Value(), 1);
    EXPECT_TRUE(grid.Ctl(written).TakesInput());
    EXPECT_FALSE(grid.Ctl(empty).TakesInput()) << "the empty part is not offered";
    EXPECT_EQ(testsupport::FaultsAtEverySize(grid), std::vector<std::string>{}) << "whole at every size";
    testsupport::ResizeAsLearner(grid, testsupport::LearnerSizes().back());  // played maximised
    heard.clear();
    testsupport::PressOn(grid, "cPlay");
    listen("sF14EndOfPlaying", *shell::MMControlOf(grid, "cMM"));
    EXPECT_EQ(heard, Names{"S R"});
    EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages[0].prompt);
    EXPECT_FALSE(grid.Ctl(empty).TakesInput()) << "nor after the play";
    EXPECT_EQ(testsupport::FaultsAtEverySize(grid), std::vector<std::string>{}) << "and after the play";
    testsupport::PressOn(grid, "cReturn");
    EXPECT_EQ(shell::CurrForm, shell::FormMainOperations);
    screen.Release();
    shell::CurrForm = mainForm.get();
    shell::CurrFormId = 1;
  }
  EXPECT_TRUE(RanClean());
}

TEST_F(PlayTest, SlowDownAndSpeedUpMoveTheAllowanceNeverBelowZero) {
  struct Case {
    int16_t from;
    const char* item;
    int16_t to;
  };
  const Case cases[] = {{10, "cMnuSlo", 9}, {0, "cMnuSlo", 0}, {10, "cMnuSpe", 11}, {32767, "cMnuSpe", 32767}};
  Open();
  for (const Case& c : cases) {
    shell::DelayC = c.from;
    Click(c.item);
    EXPECT_EQ(shell::DelayC, c.to) << c.item << " from " << c.from;
  }
}

}  // namespace
}  // namespace composertest
