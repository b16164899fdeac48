// The workbench opening, its modes, its note sets, the question panel's display, locking
// and the guarded clicks on keys and lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "WorkshopTest.h"
#include "common/CommonState.h"
#include "common/Database.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "support/SqlFixture.h"
#include "workshop/ScaleNotes.h"
#include "workshop/Workshop.h"
#include "workshop/WorkshopState.h"

namespace workshoptest {
namespace {

using Names = std::vector<std::string>;

// The names of the notes of ScaleNotes, in order.
Names ScaleNoteNames() {
  Names names;
  for (int16_t j = 0; j < workshop::ScaleNoteCount; ++j)
    names.push_back(common::EnglishNotes[static_cast<size_t>(workshop::ScaleNotes[static_cast<size_t>(j)] + 7)]);
  return names;
}

const Names kMajorScale15{"P<", "D<", "N<", "S", "R", "G", "m", "P", "D", "N", "S>", "R>", "G>", "m>", "P>"};

constexpr const char* kTopMenus[] = {"cMnuMusPat", "cMnuKebDis", "cMnuNotScr", "cMnuTonNot",
                                     "cMnuHel",    "cMnuGraNot", "cMnuSyn"};

class WorkbenchTest : public WorkshopTest {
 protected:
  std::vector<bool> MenusEnabled() {
    std::vector<bool> enabled;
    for (const char* menu : kTopMenus) enabled.push_back(Enabled(menu));
    return enabled;
  }
  // Mode 2 with the thata of that name.
  void ChooseThata(const std::string& thata) {
    Press("cNotePatterns");
    Answer(1);
    Choose(thata);
  }
  void ChooseRaga(const std::string& raga) {
    Press("cNotesForRaga");
    Choose(raga);
  }
  // Mode 2, "Define Scale" and the scale type (1 Audav, 2 Shadav, 3 Sampoorna).
  void StartPicking(int scaleType) {
    Press("cNotePatterns");
    Answer(2);
    Answer(scaleType);
  }
};

TEST_F(WorkbenchTest, OpeningShowsTheChoiceOfModes) {
  shell::GraceNotes = 1;
  sound::CurrOperationMode = 1;  // as the illustration screen's demo mode leaves it
  workshop::UserPatternPhrase = "BUC3";
  workshop::NoteMarks[3] = 1;
  Open();
  EXPECT_EQ(shell::CurrFormId, 13);
  EXPECT_EQ(Screen().Caption(), "Workbench");
  EXPECT_EQ(sound::CallbackCode, 8);
  EXPECT_EQ(shell::GraceNotes, 2);
  EXPECT_EQ(sound::BaseBeat, 70);
  EXPECT_EQ(sound::CurrMusicItemType, 10);
  EXPECT_EQ(sound::CurrOperationMode, 2);
  EXPECT_EQ(Ctl("cOLearn").Value(), 1);
  EXPECT_EQ(workshop::WBMode, 0);
  EXPECT_EQ(workshop::KeyLabelPurpose, 2);
  EXPECT_TRUE(workshop::UserPatternPhrase.empty());
  EXPECT_EQ(workshop::NoteMarks[3], 0);
  EXPECT_EQ(workshop::WBNoteNames[0], "P<");
  EXPECT_EQ(workshop::WBNoteNames[24], "P>");
  EXPECT_EQ(workshop::WBDevnagariNoteNames[11], "ma\\");
  EXPECT_EQ(workshop::WBDevnagariNoteNames[17], "saaM");
  EXPECT_EQ(workshop::BasePatterns[7], "BUJ2lDJ1");

  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("34"));
  EXPECT_NE(Text("cPrompts").find("Choose a workbench mode"), std::string::npos);
  EXPECT_EQ(Caption("Label10"), "No Workbench Mode selected currently");
  for (const char* shown : {"Label7", "cMajorScale", "cNotePatterns", "cNotesForRaga", "cNotesQuiz", "cSwitchWBMode",
                            "cMnuPlaDro", "cLine1"})
    EXPECT_TRUE(Shown(shown)) << shown;
  for (const char* hidden : {"cSelNewSca", "cShowNote", "cSlider", "Frame1", "Frame2", "cRagaList", "cMnuSca",
                             "cMnuNotPat", "cMnuDefPat", "cMnuMeePat", "cMnuLin1", "cMnuLin2", "cMnuLin3", "cMnuDev",
                             "cOK", "cPatName"})
    EXPECT_FALSE(Shown(hidden)) << hidden;
  EXPECT_FALSE(Enabled("cSwitchWBMode"));
  EXPECT_FALSE(Enabled("cMnuGraNot"));
  EXPECT_FALSE(Enabled("cMnuSyn"));
  EXPECT_TRUE(Enabled("cMnuMusPat"));
  EXPECT_TRUE(Screen().Get<forms::MenuItem>("cMnuUseGraNot").Checked());
  EXPECT_TRUE(Screen().Get<forms::MenuItem>("cMnuShoKey").Checked());
  EXPECT_TRUE(Screen().Get<forms::MenuItem>("cMnuEng").Checked());
  EXPECT_TRUE(Screen().Get<forms::MenuItem>("cMnuB1").Checked());
  EXPECT_TRUE(messages.empty());
}

TEST_F(WorkbenchTest, TheDevanagariItemShowsWhenTheFontIsThere) {
  shell::DevnagariAvailable = -1;
  Open();
  EXPECT_TRUE(Shown("cMnuDev"));
}

struct ModeCase {
  int16_t mode;
  const char* modeLine;
  const char* scaleMenu;  // captions of cMnuSca, cMnuSToS, cMnuPToP
  const char* first;
  const char* second;
  const char* scaleType;
  bool newScaleShown;
  bool showNoteShown;
  std::vector<bool> menus;  // the seven top menus enabled
};

// Each mode reached as the learner reaches it lays the form out for that mode.
TEST_F(WorkbenchTest, EachModeLaysTheFormOut) {
  const std::vector<ModeCase> cases = {
      {1, "Working with Major Scale - Select desired Music Pattern", "Major Scale (Shuddha Saptak)", "S To S>",
       "P< To P>", "Major Scale (Shuddha Saptak)", false, false, {true, true, true, true, true, false, true}},
      {2, "Working with Note Scales", "Selected Scale", "S To S>", "P< To P>", "Scale for Thata 'Kalyan'", true, false,
       {true, true, true, true, true, false, true}},
      {3, "Working with Raga Notes - Select desired Music Pattern", "Selected Raga", "Aroha/Avroha", "Pakad",
       "Notes for raga 'Bhupali'", true, false, {true, true, true, true, true, true, true}},
      {4, "Taking Note Recognition Quiz", "Selected Raga", "Aroha/Avroha", "Pakad", "", true, true,
       {false, false, true, false, true, false, false}},
  };
  Open();
  for (const ModeCase& c : cases) {
    SCOPED_TRACE(c.mode);
    switch (c.mode) {
      case 1: Press("cMajorScale"); break;
      case 2: ChooseThata("Kalyan"); break;
      case 3: ChooseRaga("Bhupali"); break;
      default:
        // The quiz is laid out once its first note is asked.
        workshop::WBMode = 4;
        workshop::sSetModeDisplay();
        break;
    }
    EXPECT_EQ(workshop::WBMode, c.mode);
    EXPECT_EQ(Caption("Label10"), c.modeLine);
    EXPECT_EQ(Caption("cMnuSca"), c.scaleMenu);
    EXPECT_EQ(Caption("cMnuSToS"), c.first);
    EXPECT_EQ(Caption("cMnuPToP"), c.second);
    EXPECT_EQ(Text("cScaleType"), c.scaleType);
    EXPECT_EQ(Shown("cSelNewSca"), c.newScaleShown);
    EXPECT_EQ(Enabled("cSelNewSca"), c.newScaleShown);
    EXPECT_EQ(Shown("cShowNote"), c.showNoteShown);
    EXPECT_EQ(MenusEnabled(), c.menus);
    for (const char* item : {"cMnuSca", "cMnuNotPat", "cMnuLin2", "cMnuDefPat", "cMnuLin3", "cMnuMeePat"})
      EXPECT_TRUE(Shown(item)) << item;
    EXPECT_FALSE(Shown("cMnuPlaDro"));
    EXPECT_FALSE(Shown("cMnuLin1"));
    for (const char* button : {"cMajorScale", "cNotePatterns", "cNotesForRaga", "cNotesQuiz"})
      EXPECT_FALSE(Enabled(button)) << button;
    EXPECT_FALSE(Shown("Label7"));
    EXPECT_TRUE(Enabled("cSwitchWBMode"));
    Press("cSwitchWBMode");
    EXPECT_EQ(workshop::WBMode, 0);
    EXPECT_EQ(Caption("Label10"), "No Workbench Mode selected currently");
    EXPECT_TRUE(Enabled("cMajorScale"));
    EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("34"));
  }
}

