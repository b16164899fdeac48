// The carry-over of an earlier installation's user database: every table, ids that
// would collide, rows already there, broken files, and its place in the start-up.
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "EarlierDatabase.h"
#include "ShellRun.h"
#include "platform/dao/Database.h"
#include "platform/vb/Files.h"
#include "shell/ShellState.h"
#include "shell/Upgrade.h"
#include "support/Scratch.h"
#include "support/SqlFixture.h"

namespace {

namespace fs = std::filesystem;
using namespace earlier;

constexpr const char* kTables[] = {"ONPR", "Scale Shift Specs", "Raga - Additional Information",
                                   "Raga - ALT Phrases", "Raga - Composition Notations", "User Patterns"};

class UpgradeTest : public testsupport::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    testsupport::MakeUserFixture(Path("mrB.kzy"), Setting("TipSignal", "'1'") + userRows_);
    Open();
  }
  void TearDown() override {
    shell::DatabaseB.Close();
    ScratchTest::TearDown();
  }
  void Open() {
    shell::DatabaseB = dao::Database::OpenDatabase(Path("mrB.kzy"), true, false, shell::kDatabaseConnect);
  }
  void Earlier(const std::string& rows) { testsupport::MakeUserFixture(Earlier(), rows); }
  std::string Earlier() const { return Path("mrBOld.kzy"); }
  void CarryOver() { shell::sHandleUpgrade(Earlier()); }

  // One column of the rows a query finds, as text ("Null" for Null), in the query's order.
  std::vector<std::string> Column(const std::string& sql, const char* column) {
    std::vector<std::string> values;
    auto rs = shell::DatabaseB.OpenRecordset(sql);
    for (; !rs.Eof(); rs.MoveNext()) {
      const vb::Variant v = rs.Fields(column);
      values.push_back(v.IsNull() ? "Null" : v.ToString());
    }
    return values;
  }
  std::string Stored(const std::string& name) {
    const auto v = Column("SELECT * FROM [User Parameters] WHERE [Parameter Name] = '" + name + "'", "Parameter Value");
    return v.empty() ? "(no row)" : v[0];
  }
  int Rows(const std::string& table) {
    return shell::DatabaseB.OpenRecordset(table, dao::dbOpenTable).RecordCount();
  }
  std::vector<int> AllRows() {
    std::vector<int> counts;
    for (const char* table : kTables) counts.push_back(Rows(table));
    counts.push_back(Rows("User Parameters"));
    return counts;
  }
  // The records of "ignoerr.txt" that name a table.
  int RecordsNaming(const std::string& table) {
    int n = 0;
    for (const auto& line : Lines("ignoerr.txt")) n += line.find("'" + table + "'") != std::string::npos;
    return n;
  }

  std::string userRows_;  // rows the user database holds before the carry-over
};

TEST_F(UpgradeTest, EveryTableOfTheUsersDataArrivesAndTheEarlierFileGoes) {
  Earlier(kEarlierRows);
  vb::WriteLines(Path("KZUpgr22.exe"), {"leftover"});
  vb::WriteLines(Path("KZ22.exe"), {"leftover"});
  CarryOver();

  EXPECT_EQ(Column("SELECT * FROM [Scale Shift Specs]", "NPSetName"), std::vector<std::string>{"Old Set"});
  EXPECT_EQ(Column("SELECT * FROM [Scale Shift Specs]", "NewSPC"), std::vector<std::string>{"190.25"});
  EXPECT_EQ(Column("SELECT * FROM ONPR ORDER BY InstrumentType", "26"), (std::vector<std::string>{"26.5", "126.5"}));
  EXPECT_EQ(Column("SELECT * FROM ONPR", "NPSetId"), (std::vector<std::string>{"13", "13"}));
  EXPECT_EQ(Column("SELECT * FROM [Raga - Additional Information] ORDER BY [Raga Index]", "Add Info"),
            (std::vector<std::string>{"My Song", "Like Raga 9"}));
  EXPECT_EQ(Column("SELECT * FROM [Raga - ALT Phrases]", "DurationPhrase"),
            std::vector<std::string>{"10 10 10 ,"});
  EXPECT_EQ(Column("SELECT * FROM [Raga - Composition Notations] ORDER BY [Composition Part]", "CompositionText"),
            (std::vector<std::string>{"asthai of My Song", "antara of My Song"}));
  EXPECT_EQ(Column("SELECT * FROM [Raga - Composition Notations]", "CompositionTempo"),
            (std::vector<std::string>{"Null", "Null"}))
      << "a Null column is left unassigned";
  EXPECT_EQ(Column("SELECT * FROM [Raga - Composition Notations] ORDER BY [Composition Part]", "Starting Beat"),
            (std::vector<std::string>{"1", "9"}));
  EXPECT_EQ(Column("SELECT * FROM [User Patterns]", "PatternPhrase"), std::vector<std::string>{"SRGm"})
      << "the user's patterns are carried over too";
  EXPECT_EQ(Stored("LastTip"), "3");
  EXPECT_EQ(Stored("CurrMusicSetId"), "13");
  EXPECT_EQ(Stored("SortingMode"), "2");
  EXPECT_EQ(Stored("TipSignal"), "Null") << "a Null setting is copied as Null";
  EXPECT_EQ(Stored("NotInTheNewOne"), "(no row)") << "no settings row is added";

  EXPECT_FALSE(fs::exists(Earlier()));
  EXPECT_FALSE(fs::exists(Path("KZUpgr22.exe")));
  EXPECT_FALSE(fs::exists(Path("KZ22.exe")));
  EXPECT_TRUE(Lines("ignoerr.txt").empty());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(halts, 0);
}

