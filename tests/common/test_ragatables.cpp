#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RagaFixture.h"
#include "common/RagaReaders.h"
#include "common/RagaTables.h"

namespace {

using common::ALTInfoRec;
using common::TALTInfo1;
using common::TALTInfo2;
using common::TBaseInfo;
using common::TCompData;
using common::TCompInfo;
using Strings = std::vector<std::string>;
using Numbers = std::vector<int16_t>;
using testsupport::ErrorNumber;

class RagaTablesTest : public ragatest::RagaTest {};

TEST_F(RagaTablesTest, ARagaWithEveryKindOfPhraseFillsAllTables) {
  MakeCurrent(1, "Yaman");
  common::sSetupForCurrRaga();

  EXPECT_EQ(TBaseInfo.RagaIndex, 1);
  EXPECT_EQ(TBaseInfo.Thata, "Kalyan");
  EXPECT_EQ(TBaseInfo.Jati, "Sampurna-Sampurna");
  EXPECT_EQ(TBaseInfo.Vadi, "G");
  EXPECT_EQ(TBaseInfo.Samvadi, "N");
  EXPECT_EQ(TBaseInfo.AppropriateTime, "18-21 h");
  EXPECT_EQ(TBaseInfo.DroneType, 3);
  EXPECT_EQ(TBaseInfo.Notes, "Evening");
  const auto& scale = TBaseInfo.ScalePart;
  EXPECT_EQ(scale.PhraseCount, 1);
  EXPECT_EQ(scale.SegmentCount, 2);
  EXPECT_EQ(scale.SegmentNotes, (Strings{"N< R G M P D N S>", "S> N D P M G R S"}));
  EXPECT_EQ(scale.SegmentDurations, (Strings{"40 40 40 40 40 40 40 80", "40 40 40 40 40 40 40 70"}));

  // The pakad's segments keep the blanks that stood next to the colons.
  const auto& pakad = TBaseInfo.PakadPart;
  EXPECT_EQ(pakad.PhraseCount, 1);
  EXPECT_EQ(pakad.SegmentCount, 3);
  EXPECT_EQ(pakad.PhraseFirstSegment, (Numbers{1}));
  EXPECT_EQ(pakad.PhraseSegmentCount, (Numbers{3}));
  EXPECT_EQ(pakad.SegmentNotes, (Strings{"N< R G R ", " P R ", " N<'R S"}));
  EXPECT_EQ(pakad.SegmentDurations, (Strings{"40 40 40 70", "40 70", "40 120"}));

  const ALTInfoRec& alap = TALTInfo1[0];
  EXPECT_EQ(alap.RagaIndex, 1);
  EXPECT_EQ(alap.PhraseType, 1);
  EXPECT_EQ(alap.PhraseCount, 2);
  EXPECT_EQ(alap.SegmentCount, 6);
  EXPECT_EQ(alap.PhraseFirstSegment, (Numbers{1, 4}));
  EXPECT_EQ(alap.PhraseSegmentCount, (Numbers{3, 3}));
  EXPECT_EQ(alap.PhraseFirstWord, (Numbers{1, 9}));
  EXPECT_EQ(alap.SegmentDurations, (Strings{"80", "50 50", "80 150", "50 50 100", "50 80", "50 50 150"}));
  EXPECT_EQ(TALTInfo1[1].PhraseCount, 2);
  EXPECT_EQ(TALTInfo1[1].SegmentDurations, (Strings{"10 10 10 10", "10 10 10 10"}));

  // A taan has no stored durations: its segments get none.
  const ALTInfoRec& taan = TALTInfo1[2];
  EXPECT_EQ(taan.RagaIndex, 1);
  EXPECT_EQ(taan.PhraseCount, 1);
  EXPECT_EQ(taan.SegmentCount, 2);
  EXPECT_EQ(taan.SegmentDurations, (Strings{"", ""}));
  EXPECT_EQ(TALTInfo1[3].PhraseCount, 0);

  // The user's alap of the same raga, from the user database.
  EXPECT_EQ(TALTInfo2[0].RagaIndex, 1);
  EXPECT_EQ(TALTInfo2[0].SegmentNotes, (Strings{"G M P ", " D N S>"}));
  EXPECT_EQ(TALTInfo2[0].SegmentDurations, (Strings{"20 20 40", "20 20 80"}));
  EXPECT_EQ(TALTInfo2[1].RagaIndex, 0);
}

TEST_F(RagaTablesTest, ARagaWithoutPhrasesLeavesNothingOfThePreviousRaga) {
  MakeCurrent(1, "Yaman");
  common::sSetupForCurrRaga();
  MakeCurrent(2, "Bhairav");
  common::sSetupForCurrRaga();

  EXPECT_EQ(TBaseInfo.RagaIndex, 2);
  EXPECT_EQ(TBaseInfo.Thata, "");  // Null in the row
  EXPECT_EQ(TBaseInfo.PakadPart.SegmentNotes, (Strings{"S r S"}));
  for (const auto* records : {&TALTInfo1, &TALTInfo2}) {
    for (int type = 0; type < 3; ++type) {
      const ALTInfoRec& rec = (*records)[type];
      EXPECT_EQ(rec.RagaIndex, 0) << type;
      EXPECT_EQ(rec.PhraseCount, 0) << type;
      EXPECT_TRUE(rec.SegmentNotes.empty()) << type;
      EXPECT_TRUE(rec.SegmentDurations.empty()) << type;
    }
  }
  EXPECT_EQ(common::fGetFromT_SegmentCount(1, 1), 0);
  EXPECT_EQ(common::fGetFromT_AllALTPhrasesUnSeg(1, 1, 1), "");
  EXPECT_EQ(common::fGetFromT_AllALTPhrasesUnSeg(2, 3, 2), "");
}

TEST_F(RagaTablesTest, AMissingRagaRowOrANullColumnIsAnErrorAndLeavesNoStaleData) {
  MakeCurrent(1, "Yaman");
  common::sSetupForCurrRaga();
  MakeCurrent(4, "Malkauns");
  EXPECT_EQ(ErrorNumber([] { common::sDBToTBaseInfo(); }), 3021);
  EXPECT_EQ(TBaseInfo.RagaIndex, 0);
  EXPECT_TRUE(TBaseInfo.PakadPart.SegmentNotes.empty());

  testsupport::RunSql(Path("null.kzy"), testsupport::SchemaSql("shared.sql") + testsupport::SchemaSql("content.sql") +
                                            "INSERT INTO \"Raga - Technical Information\" (\"Raga Index\", \"Thata\") "
                                            "VALUES (4, 'Kafi');");
  shell::DatabaseA.Close();
  shell::DatabaseA = dao::Database::OpenDatabase(Path("null.kzy"), true, true, "MS ACCESS;PWD=x");
  EXPECT_EQ(ErrorNumber([] { common::sDBToTBaseInfo(); }), 94);
}

// Splitting one phrase list: the cases of the lists the screens and the composer hand in.
struct SplitCase {
  const char* notes;
  const char* durations;
  int16_t phraseCount;
  Numbers firstSegment;
  Numbers segmentCount;
  Numbers firstWord;
  Strings segmentNotes;
  Strings segmentDurations;
};

TEST_F(RagaTablesTest, APhraseListSplitsIntoPhrasesSegmentsAndDurationsInStep) {
  const SplitCase cases[] = {
      {"S R : G m , P D", "10 10 20 20 , 10 10", 2, {1, 3}, {2, 1}, {1, 7}, {"S R ", " G m ", " P D"},
       {"10 10", "20 20", "10 10"}},
      // Repeated and leading separators make no empty phrase, segment or word.
      {",S  R ,, G:: m,", "10 10 , 20 20 ,", 2, {1, 2}, {1, 2}, {1, 4}, {"S  R ", " G", " m"},
       {"10 10", "20", "20"}},
      {"S R G", "", 1, {1}, {1}, {1}, {"S R G"}, {""}},
      {"", "", 0, {}, {}, {}, {}, {}},
  };
  for (const auto& c : cases) {
    ALTInfoRec rec;
    rec.SegmentNotes = {"stale"};
    common::sLoadRagaALTInfoIntoT(rec, 2, 7, c.notes, c.durations);
    EXPECT_EQ(rec.RagaIndex, 7) << c.notes;
    EXPECT_EQ(rec.PhraseType, 2) << c.notes;
    EXPECT_EQ(rec.PhraseCount, c.phraseCount) << c.notes;
    EXPECT_EQ(rec.SegmentCount, static_cast<int16_t>(c.segmentNotes.size())) << c.notes;
    EXPECT_EQ(rec.PhraseFirstSegment, c.firstSegment) << c.notes;
    EXPECT_EQ(rec.PhraseSegmentCount, c.segmentCount) << c.notes;
    EXPECT_EQ(rec.PhraseFirstWord, c.firstWord) << c.notes;
    EXPECT_EQ(rec.SegmentNotes, c.segmentNotes) << c.notes;
    EXPECT_EQ(rec.SegmentDurations, c.segmentDurations) << c.notes;
  }
}

TEST_F(RagaTablesTest, ADurationListShorterThanTheNotesIsAnError) {
  ALTInfoRec rec;
  EXPECT_EQ(ErrorNumber([&] { common::sLoadRagaALTInfoIntoT(rec, 1, 1, "S R , G m", "10 10 , 10"); }), 9);
  EXPECT_EQ(rec.PhraseCount, 0);
}

TEST_F(RagaTablesTest, TheNoteSeedsAreReloadedOnlyForANewDroneType) {
  MakeCurrent(1, "Yaman");
  common::sSetupForCurrRaga();
  EXPECT_EQ(soundLib.Count("FWavFreeNoteSeedsMemory", "c"), 1u);
  EXPECT_EQ(sound::CurrDroneType, 3);
  ASSERT_EQ(soundLib.Count("FWavLoadDroneData"), 1u);
  EXPECT_EQ(soundLib.Of("FWavLoadDroneData")[0].droneType, 3);
  MakeCurrent(2, "Bhairav");  // the same drone type
  common::sSetupForCurrRaga();
  EXPECT_EQ(soundLib.Count("FWavFreeNoteSeedsMemory", "c"), 1u);
  EXPECT_EQ(soundLib.Count("FWavLoadDroneData"), 1u);
  EXPECT_TRUE(messages.empty());
}

TEST_F(RagaTablesTest, AFailedReloadKeepsTheOldDroneTypeSoTheNextChoiceTriesAgain) {
  MakeCurrent(1, "Yaman");
  common::sSetupForCurrRaga();
  soundLib.failWhen = [](const testsupport::SoundLibCall& c) { return c.entry == "FWavLoadDroneData"; };
  MakeCurrent(3, "Bageshri");
  common::sSetupForCurrRaga();
  EXPECT_EQ(soundLib.Count("FWavLoadDroneData"), 2u);
  EXPECT_EQ(sound::CurrDroneType, 3);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().prompt, "Error in setting up for current Raga");
  EXPECT_EQ(messages.back().title, "Message");
  EXPECT_EQ(messages.back().buttons, vb::vbInformation);
  EXPECT_EQ(TBaseInfo.RagaIndex, 3);  // the tables are loaded all the same

