// The sound start-up: the library calls in their order, the message of each failing
// step, the greeting drone and the start-up wait, and the tips panel.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "EarlierDatabase.h"
#include "ShellRun.h"
#include "StartUpLibDouble.h"
#include "platform/dao/Database.h"
#include "platform/mci/WaveData.h"
#include "platform/vb/Files.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"

namespace shelltest {
namespace {

constexpr const char* kMenus[] = {"cMnuMaiOpe", "cMnuSupOpe", "cMnuTip", "cMnuHel"};
constexpr const char* kPanel[] = {"Label11", "cTip", "cShowNext", "cOK"};

class SoundStartUpTest : public ShellRunTest {
 protected:
  bool Enabled(const char* name) { return Main().Ctl(name).Enabled(); }
  // A timer ticks only while enabled with an interval.
  bool TimerRuns() { return Main().Ctl("cTimer").Enabled() && Main().Get<forms::Timer>("cTimer").Interval() > 0; }
  bool PanelShown() {
    for (const char* name : kPanel)
      if (!Main().Ctl(name).Visible()) return false;
    return true;
  }
  bool PanelHidden() {
    for (const char* name : kPanel)
      if (Main().Ctl(name).Visible()) return false;
    return true;
  }
  std::vector<std::string> Prompts() const {
    std::vector<std::string> shown;
    for (const auto& m : messages) shown.push_back(m.prompt);
    return shown;
  }
};

TEST_F(SoundStartUpTest, PreparesTheLibraryInOrderThenPlaysTheDroneWithTheMenusDisabled) {
  StartUpLibDouble library;
  ASSERT_TRUE(StartToGreeting());
  EXPECT_EQ(library.Sequence(),
            (std::vector<std::string>{"FWavSetGlobalVariables", "FWavSetCurrInstr", "FWavFreeNoteSeedsMemory",
                                      "FWavLoadInstrNoteSeeds", "FWavFreeNoteSeedsMemory", "FWavLoadInstrNoteSeeds",
                                      "FWavLoadDroneData", "FWavLoadThekaData", "FWavGenerateDroneFile"}));
  EXPECT_EQ(library.Of("FWavSetGlobalVariables")[0].key, "ce");
  EXPECT_EQ(library.Of("FWavSetCurrInstr")[0].key, "c");
  EXPECT_EQ(library.Of("FWavFreeNoteSeedsMemory")[0].key, "c") << "the main instrument first";
  EXPECT_EQ(library.Of("FWavFreeNoteSeedsMemory")[1].key, "e");
  const auto theka = library.Of("FWavLoadThekaData");
  EXPECT_EQ(theka[0].path, Share("clb.kzy"));
  EXPECT_EQ(theka[0].option, 4);
  const auto drone = library.Of("FWavGenerateDroneFile");
  EXPECT_EQ(drone[0].droneType, 2);
  EXPECT_EQ(drone[0].path, Data("D.Wav"));
  EXPECT_EQ(drone[0].option, 1);

  forms::Form& main = Main();
  EXPECT_TRUE(main.Visible());
  EXPECT_FALSE(Enabled("cExit"));
  for (const char* menu : kMenus) EXPECT_FALSE(Enabled(menu)) << menu << " during the greeting";
  EXPECT_TRUE(PanelHidden());
  EXPECT_EQ(main.Ctl("cPrompts").Text(), "");
  EXPECT_EQ(sound::MusicFileToPlay, Data("D.Wav"));
  EXPECT_EQ(sound::CallbackCode, 0);
  EXPECT_EQ(sound::CurrItemKind, 0);
  EXPECT_EQ(shell::DroneFileType, 2);
  EXPECT_TRUE(TimerRuns());
  EXPECT_EQ(main.Get<forms::Timer>("cTimer").Interval(), 6500);
  EXPECT_EQ(shell::TimerPurpose, 1);
  EXPECT_TRUE(messages.empty());

  Tick();  // the fixture has no tips
  EXPECT_FALSE(main.Ctl("cTimer").Enabled());
  EXPECT_TRUE(Enabled("cExit"));
  for (const char* menu : kMenus) EXPECT_TRUE(Enabled(menu)) << menu << " once ready";
  EXPECT_EQ(main.Ctl("cPrompts").Text(), kMainPrompt);
}

TEST_F(SoundStartUpTest, TheRealLibraryWritesTheGreetingDroneAsAPlayableFile) {
  ASSERT_TRUE(StartToGreeting());
  std::string error;
  const auto drone = mci::ReadWave(Data("D.Wav"), &error);
  ASSERT_TRUE(drone) << error;
  EXPECT_EQ(drone->sampleRate, 44100);
  EXPECT_GT(drone->frames(), 0);
  EXPECT_TRUE(messages.empty());
}

TEST_F(SoundStartUpTest, ErrorsCountedBeforeTheSoundStartsAreForgotten) {
  StartUpLibDouble library;
  common::IgnorableErrorCount = 4;
  common::ReportedErrorCount = 2;
  ASSERT_TRUE(StartToGreeting());
  EXPECT_EQ(common::IgnorableErrorCount, 0);
  EXPECT_EQ(common::ReportedErrorCount, 0);
}

// A step of the library that fails: its messages, nothing after it, and a main form on
// which only Exit can be used.
struct FailureCase {
  const char* name;
  const char* entry;  // the failing entry point
  const char* key;    // of this instrument key ("" any)
  int note;           // of this note (-1 any)
  std::vector<std::string> messages;
};

class SoundStepFailureTest : public SoundStartUpTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SoundStepFailureTest, SaysWhichStepFailedAndOffersOnlyExit) {
  const FailureCase& c = GetParam();
  StartUpLibDouble library;
  library.failWhen = [&c](const testsupport::SoundLibCall& call) {
    return call.entry == c.entry && (std::string(c.key).empty() || call.key == c.key) &&
           (c.note < 0 || call.note == c.note);
  };
  ASSERT_TRUE(StartToGreeting());
  std::vector<std::string> expected = c.messages;  // "<clb.kzy>", "<D.Wav>": the files of the run
  for (std::string& m : expected)
    if (const size_t at = m.find("<clb.kzy>"); at != std::string::npos) m.replace(at, 9, Share("clb.kzy"));
  for (std::string& m : expected)
    if (const size_t at = m.find("<D.Wav>"); at != std::string::npos) m.replace(at, 7, Data("D.Wav"));
  EXPECT_EQ(Prompts(), expected);
  for (const auto& m : messages) EXPECT_EQ(m.title, "Message");
  const std::vector<std::string> sequence = library.Sequence();
  ASSERT_FALSE(sequence.empty());
  EXPECT_EQ(sequence.back(), c.entry) << "nothing of the library is called after the failing step";
  if (std::string(c.entry) != "FWavGenerateDroneFile") {
    EXPECT_EQ(library.Count("FWavGenerateDroneFile"), 0u);
  }

