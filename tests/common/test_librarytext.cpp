#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/CommonState.h"
#include "common/LibraryText.h"
#include "common/Notation.h"
#include "common/PhraseNote.h"
#include "common/StringUtil.h"
#include "platform/vb/Error.h"
#include "sound/SoundState.h"
#include "support/Scratch.h"

namespace {

using namespace common;

class LibraryTextTest : public testsupport::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    sound::CurrTonicNoteId = 3;
    sInitScales();
  }
  void TearDown() override {
    sound::CurrTonicNoteId = 3;
    ScratchTest::TearDown();
  }
};

std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

TEST_F(LibraryTextTest, NoteCodesComeFromTheEnglishName) {
  EXPECT_EQ(fGetFnameForNote("S<"), "00");
  EXPECT_EQ(fGetFnameForNote("S"), "12");
  EXPECT_EQ(fGetFnameForNote("N>"), "35");
  EXPECT_EQ(fGetFnameForNote("saa"), "");
  EXPECT_EQ(fGetFnameForNote("s"), "");
}

struct WordCase {
  const char* word;
  PhraseNote note;
  int16_t packed;
};

TEST_F(LibraryTextTest, PhraseWordsGiveTheirGraceAndMainNotes) {
  const WordCase cases[] = {
      {"S", {-1, 12}, 12},      {"S<", {-1, 0}, 0},        {"S'R", {12, 14}, 1214},
      {"S<'R<", {0, 2}, 2},     {"S<'R", {0, 14}, 14},     {"N'S>", {23, 24}, 2324},
      {"r<'S", {1, 12}, 112},   {"G:", {-1, 16}, 16},      {":S'R", {12, 14}, 1214},
      {"X'R", {-1, 14}, 14},    {"S'R'G", {14, 16}, 1416}, {":", {-1, -1}, -1},
      {",", {-1, -1}, -1},      {"", {-1, -1}, -1},
  };
  for (const auto& c : cases) {
    const PhraseNote note = fGetPhraseNote(c.word);
    EXPECT_EQ(note, c.note) << c.word;
    EXPECT_EQ(note.Packed(), c.packed) << c.word;
  }
}

// The packed value of a glide from the lower S equals its main note alone; the
// phrase note keeps the grace note for the library text and the lighting.
TEST_F(LibraryTextTest, AGlideFromLowerSKeepsItsGraceNote) {
  const PhraseNote glide = fGetPhraseNote("S<'R");
  EXPECT_TRUE(glide.HasGrace());
  EXPECT_EQ(glide.Packed(), fGetPhraseNote("R").Packed());
  EXPECT_EQ(fGetFnameForCurrTonicNote(glide, 3), "0014");
  EXPECT_EQ(fGetFnameForCurrTonicNote(int32_t{glide.Packed()}, 3), "14") << "the packed form has lost it";
  const PhraseNote notes[] = {glide};
  const int32_t durations[] = {500};
  EXPECT_EQ(fGetLibraryNoteText(notes, durations, 3), "0014");
  EXPECT_EQ(fConvertNotePhraseToMusicGenerationFormat("S<'R G", 3), "0014 16");
  EXPECT_EQ(fConvertNotePhraseToMusicGenerationFormat("S<'R<", 4), "0103");
}

TEST_F(LibraryTextTest, PackedValuesReadBackWithTheirGraceNote) {
  EXPECT_EQ(PhraseNote::FromPacked(1416), (PhraseNote{14, 16}));
  EXPECT_EQ(PhraseNote::FromPacked(912), (PhraseNote{9, 12}));
  EXPECT_EQ(PhraseNote::FromPacked(35), (PhraseNote{-1, 35}));
  EXPECT_EQ(PhraseNote::FromPacked(-1), PhraseNote{});
  EXPECT_FALSE(PhraseNote{}.IsNote());
  EXPECT_FALSE((PhraseNote{5, -1}).HasGrace());
}

