// The drone as heard: the drone file's two cycles and its loop, the strings'
// pitches for each drone type, the jawari band of a pluck, the loudness factor,
// and the drone under the notes of music files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include "SoundTest.h"
#include "instrgen/InstrumentData.h"
#include "soundlib/FWav.h"
#include "soundlib/SeedStore.h"
#include "soundlib/Tanpura.h"

namespace soundtest {
namespace {

using namespace soundlib;

constexpr size_t kCycle = static_cast<size_t>(Tanpura::kCycle);
constexpr size_t kMs = kRate / 1000;

class DroneTest : public SoundLibTest {
 protected:
  void SetUp() override {
    SoundLibTest::SetUp();
    ChangedSeeds();  // the drone stays loaded: the next test sets the library up anew
  }
  std::vector<int16_t> DroneFile(int variant = 2) {
    const std::string path = File("D" + std::to_string(files_++) + ".Wav");
    return FWavGenerateDroneFile(variant, path, 1) == 1 ? ReadWav(path) : std::vector<int16_t>{};
  }
  int files_ = 0;
};

TEST_F(DroneTest, TheDroneFileHoldsTwoIdenticalCyclesThatJoinWithoutASeam) {
  ASSERT_EQ(FWavLoadDroneData("", 23, 1, "e", 1.0, 1), 1);
  const auto x = DroneFile(2);
  ASSERT_EQ(x.size(), 2 * kCycle);
  EXPECT_TRUE(std::equal(x.begin(), x.begin() + kCycle, x.begin() + kCycle)) << "the halves differ";
  EXPECT_EQ(DroneFile(1), std::vector<int16_t>(x.begin(), x.begin() + kCycle)) << "variant 1 is one cycle";
  // Played in a loop, the file's end runs into its start like any other two samples.
  std::vector<int16_t> looped(x.end() - 2000, x.end());
  looped.insert(looped.end(), x.begin(), x.begin() + 2000);
  const double joint = Peak(HighBand(looped), 1900, 2100);
  const double elsewhere = Peak(HighBand(x), 200, x.size() - 200);
  EXPECT_LE(joint, elsewhere + 1.0);
}

TEST_F(DroneTest, TheFirstHundredMillisecondsOfACycleComeBeforeItsFirstPluck) {
  // The workbench restarts the file a little after its half: the restart then only
  // lengthens the pause before the first string.
  ASSERT_EQ(FWavLoadDroneData("", 25, 1, "e", 1.0, 1), 1);
  const auto x = DroneFile(1);
  auto rms = [&](size_t fromMs) {
    double sum = 0.0;
    for (size_t i = fromMs * kMs; i < (fromMs + 5) * kMs; ++i) sum += static_cast<double>(x[i]) * x[i];
    return std::sqrt(sum / (5 * kMs));
  };
  const double atStart = rms(0);
  for (size_t ms = 5; ms <= 95; ms += 5) EXPECT_LT(rms(ms), atStart * 1.2) << "a pluck at " << ms << " ms";
  double after = 0.0;
  for (size_t ms = 110; ms <= 130; ms += 5) after = std::max(after, rms(ms));
  EXPECT_GT(after, 1.3 * rms(100)) << "the first string is plucked at 110 ms";
}

struct TypeCase {
  int tonic;  // 1..12
  int type;   // 1 Pa, 2 Ma, 3 Ni
};
void PrintTo(const TypeCase& c, std::ostream* os) { *os << "tonic " << c.tonic << " type " << c.type; }

class DroneTypeTest : public DroneTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(DroneTypeTest, TheStringsSoundAtTheTonicsSaLowerSaAndTheTypesNote) {
  const TypeCase c = GetParam();
  ASSERT_EQ(FWavLoadDroneData("", c.tonic + 21, c.type, "e", 1.0, 1), 1);
  const auto x = DroneFile(1);
  ASSERT_EQ(x.size(), kCycle);
  const int sa = c.tonic + 9;
  const double saHz = NoteHz(sa);
  // The first string alone has been plucked anew between 0.2 and 0.8 s.
  constexpr size_t kSize = 32768;
  const auto first = Spectrum(x, 8820, kSize);
  const int below[] = {5, 7, 1};
  for (int type = 1; type <= 3; ++type) {
    const double hz = saHz * std::exp2(-below[type - 1] / 12.0);
    const SpectralPeak peak = PeakNear(first, hz, 20.0);
    if (type == c.type) {
      EXPECT_NEAR(Cents(peak.hz, NoteHz(sa - below[type - 1])), 0.0, 3.0) << "first string";
    } else {
      const SpectralPeak own = PeakNear(first, saHz * std::exp2(-below[c.type - 1] / 12.0), 20.0);
      EXPECT_LT(peak.level, own.level * 0.03) << "drone type " << type << "'s note sounds";
    }
  }
  // The lower Sa and the middle Sa ring over the whole cycle.
  const auto whole = Spectrum(x, 0, 65536);
  // (The second Sa string sits a cent above the first, and both settle from the pluck's sharpness.)
  EXPECT_NEAR(Cents(PeakNear(whole, saHz / 2.0, 20.0).hz, saHz / 2.0), 0.0, 5.0) << "lower Sa";
  EXPECT_NEAR(Cents(PeakNear(whole, saHz, 20.0).hz, saHz), 0.0, 5.0) << "Sa";
}

INSTANTIATE_TEST_SUITE_P(Types, DroneTypeTest,
                         ::testing::Values(TypeCase{2, 1}, TypeCase{2, 2}, TypeCase{2, 3}, TypeCase{1, 1},
                                           TypeCase{7, 2}, TypeCase{12, 3}));

// The band of a single pluck: for each window, the partial whose level stands
// highest above the straight line (dB over octaves) fitted to the levels of the
// partials still sounding, and how far above it stands.
struct Band {
  double hz = 0.0;
  double db = 0.0;
};
Band BandOf(const std::vector<float>& pluck, double f0, size_t begin) {
  constexpr size_t kWindow = 4096;
  std::vector<double> logF, levelDb;
  for (int h = 1; h * f0 < 10000.0; ++h) {
    const double f = h * f0;
    if (f < 400.0) continue;
    std::complex<double> sum = 0.0;
    for (size_t i = 0; i < kWindow; ++i) {
      const double w = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) / kWindow);
      sum += w * pluck[begin + i] * std::polar(1.0, -2.0 * std::numbers::pi * f * static_cast<double>(i) / kRate);
    }
    logF.push_back(std::log2(f));
    levelDb.push_back(20.0 * std::log10(std::abs(sum) + 1e-12));
  }
  // Partials more than 50 dB below the strongest have died away and take no part.
  const double strongest = *std::max_element(levelDb.begin(), levelDb.end());
  for (size_t i = logF.size(); i-- > 0;) {
    if (levelDb[i] < strongest - 50.0) {
      logF.erase(logF.begin() + static_cast<ptrdiff_t>(i));
      levelDb.erase(levelDb.begin() + static_cast<ptrdiff_t>(i));
    }
  }
  const double n = static_cast<double>(logF.size());
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (size_t i = 0; i < logF.size(); ++i)
    sx += logF[i], sy += levelDb[i], sxx += logF[i] * logF[i], sxy += logF[i] * levelDb[i];
  const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
  const double offset = (sy - slope * sx) / n;
  Band band;
  band.db = -std::numeric_limits<double>::infinity();
  for (size_t i = 0; i < logF.size(); ++i) {
    const double above = levelDb[i] - (offset + slope * logF[i]);
    if (above > band.db) band = Band{std::exp2(logF[i]), above};
  }
  return band;
}

