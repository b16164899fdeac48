// The drone as heard: the drone file's two cycles and its loop, the strings'
// pitches for each drone type, the jawari band of a pluck, the loudness factor,
// and the drone under the notes of music files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <map>
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

// Pearson correlation of a[from, from + n) and b[from, from + n).
double Correlation(const std::vector<double>& a, const std::vector<double>& b, size_t from, size_t n) {
  double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
  for (size_t i = from; i < from + n; ++i) {
    sa += a[i], sb += b[i], saa += a[i] * a[i], sbb += b[i] * b[i], sab += a[i] * b[i];
  }
  const double m = static_cast<double>(n);
  return (sab - sa * sb / m) / std::sqrt((saa - sa * sa / m) * (sbb - sb * sb / m));
}

std::vector<double> Doubles(const std::vector<int16_t>& x) { return std::vector<double>(x.begin(), x.end()); }

// The tanpura of drone note 23 and drone type 1 on the generated drone seeds.
void LoadGeneratedDrone(SeedStore& seeds, Tanpura& tanpura) {
  for (int id = 0; id < instrgen::kNoteCount; ++id) {
    const instrgen::Seed s = instrgen::MakeSeed('e', id);
    ASSERT_TRUE(seeds.Load(id, s.samPerCyc, s.fractional, s.samples.data()));
  }
  tanpura.Init();
  ASSERT_TRUE(tanpura.Load(23, 1, seeds));
}

TEST_F(DroneTest, TheDroneFileHoldsTwoDifferentCyclesThatJoinWithoutASeam) {
  ASSERT_EQ(FWavLoadDroneData("", 23, 1, "e", 1.0, 1), 1);
  const auto x = DroneFile(2);
  ASSERT_EQ(x.size(), 2 * kCycle);
  const std::vector<double> first(x.begin(), x.begin() + kCycle), second(x.begin() + kCycle, x.end());
  EXPECT_LT(Correlation(first, second, 0, kCycle), 0.99) << "the second cycle repeats the first";
  EXPECT_EQ(DroneFile(1).size(), kCycle) << "variant 1 is one cycle";
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
  for (size_t ms = 110; ms <= 140; ms += 5) after = std::max(after, rms(ms));
  EXPECT_GT(after, 1.3 * rms(100)) << "the first string is plucked between 110 and 140 ms";
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
  // Tuned as a tanpura is: Pa 3:2, Ma 4:3 and Ni 15:8 to Sa, in the octave below.
  const double just[] = {3.0 / 4.0, 2.0 / 3.0, 15.0 / 16.0};
  for (int type = 1; type <= 3; ++type) {
    const double hz = saHz * just[type - 1];
    const SpectralPeak peak = PeakNear(first, hz, 20.0);
    if (type == c.type) {
      EXPECT_NEAR(Cents(peak.hz, hz), 0.0, 0.5) << "first string";
    } else {
      const SpectralPeak own = PeakNear(first, saHz * just[c.type - 1], 20.0);
      EXPECT_LT(peak.level, own.level * 0.03) << "drone type " << type << "'s note sounds";
    }
  }
  // The lower Sa and the middle Sa ring over the whole cycle.
  const auto whole = Spectrum(x, 0, 65536);
  // (The second Sa string sits a cent above the first, and both settle from the pluck's sharpness.)
  EXPECT_NEAR(Cents(PeakNear(whole, saHz / 2.0, 20.0).hz, saHz / 2.0), 0.0, 5.0) << "lower Sa";
  EXPECT_NEAR(Cents(PeakNear(whole, saHz, 20.0).hz, saHz), 0.0, 5.0) << "Sa";
}

// A learner's scale that tunes the first string's note is followed, not made just.
TEST_F(DroneTest, ATunedSeedOfTheFirstStringKeepsItsTuning) {
  // Tonic key 2: Sa is note 11, the Pa below it note 6, raised here by some 8 cents.
  const double spc = kRate / NoteHz(6);
  const double adjustment = spc / std::exp2(8.0 / 1200.0) - spc;
  ASSERT_EQ(Tune('e', 6, adjustment), 1);
  ASSERT_EQ(FWavLoadDroneData("", 23, 1, "e", 1.0, 1), 1);
  const auto x = DroneFile(1);
  const SpectralPeak peak = PeakNear(Spectrum(x, 8820, 32768), NoteHz(6, adjustment), 20.0);
  EXPECT_NEAR(Cents(peak.hz, NoteHz(6, adjustment)), 0.0, 0.5);
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
  Tanpura tanpura;
  ASSERT_NO_FATAL_FAILURE(LoadGeneratedDrone(seeds, tanpura));
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
  // Both Sa strings ring on, settled, after 1.7 s.
  const auto settled = Spectrum(x, 75000, 65536);
  EXPECT_NEAR(Cents(PeakNear(settled, NoteHz(11, 3.0), 20.0).hz, NoteHz(11, 3.0)), 0.0, 3.0);
}

