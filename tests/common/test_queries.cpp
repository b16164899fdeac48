#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ContentFixture.h"
#include "common/Queries.h"

namespace {

class QueryTest : public contenttest::ContentTest {
 protected:
  std::string UserRows() const override {
    return R"sql(INSERT INTO "Scale Shift Specs" ("NPSetId", "NPSetName") VALUES (13, 'zeta'), (14, 'Alpha');)sql";
  }
  // The first column of every row of the query on the database.
  static std::vector<std::string> Run(const dao::Database& db, const std::string& sql) {
    auto rs = db.OpenRecordset(sql, dao::dbOpenSnapshot);
    std::vector<std::string> v;
    for (; !rs.Eof(); rs.MoveNext()) v.push_back(rs.Fields(0).ToString());
    return v;
  }
  static bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
  }
};

using Names = std::vector<std::string>;

TEST_F(QueryTest, TheSplicedTextsEndAsTheScreensExpect) {
  common::CurrRagaIndex = 17;
  common::sPatchSQLStr5(2);
  EXPECT_TRUE(EndsWith(common::SQLStr5, "[Add Info Type])=2) AND (([Raga - Additional Information].[Raga Index])=17));"))
      << common::SQLStr5;
  common::sPatchSQLStr11("c");
  EXPECT_TRUE(EndsWith(common::SQLStr11, "[Instr Name]) = \"c\" )) ORDER BY [Note Specifications].[Note Id];"))
      << common::SQLStr11;
  shell::SortingMode = 0;
  common::sPatchSQLStr19();
  EXPECT_TRUE(EndsWith(common::SQLStr19, "Level) <= 3 )) ORDER BY RagaNameList.Raga;")) << common::SQLStr19;
  shell::SortingMode = 5;
  common::sPatchSQLStr19();
  EXPECT_TRUE(
      EndsWith(common::SQLStr19, " )) ORDER BY [Raga - Technical Information].[Appropriate time],  RagaNameList.Raga;"))
      << common::SQLStr19;
  sound::FirstReed = 8;
  sound::LastReed = 31;
  common::sPatchSQLStr24(2);
  EXPECT_TRUE(EndsWith(common::SQLStr24, "[Reed Number]) >= 8 And ([Reed Colors].[Reed Number]) <= 31) And "
                                         "(([Reed Colors].[Color Code]) = 2))ORDER BY [Reed Colors].[Reed Number];"))
      << common::SQLStr24;
  common::sPatchSQLStr4(-1);
  EXPECT_TRUE(EndsWith(common::SQLStr4, "(((RagaNameList.Level)=-1));")) << common::SQLStr4;
  common::sPatchSQLStr12("e", -40);
  EXPECT_TRUE(EndsWith(common::SQLStr12, "= \"e\" ) And (([Sample Values].[Note Id]) = -40)) ORDER BY "
                                         "[Sample Values].[Sample Id];"))
      << common::SQLStr12;
}

TEST_F(QueryTest, FixedQueriesRun) {
  EXPECT_EQ(Run(shell::DatabaseA, common::SQLStr1), (Names{"Bageshri", "Bhairav", "Yaman"}));
  EXPECT_EQ(Run(shell::DatabaseB, common::SQLStr2), (Names{"Alpha", "zeta"}));
  EXPECT_EQ(Run(shell::DatabaseA, common::SQLStr3), (Names{"Jhaptaal", "Teentaal"}));
}

TEST_F(QueryTest, RagaListsByLevel) {
  common::sPatchSQLStr4(1);
  EXPECT_EQ(Run(shell::DatabaseA, common::SQLStr4), (Names{"Bhairav", "Yaman"}));
  common::sPatchSQLStr13(4);  // every raga with technical data
  EXPECT_EQ(Run(shell::DatabaseA, common::SQLStr13), (Names{"Bageshri", "Bhairav", "Yaman"}));
  common::sPatchSQLStr16(3);  // every raga, with or without technical data
  EXPECT_EQ(Run(shell::DatabaseA, common::SQLStr16), (Names{"Bageshri", "Bhairav", "Raga's \"Own\"", "Yaman"}));
  common::sPatchSQLStr16(0);
  EXPECT_TRUE(Run(shell::DatabaseA, common::SQLStr16).empty());
}

