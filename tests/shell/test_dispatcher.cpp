#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ShellRun.h"
#include "platform/mci/MMControl.h"
#include "platform/mci/MciTestSupport.h"
#include "shell/Players.h"
#include "sound/SoundState.h"
#include "support/ScratchFolder.h"

namespace shelltest {
namespace {

class DispatcherTest : public ShellRunTest {
 protected:
  void SetUp() override {
    ShellRunTest::SetUp();
    shell::CommandLineText = "1";
    ASSERT_TRUE(Start());
  }
};

struct CodeCase {
  int16_t code;
  const char* reaches;  // the dispatcher it calls, "" for none
  int16_t callback;     // CallbackCode afterwards
};

TEST_F(DispatcherTest, EachActionCodeReachesItsScreenAfterSettingTheMainFormsCallBack) {
  const CodeCase cases[] = {{1, "", 0}, {5, "", 0}, {-1, "", 0}, {3, "sWorkshop", 8}, {4, "sComposer", 11}};
  for (const auto& c : cases) {
    sound::CallbackCode = 99;
    const int workshop = Entries("sWorkshop"), composer = Entries("sComposer");
    int16_t action = c.code;
    shell::sKZControl(action);
    EXPECT_EQ(sound::CallbackCode, c.callback) << c.code;
    EXPECT_EQ(Entries("sWorkshop") - workshop, std::string(c.reaches) == "sWorkshop" ? 1 : 0) << c.code;
    EXPECT_EQ(Entries("sComposer") - composer, std::string(c.reaches) == "sComposer" ? 1 : 0) << c.code;
    EXPECT_TRUE(Main().Loaded()) << c.code;
  }
}

struct MenuCase {
  const char* item;
  const char* dispatcher;
  int16_t callback;  // -1: the screen sets none
};

TEST_F(DispatcherTest, MainMenuItemsCallTheirScreensDispatchers) {
  const MenuCase cases[] = {
      {"cMnuExpRag", "sSelectRaga", -1},  {"cMnuTakQui", "sTakeQuiz", 6},
      {"cMnuUseMusSam", "sKZSampler", 9}, {"cMnuOpeWor", "sWorkshop", 8},
      {"cMnuInvCom", "sComposer", 11},    {"cMnuDefPitShi", "sShiftScale", 1},
      {"cMnuRevRagGro", "sReviewTechnicalData", -1},
  };
  for (const auto& c : cases) {
    sound::CallbackCode = -1;
    const int before = Entries(c.dispatcher);
    Click(c.item);
    EXPECT_EQ(Entries(c.dispatcher), before + 1) << c.item;
    EXPECT_EQ(sound::CallbackCode, c.callback) << c.item;
  }
  EXPECT_EQ(Main().Ctl("cMnuMaiOpe").Caption(), "Main Operations");
  EXPECT_EQ(Main().Ctl("cMnuOpeWor").Caption(), "Use 'Workbench'");
  EXPECT_EQ(Main().Ctl("cMnuDonShoTip").Caption(), "Don't Show Tips at start");
  EXPECT_TRUE(messages.empty());
}

TEST_F(DispatcherTest, UseWorkbenchOpensTheWorkbenchOverTheMainForm) {
  Click("cMnuOpeWor");
  ASSERT_EQ(shell::CurrFormId, 13);
  EXPECT_EQ(shell::CurrForm->Caption(), "Workbench");
  EXPECT_TRUE(shell::CurrForm->Visible());
  EXPECT_EQ(shell::ParentFormId[12], 1);
  shell::CurrForm->Ctl("cReturn").RaiseFromUser(forms::Event::Click);
  EXPECT_EQ(shell::CurrFormId, 1);
  EXPECT_EQ(halts, 0);
}

TEST_F(DispatcherTest, TipsAndTraceItemsSetTheirWordAndCheckMark) {
  forms::Form& main = Main();
  auto checked = [&main](const char* name) { return main.Get<forms::MenuItem>(name).Checked(); };
  Click("cMnuDonShoTip");
  EXPECT_EQ(shell::TipSignal, 0);
  EXPECT_FALSE(checked("cMnuShoTip"));
  EXPECT_TRUE(checked("cMnuDonShoTip"));
  Click("cMnuShoTip");
  EXPECT_EQ(shell::TipSignal, 1);
  EXPECT_TRUE(checked("cMnuShoTip"));
  EXPECT_FALSE(checked("cMnuDonShoTip"));

  Click("cMnuTraOff");
  EXPECT_EQ(common::TraceOn, 0);
  EXPECT_TRUE(checked("cMnuTraOff"));
  EXPECT_FALSE(checked("cMnuTraOn"));
  const auto length = vb::ReadLines(Data("errtrace.txt")).size();
  Click("cMnuTraOn");
  EXPECT_EQ(common::TraceOn, -1);
  EXPECT_TRUE(checked("cMnuTraOn"));
  EXPECT_FALSE(checked("cMnuTraOff"));
  Click("cMnuTakQui");
  EXPECT_GT(vb::ReadLines(Data("errtrace.txt")).size(), length);
}

// The main form is laid out again as soon as its window is resized; a click on its
// surface then has nothing left to do.
TEST_F(DispatcherTest, AResizeLaysTheMainFormOutAgainAtOnce) {
  const double exitLeft = Main().Ctl("cExit").Left();
  Main().Window()->resize(Main().Window()->width() + 40, Main().Window()->height() + 30);
  Settle();
  EXPECT_EQ(shell::ResizePending, 0);
  EXPECT_EQ(shell::FormState, forms::vbNormal);
  EXPECT_GT(Main().Ctl("cExit").Left(), exitLeft);
  EXPECT_NEAR(shell::FormW, forms::PixelsToTwips(Main().Window()->width()), 15);
  const double after = Main().Ctl("cExit").Left();
  Main().RaiseFromUser(forms::Event::Click);
  EXPECT_EQ(Main().Ctl("cExit").Left(), after);
}

TEST_F(DispatcherTest, AProgramErrorInAnEventHaltsTheWholeEvent) {
  shell::DatabaseB.Close();  // saving the settings at shut-down fails
  Click("cExit");
  Settle();
  EXPECT_TRUE(common::ProgramHalted());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].prompt.rfind("A program error has occured in procedure '", 0), 0u) << messages[0].prompt;
  EXPECT_EQ(Entries("sTerminateApp"), 0) << "the steps after the failing one do not run";
  EXPECT_FALSE(Main().Loaded());
  EXPECT_FALSE(shell::DatabaseA.IsOpen());
  EXPECT_FALSE(shell::DatabaseB.IsOpen());
  // No event reaches the program any more.
  Click("cMnuTakQui");
  EXPECT_EQ(Entries("sTakeQuiz"), 0);
}

