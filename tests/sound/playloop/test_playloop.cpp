// The double-buffered play loop on the illustration screen: phrases alternate between
// the two slots while the next one is built ahead, the list starts again at its restart
// phrase, a stop ends it with the screen's call-back, and a phrase that could not be
// prepared ends it rather than playing a stale file.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PlayLoopTest.h"
#include "common/LibraryText.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Files.h"
#include "shell/Players.h"
#include "sound/PhraseSetUps.h"
#include "sound/Playback.h"
#include "sound/PlayLoop.h"
#include "sound/Keyboard.h"
#include "sound/ReedLighting.h"
#include "sound/SoundState.h"

namespace playlooptest {
namespace {

using namespace std::chrono_literals;

constexpr const char* kOutsideRange = "Error in creating current musical illustration. Note value outside range.";
constexpr const char* kPreparing = "Error Preparing Music File";
constexpr const char* kPlaying = "Error playing music phrases";

class PlayLoop : public PlayLoopTest {
 protected:
  mci::MMControl& Player() { return *shell::MMControlOf(*form, "cMM"); }
  // The caption label of the reed that a note word lights.
  forms::Control& ReedLabelOf(const std::string& word) {
    return form->Ctl("cL", sound::fReedOfNote(common::fGetPhraseNote(word).Main));
  }
};

TEST_F(PlayLoop, ThreePhrasesPlayFromSlotsZeroOneZeroWhileEachNextIsBuiltAhead) {
  Layakari();
  sound::sSetUpForDemoModeIllustrations();
  ASSERT_TRUE(messages.empty());
  ASSERT_EQ(sound::TPlayInfo.LastPhrase, 3);
  ASSERT_FALSE(vb::FileExists(File("B.wav")));

  ASSERT_TRUE(sound::fPlayMusicPhrases());
  EXPECT_EQ(sound::CurrSlot, 0);
  EXPECT_EQ(Player().FileName(), File("A.wav"));
  EXPECT_EQ(Player().Mode(), mci::mciModePlay);
  EXPECT_EQ(sound::TPlayInfo.CurrPhrase, 2);
  EXPECT_EQ(sound::NotesList[1].NoteCount, 3) << "phrase 2 waits in the other slot";
  EXPECT_GT(vb::FileLen(File("B.wav")), 0u);
  EXPECT_EQ(ReedLabelOf("S").BackColor(), sound::kCurrentNoteColour) << "the first note is lit as it starts";

  PlayFor(5s, [this] { return played.size() == 2; });
  EXPECT_EQ(ReedLabelOf("N").BackColor(), sound::kCurrentNoteColour) << "the last phrase lit its first note";
  EXPECT_NE(ReedLabelOf("S").BackColor(), sound::kCurrentNoteColour) << "each phrase starts from unlit reeds";
  PlayUntilTheEnd();
  const std::vector<Played> expected = {{"A.wav", kLayakari[0]}, {"B.wav", kLayakari[1]}, {"A.wav", kLayakari[2]}};
  EXPECT_EQ(played, expected);
  EXPECT_EQ(EndsHeard(), 1);
  EXPECT_EQ(sound::TPlayInfo.CurrPhrase, 1);
  EXPECT_EQ(ReedLabelOf("N").BackColor(), sound::kWhiteReedColour) << "the screen's end of playing unlit it";
  EXPECT_TRUE(messages.empty());
}

// Each phrase file runs on past its music (release, echo); the next phrase begins
// where that music ends, not after it: 400, 400 and 500 ms of music in a row.
TEST_F(PlayLoop, EachPhraseBeginsWhereTheMusicOfTheOneBeforeItEnds) {
  Layakari();
  sound::sSetUpForDemoModeIllustrations();
  const auto start = clock->Now();
  auto msNow = [&] { return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(clock->Now() - start).count()); };
  ASSERT_TRUE(sound::fPlayMusicPhrases());
  std::vector<std::pair<int, int>> starts;  // ms of play, and the position of the file just started
  PlayFor(5s, [&] {
    if (played.size() > starts.size()) starts.emplace_back(msNow(), Player().Position());
    return starts.size() == 2;
  });
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[0], std::make_pair(400, 0));
  EXPECT_EQ(starts[1], std::make_pair(800, 0));
  PlayUntilTheEnd();
  // The last file, with nothing after it, plays out to its end.
  EXPECT_GE(msNow(), 1300 + 400);
  EXPECT_EQ(played.size(), 3u);
}

