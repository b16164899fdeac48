#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "ContentChecker.h"
#include "support/ScratchFolder.h"
#include "platform/vb/Variant.h"
#include "support/SqlFixture.h"

namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\n";
  return s;
}

// The build's share folder: $VELMORA_TEST_SHARE, else the one this test was built with.
std::string ShareFolder() {
  const char* share = std::getenv("VELMORA_TEST_SHARE");
  return share != nullptr && *share != '\0' ? share : VELMORA_BUILD_SHARE_DIR;
}

TEST(BuiltContent, TheContentDatabasePassesTheChecker) {
  const std::string file = ShareFolder() + "/mrA.kzy";
  ASSERT_TRUE(std::filesystem::exists(file)) << file;
  const auto db = dao::Database::OpenDatabase(file, true, true);
  const auto problems = contentcheck::CheckContent(db);
  EXPECT_TRUE(problems.empty()) << Joined(problems);
}

TEST(BuiltContent, TheReleasedContentHoldsSeventyRagasInGroupsOf30And20And20) {
  const auto db = dao::Database::OpenDatabase(ShareFolder() + "/mrA.kzy", true, true);
  std::map<long, int> perLevel;
  for (auto rs = db.OpenRecordset("RagaNameList", dao::dbOpenSnapshot); !rs.Eof(); rs.MoveNext())
    ++perLevel[rs.Fields("Level").ToLong()];
  EXPECT_EQ(perLevel, (std::map<long, int>{{1, 30}, {2, 20}, {3, 20}}));
}

// The rows of a table, each as its fields' texts joined by "|", in stored order.
std::vector<std::string> TableRows(const dao::Database& db, const std::string& table) {
  auto rs = db.OpenRecordset(table, dao::dbOpenSnapshot);
  std::vector<std::string> rows;
  for (; !rs.Eof(); rs.MoveNext()) {
    std::string row;
    for (int i = 0; i < rs.FieldCount(); ++i) row += (i > 0 ? "|" : "") + vb::NzString(rs.Fields(i), "(Null)");
    rows.push_back(row);
  }
  return rows;
}

TEST(BuiltContent, TheUserDatabaseTemplateHoldsTheSettingsRowsAndTheTalas) {
  const auto user = dao::Database::OpenDatabase(ShareFolder() + "/mrB.kzy", true, true);
  EXPECT_EQ(TableRows(user, "User Parameters"),
            (std::vector<std::string>{"CurrTonicNoteId|(Null)", "CurrMusicSetId|(Null)", "KeyboardDisplay|(Null)",
                                      "FormL|(Null)", "FormT|(Null)", "FormW|(Null)", "FormH|(Null)",
                                      "FormState|(Null)", "SortingMode|(Null)", "NotationScript|(Null)",
                                      "LastTip|(Null)", "TipSignal|(Null)", "DelayC|(Null)", "DelayMO|(Null)",
                                      "DelayPC|(Null)", "DelayW|(Null)", "CurrDroneFactor|(Null)"}));
  const auto content = dao::Database::OpenDatabase(ShareFolder() + "/mrA.kzy", true, true);
  const auto talas = TableRows(content, "Tala - Technical Information");
  EXPECT_FALSE(talas.empty());
  EXPECT_EQ(TableRows(user, "Tala - Technical Information"), talas);
  for (const char* table : {"Raga - ALT Phrases", "Raga - Additional Information", "Raga - Composition Notations",
                            "ONPR", "Scale Shift Specs", "User Patterns"})
    EXPECT_TRUE(TableRows(user, table).empty()) << table;
}

// The fixture content set: the project's own non-raga data files and three ragas.
class FixtureContent : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = testsupport::MakeScratchFolder();
  }

  std::vector<std::string> Check(const std::string& change = "") {
    const std::string data = std::string(VELMORA_SOURCE_DIR) + "/content/data/";
    std::string sql;
    for (const char* f : {"illustrations.sql", "reed_colors.sql", "talas.sql", "thatas.sql", "tips.sql"})
      sql += testsupport::ReadTextFile(data + f);
    sql += testsupport::ReadTextFile(std::string(VELMORA_SOURCE_DIR) + "/tests/content/fixtures/ragas.sql");
    const std::string file = (folder_ / "mrA.kzy").string();
    testsupport::MakeContentFixture(file, sql + change);
    return contentcheck::CheckContent(dao::Database::OpenDatabase(file, true, true));
  }

  std::filesystem::path folder_;
};

