// The runtime's error model: an error object with the Windows-era number,
// description, source and last system error code, raised as one C++ exception type.
//
// Errors that the program passes over (see SetErrorFilter) are decided where they
// arise: a raising helper calls Signal(), which asks the installed filter; when the
// filter answers true the helper returns a neutral value and the caller goes on.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace vb {

// Error numbers the platform layers raise.
enum ErrNo : int32_t {
  kInvalidCall = 5,
  kOverflow = 6,
  kOutOfMemory = 7,
  kSubscript = 9,
  kDivisionByZero = 11,
  kInternalError = 51,
  kTypeMismatch = 13,
  kFileNotFound = 53,
  kFileAlreadyOpen = 55,
  kDiskFull = 61,
  kBadFileName = 64,
  kPermissionDenied = 70,
  kPathFileAccess = 75,
  kPathNotFound = 76,
  kObjectNotSet = 91,
  kInvalidUseOfNull = 94,
  kControlArrayElement = 340,
  kNotAnArray = 343,
  kAlreadyLoaded = 360,
  kInvalidPropertyValue = 380,
  kInvalidArrayIndex = 381,
  kNotSupported = 438,
  kInvalidPicture = 481,
  kControlNotFound = 730,
  kNoCurrentRecord = 3021,
  kDuplicateKey = 3022,
  kCannotFindFile = 3024,
  kReadOnlyDatabase = 3027,
  kCannotFindFileAlt = 3044,
  kFileInUse = 3051,
  kQuerySyntax = 3075,
  kPreparatoryStep = 3633,
};

// The pending error: what an error handler reads.
struct ErrObject {
  int32_t Number = 0;
  std::string Description;
  std::string Source;
  int32_t LastDllError = 0;

  void Clear() { *this = ErrObject{}; }
};

// The standard description of an error number ("Overflow" for 6), or
// "Application-defined or object-defined error" for numbers without one.
std::string DefaultDescription(int32_t number);

// The source named by errors that the program's own code raises.
inline constexpr const char* kDefaultSource = "Velmora";

class VbError : public std::runtime_error {
 public:
  explicit VbError(ErrObject err);
  const ErrObject& err() const noexcept { return err_; }
  // True once the error filter has seen the error and declined to pass it over,
  // so the event boundary does not ask a second time.
  bool filtered() const noexcept { return filtered_; }
  void setFiltered() noexcept { filtered_ = true; }

 private:
  ErrObject err_;
  bool filtered_ = false;
};

// The error object of the running program (Err).
ErrObject& Err();

// Builds an error object; an empty description takes the standard one.
ErrObject MakeError(int32_t number, std::string description = {},
                    std::string source = kDefaultSource, int32_t lastDllError = 0);

// Decides whether an error may be passed over; installed by the program's error
// reporting. It reads the pending error from Err(). Without a filter nothing is
// passed over.
using ErrorFilter = bool (*)();
void SetErrorFilter(ErrorFilter filter);

// Makes err the pending error and asks the filter. Returns normally when the
// error is passed over (the caller then goes on with a neutral value); throws
// VbError otherwise.
void Signal(ErrObject err);
inline void Signal(int32_t number, std::string description = {}) {
  Signal(MakeError(number, std::move(description)));
}

// Raises an error that is never passed over (Err.Raise in a place that must not go on).
[[noreturn]] void Raise(ErrObject err);
[[noreturn]] inline void Raise(int32_t number, std::string description = {}) {
  Raise(MakeError(number, std::move(description)));
}

}  // namespace vb
