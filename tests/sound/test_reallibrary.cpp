// The seeds, tuning, scale shift and drone with the real sound library and the
// generated seeds of the built content database, checked by the pitch of rendered notes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "SoundFixture.h"
#include "instrgen/InstrumentData.h"
#include "platform/vb/Folders.h"
#include "sound/Drone.h"
#include "sound/NoteSeeds.h"
#include "sound/ScaleSets.h"
#include "soundlib/FWav.h"
#include "soundlib/SoundTest.h"

namespace {

constexpr double kNoteMs = 600.0;
constexpr double kSamplesPerMs = 44.1;

// The adjustment the test puts into column k of set s for instrument type y: a few
// hundredths of the note's SPC, different from set to set and between the types, so a
// note tuned by another set or row is tens of cents off.
double TestAdjustment(int set, int type, int k) {
  const int note = k + set + 2;
  return instrgen::NoteSpc(note) * 0.012 * ((set + 2 * k + 3 * type) % 5 - 2);
}

class RealLibraryTest : public testsupport::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    const std::string built = vb::ShareFolderPath() + "/mrA.kzy";
    ASSERT_TRUE(std::filesystem::exists(built)) << built;
    std::filesystem::copy_file(built, Path("mrA.kzy"));
    std::string sql;
    for (int set = 1; set <= 12; ++set) {
      for (int type = 1; type <= 2; ++type) {
        sql += "UPDATE \"ONPR\" SET \"NPSetName\" = 'Test'";
        for (int k = 0; k < 27; ++k) {
          char assignment[64];
          std::snprintf(assignment, sizeof assignment, ", \"%02d\" = %.9g", k, TestAdjustment(set, type, k));
          sql += assignment;
        }
        sql += " WHERE \"NPSetId\" = " + std::to_string(set) + " AND \"InstrumentType\" = " + std::to_string(type) +
               ";\n";
      }
    }
    testsupport::RunSql(Path("mrA.kzy"), sql);
    testsupport::MakeUserFixture(Path("mrB.kzy"));
    seedtest::OpenDatabases(Path("mrA.kzy"), Path("mrB.kzy"));
    common::sSetSQLStrings();
    seedtest::ResetSoundState();
    ASSERT_EQ(soundlib::FWavSetGlobalVariables("ce"), 1);
    ASSERT_EQ(soundlib::FWavSetCurrInstr("c"), 1);
  }
  void TearDown() override {
    seedtest::CloseDatabases();
    ScratchTest::TearDown();
  }

  // The pitch at which the library plays each note of an instrument, rendered one after
  // another in a phrase without drone, measured once the room's echo of the note
  // before has died away.
  std::vector<double> SoundingHz(const std::string& key, const std::vector<int>& notes) {
    std::string noteText, durations;
    for (int id : notes) {
      char token[4];
      std::snprintf(token, sizeof token, "%02d", id);
      noteText += (noteText.empty() ? "" : "  ") + std::string(token);
      durations += (durations.empty() ? "" : " ") + std::to_string(static_cast<int>(kNoteMs));
    }
    const std::string file = Path(key + ".wav");
    EXPECT_EQ(soundlib::FWavSetCurrInstr(key), 1);
    const int16_t rendered = soundlib::FWavGenerateMusicFile(static_cast<int32_t>(notes.size()), noteText, durations,
                                                             file, 0, 0.2, 1, 1000, 60, 80, 50);
    EXPECT_EQ(soundlib::FWavSetCurrInstr("c"), 1);
    EXPECT_EQ(rendered, 1);
    const std::vector<int16_t> x = soundtest::ReadWav(file);
    std::vector<double> hz;
    for (size_t i = 0; i < notes.size(); ++i) {
      const double start = static_cast<double>(i) * kNoteMs;
      hz.push_back(soundtest::EstimatePitch(x, static_cast<size_t>((start + 300) * kSamplesPerMs),
                                            static_cast<size_t>((start + 550) * kSamplesPerMs)));
    }
    return hz;
  }

  // Within 6 cents: the pitch estimate of a rendered note is that close, and a note tuned
  // by another set or row, or left at its seed, lies 20 cents or more away.
  void ExpectSpcs(const std::string& key, const std::vector<int>& notes, const std::vector<double>& spcs) {
    const std::vector<double> hz = SoundingHz(key, notes);
    for (size_t i = 0; i < notes.size(); ++i) {
      EXPECT_NEAR(soundtest::Cents(hz[i], 44100.0 / spcs[i]), 0.0, 6.0)
          << "instrument " << key << " note " << notes[i] << " sounds at " << hz[i] << " Hz";
    }
  }
};