  soundLib.failWhen = nullptr;
  common::sSetupForCurrRaga();
  EXPECT_EQ(soundLib.Count("FWavLoadDroneData"), 3u);
  EXPECT_EQ(soundLib.Of("FWavLoadDroneData").back().droneType, 2);
  EXPECT_EQ(sound::CurrDroneType, 2);
}

TEST_F(RagaTablesTest, ACompositionKeyRowGivesTheNotationIndex) {
  MakeCurrent(1, "Yaman");
  common::sDBToTCompInfo(1, 2, "eri aali");
  EXPECT_EQ(TCompInfo.RagaIndex, 1);
  EXPECT_EQ(TCompInfo.AddInfo, "Eri Aali");
  EXPECT_EQ(TCompInfo.AddInfoType, 2);
  EXPECT_EQ(TCompInfo.NotationIndex, 10);
  EXPECT_EQ(common::CurrNotationIndex, 10);

  common::sDBToTCompInfo(2, 2, "My Song");
  EXPECT_EQ(common::CurrNotationIndex, 1);
  EXPECT_TRUE(messages.empty());
}

TEST_F(RagaTablesTest, AMissingCompositionKeyRowIsToldAndLeavesNoEarlierItem) {
  MakeCurrent(1, "Yaman");
  common::sDBToTCompInfo(1, 2, "Eri Aali");
  common::sDBToTCompInfo(1, 3, "Eri Aali");  // the title under another type
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].prompt, "Composition Not Available");
  EXPECT_EQ(messages[0].title, "Message");
  EXPECT_EQ(TCompInfo.NotationIndex, 0);
  EXPECT_EQ(TCompInfo.AddInfo, "");
  EXPECT_EQ(common::CurrNotationIndex, 0);
  sound::CurrMusicItemType = 8;
  common::sDBToTCompData(1, common::CurrNotationIndex);
  EXPECT_EQ(TCompData[0].NotationIndex, 0);
  EXPECT_EQ(TCompData[0].Notation, "");
}