TEST_F(WorkbenchTest, TheMajorScaleShowsItsNotesAndOnlyTheirKeys) {
  Open();
  Press("cMajorScale");
  EXPECT_EQ(ScaleNoteNames(), kMajorScale15);
  EXPECT_EQ(Text("cPattern"), "S R G m P D N S> ");
  EXPECT_EQ(Caption("Label3"), "Selected Notes");
  EXPECT_TRUE(Shown("cPattern"));
  EXPECT_TRUE(Shown("cScaleType"));
  EXPECT_EQ(ShownKeyLabels(), kMajorScale15);
  EXPECT_EQ(sound::CurrDroneType, 1);
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("40,35"));
  EXPECT_EQ(sound::CurrOperationMode, 2);
}

TEST_F(WorkbenchTest, TheThataKalyanGivesItsScale) {
  Open();
  Press("cNotePatterns");
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("88"));
  Answer(1);
  EXPECT_EQ(ListLines(), (Names{"Bilawal", "Khamaj", "Kafi", "Asavari", "Bhairavi", "Bhairav", "Kalyan", "Marwa",
                                "Purvi", "Todi"}));
  EXPECT_EQ(Caption("Label6"), "Select Thata");
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("89"));
  EXPECT_FALSE(Shown("Frame2"));
  Choose("Kalyan");
  EXPECT_EQ(Text("cPattern"), "S R G M P D N S> ");
  EXPECT_EQ(ScaleNoteNames(),
            (Names{"P<", "D<", "N<", "S", "R", "G", "M", "P", "D", "N", "S>", "R>", "G>", "M>", "P>"}));
  EXPECT_EQ(ShownKeyLabels().size(), 15u);
  EXPECT_EQ(Text("cScaleType"), "Scale for Thata 'Kalyan'");
  EXPECT_FALSE(Shown("cRagaList"));
  EXPECT_EQ(workshop::ScaleType, 2);
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("40,87,35"));
}

