// The settings: defaults for Null and empty rows, the values read, each mended bad
// value, the exact texts saved, a missing row, and a round trip through a restart.
#include <QMainWindow>

#include <functional>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "ShellRun.h"
#include "platform/dao/Database.h"
#include "platform/forms/Form.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/Files.h"
#include "shell/Settings.h"
#include "shell/SettingsWords.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "support/Scratch.h"
#include "support/SqlFixture.h"

namespace {

constexpr const char* kTips =
    R"(INSERT INTO "KZTips" VALUES (1, 'one'), (2, 'two'), (3, 'three'), (4, 'four');)";

std::string Set(const std::string& name, const std::string& value) {
  return "UPDATE \"User Parameters\" SET \"Parameter Value\" = '" + value + "' WHERE \"Parameter Name\" = '" + name +
         "';";
}

class SettingsTest : public testsupport::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    testsupport::MakeContentFixture(Path("mrA.kzy"), kTips);
    shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), false, true, shell::kDatabaseConnect);
    shell::DevnagariAvailable = -1;
    shell::CurrForm = nullptr;
  }
  void TearDown() override {
    shell::DatabaseA.Close();
    shell::DatabaseB.Close();
    shell::CurrForm = nullptr;
    ScratchTest::TearDown();
  }

  // A user database with the rows changed by sql, then the settings read from it.
  void Load(const std::string& sql = "") {
    shell::DatabaseB.Close();
    testsupport::MakeUserFixture(Path("mrB.kzy"), sql);
    Reopen();
  }
  void Reopen() {
    shell::DatabaseB.Close();
    shell::DatabaseB = dao::Database::OpenDatabase(Path("mrB.kzy"), false, false, shell::kDatabaseConnect);
    shell::sSetDefaultOptions();
  }

  std::optional<std::string> Row(const std::string& name) {
    auto rs = shell::DatabaseB.OpenRecordset("SELECT * FROM [User Parameters] WHERE [Parameter Name] = '" + name + "'");
    if (rs.Eof()) return std::nullopt;
    const vb::Variant v = rs.Fields("Parameter Value");
    return v.IsNull() ? std::string("(Null)") : v.ToString();
  }

  std::string Ignored() const {
    std::string all;
    for (const auto& line : Lines("ignoerr.txt")) all += line + "\n";
    return all;
  }
};

TEST_F(SettingsTest, AFreshUserDatabaseStartsWithTheDefaults) {
  sound::CurrDroneFactor = 1.3;
  Load();
  EXPECT_EQ(sound::CurrTonicNoteId, 3);
  EXPECT_EQ(sound::CurrMusicSetId, 3);
  EXPECT_EQ(sound::KeyboardDisplay, 1);
  EXPECT_FLOAT_EQ(shell::FormL, static_cast<float>(forms::ScreenWidth() * 0.05));
  EXPECT_FLOAT_EQ(shell::FormT, static_cast<float>(forms::ScreenHeight() * 0.05));
  EXPECT_FLOAT_EQ(shell::FormW, static_cast<float>(forms::ScreenWidth() * 0.9));
  EXPECT_FLOAT_EQ(shell::FormH, static_cast<float>(forms::ScreenHeight() * 0.9));
  EXPECT_EQ(shell::FormState, 0);
  EXPECT_EQ(shell::SortingMode, 0);
  EXPECT_EQ(shell::NotationScript, 1);
  EXPECT_EQ(shell::TipCount, 4);
  EXPECT_EQ(shell::LastTip, 4);
  EXPECT_EQ(shell::TipSignal, 1);
  for (int16_t delay : {shell::DelayC, shell::DelayMO, shell::DelayPC, shell::DelayW}) EXPECT_EQ(delay, 10);
  EXPECT_EQ(sound::CurrDroneFactor, 1.0) << "every run starts at 1.0";
  EXPECT_EQ(shell::GraceNotes, 2);
  EXPECT_EQ(sound::Theka, 1);
  EXPECT_EQ(sound::ThekaSet, 4);
  EXPECT_EQ(shell::PictureNumber, 6);
  EXPECT_EQ(sound::CurrInstrument, "c");
  EXPECT_EQ(sound::DroneInstrument, "e");
  EXPECT_EQ(sound::LastReedForTonic[12], 40);
  EXPECT_EQ(sound::ReedColorType[11], 1) << "reed 11 is C, a white key";
  EXPECT_EQ(sound::ReedColorType[12], 2);
  EXPECT_FALSE(common::EnglishNotes[12].empty()) << "the note-name tables are built";
  EXPECT_EQ(Ignored(), "");
}