TEST_F(RagaTablesTest, ACompositionFillsBothPartsWithEveryField) {
  MakeCurrent(1, "Yaman");
  sound::CurrMusicItemType = 8;
  common::sDBToTCompData(1, 10);
  const auto& asthai = TCompData[0];
  EXPECT_EQ(asthai.NotationIndex, 10);
  EXPECT_EQ(asthai.CompositionPart, 1);
  EXPECT_EQ(asthai.RagaIndex, 1);  // the current raga, not the row's column
  EXPECT_EQ(asthai.CompositionMukhada, "Eri");
  EXPECT_EQ(asthai.CompositionText, "Eri aali piya bina");
  EXPECT_EQ(asthai.Syllables, "e ri aa li");
  EXPECT_EQ(asthai.SyllableDuration, "1 1 1 1");
  EXPECT_EQ(asthai.Notation, "G R'G M P");
  EXPECT_EQ(asthai.NotesDuration, "1 1 1 1");
  EXPECT_EQ(asthai.TalaId, 1);
  EXPECT_EQ(asthai.StartingBeat, 1);
  EXPECT_EQ(asthai.PlayingSpeed, 70);
  const auto& antara = TCompData[1];
  EXPECT_EQ(antara.NotationIndex, 10);
  EXPECT_EQ(antara.CompositionPart, 2);
  EXPECT_EQ(antara.Notation, "P S>");
  EXPECT_EQ(antara.StartingBeat, 3);

  sound::CurrMusicItemType = 8;
  common::sDBToTCompData(2, 1);  // the user's composition has no antara
  EXPECT_EQ(TCompData[0].CompositionText, "My own song");
  EXPECT_EQ(TCompData[0].TalaId, 2);
  EXPECT_EQ(TCompData[1].NotationIndex, 0);
  EXPECT_EQ(TCompData[1].Notation, "");
  EXPECT_EQ(TCompData[1].StartingBeat, 0);
}