// The note set of a phrase: its notes from "P<" to "P>" and their octave copies.
TEST_F(WorkbenchTest, APhraseMarksItsNotesAndTheirOctaveCopies) {
  struct Case {
    const char* phrase;
    Names notes;
  };
  const Case cases[] = {
      {"S R G m P D N S>", kMajorScale15},
      // Without the upper S the scale has no "S>" to end a series on.
      {"S R G m P D N", {"P<", "D<", "N<", "S", "R", "G", "m", "P", "D", "N", "R>", "G>", "m>", "P>"}},
      {"S R G P D S>", {"P<", "D<", "S", "R", "G", "P", "D", "S>", "R>", "G>", "P>"}},
      {"S x S< R>> m", {"S", "m", "m>"}},
  };
  Open();
  for (const Case& c : cases) {
    workshop::sSetScaleAndSelNotesForPhrase(c.phrase);
    EXPECT_EQ(ScaleNoteNames(), c.notes) << c.phrase;
  }
}

TEST_F(WorkbenchTest, ARagaShowsItsAarohaAvrohaAndItsNotes) {
  Open();
  Press("cNotesForRaga");
  Names ragas = ListLines();
  std::sort(ragas.begin(), ragas.end());
  EXPECT_EQ(ragas, (Names{"Bhairav", "Bhupali", "Kedar", "Malkauns", "Yaman"}));
  EXPECT_EQ(Caption("Label6"), "Select Raga");
  EXPECT_TRUE(Shown("Frame1"));
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("70"));
  Choose("Bhupali");
  EXPECT_EQ(common::CurrRagaIndex, 2);
  EXPECT_EQ(Text("cPattern"), "S   R   G   P   D   S>   S>   D   P   G   R   S");
  EXPECT_EQ(Caption("Label3"), "Aroha/Avroha");
  EXPECT_TRUE(Shown("cPattern"));
  EXPECT_EQ(ScaleNoteNames(), (Names{"P<", "D<", "S", "R", "G", "P", "D", "S>", "R>", "G>", "P>"}));
  EXPECT_EQ(ShownKeyLabels().size(), 11u);
  EXPECT_EQ(sound::CurrDroneType, 1);
  EXPECT_EQ(workshop::ScaleType, 0);
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("40,91,92,35"));

  // Another raga, after "Select New Raga" is built in: Yaman straight from the list again.
  Press("cSwitchWBMode");
  ChooseRaga("Yaman");
  EXPECT_EQ(Text("cPattern"), "N<   R   G   M   D   N   S>   S>   N   D   P   M   G   R   S");
  EXPECT_EQ(sound::CurrDroneType, 3);
  EXPECT_EQ(Text("cScaleType"), "Notes for raga 'Yaman'");
}

