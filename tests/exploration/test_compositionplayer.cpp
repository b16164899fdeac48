// The composition player, opened from the illustration screen and driven through its
// form events and dispatcher: the grid of the tala with the part's syllables and notes,
// learning-mode play of each part on the play loop (rendered by the sound library with
// the generated seeds, heard on the silent output of a fake clock), the red cell in
// time with the beats, looping, the menus, the speed, the tonic carried back, failed
// renderings, and leaving by Go Back or the close box.
#include <QApplication>
#include <QObject>
#include <QWhatsThis>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "PlayerTest.h"
#include "common/CommonState.h"
#include "common/Notation.h"
#include "exploration/ExplorationState.h"
#include "exploration/PlayCompositions.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Files.h"
#include "platform/vb/Folders.h"
#include "shell/Help.h"
#include "shell/Players.h"
#include "shell/ShellState.h"
#include "sound/ReedLighting.h"
#include "sound/SoundState.h"
#include "support/BusyInputs.h"

namespace explorationtest {
namespace {

using namespace std::chrono_literals;
using testsupport::TraceEntries;

TEST_F(PlayerTest, OpeningShowsTheAsthaiOnTheGridOfItsTalaAndRendersBothParts) {
  OpenEriAali();
  EXPECT_EQ(shell::ParentFormId[14 - 1], 28);
  EXPECT_EQ(Screen().Caption(), "Play Composition in Learning/Practice Mode");
  EXPECT_FALSE(Illustration().Visible());
  EXPECT_EQ(sound::CallbackCode, 3);
  EXPECT_EQ(sound::Theka, 1);
  EXPECT_TRUE(Checked(Screen(), "cMnuUseThe"));
  EXPECT_TRUE(Checked(Screen(), "cMnuUseGraNot"));
  EXPECT_TRUE(Checked(Screen(), "cMnuEng"));
  EXPECT_TRUE(Checked(Screen(), "cMnuB1"));
  EXPECT_FALSE(Ctl("cMnuDev").Visible()) << "no Devanagari font";
  EXPECT_EQ(Ctl("cRaga").Text(), "Yaman");

  EXPECT_EQ(Ctl("Label25").Caption(), "Tala : Teentaal");
  EXPECT_EQ(Ctl("Label26").Caption(), "16 Beats");
  EXPECT_EQ(Ctl("Label22").Caption(), "Asthai");
  EXPECT_EQ(Ctl("cComposition").Text(), "Eri aali piya bina");
  EXPECT_EQ(Ctl("cMukhada").Text(), "Eri Aali");
  EXPECT_EQ(Ctl("cAsthai").Value(), 1);
  EXPECT_EQ(Ctl("cLearn").Value(), 1);
  // One row: the antara ends on beat 6.
  EXPECT_EQ(sound::CompCycleCount, 1);
  EXPECT_EQ(Captions("cRow"), Names{"1"});
  ASSERT_EQ(Screen().Elements("cBeat").size(), 16u);
  EXPECT_EQ(Cell("cBeat", 0).Caption(), "1");
  EXPECT_EQ(Cell("cBeat", 15).Caption(), " 16");
  EXPECT_EQ(Captions("cMatra"), Padded({"e", "ri", "aa", "li"}, 16));
  EXPECT_EQ(Captions("cNote"), Padded({"G", "R'G", "M", "P"}, 16));
  for (int k : {0, 7, 15}) {
    EXPECT_TRUE(Cell("cMatra", k).Visible() && Cell("cNote", k).Visible()) << k;
    EXPECT_EQ(Cell("cNote", k).Top(), Cell("cMatra", k).Top() + Cell("cMatra", k).Height()) << k;
    EXPECT_EQ(Cell("cNote", k).FontName(), "Times New Roman") << k;
  }
  EXPECT_EQ(Cell("cMatra", 1).Left() - Cell("cMatra", 0).Left(), 540 + 30) << "cells 4.5% of 12000 twips, 30 apart";
  EXPECT_GT(Cell("cBeat", 0).Top(), Ctl("cComposition").Top() + Ctl("cComposition").Height());
  EXPECT_TRUE(AllCellsDefault());

  EXPECT_EQ(Ctl("cPrompts").Text(), ExpectedPrompts("24,26,28,30"));
  for (const char* name : {"cFRow", "cTBeat", "Label1", "Line5"}) EXPECT_FALSE(Ctl(name).Visible()) << name;
  EXPECT_TRUE(Idle());
  EXPECT_EQ(Renderings(), 1);
  EXPECT_EQ(TraceEntries("fCreateMusicFileWithTaal1"), 2) << "both parts, with their theka";
  EXPECT_GT(vb::FileLen(shell::WavFileA), 0u);
  EXPECT_GT(vb::FileLen(shell::WavFileB), 0u);
  EXPECT_EQ(exploration::CompSegments[0].Part, 1);
  EXPECT_EQ(exploration::CompSegments[1].Part, 2);
  EXPECT_FLOAT_EQ(exploration::CompSegments[1].SpeedFactor, 1.0f);
  EXPECT_TRUE(played.empty()) << "nothing plays before Play";
  EXPECT_TRUE(messages.empty());
}

// The grid is laid out for the tala with rows enough for the longer part; syllables
// and notes go into the cells of their beats by their durations.
TEST_F(PlayerTest, TheGridHoldsEachWordInTheCellOfItsBeat) {
  struct Case {
    const char* title;
    const char* list;
    size_t rows;
    size_t beats;
    Names syllables;
    Names notes;
  };
  const Case cases[] = {
      // Fills row 1 exactly: an empty row follows. Two half-beat syllables share a cell.
      {"Full Cycle", "cKZIllusList", 2, 16, Padded({"tana", "dhin"}, 32),
       Padded({"S", "R", "G", "M", "P", "D", "N", "S>", "S>", "N", "D", "P", "M", "G", "R", "S"}, 32)},
      // From beat 9: the cells before it stay empty; a word of 2 beats leaves the next one empty.
      {"Late Start", "cKZIllusList", 2, 16, Padded({"", "", "", "", "", "", "", "", "aa", "", "ja"}, 32),
       Padded({"", "", "", "", "", "", "", "", "G", "", "", "", "M", "", "", "", "P", "", "", "", "D"}, 32)},
      {"Rupak Song", "cKZIllusList", 2, 7, Padded({"x"}, 14), Padded({"S", "", "", "R", "", "G"}, 14)},
      // Words that fall outside the grid are left out.
      {"Long Words", "cUserIllusList", 1, 16, Padded({"a", "", "", "", "", "", "", "", "b"}, 16),
       Padded({"S", "R", "G", "M"}, 16)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    Open(c.title, "Option2", c.list);
    ASSERT_EQ(shell::CurrFormId, 14);
    EXPECT_EQ(Screen().Elements("cRow").size(), c.rows);
    EXPECT_EQ(Screen().Elements("cBeat").size(), c.beats);
    EXPECT_EQ(Captions("cMatra"), c.syllables);
    EXPECT_EQ(Captions("cNote"), c.notes);
    Press("cReturn");
    ASSERT_EQ(shell::CurrFormId, 28);
  }
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(halts, 0);
}

// A composition the player cannot show is refused on the illustration screen, which
// stays usable: a part missing (a damaged user database, named), or a tala that is not
// in the database.
TEST_F(PlayerTest, ACompositionThePlayerCannotShowIsRefusedBeforeItOpens) {
  struct Case {
    const char* title;
    const char* list;
    const char* message;  // how the message starts
  };
  const Case cases[] = {
      {"My Song", "cUserIllusList",
       "Your composition \"My Song\" cannot be used: its data in your user database \""},
      {"Lost Tala", "cKZIllusList", "The tala of this composition is missing from the database or has no beats"},
  };
  for (const char* mode : {"Option2", "Option3"}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(mode) + " " + c.title);
      messages.clear();
      Open(c.title, mode, c.list);
      ASSERT_EQ(messages.size(), 1u) << ::testing::PrintToString(MessageTexts());
      EXPECT_EQ(messages[0].prompt.rfind(c.message, 0), 0u) << messages[0].prompt;
      EXPECT_EQ(shell::CurrFormId, 28);
      EXPECT_EQ(sound::CallbackCode, 12);
      EXPECT_FALSE(Screen().Loaded());
    }
  }
  EXPECT_EQ(halts, 0);
  OpenEriAali();
}

// Play in learning mode: the part chosen plays alone from its file while the red cell
// steps beat by beat, lit the allowance per beat passed before the beat's start.
TEST_F(PlayerTest, TheRedCellFollowsTheBeatsOfThePartPlaying) {
  struct Case {
    const char* part;
    int16_t delay;
    const char* file;
    std::vector<int> cells;         // the cells lit, in order
    std::vector<int32_t> litAt;     // positions at which cells 2, 3 and 4 of them were lit
  };
  const Case cases[] = {
      {"cAsthai", 0, "A.wav", {0, 1, 2, 3}, {700, 1400, 2100}},
      {"cAsthai", 100, "A.wav", {0, 1, 2, 3}, {600, 1200, 1800}},
      {"cAntara", 0, "B.wav", {2, 3, 4, 5}, {700, 1400, 2100}},
  };
  OpenEriAali();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.part) + " " + std::to_string(c.delay));
    played.clear();
    shell::DelayPC = c.delay;
    Select(c.part);
    std::vector<int> cells;
    std::vector<int32_t> litAt;
    std::string wrong;
    const auto marking = QObject::connect(&Player(), &mci::MMControl::StatusUpdate, &Player(), [&] {
      const std::vector<int> lit = Lit();
      if (lit.size() != 1) wrong += " " + std::to_string(lit.size()) + " cells lit;";
      if (lit.empty() || (!cells.empty() && cells.back() == lit[0])) return;
      cells.push_back(lit[0]);
      if (cells.size() > 1) litAt.push_back(Player().Position());
    });
    Press("cPlay");
    EXPECT_TRUE(Playing("cStop"));
    ASSERT_EQ(Lit(), std::vector<int>{c.cells[0]}) << "the part's first cell as it starts";
    PlayUntilTheEnd();
    QObject::disconnect(marking);
    EXPECT_EQ(cells, c.cells);
    EXPECT_EQ(litAt, c.litAt);
    EXPECT_EQ(wrong, "");
    EXPECT_EQ(played, Names{c.file});
    EXPECT_TRUE(AllCellsDefault());
    EXPECT_TRUE(Idle());
  }
  EXPECT_EQ(Renderings(), 1) << "nothing changed: the files of the opening play";
  EXPECT_TRUE(messages.empty());
}

