#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

#include "common/CommonState.h"
#include "shell/Globals.h"
#include "shell/ShellState.h"
#include "support/Scratch.h"

namespace {

class GlobalsTest : public testsupport::ScratchTest {};

TEST_F(GlobalsTest, FileNamesFollowTheFolders) {
  shell::TempFolder = "/tmp/velmora-test/";
  shell::ShareFolder = "/opt/share";
  shell::DataFolder = "/home/u/data";
  shell::sSetGlobalVariables();
  EXPECT_EQ(shell::DatabaseAFile, "/opt/share/mrA.kzy");
  EXPECT_EQ(shell::DatabaseBFile, "/home/u/data/mrB.kzy");
  EXPECT_EQ(shell::HelpFile, "/opt/share/KZHelp.html");
  EXPECT_EQ(shell::WavFileA, "/tmp/velmora-test/A.wav");
  EXPECT_EQ(shell::WavFileC, "/tmp/velmora-test/C.wav");
  EXPECT_EQ(shell::WavFiles[1], "/tmp/velmora-test/B.wav");
  EXPECT_EQ(shell::WavFiles[3], "");
  EXPECT_EQ(shell::DroneFile, "/home/u/data/D.Wav");
  EXPECT_EQ(shell::ThekaFiles[2], "/opt/share/vlb.kzy");
  EXPECT_EQ(shell::ThekaFiles[3], "/opt/share/clb.kzy");
  EXPECT_EQ(shell::ThekaFiles[0], "");
  EXPECT_EQ(shell::ThekaFiles[4], "");
  EXPECT_EQ(shell::AlternateFlag, -1);
  EXPECT_EQ(shell::PromptSeparator, " - ");
}

TEST_F(GlobalsTest, WithoutATemporaryFolderMusicFilesAreRelative) {
  shell::TempFolder = "";
  shell::sSetGlobalVariables();
  EXPECT_EQ(shell::WavFileA, "A.wav");
  EXPECT_EQ(shell::WavFileB, "B.wav");
  EXPECT_EQ(shell::WavFileC, "C.wav");
}

TEST_F(GlobalsTest, SpeedFactorsAndASecondCallGiveTheSameValues) {
  shell::sSetGlobalVariables();
  EXPECT_EQ(shell::SpeedFactors[9], 1.0);
  EXPECT_EQ(shell::SpeedFactors[1], 5.0);
  EXPECT_EQ(shell::SpeedFactors[17], 0.33);
  EXPECT_EQ(shell::SpeedFactors[0], 0.0);
  EXPECT_EQ(shell::SpeedFactors[18], 0.0);
  for (int i = 1; i < 17; ++i) EXPECT_GT(shell::SpeedFactors[i], shell::SpeedFactors[i + 1]) << i;
  const auto first = shell::SpeedFactors;
  const auto fileA = shell::WavFileA;
  shell::sSetGlobalVariables();
  EXPECT_EQ(shell::SpeedFactors, first);
  EXPECT_EQ(shell::WavFileA, fileA);
}

struct CommandLineCase {
  const char* text;
  bool trace;
  bool script;
};

TEST_F(GlobalsTest, CommandLineDigitsSwitchTraceAndScript) {
  vb::WriteLines(Path("KZScript.txt"), {"first line", "", "third"});
  const CommandLineCase cases[] = {
      {"12", true, true},          {"21", true, true},     {"", false, false}, {"-x", false, false},
      {"/home/u1/file", true, false}, {"2", false, true}, {"--speed=2.1", true, true},
  };
  for (const auto& c : cases) {
    shell::CommandLineText = c.text;
    shell::sCheckCommandLine();
    EXPECT_EQ(common::TraceAvailable, c.trace ? -1 : 0) << c.text;
    EXPECT_EQ(common::TraceOn, c.trace ? -1 : 0) << c.text;
    EXPECT_EQ(shell::ScriptPresent, c.script ? -1 : 0) << c.text;
    EXPECT_EQ(shell::ScriptLineCount, c.script ? 3 : 0) << c.text;
    if (c.script) {
      EXPECT_EQ(shell::ScriptLines, (std::vector<std::string>{"first line", "", "third"}));
    }
  }
}

// A script that cannot be read is named, and the start goes on without it; a huge one is
// told before it is read.
TEST_F(GlobalsTest, AScriptThatCannotBeReadIsToldAndLeftOut) {
  struct Case {
    const char* name;
    std::function<bool(const std::string& file)> make;  // false: cannot be made here
  };
  const Case cases[] = {
      {"unreadable",
       [](const std::string& f) {
         vb::WriteLines(f, {"a line"});
         std::filesystem::permissions(f, std::filesystem::perms::none);
         return geteuid() != 0;  // root reads any file
       }},
      {"a folder", [](const std::string& f) { return std::filesystem::create_directory(f); }},
      {"a FIFO", [](const std::string& f) { return mkfifo(f.c_str(), 0600) == 0; }},
      {"too large",
       [](const std::string& f) {
         std::ofstream(f).close();
         std::filesystem::resize_file(f, 100u << 20);  // 100 MB, read no further than its size
         return true;
       }},
  };
  const std::string script = Path("KZScript.txt");
  for (const Case& c : cases) {
    std::filesystem::remove_all(script);
    messages.clear();
    if (!c.make(script)) continue;
    shell::CommandLineText = "2";
    EXPECT_NO_THROW(shell::sCheckCommandLine()) << c.name;
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    EXPECT_EQ(shell::ScriptPresent, 0) << c.name;
    EXPECT_TRUE(shell::ScriptLines.empty()) << c.name;
    ASSERT_EQ(messages.size(), 1u) << c.name;
    EXPECT_NE(messages[0].prompt.find("\"" + script + "\""), std::string::npos) << messages[0].prompt;
    EXPECT_NE(messages[0].prompt.find("starts without it"), std::string::npos) << messages[0].prompt;
  }
}

TEST_F(GlobalsTest, AMissingScriptFileIsSkipped) {
  shell::CommandLineText = "2";
  shell::sCheckCommandLine();
  EXPECT_EQ(shell::ScriptPresent, 0);
  EXPECT_EQ(shell::ScriptLineCount, 0);
  EXPECT_TRUE(messages.empty());
}

}  // namespace