TEST_F(QueryTest, ItemListsOfARaga) {
  common::CurrRagaIndex = 1;
  common::sPatchSQLStr5(2);
  // titles holding quotes come back whole, in alphabetical order
  EXPECT_EQ(Run(shell::DatabaseA, common::SQLStr5), (Names{"O'Sajna", "Piya \"Bin\"", "Sakhi Ri"}));
  common::sPatchSQLStr7(1, 1);
  EXPECT_EQ(Run(shell::DatabaseA, common::SQLStr7), (Names{"Kalyan"}));
  common::sPatchSQLStr7(1, 3);  // the film song has no notation
  EXPECT_TRUE(Run(shell::DatabaseA, common::SQLStr7).empty());
  common::sPatchSQLStr7(1, 2);
  EXPECT_TRUE(Run(shell::DatabaseB, common::SQLStr7).empty());
}

TEST_F(QueryTest, NoteSeedsAndSamplesOfAnInstrument) {
  common::sPatchSQLStr11("c");
  EXPECT_EQ(Run(shell::DatabaseA, common::SQLStr11), (Names{"1", "2"}));
  auto rs = shell::DatabaseA.OpenRecordset(common::SQLStr11, dao::dbOpenSnapshot);
  EXPECT_EQ(rs.Fields("SamPerCyc"), vb::Variant(int32_t{100}));
  EXPECT_EQ(rs.Fields("Fractional Value"), vb::Variant(0.25));
  common::sPatchSQLStr12("c", 1);
  EXPECT_EQ(Run(shell::DatabaseA, common::SQLStr12), (Names{"7", "-5"}));
}

TEST_F(QueryTest, AQuoteInASplicedNameStaysInsideItsValue) {
  common::sPatchSQLStr11("c\"x");
  EXPECT_TRUE(EndsWith(common::SQLStr11, "= \"c\"\"x\" )) ORDER BY [Note Specifications].[Note Id];"));
  auto rs = shell::DatabaseA.OpenRecordset(common::SQLStr11, dao::dbOpenSnapshot);
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Fields("SamPerCyc"), vb::Variant(int32_t{9}));
  // an attempt to widen the condition finds nothing and changes nothing
  common::sPatchSQLStr11("c\" OR \"1\"=\"1");
  EXPECT_TRUE(Run(shell::DatabaseA, common::SQLStr11).empty());
  common::sPatchSQLStr12("x' OR 'a'='a", 1);
  EXPECT_TRUE(Run(shell::DatabaseA, common::SQLStr12).empty());
}

struct GridCase {
  int16_t sortingMode;
  std::vector<std::string> ragas;
};

class GridQueryTest : public QueryTest, public ::testing::WithParamInterface<GridCase> {};

TEST_P(GridQueryTest, TheGridFollowsTheSortingModeThenTheName) {
  shell::SortingMode = GetParam().sortingMode;
  common::sPatchSQLStr19();
  auto rs = shell::DatabaseA.OpenRecordset(common::SQLStr19, dao::dbOpenSnapshot);
  std::vector<std::string> ragas;
  for (; !rs.Eof(); rs.MoveNext()) ragas.push_back(rs.Fields("Raga").ToString());
  EXPECT_EQ(ragas, GetParam().ragas);
}

INSTANTIATE_TEST_SUITE_P(Modes, GridQueryTest,
                         ::testing::Values(GridCase{0, {"Bageshri", "Bhairav", "Yaman"}},
                                           GridCase{1, {"Bhairav", "Bageshri", "Yaman"}},
                                           GridCase{9, {"Bageshri", "Bhairav", "Yaman"}}));

TEST_F(QueryTest, ReedsOfAColourInTheTonicsRange) {
  sound::FirstReed = 8;
  sound::LastReed = 11;
  common::sPatchSQLStr24(1);
  EXPECT_EQ(Run(shell::DatabaseA, common::SQLStr24), (Names{"8", "10", "11"}));
  common::sPatchSQLStr24(2);
  EXPECT_EQ(Run(shell::DatabaseA, common::SQLStr24), (Names{"9"}));
}

}  // namespace