TEST_F(UpgradeTest, AnEmptyEarlierDatabaseChangesNothingAndGoes) {
  Earlier("");
  vb::WriteLines(Path("KZ22.exe"), {"leftover"});
  const std::vector<int> before = AllRows();
  CarryOver();
  EXPECT_EQ(AllRows(), before);
  EXPECT_EQ(Stored("TipSignal"), "Null") << "the earlier settings rows are Null";
  EXPECT_FALSE(fs::exists(Earlier()));
  EXPECT_FALSE(fs::exists(Path("KZ22.exe"))) << "the missing KZUpgr22.exe is no error";
  EXPECT_TRUE(messages.empty());
}

class CollisionTest : public UpgradeTest {
 protected:
  CollisionTest() {
    userRows_ = ScaleSet(13, "New Set", 8, 7) + Composition(1, 2, "Mine") +
                "INSERT INTO \"User Patterns\" VALUES (1, 'Descend', 'mGRS', 1);\n";
  }
};

TEST_F(CollisionTest, TakenIdsGiveTheEarlierRowsFreeIdsAndTheirReferencesFollow) {
  Earlier(kEarlierRows + ScaleSet(14, "Second Old Set", 6, 3));
  CarryOver();

  EXPECT_EQ(Column("SELECT * FROM [Scale Shift Specs] ORDER BY NPSetId", "NPSetName"),
            (std::vector<std::string>{"New Set", "Second Old Set", "Old Set"}));
  EXPECT_EQ(Column("SELECT * FROM [Scale Shift Specs] ORDER BY NPSetId", "NPSetId"),
            (std::vector<std::string>{"13", "14", "15"}))
      << "the set whose id was taken comes after every id in use";
  EXPECT_EQ(Column("SELECT * FROM ONPR WHERE NPSetId = 15 ORDER BY InstrumentType", "00"),
            (std::vector<std::string>{"0.5", "100.5"}));
  EXPECT_EQ(Column("SELECT * FROM ONPR WHERE NPSetId = 13 ORDER BY InstrumentType", "NPSetName"),
            (std::vector<std::string>{"New Set", "New Set"}));
  EXPECT_EQ(Stored("CurrMusicSetId"), "15") << "the stored scale set follows its set";

  EXPECT_EQ(Column("SELECT * FROM [Raga - Additional Information] WHERE [Add Info] = 'My Song'", "Notation Index"),
            std::vector<std::string>{"2"});
  EXPECT_EQ(Column("SELECT * FROM [Raga - Composition Notations] WHERE [Notation Index] = 2 ORDER BY "
                   "[Composition Part]",
                   "CompositionText"),
            (std::vector<std::string>{"asthai of My Song", "antara of My Song"}));
  EXPECT_EQ(Column("SELECT * FROM [Raga - Composition Notations] WHERE [Notation Index] = 1 ORDER BY "
                   "[Composition Part]",
                   "CompositionText"),
            (std::vector<std::string>{"asthai of Mine", "antara of Mine"}));
  EXPECT_EQ(Column("SELECT * FROM [Raga - Additional Information] WHERE [Add Info] = 'Like Raga 9'", "Notation Index"),
            std::vector<std::string>{"0"}) << "an item without notation keeps its 0";

  EXPECT_EQ(Column("SELECT * FROM [User Patterns] ORDER BY PatternId", "PatternName"),
            (std::vector<std::string>{"Descend", "Climb"}));
  EXPECT_EQ(Column("SELECT * FROM [User Patterns] ORDER BY PatternId", "PatternId"),
            (std::vector<std::string>{"1", "2"}));
  EXPECT_FALSE(fs::exists(Earlier())) << "nothing was left out";
  EXPECT_TRUE(Lines("ignoerr.txt").empty());
}