TEST_F(PlayerTest, StartLoopingRepeatsThePartUntilStopLooping) {
  OpenEriAali();
  Press("cStartLoop");
  EXPECT_EQ(sound::LoopFlag, -1);
  EXPECT_TRUE(Playing("cStopLoop"));
  PlayUntilPlayed(3);
  EXPECT_EQ(played, Names(3, "A.wav"));
  EXPECT_TRUE(Playing("cStopLoop"));
  Press("cStopLoop");
  PlayUntilTheEnd();
  PlayFor(3s);
  EXPECT_EQ(played.size(), 3u) << "nothing plays after Stop Looping";
  EXPECT_EQ(sound::LoopFlag, 0);
  EXPECT_TRUE(Idle());
  EXPECT_TRUE(AllCellsDefault());

  // Stop ends a single play at once.
  played.clear();
  Select("cAntara");
  EXPECT_EQ(Ctl("Label22").Caption(), "Antara");
  EXPECT_EQ(Captions("cMatra"), Padded({"", "", "pi", "", "ya"}, 16));
  EXPECT_EQ(Ctl("cComposition").Text(), "Piya bina");
  Press("cPlay");
  PlayFor(500ms);
  Press("cStop");
  PlayUntilTheEnd();
  EXPECT_EQ(played, Names{"B.wav"});
  EXPECT_TRUE(Idle());
  EXPECT_TRUE(messages.empty());
}

