// The Composer's screen: opening it, the raga and tala lists, the category frame, the
// layout of each category (palette, time values, slots, labels and buttons), a new
// composition's texts, tala and details, starting again with a new category or raga,
// the palette and script menus, leaving, and the clicks that come before what they act on.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ComposerTest.h"
#include "common/CommonState.h"
#include "common/Notation.h"
#include "composer/Composer.h"
#include "composer/ComposerState.h"
#include "platform/forms/Layout.h"
#include "platform/vb/Folders.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"

namespace composertest {
namespace {

using Names = std::vector<std::string>;
using Indexes = std::vector<int16_t>;
using testsupport::Range;

class ComposerScreenTest : public ComposerTest {
 public:
  // The palette entries 5 to 31 shown.
  std::set<int16_t> ShownPallet() const {
    std::set<int16_t> shown;
    for (int16_t i = 5; i <= 31; ++i)
      if (Ctl("cNotation", i).Visible()) shown.insert(i);
    return shown;
  }
  bool Checked(const char* item) const { return Screen().Get<forms::MenuItem>(item).Checked(); }
};

TEST_F(ComposerScreenTest, OpeningShowsTheRagaListAndItsPromptAndSelectsTheUserDatabase) {
  Open();
  EXPECT_EQ(shell::CurrFormId, 27);
  EXPECT_EQ(shell::ParentFormId[26], 1);
  EXPECT_FALSE(mainForm->Visible()) << "the parent is hidden";
  EXPECT_EQ(common::CurrDBSelector, 2);
  EXPECT_EQ(sound::CallbackCode, 11);
  EXPECT_EQ(sound::CurrOperationMode, 1);
  EXPECT_EQ(sound::Theka, 1);
  EXPECT_EQ(Lines(), (Names{"Bageshri", "Bhairav", "Yaman"}));
  EXPECT_TRUE(Shown("cRagaList"));
  EXPECT_EQ(Ctl("Label1").Caption(), "Select Raga");
  EXPECT_TRUE(Shown("Label1"));
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("41"));
  EXPECT_EQ(Text("cPrompts").find("Using KZ Scale with Black-1 (C#) As 'sA' (Tonic Note) - Click the raga"), 0u);
  EXPECT_FALSE(Ctl("cMnuNotScr").Enabled()) << "no script change before a category";
  EXPECT_TRUE(Checked("cMnuNotForRag"));
  EXPECT_FALSE(Checked("cMnuAllNot"));
  EXPECT_TRUE(Checked("cMnuEng"));
  EXPECT_FALSE(Ctl("cMnuDev").Visible()) << "no Devanagari font";
  for (const char* name : {"cRaga", "cAroha", "cFMusCat", "cAsthai", "cOK", "cPlay", "Frame1", "Frame2", "cMoveU"})
    EXPECT_FALSE(Shown(name)) << name;
  EXPECT_TRUE(messages.empty());
}

TEST_F(ComposerScreenTest, TheRagaListFollowsTheSortingOrderThenTheName) {
  shell::SortingMode = 1;  // by thata: Bhairav's is Null, then Kafi, Kalyan
  Open();
  EXPECT_EQ(Lines(), (Names{"Bhairav", "Bageshri", "Yaman"}));
}

TEST_F(ComposerScreenTest, ChoosingARagaShowsItsDataAndTheCategories) {
  const int32_t drone = sound::CurrDroneType = 1;
  Open();
  Choose("Yaman");
  EXPECT_EQ(common::CurrRagaIndex, 1);
  EXPECT_EQ(common::CurrRagaName, "Yaman");
  EXPECT_EQ(Text("cRaga"), "Yaman");
  EXPECT_EQ(Text("cAroha"), "N<   R   G   M   P   D   N   S>");
  EXPECT_EQ(Text("cPakad"), "N<   R   G   R   P   R   N<'R   S");
  for (const char* name : {"cRaga", "cAroha", "cAvroha", "cPakad", "cVadi", "cSamvadi", "Label2", "cLine1", "cFMusCat",
                           "Label1"})
    EXPECT_TRUE(Shown(name)) << name;
  EXPECT_FALSE(Shown("cRagaList"));
  EXPECT_EQ(Ctl("Label1").Caption(), "Select Musical Category to work with");
  EXPECT_GT(Ctl("cFMusCat").Top(), Ctl("Label1").Top());
  EXPECT_NEAR(Ctl("cFMusCat").Left() + Ctl("cFMusCat").Width() / 2, 6000, 1) << "centred";
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("42"));
  EXPECT_EQ(sound::CurrDroneType, drone) << "the drone stays the previous raga's";
  EXPECT_EQ(common::TALTInfo2[0].PhraseCount, 1) << "the user's phrases are loaded";
  EXPECT_TRUE(messages.empty());
}

