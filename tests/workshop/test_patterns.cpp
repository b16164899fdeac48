// The pattern language, its interpreter and the builders that lay a pattern over a
// scale or over a raga's aroha and avroha, with bounded random texts and scales.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/CommonState.h"
#include "common/Database.h"
#include "common/Notation.h"
#include "common/NotationWords.h"
#include "common/Queries.h"
#include "common/RagaTables.h"
#include "platform/vb/Folders.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "support/Scratch.h"
#include "support/SqlFixture.h"
#include "workshop/PatternBuilders.h"
#include "workshop/PatternLanguage.h"
#include "workshop/ScaleNotes.h"
#include "workshop/WorkshopState.h"
#include "WorkshopTest.h"

namespace workshoptest {
namespace {

using Offsets = std::vector<int16_t>;

Offsets Steps(int16_t from, int16_t to) {
  Offsets o;
  for (int16_t k = from; from <= to ? k <= to : k >= to; k = static_cast<int16_t>(k + (from <= to ? 1 : -1)))
    o.push_back(k);
  return o;
}
Offsets Cat(std::initializer_list<Offsets> parts) {
  Offsets o;
  for (const Offsets& p : parts) o.insert(o.end(), p.begin(), p.end());
  return o;
}

class PatternTest : public testsupport::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    common::sInitScales();
    for (size_t n = 0; n < 26; ++n) workshop::WBNoteNames[n] = n < 25 ? common::EnglishNotes[n + 7] : "";
    sound::CurrOperationMode = 2;
  }
  // The note set of a phrase in the middle octave ("S R G P D S>"), with its octave copies.
  static void Scale(const std::string& phrase) { workshop::sSetScaleAndSelNotesForPhrase(phrase); }
  // The phrase a pattern builds over the current scale; "" when refused.
  std::string Build(const std::string& pattern, int32_t runMode, int32_t start = workshop::kNoteS) {
    EXPECT_TRUE(workshop::fInterpretPattern(pattern)) << pattern;
    workshop::PatternRunMode = runMode;
    workshop::PatternStartNote = start;
    const bool built = workshop::sCreateScalePatternFromBP();
    EXPECT_EQ(built, !sound::PhraseNotes.empty()) << pattern;
    return sound::PhraseNotes;
  }
};

struct InterpretCase {
  const char* pattern;
  bool valid;
  Offsets offsets;  // when valid
};

TEST_F(PatternTest, PatternsBecomeTheirOffsets) {
  const InterpretCase cases[] = {
      {"BUC7LDC7", true, Cat({Steps(0, 7), Steps(7, 0)})},
      {"BUC14LDC14", true, Cat({Steps(0, 14), Steps(14, 0)})},
      {"BUC1", true, {0, 1}},
      {"BUC2", true, {0, 1, 2}},
      {"BUC3", true, {0, 1, 2, 3}},
      {"BUC1BUC2", true, {0, 1, 0, 1, 2}},
      {"BUC2BUC3", true, {0, 1, 2, 0, 1, 2, 3}},
      {"BUJ2lDJ1", true, {0, 2, 1}},
      {"bUC2", true, {1, 2}},
      {"lUC3", true, {1, 2, 3}},
      {"LDJ2", true, {0, -2}},
      {"BUC0", true, {0}},
      {"BUJ0", true, {0, 0}},
      {"BUC1LDC1BUJ3", true, {0, 1, 1, 0, 0, 3}},
      {"BUC1BUC2BUC3", true, {0, 1, 0, 1, 2, 0, 1, 2, 3}},
      {"bUJ1bUJ2bUJ4", true, {1, 2, 4}},
      {"BUC10BUC2", true, Cat({Steps(0, 10), Steps(0, 2)})},
      {"BUC2BUC10", true, Cat({Steps(0, 2), Steps(0, 10)})},
      {"BUC123", true, Steps(0, 123)},
      // Malformed: refused, never read past a token's end, never a figure without notes,
      // never a count that is no plain number, never one beyond the limits.
      {"BUC100BUC1", false, {}},
      {"", false, {}},
      {"B", false, {}},
      {"BU", false, {}},
      {"BUC", false, {}},
      {"BXC2", false, {}},
      {"BUK2", false, {}},
      {"BUCx", false, {}},
      {"buc3", false, {}},
      {"BUC1X", false, {}},
      {"bUC0", false, {}},
      {"lUC0", false, {}},
      {"bUC0lUC0", false, {}},
      {"BUC-1", false, {}},
      {"BUC 3", false, {}},
      {"BUC3.5", false, {}},
      {"BUC1E1", false, {}},
      {"BUC99999", false, {}},
      {"BUJ30000LUJ30000", false, {}},
      {"BUC30000LDC30000", false, {}},
      {"BUC500", false, {}},
  };
  for (const InterpretCase& c : cases) {
    EXPECT_EQ(workshop::fInterpretPattern(c.pattern), c.valid) << c.pattern;
    if (c.valid) {
      EXPECT_EQ(workshop::PatternOffsets, c.offsets) << c.pattern;
      EXPECT_EQ(workshop::PatternOffsetCount, static_cast<int16_t>(c.offsets.size())) << c.pattern;
    }
  }
  std::string many;
  for (int i = 0; i < 300; ++i) many += "BUC1";
  EXPECT_FALSE(workshop::fInterpretPattern(many));  // 600 notes: far beyond any scale
  EXPECT_TRUE(workshop::fInterpretPattern("BUC498"));
  EXPECT_EQ(workshop::PatternOffsetCount, 499);
}