// While a part plays or loops, in learning and in practice mode, whatever the learner
// clicks, chooses or types is refused before it changes anything and looks disabled, but
// Stop and Stop Looping; Stop then gives back a player that plays again.
TEST_F(PlayerTest, WhatIsClickedWhilePlayingIsRefusedAndStopGivesBackAPlayerThatPlays) {
  const auto words = [] {
    return std::to_string(sound::CurrCompPart) + " " + std::to_string(sound::CurrOperationMode) + " " +
           std::to_string(sound::LoopFlag) + " " + std::to_string(sound::Theka) + " " +
           std::to_string(sound::NewTonicNoteId) + " " + std::to_string(sound::DroneVolumeStep) + " " +
           std::to_string(shell::NotationScript) + " " + std::to_string(shell::GraceNotes) + " " +
           std::to_string(shell::DelayPC);
  };
  const struct {
    const char* mode;
    const char* start;
    const char* stop;
  } cases[] = {{"cLearn", "cPlay", "cStop"}, {"cLearn", "cStartLoop", "cStopLoop"}, {"cPractice", "cPlay", "cStop"}};
  OpenEriAali();
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + " " + c.start);
    Select(c.mode);
    if (std::string(c.mode) == "cPractice") {
      Select("cAntara");
      for (const auto& [box, text] : {std::pair{"cFRow", "1"}, {"cFBeat", "4"}, {"cTRow", "1"}, {"cTBeat", "5"}})
        Ctl(box).SetText(text);
    }
    for (int round = 0; round < 2; ++round) {
      Press(c.start);
      PlayFor(500ms);
      ASSERT_EQ(Player().Mode(), mci::mciModePlay);
      if (round == 0) testsupport::ExpectEveryInputRefused(Screen(), words, "sPlayCompositions", 12);
      Press(c.stop);
      PlayUntilTheEnd();
      EXPECT_TRUE(Idle());
      EXPECT_FALSE(Screen().Busy());
    }
  }
  EXPECT_TRUE(messages.empty());
}

