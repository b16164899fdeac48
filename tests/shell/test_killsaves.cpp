// The shell's saves killed with SIGKILL after each statement they send: the settings
// saved at exit and the carry-over of an earlier installation's data. The user database
// always passes the integrity check and holds the old state or the new one whole; after
// a killed carry-over the next start completes it, every row once.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "EarlierDatabase.h"
#include "ShellRun.h"
#include "StartUpLibDouble.h"
#include "support/KillHarness.h"

namespace shelltest {
namespace {

using testsupport::KillHarness;
using testsupport::RowsOf;

// Every user table of the file, by name, rows in stored order; a missing file holds
// what the template holds.
std::string UserTables(const std::string& file, const std::string& template_) {
  const std::string from = fs::exists(file) ? file : template_;
  std::string all;
  for (const std::string& table : {"ONPR", "Scale Shift Specs", "Raga - Additional Information", "Raga - ALT Phrases",
                                   "Raga - Composition Notations", "User Patterns", "User Parameters"})
    all += "[" + table + "]\n" + RowsOf(from, "SELECT * FROM \"" + table + "\" ORDER BY rowid");
  return all;
}

class KillSaveTest : public ShellRunTest {
 protected:
  void SetUp() override {
    ShellRunTest::SetUp();
    // The children's private temporary folders stay inside the test's own folder.
    const fs::path tmp = folder_ / "tmp";
    fs::create_directories(tmp);
    const char* previous = std::getenv("TMPDIR");
    previousTmp_ = previous != nullptr ? previous : "";
    hadTmp_ = previous != nullptr;
    setenv("TMPDIR", tmp.c_str(), 1);
  }
  void TearDown() override {
    if (hadTmp_) {
      setenv("TMPDIR", previousTmp_.c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
    ShellRunTest::TearDown();
  }

  // The data folder anew, holding only the files given.
  void FreshDataFolder() {
    fs::remove_all(data_);
    fs::create_directories(data_);
  }

  std::string previousTmp_;
  bool hadTmp_ = false;
  // The sound start-up answers at once: these saves are about the database.
  StartUpLibDouble library_;
};

TEST_F(KillSaveTest, SettingsSavedAtExitAreOldOrNewWhole) {
  testsupport::KillSweep sweep;
  sweep.file = Data("mrB.kzy");
  sweep.prepare = [&] {
    FreshDataFolder();
    // Old values written unlike the program writes them, so every row changes at exit.
    std::string old;
    for (const char* name : {"CurrTonicNoteId", "CurrMusicSetId", "KeyboardDisplay", "SortingMode", "NotationScript",
                             "LastTip", "TipSignal", "DelayC", "DelayMO", "DelayPC", "DelayW"})
      old += earlier::Setting(name, "'01'");
    testsupport::MakeUserFixture(Data("mrB.kzy"), old);
  };
  sweep.work = [&] {
    ASSERT_TRUE(Start());
    shell::SortingMode = 3;
    shell::LastTip = 2;
    KillHarness::Arm(Data("mrB.kzy"));
    Click("cExit");
    Settle();
  };
  sweep.state = [&] { return RowsOf(Data("mrB.kzy"), "SELECT * FROM \"User Parameters\" ORDER BY 1"); };
  sweep.Run();
}

// A first start that carries an earlier installation's data over, and one into a user
// database that holds rows of its own (ids taken, references moved).
class KillCarryOverTest : public KillSaveTest, public ::testing::WithParamInterface<bool> {};

TEST_P(KillCarryOverTest, LeavesTheUsersDataWholeAndTheNextStartCarriesEveryRowOnce) {
  const bool ownRows = GetParam();
  const std::string earlierRows = earlier::kEarlierRows + earlier::kIncompleteRows;
  testsupport::KillSweep sweep;
  sweep.file = Data("mrB.kzy");
  sweep.prepare = [&] {
    FreshDataFolder();
    if (ownRows)
      testsupport::MakeUserFixture(Data("mrB.kzy"), earlier::ScaleSet(13, "Other set", 3, 7.5) +
                                                         earlier::Composition(1, 5, "Mine") +
                                                         "INSERT INTO \"User Patterns\" VALUES (1, 'Up', 'SR', 1);\n");
    testsupport::MakeUserFixture(Data("mrBOld.kzy"), earlierRows);
  };
  sweep.work = [&] {
    KillHarness::Arm(Data("mrB.kzy"));
    ASSERT_TRUE(Start());
  };
  sweep.state = [&] { return UserTables(Data("mrB.kzy"), Share("mrB.kzy")); };
  sweep.atLeast = 10;
  sweep.mayBeMissing = !ownRows;
  // After each kill the next start (not killed) carries over what is left: the same
  // rows as a start that was never killed.
  sweep.recover = [&] {
    const KillHarness::Outcome next = KillHarness::Run(0, [&] { ASSERT_TRUE(Start()); });
    EXPECT_TRUE(next.finished);
  };
  sweep.Run();
}

INSTANTIATE_TEST_SUITE_P(Shell, KillCarryOverTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "IntoAUserDatabaseWithRows" : "AtTheFirstStart"; });

}  // namespace
}  // namespace shelltest