TEST_F(FixtureContent, AWholeContentSetPasses) {
  const auto problems = Check();
  EXPECT_TRUE(problems.empty()) << Joined(problems);
}

struct Breakage {
  const char* name;
  const char* change;    // SQL run on the whole fixture
  const char* expected;  // a line of the checker's report
};

class BrokenContent : public FixtureContent, public ::testing::WithParamInterface<Breakage> {};

TEST_P(BrokenContent, IsReportedWithAClearLine) {
  const auto problems = Check(GetParam().change);
  bool found = false;
  for (const auto& p : problems) found = found || p == GetParam().expected;
  EXPECT_TRUE(found) << "expected: " << GetParam().expected << "\nreported:\n" << Joined(problems);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BrokenContent,
    ::testing::Values(
        Breakage{"RagaWithoutTechnicalData", R"(INSERT INTO "RagaNameList" VALUES ('Durga', 9, 1);)",
                 "Raga - Technical Information: raga 9 (Durga) has no row"},
        Breakage{"TechnicalDataOfNoRaga",
                 R"(INSERT INTO "Raga - Technical Information" SELECT 8, "Thata", "Jati", "Vadi", "VadiNum", "Samvadi",
                    "SamvadiNum", "Appropriate time", "DroneType", "OPRSetId", "Notes", "AarohaAlt", "AaDuration",
                    "AvrohaAlt", "AvDuration", "Pakad", "PakadDuration"
                    FROM "Raga - Technical Information" WHERE "Raga Index" = 1;)",
                 "Raga - Technical Information: raga 8 is not in RagaNameList"},
        Breakage{"RagaWithoutAlap", R"(DELETE FROM "Raga - ALT Phrases" WHERE "RagaIndex" = 3;)",
                 "Raga - ALT Phrases: raga 3 (Kafi) has no alap row (type 1)"},
        Breakage{"RagaWithoutNotes", R"(DELETE FROM "Raga - Notes" WHERE "Raga Index" = 2;)",
                 "Raga - Notes: raga 2 (Bhairav) has no row"},
        Breakage{"PakadNoteOutsideTheRaga",
                 R"(UPDATE "Raga - Technical Information" SET "Pakad" = 'N< R G m : P R : N< R S' WHERE "Raga Index" = 1;)",
                 "Raga - Technical Information: raga 1 (Yaman) \"Pakad\": note \"m\" is not among the raga's notes"},
        Breakage{"GraceNoteOutsideTheRaga",
                 R"(UPDATE "Raga - ALT Phrases" SET "NotesPhrase" = 'S r G m , m G g''r S' WHERE "RagaIndex" = 2 AND "PhraseType" = 1;)",
                 "Raga - ALT Phrases: raga 2 (Bhairav) type 1: note \"g\" is not among the raga's notes"},
        Breakage{"VadiOutsideTheRaga",
                 R"(UPDATE "Raga - Technical Information" SET "Vadi" = 'G' WHERE "Raga Index" = 3;)",
                 "Raga - Technical Information: raga 3 (Kafi) \"Vadi\": note \"G\" is not among the raga's notes"},
        Breakage{"NoteIdOutOfRange", R"(UPDATE "Raga - Notes" SET "Raga Note Ids" = '12 40' WHERE "Raga Index" = 1;)",
                 "Raga - Notes: raga 1 (Yaman): note id \"40\" is not a whole number from 7 to 31"},
        Breakage{"NullOutsideThata",
                 R"(UPDATE "Raga - Technical Information" SET "Jati" = NULL WHERE "Raga Index" = 1;)",
                 "Raga - Technical Information: raga 1 (Yaman): \"Jati\" is Null"},
        Breakage{"UnknownNoteName",
                 R"(UPDATE "Raga - Technical Information" SET "AarohaAlt" = 'N< R G M D N s>' WHERE "Raga Index" = 1;)",
                 "Raga - Technical Information: raga 1 (Yaman) \"AarohaAlt\": unknown note \"s>\""},
        Breakage{"GlideOfThreeNotes",
                 R"(UPDATE "Raga - ALT Phrases" SET "NotesPhrase" = 'S r''G''m G m , m G r S' WHERE "RagaIndex" = 2
                    AND "PhraseType" = 1;)",
                 "Raga - ALT Phrases: raga 2 (Bhairav) type 1 \"NotesPhrase\": unknown note \"r'G'm\""},
        Breakage{"PakadDurationsOutOfStep",
                 R"(UPDATE "Raga - Technical Information" SET "PakadDuration" = '40 40' WHERE "Raga Index" = 2;)",
                 "Raga - Technical Information: raga 2 (Bhairav) \"PakadDuration\": 2 durations for 9 notes"},
        Breakage{"AlapWithoutPhraseSeparator",
                 R"(UPDATE "Raga - ALT Phrases" SET "DurationPhrase" = '60 60 60 120 60 60 60 120'
                    WHERE "RagaIndex" = 2 AND "PhraseType" = 1;)",
                 "Raga - ALT Phrases: raga 2 (Bhairav) type 1 phrase 1: \"DurationPhrase\" has no \",\" after the phrase"},
        Breakage{"AlapDurationsTooShort",
                 R"(UPDATE "Raga - ALT Phrases" SET "DurationPhrase" = '60 60 60 120 , 60'
                    WHERE "RagaIndex" = 2 AND "PhraseType" = 1;)",
                 "Raga - ALT Phrases: raga 2 (Bhairav) type 1 phrase 2: \"DurationPhrase\" ends before its notes do"},
        Breakage{"AlapDurationsTooMany",
                 R"(UPDATE "Raga - ALT Phrases" SET "DurationPhrase" = '60 60 60 120 , 60 60 60 120 , 5'
                    WHERE "RagaIndex" = 2 AND "PhraseType" = 1;)",
                 "Raga - ALT Phrases: raga 2 (Bhairav) type 1: \"DurationPhrase\" has 1 word(s) too many"},
        Breakage{"TaanDurationsTooShort",
                 R"(INSERT INTO "Raga - ALT Phrases" VALUES (3, 3, 'S R g m P , P m g R S', '15 15 15 15 30 , 15');)",
                 "Raga - ALT Phrases: raga 3 (Kafi) type 3 phrase 2: \"DurationPhrase\" ends before its notes do"},
        Breakage{"LayakariLandingOffThePulse",
                 R"(UPDATE "Raga - ALT Phrases" SET "DurationPhrase" = '20 20 20 20 20 30 60'
                    WHERE "RagaIndex" = 1 AND "PhraseType" = 2;)",
                 "Raga - ALT Phrases: raga 1 (Yaman) type 2 phrase 1: the notes before the closing note last 130, "
                 "not whole matras of 60"},
        Breakage{"LayakariWhoseGlideHoldsUpTheClosingNote",
                 R"(UPDATE "Raga - ALT Phrases" SET "NotesPhrase" = 'N< R G , G R''G R S , M G R S',
                    "DurationPhrase" = '30 30 60 , 30 40 30 60 , 20 20 20 60' WHERE "RagaIndex" = 1 AND "PhraseType" = 2;)",
                 "Raga - ALT Phrases: raga 1 (Yaman) type 2 phrase 2: the notes before the closing note last 100, "
                 "not whole matras of 60"},
        Breakage{"IdenticalPhrasesWithinAPair",
                 R"(UPDATE "Raga - ALT Phrases" SET "NotesPhrase" = 'S R P : D P R S', "DurationPhrase" = '20 20 20 20 20 20 60'
                    WHERE "RagaIndex" = 1 AND "PhraseType" = 2;
                    INSERT INTO "Raga - ALT Phrases" VALUES (3, 3, 'S R g m P D n S> , S R P D P R S', NULL);)",
                 "Raga - ALT Phrases: raga 1 (Yaman) type 2 phrase 1 is note for note raga 3 (Kafi) type 3 phrase 2, a "
                 "raga it is compared with"},
        Breakage{"IdenticalPhrasesWithinAPairButForGraceNotes",
                 R"(UPDATE "Raga - ALT Phrases" SET "NotesPhrase" = 'S R g R S , S R g''P : D R S',
                    "DurationPhrase" = '60 60 60 60 120 , 60 60 80 60 60 120' WHERE "RagaIndex" = 3 AND "PhraseType" = 1;
                    UPDATE "Raga - Technical Information" SET "Pakad" = 'S R : P D : R S',
                    "PakadDuration" = '40 60 40 60 40 100' WHERE "Raga Index" = 1;)",
                 "Raga - Technical Information: raga 1 (Yaman) \"Pakad\" is note for note raga 3 (Kafi) type 1 phrase 2, "
                 "a raga it is compared with"},
        Breakage{"ComparisonPlayingTheSameNotesForBothRagas",
                 R"(UPDATE "Raga - Composition Notations" SET "Syllables" = 'S R G m P',
                    "SyllableDuration" = '50 50 50 50 100' WHERE "Notation Index" = 2;)",
                 "Raga - Composition Notations: raga 1 (Yaman) \"Kafi\" part 1: both ragas' phrases are the same notes"},
        Breakage{"CompositionWithoutAntara",
                 R"(DELETE FROM "Raga - Composition Notations" WHERE "Notation Index" = 1 AND "Composition Part" = 2;)",
                 "Raga - Composition Notations: raga 1 (Yaman) \"Sanjh Bhai\" part 2 (\"Notation Index\" 1) is missing"},
        Breakage{"FilmSongWithNotationButNoRows",
                 R"(DELETE FROM "Raga - Composition Notations" WHERE "Notation Index" = 3;)",
                 "Raga - Composition Notations: raga 2 (Bhairav) \"Morning Song\" part 1 (\"Notation Index\" 3) is missing"},
        Breakage{"SimilarRagaWithoutNotation",
                 R"(INSERT INTO "Raga - Additional Information" VALUES (2, 'Ahir Bhairav', 1, 0);)",
                 "Raga - Additional Information: raga 2 (Bhairav) \"Ahir Bhairav\": \"Notation Index\" must be above 0"},
        Breakage{"StartingBeatPastTheCycle",
                 R"(UPDATE "Raga - Composition Notations" SET "Starting Beat" = 17 WHERE "Notation Index" = 1
                    AND "Composition Part" = 1;)",
                 "Raga - Composition Notations: raga 1 (Yaman) \"Sanjh Bhai\" part 1: \"Starting Beat\" must be 1 to 16"},
        Breakage{"CompositionThatDoesNotFillItsCycles",
                 R"(UPDATE "Raga - Composition Notations" SET "NotesDuration" = '2 2 4 4 3'
                    WHERE "Notation Index" = 1 AND "Composition Part" = 1;)",
                 "Raga - Composition Notations: raga 1 (Yaman) \"Sanjh Bhai\" part 1: 15 matras do not fill whole "
                 "cycles of 16 beats"},
        Breakage{"SimilarRagaThatIsMissing",
                 R"(UPDATE "Raga - Additional Information" SET "Add Info" = 'Shuddha Kalyan' WHERE "Notation Index" = 2;)",
                 "Raga - Additional Information: raga 1 (Yaman) \"Shuddha Kalyan\": the similar raga is not another raga "
                 "of RagaNameList"},
        Breakage{"SimilarRagaThatIsTheRagaItself",
                 R"(UPDATE "Raga - Additional Information" SET "Add Info" = 'yaman' WHERE "Notation Index" = 2;)",
                 "Raga - Additional Information: raga 1 (Yaman) \"yaman\": the similar raga is not another raga "
                 "of RagaNameList"},
        Breakage{"CompositionInAnUnknownTala",
                 R"(UPDATE "Raga - Composition Notations" SET "Tala Id" = 99 WHERE "Notation Index" = 1
                    AND "Composition Part" = 2;)",
                 "Raga - Composition Notations: raga 1 (Yaman) \"Sanjh Bhai\" part 2: \"Tala Id\" 99 is not a tala"},
        Breakage{"SyllablesOutOfStep",
                 R"(UPDATE "Raga - Composition Notations" SET "SyllableDuration" = '2 1 1' WHERE "Notation Index" = 1
                    AND "Composition Part" = 1;)",
                 "Raga - Composition Notations: raga 1 (Yaman) \"Sanjh Bhai\" part 1 \"SyllableDuration\" (syllables): "
                 "3 durations for 4 notes"},
        Breakage{"TalaWithoutAFullTheka", R"(INSERT INTO "ThekaTypeBolsForTaal" VALUES (4, 1, 1, 1);)",
                 "ThekaTypeBolsForTaal: tala 1 has no bol for beat 2 in theka set 4"},
        Breakage{"ThekaBeatPastTheCycle", R"(INSERT INTO "ThekaTypeBolsForTaal" VALUES (4, 5, 7, 1);)",
                 "ThekaTypeBolsForTaal: tala 5 beat 7 lies outside the tala's 6 beats"},
        Breakage{"ThekaOfAnUnknownTala", R"(INSERT INTO "ThekaTypeBolsForTaal" VALUES (4, 99, 1, 1);)",
                 "ThekaTypeBolsForTaal: tala 99 beat 1: the tala does not exist"},
        Breakage{"ThekaBeatWithoutABol", R"(INSERT INTO "ThekaTypeBolsForTaal" VALUES (4, 2, 1, NULL);)",
                 "ThekaTypeBolsForTaal: tala 2 beat 1: \"Theka Bol Id\" must be a bol id (1 or more)"},
        Breakage{"HeadingTakenForAComposition",
                 R"(UPDATE "IllustrationsList" SET "IllustrationName" = 'Composition list' WHERE "IllustrationId" = 6;)",
                 "IllustrationsList: line 6 is a heading and must not begin with \"Composition\""},
        Breakage{"PhraseLineWithoutTrailingBlank",
                 R"(UPDATE "IllustrationsList" SET "IllustrationName" = 'Alap Phrases' WHERE "IllustrationId" = 3;)",
                 "IllustrationsList: line 3 must end with a blank (the phrase count follows it)"},
        Breakage{"ScaleLineWithAnotherKeyword",
                 R"(UPDATE "IllustrationsList" SET "IllustrationName" = 'Scale' WHERE "IllustrationId" = 1;)",
                 "IllustrationsList: line 1 must begin with \"Aroha\""},
        Breakage{"TipsWithAGap", R"(DELETE FROM "KZTips" WHERE "TipNumber" = 2;)",
                 "KZTips: tip 2 is missing (tips are numbered 1 to their count)"},
        Breakage{"WrongReedColour", R"(UPDATE "Reed Colors" SET "Color Code" = 2 WHERE "Reed Number" = 11;)",
                 "Reed Colors: reed 11 has the wrong colour code"},
        Breakage{"ThataMissing", R"(DELETE FROM "ThataScales" WHERE "ThataName" = 'Todi';)",
                 "ThataScales: 9 thatas, 10 expected"},
        Breakage{"ThataScaleWithoutTheUpperS",
                 R"(UPDATE "ThataScales" SET "ThataScale" = 'S R G M P D N' WHERE "ThataName" = 'Kalyan';)",
                 "ThataScales: \"Kalyan\": a scale of 7 notes from \"S\" and then \"S>\" expected"},
        Breakage{"NoteSeedsIncomplete", R"(INSERT INTO "Note Specifications" VALUES ('c', 0, 100, 0.5);)",
                 "Note Specifications: instrument \"c\" note 1 has no seed length"},
        Breakage{"ScaleSetsIncomplete",
                 R"(INSERT INTO "ONPR" ("NPSetId", "InstrumentType", "TonicNoteId") VALUES (1, 1, 1);)",
                 "ONPR: row 1, instrument type 2 is missing"}),
    [](const ::testing::TestParamInfo<Breakage>& info) { return std::string(info.param.name); });

}  // namespace
