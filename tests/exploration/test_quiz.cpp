// The quiz, through its form events and dispatcher, on the fixture content database with
// scripted random draws: choosing the kinds, samples of each kind rendered and heard on
// the silent output of a fake clock, guessing, the answer, exploring the raga and coming
// back, and the learner's settings on every way out.
#include <QComboBox>
#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "SampleScreenTest.h"
#include "common/CommonState.h"
#include "common/NotationWords.h"
#include "exploration/ExplorationState.h"
#include "exploration/MainOperations.h"
#include "exploration/Quiz.h"
#include "support/BusyInputs.h"
#include "support/ScriptedRnd.h"

namespace explorationtest {
namespace {

using namespace std::chrono_literals;
using testsupport::Pick;
using Names = std::vector<std::string>;

const std::string kYamanScale = "N< R G M P D N S> S> N D P M G R S";
const std::string kYamanPakad = "N< R G R P R N<'R S";
const std::string kYamanAlap2 = "N< R G R G N< R S";
const std::string kBhairavPakad = "S r S";

// What the screen looks like while a sample plays.
struct DuringPlay {
  int16_t theka = 0;
  int16_t keyboard = 0;
  std::vector<std::string> usable;  // of the controls and menus that must not be
  bool notationShown = false;
  std::string notation;
};

class QuizTest : public SampleScreenTest {
 protected:
  void SetUp() override {
    SetUpScreen(Content::Fixture, "prompts_quiz.sql");
    exploration::NotationDisplay = 0;
  }
  void TearDown() override { TearDownScreen(shell::FormQuiz); }

  forms::Form& Quiz() { return *shell::FormQuiz; }
  forms::Control& Ctl(const char* name) { return Quiz().Ctl(name); }
  std::string Caption(const char* name) { return Ctl(name).Caption(); }
  bool Shown(const char* name) { return Ctl(name).Visible(); }

  void Open() {
    int16_t action = 0;
    exploration::sTakeQuiz(action);
    ASSERT_EQ(shell::CurrFormId, 20);
  }
  void Tick(const char* box) { Ctl(box).SetValue(1); }
  // Opens the quiz and confirms the kinds ticked.
  void OpenWith(const std::vector<const char*>& boxes) {
    Open();
    for (const char* box : boxes) Tick(box);
    Press("cOK");
    ASSERT_EQ(exploration::QuizStage, 2);
  }

  // A click on a button. While what it starts plays, time moves on 10 ms for every
  // millisecond of the event loop and the sound heard is recorded; `during` runs once,
  // at the first moment of the play.
  void Press(const char* button, const std::function<void()>& during = {}) {
    forms::Control& b = Ctl(button);
    ASSERT_TRUE(b.Visible() && b.Enabled()) << button;
    QTimer ticker;
    bool ran = false;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
      clock->Advance(10ms);
      if (!Playing()) return;
      RecordOn(shell::FormQuiz);
      if (during && !ran) {
        ran = true;
        during();
      }
    });
    ticker.start(1);
    b.RaiseFromUser(forms::Event::Click);
    ticker.stop();
    Settle();
  }
  // A new sample drawn with these values of the generator.
  void NewSample(std::initializer_list<double> draws, const std::function<void()>& during = {}) {
    testsupport::ScriptedRnd rnd(draws);
    Press("cOK", during);
    EXPECT_EQ(rnd.Left(), 0u) << "every scripted draw was used";
  }
  // The pending events delivered (the end of a play closes its file).
  void Settle() {
    for (int i = 0; i < 20; ++i) {
      clock->Advance(10ms);
      QCoreApplication::processEvents();
    }
  }

  bool Playing() { return PlayingOn(shell::FormQuiz); }

  DuringPlay Observe() {
    DuringPlay d;
    d.theka = sound::Theka;
    d.keyboard = sound::KeyboardDisplay;
    for (const char* name : {"cReturn", "cMnuNot", "cMnuNotScr", "cMnuHel", "cMnuDro", "cOK", "cPlay"})
      if (Ctl(name).Enabled()) d.usable.push_back(name);
    for (const char* name : {"cRagaList", "cGuess", "cShow", "cExplore"})
      if (Ctl(name).Visible()) d.usable.push_back(name);
    d.notationShown = Shown("cNotation");
    d.notation = Ctl("cNotation").Text();
    return d;
  }

