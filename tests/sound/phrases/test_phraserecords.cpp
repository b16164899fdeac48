// Phrase records and the timing texts they are built from.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PhraseTest.h"
#include "common/LibraryText.h"
#include "common/NotationWords.h"
#include "common/Notation.h"
#include "sound/PhraseRecords.h"
#include "sound/PhraseSetUps.h"
#include "soundlib/Constants.h"
#include "soundlib/NoteText.h"
#include "support/ErrorNumber.h"

namespace {

using phrasetest::PhraseTest;
using sound::NotesList;

struct TextCase {
  std::string in;
  int32_t value;
};

TEST(AltricaVal, ReadsOnlyTheLeadingDigits) {
  const TextCase cases[] = {{"", 0},     {"123", 123}, {"12ab", 12}, {" 5", 0},     {"-5", 0},
                            {"+5", 0},   {"2.5", 2},   {"0012", 12}, {"2147483647", 2147483647}};
  for (const auto& c : cases) EXPECT_EQ(sound::AltricaVal(c.in), c.value) << '"' << c.in << '"';
}

TEST(ConvertMatraToDuration, RoundsUpOnlyAboveOneHalf) {
  struct Case {
    std::string matras;
    int16_t unit;
    std::string out;
  };
  const Case cases[] = {
      {"1.5", 7, "10"},  // 10.5 stays down
      {"1.5", 9, "13"},  // 13.5 stays down
      {"1.7", 10, "17"},
      {"1.6", 7, "11"},   // 11.2
      {"0.75", 50, "37"},  // 37.5 stays down
      {"1 0.5 0.25 2", 45, "45 22 12 90"},  // ends at 45, 67.5, 78.75, 168.75
      {"0.5 0.5 0.5 0.5", 55, "27 28 27 28"},  // every beat 55, not 54
      {"0.25 0.25 0.25 0.25 1", 67, "17 16 17 17 67"},  // 16.75, 33.5, 50.25, 67
      {"  2   1  ", 35, "70 35"},
      {"", 45, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(sound::fConvertMatraToDuration(c.matras, c.unit), c.out) << c.matras << " x " << c.unit;
}

class TimingTextTest : public PhraseTest {};

TEST_F(TimingTextTest, DurationPhraseGivesOneUnitPerNoteAndKeepsPhrasesApart) {
  sound::BaseBeat = 70;
  EXPECT_EQ(sound::fCreateDurationPhrase("S R G,R G", 6), "15 15 15 , 15 15 ");
  EXPECT_EQ(sound::fCreateDurationPhrase("S : R'G m", 6), "15 15 15 ");  // the segment mark is no note
  EXPECT_EQ(sound::fCreateDurationPhrase("S R", 10), "70 70 ");
  EXPECT_EQ(sound::fCreateDurationPhrase("S R", 3), "0 0 ");
  EXPECT_EQ(sound::fCreateDurationPhrase("", 6), "");
}

TEST_F(TimingTextTest, MiddleSliderLeavesTheScriptAsItIs) {
  EXPECT_EQ(sound::fFactorTimingScript("10  20 , 30 "), "10  20 , 30 ");
}

TEST_F(TimingTextTest, OtherSliderPositionsScaleEveryNumber) {
  struct Case {
    int slider;
    std::string in;
    std::string out;
  };
  const Case cases[] = {
      {4, "10 20, 30", " 20  40 ,  60"},  // factor 2.0
      {1, "10 15", " 50  75"},            // the slowest, 5.0
      {17, "10 15 30", " 3  5  10"},      // the fastest, 0.33
      {13, "5 7 3", " 2  4  2"},          // 0.5: ties go to the even number
      {13, "10 , , 20 ,", " 5 ,  10"},    // empty segments are dropped
      {13, "5 5 5 5", " 2  3  3  2"},     // ends at 2.5, 5, 7.5, 10: the pairs keep 10 / 2
      {12, "5 5 , 5 5", " 3  3 ,  3  3"}, // 0.57: each segment counts from its own start
  };
  for (const auto& c : cases) {
    SetSlider(c.slider);
    EXPECT_EQ(sound::fFactorTimingScript(c.in), c.out) << "slider " << c.slider << ": " << c.in;
  }
}

TEST_F(TimingTextTest, SpeedFactorFollowsTheSliderOfTheFormInFront) {
  EXPECT_EQ(sound::fGetSpeedFactor(), 1.0);
  SetSlider(1);
  EXPECT_EQ(sound::fGetSpeedFactor(), 5.0);
  SetSlider(17);
  EXPECT_EQ(sound::fGetSpeedFactor(), 0.33);
  shell::CurrForm = nullptr;
  EXPECT_EQ(testsupport::ErrorNumber([] { sound::fGetSpeedFactor(); }), 91);
}

TEST_F(TimingTextTest, ATimingWordThatIsNoNumberIsAnError) {
  SetSlider(4);
  EXPECT_EQ(testsupport::ErrorNumber([] { sound::fFactorTimingScript("10 x"); }), 13);
  EXPECT_EQ(testsupport::ErrorNumber([] { sound::fConvertMatraToDuration("1 x", 10); }), 13);
}

class NotesListTest : public PhraseTest {
 protected:
  static int16_t Build(const std::string& phrase, const std::string& timing, int16_t slot = 0) {
    PlayPhrases({{phrase, timing}});
    return sound::fCreateNotesList1(slot);
  }
};

TEST_F(NotesListTest, WithoutTimingEveryNoteLastsOneSecond) {
  EXPECT_EQ(Build("S R G", ""), 3);
  EXPECT_EQ(Build("S R G", "   "), 3);  // blanks alone are no timing either
  const auto& rec = NotesList[0];
  EXPECT_EQ(rec.NoteCount, 3);
  EXPECT_EQ(rec.CurrNote, 1);
  EXPECT_EQ(rec.Durations, (std::vector<int32_t>{1000, 1000, 1000, 0}));
  EXPECT_EQ(rec.Positions, (std::vector<int32_t>{0, 1000, 2000, 3000}));
}

TEST_F(NotesListTest, DurationsAreTenMillisecondUnitsAndPositionsAddUp) {
  Build("S  R'G m", "25 50 10", 1);
  const auto& rec = NotesList[1];
  EXPECT_EQ(rec.Durations, (std::vector<int32_t>{250, 500, 100, 0}));
  EXPECT_EQ(rec.Positions, (std::vector<int32_t>{0, 250, 750, 850}));
  EXPECT_EQ(rec.Text, "S  R'G m");
  EXPECT_EQ(rec.Script, common::kScriptEnglish);
  EXPECT_EQ(rec.WordStarts, (std::vector<int32_t>{1, 4, 8, 0}));
  EXPECT_EQ(rec.WordLengths, (std::vector<int32_t>{1, 3, 1, 0}));
}

// Durations that each fit a 32-bit number of ms but whose sum does not, or that add up
// to more than the renderer takes, are refused before they are summed.
TEST_F(NotesListTest, APhraseLongerThanTheRendererTakesIsRefused) {
  for (const char* timing : {"200220884 200220600", "60000 60001"}) {
    EXPECT_EQ(testsupport::ErrorNumber([timing] { Build("S R", timing); }), 6) << timing;
  }
  EXPECT_EQ(Build("S R", "60000 60000"), 2) << "exactly the longest phrase";
  EXPECT_EQ(NotesList[0].Positions.back(), sound::kLongestPhraseMs);
}

TEST_F(NotesListTest, EachWordBecomesItsGraceAndMainNote) {
  Build("S S<'R< N'S> P'X X", "");
  const std::vector<common::PhraseNote> notes = {{-1, 12}, {0, 2}, {23, 24}, {-1, 19}, {-1, -1}, {-1, -1}};
  EXPECT_EQ(NotesList[0].Notes, notes);  // a piece that is no note adds nothing; the last entry is spare
  EXPECT_EQ(NotesList[0].Notes[2].Packed(), 2324);
}

TEST_F(NotesListTest, DecimalTimingsCountOnlyForTaansAndFilmSongs) {
  struct Case {
    int16_t item;
    std::vector<int32_t> durations;
  };
  const Case cases[] = {
      {6, {25, 30, 22, 0}},  // 22.5 rounds to the even 22
      {9, {25, 30, 22, 0}},
      {8, {20, 30, 20, 0}},
      {4, {20, 30, 20, 0}},
  };
  for (const auto& c : cases) {
    sound::CurrMusicItemType = c.item;
    Build("S R G", "2.5 3 2.25");
    EXPECT_EQ(NotesList[0].Durations, c.durations) << "item " << c.item;
  }
}

TEST_F(NotesListTest, CompositionInLearningModeGetsTheBeatGrid) {
  sound::CurrMusicItemType = 8;
  sound::CompCycleCount = 2;
  sound::CompBeatCount = 4;
  sound::BaseBeat = 45;
  sound::CurrOperationMode = 2;
  SetSlider(13);  // factor 0.5: 225 ms a beat
  Build("S R G", "90 45 45");
  const auto& rec = NotesList[0];
  EXPECT_EQ(rec.Positions, (std::vector<int32_t>{0, 225, 450, 675, 900, 1125, 1350, 1575, 1800}));
  EXPECT_EQ(rec.Durations, (std::vector<int32_t>{900, 450, 450, 0}));
}

TEST_F(NotesListTest, CompositionInDemoModeIsTimedByItsNotes) {
  sound::CurrMusicItemType = 8;
  sound::CompCycleCount = 2;
  sound::CompBeatCount = 4;
  sound::BaseBeat = 45;
  shell::CurrForm = nullptr;  // demo mode reads no slider
  Build("S R G", "90 45 45");
  EXPECT_EQ(NotesList[0].Positions, (std::vector<int32_t>{0, 900, 1350, 1800}));
}

TEST_F(NotesListTest, DevanagariRecordShowsTheDisplayTextAndKeepsEnglishNotes) {
  shell::NotationScript = common::kScriptDevnagari;
  const std::string phrase = "S R'G : , P>";
  Build(phrase, "10 20 0 0 30");
  const auto& rec = NotesList[0];
  EXPECT_EQ(rec.Script, common::kScriptDevnagari);
  EXPECT_EQ(rec.Text, common::fPrepareNotationDevnagariString(phrase));
  EXPECT_EQ(rec.NoteCount, 5);
  EXPECT_EQ(rec.Notes[1], (common::PhraseNote{14, 16}));
  EXPECT_EQ(rec.Notes[4], (common::PhraseNote{-1, 31}));
  EXPECT_EQ(rec.Durations[4], 300);
  // Word k of the table is note k's word as shown; the "," shows as blanks only.
  const std::vector<std::string> shown = {common::fGetDevForEng("S"), common::fGetDevForEng("R'G"), ":", "",
                                          common::fGetDevForEng("P>")};
  for (size_t k = 0; k < shown.size(); ++k) {
    const auto start = static_cast<size_t>(rec.WordStarts[k] - 1);
    EXPECT_EQ(rec.Text.substr(start, static_cast<size_t>(rec.WordLengths[k])), shown[k]) << "word " << k + 1;
  }
}

TEST_F(NotesListTest, ASlotOrPhraseOutsideTheSetIsAnError) {
  PlayPhrases({{"S R", ""}});
  EXPECT_EQ(testsupport::ErrorNumber([] { sound::fCreateNotesList1(3); }), 9);
  sound::TPlayInfo.CurrPhrase = 2;
  EXPECT_EQ(testsupport::ErrorNumber([] { sound::fCreateNotesList1(0); }), 9);
  sound::TPlayInfo.CurrPhrase = 0;
  EXPECT_EQ(testsupport::ErrorNumber([] { sound::fCreateNotesList1(0); }), 9);
}

TEST_F(NotesListTest, ChangingTheScriptConvertsSlotsZeroAndOneOnly) {
  for (int16_t slot = 0; slot < 3; ++slot) Build("S R'G P", "10 20 30", slot);
  const auto before = NotesList;
  shell::NotationScript = common::kScriptDevnagari;
  sound::sAdjustMDMStr();
  for (size_t slot = 0; slot < 2; ++slot) {
    const auto& rec = NotesList[slot];
    EXPECT_EQ(rec.Script, common::kScriptDevnagari);
    EXPECT_EQ(rec.Text, sound::fConvertFont("S R'G P", common::kScriptEnglish));
    EXPECT_EQ(rec.Text.substr(static_cast<size_t>(rec.WordStarts[1] - 1), static_cast<size_t>(rec.WordLengths[1])),
              common::fGetDevForEng("R'G"));
    EXPECT_EQ(rec.Notes, before[slot].Notes);
    EXPECT_EQ(rec.Durations, before[slot].Durations);
    EXPECT_EQ(rec.Positions, before[slot].Positions);
  }
  EXPECT_EQ(NotesList[2].Text, "S R'G P");
  // Back to English restores the stored words.
  shell::NotationScript = common::kScriptEnglish;
  sound::sAdjustMDMStr();
  EXPECT_EQ(NotesList[0].Text, "S R'G P");
  EXPECT_EQ(NotesList[1].WordStarts, before[1].WordStarts);
}

TEST_F(NotesListTest, ChoosingTheScriptInForceLeavesTheRecords) {
  Build("S  R   G", "10 20 30");
  const std::string text = NotesList[0].Text;
  sound::sAdjustMDMStr();
  EXPECT_EQ(NotesList[0].Text, text);
  EXPECT_EQ(NotesList[0].WordStarts, (std::vector<int32_t>{1, 4, 8, 0}));
}

TEST_F(NotesListTest, ConvertFontGoesBothWaysWordByWord) {
  const std::string dev = sound::fConvertFont("  S<  R'G   N> ", common::kScriptEnglish);
  EXPECT_EQ(dev, common::fGetDevForEng("S<") + " " + common::fGetDevForEng("R'G") + " " + common::fGetDevForEng("N>"));
  EXPECT_EQ(sound::fConvertFont(dev, common::kScriptDevnagari), "S< R'G N>");
}

// A composition part with halves, quarters and three-quarters of a matra, as the
// renderer receives it: every beat lasts the same to the sample at each playing speed,
// in demo mode and at the slider's middle in learning mode.
TEST_F(PhraseTest, EveryBeatOfACompositionLastsTheSameToTheSample) {
  const std::string matras = "0.5 0.5 1 0.25 0.25 0.5 1.5 0.5 0.75 0.25 2 0.5 0.5 0.5 0.5 0.25 0.75 1 1";
  const std::vector<std::string> words = common::notation::Words(matras, " ");
  sound::CurrItemKind = sound::kCompositionKind;
  sound::CurrMusicItemType = sound::kCompositionItem;
  sound::CompCycleCount = 4;
  sound::CompBeatCount = 4;
  for (int16_t mode : {1, 2}) {
    for (int16_t speed : {50, 55, 67}) {
      sound::CurrOperationMode = mode;
      common::TCompData = {};
      for (auto& part : common::TCompData) {
        part.Notation = std::string(words.size() * 2 - 1, ' ');
        for (size_t k = 0; k < words.size(); ++k) part.Notation[2 * k] = 'S';
        part.NotesDuration = matras;
        part.PlayingSpeed = speed;
      }
      sound::sLoadMNFromT(2);
      sound::TPlayInfo = sound::TMNInfo;
      sound::TPlayInfo.CurrPhrase = 1;
      const int16_t count = sound::fCreateNotesList1(0);
      ASSERT_EQ(count, static_cast<int16_t>(words.size()));
      const auto& rec = NotesList[0];
      soundlib::Phrase phrase;
      std::string notes;
      for (int16_t k = 0; k < count; ++k) notes += "12 ";
      ASSERT_TRUE(soundlib::ParsePhrase(
          count, notes,
          common::fGetLibraryDurationText(std::span<const int32_t>(rec.Durations).first(static_cast<size_t>(count))),
          phrase));
      // The first sample of every beat on which a note starts.
      const double beatSamples = speed * 10.0 * soundlib::kSamplesPerMs;
      double at = 0.0;
      int beats = 0;
      for (size_t k = 0; k < words.size(); ++k) {
        if (at == std::floor(at)) {
          EXPECT_NEAR(static_cast<double>(phrase.notes[k].start), at * beatSamples, 1.0)
              << "beat " << at << " at speed " << speed << ", mode " << mode;
          ++beats;
        }
        at += std::stod(words[k]);
      }
      EXPECT_NEAR(static_cast<double>(phrase.endSample), at * beatSamples, 1.0);
      EXPECT_GE(beats, 10);
    }
  }
}

}  // namespace
