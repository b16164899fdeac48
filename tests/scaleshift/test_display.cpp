// The screen's looks: the six groups drawn from their codes for every situation of the
// dispatcher, the redraw of changed groups only, the key labels and the note name; and
// the list of saved scales from which a scale is chosen for refinement.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "support/LayoutChecks.h"
#include "ScaleShiftTest.h"
#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Notation.h"
#include "scaleshift/ScaleDisplay.h"
#include "scaleshift/ScaleShiftState.h"
#include "sound/Keyboard.h"
#include "sound/SoundState.h"

namespace scaleshifttest {
namespace {

using Names = std::set<std::string>;
using Keys = std::vector<int16_t>;
using testsupport::Range;

class DisplayTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Open();
  }
  Names ShownOf(std::initializer_list<const char*> names) {
    Names shown;
    for (const char* n : names)
      if (Shown(n)) shown.insert(n);
    return shown;
  }
  std::vector<std::string> ListLines() { return testsupport::ListLines(Screen(), "cScalesList"); }
};

// The screen whole at every size a learner gives its window: as it opens, with a key
// tuned on the slider, and with the new scale's name asked for.
TEST_F(DisplayTest, TheScreenIsWholeAtEverySize) {
  EXPECT_EQ(testsupport::FaultsAtEverySize(Screen()), std::vector<std::string>{});
  ClickKey(14);
  EndSound();
  Press("cTuneNote");
  EXPECT_EQ(testsupport::FaultsAtEverySize(Screen()), std::vector<std::string>{});
  Press("cPlay");
  EndSound();
  Press("cAdjust");
  EXPECT_EQ(testsupport::FaultsAtEverySize(Screen()), std::vector<std::string>{});
}

TEST_F(DisplayTest, EverySituationShowsItsGroups) {
  struct Case {
    const char* situation;
    int16_t codes[6];
    Names buttons;
    Names controls;
    std::string list;  // Label5's caption when the list shows
    std::vector<std::string> headers;
    Keys keys;
    std::string operations;  // Label7
    bool setTonic, setTonicEnabled, refine, refineEnabled;
    bool frames;
  };
  const Names slider{"cSlider", "Label3", "Label4", "Label6"};
  Names sliderAndNaming = slider;
  sliderAndNaming.insert({"Label2", "cSettingName", "cOK"});
  const std::string choose = "Pitch-shifting Operations - Select One", current = "Current Pitch-shifting Operation";
  const Case cases[] = {
      {"screen opened", {1, 0, 0, 1, 2, 0}, {"cSwitch"}, {}, "", {"", "", ""}, Range(10, 21), current,
       true, false, false, false, false},
      {"defining a tonic", {3, 0, 0, 1, 2, 0}, {"cSwitch", "cTuneNote"}, {}, "", {"", "", ""}, Range(10, 21), current,
       true, false, false, false, false},
      {"tuning", {13, 4, 0, 1, 2, 0}, {"cSwitch", "cAdjust", "cPlay"}, slider, "", {"", "", ""}, Range(10, 21),
       current, true, false, false, false, false},
      {"naming", {0, 12, 2, 0, 2, 0}, {"cSwitch"}, sliderAndNaming, "", {"", "S", ""}, {}, current,
       true, false, false, false, false},
      {"list of saved scales", {1, 1, 0, 0, 4, 0}, {"cSwitch"}, {"Label5", "cScalesList"}, "Select a Scale to Refine",
       {"", "", ""}, {}, current, false, false, true, false, false},
      {"refining", {25, 0, 1, 2, 1, 1}, {"cSwitch", "cPlay", "cSave"}, {}, "", {"Test 1", "", ""}, Range(4, 32),
       choose, true, true, true, true, true},
      {"key clicked while refining", {25, 0, 7, 2, 4, 1}, {"cSwitch", "cPlay", "cSave"}, {}, "",
       {"Test 1", "S", "Yaman"}, Range(4, 32), current, false, false, true, false, true},
      {"played from the menus", {25, 0, 7, 2, 2, 1}, {"cSwitch", "cPlay", "cSave"}, {}, "", {"Test 1", "S", "Yaman"},
       Range(4, 32), current, true, false, false, false, true},
      {"raga list", {25, 2, 7, 2, 2, 1}, {"cSwitch", "cPlay", "cSave"}, {"Label5", "cScalesList"}, "Select a Raga",
       {"Test 1", "S", "Yaman"}, Range(4, 32), current, true, false, false, false, true},
      {"choice of operation", {1, 0, 0, 0, 1, 0}, {"cSwitch"}, {}, "", {"", "", ""}, {}, choose,
       true, true, true, true, false},
  };
  sound::CurrMusicSetName = "Test 1";
  common::CurrRagaName = "Yaman";
  scaleshift::SelectedNoteIndex = 12;
  shell::NotationScript = 2;
  scaleshift::SavedNotationScript = 2;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    const int16_t* k = c.codes;
    scaleshift::sGrpDispAll(0, k[0], k[1], k[2], k[3], k[4], k[5]);
    EXPECT_EQ(ShownOf({"cSwitch", "cTuneNote", "cAdjust", "cPlay", "cSave"}), c.buttons);
    EXPECT_EQ(ShownOf({"Label5", "cScalesList", "cSlider", "Label3", "Label4", "Label6", "Label2", "cSettingName",
                       "cOK"}),
              c.controls);
    if (!c.list.empty()) {
      EXPECT_EQ(Ctl("Label5").Caption(), c.list);
    }
    EXPECT_EQ((std::vector<std::string>{Ctl("cScale").Text(), Ctl("cNote").Text(), Ctl("cRaga").Text()}), c.headers);
    EXPECT_EQ(ShownKeys(), c.keys);
    EXPECT_EQ(Ctl("Label7").Caption(), c.operations);
    EXPECT_EQ(Shown("cSetTonic"), c.setTonic);
    if (c.setTonic) {
      EXPECT_EQ(Ctl("cSetTonic").Enabled(), c.setTonicEnabled);
    }
    EXPECT_EQ(Shown("cRefineNotes"), c.refine);
    if (c.refine) {
      EXPECT_EQ(Ctl("cRefineNotes").Enabled(), c.refineEnabled);
    }
    EXPECT_EQ(Shown("Frame2"), c.frames);
    EXPECT_EQ(Shown("Frame3"), c.frames);
    for (int16_t key : c.keys) EXPECT_TRUE(Screen().Ctl("cR", key).Visible()) << key;
  }
}

