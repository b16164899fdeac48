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

  void Commit();
  void Rollback();

 private:
  std::shared_ptr<Connection> conn_;
  bool open_ = false;
};

}  // namespace dao
