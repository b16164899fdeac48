#include "platform/dao/Errors.h"

#include <sqlite3.h>

#include "platform/vb/Error.h"

namespace dao {

namespace {
constexpr const char* kSource = "Velmora database";
}

void RaiseDbError(int32_t number, const std::string& description) {
  vb::Raise(vb::MakeError(number, description, kSource));
}

void RaiseSqlite(int rc, sqlite3* db, const std::string& what) {
  RaiseSqlite(rc, db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc), what);
}

void RaiseSqlite(int rc, const std::string& detail, const std::string& what) {
  switch (rc) {
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
      RaiseDbError(vb::kDuplicateKey,
                   "The change was not saved because it would create a duplicate value in the index of " + what +
                       ".");
    case SQLITE_CONSTRAINT_NOTNULL:
      RaiseDbError(kNullNotAllowed, "A required field of " + what + " cannot be Null (" + detail + ").");
    default: break;
  }
  switch (rc & 0xff) {
    case SQLITE_CONSTRAINT: RaiseDbError(kValidationRule, "The change to " + what + " breaks a rule (" + detail + ").");
    case SQLITE_READONLY: RaiseDbError(vb::kReadOnlyDatabase, "Cannot update " + what + ": the database is read-only.");
    case SQLITE_BUSY:
    case SQLITE_LOCKED: RaiseDbError(kCurrentlyLocked, "Could not use " + what + ": it is locked.");
    case SQLITE_NOTADB: RaiseDbError(kUnrecognizedFormat, "Unrecognized database format: " + what + ".");
    case SQLITE_CORRUPT: RaiseDbError(kDamagedDatabase, "The database " + what + " is damaged.");
    case SQLITE_FULL: RaiseDbError(kDiskFull, "Not enough space on disk for " + what + ".");
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN: RaiseDbError(kDiskError, "Disk error while using " + what + " (" + detail + ").");
    case SQLITE_NOMEM: RaiseDbError(vb::kOutOfMemory, "");
    default: RaiseDbError(kReservedError, "Database engine error while using " + what + " (" + detail + ").");
  }
}

}  // namespace dao
