// The phrase sets of the items of the fixture ragas and the set-ups of the play modes.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PlayLoopTest.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "common/RagaTables.h"
#include "platform/vb/Files.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "sound/PhraseSetUps.h"
#include "sound/PlayLoop.h"
#include "sound/SoundState.h"

namespace playlooptest {
namespace {

using sound::TMNInfo;
using sound::TPlayInfo;
using sound::TPracticeInfo;

constexpr int16_t kDoubleSpeedSlider = 4;  // factor 2.0: everything lasts twice as long
constexpr const char* kSettingUp = "Error Setting up for Illustration";

// A text's words one blank apart, as the readers of timing and phrase texts see them.
std::string Spaced(const std::string& text) {
  return common::notation::Join(common::notation::Words(text, " "), " ");
}
std::vector<std::string> Spaced(const std::vector<std::string>& texts, size_t count) {
  std::vector<std::string> out;
  for (size_t i = 0; i < count && i < texts.size(); ++i) out.push_back(Spaced(texts[i]));
  return out;
}

class SetUps : public PlayLoopTest {
 protected:
  void Yaman() {
    MakeCurrent(1, "Yaman");
    common::sSetupForCurrRaga();
  }
  // The composition, film song or similar raga of Yaman titled addInfo.
  void Item(int16_t itemType, int16_t addInfoType, const std::string& addInfo) {
    Yaman();
    sound::CurrItemKind = itemType == 7 ? 7 : 6;
    sound::CurrMusicItemType = itemType;
    common::CurrAddInfo = addInfo;
    common::sDBToTCompInfo(1, addInfoType, addInfo);
    common::sDBToTCompData(1, common::CurrNotationIndex);
  }
  void Slider(int value) { form->Ctl("cSlider").SetValue(value); }
};

TEST_F(SetUps, EachItemFillsItsPhraseSetFromTheRagaTables) {
  struct Case {
    const char* item;
    int16_t kind, phraseType, db, form, graceNotes;
    std::vector<std::string> phrases, timings;
    int16_t current;
  };
  const Case cases[] = {
      {"scale", 1, 6, 1, 2, 2,
       {"N< R G M P D N S> S> N D P M G R S"},
       {"40 40 40 40 40 40 40 80 40 40 40 40 40 40 40 70"}, 1},
      {"scale in segments", 1, 6, 1, 1, 2,
       {"N< R G M P D N S> : S> N D P M G R S"},
       {"40 40 40 40 40 40 40 80 40 40 40 40 40 40 40 70"}, 1},
      {"pakad without grace notes", 2, 7, 1, 2, 1, {"N< R G R P R R S"}, {"40 40 40 70 40 70 40 120"}, 1},
      {"alap", 3, 1, 1, 2, 2,
       {"S N< D< N<'R S", "N< R G R G N< R S"},
       {"80 50 50 80 150", "50 50 100 50 80 50 50 150"}, 2},
      {"the user's alap", 3, 1, 2, 1, 2, {"G M P : D N S>"}, {"20 20 40 20 20 80"}, 1},
      {"taan, one duration per note", 5, 3, 1, 2, 2,
       {"N< R G M P D N S> S> N D P M G R S"},
       {"15 15 15 15 15 15 15 15 15 15 15 15 15 15 15 15"}, 1},
  };
  Yaman();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    sound::CurrItemKind = c.kind;
    common::CurrPhraseType = c.phraseType;
    common::CurrDBSelector = c.db;
    shell::GraceNotes = c.graceNotes;
    sound::LookAhead = 1;
    sound::sLoadMNFromT(c.form);
    ASSERT_EQ(TMNInfo.PhraseCount, static_cast<int16_t>(c.phrases.size()));
    EXPECT_EQ(TMNInfo.CurrPhrase, c.current);
    EXPECT_EQ(Spaced(TMNInfo.Phrases, c.phrases.size()), c.phrases);
    EXPECT_EQ(Spaced(TMNInfo.Timings, c.phrases.size()), c.timings);
    EXPECT_EQ(TMNInfo.StoredTimings, TMNInfo.Timings);
    EXPECT_EQ(TMNInfo.Phrases.size(), c.phrases.size() + 1) << "sized 0 to the phrase count";
    EXPECT_EQ(sound::LookAhead, c.kind <= 2 ? 2 : 1) << "scale and pakad switch the look-ahead off";
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(SetUps, CompositionsFilmSongsAndComparisonsFillTheirParts) {
  struct Case {
    int16_t itemType, addInfoType;
    const char* addInfo;
    int16_t mode;
    std::vector<std::string> phrases, timings;
  };
  const Case cases[] = {
      // Matras by the Playing Speed (70), and by the slider (2.0) outside demo mode.
      {8, 2, "Eri Aali", 1, {"G R'G M P", "P S>"}, {"70 70 70 70", "140 140"}},
      {8, 2, "Eri Aali", 2, {"G R'G M P", "P S>"}, {"140 140 140 140", "280 280"}},
      // A film song has one part and keeps its speed.
      {9, 3, "A Film Song", 2, {"G M D"}, {"120 120 240"}},
      // A comparison without a Playing Speed keeps its durations as stored; with one,
      // both ragas' matras are converted by it, whatever the mode.
      {7, 1, "Shuddha Kalyan", 1, {"G R S", "N< R G"}, {"2 1 1", "1 1 2"}},
      {7, 1, "Bhairav", 2, {"S r G", "S R G"}, {"100 50 25", "50 50 100"}},
  };
  Slider(kDoubleSpeedSlider);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.addInfo) + ", mode " + std::to_string(c.mode));
    sound::CurrOperationMode = c.mode;
    Item(c.itemType, c.addInfoType, c.addInfo);
    sound::sLoadMNFromT(2);
    ASSERT_EQ(TMNInfo.PhraseCount, static_cast<int16_t>(c.phrases.size()));
    EXPECT_EQ(TMNInfo.CurrPhrase, TMNInfo.PhraseCount);
    EXPECT_EQ(Spaced(TMNInfo.Phrases, c.phrases.size()), c.phrases);
    EXPECT_EQ(Spaced(TMNInfo.Timings, c.phrases.size()), c.timings);
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(SetUps, ACompositionsPartsGetTheirPromptStartBeatThekaAndBeatCount) {
  Item(8, 2, "Eri Aali");
  sound::LookAhead = 1;
  sound::sPreprocCompDataFromT();
  EXPECT_EQ(common::CurrTalaId, 1);
  EXPECT_EQ(sound::CompBeatCount, 16);
  const auto& asthai = sound::NotesList[0];
  const auto& antara = sound::NotesList[1];
  EXPECT_EQ(asthai.Prompt.rfind("Playing Composition 'Eri Aali' in Taal 'Teentaal' - 16Beats(Eri aali piya bina - "
                                "Astai part) : ",
                                0),
            0u)
      << asthai.Prompt;
  EXPECT_NE(antara.Prompt.find(" - Antara part) : "), std::string::npos) << antara.Prompt;
  EXPECT_EQ(asthai.StartMatra, 1);
  EXPECT_EQ(antara.StartMatra, 3);
  EXPECT_EQ(asthai.TalaString, "1/101/0 1/102/0 1/103/0 1/104/0") << "one beat per note from beat 1";
  EXPECT_EQ(antara.TalaString, "2/103/104/0 2/105/106/0");
  EXPECT_EQ(asthai.BeatCount, 4);
  EXPECT_EQ(antara.BeatCount, 4);
  EXPECT_EQ(sound::LookAhead, 2);
  EXPECT_EQ(Spaced(TMNInfo.Phrases, 2), (std::vector<std::string>{"G R'G M P", "P S>"}));
}

TEST_F(SetUps, AComparisonNamesTheRagaEachSlotPlays) {
  Item(7, 1, "Shuddha Kalyan");
  sound::sPreprocCompDataFromT();
  const std::string a = common::TCompData[0].CompositionMukhada;
  const std::string b = common::TCompData[1].CompositionMukhada;
  const std::string line = "Playing comparison of Ragas " + a + " and " + b + ". Currently playing ";
  EXPECT_EQ(sound::NotesList[0].Prompt, line + a);
  EXPECT_EQ(sound::NotesList[1].Prompt, line + b);
  EXPECT_EQ(sound::LookAhead, 2);
}

TEST_F(SetUps, DemoModePlaysEveryPhraseWithTheLookAheadFromSlotZero) {
  struct Case {
    int16_t kind, phraseType;
    int16_t last;
    int16_t notes;
  };
  const Case cases[] = {{1, 6, 1, 16}, {4, 2, 3, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    sound::CurrItemKind = c.kind;
    common::CurrPhraseType = c.phraseType;
    sound::PlayMode = 2;
    sound::Theka = 1;
    vb::KillIfExists(File("A.wav"));
    sound::sSetUpForDemoModeIllustrations();
    EXPECT_EQ(TPlayInfo.CurrPhrase, 1);
    EXPECT_EQ(TPlayInfo.RestartPhrase, 1);
    EXPECT_EQ(TPlayInfo.LastPhrase, c.last);
    EXPECT_EQ(TPlayInfo.Phrases, TMNInfo.Phrases);
    EXPECT_EQ(sound::LookAhead, 1);
    EXPECT_EQ(sound::PlayMode, 1);
    EXPECT_EQ(sound::Theka, 2) << "no theka but for a composition";
    EXPECT_EQ(sound::NotesList[0].NoteCount, c.notes);
    EXPECT_GT(vb::FileLen(File("A.wav")), 0u);
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(SetUps, LearningModeReplaysOnePhraseAtTheSpeedOfTheSlider) {
  Layakari();
  sound::sLoadMNFromT(2);
  TMNInfo.CurrPhrase = 2;  // the phrase shown in cCurrentItem
  Slider(kDoubleSpeedSlider);
  sound::LookAhead = 1;
  sound::sSetUpForLearningModeIllustration();
  EXPECT_EQ(TPlayInfo.RestartPhrase, 2);
  EXPECT_EQ(TPlayInfo.LastPhrase, 2);
  EXPECT_EQ(Spaced(TPlayInfo.Timings, 3), (std::vector<std::string>{"10 10 20", "20 20 40", "10 10 30"}));
  EXPECT_EQ(sound::LookAhead, 2);
  EXPECT_EQ(sound::PlayMode, 1);
  EXPECT_EQ(sound::NotesList[1].Durations, (std::vector<int32_t>{200, 200, 400, 0}));
  ASSERT_GT(vb::FileLen(File("B.wav")), 0u);

  // Every set-up takes the slider afresh; played, the phrase ends the list at once.
  Slider(kMiddleSlider);
  sound::sSetUpForLearningModeIllustration();
  EXPECT_EQ(Spaced(TPlayInfo.Timings[1]), "10 10 20");
  ASSERT_TRUE(sound::fPlayMusicPhrases());
  PlayUntilTheEnd();
  EXPECT_EQ(played, (std::vector<Played>{{"B.wav", kLayakari[1]}}));
  EXPECT_EQ(TPlayInfo.CurrPhrase, 2);
  EXPECT_TRUE(messages.empty());
}

TEST_F(SetUps, PracticeModeDealsTheStoredDurationsOutOverTheLearnersSegments) {
  const auto dev = [](const std::string& english) {
    std::vector<std::string> words = common::notation::Words(english, " ");
    for (auto& w : words) w = w == ":" ? w : common::fGetDevForEng(w);
    return common::notation::Join(words, " ");
  };
  struct Case {
    const char* item;
    int16_t phraseType, script;
    std::string typed;
    std::vector<std::string> phrases, timings;
  };
  const Case cases[] = {
      {"scale", 6, 2, "S R G : m P", {"S R G", "m P"}, {"40 40 40", "40 40"}},
      {"taan: a fixed value per note", 3, 2, "S R G : m P", {"S R G", "m P"}, {"15 15 15", "15 15"}},
      // Notes beyond the stored phrase (10 10 20) last as long as its last note.
      {"layakari with added notes", 2, 2, " S r G m :  P d ", {"S r G m", "P d"}, {"10 10 20 20", "20 20"}},
      {"typed in Devanagari", 6, 1, dev("S R G : m P"), {"S R G", "m P"}, {"40 40 40", "40 40"}},
  };
  Layakari();
  sound::sLoadMNFromT(1);
  TMNInfo.CurrPhrase = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    common::CurrPhraseType = c.phraseType;
    shell::NotationScript = c.script;
    form->Ctl("cCurrentItem").SetText(c.typed);
    sound::LookAhead = 2;
    sound::sSetUpForPracticeModeIllustrations1();
    ASSERT_EQ(TPlayInfo.PhraseCount, static_cast<int16_t>(c.phrases.size()));
    EXPECT_EQ(TPlayInfo.CurrPhrase, 1);
    EXPECT_EQ(TPlayInfo.RestartPhrase, 1);
    EXPECT_EQ(TPlayInfo.LastPhrase, TPlayInfo.PhraseCount);
    EXPECT_EQ(Spaced(TPlayInfo.Phrases, c.phrases.size()), c.phrases);
    EXPECT_EQ(Spaced(TPlayInfo.Timings, c.phrases.size()), c.timings);
    EXPECT_EQ(TPracticeInfo.StoredTimings, std::vector<std::string>(c.phrases.size() + 1));
    EXPECT_EQ(sound::LookAhead, 1);
    EXPECT_EQ(sound::PlayMode, 2);
    const auto& first = sound::NotesList[0];
    for (int16_t k = 0; k < first.NoteCount; ++k) EXPECT_GT(first.Durations[k], 0) << "note " << k + 1 << " sounds";
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(SetUps, ASelectedPhraseIsASetOfOneLeavingTheLoopSwitchesAlone) {
  sound::PhraseNotes = "S r G";
  sound::PhraseTiming = "10 10 20";
  sound::LookAhead = 1;
  sound::PlayMode = 2;
  TPlayInfo.StoredTimings = {"kept"};
  sound::sSetUpForPlayingSelectedPhrase();
  EXPECT_EQ(TPlayInfo.PhraseCount, 1);
  EXPECT_EQ(TPlayInfo.CurrPhrase, 1);
  EXPECT_EQ(TPlayInfo.RestartPhrase, 1);
  EXPECT_EQ(TPlayInfo.LastPhrase, 1);
  EXPECT_EQ(TPlayInfo.Phrases, (std::vector<std::string>{"S r G", ""}));
  EXPECT_EQ(TPlayInfo.StoredTimings, std::vector<std::string>{"kept"});
  EXPECT_EQ(sound::LookAhead, 1);
  EXPECT_EQ(sound::PlayMode, 2);
  EXPECT_EQ(sound::NotesList[0].Durations, (std::vector<int32_t>{100, 100, 200, 0}));
  EXPECT_GT(vb::FileLen(File("A.wav")), 0u);
  EXPECT_TRUE(messages.empty());
}

TEST_F(SetUps, ASetUpThatCannotRenderSaysSoAndReportsIt) {
  sound::PhraseNotes = "S X";
  sound::PhraseTiming = "10 10";
  EXPECT_EQ(sound::sSetUpForPlayingSelectedPhrase(), 0);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().prompt, kSettingUp);
  EXPECT_EQ(messages.back().title, "Message");
  messages.clear();
  sound::PhraseNotes = "S R";
  EXPECT_EQ(sound::sSetUpForPlayingSelectedPhrase(), 1);
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace playlooptest