TEST_F(WorkbenchTest, ARagaScaleWithGlidesLosesThemWithoutGraceNotes) {
  Open();
  ChooseRaga("Bhairav");
  shell::GraceNotes = 1;
  workshop::sSetModeDisplay();
  EXPECT_EQ(workshop::RagaScalePhrase, "S r G m P d N S> S> N d P m G r S");
  EXPECT_EQ(Text("cPattern").find('\''), std::string::npos);
}

TEST_F(WorkbenchTest, RagaNoteIdsOutsideTheWorkbenchNotesArePassedOver) {
  testsupport::CloseDatabases();
  testsupport::RunSql(Path("mrA.kzy"), R"sql(UPDATE "Raga - Notes" SET "Raga Note Ids" = '3 12 14 40 24 7 31'
                                          WHERE "Raga Index" = 2;)sql");
  shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), true, true, "MS ACCESS;PWD=x");
  shell::DatabaseB = dao::Database::OpenDatabase(Path("mrB.kzy"), true, false, "MS ACCESS;PWD=x");
  common::CurrRagaIndex = 2;
  EXPECT_EQ(workshop::fLoadRagaNotesInVector(), "3 12 14 40 24 7 31");
  workshop::sSetUpSelNotes1(0, 24);
  EXPECT_EQ(ScaleNoteNames(), (Names{"P<", "S", "R", "S>", "P>"}));
}

// Ragas whose data is damaged or missing leave the raga in use and say so.
TEST_F(WorkbenchTest, ARagaWithoutItsDataIsRefusedAndTheRagaInUseStays) {
  Open();
  ChooseRaga("Bhupali");
  Press("cSwitchWBMode");
  for (const char* raga : {"Malkauns", "Kedar"}) {
    SCOPED_TRACE(raga);
    messages.clear();
    Press("cNotesForRaga");
    Choose(raga);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].prompt.find(raga), std::string::npos);
    EXPECT_EQ(common::CurrRagaIndex, 2);
    EXPECT_EQ(common::CurrRagaName, "Bhupali");
    EXPECT_TRUE(Shown("cRagaList"));
    EXPECT_EQ(halts, 0);
  }
}

TEST_F(WorkbenchTest, AListClickBesideTheLinesDoesNothing) {
  Open();
  Press("cNotesForRaga");
  Ctl("cRagaList").RaiseFromUser(forms::Event::Click);  // no line chosen
  Press("cNotePatterns");
  Answer(1);
  Ctl("cRagaList").RaiseFromUser(forms::Event::Click);
  EXPECT_EQ(common::CurrRagaIndex, 0);
  EXPECT_TRUE(Shown("cRagaList"));
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(halts, 0);
}

TEST_F(WorkbenchTest, RagaModeWithNoRagaChosenLaysOutWithoutTheRagaScale) {
  Open();
  Press("cNotesForRaga");
  workshop::WBMode = 3;
  workshop::sSetModeDisplay();
  EXPECT_EQ(Text("cPattern"), "");
  EXPECT_EQ(halts, 0);
}

