#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

// Damage inside the file, past its first page: the open and the other tables do not
// see it, the integrity check does, and changes nothing.
TEST_F(DatabaseTest, TheIntegrityCheckFindsADamagedTableThatTheOpenDoesNotSee) {
  Make("CREATE TABLE A (N INTEGER); INSERT INTO A VALUES (1); CREATE TABLE B (N INTEGER); INSERT INTO B VALUES (2);")
      .Close();
  {
    dao::Database whole = dao::Database::OpenDatabase(Path("t.kzy"), true, true);
    EXPECT_NO_THROW(whole.CheckIntegrity());
  }
  {
    std::fstream file(Path("t.kzy"), std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(2 * 4096);  // page 3: the root of table B in a new file of 4096-byte pages
    const std::string garbage(4096, '\x07');
    file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
  }
  const auto before = testsupport::ReadTextFile(Path("t.kzy"));
  for (bool readOnly : {true, false}) {
    dao::Database db = dao::Database::OpenDatabase(Path("t.kzy"), true, readOnly);
    EXPECT_EQ(db.OpenRecordset("A", dao::dbOpenTable).Fields("N").ToLong(), 1);
    EXPECT_EQ(ErrorNumber([&] { db.CheckIntegrity(); }), 3049);
    db.Close();
    EXPECT_EQ(ErrorNumber([&] { db.CheckIntegrity(); }), 3420);
  }
  EXPECT_EQ(testsupport::ReadTextFile(Path("t.kzy")), before);
}

// An index entry that no longer agrees with its row: the quick check passes it, the
// thorough check does not (a file cut one byte short loses the last byte of an index entry).
TEST_F(DatabaseTest, TheThoroughCheckFindsAnIndexThatNoLongerAgreesWithItsTable) {
  Make("CREATE TABLE T (Name TEXT); CREATE UNIQUE INDEX \"T.PrimaryKey\" ON T (Name); "
       "INSERT INTO T VALUES ('a'), ('b');")
      .Close();
  std::filesystem::resize_file(Path("t.kzy"), std::filesystem::file_size(Path("t.kzy")) - 1);
  dao::Database db = dao::Database::OpenDatabase(Path("t.kzy"), true, true);
  EXPECT_NO_THROW(db.CheckIntegrity(dao::Database::Check::Quick));
  EXPECT_EQ(ErrorNumber([&] { db.CheckIntegrity(dao::Database::Check::Thorough); }), 3049);
}

// The schema check: what the schema text creates must be there, by name in any letter
// case; an index with its table, key columns and uniqueness. More does no harm.
TEST_F(DatabaseTest, TheSchemaCheckNamesTheFirstThingMissing) {
  const std::string schema =
      "CREATE TABLE \"A T\" (\"Id\" INTEGER, \"Name\" TEXT); CREATE UNIQUE INDEX \"A T.PrimaryKey\" ON \"A T\" "
      "(\"Id\"); CREATE INDEX \"A T.ByName\" ON \"A T\" (\"Name\"); CREATE TABLE B (N INTEGER); INSERT INTO B VALUES (1);";
  const struct {
    std::string file;
    int32_t number;
    const char* told;
  } cases[] = {
      {schema, 0, ""},
      {"CREATE TABLE \"a t\" (id INTEGER, NAME TEXT, Extra TEXT); CREATE UNIQUE INDEX \"a t.primarykey\" ON \"a t\" "
       "(id); CREATE INDEX \"A T.ByName\" ON \"a t\" (name); CREATE TABLE B (N INTEGER); CREATE TABLE C (X);",
       0, ""},
      {"CREATE TABLE \"A T\" (\"Id\" INTEGER, \"Name\" TEXT);", 3078, "The table 'B' is missing"},
      {"CREATE TABLE \"A T\" (\"Id\" INTEGER); CREATE TABLE B (N INTEGER);", 3265,
       "The column 'Name' of the table 'A T' is missing"},
      {"CREATE TABLE \"A T\" (\"Id\" INTEGER, \"Name\" TEXT); CREATE TABLE B (N INTEGER); CREATE INDEX \"A T.ByName\" "
       "ON \"A T\" (\"Name\");",
       3800, "The index 'A T.PrimaryKey' is missing"},
      {"CREATE TABLE \"A T\" (\"Id\" INTEGER, \"Name\" TEXT); CREATE TABLE B (N INTEGER); CREATE INDEX \"A "
       "T.PrimaryKey\" ON \"A T\" (\"Id\"); CREATE INDEX \"A T.ByName\" ON \"A T\" (\"Name\");",
       3800, "The index 'A T.PrimaryKey' is missing from"},
      {"CREATE TABLE \"A T\" (\"Id\" INTEGER, \"Name\" TEXT); CREATE TABLE B (N INTEGER); CREATE UNIQUE INDEX \"A "
       "T.PrimaryKey\" ON \"A T\" (\"Name\"); CREATE INDEX \"A T.ByName\" ON \"A T\" (\"Name\");",
       3800, "it is not the one the program needs"},
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::string name = "s" + std::to_string(n++) + ".kzy";
    testsupport::RunSql(Path(name), c.file);
    dao::Database db = dao::Database::OpenDatabase(Path(name), true, true);
    std::string told;
    int32_t number = 0;
    try {
      db.CheckSchema(schema);
    } catch (const vb::VbError& e) {
      number = e.err().Number;
      told = e.err().Description;
    }
    EXPECT_EQ(number, c.number) << c.file;
    EXPECT_NE(told.find(c.told), std::string::npos) << told;
    if (number != 0) {
      EXPECT_NE(told.find(Path(name)), std::string::npos) << "names the file: " << told;
    }
    db.Close();
  }
}

TEST_F(DatabaseTest, ExecuteRunsADefinitionAndRefusesAReadOnlyDatabase) {
  dao::Database db = Make(kOneTable);
  db.Execute("CREATE TABLE IF NOT EXISTS [New One] ([A Name] TEXT)");
  db.Execute("CREATE TABLE IF NOT EXISTS [New One] ([A Name] TEXT)");
  EXPECT_EQ(db.OpenRecordset("New One", dao::dbOpenTable).RecordCount(), 0);
  db.Close();
  dao::Database ro = dao::Database::OpenDatabase(Path("t.kzy"), true, true);
  EXPECT_EQ(ErrorNumber([&] { ro.Execute("CREATE TABLE Other (N INTEGER)"); }), 3027);
}

// Files and folders this user may not read or write. Tests may run as root, whom
// file modes do not stop, so each open runs in a child process with the rights of
// an ordinary user.
struct AccessCase {
  const char* name;
  std::filesystem::perms folder;
  std::filesystem::perms file;
  bool readOnly;
  int number;  // 0: opens

  friend void PrintTo(const AccessCase& c, std::ostream* os) { *os << c.name; }
};

class AccessTest : public daotest::DaoTest, public ::testing::WithParamInterface<AccessCase> {
 protected:
  static constexpr uid_t kNobody = 65534;

  static bool DropRoot() { return geteuid() != 0 || (setgid(kNobody) == 0 && setuid(kNobody) == 0); }

  // Whether a child process can take an ordinary user's rights here.
  static bool CanDropRoot() {
    const pid_t child = fork();
    if (child == 0) _exit(DropRoot() ? 0 : 1);
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }

  // The error number of the open as an ordinary user; its description goes to stderr.
  [[noreturn]] static void OpenAsOrdinaryUser(const std::string& file, bool readOnly) {
    if (!DropRoot()) std::_Exit(99);
    try {
      dao::Database::OpenDatabase(file, true, readOnly).Close();
    } catch (const vb::VbError& e) {
      std::fprintf(stderr, "%d %s\n", e.err().Number, e.err().Description.c_str());
      std::_Exit(e.err().Number % 256);
    }
    std::_Exit(0);
  }
};

TEST_P(AccessTest, IsReportedAsItselfAndNotAsALock) {
  if (!CanDropRoot()) GTEST_SKIP() << "no ordinary user's rights to be had here";
  namespace fs = std::filesystem;
  const fs::path folder = folder_ / "access";
  const fs::path file = folder / "t.kzy";
  fs::create_directories(folder);
  testsupport::RunSql(file.string(), kOneTable);
  fs::permissions(file, GetParam().file);
  fs::permissions(folder, GetParam().folder);
  const std::string expected =
      GetParam().number == 0 ? std::string() : std::to_string(GetParam().number) + " .*" + file.string();
  EXPECT_EXIT(OpenAsOrdinaryUser(file.string(), GetParam().readOnly),
              ::testing::ExitedWithCode(GetParam().number % 256), expected);
  fs::permissions(folder, fs::perms::owner_all);
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
}

using P = std::filesystem::perms;
INSTANTIATE_TEST_SUITE_P(
    Files, AccessTest,
    ::testing::Values(AccessCase{"ReadOnlyFileOpenedToWrite", P::all, P::owner_read | P::group_read | P::others_read,
                                 false, vb::kReadOnlyDatabase},
                      AccessCase{"ReadOnlyFileOpenedToRead", P::all, P::owner_read | P::group_read | P::others_read,
                                 true, 0},
                      AccessCase{"UnreadableFileOpenedToRead", P::all, P::none, true, vb::kPermissionDenied},
                      AccessCase{"UnreadableFileOpenedToWrite", P::all, P::none, false, vb::kPermissionDenied},
                      AccessCase{"UnwritableFolderOpenedToWrite", P::all & ~(P::owner_write | P::group_write | P::others_write),
                                 P::all, false, vb::kPermissionDenied},
                      AccessCase{"UnwritableFolderOpenedToRead", P::all & ~(P::owner_write | P::group_write | P::others_write),
                                 P::all, true, 0}),
    [](const auto& info) { return std::string(info.param.name); });

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
