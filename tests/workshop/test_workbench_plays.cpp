// The workbench playing its pattern phrases through its form events: rendered by the
// sound library with the generated seeds and heard on the silent output of a fake clock;
// the marking of the notes, looping, stop, practice segments, raga mode, the settings
// that change a phrase, and the guarded waits.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PlayingTest.h"
#include "WorkshopTest.h"
#include "common/CommonState.h"
#include "common/NotationWords.h"
#include "common/LibraryText.h"
#include "common/PhraseNote.h"
#include "platform/mci/Clock.h"
#include "platform/mci/MMControl.h"
#include "shell/Globals.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "sound/ReedLighting.h"
#include "sound/SoundState.h"
#include "soundlib/FWav.h"
#include "soundlib/Harmonium.h"
#include "soundlib/Room.h"
#include "soundlib/WavReader.h"
#include "support/BuiltSeeds.h"
#include "support/SqlFixture.h"
#include "workshop/Workshop.h"
#include "workshop/WorkshopState.h"

namespace workshoptest {
namespace {

using namespace std::chrono_literals;

const std::string kPattern3 =
    "S R G m R G m P G m P D m P D N P D N S> S> N D P N D P m D P m G P m G R m G R S";

// "Note Patterns > 3" over the major scale: shown, then played with each reed lit in
// turn, at most one step per progress notification; the form locked until the end.
TEST_F(PlayingTest, TheMajorScalePattern3PlaysWithTheReedsLitInTurn) {
  Press("cMajorScale");
  Pattern("cMnu3UC");
  EXPECT_EQ(Text("cPatName"), "S R G m");
  EXPECT_EQ(Caption("Label6"), "Selected Base pattern");
  EXPECT_EQ(Text("cCurrentItem"), Spaced(kPattern3, "   "));
  EXPECT_EQ(Screen().Get<forms::TextBox>("cCurrentItem").SelStart(), 0) << "the phrase's start in view";
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("35,39"));
  EXPECT_TRUE(Enabled("cPlay") && Enabled("cStartLoop"));
  EXPECT_FALSE(Enabled("cStop"));
  EXPECT_TRUE(played.empty()) << "nothing plays before Play";

