// Fixture of the shell's tests: a scratch installation (a share folder with fixture
// databases and the built pictures) and an empty user data folder, the real halt
// handler, and an opening screen answered at once instead of waiting for a user.
#pragma once

#include <QCoreApplication>
#include <QMainWindow>
#include <QEvent>
#include <QFontDatabase>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/CommonState.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/forms/Layout.h"
#include "platform/forms/Registry.h"
#include "platform/mci/Clock.h"
#include "platform/vb/Folders.h"
#include "shell/DataFolder.h"
#include "shell/KZControl.h"
#include "shell/OpeningScreen.h"
#include "shell/Program.h"
#include "shell/ShellState.h"
#include "shell/StartUpSeams.h"
#include "shell/VelmoraForm.h"
#include "sound/SoundState.h"
#include "support/Scratch.h"
#include "support/SqlFixture.h"

namespace shelltest {

namespace fs = std::filesystem;

inline constexpr const char* kMainPrompt = "Choose an operation from the menu bar.";

// The program's own instruments and built-in scale sets, copied from the built content
// database, so that the sound starts up as it does in the program.
inline std::string BuiltInstrumentRows() {
  const std::string built = (fs::path(vb::ShareFolderPath()) / "mrA.kzy").string();
  return "ATTACH DATABASE '" + built + "' AS built;\n"
         "INSERT INTO \"Note Specifications\" SELECT * FROM built.\"Note Specifications\";\n"
         "INSERT INTO \"Sample Values\" SELECT * FROM built.\"Sample Values\";\n"
         "INSERT INTO \"ONPR\" SELECT * FROM built.\"ONPR\";\n"
         "DETACH DATABASE built;\n";
}

// Runs posted events (deferred deletions included) until none are left.
inline void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class ShellRunTest : public testsupport::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    share_ = folder_ / "share";
    data_ = folder_ / "data";
    fs::create_directories(share_);
    testsupport::MakeContentFixture(Share("mrA.kzy"),
                                    std::string(R"(INSERT INTO "Prompts" ("PromptNumber", "Prompt") VALUES (1, ')") +
                                        kMainPrompt + "');" + forms::LayoutRowsSql(forms::DeclaredForms()) +
                                        BuiltInstrumentRows() + extraContent_);
    testsupport::MakeUserFixture(Share("mrB.kzy"));
    for (const char* built : {"kz3.jpg", "kz6.jpg", "Shusha.ttf", "Shusha-Bold.ttf"})
      fs::copy_file(fs::path(vb::ShareFolderPath()) / built, share_ / built);
    for (const char* theka : {"clb.kzy", "vlb.kzy"}) {
      const fs::path built = fs::path(vb::ShareFolderPath()) / theka;
      if (fs::exists(built)) fs::copy_file(built, share_ / theka);
    }
    setenv("VELMORA_HOME", data_.c_str(), 1);
    setenv("VELMORA_SHARE", share_.c_str(), 1);
    shell::ShareFolder = share_.string();  // as main sets it for the opening screen

    shell::CommandLineText.clear();
    shell::FormVelmora = nullptr;
    shell::CurrForm = nullptr;
    shell::PrevForm = nullptr;
    shell::CurrFormId = 0;
    shell::ParentFormId = {};
    shell::TermsAccepted = 0;
    shell::ShutdownReason = 0;
    shell::TimerPurpose = 1;
    sound::CallbackCode = -1;
    sound::MusicFileToPlay.clear();
    common::SetHaltHandler([this] {
      ++halts;
      shell::sHaltProgramExecution();
    });
    Answer("OKButton");
  }

  void TearDown() override {
    shell::StartUpSeams = {};
    shell::SetOpeningScreenPresenter({});
    shell::MainForm().Release();
    shell::OpeningScreenForm().Release();
    shell::DatabaseA.Close();
    shell::DatabaseB.Close();
    QFontDatabase::removeAllApplicationFonts();
    Settle();
    vb::RemoveSessionTempFolder();  // as main does at the end of a run
    shell::ReleaseDataFolderLock();  // as the end of the process does
    unsetenv("VELMORA_HOME");
    unsetenv("VELMORA_SHARE");
    ScratchTest::TearDown();
  }

  // The opening screen is answered by a click on this button ("" closes it with its close box).
  void Answer(std::string button) {
    shell::SetOpeningScreenPresenter([button](forms::Form& screen) {
      screen.Load();
      if (button.empty()) {
        screen.CloseFromUser();
      } else {
        screen.Ctl(button).RaiseFromUser(forms::Event::Click);
      }
    });
  }

  // Starts the program as main does, without entering the event loop: the greeting
  // drone is playing and the start-up timer runs.
  bool StartToGreeting() {
    const bool running = shell::StartProgram();
    Settle();
    return running;
  }

  // The start-up timer's tick, as the event loop delivers it.
  void Tick() { Main().Ctl("cTimer").RaiseFromUser(forms::Event::Timer); }

  // Starts the program and lets the start-up wait end; tips shown (the built content has
  // some) are closed with their OK, as the learner does: the main menu is then ready.
  bool Start() {
    const bool running = StartToGreeting();
    if (running && Main().Loaded() && Main().Ctl("cTimer").Enabled() &&
        Main().Get<forms::Timer>("cTimer").Interval() > 0) {
      Tick();
      Settle();
      if (Main().Loaded() && Main().Ctl("cOK").Visible()) {
        Click("cOK");
        Settle();
      }
    }
    return running && !common::ProgramHalted();
  }

  forms::Form& Main() { return shell::MainForm(); }
  void Click(const char* member) { Main().Ctl(member).RaiseFromUser(forms::Event::Click); }


 public:
  // The scratch installation's files, for the cases that damage it.
  std::string Share(const std::string& name) const { return (share_ / name).string(); }
  std::string Data(const std::string& name) const { return (data_ / name).string(); }

  // The trace lines of the run that name a procedure's entry.
  int Entries(const std::string& procedure) const {
    int n = 0;
    for (const auto& line : vb::ReadLines(Data("errtrace.txt")))
      if (line.find("Entering " + procedure + "(") != std::string::npos) ++n;
    return n;
  }

  fs::path share_;
  fs::path data_;
  std::string extraContent_;  // rows a fixture adds to the content database before SetUp
};

// A started program's fixture on the program's own content (seventy ragas with their
// phrases), the player on the silent output of a clock that the test moves on.
class BuiltContentRunTest : public ShellRunTest {
 protected:
  void SetUp() override {
    const fs::path built = fs::path(vb::ShareFolderPath()) / "mrA.kzy";  // before the scratch share is set
    ShellRunTest::SetUp();
    fs::copy_file(built, Share("mrA.kzy"), fs::copy_options::overwrite_existing);
    clock_ = std::make_shared<mci::FakeClock>();
    mci::SetDefaultClock(clock_);
  }
  void TearDown() override {
    ShellRunTest::TearDown();
    mci::SetDefaultClock(nullptr);
  }

  std::shared_ptr<mci::FakeClock> clock_;
};

}  // namespace shelltest
