#include "platform/vb/Error.h"

#include <utility>

namespace vb {

namespace {
ErrorFilter g_filter = nullptr;
}

std::string DefaultDescription(int32_t number) {
  switch (number) {
    case kInvalidCall: return "Invalid procedure call or argument";
    case kOverflow: return "Overflow";
    case kOutOfMemory: return "Out of memory";
    case kSubscript: return "Subscript out of range";
    case kDivisionByZero: return "Division by zero";
    case kInternalError: return "Internal error";
    case kTypeMismatch: return "Type mismatch";
    case kFileNotFound: return "File not found";
    case kFileAlreadyOpen: return "File already open";
    case kDiskFull: return "Disk full";
    case kBadFileName: return "Bad file name";
    case kPermissionDenied: return "Permission denied";
    case kPathFileAccess: return "Path/File access error";
    case kPathNotFound: return "Path not found";
    case kObjectNotSet: return "Object variable or With block variable not set";
    case kInvalidUseOfNull: return "Invalid use of Null";
    case kControlArrayElement: return "Control array element does not exist";
    case kNotAnArray: return "Object not an array";
    case kAlreadyLoaded: return "Object already loaded";
    case kInvalidPropertyValue: return "Invalid property value";
    case kInvalidArrayIndex: return "Invalid property array index";
    case kNotSupported: return "Object doesn't support this property or method";
    case kInvalidPicture: return "Invalid picture";
    case kControlNotFound: return "Control not found";
    case kNoCurrentRecord: return "No current record.";
    case kDuplicateKey: return "The changes you requested to the table were not successful because they would create duplicate values in the index, primary key, or relationship.";
    case kCannotFindFile:
    case kCannotFindFileAlt: return "Could not find file.";
    case kReadOnlyDatabase: return "Cannot update. Database or object is read-only.";
    case kFileInUse: return "The database engine could not open the file. It is already opened exclusively by another user, or you need permission to view its data.";
    case kQuerySyntax: return "Syntax error in query expression.";
    default: return "Application-defined or object-defined error";
  }
}

VbError::VbError(ErrObject err)
    : std::runtime_error(err.Description.empty() ? DefaultDescription(err.Number) : err.Description),
      err_(std::move(err)) {}

ErrObject& Err() {
  static ErrObject err;
  return err;
}

ErrObject MakeError(int32_t number, std::string description, std::string source, int32_t lastDllError) {
  ErrObject e;
  e.Number = number;
  e.Description = description.empty() ? DefaultDescription(number) : std::move(description);
  e.Source = std::move(source);
  e.LastDllError = lastDllError;
  return e;
}

void SetErrorFilter(ErrorFilter filter) { g_filter = filter; }

void Signal(ErrObject err) {
  Err() = err;
  if (g_filter != nullptr && g_filter()) {
    Err().Clear();
    return;
  }
  VbError e(std::move(err));
  e.setFiltered();
  throw e;
}

void Raise(ErrObject err) {
  Err() = err;
  throw VbError(std::move(err));
}

}  // namespace vb
