// The statement seam and the kill harness built on it: each statement carried out is
// reported once, and a kill after each one finds a save without a transaction half done
// while a save in one transaction is always whole.
#include <algorithm>
#include <string>
#include <vector>

#include "DaoTest.h"
#include "platform/dao/StatementSeam.h"
#include "platform/dao/Transaction.h"
#include "support/KillHarness.h"

namespace daotest {
namespace {

using testsupport::KillHarness;

class StatementSeamTest : public DaoTest {
 protected:
  void TearDown() override {
    dao::AfterStatement = nullptr;
    DaoTest::TearDown();
  }
};

TEST_F(StatementSeamTest, ReportsEachStatementCarriedOutOnceWithItsFile) {
  dao::Database db = Make("CREATE TABLE t (a INTEGER); INSERT INTO t VALUES (1), (2), (3);");
  std::vector<std::string> seen;
  dao::AfterStatement = [&](const std::string& file, const std::string& sql) {
    EXPECT_EQ(file, Path("t.kzy"));
    seen.push_back(sql);
  };
  auto rs = db.OpenRecordset("SELECT a FROM t", dao::dbOpenSnapshot);  // three rows, one statement
  const size_t afterQuery = seen.size();
  EXPECT_GE(afterQuery, 1u);
  db.Execute("UPDATE t SET a = a + 1");
  ASSERT_EQ(seen.size(), afterQuery + 1);
  EXPECT_EQ(seen.back(), "UPDATE t SET a = a + 1");
  EXPECT_FALSE(testsupport::ChangesTheDatabase("SELECT 1"));
  EXPECT_FALSE(testsupport::ChangesTheDatabase("PRAGMA table_info(t)"));
  EXPECT_TRUE(testsupport::ChangesTheDatabase("PRAGMA locking_mode = EXCLUSIVE"));
  EXPECT_TRUE(testsupport::ChangesTheDatabase("RELEASE velmora_transaction"));
  EXPECT_TRUE(testsupport::ChangesTheDatabase(seen.back()));
  rs.Close();
  db.Close();
}

// Two rows set to 1, with or without a transaction around them; the rows after a kill
// at each statement.
std::vector<std::string> RowsAfterEachKill(const std::string& file, bool inTransaction) {
  std::vector<std::string> states;
  for (int k = 1; k <= 8; ++k) {
    testsupport::RunSql(file, "DROP TABLE IF EXISTS t; CREATE TABLE t (a INTEGER); INSERT INTO t VALUES (0), (0);");
    const KillHarness::Outcome outcome = KillHarness::Run(k, [&] {
      dao::Database db = dao::Database::OpenDatabase(file, true, false);
      KillHarness::Arm(file);
      if (inTransaction) {
        dao::Transaction t(db);
        db.Execute("UPDATE t SET a = 1 WHERE rowid = 1");
        db.Execute("UPDATE t SET a = 1 WHERE rowid = 2");
        t.Commit();
      } else {
        db.Execute("UPDATE t SET a = 1 WHERE rowid = 1");
        db.Execute("UPDATE t SET a = 1 WHERE rowid = 2");
      }
      db.Close();
    });
    EXPECT_EQ(testsupport::IntegrityOf(file), "ok");
    states.push_back(testsupport::RowsOf(file, "SELECT a FROM t ORDER BY rowid"));
    if (!outcome.killed) break;
  }
  return states;
}

TEST_F(StatementSeamTest, AKillAfterEachStatementFindsASaveWithoutATransactionHalfDone) {
  const auto loose = RowsAfterEachKill(Path("k.kzy"), false);
  EXPECT_NE(std::find(loose.begin(), loose.end(), "1\n0\n"), loose.end()) << "the mixture is found";
  for (const std::string& state : RowsAfterEachKill(Path("k.kzy"), true))
    EXPECT_TRUE(state == "0\n0\n" || state == "1\n1\n") << state;
}

}  // namespace
}  // namespace daotest
