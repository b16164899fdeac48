// The illustration screen playing, through its form events and dispatcher: items in
// demo, learning and practice mode on the play loop, rendered by the sound library with
// the generated seeds and heard on the silent output of a fake clock; the marking of
// the notes, stop, stop current, stepping, replaying parts, the tonic and the scales,
// the menus, and closing the window while it plays.
#include <QCoreApplication>
#include <QListWidget>
#include <QPointer>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ExplorationTest.h"
#include "common/CommonState.h"
#include "common/LibraryText.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "common/PhraseNote.h"
#include "common/Queries.h"
#include "exploration/ExplorationState.h"
#include "exploration/MainOperations.h"
#include "platform/mci/Clock.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Files.h"
#include "platform/vb/Folders.h"
#include "shell/Globals.h"
#include "shell/Players.h"
#include "shell/SettingsWords.h"
#include "shell/ShellState.h"
#include "soundlib/FWav.h"
#include "soundlib/SoundTest.h"
#include "sound/Keyboard.h"
#include "sound/NoteSeeds.h"
#include "sound/ReedLighting.h"
#include "sound/SoundState.h"
#include "support/BuiltSeeds.h"
#include "support/BusyInputs.h"
#include "support/SqlFixture.h"

namespace explorationtest {
namespace {

using namespace std::chrono_literals;

const std::string kAlap1 = "S N< D< N<'R S";
const std::string kAlap2 = "N< R G R G N< R S";
const std::string kLayakari1 = "S R G M";
const std::string kLayakari2 = "M G R S";

struct Played {
  std::string file;
  std::string phrase;
  bool operator==(const Played&) const = default;
  friend void PrintTo(const Played& p, std::ostream* os) { *os << p.file << " \"" << p.phrase << "\""; }
};

// A phrase as cCurrentItem shows it: its words three blanks apart.
std::string Shown(const std::string& phrase) {
  return common::notation::Join(common::notation::Words(phrase, " "), "   ");
}

std::string Spaced(const std::string& text) {
  return common::notation::Join(common::notation::Words(text, " "), " ");
}

using testsupport::TraceEntries;

class PlayingTest : public PlayingScreenTest {
 protected:
  void SetUp() override {
    SetUpDatabases(Content::Fixture, true);
    // Built-in scale set 5 (tonic key 5) beside the fixture's set 3, and the rows of the
    // user's saved scale "My Scale" (set 13, tonic key 5).
    AddRows(ScaleSetRows(5, 5), ScaleSetRows(13, 5));
    SetUpPlaying();
    shell::DelayMO = 10;
    OpenGrid();
    ClickRaga("Yaman");
    ASSERT_EQ(shell::CurrFormId, 28);
  }

  forms::Form& Screen() { return *shell::FormMainOperations; }
  mci::MMControl& Player() { return *shell::MMControlOf(Screen(), "cMM"); }
  forms::Control& Ctl(const char* name) { return Screen().Ctl(name); }
  std::string Text(const char* name) { return Ctl(name).Text(); }

  // The learner's doings.
  void Choose(const char* list, const std::string& line) { ChooseLine(Screen(), list, line); }
  void Press(const char* button) { PressOn(Screen(), button); }
  bool Checked(const char* item) { return Screen().Get<forms::MenuItem>(item).Checked(); }
  void MenuClick(const char* item) { Ctl(item).RaiseFromUser(forms::Event::Click); }
  void Release(const char* option) { Ctl(option).RaiseFromUser(forms::Event::MouseUp); }
  void ChooseMode(const char* option) { Screen().Get<forms::OptionButton>(option).Select(); }

  void PlayUntilTheEnd() {
    const int before = Ends();
    PlayFor(60s, [&] { return Player().Mode() != mci::mciModePlay && Ends() > before; });
    ASSERT_EQ(Ends(), before + 1) << "the screen hears the end of playing once";
  }
  void PlayUntilPlayed(size_t count) {
    PlayFor(30s, [&] { return played.size() >= count; });
    ASSERT_EQ(played.size(), count);
  }
  static int Ends() { return TraceEntries("sF28EndOfPlaying"); }

  bool Locked() {
    for (const char* name : {"cKZIllusList", "Option2", "cReturn", "cSlider", "cMnuTonKey", "cMnuDro"})
      if (Ctl(name).Enabled()) return false;
    return true;
  }
  bool Unlocked() {
    for (const char* name : {"cKZIllusList", "Option2", "cReturn", "cSlider", "cMnuTonKey", "cMnuDro"})
      if (!Ctl(name).Enabled()) return false;
    return Screen().MousePointer() == forms::vbDefault;
  }
  forms::Control& ReedOf(const std::string& word) {
    return Screen().Ctl("cL", sound::fReedOfNote(common::fGetPhraseNote(word).Main));
  }
  // The pitch of the first note of a rendered file, between 50 and 300 ms.
  double FirstNoteHz(const std::string& file) {
    const std::vector<int16_t> x = soundtest::ReadWav(shell::TempFolder + file);
    if (x.size() < 300 * 44100 / 1000) return 0.0;
    return soundtest::EstimatePitch(x, 50 * 44100 / 1000, 300 * 44100 / 1000);
  }

  std::vector<Played> played;

