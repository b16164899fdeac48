// The entry points as their callers use them: set-up, the seed store, tuning,
// the music file with theka before theka data is loaded, and the failure result
// for every kind of bad argument.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "SoundTest.h"
#include "instrgen/InstrumentData.h"
#include "soundlib/FWav.h"

namespace soundtest {
namespace {

using namespace soundlib;

constexpr size_t kSteady = 44100 / 10;

class EntryPointTest : public SoundLibTest {
 protected:
  double PitchOf(const std::string& token) {
    const auto x = Render(1, token, "600");
    return x.empty() ? 0.0 : EstimatePitch(x, kSteady, x.size() - kSteady);
  }
};

TEST_F(EntryPointTest, ATuningReplacesTheEarlierOneAndIsNotAddedToIt) {
  ASSERT_EQ(Tune('c', 15, 2.0), 1);
  const auto once = Render(1, "15", "600");
  ASSERT_EQ(Tune('c', 15, 2.0), 1);
  EXPECT_EQ(Render(1, "15", "600"), once);
  EXPECT_NEAR(Cents(PitchOf("15"), NoteHz(15, 2.0)), 0.0, 2.0);
}

TEST_F(EntryPointTest, ReloadingOneSeedUntunesThatNoteOnly) {
  ASSERT_EQ(Tune('c', 15, 3.0), 1);
  ASSERT_EQ(Tune('c', 16, 3.0), 1);
  ASSERT_EQ(LoadSeed('c', 15), 1);
  EXPECT_NEAR(Cents(PitchOf("15"), NoteHz(15)), 0.0, 2.0);
  EXPECT_NEAR(Cents(PitchOf("16"), NoteHz(16, 3.0)), 0.0, 2.0);
}

TEST_F(EntryPointTest, FreeingOneInstrumentKeepsTheOther) {
  ChangedSeeds();
  ASSERT_EQ(FWavFreeNoteSeedsMemory("e"), 1);
  ASSERT_EQ(FWavFreeNoteSeedsMemory("e"), 1) << "nothing left to free is still success";
  EXPECT_NEAR(Cents(PitchOf("11"), NoteHz(11)), 0.0, 2.0);
  ASSERT_EQ(FWavFreeNoteSeedsMemory("c"), 1);
  EXPECT_TRUE(Render(1, "11", "600").empty());
}

TEST_F(EntryPointTest, TheSeedIsCopiedDuringTheCall) {
  const auto before = Render(1, "20", "400");
  instrgen::Seed seed = instrgen::MakeSeed('c', 20);
  ASSERT_EQ(FWavLoadInstrNoteSeeds("c", 20, seed.samPerCyc, seed.fractional, seed.samples.data()), 1);
  std::fill(seed.samples.begin(), seed.samples.end(), int16_t{0});
  Tune('c', 20, 0.0);  // reloaded by the next test
  EXPECT_EQ(Render(1, "20", "400"), before);
}

TEST_F(EntryPointTest, TheCurrentInstrumentPlaysTheMusicFiles) {
  const auto harmonium = Render(1, "18", "600");
  ASSERT_EQ(FWavSetCurrInstr("e"), 1);
  const auto drone = Render(1, "18", "600");
  ASSERT_FALSE(drone.empty());
  EXPECT_NE(drone, harmonium);
  EXPECT_NEAR(Cents(EstimatePitch(drone, kSteady, drone.size() - kSteady), NoteHz(18)), 0.0, 2.0);
}

TEST_F(EntryPointTest, WithoutThekaDataTheMusicFileWithThekaRendersItsNotesAlone) {
  const std::string path = File("B.wav");
  ASSERT_EQ(FWavGenerateMusicFile1(3, "11  13  15", "500 500 500", 1, 16, "1 2 3 4", 4, 700, path, 1, 0.2, 1, 1000,
                                   60, 80, 50),
            1);
  EXPECT_EQ(ReadWav(path), Render(3, "11  13  15", "500 500 500"));
}

struct BadCall {
  const char* what;
  std::function<int16_t(const std::string& path)> call;
  bool changesSetUp = false;  // the call (or its preparation) frees seeds or resets the library
};

void PrintTo(const BadCall& c, std::ostream* os) { *os << c.what; }

class BadArgumentTest : public SoundLibTest, public ::testing::WithParamInterface<BadCall> {};

TEST_P(BadArgumentTest, ABadArgumentGivesTheFailureResultAndNoFile) {
  if (GetParam().changesSetUp) ChangedSeeds();
  const std::string path = File("A.wav");
  EXPECT_EQ(GetParam().call(path), 0);
  EXPECT_FALSE(std::filesystem::exists(path));
}

int16_t Music(int count, const std::string& notes, const std::string& durations, const std::string& path,
              int playMode = 1) {
  return FWavGenerateMusicFile(count, notes, durations, path, playMode, 0.2, 1, 1000, 60, 80, 50);
}

const int16_t kSeed[400] = {1, 2, 3};

INSTANTIATE_TEST_SUITE_P(
    Calls, BadArgumentTest,
    ::testing::Values(
        BadCall{"no instrument list", [](auto&) { return FWavSetGlobalVariables(""); }},
        BadCall{"a blank in the instrument list", [](auto&) { return FWavSetGlobalVariables("c e"); }},
        BadCall{"current instrument unknown", [](auto&) { return FWavSetCurrInstr("x"); }},
        BadCall{"current instrument of two keys", [](auto&) { return FWavSetCurrInstr("ce"); }},
        BadCall{"free an unknown key", [](auto&) { return FWavFreeNoteSeedsMemory("x"); }},
        BadCall{"seed of an unknown key", [](auto&) { return FWavLoadInstrNoteSeeds("x", 1, 200, 0.5, kSeed); }},
        BadCall{"seed note id 42", [](auto&) { return FWavLoadInstrNoteSeeds("c", 42, 200, 0.5, kSeed); }},
        BadCall{"seed note id -1", [](auto&) { return FWavLoadInstrNoteSeeds("c", -1, 200, 0.5, kSeed); }},
        BadCall{"seed of 0 samples per cycle", [](auto&) { return FWavLoadInstrNoteSeeds("c", 1, 0, 0.0, kSeed); }},
        BadCall{"seed fraction of 1", [](auto&) { return FWavLoadInstrNoteSeeds("c", 1, 200, 1.0, kSeed); }},
        BadCall{"seed without samples", [](auto&) { return FWavLoadInstrNoteSeeds("c", 1, 200, 0.5, nullptr); }},
        BadCall{"drone of an unknown key", [](auto&) { return FWavLoadDroneData("", 23, 1, "x", 1.0, 1); }},
        BadCall{"tune an unknown key", [](auto&) { return FWavTuneNote("x", 11, 1.0); }},
        BadCall{"tune note id 42", [](auto&) { return FWavTuneNote("c", 42, 1.0); }},
        BadCall{"tune to no cycle", [](auto&) { return FWavTuneNote("c", 11, -168.0); }},
        BadCall{"tune a freed note",
                [](auto&) {
                  FWavFreeNoteSeedsMemory("c");
                  return FWavTuneNote("c", 11, 1.0);
                },
                true},
        BadCall{"note without a seed", [](auto& p) { return Music(2, "11  42", "500 500", p); }},
        BadCall{"grace note without a seed", [](auto& p) { return Music(1, "9911", "500", p); }},
        BadCall{"no current instrument",
                [](auto& p) {
                  FWavSetGlobalVariables("ce");
                  return Music(1, "11", "500", p);
                },
                true},
        BadCall{"one-digit note", [](auto& p) { return Music(1, "1", "500", p); }},
        BadCall{"three-digit note", [](auto& p) { return Music(1, "123", "500", p); }},
        BadCall{"three grace notes", [](auto& p) { return Music(1, "11131517", "500", p); }},
        BadCall{"letters in a note", [](auto& p) { return Music(1, "1a", "500", p); }},
        BadCall{"negative main note", [](auto& p) { return Music(1, "-1", "500", p); }},
        BadCall{"negative main note after a grace", [](auto& p) { return Music(1, "12-1", "500", p); }},
        BadCall{"fewer notes than the count", [](auto& p) { return Music(3, "11  13", "500 500 500", p); }},
        BadCall{"more notes than the count", [](auto& p) { return Music(1, "11  13", "500", p); }},
        BadCall{"fewer durations than notes", [](auto& p) { return Music(2, "11  13", "500", p); }},
        BadCall{"more durations than notes", [](auto& p) { return Music(1, "11", "500 500", p); }},
        BadCall{"a word for a duration", [](auto& p) { return Music(1, "11", "abc", p); }},
        BadCall{"a negative duration", [](auto& p) { return Music(1, "11", "-5", p); }},
        BadCall{"two decimal points", [](auto& p) { return Music(1, "11", "1.2.3", p); }},
        BadCall{"a duration of hours", [](auto& p) { return Music(1, "11", "99999999", p); }},
        BadCall{"empty phrase", [](auto& p) { return Music(0, "", "", p); }},
        BadCall{"negative count", [](auto& p) { return Music(-1, "11", "500", p); }},
        BadCall{"play mode 3", [](auto& p) { return Music(1, "11", "500", p, 3); }},
        BadCall{"unwritable path", [](auto& p) { return Music(1, "11", "500", p + ".d/none/A.wav"); }},
        BadCall{"a folder as path",
                [](auto& p) { return Music(1, "11", "500", std::filesystem::path(p).parent_path().string()); }},
        BadCall{"theka file with a malformed note",
                [](auto& p) {
                  return FWavGenerateMusicFile1(1, "1x", "500", 1, 16, "1", 4, 700, p, 1, 0.2, 1, 1000, 60, 80, 50);
                }}));

}  // namespace
}  // namespace soundtest