TEST_F(WorkbenchTest, AFiveNoteScalePickedOnTheKeyboardCompletes) {
  sound::KeyboardDisplay = 2;
  Open();
  StartPicking(1);
  EXPECT_EQ(sound::KeyboardDisplay, 1);
  EXPECT_TRUE(Screen().Get<forms::MenuItem>("cMnuShoKey").Checked());
  EXPECT_EQ(workshop::ScaleType, 0);
  EXPECT_EQ(workshop::KeyLabelPurpose, 1);
  EXPECT_EQ(Text("cPattern"), "S S> ");
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("38,35"));
  // The tonic's octave only, without S and S>: r to N.
  EXPECT_EQ(ShownKeyLabels(), (Names{"r", "R", "g", "G", "m", "M", "P", "d", "D", "n", "N"}));
  ClickKeyOf(7);   // R
  ClickKeyOf(9);   // G
  EXPECT_EQ(ShownKeyLabels(), (Names{"m", "M", "P", "d", "D", "n", "N"}));
  ClickKeyOf(12);  // P
  EXPECT_EQ(workshop::KeyLabelPurpose, 1);
  ClickKeyOf(14);  // D
  EXPECT_EQ(Text("cScaleType"), "Selected Audav (5 Notes) Scale");
  EXPECT_EQ(ScaleNoteNames(), (Names{"P<", "D<", "S", "R", "G", "P", "D", "S>", "R>", "G>", "P>"}));
  EXPECT_EQ(ShownKeyLabels(), ScaleNoteNames());
  EXPECT_EQ(workshop::KeyLabelPurpose, 2);
  EXPECT_EQ(Caption("Label10"), "Working with Note Scales - Select desired Music Pattern");
  EXPECT_EQ(Text("cPrompts"), ExpectedPrompts("40,87,35"));
  EXPECT_EQ(sound::CurrDroneType, 1);
}

// While a scale is picked on the keys it is no scale yet: it is not labelled, and the
// patterns, the meend demo and a definition wait (the prompt says to finish or cancel)
// until the last note completes it; "Select New Scale" cancels it and leaves no note of
// it behind.
TEST_F(WorkbenchTest, APickedScaleIsFinishedOrCancelledBeforeAPatternActs) {
  Open();
  StartPicking(2);  // Shadav
  ClickKeyOf(7);    // R
  EXPECT_EQ(Text("cScaleType"), "");
  EXPECT_FALSE(Ctl("cMnuMusPat").TakesInput());
  EXPECT_NE(Text("cPrompts").find("\"Select New Scale\" or \"Switch Mode\" cancels it"), std::string::npos)
      << Text("cPrompts");
  Press("cSelNewSca");
  EXPECT_EQ(Caption("Frame2"), "Scale Category");
  EXPECT_EQ(workshop::KeyLabelPurpose, 2);
  EXPECT_EQ(workshop::ScaleNoteCount, 0);
  EXPECT_EQ(workshop::NoteMarks[7], 0);
  EXPECT_FALSE(Ctl("cMnuMusPat").TakesInput()) << "no scale to lay a pattern over";

  Answer(2);  // Define Scale
  Answer(1);  // Audav
  for (const int16_t n : {7, 9, 12}) ClickKeyOf(n);
  EXPECT_EQ(Text("cScaleType"), "");
  EXPECT_FALSE(Ctl("cMnuMusPat").TakesInput());
  ClickKeyOf(14);
  EXPECT_EQ(Text("cScaleType"), "Selected Audav (5 Notes) Scale");
  EXPECT_TRUE(Ctl("cMnuMusPat").TakesInput());
  for (const char* item : {"cMnuSToS", "cMnuMeePat", "cMnuDefPat"}) EXPECT_TRUE(Shown(item)) << item;
  EXPECT_EQ(workshop::ScaleNoteCount, 11) << "the five notes and their octave copies";

  // A thata chosen after a cancelled picking is the scale, whole.
  Press("cSelNewSca");
  Answer(2);
  Answer(1);
  ClickKeyOf(9);
  Press("cSelNewSca");
  Answer(1);
  Choose("Bhairav");
  EXPECT_EQ(Text("cPattern"), "S r G m P d N S> ");
  EXPECT_TRUE(Ctl("cMnuMusPat").TakesInput());

  // Switch Mode gives a half-picked scale up too: nothing of it is left in the next mode.
  Press("cSelNewSca");
  Answer(2);
  Answer(1);
  ClickKeyOf(9);
  Press("cSwitchWBMode");
  Press("cMajorScale");
  EXPECT_TRUE(Ctl("cMnuMusPat").TakesInput()) << "the patterns act on the major scale";
  Press("cSwitchWBMode");
  StartPicking(2);
  EXPECT_EQ(workshop::NoteMarks[9], 0) << "a new picking starts from nothing";
  EXPECT_FALSE(Ctl("cMnuMusPat").TakesInput());
  EXPECT_TRUE(messages.empty());
}