// The plucks are rendered on several threads, and a reload renders only the
// strings it changes: whatever came before, a drone sounds the same.
TEST_F(DroneTest, ADroneSoundsTheSameWhateverWasLoadedBefore) {
  struct Load {
    int tonic, type;
  };
  const Load loads[] = {{3, 1}, {3, 2}, {8, 1}, {3, 1}, {8, 3}, {3, 2}, {3, 3}};
  std::map<std::pair<int, int>, std::vector<int16_t>> first;
  for (const Load& load : loads) {
    ASSERT_EQ(FWavLoadDroneData("", load.tonic + 21, load.type, "e", 1.0, 1), 1);
    const auto x = DroneFile(1);
    ASSERT_FALSE(x.empty());
    auto [at, fresh] = first.emplace(std::make_pair(load.tonic, load.type), x);
    if (!fresh) {
      EXPECT_EQ(x, at->second) << "tonic " << load.tonic << ", drone type " << load.type;
    }
  }
  EXPECT_NE(first[std::make_pair(3, 1)], first[std::make_pair(3, 2)]);
}

// A pluck rendered in parts, as the threads render it, is the pluck rendered whole.
TEST_F(DroneTest, APluckRenderedInPartsIsThePluckRenderedWhole) {
  SeedStore seeds;
  Tanpura tanpura;
  ASSERT_NO_FATAL_FAILURE(LoadGeneratedDrone(seeds, tanpura));
  for (int string : {0, 3}) {
    const DroneString& s = tanpura.string(string, 1);
    std::vector<float> whole(kCycle, 0.0f), parts(kCycle, 0.0f);
    s.AddPluck(whole.data(), Tanpura::kCycle, 0, Tanpura::kCycle);
    const int64_t cuts[] = {0, 7 * DroneString::kPartSamples, 300 * DroneString::kPartSamples, Tanpura::kCycle};
    for (size_t c = 0; c + 1 < std::size(cuts); ++c)
      s.AddPluck(parts.data(), Tanpura::kCycle, 0, Tanpura::kCycle, cuts[c], cuts[c + 1]);
    EXPECT_EQ(parts, whole) << "string " << string;
  }
}

// The drone of a music file: the file less the same notes in play mode 0.
std::vector<double> DronePart(const std::vector<int16_t>& with, const std::vector<int16_t>& without) {
  std::vector<double> drone(with.size());
  for (size_t i = 0; i < with.size(); ++i) drone[i] = with[i] - (i < without.size() ? without[i] : 0);
  return drone;
}

// RMS of v over [from, from + n), in dB.
double LevelDb(const std::vector<double>& v, size_t from, size_t n) {
  double sum = 0.0;
  for (size_t i = from; i < from + n; ++i) sum += v[i] * v[i];
  return 10.0 * std::log10(sum / static_cast<double>(n) + 1e-9);
}

TEST_F(DroneTest, MusicFilesOfPlayModes1And2CarryTheDroneFromTheStartAndMode0None) {
  const auto before = Render(2, "15  18", "700 700", 0);
  ASSERT_EQ(FWavLoadDroneData("", 23, 1, "e", 1.2, 1), 1);
  EXPECT_EQ(Render(2, "15  18", "700 700", 0), before) << "play mode 0";
  for (int mode : {1, 2}) {
    const auto with = Render(2, "15  18", "700 700", mode);
    ASSERT_EQ(with.size(), before.size());
    const auto drone = DronePart(with, before);
    // Faded in within 50 ms, then there all along.
    for (size_t ms = 50; ms < 1400; ms += 50)
      EXPECT_GT(LevelDb(drone, ms * kMs, 50 * kMs), 50.0) << "play mode " << mode << " at " << ms << " ms";
  }
}

TEST_F(DroneTest, AShortPhraseAfterAPauseHearsTheLowerSaPlucked) {
  ASSERT_EQ(FWavLoadDroneData("", 23, 1, "e", 1.0, 1), 1);
  const auto without = Render(1, "15", "600", 0);
  const auto drone = DronePart(Render(1, "15", "600", 1), without);
  // The lower Sa (note 11 an octave down, 130.8 Hz) is plucked near 100 ms: its
  // level after the pluck stands well above its level before.
  const std::vector<int16_t> samples(drone.begin(), drone.end());
  const double lowerSa = NoteHz(11) / 2.0;
  const double before = PeakNear(Spectrum(samples, 0, 4096), lowerSa, 50.0).level;
  const double after = PeakNear(Spectrum(samples, 6000, 4096), lowerSa, 50.0).level;
  EXPECT_GT(after, 2.0 * before);
}

