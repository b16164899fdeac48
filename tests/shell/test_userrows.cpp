// The learner's rows of the user database damaged one value at a time, each read by the
// screen that uses it in a started program (the built content, the silent output on a
// clock moved by hand): the alap, layakari and taan phrases on the illustration screen
// (the Composer lays a damaged list out for the learner to mend: tests/composer), the
// compositions on the illustration screen, in the composition player and in the
// Composer, the workbench's patterns, and the scales on the illustration screen and the
// scale-shifting screen. Each damaged item is refused with a
// message naming the user database and what is wrong, recorded in "errtrace.txt"; the
// program is not halted, the screen goes on with the learner's next choice, and the
// user database is left byte for byte as it was.
#include <QCoreApplication>
#include <QListWidget>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "ShellRun.h"
#include "sound/SoundState.h"
#include "workshop/WorkshopState.h"

namespace shelltest {
namespace {

// Yaman (raga 1 of the content) has the learner's alap, layakari and taan, two
// compositions in Teentaal (tala 1); two patterns; two scales.
const char* const kUserRows = R"sql(
INSERT INTO "Raga - ALT Phrases" VALUES
  (1, 1, ' S R G : M P , G R S', ' 20 20 40 20 40 , 20 20 80'),
  (1, 2, ' S R G , M P', ' 20 20 40 , 20 40'),
  (1, 3, ' S R G M P', NULL);
INSERT INTO "Raga - Additional Information" VALUES (1, 'My Song', 2, 1), (1, 'Other Song', 2, 2);
INSERT INTO "Raga - Composition Notations" VALUES
  (1, 1, 1, 'My Song', NULL, NULL, 'la la', 'la la', '2 2', 'S R', '2 2', 1, 1, 80),
  (1, 2, 1, 'My Song', NULL, NULL, 'ga ma', 'ga ma', '2 2', 'G M', '2 2', 1, 5, 80),
  (2, 1, 1, 'Other Song', NULL, NULL, 'pa', 'pa', '4', 'P', '4', 1, 1, 60),
  (2, 2, 1, 'Other Song', NULL, NULL, 'sa', 'sa', '4', 'S>', '4', 1, 9, 60);
INSERT INTO "User Patterns" VALUES (1, 'Mine', 'BUC3', 2), (2, 'Other', 'BUC2', 1);
INSERT INTO "Scale Shift Specs" VALUES (13, 'My Scale', 'c', 5, 100.0, 101.0), (14, 'Other Scale', 'c', 6, 90.0, 91.0);
)sql";

// The "ONPR" rows of a user scale: no adjustment for either instrument.
std::string ScaleRows(int set, const char* name, int tonic) {
  std::string rows;
  for (int type : {1, 2}) {
    rows += "INSERT INTO \"ONPR\" (\"NPSetId\", \"InstrumentType\", \"NPSetName\", \"TonicNoteId\"";
    for (int k = 0; k <= 26; ++k) rows += std::string(", \"") + (k < 10 ? "0" : "") + std::to_string(k) + "\"";
    rows += ") VALUES (" + std::to_string(set) + ", " + std::to_string(type) + ", '" + name + "', " +
            std::to_string(tonic);
    for (int k = 0; k <= 26; ++k) rows += ", 0";
    rows += ");\n";
  }
  return rows;
}

std::string Contents(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Where the damaged item is chosen.
enum class Way {
  IllustrationList,   // the user's list of the illustration screen, in demo mode
  PracticeList,       // the same list in practice mode (a composition opens the player)
  IllustrationScale,  // the saved scales of the illustration screen
  ComposerComposition,
  WorkbenchPattern,
  RefineScale,  // "Refine Notes in the Selected Scale" of the scale-shifting screen
};

struct DamageCase {
  const char* name;
  const char* sql;
  Way way;
  const char* choice;  // the line, the start of the line, or the category option chosen
  const char* item;    // how the message names the item
  const char* fault;   // what the message says is wrong
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

class UserRowsTest : public BuiltContentRunTest, public ::testing::WithParamInterface<DamageCase> {
 protected:
  forms::Form& Front() { return *shell::CurrForm; }
  forms::Control& Ctl(const char* name) { return Front().Ctl(name); }

  // A click on the first line of the list that starts with text.
  void Choose(const char* list, const std::string& text) {
    auto& l = Front().Get<forms::ListControl>(list);
    for (int16_t i = 0; i < l.ListCount(); ++i) {
      if (l.List(i).rfind(text, 0) != 0) continue;
      static_cast<QListWidget*>(l.Widget())->setCurrentRow(i);
      Settle();
      return;
    }
    ADD_FAILURE() << text << " is not in " << list;
  }
  void Press(const char* button) {
    ASSERT_TRUE(Ctl(button).Visible() && Ctl(button).Enabled()) << button;
    Ctl(button).RaiseFromUser(forms::Event::Click);
    Settle();
  }
  void Select(const char* option) {
    Front().Get<forms::OptionButton>(option).Select();
    Settle();
  }

  // A screen opened from the main menu.
  void OpenScreen(const char* member, int16_t formId) {
    Click(member);
    Settle();
    ASSERT_EQ(shell::CurrFormId, formId) << member;
  }
  // The illustration screen of Yaman, from the raga grid.
  void OpenIllustrations() {
    OpenScreen("cMnuExpRag", 9);
    auto& grid = shell::FormRagaSelection1->Get<forms::Grid>("cRagaList");
    for (int32_t r = 0; r < grid.Rows(); ++r) {
      if (grid.TextMatrix(r, 0) != "Yaman") continue;
      grid.SetRow(r);
      grid.RaiseFromUser(forms::Event::Click);
      Settle();
    }
    ASSERT_EQ(shell::CurrFormId, 28) << "the raga's own items are usable";
  }
  void OpenComposer() {
    OpenScreen("cMnuInvCom", 27);
    Choose("cRagaList", "Yaman");
    ASSERT_TRUE(Ctl("cFMusCat").Visible()) << "the raga's own items are usable";
  }

  // Opens the screen and chooses the item as the learner does.
  void ChooseItem(const DamageCase& c) {
    switch (c.way) {
      case Way::IllustrationList:
      case Way::PracticeList:
        OpenIllustrations();
        if (c.way == Way::PracticeList) Select("Option3");
        Choose("cUserIllusList", c.choice);
        break;
      case Way::IllustrationScale:
        OpenIllustrations();
        Choose("cScaleList", c.choice);
        break;
      case Way::ComposerComposition:
        OpenComposer();
        Select("cOCompE");
        Choose("cRagaList", c.choice);
        break;
      case Way::WorkbenchPattern:
        OpenScreen("cMnuOpeWor", 13);
        Press("cMajorScale");
        Press("cMnuUsePat");
        Choose("cRagaList", c.choice);
        break;
      case Way::RefineScale:
        OpenScreen("cMnuDefPitShi", 7);
        for (const char* button : {"cSwitch", "cRefineNotes"}) Press(button);
        Choose("cScalesList", c.choice);
        break;
    }
  }

  // The learner's next choice on the same screen works.
  void ChooseSomethingElse(Way way) {
    switch (way) {
      case Way::IllustrationList:
      case Way::PracticeList:
        ASSERT_EQ(shell::CurrFormId, 28) << "the player was not opened";
        Select("Option2");
        Choose("cKZIllusList", "Aroha and Avroha");
        EXPECT_FALSE(Ctl("cCurrentItem").Text().empty());
        break;
      case Way::IllustrationScale:
        Choose("cScaleList", "Other Scale");
        EXPECT_EQ(sound::CurrMusicSetId, 14);
        break;
      case Way::ComposerComposition:
        Choose("cRagaList", "Other Song");
        EXPECT_EQ(Ctl("cMukhada").Text(), "Other Song");
        break;
      case Way::WorkbenchPattern:
        Choose("cRagaList", "Other");
        EXPECT_EQ(workshop::UserPatternPhrase, "BUC2");
        EXPECT_FALSE(Ctl("cCurrentItem").Text().empty());
        break;
      case Way::RefineScale:
        ASSERT_TRUE(Ctl("cScalesList").Visible()) << "the scales are listed again";
        Choose("cScalesList", "Other Scale");
        EXPECT_EQ(sound::CurrMusicSetId, 14);
        break;
    }
  }

};

TEST_P(UserRowsTest, TheDamagedItemIsRefusedByNameAndNothingElseIsLost) {
  const DamageCase& c = GetParam();
  fs::create_directories(data_);
  // A user database this program has used before: it has its stamp already.
  testsupport::MakeUserFixture(Data("mrB.kzy"), std::string(kUserRows) + ScaleRows(13, "My Scale", 5) +
                                                    ScaleRows(14, "Other Scale", 6) + c.sql +
                                                    "PRAGMA user_version = 1234567;");
  const std::string before = Contents(Data("mrB.kzy"));
  ASSERT_TRUE(Start()) << ::testing::PrintToString(MessageTexts());
  messages.clear();

  ChooseItem(c);
  ASSERT_EQ(messages.size(), 1u) << ::testing::PrintToString(MessageTexts());
  const std::string& told = messages[0].prompt;
  EXPECT_EQ(told.rfind(std::string(c.item) + " cannot be used", 0), 0u) << told;
  EXPECT_NE(told.find("your user database \"" + Data("mrB.kzy") + "\""), std::string::npos) << told;
  EXPECT_NE(told.find(c.fault), std::string::npos) << told;
  EXPECT_FALSE(common::ProgramHalted());
  EXPECT_EQ(halts, 0);
  bool recorded = false;
  for (const auto& line : vb::ReadLines(Data("errtrace.txt")))
    recorded = recorded || (line.find("holds damaged data: " + std::string(c.item)) != std::string::npos &&
                            line.find(c.fault) != std::string::npos);
  EXPECT_TRUE(recorded) << "errtrace.txt records the handled error";

  messages.clear();
  ChooseSomethingElse(c.way);
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
  EXPECT_EQ(Contents(Data("mrB.kzy")), before) << "the user database is as it was";
  // Back to the main menu, and the program ends as usual.
  while (shell::CurrForm != nullptr && shell::CurrForm != &Main()) {
    forms::Form* left = shell::CurrForm;
    left->CloseFromUser();
    Settle();
    ASSERT_NE(shell::CurrForm, left) << "the screen did not close";
  }
  EXPECT_FALSE(common::ProgramHalted());
  Click("cExit");
  Settle();
  EXPECT_FALSE(Main().Loaded());
}

const char* const kAlap = "Your alap phrases of the raga Yaman";
const char* const kLayakari = "Your layakari phrases of the raga Yaman";
const char* const kMySong = "Your composition \"My Song\"";

INSTANTIATE_TEST_SUITE_P(
    Shell, UserRowsTest,
    ::testing::Values(
        // Read when the raga is set up: a list too short kept every screen from using Yaman.
        DamageCase{"AlapDurationsShort",
                   R"sql(UPDATE "Raga - ALT Phrases" SET "DurationPhrase" = '20 20' WHERE "PhraseType" = 1;)sql",
                   Way::IllustrationList, "Alap Phrases", kAlap, "there are fewer durations than notes"},
        DamageCase{"LayakariDurationsShort",
                   R"sql(UPDATE "Raga - ALT Phrases" SET "DurationPhrase" = '20' WHERE "PhraseType" = 2;)sql",
                   Way::PracticeList, "Layakari Phrases", kLayakari, "there are fewer durations than notes"},
        DamageCase{"AlapNotANote",
                   R"sql(UPDATE "Raga - ALT Phrases" SET "NotesPhrase" = 'S X G : M P , G R S' WHERE "PhraseType" = 1;)sql",
                   Way::IllustrationList, "Alap Phrases", kAlap, "\"X\" is not a note"},
        DamageCase{"LayakariDurationsNull",
                   R"sql(UPDATE "Raga - ALT Phrases" SET "DurationPhrase" = NULL WHERE "PhraseType" = 2;)sql",
                   Way::PracticeList, "Layakari Phrases", kLayakari, "the durations are missing"},
        DamageCase{"TaanNotesNull", R"sql(UPDATE "Raga - ALT Phrases" SET "NotesPhrase" = NULL WHERE "PhraseType" = 3;)sql",
                   Way::IllustrationList, "Taan Phrases", "Your taan phrases of the raga Yaman", "the phrases are missing"},
        DamageCase{"AlapDurationZero",
                   R"sql(UPDATE "Raga - ALT Phrases" SET "DurationPhrase" = '20 0 40 20 40 , 20 20 80' WHERE "PhraseType" = 1;)sql",
                   Way::IllustrationList, "Alap Phrases", kAlap, "\"0\" is not a duration"},
        // Durations each within range that add up to more than a phrase can play.
        DamageCase{"AlapPhraseTooLong",
                   R"sql(UPDATE "Raga - ALT Phrases" SET "DurationPhrase" = '32767 32767 32767 32767 40 , 20 20 80' WHERE "PhraseType" = 1;)sql",
                   Way::IllustrationList, "Alap Phrases", kAlap,
                   "phrase 1 lasts longer than 20 minutes, the longest a phrase can play"},
        // A composition's number, parts, tala, beats, speed, notes and durations.
        DamageCase{"CompositionNumberText",
                   R"sql(UPDATE "Raga - Additional Information" SET "Notation Index" = 'one' WHERE "Add Info" = 'My Song';)sql",
                   Way::IllustrationList, "Composition - My Song", kMySong, "its number is missing"},
        DamageCase{"CompositionPartsMissing",
                   R"sql(DELETE FROM "Raga - Composition Notations" WHERE "Notation Index" = 1;)sql",
                   Way::ComposerComposition, "My Song", kMySong, "the rows of both parts are missing"},
        DamageCase{"CompositionPartMissing",
                   R"sql(DELETE FROM "Raga - Composition Notations" WHERE "Notation Index" = 1 AND "Composition Part" = 2;)sql",
                   Way::PracticeList, "Composition - My Song", kMySong, "the row of the antara is missing"},
        DamageCase{"CompositionTalaUnknown",
                   R"sql(UPDATE "Raga - Composition Notations" SET "Tala Id" = 99 WHERE "Notation Index" = 1;)sql",
                   Way::ComposerComposition, "My Song", kMySong,
                   "the tala of the asthai is missing or not known to this program"},
        DamageCase{"CompositionTalaNull",
                   R"sql(UPDATE "Raga - Composition Notations" SET "Tala Id" = NULL WHERE "Notation Index" = 1;)sql",
                   Way::IllustrationList, "Composition - My Song", kMySong,
                   "the tala of the asthai is missing or not known to this program"},
        DamageCase{"CompositionStartingBeatNull",
                   R"sql(UPDATE "Raga - Composition Notations" SET "Starting Beat" = NULL WHERE "Notation Index" = 1;)sql",
                   Way::PracticeList, "Composition - My Song", kMySong,
                   "the starting beat of the asthai is missing or not from 1 to 16"},
        DamageCase{"CompositionSpeedText",
                   R"sql(UPDATE "Raga - Composition Notations" SET "Playing Speed" = 'fast' WHERE "Notation Index" = 1;)sql",
                   Way::ComposerComposition, "My Song", kMySong, "the beat duration of the asthai is not a number"},
        DamageCase{"CompositionDurationText",
                   R"sql(UPDATE "Raga - Composition Notations" SET "NotesDuration" = '2 x' WHERE "Notation Index" = 1 AND "Composition Part" = 2;)sql",
                   Way::IllustrationList, "Composition - My Song", kMySong,
                   "\"x\" in the durations of the antara is not a duration"},
        DamageCase{"CompositionPartTooLong",
                   R"sql(UPDATE "Raga - Composition Notations" SET "Notation" = 'G M P D', "NotesDuration" = '400 400 400 400' WHERE "Notation Index" = 1 AND "Composition Part" = 2;)sql",
                   Way::IllustrationList, "Composition - My Song", kMySong,
                   "the antara lasts longer than 20 minutes, the longest a phrase can play"},
        DamageCase{"CompositionNotANote",
                   R"sql(UPDATE "Raga - Composition Notations" SET "Notation" = 'S Q' WHERE "Notation Index" = 1 AND "Composition Part" = 1;)sql",
                   Way::PracticeList, "Composition - My Song", kMySong, "\"Q\" in the asthai is not a note"},
        // A pattern's mode and phrase.
        DamageCase{"PatternModeText", R"sql(UPDATE "User Patterns" SET "PatternMode" = 'x' WHERE "PatternId" = 1;)sql",
                   Way::WorkbenchPattern, "Mine", "Your pattern \"Mine\"", "its mode is not 1 (once) or 2 (series)"},
        DamageCase{"PatternNotAPattern",
                   R"sql(UPDATE "User Patterns" SET "PatternPhrase" = 'QQQ' WHERE "PatternId" = 1;)sql",
                   Way::WorkbenchPattern, "Mine", "Your pattern \"Mine\"", "\"QQQ\" is not a pattern"},
        // A scale's header and its rows of adjustments.
        DamageCase{"ScaleTonicText", R"sql(UPDATE "Scale Shift Specs" SET "TonicNoteId" = 'x' WHERE "NPSetId" = 13;)sql",
                   Way::IllustrationScale, "My Scale", "Your scale \"My Scale\"",
                   "its tonic is missing or not a key from 1 to 12"},
        DamageCase{"ScaleNumberText", R"sql(UPDATE "Scale Shift Specs" SET "NPSetId" = 'x' WHERE "NPSetId" = 13;)sql",
                   Way::RefineScale, "My Scale", "Your scale \"My Scale\"", "its number is missing"},
        DamageCase{"ScaleAdjustmentNull",
                   R"sql(UPDATE "ONPR" SET "07" = NULL WHERE "NPSetId" = 13 AND "InstrumentType" = 1;)sql",
                   Way::IllustrationScale, "My Scale", "Your scale \"My Scale\"",
                   "the adjustment \"07\" of the main instrument is missing or out of range"},
        DamageCase{"ScaleDroneRowMissing",
                   R"sql(DELETE FROM "ONPR" WHERE "NPSetId" = 13 AND "InstrumentType" = 2;)sql", Way::RefineScale,
                   "My Scale", "Your scale \"My Scale\"", "its row for the drone is missing"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace shelltest
