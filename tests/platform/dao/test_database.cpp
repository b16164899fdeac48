#include <fstream>

#include "DaoTest.h"

namespace {

using daotest::ErrorNumber;

class DatabaseTest : public daotest::DaoTest {};

constexpr const char* kOneTable = "CREATE TABLE T (N INTEGER); INSERT INTO T VALUES (1);";

TEST_F(DatabaseTest, MissingFilesAndFoldersHaveTheirOwnNumbers) {
  EXPECT_EQ(ErrorNumber([&] { dao::Database::OpenDatabase(Path("none.kzy"), true, true); }), 3024);
  EXPECT_EQ(ErrorNumber([&] { dao::Database::OpenDatabase(Path("no/such/folder/x.kzy"), true, true); }), 3044);
}

TEST_F(DatabaseTest, AFileThatIsNoDatabaseIsRefusedAndLeftAlone) {
  {
    std::ofstream out(Path("junk.kzy"));
    out << "this is not a database file, just some text that is long enough to fill a header page";
  }
  const auto before = testsupport::ReadTextFile(Path("junk.kzy"));
  EXPECT_EQ(ErrorNumber([&] { dao::Database::OpenDatabase(Path("junk.kzy"), true, false); }), 3343);
  EXPECT_EQ(ErrorNumber([&] { dao::Database::OpenDatabase(Path("junk.kzy"), true, true); }), 3343);
  EXPECT_EQ(testsupport::ReadTextFile(Path("junk.kzy")), before);
}

TEST_F(DatabaseTest, ASecondExclusiveOpenIsRefusedWithFileInUseAndTheFileStaysWhole) {
  dao::Database first = Make(kOneTable);
  EXPECT_EQ(ErrorNumber([&] { dao::Database::OpenDatabase(Path("t.kzy"), true, false); }), 3051);
  EXPECT_EQ(ErrorNumber([&] { dao::Database::OpenDatabase(Path("t.kzy"), false, true); }), 3051);
  // The first program goes on working with the file.
  auto rs = first.OpenRecordset("T");
  rs.AddNew();
  rs.SetField("N", int32_t{2});
  rs.Update();
  EXPECT_EQ(rs.RecordCount(), 2);
  rs.Close();
  first.Close();
  // Once it is closed the file opens again, with both rows.
  dao::Database again = dao::Database::OpenDatabase(Path("t.kzy"), true, false);
  EXPECT_EQ(again.OpenRecordset("T").RecordCount(), 2);
}

TEST_F(DatabaseTest, ReadOnlyFilesShareTheirReadLock) {
  testsupport::RunSql(Path("a.kzy"), kOneTable);
  dao::Database a1 = dao::Database::OpenDatabase(Path("a.kzy"), true, true, "MS ACCESS;PWD=secret");
  dao::Database a2 = dao::Database::OpenDatabase(Path("a.kzy"), true, true, "MS ACCESS;PWD=secret");
  EXPECT_EQ(a1.OpenRecordset("T").RecordCount(), 1);
  EXPECT_EQ(a2.OpenRecordset("T").RecordCount(), 1);
}

TEST_F(DatabaseTest, ReadOnlyRefusesEveryChange) {
  testsupport::RunSql(Path("a.kzy"), kOneTable);
  dao::Database a = dao::Database::OpenDatabase(Path("a.kzy"), true, true);
  EXPECT_TRUE(a.ReadOnly());
  auto rs = a.OpenRecordset("T", dao::dbOpenTable);
  EXPECT_EQ(ErrorNumber([&] { rs.AddNew(); }), 3027);
  EXPECT_EQ(ErrorNumber([&] { rs.Edit(); }), 3027);
  EXPECT_EQ(ErrorNumber([&] { rs.Delete(); }), 3027);
  EXPECT_EQ(rs.RecordCount(), 1);
}

TEST_F(DatabaseTest, ConnectStringsOfAnotherKindAreRefused) {
  testsupport::RunSql(Path("a.kzy"), kOneTable);
  EXPECT_EQ(ErrorNumber([&] { dao::Database::OpenDatabase(Path("a.kzy"), false, true, ";PWD=x"); }), 0);
  EXPECT_EQ(ErrorNumber([&] { dao::Database::OpenDatabase(Path("a.kzy"), false, true, "ODBC;DSN=x"); }), 3170);
}

TEST_F(DatabaseTest, NoObjectClosedDatabasesAndUnknownTables) {
  dao::Database nothing;
  EXPECT_TRUE(nothing.IsNothing());
  EXPECT_EQ(ErrorNumber([&] { nothing.OpenRecordset("T"); }), 91);
  nothing.Close();  // harmless

  dao::Database db = Make(kOneTable);
  EXPECT_EQ(ErrorNumber([&] { db.OpenRecordset("Missing Table", dao::dbOpenTable); }), 3078);
  auto rs = db.OpenRecordset("t");  // table names in any letter case
  dao::Database copy = db;          // refers to the same open file
  copy.Close();
  EXPECT_FALSE(db.IsOpen());
  EXPECT_EQ(ErrorNumber([&] { db.OpenRecordset("T"); }), 3420);
  EXPECT_EQ(ErrorNumber([&] { rs.MoveFirst(); }), 3420);
  EXPECT_EQ(ErrorNumber([&] { (void)rs.Fields("N"); }), 3420);
}

}  // namespace
