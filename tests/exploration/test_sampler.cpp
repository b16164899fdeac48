// The music sampler, through its form events and dispatcher, with scripted random draws
// and its timers ticked by hand on a fake clock: each kind of sample described and heard,
// the kinds a raga lacks never drawn, the poll and the pause between samples, looping,
// stopping, and the learner's settings on both ways out. On the built content database:
// no film song is ever drawn.
#include <QCoreApplication>
#include <QPointer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "SampleScreenTest.h"
#include "common/CommonState.h"
#include "exploration/ExplorationState.h"
#include "exploration/KZSampler.h"
#include "platform/forms/Control.h"
#include "support/BusyInputs.h"
#include "support/ScriptedRnd.h"

namespace explorationtest {
namespace {

using namespace std::chrono_literals;
using testsupport::Pick;
using Names = std::vector<std::string>;

constexpr int kKinds = 7;
constexpr double kPicture = 0.5;  // the next background picture: 5

class SamplerTest : public SampleScreenTest {
 protected:
  void SetUp() override {
    forms::Timer::HoldTimers(true);
    SetUpScreen(content_, "prompts_sampler.sql");
  }
  void TearDown() override {
    TearDownScreen(shell::FormKZSampler);
    forms::Timer::HoldTimers(false);
  }

  forms::Form& Sampler() { return *shell::FormKZSampler; }
  forms::Control& Ctl(const char* name) { return Sampler().Ctl(name); }
  std::string Text(const char* name) { return Ctl(name).Text(); }

  void Open() {
    int16_t action = 0;
    exploration::sKZSampler(action);
    ASSERT_EQ(shell::CurrFormId, 22);
    watches_ = {{"cTimer1"}, {"cTimer"}};
  }
  void Press(const char* button) { PressOn(Sampler(), button); }

  // Moves time on in steps of 10 ms: the player and the event loop deliver what falls
  // due, each timer that is on ticks once its interval has passed since it was switched
  // on (or since its last tick), and every sample that starts is recorded with its time.
  void RunFor(std::chrono::milliseconds span, const std::function<bool()>& done = {}) {
    for (auto t = 0ms; t < span && !(done && done()); t += 10ms) Step();
  }
  void Step() {
    clock->Advance(10ms);
    QCoreApplication::processEvents();
    const size_t before = heard.size();
    const bool wasPlaying = playing_;
    RecordOn(shell::FormKZSampler);
    playing_ = PlayingOn(shell::FormKZSampler);
    if (heard.size() > before) starts.push_back(Now());
    if (wasPlaying && !playing_) ends.push_back(Now());
    if (shell::FormKZSampler == nullptr || !Sampler().Loaded()) return;
    for (TimerWatch& w : watches_) {
      forms::Timer& timer = Sampler().Get<forms::Timer>(w.name);
      if (!timer.Enabled()) {
        w.on = false;
        continue;
      }
      if (!w.on) {
        w.on = true;
        w.elapsed = 0;
      }
      w.elapsed += 10;
      if (w.elapsed >= timer.Interval()) {
        w.elapsed = 0;
        timer.Tick();
        ++ticks;
      }
    }
  }
  bool Idle() {
    return Ctl("cPlay").Enabled() && Ctl("cStartLoop").Enabled() && Ctl("cReturn").Enabled() &&
           !Ctl("cStop").Enabled() && !Ctl("cStopLoop").Enabled();
  }
  // Plays one sample with the draws given, to the idle buttons after it.
  void PlayOne(std::initializer_list<double> draws) {
    testsupport::ScriptedRnd rnd(draws);
    Press("cPlay");
    RunFor(60s, [this] { return Idle(); });
    EXPECT_TRUE(Idle());
    EXPECT_EQ(rnd.Left(), 0u) << "every scripted draw was used";
  }
  int64_t Now() const { return std::chrono::duration_cast<std::chrono::milliseconds>(clock->Now()).count(); }

  Content content_ = Content::Fixture;
  std::vector<int64_t> starts, ends;  // times (ms) at which samples started and ended
  int ticks = 0;