  const Words words = Split(kPattern3);
  std::string wrong;
  int32_t last = 1;
  const sound::NotesListRec& rec = sound::NotesList[0];
  const auto marking = QObject::connect(&Player(), &mci::MMControl::StatusUpdate, &Player(), [&] {
    if (rec.CurrNote == last) return;
    if (rec.CurrNote != last + 1) wrong += " skipped to " + std::to_string(rec.CurrNote);
    last = rec.CurrNote;
    if (ReedOf(words[static_cast<size_t>(last - 1)]).BackColor() != sound::kCurrentNoteColour)
      wrong += " reed of note " + std::to_string(last) + " unlit";
  });
  Press("cPlay");
  EXPECT_TRUE(Locked());
  EXPECT_TRUE(Enabled("cStop"));
  PlayUntilTheEnd();
  QObject::disconnect(marking);
  EXPECT_EQ(played, Words{kPattern3});
  EXPECT_EQ(last, static_cast<int32_t>(words.size()));
  EXPECT_EQ(wrong, "");
  EXPECT_TRUE(Unlocked());
  EXPECT_FALSE(Enabled("cStop"));
  EXPECT_EQ(Text("cCurrentItem"), kPattern3) << "the phrase in place of its marking";
  EXPECT_EQ(Screen().Get<forms::TextBox>("cCurrentItem").SelStart(), 0) << "the phrase's start in view";
  for (int16_t r = 1; r <= 40; ++r)
    EXPECT_NE(Screen().Ctl("cL", r).BackColor(), sound::kCurrentNoteColour) << "reed " << r;
  EXPECT_TRUE(messages.empty());
}

TEST_F(PlayingTest, StartLoopingRepeatsUntilStopLoopingAndStopEndsAtOnce) {
  Press("cMajorScale");
  Fastest();
  Pattern("cMnu1UC");
  Press("cStartLoop");
  EXPECT_EQ(sound::LoopFlag, -1);
  EXPECT_TRUE(Enabled("cStopLoop"));
  EXPECT_FALSE(Enabled("cStop"));
  PlayUntilPlayed(3);
  Press("cStopLoop");
  PlayUntilTheEnd();
  EXPECT_EQ(sound::LoopFlag, 0);
  EXPECT_EQ(played, Words(3, "S R R G G m m P P D D N N S> S> N N D D P P m m G G R R S"));
  EXPECT_TRUE(Unlocked());

  played.clear();
  Press("cPlay");
  PlayFor(1s);
  Press("cStop");
  PlayUntilTheEnd();
  PlayFor(3s);
  EXPECT_EQ(played.size(), 1u);
  EXPECT_EQ(Player().Mode(), mci::mciModeNotOpen);
  EXPECT_TRUE(Unlocked());
  EXPECT_TRUE(messages.empty());
}

// Practice mode: one segment per run, played one after another; looping sets the whole
// set up again from its first run.
TEST_F(PlayingTest, PracticeModePlaysThePatternRunByRun) {
  Screen().Get<forms::OptionButton>("cOPract").Select();
  Press("cMajorScale");
  Fastest();
  Pattern("cMnu3UC");
  ASSERT_EQ(sound::TPlayInfo.PhraseCount, 10);
  EXPECT_EQ(sound::PlayMode, 2);
  Press("cStartLoop");
  PlayUntilPlayed(12);
  Press("cStopLoop");
  PlayUntilTheEnd();
  Words runs;
  const Words words = Split(kPattern3);
  for (size_t r = 0; r < 10; ++r) runs.push_back(common::notation::Join(Words(words.begin() + 4 * r, words.begin() + 4 * r + 4), " "));
  ASSERT_GE(played.size(), 12u);
  EXPECT_EQ(Words(played.begin(), played.begin() + 10), runs);
  EXPECT_EQ(played[10], runs[0]) << "the loop starts over from the first run";
  EXPECT_EQ(played[11], runs[1]);
  EXPECT_TRUE(messages.empty());
}

// Practice mode plays its runs one after another with the drone running on: the first
// run's file is rendered as one that another follows at once, so the second run's
// drone carries on from it instead of coming in afresh, and both end alike.
TEST_F(PlayingTest, TheFirstPracticeRunRunsOnIntoTheSecond) {
  Screen().Get<forms::OptionButton>("cOPract").Select();
  Press("cMajorScale");
  Fastest();
  Pattern("cMnu3UC");
  auto tail = [](size_t slot) {
    soundlib::WavReader reader;
    const sound::NotesListRec& rec = sound::NotesList[slot];
    if (!reader.Open(shell::WavFiles[slot])) return int64_t{-1};
    return reader.frames() - int64_t{rec.Positions[static_cast<size_t>(rec.NoteCount)]} * soundlib::kSampleRate / 1000;
  };
  const int64_t first = tail(0);
  Press("cPlay");  // the second run is rendered as the first starts
  EXPECT_EQ(sound::NotesList[1].Text, "R G m P");
  EXPECT_TRUE(soundlib::LastFileRanOn()) << "the second run runs on from the first";
  EXPECT_EQ(first, tail(1));
  // Past its music's end (a whole ms) the file holds the last note's release and the room's echo.
  EXPECT_NEAR(first, soundlib::Harmonium::kTailSamples + soundlib::Room::kTailSamples, soundlib::kSampleRate / 1000);
  PlayUntilTheEnd();
  EXPECT_EQ(played.size(), 10u);
  EXPECT_TRUE(messages.empty());
}

// "S To S>" after a five-note scale still spans S to S> on the major scale.
TEST_F(PlayingTest, TheOctavePatternFollowsTheScaleOfEachMode) {
  Press("cNotePatterns");
  Answer(2);
  Answer(1);
  for (const int16_t n : {7, 9, 12, 14}) ClickKeyOf(n);
  Pattern("cMnuSToS");
  EXPECT_EQ(Text("cPatName"), "S R G P D S> S> D P G R S");
  Pattern("cMnuPToP");
  EXPECT_EQ(Text("cPatName"), "P< D< S R G P D S> R> G> P> P> G> R> S> D P G R S D< P<");
  Press("cSwitchWBMode");
  Press("cMajorScale");
  Pattern("cMnuSToS");
  EXPECT_EQ(Text("cPatName"), "S R G m P D N S> S> N D P m G R S");
  Pattern("cMnuPToP");
  EXPECT_EQ(Split(Text("cPatName")).size(), 30u);
  EXPECT_TRUE(messages.empty());
}

// Choosing a pattern sets up what Play plays: never the phrase set up before.
TEST_F(PlayingTest, PlayPlaysThePatternChosenLast) {
  Press("cMajorScale");
  Fastest();
  Pattern("cMnu3UC");
  Pattern("cMnu1UC");
  Press("cPlay");
  PlayUntilTheEnd();
  EXPECT_EQ(played, Words{"S R R G G m m P P D D N N S> S> N N D D P P m m G G R R S"});
}

TEST_F(PlayingTest, InRagaModeBhupaliAndYamanPlayPattern3) {
  struct Case {
    const char* raga;
    std::string phrase;
  };
  const Case cases[] = {
      {"Bhupali", "S R G P R G P D G P D S> S> D P G D P G R P G R S"},
      {"Yaman", "S R G M R G M D G M D N M D N S> S> N D P N D P M D P M G P M G R M G R S"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.raga);
    played.clear();
    Press("cNotesForRaga");
    Choose(c.raga);
    Fastest();
    Pattern("cMnu3UC");
    EXPECT_EQ(Text("cCurrentItem"), Spaced(c.phrase, "   "));
    Press("cPlay");
    PlayUntilTheEnd();
    EXPECT_EQ(played, Words{c.phrase});
    Press("cSwitchWBMode");
  }
  EXPECT_TRUE(messages.empty());
}

// Raga mode's own scale and pakad play with the raga's stored durations.
TEST_F(PlayingTest, TheRagasOwnScaleKeepsItsDurations) {
  Press("cNotesForRaga");
  Choose("Bhupali");
  Pattern("cMnuSToS");
  EXPECT_EQ(Text("cPatName"), "S R G P D S> S> D P G R S");
  EXPECT_EQ(sound::TPlayInfo.Timings[0], "40 40 40 40 40 80 40 40 40 40 40 80");
  Pattern("cMnu1UC");
  EXPECT_EQ(Split(sound::TPlayInfo.Timings[0]), Words(Split(sound::TPlayInfo.Phrases[0]).size(), "70"));
}

// The raga's own scale and pakad keep their stored rhythm at every speed: the slider
// scales the durations the phrase is rendered with, it never makes them equal. The
// learner's text keeps the rhythm while its notes are the same (marked off in segments
// here); other notes take BaseBeat each.
TEST_F(PlayingTest, TheRagasOwnRhythmIsScaledByTheSpeedAndNeverLost) {
  struct Case {
    const char* item;
    int32_t slider;
    const char* text;  // nullptr: the phrase as shown
    std::vector<int32_t> rendered;  // milliseconds of each note, every phrase in turn
  };
  const Case cases[] = {
      {"cMnuSToS", 9, nullptr, {400, 400, 400, 400, 400, 800, 400, 400, 400, 400, 400, 800}},
      {"cMnuSToS", 13, nullptr, {200, 200, 200, 200, 200, 400, 200, 200, 200, 200, 200, 400}},
      {"cMnuSToS", 4, nullptr, {800, 800, 800, 800, 800, 1600, 800, 800, 800, 800, 800, 1600}},
      {"cMnuSToS", 13, "S R G P D S> : S> D P G R S", {200, 200, 200, 200, 200, 400, 200, 200, 200, 200, 200, 400}},
      {"cMnuSToS", 13, "S R G P D S>", {350, 350, 350, 350, 350, 350}},
      {"cMnuPToP", 9, nullptr, {400, 400, 400, 400, 400, 400, 800}},
      {"cMnuPToP", 4, nullptr, {800, 800, 800, 800, 800, 800, 1600}},
  };
  Press("cNotesForRaga");
  Choose("Bhupali");
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.item) + " at " + std::to_string(c.slider) + (c.text ? std::string(" ") + c.text : ""));
    Pattern(c.item);  // set up at the speed the case before left
    Ctl("cSlider").SetValue(c.slider);
    if (c.text != nullptr) Ctl("cCurrentItem").SetText(c.text);
    played.clear();
    heardMs.clear();
    Press("cPlay");
    PlayUntilTheEnd();
    std::vector<int32_t> rendered;
    for (const std::vector<int32_t>& phrase : heardMs) rendered.insert(rendered.end(), phrase.begin(), phrase.end());
    EXPECT_EQ(rendered, c.rendered);
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(PlayingTest, APatternChosenBeforeARagaBuildsNothing) {
  Press("cNotesForRaga");
  Screen().Get<forms::OptionButton>("cOPract").Select();  // the pattern is rebuilt for the mode
  workshop::PatternSource = 1;
  workshop::BasePatternNo = 4;
  Dispatch(6);
  EXPECT_EQ(halts, 0);
  EXPECT_TRUE(messages.empty());
  EXPECT_FALSE(Enabled("cPlay"));
}