TEST_F(DroneTest, TheJawariBandOfAPluckSlidesDownAsTheStringDecays) {
  SeedStore seeds;
  for (int id = 0; id < instrgen::kNoteCount; ++id) {
    const instrgen::Seed s = instrgen::MakeSeed('e', id);
    ASSERT_TRUE(seeds.Load(id, s.samPerCyc, s.fractional, s.samples.data()));
  }
  Tanpura tanpura;
  tanpura.Init();
  ASSERT_TRUE(tanpura.Load(23, 1, seeds));
  for (int string : {0, 1, 3}) {
    const DroneString& s = tanpura.string(string);
    std::vector<float> pluck(kCycle, 0.0f);
    s.AddPluck(pluck.data(), Tanpura::kCycle, 0, Tanpura::kCycle);
    double previous = 1e9;
    std::vector<Band> bands;
    for (double seconds : {0.05, 0.3, 0.7, 1.3, 2.2}) {
      const Band band = BandOf(pluck, s.hz(), static_cast<size_t>(seconds * kRate));
      bands.push_back(band);
      EXPECT_GT(band.db, 6.0) << "string " << string << " at " << seconds << " s: no band stands out";
      EXPECT_LT(band.hz, previous) << "string " << string << " at " << seconds << " s";
      previous = band.hz;
    }
    EXPECT_LT(bands.back().hz, bands.front().hz / 3.0) << "string " << string;
  }
}