TEST_F(PatternTest, TokensAreCutByFixedWidths) {
  using Tokens = std::vector<std::string>;
  EXPECT_EQ(workshop::fPatternTokens("BUC14LDC14"), (Tokens{"BUC14", "LDC14"}));
  EXPECT_EQ(workshop::fPatternTokens("BUC1BUC2BUC3"), (Tokens{"BUC1", "BUC2", "BUC3"}));
  EXPECT_EQ(workshop::fPatternTokens("BUC100BUC1"), (Tokens{"BUC10", "0BUC1"}));
  EXPECT_EQ(workshop::fPatternTokens("BUC123"), (Tokens{"BUC123"}));
  EXPECT_EQ(workshop::fPatternTokens(""), (Tokens{""}));
}

TEST_F(PatternTest, TheOctavePatternsFollowTheScaleSize) {
  workshop::sSetOctavePatterns(5);
  EXPECT_EQ(workshop::BasePatterns[0], "BUC5LDC5");
  EXPECT_EQ(workshop::BasePatterns[1], "BUC10LDC10");
  workshop::sSetOctavePatterns(7);
  EXPECT_EQ(workshop::BasePatterns[0], "BUC7LDC7");
  EXPECT_EQ(workshop::BasePatterns[1], "BUC14LDC14");
}

// The offsets of a pattern built token by token, read by the grammar (three letters,
// then every digit): the reference the interpreter must agree with.
bool Reference(const std::string& text, Offsets& out) {
  out.clear();
  int32_t previous = 0;
  size_t at = 0;
  do {
    if (text.size() - at < 4) return false;
    const char start = text[at], direction = text[at + 1], move = text[at + 2];
    if (std::string("BbLl").find(start) == std::string::npos) return false;
    if (direction != 'U' && direction != 'D') return false;
    if (move != 'C' && move != 'J') return false;
    size_t end = at + 3;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    if (end == at + 3 || end - at - 3 > 4) return false;
    const int32_t n = std::stoi(text.substr(at + 3, end - at - 3));
    const int32_t step = direction == 'U' ? 1 : -1;
    const int32_t base = start == 'B' || start == 'b' ? 0 : previous;
    if (start == 'B' || start == 'L') out.push_back(static_cast<int16_t>(base));
    if (move == 'C') {
      for (int32_t k = 1; k <= n; ++k) out.push_back(static_cast<int16_t>(base + step * k));
    } else {
      out.push_back(static_cast<int16_t>(base + step * n));
    }
    previous = base + step * n;
    at = end;
  } while (at < text.size());
  return !out.empty() && out.size() <= 500;
}

// Random texts over the pattern alphabet: every call returns, keeps to the limit, and an
// accepted text means what the grammar says it means.
TEST_F(PatternTest, RandomTextsAreInterpretedOrRefusedWithoutHarm) {
  std::mt19937 random(20240611);
  // Single characters of the alphabet, and token heads so that some texts are valid.
  const std::vector<std::string> pieces = {"B", "b", "L", "l", "U", "D", "C", "J", "0", "1", "2", "3", "4", "5",
                                           "6", "7", "8", "9", " ", "x", "'", "BUC", "bDJ", "LUJ", "lDC"};
  std::uniform_int_distribution<size_t> piece(0, pieces.size() - 1);
  int accepted = 0;
  for (int i = 0; i < 100000; ++i) {
    std::string text;
    while (text.size() < 24 && piece(random) != 0) text += pieces[piece(random)];
    const bool valid = workshop::fInterpretPattern(text);
    ASSERT_LE(workshop::PatternOffsets.size(), 500u) << text;
    if (!valid) continue;
    ++accepted;
    Offsets reference;
    ASSERT_TRUE(Reference(text, reference)) << text;
    ASSERT_EQ(workshop::PatternOffsets, reference) << text;
  }
  EXPECT_GT(accepted, 100);
}