 private:
  // Every file that starts playing.
  void Record() override {
    if (shell::CurrForm != shell::FormMainOperations || !Screen().Loaded()) return;
    mci::MMControl& mm = Player();
    if (mm.Mode() != mci::mciModePlay) return;
    // Compared as they stand: the notation helpers trace every call, and the trace of
    // a long test must stay small.
    const Played now{mm.FileName(), sound::NotesList[static_cast<size_t>(sound::CurrSlot)].Text};
    if (now != last_ || mm.Position() < lastPosition_)
      played.push_back({now.file.substr(shell::TempFolder.size()), Spaced(now.phrase)});
    last_ = now;
    lastPosition_ = mm.Position();
  }
  Played last_;
  int32_t lastPosition_ = 0;
};

// Demo mode: every phrase of the item in order, the screen locked while it plays and
// usable again at the end, the item controls hidden.
TEST_F(PlayingTest, ADemoPlaysEveryPhraseOfTheItemInOrderAndTheEndUnlocksTheScreen) {
  struct Case {
    const char* list;  // nullptr: a click on the notation box named by line
    const char* line;
    std::vector<Played> heard;
  };
  const std::string scale = "N< R G M P D N S> S> N D P M G R S";
  const std::string pakad = "N< R G R P R N<'R S";
  const Case cases[] = {
      {"cKZIllusList", "Aroha and Avroha", {{"A.wav", scale}}},
      {"cKZIllusList", "Pakad (characteristic phrase)", {{"A.wav", pakad}}},
      {"cKZIllusList", "Alap Phrases (2)", {{"A.wav", kAlap1}, {"B.wav", kAlap2}}},
      {"cKZIllusList", "Layakari Phrases (2)", {{"A.wav", kLayakari1}, {"B.wav", kLayakari2}}},
      {"cUserIllusList", "Alap Phrases (1)", {{"A.wav", "G M P D N S>"}}},
      {nullptr, "cAvroha", {{"A.wav", scale}}},
      {nullptr, "cPakad", {{"A.wav", pakad}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    played.clear();
    if (c.list != nullptr) {
      Choose(c.list, c.line);
    } else {
      Ctl(c.line).RaiseFromUser(forms::Event::Click);
    }
    EXPECT_TRUE(Locked());
    EXPECT_TRUE(Ctl("cStop").Enabled());
    EXPECT_FALSE(Ctl("cPlay").Enabled());
    EXPECT_EQ(Screen().Get<forms::ListControl>("cKZIllusList").ListIndex(), -1);
    PlayUntilTheEnd();
    EXPECT_EQ(played, c.heard);
    EXPECT_TRUE(Unlocked());
    for (const char* name : {"cPlay", "cStop", "cStopCur", "Frame2"}) EXPECT_FALSE(Ctl(name).Visible()) << name;
    // What was played, and its notes, stay until the next item is chosen.
    EXPECT_TRUE(Ctl("cInfo").Visible() && Ctl("cCurrentItem").Visible());
    EXPECT_EQ(Text("cInfo").rfind("Played ", 0), 0u) << Text("cInfo");
    EXPECT_EQ(Spaced(Text("cCurrentItem")), c.heard.back().phrase);
    for (int16_t r = 1; r <= 40; ++r)
      EXPECT_NE(Screen().Ctl("cL", r).BackColor(), sound::kCurrentNoteColour) << "reed " << r;
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(PlayingTest, ChoosingTheSameLineAgainPlaysItAgain) {
  Choose("cKZIllusList", "Taan Phrases (1)");
  PlayUntilTheEnd();
  Choose("cKZIllusList", "Taan Phrases (1)");
  PlayUntilTheEnd();
  ASSERT_EQ(played.size(), 2u);
  EXPECT_EQ(played[0], played[1]);
}

// The marking line holds the words of the phrase being heard: it starts with the first
// note's word and begins again with each phrase.
TEST_F(PlayingTest, TheMarkingLineShowsThePhraseBeingPlayedOnly) {
  Choose("cKZIllusList", "Alap Phrases (2)");
  EXPECT_EQ(Text("cCurrentItem"), "S");
  PlayUntilPlayed(2);
  EXPECT_EQ(Text("cCurrentItem"), "N<");
  EXPECT_EQ(Text("cInfo"), "Playing Alap pattern 2/2");
  PlayUntilTheEnd();
  EXPECT_TRUE(messages.empty());
}

// Each status update advances the marked note by at most one, once the player's
// position has reached the end of the note less the allowance per note played.
TEST_F(PlayingTest, StatusUpdatesLightTheReedsInTimeWithTheAllowance) {
  struct Case {
    int16_t delay;
    std::vector<int32_t> markedAt;  // position (ms) at which notes 2, 3, 4 and 5 are marked
  };
  const Case cases[] = {{0, {800, 1300, 1800, 2600}}, {60, {800, 1200, 1700, 2400}}, {300, {500, 700, 900, 1400}}};
  const std::vector<std::string> words = common::notation::Words(kAlap1, " ");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.delay);
    shell::DelayMO = c.delay;
    std::vector<int32_t> markedAt;
    std::string wrong;
    Choose("cKZIllusList", "Alap Phrases (2)");
    const sound::NotesListRec& rec = sound::NotesList[0];
    ASSERT_EQ(rec.Positions, (std::vector<int32_t>{0, 800, 1300, 1800, 2600, 4100}));
    int32_t last = 1;
    const auto marking = QObject::connect(&Player(), &mci::MMControl::StatusUpdate, &Player(), [&] {
      if (sound::CurrSlot != 0 || rec.CurrNote == last) return;
      if (rec.CurrNote != last + 1) wrong += " skipped to " + std::to_string(rec.CurrNote);
      last = rec.CurrNote;
      markedAt.push_back(Player().Position());
      const std::string& word = words[static_cast<size_t>(last - 1)];
      if (ReedOf(word).BackColor() != sound::kCurrentNoteColour) wrong += " reed of " + word + " unlit";
      std::vector<std::string> heard(words.begin(), words.begin() + last);
      if (Text("cCurrentItem") != common::notation::Join(heard, "   ")) wrong += " line " + Text("cCurrentItem");
    });
    PlayFor(10s, [this] { return Player().Position() >= 4000; });
    EXPECT_EQ(markedAt, c.markedAt);
    EXPECT_EQ(wrong, "");
    EXPECT_EQ(ReedOf("S").BackColor(), sound::kCurrentNoteColour) << "the last note stays lit to the phrase's end";
    QObject::disconnect(marking);
    Press("cStop");
    PlayUntilTheEnd();
  }
}

TEST_F(PlayingTest, SlowDownAndSpeedUpMoveTheAllowanceNeverBelowZero) {
  struct Case {
    int16_t from;
    const char* item;
    int16_t to;
  };
  const Case cases[] = {{10, "cMnuSlo", 9}, {0, "cMnuSlo", 0}, {10, "cMnuSpe", 11}, {32000, "cMnuSpe", 32001},
                        {32767, "cMnuSpe", 32767}};
  for (const Case& c : cases) {
    shell::DelayMO = c.from;
    MenuClick(c.item);
    EXPECT_EQ(shell::DelayMO, c.to) << c.item << " from " << c.from;
  }
}

TEST_F(PlayingTest, StopEndsTheWholePlayAndUnlocksTheScreen) {
  Choose("cKZIllusList", "Alap Phrases (2)");
  PlayFor(1s);
  Press("cStop");
  EXPECT_EQ(Player().Mode(), mci::mciModeNotOpen);
  PlayUntilTheEnd();
  PlayFor(6s);
  EXPECT_EQ(played, (std::vector<Played>{{"A.wav", kAlap1}}));
  EXPECT_TRUE(Unlocked());
  EXPECT_EQ(Text("cInfo"), "");
  EXPECT_TRUE(messages.empty());
}

// Stop leaves the focus on its button, which the end of playing hides: the focus that
// passes on to the program's list chooses none of its lines.
TEST_F(PlayingTest, TheFocusLeftByStopPlaysNothingOfItsOwn) {
  Screen().Show();
  Screen().Surface()->window()->activateWindow();
  Choose("cKZIllusList", "Alap Phrases (2)");
  PlayFor(1s);
  Ctl("cStop").Widget()->setFocus(Qt::MouseFocusReason);
  Press("cStop");
  PlayUntilTheEnd();
  PlayFor(2s);
  EXPECT_EQ(played, (std::vector<Played>{{"A.wav", kAlap1}}));
  EXPECT_TRUE(Unlocked());
  EXPECT_FALSE(Ctl("cInfo").Visible());
}

// Whatever the learner clicks, chooses or types while an item plays is refused before it
// changes anything and looks disabled, but Stop, Stop Looping and Stop Current; Stop then
// gives back a screen on which the item plays again.
TEST_F(PlayingTest, WhatIsClickedWhilePlayingIsRefusedAndStopGivesBackAScreenThatPlays) {
  const auto words = [] {
    return std::to_string(sound::CurrItemKind) + " " + std::to_string(sound::CurrMusicItemType) + " " +
           std::to_string(sound::CurrOperationMode) + " " + std::to_string(sound::LoopFlag) + " " +
           std::to_string(common::CurrPhraseType) + " " + std::to_string(common::CurrRagaIndex) + " " +
           std::to_string(sound::NewTonicNoteId) + " " + std::to_string(sound::DroneVolumeStep) + " " +
           std::to_string(exploration::ScriptStep) + " " + std::to_string(exploration::CurrPairRaga) + " " +
           std::to_string(sound::CurrCompPart) + " " + std::to_string(shell::NotationScript) + " " +
           std::to_string(shell::GraceNotes) + " " + std::to_string(sound::KeyboardDisplay) + " " +
           std::to_string(shell::DelayMO);
  };
  struct Case {
    const char* what;
    const char* mode;                          // the mode option
    std::function<void()> start;  // leaves the item playing; also the way to play again
    const char* stop;
  };
  const Case cases[] = {
      {"a demo", "Option1", [this] { Choose("cKZIllusList", "Alap Phrases (2)"); }, "cStop"},
      {"learning mode looping", "Option2", [this] { Press("cStartLoop"); }, "cStopLoop"},
      {"practice mode playing", "Option3", [this] { Press("cPlay"); }, "cStop"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ChooseMode(c.mode);
    if (std::string(c.mode) != "Option1") Choose("cKZIllusList", "Alap Phrases (2)");
    c.start();
    PlayFor(500ms);
    ASSERT_EQ(Player().Mode(), mci::mciModePlay);
    testsupport::ExpectEveryInputRefused(Screen(), words, "sMainOperations", 15);
    EXPECT_EQ(Player().Mode(), mci::mciModePlay);
    for (int round = 0; round < 2; ++round) {
      Press(c.stop);
      PlayUntilTheEnd();
      EXPECT_FALSE(Screen().Busy());
      EXPECT_TRUE(Unlocked());
      if (round == 1) break;
      c.start();
      EXPECT_EQ(Player().Mode(), mci::mciModePlay) << "plays again";
    }
    EXPECT_TRUE(messages.empty());
  }
}

TEST_F(PlayingTest, StopCurrentSkipsToTheNextPhrase) {
  Choose("cKZIllusList", "Alap Phrases (2)");
  PlayFor(1s);
  Press("cStopCur");
  PlayUntilTheEnd();
  EXPECT_EQ(played, (std::vector<Played>{{"A.wav", kAlap1}, {"B.wav", kAlap2}}));
  EXPECT_TRUE(Unlocked());
  EXPECT_TRUE(messages.empty());
}

// Learning mode: the phrase shown is played by Play, and looped by Start Looping until
// Stop Looping; at the end the phrase itself is shown again and Next / Prev step on.
TEST_F(PlayingTest, LearningModeLoopsThePhraseUntilStopLooping) {
  ChooseMode("Option2");
  Choose("cKZIllusList", "Alap Phrases (2)");
  EXPECT_EQ(Text("cCurrentItem"), Shown(kAlap1));
  EXPECT_EQ(Text("cInfo"), "(Alap 1/2)");
  EXPECT_TRUE(Ctl("cPlay").Enabled());
  EXPECT_TRUE(played.empty()) << "nothing plays before Play";

  Press("cStartLoop");
  EXPECT_EQ(sound::LoopFlag, -1);
  EXPECT_TRUE(Locked());
  EXPECT_TRUE(Ctl("cStopLoop").Enabled());
  EXPECT_FALSE(Ctl("cStop").Enabled());
  PlayUntilPlayed(3);
  EXPECT_EQ(played, (std::vector<Played>(3, {"A.wav", kAlap1})));
  Press("cStopLoop");
  PlayUntilTheEnd();
  EXPECT_EQ(sound::LoopFlag, 0);
  EXPECT_TRUE(Unlocked());
  EXPECT_EQ(Text("cCurrentItem"), Shown(kAlap1)) << "the phrase in place of its marking";
  EXPECT_EQ(Screen().Get<forms::TextBox>("cCurrentItem").SelStart(), 0) << "the phrase's start in view";
  EXPECT_TRUE(Ctl("cPlay").Enabled());
  EXPECT_TRUE(Ctl("Frame2").Visible() && Ctl("Frame2").Enabled());
  EXPECT_TRUE(messages.empty());
}

// The select frame shows only for the items it serves: not for the scale after an alap
// in learning mode, nor for the pakad played after a composition's parts in demo.
TEST_F(PlayingTest, TheSelectFrameGoesWithTheItemsThatUseIt) {
  ChooseMode("Option2");
  Choose("cKZIllusList", "Alap Phrases (2)");
  ASSERT_TRUE(Ctl("Frame2").Visible());
  Ctl("cAroha").RaiseFromUser(forms::Event::Click);
  EXPECT_EQ(Text("cInfo"), "Aroha and Avroha");
  EXPECT_FALSE(Ctl("Frame2").Visible());

  ChooseMode("Option1");
  Choose("cKZIllusList", "Composition - Eri Aali");
  PlayUntilTheEnd();
  ASSERT_TRUE(Ctl("Frame2").Visible());
  Ctl("cPakad").RaiseFromUser(forms::Event::Click);
  EXPECT_FALSE(Ctl("Frame2").Visible());
  PlayUntilTheEnd();
  EXPECT_TRUE(messages.empty());
}

TEST_F(PlayingTest, NextAndPreviousStepThroughThePhrasesAndWrapAround) {
  ChooseMode("Option2");
  Choose("cKZIllusList", "Alap Phrases (2)");
  struct Step {
    const char* option;
    std::string phrase;
    const char* info;
  };
  const Step steps[] = {{"Option4", kAlap2, "(Alap 2/2)"},
                        {"Option4", kAlap1, "(Alap 1/2)"},
                        {"Option5", kAlap2, "(Alap 2/2)"},
                        {"Option5", kAlap1, "(Alap 1/2)"}};
  for (const Step& s : steps) {
    Release(s.option);
    EXPECT_EQ(Text("cCurrentItem"), Shown(s.phrase)) << s.option;
    EXPECT_EQ(Text("cInfo"), s.info);
    EXPECT_EQ(Ctl(s.option).Value(), 0) << "the option never stays selected";
  }
  Release("Option4");
  Press("cPlay");
  PlayUntilTheEnd();
  EXPECT_EQ(played, (std::vector<Played>{{"B.wav", kAlap2}}));
}

// In learning mode the phrase is built again only when something has changed since the
// last play: the text, the speed, or anything that changes what the phrase sounds like.
TEST_F(PlayingTest, LearningModeRebuildsThePhraseOnlyWhenSomethingChanged) {
  struct Case {
    const char* what;
    std::function<void()> change;
    bool rebuilt;
  };
  const Case cases[] = {
      {"nothing", [] {}, false},
      {"the speed", [this] { Ctl("cSlider").SetValue(12); }, true},
      {"the item chosen again", [this] { Choose("cKZIllusList", "Alap Phrases (2)"); }, true},
      {"the tonic", [this] { MenuClick("cMnuB2"); }, true},
      {"the drone", [this] { MenuClick("cMnuDroLou"); }, true},
      {"a demo in between",
       [this] {
         ChooseMode("Option1");
         Choose("cKZIllusList", "Aroha and Avroha");
         PlayUntilTheEnd();
         ChooseMode("Option2");
         Choose("cKZIllusList", "Alap Phrases (2)");
       },
       true},
  };
  ChooseMode("Option2");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Choose("cKZIllusList", "Alap Phrases (2)");
    Press("cPlay");
    PlayUntilTheEnd();
    const int builds = TraceEntries("sSetUpForLearningModeIllustration");
    c.change();
    played.clear();
    Press("cPlay");
    PlayUntilTheEnd();
    EXPECT_EQ(TraceEntries("sSetUpForLearningModeIllustration") - builds, c.rebuilt ? 1 : 0);
    EXPECT_EQ(played, (std::vector<Played>{{"A.wav", kAlap1}}));
  }
  EXPECT_TRUE(messages.empty());
}

// Practice mode plays the text as the learner edited it, one phrase per segment.
TEST_F(PlayingTest, PracticeModePlaysTheEditedSegmentsAndLoopsThem) {
  ChooseMode("Option3");
  Choose("cKZIllusList", "Layakari Phrases (2)");
  EXPECT_FALSE(Screen().Get<forms::TextBox>("cCurrentItem").Locked());
  Ctl("cCurrentItem").SetText("S R : G M");
  Press("cStartLoop");
  PlayUntilPlayed(4);
  EXPECT_EQ(played, (std::vector<Played>{{"A.wav", "S R"}, {"B.wav", "G M"}, {"A.wav", "S R"}, {"B.wav", "G M"}}));
  Press("cStopLoop");
  PlayUntilTheEnd();
  EXPECT_EQ(Text("cCurrentItem"), "S R : G M");
  EXPECT_TRUE(Unlocked());
  EXPECT_TRUE(messages.empty());
}

// A colon doubled, or left at either end when the learner deletes a segment, marks off
// nothing: the segments with notes play, and nothing fails after them.
TEST_F(PlayingTest, PracticeModePlaysOnlyTheSegmentsThatHoldNotes) {
  ChooseMode("Option3");
  for (const char* text : {"S R : : G M", "S R : G M :", ": S R : G M", "S R :   : G M"}) {
    SCOPED_TRACE(text);
    played.clear();
    Choose("cKZIllusList", "Layakari Phrases (2)");
    Ctl("cCurrentItem").SetText(text);
    Press("cPlay");
    PlayUntilTheEnd();
    EXPECT_EQ(played, (std::vector<Played>{{"A.wav", "S R"}, {"B.wav", "G M"}}));
    EXPECT_EQ(Text("cCurrentItem"), text);
    EXPECT_TRUE(Unlocked());
  }
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
}

TEST_F(PlayingTest, PlayRefusesAnEmptyOrIllegalPhraseAndLocksNothing) {
  struct Case {
    const char* text;
    const char* message;
  };
  const char* notAllowable = "One or more changes you made are not allowable. Please check and correct errors.";
  const Case cases[] = {{"", "Please select an item to play"},
                        {"   ", "Please select an item to play"},
                        {"S X R", notAllowable},
                        {":", notAllowable},
                        {" : : ", notAllowable}};
  ChooseMode("Option3");
  Choose("cKZIllusList", "Layakari Phrases (2)");
  for (const Case& c : cases) {
    messages.clear();
    Ctl("cCurrentItem").SetText(c.text);
    Press("cStartLoop");
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{c.message});
    EXPECT_TRUE(Unlocked());
    EXPECT_EQ(sound::LoopFlag, 0) << "the refused loop is not kept for the next Play";
    EXPECT_TRUE(Ctl("cPlay").Enabled());
  }
  PlayFor(1s);
  EXPECT_TRUE(played.empty());
}

// A composition whose antara row is missing (a damaged database) is refused with the
// screen's message; nothing is locked and the program goes on.
TEST_F(PlayingTest, ACompositionWithAPartMissingIsRefusedWithAMessage) {
  testsupport::CloseDatabases();
  testsupport::RunSql(Path("mrA.kzy"),
                      "DELETE FROM \"Raga - Composition Notations\" WHERE \"Composition Part\" = 2 AND \"Notation Index\" = "
                      "(SELECT \"Notation Index\" FROM \"Raga - Additional Information\" WHERE \"Add Info\" = 'Eri Aali');");
  shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), true, true, "MS ACCESS;PWD=x");
  shell::DatabaseB = dao::Database::OpenDatabase(Path("mrB.kzy"), true, false, "MS ACCESS;PWD=x");
  Choose("cKZIllusList", "Composition - Eri Aali");
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Error creating music files"});
  EXPECT_TRUE(Unlocked());
  PlayFor(1s);
  EXPECT_TRUE(played.empty());
  // The other items still play.
  messages.clear();
  Choose("cKZIllusList", "Aroha and Avroha");
  PlayUntilTheEnd();
  EXPECT_FALSE(played.empty());
  EXPECT_TRUE(messages.empty());
}

// A composition in demo plays both parts with the asthai and antara options, which then
// replay one part each.
TEST_F(PlayingTest, ACompositionInDemoPlaysBothPartsAndThenEachPartAlone) {
  Choose("cKZIllusList", "Composition - Eri Aali");
  EXPECT_EQ(sound::Theka, 1);
  EXPECT_TRUE(Ctl("cStopCur").Enabled());
  PlayUntilTheEnd();
  EXPECT_EQ(played, (std::vector<Played>{{"A.wav", "G R'G M P"}, {"B.wav", "P S>"}}));
  EXPECT_TRUE(Ctl("Frame2").Visible() && Ctl("Frame2").Enabled());
  EXPECT_EQ(Ctl("Frame2").Caption(), "Select to Play");
  EXPECT_EQ(Ctl("Option4").Caption(), "Asthai");
  EXPECT_EQ(Ctl("Option5").Caption(), "Antara");
  for (const char* name : {"cPlay", "cStop", "cStartLoop", "cStopLoop", "cStopCur"})
    EXPECT_FALSE(Ctl(name).Enabled()) << name;

  played.clear();
  Release("Option5");
  EXPECT_TRUE(Locked());
  PlayUntilTheEnd();
  Release("Option4");
  PlayUntilTheEnd();
  EXPECT_EQ(played, (std::vector<Played>{{"B.wav", "P S>"}, {"A.wav", "G R'G M P"}}));

  // Stepping through phrases afterwards: the options under the frame's own caption.
  ChooseMode("Option2");
  Choose("cKZIllusList", "Alap Phrases (2)");
  EXPECT_EQ(Ctl("Frame2").Caption(), "Select Desired");
  EXPECT_EQ(Ctl("Option4").Caption(), "Next");
  EXPECT_TRUE(messages.empty());
}

// The pair plays the similar raga (slot 0) first; the caption names the raga heard.
TEST_F(PlayingTest, ASimilarRagaPairNamesTheRagaActuallyPlaying) {
  Choose("cKZIllusList", "Similar Raga - Shuddha Kalyan");
  const std::string both = "Playing comparison of Ragas Yaman and Shuddha Kalyan. Currently playing ";
  EXPECT_EQ(Text("cInfo"), both + "Shuddha Kalyan");
  PlayUntilPlayed(1);
  EXPECT_EQ(played.back().phrase, "G R S");
  PlayUntilPlayed(2);
  EXPECT_EQ(Text("cInfo"), both + "Yaman");
  EXPECT_EQ(played.back().phrase, "N< R G");
  PlayUntilTheEnd();
  EXPECT_EQ(Ctl("Option4").Caption(), "Yaman");
  EXPECT_EQ(Ctl("Option5").Caption(), "Shuddha Kalyan");

  struct Replay {
    const char* option;
    const char* raga;
    const char* phrase;
  };
  for (const Replay& r : {Replay{"Option4", "Yaman", "N< R G"}, Replay{"Option5", "Shuddha Kalyan", "G R S"}}) {
    played.clear();
    Release(r.option);
    PlayUntilPlayed(1);
    EXPECT_EQ(Text("cInfo"), both + r.raga) << r.option;
    EXPECT_EQ(played.back().phrase, r.phrase) << r.option;
    PlayUntilTheEnd();
  }
  // Another tonic: the parts rendered at the old one are no longer offered.
  MenuClick("cMnuB2");
  EXPECT_FALSE(Ctl("Frame2").Visible());
  EXPECT_TRUE(messages.empty());
}

// Once a play has ended the status line says what was played, never what plays.
TEST_F(PlayingTest, AfterAPlayTheStatusLineSaysWhatWasPlayed) {
  Choose("cKZIllusList", "Similar Raga - Shuddha Kalyan");
  PlayUntilTheEnd();
  EXPECT_EQ(Text("cInfo"), "Played comparison of Ragas Yaman and Shuddha Kalyan (Shuddha Kalyan first, then Yaman)");
  Release("Option4");
  PlayUntilTheEnd();
  EXPECT_EQ(Text("cInfo"), "Played comparison of Ragas Yaman and Shuddha Kalyan (Yaman again)");
  Choose("cKZIllusList", "Pakad (characteristic phrase)");
  EXPECT_EQ(Text("cInfo"), "Playing Pakad");
  PlayUntilTheEnd();
  EXPECT_EQ(Text("cInfo"), "Played Pakad");
  EXPECT_TRUE(messages.empty());
}

TEST_F(PlayingTest, ACompositionInLearningModeGoesToTheCompositionPlayerAndAFilmSongPlaysInDemo) {
  ChooseMode("Option2");
  Choose("cKZIllusList", "Composition - Eri Aali");
  EXPECT_EQ(shell::CurrFormId, 14);
  EXPECT_EQ(shell::ParentFormId[14 - 1], 28);
  EXPECT_EQ(sound::CurrCompPart, 1);
  EXPECT_EQ(sound::CallbackCode, 3);
  EXPECT_EQ(TraceEntries("sInitPlayCompositions"), 1);
  EXPECT_TRUE(played.empty()) << "nothing plays before Play";
  shell::FormPlayComposition1->Ctl("cReturn").RaiseFromUser(forms::Event::Click);
  ASSERT_EQ(shell::CurrFormId, 28);
  EXPECT_EQ(sound::CallbackCode, 12);

  Choose("cKZIllusList", "Film Song - A Film Song");
  EXPECT_EQ(sound::CurrOperationMode, 1);
  EXPECT_EQ(Ctl("Option1").Value(), 1);
  EXPECT_FALSE(Ctl("cStopCur").Enabled());
  PlayUntilTheEnd();
  EXPECT_EQ(played, (std::vector<Played>{{"A.wav", "G M D"}}));
  EXPECT_FALSE(Ctl("Frame2").Visible());
  EXPECT_TRUE(messages.empty());
}

// A tonic from the menu: the program's scale of that key, the seeds prepared anew, the
// next phrase rendered at the new pitch.
TEST_F(PlayingTest, ATonicChangeRendersTheNextPlayAtTheNewPitch) {
  Choose("cKZIllusList", "Aroha and Avroha");
  PlayUntilTheEnd();
  const double before = FirstNoteHz("A.wav");
  ASSERT_GT(before, 0.0);
  Screen().Get<forms::ListControl>("cScaleList").SetListIndex(0);
  ASSERT_EQ(sound::CurrMusicSetId, 13);

  MenuClick("cMnuB2");
  EXPECT_EQ(sound::CurrTonicNoteId, 5);
  EXPECT_EQ(sound::CurrMusicSetId, 5);
  EXPECT_TRUE(Checked("cMnuB2"));
  EXPECT_FALSE(Checked("cMnuB1"));
  EXPECT_EQ(Screen().Get<forms::ListControl>("cScaleList").ListIndex(), -1);
  EXPECT_EQ(Text("cPrompts").find("Using KZ Scale with Black-2 (D#) As 'sA' (Tonic Note)"), 0u);
  EXPECT_TRUE(Unlocked());

  Choose("cKZIllusList", "Aroha and Avroha");
  PlayUntilTheEnd();
  EXPECT_NEAR(soundtest::Cents(FirstNoteHz("A.wav"), before), 200.0, 10.0);
  EXPECT_TRUE(messages.empty());
}

TEST_F(PlayingTest, ASavedScaleTakesItsTonicAndUnchecksTheTonicMenu) {
  Screen().Get<forms::ListControl>("cScaleList").SetListIndex(0);
  EXPECT_EQ(sound::CurrMusicSetId, 13);
  EXPECT_EQ(sound::CurrMusicSetName, "My Scale");
  EXPECT_EQ(sound::CurrTonicNoteId, 5);
  for (const char* item : {"cMnuB1", "cMnuB2", "cMnuW1"}) EXPECT_FALSE(Checked(item)) << item;
  EXPECT_EQ(Text("cPrompts").find("Using User-defined scale 'My Scale'"), 0u);
  EXPECT_TRUE(Unlocked());
  EXPECT_TRUE(messages.empty());
}

// When the note seeds cannot be prepared the screen says so and stays usable.
TEST_F(PlayingTest, AScaleOrTonicWhoseSeedsFailLeavesTheScreenUsable) {
  struct Case {
    const char* what;
    std::function<void()> choose;
  };
  const Case cases[] = {
      {"tonic", [this] { MenuClick("cMnuB2"); }},
      {"saved scale", [this] { Screen().Get<forms::ListControl>("cScaleList").SetListIndex(0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int16_t tonic = sound::CurrTonicNoteId;
    const int16_t set = sound::CurrMusicSetId;
    ASSERT_TRUE(Checked("cMnuB1")) << "the program's scale of Black 1 is in use";
    // The change fails; loading the scale in use again works.
    bool failed = false;
    soundLib.failWhen = [&failed](const testsupport::SoundLibCall& call) {
      if (failed || call.entry != "FWavFreeNoteSeedsMemory") return false;
      failed = true;
      return true;
    };
    const size_t loads = soundLib.Count("FWavFreeNoteSeedsMemory");
    messages.clear();
    Screen().Get<forms::ListControl>("cScaleList").SetListIndex(-1);
    c.choose();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().prompt, "Error Creating Mote Seeds");
    EXPECT_TRUE(Unlocked());
    // The scale in use stays in use, its seeds loaded again, and the menu says so.
    EXPECT_EQ(sound::CurrTonicNoteId, tonic);
    EXPECT_EQ(sound::CurrMusicSetId, set);
    EXPECT_TRUE(Checked("cMnuB1"));
    EXPECT_FALSE(Checked("cMnuB2"));
    EXPECT_GT(soundLib.Count("FWavFreeNoteSeedsMemory"), loads + 1);
  }
  soundLib.failWhen = {};
}

// The close box while a phrase plays: the player is stopped and closed before the screen
// goes back to the raga grid, and nothing plays on or reaches the grid.
TEST_F(PlayingTest, ClosingTheWindowWhilePlayingStopsThePlayerFirst) {
  Choose("cKZIllusList", "Alap Phrases (2)");
  PlayFor(500ms);
  QPointer<mci::MMControl> player(&Player());
  Screen().CloseFromUser();
  EXPECT_FALSE(Screen().Loaded());
  EXPECT_EQ(shell::CurrFormId, 9);
  EXPECT_EQ(player ? player->Mode() : mci::mciModeNotOpen, mci::mciModeNotOpen);
  PlayFor(10s);
  EXPECT_EQ(Ends(), 0);
  EXPECT_EQ(played.size(), 1u);
  EXPECT_TRUE(messages.empty());
}

TEST_F(PlayingTest, TheMenusChangeTheKeyboardDroneGraceNotesAndScriptAndShowTheRagaInfo) {
  Choose("cKZIllusList", "Alap Phrases (2)");
  PlayUntilTheEnd();
  MenuClick("cMnuDonShoKey");
  EXPECT_EQ(sound::KeyboardDisplay, 2);
  EXPECT_FALSE(Screen().Ctl("cR", 10).Visible());
  EXPECT_TRUE(Checked("cMnuDonShoKey"));
  MenuClick("cMnuShoKey");
  EXPECT_TRUE(Screen().Ctl("cR", 10).Visible());

  const size_t drones = soundLib.Count("FWavLoadDroneData");
  MenuClick("cMnuDroLou");
  EXPECT_DOUBLE_EQ(sound::CurrDroneFactor, 1.1);
  MenuClick("cMnuDroSof");
  MenuClick("cMnuDroSof");
  EXPECT_DOUBLE_EQ(sound::CurrDroneFactor, 0.9);
  EXPECT_EQ(soundLib.Count("FWavLoadDroneData"), drones + 3);

  MenuClick("cMnuNoGraNot");
  EXPECT_EQ(shell::GraceNotes, 1);
  EXPECT_TRUE(Checked("cMnuNoGraNot"));
  ChooseMode("Option2");
  Choose("cKZIllusList", "Alap Phrases (2)");
  ASSERT_EQ(Text("cCurrentItem"), "S   N<   D<   R   S") << "without grace notes";
  MenuClick("cMnuEng");
  EXPECT_TRUE(Checked("cMnuEng"));
  EXPECT_EQ(Text("cCurrentItem"), "S   N<   D<   R   S") << "the item in hand stays";
  EXPECT_EQ(Text("cInfo"), "(Alap 1/2)");
  MenuClick("cMnuUseGraNot");
  EXPECT_EQ(Text("cCurrentItem"), Shown(kAlap1)) << "the same phrase with its grace notes";
  MenuClick("cMnuRagInf");
  EXPECT_TRUE(Ctl("cNotes").Visible());
  EXPECT_EQ(Text("cNotes"), exploration::RagaNotesText);
  EXPECT_TRUE(messages.empty());
}

// A change of notation script in learning or practice mode keeps the item chosen and
// the phrase in hand, redrawn in the other script; in practice mode the learner's edit
// of it is kept and redrawn too. Play, Next and Prev go on with them.
TEST_F(PlayingTest, AScriptChangeKeepsTheItemAndTheLearnersEditRedrawnInTheOtherScript) {
  Press("cReturn");
  shell::DevnagariAvailable = -1;
  ClickRaga("Yaman");
  ASSERT_TRUE(Ctl("cMnuDev").Visible());
  const auto devanagari = [](const std::string& english, const char* apart) {
    std::vector<std::string> words = common::notation::Words(english, " ");
    for (std::string& word : words)
      if (word != ":") word = common::fGetDevForEng(word);
    return common::notation::Join(words, apart);
  };
  struct Case {
    const char* mode;
    const char* line;
    std::string second;  // the item's second phrase as shown in English
    const char* info;
    std::string edit;  // what the learner types in its place ("" in learning mode)
    std::vector<std::string> heard;
  };
  const Case cases[] = {
      {"Option2", "Alap Phrases (2)", kAlap2, "(Alap 2/2)", "", {kAlap2}},
      {"Option3", "Layakari Phrases (2)", kLayakari2, "(Layakari Phrase 2/2)", "S R : G M", {"S R", "G M"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    MenuClick("cMnuEng");
    ChooseMode(c.mode);
    Choose("cKZIllusList", c.line);
    Release("Option4");
    ASSERT_EQ(Spaced(Text("cCurrentItem")), c.second);
    ASSERT_EQ(Text("cInfo"), c.info);

    MenuClick("cMnuDev");
    ASSERT_EQ(shell::NotationScript, 1);
    EXPECT_EQ(Spaced(Text("cCurrentItem")), Spaced(devanagari(c.second, " "))) << "the same phrase, in Devanagari";
    EXPECT_EQ(Text("cInfo"), c.info);
    EXPECT_EQ(sound::TMNInfo.CurrPhrase, 2);
    const std::string english = c.edit.empty() ? c.second : c.edit;
    // The learner's edit is typed in Devanagari.
    if (!c.edit.empty()) Ctl("cCurrentItem").SetText(devanagari(c.edit, " "));
    played.clear();
    Press("cPlay");
    PlayUntilTheEnd();
    ASSERT_EQ(played.size(), c.heard.size());
    for (size_t k = 0; k < played.size(); ++k) EXPECT_EQ(played[k].phrase, devanagari(c.heard[k], " ")) << k;

    MenuClick("cMnuEng");
    EXPECT_EQ(Text("cCurrentItem"), Shown(english)) << "in English again";
    played.clear();
    Press("cPlay");
    PlayUntilTheEnd();
    ASSERT_EQ(played.size(), c.heard.size());
    for (size_t k = 0; k < played.size(); ++k) EXPECT_EQ(played[k].phrase, c.heard[k]) << k;
    MenuClick("cMnuDev");
    EXPECT_EQ(Text("cCurrentItem"), devanagari(english, "   ")) << "and in Devanagari again";
    MenuClick("cMnuEng");

    Release("Option4");
    EXPECT_EQ(sound::TMNInfo.CurrPhrase, 1) << "Next goes on from the phrase in hand";
    EXPECT_FALSE(Text("cCurrentItem").empty());
  }
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
}

// After a demo the notes played stay, redrawn in a script chosen then; the next item
// chosen takes their place.
TEST_F(PlayingTest, TheNotesOfADemoStayUntilTheNextItemAndFollowTheScript) {
  Press("cReturn");
  shell::DevnagariAvailable = -1;
  ClickRaga("Yaman");
  Choose("cKZIllusList", "Pakad (characteristic phrase)");
  PlayUntilTheEnd();
  ASSERT_EQ(Text("cInfo"), "Played Pakad");
  const std::string notes = Text("cCurrentItem");
  ASSERT_EQ(Spaced(notes), "N< R G R P R N<'R S");
  MenuClick("cMnuDev");
  EXPECT_TRUE(Ctl("cCurrentItem").Visible());
  EXPECT_NE(Text("cCurrentItem"), notes);
  EXPECT_EQ(common::notation::Words(Text("cCurrentItem"), " ").size(), 8u) << Text("cCurrentItem");
  EXPECT_EQ(Text("cInfo"), "Played Pakad");
  MenuClick("cMnuEng");
  EXPECT_EQ(Spaced(Text("cCurrentItem")), "N< R G R P R N<'R S");
  Choose("cKZIllusList", "Aroha and Avroha");
  EXPECT_EQ(Text("cInfo").rfind("Playing Aroha", 0), 0u) << Text("cInfo");
  EXPECT_EQ(Text("cCurrentItem"), "N<");
  PlayUntilTheEnd();
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
}

// Grace notes switched off while a learning item is in hand: the phrase stepped to is
// heard as it is shown, without its glides.
TEST_F(PlayingTest, AGraceNoteChangeIsHeardInThePhrasesOfTheItemInHand) {
  ChooseMode("Option2");
  Choose("cKZIllusList", "Alap Phrases (2)");
  ASSERT_EQ(Text("cCurrentItem"), Shown(kAlap1));
  MenuClick("cMnuNoGraNot");
  Release("Option4");
  Release("Option4");
  ASSERT_EQ(Text("cCurrentItem"), "S   N<   D<   R   S");
  Press("cPlay");
  PlayUntilTheEnd();
  EXPECT_EQ(played, (std::vector<Played>{{"A.wav", "S N< D< R S"}}));
  EXPECT_TRUE(messages.empty());
}

// The raga's notes share their place with the item boxes: "Raga Info" shows them over
// the item in hand, and the item comes back over them when it is stepped or played.
TEST_F(PlayingTest, RagaInfoShowsTheNotesOverTheItemUntilTheItemIsUsedAgain) {
  Screen().Show();
  auto onTop = [this](const char* name) {
    QWidget* surface = Screen().Surface();
    QWidget* under = Ctl("cInfo").Widget();
    QWidget* top = surface->childAt(under->mapTo(surface, under->rect().center()));
    QWidget* w = Ctl(name).Widget();
    return top != nullptr && (top == w || w->isAncestorOf(top));
  };
  ChooseMode("Option2");
  Choose("cKZIllusList", "Alap Phrases (2)");
  EXPECT_FALSE(Ctl("cNotes").Visible());
  MenuClick("cMnuRagInf");
  EXPECT_TRUE(onTop("cNotes"));
  Release("Option4");
  EXPECT_FALSE(Ctl("cNotes").Visible());
  EXPECT_TRUE(onTop("cInfo"));
  EXPECT_EQ(Text("cCurrentItem"), Shown(kAlap2));
  MenuClick("cMnuRagInf");
  Press("cPlay");
  EXPECT_FALSE(Ctl("cNotes").Visible());
  PlayUntilTheEnd();
  EXPECT_TRUE(Ctl("cCurrentItem").Visible());
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace explorationtest