TEST_F(RagaTablesTest, AFilmSongFillsOnlyItsOnePart) {
  MakeCurrent(1, "Yaman");
  sound::CurrMusicItemType = 8;
  common::sDBToTCompData(1, 10);
  TCompData[2].Notation = "the composer's";
  sound::CurrMusicItemType = 9;
  common::sDBToTCompData(1, 20);
  EXPECT_EQ(TCompData[0].NotationIndex, 20);
  EXPECT_EQ(TCompData[0].Notation, "G M D");
  EXPECT_EQ(TCompData[0].CompositionText, "A song");
  EXPECT_EQ(TCompData[0].PlayingSpeed, 60);
  // Fields a film song does not read are empty, not the composition's.
  EXPECT_EQ(TCompData[0].Syllables, "");
  EXPECT_EQ(TCompData[0].TalaId, 0);
  EXPECT_EQ(TCompData[1].NotationIndex, 0);
  EXPECT_EQ(TCompData[1].Notation, "");
  EXPECT_EQ(TCompData[2].Notation, "the composer's");
}

TEST_F(RagaTablesTest, AComparisonTakesBothRagasPhrasesFromOneRow) {
  MakeCurrent(1, "Yaman");
  sound::CurrMusicItemType = 7;
  common::sDBToTCompData(1, 30);
  EXPECT_EQ(TCompData[0].CompositionMukhada, "Shuddha Kalyan");
  EXPECT_EQ(TCompData[0].Notation, "G R S");
  EXPECT_EQ(TCompData[0].NotesDuration, "2 1 1");
  EXPECT_EQ(TCompData[0].CompositionPart, 1);
  EXPECT_EQ(TCompData[1].CompositionMukhada, "Yaman");
  EXPECT_EQ(TCompData[1].Notation, "N< R G");
  EXPECT_EQ(TCompData[1].NotesDuration, "1 1 2");
  EXPECT_EQ(TCompData[1].CompositionPart, 2);
  EXPECT_EQ(TCompData[1].NotationIndex, 30);
  EXPECT_EQ(TCompData[1].RagaIndex, 1);
  EXPECT_EQ(TCompData[0].PlayingSpeed, 0) << "the row has no speed";
  EXPECT_EQ(TCompData[1].PlayingSpeed, 0);
}

TEST_F(RagaTablesTest, ProceduresTraceTheirNames) {
  TraceOnNow();
  MakeCurrent(1, "Yaman");
  common::sSetupForCurrRaga();
  std::string trace;
  for (const auto& line : Lines("errtrace.txt")) trace += line + "\n";
  for (const char* name : {"sSetupForCurrRaga", "sDBToTBaseInfo", "sLoadRagaScalePakadInfo", "sDBToTALTInfo",
                           "sLoadRagaALTInfoIntoT", "fCreateNoteSeedsForUse"}) {
    EXPECT_NE(trace.find(std::string("Entering ") + name), std::string::npos) << name;
  }
}

}  // namespace
