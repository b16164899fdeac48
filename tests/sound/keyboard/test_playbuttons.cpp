#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "KeyboardTest.h"
#include "common/CommonState.h"
#include "platform/forms/Form.h"
#include "shell/ShellState.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "sound/PlayButtons.h"
#include "sound/SoundState.h"

namespace keyboardtest {
namespace {

class PlayButtonsTest : public KeyboardTest {
 protected:
  // 1 enabled, 0 disabled, for Play, Stop, Start Looping, Stop Looping and Go Back.
  std::string Enabled() {
    std::string s;
    for (const char* name : {"cPlay", "cStop", "cStartLoop", "cStopLoop", "cReturn"}) {
      s += form->Ctl(name).Enabled() ? '1' : '0';
    }
    return s;
  }
};

TEST_F(PlayButtonsTest, ButtonsFollowAPlayAndAStop) {
  sound::sDisplayPlayControlButtons();
  for (const char* name : {"cPlay", "cStop", "cStartLoop", "cStopLoop"}) EXPECT_TRUE(form->Ctl(name).Visible()) << name;

  sound::sEnablePlayStartButtons();
  EXPECT_EQ(Enabled(), "10101");  // idle: Play, Start Looping, Go Back
  sound::LoopFlag = 0;
  sound::sEnablePlayStopButtons();
  EXPECT_EQ(Enabled(), "01000");  // playing once: only Stop
  sound::sEnablePlayStartButtons();
  EXPECT_EQ(Enabled(), "10101");  // stopped

  sound::LoopFlag = -1;
  sound::sEnablePlayStopButtons();
  EXPECT_EQ(Enabled(), "00010");  // looping: only Stop Looping
  sound::LoopFlag = 0;
  sound::sEnablePlayStartButtons();
  EXPECT_EQ(Enabled(), "10101");
}

struct PromptCase {
  const char* name;
  int16_t mode, kind, musicType, slot;
  int16_t current, count;          // TPlayInfo
  int16_t itemCurrent, itemCount;  // TMNInfo
  const char* info;
};
void PrintTo(const PromptCase& c, std::ostream* os) { *os << c.name; }

class PromptTest : public KeyboardTest, public ::testing::WithParamInterface<PromptCase> {
 protected:
  void SetUp() override {
    KeyboardTest::SetUp();
    common::CurrRagaName = "Yaman";
    common::CurrAddInfo = "Kalyan";
    form->Ctl("cInfo").SetText("unchanged");
  }
  void TearDown() override {
    common::CurrRagaName.clear();
    common::CurrAddInfo.clear();
    sound::CurrOperationMode = 1;
    sound::CurrItemKind = 0;
    sound::CurrMusicItemType = 0;
    sound::CurrSlot = 0;
    sound::TPlayInfo = {};
    sound::TMNInfo = {};
    KeyboardTest::TearDown();
  }
};

TEST_P(PromptTest, ThePromptNamesWhatPlays) {
  const PromptCase c = GetParam();
  sound::CurrOperationMode = c.mode;
  sound::CurrItemKind = c.kind;
  sound::CurrMusicItemType = c.musicType;
  sound::CurrSlot = c.slot;
  sound::TPlayInfo.CurrPhrase = c.current;
  sound::TPlayInfo.PhraseCount = c.count;
  sound::TMNInfo.CurrPhrase = c.itemCurrent;
  sound::TMNInfo.PhraseCount = c.itemCount;
  PhraseRecord rec = MakeRecord("G'P m G R S");
  rec.Prompt = "Playing Composition 'Sakhi' in Taal 'Teentaal'";
  sound::sDisplayMPPrompt(rec);

  EXPECT_EQ(form->Ctl("cInfo").Text(), c.info);
  EXPECT_TRUE(form->Ctl("cInfo").Visible());
  EXPECT_TRUE(form->Ctl("cCurrentItem").Visible());
  EXPECT_EQ(form->Ctl("cCurrentItem").Text(), "G'P");  // the first word of the phrase
  EXPECT_EQ(form->Ctl("Label17").Visible(), c.mode != 1);
}

INSTANTIATE_TEST_SUITE_P(
    Items, PromptTest,
    ::testing::Values(
        PromptCase{"DemoAlap", 1, 3, 4, 0, 3, 5, 1, 5, "Playing Alap pattern 3/5"},
        PromptCase{"DemoLayakari", 1, 4, 5, 1, 1, 2, 1, 2, "Playing Layakari pattern 1/2"},
        PromptCase{"DemoTaan", 1, 5, 6, 0, 2, 2, 1, 2, "Playing Taan pattern 2/2"},
        PromptCase{"DemoScale", 1, 1, 1, 0, 1, 1, 1, 1, "Playing Aroha + Avroha"},
        PromptCase{"DemoPakad", 1, 2, 3, 0, 1, 1, 1, 1, "Playing Pakad"},
        PromptCase{"DemoFilmSong", 1, 6, 9, 0, 1, 1, 1, 1, "Playing Film Song : Kalyan"},
        PromptCase{"DemoComposition", 1, 6, 8, 1, 2, 2, 1, 1, "Playing Composition 'Sakhi' in Taal 'Teentaal'"},
        PromptCase{"ComparisonSlot0", 1, 7, 7, 0, 1, 2, 1, 2,
                   "Playing comparison of Ragas Yaman and Kalyan. Currently playing Kalyan"},
        PromptCase{"ComparisonSlot1", 1, 7, 7, 1, 2, 2, 1, 2,
                   "Playing comparison of Ragas Yaman and Kalyan. Currently playing Yaman"},
        PromptCase{"LearningAlap", 2, 3, 4, 0, 1, 1, 2, 4, "Alap pattern 2/4"},
        PromptCase{"LearningScale", 2, 1, 1, 0, 1, 1, 1, 1, "Aroha + Avroha "},
        PromptCase{"LearningPakad", 2, 2, 3, 0, 1, 1, 1, 1, "Pakad "},
        PromptCase{"PracticeAlap", 3, 3, 4, 0, 2, 3, 2, 4, "Alap pattern 2/4 - practice pattern 2/3"},
        PromptCase{"PracticeTaan", 3, 5, 6, 1, 1, 3, 4, 4, "Taan pattern 4/4 - practice pattern 1/3"},
        PromptCase{"PracticePakad", 3, 2, 3, 0, 3, 4, 1, 1, "Pakad -practice pattern 3/4"},
        PromptCase{"LearningComposition", 2, 6, 8, 0, 1, 1, 1, 1, "unchanged"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PromptTest, TheOptionShownIsThePartOrRagaPlaying) {
  PhraseRecord rec = MakeRecord("S R G");
  struct Case {
    int16_t kind, musicType, slot;
    bool option4;
  };
  // A composition: Option4 the asthai (slot 0), Option5 the antara. A comparison:
  // Option4 the current raga (slot 1), Option5 the compared raga (slot 0).
  for (const Case c : {Case{6, 8, 0, true}, Case{6, 8, 1, false}, Case{7, 7, 0, false}, Case{7, 7, 1, true}}) {
    sound::CurrItemKind = c.kind;
    sound::CurrMusicItemType = c.musicType;
    sound::CurrSlot = c.slot;
    sound::sDisplayMPPrompt(rec);
    EXPECT_EQ(form->Ctl("Frame2").Caption(), "Playing");
    EXPECT_EQ(form->Ctl("Option4").Visible(), c.option4) << c.kind << " slot " << c.slot;
    EXPECT_EQ(form->Ctl("Option5").Visible(), !c.option4) << c.kind << " slot " << c.slot;
  }
}

TEST_F(PromptTest, TheWorkbenchShowsOnlyTheCurrentItem) {
  shell::CurrFormId = 13;
  sound::CurrOperationMode = 2;
  sound::CurrItemKind = 3;
  sound::sDisplayMPPrompt(MakeRecord("S' R"));
  EXPECT_EQ(form->Ctl("cInfo").Text(), "unchanged");
  EXPECT_TRUE(form->Ctl("Label10").Visible());
  EXPECT_EQ(form->Ctl("cCurrentItem").Text(), "S'");

  form->Ctl("cCurrentItem").SetText("");
  form->Ctl("Label10").SetVisible(false);
  sound::CurrOperationMode = 1;  // demo on the workbench: nothing
  sound::sDisplayMPPrompt(MakeRecord("S R"));
  EXPECT_FALSE(form->Ctl("Label10").Visible());
  EXPECT_EQ(form->Ctl("cCurrentItem").Text(), "");

  shell::CurrFormId = 14;  // other screens: nothing
  sound::CurrOperationMode = 2;
  sound::sDisplayMPPrompt(MakeRecord("S R"));
  EXPECT_EQ(form->Ctl("cCurrentItem").Text(), "");
}

}  // namespace
}  // namespace keyboardtest