// Each category's layout: which elements exist, which labels are shown, where Move Down
// sits, the time values and the beat duration.
TEST_F(ComposerScreenTest, EachCategoryLaysOutItsPaletteTimeValuesAndTwoRowsOfSlots) {
  struct Case {
    const char* option;
    int16_t type;
    Indexes grace, times, timeValues;
    const char* lowest;  // the control Move Down stands under
    std::vector<std::string> values;  // the first, fourth and last time values
    std::string prompt;
  };
  const Case cases[] = {
      {"cOAlap", 1, Range(0, 39), Range(0, 39), Range(0, 18), "cTime", {"10", "25", "100"},
       "43,45,46,47,48,49,50,52,53,54,56,57,58,59,63,64,68,69"},
      {"cOLayakari", 2, Range(0, 39), Range(0, 39), Range(0, 18), "cTime", {"0.0625", "0.33", "5"},
       "44,45,46,47,48,49,50,52,53,54,56,57,58,59,63,64,68,69"},
      {"cOTaan", 3, {0}, {0}, {0}, "cNote", {}, "51,47,48,49,50,52,55,56,57,58,59,63,64,68,69"},
  };
  Open();
  Choose("Yaman");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option);
    Select(c.option);
    EXPECT_EQ(common::CurrPhraseType, c.type);
    EXPECT_EQ(Elements("cNote"), Range(0, 39));
    EXPECT_EQ(Elements("cGNote"), c.grace);
    EXPECT_EQ(Elements("cTime"), c.times);
    EXPECT_EQ(Elements("cCompSyl"), Indexes{0});
    EXPECT_EQ(Elements("cLabel"), Range(0, 7));
    Indexes pallet{0};
    for (int16_t i : Range(5, 32)) pallet.push_back(i);
    EXPECT_EQ(Elements("cNotation"), pallet);
    EXPECT_EQ(Elements("cTimeVal"), c.timeValues);
    const bool taan = c.type == 3;
    for (int16_t row : {0, 1}) {
      EXPECT_EQ(Ctl("cLabel", 4 * row).Visible(), !taan);
      EXPECT_TRUE(Ctl("cLabel", 4 * row + 1).Visible());
      EXPECT_EQ(Ctl("cLabel", 4 * row + 1).Caption(), "Main Notes");
      EXPECT_EQ(Ctl("cLabel", 4 * row + 2).Visible(), !taan);
      EXPECT_FALSE(Ctl("cLabel", 4 * row + 3).Visible()) << "no syllables";
    }
    if (!taan) {
      EXPECT_EQ(Ctl("cLabel", 4).Caption(), "Grace Notes");
      EXPECT_EQ(Ctl("cLabel", 6).Caption(), "Duration");
      EXPECT_EQ(Ctl("cTimeVal", 0).Caption(), c.values[0]);
      EXPECT_EQ(Ctl("cTimeVal", 3).Caption(), c.values[1]);
      EXPECT_EQ(Ctl("cTimeVal", 18).Caption(), c.values[2]);
      EXPECT_TRUE(Ctl("cTimeVal", 18).Visible());
      EXPECT_LT(Ctl("cTimeVal", 0).Top(), Ctl("cNotation", 12).Top()) << "the time values above the palette";
      EXPECT_NEAR(Ctl("cGNote", 20).Top(), Ctl("cTime", 0).Top() + Ctl("cTime", 0).Height() + 0.02 * shell::FormH, 1);
    }
    EXPECT_EQ(Ctl("cLabel", 5).Left() + Ctl("cLabel", 5).Width(), Ctl("cNote", 20).Left());
    EXPECT_EQ(Ctl("cNote", 19).Left() + Ctl("cNote", 19).Width(), Ctl("cNote", 19).Left() + Ctl("cNote", 0).Width());
    EXPECT_EQ(Ctl("cNote", 1).Left(), Ctl("cNote", 0).Left() + Ctl("cNote", 0).Width()) << "slots touch";
    EXPECT_NEAR(Ctl("cNote", 0).Left() + 10 * Ctl("cNote", 0).Width(), 6000, 1) << "the row is centred";
    const forms::Control& lowest = Ctl(c.lowest, 39);
    EXPECT_EQ(Ctl("cMoveD").Top(), lowest.Top() + lowest.Height());
    EXPECT_EQ(Ctl("cMoveD").Left() + Ctl("cMoveD").Width(), Ctl("cNote", 39).Left() + Ctl("cNote", 39).Width());
    EXPECT_FALSE(Ctl("cMoveU").Enabled());
    EXPECT_FALSE(Ctl("cMoveD").Enabled()) << "one row only";
    EXPECT_EQ(Ctl("cPlay").Left(), Ctl("cNote", 0).Left());
    EXPECT_GT(Ctl("cSave").Left(), Ctl("cPlay").Left() + Ctl("cPlay").Width());
    EXPECT_EQ(Ctl("cNewRaga").Top(), Ctl("cPlay").Top());
    for (const char* name : {"cPlay", "cSave", "cNewCat", "cNewRaga", "cMoveU", "cMoveD", "Frame2", "Label9"})
      EXPECT_TRUE(Shown(name)) << name;
    EXPECT_EQ(Ctl("Label9").Caption(), "Row 1/1");
    EXPECT_FALSE(Shown("Label10"));
    EXPECT_EQ(Shown("cSpeed"), c.type == 2);
    EXPECT_EQ(Shown("Label14"), c.type == 2);
    if (c.type == 2) {
      EXPECT_EQ(Text("cSpeed"), "40");
      EXPECT_EQ(Ctl("Label14").Left(), Ctl("cTimeVal", 18).Left() + Ctl("cTimeVal", 18).Width());
    }
    EXPECT_EQ(ShownPallet(), (std::set<int16_t>{6, 7, 9, 11, 12, 14, 16, 18, 19, 21, 23, 24, 26, 28, 30, 31}));
    EXPECT_TRUE(Ctl("cNotation", 32).Visible());
    EXPECT_EQ(Ctl("cNotation", 32).Caption(), ",");
    EXPECT_EQ(Ctl("cNotation", 12).Caption(), "S");
    EXPECT_EQ(Ctl("cNotation", 5).Caption(), "m<");
    EXPECT_EQ(Ctl("cNotation", 31).Caption(), "P>");
    EXPECT_NEAR(Ctl("cNotation", 5).Left() + 14.5 * Ctl("cNotation", 0).Width(), 6000, 1) << "centred as 29 wide";
    EXPECT_TRUE(Ctl("cMnuNotScr").Enabled());
    EXPECT_FALSE(Screen().Get<forms::OptionButton>(c.option).Value()) << "the option can be chosen again";
    EXPECT_EQ(Text("cPrompts"), ExpectedPrompts(c.prompt));
    Click("cNewCat");
    EXPECT_TRUE(Shown("cFMusCat"));
  }
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(RanClean());
}

