#include <string>
#include <vector>

#include "DaoTest.h"
#include "platform/dao/JetSql.h"

namespace {

using daotest::ErrorNumber;

constexpr const char* kFixture = R"sql(
CREATE TABLE "Note Specifications" ("Instr Name" TEXT COLLATE NOCASE, "Note Id" INTEGER, "SamPerCyc" INTEGER);
INSERT INTO "Note Specifications" VALUES ('c', 2, 20), ('e', 1, 30), ('c', 1, 10), ('C"x', 1, 99), ('O''Neil', 1, 77);
CREATE TABLE "Names" ("Name" TEXT COLLATE NOCASE, "Level" SMALLINT);
INSERT INTO "Names" VALUES ('bhairav', 1), ('Asavari', 1), ('Yaman', 2), ('Bageshri', 1);
)sql";

class SnapshotTest : public daotest::DaoTest {
 protected:
  void SetUp() override {
    DaoTest::SetUp();
    db = Make(kFixture);
  }
  std::vector<std::string> Column(const std::string& sql, int i = 0) {
    auto rs = db.OpenRecordset(sql, dao::dbOpenSnapshot);
    std::vector<std::string> v;
    for (; !rs.Eof(); rs.MoveNext()) v.push_back(rs.Fields(i).ToString());
    return v;
  }
  dao::Database db;
};

TEST_F(SnapshotTest, DoubleQuotedTextValuesAreTextNotNames) {
  EXPECT_EQ(Column("SELECT [Note Specifications].[Note Id] From [Note Specifications] WHERE "
                   "((([Note Specifications].[Instr Name]) = \"c\" )) ORDER BY [Note Specifications].[Note Id];"),
            (std::vector<std::string>{"1", "2"}));
  // a value that is also a column name stays a value
  EXPECT_TRUE(Column("SELECT SamPerCyc FROM [Note Specifications] WHERE [Instr Name] = \"SamPerCyc\"").empty());
}

TEST_F(SnapshotTest, QuotesInsideValuesCannotBreakOutOfTheirLiteral) {
  // A doubled quote inside a double-quoted value stands for one quote.
  EXPECT_EQ(Column("SELECT SamPerCyc FROM [Note Specifications] WHERE [Instr Name] = \"c\"\"x\""),
            (std::vector<std::string>{"99"}));
  EXPECT_EQ(Column("SELECT SamPerCyc FROM [Note Specifications] WHERE [Instr Name] = \"O'Neil\""),
            (std::vector<std::string>{"77"}));
  EXPECT_EQ(Column("SELECT SamPerCyc FROM [Note Specifications] WHERE [Instr Name] = 'O''Neil'"),
            (std::vector<std::string>{"77"}));
  // Single quotes and SQL inside a value stay inside it.
  EXPECT_TRUE(Column("SELECT SamPerCyc FROM [Note Specifications] WHERE [Instr Name] = \"x' OR '1'='1\"").empty());
}

TEST_F(SnapshotTest, TheTranslationKeepsNamesAndSplitsCommentMarks) {
  const auto q = dao::TranslateJetSql("SELECT [a \"b\"] FROM T WHERE x = \"it's\" AND y = --1;");
  EXPECT_EQ(q.sql, "SELECT [a \"b\"] FROM T WHERE x = 'it''s' AND y = - -1;");
  EXPECT_FALSE(q.hasOrderBy);
  EXPECT_EQ(q.statementEnd, q.sql.size() - 1);
  EXPECT_TRUE(dao::TranslateJetSql("SELECT a FROM T ORDER  BY a").hasOrderBy);
  EXPECT_FALSE(dao::TranslateJetSql("SELECT [ORDER BY] FROM T WHERE a = \"ORDER BY\"").hasOrderBy);
}

