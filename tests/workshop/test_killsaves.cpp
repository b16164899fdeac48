// Saving a user pattern on the workbench killed with SIGKILL after each statement it
// sends: a new pattern into a table that already holds rows (with a gap in their
// numbers). The user database passes the integrity check and holds the patterns as
// before or as after, never a part.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "PlayingTest.h"
#include "shell/ShellState.h"
#include "support/KillHarness.h"
#include "support/SqlFixture.h"

namespace workshoptest {
namespace {

namespace fs = std::filesystem;
using testsupport::KillHarness;

// The built pattern is rendered after the save, so the sound library holds the seeds;
// the children open the workbench.
class KillSaveTest : public PlayingTest {
 protected:
  KillSaveTest() : PlayingTest(false) {}
};

TEST_F(KillSaveTest, LeavesThePatternsAsBeforeOrAsAfter) {
  const std::string user = UserFile();
  shell::DatabaseB.Close();  // the children open it
  testsupport::KillSweep sweep;
  sweep.file = user;
  sweep.prepare = [&] {
    fs::remove(user + "-journal");
    testsupport::MakeUserFixture(user, R"sql(INSERT INTO "User Patterns" VALUES (1, 'a', 'BUC1', 2), (3, 'c', 'BUC2', 1);)sql");
  };
  sweep.work = [&] {
    ReopenUserDatabase();
    Open();
    Press("cMajorScale");
    Menu("cMnuDefPat");
    for (const int16_t note : {7, 9, 12}) ClickKeyOf(note);  // R, G, P
    Answer(2);  // Series
    Answer(1);  // "Save Defined Pattern?" Yes
    Ctl("cPatName").SetText("mine");
    KillHarness::Arm(user);
    Press("cOK");
    EXPECT_EQ(MessageTexts(), Words{"Pattern Saved as mine"});
  };
  sweep.state = [&] { return testsupport::RowsOf(user, "SELECT * FROM \"User Patterns\" ORDER BY rowid"); };
  sweep.atLeast = 3;  // begun, added, committed
  sweep.Run();
  ReopenUserDatabase();  // as TearDown expects
}

}  // namespace
}  // namespace workshoptest