// A thata listed without its row, or with no notes in it (a damaged content database),
// is said; the list stays for another choice.
TEST_F(WorkbenchTest, AThataWithoutItsScaleIsSaid) {
  struct Case {
    const char* thata;
    const char* damage;
  };
  const Case cases[] = {
      {"Todi", R"sql(DELETE FROM "ThataScales" WHERE "ThataName" = 'Todi';)sql"},
      {"Kafi", R"sql(UPDATE "ThataScales" SET "ThataScale" = NULL WHERE "ThataName" = 'Kafi';)sql"},
      {"Purvi", R"sql(UPDATE "ThataScales" SET "ThataScale" = 'x y' WHERE "ThataName" = 'Purvi';)sql"},
  };
  Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.thata);
    messages.clear();
    Press("cNotePatterns");
    Answer(1);
    RunOnContentDatabase(c.damage);
    Choose(c.thata);
    EXPECT_EQ(MessageTexts(), Names{std::string("The scale of thata '") + c.thata + "' is not available"});
    EXPECT_TRUE(Shown("cRagaList"));
    EXPECT_EQ(workshop::ScaleNoteCount, 0);
    Choose("Kalyan");
    EXPECT_EQ(Text("cScaleType"), "Scale for Thata 'Kalyan'");
    Press("cSwitchWBMode");
  }
  EXPECT_EQ(halts, 0);
}

// The drone's second string follows the picked scale: Pa, else Ma, else Ni.
TEST_F(WorkbenchTest, APickedScaleChoosesItsDrone) {
  struct Case {
    std::vector<int16_t> notes;
    int32_t drone;
  };
  const Case cases[] = {{{7, 9, 12, 14}, 1}, {{7, 9, 10, 14}, 2}, {{6, 9, 11, 16}, 3}};
  Open();
  for (const Case& c : cases) {
    sound::CurrDroneType = 0;
    StartPicking(1);
    for (const int16_t n : c.notes) ClickKeyOf(n);
    EXPECT_EQ(sound::CurrDroneType, c.drone);
    EXPECT_EQ(workshop::KeyLabelPurpose, 2);
    Press("cSwitchWBMode");
  }
}

// Keys that are no note to pick, re-clicks of a picked note or of its other form, after
// the keyboard was drawn again with every label: nothing is counted, nothing halts.
TEST_F(WorkbenchTest, OnlyDistinctNotesOfTheOctaveCountTowardsThePickedScale) {
  Open();
  StartPicking(1);
  ClickKeyOf(7);  // R
  Menu("cMnuDonShoKey");
  Menu("cMnuShoKey");  // every label back
  EXPECT_EQ(ShownKeyLabels().size(), 29u);
  for (int16_t label = 0; label <= 40; ++label) {
    const auto n = static_cast<int16_t>(label - sound::CurrTonicNoteId - 4);
    if (n > 5 && n < 17 && n != 6 && n != 7) continue;  // leave the other notes for the scale
    ClickKey(label);
  }
  EXPECT_EQ(workshop::ScaleNoteCount, 3);
  EXPECT_EQ(workshop::KeyLabelPurpose, 1);
  EXPECT_EQ(Text("cPattern"), "S R S> ");
  ClickKeyOf(9);
  ClickKeyOf(9);
  ClickKeyOf(8);  // g after G
  EXPECT_EQ(workshop::ScaleNoteCount, 4);
  ClickKeyOf(12);
  EXPECT_EQ(workshop::KeyLabelPurpose, 1);
  ClickKeyOf(14);
  EXPECT_EQ(Text("cScaleType"), "Selected Audav (5 Notes) Scale");
  EXPECT_EQ(halts, 0);
}

TEST_F(WorkbenchTest, AModeChangeResetsTheKeyPurposeAndHidesThePanelsLeft) {
  Open();
  Press("cNotePatterns");
  EXPECT_TRUE(Shown("Frame2"));
  Press("cMajorScale");  // the mode buttons are still there while the question shows
  EXPECT_FALSE(Shown("Frame2"));
  EXPECT_EQ(workshop::WBMode, 1);
  Press("cSwitchWBMode");

  StartPicking(2);
  EXPECT_EQ(workshop::KeyLabelPurpose, 1);
  workshop::PatternSource = 1;
  Press("cSwitchWBMode");
  EXPECT_EQ(workshop::KeyLabelPurpose, 2);
  EXPECT_EQ(workshop::PatternSource, 0);
  for (const char* hidden : {"Frame2", "Label4", "cRagaList", "cPattern", "cScaleType", "Frame1", "cSlider"})
    EXPECT_FALSE(Shown(hidden)) << hidden;
  ClickKeyOf(9);  // no longer a note of a scale being picked
  EXPECT_EQ(workshop::NoteMarks[9], 0);
}