TEST_F(SettingsTest, EmptyTextsGiveTheDefaultsButAnEmptyIllustrationDelayIsZero) {
  std::string sql = "UPDATE \"User Parameters\" SET \"Parameter Value\" = '' WHERE \"Parameter Name\" <> 'CurrDroneFactor';";
  Load(sql);
  EXPECT_EQ(sound::CurrTonicNoteId, 3);
  EXPECT_EQ(sound::CurrMusicSetId, 3);
  EXPECT_EQ(shell::LastTip, 4);
  EXPECT_EQ(shell::DelayMO, 0);
  EXPECT_EQ(shell::DelayC, 10);
  EXPECT_EQ(shell::DelayPC, 10);
  EXPECT_EQ(shell::DelayW, 10);
  EXPECT_FLOAT_EQ(shell::FormW, static_cast<float>(forms::ScreenWidth() * 0.9));
  EXPECT_EQ(Ignored(), "");
}

TEST_F(SettingsTest, StoredValuesAreReadOverTheDefaults) {
  Load(Set("CurrTonicNoteId", "7") + Set("CurrMusicSetId", "12") + Set("KeyboardDisplay", "2") +
       Set("FormL", "150") + Set("FormT", "90") + Set("FormW", "9000.5") + Set("FormH", "6000") +
       Set("FormState", " 2") + Set("SortingMode", "4") + Set("NotationScript", "2") + Set("LastTip", "2") +
       Set("TipSignal", "0") + Set("DelayC", "3") + Set("DelayMO", "4") + Set("DelayPC", "5") + Set("DelayW", "2.5"));
  EXPECT_EQ(sound::CurrTonicNoteId, 7);
  EXPECT_EQ(sound::CurrMusicSetId, 12);
  EXPECT_EQ(sound::CurrMusicSetName, "") << "one of the program's own sets has no name to load";
  EXPECT_EQ(sound::KeyboardDisplay, 2);
  EXPECT_FLOAT_EQ(shell::FormL, 150);
  EXPECT_FLOAT_EQ(shell::FormT, 90);
  EXPECT_FLOAT_EQ(shell::FormW, 9000.5);
  EXPECT_FLOAT_EQ(shell::FormH, 6000);
  EXPECT_EQ(shell::FormState, 2);
  EXPECT_EQ(shell::SortingMode, 4);
  EXPECT_EQ(shell::NotationScript, 2);
  EXPECT_EQ(shell::LastTip, 2);
  EXPECT_EQ(shell::TipSignal, 0);
  EXPECT_EQ(shell::DelayC, 3);
  EXPECT_EQ(shell::DelayMO, 4);
  EXPECT_EQ(shell::DelayPC, 5);
  EXPECT_EQ(shell::DelayW, 2) << "half to the even neighbour";
  EXPECT_EQ(Ignored(), "");
}

TEST_F(SettingsTest, AUsersScaleSetLoadsItsName) {
  Load(Set("CurrMusicSetId", "14") +
       R"(INSERT INTO "Scale Shift Specs" ("NPSetId", "NPSetName") VALUES (14, 'Evening shifts');)");
  EXPECT_EQ(sound::CurrMusicSetId, 14);
  EXPECT_EQ(sound::CurrMusicSetName, "Evening shifts");
}

TEST_F(SettingsTest, WithoutTheDevanagariFontTheScriptIsEnglish) {
  shell::DevnagariAvailable = 0;
  Load(Set("NotationScript", "1"));
  EXPECT_EQ(shell::NotationScript, 2);
  shell::sSaveUsageParameters();
  EXPECT_EQ(Row("NotationScript"), "2");
}

