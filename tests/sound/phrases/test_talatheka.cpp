// Tala texts of notes and the theka string of a composition part.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "PhraseTest.h"
#include "common/CommonState.h"
#include "common/Database.h"
#include "common/NotationWords.h"
#include "platform/vb/Files.h"
#include "platform/vb/Folders.h"
#include "sound/TalaTheka.h"
#include "support/ErrorNumber.h"

namespace {

using phrasetest::ThekaTest;

TEST(TalaStringForNote, CountsTheBeatsThatBeginWithinTheNote) {
  struct Case {
    float position;
    float duration;
    int16_t beats;
    std::string text;
    float next;
  };
  const Case cases[] = {
      {0, 1, 16, "1/1/0", 1},
      {2.5f, 0.5f, 16, "0", 3},  // ends exactly on the next beat
      {3, 0.5f, 16, "1/4/0", 3.5f},
      {4.75f, 0.5f, 16, "1/5/0.25", 5.25f},
      {0, 2.5f, 16, "3/1/0", 2.5f},
      {0.5f, 2, 16, "2/1/0.5", 2.5f},
      {0.5f, 1.5f, 16, "1/1/0.5", 2},  // beat 3 begins at its end, not within it
      {0.5f, 1.75f, 16, "2/1/0.5", 2.25f},
      {4, 2, 16, "2/5/0", 6},
      {15, 2, 16, "2/16/0", 1},      // beats 16 and 1
      {6.5f, 1, 7, "1/7/0.5", 0.5f},  // the beat after it is beat 1 of the next cycle
      {10, 40, 16, "40/11/0", 34},    // a position past the end is reduced by one cycle only
      {3, 0, 16, "0", 3},             // a note that takes no time holds no beat
  };
  for (const auto& c : cases) {
    float position = c.position;
    float duration = c.duration;
    EXPECT_EQ(sound::fGetTalaStringForNote(position, duration, c.beats), c.text)
        << c.duration << " beats at " << c.position;
    EXPECT_FLOAT_EQ(position, c.next) << c.duration << " beats at " << c.position;
  }
}

// A damaged duration list: a length or place that no note can have is error 6 (it was
// converted to a beat count before, which no integer holds).
TEST(TalaStringForNote, ALengthOrPlaceNoNoteCanHaveIsAnOverflow) {
  const float huge = 3e38f;
  const float cases[][2] = {{0, huge}, {0, -huge}, {0, INFINITY}, {0, NAN}, {huge, 1}, {NAN, 1}, {0, 5000}};
  for (const auto& c : cases) {
    float position = c[0];
    float duration = c[1];
    EXPECT_EQ(testsupport::ErrorNumber([&] { sound::fGetTalaStringForNote(position, duration, 16); }), vb::kOverflow)
        << c[1] << " beats at " << c[0];
  }
  float position = 0;
  float duration = 4096;
  EXPECT_EQ(sound::fGetTalaStringForNote(position, duration, 16), "4096/1/0");
}

class ThekaStringTest : public ThekaTest {
 protected:
  std::string Theka(const std::string& tala, int16_t talaId = 4, int16_t set = 4, int16_t beats = 7) {
    auto table = shell::DatabaseA.OpenRecordset("ThekaTypeBolsForTaal", dao::dbOpenTable);
    return sound::fGetThekaStringForTalaString(tala, talaId, set, table, beats);
  }
};

TEST_F(ThekaStringTest, NotesOnTheBeatTakeTheBolsFromTheirOwnBeat) {
  EXPECT_EQ(Theka("0"), "0");
  EXPECT_EQ(Theka("1/1/0"), "1/101/0");
  EXPECT_EQ(Theka("2/5/0"), "2/105/106/0");
  EXPECT_EQ(Theka("3/6/0"), "3/106/107/101/0");  // across the end of the cycle
  // Round the cycle more than once: every beat in turn, each with its own bol.
  std::string round = "23/";
  for (int k = 0; k < 23; ++k) round += std::to_string(101 + (k + 1) % 7) + "/";
  EXPECT_EQ(Theka("23/2/0"), round + "0");
  EXPECT_EQ(Theka("2/5/0", 4, 3), "2/305/306/0");
  EXPECT_EQ(Theka("2/5/0", 5, 4, 6), "2/605/606/0");
}

TEST_F(ThekaStringTest, NotesOffTheBeatTakeTheBolsOfTheBeatsThatBeginWithinThem) {
  EXPECT_EQ(Theka("1/5/0.25"), "1/106/0.25");
  EXPECT_EQ(Theka("2/1/0.5"), "2/102/103/0.5");
  EXPECT_EQ(Theka("1/7/0.5"), "1/101/0.5");  // the next beat is beat 1 of the next cycle
  EXPECT_EQ(Theka("2/6/0.5"), "2/107/101/0.5");
}

TEST_F(ThekaStringTest, ABeatWithoutABolStrikesNone) { EXPECT_EQ(Theka("2/1/0", 6, 4, 8), "2/0/0/0"); }

TEST_F(ThekaStringTest, PartStringFollowsTheNotesFromTheStartingBeat) {
  common::TCompData[0] = {};
  common::TCompData[0].TalaId = 4;
  common::TCompData[0].StartingBeat = 1;
  common::TCompData[0].NotesDuration = "1 0.5 0.5 2 1.5 1.5";
  EXPECT_EQ(sound::fCreateTalaStringForCompFromT(1, 4), "1/101/0 1/102/0 0 2/103/104/0 2/105/106/0 1/107/0.5");
  // The antara starts on beat 6 and runs over the cycle's end.
  common::TCompData[1] = common::TCompData[0];
  common::TCompData[1].StartingBeat = 6;
  common::TCompData[1].NotesDuration = "1  1 1.5 0.5 x";
  EXPECT_EQ(sound::fCreateTalaStringForCompFromT(2, 3), "1/306/0 1/307/0 2/301/302/0 0 0");
}

TEST_F(ThekaStringTest, AnUnknownTalaOrPartIsAnError) {
  common::TCompData[0] = {};
  common::TCompData[0].TalaId = 12;
  common::TCompData[0].NotesDuration = "1";
  EXPECT_EQ(testsupport::ErrorNumber([] { sound::fCreateTalaStringForCompFromT(1, 4); }), 3021);
  EXPECT_EQ(testsupport::ErrorNumber([] { sound::fCreateTalaStringForCompFromT(4, 4); }), 9);
}

}  // namespace