  // The learner's choice in the guess list.
  void Guess(const std::string& raga) {
    auto& list = Quiz().Get<forms::ListControl>("cRagaList");
    ASSERT_TRUE(list.Visible());
    for (int16_t i = 0; i < list.ListCount(); ++i) {
      if (list.List(i) != raga) continue;
      auto* combo = static_cast<QComboBox*>(list.Widget());
      combo->setCurrentIndex(i);
      emit combo->activated(i);
      return;
    }
    ADD_FAILURE() << raga << " is not in the guess list";
  }
};

TEST_F(QuizTest, OpensOnTheKindsAndConfirmsOnlyWithOneTicked) {
  sound::Theka = 1;
  sound::KeyboardDisplay = 1;
  Open();
  EXPECT_EQ(Quiz().Caption(), "Quiz");
  EXPECT_EQ(sound::CallbackCode, 6);
  EXPECT_EQ(shell::ParentFormId[20 - 1], 1);
  EXPECT_FALSE(mainForm->Visible());
  EXPECT_TRUE(Shown("Frame1"));
  EXPECT_TRUE(Shown("Label1"));
  for (const char* box : {"cOScale", "cOPakad", "cOAlap"}) EXPECT_EQ(Ctl(box).Value(), 0) << box;
  for (const char* name : {"cPlay", "cGuess", "cShow", "cExplore", "cRagaList", "cNotation", "Label4", "Label5"})
    EXPECT_FALSE(Shown(name)) << name;
  EXPECT_EQ(Caption("cOK"), "O&K");
  EXPECT_EQ(Ctl("cPrompts").Text(), ExpectedPrompts("31"));
  EXPECT_EQ(sound::Theka, 2) << "no theka while the quiz is open";
  EXPECT_EQ(sound::KeyboardDisplay, 2) << "no keyboard while the quiz is open";
  EXPECT_FALSE(Ctl("cMnuDev").Visible()) << "no Devanagari font";
  EXPECT_TRUE(Quiz().Get<forms::MenuItem>("cMnuDonShoNot").Checked());
  EXPECT_TRUE(Quiz().Get<forms::MenuItem>("cMnuEng").Checked());

  Press("cOK");
  EXPECT_EQ(MessageTexts(), Names{"You must elect at least one item"});
  EXPECT_EQ(exploration::QuizStage, 1);
  EXPECT_TRUE(Ctl("Frame1").Enabled());

  testsupport::ScriptedRnd rnd;  // confirming draws nothing
  Tick("cOPakad");
  Press("cOK");
  EXPECT_EQ(exploration::QuizStage, 2);
  EXPECT_EQ(exploration::QuizKindCount, 1);
  EXPECT_EQ(exploration::QuizKinds[0], 2);
  EXPECT_TRUE(Shown("Frame1") && Ctl("Frame1").Enabled()) << "the kinds can be changed again";
  EXPECT_FALSE(Shown("Label1"));
  EXPECT_EQ(Caption("cOK"), "&Select New Music Sample");
  EXPECT_TRUE(Ctl("cOK").Enabled());
  EXPECT_EQ(Ctl("cPrompts").Text(), ExpectedPrompts("32"));
  EXPECT_EQ(Lines("cRagaList"), (Names{"Bageshri", "Bhairav", "Damaged", "Yaman"}));
  EXPECT_FALSE(Shown("cRagaList"));
  EXPECT_TRUE(heard.empty());
  EXPECT_EQ(MessageTexts().size(), 1u);
}