TEST_F(PlayingTest, AMalformedOrUnplayablePatternIsRefusedAndNothingIsLeftToPlay) {
  Press("cMajorScale");
  Pattern("cMnu3UC");
  ASSERT_TRUE(Enabled("cPlay"));
  workshop::PatternSource = 2;
  workshop::PatternRunMode = 2;
  workshop::PatternStartNote = 5;
  for (const char* pattern : {"BXC3", "BUC14"}) {
    SCOPED_TRACE(pattern);
    messages.clear();
    workshop::UserPatternPhrase = pattern;
    Dispatch(6);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].prompt, std::string(pattern) == "BXC3"
                                      ? "Error in phrase spec"
                                      : "The selected phrase cannot be illustrated. Please select another.");
    EXPECT_EQ(messages[0].title, "Message");
    EXPECT_FALSE(Enabled("cPlay"));
    EXPECT_FALSE(Enabled("cStartLoop"));
  }
  EXPECT_EQ(halts, 0);
}

// In learning mode the phrase shown may be changed before Play: the change is played; a
// text without notes is refused.
TEST_F(PlayingTest, ThePhraseAsChangedIsPlayedAndAnEmptyOneRefused) {
  Press("cMajorScale");
  Pattern("cMnu1UC");
  Ctl("cCurrentItem").SetText("S R : G m");
  Press("cPlay");
  PlayUntilTheEnd();
  EXPECT_EQ(played, (Words{"S R", "G m"}));
  EXPECT_EQ(Text("cCurrentItem"), "S R : G m");
  for (const char* text : {"", " : ", "S X R"}) {
    messages.clear();
    Ctl("cCurrentItem").SetText(text);
    Press("cStartLoop");
    EXPECT_EQ(MessageTexts(),
              Words{"One or more changes you made are not allowable. Please check and correct errors."}) << text;
    EXPECT_EQ(sound::LoopFlag, 0);
    EXPECT_TRUE(Unlocked());
  }
}