TEST_F(ComposerScreenTest, ThePaletteMenusSwitchBetweenTheRagasNotesAndAllNotes) {
  Open();
  // Before a palette exists only the setting and its marks change.
  Click("cMnuAllNot");
  EXPECT_EQ(composer::NotePallet, 2);
  EXPECT_TRUE(Checked("cMnuAllNot"));
  EXPECT_FALSE(Checked("cMnuNotForRag"));
  Choose("Bhairav");
  Select("cOAlap");
  EXPECT_EQ(ShownPallet().size(), 27u) << "a palette built while All Notes is chosen shows all";
  Click("cMnuNotForRag");
  EXPECT_TRUE(Checked("cMnuNotForRag"));
  EXPECT_FALSE(Checked("cMnuAllNot"));
  // Bhairav's 12 13 16 17 19 20 23 in every octave the palette covers.
  EXPECT_EQ(ShownPallet(), (std::set<int16_t>{5, 7, 8, 11, 12, 13, 16, 17, 19, 20, 23, 24, 25, 28, 29, 31}));
  EXPECT_TRUE(Ctl("cNotation", 32).Visible());
  Click("cMnuAllNot");
  EXPECT_EQ(ShownPallet().size(), 27u);
  EXPECT_TRUE(RanClean());
}

TEST_F(ComposerScreenTest, TheScriptMenuCaptionsThePaletteAndTheRagaDataInTheNewScript) {
  shell::DevnagariAvailable = -1;
  Open();
  EXPECT_TRUE(Ctl("cMnuDev").Visible());
  Choose("Yaman");
  Select("cOAlap");
  Click("cMnuDev");
  EXPECT_EQ(shell::NotationScript, 1);
  EXPECT_TRUE(Checked("cMnuDev"));
  EXPECT_EQ(Ctl("cNotation", 12).Caption(), common::DevnagariNotes[12]);
  EXPECT_EQ(Ctl("cNotation", 12).FontName(), "Shusha");
  EXPECT_EQ(Ctl("cNotation", 32).Caption(), ",");
  EXPECT_EQ(Ctl("cNote", 7).FontName(), "Shusha");
  EXPECT_EQ(Ctl("cAroha").FontName(), "Shusha");
  EXPECT_EQ(Text("cAroha").find(common::DevnagariNotes[11]), 0u) << "N< first, in Devanagari";
  Click("cMnuEng");
  EXPECT_EQ(Ctl("cNotation", 12).Caption(), "S");
  EXPECT_EQ(Ctl("cNotation", 12).FontName(), "Times New Roman");
  EXPECT_EQ(Text("cAroha"), "N<   R   G   M   P   D   N   S>");
  EXPECT_TRUE(RanClean());
}