// The slider changes nothing at once; the next Play renders both parts again at the
// new speed, and only when the speed has changed.
TEST_F(PlayerTest, PlayRendersThePartsAgainOnlyWhenTheSpeedChanged) {
  OpenEriAali();
  struct Step {
    int32_t slider;
    int renderings;  // renderings by this Play
    int32_t beatMs;
  };
  const Step steps[] = {{9, 0, 700}, {12, 1, 399}, {12, 0, 399}, {9, 1, 700}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.slider);
    Ctl("cSlider").SetValue(s.slider);
    const int before = Renderings();
    Press("cPlay");
    EXPECT_EQ(Renderings() - before, s.renderings);
    EXPECT_EQ(exploration::CompFilesRegenerated, s.renderings == 1 ? -1 : 0);
    EXPECT_EQ(sound::NotesList[0].Positions.at(1), s.beatMs);
    PlayUntilTheEnd();
  }
  EXPECT_FLOAT_EQ(exploration::CompSegments[0].SpeedFactor, 1.0f);
  EXPECT_EQ(played, Names(4, "A.wav"));
  EXPECT_TRUE(messages.empty());
}

// A rendering that fails (here a note the library cannot sound) leaves no file
// trusted: the next Play renders again rather than play what an earlier setting left.
TEST_F(PlayerTest, AFailedRenderingIsRenderedAgainByTheNextPlay) {
  struct Case {
    const char* what;
    std::function<void()> fail;
  };
  OpenEriAali();
  const Case cases[] = {
      {"opening", [] {
         int16_t open = 0;
         ASSERT_EQ(shell::CurrFormId, 28);
         exploration::sPlayCompositions(open);
       }},
      {"No Theka", [this] { MenuClick("cMnuNoThe"); }},
      {"Use Theka", [this] { MenuClick("cMnuUseThe"); }},
      {"grace notes", [this] { MenuClick("cMnuNoGraNot"); }},
      {"drone", [this] { MenuClick("cMnuDroLou"); }},
      {"a new speed", [this] {
         Ctl("cSlider").SetValue(8);
         Press("cPlay");
       }},
  };
  const std::string asthai = common::TCompData[0].Notation;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (std::string(c.what) == "opening") Press("cReturn");
    messages.clear();
    played.clear();
    common::TCompData[0].Notation = "G X M P";
    c.fail();
    ASSERT_EQ(shell::CurrFormId, 14);
    EXPECT_FALSE(messages.empty());
    EXPECT_TRUE(Idle());
    for (const auto& segment : exploration::CompSegments) EXPECT_EQ(segment.Part, 0);

    common::TCompData[0].Notation = asthai;
    messages.clear();
    const int before = Renderings();
    Press("cPlay");
    EXPECT_EQ(Renderings(), before + 1);
    PlayUntilTheEnd();
    EXPECT_EQ(played, Names{"A.wav"});
    EXPECT_TRUE(Idle());
    EXPECT_TRUE(messages.empty());
  }
}

