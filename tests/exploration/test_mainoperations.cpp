// The illustration screen: its lists, the row of boxes, the item a list line names, the
// item caption, the item controls, the lock set and the prompt line of each mode.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ExplorationTest.h"
#include "common/CommonState.h"
#include "common/Database.h"
#include "exploration/ExplorationState.h"
#include "exploration/MainOperations.h"
#include "exploration/Screens.h"
#include "shell/ShellState.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"

namespace explorationtest {
namespace {

using Names = std::vector<std::string>;

class IllustrationTest : public ExplorationTest {
 protected:
  void SetUp() override { SetUpDatabases(Content::Fixture, withScale_); }
  void Open(const std::string& raga) {
    OpenGrid();
    ClickRaga(raga);
    ASSERT_EQ(shell::CurrFormId, 28);
  }
  bool Shown(const char* name) { return Front().Ctl(name).Visible(); }
  void ChooseMode(const char* option) { Front().Get<forms::OptionButton>(option).Select(); }

  bool withScale_ = false;
};

class IllustrationWithScaleTest : public IllustrationTest {
 protected:
  void SetUp() override {
    withScale_ = true;
    IllustrationTest::SetUp();
  }
};

TEST_F(IllustrationWithScaleTest, ARagaWithEveryKindOfItemListsThemAllUnderTheirHeadings) {
  Open("Yaman");
  EXPECT_EQ(Front().Caption(), "Raga Exploration");
  EXPECT_EQ(sound::CallbackCode, 12);
  EXPECT_EQ(Lines("cKZIllusList"),
            (Names{"Aroha and Avroha", "Pakad (characteristic phrase)", "Alap Phrases (2)", "Layakari Phrases (2)",
                   "Taan Phrases (1)", "--- Compositions ---", "Composition - Eri Aali", "--- Similar Ragas ---",
                   "Similar Raga - Shuddha Kalyan", "--- Film Songs ---", "Film Song - A Film Song"}));
  EXPECT_EQ(Lines("cUserIllusList"), (Names{"Alap Phrases (1)", "Composition - My Song"}));
  EXPECT_EQ(Lines("cScaleList"), (Names{"My Scale"}));
  for (const char* name : {"cKZIllusList", "Label1", "cUserIllusList", "Label8", "cScaleList", "Label16", "Frame1",
                           "Label17", "cLine2", "cNotes", "cRaga", "cAroha", "cPakad"}) {
    EXPECT_TRUE(Shown(name)) << name;
  }
  EXPECT_EQ(Front().Ctl("cRaga").Text(), "Yaman");
  EXPECT_EQ(Front().Ctl("cNotes").Text(), "Thata = Kalyan; Jati = Sampurna-Sampurna; Time = 18-21 h\nEvening");
  EXPECT_EQ(exploration::RagaNotesText, Front().Ctl("cNotes").Text());
  // The keyboard is drawn.
  EXPECT_TRUE(Shown("cLine1"));
  EXPECT_TRUE(Front().Ctl("cR", 10).Visible());
}

TEST_F(IllustrationTest, ARagaWithFewItemsListsOnlyTheScalePakadAndAlapLines) {
  Open("Bhairav");
  EXPECT_EQ(Lines("cKZIllusList"), (Names{"Aroha and Avroha", "Pakad (characteristic phrase)", "Alap Phrases (0)"}));
  EXPECT_EQ(Front().Ctl("cNotes").Text(), "Thata = (Undefined); Jati = Sampurna; Time = 06-09 h\nMorning");
  for (const char* name : {"cUserIllusList", "Label8", "cScaleList", "Label16"}) EXPECT_FALSE(Shown(name)) << name;
  EXPECT_TRUE(Shown("Frame1"));
  EXPECT_EQ(exploration::UserItemsPresent, 0);
  EXPECT_EQ(exploration::ScalesPresent, 0);
}

TEST_F(IllustrationTest, TheUsersOwnPhrasesAloneFillTheUserList) {
  Open("Bageshri");
  EXPECT_EQ(Lines("cUserIllusList"), (Names{"Alap Phrases (1)"}));
  EXPECT_TRUE(Shown("cUserIllusList"));
  EXPECT_EQ(exploration::UserItemsPresent, -1);
}

// The boxes present are centred as a group, 0.02 of the width apart, labels above them.
TEST_F(IllustrationTest, TheBoxesPresentAreCentredWithTheirLabels) {
  struct Case {
    const char* raga;
    Names boxes;
    Names labels;
  };
  const Case cases[] = {
      {"Bhairav", {"cKZIllusList", "Frame1"}, {"Label1", "Label17"}},
      {"Yaman", {"cKZIllusList", "cUserIllusList", "Frame1"}, {"Label1", "Label8", "Label17"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.raga);
    Open(c.raga);
    forms::Form& form = Front();
    const double width = exploration::fLayoutWidth(form);
    const double w = form.Ctl("cKZIllusList").Width();
    const double n = static_cast<double>(c.boxes.size());
    double left = width / 2 - n / 2 * w - (n - 1) / 2 * 0.02 * width;
    for (size_t i = 0; i < c.boxes.size(); ++i) {
      const forms::Control& box = form.Ctl(c.boxes[i]);
      EXPECT_NEAR(box.Left(), left, 1.0) << c.boxes[i];
      EXPECT_EQ(form.Ctl(c.labels[i]).Left(), box.Left()) << c.labels[i];
      left += box.Width() + 0.02 * width;
    }
    MainOperations(20);
    SelectRaga(20);
  }
}

TEST_F(IllustrationTest, AHeadingIsListedOnlyWhenItemsWithNotationFollowIt) {
  // Bhairav has a film song and a similar raga, neither with notation.
  ASSERT_EQ(common::fGetRagaId("Bhairav"), 2);
  Open("Bhairav");
  for (const std::string& line : Lines("cKZIllusList")) {
    EXPECT_EQ(line.find("---"), std::string::npos) << line;
    EXPECT_EQ(line.find("Unnotated"), std::string::npos) << line;
  }
}

TEST_F(IllustrationTest, OpeningForAnotherRagaResetsTheModeAndLooping) {
  Open("Yaman");
  ChooseMode("Option3");
  EXPECT_EQ(sound::CurrOperationMode, 3);
  sound::LoopFlag = -1;
  exploration::ScriptStep = -1;
  exploration::LastPlayedSpeed = 12;
  MainOperations(20);
  EXPECT_EQ(shell::CurrFormId, 9);
  ClickRaga("Bhairav");
  EXPECT_EQ(sound::CurrOperationMode, 1);
  EXPECT_EQ(sound::LoopFlag, 0);
  EXPECT_EQ(exploration::ScriptStep, 1);
  EXPECT_EQ(exploration::LastPlayedSpeed, 0);
  EXPECT_EQ(Front().Ctl("Option1").Value(), 1);
  EXPECT_EQ(Front().Ctl("cRaga").Text(), "Bhairav");
}

// The prompt line: scale information, prompts 4 and 6, 7 with saved scales, then the mode's.
TEST_F(IllustrationWithScaleTest, EachModeWritesItsPromptLine) {
  struct Case {
    const char* raga;
    const char* option;
    const char* numbers;
  };
  const Case cases[] = {
      {"Yaman", "Option1", "4,6,7,5,8,14,15,16,17"}, {"Yaman", "Option2", "4,6,7,18,19,20,14"},
      {"Yaman", "Option3", "4,6,7,21,22,23"},        {"Bhairav", "Option1", "4,6,7,5,14,15,16,17"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.raga) + " " + c.option);
    Open(c.raga);
    if (std::string(c.option) != "Option1") ChooseMode(c.option);
    EXPECT_EQ(Front().Ctl("cPrompts").Text(), ExpectedPrompts(c.numbers));
    EXPECT_EQ(Front().Ctl("cPrompts").Text().find("Using KZ Scale with Black-1 (C#) As 'sA' (Tonic Note) - "), 0u);
    MainOperations(20);
    SelectRaga(20);
  }
}

TEST_F(IllustrationTest, WithoutSavedScalesPromptSevenIsLeftOut) {
  Open("Yaman");
  EXPECT_EQ(Front().Ctl("cPrompts").Text(), ExpectedPrompts("4,6,5,8,14,15,16,17"));
  ChooseMode("Option2");
  EXPECT_EQ(Front().Ctl("cPrompts").Text(), ExpectedPrompts("4,6,18,19,20,14"));
  // Every prompt the screen uses has its text.
  for (const char* n : {"4", "5", "6", "7", "8", "14", "15", "16", "17", "18", "19", "20", "21", "22", "23"})
    EXPECT_FALSE(common::fGetPrompts(n).empty()) << n;
}

TEST_F(IllustrationTest, ChangingTheModeHidesTheItemControlsAndEmptiesThem) {
  Open("Yaman");
  sound::CurrItemKind = 3;
  sound::CurrMusicItemType = 4;
  exploration::sDisplayMOControls();
  Front().Ctl("cInfo").SetText("(Alap 1/2)");
  Front().Ctl("cCurrentItem").SetText("S R G");
  ChooseMode("Option2");
  EXPECT_EQ(Front().Ctl("cInfo").Text(), "");
  EXPECT_EQ(Front().Ctl("cCurrentItem").Text(), "");
  for (const char* name : {"cInfo", "cCurrentItem", "cPlay", "cStop", "cStartLoop", "cStopLoop", "cStopCur",
                           "cSlider", "Label11", "Label12", "Frame2", "Option4", "Option5"}) {
    EXPECT_FALSE(Shown(name)) << name;
  }
}

TEST_F(IllustrationTest, TheLockSetIsDisabledAndEnabledAndNothingElse) {
  const Names lockSet = {"cAroha",     "cAvroha",    "cPakad",     "cKZIllusList", "cUserIllusList", "cScaleList",
                         "Frame1",     "Option1",    "Option2",    "Option3",      "cReturn",        "Frame2",
                         "Option4",    "Option5",    "cSlider",    "cMnuRagInf",   "cMnuDro",        "cMnuGraNot",
                         "cMnuKebDis", "cMnuNotScr", "cMnuSyn",    "cMnuTonKey",   "cMnuHel"};
  const Names outside = {"cPlay", "cStop", "cStartLoop", "cStopLoop", "cStopCur", "cMnuTraOn", "cMnuTraOff", "cMnuSlo",
                         "cMnuSpe"};
  Open("Yaman");
  for (const std::string& name : outside) Front().Ctl(name).SetEnabled(true);
  exploration::sDisableF28Selections();
  for (const std::string& name : lockSet) EXPECT_FALSE(Front().Ctl(name).Enabled()) << name;
  for (const std::string& name : outside) EXPECT_TRUE(Front().Ctl(name).Enabled()) << name;
  exploration::sEnableF28Selections();
  for (const std::string& name : lockSet) EXPECT_TRUE(Front().Ctl(name).Enabled()) << name;
}

// The item controls by mode and item: which are shown, usable and editable.
TEST_F(IllustrationTest, TheItemControlsFollowTheModeAndTheItem) {
  struct Case {
    const char* what;
    int16_t mode, kind, type;
    bool stopCurrent;        // cStopCur enabled
    bool frame;              // Frame2 shown
    bool frameEnabled;
    const char* option4;     // its captions
    const char* option5;
    bool editable;           // cCurrentItem
    bool slider;
    bool playEnabled;        // cPlay: idle in learning and practice, playing in demo
  };
  const Case cases[] = {
      {"demo scale", 1, 1, 1, false, false, false, "", "", false, false, false},
      {"demo alap", 1, 3, 4, true, false, false, "", "", false, false, false},
      {"demo composition", 1, 6, 8, true, true, false, "Asthai", "Antara", false, false, false},
      {"demo film song", 1, 6, 9, false, false, false, "", "", false, false, false},
      {"demo similar raga", 1, 7, 7, true, true, false, "Yaman", "Shuddha Kalyan", false, false, false},
      {"learning taan", 2, 5, 6, false, true, true, "Next", "Prev", false, true, true},
      {"learning pakad", 2, 2, 3, false, false, false, "", "", false, true, true},
      {"practice layakari", 3, 4, 5, false, true, true, "Next", "Prev", true, true, true},
  };
  Open("Yaman");
  exploration::SimilarRagaName = "Shuddha Kalyan";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    exploration::sHideMOControls();
    sound::CurrOperationMode = c.mode;
    sound::CurrItemKind = c.kind;
    sound::CurrMusicItemType = c.type;
    sound::LoopFlag = 0;
    exploration::sDisplayMOControls();
    forms::Form& form = Front();
    EXPECT_TRUE(Shown("cInfo"));
    EXPECT_TRUE(Shown("cCurrentItem"));
    EXPECT_TRUE(Shown("cPlay"));
    EXPECT_TRUE(Shown("cStopCur"));
    EXPECT_EQ(form.Ctl("cStopCur").Enabled(), c.stopCurrent);
    EXPECT_EQ(Shown("Frame2"), c.frame);
    if (c.frame) {
      EXPECT_EQ(form.Ctl("Frame2").Enabled(), c.frameEnabled);
      EXPECT_EQ(form.Ctl("Option4").Caption(), c.option4);
      EXPECT_EQ(form.Ctl("Option5").Caption(), c.option5);
    }
    EXPECT_EQ(form.Get<forms::TextBox>("cCurrentItem").Locked(), !c.editable);
    EXPECT_EQ(Shown("cSlider"), c.slider);
    EXPECT_EQ(Shown("Label11"), c.slider);
    EXPECT_EQ(form.Ctl("cPlay").Enabled(), c.playEnabled);
    EXPECT_EQ(form.Ctl("cStop").Enabled(), !c.playEnabled);
    EXPECT_EQ(form.MousePointer(), forms::vbHourglass);
  }
}

TEST_F(IllustrationTest, TheDispatcherAlwaysTakesTheEndOfPlayingAndIgnoresCodesItHasNot) {
  Open("Yaman");
  const std::string prompts = Front().Ctl("cPrompts").Text();
  for (int16_t code : {4, 22, -1, 100, -32768}) {
    sound::CallbackCode = 0;
    MainOperations(code);
    EXPECT_EQ(sound::CallbackCode, 12) << code;
    EXPECT_EQ(shell::CurrFormId, 28) << code;
  }
  EXPECT_EQ(Front().Ctl("cPrompts").Text(), prompts);
  EXPECT_TRUE(messages.empty());
}

// What each list line names.
TEST_F(IllustrationTest, EveryKindOfListLineSetsItsItemWords) {
  struct Case {
    std::string line;
    int16_t database;
    int16_t phraseType, musicItemType, itemKind;
    std::string addInfo;
    int32_t notationIndex;
  };
  const Case cases[] = {
      {"Aroha and Avroha", 1, 6, 1, 1, "", 0},
      {"Pakad (characteristic phrase)", 1, 7, 3, 2, "", 0},
      {"Alap Phrases (2)", 1, 1, 4, 3, "", 0},
      {"Layakari Phrases (2)", 1, 2, 5, 4, "", 0},
      {"Taan Phrases (1)", 2, 3, 6, 5, "", 0},
      {"Composition - Eri Aali", 1, 5, 8, 6, "Eri Aali", 10},
      {"Composition  -  Eri Aali", 1, 5, 8, 6, "Eri Aali", 10},
      {"Composition - My Song", 2, 5, 8, 6, "My Song", 1},
      {"Similar Raga - Shuddha Kalyan", 1, 99, 7, 7, "Shuddha Kalyan", 30},
      {"Film Song - A Film Song", 1, 99, 9, 6, "A Film Song", 20},
  };
  // The fixture's own composition has its asthai only: the antara makes it whole.
  AddRows("", R"sql(INSERT INTO "Raga - Composition Notations" VALUES
    (1, 2, 1, 'Mine', 1, 2, 'My own song', 'ga', '2', 'G', '2', 2, 1, 80);)sql");
  Open("Yaman");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    common::CurrPhraseType = 99;
    common::CurrAddInfo.clear();
    common::CurrNotationIndex = 0;
    common::CurrDBSelector = c.database;
    EXPECT_TRUE(exploration::sSetMusicParameters(c.line, c.database));
    EXPECT_EQ(common::CurrPhraseType, c.phraseType);
    EXPECT_EQ(sound::CurrMusicItemType, c.musicItemType);
    EXPECT_EQ(sound::CurrItemKind, c.itemKind);
    EXPECT_EQ(common::CurrAddInfo, c.addInfo);
    EXPECT_EQ(common::CurrNotationIndex, c.notationIndex);
    if (c.notationIndex != 0) {
      EXPECT_EQ(common::TCompData[0].NotationIndex, c.notationIndex);
    }
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(IllustrationTest, AFilmSongSwitchesTheScreenToDemoMode) {
  Open("Yaman");
  ChooseMode("Option3");
  ASSERT_EQ(sound::CurrOperationMode, 3);
  EXPECT_TRUE(exploration::sSetMusicParameters("Film Song - A Film Song", 1));
  EXPECT_EQ(sound::CurrOperationMode, 1);
  EXPECT_EQ(Front().Ctl("Option1").Value(), 1);
  EXPECT_EQ(Front().Ctl("Option3").Value(), 0);
  EXPECT_EQ(Front().Ctl("cPrompts").Text(), ExpectedPrompts("4,6,5,8,14,15,16,17"));
}

// Headings and lines that name nothing choose no item: nothing of an earlier item is played.
TEST_F(IllustrationTest, ALineThatNamesNoItemChoosesNothing) {
  const char* const lines[] = {"--- Compositions ---", "--- Similar Ragas ---", "--- Film Songs ---", "Avroha",
                               "", "   ", "Composition -", "Similar Ragas", "Film Songs", "aroha and avroha"};
  Open("Yaman");
  for (const char* line : lines) {
    SCOPED_TRACE(line);
    ASSERT_TRUE(exploration::sSetMusicParameters("Composition - Eri Aali", 1));
    EXPECT_FALSE(exploration::sSetMusicParameters(line, 1));
    EXPECT_EQ(sound::CurrItemKind, 0);
    EXPECT_EQ(common::CurrPhraseType, 5);
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(IllustrationTest, AnEntryThatIsNotInTheDatabaseSaysSoAndChoosesNothing) {
  Open("Yaman");
  EXPECT_FALSE(exploration::sSetMusicParameters("Composition - Not There", 1));
  EXPECT_EQ(sound::CurrItemKind, 0);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].prompt, "Composition Not Available");
  // The content's composition is not in the user database.
  messages.clear();
  EXPECT_FALSE(exploration::sSetMusicParameters("Composition - Eri Aali", 2));
  EXPECT_EQ(messages.size(), 1u);
}

TEST_F(IllustrationTest, TheItemCaptionNamesTheItemAndItsPhrase) {
  struct Case {
    int16_t type;
    std::string caption;
  };
  const Case cases[] = {{1, "Aroha and Avroha"},       {3, "Pakad pattern"}, {4, "(Alap 3/7)"},
                        {5, "(Layakari Phrase 3/7)"}, {6, "(Taan 3/7)"},    {2, "unchanged"},
                        {8, "unchanged"}};
  Open("Yaman");
  sound::TMNInfo.CurrPhrase = 3;
  sound::TMNInfo.PhraseCount = 7;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    Front().Ctl("cInfo").SetText("unchanged");
    sound::CurrMusicItemType = c.type;
    exploration::sSetCurrItemDesc();
    EXPECT_EQ(Front().Ctl("cInfo").Text(), c.caption);
  }
}

}  // namespace
}  // namespace explorationtest