// Mode 1 draws only the groups whose code changed.
TEST_F(DisplayTest, ARepeatedLookDrawsNothingAgain) {
  scaleshift::sGrpDispAll(1, 3, 0, 0, 1, 2, 0);
  Ctl("cSwitch").SetVisible(false);
  Ctl("cTuneNote").SetVisible(false);
  scaleshift::sGrpDispAll(1, 3, 0, 0, 1, 2, 0);
  EXPECT_FALSE(Shown("cSwitch"));
  EXPECT_FALSE(Shown("cTuneNote"));
  scaleshift::sGrpDispAll(1, 3, 4, 0, 1, 2, 0);  // only the controls changed
  EXPECT_FALSE(Shown("cTuneNote"));
  EXPECT_TRUE(Shown("cSlider"));
  scaleshift::sGrpDispAll(2, 1, 1, 1, 1, 1, 1);  // no such mode: nothing
  EXPECT_TRUE(Shown("cSlider"));
}

TEST_F(DisplayTest, TheNoteNameIsRelativeToTheTonicInTheLearnersScript) {
  forms::Control& box = Ctl("cNote");
  sound::CurrTonicNoteId = 5;
  shell::NotationScript = 2;
  scaleshift::sDisplayCurrNoteName(14, box);
  EXPECT_EQ(box.Text(), "S");
  EXPECT_EQ(box.FontName(), common::kEnglishFont.Name);
  scaleshift::sDisplayCurrNoteName(21, box);
  EXPECT_EQ(box.Text(), "P");
  shell::NotationScript = 1;
  scaleshift::sDisplayCurrNoteName(14, box);
  EXPECT_EQ(box.Text(), common::fGetStringForNote(12, 1));
  EXPECT_EQ(box.FontName(), common::kDevnagariFont.Name);
  scaleshift::sDisplayCurrNoteName(0, box);
  EXPECT_EQ(box.Text(), common::fGetStringForNote(12, 1));
}

// The red mark of a clicked key moves to the next key clicked, and the key left gets
// back its own caption colour: the Sa key its white (navy on a white key).
TEST_F(DisplayTest, TheKeyLeftByTheRedMarkGetsItsOwnCaptionColourBack) {
  ClickKey(12);  // B1, the Sa of key 3, a black key
  EXPECT_EQ(Screen().Ctl("cL", 12).ForeColor(), 255u);
  EndSound();
  ClickKey(14);
  EXPECT_EQ(Screen().Ctl("cL", 12).ForeColor(), sound::kSaCaptionColour);
  EXPECT_EQ(Screen().Ctl("cL", 14).ForeColor(), 255u);
  EndSound();
  ClickKey(15);
  EXPECT_EQ(Screen().Ctl("cL", 14).ForeColor(), sound::kCaptionColour);
  EndSound();

  DefineScale(11, 10, "Test 1");  // refinement in a scale of tonic 2: Sa on W1, a white key
  ASSERT_EQ(sound::CurrTonicNoteId, 2);
  EXPECT_EQ(Screen().Ctl("cL", 11).ForeColor(), sound::kSaCaptionOnWhiteColour);
  ClickKey(11);
  EXPECT_EQ(Screen().Ctl("cL", 11).ForeColor(), 255u);
  EXPECT_EQ(Ctl("cNote").Text(), common::fGetStringForNote(12));
  EndSound();
  ClickKey(13);
  EXPECT_EQ(Screen().Ctl("cL", 11).ForeColor(), sound::kSaCaptionOnWhiteColour);
}