TEST_F(PlayerTest, TheThekaGraceNoteScriptAndDroneMenus) {
  shell::DevnagariAvailable = -1;
  OpenEriAali();
  ASSERT_TRUE(Ctl("cMnuDev").Visible());
  int before = Renderings();
  const int withTheka = TraceEntries("fCreateMusicFileWithTaal1");
  const int without = TraceEntries("fCreateMusicFile");
  MenuClick("cMnuNoThe");
  EXPECT_EQ(sound::Theka, 2);
  EXPECT_TRUE(Checked(Screen(), "cMnuNoThe"));
  EXPECT_EQ(Renderings(), before + 1);
  EXPECT_EQ(TraceEntries("fCreateMusicFileWithTaal1"), withTheka);
  EXPECT_EQ(TraceEntries("fCreateMusicFile"), without + 2) << "both parts without the theka";

  before = Renderings();
  MenuClick("cMnuNoGraNot");
  EXPECT_EQ(shell::GraceNotes, 1);
  EXPECT_EQ(Captions("cNote"), Padded({"G", "G", "M", "P"}, 16)) << "the glide shown by its landing note";
  EXPECT_EQ(Renderings(), before + 1);
  MenuClick("cMnuUseGraNot");

  const Names syllables = Captions("cMatra");
  before = Renderings();
  MenuClick("cMnuDev");
  EXPECT_EQ(shell::NotationScript, 1);
  EXPECT_EQ(Captions("cNote"), Padded({common::fGetDevForEng("G"), common::fGetDevForEng("R'G"),
                                       common::fGetDevForEng("M"), common::fGetDevForEng("P")},
                                      16));
  EXPECT_EQ(Cell("cNote", 0).FontName(), "Shusha");
  EXPECT_EQ(Cell("cNote", 15).FontName(), "Shusha");
  EXPECT_EQ(Captions("cMatra"), syllables) << "the syllables stay as they are";
  EXPECT_EQ(Renderings(), before) << "the script changes no sound";
  MenuClick("cMnuEng");
  EXPECT_EQ(Captions("cNote"), Padded({"G", "R'G", "M", "P"}, 16));
  EXPECT_EQ(Cell("cNote", 3).FontName(), "Times New Roman");

  const size_t drones = soundLib.Count("FWavLoadDroneData");
  MenuClick("cMnuDroLou");
  EXPECT_DOUBLE_EQ(sound::CurrDroneFactor, 1.1);
  EXPECT_EQ(soundLib.Count("FWavLoadDroneData"), drones + 1);
  EXPECT_EQ(Renderings(), before + 1);
  EXPECT_TRUE(Idle());
  EXPECT_TRUE(messages.empty());
}

