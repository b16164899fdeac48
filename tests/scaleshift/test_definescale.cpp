// Defining a new scale on the screen: opening, choosing and tuning a key, shifting the
// scale and saving it under a name (also as a redefinition), the guards against steps
// without a key, the waits after a sound, and leaving by "Go Back" or the close box.
#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "ScaleShiftTest.h"
#include "common/CommonState.h"
#include "common/Database.h"
#include "scaleshift/ScaleShiftState.h"
#include "scaleshift/ScaleShifting.h"
#include "sound/NoteSeeds.h"
#include "sound/NoteTuning.h"
#include "sound/ScaleSets.h"
#include "sound/SoundState.h"
#include "soundlib/FWav.h"
#include "soundlib/SoundTest.h"

namespace scaleshifttest {
namespace {

using namespace std::chrono_literals;

constexpr const char* kNoName = "Please specify a Name to save the current setting under";

class DefineTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Open();
    ASSERT_EQ(shell::CurrForm, shell::FormScaleShifting);
  }
};

TEST_F(DefineTest, OpeningStartsWithTheTonicOctaveInEnglishOnTheScaleOfKey3) {
  EXPECT_EQ(Screen().Caption(), "Define/Refine Pitch-Shifted Scales");
  EXPECT_EQ(sound::CallbackCode, 1);
  EXPECT_EQ(shell::NotationScript, 2);
  EXPECT_EQ(sound::CurrTonicNoteId, 3);
  EXPECT_EQ(sound::CurrMusicSetId, 3);
  EXPECT_EQ(ShownKeys(), (std::vector<int16_t>{10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}));
  const char* captions[] = {"W7", "W1", "B1", "W2", "B2", "W3", "W4", "B3", "W5", "B4", "W6", "B5"};
  for (int16_t k = 10; k <= 21; ++k) {
    EXPECT_EQ(Screen().Ctl("cL", k).Caption(), captions[k - 10]);
    EXPECT_TRUE(Screen().Ctl("cR", k).Visible()) << k;
  }
  EXPECT_TRUE(Shown("cSwitch"));
  EXPECT_TRUE(Shown("cSetTonic"));
  EXPECT_FALSE(Ctl("cSetTonic").Enabled());
  EXPECT_FALSE(Shown("cRefineNotes"));
  EXPECT_EQ(Ctl("Label7").Caption(), "Current Pitch-shifting Operation");
  EXPECT_FALSE(Ctl("cTuneNote").Enabled());
  EXPECT_EQ(Ctl("cScale").Text(), "Tonic for New Scale being defined.");
  EXPECT_EQ(Ctl("cPrompts").Text(), common::fGetPrompts("9"));
  EXPECT_FALSE(Ctl("cPrompts").Text().empty());
  EXPECT_FALSE(Ctl("cMnuPlaSca").Visible());
  EXPECT_FALSE(Ctl("cMnuSelRag").Visible());
  for (const char* name : {"cScalesList", "cSlider", "cSettingName", "Frame2", "Frame3", "cPlay", "cSave"})
    EXPECT_FALSE(Shown(name)) << name;
  // The seeds of the program's scale of key 3 were prepared.
  EXPECT_EQ(soundLib.Count("FWavFreeNoteSeedsMemory"), 2u);
  EXPECT_TRUE(messages.empty());
}