// The tokens the definition questions make always form a valid pattern.
TEST_F(PatternTest, TokensOfTheDefinitionAnswersAlwaysInterpret) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> tokens(1, 6), count(1, 24), pick(0, 3);
  for (int i = 0; i < 100000; ++i) {
    std::string text;
    for (int t = tokens(random); t > 0; --t) {
      text += "BbLl"[pick(random)];
      text += "UD"[pick(random) % 2];
      text += "CJ"[pick(random) % 2];
      text += std::to_string(count(random));
    }
    Offsets reference;
    ASSERT_TRUE(workshop::fInterpretPattern(text)) << text;
    ASSERT_TRUE(Reference(text, reference)) << text;
    ASSERT_EQ(workshop::PatternOffsets, reference) << text;
  }
}

struct ScaleCase {
  const char* scale;
  const char* pattern;
  int32_t runMode;
  int32_t start;
  const char* phrase;  // "" refused
};

TEST_F(PatternTest, PatternsAreLaidOverTheScale) {
  const ScaleCase cases[] = {
      {"S R G m P D N S>", "BUC3", 2, 5,
       "S R G m R G m P G m P D m P D N P D N S> S> N D P N D P m D P m G P m G R m G R S"},
      {"S R G m P D N S>", "BUJ2lDJ1", 2, 5,
       "S G R R m G G P m m D P P N D D S> N N R> S> S> D N N P D D m P P G m m R G G S R R N< S"},
      {"S R G m P D N S>", "BUC1", 2, 5, "S R R G G m m P P D D N N S> S> N N D D P P m m G G R R S"},
      {"S R G m P D N S>", "BUC7LDC7", 1, 5, "S R G m P D N S> S> N D P m G R S"},
      {"S R G m P D N S>", "BUC14LDC14", 1, 0,
       "P< D< N< S R G m P D N S> R> G> m> P> P> m> G> R> S> N D P m G R S N< D< P<"},
      {"S R G m P D N S>", "BUC14", 2, 5, ""},
      {"S R G m P D N S>", "BUC3LDC5", 2, 5, ""},
      {"S R G m P D N S>", "BUC15", 1, 5, ""},
      {"S R G P D S>", "BUC5LDC5", 1, 5, "S R G P D S> S> D P G R S"},
      {"S R G P D S>", "BUC10LDC10", 1, 0, "P< D< S R G P D S> R> G> P> P> G> R> S> D P G R S D< P<"},
      {"S R G m D N S>", "BUC12LDC12", 1, 0, ""},  // no "P<" to start from
      {"S R G m P D N", "BUC3", 2, 5, ""},          // no "S>" to end the series on
  };
  for (const ScaleCase& c : cases) {
    SCOPED_TRACE(std::string(c.scale) + " / " + c.pattern);
    messages.clear();
    Scale(c.scale);
    EXPECT_EQ(Build(c.pattern, c.runMode, c.start), c.phrase);
    if (std::string(c.phrase).empty()) {
      EXPECT_EQ(MessageTexts(), std::vector<std::string>{"The selected phrase cannot be illustrated. Please select another."});
      EXPECT_TRUE(workshop::BasePatternPhrase.empty());
    } else {
      EXPECT_TRUE(messages.empty());
    }
  }
}

TEST_F(PatternTest, ThePracticeSeriesMakesOneSegmentPerRun) {
  Scale("S R G m P D N S>");
  sound::CurrOperationMode = 3;
  const std::string phrase = Build("BUC3", 2);
  EXPECT_EQ(workshop::BasePatternPhrase, "S R G m");
  const auto segments = common::notation::Words(phrase, ":");
  std::vector<std::string> runs;
  for (const auto& s : segments)
    if (!common::notation::Words(s, " ").empty()) runs.push_back(common::notation::Join(common::notation::Words(s, " "), " "));
  ASSERT_EQ(runs.size(), 10u);
  EXPECT_EQ(runs.front(), "S R G m");
  EXPECT_EQ(runs[4], "P D N S>");
  EXPECT_EQ(runs[5], "S> N D P");
  EXPECT_EQ(runs.back(), "m G R S");
  EXPECT_EQ(phrase.substr(phrase.size() - 2), " :");
}

