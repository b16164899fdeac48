#include "common/Trace.h"

#include <new>
#include <string>
#include <vector>

#include "common/CommonState.h"
#include "platform/vb/Conversion.h"
#include "platform/vb/DateTime.h"
#include "platform/vb/Files.h"
#include "platform/vb/Interaction.h"
#include "shell/ShellState.h"

namespace common {

namespace {

constexpr uintmax_t kTraceFileLimit = 2000000;

std::function<void()>& HaltSlot() {
  static std::function<void()> h;
  return h;
}
bool g_halted = false;

// The orderly stop, at most once per run; does not unwind.
void CallHaltHandler() {
  if (g_halted) return;
  g_halted = true;
  if (HaltSlot()) HaltSlot()();
}

std::string CalledFormLine() { return "Called form '" + CurrProcName + "'"; }

// The error lines shared by both files: description, number, source, system code.
void AppendErrorLines(std::vector<std::string>& lines) {
  lines.push_back(ErrDescription);
  lines.push_back(vb::PrintNumber(ErrNumber));
  lines.push_back(ErrSource);
  lines.push_back(vb::PrintNumber(ErrLastDllError));
}

// Appends to the trace file when there is one. A trace that cannot be written (a full
// disk, a file that may not be written) is passed over: the message the user is owed
// still comes.
void AppendToTrace(const std::vector<std::string>& lines) {
  if (ErrorTraceFile.empty()) return;
  try {
    vb::AppendLines(ErrorTraceFile, lines);
  } catch (const vb::VbError&) {
  }
}

// The error filter of the runtime: fIgnorable, asked where an error arises.
bool FilterForRuntime() { return fIgnorable() != 0; }

struct FilterInstaller {
  FilterInstaller() { vb::SetErrorFilter(&FilterForRuntime); }
} g_filterInstaller;

void HandleAtBoundary(const vb::ErrObject& err, bool filtered) {
  try {
    vb::Err() = err;
    if (!filtered && fIgnorable()) return;
    vb::Err() = err;
    sReportProgramError();
  } catch (const ProgramHalt&) {
  } catch (const std::exception&) {
    // The reporting itself failed (for example an unwritable trace file): stop all the same.
    try {
      HaltProgram();
    } catch (const ProgramHalt&) {
    }
  }
}

}  // namespace

void sWriteTrace(int16_t code) {
  if (!(TraceAvailable && TraceOn)) return;
  if (ErrorTraceFile.empty()) return;
  if (vb::FileLen(ErrorTraceFile) > kTraceFileLimit) {
    vb::Message(std::string("Velmora seems to be caught in a loop. Please invoke the Task Manager by pressing "
                            "Ctrl-Alt-Del and terminate the Task in Task List. Email the file ErrTrace.txt in the "
                            "Velmora program folder to Altrica at ") +
                kSupportAddress + " for debugging the problem. Thank you.");
    vb::End(1);
  }
  if (code == 1) {
    ++TraceDepth;
    TraceIndent += "    ";
    vb::AppendLines(ErrorTraceFile, {TraceIndent + "Entering " + CurrProcName + "(" + std::to_string(TraceDepth) + ")"});
  } else if (code == 2) {
    vb::AppendLines(ErrorTraceFile, {TraceIndent + "Exiting(" + std::to_string(TraceDepth) + ")"});
    if (TraceIndent.size() >= 4) {
      TraceIndent.resize(TraceIndent.size() - 4);
      --TraceDepth;
    }
  }
}

ProcTrace::ProcTrace(const char* name, Name mode) : uncaught_(std::uncaught_exceptions()) {
  if (mode == Name::Store) {
    CurrProcName = name;
    sWriteTrace(1);
  } else {
    // The entry line names this procedure, but CurrProcName keeps the failing one.
    std::string kept = CurrProcName;
    CurrProcName = name;
    try {
      sWriteTrace(1);
    } catch (...) {
      CurrProcName = kept;
      throw;
    }
    CurrProcName = kept;
  }
}

ProcTrace::~ProcTrace() noexcept(false) {
  if (std::uncaught_exceptions() == uncaught_) sWriteTrace(2);
}

int16_t fIgnorable() {
  ProcTrace t("fIgnorable", ProcTrace::Name::Keep);
  sFillErrorParam();
  if (ErrNumber == vb::kOverflow || ErrNumber == vb::kDivisionByZero || ErrNumber == vb::kQuerySyntax) {
    ++IgnorableErrorCount;
    std::vector<std::string> lines{"", "Ignorable Error No. " + std::to_string(IgnorableErrorCount),
                                   vb::DateLineNow(), CalledFormLine()};
    AppendErrorLines(lines);
    if (!shell::DataFolder.empty()) vb::AppendLines(vb::JoinPath(shell::DataFolder, "ignoerr.txt"), lines);
    return -1;
  }
  if (ErrNumber == vb::kPreparatoryStep) {
    vb::Message(std::string("you have encountered a program error that requires you to carry out another "
                            "preparatory step. Please contact Altrica Inc. at ") +
                kSupportAddress + ". You will be supplied with the necessary information.");
    CallHaltHandler();
  }
  return 0;
}

void sFillErrorParam() {
  ProcTrace t("sFillErrorParam", ProcTrace::Name::Keep);
  const vb::ErrObject& e = vb::Err();
  ErrDescription = e.Description;
  ErrNumber = e.Number;
  ErrSource = e.Source;
  ErrLastDllError = e.LastDllError;
}

void sReportProgramError() {
  sReportFatalError("A program error has occured in procedure '" + CurrProcName +
                    "'. Program execution will be halted, and error trace will be appended to file 'errtrace.txt'. "
                    "Please e-mail that file to " + kSupportAddress + " and try running Velmora again.");
}

void sReportFatalError(const std::string& message) {
  AppendToTrace({""});
  if (ReportedErrorCount > 5) {
    AppendToTrace({"Error trap loop encountered. Stopping program."});
    vb::End(1);
  }
  std::vector<std::string> lines{vb::DateLineNow(), CalledFormLine()};
  AppendErrorLines(lines);
  AppendToTrace(lines);
  vb::Message(message);
  ++ReportedErrorCount;
  HaltProgram();
}

void RecordError(const vb::ErrObject& err) {
  ErrDescription = err.Description;
  ErrNumber = err.Number;
  ErrSource = err.Source;
  ErrLastDllError = err.LastDllError;
  std::vector<std::string> lines{"", vb::DateLineNow(), CalledFormLine()};
  AppendErrorLines(lines);
  AppendToTrace(lines);
}

void SetHaltHandler(std::function<void()> handler) { HaltSlot() = std::move(handler); }

void HaltProgram() {
  CallHaltHandler();
  throw ProgramHalt{};
}

bool ProgramHalted() { return g_halted; }

void ResetHalt() { g_halted = false; }

bool fRunOrTell(const std::function<void()>& body, const std::function<void(const vb::ErrObject&)>& told) {
  const int16_t depth = TraceDepth;
  const std::string indent = TraceIndent;
  const std::string procedure = CurrProcName;
  try {
    body();
    return true;
  } catch (const vb::VbError& e) {
    vb::Err().Clear();
    TraceDepth = depth;
    TraceIndent = indent;
    CurrProcName = procedure;
    told(e.err());
    return false;
  }
}

bool RunEvent(const std::function<void()>& handler) {
  if (g_halted) return false;
  try {
    handler();
    return true;
  } catch (const ProgramHalt&) {
  } catch (const vb::VbError& e) {
    HandleAtBoundary(e.err(), e.filtered());
  } catch (const std::bad_alloc&) {
    HandleAtBoundary(vb::MakeError(vb::kOutOfMemory), false);
  } catch (const std::exception& e) {
    HandleAtBoundary(vb::MakeError(vb::kInternalError, e.what()), false);
  }
  return false;
}

}  // namespace common

namespace common {
void StartErrorTraceFile(const std::string& path) {
  vb::WriteLines(path, {"", "Opened Error Trace File", vb::DateLineNow(), ""});
}
}  // namespace common
