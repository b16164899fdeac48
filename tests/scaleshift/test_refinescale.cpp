// Refining a saved scale note by note on the screen: the steps heard and saved, the band
// a note stays in, the keys the set stores, the guards of the steps and of the save, and
// the scales and ragas played from the menus in the scale in use.
#include <QMainWindow>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "soundlib/Harmonium.h"
#include "soundlib/Room.h"
#include "ScaleShiftTest.h"
#include "support/BusyInputs.h"
#include "common/CommonState.h"
#include "common/Database.h"
#include "common/LibraryText.h"
#include "common/StringUtil.h"
#include "platform/mci/MMControl.h"
#include "platform/vb/Folders.h"
#include "scaleshift/ScaleShiftState.h"
#include "shell/Players.h"
#include "sound/Keyboard.h"
#include "sound/NoteSeeds.h"
#include "sound/NoteTuning.h"
#include "sound/SoundState.h"
#include "soundlib/FWav.h"
#include "soundlib/SoundTest.h"
#include "support/SqlFixture.h"

namespace scaleshifttest {
namespace {

// What a music file holds after its notes when no file follows it: the last
// note's release and the room's echo.
constexpr double kTailMs = (soundlib::Harmonium::kTailSamples + soundlib::Room::kTailSamples) * 1000.0 / 44100.0;

double Cents(double seed, double adjustment) { return 1200.0 * std::log2(seed / (seed + adjustment)); }

class RefineTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Open();
  }
  // The saved set of that name chosen for refinement.
  void Refine(const std::string& name) {
    if (!Shown("cRefineNotes") || !Ctl("cRefineNotes").Enabled()) Press("cSwitch");
    Press("cRefineNotes");
    ChooseLine(name);
    ASSERT_EQ(scaleshift::RefiningSetId, sound::CurrMusicSetId);
  }
  void Sensitivity(const char* option) { Screen().Get<forms::OptionButton>(option).Select(); }
  // One "Higher" or "Lower" step, heard to its end.
  void Step(bool higher) {
    ASSERT_TRUE(Shown("Frame3") && Ctl("Frame3").Enabled());
    Screen().Get<forms::OptionButton>(higher ? "Option6" : "Option7").Select();
    EXPECT_EQ(Ctl("Option6").Value(), 0);
    EXPECT_EQ(Ctl("Option7").Value(), 0);
    EndSound();
  }
  // The library started afresh and the set prepared as at the start of a run.
  void Restart(int16_t setId) {
    if (Screen().Loaded()) Press("cReturn");
    ReopenUserDatabase();
    ASSERT_EQ(soundlib::FWavSetGlobalVariables("ce"), 1);
    ASSERT_EQ(soundlib::FWavSetCurrInstr("c"), 1);
    sound::CurrMusicSetId = setId;
    ASSERT_EQ(sound::fCreateNoteSeedsForUse(), 1);
    ASSERT_EQ(sound::CurrMusicSetId, setId);
  }
};

