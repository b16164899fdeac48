#include <sqlite3.h>

#include "DaoTest.h"
#include "platform/dao/Statement.h"
#include "platform/dao/Transaction.h"

namespace {

using daotest::ErrorNumber;

class TransactionTest : public daotest::DaoTest {};

TEST_F(TransactionTest, CommitsRollsBackAtScopeEndAndNests) {
  dao::Database db = Make("CREATE TABLE T (N INTEGER);");
  auto add = [&](int32_t n) {
    auto rs = db.OpenRecordset("T");
    rs.AddNew();
    rs.SetField("N", n);
    rs.Update();
  };
  {
    dao::Transaction t(db);
    add(1);
    t.Commit();
    EXPECT_EQ(ErrorNumber([&] { t.Commit(); }), 3034);
    EXPECT_EQ(ErrorNumber([&] { t.Rollback(); }), 3034);
  }
  {
    dao::Transaction t(db);
    add(2);
    {
      dao::Transaction inner(db);
      add(3);
      inner.Commit();
    }
    {
      dao::Transaction inner(db);
      add(4);
    }  // rolled back: 4 goes
    EXPECT_EQ(db.OpenRecordset("T").RecordCount(), 3);
  }  // rolled back: 2 and 3 go
  EXPECT_EQ(db.OpenRecordset("T").RecordCount(), 1);
  dao::Database nothing;
  EXPECT_EQ(ErrorNumber([&] { dao::Transaction t(nothing); }), 91);
}

// A commit the engine refuses (here a broken rule it checks only when committing)
// undoes the changes and ends the transaction, so that later work is not taken into
// a transaction that can never be committed.
TEST_F(TransactionTest, AFailedCommitRollsBackAndEndsTheTransaction) {
  dao::Database db = Make(
      "CREATE TABLE P (Id INTEGER PRIMARY KEY);"
      "CREATE TABLE C (P INTEGER REFERENCES P (Id) DEFERRABLE INITIALLY DEFERRED);");
  sqlite3* handle = db.connection()->db;
  ASSERT_EQ(sqlite3_exec(handle, "PRAGMA foreign_keys = ON", nullptr, nullptr, nullptr), SQLITE_OK);
  auto add = [&](const char* table, const char* field, int32_t n) {
    auto rs = db.OpenRecordset(table);
    rs.AddNew();
    rs.SetField(field, n);
    rs.Update();
  };
  {
    dao::Transaction t(db);
    add("C", "P", 7);  // no such parent
    EXPECT_EQ(ErrorNumber([&] { t.Commit(); }), 3317);
    EXPECT_EQ(sqlite3_get_autocommit(handle), 1) << "the transaction is still open";
    EXPECT_EQ(db.OpenRecordset("C").RecordCount(), 0);
    EXPECT_EQ(ErrorNumber([&] { t.Commit(); }), 3034);
  }
  {
    dao::Transaction t(db);
    add("P", "Id", 7);
    add("C", "P", 7);
    t.Commit();
  }
  EXPECT_EQ(sqlite3_get_autocommit(handle), 1);
  EXPECT_EQ(db.OpenRecordset("C").RecordCount(), 1);
}

}  // namespace
