#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RagaFixture.h"
#include "common/RagaReaders.h"
#include "common/RagaTables.h"

namespace {

using namespace common;
using testsupport::ErrorNumber;

using ragatest::NoteCount;
using ragatest::WordsOf;

class RagaReadersTest : public ragatest::RagaTest {
 protected:
  void SetUp() override {
    RagaTest::SetUp();
    MakeCurrent(1, "Yaman");
    sSetupForCurrRaga();
  }
};

TEST_F(RagaReadersTest, TheScaleReadersGiveTheArohaTheAvrohaAndBothJoined) {
  EXPECT_EQ(fGetFromT_ArohaPhrase(kReadNotes), "N< R G M P D N S>");
  EXPECT_EQ(fGetFromT_ArohaPhrase(kReadDurations), "40 40 40 40 40 40 40 80");
  EXPECT_EQ(fGetFromT_AvrohaPhrase(kReadNotes), "S> N D P M G R S");
  EXPECT_EQ(fGetFromT_AvrohaPhrase(kReadDurations), "40 40 40 40 40 40 40 70");
  EXPECT_EQ(fGetFromT_ScalePhraseSeg(kReadNotes), "N< R G M P D N S> : S> N D P M G R S");
  EXPECT_EQ(fGetFromT_ScalePhraseUnSeg(kReadNotes), "N< R G M P D N S> S> N D P M G R S");
  EXPECT_EQ(fGetFromT_ScalePhraseUnSeg(kReadDurations), "40 40 40 40 40 40 40 80 40 40 40 40 40 40 40 70");
  // Any other kind gives no text: the joining readers keep their separators alone.
  EXPECT_EQ(fGetFromT_ArohaPhrase(3), "");
  EXPECT_EQ(fGetFromT_ScalePhraseSeg(0), " : ");
}

TEST_F(RagaReadersTest, ThePakadReadersJoinItsSegmentsWithOrWithoutMarks) {
  EXPECT_EQ(fGetFromT_PakadPhraseSeg(kReadNotes), "N< R G R  : P R  : N<'R S");
  EXPECT_EQ(fGetFromT_PakadPhraseUnSeg(kReadNotes), "N< R G R   P R   N<'R S");
  EXPECT_EQ(fGetFromT_PakadPhraseSeg(kReadDurations), "40 40 40 70 :40 70 :40 120");
  EXPECT_EQ(fGetFromT_PakadPhraseUnSeg(kReadDurations), "40 40 40 70 40 70 40 120");

  MakeCurrent(2, "Bhairav");  // a pakad of one segment
  sSetupForCurrRaga();
  EXPECT_EQ(fGetFromT_PakadPhraseSeg(kReadNotes), "S r S");
  EXPECT_EQ(fGetFromT_PakadPhraseUnSeg(kReadNotes), "S r S");
}

TEST_F(RagaReadersTest, OneAltPhraseWithOrWithoutSegmentMarks) {
  EXPECT_EQ(fGetFromT_AnALTPhraseSeg(1, 1, kReadNotes, 1), "S  :  N< D<  :  N<'R S ");
  EXPECT_EQ(fGetFromT_AnALTPhraseUnSeg(1, 1, kReadNotes, 1), "S   N< D<   N<'R S ");
  EXPECT_EQ(fGetFromT_AnALTPhraseSeg(1, 1, kReadDurations, 2), "50 50 100 : 50 80 : 50 50 150");
  EXPECT_EQ(fGetFromT_AnALTPhraseUnSeg(1, 1, kReadDurations, 2), "50 50 100 50 80 50 50 150");
  EXPECT_EQ(fGetFromT_AnALTPhraseUnSeg(2, 1, kReadNotes, 1), "G M P   D N S>");
  EXPECT_EQ(fGetFromT_AnALTPhraseSeg(1, 1, 3, 1), " :  : ");
  EXPECT_EQ(fGetFromT_AnALTPhraseUnSeg(1, 3, kReadDurations, 1), " ");
}

TEST_F(RagaReadersTest, AllPhrasesOfAListReadLikeTheListWithoutColons) {
  EXPECT_EQ(fGetFromT_AllALTPhrasesUnSeg(1, 2, kReadNotes), "S R G M  ,  M G R S");
  EXPECT_EQ(fGetFromT_AllALTPhrasesUnSeg(1, 2, kReadDurations), "10 10 10 10 , 10 10 10 10");
  EXPECT_EQ(WordsOf(fGetFromT_AllALTPhrasesUnSeg(1, 1, kReadNotes)),
            WordsOf("S N< D< N<'R S , N< R G R G N< R S"));
  EXPECT_EQ(fGetFromT_AllALTPhrasesUnSeg(2, 2, kReadNotes), "");
}

TEST_F(RagaReadersTest, TheCountsAreThePhrasesOfEachList) {
  EXPECT_EQ(fGetFromT_SegmentCount(1, 1), 2);
  EXPECT_EQ(fGetFromT_SegmentCount(1, 2), 2);
  EXPECT_EQ(fGetFromT_SegmentCount(1, 3), 1);
  EXPECT_EQ(fGetFromT_SegmentCount(2, 1), 1);
  EXPECT_EQ(fGetFromT_SegmentCount(2, 3), 0);
  EXPECT_EQ(fGetFromT_SegmentCount(1, 4), 0);  // the element that is never filled
}

TEST_F(RagaReadersTest, EveryPhraseHasOneDurationPerNote) {
  for (int16_t db : {1, 2}) {
    for (int16_t type : {1, 2}) {
      for (int16_t p = 1; p <= fGetFromT_SegmentCount(db, type); ++p) {
        const std::string notes = fGetFromT_AnALTPhraseUnSeg(db, type, kReadNotes, p);
        const std::string durations = fGetFromT_AnALTPhraseUnSeg(db, type, kReadDurations, p);
        EXPECT_EQ(NoteCount(notes), WordsOf(durations).size()) << db << " " << type << " " << p;
      }
    }
  }
  EXPECT_EQ(NoteCount(fGetFromT_PakadPhraseUnSeg(kReadNotes)),
            WordsOf(fGetFromT_PakadPhraseUnSeg(kReadDurations)).size());
}

TEST_F(RagaReadersTest, APhraseOrTypeOutsideTheRecordsIsAnError) {
  EXPECT_EQ(ErrorNumber([] { fGetFromT_AnALTPhraseUnSeg(1, 1, kReadNotes, 3); }), 9);
  EXPECT_EQ(ErrorNumber([] { fGetFromT_AnALTPhraseSeg(1, 1, kReadNotes, 0); }), 9);
  EXPECT_EQ(ErrorNumber([] { fGetFromT_AnALTPhraseUnSeg(2, 2, kReadNotes, 1); }), 9);
  EXPECT_EQ(ErrorNumber([] { fGetFromT_SegmentCount(1, 0); }), 9);
  EXPECT_EQ(ErrorNumber([] { fGetFromT_AllALTPhrasesUnSeg(2, 5, kReadNotes); }), 9);
  EXPECT_EQ(ErrorNumber([] { fCreateCompStringFromT(4, 1); }), 9);
}

TEST_F(RagaReadersTest, RecordsNeverFilledGiveEmptyTexts) {
  TBaseInfo = {};
  EXPECT_EQ(fGetFromT_ArohaPhrase(kReadNotes), "");
  EXPECT_EQ(fGetFromT_AvrohaPhrase(kReadDurations), "");
  EXPECT_EQ(fGetFromT_ScalePhraseUnSeg(kReadNotes), "");
  EXPECT_EQ(fGetFromT_PakadPhraseSeg(kReadNotes), "");
}

// A composition part laid out by beats of its tala.
struct BeatCase {
  int16_t tala;  // 1 Teentaal (16 beats), 2 Rupak (7)
  double startingBeat;
  const char* text;
  const char* durations;
  int16_t what;
  int16_t script;
  int16_t graceNotes;
  const char* expected;
};

TEST_F(RagaReadersTest, ACompositionPartIsLaidOutWithTheSamMark) {
  const BeatCase cases[] = {
      {1, 1, "a b c d e", "4 4 4 4 4", 1, kScriptEnglish, kGraceNotesUse, "   (1)a   b   c   d   (1)e"},
      {1, 15, "a b c", "1 1 1", 1, kScriptEnglish, kGraceNotesUse, "   a   b   (1)c"},
      // The syllables keep "(1)" whatever the script.
      {1, 15, "a b c", "1 1 1", 1, kScriptDevnagari, kGraceNotesUse, "   a   b   (1)c"},
      // A word that overfills the cycle marks the next one.
      {2, 1, "G R'G M", "4 4.5 4", 2, kScriptEnglish, kGraceNotesUse, "   (1)G   R'G   (1)M"},
      {2, 1, "G R'G M", "4 4 4", 2, kScriptEnglish, kGraceNotesNone, "   (1)G   G   (1)M"},
      {2, 1, "G R'G M", "4 4 4", 2, kScriptDevnagari, kGraceNotesNone, "   .1.ga   ga   .1.ma\\"},
      {1, 2, "", "", 1, kScriptEnglish, kGraceNotesUse, ""},
  };
  for (const auto& c : cases) {
    CompDataRec rec;
    rec.TalaId = c.tala;
    rec.StartingBeat = c.startingBeat;
    (c.what == 1 ? rec.Syllables : rec.Notation) = c.text;
    (c.what == 1 ? rec.SyllableDuration : rec.NotesDuration) = c.durations;
    TCompData[1] = rec;
    shell::NotationScript = c.script;
    shell::GraceNotes = c.graceNotes;
    EXPECT_EQ(fCreateCompStringFromT(2, c.what), c.expected) << c.text << " " << c.durations;
  }
}

TEST_F(RagaReadersTest, ACompositionFromTheDatabaseIsLaidOutPartByPart) {
  sound::CurrMusicItemType = 8;
  sDBToTCompData(1, 10);
  EXPECT_EQ(fCreateCompStringFromT(1, 1), "   (1)e   ri   aa   li");
  EXPECT_EQ(fCreateCompStringFromT(2, 2), "   P   S>");
}

}  // namespace
