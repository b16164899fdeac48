#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ShellRun.h"
#include "platform/forms/Declaration.h"

namespace shelltest {
namespace {

// The temporary music files, their twins and the last played file, made before shut-down.
class ShutDownTest : public ShellRunTest {
 protected:
  void SetUp() override {
    ShellRunTest::SetUp();
    shell::CommandLineText = "1";  // the trace shows which steps ran
    ASSERT_TRUE(Start());
    for (const auto* name : {&shell::WavFileA, &shell::WavFileB, &shell::WavFileC}) {
      vb::WriteLines(*name, {"music"});
      vb::WriteLines(name->substr(0, name->size() - 3) + "vaw", {"twin"});
    }
    sound::MusicFileToPlay = shell::DroneFile;
    vb::WriteLines(shell::DroneFile, {"drone"});
  }

  void ExpectShutDownOnce() {
    EXPECT_FALSE(Main().Loaded());
    EXPECT_FALSE(shell::DatabaseA.IsOpen());
    EXPECT_FALSE(shell::DatabaseB.IsOpen());
    for (const auto* name : {&shell::WavFileA, &shell::WavFileB, &shell::WavFileC}) {
      EXPECT_FALSE(vb::FileExists(*name)) << *name;
      EXPECT_FALSE(vb::FileExists(name->substr(0, name->size() - 3) + "vaw")) << *name;
    }
    EXPECT_EQ(Entries("sDeleteWavFiles"), 1);
    EXPECT_EQ(Entries("sSaveUsageParameters"), 1);
    EXPECT_EQ(shell::TimerPurpose, 2);
    EXPECT_EQ(shell::PictureNumber, 6);
    EXPECT_FALSE(common::ProgramHalted());
    EXPECT_TRUE(messages.empty());
  }
};

TEST_F(ShutDownTest, ExitShutsDownOnceAndDeletesTheLastPlayedFile) {
  Click("cExit");
  Settle();
  EXPECT_EQ(shell::ShutdownReason, 1);
  ExpectShutDownOnce();
  EXPECT_EQ(Entries("sTerminateApp"), 1);
  EXPECT_FALSE(vb::FileExists(shell::DroneFile));
}

TEST_F(ShutDownTest, TheCloseBoxShutsDownOnceAndKeepsTheLastPlayedFile) {
  Main().CloseFromUser();
  Settle();
  EXPECT_EQ(shell::ShutdownReason, 2);
  ExpectShutDownOnce();
  EXPECT_EQ(Entries("sTerminateApp"), 0);
  EXPECT_TRUE(vb::FileExists(shell::DroneFile));
}

TEST_F(ShutDownTest, ATickAfterShutDownHasBegunEndsTheRun) {
  shell::TimerPurpose = 2;
  Main().Ctl("cTimer").RaiseFromUser(forms::Event::Timer);
  EXPECT_FALSE(Main().Loaded());
  EXPECT_EQ(Entries("sTerminateApp"), 1);
}

// A screen in front of the main form (opened through the parent chain) when the
// session closes the main window.
forms::FormSpec DeclareOtherScreen() {
  forms::FormSpec f("OtherScreen", "Other", 9, {0, 0, 6000, 4000});
  f.OnUnload([] {
    if (shell::TerminatingForm == 1) shell::TerminatingForm = 0;
  });
  f.Button("cReturn", "&Return", {240, 240, 1200, 400});
  return f;
}

TEST_F(ShutDownTest, ClosingTheSessionWithAnotherScreenInFrontShutsDownCleanly) {
  forms::Form other(DeclareOtherScreen());
  shell::PrevForm = shell::CurrForm;
  shell::ParentFormId[9 - 1] = 1;
  shell::CurrFormId = 9;
  shell::CurrForm = &other;
  other.Show();
  Main().Hide();

  // The session closes every window; the main form's close asks for shut-down.
  Main().CloseFromUser();
  Settle();
  EXPECT_FALSE(other.Loaded());
  EXPECT_EQ(shell::CurrFormId, 1);
  EXPECT_EQ(shell::TerminatingForm, 0);
  ExpectShutDownOnce();
}

}  // namespace
}  // namespace shelltest