// "What's This": the part's name carries the help topic of its part (51 the asthai, 52
// the antara), and a click on the caption "Raga" shows that topic's text from the help
// file in a What's This popup beside the caption.
TEST_F(PlayerTest, TheRagaCaptionShowsTheWhatsThisHelpOfThePartInHand) {
  shell::HelpFile = vb::ShareFolderPath() + "/KZHelp.html";
  std::vector<std::pair<QWidget*, std::string>> shown;
  shell::SetWhatsThisPresenter([&](QWidget* beside, const std::string& text) { shown.push_back({beside, text}); });
  OpenEriAali();
  const struct {
    const char* option;
    int32_t topic;
    const char* heading;
  } cases[] = {{"cAsthai", 51, "<b>Asthai</b>: the first part"}, {"cAntara", 52, "<b>Antara</b>: the second part"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.option);
    shown.clear();
    Select(c.option);
    EXPECT_EQ(Ctl("Label22").WhatsThisHelpID(), c.topic);
    ASSERT_TRUE(Ctl("Label2").TakesInput());
    Ctl("Label2").RaiseFromUser(forms::Event::Click);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].first, Ctl("Label2").Widget());
    EXPECT_NE(shown[0].second.find(c.heading), std::string::npos) << shown[0].second;
    EXPECT_EQ(shown[0].second.rfind("<p>", 0), 0u) << "the topic's paragraph";
    EXPECT_EQ(shown[0].second.find("</p>"), shown[0].second.size() - 4) << "and no more";
  }
  // A help file that is missing says so in the popup.
  shell::HelpFile = Path("no-help.html");
  shown.clear();
  Ctl("Label2").RaiseFromUser(forms::Event::Click);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].second.find("is missing or damaged"), std::string::npos) << shown[0].second;

  // The popup itself, beside the caption.
  shell::SetWhatsThisPresenter({});
  shell::HelpFile = vb::ShareFolderPath() + "/KZHelp.html";
  Screen().Show();
  Ctl("Label2").RaiseFromUser(forms::Event::Click);
  QWidget* popup = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && std::string(w->metaObject()->className()) == "QWhatsThat") popup = w;
  ASSERT_NE(popup, nullptr) << "a What's This popup is shown";
  const QPoint caption = Ctl("Label2").Widget()->mapToGlobal(QPoint(0, 0));
  EXPECT_LT(std::abs(popup->geometry().top() - caption.y()), 200);
  QWhatsThis::hideText();
  shell::HelpFile.clear();
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
}

TEST_F(PlayerTest, SlowDownAndSpeedUpMoveTheAllowanceWithinItsBounds) {
  OpenEriAali();
  struct Case {
    int16_t from;
    const char* item;
    int16_t to;
  };
  const Case cases[] = {{10, "cMnuSlo", 9}, {0, "cMnuSlo", 0}, {10, "cMnuSpe", 11}, {32767, "cMnuSpe", 32767}};
  for (const Case& c : cases) {
    shell::DelayPC = c.from;
    MenuClick(c.item);
    EXPECT_EQ(shell::DelayPC, c.to) << c.item << " from " << c.from;
  }
  EXPECT_EQ(halts, 0);
}

// Choosing Practice shows the four point boxes, empty, with the practice prompts;
// Learning hides them again.
TEST_F(PlayerTest, TheModeShowsOrHidesThePracticeBoxesAndItsPrompts) {
  OpenEriAali();
  Select("cPractice");
  EXPECT_EQ(sound::CurrOperationMode, 3);
  for (const char* name : {"Line1", "Line5", "Label1", "Label12", "Label16", "cFRow", "cFBeat", "cTRow", "cTBeat"})
    EXPECT_TRUE(Ctl(name).Visible()) << name;
  EXPECT_EQ(Ctl("cPrompts").Text(), ExpectedPrompts("25,26,28,29,30"));
  Ctl("cFRow").SetText("1");
  Select("cLearn");
  EXPECT_FALSE(Ctl("cFRow").Visible());
  EXPECT_EQ(Ctl("cPrompts").Text(), ExpectedPrompts("24,26,28,30"));
  Select("cPractice");
  EXPECT_EQ(Ctl("cFRow").Text(), "") << "emptied each time practice is chosen";
}

// The dispatcher hears the codes of its screen only; every entry makes it the screen
// that hears the end of playing.
TEST_F(PlayerTest, CodesWithoutAnActionChangeNothing) {
  OpenEriAali();
  for (int16_t code : {6, 7, 13, 14, 15, 16, 17, 18, 21, -1, 300}) {
    sound::CallbackCode = 0;
    int16_t action = code;
    exploration::sPlayCompositions(action);
    EXPECT_EQ(sound::CallbackCode, 3) << code;
    EXPECT_EQ(shell::CurrFormId, 14) << code;
    EXPECT_TRUE(Idle()) << code;
  }
  EXPECT_EQ(Renderings(), 1);
  EXPECT_TRUE(messages.empty());
}

