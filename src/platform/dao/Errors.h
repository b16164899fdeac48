// The database errors with the Windows-era numbers that the program's error handling
// expects, and the mapping of SQLite result codes onto them.
#pragma once

#include <cstdint>
#include <string>

struct sqlite3;

namespace dao {

// Numbers beyond those of vb::ErrNo that only the database layer raises.
enum DaoErrNo : int32_t {
  kReservedError = 3000,       // an engine failure without a number of its own
  kInvalidArgument = 3001,
  kNoCurrentIndex = 3019,      // Seek without an Index
  kUpdateWithoutEdit = 3020,   // Update or SetField without AddNew or Edit
  kDiskFull = 3026,
  kNoTransaction = 3034,       // commit or rollback without a transaction
  kDiskError = 3043,
  kDamagedDatabase = 3049,
  kTooFewParameters = 3061,    // an unknown column name in a query
  kTableNotFound = 3078,
  kRecordDeleted = 3167,
  kInstallableIsam = 3170,     // a connect string of an unknown kind
  kCurrentlyLocked = 3218,
  kInvalidOperation = 3219,
  kNotSupported = 3251,        // for example Seek on a snapshot
  kItemNotFound = 3265,        // no field of that name
  kNullNotAllowed = 3314,
  kValidationRule = 3317,
  kUnrecognizedFormat = 3343,
  kObjectInvalid = 3420,       // a closed recordset or database
  kConversionError = 3421,     // a text that is not a number for a numeric field
  kNotAnIndex = 3800,
};

// Raises a vb::VbError with the number and description; never passed over.
[[noreturn]] void RaiseDbError(int32_t number, const std::string& description);

// Raises the error that matches an SQLite result code; what names the action or file
// in the description.
[[noreturn]] void RaiseSqlite(int rc, sqlite3* db, const std::string& what);
// The same with the engine's own words for the failure.
[[noreturn]] void RaiseSqlite(int rc, const std::string& detail, const std::string& what);

}  // namespace dao
