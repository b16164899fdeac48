// The tabla as heard: strokes at the times of the theka string, the dayan
// tuned to the drone's Sa, the loudest mix, the theka data file and the failures
// for bad theka files and strings.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "SoundTest.h"
#include "soundlib/FWav.h"
#include "soundlib/NoteText.h"
#include "soundlib/ThekaData.h"
#include "soundlib/ThekaText.h"
#include "thekagen/ThekaTable.h"

namespace soundtest {
namespace {

using namespace soundlib;

constexpr double kPerMs = kRate / 1000.0;

std::string ThekaFileText() {
  std::ostringstream out;
  thekagen::WriteThekaFile(out);
  return out.str();
}

class ThekaTest : public SoundLibTest {
 protected:
  void SetUp() override {
    SoundLibTest::SetUp();
    ChangedSeeds();  // theka data stays loaded: the next test sets the library up anew
    thekaFile_ = File("clb.kzy");
    std::ofstream(thekaFile_, std::ios::binary) << ThekaFileText();
    ASSERT_EQ(FWavLoadThekaData(thekaFile_, 4), 1);
  }
  std::vector<int16_t> WithTheka(int count, const std::string& notes, const std::string& durations,
                                 const std::string& theka, int tempo, int playMode = 0, int set = 4) {
    const std::string path = File("theka" + std::to_string(renders_++) + ".wav");
    if (FWavGenerateMusicFile1(count, notes, durations, 1, 16, theka, set, tempo, path, playMode, 0.2, 1, 1000, 60, 80,
                               50) == 0)
      return {};
    return ReadWav(path);
  }
  // The tabla alone: the file with theka less the same notes without.
  std::vector<int> Tabla(int count, const std::string& notes, const std::string& durations, const std::string& theka,
                         int tempo) {
    const auto with = WithTheka(count, notes, durations, theka, tempo);
    const auto without = Render(count, notes, durations, 0);
    std::vector<int> tabla(with.size());
    if (with.size() != without.size()) return {};
    for (size_t i = 0; i < with.size(); ++i) tabla[i] = with[i] - without[i];
    return tabla;
  }
  std::string thekaFile_;
};

struct OnsetCase {
  const char* what;
  int count;
  const char* notes;
  const char* durations;
  const char* theka;
  int tempo;
  std::vector<double> expectedMs;
};
void PrintTo(const OnsetCase& c, std::ostream* os) { *os << c.what; }

class StrokeOnsetTest : public ThekaTest, public ::testing::WithParamInterface<OnsetCase> {};

TEST_P(StrokeOnsetTest, EachStrokeStartsWithin1MsOfItsTimeAFewMillisecondsOffTheBeat) {
  const OnsetCase& c = GetParam();
  const auto tabla = Tabla(c.count, c.notes, c.durations, c.theka, c.tempo);
  ASSERT_FALSE(tabla.empty());
  // Where the library means each stroke to fall.
  ThekaData data;
  ASSERT_TRUE(data.Read(thekaFile_, 4));
  Phrase phrase;
  ASSERT_TRUE(ParsePhrase(c.count, c.notes, c.durations, phrase));
  std::vector<StrokeEvent> events;
  ASSERT_TRUE(ReadTheka(c.theka, phrase, ThekaTiming{static_cast<double>(c.tempo), 1, 16}, data, events));
  bool offTheGrid = false;
  for (double ms : c.expectedMs) {
    const StrokeEvent* event = &events.front();
    for (const StrokeEvent& e : events)
      if (std::fabs(e.sample - ms * kPerMs) < std::fabs(event->sample - ms * kPerMs)) event = &e;
    EXPECT_LE(std::fabs(event->sample - ms * kPerMs), 3.0 * kPerMs + 1.0) << "stroke due at " << ms << " ms";
    offTheGrid = offTheGrid || std::fabs(event->sample - ms * kPerMs) > 0.3 * kPerMs;
    const auto at = static_cast<ptrdiff_t>(event->sample);
    const ptrdiff_t from = std::max<ptrdiff_t>(0, at - static_cast<ptrdiff_t>(20 * kPerMs));
    int peak = 0;
    for (ptrdiff_t i = at; i < at + static_cast<ptrdiff_t>(10 * kPerMs); ++i) peak = std::max(peak, std::abs(tabla[i]));
    ASSERT_GT(peak, 300) << "no stroke at " << ms << " ms";
    ptrdiff_t onset = from;
    while (std::abs(tabla[onset]) <= peak / 4) ++onset;
    EXPECT_NEAR((onset - at) / kPerMs, 0.0, 1.0) << "stroke due at " << ms << " ms";
  }
  EXPECT_TRUE(offTheGrid || c.expectedMs.size() < 3) << "every stroke exactly on the beat, as a machine plays";
}

INSTANTIATE_TEST_SUITE_P(
    Strings, StrokeOnsetTest,
    ::testing::Values(
        OnsetCase{"a beat on each note", 3, "11  13  15", "500 500 500", "1/7/0 1/10/0 1/7/0", 500, {0, 500, 1000}},
        OnsetCase{"four beats within one note", 1, "11", "2000", "4/6/7/10/6/0", 450, {0, 450, 900, 1350}},
        OnsetCase{"notes off the beat",
                  4,
                  "11  13  15  16",
                  "250 650 600 1000",
                  "0 1/7/0.5 1/10/0.2 2/6/7/0",
                  500,
                  {500, 1000, 1500, 2000}},
        OnsetCase{"strokes within a beat", 1, "11", "1600", "2/15/17/0", 800, {0, 200, 400, 600, 800, 1200}},
        OnsetCase{"a rest before the half beat", 1, "11", "1000", "2/23/7/0", 500, {250, 500}},
        OnsetCase{"a tempo of fractional samples", 1, "11", "1200", "3/7/7/7/0.25", 333, {83.25, 416.25, 749.25}}));

// The same theka at the same tempo under other notes (two compositions in one tala)
// is played with other hands: a take of its own, the same every time for each.
TEST_F(ThekaTest, TwoItemsInOneTalaDoNotShareATakeWhileEachKeepsItsOwn) {
  const std::string durations = "500 500 500 500 500 500 500 500";
  const std::string theka = "1/7/0 1/10/0 1/10/0 1/7/0 1/7/0 1/10/0 1/10/0 1/7/0";
  const auto first = Tabla(8, "11  13  15  16  18  16  15  13", durations, theka, 500);
  const auto again = Tabla(8, "11  13  15  16  18  16  15  13", durations, theka, 500);
  const auto other = Tabla(8, "18  16  15  13  11  13  15  16", durations, theka, 500);
  ASSERT_FALSE(first.empty());
  ASSERT_EQ(first.size(), other.size());
  EXPECT_EQ(first, again);
  size_t differ = 0;
  for (size_t i = 0; i < first.size(); ++i) differ += std::abs(first[i] - other[i]) > 8;
  EXPECT_GT(differ, first.size() / 10) << "the two items share one take of the tabla";
}

TEST_F(ThekaTest, TheDayanIsTunedToTheSaOfTheDroneAndFollowsATonicChange) {
  for (int tonic : {2, 7, 11}) {
    ASSERT_EQ(FWavLoadDroneData("", tonic + 21, 1, "e", 1.0, 1), 1);
    // A Tun stroke: the dayan's fundamental rings.
    const auto tabla = Tabla(1, "05", "1200", "1/8/0", 600);
    ASSERT_FALSE(tabla.empty());
    const std::vector<int16_t> samples(tabla.begin(), tabla.end());
    const double sa = NoteHz(tonic + 9);
    const SpectralPeak peak = PeakNear(Spectrum(samples, 0, 32768), sa, 50.0);
    EXPECT_NEAR(Cents(peak.hz, sa), 0.0, 5.0) << "tonic " << tonic;
  }
}

TEST_F(ThekaTest, TheLoudestMixIsNeverClipped) {
  // Drone at its loudest, high notes and an accented Dha on every beat, with
  // Dhin and DhaGe rings overlapping.
  ASSERT_EQ(FWavLoadDroneData("", 33, 1, "e", 1.5, 1), 1);
  std::string notes, durations, theka;
  const char* bols[] = {"1", "2", "16", "2"};
  for (int k = 0; k < 32; ++k) {
    notes += (k ? "  " : "") + std::string(k % 2 ? "35" : "40");
    durations += (k ? " " : "") + std::string("300");
    theka += (k ? " " : "") + std::string("1/") + bols[k % 4] + "/0";
  }
  const auto x = WithTheka(32, notes, durations, theka, 300, 1);
  ASSERT_FALSE(x.empty());
  // The mixer's soft knee bends what passes 0.9 of full scale and never reaches
  // full scale; in the loudest mix it has next to nothing to bend.
  int peak = 0;
  size_t bent = 0;
  for (int16_t v : x) {
    peak = std::max(peak, std::abs(static_cast<int>(v)));
    bent += std::abs(static_cast<int>(v)) > 0.9 * 32767;
  }
  EXPECT_LT(peak, 32767);
  EXPECT_LT(static_cast<double>(bent) / static_cast<double>(x.size()), 0.001);
}

TEST_F(ThekaTest, EveryThekaOfTheBuiltFilePlays) {
  const std::string built = std::string(VELMORA_BUILD_SHARE_DIR) + "/clb.kzy";
  ASSERT_TRUE(std::filesystem::exists(built)) << built;
  ASSERT_EQ(FWavLoadThekaData(built, 4), 1);
  for (const thekagen::Theka& theka : thekagen::Thekas()) {
    std::string notes, durations, text;
    for (int id : thekagen::BolIds(theka)) {
      notes += (notes.empty() ? "" : "  ") + std::string("11");
      durations += (durations.empty() ? "" : " ") + std::string("250");
      text += (text.empty() ? "" : " ") + ("1/" + std::to_string(id) + "/0");
    }
    const auto tabla = Tabla(theka.beats, notes, durations, text, 250);
    ASSERT_FALSE(tabla.empty()) << theka.tala;
    int peak = 0;
    for (int v : tabla) peak = std::max(peak, std::abs(v));
    EXPECT_GT(peak, 1000) << theka.tala;
  }
}

// Pearson correlation of a and b over n samples from their starts, at the best of
// the lags within 5 ms (the strokes stray from the beat by a few milliseconds).
double BestCorrelation(const std::vector<int>& x, size_t a, size_t b, size_t n) {
  double best = -1.0;
  const long reach = static_cast<long>(5 * kPerMs);
  for (long lag = -reach; lag <= reach; ++lag) {
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    for (size_t i = 0; i < n; ++i) {
      const double u = x[a + i], v = x[static_cast<size_t>(static_cast<long>(b + i) + lag)];
      sa += u, sb += v, saa += u * u, sbb += v * v, sab += u * v;
    }
    const double m = static_cast<double>(n);
    best = std::max(best, (sab - sa * sb / m) / std::sqrt((saa - sa * sa / m) * (sbb - sb * sb / m)));
  }
  return best;
}

TEST_F(ThekaTest, TheKhaliOfTheTalaWhoseThekaIsPlayedIsAccented) {
  ThekaData data;
  ASSERT_TRUE(data.Read(thekaFile_, 4));
  // Teentaal's theka from beat 7 to beat 10: Dhin Dha | Dha Tin (khali on beat 9).
  const std::string theka = "1/2/0 1/1/0 1/1/0 1/5/0";
  Phrase phrase;
  ASSERT_TRUE(ParsePhrase(4, "11  13  15  16", "500 500 500 500", phrase));
  std::vector<StrokeEvent> teentaal, unknown;
  ASSERT_TRUE(ReadTheka(theka, phrase, ThekaTiming{500.0, 7, 16}, data, teentaal));
  // No tala of 17 beats: no khali is known, all else the same.
  ASSERT_TRUE(ReadTheka(theka, phrase, ThekaTiming{500.0, 7, 17}, data, unknown));
  ASSERT_EQ(teentaal.size(), unknown.size());
  for (size_t i = 0; i < teentaal.size(); ++i) {
    const bool khali = teentaal[i].sample >= static_cast<int64_t>(990 * kPerMs) &&
                       teentaal[i].sample <= static_cast<int64_t>(1010 * kPerMs);
    EXPECT_NEAR(teentaal[i].gain / unknown[i].gain, khali ? 1.08 : 1.0, 1e-5) << "stroke " << i;
  }
  // Talas of one length that disagree on their khali leave it unaccented: Jhaptaal
  // (khali 6) and Sooltaal (khali 3 and 9) both fit a string that strikes no beat.
  std::array<int, ThekaData::kMaxBeats> bolAt = {};
  EXPECT_EQ(data.Khali(10, bolAt), 0u);
  bolAt[0] = 3;  // Dhi on beat 1: Jhaptaal alone
  EXPECT_EQ(data.Khali(10, bolAt), 1u << 5);
  bolAt[0] = 7;  // a bol neither plays there
  EXPECT_EQ(data.Khali(10, bolAt), 0u);
}

TEST_F(ThekaTest, StrokesOfOneBolDifferFromEachOther) {
  // Dha on eight beats in a row.
  std::string notes, durations, theka;
  for (int k = 0; k < 8; ++k) {
    notes += (k ? "  " : "") + std::string("11");
    durations += (k ? " " : "") + std::string("700");
    theka += (k ? " " : "") + std::string("1/1/0");
  }
  const auto tabla = Tabla(8, notes, durations, theka, 700);
  ASSERT_FALSE(tabla.empty());
  const size_t beat = static_cast<size_t>(700 * kPerMs), from = static_cast<size_t>(10 * kPerMs);
  for (size_t k = 1; k + 1 < 8; ++k)
    EXPECT_LT(BestCorrelation(tabla, k * beat + from, (k + 1) * beat + from, static_cast<size_t>(150 * kPerMs)), 0.98)
        << "Dha " << k + 1 << " and " << k + 2;
}

TEST_F(ThekaTest, ALongStrokeDecaysAtItsNaturalRate) {
  // A Tun alone under a long note: its ring dies away at the rate of its
  // fundamental (a time constant of 0.55 to 0.75 s: 11 to 16 dB/s), not faded out.
  const auto tabla = Tabla(1, "11", "3000", "1/8/0", 3000);
  ASSERT_FALSE(tabla.empty());
  auto levelDb = [&](double fromS) {
    double sum = 0.0;
    const size_t a = static_cast<size_t>(fromS * kRate), n = static_cast<size_t>(0.1 * kRate);
    for (size_t i = a; i < a + n; ++i) sum += static_cast<double>(tabla[i]) * tabla[i];
    return 10.0 * std::log10(sum / static_cast<double>(n));
  };
  const double rate = (levelDb(0.6) - levelDb(1.6)) / 1.0;
  EXPECT_GT(rate, 8.0);
  EXPECT_LT(rate, 20.0) << "dB per second";
  EXPECT_GT(levelDb(1.6), levelDb(0.05) - 40.0) << "still ringing after 1.6 s";
}

TEST_F(ThekaTest, ADampedStrokeLeavesAFaintRing) {
  // Ta (damped) after the ringing Dha: the drum does not fall to digital silence.
  const auto tabla = Tabla(2, "11  11", "500 1000", "1/1/0 1/7/0", 500);
  ASSERT_FALSE(tabla.empty());
  int quietest = 1 << 30;
  for (size_t w = static_cast<size_t>(0.55 * kRate); w + 2205 < static_cast<size_t>(0.95 * kRate); w += 2205) {
    int peak = 0;
    for (size_t i = w; i < w + 2205; ++i) peak = std::max(peak, std::abs(tabla[i]));
    quietest = std::min(quietest, peak);
  }
  EXPECT_GT(quietest, 3) << "a 50 ms stretch of silence after the damped stroke";
}

TEST_F(ThekaTest, WithoutTheThekaSetLoadedTheNotesPlayAlone) {
  EXPECT_EQ(WithTheka(2, "11  13", "500 500", "1/1/0 1/1/0", 500, 1, 3), Render(2, "11  13", "500 500", 1));
}

// FNV-1a, as the theka file's last line holds it.
std::string Signed(const std::string& body) {
  uint32_t hash = 2166136261u;
  for (unsigned char c : body) hash = (hash ^ c) * 16777619u;
  char end[16];
  std::snprintf(end, sizeof end, "end %08x\n", hash);
  return body + end;
}

std::string Body() {
  const std::string text = ThekaFileText();
  return text.substr(0, text.rfind("end "));
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

struct BadFile {
  const char* what;
  std::string content;  // "<missing>": no file is written
  int set = 4;
};
void PrintTo(const BadFile& c, std::ostream* os) { *os << c.what; }

class BadThekaFileTest : public ThekaTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadThekaFileTest, FailsAndKeepsTheThekaLoadedBefore) {
  const std::string path = File("bad.kzy");
  if (GetParam().content != "<missing>") std::ofstream(path, std::ios::binary) << GetParam().content;
  EXPECT_EQ(FWavLoadThekaData(path, GetParam().set), 0);
  EXPECT_NE(WithTheka(1, "11", "500", "1/1/0", 500), Render(1, "11", "500", 0)) << "the earlier theka is gone";
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadThekaFileTest,
    ::testing::Values(BadFile{"missing file", "<missing>"}, BadFile{"empty file", ""},
                      BadFile{"another format", Signed(Replaced(Body(), "velmora-theka 2", "velmora-theka 1"))},
                      BadFile{"another theka set", ThekaFileText(), 3},
                      BadFile{"a damaged byte", Replaced(ThekaFileText(), "Dhin Tin@0", "Dhin Tin@5")},
                      BadFile{"cut short", ThekaFileText().substr(0, ThekaFileText().size() / 2)},
                      BadFile{"no checksum", Body()},
                      BadFile{"an unknown stroke", Signed(Replaced(Body(), "Na@0 Ge@0", "Xa@0 Ge@0"))},
                      BadFile{"a stroke outside its beat", Signed(Replaced(Body(), "Na@0 Ge@0", "Na@1 Ge@0"))},
                      BadFile{"a bol id twice", Signed(Replaced(Body(), "bol 2 Dhin", "bol 1 Dhin"))},
                      BadFile{"a theka of an unknown bol",
                              Signed(Replaced(Body(), "Teentaal 16 1 2", "Teentaal 16 1 99"))},
                      BadFile{"a theka short of its beats",
                              Signed(Replaced(Body(), "Teentaal 16 1 2", "Teentaal 17 1 2"))},
                      BadFile{"windows line ends", Signed(Replaced(Body(), "set 4\n", "set 4\r\n"))},
                      BadFile{"an unknown line", Signed(Body() + "tempo 500\n")}));

struct BadString {
  const char* what;
  const char* theka;
  int tempo = 500;
};
void PrintTo(const BadString& c, std::ostream* os) { *os << c.what; }

class BadThekaStringTest : public ThekaTest, public ::testing::WithParamInterface<BadString> {};

TEST_P(BadThekaStringTest, GivesTheFailureResultAndNoFile) {
  const std::string path = File("A.wav");
  EXPECT_EQ(FWavGenerateMusicFile1(2, "11  13", "500 500", 1, 16, GetParam().theka, 4, GetParam().tempo, path, 1, 0.2,
                                   1, 1000, 60, 80, 50),
            0);
  EXPECT_FALSE(std::filesystem::exists(path));
}

INSTANTIATE_TEST_SUITE_P(Strings, BadThekaStringTest,
                         ::testing::Values(BadString{"one text for two notes", "1/1/0"},
                                           BadString{"three texts for two notes", "1/1/0 1/1/0 1/1/0"},
                                           BadString{"a word", "1/1/0 x"},
                                           BadString{"fewer bols than beats", "1/1/0 2/1/0"},
                                           BadString{"an unknown bol", "1/1/0 1/99/0"},
                                           BadString{"an empty bol", "1/1/0 1//0"},
                                           BadString{"a negative offset", "1/1/0 1/1/-0.5"},
                                           BadString{"an offset past the beat", "1/1/0 1/1/1.5"},
                                           BadString{"a field too many", "1/1/0 1/1/0/"},
                                           BadString{"no tempo", "1/1/0 1/1/0", 0}));

}  // namespace
}  // namespace soundtest
