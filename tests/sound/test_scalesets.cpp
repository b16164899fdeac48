// Shifting a scale by the frequency ratios of "ONPRSets", and the names of the user's sets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SoundFixture.h"
#include "common/Database.h"
#include "sound/ScaleSets.h"
#include "support/ErrorNumber.h"

namespace {

using seedtest::FixtureRatio;
using seedtest::FixtureSeedSpc;
using testsupport::ErrorNumber;
using testsupport::SoundLibCall;

class ScaleSetsTest : public seedtest::SeedsTest {
 protected:
  // Ratio rows for moving notes 5 and 30, whose scales reach below note 0 and past 40.
  std::string ExtraContentRows() const override {
    std::string sql;
    for (int row : {-4, 21}) {
      for (int type = 1; type <= 2; ++type) {
        sql += "INSERT INTO \"ONPRSets\" (\"TonicNoteId\", \"InstrumentType\"" + seedtest::ScaleColumns() +
               ") VALUES (" + std::to_string(row) + ", " + std::to_string(type) +
               seedtest::ScaleValues([&](int k) { return FixtureRatio(type, k); }) + ");\n";
      }
    }
    return sql;
  }
};

struct ShiftCase {
  int32_t note;
  float oldSpc;
  float newSpc;
};

void PrintTo(const ShiftCase& c, std::ostream* os) { *os << "note " << c.note << " " << c.oldSpc << " to " << c.newSpc; }

class ShiftTest : public ScaleSetsTest, public ::testing::WithParamInterface<ShiftCase> {};

// Note n - 7 + k of either instrument gets the SPC (base + delta) / ratio of column k,
// base being the main instrument's seed SPC of n; notes without a seed, with a ratio of 0
// or beyond 40 are not sent.
TEST_P(ShiftTest, EveryNoteKeepsItsRatioToTheMovedNote) {
  const ShiftCase c = GetParam();
  const sound::ScaleShiftRec spec{c.note, c.oldSpc, c.newSpc};
  ASSERT_EQ(sound::fApplyScaleShift(spec), 1);
  EXPECT_TRUE(messages.empty());
  const double base = FixtureSeedSpc('c', c.note);
  const double delta = c.newSpc - c.oldSpc;
  for (const char key : {'c', 'e'}) {
    const int type = key == 'c' ? 1 : 2;
    const auto tunes = soundLib.Of("FWavTuneNote", std::string(1, key));
    const sound::SpcVector& saved = key == 'c' ? sound::SavedSPCsA : sound::SavedSPCsB;
    size_t t = 0;
    for (int k = 0; k < 27; ++k) {
      const int id = c.note - 7 + k;
      if (id < 0 || id > 40 || k == 3) {
        if (id >= 0 && id <= 40) {
          EXPECT_EQ(saved[static_cast<size_t>(id)], 0.0f) << "a ratio of 0 leaves note " << id;
        }
        continue;
      }
      const double target = (base + delta) / FixtureRatio(type, k);
      ASSERT_LT(t, tunes.size());
      EXPECT_EQ(tunes[t].note, id);
      EXPECT_NEAR(tunes[t].value, target - FixtureSeedSpc(key, id), 1e-3) << key << " note " << id;
      EXPECT_EQ(tunes[t].value, static_cast<double>(saved[static_cast<size_t>(id)])) << "the snapshot is what was sent";
      ++t;
    }
    EXPECT_EQ(t, tunes.size()) << key;
  }
}

INSTANTIATE_TEST_SUITE_P(Shifts, ShiftTest,
                         ::testing::Values(ShiftCase{20, 180.25f, 175.0f},  // a higher pitch
                                           ShiftCase{20, 180.25f, 190.5f},  // a lower one
                                           ShiftCase{12, 100.0f, 100.0f},   // no shift: base over ratio all the same
                                           ShiftCase{5, 270.25f, 268.0f},   // notes below 0 left out
                                           ShiftCase{30, 120.25f, 121.0f}));  // notes past 40 left out

TEST_F(ScaleSetsTest, TheRatioOfAColumnOutsideTheRowIsZero) {
  auto ratios = shell::DatabaseA.OpenRecordset("ONPRSets", dao::dbOpenTable);
  common::sSetTablePKRecord2(ratios, 4, int16_t{2});
  EXPECT_EQ(sound::fGetSPCFactor(ratios, 26), FixtureRatio(2, 26));
  EXPECT_EQ(sound::fGetSPCFactor(ratios, 27), 0.0f);
  EXPECT_EQ(sound::fGetSPCFactor(ratios, -1), 0.0f);
}

TEST_F(ScaleSetsTest, AMovedNoteWithoutRatiosOrSeedIsAnError) {
  EXPECT_EQ(ErrorNumber([] { sound::sAdjustNotesForFreqRat({22, 0, 0}, "c", 1); }), 3021) << "no ratio row 13";
  EXPECT_EQ(ErrorNumber([] { sound::sAdjustNotesForFreqRat({45, 0, 0}, "c", 1); }), 3021) << "no seed of note 45";
}

TEST_F(ScaleSetsTest, ARefusedTuningLeavesTheLaterNotesOfThatInstrument) {
  soundLib.failWhen = [](const SoundLibCall& c) { return c.key == "c" && c.note == 15; };
  sound::sAdjustNotesForFreqRat({20, 180.25f, 175.0f}, "c", 1);
  const auto tunes = soundLib.Of("FWavTuneNote");
  ASSERT_FALSE(tunes.empty());
  EXPECT_EQ(tunes.back().note, 15);
  EXPECT_EQ(tunes.size(), 3u);  // 13 and 14 before it
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Error adjusting SPC"}));
}

struct AdjustCase {
  const char* name;
  const char* failingEntry;  // nullptr: nothing fails
  std::vector<std::string> messages;
};

void PrintTo(const AdjustCase& c, std::ostream* os) { *os << c.name; }

class AdjustScaleTest : public ScaleSetsTest, public ::testing::WithParamInterface<AdjustCase> {};

TEST_P(AdjustScaleTest, EveryStepRunsAndEachFailureIsNamed) {
  const AdjustCase& c = GetParam();
  if (c.failingEntry != nullptr) {
    const std::string entry = c.failingEntry;
    soundLib.failWhen = [entry](const SoundLibCall& call) { return call.entry == entry; };
  }
  sound::ScaleShiftSpec = {20, 180.25f, 175.0f};
  EXPECT_EQ(sound::fAdjustScaleNotesToCurrentSetting(), c.failingEntry == nullptr ? 1 : 0);
  EXPECT_EQ(Prompts(), c.messages);
  // The shift and the drone ran whatever failed before them.
  const auto& last = soundLib.calls.back();
  EXPECT_EQ(last.entry, "FWavLoadDroneData");
  EXPECT_GE(soundLib.Count("FWavTuneNote", "e"), 1u);
  EXPECT_NE(sound::SavedSPCsB[39], 0.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, AdjustScaleTest,
    ::testing::Values(
        AdjustCase{"all succeed", nullptr, {}},
        AdjustCase{"seeds",
                   "FWavFreeNoteSeedsMemory",
                   {"Error Freeing Note Seeds Memory", "Error loading Main Note Seeds", "Error Creating Note Seeds"}},
        AdjustCase{"tuning",
                   "FWavTuneNote",
                   {"Error adjusting SPC", "Error adjusting Main Note Seeds", "Error Creating Note Seeds",
                    "Error adjusting SPC", "Error adjusting SPC"}},
        AdjustCase{"drone",
                   "FWavLoadDroneData",
                   {"Error in FWavLoadDroneData", "Error building Drone Data", "Error Creating Note Seeds",
                    "Error in FWavLoadDroneData", "Error in building Drone Data"}}));

TEST_F(ScaleSetsTest, TheNameOfAUserSetIsReadAndAMissingOneIsEmpty) {
  EXPECT_EQ(sound::fGetMusicSetName(13), "My Set");
  EXPECT_EQ(sound::fGetMusicSetName(99), "");
}

}  // namespace