// The list of saved scales in name order; without any, a message and an empty list
// (raga names left in it never pass for scales).
TEST_F(DisplayTest, TheSavedScalesAreListedInNameOrderOrTheListIsEmptied) {
  auto& list = Screen().Get<forms::ListControl>("cScalesList");
  list.AddItem("Yaman");
  Press("cSwitch");
  Press("cRefineNotes");
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"No Scales Defined as yet"}));
  EXPECT_TRUE(ListLines().empty());
  EXPECT_TRUE(Shown("cScalesList"));
  EXPECT_EQ(Ctl("Label5").Caption(), "Select a Scale to Refine");
  EXPECT_EQ(Ctl("cPrompts").Text(), common::fGetPrompts("11"));
  EXPECT_EQ(scaleshift::OperationMode, 2);
  list.SetListIndex(-1);
  Dispatch(12);
  EXPECT_EQ(scaleshift::OperationMode, 2);
  EXPECT_FALSE(Shown("Frame2"));

  AlterUserDatabase(UserSetRows(13, "b", 5) + UserSetRows(14, "A", 6) + UserSetRows(15, "c", 7));
  messages.clear();
  Press("cSwitch");
  Press("cRefineNotes");
  EXPECT_EQ(ListLines(), (std::vector<std::string>{"A", "b", "c"}));
  EXPECT_TRUE(messages.empty());
}

// A set chosen from the list becomes the scale in use; one that has gone, or whose rows
// are missing (a damaged user database, named), is refused with a message and the list
// shows again.
TEST_F(DisplayTest, AChosenSetIsLoadedForRefinementOrRefusedWithAMessage) {
  AlterUserDatabase(UserSetRows(13, "Whole", 5) + UserSetRows(14, "Broken", 6, true, false) +
                    UserSetRows(15, "Gone", 7));
  Press("cSwitch");
  Press("cRefineNotes");
  ASSERT_EQ(ListLines(), (std::vector<std::string>{"Broken", "Gone", "Whole"}));

  ChooseLine("Broken");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].prompt.rfind("Your scale \"Broken\" cannot be used: its data in your user database \"", 0), 0u)
      << messages[0].prompt;
  EXPECT_NE(messages[0].prompt.find("(its row for the main instrument is missing)"), std::string::npos)
      << messages[0].prompt;
  EXPECT_EQ(sound::CurrMusicSetId, 3);
  EXPECT_EQ(sound::CurrTonicNoteId, 3);
  EXPECT_TRUE(Shown("cScalesList"));
  EXPECT_FALSE(Shown("Frame2"));

  messages.clear();
  AlterUserDatabase("DELETE FROM \"Scale Shift Specs\" WHERE \"NPSetId\" = 15;");
  ChooseLine("Gone");
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"The scale 'Gone' no longer exists"}));
  EXPECT_EQ(ListLines(), (std::vector<std::string>{"Broken", "Whole"}));
  EXPECT_EQ(sound::CurrMusicSetId, 3);

  messages.clear();
  ChooseLine("Whole");
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(sound::CurrMusicSetId, 13);
  EXPECT_EQ(sound::CurrTonicNoteId, 5);
  EXPECT_EQ(sound::CurrMusicSetName, "Whole");
  EXPECT_EQ(scaleshift::OperationMode, 2);
  EXPECT_EQ(Ctl("cScale").Text(), "Whole");
  EXPECT_TRUE(Shown("Frame2") && Shown("Frame3") && Shown("cSave"));
  EXPECT_EQ(ShownKeys(), Range(sound::FirstReedForTonic[5], sound::LastReedForTonic[5]));
  // The main instrument's adjustments of the set are in hand.
  for (int k = 0; k < 27; ++k) EXPECT_EQ(sound::NoteAdjustSPCs[static_cast<size_t>(k + 7)], UserSetValue(13, k)) << k;
  EXPECT_EQ(soundLib.Of("FWavTuneNote", "c").back().value, static_cast<double>(UserSetValue(13, 26)));
}

}  // namespace
}  // namespace scaleshifttest
