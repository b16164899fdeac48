// Transaction: changes to one database that are kept together or not at all.
// It begins in its constructor and is rolled back by its destructor unless Commit
// was called; destructors never throw. Transactions nest (an inner one is a savepoint
// of the outer one).
//
//   dao::Transaction t(db);
//   ... rs.AddNew(); ...; rs.Update(); ...
//   t.Commit();
//
// Committing or rolling back twice raises 3034. Thread-safety: UI thread only.
#pragma once

#include <memory>

#include "platform/dao/Database.h"

namespace dao {

class Transaction {
 public:
  explicit Transaction(const Database& db);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  // Keeps the changes. When that fails (a deferred rule is broken, the disk is
  // full) the changes are rolled back, the transaction ends and the error is raised.
  void Commit();
  void Rollback();

 private:
  // Rolls the changes back and ends the transaction; it stays open when this fails.
  void Undo();

  std::shared_ptr<Connection> conn_;
  bool open_ = false;
};

}  // namespace dao