TEST_F(UpgradeTest, CarryingTheSameDataAgainLeavesEveryRowOutAndCountsIt) {
  Earlier(kEarlierRows);
  CarryOver();
  const std::vector<int> once = AllRows();
  Earlier(kEarlierRows + Setting("SortingMode", "'4'"));
  CarryOver();

  EXPECT_EQ(AllRows(), once) << "no row twice";
  EXPECT_EQ(Stored("SortingMode"), "4") << "the settings are still carried over";
  EXPECT_EQ(RecordsNaming("ONPR"), 2);
  EXPECT_EQ(RecordsNaming("Scale Shift Specs"), 1);
  EXPECT_EQ(RecordsNaming("Raga - Additional Information"), 2);
  EXPECT_EQ(RecordsNaming("Raga - ALT Phrases"), 1);
  EXPECT_EQ(RecordsNaming("Raga - Composition Notations"), 2);
  EXPECT_EQ(RecordsNaming("User Patterns"), 1);
  int records = 0;
  for (const auto& line : Lines("ignoerr.txt")) records += line.rfind("Ignorable Error No. ", 0) == 0;
  EXPECT_EQ(records, 10) << "nine rows left out, and the note where the earlier file is kept";
  EXPECT_FALSE(fs::exists(Earlier()));
  EXPECT_TRUE(fs::exists(Path("mrBOld-carried-over.kzy"))) << "rows left out are not lost";
  EXPECT_TRUE(messages.empty());
}

// Rows that belong to nothing are never added, and are counted apart from the rows
// that were already there.
TEST_F(UpgradeTest, IncompleteRowsAreLeftOutAndCountedApart) {
  Earlier(kEarlierRows + kIncompleteRows);
  CarryOver();
  EXPECT_EQ(Column("SELECT * FROM ONPR ORDER BY NPSetId", "NPSetId"), (std::vector<std::string>{"13", "13"}));
  EXPECT_EQ(Column("SELECT * FROM [Raga - Composition Notations] WHERE [Notation Index] <> 1", "Notation Index"),
            std::vector<std::string>{});
  EXPECT_EQ(Column("SELECT * FROM [User Patterns]", "PatternName"), std::vector<std::string>{"Climb"});
  const auto lines = Lines("ignoerr.txt");
  ASSERT_FALSE(lines.empty());
  int summaries = 0;
  for (const auto& line : lines) {
    summaries += line.rfind("4 rows of the earlier installation belong to nothing", 0) == 0;
    EXPECT_EQ(line.find("were already in the user database"), std::string::npos) << line;
  }
  EXPECT_EQ(summaries, 1);
  EXPECT_TRUE(fs::exists(Path("mrBOld-carried-over.kzy"))) << "nothing of the earlier file is lost";
}

// The same earlier file carried over again (as after a kill before it was deleted):
// nothing is added twice, whatever its rows, and the summary counts what was there.
struct AgainCase {
  const char* name;
  std::string rows;
  std::string changeBetween;  // what the user changes between the two carry-overs
};

class CarriedAgainTest : public UpgradeTest, public ::testing::WithParamInterface<AgainCase> {};