struct BadValue {
  const char* row;
  const char* text;
  std::function<int()> read;
  int fallback;
};

TEST_F(SettingsTest, EachValueOutOfItsRangeFallsBackToItsDefaultWithARecord) {
  const BadValue cases[] = {
      {"CurrTonicNoteId", "0", [] { return sound::CurrTonicNoteId; }, 3},
      {"CurrTonicNoteId", "13", [] { return sound::CurrTonicNoteId; }, 3},
      {"CurrTonicNoteId", "40000", [] { return sound::CurrTonicNoteId; }, 3},
      {"CurrMusicSetId", "-2", [] { return sound::CurrMusicSetId; }, 3},
      {"KeyboardDisplay", "3", [] { return sound::KeyboardDisplay; }, 1},
      {"FormState", "1", [] { return shell::FormState; }, 0},
      {"FormState", "5", [] { return shell::FormState; }, 0},
      {"SortingMode", "6", [] { return shell::SortingMode; }, 0},
      {"SortingMode", "-1", [] { return shell::SortingMode; }, 0},
      {"NotationScript", "0", [] { return shell::NotationScript; }, 1},
      {"LastTip", "99", [] { return shell::LastTip; }, 4},
      {"TipSignal", "2", [] { return shell::TipSignal; }, 1},
      {"DelayC", "-5", [] { return shell::DelayC; }, 10},
      {"DelayMO", "-1", [] { return shell::DelayMO; }, 10},
      {"DelayPC", "-100000", [] { return shell::DelayPC; }, 10},
      {"DelayW", "-1", [] { return shell::DelayW; }, 10},
  };
  for (const BadValue& c : cases) {
    std::filesystem::remove(Path("ignoerr.txt"));
    Load(Set(c.row, c.text));
    EXPECT_EQ(c.read(), c.fallback) << c.row << " = '" << c.text << "'";
    EXPECT_NE(Ignored().find(std::string("Setting '") + c.row + "' holds '" + c.text + "'"), std::string::npos)
        << c.row << ":\n" << Ignored();
    EXPECT_EQ(halts, 0);
  }
}

TEST_F(SettingsTest, AWindowGeometryOffTheScreenFallsBackToTheDefault) {
  const std::string cases[] = {Set("FormW", "letters only"), Set("FormL", "-20000"), Set("FormH", "99999"),
                               Set("FormW", "10")};
  for (const std::string& sql : cases) {
    std::filesystem::remove(Path("ignoerr.txt"));
    Load(Set("FormL", "300") + Set("FormT", "300") + Set("FormW", "6000") + Set("FormH", "4000") + sql);
    EXPECT_FLOAT_EQ(shell::FormW, static_cast<float>(forms::ScreenWidth() * 0.9)) << sql;
    EXPECT_FLOAT_EQ(shell::FormL, static_cast<float>(forms::ScreenWidth() * 0.05)) << sql;
    EXPECT_NE(Ignored().find("Setting 'FormL, FormT, FormW, FormH'"), std::string::npos) << sql;
  }
}

TEST_F(SettingsTest, SavingWritesTheTextFormsAndAddsAMissingRow) {
  Load(R"(DELETE FROM "User Parameters" WHERE "Parameter Name" = 'DelayW';)");
  EXPECT_EQ(shell::DelayW, 10) << "a missing row reads as Null";
  shell::FormL = 300, shell::FormT = 200, shell::FormW = 9000.5f, shell::FormH = 6000;
  shell::FormState = 0;
  sound::CurrDroneFactor = 1.2;
  shell::DelayW = 7;
  shell::sSaveUsageParameters();
  EXPECT_EQ(Row("FormW"), "9000.5");
  EXPECT_EQ(Row("FormL"), "300");
  EXPECT_EQ(Row("FormState"), " 0");
  EXPECT_EQ(Row("CurrDroneFactor"), "1.2");
  EXPECT_EQ(Row("DelayW"), "7") << "the missing row was added";
  EXPECT_EQ(Row("CurrTonicNoteId"), "3");

  sound::CurrDroneFactor = 3;
  shell::sSaveUsageParameters();
  EXPECT_EQ(Row("CurrDroneFactor"), "1");
  EXPECT_NE(Ignored().find("Setting 'CurrDroneFactor' holds '3'"), std::string::npos);
}

