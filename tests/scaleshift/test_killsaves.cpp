// Saving a scale set killed with SIGKILL after each statement it sends: a new set, and a
// redefinition (the old set deleted and the new one saved together). The user database
// passes the integrity check and holds the sets as before or as after, never a part.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "ScaleShiftTest.h"
#include "platform/vb/Interaction.h"
#include "scaleshift/ScaleShiftState.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "support/KillHarness.h"
#include "support/SqlFixture.h"

namespace scaleshifttest {
namespace {

namespace fs = std::filesystem;
using testsupport::KillHarness;

class KillSaveTest : public ScreenTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(KillSaveTest, LeavesTheSetsAsBeforeOrAsAfter) {
  shell::DatabaseB.Close();  // the children open it
  testsupport::KillSweep sweep;
  sweep.file = UserFile();
  sweep.prepare = [&] {
    fs::remove(UserFile() + "-journal");
    testsupport::MakeUserFixture(UserFile(), UserSetRows(13, "Kafi Shift", 6));
  };
  sweep.work = [&] {
    ReopenUserDatabase();
    Open();
    vb::SetMsgBoxHandler([](const std::string&, int b, const std::string&) {
      return (b & 7) == vb::vbYesNo ? static_cast<int>(vb::vbYes) : static_cast<int>(vb::vbOK);
    });
    ShiftScale(15, -5);
    TypeName(GetParam());
    KillHarness::Arm(UserFile());
    Press("cOK");
    EXPECT_EQ(scaleshift::OperationMode, 2) << "saved";
  };
  sweep.state = [&] {
    std::string all;
    for (const auto& [table, rows] : DumpScaleTables(UserFile())) {
      all += "[" + table + "]\n";
      for (const auto& row : rows) all += row + "\n";
    }
    return all;
  };
  sweep.atLeast = 3;
  sweep.Run();
  ReopenUserDatabase();  // as TearDown expects
}

INSTANTIATE_TEST_SUITE_P(ScaleShift, KillSaveTest, ::testing::Values("Another Shift", "KAFI SHIFT"),
                         [](const auto& info) { return std::string(info.param)[0] == 'A' ? "NewSet" : "Redefinition"; });

}  // namespace
}  // namespace scaleshifttest
