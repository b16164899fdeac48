// The drone: its data for the tonic, following the raga's drone type, and its loudness.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SoundFixture.h"
#include "sound/Drone.h"
#include "support/ErrorNumber.h"

namespace {

using testsupport::SoundLibCall;

class DroneTest : public seedtest::SeedsTest {
 protected:
  std::string ExtraContentRows() const override {
    return R"sql(INSERT INTO "Raga - Technical Information" ("Raga Index", "DroneType") VALUES
      (1, 1), (2, 3), (3, 3), (4, 2), (5, 0), (6, 7);)sql";
  }
  void ChooseRaga(int16_t ragaIndex) {
    common::CurrRagaIndex = ragaIndex;
    auto rs = shell::DatabaseA.OpenRecordset("Raga - Technical Information", dao::dbOpenTable);
    sound::sAdjustDroneType(rs);
  }
  std::vector<SoundLibCall> Drones() const { return soundLib.Of("FWavLoadDroneData"); }
};

struct DroneCase {
  int16_t tonic;
  int32_t droneType;
  int32_t sentNote;
  int32_t sentType;
};

class DroneDataTest : public DroneTest, public ::testing::WithParamInterface<DroneCase> {};

TEST_P(DroneDataTest, TheDroneSoundsOnTheTonicWithTheRagasType) {
  const DroneCase c = GetParam();
  sound::CurrTonicNoteId = c.tonic;
  sound::CurrDroneType = c.droneType;
  sound::CurrDroneFactor = 0.7;
  sound::DroneInstrument = "e";
  ASSERT_EQ(sound::fBuildDroneData(), 1);
  ASSERT_EQ(Drones().size(), 1u);
  const SoundLibCall d = Drones()[0];
  EXPECT_EQ(d.path, "");
  EXPECT_EQ(d.note, c.sentNote);
  EXPECT_EQ(d.droneType, c.sentType);
  EXPECT_EQ(d.key, "e");
  EXPECT_EQ(d.value, 0.7);
  EXPECT_EQ(d.option, 1);
  EXPECT_EQ(sound::CurrDroneType, c.droneType) << "the raga's own value is kept";
}

INSTANTIATE_TEST_SUITE_P(Tonics, DroneDataTest,
                         ::testing::Values(DroneCase{1, 1, 22, 1}, DroneCase{12, 2, 33, 2}, DroneCase{3, 3, 24, 3},
                                           DroneCase{5, 0, 26, 1},    // outside 1 to 3: Pa
                                           DroneCase{5, 4, 26, 1}, DroneCase{5, -2, 26, 1}));

TEST_F(DroneTest, ARefusedDroneIsNamed) {
  soundLib.failWhen = [](const SoundLibCall&) { return true; };
  EXPECT_EQ(sound::fBuildDroneData(), 0);
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Error in FWavLoadDroneData"}));
  EXPECT_EQ(messages[0].title, "Message");
  EXPECT_EQ(messages[0].buttons, vb::vbInformation);
}

TEST_F(DroneTest, TheDroneFollowsTheRagasTypeAndLoadsOnlyOnAChange) {
  ChooseRaga(2);
  EXPECT_EQ(sound::CurrDroneType, 3);
  ASSERT_EQ(Drones().size(), 1u);
  EXPECT_EQ(Drones()[0].droneType, 3);
  ChooseRaga(3);  // the same type
  EXPECT_EQ(Drones().size(), 1u);
  ChooseRaga(4);
  EXPECT_EQ(sound::CurrDroneType, 2);
  ASSERT_EQ(Drones().size(), 2u);
  EXPECT_EQ(Drones()[1].droneType, 2);
  ChooseRaga(6);  // an unknown type sounds as Pa
  EXPECT_EQ(sound::CurrDroneType, 7);
  EXPECT_EQ(Drones().back().droneType, 1);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(testsupport::ErrorNumber([&] { ChooseRaga(9); }), 3021);
}

TEST_F(DroneTest, AFailedDroneLoadKeepsTheNewTypeAndSaysSo) {
  soundLib.failWhen = [](const SoundLibCall&) { return true; };
  ChooseRaga(4);
  EXPECT_EQ(sound::CurrDroneType, 2);
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Error in FWavLoadDroneData", "Error in loading drone data"}));
}

// The factors after each step of a walk, from 1.0.
std::vector<double> Walk(const std::vector<int16_t>& steps) {
  std::vector<double> factors;
  for (int16_t step : steps) {
    sound::DroneVolumeStep = step;
    EXPECT_EQ(sound::fAdjustDroneVolume(), 1);
    factors.push_back(sound::CurrDroneFactor);
  }
  return factors;
}

TEST_F(DroneTest, LoudnessStepsLandExactlyOnTheTenthsAndStopAtTheBounds) {
  EXPECT_EQ(Walk({1, 1, 1, 1, 1, 1}), (std::vector<double>{1.1, 1.2, 1.3, 1.4, 1.5, 1.5}));
  EXPECT_EQ(Walk({-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}),
            (std::vector<double>{1.4, 1.3, 1.2, 1.1, 1.0, 0.9, 0.8, 0.7, 0.6, 0.5, 0.5}));
  EXPECT_EQ(Walk({1, -1, 1, 1}), (std::vector<double>{0.6, 0.5, 0.6, 0.7}));
  // Every step reloads the drone with the factor it reached, also at a bound.
  const auto drones = Drones();
  ASSERT_EQ(drones.size(), 21u);
  EXPECT_EQ(drones[5].value, 1.5);
  EXPECT_EQ(drones.back().value, 0.7);
  EXPECT_EQ(sound::PlayMode, 1);
}

TEST_F(DroneTest, AFactorOffTheTenthsIsBroughtBackOntoThem) {
  sound::CurrDroneFactor = 1.0 + 0.1 + 0.1 + 0.1;  // drifted: 1.3000000000000003
  EXPECT_EQ(Walk({1}), (std::vector<double>{1.4}));
  sound::CurrDroneFactor = 7.0;
  EXPECT_EQ(Walk({-1}), (std::vector<double>{1.4}));
  sound::CurrDroneFactor = 0.1;
  EXPECT_EQ(Walk({0}), (std::vector<double>{0.5}));
}

TEST_F(DroneTest, ARefusedLoudnessChangeKeepsTheNewFactorAndSaysSo) {
  soundLib.failWhen = [](const SoundLibCall&) { return true; };
  sound::DroneVolumeStep = -1;
  EXPECT_EQ(sound::fAdjustDroneVolume(), 0);
  EXPECT_EQ(sound::CurrDroneFactor, 0.9);
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Error in FWavLoadDroneData", "Error in Building DroneData"}));
}

}  // namespace