 private:
  struct TimerWatch {
    const char* name;
    bool on = false;
    int elapsed = 0;
  };
  std::vector<TimerWatch> watches_;
  bool playing_ = false;
};

TEST_F(SamplerTest, OpensIdleWithoutThekaOrKeyboard) {
  sound::CallbackCode = 0;
  Open();
  EXPECT_EQ(Sampler().Caption(), "Velmora Sampler");
  EXPECT_EQ(sound::CallbackCode, 9);
  EXPECT_EQ(shell::ParentFormId[22 - 1], 1);
  EXPECT_TRUE(Idle());
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("33"));
  EXPECT_EQ(sound::Theka, 2);
  EXPECT_EQ(sound::KeyboardDisplay, 2);
  EXPECT_FALSE(Ctl("cTimer1").Enabled());
  EXPECT_FALSE(Ctl("cTimer").Enabled());
  EXPECT_EQ(sound::LoopFlag, 0);
}

// Each kind of sample of Yaman: what the screen says and what is heard.
TEST_F(SamplerTest, EachKindOfSampleIsDescribedAndPlayed) {
  struct Case {
    std::vector<double> draws;  // raga, kind, next picture, then the item or part
    std::string desc;
    std::string phrase;
    std::vector<int32_t> durations;  // of the notes, in ms
  };
  const Case cases[] = {
      {{Pick(kYaman, kRagas), Pick(1, kKinds), kPicture},
       "Playing Aroha and Avroha",
       "N< R G M P D N S> S> N D P M G R S",
       {400, 400, 400, 400, 400, 400, 400, 800, 400, 400, 400, 400, 400, 400, 400, 700}},
      {{Pick(kYaman, kRagas), Pick(2, kKinds), kPicture},
       "Playing Pakad",
       "N< R G R P R N<'R S",
       {400, 400, 400, 700, 400, 700, 400, 1200}},
      {{Pick(kYaman, kRagas), Pick(3, kKinds), kPicture, Pick(2, 2)},
       "Playing Alap No. 2",
       "N< R G R G N< R S",
       {500, 500, 1000, 500, 800, 500, 500, 1500}},
      {{Pick(kYaman, kRagas), Pick(4, kKinds), kPicture, Pick(1, 2)},
       "Playing Astai of composition 'Eri Aali' (without theka)",
       "G R'G M P",
       {700, 700, 700, 700}},
      {{Pick(kYaman, kRagas), Pick(4, kKinds), kPicture, Pick(2, 2)},
       "Playing Antara of composition 'Eri Aali' (without theka)",
       "P S>",
       {1400, 1400}},
      {{Pick(kYaman, kRagas), Pick(5, kKinds), kPicture},
       "Playing Film Song 'A Film Song'",
       "G M D",
       {1200, 1200, 2400}},
      {{Pick(kYaman, kRagas), Pick(6, kKinds), kPicture, Pick(1, 2)},
       "Playing Layakari pattern No. 1",
       "S R G M",
       {100, 100, 100, 100}},
      {{Pick(kYaman, kRagas), Pick(7, kKinds), kPicture, 0.0},
       "Playing Taan pattern No. 1",
       "N< R G M P D N S> S> N D P M G R S",
       std::vector<int32_t>(16, 150)},
  };
  Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.desc);
    heard.clear();
    std::optional<int16_t> thekaWhilePlaying;
    testsupport::ScriptedRnd rnd(c.draws);
    Press("cPlay");
    EXPECT_FALSE(Idle());
    EXPECT_TRUE(Ctl("cStop").Enabled());
    thekaWhilePlaying = sound::Theka;
    const std::vector<int32_t> durations(sound::NotesList[0].Durations.begin(),
                                         sound::NotesList[0].Durations.begin() + sound::NotesList[0].NoteCount);
    RunFor(60s, [this] { return Idle(); });
    EXPECT_EQ(rnd.Left(), 0u);
    EXPECT_EQ(Text("cRaga"), "Yaman");
    EXPECT_EQ(Text("cDesc"), c.desc);
    EXPECT_EQ(heard, (std::vector<Heard>{{"A.wav", c.phrase}}));
    EXPECT_EQ(durations, c.durations);
    EXPECT_EQ(thekaWhilePlaying, 2);
    EXPECT_EQ(shell::PictureNumber, 5);
  }
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
}

