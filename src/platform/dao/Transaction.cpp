#include "platform/dao/Transaction.h"

#include "platform/dao/Errors.h"
#include "platform/dao/Statement.h"
#include "platform/vb/Error.h"

namespace dao {

namespace {
constexpr const char* kWhat = "a transaction";
}

Transaction::Transaction(const Database& db) : conn_(db.connection()) {
  if (conn_ == nullptr) vb::Raise(vb::kObjectNotSet, "Object variable not set: the database is not open.");
  ExecuteSql(*conn_, "SAVEPOINT velmora_transaction", kWhat);
  open_ = true;
}

Transaction::~Transaction() {
  if (!open_) return;
  try {
    Rollback();
  } catch (...) {
    // A destructor must not throw; the connection rolls back what is left when it closes.
  }
}

void Transaction::Commit() {
  if (!open_) RaiseDbError(kNoTransaction, "Commit without a transaction: it has already ended.");
  try {
    ExecuteSql(*conn_, "RELEASE velmora_transaction", kWhat);
  } catch (...) {
    // The savepoint is still there: undo its changes, so that nothing later is
    // taken into a transaction that can never be committed, and report the failure.
    try {
      Undo();
    } catch (...) {
      // Still open: the destructor tries again.
    }
    throw;
  }
  open_ = false;
}

void Transaction::Rollback() {
  if (!open_) RaiseDbError(kNoTransaction, "Rollback without a transaction: it has already ended.");
  Undo();
}

void Transaction::Undo() {
  ExecuteSql(*conn_, "ROLLBACK TO velmora_transaction", kWhat);
  ExecuteSql(*conn_, "RELEASE velmora_transaction", kWhat);
  open_ = false;
}

}  // namespace dao