TEST_P(CarriedAgainTest, AddsNothingTwice) {
  Earlier(GetParam().rows);
  CarryOver();
  if (!GetParam().changeBetween.empty()) {
    shell::DatabaseB.Close();
    testsupport::RunSql(Path("mrB.kzy"), GetParam().changeBetween);
    Open();
  }
  const std::vector<int> once = AllRows();
  fs::remove(Path("ignoerr.txt"));
  Earlier(GetParam().rows);
  CarryOver();
  EXPECT_EQ(AllRows(), once);
  int added = 0;
  for (size_t i = 0; i < std::size(kTables); ++i) added += once[i];
  bool counted = false;
  for (const auto& line : Lines("ignoerr.txt"))
    counted = counted || line.rfind(std::to_string(added) + " rows of the earlier installation were already", 0) == 0;
  EXPECT_TRUE(counted) << "every row added the first time, and only those";
}

INSTANTIATE_TEST_SUITE_P(
    Shell, CarriedAgainTest,
    ::testing::Values(
        AgainCase{"AllKindsOfRows", kEarlierRows, ""},
        AgainCase{"WithIncompleteRows", kEarlierRows + kIncompleteRows, ""},
        AgainCase{"ASetWithoutAName", ScaleSet(14, "x", 2, 1.5) +
                                          "UPDATE \"Scale Shift Specs\" SET \"NPSetName\" = NULL WHERE NPSetId = 14;",
                  ""},
        AgainCase{"ASetAndAPatternTheUserRenamed", kEarlierRows,
                  "UPDATE \"Scale Shift Specs\" SET \"NPSetName\" = 'Renamed'; UPDATE ONPR SET NPSetName = 'Renamed';"
                  "UPDATE \"User Patterns\" SET PatternName = 'Mine now';"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CollisionTest, ARowWhoseKeyIsThereKeepsTheUsersRowAndIsRecorded) {
  Earlier("INSERT INTO \"Raga - ALT Phrases\" VALUES (5, 1, 'S R G', '10 10 10 ,'), (5, 2, 'G R S', '5 5 5 ,');\n"
          "INSERT INTO \"Raga - Additional Information\" VALUES (2, 'Mine', 2, 1);\n" +
          ScaleSet(13, "new set", 1, 0));
  shell::DatabaseB.Close();
  testsupport::RunSql(Path("mrB.kzy"), "INSERT INTO \"Raga - ALT Phrases\" VALUES (5, 1, 'N S', '20 20 ,');");
  Open();
  CarryOver();

  EXPECT_EQ(Column("SELECT * FROM [Raga - ALT Phrases] ORDER BY PhraseType", "NotesPhrase"),
            (std::vector<std::string>{"N S", "G R S"}));
  EXPECT_EQ(Column("SELECT * FROM [Scale Shift Specs]", "NPSetName"), std::vector<std::string>{"New Set"})
      << "a set of the same name (any letter case) is already there";
  EXPECT_EQ(Rows("ONPR"), 2);
  EXPECT_EQ(Rows("Raga - Composition Notations"), 2) << "the composition whose items are all there";
  EXPECT_EQ(RecordsNaming("Raga - ALT Phrases"), 1);
  bool named = false;
  for (const auto& line : Lines("ignoerr.txt")) named = named || line.find("(5, 1)") != std::string::npos;
  EXPECT_TRUE(named) << "the record names the row's key";
  EXPECT_TRUE(fs::exists(Path("mrBOld-carried-over.kzy")));
}

// A broken earlier database: nothing of it is added and it is kept, renamed aside.
struct BrokenCase {
  const char* name;
  std::function<void(UpgradeTest&)> make;
};

class BrokenEarlierTest : public UpgradeTest, public ::testing::WithParamInterface<BrokenCase> {
 public:
  void MakeEarlier(const std::string& rows) { Earlier(rows); }
  std::string EarlierFile() const { return Earlier(); }
};

TEST_P(BrokenEarlierTest, RollsBackKeepsTheFileAsideAndTheStartGoesOn) {
  GetParam().make(*this);
  TraceOnNow();
  const std::vector<int> before = AllRows();
  const auto size = fs::file_size(Earlier());
  vb::WriteLines(Path("mrBOld-not-carried-over.kzy"), {"kept from an earlier failure"});
  CarryOver();

  EXPECT_EQ(AllRows(), before) << "nothing of the earlier file was added";
  EXPECT_EQ(Stored("TipSignal"), "1") << "no setting changed";
  EXPECT_FALSE(fs::exists(Earlier())) << "the next start does not try again";
  ASSERT_TRUE(fs::exists(Path("mrBOld-not-carried-over-2.kzy")));
  EXPECT_EQ(fs::file_size(Path("mrBOld-not-carried-over-2.kzy")), size);
  EXPECT_EQ(vb::ReadLines(Path("mrBOld-not-carried-over.kzy")),
            std::vector<std::string>{"kept from an earlier failure"});
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Message");
  EXPECT_NE(messages[0].prompt.find("could not be carried over"), std::string::npos) << messages[0].prompt;
  EXPECT_NE(messages[0].prompt.find("mrBOld-not-carried-over-2.kzy"), std::string::npos);
  EXPECT_EQ(messages[0].prompt.find(".)"), std::string::npos) << "one full stop: " << messages[0].prompt;
  EXPECT_FALSE(Lines("ignoerr.txt").empty());
  EXPECT_EQ(halts, 0);
  EXPECT_FALSE(common::ProgramHalted());
  EXPECT_NO_THROW(shell::DatabaseB.OpenRecordset("ONPR").Close()) << "the user database is still open for use";
  const auto trace = Lines("errtrace.txt");
  ASSERT_FALSE(trace.empty());
  EXPECT_EQ(trace.back(), "    Exiting(1)") << "the trace is level again after the carry-over";
}

INSTANTIATE_TEST_SUITE_P(
    Shell, BrokenEarlierTest,
    ::testing::Values(
        BrokenCase{"NotADatabase",
                   [](UpgradeTest& t) { vb::WriteLines(static_cast<BrokenEarlierTest&>(t).EarlierFile(), {"junk"}); }},
        BrokenCase{"WithoutUserPatterns",
                   [](UpgradeTest& t) {
                     static_cast<BrokenEarlierTest&>(t).MakeEarlier(kEarlierRows + "DROP TABLE \"User Patterns\";");
                   }},
        BrokenCase{"ANumberColumnHoldingText", [](UpgradeTest& t) {
                     static_cast<BrokenEarlierTest&>(t).MakeEarlier(
                         kEarlierRows + "INSERT INTO \"Raga - ALT Phrases\" VALUES ('five', 2, 'S', '1 ,');");
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

// The carry-over in the start-up.
class UpgradeAtStartTest : public shelltest::ShellRunTest {};

TEST_F(UpgradeAtStartTest, TheEarlierSettingsTakeEffectInTheRunThatCarriesThemOver) {
  fs::create_directories(data_);
  testsupport::MakeUserFixture(Data("mrBOld.kzy"),
                               Setting("SortingMode", "'3'") + Setting("TipSignal", "'0'") +
                                   "INSERT INTO \"User Patterns\" VALUES (1, 'Climb', 'SRGm', 2);");
  shell::CommandLineText = "1";  // trace
  ASSERT_TRUE(Start());
  for (const char* copy : {"sHandleUpgrade", "sCopyONPR", "sCopyRagaAdditionalInformation", "sCopyRagaALTPhrases",
                           "sCopyRagaCompositionNotations", "sCopyScaleShiftSpecs", "sCopyUserPatterns",
                           "sCopyUserParameters"})
    EXPECT_EQ(Entries(copy), 1) << copy;
  EXPECT_EQ(shell::SortingMode, 3);
  EXPECT_EQ(shell::TipSignal, 0);
  EXPECT_TRUE(Main().Get<forms::MenuItem>("cMnuDonShoTip").Checked());
  EXPECT_FALSE(fs::exists(Data("mrBOld.kzy")));
  auto rs = shell::DatabaseB.OpenRecordset("User Patterns", dao::dbOpenTable);
  EXPECT_EQ(rs.RecordCount(), 1);
  EXPECT_TRUE(messages.empty());
}

TEST_F(UpgradeAtStartTest, WithoutAnEarlierDatabaseNoFileIsTouched) {
  fs::create_directories(data_);
  vb::WriteLines(Data("KZ22.exe"), {"not ours to delete"});
  shell::CommandLineText = "1";  // trace, to see that the carry-over never ran
  ASSERT_TRUE(Start());
  EXPECT_TRUE(fs::exists(Data("KZ22.exe")));
  EXPECT_EQ(Entries("sHandleUpgrade"), 0);
}

}  // namespace
