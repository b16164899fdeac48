#include "DaoTest.h"
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

}  // namespace