// Each kind of sample: the raga and kind drawn, the phrase rendered into "A.wav" and heard
// once, without theka and with the keyboard hidden while the screen is locked; then the
// learner's settings and the buttons of a heard sample.
TEST_F(QuizTest, EachKindOfSamplePlaysTheDrawnRagasPhraseOnceWithTheScreenLocked) {
  struct Case {
    std::vector<const char*> boxes;
    std::vector<double> draws;  // raga, kind, (alap number), next picture
    std::string raga;
    int16_t kind;
    std::string phrase;
  };
  const Case cases[] = {
      {{"cOScale"}, {Pick(kYaman, kRagas), 0.0, 0.5}, "Yaman", 1, kYamanScale},
      {{"cOScale", "cOPakad"}, {Pick(kYaman, kRagas), Pick(2, 2), 0.5}, "Yaman", 2, kYamanPakad},
      {{"cOScale", "cOPakad"}, {Pick(kBhairav, kRagas), Pick(2, 2), 0.5}, "Bhairav", 2, kBhairavPakad},
      {{"cOScale", "cOPakad", "cOAlap"}, {Pick(kYaman, kRagas), Pick(3, 3), Pick(2, 2), 0.5}, "Yaman", 3, kYamanAlap2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.phrase);
    sound::Theka = 1;
    sound::KeyboardDisplay = 1;
    heard.clear();
    messages.clear();
    Open();
    for (const char* box : c.boxes) Tick(box);
    Press("cOK");
    DuringPlay during;
    std::vector<double> draws = c.draws;
    testsupport::ScriptedRnd rnd(draws);
    Press("cOK", [&] { during = Observe(); });
    EXPECT_EQ(rnd.Left(), 0u);
    EXPECT_EQ(common::CurrRagaName, c.raga);
    EXPECT_EQ(exploration::QuizKind, c.kind);
    EXPECT_EQ(heard, (std::vector<Heard>{{"A.wav", c.phrase}}));
    EXPECT_EQ(during.theka, 2);
    EXPECT_EQ(during.keyboard, 2);
    EXPECT_TRUE(during.usable.empty()) << ::testing::PrintToString(during.usable);
    EXPECT_FALSE(during.notationShown);
    EXPECT_EQ(shell::GraceNotes, 2);
    // Heard: the learner's settings back, Play again, Guess and Show offered, OK greyed.
    EXPECT_EQ(sound::Theka, 1);
    EXPECT_EQ(sound::KeyboardDisplay, 1);
    EXPECT_EQ(Caption("cOK"), "Selected");
    EXPECT_FALSE(Ctl("cOK").Enabled());
    for (const char* name : {"cPlay", "cGuess", "cShow"}) EXPECT_TRUE(Shown(name) && Ctl(name).Enabled()) << name;
    EXPECT_EQ(Caption("cPlay"), "&Play again");
    for (const char* name : {"cNotation", "cRagaList", "cExplore", "Label4", "Label5"})
      EXPECT_FALSE(Shown(name)) << name;
    for (const char* name : {"cReturn", "cMnuNot", "cMnuNotScr", "cMnuHel", "cMnuDro"})
      EXPECT_TRUE(Ctl(name).Enabled()) << name;
    EXPECT_EQ(shell::MMControlOf(Quiz(), "cMM")->Mode(), mci::mciModeNotOpen) << "the file is closed after its end";
    EXPECT_EQ(shell::PictureNumber, 5) << "the next picture is drawn";
    EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
    Press("cReturn");
    ASSERT_EQ(shell::CurrFormId, 1);
  }
}

TEST_F(QuizTest, PlayAgainRepeatsTheSameSampleAndTheNotationShowsOnlyWhileItPlays) {
  OpenWith({"cOPakad"});
  Quiz().Ctl("cMnuShoNot").RaiseFromUser(forms::Event::Click);
  EXPECT_EQ(exploration::NotationDisplay, 1);
  EXPECT_TRUE(Quiz().Get<forms::MenuItem>("cMnuShoNot").Checked());
  EXPECT_FALSE(Quiz().Get<forms::MenuItem>("cMnuDonShoNot").Checked());
  DuringPlay during;
  NewSample({Pick(kYaman, kRagas), 0.0, 0.5}, [&] { during = Observe(); });
  EXPECT_TRUE(during.notationShown);
  EXPECT_EQ(common::notation::Words(during.notation, " "), common::notation::Words(kYamanPakad, " "));
  EXPECT_FALSE(Shown("cNotation"));

  testsupport::ScriptedRnd picture({0.5});
  Press("cPlay", [&] { during = Observe(); });
  EXPECT_EQ(heard, (std::vector<Heard>{{"A.wav", kYamanPakad}, {"A.wav", kYamanPakad}}));
  EXPECT_TRUE(during.usable.empty()) << ::testing::PrintToString(during.usable);
  EXPECT_FALSE(Ctl("cOK").Enabled()) << "no new sample before the answer is known";
  EXPECT_EQ(common::CurrRagaName, "Yaman");
  EXPECT_TRUE(messages.empty());
}