namespace {

// Every released composition part: its notes tile its cycles, so the theka string
// strikes each of its beats exactly once.
class ReleasedCompositionsTest : public phrasetest::PhraseTest {
 protected:
  void SetUp() override {
    PhraseTest::SetUp();
    shell::DatabaseA =
        dao::Database::OpenDatabase(vb::JoinPath(vb::ShareFolderPath(), "mrA.kzy"), false, true, "MS ACCESS;PWD=x");
  }
  void TearDown() override {
    shell::DatabaseA.Close();
    shell::DatabaseA = {};
    PhraseTest::TearDown();
  }
};

TEST_F(ReleasedCompositionsTest, ThekaStringStrikesEveryBeatOfThePartOnce) {
  auto parts = shell::DatabaseA.OpenRecordset(
      "SELECT [Notation Index], [Composition Part], [NotesDuration], [Tala Id], [Starting Beat] "
      "FROM [Raga - Composition Notations]",
      dao::dbOpenSnapshot);
  int checked = 0;
  for (; !parts.Eof(); parts.MoveNext(), ++checked) {
    common::TCompData[0] = {};
    common::TCompData[0].NotesDuration = parts.Fields("NotesDuration").ToString();
    common::TCompData[0].TalaId = parts.Fields("Tala Id").ToInt();
    common::TCompData[0].StartingBeat = parts.Fields("Starting Beat").ToDouble();
    const std::string where = "composition " + parts.Fields("Notation Index").ToString() + " part " +
                              parts.Fields("Composition Part").ToString();
    const std::string theka = sound::fCreateTalaStringForCompFromT(1, 4);
    const auto notes = common::notation::Words(common::TCompData[0].NotesDuration, " ");
    const auto texts = common::notation::Words(theka, " ");
    ASSERT_EQ(texts.size(), notes.size()) << where;
    int32_t struck = 0;
    for (const auto& text : texts) {
      if (text == "0") continue;
      const auto fields = common::notation::Words(text, "/");
      const int32_t n = std::stoi(fields[0]);
      EXPECT_EQ(fields.size(), static_cast<size_t>(n) + 2) << where << ": " << text;
      struck += n;
    }
    EXPECT_EQ(struck, common::fGetBeatCountForPhrase(common::TCompData[0].NotesDuration)) << where;
  }
  EXPECT_GT(checked, 100);
}

}  // namespace