// Random figures over random scales: the builder ends, reads no note outside the scale,
// and either refuses or gives whole runs ending on "S>" and then on "S".
TEST_F(PatternTest, RandomPatternsOverRandomScalesEndAndStayInTheScale) {
  std::mt19937 random(1234);
  const std::vector<std::vector<std::string>> forms = {{"r", "R"}, {"g", "G"}, {"m", "M"}, {"P"}, {"d", "D"}, {"n", "N"}};
  std::uniform_int_distribution<int> tokens(1, 4), count(0, 24), pick(0, 3), notes(5, 7);
  int built = 0;
  for (int i = 0; i < 3000; ++i) {
    // A scale of 5 to 7 notes to the octave: S, a form of some of the note names, S>.
    std::vector<size_t> names = {0, 1, 2, 3, 4, 5};
    std::shuffle(names.begin(), names.end(), random);
    names.resize(static_cast<size_t>(notes(random) - 1));
    std::sort(names.begin(), names.end());
    std::string scale = "S";
    for (const size_t n : names) scale += " " + forms[n][static_cast<size_t>(pick(random)) % forms[n].size()];
    scale += " S>";
    std::string pattern;
    for (int t = tokens(random); t > 0; --t) {
      pattern += "BbLl"[pick(random)];
      pattern += "UD"[pick(random) % 2];
      pattern += "CJ"[pick(random) % 2];
      pattern += std::to_string(count(random));
    }
    Scale(scale);
    if (!workshop::fInterpretPattern(pattern)) continue;
    workshop::PatternRunMode = pick(random) % 2 + 1;
    workshop::PatternStartNote = pick(random) % 2 == 0 ? 0 : 5;
    sound::CurrOperationMode = pick(random) % 2 == 0 ? 2 : 3;
    if (!workshop::sCreateScalePatternFromBP()) {
      ASSERT_TRUE(sound::PhraseNotes.empty()) << scale << " / " << pattern;
      continue;
    }
    ++built;
    std::vector<std::string> words;
    for (const auto& w : common::notation::Words(sound::PhraseNotes, " "))
      if (w != ":") words.push_back(w);
    const size_t run = workshop::PatternOffsets.size();
    ASSERT_EQ(words.size() % run, 0u) << scale << " / " << pattern;
    if (workshop::PatternRunMode == 2) {
      EXPECT_EQ(words.back(), "S") << scale << " / " << pattern;
      EXPECT_LE(words.size() / run, 26u) << scale << " / " << pattern;
      bool turned = false;
      for (size_t r = 0; r + 1 < words.size() / run && !turned; ++r) turned = words[(r + 1) * run - 1] == "S>";
      EXPECT_TRUE(turned) << scale << " / " << pattern;
    }
  }
  EXPECT_GT(built, 100);
}

TEST_F(PatternTest, StraighteningKeepsOneWordPerPitchInOrder) {
  struct Case {
    const char* phrase;
    int16_t direction;
    const char* straight;
  };
  const Case cases[] = {
      {"S R G R G m P", 1, "S R G m P"},
      {"S> N D P m G R S", -1, "S> N D P m G R S"},
      {"S> N D P m G R S S<", -1, "S> N D P m G R S"},
      {"S> n D P m G R G N< S", -1, "S> n D P m G R N<"},
      {"S G M d r> S>", 1, "S G M d"},
      {"N< R G'M P N'S>", 1, "N< R G'M P N'S>"},
      {"S x R", 1, "S R"},
  };
  for (const Case& c : cases) EXPECT_EQ(workshop::fStraightenOutPhrase(c.phrase, c.direction), c.straight) << c.phrase;
}

TEST_F(PatternTest, AugmentingAddsAnOctaveEachWay) {
  struct Case {
    const char* phrase;
    int16_t kind;
    const char* augmented;
  };
  const Case cases[] = {
      {"S R G m P D N S>", 1, "P< D< N< S R G m P D N S> R> G> m> P>"},
      {"S> N D P m G R S", 2, "P> m> G> R> S> N D P m G R S N< D< P<"},
      // A copy of a note the phrase holds already is left out.
      {"N< R G M D N S>", 1, "D< N< R G M D N S> R> G> M>"},
      // Glides are copied part by part, every part joined.
      {"S R'G m'P'D S>", 1, "m<'P<'D< S R'G m'P'D S> R>'G>"},
      // A part of the other octave moves into the middle one.
      {"S N<'R G S>", 1, "S N<'R G S> N'R> G>"},
      // A part that would leave the workbench notes: nothing.
      {"S N<'P S>", 1, ""},
      {"S S>'P", 2, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(workshop::fAugmentRagaPhraseNotes(c.phrase, c.kind), c.augmented) << c.phrase;
}

class RagaPatternTest : public PatternTest {
 protected:
  void OpenFixture() {
    testsupport::MakeContentFixture(Path("mrA.kzy"), kWorkbenchRagas);
    shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), true, true, "MS ACCESS;PWD=x");
  }
  void TearDown() override {
    testsupport::CloseDatabases();
    PatternTest::TearDown();
  }
  std::string BuildRaga(int16_t raga, const std::string& pattern, int32_t runMode) {
    common::CurrRagaIndex = raga;
    common::sDBToTBaseInfo();
    EXPECT_TRUE(workshop::fInterpretPattern(pattern));
    workshop::PatternRunMode = runMode;
    workshop::sCreateRagaPatternFromBP();
    return sound::PhraseNotes;
  }
};