// "Test 1" (W1 fully up, tonic 2), its Sa five Coarse steps higher, saved: after a
// restart the Sa sounds at its refined pitch, about 55 cents above where it was.
TEST_F(RefineTest, FiveCoarseStepsUpOnTheSaAreHeardSavedAndSoundAfterARestart) {
  DefineScale(11, 10, "Test 1");
  ASSERT_EQ(MessageTexts().size(), 1u);
  messages.clear();
  Refine("Test 1");
  EXPECT_TRUE(Ctl("cMnuPlaSca").Visible());
  EXPECT_TRUE(Ctl("cMnuSelRag").Visible());
  const double seed = SeedSpc(11);
  const float start = sound::NoteAdjustSPCs[11];
  ASSERT_NEAR(Cents(seed, start), 100.0, 1.0);
  const TableDump before = Dump();
  ClickKey(11);
  EndSound();
  Sensitivity("Option3");
  float last = start;
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    soundLib.calls.clear();
    Step(true);
    ASSERT_GE(soundLib.calls.size(), 2u);
    EXPECT_EQ(soundLib.calls[0].entry, "FWavLoadInstrNoteSeeds");
    EXPECT_EQ(soundLib.calls[0].note, 11);
    EXPECT_EQ(soundLib.calls[1].entry, "FWavTuneNote");
    EXPECT_EQ(soundLib.calls[1].note, 11);
    EXPECT_EQ(soundLib.calls[1].value, static_cast<double>(sound::NoteAdjustSPCs[11]));
    EXPECT_LT(sound::NoteAdjustSPCs[11], last) << "each step is higher";
    last = sound::NoteAdjustSPCs[11];
  }
  EXPECT_TRUE(messages.empty());
  Press("cSave");
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Changes Saved"}));
  // Column "07" of the main row (note 11 = 7 + tonic 2 + 2) holds the step; nothing else changed.
  EXPECT_EQ(Column(13, 1, 7), last);
  TableDump after = Dump();
  TableDump expected = before;
  for (size_t r = 0; r < after.at("ONPR").size(); ++r)
    if (after.at("ONPR")[r].rfind("13|1|", 0) == 0) expected.at("ONPR")[r] = after.at("ONPR")[r];
  EXPECT_EQ(after, expected);
  EXPECT_NE(after.at("ONPR"), before.at("ONPR"));

  Restart(13);
  const double heard = RenderedHz(11);
  EXPECT_NEAR(soundtest::Cents(heard, 44100.0 / (seed + last)), 0.0, 6.0);
  EXPECT_NEAR(soundtest::Cents(heard, 44100.0 / (seed + start)), 55.0, 8.0);
}

// Forty Coarse steps each way stop at the band of 200 cents around the seed, on the top
// key of tonic 12 (55.7 cents a step) and the bottom key of tonic 1 (6.5 cents a step);
// what is saved stays in the band and the set starts again.
TEST_F(RefineTest, StepsStopAtTheBandAroundTheSeedAndTheSavedSetStillStarts) {
  const struct {
    int16_t tonic;
    int16_t key;
  } cases[] = {{12, 40}, {1, 3}};
  int16_t id = 13;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    const std::string name = "Edge " + std::to_string(c.key);
    AlterUserDatabase(UserSetRows(id, name, c.tonic));
    if (!Screen().Loaded()) Open();
    Refine(name);
    ClickKey(c.key);
    EndSound();
    Sensitivity("Option3");
    const double seed = SeedSpc(c.key);
    for (const bool higher : {true, false}) {
      SCOPED_TRACE(higher ? "higher" : "lower");
      messages.clear();
      for (int i = 0; i < (higher ? 40 : 80); ++i) Step(higher);
      const std::string refusal = higher ? "The note cannot be moved any higher" : "The note cannot be moved any lower";
      ASSERT_FALSE(messages.empty());
      for (const auto& m : messages) EXPECT_EQ(m.prompt, refusal);
      const double cents = Cents(seed, sound::NoteAdjustSPCs[static_cast<size_t>(c.key)]);
      EXPECT_LE(std::abs(cents), 200.0);
      EXPECT_GT(std::abs(cents), 140.0);
      EXPECT_EQ(higher, cents > 0);
      messages.clear();
      Press("cSave");
      EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Changes Saved"}));
      EXPECT_EQ(Column(id, 1, c.key - c.tonic - 2), sound::NoteAdjustSPCs[static_cast<size_t>(c.key)]);
    }
    const float saved = sound::NoteAdjustSPCs[static_cast<size_t>(c.key)];
    messages.clear();
    Restart(id);
    EXPECT_TRUE(messages.empty());
    EXPECT_NEAR(soundtest::Cents(RenderedHz(c.key), 44100.0 / (seed + saved)), 0.0, 6.0);
    ++id;
  }
}