TEST_F(WorkbenchTest, TheModeOfPlayingFollowsTheOptionShown) {
  Open();
  Screen().Get<forms::OptionButton>("cOPract").Select();
  EXPECT_EQ(sound::CurrOperationMode, 3);
  sound::CurrOperationMode = 1;  // as the quiz leaves it
  Press("cMajorScale");
  EXPECT_EQ(sound::CurrOperationMode, 3);
  Press("cSwitchWBMode");
  Press("cNotesForRaga");
  EXPECT_EQ(sound::CurrOperationMode, 2);
  EXPECT_EQ(Ctl("cOLearn").Value(), 1);
}

struct QuestionCase {
  int16_t step;
  int16_t page;
  const char* frame;
  const char* label;
  const char* option1;
  const char* option2;
  const char* option3;  // nullptr: hidden
};

TEST_F(WorkbenchTest, EachQuestionShowsItsCaptionsAndNoAnswer) {
  const QuestionCase cases[] = {
      {1, 1, "Scale Category", "Select Scale Category", "Use Scale for a Thata", "Define Scale", nullptr},
      {2, 1, "Scale Types", "Select Scale Type", "Audav(5 notes)", "Shadav(6 notes)", "Sampoorna(7 notes)"},
      {3, 1, "Starting Note", "Select Starting Note", "Base Note", "Last Note", nullptr},
      {4, 1, "Inclusion", "Include Starting Note?", "Yes", "No", nullptr},
      {5, 1, "Direction", "Select Direction", "Up", "Down", nullptr},
      {6, 1, "Note Count", "Select Note Count", "1", "2", "Other"},
      {6, 4, "Note Count", "Select Note Count", "7", "8", "Other"},
      {6, 12, "Note Count", "Select Note Count", "23", "24", nullptr},
      {7, 1, "Notes to Use", "Indicate Notes Usage", "Include in-between Notes", "Jump to Note", nullptr},
      {8, 1, "Pattern Definition", "Continue Pattern Definition?", "Yes", "No", nullptr},
      {9, 1, "Pattern Type", "Select Pattern Type", "One Time only", "Series", nullptr},
      {10, 1, "Save Pattern", "Save Defined Pattern?", "Yes", "No", nullptr},
      {11, 1, "Notes Type", "Select Notes Type for Quiz", "Any Note", "'Shuddha' Notes only",
       "Other than 'Shuddha' Notes"},
  };
  Open();
  for (const QuestionCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.step) + " page " + std::to_string(c.page));
    for (const char* name : {"cO1", "cO2", "cO3"}) Ctl(name).SetValue(1);  // an earlier answer
    workshop::OptionStep = c.step;
    workshop::NoteCountPage = c.page;
    workshop::sSetOptionsDisplay();
    EXPECT_EQ(Caption("Frame2"), c.frame);
    EXPECT_EQ(Caption("Label4"), c.label);
    EXPECT_EQ(Caption("cO1"), c.option1);
    EXPECT_EQ(Caption("cO2"), c.option2);
    EXPECT_EQ(Shown("cO3"), c.option3 != nullptr);
    if (c.option3 != nullptr) {
      EXPECT_EQ(Caption("cO3"), c.option3);
    }
    for (const char* name : {"Frame2", "Label4", "cO1", "cO2"}) EXPECT_TRUE(Shown(name)) << name;
    for (const char* name : {"cO1", "cO2"}) EXPECT_EQ(Ctl(name).Value(), 0) << name;
    if (c.option3 != nullptr) {
      EXPECT_EQ(Ctl("cO3").Value(), 0);
    }
  }
  // Outside the steps nothing is shown.
  workshop::sHideDetails();
  workshop::OptionStep = 12;
  workshop::sSetOptionsDisplay();
  EXPECT_FALSE(Shown("Frame2"));
}

TEST_F(WorkbenchTest, AnOptionTheQuestionDoesNotOfferDoesNothing) {
  Open();
  Press("cNotePatterns");
  workshop::sSetOptionsDisplay();
  int16_t third = 3;
  workshop::sProcessOptionSelection(third);
  EXPECT_EQ(workshop::OptionStep, 1);
  EXPECT_TRUE(Shown("Frame2"));
}

