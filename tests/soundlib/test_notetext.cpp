// Reading the note and duration texts, and the seeds' wavetables.
#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <vector>

#include "instrgen/InstrumentData.h"
#include "soundlib/NoteSeed.h"
#include "soundlib/NoteText.h"

namespace {

using soundlib::ParsePhrase;
using soundlib::Phrase;

struct TextCase {
  const char* what;
  int count;
  const char* notes;
  const char* durations;
  std::vector<std::vector<int>> ids;  // per note: grace notes, then the main note
  std::vector<long long> starts;      // per note, then the end of the phrase
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.what; }

class NoteTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(NoteTextTest, NotesAndTheirStartsAreReadAsTheCallersWriteThem) {
  const TextCase& c = GetParam();
  Phrase phrase;
  ASSERT_TRUE(ParsePhrase(c.count, c.notes, c.durations, phrase));
  ASSERT_EQ(phrase.notes.size(), c.ids.size());
  for (size_t k = 0; k < c.ids.size(); ++k) {
    const auto& note = phrase.notes[k];
    EXPECT_EQ(std::vector<int>(note.ids, note.ids + note.count), c.ids[k]) << "note " << k;
    EXPECT_EQ(note.start, c.starts[k]) << "note " << k;
    EXPECT_EQ(note.end, c.starts[k + 1]) << "note " << k;
  }
  EXPECT_EQ(phrase.endSample, c.starts.back());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NoteTextTest,
    ::testing::Values(
        TextCase{"one note", 1, "05", "1000", {{5}}, {0, 44100}},
        TextCase{"two blanks between notes", 3, "11  15  18", "500 200 1000", {{11}, {15}, {18}}, {0, 22050, 30870, 74970}},
        TextCase{"single blanks, tabs and edges", 2, "  11 \t 15 ", " 500  200 ", {{11}, {15}}, {0, 22050, 30870}},
        TextCase{"a glide", 2, "12  1214", "300 400", {{12}, {12, 14}}, {0, 13230, 30870}},
        TextCase{"a glide through two grace notes", 1, "121416", "600", {{12, 14, 16}}, {0, 26460}},
        TextCase{"a grace note below the range", 2, "0-114  -0113", "300 300", {{14}, {13}}, {0, 13230, 26460}},
        TextCase{"fractional durations do not drift", 4, "11  11  11  11", "0.5 0.5 0.5 0.5", {{11}, {11}, {11}, {11}},
                 {0, 22, 44, 66, 88}},
        TextCase{"a duration of 0", 2, "11  13", "0 100", {{11}, {13}}, {0, 0, 4410}}));

TEST(NoteSeedTest, TheTablesRebuildTheSeedCycleAtItsOwnPhases) {
  for (int id : {0, 11, 23, 41}) {
    const instrgen::Seed seed = instrgen::MakeSeed('c', id);
    soundlib::SeedScratch scratch;
    soundlib::NoteSeed note;
    ASSERT_TRUE(note.Load(seed.samPerCyc, seed.fractional, seed.samples.data(), scratch));
    const float* table = note.Level(0);
    const double spc = seed.samPerCyc + seed.fractional;
    double worst = 0.0;
    for (int i = 0; i < seed.samPerCyc; ++i) {
      const double position = i / spc * soundlib::NoteSeed::kTableSize;
      const int index = static_cast<int>(position);
      const double value = table[2 * index] + (position - index) * table[2 * index + 1];
      worst = std::max(worst, std::fabs(value * 32768.0 - seed.samples[static_cast<size_t>(i)]));
    }
    EXPECT_LT(worst, 16.0) << "note " << id << ": within 0.07 % of the seed's peak";
    EXPECT_DOUBLE_EQ(note.seedSpc(), spc);
  }
}

TEST(NoteSeedTest, ASeedLoadedAgainKeepsItsTablesAndAnotherCycleRebuildsThem) {
  const instrgen::Seed a = instrgen::MakeSeed('c', 11);
  const instrgen::Seed b = instrgen::MakeSeed('e', 11);  // the same length, another cycle
  soundlib::SeedScratch scratch;
  soundlib::NoteSeed note;
  ASSERT_TRUE(note.Load(a.samPerCyc, a.fractional, a.samples.data(), scratch));
  const std::vector<float> first(note.Level(0), note.Level(0) + 2 * soundlib::NoteSeed::kTableSize);
  ASSERT_TRUE(note.Tune(0.5));
  note.Clear();
  ASSERT_TRUE(note.Load(a.samPerCyc, a.fractional, a.samples.data(), scratch));
  EXPECT_TRUE(std::equal(first.begin(), first.end(), note.Level(0)));
  EXPECT_DOUBLE_EQ(note.spc(), a.samPerCyc + a.fractional) << "a load clears the tuning, kept tables or not";
  // Another cycle, then one sample changed, then another fraction: each is analysed anew.
  ASSERT_TRUE(note.Load(b.samPerCyc, b.fractional, b.samples.data(), scratch));
  EXPECT_FALSE(std::equal(first.begin(), first.end(), note.Level(0)));
  std::vector<int16_t> changed = a.samples;
  ASSERT_TRUE(note.Load(a.samPerCyc, a.fractional, changed.data(), scratch));
  EXPECT_TRUE(std::equal(first.begin(), first.end(), note.Level(0)));
  changed[5] = static_cast<int16_t>(changed[5] + 2000);
  ASSERT_TRUE(note.Load(a.samPerCyc, a.fractional, changed.data(), scratch));
  EXPECT_FALSE(std::equal(first.begin(), first.end(), note.Level(0)));
  ASSERT_TRUE(note.Load(a.samPerCyc, a.fractional * 0.5, a.samples.data(), scratch));
  EXPECT_DOUBLE_EQ(note.seedSpc(), a.samPerCyc + a.fractional * 0.5);
}

TEST(NoteSeedTest, EachLevelUpKeepsHalfTheHarmonics) {
  const instrgen::Seed seed = instrgen::MakeSeed('c', 5);
  soundlib::SeedScratch scratch;
  soundlib::NoteSeed note;
  ASSERT_TRUE(note.Load(seed.samPerCyc, seed.fractional, seed.samples.data(), scratch));
  const double hz = note.seedHz();
  EXPECT_EQ(note.MixFor(hz).lower, 0);
  EXPECT_EQ(note.MixFor(hz).upperWeight, 0.0f);
  EXPECT_EQ(note.MixFor(hz * 1.265).lower, 0);
  EXPECT_NEAR(note.MixFor(hz * 1.265).upperWeight, 0.5f, 1e-5);
  EXPECT_EQ(note.MixFor(hz * 1.19).upperWeight, 0.0f) << "glides of up to three semitones read one level";
  EXPECT_EQ(note.MixFor(hz * 2.0).lower, 1);
  EXPECT_EQ(note.MixFor(hz * 2.0).upperWeight, 0.0f);
  EXPECT_EQ(note.MixFor(hz * 100.0).lower, soundlib::NoteSeed::kLevels - 1);
}

}  // namespace