TEST_F(LibraryTextTest, PackedNoteNumbersAreReadInPairsOfDigits) {
  struct Case {
    int32_t number;
    int16_t tonic;
    const char* token;
  };
  const Case cases[] = {
      {5, 3, "05"},      {12, 3, "12"},   {100, 3, "0100"}, {912, 3, "0912"}, {1214, 3, "1214"},
      {12, 1, "10"},     {1214, 12, "2123"}, {35, 12, "44"},
      {912, 1, "0710"},  {100, 2, "0000"},  // grace 01 is library note 0; main 00 (-1) is refused by the renderers
      {100, 1, "00"},    // grace 01 falls below the range under key 1 and is left out
      {-1, 3, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fGetFnameForCurrTonicNote(c.number, c.tonic), c.token) << c.number << " key " << c.tonic;
  }
  sound::CurrTonicNoteId = 5;
  EXPECT_EQ(fGetFnameForCurrTonicNote(12), "14") << "the current tonic key by default";
}

// For every tonic key: the range limits of the library's notes, and what a grace
// note below the range becomes.
TEST_F(LibraryTextTest, EveryTonicKeyAtTheRangeLimits) {
  for (int16_t t = 1; t <= 12; ++t) {
    SCOPED_TRACE("tonic key " + std::to_string(t));
    EXPECT_EQ(fGetLibraryNoteNumber(12, t), t + 9) << "middle S";
    EXPECT_EQ(fGetFnameForCurrTonicNote(PhraseNote{-1, 35}, t), Two(32 + t)) << "upper N";
    EXPECT_EQ(fGetFnameForCurrTonicNote(PhraseNote{34, 35}, t), Two(31 + t) + Two(32 + t));
    for (int16_t code = 0; code <= 3; ++code) {
      const bool inRange = code + t - 3 >= 0;
      EXPECT_EQ(fIsNoteInLibraryRange(PhraseNote{-1, code}, t), inRange) << "code " << code;
      const std::string glide = fGetFnameForCurrTonicNote(PhraseNote{code, 12}, t);
      EXPECT_EQ(glide, (inRange ? Two(code + t - 3) : std::string()) + Two(t + 9)) << "grace code " << code;
      EXPECT_EQ(fConvertNotePhraseToMusicGenerationFormat(EnglishNotes[code] + "'S", t), glide);
    }
  }
  EXPECT_EQ(fConvertNotePhraseToMusicGenerationFormat("S<", 1), "00") << "the lowest note stands in";
  EXPECT_FALSE(fIsNoteInLibraryRange(PhraseNote{}, 3));
}

TEST_F(LibraryTextTest, RendererTextsFollowThePhraseRecord) {
  struct Case {
    std::vector<PhraseNote> notes;
    std::vector<int32_t> durations;
    int16_t tonic;
    const char* noteText;
    const char* durationText;
  };
  const Case cases[] = {
      // S, R'G, P under key 2: the glide of 200 ms keeps only G.
      {{{-1, 12}, {14, 16}, {-1, 19}}, {500, 200, 1000}, 2, "11  15  18", "500 200 1000"},
      {{{14, 16}}, {250}, 2, "15", "250"},
      {{{14, 16}}, {251}, 2, "1315", "251"},
      {{{-1, 12}}, {1000}, 3, "12", "1000"},
      {{{0, 12}, {1, 14}}, {500, 500}, 1, "10  12", "500 500"},  // grace notes below the range
      {{{0, 12}, {1, 14}}, {500, 500}, 2, "11  0013", "500 500"},
      {{}, {}, 3, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fGetLibraryNoteText(c.notes, c.durations, c.tonic), c.noteText);
    EXPECT_EQ(fGetLibraryDurationText(c.durations), c.durationText);
  }
  const std::vector<PhraseNote> notes{{-1, 12}, {-1, 14}};
  const std::vector<int32_t> oneDuration{500};
  EXPECT_THROW(fGetLibraryNoteText(notes, oneDuration, 3), vb::VbError);
}

