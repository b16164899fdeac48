// Saving a scale set killed with SIGKILL after each statement it sends: a new set, a
// redefinition (the old set deleted and the new one saved together), and a refined note
// of a saved set. The user database passes the integrity check and holds the sets as
// before or as after, never a part.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

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

// Every row of the scale tables, as text.
std::string ScaleTables(const std::string& file) {
  std::string all;
  for (const auto& [table, rows] : DumpScaleTables(file)) {
    all += "[" + table + "]\n";
    for (const auto& row : rows) all += row + "\n";
  }
  return all;
}

// The user database laid out with rows before each run; each child opens it and the
// screen, then does what leads to the save, arming the kill right before it.
class KillTest : public ScreenTest {
 protected:
  void SweepTheSave(const std::string& rows, const std::function<void()>& save) {
    shell::DatabaseB.Close();  // the children open it
    testsupport::KillSweep sweep;
    sweep.file = UserFile();
    sweep.prepare = [&] {
      fs::remove(UserFile() + "-journal");
      testsupport::MakeUserFixture(UserFile(), rows);
    };
    sweep.work = [&] {
      ReopenUserDatabase();
      Open();
      save();
    };
    sweep.state = [&] { return ScaleTables(UserFile()); };
    sweep.atLeast = 3;  // begun, written, committed
    sweep.Run();
    ReopenUserDatabase();  // as TearDown expects
  }
};

class KillSaveTest : public KillTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(KillSaveTest, LeavesTheSetsAsBeforeOrAsAfter) {
  SweepTheSave(UserSetRows(13, "Kafi Shift", 6), [&] {
    vb::SetMsgBoxHandler([](const std::string&, int b, const std::string&) {
      return (b & 7) == vb::vbYesNo ? static_cast<int>(vb::vbYes) : static_cast<int>(vb::vbOK);
    });
    ShiftScale(15, -5);
    TypeName(GetParam());
    KillHarness::Arm(UserFile());
    Press("cOK");
    EXPECT_EQ(scaleshift::OperationMode, 2) << "saved";
  });
}

INSTANTIATE_TEST_SUITE_P(ScaleShift, KillSaveTest, ::testing::Values("Another Shift", "KAFI SHIFT"),
                         [](const auto& info) { return std::string(info.param)[0] == 'A' ? "NewSet" : "Redefinition"; });

// A note of a saved set refined two steps higher and saved ("Changes Saved"): the set's
// main-instrument row is edited; the other set stays as it was.
using KillRefineSaveTest = KillTest;

TEST_F(KillRefineSaveTest, LeavesTheRefinedRowAsBeforeOrAsAfter) {
  SweepTheSave(UserSetRows(13, "Set", 5) + UserSetRows(14, "Other", 6), [&] {
    if (!Shown("cRefineNotes") || !Ctl("cRefineNotes").Enabled()) Press("cSwitch");
    Press("cRefineNotes");
    ChooseLine("Set");
    ASSERT_EQ(scaleshift::RefiningSetId, 13);
    ClickKey(16);
    EndSound();
    for (int step = 0; step < 2; ++step) {
      Screen().Get<forms::OptionButton>("Option6").Select();  // Higher
      EndSound();
    }
    KillHarness::Arm(UserFile());
    Press("cSave");
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Changes Saved"}));
  });
}

}  // namespace
}  // namespace scaleshifttest
