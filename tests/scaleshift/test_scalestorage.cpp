// The user's scale sets in the user database: numbering, saving, deleting and
// redefinition, each save whole or not at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ScaleShiftTest.h"
#include "common/Database.h"
#include "platform/vb/Error.h"
#include "scaleshift/ScaleStorage.h"
#include "sound/NoteTuning.h"
#include "sound/SoundState.h"
#include "support/SqlFixture.h"

namespace scaleshifttest {
namespace {

using scaleshift::fDeleteScaleEntry;
using scaleshift::fGetNewScaleSetId;
using scaleshift::fSaveScaleData;

constexpr const char* kFailDroneRow = R"sql(
CREATE TRIGGER "fail drone row" BEFORE INSERT ON "ONPR" WHEN NEW."InstrumentType" = 2
BEGIN SELECT RAISE(ABORT, 'the disk is full'); END;
)sql";

class StorageTest : public UserDatabaseTest {
 protected:
  void SetUp() override {
    UserDatabaseTest::SetUp();
    // The scale just shifted: tonic 5, distinct adjustments for both instruments.
    sound::CurrTonicNoteId = 5;
    for (size_t i = 0; i < sound::SavedSPCsA.size(); ++i) {
      sound::SavedSPCsA[i] = static_cast<float>(i) / 10.0f + 0.05f;
      sound::SavedSPCsB[i] = -static_cast<float>(i) / 10.0f;
    }
    sound::ScaleShiftSpec = {14, 120.5f, 118.25f};
  }
  // The rows of a saved set, read back as the program reads them.
  void ExpectSavedSet(int16_t id, const std::string& name) {
    auto specs = shell::DatabaseB.OpenRecordset("Scale Shift Specs", dao::dbOpenTable);
    common::sSetTablePKRecord(specs, id);
    ASSERT_FALSE(specs.NoMatch()) << id;
    EXPECT_EQ(specs.Fields("NPSetName").ToString(), name);
    EXPECT_EQ(specs.Fields("InstrumentName").ToString(), "c");
    EXPECT_EQ(specs.Fields("TonicNoteId").ToInt(), 5);
    EXPECT_EQ(specs.Fields("BaseSPC").ToSingle(), 120.5f);
    EXPECT_EQ(specs.Fields("NewSPC").ToSingle(), 118.25f);
    for (int16_t type = 1; type <= 2; ++type) {
      auto rs = shell::DatabaseB.OpenRecordset("ONPR", dao::dbOpenTable);
      common::sSetTablePKRecord2(rs, id, type);
      ASSERT_FALSE(rs.NoMatch()) << id << " " << type;
      EXPECT_EQ(rs.Fields("NPSetName").ToString(), name);
      EXPECT_EQ(rs.Fields("TonicNoteId").ToInt(), 5);
      const sound::SpcVector& v = type == 1 ? sound::SavedSPCsA : sound::SavedSPCsB;
      for (int k = 0; k < 27; ++k)
        EXPECT_EQ(rs.Fields(sound::ScaleColumnName(k)).ToSingle(), v[static_cast<size_t>(k + 5 + 2)]) << k;
    }
  }
};

// Every save takes the number after the largest in use, whatever gaps or orphan rows
// an earlier installation or a failed save left, and adds exactly its three rows.
TEST_F(StorageTest, ANewSetTakesTheNextFreeNumberAndAddsOnlyItsThreeRows) {
  const struct {
    const char* what;
    std::string rows;
    int16_t id;
  } cases[] = {
      {"no set yet", "", 13},
      {"after set 13", UserSetRows(13, "First", 2), 14},
      {"after a gap and an orphan row", UserSetRows(13, "First", 2) + UserSetRows(15, "Third", 4) + UserSetRows(16, "", 0, false),
       17},
      {"after rows of an old installation only", UserSetRows(40, "", 0, false), 41},
      // A damaged set's number that is no number is in nobody's way, and is kept.
      {"beside a set whose number is not a number",
       UserSetRows(13, "First", 2) + R"sql(UPDATE "Scale Shift Specs" SET "NPSetId" = 'x'; UPDATE "ONPR" SET "NPSetId" = 'x';)sql",
       13},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    shell::DatabaseB.Close();
    testsupport::MakeUserFixture(UserFile(), c.rows);
    ReopenUserDatabase();
    const TableDump before = Dump();
    ASSERT_EQ(fGetNewScaleSetId(), c.id);
    sound::CurrMusicSetId = 3;
    ASSERT_EQ(fSaveScaleData("Test 1", c.id), 1);
    EXPECT_EQ(sound::CurrMusicSetId, c.id);
    ExpectSavedSet(c.id, "Test 1");
    // All else is as it was.
    TableDump after = Dump();
    ASSERT_EQ(after["Scale Shift Specs"].size(), before.at("Scale Shift Specs").size() + 1);
    ASSERT_EQ(after["ONPR"].size(), before.at("ONPR").size() + 2);
    for (auto& [table, rows] : after) {
      const std::string prefix = std::to_string(c.id) + "|";
      rows.erase(std::remove_if(rows.begin(), rows.end(), [&](const std::string& r) { return r.rfind(prefix, 0) == 0; }),
                 rows.end());
      EXPECT_EQ(rows, before.at(table)) << table;
    }
  }
}

TEST_F(StorageTest, ANameInUseInAnyLetterCaseIsRefusedAndNothingIsWritten) {
  AlterUserDatabase(UserSetRows(13, "Test 1", 2));
  const TableDump before = Dump();
  sound::CurrMusicSetId = 3;
  EXPECT_EQ(fSaveScaleData("test 1", 14), 0);
  EXPECT_EQ(fSaveScaleData("TEST 1", 14), 0);
  EXPECT_EQ(sound::CurrMusicSetId, 3);
  EXPECT_EQ(Dump(), before);
}

// A save that fails half-way (here the drone row) leaves the file as it was.
TEST_F(StorageTest, ASaveThatFailsHalfWayLeavesTheFileAsItWas) {
  AlterUserDatabase(UserSetRows(13, "First", 2) + kFailDroneRow);
  const TableDump before = Dump();
  sound::CurrMusicSetId = 3;
  EXPECT_THROW(fSaveScaleData("Test 1", 14), vb::VbError);
  vb::Err().Clear();
  EXPECT_EQ(sound::CurrMusicSetId, 3);
  EXPECT_EQ(Dump(), before);
}

TEST_F(StorageTest, DeletingASetRemovesItsThreeRowsOnly) {
  AlterUserDatabase(UserSetRows(13, "First", 2) + UserSetRows(14, "Second", 3) + UserSetRows(15, "Third", 4));
  const TableDump before = Dump();
  EXPECT_EQ(fDeleteScaleEntry("nothing of that name"), 0);
  EXPECT_EQ(Dump(), before);

  EXPECT_EQ(fDeleteScaleEntry("SECOND"), 14);
  TableDump after = Dump();
  TableDump expected = before;
  for (auto& [table, rows] : expected)
    rows.erase(std::remove_if(rows.begin(), rows.end(), [](const std::string& r) { return r.rfind("14|", 0) == 0; }),
               rows.end());
  EXPECT_EQ(after, expected);
  EXPECT_EQ(expected["ONPR"].size(), 4u);
}

TEST_F(StorageTest, NoNumberIsGivenPastTheLargestSetNumber) {
  AlterUserDatabase(UserSetRows(32767, "Last", 2));
  EXPECT_EQ(fGetNewScaleSetId(), 0);
  AlterUserDatabase("DELETE FROM \"Scale Shift Specs\"; DELETE FROM \"ONPR\";" + UserSetRows(32766, "", 0, false));
  EXPECT_EQ(fGetNewScaleSetId(), 32767);
}

}  // namespace
}  // namespace scaleshifttest
