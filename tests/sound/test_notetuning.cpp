// Adjustment vectors of the scale sets and tuning the loaded seeds by them.
#include <filesystem>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SoundFixture.h"
#include "platform/vb/Files.h"
#include "sound/NoteTuning.h"
#include "support/ErrorNumber.h"

namespace {

using seedtest::FixtureSetValue;
using seedtest::FixtureUserValue;
using testsupport::ErrorNumber;
using testsupport::SoundLibCall;

class NoteTuningTest : public seedtest::SeedsTest {
 protected:
  // User set 14 (main instrument only), column k holding k + 1.
  void AddUserSet14(int tonic, const std::string& change = "") {
    AlterDatabases("", "INSERT INTO \"ONPR\" (\"NPSetId\", \"InstrumentType\", \"TonicNoteId\"" +
                           seedtest::ScaleColumns() + ") VALUES (14, 1, " + std::to_string(tonic) +
                           seedtest::ScaleValues([](int k) { return k + 1; }) + ");" + change);
  }
};

struct VectorCase {
  int16_t set;
  int16_t type;
  int tonic;                                 // the row's tonic
  float (*value)(int set, int type, int k);  // column k of the row
};

float BuiltIn(int set, int type, int k) { return FixtureSetValue(set, type, k); }
float User(int, int type, int k) { return FixtureUserValue(type, k); }

class VectorTest : public NoteTuningTest, public ::testing::WithParamInterface<VectorCase> {};

TEST_P(VectorTest, ColumnKOfASetLandsOnNoteKPlusTheTonicPlusTwo) {
  const VectorCase c = GetParam();
  sound::NoteAdjustSPCs.fill(9.0f);
  int16_t set = c.set;
  sound::sLoadNoteAdjustSPCVector("c", c.type, set);
  EXPECT_EQ(set, c.set);
  EXPECT_EQ(sound::CurrTonicNoteId, c.tonic);
  for (int i = 0; i <= 40; ++i) {
    const int k = i - c.tonic - 2;
    const float expected = k >= 0 && k < 27 ? c.value(c.set, c.type, k) : 0.0f;
    EXPECT_EQ(sound::NoteAdjustSPCs[static_cast<size_t>(i)], expected) << "entry " << i;
  }
  EXPECT_EQ(sound::NoteAdjustSPCs[41], 9.0f) << "entry 41 is never written";
}

INSTANTIATE_TEST_SUITE_P(Sets, VectorTest,
                         ::testing::Values(VectorCase{1, 1, 1, BuiltIn},   // "00" on entry 3, 30 to 40 zero
                                           VectorCase{12, 2, 12, BuiltIn},  // "26" on entry 40
                                           VectorCase{3, 1, 3, BuiltIn},
                                           VectorCase{13, 1, 5, User},  // the user database
                                           VectorCase{13, 2, 5, User}));

// A damaged user row would fail at every start (a Null or a text is an error there) or
// put the set's columns past the notes and its Sa off the keyboard (tonic 13): the row
// is treated as missing.
TEST_F(NoteTuningTest, ADamagedUserSetFallsBackToTheTonicsOwnSetAndIsRecorded) {
  const struct {
    const char* what;
    int tonic;
    const char* change;
  } cases[] = {
      {"tonic 13", 13, ""},
      {"a Null adjustment", 5, R"sql(UPDATE "ONPR" SET "07" = NULL WHERE "NPSetId" = 14;)sql"},
      {"a text adjustment", 5, R"sql(UPDATE "ONPR" SET "26" = 'x' WHERE "NPSetId" = 14;)sql"},
      {"an adjustment out of range", 5, R"sql(UPDATE "ONPR" SET "00" = 1e30 WHERE "NPSetId" = 14;)sql"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    AlterDatabases("", R"sql(DELETE FROM "ONPR" WHERE "NPSetId" = 14;)sql");
    std::filesystem::remove(Path("ignoerr.txt"));
    AddUserSet14(c.tonic, c.change);
    sound::CurrTonicNoteId = 6;
    int16_t set = 14;
    sound::sLoadNoteAdjustSPCVector("c", 1, set);
    EXPECT_EQ(set, 6);
    EXPECT_EQ(sound::CurrTonicNoteId, 6);
    EXPECT_EQ(sound::NoteAdjustSPCs[8], FixtureSetValue(6, 1, 0));
    const auto lines = Lines("ignoerr.txt");
    ASSERT_GE(lines.size(), 5u);
    EXPECT_NE(lines[4].find("Scale set 14"), std::string::npos) << lines[4];
  }
  EXPECT_EQ(halts, 0);
}

TEST_F(NoteTuningTest, AMissingUserSetFallsBackToTheTonicsOwnSetAndIsRecorded) {
  sound::CurrTonicNoteId = 6;
  sound::CurrMusicSetId = 21;
  sound::sLoadNoteAdjustSPCVector("c", 1, sound::CurrMusicSetId);
  EXPECT_EQ(sound::CurrMusicSetId, 6);
  EXPECT_EQ(sound::CurrTonicNoteId, 6);
  EXPECT_EQ(sound::NoteAdjustSPCs[8], FixtureSetValue(6, 1, 0));
  const auto lines = Lines("ignoerr.txt");
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[1], "Ignorable Error No. 1");
  EXPECT_EQ(lines[3], "Called form 'sLoadNoteAdjustSPCVector'");
  EXPECT_NE(lines[4].find("Scale set 21"), std::string::npos) << lines[4];
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(halts, 0);
}

TEST_F(NoteTuningTest, AMissingBuiltInSetIsAnError) {
  AlterDatabases("DELETE FROM \"ONPR\" WHERE \"NPSetId\" = 4;", "");
  sound::NoteAdjustSPCs.fill(9.0f);
  int16_t set = 4;
  EXPECT_EQ(ErrorNumber([&] { sound::sLoadNoteAdjustSPCVector("c", 1, set); }), 3021);
  EXPECT_EQ(sound::NoteAdjustSPCs[20], 0.0f) << "the vector is cleared before";
}

TEST_F(NoteTuningTest, OnlyNonZeroAdjustmentsOfTheInstrumentsNotesAreSent) {
  sound::NoteAdjustSPCs = {};
  sound::NoteAdjustSPCs[0] = -1.5f;
  sound::NoteAdjustSPCs[17] = 0.25f;
  sound::NoteAdjustSPCs[41] = 2.0f;
  ASSERT_EQ(sound::fAdjustNoteSeeds("e", 2), 1);
  const auto tunes = soundLib.Of("FWavTuneNote");
  ASSERT_EQ(tunes.size(), 3u);
  EXPECT_EQ(tunes[0].key, "e");
  EXPECT_EQ(tunes[0].note, 0);
  EXPECT_EQ(tunes[0].value, -1.5);
  EXPECT_EQ(tunes[1].note, 17);
  EXPECT_EQ(tunes[1].value, 0.25);
  EXPECT_EQ(tunes[2].note, 41);
}

TEST_F(NoteTuningTest, ARefusedTuningStopsWithTheNotesBeforeItTuned) {
  sound::NoteAdjustSPCs.fill(1.0f);
  soundLib.failWhen = [](const SoundLibCall& c) { return c.note == 12; };
  EXPECT_EQ(sound::fAdjustNoteSeeds("c", 1), 0);
  EXPECT_EQ(soundLib.Count("FWavTuneNote"), 13u);
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Error adjusting SPC"}));
  EXPECT_EQ(messages[0].title, "Message");
}

TEST_F(NoteTuningTest, AVectorWrittenAndReadBackUnderTheSameTonicIsUnchanged) {
  sound::SpcVector v{};
  // Distinct values, each within the band a set keeps its notes to.
  for (size_t i = 0; i < v.size(); ++i) v[i] = 0.25f * static_cast<float>(i) - 3.5f;
  sound::CurrTonicNoteId = 9;
  {
    auto rs = shell::DatabaseB.OpenRecordset("ONPR", dao::dbOpenTable);
    rs.AddNew();
    rs.SetField("NPSetId", int16_t{15});
    rs.SetField("InstrumentType", int16_t{1});
    rs.SetField("TonicNoteId", int16_t{9});
    sound::sUpdateNoteAdjustmentSPCs(rs, v);
    rs.Update();
  }
  int16_t set = 15;
  sound::sLoadNoteAdjustSPCVector("c", 1, set);
  for (int i = 11; i <= 37; ++i) EXPECT_EQ(sound::NoteAdjustSPCs[static_cast<size_t>(i)], v[static_cast<size_t>(i)]);
  EXPECT_EQ(sound::NoteAdjustSPCs[10], 0.0f);
  EXPECT_EQ(sound::NoteAdjustSPCs[38], 0.0f);
}

TEST_F(NoteTuningTest, WritingUnderATonicThatLeavesTheVectorIsAnError) {
  auto rs = shell::DatabaseB.OpenRecordset("ONPR", dao::dbOpenTable);
  rs.AddNew();
  sound::CurrTonicNoteId = 14;
  EXPECT_EQ(ErrorNumber([&] { sound::sUpdateNoteAdjustmentSPCs(rs, sound::SpcVector{}); }), 9);
  rs.CancelUpdate();
}

TEST_F(NoteTuningTest, SavingCopiesTheVectorIntoTheSnapshotAsked) {
  for (size_t i = 0; i < 42; ++i) sound::NoteAdjustSPCs[i] = static_cast<float>(i) + 0.5f;
  sound::sSaveAdjustments(3);
  sound::sSaveAdjustments(0);
  EXPECT_EQ(sound::SavedSPCsA, sound::SpcVector{});
  EXPECT_EQ(sound::SavedSPCsB, sound::SpcVector{});
  sound::sSaveAdjustments(1);
  EXPECT_EQ(sound::SavedSPCsA[40], 40.5f);
  EXPECT_EQ(sound::SavedSPCsA[41], 0.0f) << "entries 0 to 40 only";
  EXPECT_EQ(sound::SavedSPCsB, sound::SpcVector{});
  sound::NoteAdjustSPCs[3] = -1.0f;
  sound::sSaveAdjustments(2);
  EXPECT_EQ(sound::SavedSPCsB[3], -1.0f);
  EXPECT_EQ(sound::SavedSPCsA[3], 3.5f);
}

}  // namespace