TEST_F(SnapshotTest, ResultsWithoutAnOrderByAreSortedByTheirColumnsIgnoringCase) {
  EXPECT_EQ(Column("SELECT Names.Name From Names WHERE (((Names.Level)=1));"),
            (std::vector<std::string>{"Asavari", "Bageshri", "bhairav"}));
  // an ORDER BY of the query's own is kept
  EXPECT_EQ(Column("SELECT Name, Level FROM Names ORDER BY Level DESC, Name;"),
            (std::vector<std::string>{"Yaman", "Asavari", "Bageshri", "bhairav"}));
}

TEST_F(SnapshotTest, CountsKindsAndReadOnly) {
  auto rs = db.OpenRecordset("SELECT Name, Level, Max(Level) AS Top FROM Names", dao::dbOpenSnapshot);
  EXPECT_EQ(rs.Type(), dao::dbOpenSnapshot);
  EXPECT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.FieldName(2), "Top");
  EXPECT_EQ(rs.Fields("Level").Type(), vb::VarType::Integer);
  EXPECT_EQ(ErrorNumber([&] { rs.AddNew(); }), 3027);
  EXPECT_EQ(ErrorNumber([&] { rs.SetIndex("PrimaryKey"); }), 3251);
  EXPECT_EQ(ErrorNumber([&] { rs.Seek("=", {1}); }), 3251);
  auto all = db.OpenRecordset("SELECT Name FROM Names WHERE Level < 9");
  EXPECT_EQ(all.RecordCount(), 4);
  all.MoveLast();
  EXPECT_EQ(all.Fields("Name"), vb::Variant("Yaman"));
  auto none = db.OpenRecordset("SELECT Name FROM Names WHERE Level = 7");
  EXPECT_TRUE(none.Eof());
  EXPECT_EQ(none.RecordCount(), 0);
  EXPECT_EQ(ErrorNumber([&] { none.MoveLast(); }), 3021);
}

TEST_F(SnapshotTest, ATableOpenedAsASnapshotKeepsItsStoredOrder) {
  EXPECT_EQ(Column("names"), (std::vector<std::string>{"bhairav", "Asavari", "Yaman", "Bageshri"}));
}

TEST_F(SnapshotTest, OnlyOneSelectionStatementRuns) {
  EXPECT_EQ(ErrorNumber([&] { db.OpenRecordset("DELETE FROM Names", dao::dbOpenSnapshot); }), 3219);
  EXPECT_EQ(ErrorNumber([&] { db.OpenRecordset("SELECT Name FROM Names; DELETE FROM Names", dao::dbOpenSnapshot); }),
            3075);
  EXPECT_EQ(db.OpenRecordset("Names").RecordCount(), 4);
}

TEST_F(SnapshotTest, UnknownTablesAndColumnsHaveTheirOwnNumbers) {
  EXPECT_EQ(ErrorNumber([&] { db.OpenRecordset("SELECT x FROM Missing", dao::dbOpenSnapshot); }), 3078);
  EXPECT_EQ(ErrorNumber([&] { db.OpenRecordset("SELECT Missing FROM Names", dao::dbOpenSnapshot); }), 3061);
}

bool PassOver() { return vb::Err().Number == vb::kQuerySyntax; }

TEST_F(SnapshotTest, ASyntaxErrorThatIsPassedOverGivesAnEmptyResult) {
  EXPECT_EQ(ErrorNumber([&] { db.OpenRecordset("SELECT Name FROM Names WHERE ((Level = 1)", dao::dbOpenSnapshot); }),
            3075);
  EXPECT_EQ(ErrorNumber([&] { db.OpenRecordset("SELECT Name FROM Names WHERE Name = \"open", dao::dbOpenSnapshot); }),
            3075);
  vb::SetErrorFilter(&PassOver);
  for (const char* bad : {"SELECT Name FROM Names WHERE ((Level = 1)", "SELECT Name FROM Names WHERE Name = \"open",
                          "SELECT [Name FROM Names", ""}) {
    auto rs = db.OpenRecordset(bad, dao::dbOpenSnapshot);
    EXPECT_TRUE(rs.Eof()) << bad;
    EXPECT_EQ(rs.RecordCount(), 0) << bad;
  }
}

}  // namespace