// A new composition: its texts, then its tala from the user database's list, then its
// details.
TEST_F(ComposerScreenTest, ANewCompositionAsksForTheTextsThenTheTalaThenTheDetails) {
  OpenCategory("Yaman", "cOCompN");
  for (const char* name : {"Label12", "Label13", "cAsthai", "cAntara", "Label8", "cOK", "cNewCat", "cNewRaga"})
    EXPECT_TRUE(Shown(name)) << name;
  EXPECT_FALSE(Shown("cFMusCat"));
  EXPECT_EQ(Ctl("Label8").Caption(), "Enter Composition Astai and Antara and click 'OK'");
  EXPECT_GT(Ctl("Label8").Top(), Ctl("cAntara").Top());
  EXPECT_GT(Ctl("cOK").Top(), Ctl("Label8").Top());
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("65"));

  const std::string refusal = "You must specify at least some text (need not be complete) for both Asthai and Antara";
  for (const auto& [asthai, antara] : std::vector<std::pair<std::string, std::string>>{
           {"", ""}, {"Piya bina", ""}, {"", "Sakhi"}, {"   ", "Sakhi"}}) {
    messages.clear();
    Type("cAsthai", asthai);
    Type("cAntara", antara);
    Click("cOK");
    EXPECT_EQ(MessageTexts(), Names{refusal}) << "'" << asthai << "' '" << antara << "'";
    EXPECT_TRUE(Shown("cOK"));
  }
  messages.clear();
  Type("cAsthai", "Piya bina");
  Type("cAntara", "Sakhi ri");
  Click("cOK");
  EXPECT_TRUE(messages.empty());
  EXPECT_FALSE(Shown("cOK"));
  EXPECT_FALSE(Shown("Label8"));
  EXPECT_EQ(Lines(), (Names{"Old Taal", "Rupak", "Teentaal"})) << "the user database's talas";
  EXPECT_EQ(Ctl("Label1").Caption(), "Select Tala");
  EXPECT_GT(Ctl("Label1").Top(), Ctl("cAntara").Top() + Ctl("cAntara").Height());
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("66"));

  Choose("Rupak");
  EXPECT_EQ(common::CurrTalaId, 2);
  EXPECT_EQ(sound::CompBeatCount, 7);
  EXPECT_EQ(Text("cTaal"), "Rupak");
  EXPECT_TRUE(Screen().Get<forms::TextBox>("cTaal").Locked()) << "the tala is chosen from the list only";
  EXPECT_FALSE(Shown("cRagaList"));
  EXPECT_FALSE(Shown("Label1"));
  for (const char* name : {"Label18", "cTaal", "cOK", "Label17", "cMukhada", "Label16", "cStartBeatAst", "Label15",
                           "cStartBeatAnt", "Label14", "cSpeed", "Label8"})
    EXPECT_TRUE(Shown(name)) << name;
  EXPECT_EQ(Ctl("Label8").Caption(),
            "Enter 'Mukhada' Text, Starting beats for Asthai, Antara, beat duration, and click OK");
  EXPECT_GT(Ctl("Label8").Top(), Ctl("cMukhada").Top());
  EXPECT_EQ(Ctl("cSpeed").Top(), Ctl("cStartBeatAnt").Top());
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("67"));
  EXPECT_EQ(composer::ComposerOKStage, 5);
  EXPECT_TRUE(RanClean());
}