// A taan stored with its durations plays with them, its longer notes included; the one
// equal duration a note is only for a taan stored without durations (the case above).
TEST_F(SamplerTest, ASampledTaanPlaysItsStoredDurations) {
  AddRows(R"sql(UPDATE "Raga - ALT Phrases" SET "NotesPhrase" = 'N< R G M P : D N S> , S> N D P M G R S',
    "DurationPhrase" = '15 15 15 15 20 20 20 30 , 15 15 15 15 15 15 25 40' WHERE "RagaIndex" = 1 AND "PhraseType" = 3;)sql",
          "");
  Open();
  const struct {
    int item;
    std::string phrase;
    std::vector<int32_t> durations;
  } cases[] = {{1, "N< R G M P D N S>", {150, 150, 150, 150, 200, 200, 200, 300}},
               {2, "S> N D P M G R S", {150, 150, 150, 150, 150, 150, 250, 400}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    heard.clear();
    testsupport::ScriptedRnd rnd({Pick(kYaman, kRagas), Pick(7, kKinds), kPicture, Pick(c.item, 2)});
    Press("cPlay");
    const sound::NotesListRec& rec = sound::NotesList[0];
    const std::vector<int32_t> durations(rec.Durations.begin(), rec.Durations.begin() + rec.NoteCount);
    RunFor(60s, [this] { return Idle(); });
    EXPECT_EQ(rnd.Left(), 0u);
    EXPECT_EQ(Text("cDesc"), "Playing Taan pattern No. " + std::to_string(c.item));
    EXPECT_EQ(heard, (std::vector<Heard>{{"A.wav", c.phrase}}));
    EXPECT_EQ(durations, c.durations);
  }
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
}