TEST_F(PlayLoop, ARepeatStartsAtTheRestartPhraseWithTheFilesAlreadyInTheSlots) {
  Layakari();
  sound::sSetUpForDemoModeIllustrations();
  sound::TPlayInfo.RestartPhrase = 2;
  ASSERT_TRUE(sound::fPlayMusicPhrases());
  PlayUntilTheEnd();
  ASSERT_EQ(EndsHeard(), 1);
  EXPECT_EQ(sound::TPlayInfo.CurrPhrase, 2);

  // The screen repeats at its action 19: phrase 2 plays from the file it was rendered into.
  const auto rendered = std::filesystem::last_write_time(File("B.wav"));
  played.clear();
  ForgetScreenCalls();
  ASSERT_TRUE(sound::fPlayMusicPhrases());
  EXPECT_EQ(std::filesystem::last_write_time(File("B.wav")), rendered);
  PlayUntilTheEnd();
  const std::vector<Played> expected = {{"B.wav", kLayakari[1]}, {"A.wav", kLayakari[2]}};
  EXPECT_EQ(played, expected);
  EXPECT_EQ(EndsHeard(), 1);
  EXPECT_TRUE(messages.empty());
}

TEST_F(PlayLoop, AListOfOnePhrasePlaysOnceAndBuildsNothingAhead) {
  Scale();
  sound::sSetUpForDemoModeIllustrations();
  ASSERT_EQ(sound::LookAhead, 1);
  ASSERT_TRUE(sound::fPlayMusicPhrases());
  PlayUntilTheEnd();
  ASSERT_EQ(played.size(), 1u);
  EXPECT_EQ(played[0].file, "A.wav");
  EXPECT_EQ(EndsHeard(), 1);
  EXPECT_FALSE(vb::FileExists(File("B.wav")));
}

TEST_F(PlayLoop, AStopInTheMiddleEndsTheListWithTheCallBack) {
  // The screens' stops: Stop alone, or Stop followed by a Close (the illustration screen).
  for (const bool close : {false, true}) {
    SCOPED_TRACE(close ? "stop and close" : "stop");
    played.clear();
    ForgetScreenCalls();
    Layakari();
    sound::sSetUpForDemoModeIllustrations();
    ASSERT_TRUE(sound::fPlayMusicPhrases());
    PlayFor(5s, [this] { return played.size() == 1; });
    PlayFor(100ms);
    ASSERT_EQ(Player().Mode(), mci::mciModePlay) << "phrase 2 plays";

    mci::MMControl& mm = Player();
    mm.setNotify(false);
    mm.setWait(true);
    mm.setCommand("Stop");
    if (close) {
      mm.setFileName("");
      mm.setCommand("Close");
    }
    PlayFor(3s);
    const std::vector<Played> expected = {{"A.wav", kLayakari[0]}, {"B.wav", kLayakari[1]}};
    EXPECT_EQ(played, expected) << "phrase 3 never starts";
    EXPECT_EQ(EndsHeard(), 1);
    EXPECT_EQ(sound::TPlayInfo.CurrPhrase, 1);
    EXPECT_EQ(Player().Mode(), mci::mciModeNotOpen);
    EXPECT_TRUE(messages.empty());
  }
}

TEST_F(PlayLoop, AFileStoppedOnlyToSkipItGoesOnWithTheNextPhrase) {
  Layakari();
  sound::sSetUpForDemoModeIllustrations();
  ASSERT_TRUE(sound::fPlayMusicPhrases());
  PlayFor(100ms);
  // The illustration screen's "Stop Current": the device stays open.
  sound::PlayOnAfterStop = -1;
  mci::MMControl& mm = Player();
  mm.setNotify(false);
  mm.setWait(true);
  mm.setCommand("Stop");
  PlayUntilTheEnd();
  const std::vector<Played> expected = {{"A.wav", kLayakari[0]}, {"B.wav", kLayakari[1]}, {"A.wav", kLayakari[2]}};
  EXPECT_EQ(played, expected);
  EXPECT_EQ(EndsHeard(), 1);
  EXPECT_EQ(sound::PlayOnAfterStop, 0) << "it serves one file";
  EXPECT_TRUE(messages.empty());
}

