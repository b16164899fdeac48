// The main instrument as heard: pitch, glides, note onsets, joins, level and
// repeatability of rendered phrases.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "SoundTest.h"
#include "soundlib/FWav.h"
#include "soundlib/ReedOscillator.h"
#include "soundlib/Room.h"

namespace soundtest {
namespace {

constexpr double kMs = kRate / 1000.0;

size_t At(double ms) { return static_cast<size_t>(std::llround(ms * kMs)); }

class RenderTest : public SoundLibTest {};

struct PitchCase {
  int noteId;
  double adjustment;
};

void PrintTo(const PitchCase& c, std::ostream* os) { *os << "note " << c.noteId << " tuned by " << c.adjustment; }

class NotePitchTest : public SoundLibTest, public ::testing::WithParamInterface<PitchCase> {};

TEST_P(NotePitchTest, ANoteSoundsAtTheSampleRateOverItsTunedSpc) {
  const PitchCase c = GetParam();
  if (c.adjustment != 0.0) {
    ASSERT_EQ(Tune('c', c.noteId, c.adjustment), 1);
  }
  char token[3];
  std::snprintf(token, sizeof token, "%02d", c.noteId);
  const auto x = Render(1, token, "800");
  ASSERT_FALSE(x.empty());
  const double hz = EstimatePitch(x, At(150), At(750));
  EXPECT_NEAR(Cents(hz, NoteHz(c.noteId, c.adjustment)), 0.0, 2.0) << "note " << c.noteId << " measured " << hz;
}

INSTANTIATE_TEST_SUITE_P(Notes, NotePitchTest,
                         ::testing::Values(PitchCase{0, 0.0}, PitchCase{3, 0.0}, PitchCase{11, 0.0},
                                           PitchCase{12, 0.0}, PitchCase{20, 0.0}, PitchCase{29, 0.0},
                                           PitchCase{35, 0.0}, PitchCase{40, 0.0}, PitchCase{41, 0.0},
                                           PitchCase{11, 1.37}, PitchCase{11, -2.5}, PitchCase{24, -0.41},
                                           PitchCase{5, 9.0}, PitchCase{30, -20.0}));

// Pitch estimates of x every 10 ms over [fromMs, toMs), windows of 1024 samples.
std::vector<double> PitchTrack(const std::vector<int16_t>& x, double fromMs, double toMs) {
  std::vector<double> track;
  for (double ms = fromMs; ms + 1024 / kMs < toMs; ms += 10.0) track.push_back(EstimatePitch(x, At(ms), At(ms) + 1024));
  return track;
}

struct GlideCase {
  const char* token;
  int grace;
  int main;
};

void PrintTo(const GlideCase& c, std::ostream* os) { *os << c.token; }

class GlideTest : public SoundLibTest, public ::testing::WithParamInterface<GlideCase> {};

TEST_P(GlideTest, AGlideSlidesContinuouslyFromItsGraceNoteIntoItsMainNote) {
  const GlideCase c = GetParam();
  const auto x = Render(1, c.token, "1000");
  ASSERT_FALSE(x.empty());
  const auto track = PitchTrack(x, 30.0, 1000.0);
  const double from = NoteHz(c.grace);
  const double to = NoteHz(c.main);
  const double direction = to > from ? 1.0 : -1.0;
  EXPECT_NEAR(Cents(track.front(), from), 0.0, 5.0) << "the grace note is heard first";
  EXPECT_NEAR(Cents(track.back(), to), 0.0, 2.0) << "the glide lands on the main note";
  // The S-curve is steepest halfway, at pi / 2 times the mean slope.
  const double steepest = 20.0 + 0.06 * std::fabs(Cents(to, from));
  int between = 0;
  for (size_t i = 1; i < track.size(); ++i) {
    const double step = Cents(track[i], track[i - 1]) * direction;
    EXPECT_GT(step, -3.0) << "the slide turns back at " << i * 10 + 30 << " ms";
    EXPECT_LT(step, steepest) << "the pitch jumps at " << i * 10 + 30 << " ms";
    if (Cents(track[i], from) * direction > 20.0 && Cents(track[i], to) * direction < -20.0) ++between;
  }
  EXPECT_GE(between, 15) << "the slide passes audibly through the pitches between the two notes";
}

INSTANTIATE_TEST_SUITE_P(Glides, GlideTest,
                         ::testing::Values(GlideCase{"1520", 15, 20}, GlideCase{"2015", 20, 15},
                                           GlideCase{"0523", 5, 23}, GlideCase{"3827", 38, 27}));

TEST_F(RenderTest, AGraceNoteWrittenBelowTheRangeIsDroppedAndTheMainNoteSounds) {
  for (const char* token : {"0-114", "-0114"}) {
    const auto x = Render(1, token, "600");
    ASSERT_FALSE(x.empty()) << token;
    EXPECT_NEAR(Cents(EstimatePitch(x, At(100), At(550)), NoteHz(14)), 0.0, 2.0) << token;
  }
}

// A phrase with plain notes, repeated notes, glides, a short note and a fractional duration.
struct TestPhrase {
  std::vector<std::string> notes = {"11", "13", "13", "1315", "18", "11", "2023", "23", "08", "2018"};
  std::vector<std::string> durations = {"300", "250", "250", "400", "120", "333", "500", "275.5", "90", "600"};