// Only the keys whose adjustments the set stores (tonic + 2 to tonic + 28) can be refined.
TEST_F(RefineTest, AKeyOutsideTheSetIsRefusedAndNothingDifferentIsSaved) {
  AlterUserDatabase(UserSetRows(13, "On B1", 3));
  Refine("On B1");
  const TableDump before = Dump();
  const sound::SpcVector adjustments = sound::NoteAdjustSPCs;
  for (int16_t key : {4, 32}) {
    SCOPED_TRACE(key);
    messages.clear();
    ClickKey(key);
    EndSound();
    Screen().Get<forms::OptionButton>("Option6").Select();
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"This key lies outside the scale set and cannot be refined"}));
    EXPECT_EQ(Ctl("Option6").Value(), 0) << "the option answers its next click";
    EXPECT_FALSE(Playing());
  }
  EXPECT_EQ(sound::NoteAdjustSPCs, adjustments);
  messages.clear();
  Press("cSave");
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Changes Saved"}));
  EXPECT_EQ(Dump(), before);
}

// "Higher" and "Lower" act only on a key chosen in a user's set being refined; a step
// the sound library refuses is taken back before it can be saved.
TEST_F(RefineTest, StepsActOnlyOnAChosenKeyOfTheSetAndARefusedStepIsTakenBack) {
  const size_t calls = soundLib.calls.size();
  Dispatch(13);
  Dispatch(14);
  EXPECT_EQ(soundLib.calls.size(), calls) << "in the tonic step";

  AlterUserDatabase(UserSetRows(13, "Set", 5));
  Refine("Set");
  const sound::SpcVector adjustments = sound::NoteAdjustSPCs;
  soundLib.calls.clear();
  for (const char* option : {"Option6", "Option7"}) {
    SCOPED_TRACE(option);
    Ctl("cPrompts").SetText("");
    Screen().Get<forms::OptionButton>(option).Select();
    EXPECT_TRUE(soundLib.calls.empty()) << "no key chosen";
    EXPECT_EQ(Ctl(option).Value(), 0);
    EXPECT_EQ(Ctl("cPrompts").Text(), common::fGetPrompts("72")) << "the prompt says to click the key first";
    EXPECT_FALSE(Ctl("cPrompts").Text().empty());
  }
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(sound::NoteAdjustSPCs, adjustments);

  ClickKey(16);
  EXPECT_EQ(Ctl("cPrompts").Text(), common::fGetPrompts("13")) << "the key chosen, the screen's own prompt";
  EndSound();
  soundLib.failWhen = [](const testsupport::SoundLibCall& call) {
    return call.entry == "FWavTuneNote" && call.note == 16 && call.value < 0;
  };
  Step(true);
  soundLib.failWhen = {};
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Error Tuning Selected Note"}));
  EXPECT_EQ(sound::NoteAdjustSPCs, adjustments);
  EXPECT_EQ(soundLib.Of("FWavTuneNote").back().value, static_cast<double>(adjustments[16]));
  messages.clear();
  Step(false);
  EXPECT_GT(sound::NoteAdjustSPCs[16], adjustments[16]);
  EXPECT_TRUE(messages.empty());
}

// The save writes only the main-instrument row of a user's set being refined, whose
// row is there and belongs to the tonic in use; anything else says so and writes nothing.
TEST_F(RefineTest, TheSaveWritesOnlyTheRefinedUserSetsOwnRow) {
  AlterUserDatabase(UserSetRows(13, "Set", 5) + UserSetRows(14, "Other", 6));
  Refine("Set");
  ClickKey(16);
  EndSound();
  Step(true);
  const struct {
    const char* what;
    std::function<void()> arrange;
    std::string said;
  } cases[] = {
      {"a program scale in use", [] { sound::CurrMusicSetId = 5; },
       "Only a saved scale chosen for refinement can be saved: choose one under \"Refine Notes in the Selected "
       "Scale\""},
      {"another tonic in use", [] { sound::CurrTonicNoteId = 6; },
       "The scale 'Set' cannot be saved: its data is missing or damaged"},
      {"the rows gone", [this] { AlterUserDatabase("DELETE FROM \"ONPR\" WHERE \"NPSetId\" = 13;"); },
       "The scale 'Set' cannot be saved: its data is missing or damaged"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    messages.clear();
    c.arrange();
    const TableDump now = Dump();
    Press("cSave");
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{c.said}));
    EXPECT_EQ(Dump(), now);
    sound::CurrMusicSetId = 13;
    sound::CurrTonicNoteId = 5;
  }
  EXPECT_EQ(halts, 0);
}