// While a sample plays, whatever the learner clicks, chooses or ticks is refused before it
// changes anything and looks disabled; when it has played, the screen is as it was before
// the play, the guess list open again when it was open, and takes a guess.
TEST_F(QuizTest, WhatIsClickedWhileASamplePlaysIsRefusedAndTheScreenComesBackAsItWas) {
  TraceOnNow();
  const auto words = [] {
    return std::to_string(exploration::QuizStage) + " " + std::to_string(exploration::QuizKind) + " " +
           std::to_string(exploration::NotationDisplay) + " " + std::to_string(shell::NotationScript) + " " +
           std::to_string(sound::DroneVolumeStep) + " " + common::CurrRagaName;
  };
  OpenWith({"cOPakad"});
  bool refused = false;
  NewSample({Pick(kYaman, kRagas), 0.0, 0.5}, [&] {
    testsupport::ExpectEveryInputRefused(Quiz(), words, "sTakeQuiz", 5);
    refused = true;
  });
  EXPECT_TRUE(refused);
  Press("cGuess");
  ASSERT_TRUE(Shown("cRagaList"));
  refused = false;
  Press("cPlay", [&] {
    testsupport::ExpectEveryInputRefused(Quiz(), words, "sTakeQuiz", 5);
    refused = true;
  });
  EXPECT_TRUE(refused);
  EXPECT_FALSE(Quiz().Busy());
  EXPECT_TRUE(Shown("cRagaList")) << "the guess list is back";
  EXPECT_TRUE(Ctl("cRagaList").TakesInput());
  Guess("Yaman");
  EXPECT_EQ(Caption("Label5"), "It IS Yaman!   Well Done!");
  EXPECT_TRUE(messages.empty());
}

TEST_F(QuizTest, AWrongGuessAsksAgainAndARightOneOffersANewSampleAndExploring) {
  OpenWith({"cOPakad"});
  NewSample({Pick(kYaman, kRagas), 0.0, 0.5});
  Press("cGuess");
  EXPECT_TRUE(Shown("cRagaList"));
  EXPECT_EQ(Quiz().Get<forms::ListControl>("cRagaList").ListIndex(), -1);

  Guess("Bhairav");
  EXPECT_EQ(Caption("Label4"), "You Selected Bhairav");
  EXPECT_EQ(Caption("Label5"), "Guess Again");
  EXPECT_TRUE(Shown("Label4") && Shown("Label5"));
  EXPECT_EQ(Quiz().Get<forms::ListControl>("cRagaList").ListIndex(), -1);
  EXPECT_TRUE(Shown("cRagaList")) << "the list stays open for another guess";
  EXPECT_FALSE(Shown("cExplore"));
  EXPECT_FALSE(Ctl("cOK").Enabled());

  Guess("Yaman");
  EXPECT_EQ(Caption("Label4"), "You Selected Yaman");
  EXPECT_EQ(Caption("Label5"), "It IS Yaman!   Well Done!");
  EXPECT_TRUE(Shown("cExplore"));
  for (const char* name : {"cRagaList", "cGuess", "cShow", "cPlay"}) EXPECT_FALSE(Shown(name)) << name;
  EXPECT_EQ(Caption("cOK"), "&Select New Music Sample");
  EXPECT_TRUE(Ctl("cOK").Enabled());

  // The next sample clears the verdict; "What is it?" names its raga.
  NewSample({Pick(kBhairav, kRagas), 0.0, 0.5});
  for (const char* name : {"Label4", "Label5", "cExplore"}) EXPECT_FALSE(Shown(name)) << name;
  for (const char* name : {"Label4", "Label5"}) EXPECT_EQ(Caption(name), "") << name;
  Press("cShow");
  EXPECT_EQ(Caption("Label5"), "It is Bhairav");
  EXPECT_TRUE(Shown("Label5") && Shown("cExplore"));
  for (const char* name : {"cRagaList", "cGuess", "cShow", "cPlay"}) EXPECT_FALSE(Shown(name)) << name;
  EXPECT_TRUE(Ctl("cOK").Enabled());
  EXPECT_EQ(Lines("cRagaList"), (Names{"Bageshri", "Bhairav", "Damaged", "Yaman"})) << "filled once";
  EXPECT_TRUE(messages.empty());
}