// A slider move sets the phrase up again at the new speed.
TEST_F(PlayingTest, TheSpeedSliderTakesEffectAtTheNextPlay) {
  Press("cMajorScale");
  Pattern("cMnu1UC");
  EXPECT_EQ(Split(sound::TPlayInfo.Timings[0]).front(), "70");
  Ctl("cSlider").SetValue(13);  // factor 0.5
  EXPECT_EQ(workshop::SpeedChanged, -1);
  Press("cPlay");
  EXPECT_EQ(Split(sound::TPlayInfo.Timings[0]).front(), "35");
  EXPECT_EQ(workshop::SpeedChanged, 0);
  PlayUntilTheEnd();
}

// The timer after a note waits while the player still plays, the screen refusing the
// learner's input meanwhile without holding the event loop; once the note has ended the
// screen takes input again and plays again.
TEST_F(PlayingTest, TheTimerWaitsForThePlayerWithoutHoldingTheScreen) {
  Press("cMajorScale");
  Fastest();
  Pattern("cMnu1UC");
  sound::CurrOperationMode = 1;  // Play as the quiz plays: what is set up, then the timer
  Press("cPlay");
  ASSERT_EQ(Player().Mode(), mci::mciModePlay);
  Ctl("cTimer1").RaiseFromUser(forms::Event::Timer);
  EXPECT_TRUE(Ctl("cTimer1").Enabled()) << "looks again shortly";
  EXPECT_EQ(Screen().Get<forms::Timer>("cTimer1").Interval(), 100);
  EXPECT_TRUE(Locked());
  EXPECT_TRUE(Screen().Busy());
  EXPECT_FALSE(Ctl("cSwitchWBMode").TakesInput());
  PlayUntilTheEnd();
  Ctl("cTimer1").RaiseFromUser(forms::Event::Timer);
  EXPECT_FALSE(Ctl("cTimer1").Enabled());
  EXPECT_TRUE(Unlocked());
  EXPECT_FALSE(Screen().Busy());
  Press("cPlay");
  EXPECT_EQ(Player().Mode(), mci::mciModePlay) << "plays again";
  PlayUntilTheEnd();
}