// Phrase files rendered one after another, as the play loop renders them.
class DroneJoinTest : public DroneTest {
 protected:
  // The drone of each file: the files less the same files in play mode 0, which
  // end and join the same way (the room is the same but for the drone's echo).
  std::vector<std::vector<double>> Files(const std::vector<bool>& joined) {
    std::vector<std::vector<int16_t>> files[2];
    joins_.clear();
    for (int mode : {0, 1}) {
      for (size_t k = 0; k < joined.size(); ++k) {
        SetNextFileJoins(k > 0 && joined[k], k + 1 < joined.size() && joined[k + 1]);
        files[mode].push_back(Render(3, "15  18  20", "770 770 770", mode));
        if (mode == 1) joins_.push_back(LastJoin());
      }
    }
    std::vector<std::vector<double>> drones;
    for (size_t k = 0; k < joined.size(); ++k) drones.push_back(DronePart(files[1][k], files[0][k]));
    return drones;
  }
  std::vector<int64_t> joins_;
};

TEST_F(DroneJoinTest, TheDroneRunsOnAcrossTheJoinOfPhraseFilesWithoutADip) {
  ASSERT_EQ(FWavLoadDroneData("", 23, 1, "e", 1.0, 1), 1);
  const auto drones = Files({true, true, true});
  for (int64_t join : joins_) EXPECT_EQ(join, 3 * 770 * kRate / 1000) << "the join is the music's end";
  const std::vector<double> heard = PlayedInTurn(drones, joins_);
  const size_t window = 50 * kMs;
  // The drone neither dips nor swells where one file's fades out as the next one's comes in.
  for (size_t k = 1; k < drones.size(); ++k) {
    const size_t join = k * static_cast<size_t>(joins_[0]);
    const double around = (LevelDb(heard, join - 3 * window, window) + LevelDb(heard, join + 8 * window, window)) / 2.0;
    for (size_t at = join; at < join + 6 * window; at += window) {
      EXPECT_GT(LevelDb(heard, at, window), around - 3.0) << "the drone dips after the join at " << join;
      EXPECT_LT(LevelDb(heard, at, window), around + 3.0) << "the drone swells after the join at " << join;
    }
  }
  // The stream runs on: the join falls where the stream's cycle says, not at a
  // new cycle's start, so the second file does not begin as the first did.
  EXPECT_LT(Correlation(drones[0], drones[1], 100 * kMs, 1500 * kMs), 0.9);
}

TEST_F(DroneJoinTest, AFileAfterAPauseFadesItsDroneInAndOut) {
  ASSERT_EQ(FWavLoadDroneData("", 23, 1, "e", 1.0, 1), 1);
  const auto drones = Files({false, false});
  for (const auto& d : drones) {
    EXPECT_LT(std::fabs(d[0]), 5.0) << "the drone starts from silence";
    EXPECT_LT(LevelDb(d, d.size() - 50 * kMs, 50 * kMs), 20.0) << "the drone has gone at the file's end";
  }
}

TEST_F(DroneTest, ConsecutiveCyclesOfTheStreamDifferWhileEveryStringKeepsItsPitch) {
  SeedStore seeds;
  Tanpura tanpura;
  ASSERT_NO_FATAL_FAILURE(LoadGeneratedDrone(seeds, tanpura));
  std::vector<float> stream(5 * kCycle, 0.0f);
  for (size_t at = 0; at < stream.size(); at += 2048)
    tanpura.AddStream(stream.data() + at, static_cast<int64_t>(kCycle + at), static_cast<int>(std::min<size_t>(2048, stream.size() - at)), 1.0f);
  const std::vector<double> s(stream.begin(), stream.end());
  for (size_t c = 0; c + 1 < 5; ++c) {
    std::vector<double> next(s.begin() + static_cast<ptrdiff_t>((c + 1) * kCycle), s.end());
    std::vector<double> now(s.begin() + static_cast<ptrdiff_t>(c * kCycle), s.end());
    EXPECT_LT(Correlation(now, next, 0, kCycle), 0.99) << "cycle " << c;
  }
  // Every rendering of every string sounds at its note, once the pluck has settled.
  const double expected[] = {NoteHz(11) * 0.75, NoteHz(11), NoteHz(11) * std::exp2(1.0 / 1200.0), NoteHz(11) / 2.0};
  for (int i = 0; i < Tanpura::kStrings; ++i) {
    for (int v = 0; v < Tanpura::kVariants; ++v) {
      std::vector<float> pluck(kCycle, 0.0f);
      tanpura.string(i, v).AddPluck(pluck.data(), Tanpura::kCycle, 0, Tanpura::kCycle);
      std::vector<int16_t> samples(pluck.size());
      for (size_t k = 0; k < pluck.size(); ++k) samples[k] = static_cast<int16_t>(std::lrint(pluck[k] * 8000.0f));
      const SpectralPeak peak = PeakNear(Spectrum(samples, 13000, 65536), expected[i], 30.0);
      EXPECT_NEAR(Cents(peak.hz, expected[i]), 0.0, 2.0) << "string " << i << " rendering " << v;
    }
  }
}

}  // namespace
}  // namespace soundtest