// The whole visit: a pakad heard without tabla, a wrong guess, the answer, the raga
// explored and left back to the quiz, and the quiz left with the learner's settings.
TEST_F(QuizTest, ExploringOpensTheRagasIllustrationScreenAndGoBackReturnsToTheQuiz) {
  sound::Theka = 1;
  sound::KeyboardDisplay = 1;
  OpenWith({"cOPakad"});
  NewSample({Pick(kYaman, kRagas), 0.0, 0.5});
  Press("cGuess");
  Guess("Bageshri");
  EXPECT_EQ(Caption("Label5"), "Guess Again");
  Press("cShow");
  EXPECT_EQ(Caption("Label5"), "It is Yaman");
  EXPECT_FALSE(Shown("Label4")) << "the answer takes the place of the wrong guess";
  EXPECT_EQ(Caption("Label4"), "");
  Press("cExplore");
  ASSERT_EQ(shell::CurrFormId, 28);
  EXPECT_EQ(shell::ParentFormId[28 - 1], 20);
  EXPECT_EQ(shell::FormMainOperations->Ctl("cRaga").Text(), "Yaman");
  EXPECT_EQ(sound::KeyboardDisplay, 1);
  EXPECT_TRUE(shell::FormMainOperations->Ctl("cR", 10).Visible()) << "the learner's keyboard is shown";
  EXPECT_FALSE(Quiz().Visible());

  shell::FormMainOperations->Ctl("cReturn").RaiseFromUser(forms::Event::Click);
  ASSERT_EQ(shell::CurrFormId, 20);
  EXPECT_TRUE(Quiz().Visible());
  EXPECT_EQ(Caption("Label5"), "It is Yaman");
  EXPECT_TRUE(Shown("cExplore"));
  EXPECT_TRUE(Ctl("cOK").Enabled());

  // A new sample from here plays on the quiz as before.
  NewSample({Pick(kBhairav, kRagas), 0.0, 0.5});
  EXPECT_EQ(heard.back(), (Heard{"A.wav", kBhairavPakad}));
  EXPECT_EQ(sound::CallbackCode, 6);
  Press("cReturn");
  EXPECT_EQ(shell::CurrFormId, 1);
  EXPECT_FALSE(Quiz().Loaded());
  EXPECT_EQ(sound::Theka, 1);
  EXPECT_EQ(sound::KeyboardDisplay, 1);
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
}

// A raga without the kind drawn gives another kind it has; a raga without any of the
// kinds ticked, or whose data cannot be read, is drawn again.
TEST_F(QuizTest, ARagaWithoutTheKindsTickedOrUnreadableIsDrawnAgain) {
  struct Case {
    std::vector<const char*> boxes;
    std::vector<double> draws;
    int16_t kind;
    std::string phrase;
  };
  const Case cases[] = {
      // Bhairav has no alap: another raga, Yaman (the first of the three left), and its
      // first alap.
      {{"cOAlap"}, {Pick(kBhairav, kRagas), 0.0, Pick(1, kRagas - 1), 0.0, Pick(1, 2), 0.5}, 3, "S N< D< N<'R S"},
      // The damaged raga cannot be set up: another is drawn, Yaman the second of the three left.
      {{"cOPakad"}, {Pick(kDamaged, kRagas), 0.0, Pick(2, kRagas - 1), 0.0, 0.5}, 2, kYamanPakad},
      // Bhairav lacks the alap drawn, but has the pakad also ticked.
      {{"cOPakad", "cOAlap"}, {Pick(kBhairav, kRagas), Pick(2, 2), 0.0, 0.5}, 2, kBhairavPakad},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.phrase);
    heard.clear();
    OpenWith(c.boxes);
    testsupport::ScriptedRnd rnd(c.draws);
    Press("cOK");
    EXPECT_EQ(rnd.Left(), 0u);
    EXPECT_EQ(exploration::QuizKind, c.kind);
    EXPECT_EQ(heard, (std::vector<Heard>{{"A.wav", c.phrase}}));
    EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
    EXPECT_EQ(halts, 0);
    Press("cReturn");
  }
}

