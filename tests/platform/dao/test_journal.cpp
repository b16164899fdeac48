// The journal left by a save cut short, judged before SQLite would roll it into the file
// beside it: the stamp every write transaction gives the file, and journals that belong
// to their database (a commit killed before or while it writes the file, in the first or
// a later transaction of a run) against those that do not (a restored backup, another
// database, none at all, a journal that is a link, a FIFO or no journal).
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>

#include "DaoTest.h"
#include "platform/dao/Journal.h"
#include "platform/dao/Transaction.h"
#include "support/KillHarness.h"

namespace daotest {
namespace {

namespace fs = std::filesystem;
using testsupport::KillHarness;
using testsupport::RowsOf;

std::string Contents(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

uint32_t StampOf(const std::string& file) {
  const std::string rows = RowsOf(file, "PRAGMA user_version");
  return static_cast<uint32_t>(std::stoll(rows));
}

TEST(NextStampTest, FollowsAChainOfItsOwnFromARandomStart) {
  const uint32_t first = dao::NextStamp(0);
  EXPECT_NE(first, 0u);
  uint32_t s = first;
  for (int i = 0; i < 1000; ++i) {
    const uint32_t next = dao::NextStamp(s);
    EXPECT_NE(next, 0u);
    EXPECT_NE(next, s);
    EXPECT_EQ(dao::NextStamp(s), next) << "the same stamp always has the same next one";
    s = next;
  }
}

class JournalTest : public DaoTest {
 protected:
  void SetUp() override {
    DaoTest::SetUp();
    testsupport::SqliteWriteSeam::Set(nullptr);  // in place before any file is opened
    std::string sql = "CREATE TABLE t (a INTEGER, b TEXT);";
    for (int i = 0; i < 40; ++i) sql += "INSERT INTO t VALUES (" + std::to_string(i) + ", printf('%0600d', 0));";
    testsupport::RunSql(Db(), sql);
    Save("first");  // the file's own stamp
  }
  void TearDown() override {
    testsupport::SqliteWriteSeam::Set(nullptr);
    DaoTest::TearDown();
  }

  std::string Db() const { return Path("t.kzy"); }
  std::string Journal() const { return dao::JournalName(Db()); }
  std::string Rows() const { return RowsOf(Db(), "SELECT a, substr(b, 1, 8) FROM t ORDER BY a"); }

  // One save of every row in one transaction.
  void Save(const std::string& value) {
    dao::Database db = dao::Database::OpenDatabase(Db(), true, false);
    dao::Transaction t(db);
    db.Execute("UPDATE t SET b = '" + value + "' || b");
    t.Commit();
    db.Close();
  }

  // The same save in a child, killed just before its n-th write to the file; with
  // earlier, after a save of the same run that was not cut short.
  void KilledSave(int n, bool earlier = false) {
    const KillHarness::Outcome outcome = KillHarness::Run(0, [&] {
      dao::Database db = dao::Database::OpenDatabase(Db(), true, false);
      if (earlier) {
        dao::Transaction t(db);
        db.Execute("UPDATE t SET b = 'earlier' || b WHERE a = 1");
        t.Commit();
      }
      testsupport::KillAtDatabaseWrite(Db(), n);
      dao::Transaction t(db);
      db.Execute("UPDATE t SET b = 'killed' || b");
      t.Commit();
    });
    ASSERT_TRUE(outcome.killed) << "the save was not cut short before write " << n;
    ASSERT_TRUE(fs::exists(Journal()));
  }
};

TEST_F(JournalTest, EveryTransactionStampsTheFileWithTheNextStamp) {
  const uint32_t start = StampOf(Db());
  ASSERT_NE(start, 0u);
  dao::Database db = dao::Database::OpenDatabase(Db(), true, false);
  db.Execute("UPDATE t SET a = a WHERE a = 0");  // without a transaction of the caller's
  db.Close();
  const uint32_t one = StampOf(Db());
  EXPECT_EQ(one, dao::NextStamp(start));

  db = dao::Database::OpenDatabase(Db(), true, false);
  {
    dao::Transaction refused(db);
    db.Execute("UPDATE t SET a = a WHERE a = 1");
  }  // rolled back: no new state, no new stamp
  {
    dao::Transaction outer(db);
    {
      dao::Transaction inner(db);
      db.Execute("UPDATE t SET a = a WHERE a = 2");
    }  // the inner one, with the transaction's first change, rolled back
    db.Execute("UPDATE t SET a = a WHERE a = 3");
    outer.Commit();
  }
  EXPECT_NE(testsupport::ErrorNumber([&] { db.Execute("INSERT INTO t (a, b) VALUES (1, NULL, 3)"); }), 0);
  db.Close();
  EXPECT_EQ(StampOf(Db()), dao::NextStamp(one));
}

TEST_F(JournalTest, WithoutAJournalThereIsNothingToJudge) {
  const dao::JournalState state = dao::ExamineJournal(Db());
  EXPECT_FALSE(state.present);
  EXPECT_FALSE(state.hot);
  EXPECT_EQ(state.fault, "");
}

// The journal of a save killed at each moment of its commit belongs to the file, and
// rolled back it gives the state before the save.
struct KillCase {
  const char* name;
  int write;     // the write to the file before which the save is killed
  bool earlier;  // a save of the same run came before
};

class BelongingJournalTest : public JournalTest, public ::testing::WithParamInterface<KillCase> {};

TEST_P(BelongingJournalTest, BelongsAndRollsBackToTheStateBefore) {
  const std::string before = Rows();
  KilledSave(GetParam().write, GetParam().earlier);
  const std::string file = Contents(Db());
  const dao::JournalState state = dao::ExamineJournal(Db());
  EXPECT_TRUE(state.present);
  EXPECT_TRUE(state.hot);
  EXPECT_EQ(state.fault, "");
  EXPECT_EQ(Contents(Db()), file) << "examining writes nothing";
  EXPECT_EQ(testsupport::IntegrityOf(Db()), "ok");
  const std::string after = Rows();
  if (GetParam().earlier) {
    EXPECT_NE(after, before);
    EXPECT_EQ(after.find("killed"), std::string::npos);
  } else {
    EXPECT_EQ(after, before);
  }
}

INSTANTIATE_TEST_SUITE_P(Dao, BelongingJournalTest,
                         ::testing::Values(KillCase{"BeforeTheFileIsWritten", 1, false},
                                           KillCase{"AfterPageOneIsWritten", 2, false},
                                           KillCase{"AfterMostPagesAreWritten", 6, false},
                                           KillCase{"InALaterTransactionOfTheRun", 2, true},
                                           KillCase{"BeforeALaterTransactionWritesTheFile", 1, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The next opening rolls the journal back and is killed in the middle of that: page 1
// has its stamp from before again, other pages are still the new ones. The journal still
// belongs, and the rollback done again gives the state before the save.
TEST_F(JournalTest, AJournalWhoseRollbackWasCutShortStillBelongs) {
  const std::string before = Rows();
  KilledSave(4);
  const KillHarness::Outcome rollback = KillHarness::Run(0, [&] {
    testsupport::KillAtDatabaseWrite(Db(), 2);
    dao::Database::OpenDatabase(Db(), true, false);
  });
  ASSERT_TRUE(rollback.killed);
  const dao::JournalState state = dao::ExamineJournal(Db());
  EXPECT_TRUE(state.hot);
  EXPECT_EQ(state.fault, "");
  EXPECT_EQ(testsupport::IntegrityOf(Db()), "ok");
  EXPECT_EQ(Rows(), before);
}

// A journal that does not belong, or cannot be judged, is refused and neither file is
// touched.
struct ForeignCase {
  const char* name;
  std::function<void(JournalTest&, const std::string& backup)> place;
  const char* fault;
};

class ForeignJournalTest : public JournalTest, public ::testing::WithParamInterface<ForeignCase> {
 public:
  using JournalTest::Db;
  using JournalTest::Journal;
  using JournalTest::KilledSave;
  using JournalTest::Path;
};

TEST_P(ForeignJournalTest, IsRefusedAndNothingIsTouched) {
  const std::string backup = Path("backup.kzy");
  fs::copy_file(Db(), backup);
  Save("later");  // the backup is older than the file the save is cut short in
  GetParam().place(*this, backup);
  const std::string file = fs::exists(Db()) ? Contents(Db()) : "";
  struct stat journal {};
  lstat(Journal().c_str(), &journal);
  const dao::JournalState state = dao::ExamineJournal(Db());
  EXPECT_TRUE(state.present);
  EXPECT_TRUE(state.hot);
  EXPECT_NE(state.fault.find(GetParam().fault), std::string::npos) << state.fault;
  EXPECT_EQ(fs::exists(Db()) ? Contents(Db()) : "", file);
  struct stat still {};
  lstat(Journal().c_str(), &still);
  EXPECT_EQ(still.st_size, journal.st_size);
  EXPECT_EQ(still.st_mode, journal.st_mode);
}

// A save cut short before its write-th write to the file, then the backup put in the
// file's place.
void RestoreAfterAKill(JournalTest& t, const std::string& backup, int write) {
  auto& f = static_cast<ForeignJournalTest&>(t);
  f.KilledSave(write);
  fs::copy_file(backup, f.Db(), fs::copy_options::overwrite_existing);
}

INSTANTIATE_TEST_SUITE_P(
    Dao, ForeignJournalTest,
    ::testing::Values(
        ForeignCase{"BesideARestoredBackup",
                    [](JournalTest& t, const std::string& backup) { RestoreAfterAKill(t, backup, 1); },
                    "does not belong to the database"},
        ForeignCase{"BesideARestoredBackupWhileTheFileWasWritten",
                    [](JournalTest& t, const std::string& backup) { RestoreAfterAKill(t, backup, 3); },
                    "does not belong to the database"},
        ForeignCase{"BesideAnotherDatabase",
                    [](JournalTest& t, const std::string&) {
                      auto& f = static_cast<ForeignJournalTest&>(t);
                      f.KilledSave(2);
                      testsupport::RunSql(f.Path("other.kzy"),
                                          "CREATE TABLE t (a INTEGER, b TEXT); INSERT INTO t VALUES (1, 'x');");
                      fs::rename(f.Path("other.kzy"), f.Db());
                    },
                    "does not belong to the database"},
        ForeignCase{"WithoutItsDatabase",
                    [](JournalTest& t, const std::string&) {
                      auto& f = static_cast<ForeignJournalTest&>(t);
                      f.KilledSave(2);
                      fs::rename(f.Db(), f.Path("moved.kzy"));
                    },
                    "without its database"},
        ForeignCase{"BesideAnEmptyFile",
                    [](JournalTest& t, const std::string&) {
                      auto& f = static_cast<ForeignJournalTest&>(t);
                      f.KilledSave(2);
                      fs::resize_file(f.Db(), 0);
                    },
                    "without its database"},
        ForeignCase{"ThatIsALink",
                    [](JournalTest& t, const std::string&) {
                      auto& f = static_cast<ForeignJournalTest&>(t);
                      f.KilledSave(2);
                      fs::rename(f.Journal(), f.Path("elsewhere"));
                      fs::create_symlink(f.Path("elsewhere"), f.Journal());
                    },
                    "it is a link"},
        ForeignCase{"ThatIsAFifo",
                    [](JournalTest& t, const std::string&) {
                      mkfifo(static_cast<ForeignJournalTest&>(t).Journal().c_str(), 0600);
                    },
                    "it is not a file"},
        ForeignCase{"ThatIsNoJournal",
                    [](JournalTest& t, const std::string&) {
                      std::mt19937 random(5);
                      std::string bytes(5000, '\0');
                      for (char& c : bytes) c = static_cast<char>(random() | 1);
                      std::ofstream(static_cast<ForeignJournalTest&>(t).Journal(), std::ios::binary) << bytes;
                    },
                    "is not a journal"}),
    [](const auto& info) { return std::string(info.param.name); });

// A journal whose header is zeroed (a commit done in exclusive mode) is not rolled back.
TEST_F(JournalTest, AJournalOfACommittedSaveIsNotHot) {
  const KillHarness::Outcome outcome = KillHarness::Run(0, [&] {
    dao::Database db = dao::Database::OpenDatabase(Db(), true, false);
    db.Execute("UPDATE t SET b = 'done' || b");
    raise(SIGKILL);  // before the file is closed, which removes the journal
  });
  ASSERT_TRUE(outcome.killed);
  ASSERT_TRUE(fs::exists(Journal()));
  const dao::JournalState state = dao::ExamineJournal(Db());
  EXPECT_TRUE(state.present);
  EXPECT_FALSE(state.hot);
  EXPECT_EQ(state.fault, "");
}

}  // namespace
}  // namespace daotest
