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
#include "support/ErrorNumber.h"
#include "support/ScratchFolder.h"
#include "shell/ShellState.h"

namespace testsupport {

// Thrown by the test End handler.
struct ProgramEnded {
  int code;
};

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
    folder_ = MakeScratchFolder();
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

  // The texts of the message boxes shown, in order.
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(m.prompt);
    return out;
  }

  std::filesystem::path folder_;
  std::vector<Message> messages;
  int halts = 0;
};

// How often the trace file records an entry into the procedure (tracing on).
inline int TraceEntries(const std::string& procedure) {
  if (!vb::FileExists(common::ErrorTraceFile)) return 0;
  int n = 0;
  for (const auto& line : vb::ReadLines(common::ErrorTraceFile))
    if (line.find("Entering " + procedure + "(") != std::string::npos) ++n;
  return n;
}

}  // namespace testsupport