// A search for a sample tries every raga once, in the order drawn, before it says none
// has one: draws that would land on the same raga again and again still reach the one
// raga with an alap.
TEST_F(QuizTest, EveryRagaIsTriedOnceBeforeTheQuizSaysNoneHasASample) {
  OpenWith({"cOAlap"});
  testsupport::ScriptedRnd rnd;
  rnd.ThenAlways(0.0);  // always the first raga left, the first kind, the first phrase
  Press("cOK");
  EXPECT_EQ(common::CurrRagaName, "Yaman");
  EXPECT_EQ(exploration::QuizKind, 3);
  EXPECT_EQ(heard, (std::vector<Heard>{{"A.wav", "S N< D< N<'R S"}}));
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());

  // In a random order: the last raga left first, then the first left, and so on.
  heard.clear();
  Press("cShow");
  testsupport::ScriptedRnd order({Pick(4, 4), 0.0, Pick(3, 3), 0.0, Pick(1, 2), 0.0, Pick(1, 1), 0.0, 0.0, 0.0});
  Press("cOK");
  EXPECT_EQ(order.Left(), 0u);
  EXPECT_EQ(common::CurrRagaName, "Yaman") << "Damaged, Bageshri and Bhairav have none";
  EXPECT_EQ(heard.size(), 1u);
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
}

// The damaged raga drawn is passed over with the trace at the depth it had: a draw that
// cannot read a raga leaves no levels behind.
TEST_F(QuizTest, AnUnreadableRagaDrawnLeavesTheTraceAtItsDepth) {
  TraceOnNow();
  OpenWith({"cOPakad"});
  const int16_t depth = common::TraceDepth;
  for (int n = 0; n < 3; ++n) {
    SCOPED_TRACE(n);
    NewSample({Pick(kDamaged, kRagas), 0.0, Pick(kYaman, kRagas - 1), 0.0, 0.5});
    EXPECT_EQ(common::CurrRagaName, "Yaman");
    EXPECT_EQ(common::TraceDepth, depth);
    Press("cShow");
  }
  EXPECT_EQ(halts, 0);
}

// After OK the kinds stay open: each new sample is drawn from the kinds ticked then, and
// with none ticked the quiz says so and draws nothing.
TEST_F(QuizTest, TheKindsCanBeChangedAgainAfterOK) {
  OpenWith({"cOPakad"});
  NewSample({Pick(kYaman, kRagas), 0.0, 0.5});
  EXPECT_EQ(heard.back(), (Heard{"A.wav", kYamanPakad}));
  Press("cShow");
  ASSERT_TRUE(Ctl("cOPakad").TakesInput() && Ctl("cOScale").TakesInput());
  Ctl("cOPakad").SetValue(0);
  Tick("cOScale");
  NewSample({Pick(kYaman, kRagas), 0.0, 0.5});
  EXPECT_EQ(exploration::QuizKind, 1);
  EXPECT_EQ(heard.back(), (Heard{"A.wav", kYamanScale}));
  Press("cShow");

  Ctl("cOScale").SetValue(0);
  heard.clear();
  {
    testsupport::ScriptedRnd none;  // nothing is drawn
    Press("cOK");
  }
  EXPECT_EQ(MessageTexts(), Names{"You must elect at least one item"});
  EXPECT_TRUE(heard.empty());
  EXPECT_EQ(Caption("cOK"), "&Select New Music Sample");
  EXPECT_TRUE(Ctl("cOK").Enabled());
  EXPECT_EQ(Caption("Label5"), "It is Yaman") << "the answer stays until a sample is drawn";
}