TEST_F(ComposerScreenTest, ATalaTheContentDoesNotKnowIsRefusedWithAMessage) {
  OpenCategory("Yaman", "cOCompN");
  Type("cAsthai", "Piya bina");
  Type("cAntara", "Sakhi ri");
  Click("cOK");
  Choose("Old Taal");
  EXPECT_EQ(MessageTexts(), Names{"The tala \"Old Taal\" is not known to this program. Please choose another tala."});
  EXPECT_TRUE(Shown("cRagaList"));
  Choose("Teentaal");
  EXPECT_EQ(Text("cTaal"), "Teentaal");
  EXPECT_EQ(sound::CompBeatCount, 16);
  EXPECT_TRUE(RanClean());
}

TEST_F(ComposerScreenTest, TheUsersCompositionsAreListedOrTheCategoriesComeBack) {
  OpenCategory("Yaman", "cOCompE");
  EXPECT_EQ(Lines(), Names{"My Song"});
  EXPECT_EQ(Ctl("Label1").Caption(), "Select Composition");
  EXPECT_EQ(composer::ComposerListMode, 3);
  Click("cReturn");
  ASSERT_EQ(shell::CurrForm, mainForm.get());
  OpenCategory("Bhairav", "cOCompE");
  EXPECT_EQ(MessageTexts(), Names{"No User-defined Compositions available"});
  EXPECT_TRUE(Shown("cFMusCat"));
  EXPECT_EQ(Ctl("Label1").Caption(), "Select Musical Category to work with");
  EXPECT_FALSE(Shown("cRagaList"));
}