TEST_F(PlayingTest, AGraceNoteChangeBuildsThePatternAgain) {
  Press("cNotesForRaga");
  Choose("Bhairav");
  Pattern("cMnuPToP");  // the pakad, with its glide
  EXPECT_EQ(Text("cPatName"), "S r'G m");
  Menu("cMnuNoGraNot");
  EXPECT_EQ(shell::GraceNotes, 1);
  EXPECT_TRUE(Screen().Get<forms::MenuItem>("cMnuNoGraNot").Checked());
  EXPECT_EQ(Text("cPatName"), "S G m");
  EXPECT_EQ(sound::TPlayInfo.Phrases[0], "S G m");
}

TEST_F(PlayingTest, AScriptChangeShowsTheNotationInTheNewScript) {
  shell::DevnagariAvailable = -1;
  Press("cReturn");
  Open();
  Press("cMajorScale");
  Pattern("cMnu1UC");
  Menu("cMnuDev");
  EXPECT_EQ(shell::NotationScript, 1);
  EXPECT_EQ(Text("cPattern"), "saa ro ga ma p Qa ina saaM");
  EXPECT_EQ(Text("cPatName"), "saa   ro");
  EXPECT_EQ(Ctl("cPatName").FontName(), "Shusha");
  EXPECT_EQ(Screen().Ctl("cL", static_cast<int16_t>(sound::CurrTonicNoteId + 9)).Caption(), "saa");
  Menu("cMnuEng");
  EXPECT_EQ(Text("cPattern"), "S R G m P D N S> ");
  EXPECT_EQ(Text("cPatName"), "S R");
  shell::NotationScript = 2;
}

// A tonic whose seeds cannot be prepared leaves the tonic, its check mark and the sound
// as they were; a good one rebuilds the phrase at the new pitch.
TEST_F(PlayingTest, ATonicChangeRetunesOrLeavesEverythingAsItWas) {
  // The rows of built-in scale set 4 (tonic key 4) beside the fixture's set 3.
  std::string rows;
  for (int type : {1, 2}) {
    rows += "INSERT INTO \"ONPR\" (\"NPSetId\", \"InstrumentType\", \"NPSetName\", \"TonicNoteId\"";
    for (int k = 0; k <= 26; ++k) rows += std::string(", \"") + (k < 10 ? "0" : "") + std::to_string(k) + "\"";
    rows += ") VALUES (4, " + std::to_string(type) + ", 'Set 4', 4";
    for (int k = 0; k <= 26; ++k) rows += ", 0";
    rows += ");\n";
  }
  shell::DatabaseA.Close();
  testsupport::RunSql(Path("mrA.kzy"), rows);
  shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), true, true, "MS ACCESS;PWD=x");
  Press("cMajorScale");
  Pattern("cMnu1UC");
  soundLib.failWhen = [](const testsupport::SoundLibCall& c) { return c.entry == "FWavLoadInstrNoteSeeds"; };
  Menu("cMnuW2");
  soundLib.failWhen = {};
  EXPECT_EQ(sound::CurrTonicNoteId, 3);
  EXPECT_TRUE(Screen().Get<forms::MenuItem>("cMnuB1").Checked());
  EXPECT_FALSE(Screen().Get<forms::MenuItem>("cMnuW2").Checked());
  EXPECT_EQ(MessageTexts().back(), "Error Creating Mote Seeds");
  messages.clear();
  Menu("cMnuW2");
  EXPECT_EQ(sound::CurrTonicNoteId, 4);
  EXPECT_EQ(sound::CurrMusicSetId, 4);
  EXPECT_TRUE(Screen().Get<forms::MenuItem>("cMnuW2").Checked());
  EXPECT_EQ(Screen().Ctl("cL", 13).Caption(), "S");
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("35,39"));
  EXPECT_NE(Text("cPrompts").find("White-2 (D)"), std::string::npos);
  EXPECT_TRUE(Enabled("cPlay"));
  EXPECT_TRUE(messages.empty());
  // No key click halts after the keyboard was drawn for the new tonic.
  for (int16_t label = 0; label <= 40; ++label) ClickKey(label);
  EXPECT_EQ(halts, 0);
}

}  // namespace
}  // namespace workshoptest