// A tonic chosen here: the seeds prepared and the parts rendered at the new key; on
// leaving, the illustration screen takes over the key in use.
TEST_F(PlayerTest, ATonicChosenHereIsTakenOverByTheIllustrationScreen) {
  OpenEriAali();
  MenuClick("cMnuB2");
  EXPECT_EQ(sound::CurrTonicNoteId, 5);
  EXPECT_EQ(sound::CurrMusicSetId, 5);
  EXPECT_TRUE(Checked(Screen(), "cMnuB2"));
  EXPECT_FALSE(Checked(Screen(), "cMnuB1"));
  EXPECT_EQ(Ctl("cPrompts").Text().find("Using KZ Scale with Black-2 (D#) As 'sA' (Tonic Note)"), 0u);
  EXPECT_EQ(Renderings(), 2);
  EXPECT_TRUE(Idle());
  Press("cReturn");
  ASSERT_EQ(shell::CurrFormId, 28);
  EXPECT_EQ(TraceEntries("sF28TonicChosen"), 1);
  EXPECT_TRUE(Checked(Illustration(), "cMnuB2"));
  EXPECT_EQ(Illustration().Ctl("cPrompts").Text().find("Using KZ Scale with Black-2 (D#)"), 0u);
  EXPECT_EQ(sound::CallbackCode, 12);

  // Back at the key it opened with: nothing to take over.
  OpenEriAali();
  MenuClick("cMnuB1");
  MenuClick("cMnuB2");
  Press("cReturn");
  EXPECT_EQ(TraceEntries("sF28TonicChosen"), 1);
  EXPECT_TRUE(messages.empty());
}

// Seeds that cannot be prepared for the key chosen leave the key, the scale set and
// the check mark in use, and the parts as they were rendered; on leaving, the
// illustration screen takes over the key in use, not the key that failed.
TEST_F(PlayerTest, ATonicWhoseSeedsFailLeavesTheKeyInUse) {
  struct Case {
    const char* keyInUse;  // chosen first, "" for none
    int16_t tonic;
    int tonicTakenOver;
  };
  const Case cases[] = {{"", 3, 0}, {"cMnuB2", 5, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keyInUse);
    OpenEriAali();
    if (*c.keyInUse != '\0') MenuClick(c.keyInUse);
    const int renderings = Renderings();
    const int tonics = TraceEntries("sF28TonicChosen");
    bool failed = false;
    soundLib.failWhen = [&failed](const testsupport::SoundLibCall& call) {
      if (failed || call.entry != "FWavFreeNoteSeedsMemory") return false;
      failed = true;
      return true;
    };
    messages.clear();
    MenuClick("cMnuW3");
    soundLib.failWhen = {};
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().prompt, "Error Creating Mote Seeds");
    EXPECT_EQ(sound::CurrTonicNoteId, c.tonic);
    EXPECT_EQ(sound::CurrMusicSetId, c.tonic);
    EXPECT_EQ(shell::FormPlayComposition1->Get<forms::MenuItem>(c.tonic == 3 ? "cMnuB1" : "cMnuB2").Checked(), true);
    EXPECT_FALSE(Checked(Screen(), "cMnuW3"));
    EXPECT_EQ(Renderings(), renderings);
    EXPECT_TRUE(Idle());
    Press("cReturn");
    EXPECT_EQ(TraceEntries("sF28TonicChosen") - tonics, c.tonicTakenOver);
    EXPECT_EQ(sound::CurrTonicNoteId, c.tonic);
    EXPECT_TRUE(Checked(Illustration(), c.tonic == 3 ? "cMnuB1" : "cMnuB2"));
    EXPECT_FALSE(Checked(Illustration(), "cMnuW3"));
  }
}

// A beat record longer than its table (a grid of another composition) ends the marking
// there rather than reading past the table.
TEST_F(PlayerTest, TheMarkingNeverReadsPastTheBeatTable) {
  OpenEriAali();
  Press("cPlay");
  PlayFor(200ms);
  sound::NotesListRec& rec = sound::NotesList[0];
  rec.BeatCount = 1000;
  rec.CurrNote = static_cast<int32_t>(rec.Positions.size());
  for (int n = 0; n < 3; ++n) {
    int16_t progress = 12;
    exploration::sPlayCompositions(progress);
  }
  EXPECT_EQ(rec.CurrNote, static_cast<int32_t>(rec.Positions.size()));
  PlayUntilTheEnd();
  EXPECT_EQ(halts, 0);
  EXPECT_TRUE(messages.empty());
}