// New Category, New Raga and the categories again, three times over: nothing is left of
// the layout before, and nothing fails.
TEST_F(ComposerScreenTest, NewCategoryAndNewRagaCanBeRepeatedAnyNumberOfTimes) {
  Open();
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    Choose(round == 1 ? "Bhairav" : "Yaman");
    for (const char* option : {"cOTaan", "cOAlap", "cOLayakari", "cOCompN", "cOTaan"}) {
      Select(option);
      Click("cNewCat");
      EXPECT_EQ(Elements("cNote"), Indexes{0}) << option;
      EXPECT_EQ(Elements("cGNote"), Indexes{0});
      EXPECT_EQ(Elements("cTime"), Indexes{0});
      EXPECT_EQ(Elements("cLabel"), Indexes{0});
      EXPECT_EQ(Elements("cNotation"), Indexes{0});
      EXPECT_EQ(Elements("cTimeVal"), Indexes{0});
      for (const char* name : {"cNote", "cLabel", "cTimeVal", "cGNote"}) EXPECT_FALSE(Ctl(name, 0).Visible()) << name;
      for (const char* name : {"cPlay", "cSave", "cMoveU", "cMoveD", "Frame2", "cAsthai", "cOK", "Label9", "cSpeed"})
        EXPECT_FALSE(Shown(name)) << name;
      EXPECT_TRUE(Shown("cFMusCat"));
      EXPECT_TRUE(Shown("cRaga"));
      EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("42"));
      EXPECT_FALSE(Ctl("cMnuNotScr").Enabled());
    }
    Select("cOAlap");
    Click("cNewRaga");
    for (const char* name : {"cRaga", "cAroha", "cLine1", "Label7", "cFMusCat", "cPlay", "Frame2"})
      EXPECT_FALSE(Shown(name)) << name;
    EXPECT_TRUE(Shown("cRagaList"));
    EXPECT_EQ(Lines(), (Names{"Bageshri", "Bhairav", "Yaman"}));
    EXPECT_EQ(Ctl("Label1").Caption(), "Select Raga");
    EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("41"));
    EXPECT_EQ(Elements("cNote"), Indexes{0});
  }
  // Go Back, and the screen opened again, also many times.
  for (int round = 0; round < 3; ++round) {
    Click("cReturn");
    ASSERT_EQ(shell::CurrForm, mainForm.get());
    Open();
    Choose("Yaman");
    Select("cOLayakari");
    EXPECT_EQ(Elements("cNote"), Range(0, 39));
  }
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(RanClean());
}

// Leaving puts back the database selector, the operation mode and the theka setting of
// the screen the Composer was opened from, by Go Back and by the close box alike.
TEST_F(ComposerScreenTest, LeavingPutsBackTheSelectorTheModeAndTheTheka) {
  for (bool closeBox : {false, true}) {
    SCOPED_TRACE(closeBox ? "close box" : "Go Back");
    sound::CurrOperationMode = 3;
    sound::Theka = 2;
    Open();
    Choose("Yaman");
    Select("cOLayakari");
    EXPECT_EQ(sound::Theka, 1);
    if (closeBox) {
      Screen().CloseFromUser();
    } else {
      Click("cReturn");
    }
    EXPECT_FALSE(Screen().Loaded());
    EXPECT_EQ(shell::CurrForm, mainForm.get());
    EXPECT_TRUE(mainForm->Visible());
    EXPECT_EQ(shell::CurrFormId, 1);
    EXPECT_EQ(common::CurrDBSelector, 1);
    EXPECT_EQ(sound::CurrOperationMode, 3);
    EXPECT_EQ(sound::Theka, 2);
    EXPECT_EQ(shell::TerminatingForm, 0);
  }
  EXPECT_TRUE(questions.empty()) << "nothing was written, nothing to lose";
  EXPECT_TRUE(RanClean());
}

