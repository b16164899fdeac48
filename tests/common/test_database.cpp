#include <gtest/gtest.h>

#include "ContentFixture.h"
#include "common/Database.h"
#include "platform/vb/Folders.h"

namespace {

using testsupport::ErrorNumber;

class LookupTest : public contenttest::ContentTest {};

TEST_F(LookupTest, TheSelectorGivesTheContentTheUserOrNoDatabase) {
  common::CurrDBSelector = 1;
  EXPECT_TRUE(common::fSetDatabase().ReadOnly());
  common::CurrDBSelector = 2;
  EXPECT_FALSE(common::fSetDatabase().ReadOnly());
  EXPECT_FALSE(common::fSetDatabase().IsNothing());
  common::CurrDBSelector = 0;
  EXPECT_TRUE(common::fSetDatabase().IsNothing());
  EXPECT_EQ(ErrorNumber([] { common::fSetDatabase().OpenRecordset("RagaNameList"); }), 91);
}

TEST_F(LookupTest, SeekProceduresPositionOnOneTwoOrThreeKeys) {
  auto rs = shell::DatabaseA.OpenRecordset("Raga - Additional Information");
  common::sSetTablePKRecord3(rs, int16_t{1}, "sakhi ri", int16_t{2});
  ASSERT_FALSE(rs.NoMatch());
  EXPECT_EQ(rs.Fields("Notation Index"), vb::Variant(int32_t{10}));
  common::sSetTablePKRecord3(rs, int16_t{1}, "Sakhi Ri", int16_t{3});
  EXPECT_TRUE(rs.NoMatch());
  common::sSetTableIndexRecord2(rs, "AddInfoType", int16_t{1}, int16_t{1});
  EXPECT_EQ(rs.Fields("Add Info"), vb::Variant("Kalyan"));
  common::sSetTableIndexRecord(rs, "CompositionId", int32_t{13});
  EXPECT_EQ(rs.Fields("Add Info"), vb::Variant("O'Sajna"));

  auto alt = shell::DatabaseA.OpenRecordset("Raga - ALT Phrases");
  common::sSetTablePKRecord2(alt, int16_t{1}, int16_t{2});
  EXPECT_EQ(alt.Fields("NotesPhrase"), vb::Variant("S R : G m , P D"));
  common::sSetTablePKRecord(alt, int16_t{2});
  EXPECT_EQ(alt.Fields("PhraseType"), vb::Variant(int16_t{1}));
  EXPECT_EQ(rs.Index(), "CompositionId");
  EXPECT_EQ(alt.Index(), "PrimaryKey");
}

TEST_F(LookupTest, RagaNamesAndIndexes) {
  EXPECT_EQ(common::fGetRagaId("Yaman"), 1);
  EXPECT_EQ(common::fGetRagaId("BHAIRAV"), 2);
  EXPECT_EQ(common::fGetRagaId("Raga's \"Own\""), 4);
  EXPECT_EQ(common::fGetRagaId("Darbari"), 0);
  EXPECT_EQ(common::fGetRagaId(""), 0);
  EXPECT_EQ(common::fGetRagaName(3), "Bageshri");
  EXPECT_EQ(common::fGetRagaName(0), "");
  EXPECT_EQ(common::fGetRagaName(-1), "");
}

TEST_F(LookupTest, TheNthRagaIsTakenInStoredOrderAndBecomesCurrent) {
  EXPECT_EQ(common::fGetSeqRagaId(0), 2);
  EXPECT_EQ(common::CurrRagaIndex, 2);
  EXPECT_EQ(sound::CurrDroneType, 1);
  EXPECT_EQ(common::fGetSeqRagaId(1), 1);
  EXPECT_EQ(common::CurrRagaIndex, 1);
  EXPECT_EQ(sound::CurrDroneType, 3);  // the drone follows the raga
  EXPECT_EQ(common::fGetSeqRagaId(2), 3);
  EXPECT_EQ(sound::CurrDroneType, 2);
  // The drone was loaded for each new type.
  const auto drones = soundLib.Of("FWavLoadDroneData");
  ASSERT_EQ(drones.size(), 2u);
  EXPECT_EQ(drones[0].droneType, 3);
  EXPECT_EQ(drones[1].droneType, 2);
  EXPECT_TRUE(messages.empty());
}

TEST_F(LookupTest, APositionPastTheEndIsAReportedError) {
  EXPECT_FALSE(common::RunEvent([] { common::fGetSeqRagaId(3); }));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].prompt.find("'fGetSeqRagaId'"), std::string::npos);
  EXPECT_EQ(halts, 1);
  EXPECT_EQ(common::ErrNumber, 3021);
}

TEST_F(LookupTest, TalaLookups) {
  EXPECT_EQ(common::fGetTalaId("jhaptaal"), 2);
  EXPECT_EQ(common::fGetTalaName(1), "Teentaal");
  EXPECT_EQ(common::fGetBeatCountForTala(2), 10);
  EXPECT_EQ(ErrorNumber([] { common::fGetTalaName(9); }), 3021);
  EXPECT_EQ(ErrorNumber([] { common::fGetTalaId("Unknown"); }), 3021);
  EXPECT_FALSE(common::RunEvent([] { common::fGetBeatCountForTala(9); }));
  EXPECT_EQ(halts, 1);
}

struct BeatCase {
  const char* phrase;
  int16_t beats;
};

class BeatCountTest : public ::testing::TestWithParam<BeatCase> {};

TEST_P(BeatCountTest, AddsTheDurationsAndRoundsHalfToEven) {
  EXPECT_EQ(common::fGetBeatCountForPhrase(GetParam().phrase), GetParam().beats) << GetParam().phrase;
}

INSTANTIATE_TEST_SUITE_P(Phrases, BeatCountTest,
                         ::testing::Values(BeatCase{"4 4 2 2", 12}, BeatCase{"1.5 1.5 1", 4}, BeatCase{"", 0},
                                           BeatCase{"  2   3 ", 5}, BeatCase{"2.5", 2}, BeatCase{"3.5", 4},
                                           BeatCase{"x 2", 2}, BeatCase{"2x 1", 3}));

TEST_F(LookupTest, PromptLinesJoinTheTextsOfTheNumbers) {
  EXPECT_EQ(common::fGetPrompts("5"), "Press Play");
  EXPECT_EQ(common::fGetPrompts(""), "");
  EXPECT_EQ(common::fGetPrompts("1,99,2"), "Choose an item -  - Click a raga");
  EXPECT_EQ(common::fGetPrompts("2, 5"), "Click a raga - Press Play");
  EXPECT_EQ(common::fGetPrompts("1,,5"), "Choose an item - Press Play");  // empty words are skipped
}

TEST_F(LookupTest, TipCountVersionAndTemporaryFolder) {
  EXPECT_EQ(common::fGetKZTipCount(), 3);
  EXPECT_EQ(common::fGetKZVerString(), "2.2");
  const std::string temp = common::fGetTempFilesPathName();
  EXPECT_EQ(temp, vb::SessionTempFolder());
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '/');
  vb::RemoveSessionTempFolder();
}

}  // namespace