// Back on the illustration screen after changes here: it keeps its own mode, and its
// notation, fonts and check marks follow the script and grace-note settings in use.
TEST_F(PlayerTest, TheIllustrationScreenKeepsItsModeAndTakesOverTheNotationSettings) {
  shell::DevnagariAvailable = -1;
  OpenEriAali();
  Select("cPractice");
  MenuClick("cMnuDev");
  MenuClick("cMnuNoGraNot");
  Press("cReturn");
  ASSERT_EQ(shell::CurrFormId, 28);
  EXPECT_EQ(sound::CurrOperationMode, 2);
  EXPECT_EQ(Illustration().Ctl("Option2").Value(), 1);
  EXPECT_TRUE(Checked(Illustration(), "cMnuDev"));
  EXPECT_FALSE(Checked(Illustration(), "cMnuEng"));
  EXPECT_TRUE(Checked(Illustration(), "cMnuNoGraNot"));
  EXPECT_EQ(Illustration().Ctl("cAroha").FontName(), "Shusha");
  EXPECT_EQ(TraceEntries("sF28NotationChanged"), 1);

  // Nothing changed here: nothing to take over.
  OpenEriAali();
  Press("cReturn");
  EXPECT_EQ(TraceEntries("sF28NotationChanged"), 1);
  EXPECT_TRUE(messages.empty());
}

// The close box leaves as Go Back does, in every state: nothing plays on, the play
// loop alternates its slots again, a changed tonic is taken over, and the illustration
// screen's next demo plays its own files.
TEST_F(PlayerTest, TheCloseBoxLeavesAsGoBackDoes) {
  struct Case {
    const char* state;
    std::function<void()> before;
    int tonicTakenOver;
  };
  const Case cases[] = {
      {"idle", [] {}, 0},
      {"playing", [this] {
         Press("cPlay");
         PlayFor(500ms);
       }, 0},
      {"looping", [this] {
         Press("cStartLoop");
         PlayFor(3s);
       }, 0},
      {"after a practice play", [this] {
         Select("cPractice");
         for (const char* box : {"cFRow", "cFBeat", "cTRow"}) Ctl(box).SetText("1");
         Ctl("cTBeat").SetText("2");
         Press("cPlay");
         PlayUntilTheEnd();
         ASSERT_EQ(shell::AlternateFlag, 0) << "the segment plays from its own slot";
       }, 0},
      {"after a tonic change", [this] { MenuClick("cMnuB2"); }, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    OpenEriAali();
    c.before();
    const int tonics = TraceEntries("sF28TonicChosen");
    const size_t heard = played.size();
    Screen().CloseFromUser();
    EXPECT_FALSE(Screen().Loaded());
    ASSERT_EQ(shell::CurrFormId, 28);
    EXPECT_TRUE(Illustration().Visible());
    EXPECT_EQ(sound::CallbackCode, 12);
    EXPECT_EQ(sound::LoopFlag, 0);
    EXPECT_EQ(shell::AlternateFlag, -1);
    EXPECT_EQ(TraceEntries("sF28TonicChosen") - tonics, c.tonicTakenOver);
    const int ends = Ends();
    PlayFor(3s);
    EXPECT_EQ(Ends(), ends) << "no end of playing reaches the player";
    EXPECT_EQ(played.size(), heard);

    // The illustration screen plays its demo from its own slots.
    Illustration().Get<forms::OptionButton>("Option1").Select();
    ChooseLine(Illustration(), "cKZIllusList", "Layakari Phrases (2)");
    mci::MMControl& demo = *shell::MMControlOf(Illustration(), "cMM");
    std::vector<std::string> files;
    const int demoEnds = TraceEntries("sF28EndOfPlaying");
    PlayFor(20s, [&] {
      const std::string file = demo.FileName().substr(std::min(demo.FileName().size(), shell::TempFolder.size()));
      if (demo.Mode() == mci::mciModePlay && (files.empty() || files.back() != file)) files.push_back(file);
      return TraceEntries("sF28EndOfPlaying") > demoEnds && demo.Mode() != mci::mciModePlay;
    });
    EXPECT_EQ(files, (Names{"A.wav", "B.wav"}));
  }
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(halts, 0);
}

}  // namespace
}  // namespace explorationtest