TEST_F(LibraryTextTest, WholePhrasesAsLibraryText) {
  struct Case {
    const char* phrase;
    int16_t tonic;
    const char* text;
  };
  const Case cases[] = {
      {"S P S<", 3, "12 19 00"},
      {"S'R G  P", 3, "1214 16 19"},
      {"S'R", 2, "1113"},  // every grace note kept here
      {"S R : G", 3, "12 14 16"},  // segment marks sound nothing
      {"S: R", 3, "12 14"},
      {"S<'S", 1, "10"},
      {"N>", 12, "44"},
      {"", 3, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fConvertNotePhraseToMusicGenerationFormat(c.phrase, c.tonic), c.text) << c.phrase;
  }
}

TEST_F(LibraryTextTest, DurationListsInTensOfMillisecondsBecomeMilliseconds) {
  EXPECT_EQ(fConvertDurPhraseToMusicGenerationFormat("25 2.5  100"), "250 25 1000");
  EXPECT_EQ(fConvertDurPhraseToMusicGenerationFormat("0.33"), "3.3");
  EXPECT_EQ(fConvertDurPhraseToMusicGenerationFormat(""), "");
}

TEST_F(LibraryTextTest, ScaleAndPakadOfTheRagaInLibraryText) {
  RagaPhraseTexts row;
  row.AarohaAlt = "S R G";
  row.AvrohaAlt = "G R S";
  row.AaDuration = "50 50 50";
  row.AvDuration = "50 50 100";
  row.Pakad = "S'R G : P";
  row.PakadDuration = "50 50 : 100";
  std::string notes = "old";
  std::string durations = "old";
  sCreateRagaPhraseData(kRagaScaleData, row, notes, durations, 3);
  EXPECT_EQ(notes, "12 14 16 16 14 12");
  EXPECT_EQ(durations, "500 500 500 500 500 1000");
  sCreateRagaPhraseData(kRagaPakadData, row, notes, durations, 4);
  EXPECT_EQ(notes, "1315 17 20");
  EXPECT_EQ(durations, "500 500 1000");
  sCreateRagaPhraseData(5, row, notes, durations, 3);
  EXPECT_EQ(notes, "");
  EXPECT_EQ(durations, "");
}

TEST_F(LibraryTextTest, TimingScriptGivesOneFixedValuePerWordAndTrimsTheText) {
  std::string text = "  S R  G ";
  EXPECT_EQ(fGetTimingScript(text), "15 15 15");
  EXPECT_EQ(text, "S R  G");
  std::string empty = "   ";
  EXPECT_EQ(fGetTimingScript(empty), "");
  EXPECT_EQ(empty, "");
  EXPECT_EQ(fGetTimingScript(fRemoveColons(" S R : G ")), "15 15 15");
}

TEST_F(LibraryTextTest, DurationTotalRoundsAfterEveryAddition) {
  EXPECT_EQ(fGetDurationValue("10 20 30"), 60);
  EXPECT_EQ(fGetDurationValue("10 20.5 30"), 60);  // 30.5 rounds to 30
  EXPECT_EQ(fGetDurationValue("1.5 1.5"), 4);       // 2, then 3.5 rounds to 4
  EXPECT_EQ(fGetDurationValue("x 5"), 5);
  EXPECT_EQ(fGetDurationValue(""), 0);
}

TEST_F(LibraryTextTest, ConversionsLeaveTheCallersSplitAlone) {
  const std::string outer = "S'R G P";
  ASSERT_EQ(fParseString(outer, " "), 3);
  for (int32_t k = 1; k <= 3; ++k) fGetPhraseNote(fGetWord(outer, k));
  fConvertNotePhraseToMusicGenerationFormat("S R", 3);
  EXPECT_EQ(ParsedWordCount, 3);
  EXPECT_EQ(fGetWord(outer, 3), "P");
}

}  // namespace