TEST_F(PlayLoop, APhraseThatCannotBePreparedEndsTheListInsteadOfPlayingAStaleFile) {
  struct Case {
    size_t broken;  // the phrase (0-based) that holds a word that is no note
    std::vector<Played> heard;
    std::vector<std::string> said;
  };
  const Case cases[] = {
      // Found while the screen starts the list: the screen says so itself.
      {1, {{"A.wav", kLayakari[0]}}, {kOutsideRange, kPreparing}},
      // Found at the end of a file: the loop says so.
      {2, {{"A.wav", kLayakari[0]}, {"B.wav", kLayakari[1]}}, {kOutsideRange, kPreparing, kPlaying}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.broken);
    played.clear();
    messages.clear();
    ForgetScreenCalls();
    Layakari();
    sound::sSetUpForDemoModeIllustrations();
    // Both files hold music of an earlier list.
    std::filesystem::copy_file(File("A.wav"), File("B.wav"), std::filesystem::copy_options::overwrite_existing);
    sound::TPlayInfo.Phrases[c.broken] = "m X d";
    EXPECT_EQ(sound::fPlayMusicPhrases(), c.broken != 1);
    PlayUntilTheEnd();
    EXPECT_EQ(played, c.heard);
    EXPECT_EQ(EndsHeard(), 1);
    EXPECT_EQ(sound::TPlayInfo.CurrPhrase, 1);
    EXPECT_EQ(MessageTexts(), c.said);
    PlayFor(2s);
    EXPECT_EQ(played.size(), c.heard.size()) << "nothing plays after the end";
  }
}

TEST_F(PlayLoop, TheEndOfPlayingGoesToTheScreenOfTheCallBackCode) {
  struct Case {
    int16_t code;
    const char* dispatcher;  // the dispatcher that hears action 19, "" for none
  };
  const Case cases[] = {{12, "sMainOperations"}, {3, "sPlayCompositions"}, {8, "sWorkshop"}, {11, "sComposer"},
                        {0, ""},                 {1, ""},                   {6, ""},          {9, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    ForgetScreenCalls();
    played.clear();
    Scale();
    sound::sSetUpForDemoModeIllustrations();
    sound::CallbackCode = c.code;
    ASSERT_TRUE(sound::fPlayMusicPhrases());
    PlayFor(10s, [this] { return !played.empty(); });
    PlayFor(100ms);
    EXPECT_EQ(played.size(), 1u);
    for (const char* name : {"sMainOperations", "sPlayCompositions", "sWorkshop", "sComposer"})
      EXPECT_EQ(TraceEntries(name), std::string(c.dispatcher) == name ? 1 : 0) << name;
    EXPECT_EQ(TraceEntries("sSetCompNotationSlotsToDefaultColor"), c.code == 3 ? 1 : 0)
        << "the composition player's grid is reset as the part starts";
    EXPECT_EQ(Player().Mode(), mci::mciModeNotOpen) << "the file is closed";
  }
  // The composition player, not in front, touched neither the form in front nor the
  // screen that hears the end of playing.
  EXPECT_EQ(halts, 0);
  EXPECT_TRUE(messages.empty());
  EXPECT_NE(form->Ctl("cNote", 0).ForeColor(), 255u) << "the composer's slots are marked on the Composer only";
}

TEST_F(PlayLoop, TheWorkbenchDroneRepeatsWhileLoopingAndClosesAtTheFirstDoneAfter) {
  int dones = 0;
  form->On("cMM", forms::Event::Done, [&dones] {
    ++dones;
    sound::sPlayMusicFile1(sound::MusicFileToPlay);
  });
  sound::PhraseNotes = "S r";
  sound::PhraseTiming = "10 10";
  sound::sSetUpForPlayingSelectedPhrase();
  sound::CallbackCode = 8;
  sound::LoopFlag = -1;
  sound::MusicFileToPlay = File("A.wav");
  sound::PlayState = 0;
  sound::sPlayMusicFile1(sound::MusicFileToPlay);
  PlayFor(10s, [&dones] { return dones == 3; });
  EXPECT_EQ(dones, 3);
  EXPECT_EQ(Player().Mode(), mci::mciModePlay) << "the drone plays again from its start";
  EXPECT_EQ(sound::PlayState, 1);

  sound::LoopFlag = 0;
  PlayFor(2s);
  EXPECT_EQ(dones, 4);
  EXPECT_EQ(Player().Mode(), mci::mciModeNotOpen);
  EXPECT_EQ(EndsHeard(), 0);
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace playlooptest