  forms::Form& main = Main();
  EXPECT_TRUE(main.Visible());
  EXPECT_TRUE(Enabled("cExit"));
  for (const char* menu : kMenus) EXPECT_FALSE(Enabled(menu)) << menu << " leads to screens that need sound";
  EXPECT_FALSE(TimerRuns()) << "no start-up wait";
  EXPECT_TRUE(sound::MusicFileToPlay.empty()) << "no drone is played";
  EXPECT_EQ(halts, 0);

  Click("cExit");
  Settle();
  EXPECT_FALSE(shell::DatabaseB.IsOpen()) << "Exit shuts down as usual";
  EXPECT_FALSE(Main().Loaded());
}

INSTANTIATE_TEST_SUITE_P(
    Shell, SoundStepFailureTest,
    ::testing::Values(
        FailureCase{"GlobalVariables", "FWavSetGlobalVariables", "", -1, {"Error in Setting GlobalVariables"}},
        FailureCase{"Instrument", "FWavSetCurrInstr", "", -1, {"Error in Setting Instrument Name"}},
        FailureCase{
            "MainSeedsMemory",
            "FWavFreeNoteSeedsMemory",
            "c",
            -1,
            {"Error Freeing Note Seeds Memory", "Error loading Main Note Seeds", "Error in Creating Note Seeds"}},
        FailureCase{
            "DroneSeed",
            "FWavLoadInstrNoteSeeds",
            "e",
            12,
            {"Error Loading Seed Data For e12", "Error loading Drone Note Seeds", "Error in Creating Note Seeds"}},
        FailureCase{"DroneData",
                    "FWavLoadDroneData",
                    "",
                    -1,
                    {"Error in FWavLoadDroneData", "Error building Drone Data", "Error in Creating Note Seeds"}},
        FailureCase{"ThekaData", "FWavLoadThekaData", "", -1, {"Error in Loading Theka Data\n\nThe theka file \"<clb.kzy>\" is missing or damaged. Please install "
                                                     "Velmora again."}},
        FailureCase{"DroneFile",
                    "FWavGenerateDroneFile",
                    "",
                    -1,
                    {"Error in generating drone file\n\nThe drone file \"<D.Wav>\" could not be written. Velmora can "
                     "only be ended now; start it again when that is mended."}}),
    [](const auto& info) { return std::string(info.param.name); });

// The tips of the main form: five tips in the content database.
class TipsTest : public SoundStartUpTest {
 protected:
  TipsTest() {
    extraContent_ = R"(INSERT INTO "KZTips" VALUES (1, 'tip one'), (2, 'tip two'), (3, 'tip three'),
                         (4, 'tip four'), (5, 'tip five');)";
  }
  // A user database from an earlier run with these stored rows.
  void Stored(const std::string& name, const std::string& value) {
    fs::create_directories(data_);
    if (!fs::exists(Data("mrB.kzy"))) testsupport::MakeUserFixture(Data("mrB.kzy"));
    testsupport::RunSql(Data("mrB.kzy"), "UPDATE \"User Parameters\" SET \"Parameter Value\" = '" + value +
                                             "' WHERE \"Parameter Name\" = '" + name + "';");
  }
  std::string StoredValue(const std::string& name) {
    dao::Database db = dao::Database::OpenDatabase(Data("mrB.kzy"), false, true, shell::kDatabaseConnect);
    auto rs = db.OpenRecordset("SELECT * FROM [User Parameters] WHERE [Parameter Name] = '" + name + "'");
    const std::string value = rs.Fields("Parameter Value").ToString();
    rs.Close();
    db.Close();
    return value;
  }
  std::string Tip() { return Main().Ctl("cTip").Text(); }
};