// Clicks that come before what they act on, or with nothing to act on: none stops the
// program, and none changes what the next Play plays.
TEST_F(ComposerScreenTest, ClicksBeforeTheirLayoutExistsDoNothing) {
  struct Case {
    // "list" the raga list, "raga" a raga chosen, "texts" a new composition's texts, "talas"
    // its list of talas, "details" its details with a tala chosen, "existing" the list of the
    // learner's compositions
    const char* stage;
    std::function<void(ComposerScreenTest&)> click;
    const char* what;
  };
  const auto dispatch = [](int16_t code) { return [code](ComposerScreenTest&) { Composer(code); }; };
  const auto unselected = [](ComposerScreenTest& t) {
    t.Screen().Get<forms::ListControl>("cRagaList").SetListIndex(-1);
    Composer(1);
  };
  const Case cases[] = {
      {"list", [](ComposerScreenTest& t) { t.Click("cMnuAllNot"); }, "All Notes"},
      {"list", [](ComposerScreenTest& t) { t.Click("cMnuNotForRag"); }, "Notes For Raga Only"},
      {"list", unselected, "a list click on no line"},
      {"list", dispatch(3), "OK"},
      {"list", dispatch(24), "script"},
      {"raga", [](ComposerScreenTest& t) { t.Ctl("cAroha").RaiseFromUser(forms::Event::Click); }, "the aroha"},
      {"raga", [](ComposerScreenTest& t) { t.Ctl("cPakad").RaiseFromUser(forms::Event::Click); }, "the pakad"},
      {"raga", dispatch(22), "palette of the raga's notes"},
      {"raga", dispatch(9), "play"},
      {"raga", dispatch(11), "move down"},
      {"raga", dispatch(16), "save"},
      {"raga", dispatch(17), "asthai"},
      {"texts", [](ComposerScreenTest& t) { t.Ctl("cAroha").RaiseFromUser(forms::Event::Click); }, "the aroha"},
      {"texts", [](ComposerScreenTest& t) { t.Ctl("cPakad").RaiseFromUser(forms::Event::Click); }, "the pakad"},
      {"talas", [](ComposerScreenTest& t) { t.Ctl("cAvroha").RaiseFromUser(forms::Event::Click); }, "the avroha"},
      {"texts", dispatch(6), "a note slot"},
      {"texts", dispatch(15), "a syllable"},
      {"talas", unselected, "a tala list click on no line"},
      {"talas", dispatch(12), "move up"},
      {"details", [](ComposerScreenTest& t) { t.Ctl("cAroha").RaiseFromUser(forms::Event::Click); }, "the aroha"},
      {"details", [](ComposerScreenTest& t) { t.Ctl("cPakad").RaiseFromUser(forms::Event::Click); }, "the pakad"},
      {"details", dispatch(6), "a note slot"},
      {"existing", [](ComposerScreenTest& t) { t.Ctl("cAvroha").RaiseFromUser(forms::Event::Click); }, "the avroha"},
      {"existing", [](ComposerScreenTest& t) { t.Ctl("cPakad").RaiseFromUser(forms::Event::Click); }, "the pakad"},
      {"existing", dispatch(9), "play"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stage) + ": " + c.what);
    Open();
    const std::string stage = c.stage;
    if (stage != "list") Choose("Yaman");
    if (stage == "texts" || stage == "talas" || stage == "details") {
      Select("cOCompN");
      Type("cAsthai", "Piya bina");
      Type("cAntara", "Sakhi ri");
    }
    if (stage == "talas" || stage == "details") Click("cOK");
    if (stage == "details") {
      Choose("Teentaal");
      ASSERT_EQ(Text("cTaal"), "Teentaal");
      ASSERT_FALSE(composer::SlotLayoutPresent) << "the slots come with the details' OK";
    }
    if (stage == "existing") Select("cOCompE");
    const int16_t kind = sound::CurrItemKind;
    const int16_t phraseType = common::CurrPhraseType;
    c.click(*this);
    EXPECT_EQ(sound::CurrItemKind, kind);
    EXPECT_EQ(common::CurrPhraseType, phraseType);
    EXPECT_TRUE(RanClean());
    EXPECT_TRUE(Screen().Loaded());
    EXPECT_TRUE(messages.empty());
    Screen().Release();
    shell::CurrForm = mainForm.get();
    shell::CurrFormId = 1;
  }
}

TEST(ComposerContent, TheBuiltContentDatabaseHoldsTheComposersPrompts) {
  auto db = dao::Database::OpenDatabase(vb::ShareFolderPath() + "/mrA.kzy", false, true, "MS ACCESS;PWD=x");
  auto rs = db.OpenRecordset("Prompts", dao::dbOpenTable);
  rs.SetIndex("PrimaryKey");
  for (int32_t n = 41; n <= 69; ++n) {
    rs.Seek("=", {n});
    EXPECT_FALSE(rs.NoMatch()) << "prompt " << n;
    if (!rs.NoMatch()) {
      EXPECT_FALSE(rs.Fields("Prompt").ToString().empty()) << "prompt " << n;
    }
  }
  rs.Close();
  db.Close();
}

}  // namespace
}  // namespace composertest
