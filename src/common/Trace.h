// The procedure trace and the error reporting that every procedure uses.
//
// Every procedure begins with a ProcTrace guard: it stores the procedure's name in
// CurrProcName, writes the entry line, and writes the exit line only when the
// procedure returns normally (not while an error unwinds it).
//
// Errors are vb::VbError exceptions. Ignorable ones (6, 11, 3075) are decided where
// they arise, through vb::Signal, which asks fIgnorable. Every other error travels to
// the event boundary (RunEvent), which reports it and halts the program.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

#include "platform/vb/Error.h"

namespace common {

// Writes one trace line: code 1 on entry, 2 on exit of a procedure.
void sWriteTrace(int16_t code);

// True (-1) when the pending error (vb::Err()) is to be passed over; records it
// in "ignoerr.txt". Error 3633 shows the preparatory-step message and halts.
int16_t fIgnorable();
// Copies the pending error into ErrDescription, ErrNumber, ErrSource, ErrLastDllError.
void sFillErrorParam();
// Records the error that fIgnorable left, tells the user and halts.
void sReportProgramError();
// The same with a message of its own, for a failure the user can mend (a damaged or
// missing file): the record goes to "errtrace.txt" as for a program error. A trace
// file that cannot be written does not keep the message from being shown.
[[noreturn]] void sReportFatalError(const std::string& message);
// Appends the record of an error that the program has handled itself (and told the
// user of) to "errtrace.txt", as a reported error's record; the run goes on. A trace
// file that cannot be written is passed over.
void RecordError(const vb::ErrObject& err);

class ProcTrace {
 public:
  // Procedures of the error reporting itself trace without taking the name, so
  // that a record names the procedure in which the error arose.
  enum class Name { Store, Keep };
  explicit ProcTrace(const char* name, Name mode = Name::Store);
  ~ProcTrace() noexcept(false);
  ProcTrace(const ProcTrace&) = delete;
  ProcTrace& operator=(const ProcTrace&) = delete;

 private:
  int uncaught_;
};

// Thrown by a halt so that the whole running event unwinds; the event boundary
// swallows it. Halting twice is harmless.
struct ProgramHalt {};

// Installs the orderly stop after a fatal error (the shell's sHaltProgramExecution:
// unload the screens back to the main form, delete the last played file, unload the
// main form). Without one a halt only marks the program halted.
void SetHaltHandler(std::function<void()> handler);
// Calls the halt handler (once per run), marks the program halted and throws ProgramHalt.
[[noreturn]] void HaltProgram();
bool ProgramHalted();
// For tests: forget an earlier halt.
void ResetHalt();

// The event boundary: every form event, timer tick and media notification runs its
// handler through here. An error that reaches it is reported (sReportProgramError)
// and the program halts; the call then returns. Returns false when the event ended
// in an error or a halt.
bool RunEvent(const std::function<void()>& handler);

// Runs body and hands an error it raises to told instead of the event boundary: the
// pending error is cleared and the trace depth and current procedure are as they were
// before the call. For a step whose failure the user is told of and can mend (a save
// that the disk refused); false after told.
bool fRunOrTell(const std::function<void()>& body, const std::function<void(const vb::ErrObject&)>& told);

// Texts of the messages, with the support address.
inline constexpr const char* kSupportAddress = "support@velmora.example";

}  // namespace common

namespace common {
// Creates the trace file anew with its start header: an empty line,
// "Opened Error Trace File", the date line, an empty line.
void StartErrorTraceFile(const std::string& path);
}  // namespace common