// The whole way: key W1 tuned with the slider fully "Up", the scale created and saved as
// "Test 1"; after a restart the set sounds its Sa one key (C#) above the program's W1.
TEST_F(DefineTest, AScaleDefinedOnW1FullyUpIsSavedAndSoundsItsSaOneKeyHigherAfterARestart) {
  const double w1 = SeedSpc(11);
  const double c1 = SeedSpc(12);
  ClickKey(11);
  EXPECT_EQ(Ctl("cNote").Text(), "White-1");
  EXPECT_EQ(Ctl("cScale").Text(), "Tonic Note for New Scale being identified");
  EXPECT_TRUE(Playing());
  EXPECT_FALSE(Screen().Ctl("cL", 12).Enabled()) << "the keys are locked while the key sounds";
  EXPECT_EQ(Screen().Ctl("cL", 11).ForeColor(), 255u);
  EndSound();
  EXPECT_TRUE(Ctl("cTuneNote").Enabled());
  EXPECT_TRUE(Screen().Ctl("cL", 12).Enabled());

  Press("cTuneNote");
  EXPECT_EQ(sound::CurrTonicNoteId, 2);
  EXPECT_TRUE(Shown("cSlider"));
  EXPECT_EQ(Ctl("cPrompts").Text(), common::fGetPrompts("10"));
  Ctl("cSlider").SetValue(10);
  soundLib.calls.clear();
  Press("cPlay");
  const double tuned = std::round(c1 * 10) / 10;  // the upper neighbour's SPC, on the grain
  ASSERT_EQ(soundLib.Count("FWavTuneNote"), 1u);
  EXPECT_EQ(soundLib.calls[0].entry, "FWavLoadInstrNoteSeeds");
  EXPECT_EQ(soundLib.calls[0].note, 11);
  EXPECT_EQ(soundLib.calls[1].entry, "FWavTuneNote");
  EXPECT_EQ(soundLib.calls[1].note, 11);
  EXPECT_NEAR(soundLib.calls[1].value, tuned - w1, 1e-9);
  EXPECT_FALSE(Ctl("cPlay").Enabled());
  EndSound();
  EXPECT_TRUE(Ctl("cPlay").Enabled());

  Press("cAdjust");
  EXPECT_TRUE(Shown("cSettingName"));
  EXPECT_TRUE(Shown("cOK"));
  EXPECT_TRUE(ShownKeys().empty());
  EXPECT_EQ(Ctl("cPrompts").Text(), common::fGetPrompts("12"));
  TypeName("  Test 1 ");
  Press("cOK");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].prompt, "Scale Test 1 Saved. Switching to Scale Refinement Mode");
  EXPECT_EQ(messages[0].title, "Message");

  // Refinement of the new set.
  EXPECT_EQ(scaleshift::OperationMode, 2);
  EXPECT_EQ(sound::CurrMusicSetId, 13);
  EXPECT_EQ(sound::CurrMusicSetName, "Test 1");
  EXPECT_EQ(Ctl("cScale").Text(), "Test 1");
  EXPECT_EQ(shell::NotationScript, 1);
  for (const char* name : {"cSwitch", "cPlay", "cSave", "Frame2", "Frame3", "cSetTonic", "cRefineNotes"})
    EXPECT_TRUE(Shown(name)) << name;
  EXPECT_EQ(ShownKeys().front(), sound::FirstReedForTonic[2]);
  EXPECT_EQ(ShownKeys().back(), sound::LastReedForTonic[2]);
  EXPECT_EQ(Ctl("cPrompts").Text(), common::fGetPrompts("13"));

  // The rows: the header, and the Sa column of the main instrument's row.
  auto specs = shell::DatabaseB.OpenRecordset("Scale Shift Specs", dao::dbOpenTable);
  common::sSetTablePKRecord(specs, int16_t{13});
  ASSERT_FALSE(specs.NoMatch());
  EXPECT_EQ(specs.Fields("NPSetName").ToString(), "Test 1");
  EXPECT_EQ(specs.Fields("InstrumentName").ToString(), "c");
  EXPECT_EQ(specs.Fields("TonicNoteId").ToInt(), 2);
  EXPECT_NEAR(specs.Fields("BaseSPC").ToDouble(), w1, 1e-4);
  EXPECT_NEAR(specs.Fields("NewSPC").ToDouble(), tuned, 1e-4);
  specs.Close();
  EXPECT_NEAR(Column(13, 1, 7), tuned - w1, 1e-4);
  EXPECT_EQ(sound::fGetMusicSetName(13), "Test 1");

  // A restart: the user database read afresh, the library started afresh, the set in use.
  Press("cReturn");
  ReopenUserDatabase();
  ASSERT_EQ(soundlib::FWavSetGlobalVariables("ce"), 1);
  ASSERT_EQ(soundlib::FWavSetCurrInstr("c"), 1);
  sound::CurrMusicSetId = 13;
  ASSERT_EQ(sound::fCreateNoteSeedsForUse(), 1);
  EXPECT_EQ(sound::CurrMusicSetId, 13);
  EXPECT_EQ(sound::CurrTonicNoteId, 2);
  const double sa = RenderedHz(11);
  EXPECT_NEAR(soundtest::Cents(sa, 44100.0 / tuned), 0.0, 6.0);
  EXPECT_NEAR(soundtest::Cents(RenderedHz(23), 2 * 44100.0 / tuned), 0.0, 6.0);
  EXPECT_NEAR(soundtest::Cents(sa, 44100.0 / w1), 100.0, 6.0) << "one key above the program's W1";
  EXPECT_EQ(messages.size(), 1u);
}