struct FirstTipCase {
  const char* lastTip;  // stored; "" leaves the row Null
  const char* shown;
};

class FirstTipTest : public TipsTest, public ::testing::WithParamInterface<FirstTipCase> {};

TEST_P(FirstTipTest, TheEndOfTheWaitShowsTheTipAfterTheOneShownLast) {
  if (*GetParam().lastTip != '\0') Stored("LastTip", GetParam().lastTip);
  StartUpLibDouble library;
  ASSERT_TRUE(StartToGreeting());
  EXPECT_TRUE(PanelHidden()) << "no tips during the greeting";
  Tick();
  EXPECT_TRUE(PanelShown());
  EXPECT_EQ(Tip(), GetParam().shown);
  EXPECT_FALSE(Main().Ctl("cTimer").Enabled());
  EXPECT_FALSE(Enabled("cExit")) << "the menus wait for O&K";
  for (const char* menu : kMenus) EXPECT_FALSE(Enabled(menu));
}

INSTANTIATE_TEST_SUITE_P(Shell, FirstTipTest,
                         ::testing::Values(FirstTipCase{"5", "tip one"}, FirstTipCase{"2", "tip three"},
                                           FirstTipCase{"0", "tip one"}, FirstTipCase{"", "tip one"}),
                         [](const auto& info) {
                           return std::string("LastTip") + (*info.param.lastTip ? info.param.lastTip : "Null");
                         });