TEST_F(DispatcherTest, TheHaltEndsOnABrokenParentChain) {
  shell::CurrFormId = 5;
  shell::ParentFormId[5 - 1] = 5;  // a chain that leads nowhere
  shell::sHaltProgramExecution();
  EXPECT_EQ(shell::CurrFormId, 1);
  EXPECT_EQ(shell::TerminatingForm, 0);
  EXPECT_FALSE(Main().Loaded());
}

TEST_F(DispatcherTest, TheMainFormsPlayerRaisesDoneAndStatusUpdate) {
  mci::MMControl* player = shell::MMControlOf(Main(), "cMM");
  ASSERT_NE(player, nullptr);
  // The handler stays with the main form after the test: it keeps its own counter.
  const auto updates = std::make_shared<int>(0);
  Main().On("cMM", forms::Event::StatusUpdate, [updates] { ++*updates; });
  const fs::path tone = folder_ / "tone.wav";
  mcitest::WriteTone(tone, 440, 300);
  sound::PlayState = 1;                          // a file is open: the Done closes it
  const int before = Entries("sPlayMusicFile");  // the greeting drone's play
  player->setDeviceType("WaveAudio");
  player->setFileName(tone.string());
  player->setCommand("Open");
  player->setNotify(true);
  player->setCommand("Play");
  mci::WaitWhilePlaying(*player);
  Settle();
  // The greeting drone's own play, superseded by this one, may report its Done too.
  EXPECT_GE(Entries("sPlayMusicFile") - before, 1) << "Done reaches the main form's handler";
  EXPECT_GT(*updates, 0);
}

// The twins of the music files, whatever the length of the temporary folder's path.
TEST(WavFiles, EachFileAndItsTwinAreDeletedWhenTheyExist) {
  const fs::path folder = testsupport::MakeScratchFolder() / std::string(120, 'x');
  fs::create_directories(folder);
  shell::WavFileA = (folder / "A.wav").string();
  shell::WavFileB = (folder / "B.wav").string();
  shell::WavFileC = (folder / "C.wav").string();
  const std::vector<std::string> present = {"A.wav", "A.vaw", "B.vaw", "C.wav", "keep.wav"};
  for (const auto& name : present) vb::WriteLines((folder / name).string(), {"x"});
  shell::sDeleteWavFiles();
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(folder)) left.push_back(entry.path().filename().string());
  EXPECT_EQ(left, std::vector<std::string>{"keep.wav"});
  EXPECT_NO_THROW(shell::sDeleteWavFiles());
}

}  // namespace
}  // namespace shelltest
