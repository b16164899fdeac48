// Test support: a scratch data folder per test, a recorder of message boxes and an
// End that throws instead of stopping the test program.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/CommonState.h"
#include "common/Trace.h"
#include "platform/vb/Files.h"
#include "platform/vb/Interaction.h"
#include "shell/ShellState.h"

namespace testsupport {

// Thrown by the test End handler.
struct ProgramEnded {
  int code;
};

// The number of the vb::VbError that f raises, 0 when it raises none.
template <class F>
int ErrorNumberOf(F&& f) {
  try {
    f();
  } catch (const vb::VbError& e) {
    return e.err().Number;
  }
  return 0;
}

struct Message {
  std::string prompt;
  int buttons;
  std::string title;
};

// Gives each test an empty data folder, resets the trace and error state, and
// records message boxes. Tracing is off unless the test turns it on.
class ScratchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::current_path() / "scratch" / (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    shell::DataFolder = folder_.string();
    shell::ShareFolder = folder_.string();
    shell::ProgramFolder = folder_.string();
    common::ErrorTraceFile = (folder_ / "errtrace.txt").string();
    common::TraceAvailable = 0;
    common::TraceOn = 0;
    common::TraceIndent.clear();
    common::TraceDepth = 0;
    common::IgnorableErrorCount = 0;
    common::ReportedErrorCount = 0;
    common::CurrProcName.clear();
    common::ResetHalt();
    common::SetHaltHandler([this] { ++halts; });
    vb::SetMsgBoxHandler([this](const std::string& p, int b, const std::string& t) {
      messages.push_back({p, b, t});
      return static_cast<int>(vb::vbOK);
    });
    vb::SetEndHandler([](int code) { throw ProgramEnded{code}; });
  }

  void TearDown() override {
    vb::SetMsgBoxHandler({});
    vb::SetEndHandler({});
    common::SetHaltHandler({});
    common::ResetHalt();
    common::TraceAvailable = 0;
    common::TraceOn = 0;
  }

  void TraceOnNow() {
    common::TraceAvailable = -1;
    common::TraceOn = -1;
  }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  std::vector<std::string> Lines(const std::string& name) const {
    if (!vb::FileExists(Path(name))) return {};
    return vb::ReadLines(Path(name));
  }

  std::filesystem::path folder_;
  std::vector<Message> messages;
  int halts = 0;
};

}  // namespace testsupport