TEST_F(WorkbenchTest, UnlockingRestoresTheMenusOfTheMode) {
  Open();
  Press("cMajorScale");
  const std::vector<bool> mode1 = MenusEnabled();
  workshop::sDisableF13Selections();
  EXPECT_EQ(MenusEnabled(), std::vector<bool>(7, false));
  for (const char* name : {"cRagaList", "cReturn", "cSwitchWBMode", "cSlider", "Frame1"})
    EXPECT_FALSE(Enabled(name)) << name;
  // A second lock while locked must not take the disabled menus for the mode's own.
  workshop::sDisableF13Selections();
  workshop::sEnableF13Selections();
  EXPECT_EQ(MenusEnabled(), mode1);
  EXPECT_FALSE(Enabled("cSelNewSca"));  // mode 1 has no new scale
  for (const char* name : {"cRagaList", "cReturn", "cSwitchWBMode", "cSlider", "Frame1"})
    EXPECT_TRUE(Enabled(name)) << name;

  Press("cSwitchWBMode");
  workshop::WBMode = 4;
  workshop::sSetModeDisplay();
  workshop::sDisableF13Selections();
  workshop::sEnableF13Selections();
  for (const char* menu : {"cMnuMusPat", "cMnuTonNot", "cMnuKebDis", "cMnuGraNot", "cMnuSyn"})
    EXPECT_FALSE(Enabled(menu)) << menu;
  EXPECT_TRUE(Enabled("cSelNewSca"));
  EXPECT_TRUE(Enabled("cShowNote"));
}

TEST_F(WorkbenchTest, TheDisplayHelpersShowAndHideTheirGroups) {
  sound::CurrTonicNoteId = 2;
  Open();
  workshop::sDisplayKBForNoteSelection();
  for (int16_t r = 0; r <= 40; ++r) {
    const bool kept = r >= 11 && r <= 23;
    if (r >= 1) {
      EXPECT_EQ(Screen().Ctl("cR", r).Visible(), kept) << r;
    }
    if (!kept) {
      EXPECT_FALSE(Screen().Ctl("cL", r).Visible()) << r;
    }
  }
  workshop::sHideDetails();
  workshop::sShowUserData(6);
  for (const char* shown : {"Label3", "cPattern", "Label5", "cCurrentItem"}) EXPECT_TRUE(Shown(shown)) << shown;
  for (const char* hidden : {"Label1", "cScaleType"}) EXPECT_FALSE(Shown(hidden)) << hidden;
  workshop::sInitScaleNotes();
  workshop::sShowSelectedNotes();
  EXPECT_EQ(Text("cPattern"), "");
  EXPECT_TRUE(Shown("cPattern"));
  EXPECT_EQ(Caption("Label3"), "Selected Notes");
  workshop::sShowSlider();
  EXPECT_TRUE(Shown("Label8") && Shown("Label9") && Shown("cSlider"));
  workshop::sHideSlider();
  EXPECT_FALSE(Shown("Label8") || Shown("Label9") || Shown("cSlider"));
  // Hidden keyboard: no label floats without its reed.
  sound::KeyboardDisplay = 2;
  Dispatch(18);
  workshop::sSetScaleAndSelNotesForPhrase("S R G S>");
  workshop::sHideUnselectedNoteLabels();
  EXPECT_TRUE(ShownKeyLabels().empty());
}

TEST_F(WorkbenchTest, GoBackAndTheCloseBoxReturnToTheMainForm) {
  Open();
  Press("cMajorScale");
  Press("cReturn");
  EXPECT_EQ(shell::CurrFormId, 1);
  EXPECT_FALSE(Screen().Loaded());
  Open();
  sound::LoopFlag = -1;
  Screen().CloseFromUser();
  EXPECT_EQ(shell::CurrFormId, 1);
  EXPECT_EQ(sound::LoopFlag, 0);
  EXPECT_FALSE(Screen().Loaded());
  EXPECT_EQ(halts, 0);
}

TEST_F(WorkbenchTest, TheMarkingAllowanceStaysWithinItsRange) {
  Open();
  Press("cMajorScale");
  shell::DelayW = 0;
  Menu("cMnuSlo");
  EXPECT_EQ(shell::DelayW, 0);
  Menu("cMnuSpe");
  EXPECT_EQ(shell::DelayW, 1);
  shell::DelayW = std::numeric_limits<int16_t>::max();
  Menu("cMnuSpe");
  EXPECT_EQ(shell::DelayW, std::numeric_limits<int16_t>::max());
  shell::DelayW = 10;
}

}  // namespace
}  // namespace workshoptest
