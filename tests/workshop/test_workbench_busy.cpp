// The workbench while it plays: whatever the learner clicks, chooses, types or answers is
// refused before it changes anything and looks disabled, but Stop and Stop Looping; Stop
// (or the end of the play) then gives back a screen on which Play plays again.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "PlayingTest.h"
#include "sound/SoundState.h"
#include "soundlib/WavWriter.h"
#include "support/BusyInputs.h"
#include "support/ScriptedRnd.h"
#include "workshop/WorkshopState.h"

namespace workshoptest {
namespace {

using namespace std::chrono_literals;

class BusyTest : public PlayingTest {
 public:
  using PlayingTest::Answer;
  using PlayingTest::ClickKeyOf;
  using PlayingTest::Fastest;
  using PlayingTest::Menu;
  using PlayingTest::Pattern;
  using PlayingTest::PlayUntilTheEnd;
  using PlayingTest::Press;
  using PlayingTest::Shown;

 protected:
  void SetUp() override {
    PlayingTest::SetUp();
    // A drone of two cycles of silence, for the drone alone.
    sound::SoundLib.FWavGenerateDroneFile = [](int32_t, const std::string& file, int32_t) {
      soundlib::WavWriter writer;
      const std::vector<int16_t> silence(44100 * 32 / 10 * 2, 0);
      return writer.Open(file) && writer.Write(silence.data(), static_cast<int64_t>(silence.size())) && writer.Close()
                 ? int16_t{1}
                 : int16_t{0};
    };
  }
  // The screen's words that the learner's input would change.
  static std::string Words() {
    using namespace workshop;
    return std::to_string(WBMode) + " " + std::to_string(OptionStep) + " " + std::to_string(PatternSource) + " " +
           std::to_string(BasePatternNo) + " " + std::to_string(KeyLabelPurpose) + " " +
           std::to_string(DefinePatternStep) + " " + std::to_string(QuizNote) + " " + std::to_string(RagaChosen) +
           " " + std::to_string(sound::LoopFlag) + " " + std::to_string(sound::CurrOperationMode) + " " +
           std::to_string(sound::CurrItemKind) + " " + std::to_string(sound::CurrDroneType) + " " +
           std::to_string(sound::NewTonicNoteId) + " " + std::to_string(shell::GraceNotes) + " " +
           std::to_string(shell::NotationScript) + " " + std::to_string(ClickedNoteLabel) + " " + WBCurrentPhrase;
  }
};

struct BusyCase {
  const char* what;
  std::function<void(BusyTest&)> start;  // leaves the workbench playing
  const char* stop;                      // the learner's way to end it
  std::function<void(BusyTest&)> again;  // the learner's next ordinary step: a play, ended by `stop` too
};

void MajorScalePattern(BusyTest& t) {
  t.Press("cMajorScale");
  t.Fastest();
  t.Pattern("cMnu1UC");
}

void NotesQuiz(BusyTest& t) {
  testsupport::ScriptedRnd rnd({testsupport::Pick(6, 25)});  // S
  t.Press("cNotesQuiz");
  t.Answer(1);  // every note
}

TEST_F(BusyTest, WhatIsClickedWhilePlayingIsRefusedAndStopGivesBackAScreenThatPlays) {
  const BusyCase cases[] = {
      {"a pattern playing", [](BusyTest& t) { MajorScalePattern(t); t.Press("cPlay"); }, "cStop",
       [](BusyTest& t) { t.Press("cPlay"); }},
      {"a pattern looping", [](BusyTest& t) { MajorScalePattern(t); t.Press("cStartLoop"); }, "cStopLoop",
       [](BusyTest& t) { t.Press("cStartLoop"); }},
      {"a pattern looping under the question of Define Pattern",
       [](BusyTest& t) {
         t.Press("cMajorScale");
         t.Fastest();
         t.Menu("cMnuDefPat");
         ASSERT_TRUE(t.Shown("Frame2"));
         t.Pattern("cMnu1UC");
         t.Press("cStartLoop");
       },
       "cStopLoop", [](BusyTest& t) { t.Press("cStartLoop"); }},
      {"the drone alone under the question of the scale",
       [](BusyTest& t) {
         t.Press("cNotePatterns");
         ASSERT_TRUE(t.Shown("Frame2"));
         t.Menu("cMnuWitP");
       },
       "cStopLoop", [](BusyTest& t) { t.Menu("cMnuWitP"); }},
      {"the drone alone under the question of the notes quiz",
       [](BusyTest& t) {
         t.Press("cNotesQuiz");
         ASSERT_TRUE(t.Shown("Frame2"));
         t.Menu("cMnuWitP");
       },
       "cStopLoop", [](BusyTest& t) { t.Menu("cMnuWitP"); }},
      {"a meend glide playing",
       [](BusyTest& t) {
         t.Press("cMajorScale");
         t.Menu("cMnuMeePat");
         t.ClickKeyOf(5);
         t.ClickKeyOf(7);
       },
       "cStop",
       [](BusyTest& t) {
         t.ClickKeyOf(5);
         t.ClickKeyOf(9);
       }},
      {"a quiz note playing", [](BusyTest& t) { NotesQuiz(t); }, "cStop", [](BusyTest& t) { t.Press("cPlay"); }},
      {"a quiz note looping",
       [](BusyTest& t) {
         NotesQuiz(t);
         t.PlayUntilTheEnd();
         t.Press("cStartLoop");
       },
       "cStopLoop", [](BusyTest& t) { t.Press("cStartLoop"); }},
      {"a key heard in the quiz",
       [](BusyTest& t) {
         NotesQuiz(t);
         t.PlayUntilTheEnd();
         t.ClickKeyOf(9);
       },
       "cStop", [](BusyTest& t) { t.ClickKeyOf(5); }},
  };
  for (const BusyCase& c : cases) {
    SCOPED_TRACE(c.what);
    if (Screen().Loaded()) {
      sound::LoopFlag = 0;
      Press("cReturn");
    }
    Open();
    c.start(*this);
    ASSERT_EQ(Player().Mode(), mci::mciModePlay);
    ASSERT_TRUE(Screen().Busy());
    testsupport::ExpectEveryInputRefused(Screen(), Words, "sWorkshop", 20);
    EXPECT_EQ(Player().Mode(), mci::mciModePlay);
    EXPECT_TRUE(messages.empty());

    // The learner's next steps: Stop, then a play that plays, then Stop again.
    for (int round = 0; round < 2; ++round) {
      Press(c.stop);
      PlayFor(5s, [&] { return !Screen().Busy(); });
      EXPECT_FALSE(Screen().Busy());
      EXPECT_NE(Player().Mode(), mci::mciModePlay);
      if (round == 1) break;
      c.again(*this);
      EXPECT_EQ(Player().Mode(), mci::mciModePlay) << "plays again";
      EXPECT_TRUE(Screen().Busy());
    }
    EXPECT_TRUE(messages.empty());
  }
}

}  // namespace
}  // namespace workshoptest