TEST_F(RagaPatternTest, PatternsAreLaidOverTheAarohaAndAvroha) {
  OpenFixture();
  shell::GraceNotes = 2;
  EXPECT_EQ(BuildRaga(2, "BUC3", 2), "S R G P R G P D G P D S> S> D P G D P G R P G R S");
  EXPECT_EQ(workshop::BasePatternPhrase, "S R G P");
  EXPECT_EQ(BuildRaga(2, "BUC3", 1), "S R G P") << "one time only: the figure once";
  // Yaman's aroha starts below S: S is given back at its place.
  EXPECT_EQ(BuildRaga(1, "BUC3", 2),
            "S R G M R G M D G M D N M D N S> S> N D P N D P M D P M G P M G R M G R S");
  EXPECT_TRUE(messages.empty());
  // A figure reaching past the widened notes is refused, nothing kept.
  EXPECT_EQ(BuildRaga(2, "BUC14", 2), "");
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"The selected phrase cannot be illustrated. Please select another."});
  EXPECT_TRUE(workshop::BasePatternPhrase.empty());
}

TEST_F(RagaPatternTest, ARunNeverBeginsOnTheGraceNoteOfAGlide) {
  OpenFixture();
  testsupport::CloseDatabases();
  testsupport::RunSql(Path("mrA.kzy"),
                      R"sql(UPDATE "Raga - Technical Information" SET "AarohaAlt" = 'S R''G P D S>' WHERE "Raga Index" = 2;)sql");
  shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), true, true, "MS ACCESS;PWD=x");
  auto ascending = [](const std::string& phrase) {
    auto words = common::notation::Words(phrase, " ");
    words.resize(8);
    return common::notation::Join(words, " ");
  };
  shell::GraceNotes = 2;
  EXPECT_EQ(ascending(BuildRaga(2, "BUC1", 2)), "S R'G G P P D D S>");
  shell::GraceNotes = 1;
  EXPECT_EQ(ascending(BuildRaga(2, "BUC1", 2)), "S G G P P D D S>");
}

// Every raga of the content takes every standard pattern, in both run modes.
TEST_F(RagaPatternTest, EveryRagaOfTheContentCanBeIllustrated) {
  const std::string built = vb::ShareFolderPath() + "/mrA.kzy";
  ASSERT_TRUE(std::filesystem::exists(built)) << built;
  shell::DatabaseA = dao::Database::OpenDatabase(built, false, true, "MS ACCESS;PWD=x");
  std::vector<int16_t> ragas;
  auto rs = shell::DatabaseA.OpenRecordset("Raga - Technical Information", dao::dbOpenTable);
  for (; !rs.Eof(); rs.MoveNext()) ragas.push_back(rs.Fields("Raga Index").ToInt());
  rs.Close();
  ASSERT_EQ(ragas.size(), 70u);
  for (const int16_t grace : {1, 2}) {
    shell::GraceNotes = grace;
    for (const int16_t raga : ragas) {
      for (const char* pattern : {"BUC1", "BUC2", "BUC3", "BUC1BUC2", "BUC2BUC3", "BUJ2lDJ1"}) {
        for (const int32_t runMode : {1, 2}) {
          const std::string phrase = BuildRaga(raga, pattern, runMode);
          ASSERT_FALSE(phrase.empty()) << "raga " << raga << " " << pattern << " grace " << grace;
          const auto words = common::notation::Words(phrase, " ");
          if (runMode == 1) {
            // One time only: the figure once, from S.
            EXPECT_EQ(phrase, workshop::BasePatternPhrase) << "raga " << raga << " " << pattern;
            EXPECT_EQ(common::fRemoveGlides(words.front()), "S") << "raga " << raga << " " << pattern;
          } else {
            EXPECT_EQ(common::fRemoveGlides(words.back()), "S") << "raga " << raga << " " << pattern;
          }
        }
      }
    }
  }
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace workshoptest