TEST_F(SettingsTest, TheWindowStateSavedIsThatOfTheFormInFrontButNeverMinimised) {
  forms::Form form(forms::FormSpec("StateProbe", "", 98, {0, 0, 3000, 2000}));
  form.Show();
  shell::CurrForm = &form;
  Load();
  const float l = shell::FormL, w = shell::FormW;
  form.SetWindowState(forms::vbMaximized);
  shell::sSaveUsageParameters();
  EXPECT_EQ(Row("FormState"), " 2");
  EXPECT_EQ(Row("FormL"), vb::FormatGeneralSingle(l)) << "the last normal geometry";
  EXPECT_EQ(Row("FormW"), vb::FormatGeneralSingle(w));
  form.SetWindowState(forms::vbMinimized);
  shell::sSaveUsageParameters();
  EXPECT_NE(Row("FormState"), " 1");
  form.Release();
}

TEST_F(SettingsTest, SettingsRoundTripThroughTheTable) {
  Load();
  sound::CurrTonicNoteId = 9, sound::CurrMusicSetId = 9, sound::KeyboardDisplay = 2;
  shell::FormL = 450, shell::FormT = 375, shell::FormW = 7500, shell::FormH = 5250, shell::FormState = 2;
  shell::SortingMode = 5, shell::NotationScript = 2, shell::LastTip = 3, shell::TipSignal = 0;
  shell::DelayC = 1, shell::DelayMO = 0, shell::DelayPC = 20, shell::DelayW = 30;
  shell::sSaveUsageParameters();
  sound::CurrTonicNoteId = 0, shell::FormW = 0, shell::DelayW = 0, shell::SortingMode = 0;
  Reopen();
  EXPECT_EQ(sound::CurrTonicNoteId, 9);
  EXPECT_EQ(sound::CurrMusicSetId, 9);
  EXPECT_EQ(sound::KeyboardDisplay, 2);
  EXPECT_FLOAT_EQ(shell::FormL, 450);
  EXPECT_FLOAT_EQ(shell::FormT, 375);
  EXPECT_FLOAT_EQ(shell::FormW, 7500);
  EXPECT_FLOAT_EQ(shell::FormH, 5250);
  EXPECT_EQ(shell::FormState, 2);
  EXPECT_EQ(shell::SortingMode, 5);
  EXPECT_EQ(shell::NotationScript, 2);
  EXPECT_EQ(shell::LastTip, 3);
  EXPECT_EQ(shell::TipSignal, 0);
  EXPECT_EQ(shell::DelayC, 1);
  EXPECT_EQ(shell::DelayMO, 0);
  EXPECT_EQ(shell::DelayPC, 20);
  EXPECT_EQ(shell::DelayW, 30);
}

class RestartTest : public shelltest::ShellRunTest {};

TEST_F(RestartTest, TheSettingsAndTheWindowSurviveARestart) {
  ASSERT_TRUE(Start());
  shell::SortingMode = 3;
  shell::TipSignal = 0;
  sound::CurrTonicNoteId = 8;
  sound::CurrMusicSetId = 8;  // as choosing the tonic does: the sound starts with the tonic of the set
  Main().Window()->setGeometry(120, 90, 800, 600);  // the smallest window, as wide as the tests' screen
  shelltest::Settle();
  Click("cExit");
  shelltest::Settle();
  ASSERT_FALSE(Main().Loaded());
  shell::SortingMode = 0, shell::TipSignal = 1, sound::CurrTonicNoteId = 3, shell::FormW = 0;

  ASSERT_TRUE(Start());
  EXPECT_EQ(shell::SortingMode, 3);
  EXPECT_EQ(shell::TipSignal, 0);
  EXPECT_EQ(sound::CurrTonicNoteId, 8);
  const QRect g = Main().Window()->geometry();
  EXPECT_EQ(g, QRect(120, 90, 800, 600)) << "the window comes back where it was, at the same size";
  EXPECT_EQ(shell::ResizePending, 0);
}

}  // namespace