TEST_F(TipsTest, NextTipWalksThroughTheTipsAndWrapsAndOKMakesTheMenuReady) {
  Stored("LastTip", "3");
  StartUpLibDouble library;
  ASSERT_TRUE(StartToGreeting());
  Tick();
  std::vector<std::string> shown{Tip()};
  for (int i = 0; i < 5; ++i) {
    Click("cShowNext");
    shown.push_back(Tip());
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"tip four", "tip five", "tip one", "tip two", "tip three", "tip four"}));
  EXPECT_TRUE(PanelShown());
  EXPECT_EQ(shell::LastTip, 4);

  Click("cOK");
  EXPECT_TRUE(PanelHidden());
  EXPECT_TRUE(Enabled("cExit"));
  for (const char* menu : kMenus) EXPECT_TRUE(Enabled(menu));
  EXPECT_EQ(Main().Ctl("cPrompts").Text(), kMainPrompt);

  Click("cExit");
  Settle();
  EXPECT_EQ(StoredValue("LastTip"), "4") << "the next run goes on after the tip shown last";
  ASSERT_TRUE(StartToGreeting());
  Tick();
  EXPECT_EQ(Tip(), "tip five");
}

TEST_F(TipsTest, WithTipsSwitchedOffTheWaitEndsAtTheReadyMenu) {
  Stored("TipSignal", "0");
  StartUpLibDouble library;
  ASSERT_TRUE(StartToGreeting());
  Tick();
  EXPECT_TRUE(PanelHidden());
  EXPECT_TRUE(Enabled("cExit"));
  for (const char* menu : kMenus) EXPECT_TRUE(Enabled(menu));
  EXPECT_EQ(Main().Ctl("cPrompts").Text(), kMainPrompt);
  EXPECT_EQ(shell::LastTip, 5) << "no tip was taken";
}

TEST_F(SoundStartUpTest, WithoutAnyTipTheWaitEndsAtTheReadyMenuEvenWithTipsOn) {
  StartUpLibDouble library;
  ASSERT_TRUE(StartToGreeting());
  ASSERT_EQ(shell::TipSignal, 1);
  ASSERT_EQ(shell::TipCount, 0);
  Tick();
  EXPECT_TRUE(PanelHidden());
  EXPECT_TRUE(Enabled("cExit"));
  EXPECT_EQ(Main().Ctl("cPrompts").Text(), kMainPrompt);
  EXPECT_EQ(halts, 0);
}

// A scale set carried over from an earlier installation that takes its notes out of the
// band a set keeps to (+400 samples per cycle a note and more, far below the seeds), or
// beyond what the sound library takes (a cycle below nothing), is the set in use at
// start: it gives way to the tonic's own set, recorded in "ignoerr.txt", and the
// program starts up to its ready menu with nothing tuned by it.
class CarriedOverScaleTest : public SoundStartUpTest, public ::testing::WithParamInterface<double> {};

TEST_P(CarriedOverScaleTest, ASetOutsideTheBandGivesWayToTheTonicsOwnSetAtStart) {
  const double adjustment = GetParam();
  fs::create_directories(data_);
  testsupport::MakeUserFixture(Data("mrBOld.kzy"), earlier::ScaleSet(13, "Carried Over", 5, adjustment) +
                                                       earlier::Setting("CurrMusicSetId", "'13'") +
                                                       earlier::Setting("CurrTonicNoteId", "'5'"));
  StartUpLibDouble library(testsupport::SoundLibDouble::Mode::Forward);
  ASSERT_TRUE(StartToGreeting());
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(Prompts());
  EXPECT_EQ(sound::CurrMusicSetId, 5) << "the tonic's own set";
  EXPECT_EQ(sound::CurrTonicNoteId, 5);
  for (const auto& tune : library.Of("FWavTuneNote")) EXPECT_LT(std::abs(tune.value), 1.0) << tune.note;
  std::string ignored;
  for (const auto& line : vb::ReadLines(Data("ignoerr.txt"))) ignored += line + "\n";
  EXPECT_NE(ignored.find("Scale set 13 has no usable row for instrument type 1; the built-in scale set 5"),
            std::string::npos)
      << ignored;
  Tick();
  EXPECT_TRUE(Enabled("cExit"));
  for (const char* menu : kMenus) EXPECT_TRUE(Enabled(menu)) << menu;
  EXPECT_EQ(Main().Ctl("cPrompts").Text(), kMainPrompt);
  EXPECT_EQ(halts, 0);
}

INSTANTIATE_TEST_SUITE_P(Shell, CarriedOverScaleTest, ::testing::Values(400.0, -80.0));

}  // namespace
}  // namespace shelltest
