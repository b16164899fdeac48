#include <gtest/gtest.h>

#include "ContentFixture.h"
#include "common/RagaCounts.h"

namespace {

using testsupport::ErrorNumber;

class CountsTest : public contenttest::ContentTest {
 protected:
  // The user wrote taan phrases for Yaman and a composition whose number left a gap.
  std::string UserRows() const override {
    return R"sql(
INSERT INTO "Raga - ALT Phrases" VALUES (1, 3, 'S R G m P,P m G R S', NULL);
INSERT INTO "Raga - Additional Information" VALUES (1, 'Mine', 2, 5), (1, 'Older', 2, 2);
INSERT INTO "Raga - Composition Notations" ("Notation Index", "Composition Part") VALUES (5, 1), (5, 2), (7, 1);
)sql";
  }
};

struct PhraseCase {
  const char* name;
  int16_t raga;
  int16_t database;
  int16_t alap, layakari, taan;  // counts; an existence test is True when the count is above 0
};

class PhraseCountTest : public CountsTest, public ::testing::WithParamInterface<PhraseCase> {};

TEST_P(PhraseCountTest, CountsAndExistenceAgree) {
  const PhraseCase& c = GetParam();
  EXPECT_EQ(common::fAlapCount(c.raga, c.database), c.alap);
  EXPECT_EQ(common::fLayakariCount(c.raga, c.database), c.layakari);
  EXPECT_EQ(common::fTaanCount(c.raga, c.database), c.taan);
  EXPECT_EQ(common::fHasAlap(c.raga, vb::Variant(c.database)), c.alap > 0 ? -1 : 0);
  EXPECT_EQ(common::fHasLayakari(c.raga, c.database), c.layakari > 0 ? -1 : 0);
  EXPECT_EQ(common::fHasTaan(c.raga, vb::Variant(c.database)), c.taan > 0 ? -1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Ragas, PhraseCountTest,
    ::testing::Values(
        // "S R G,R G m,,G m P," has 3 phrases: empty pieces do not count
        PhraseCase{"ContentWithAlapAndLayakari", 1, 1, 3, 2, 0},
        PhraseCase{"ContentWithAlapOnly", 2, 1, 1, 0, 0},
        // no alap row: a count of 0, not an error
        PhraseCase{"ContentWithoutPhrases", 3, 1, 0, 0, 0},
        PhraseCase{"UserTaanOnly", 1, 2, 0, 0, 2},
        PhraseCase{"UserNothing", 2, 2, 0, 0, 0}),
    [](const ::testing::TestParamInfo<PhraseCase>& info) { return std::string(info.param.name); });

TEST_F(CountsTest, AdditionalItemsInEitherDatabase) {
  EXPECT_EQ(common::fHasSimilarRagas(1, 1), -1);
  EXPECT_EQ(common::fHasCompositions(1, 1), -1);
  EXPECT_EQ(common::fHasFilmSongs(1, vb::Variant(int16_t{1})), -1);
  EXPECT_EQ(common::fHasCompositions(2, 1), 0);
  EXPECT_EQ(common::fHasCompositions(1, 2), -1);
  EXPECT_EQ(common::fHasSimilarRagas(1, 2), 0);
  EXPECT_EQ(common::fHasFilmSongs(1, vb::Variant(int16_t{2})), 0);
}

TEST_F(CountsTest, AnUnknownDatabaseCodeIsAnError) {
  EXPECT_EQ(ErrorNumber([] { common::fAlapCount(1, 3); }), 91);
  EXPECT_EQ(ErrorNumber([] { common::fHasCompositions(1, 0); }), 91);
  EXPECT_EQ(ErrorNumber([] { common::fHasTaan(1, vb::Null); }), 94);
}

TEST_F(CountsTest, AddInfoCountsOfTheCurrentRaga) {
  common::CurrRagaIndex = 1;
  EXPECT_EQ(common::fAddInfoCount(2), 3);
  EXPECT_EQ(common::fAddInfoCount(1), 1);
  EXPECT_EQ(common::fAddInfoCount(3), 1);
  common::CurrRagaIndex = 2;
  EXPECT_EQ(common::fAddInfoCount(2), 0);
}

TEST_F(CountsTest, TheNextUserCompositionNumberIsAboveEveryNumberInUse) {
  // rows 5 and 2, and an orphan notation row 7: neither the row count + 1 (3) nor 6
  EXPECT_EQ(common::fGetNextUserCompositionIndex(), 8);
}

class EmptyUserCountsTest : public contenttest::ContentTest {};

TEST_F(EmptyUserCountsTest, TheFirstUserCompositionIsNumberOne) {
  EXPECT_EQ(common::fGetNextUserCompositionIndex(), 1);
}

struct MatraCase {
  const char* name;
  int32_t notationIndex;
  int16_t matras, asthaiStart, antaraStart;
};

class MatraCountTest : public contenttest::ContentTest, public ::testing::WithParamInterface<MatraCase> {};

TEST_P(MatraCountTest, TheLongerPartDecides) {
  const MatraCase& c = GetParam();
  common::CurrNotationIndex = c.notationIndex;
  EXPECT_EQ(common::fGetMatraCountForComposition(), c.matras);
  EXPECT_EQ(common::AsthaiStartBeat, c.asthaiStart);
  EXPECT_EQ(common::AntaraStartBeat, c.antaraStart);
}

INSTANTIATE_TEST_SUITE_P(
    Compositions, MatraCountTest,
    ::testing::Values(
        // asthai 31.5 from beat 1, antara 30 from beat 3: the antara's 32 wins; each
        // part's own count is kept without its starting beat
        MatraCase{"BothParts", 10, 32, 32, 30},
        // a missing part counts 0
        MatraCase{"AsthaiOnly", 11, 20, 16, 0}, MatraCase{"AntaraOnly", 12, 16, 0, 16},
        MatraCase{"NoParts", 99, 0, 0, 0}),
    [](const ::testing::TestParamInfo<MatraCase>& info) { return std::string(info.param.name); });

TEST_F(CountsTest, MatraCountReadsTheSelectedDatabase) {
  common::CurrDBSelector = 2;
  common::CurrNotationIndex = 10;  // only in the content database
  EXPECT_EQ(common::fGetMatraCountForComposition(), 0);
  common::CurrDBSelector = 0;
  EXPECT_EQ(ErrorNumber([] { common::fGetMatraCountForComposition(); }), 91);
}

}  // namespace