TEST_F(RefineTest, TheMenusPlayTheScalesInTheScaleInUseAndWaitTheirLength) {
  AlterUserDatabase(UserSetRows(13, "Set", 5));
  Refine("Set");
  const struct {
    const char* item;
    int notes;
    int32_t wait;
  } cases[] = {{"cMnuPlaMajSca", 16, 17000}, {"cMnuPlaFulSca", 26, 27000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    MenuClick(c.item);
    ASSERT_TRUE(Playing());
    mci::MMControl& player = *shell::MMControlOf(Screen(), "cMM");
    EXPECT_NEAR(player.Length(), c.notes * 1000 + kTailMs, 100);
    EXPECT_EQ(common::fParseString(sound::PhraseNotes, " "), c.notes);
    EXPECT_EQ(sound::PhraseTiming, [&] {
      std::string t;
      for (int n = 0; n < c.notes; ++n) t += n ? " 100" : "100";
      return t;
    }());
    EXPECT_TRUE(Ctl("cTimer").Enabled());
    EXPECT_EQ(Screen().Get<forms::Timer>("cTimer").Interval(), c.wait);
    EXPECT_EQ(sound::KeyboardDisplay, 2);
    EXPECT_FALSE(Screen().Ctl("cL", 14).Enabled()) << "the keys are locked while it plays";
    EXPECT_TRUE(Shown("cRefineNotes"));
    EXPECT_FALSE(Shown("cSetTonic"));
    EndSound();
    EXPECT_TRUE(Screen().Ctl("cL", 14).Enabled());
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(RefineTest, ARagaIsChosenFromTheListOfRagasAndItsPhrasesArePlayed) {
  AlterUserDatabase(UserSetRows(13, "Set", 5));
  Refine("Set");
  for (const char* item : {"cMnuScaRag", "cMnuPakRag"}) {
    MenuClick(item);
    EXPECT_FALSE(Playing()) << item;
  }
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Please select a Raga first", "Please select a Raga first"}));
  EXPECT_EQ(halts, 0);
  messages.clear();

  MenuClick("cMnuSelRag");
  EXPECT_EQ(Ctl("Label5").Caption(), "Select a Raga");
  auto rs = shell::DatabaseA.OpenRecordset("RagaNameList", dao::dbOpenTable);
  EXPECT_EQ(Screen().Get<forms::ListControl>("cScalesList").ListCount(), rs.RecordCount());
  rs.Close();
  ChooseLine("Yaman");
  EXPECT_EQ(common::CurrRagaName, "Yaman");
  EXPECT_EQ(Ctl("cRaga").Text(), "Yaman");
  EXPECT_FALSE(Shown("cScalesList"));
  EXPECT_FALSE(Shown("Label5"));
  EXPECT_FALSE(ShownKeys().empty());

  common::RagaPhraseTexts row;
  ASSERT_TRUE(common::fReadRagaPhraseTexts(common::CurrRagaIndex, row));
  const struct {
    const char* item;
    std::string durations;
  } cases[] = {{"cMnuScaRag", row.AaDuration + " " + row.AvDuration}, {"cMnuPakRag", row.PakadDuration}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    MenuClick(c.item);
    ASSERT_TRUE(Playing());
    const int32_t ms = common::fGetDurationValue(common::fConvertDurPhraseToMusicGenerationFormat(c.durations));
    EXPECT_NEAR(shell::MMControlOf(Screen(), "cMM")->Length(), ms + kTailMs, 100);
    EXPECT_EQ(Screen().Get<forms::Timer>("cTimer").Interval(), ms + 1000);
    EXPECT_EQ(Ctl("cRaga").Text(), "Yaman");
    EndSound();
  }
  EXPECT_TRUE(messages.empty());
}

// The timer waits a minute at most: a pakad of 70 seconds starts a wait of 60 seconds.
TEST_F(RefineTest, APhraseLongerThanAMinuteWaitsAMinute) {
  Press("cReturn");
  shell::DatabaseA.Close();
  std::filesystem::copy_file(vb::ShareFolderPath() + "/mrA.kzy", Path("mrA.kzy"));
  std::string notes, durations;
  for (int n = 0; n < 35; ++n) {
    notes += n ? " S R" : "S R";
    durations += n ? " 100 100" : "100 100";
  }
  testsupport::RunSql(Path("mrA.kzy"), "UPDATE \"Raga - Technical Information\" SET \"Pakad\" = '" + notes +
                                           "', \"PakadDuration\" = '" + durations + "';");
  shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), true, true, "MS ACCESS;PWD=x");
  AlterUserDatabase(UserSetRows(13, "Set", 5));
  Open();
  Refine("Set");
  MenuClick("cMnuSelRag");
  ChooseLine("Yaman");
  MenuClick("cMnuPakRag");
  ASSERT_TRUE(Playing());
  EXPECT_NEAR(shell::MMControlOf(Screen(), "cMM")->Length(), 70000 + kTailMs, 100);
  EXPECT_EQ(Screen().Get<forms::Timer>("cTimer").Interval(), 60000);
  EndSound();
  EXPECT_TRUE(Screen().Ctl("cL", 14).Enabled());
  EXPECT_TRUE(messages.empty());
}

// While the screen waits (for the timer after a note or a step, after a scale played from
// the menus, or for the sound to end), every click of the learner is refused before it
// changes anything and looks disabled, but Go Back: no key is marked, no option stays
// selected; once the wait is over the same clicks work.
TEST_F(RefineTest, WhatIsClickedWhileTheScreenWaitsIsRefusedAndWorksAfterwards) {
  TraceOnNow();
  AlterUserDatabase(UserSetRows(13, "Set", 5));
  Refine("Set");
  const auto words = [] {
    using namespace scaleshift;
    return std::to_string(OperationMode) + " " + std::to_string(ListMode) + " " + std::to_string(SelectedNoteIndex) +
           " " + std::to_string(ClickedNoteLabel) + " " + std::to_string(RefineSensitivity) + " " +
           std::to_string(SPCDelta) + " " + std::to_string(PendingStepNote) + " " +
           std::to_string(sound::CurrMusicSetId) + " " + std::to_string(sound::CurrTonicNoteId) + " " +
           std::to_string(sound::NoteAdjustSPCs[12]) + " " + std::to_string(sound::DroneVolumeStep) + " " +
           std::to_string(shell::NotationScript) + " " + common::CurrRagaName;
  };
  const struct {
    const char* what;
    std::function<void()> start;
  } cases[] = {
      {"a key heard", [this] { ClickKey(12); }},
      {"a Higher step heard",
       [this] {
         ClickKey(12);
         EndSound();
         Sensitivity("Option4");
         Screen().Get<forms::OptionButton>("Option6").Select();
       }},
      {"the major scale played", [this] { MenuClick("cMnuPlaMajSca"); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.start();
    ASSERT_TRUE(Playing());
    ASSERT_TRUE(Ctl("cTimer").Enabled());
    testsupport::ExpectEveryInputRefused(Screen(), words, "sShiftScale", 8);
    EXPECT_TRUE(Ctl("cReturn").TakesInput()) << "Go Back stays";
    // The timer's tick while the sound still plays: the end of the wait waits for silence.
    bool waited = false;
    QTimer::singleShot(0, Screen().Window(), [&] {
      ASSERT_TRUE(scaleshift::WaitingForSilence);
      testsupport::ExpectEveryInputRefused(Screen(), words, "sShiftScale", 8);
      waited = true;
      Advance(std::chrono::seconds(30));
    });
    Ctl("cTimer").RaiseFromUser(forms::Event::Timer);
    EXPECT_TRUE(waited);
    EXPECT_FALSE(Screen().Busy());
    // The learner's next step: a key heard, and a step on it.
    ClickKey(14);
    EXPECT_TRUE(Playing());
    EXPECT_EQ(Screen().Ctl("cL", 14).ForeColor(), 255u);
    EXPECT_NE(Screen().Ctl("cL", 12).ForeColor(), 255u) << "one key marked";
    EndSound();
    Step(false);
    EXPECT_EQ(soundLib.Of("FWavTuneNote").back().note, 14);
  }
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
}

// A scale played here hides the keyboard for the playing only: the learner's keyboard
// setting is back however the screen is left.
TEST_F(RefineTest, TheKeyboardSettingIsBackAfterAScalePlayWhicheverWayTheScreenIsLeft) {
  AlterUserDatabase(UserSetRows(13, "Set", 5));
  for (const bool closeBox : {false, true}) {
    SCOPED_TRACE(closeBox ? "close box" : "Go Back");
    if (!Screen().Loaded()) Open();
    Refine("Set");
    MenuClick("cMnuPlaMajSca");
    ASSERT_EQ(sound::KeyboardDisplay, 2);
    if (closeBox) {
      Screen().CloseFromUser();
    } else {
      Press("cReturn");
    }
    EXPECT_FALSE(Screen().Loaded());
    EXPECT_EQ(sound::KeyboardDisplay, 1);
    EXPECT_EQ(sound::CurrTonicNoteId, 7);
    EXPECT_EQ(sound::CurrMusicSetId, 7);
    EXPECT_EQ(shell::NotationScript, 1);
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(RefineTest, DefiningANewTonicHidesThePlayMenusAndEndsTheRefinement) {
  AlterUserDatabase(UserSetRows(13, "Set", 5));
  Refine("Set");
  Press("cSetTonic");
  EXPECT_FALSE(Ctl("cMnuPlaSca").Visible());
  EXPECT_FALSE(Ctl("cMnuSelRag").Visible());
  EXPECT_EQ(scaleshift::RefiningSetId, 0);
  EXPECT_EQ(scaleshift::OperationMode, 0);
  EXPECT_EQ(scaleshift::SelectedNoteIndex, 0);
  EXPECT_EQ(ShownKeys().size(), 12u);
}

// A set chosen while another saved set is being refined, and refused (its rows damaged,
// a note taken out of the band, or its header gone), leaves the set in use shown,
// sounding and refined: its name, its refinement controls, its steps still unsaved and
// heard, the menus playing in it, and its save.
TEST_F(RefineTest, ARefusedSetLeavesTheSetInUseShownSoundingAndRefined) {
  AlterUserDatabase(UserSetRows(13, "In Use", 5) + UserSetRows(14, "Broken", 6, true, false) +
                    UserSetRows(15, "Far", 7) + UserSetRows(16, "Gone", 8) + UserSetRows(17, "Unloadable", 9) +
                    "UPDATE \"ONPR\" SET \"05\" = 400 WHERE \"NPSetId\" = 15 AND \"InstrumentType\" = 1;");
  Refine("In Use");
  ClickKey(16);
  EndSound();
  Step(true);
  const float refined = sound::NoteAdjustSPCs[16];
  ASSERT_NE(refined, UserSetValue(13, 16 - 5 - 2));
  const struct {
    const char* line;
    std::function<void()> arrange;
    std::string said;  // the start of the last message
    size_t told = 1;   // the messages
  } cases[] = {
      {"Broken", [] {}, "Your scale \"Broken\" cannot be used"},
      {"Far", [] {}, "Your scale \"Far\" cannot be used"},
      {"Gone", [this] { AlterUserDatabase("DELETE FROM \"Scale Shift Specs\" WHERE \"NPSetId\" = 16;"); },
       "The scale 'Gone' no longer exists"},
      // Whole rows, but the library refuses the first of its seeds: what failed in the
      // library, then that the set cannot be loaded.
      {"Unloadable",
       [this] {
         soundLib.failWhen = [failed = false](const testsupport::SoundLibCall& call) mutable {
           if (failed || call.entry != "FWavLoadInstrNoteSeeds") return false;
           failed = true;
           return true;
         };
       },
       "The scale 'Unloadable' cannot be loaded", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    messages.clear();
    if (!Ctl("cRefineNotes").Enabled()) Press("cSwitch");
    Press("cRefineNotes");
    c.arrange();
    ChooseLine(c.line);
    soundLib.failWhen = nullptr;
    ASSERT_EQ(messages.size(), c.told) << ::testing::PrintToString(MessageTexts());
    EXPECT_EQ(messages.back().prompt.rfind(c.said, 0), 0u) << messages.back().prompt;
    messages.clear();
    EXPECT_EQ(sound::CurrMusicSetId, 13);
    EXPECT_EQ(sound::CurrMusicSetName, "In Use");
    EXPECT_EQ(scaleshift::RefiningSetId, 13);
    EXPECT_EQ(Ctl("cScale").Text(), "In Use");
    EXPECT_TRUE(Shown("Frame2") && Shown("Frame3") && Shown("cSave"));
    EXPECT_FALSE(Shown("cScalesList"));
    EXPECT_EQ(ShownKeys().front(), sound::FirstReedForTonic[5]);
    EXPECT_EQ(ShownKeys().back(), sound::LastReedForTonic[5]);
    EXPECT_EQ(sound::NoteAdjustSPCs[16], refined) << "the unsaved step is kept";
    EXPECT_NEAR(soundtest::Cents(RenderedHz(16), 44100.0 / (SeedSpc(16) + refined)), 0.0, 6.0) << "and heard";
    MenuClick("cMnuPlaMajSca");
    ASSERT_TRUE(Playing());
    EXPECT_EQ(Ctl("cScale").Text(), "In Use") << "a play names the set it plays in";
    EndSound();
    ClickKey(16);
    EndSound();
    Step(false);
    EXPECT_EQ(soundLib.Of("FWavTuneNote").back().note, 16);
    EXPECT_GT(sound::NoteAdjustSPCs[16], refined);
    Step(true);
    EXPECT_EQ(sound::NoteAdjustSPCs[16], refined);
    EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
  }
  Press("cSave");
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Changes Saved"}));
  EXPECT_EQ(Column(13, 1, 16 - 5 - 2), refined);
  EXPECT_EQ(halts, 0);
}

// After a raga was chosen to play in the scale, Switch Operation shows only the choice
// of operation: the keyboard the raga's choice showed goes too.
TEST_F(RefineTest, SwitchOperationAfterARagaWasChosenHidesTheKeyboard) {
  AlterUserDatabase(UserSetRows(13, "Set", 5));
  Refine("Set");
  for (const bool switchedFirst : {false, true}) {
    SCOPED_TRACE(switchedFirst ? "chosen after Switch Operation" : "chosen while refining");
    if (switchedFirst) Press("cSwitch");
    ASSERT_EQ(ShownKeys().empty(), switchedFirst);
    MenuClick("cMnuSelRag");
    ChooseLine("Yaman");
    ASSERT_FALSE(ShownKeys().empty());
    Press("cSwitch");
    EXPECT_TRUE(ShownKeys().empty());
    EXPECT_FALSE(Shown("cScalesList"));
    EXPECT_TRUE(Shown("cRefineNotes") && Ctl("cRefineNotes").Enabled());
    EXPECT_EQ(Ctl("cPrompts").Text(), common::fGetPrompts("71"));
    Refine("Set");
  }
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace scaleshifttest
