// Every raga of the released content database loads into the raga tables and reads
// back as the screens expect it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "RagaFixture.h"
#include "common/Database.h"
#include "common/RagaCounts.h"
#include "common/RagaReaders.h"
#include "common/RagaTables.h"
#include "platform/vb/Folders.h"

namespace {

using namespace common;

using ragatest::NoteCount;

size_t WordCount(const std::string& text) { return ragatest::WordsOf(text).size(); }

class RealRagasTest : public ragatest::RagaTest {
 protected:
  void SetUp() override {
    RagaTest::SetUp();
    const std::string content = vb::ShareFolderPath() + "/mrA.kzy";
    ASSERT_TRUE(std::filesystem::exists(content)) << content;
    shell::DatabaseA.Close();
    shell::DatabaseA = dao::Database::OpenDatabase(content, true, true, "MS ACCESS;PWD=x");
    shell::DatabaseB.Close();
    testsupport::MakeUserFixture(Path("mrB.kzy"));
    shell::DatabaseB = dao::Database::OpenDatabase(Path("mrB.kzy"), true, false, "MS ACCESS;PWD=x");
  }
};

TEST_F(RealRagasTest, EveryReleasedRagaLoadsWithScalePakadAndAlapInStepWithTheirDurations) {
  std::vector<int16_t> ragas;
  auto rs = shell::DatabaseA.OpenRecordset("Raga - Technical Information", dao::dbOpenTable);
  for (; !rs.Eof(); rs.MoveNext()) ragas.push_back(rs.Fields("Raga Index").ToInt());
  rs.Close();
  EXPECT_EQ(ragas.size(), 70u);

  for (const int16_t raga : ragas) {
    MakeCurrent(raga, fGetRagaName(raga));
    SCOPED_TRACE(CurrRagaName);
    ASSERT_FALSE(CurrRagaName.empty());
    ASSERT_EQ(testsupport::ErrorNumber([] { sSetupForCurrRaga(); }), 0);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(sound::CurrDroneType, TBaseInfo.DroneType);

    EXPECT_FALSE(TBaseInfo.Vadi.empty());
    EXPECT_FALSE(TBaseInfo.Samvadi.empty());
    for (const std::string& notes : {fGetFromT_ArohaPhrase(kReadNotes), fGetFromT_AvrohaPhrase(kReadNotes),
                                     fGetFromT_PakadPhraseUnSeg(kReadNotes)}) {
      EXPECT_GT(NoteCount(notes), 0);
    }
    EXPECT_EQ(NoteCount(fGetFromT_ArohaPhrase(kReadNotes)), WordCount(fGetFromT_ArohaPhrase(kReadDurations)));
    EXPECT_EQ(NoteCount(fGetFromT_AvrohaPhrase(kReadNotes)), WordCount(fGetFromT_AvrohaPhrase(kReadDurations)));
    EXPECT_EQ(NoteCount(fGetFromT_PakadPhraseUnSeg(kReadNotes)), WordCount(fGetFromT_PakadPhraseUnSeg(kReadDurations)));

    for (int16_t type = 1; type <= 3; ++type) {
      const int16_t phrases = fGetFromT_SegmentCount(1, type);
      const int16_t counted = type == 1 ? fAlapCount(raga, 1) : type == 2 ? fLayakariCount(raga, 1) : fTaanCount(raga, 1);
      EXPECT_EQ(phrases, counted) << "type " << type;
      for (int16_t p = 1; p <= phrases; ++p) {
        const std::string notes = fGetFromT_AnALTPhraseUnSeg(1, type, kReadNotes, p);
        EXPECT_GT(NoteCount(notes), 0) << "type " << type << " phrase " << p;
        EXPECT_EQ(NoteCount(fGetFromT_AnALTPhraseSeg(1, type, kReadNotes, p)), NoteCount(notes));
        if (type != 3) {
          EXPECT_EQ(NoteCount(notes), WordCount(fGetFromT_AnALTPhraseUnSeg(1, type, kReadDurations, p)))
              << "type " << type << " phrase " << p;
        }
      }
    }
    EXPECT_GE(fGetFromT_SegmentCount(1, 1), 1);  // every raga has an alap
    EXPECT_FALSE(fGetFromT_AllALTPhrasesUnSeg(1, 1, kReadNotes).empty());
  }
}

TEST_F(RealRagasTest, EveryReleasedItemWithNotationLoadsItsParts) {
  struct Item {
    int16_t raga;
    std::string title;
    int16_t type;
    int32_t notation;
  };
  std::vector<Item> items;
  auto rs = shell::DatabaseA.OpenRecordset("Raga - Additional Information", dao::dbOpenTable);
  for (; !rs.Eof(); rs.MoveNext()) {
    const int32_t notation = rs.Fields("Notation Index").ToLong();
    if (notation > 0) {
      items.push_back({rs.Fields("Raga Index").ToInt(), rs.Fields("Add Info").ToString(),
                       rs.Fields("Add Info Type").ToInt(), notation});
    }
  }
  rs.Close();

  const int16_t itemTypes[] = {0, 7, 8, 9};  // by Add Info Type: similar raga, composition, film song
  for (const Item& item : items) {
    SCOPED_TRACE(item.title);
    MakeCurrent(item.raga, fGetRagaName(item.raga));
    sound::CurrMusicItemType = itemTypes[item.type];
    sDBToTCompInfo(1, item.type, item.title);
    EXPECT_EQ(CurrNotationIndex, item.notation);
    sDBToTCompData(1, CurrNotationIndex);
    EXPECT_EQ(TCompData[0].NotationIndex, item.notation);
    EXPECT_GT(NoteCount(TCompData[0].Notation), 0);
    EXPECT_EQ(NoteCount(TCompData[0].Notation), WordCount(TCompData[0].NotesDuration));
    if (item.type != 3) {
      EXPECT_EQ(TCompData[1].NotationIndex, item.notation);
      EXPECT_GT(NoteCount(TCompData[1].Notation), 0);
      EXPECT_EQ(NoteCount(TCompData[1].Notation), WordCount(TCompData[1].NotesDuration));
    }
    if (item.type == 2) {
      for (int16_t part : {1, 2}) {
        const auto& rec = TCompData[static_cast<size_t>(part - 1)];
        EXPECT_EQ(WordCount(fCreateCompStringFromT(part, 2)), WordCount(rec.NotesDuration)) << part;
        EXPECT_EQ(WordCount(rec.Syllables), WordCount(rec.SyllableDuration)) << part;
      }
    }
  }
  EXPECT_TRUE(messages.empty());
}

}  // namespace