TEST_F(QuizTest, WhenNoRagaHasTheKindsTickedTheQuizSaysSoAndStaysReady) {
  AddRows(R"sql(DELETE FROM "Raga - ALT Phrases" WHERE RagaIndex = 1 AND PhraseType = 1;)sql", "");
  OpenWith({"cOAlap"});
  testsupport::ScriptedRnd rnd;
  for (int k = 1; k <= kRagas; ++k) rnd.Add({Pick(k, kRagas), 0.0});
  Press("cOK");
  EXPECT_EQ(rnd.Left(), 0u) << "one attempt per raga";
  EXPECT_EQ(MessageTexts(), Names{"No raga has a sample of the items chosen for the quiz."});
  EXPECT_TRUE(heard.empty());
  EXPECT_EQ(Caption("cOK"), "&Select New Music Sample");
  EXPECT_TRUE(Ctl("cOK").Enabled());
  EXPECT_TRUE(Ctl("cReturn").Enabled());
}

// A sample whose rendering fails is not played: the music file still holds the last
// sample, which must not be judged as this one.
TEST_F(QuizTest, ASampleThatCannotBeRenderedIsNotPlayedAndAnotherCanBeDrawn) {
  AddRows(R"sql(
INSERT INTO "RagaNameList" VALUES ('Broken', 6, 2);
INSERT INTO "Raga - Technical Information" ("Raga Index", "Thata", "Jati", "Vadi", "VadiNum", "Samvadi",
  "SamvadiNum", "Appropriate time", "DroneType", "OPRSetId", "Notes", "AarohaAlt", "AaDuration", "AvrohaAlt",
  "AvDuration", "Pakad", "PakadDuration") VALUES
  (6, 'Kafi', 'Sampurna', 'm', 17, 'S', 12, '21-24 h', 3, 0, 'Night', 'S R g', '40 40 80', 'g R S', '40 40 80',
   'S X', '40 80');
)sql", "");
  constexpr int kRows = 5, kBroken = 5;
  sound::Theka = 1;
  sound::KeyboardDisplay = 1;
  OpenWith({"cOPakad"});
  NewSample({Pick(kYaman, kRows), 0.0, 0.5});
  ASSERT_EQ(heard.size(), 1u);
  Press("cShow");

  testsupport::ScriptedRnd rnd({Pick(kBroken, kRows), 0.0});
  Press("cOK");
  EXPECT_EQ(rnd.Left(), 0u);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().prompt, "Error Setting up for Illustration");
  EXPECT_EQ(heard.size(), 1u) << "the old file is not played under the new raga";
  EXPECT_EQ(shell::MMControlOf(Quiz(), "cMM")->Mode(), mci::mciModeNotOpen);
  EXPECT_EQ(sound::Theka, 1);
  EXPECT_EQ(sound::KeyboardDisplay, 1);
  EXPECT_EQ(Caption("cOK"), "&Select New Music Sample");
  EXPECT_TRUE(Ctl("cOK").Enabled());
  for (const char* name : {"cPlay", "cGuess", "cShow", "cNotation"}) EXPECT_FALSE(Shown(name)) << name;
  for (const char* name : {"cReturn", "cMnuNot", "cMnuDro"}) EXPECT_TRUE(Ctl(name).Enabled()) << name;

  messages.clear();
  NewSample({Pick(kBhairav, kRows), 0.0, 0.5});
  EXPECT_EQ(heard.back(), (Heard{"A.wav", kBhairavPakad}));
  EXPECT_TRUE(messages.empty());
}