// Bhairav has a scale and a pakad only, its film song and similar raga without
// notation: every other kind drawn is rejected, and so is the damaged raga, with the
// trace at the depth it had.
TEST_F(SamplerTest, KindsARagaLacksAndUnreadableRagasAreNeverPlayed) {
  Open();
  PlayOne({Pick(kBhairav, kRagas), Pick(3, kKinds), Pick(4, kKinds), Pick(5, kKinds), Pick(6, kKinds),
           Pick(7, kKinds), Pick(2, kKinds), kPicture});
  EXPECT_EQ(exploration::SamplerKind, 2);
  EXPECT_EQ(exploration::SamplerItemCounts, (std::array<int16_t, 8>{1, 1, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Text("cRaga"), "Bhairav");
  EXPECT_EQ(heard, (std::vector<Heard>{{"A.wav", "S r S"}}));

  TraceOnNow();
  const int16_t depth = common::TraceDepth;
  PlayOne({Pick(kDamaged, kRagas), Pick(2, kRagas - 1), Pick(1, kKinds), kPicture});
  EXPECT_EQ(common::TraceDepth, depth) << "the damaged raga left no trace levels behind";
  EXPECT_EQ(Text("cRaga"), "Yaman");
  EXPECT_EQ(exploration::SamplerKind, 1);
  EXPECT_EQ(exploration::SamplerItemCounts, (std::array<int16_t, 8>{1, 1, 2, 1, 1, 2, 1, 0}));
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
  EXPECT_EQ(halts, 0);
}

// When no raga can give a sample (here none can be read), each is drawn once, in random
// order, before the sampler says so; it stays idle and ready, the trace at its depth.
TEST_F(SamplerTest, EveryRagaIsTriedOnceBeforeTheSamplerSaysNoneHasASample) {
  AddRows(R"sql(UPDATE "Raga - Technical Information" SET "Jati" = NULL;)sql", "");
  Open();
  TraceOnNow();
  const int16_t depth = common::TraceDepth;
  testsupport::ScriptedRnd rnd({Pick(3, kRagas), Pick(1, kRagas - 1), Pick(2, kRagas - 2), Pick(1, kRagas - 3)});
  Press("cPlay");
  RunFor(1s, [this] { return Idle(); });
  EXPECT_EQ(rnd.Left(), 0u) << "one draw for each raga";
  EXPECT_EQ(rnd.Drawn(), static_cast<size_t>(kRagas));
  EXPECT_EQ(MessageTexts(), Names{"No raga has a sample to play."});
  EXPECT_TRUE(heard.empty());
  EXPECT_TRUE(Idle());
  EXPECT_EQ(common::TraceDepth, depth);
  EXPECT_EQ(halts, 0);
}

// A composition without its antara row, and one without notation rows at all, cannot
// give a sample: the raga's compositions are not counted.
TEST_F(SamplerTest, ACompositionWithoutItsNotationRowsIsNotCounted) {
  AddRows(R"sql(DELETE FROM "Raga - Composition Notations" WHERE "Notation Index" = 10 AND "Composition Part" = 2;
    UPDATE "Raga - Additional Information" SET "Notation Index" = 99 WHERE "Add Info" = 'A Film Song';)sql", "");
  Open();
  PlayOne({Pick(kYaman, kRagas), Pick(4, kKinds), Pick(5, kKinds), Pick(1, kKinds), kPicture});
  EXPECT_EQ(exploration::SamplerKind, 1);
  EXPECT_EQ(exploration::SamplerItemCounts[3], 0);
  EXPECT_EQ(exploration::SamplerItemCounts[4], 0);
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
}

// The poll finds the end of a sample within 100 ms; the idle buttons come 300 ms later.
TEST_F(SamplerTest, PlayShowsThePlayingButtonsUntilThePauseAfterTheSample) {
  Open();
  testsupport::ScriptedRnd rnd({Pick(kYaman, kRagas), Pick(2, kKinds), kPicture});
  Press("cPlay");
  for (const char* name : {"cPlay", "cStartLoop", "cReturn", "cStopLoop"}) EXPECT_FALSE(Ctl(name).Enabled()) << name;
  EXPECT_TRUE(Ctl("cStop").Enabled());
  EXPECT_TRUE(Ctl("cTimer1").Enabled());
  RunFor(60s, [this] { return !ends.empty(); });
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_FALSE(Idle());
  RunFor(2s, [this] { return Idle(); });
  const int64_t pause = Now() - ends[0];
  EXPECT_GE(pause, 300);
  EXPECT_LE(pause, 420);
  EXPECT_FALSE(Ctl("cTimer1").Enabled());
  EXPECT_FALSE(Ctl("cTimer").Enabled());
  const int before = ticks;
  RunFor(2s);
  EXPECT_EQ(ticks, before) << "no timer ticks once idle";
  EXPECT_EQ(heard.size(), 1u);
}

// Start Looping plays sample after sample, each about 300 ms after the end of the last,
// until Stop Looping; then nothing more plays.
TEST_F(SamplerTest, LoopingPlaysSampleAfterSampleUntilStopLooping) {
  Open();
  testsupport::ScriptedRnd rnd({Pick(kYaman, kRagas), Pick(2, kKinds), kPicture,   //
                                Pick(kBhairav, kRagas), Pick(1, kKinds), kPicture,  //
                                Pick(kYaman, kRagas), Pick(4, kKinds), kPicture, Pick(2, 2)});
  Press("cStartLoop");
  EXPECT_EQ(sound::LoopFlag, -1);
  EXPECT_TRUE(Ctl("cStopLoop").Enabled());
  EXPECT_FALSE(Ctl("cStop").Enabled());
  RunFor(60s, [this] { return heard.size() == 3; });
  ASSERT_EQ(heard.size(), 3u);
  EXPECT_EQ(heard, (std::vector<Heard>{{"A.wav", "N< R G R P R N<'R S"},
                                       {"A.wav", "S r G m P d N S> S> N d P m G r S"},
                                       {"A.wav", "P S>"}}));
  ASSERT_EQ(ends.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    const int64_t gap = starts[i + 1] - ends[i];
    EXPECT_GE(gap, 300) << i;
    EXPECT_LE(gap, 420) << i;
  }
  EXPECT_TRUE(Ctl("cStopLoop").Enabled());
  Press("cStopLoop");
  EXPECT_EQ(sound::LoopFlag, 0);
  EXPECT_TRUE(Idle());
  RunFor(5s);
  EXPECT_EQ(heard.size(), 3u) << "nothing more plays";
  EXPECT_TRUE(Idle());
  EXPECT_EQ(rnd.Left(), 0u);
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
}

// While a sample plays, and in the pause between looped samples, what the learner clicks
// is refused and looks disabled, but Stop and Stop Looping; after Stop, Play plays.
TEST_F(SamplerTest, WhatIsClickedWhileSamplesPlayIsRefusedAndStopGivesBackASamplerThatPlays) {
  TraceOnNow();
  Open();
  const auto words = [] {
    return std::to_string(sound::LoopFlag) + " " + std::to_string(sound::Theka) + " " +
           std::to_string(sound::KeyboardDisplay) + " " + common::CurrRagaName;
  };
  testsupport::ScriptedRnd rnd({Pick(kYaman, kRagas), Pick(2, kKinds), kPicture,  //
                                Pick(kBhairav, kRagas), Pick(1, kKinds), kPicture,  //
                                Pick(kYaman, kRagas), Pick(2, kKinds), kPicture});
  Press("cStartLoop");
  RunFor(200ms);
  ASSERT_TRUE(PlayingOn(shell::FormKZSampler));
  testsupport::ExpectEveryInputRefused(Sampler(), words, "sKZSampler", 2);
  RunFor(60s, [this] { return ends.size() == 1; });
  ASSERT_FALSE(PlayingOn(shell::FormKZSampler)) << "the pause before the next sample";
  testsupport::ExpectEveryInputRefused(Sampler(), words, "sKZSampler", 2);
  Press("cStopLoop");
  EXPECT_TRUE(Idle());
  EXPECT_FALSE(Sampler().Busy());
  Press("cPlay");
  RunFor(200ms);
  EXPECT_TRUE(PlayingOn(shell::FormKZSampler)) << "plays again";
  testsupport::ExpectEveryInputRefused(Sampler(), words, "sKZSampler", 2);
  Press("cStop");
  RunFor(2s, [this] { return Idle(); });
  EXPECT_TRUE(Idle());
  EXPECT_FALSE(Sampler().Busy());
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
}

// The pause of a stopped sample does not end the next one: Play pressed during it keeps
// the playing buttons until the new sample's own end.
TEST_F(SamplerTest, PlayRightAfterStopKeepsThePlayingButtonsToTheNewSamplesEnd) {
  Open();
  testsupport::ScriptedRnd rnd({Pick(kYaman, kRagas), Pick(1, kKinds), kPicture,  //
                                Pick(kYaman, kRagas), Pick(2, kKinds), kPicture});
  Press("cPlay");
  RunFor(500ms);
  Press("cStop");
  EXPECT_TRUE(Idle());
  RunFor(150ms);
  ASSERT_TRUE(Ctl("cTimer").Enabled()) << "the pause of the stopped sample has begun";
  Press("cPlay");
  const size_t endsBefore = ends.size();
  bool idleWhilePlaying = false;
  RunFor(60s, [&] {
    if (Idle() && PlayingOn(shell::FormKZSampler)) idleWhilePlaying = true;
    return ends.size() > endsBefore;
  });
  EXPECT_FALSE(idleWhilePlaying);
  EXPECT_EQ(heard.size(), 2u);
  RunFor(2s, [this] { return Idle(); });
  EXPECT_TRUE(Idle());
}

// Go Back and the close box, idle or in the middle of a loop, leave with the learner's
// Theka and keyboard; no timer ticks afterwards and nothing plays on.
TEST_F(SamplerTest, LeavingByGoBackOrTheCloseBoxRestoresTheSettingsAndStopsEverything) {
  struct Case {
    bool closeBox;
    bool looping;
    int16_t theka, keyboard;
  };
  const Case cases[] = {{false, false, 1, 1}, {true, false, 1, 1}, {true, true, 1, 1}, {false, false, 2, 2},
                        {true, true, 2, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "close box " << c.closeBox << ", looping " << c.looping);
    sound::Theka = c.theka;
    sound::KeyboardDisplay = c.keyboard;
    heard.clear();
    Open();
    QPointer<mci::MMControl> player(PlayerOf(shell::FormKZSampler));
    testsupport::ScriptedRnd rnd;
    if (c.looping) {
      rnd.Add({Pick(kYaman, kRagas), Pick(1, kKinds), kPicture});
      Press("cStartLoop");
      RunFor(300ms);
      ASSERT_TRUE(PlayingOn(shell::FormKZSampler));
    }
    if (c.closeBox) {
      Sampler().CloseFromUser();
    } else {
      Press("cReturn");
    }
    EXPECT_FALSE(Sampler().Loaded());
    EXPECT_EQ(shell::CurrFormId, 1);
    EXPECT_EQ(player ? player->Mode() : mci::mciModeNotOpen, mci::mciModeNotOpen);
    EXPECT_EQ(sound::LoopFlag, 0);
    EXPECT_EQ(sound::Theka, c.theka);
    EXPECT_EQ(sound::KeyboardDisplay, c.keyboard);
    const int before = ticks;
    RunFor(3s);
    EXPECT_EQ(ticks, before);
    EXPECT_LE(heard.size(), 1u);
  }
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
}

// A sample that cannot be rendered is not played (the music file still holds the last
// one), and a loop stops instead of failing again and again.
TEST_F(SamplerTest, ASampleThatCannotBeRenderedIsNotPlayedAndEndsTheLoop) {
  AddRows(R"sql(UPDATE "Raga - Technical Information" SET "Pakad" = 'S X', "PakadDuration" = '40 80'
    WHERE "Raga Index" = 2;)sql", "");
  Open();
  testsupport::ScriptedRnd rnd({Pick(kYaman, kRagas), Pick(2, kKinds), kPicture,  //
                                Pick(kBhairav, kRagas), Pick(2, kKinds), kPicture});
  Press("cStartLoop");
  RunFor(60s, [this] { return Idle(); });
  EXPECT_EQ(heard, (std::vector<Heard>{{"A.wav", "N< R G R P R N<'R S"}}));
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().prompt, "Error Setting up for Illustration");
  EXPECT_EQ(sound::LoopFlag, 0);
  EXPECT_TRUE(Idle());
  RunFor(3s);
  EXPECT_EQ(heard.size(), 1u);
  EXPECT_EQ(rnd.Left(), 0u);
}

class SamplerOnContentTest : public SamplerTest {
 protected:
  void SetUp() override {
    content_ = Content::Built;
    SamplerTest::SetUp();
  }
};

// The content's film songs have no notation: a draw of a film song is always rejected,
// whichever raga; a composition is drawn where the raga has one.
TEST_F(SamplerOnContentTest, NoFilmSongIsEverDrawn) {
  Open();
  const int16_t count = static_cast<int16_t>(
      shell::DatabaseA.OpenRecordset("Raga - Technical Information", dao::dbOpenTable).RecordCount());
  ASSERT_EQ(count, 70);
  int compositions = 0;
  for (int k = 1; k <= count; ++k) {
    SCOPED_TRACE(k);
    // A film song, else a composition, else the scale; then the picture and the part.
    testsupport::ScriptedRnd rnd({Pick(k, count), Pick(5, kKinds), Pick(4, kKinds), Pick(1, kKinds)});
    rnd.ThenAlways(kPicture);
    Press("cPlay");
    EXPECT_EQ(exploration::SamplerItemCounts[4], 0);
    EXPECT_NE(exploration::SamplerKind, 5);
    EXPECT_TRUE(PlayingOn(shell::FormKZSampler));
    if (exploration::SamplerKind == 4) ++compositions;
    Press("cStop");
    RunFor(2s, [this] { return Idle(); });
    ASSERT_TRUE(Idle());
  }
  EXPECT_EQ(compositions, 40) << "the ragas with compositions";
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
}

}  // namespace
}  // namespace explorationtest