TEST_F(DroneTest, TheLoudnessFactorScalesTheDroneAndBadArgumentsKeepTheDroneLoaded) {
  ASSERT_EQ(FWavLoadDroneData("", 24, 2, "e", 1.0, 1), 1);
  const auto normal = DroneFile(1);
  ASSERT_EQ(FWavLoadDroneData("", 24, 2, "e", 0.5, 1), 1);
  const auto soft = DroneFile(1);
  ASSERT_EQ(FWavLoadDroneData("", 24, 2, "e", 1.5, 1), 1);
  const auto loud = DroneFile(1);
  auto peak = [](const std::vector<int16_t>& x) {
    int p = 0;
    for (int16_t v : x) p = std::max(p, std::abs(static_cast<int>(v)));
    return static_cast<double>(p);
  };
  EXPECT_NEAR(peak(soft) / peak(normal), 0.5, 0.01);
  EXPECT_NEAR(peak(loud) / peak(normal), 1.5, 0.01);
  for (const auto& [note, type, factor] :
       std::vector<std::tuple<int, int, double>>{{21, 1, 1.0},
                                                 {34, 1, 1.0},
                                                 {24, 0, 1.0},
                                                 {24, 4, 1.0},
                                                 {24, 1, -0.1},
                                                 {24, 1, 2.5},
                                                 {24, 1, std::numeric_limits<double>::quiet_NaN()}}) {
    EXPECT_EQ(FWavLoadDroneData("", note, type, "e", factor, 1), 0) << note << " " << type << " " << factor;
  }
  EXPECT_EQ(DroneFile(1), loud) << "a failed load keeps the drone loaded before";
}

TEST_F(DroneTest, NoDroneFileWithoutDroneDataOrForAnotherVariant) {
  FWavSetGlobalVariables("ce");
  EXPECT_EQ(FWavGenerateDroneFile(2, File("D.Wav"), 1), 0);
  LoadAll();
  ASSERT_EQ(FWavLoadDroneData("", 23, 1, "e", 1.0, 1), 1);
  EXPECT_EQ(FWavGenerateDroneFile(3, File("D.Wav"), 1), 0);
  EXPECT_EQ(FWavGenerateDroneFile(0, File("D.Wav"), 1), 0);
  EXPECT_EQ(FWavGenerateDroneFile(1, File("no-such-folder/D.Wav"), 2), 0);
}

TEST_F(DroneTest, TheDroneFollowsTheTuningOfItsSeeds) {
  ASSERT_EQ(Tune('e', 11, 3.0), 1);
  ASSERT_EQ(FWavLoadDroneData("", 23, 1, "e", 1.0, 1), 1);
  const auto x = DroneFile(1);
  const auto whole = Spectrum(x, 0, 65536);
  EXPECT_NEAR(Cents(PeakNear(whole, NoteHz(11, 3.0), 20.0).hz, NoteHz(11, 3.0)), 0.0, 3.0);
}

TEST_F(DroneTest, MusicFilesOfPlayModes1And2CarryTheDroneFromTheStartAndMode0None) {
  const auto before = Render(2, "15  18", "700 700", 0);
  ASSERT_EQ(FWavLoadDroneData("", 23, 1, "e", 1.2, 1), 1);
  const auto drone = DroneFile(1);
  EXPECT_EQ(Render(2, "15  18", "700 700", 0), before) << "play mode 0";
  for (int mode : {1, 2}) {
    const auto with = Render(2, "15  18", "700 700", mode);
    ASSERT_EQ(with.size(), before.size());
    int worst = 0;
    // After the 20 ms fade-in and before the last note's release, notes plus drone.
    for (size_t i = 20 * kMs; i < 1400 * kMs; ++i) worst = std::max(worst, std::abs(with[i] - before[i] - drone[i]));
    EXPECT_LE(worst, 2) << "play mode " << mode;
  }
}

}  // namespace
}  // namespace soundtest