// Go Back and the close box both leave the quiz with the learner's own Theka and
// keyboard settings, whatever they were.
TEST_F(QuizTest, LeavingByGoBackOrTheCloseBoxRestoresTheLearnersSettings) {
  struct Case {
    bool closeBox;
    bool sampleHeard;
    int16_t theka, keyboard;
  };
  const Case cases[] = {{false, false, 1, 1}, {true, false, 1, 1}, {false, true, 1, 1}, {true, true, 1, 1},
                        {false, false, 2, 1}, {true, false, 1, 2}, {true, true, 2, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "close box " << c.closeBox << ", sample heard " << c.sampleHeard
                                      << ", theka " << c.theka << ", keyboard " << c.keyboard);
    sound::Theka = c.theka;
    sound::KeyboardDisplay = c.keyboard;
    OpenWith({"cOScale"});
    if (c.sampleHeard) NewSample({Pick(kYaman, kRagas), 0.0, 0.5});
    if (c.closeBox) {
      Quiz().CloseFromUser();
    } else {
      Press("cReturn");
    }
    EXPECT_FALSE(Quiz().Loaded());
    EXPECT_EQ(shell::CurrFormId, 1);
    EXPECT_TRUE(mainForm->Visible());
    EXPECT_EQ(sound::Theka, c.theka);
    EXPECT_EQ(sound::KeyboardDisplay, c.keyboard);
  }
  EXPECT_TRUE(messages.empty());
}

// The close box while a sample plays: the sample stops at once, nothing more happens on
// the quiz or on the main form, and the settings are the learner's again.
TEST_F(QuizTest, ClosingTheWindowWhileASamplePlaysStopsItAndHaltsNothing) {
  sound::Theka = 1;
  sound::KeyboardDisplay = 1;
  OpenWith({"cOScale"});
  QPointer<mci::MMControl> player;
  int32_t modeAfterClose = 0;
  mci::Micros closedAt{0};
  NewSample({Pick(kYaman, kRagas), 0.0, 0.5}, [&] {
    player = shell::MMControlOf(Quiz(), "cMM");
    clock->Advance(300ms);
    Quiz().CloseFromUser();
    modeAfterClose = player ? player->Mode() : mci::mciModeNotOpen;
    closedAt = clock->Now();
  });
  EXPECT_EQ(modeAfterClose, mci::mciModeNotOpen) << "the sample stops with the window";
  EXPECT_LT(clock->Now() - closedAt, mci::Micros(std::chrono::seconds(1))) << "the wait ends with it";
  EXPECT_FALSE(Quiz().Loaded());
  EXPECT_EQ(shell::CurrFormId, 1);
  EXPECT_TRUE(mainForm->Visible());
  EXPECT_EQ(player ? player->Mode() : mci::mciModeNotOpen, mci::mciModeNotOpen);
  EXPECT_EQ(heard.size(), 1u);
  EXPECT_EQ(sound::Theka, 1);
  EXPECT_EQ(sound::KeyboardDisplay, 1);
  EXPECT_EQ(halts, 0);
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
}

TEST_F(QuizTest, TheMenusSetTheScriptAndTheDroneAndTellADroneFailureOnce) {
  OpenWith({"cOScale"});
  Ctl("cMnuDev").RaiseFromUser(forms::Event::Click);
  EXPECT_EQ(shell::NotationScript, 1);
  EXPECT_TRUE(Quiz().Get<forms::MenuItem>("cMnuDev").Checked());
  EXPECT_FALSE(Quiz().Get<forms::MenuItem>("cMnuEng").Checked());
  Ctl("cMnuEng").RaiseFromUser(forms::Event::Click);
  EXPECT_EQ(shell::NotationScript, 2);
  EXPECT_TRUE(Quiz().Get<forms::MenuItem>("cMnuEng").Checked());

  sound::CurrDroneFactor = 1.0;
  Ctl("cMnuDroLou").RaiseFromUser(forms::Event::Click);
  EXPECT_DOUBLE_EQ(sound::CurrDroneFactor, 1.1);
  Ctl("cMnuDroSof").RaiseFromUser(forms::Event::Click);
  EXPECT_DOUBLE_EQ(sound::CurrDroneFactor, 1.0);
  EXPECT_TRUE(messages.empty());
  soundLib.failWhen = [](const testsupport::SoundLibCall& call) { return call.entry == "FWavLoadDroneData"; };
  Ctl("cMnuDroSof").RaiseFromUser(forms::Event::Click);
  const Names shown = MessageTexts();
  EXPECT_EQ(std::count(shown.begin(), shown.end(), "Error in Building DroneData"), 1);
  soundLib.failWhen = {};
}

}  // namespace
}  // namespace explorationtest