TEST_F(DefineTest, ANameIsAskedForTrimmedAndANameInUseIsRedefinedOnlyWhenTheLearnerAgrees) {
  DefineScale(14, 3, "Kafi Shift");
  ASSERT_EQ(sound::CurrMusicSetId, 13);
  Press("cSetTonic");
  ShiftScale(15, -5);
  const double newSa = std::round(scaleshift::TunedSPC * 10) / 10 - SeedSpc(15);

  struct Case {
    std::string name;
    int answer;  // to "Name already used. Want to redefine?"
    std::vector<std::string> said;
    std::string left;  // in the name box afterwards
  };
  const Case cases[] = {
      {"", vb::vbNo, {kNoName}, ""},
      {"    ", vb::vbNo, {kNoName}, "    "},
      {std::string(51, 'x'), vb::vbNo, {"Please use a Name of at most 50 characters"}, std::string(51, 'x')},
      {"Kafi\tShift", vb::vbNo, {"Please use a Name without tabs, line breaks or other control characters"},
       "Kafi\tShift"},
      {" kafi shift", vb::vbNo, {"Name already used. Want to redefine?", "Enter Another Name"}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("name \"" + c.name + "\"");
    const TableDump before = Dump();
    messages.clear();
    vb::SetMsgBoxHandler([&](const std::string& p, int b, const std::string& t) {
      messages.push_back({p, b, t});
      return (b & 7) == vb::vbYesNo ? c.answer : static_cast<int>(vb::vbOK);
    });
    TypeName(c.name);
    Press("cOK");
    EXPECT_EQ(MessageTexts(), c.said);
    for (const auto& m : messages) EXPECT_EQ(m.title, "Message");
    EXPECT_EQ(Ctl("cSettingName").Text(), c.left);
    EXPECT_TRUE(Shown("cSettingName") && Shown("cOK")) << "the naming controls stay";
    EXPECT_EQ(scaleshift::OperationMode, 1);
    EXPECT_EQ(Dump(), before);
  }

  // Yes: the old set's number, the newly typed spelling, the new tonic and values.
  messages.clear();
  vb::SetMsgBoxHandler([&](const std::string& p, int b, const std::string& t) {
    messages.push_back({p, b, t});
    return (b & 7) == vb::vbYesNo ? static_cast<int>(vb::vbYes) : static_cast<int>(vb::vbOK);
  });
  TypeName("KAFI SHIFT");
  Press("cOK");
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Name already used. Want to redefine?",
                                                      "Scale KAFI SHIFT Saved. Switching to Scale Refinement Mode"}));
  EXPECT_EQ(sound::CurrMusicSetId, 13);
  EXPECT_EQ(scaleshift::OperationMode, 2);
  const TableDump after = Dump();
  ASSERT_EQ(after.at("Scale Shift Specs").size(), 1u);
  EXPECT_EQ(after.at("Scale Shift Specs")[0].rfind("13|KAFI SHIFT|c|6|", 0), 0u) << after.at("Scale Shift Specs")[0];
  EXPECT_EQ(after.at("ONPR").size(), 2u);
  EXPECT_NEAR(Column(13, 1, 7), newSa, 1e-4);
}

// A save that the database refuses half-way says so, keeps the naming controls and the
// file as it was; a redefinition refused half-way keeps the old set.
TEST_F(DefineTest, AFailedSaveSaysSoAndAFailedRedefinitionKeepsTheOldSet) {
  DefineScale(14, 3, "Kafi Shift");
  Press("cSetTonic");
  ShiftScale(16, 8);
  AlterUserDatabase(R"sql(
    CREATE TRIGGER "fail drone row" BEFORE INSERT ON "ONPR" WHEN NEW."InstrumentType" = 2
    BEGIN SELECT RAISE(ABORT, 'the disk is full'); END;)sql");
  const TableDump before = Dump();
  ASSERT_EQ(before.at("Scale Shift Specs").size(), 1u);
  for (const char* name : {"Another", "kafi shift"}) {
    SCOPED_TRACE(name);
    messages.clear();
    vb::SetMsgBoxHandler([&](const std::string& p, int b, const std::string& t) {
      messages.push_back({p, b, t});
      return (b & 7) == vb::vbYesNo ? static_cast<int>(vb::vbYes) : static_cast<int>(vb::vbOK);
    });
    TypeName(name);
    Press("cOK");
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().prompt.rfind("Error saving Scale Data", 0), 0u) << messages.back().prompt;
    EXPECT_EQ(halts, 0);
    EXPECT_EQ(Ctl("cSettingName").Text(), name);
    EXPECT_TRUE(Shown("cSettingName") && Shown("cOK"));
    EXPECT_EQ(scaleshift::OperationMode, 1);
    EXPECT_EQ(sound::CurrMusicSetId, 7) << "the program's scale of the key tuned stays in use";
    EXPECT_EQ(Dump(), before);
  }
}

}  // namespace
}  // namespace scaleshifttest