  std::string NoteText(size_t count, const char* separator = "  ") const {
    std::string text;
    for (size_t k = 0; k < count; ++k) {
      if (k > 0) text += separator;
      text += notes[k];
    }
    return text;
  }
  std::string DurationText(size_t count) const {
    std::string text;
    for (size_t k = 0; k < count; ++k) {
      if (k > 0) text += " ";
      text += durations[k];
    }
    return text;
  }
  double StartMs(size_t k) const {
    double ms = 0.0;
    for (size_t j = 0; j < k; ++j) ms += std::stod(durations[j]);
    return ms;
  }
  int MainNote(size_t k) const { return std::stoi(notes[k].substr(notes[k].size() - 2)); }
};

TEST_F(RenderTest, EachNoteStartsAtTheSumOfTheDurationsBeforeIt) {
  // Note k starts where the phrase of notes 0..k first differs from the phrase
  // of notes 0..k-1, which is the same sound until then.
  const TestPhrase phrase;
  std::vector<int16_t> previous = Render(1, phrase.NoteText(1), phrase.DurationText(1));
  for (size_t k = 1; k < phrase.notes.size(); ++k) {
    const auto x = Render(static_cast<int>(k + 1), phrase.NoteText(k + 1), phrase.DurationText(k + 1));
    ASSERT_FALSE(x.empty());
    size_t first = 0;
    while (first < previous.size() && first < x.size() && previous[first] == x[first]) ++first;
    const double expected = phrase.StartMs(k) * kMs;
    EXPECT_GE(static_cast<double>(first), std::round(expected) - 0.5) << "note " << k << " sounds early";
    EXPECT_LE(static_cast<double>(first), expected + kMs) << "note " << k << " sounds late";
    previous = x;
  }
}

TEST_F(RenderTest, EveryNoteOfAPhraseHoldsItsPitch) {
  const TestPhrase phrase;
  const size_t n = phrase.notes.size();
  const auto x = Render(static_cast<int>(n), phrase.NoteText(n), phrase.DurationText(n));
  ASSERT_FALSE(x.empty());
  for (size_t k = 0; k < n; ++k) {
    // The steady end of the note: after its attack (and any slide), before the next note.
    const double end = phrase.StartMs(k + 1);
    const double begin = std::max(phrase.StartMs(k) + 45.0, end - 60.0);
    const double hz = EstimatePitch(x, At(begin), At(end));
    EXPECT_NEAR(Cents(hz, NoteHz(phrase.MainNote(k))), 0.0, 2.0) << "note " << k << " (" << phrase.notes[k] << ")";
  }
}

TEST_F(RenderTest, TheFileHoldsThePhraseTheLastNotesReleaseAndTheRoomsEcho) {
  const auto x = Render(2, "11  15", "500 700");
  ASSERT_FALSE(x.empty());
  EXPECT_NEAR(static_cast<double>(x.size()), 1260.0 * kMs + static_cast<double>(soundlib::Room::kTailSamples), 2.0 * kMs);
  for (size_t i = x.size() - 10; i < x.size(); ++i) EXPECT_EQ(x[i], 0) << "the file ends in silence";
  EXPECT_GT(*std::max_element(x.begin() + At(1150), x.begin() + At(1199)), 3000) << "the last note lasts to its end";
}

TEST_F(RenderTest, AClickOfOnePercentIsCaughtByTheClickMeasure) {
  auto x = Render(1, "15", "600");
  ASSERT_FALSE(x.empty());
  const double clean = Peak(HighBand(x), 0, x.size());
  for (size_t i = At(300); i < x.size(); ++i) x[i] = static_cast<int16_t>(x[i] + 327);
  EXPECT_GT(Peak(HighBand(x), At(295), At(305)), 4.0 * std::max(clean, 5.0));
}

TEST_F(RenderTest, JoinsOfNotesAreFreeOfClicks) {
  // Clicks sound in the band above 19 kHz, where the reeds have no partials.
  const TestPhrase phrase;
  const size_t n = phrase.notes.size();
  const auto x = Render(static_cast<int>(n), phrase.NoteText(n), phrase.DurationText(n));
  ASSERT_FALSE(x.empty());
  const auto band = HighBand(x);
  for (size_t k = 0; k <= n; ++k) {
    const size_t join = At(phrase.StartMs(k));
    EXPECT_LT(Peak(band, join - std::min<size_t>(join, At(5)), join + At(40)), 4.0) << "join before note " << k;
  }
  EXPECT_LT(Peak(band, 0, band.size()), 4.0);
}

TEST_F(RenderTest, AFastDensePhraseDoesNotClip) {
  // A taan of 48 notes of 40 ms leaping by octaves, and long notes at both ends of the range.
  std::string notes;
  std::string durations;
  for (int k = 0; k < 48; ++k) {
    const int id = (k % 2 ? 30 : 6) + (k % 5);
    if (k > 0) notes += "  ", durations += " ";
    char token[12];
    std::snprintf(token, sizeof token, "%02d", id);
    notes += token;
    durations += "40";
  }
  notes += "  00  41  0041";
  durations += " 1500 1500 1500";
  const auto x = Render(51, notes, durations);
  ASSERT_FALSE(x.empty());
  int peak = 0;
  for (int16_t s : x) peak = std::max(peak, std::abs(static_cast<int>(s)));
  EXPECT_LT(peak, 29490) << "the loudest sample stays below the limiter's knee (0.9 of full scale)";
  EXPECT_GT(peak, 8000) << "the phrase is not too soft";
}

TEST_F(RenderTest, TheSamePhraseRendersToTheSameSamples) {
  const TestPhrase phrase;
  const size_t n = phrase.notes.size();
  const auto a = Render(static_cast<int>(n), phrase.NoteText(n), phrase.DurationText(n));
  Render(3, "20  21  22", "100 100 100");
  const auto b = Render(static_cast<int>(n), phrase.NoteText(n, " "), phrase.DurationText(n));
  ASSERT_FALSE(a.empty());
  EXPECT_EQ(a, b);
}

// The reeds read eight samples at a time where the processor allows, else four:
// a phrase of glides, repeats and notes starting at odd samples, and a run of
// 40 ms notes, come out the same either way, sample for sample.
TEST_F(RenderTest, TheReedsReadEightOrFourSamplesAtATimeToTheSameSamples) {
  if (!soundlib::ReedOscillator::UseWide(true)) GTEST_SKIP() << "this processor reads four samples at a time only";
  const TestPhrase phrase;
  const size_t n = phrase.notes.size();
  struct Case {
    int count;
    std::string notes, durations;
  };
  const Case cases[] = {{static_cast<int>(n), phrase.NoteText(n), phrase.DurationText(n)},
                        {8, "11  13  15  16  18  20  0811  23", "40 40 40 40 40 40 40 40.5"}};
  for (const Case& c : cases) {
    soundlib::ReedOscillator::UseWide(true);
    const auto wide = Render(c.count, c.notes, c.durations);
    soundlib::ReedOscillator::UseWide(false);
    const auto narrow = Render(c.count, c.notes, c.durations);
    soundlib::ReedOscillator::UseWide(true);
    ASSERT_FALSE(wide.empty()) << c.notes;
    EXPECT_TRUE(wide == narrow) << c.notes;
  }
}

// Share of the energy of x[begin, begin + 512) above 4 kHz, in dB.
double HighShareDb(const std::vector<int16_t>& x, size_t begin) {
  const auto magnitude = Spectrum(x, begin, 512);
  double high = 0.0, total = 0.0;
  for (size_t k = 1; k < magnitude.size(); ++k) {
    const double e = magnitude[k] * magnitude[k];
    total += e;
    if (k * kRate / 512.0 > 4000.0) high += e;
  }
  return 10.0 * std::log10(high / total);
}

TEST_F(RenderTest, TheReedsSoundWithTheirAirAndSpeakBrightly) {
  for (int id : {12, 24}) {
    char token[3];
    std::snprintf(token, sizeof token, "%02d", id);
    const auto x = Render(1, token, "4000");
    ASSERT_FALSE(x.empty());
    const double air = InharmonicDb(x, At(1500), NoteHz(id));
    EXPECT_GT(air, -60.0) << "note " << id << ": the tone is perfectly periodic";
    EXPECT_LT(air, -35.0) << "note " << id << ": the air drowns the reeds";
    EXPECT_GT(HighShareDb(x, 0), HighShareDb(x, At(2000)) + 3.0) << "note " << id << ": the key does not speak";
  }
}

TEST_F(RenderTest, TheSamePhraseWithItsDroneRendersToTheSameSamplesFromAFreshStart) {
  ChangedSeeds();
  const TestPhrase phrase;
  const size_t n = phrase.notes.size();
  std::vector<int16_t> runs[2];
  for (auto& run : runs) {
    LoadAll();
    ASSERT_EQ(soundlib::FWavSetCurrInstr("c"), 1);
    ASSERT_EQ(soundlib::FWavLoadDroneData("", 23, 1, "e", 1.0, 1), 1);
    Render(3, "20  21  22", "100 100 100");
    soundlib::SetNextFileJoins(false, true);
    Render(static_cast<int>(n), phrase.NoteText(n), phrase.DurationText(n));
    soundlib::SetNextFileJoins(true, false);
    run = Render(static_cast<int>(n), phrase.NoteText(n), phrase.DurationText(n));
  }
  ASSERT_FALSE(runs[0].empty());
  EXPECT_EQ(runs[0], runs[1]);
}

struct BandCase {
  int noteId;
  double ratio;  // how far the note is tuned up
};

void PrintTo(const BandCase& c, std::ostream* os) { *os << "note " << c.noteId << " raised " << c.ratio << " times"; }

class BandLimitTest : public SoundLibTest, public ::testing::WithParamInterface<BandCase> {};

TEST_P(BandLimitTest, ANoteTunedUpwardsStaysFreeOfAliases) {
  const BandCase c = GetParam();
  const double spc = kRate / NoteHz(c.noteId);
  const double adjustment = spc / c.ratio - spc;
  ASSERT_EQ(Tune('c', c.noteId, adjustment), 1);
  char token[3];
  std::snprintf(token, sizeof token, "%02d", c.noteId);
  const auto x = Render(1, token, "900");
  ASSERT_FALSE(x.empty());
  // An alias is a steady line between the harmonics; the reeds' air is spread
  // thinly over all of them, and the room has settled on the note by 500 ms.
  EXPECT_LT(InharmonicLineDb(x, At(500), NoteHz(c.noteId, adjustment)), -60.0);
}

INSTANTIATE_TEST_SUITE_P(Ratios, BandLimitTest,
                         ::testing::Values(BandCase{20, 1.0}, BandCase{20, 1.2}, BandCase{20, 2.0}, BandCase{8, 3.3},
                                           BandCase{2, 7.5}, BandCase{41, 1.4}));

}  // namespace
}  // namespace soundtest