class TonicReloadTest : public RealLibraryTest, public ::testing::WithParamInterface<int16_t> {};

TEST_P(TonicReloadTest, ATonicChangeTunesEveryNoteOfBothInstrumentsToItsSet) {
  const int16_t tonic = GetParam();
  // Another set's tuning first, which the reload must replace.
  sound::CurrTonicNoteId = sound::CurrMusicSetId = static_cast<int16_t>(tonic % 12 + 1);
  ASSERT_EQ(sound::fCreateNoteSeedsForUse(), 1);
  sound::CurrTonicNoteId = sound::CurrMusicSetId = tonic;
  ASSERT_EQ(sound::fCreateNoteSeedsForUse(), 1);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(sound::CurrTonicNoteId, tonic);

  for (int type = 1; type <= 2; ++type) {
    // Columns "00", "07" (Sa), "12", "19" (upper Sa), "26", and a note on either side of the set.
    std::vector<int> notes;
    std::vector<double> spcs;
    for (int k : {-1, 0, 7, 12, 19, 26, 27}) {
      const int id = k + tonic + 2;
      if (id > 41) continue;
      notes.push_back(id);
      spcs.push_back(instrgen::NoteSpc(id) + (k >= 0 && k < 27 ? static_cast<float>(TestAdjustment(tonic, type, k)) : 0.0));
    }
    ExpectSpcs(type == 1 ? "c" : "e", notes, spcs);
  }
}

INSTANTIATE_TEST_SUITE_P(Tonics, TonicReloadTest, ::testing::Range(int16_t{1}, int16_t{13}));

TEST_F(RealLibraryTest, AShiftedScaleSoundsAtTheTargetsOfItsRatios) {
  sound::CurrTonicNoteId = sound::CurrMusicSetId = 11;
  const int n = 20;  // the Sa of tonic 11
  const float seed = static_cast<float>(instrgen::NoteSpc(n));
  sound::ScaleShiftSpec = {n, seed, seed * 1.03f};
  ASSERT_EQ(sound::fAdjustScaleNotesToCurrentSetting(), 1);
  EXPECT_TRUE(messages.empty());
  // Note n - 7 + k sounds at (base + delta) / ratio of column k; the built-in ratios are
  // equal-tempered, so every note of the scale gets a cycle 3 % longer than its seed's.
  const std::vector<int> notes{13, 17, 20, 27, 32, 39};
  std::vector<double> spcs;
  for (int id : notes) spcs.push_back(seed * 1.03 / std::exp2((id - n) / 12.0));
  ExpectSpcs("c", notes, spcs);
  ExpectSpcs("e", notes, spcs);
  // A note below the shifted scale keeps the set's tuning: note 12 lies outside set 11.
  ExpectSpcs("c", {12}, {instrgen::NoteSpc(12)});
}

TEST_F(RealLibraryTest, ReloadingOneSeedReturnsThatNoteAloneToItsSeedPitch) {
  sound::CurrTonicNoteId = sound::CurrMusicSetId = 4;
  ASSERT_EQ(sound::fCreateNoteSeedsForUse(), 1);
  ASSERT_EQ(sound::fLoadIndividualNoteSeed("c", 14), 1);
  // Note 14 is column "08" of set 4, note 15 column "09".
  ExpectSpcs("c", {14, 15},
             {instrgen::NoteSpc(14), instrgen::NoteSpc(15) + static_cast<float>(TestAdjustment(4, 1, 9))});
}

TEST_F(RealLibraryTest, TheLibraryRefusingADroneOfAnUnknownInstrumentIsReported) {
  // The drone is built from the drone instrument's seeds, so they are loaded first.
  ASSERT_EQ(sound::fCreateNoteSeedsForUse(), 1);
  ASSERT_EQ(sound::fBuildDroneData(), 1);
  sound::DroneInstrument = "q";
  EXPECT_EQ(sound::fBuildDroneData(), 0);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].prompt, "Error in FWavLoadDroneData");
}

}  // namespace
