// Small content and user databases for the raga tables, their readers and the raga
// display, opened as the program opens them, with the raga tables emptied.
#pragma once

#include <string>
#include <vector>

#include "common/CommonState.h"
#include "common/Notation.h"
#include "common/Queries.h"
#include "common/StringUtil.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "support/ErrorNumber.h"
#include "support/Scratch.h"
#include "support/SoundLibDouble.h"
#include "support/SqlFixture.h"

namespace ragatest {

// Yaman (1): every kind of phrase (alap and layakari with segments and a glide, taan
// without durations), a pakad of three segments, drone type 3, a composition, a film
// song and a similar raga. Bhairav (2): no phrases, a Null "Thata", a pakad of one
// segment, drone type 3. Bageshri (3): drone type 2, user alap only. Malkauns (4) has
// no technical row.
inline constexpr const char* kContentRows = R"sql(
INSERT INTO "RagaNameList" VALUES ('Yaman', 1, 1), ('Bhairav', 2, 1), ('Bageshri', 3, 2), ('Malkauns', 4, 3);
INSERT INTO "Raga - Technical Information" ("Raga Index", "Thata", "Jati", "Vadi", "VadiNum", "Samvadi",
  "SamvadiNum", "Appropriate time", "DroneType", "OPRSetId", "Notes", "AarohaAlt", "AaDuration", "AvrohaAlt",
  "AvDuration", "Pakad", "PakadDuration") VALUES
  (2, NULL, 'Sampurna', 'd', 20, 'r', 13, '06-09 h', 3, 0, 'Morning', 'S r G m P d N S>',
   '40 40 40 40 40 40 40 80', 'S> N d P m G r S', '40 40 40 40 40 40 40 80', 'S r S', '40 40 80'),
  (1, 'Kalyan', 'Sampurna-Sampurna', 'G', 16, 'N', 23, '18-21 h', 3, 0, 'Evening', 'N< R G M P D N S>',
   '40 40 40 40 40 40 40 80', 'S> N D P M G R S', '40 40 40 40 40 40 40 70',
   'N< R G R : P R : N<''R S', '40 40 40 70 40 70 40 120'),
  (3, 'Kafi', 'Audav-Sampurna', 'm', 17, 'S', 12, '21-24 h', 2, 1, 'Night', 'S g m D n S>',
   '40 40 40 40 40 80', 'S> n D m g R S', '40 40 40 40 40 40 80', 'D< n< S : m g R S', '40 40 80 40 40 40 80');
INSERT INTO "Raga - ALT Phrases" VALUES
  (1, 1, 'S : N< D< : N<''R S , N< R G : R G : N< R S', '80 50 50 80 150 , 50 50 100 50 80 50 50 150'),
  (1, 2, 'S R G M , M G R S', '10 10 10 10 , 10 10 10 10'),
  (1, 3, 'N< R G M P D N S> : S> N D P M G R S', NULL);
INSERT INTO "Raga - Additional Information" VALUES
  (1, 'Eri Aali', 2, 10), (1, 'A Film Song', 3, 20), (1, 'Shuddha Kalyan', 1, 30), (1, 'No Notation', 2, 0);
INSERT INTO "Raga - Composition Notations" VALUES
  (10, 1, 9, 'Eri', 1, 2, 'Eri aali piya bina', 'e ri aa li', '1 1 1 1', 'G R''G M P', '1 1 1 1', 1, 1, 70),
  (10, 2, 9, 'Piya', 1, 2, 'Piya bina', 'pi ya', '2 2', 'P S>', '2 2', 1, 3, 70),
  (20, 1, 9, 'Song', 0, 0, 'A song', NULL, NULL, 'G M D', '2 2 4', 0, 1, 60),
  (30, 1, 9, 'Shuddha Kalyan', 0, 0, NULL, 'N< R G', '1 1 2', 'G R S', '2 1 1', 0, 1, 0);
INSERT INTO "Tala - Technical Information" VALUES (1, 'Teentaal', 16), (2, 'Rupak', 7);
)sql";

inline constexpr const char* kUserRows = R"sql(
INSERT INTO "Raga - ALT Phrases" VALUES
  (1, 1, 'G M P : D N S>', '20 20 40 20 20 80 ,'),
  (3, 1, 'S g m', '30 30 60');
INSERT INTO "Raga - Additional Information" VALUES (1, 'My Song', 2, 1);
INSERT INTO "Raga - Composition Notations" VALUES
  (1, 1, 1, 'Mine', 1, 2, 'My own song', 'la la', '2 2', 'S R', '2 2', 2, 1, 80);
)sql";

// The words of a text split at blanks, as every consumer of the readers splits it.
inline std::vector<std::string> WordsOf(const std::string& text) {
  std::vector<int32_t> starts, lengths;
  const int32_t n = common::fParseString1(text, " ", starts, lengths);
  std::vector<std::string> words;
  for (int32_t i = 1; i <= n; ++i) words.push_back(common::fGetWord1(text, i, starts, lengths));
  return words;
}

// The number of note words of a notation text (segment and phrase marks left out).
inline size_t NoteCount(const std::string& notes) {
  size_t n = 0;
  for (const auto& w : WordsOf(notes)) n += (w != ":" && w != ",") ? 1 : 0;
  return n;
}

class RagaTest : public testsupport::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    testsupport::MakeContentFixture(Path("mrA.kzy"), std::string(kContentRows) + testsupport::kMinimalInstrumentRows);
    testsupport::MakeUserFixture(Path("mrB.kzy"), kUserRows);
    shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), true, true, "MS ACCESS;PWD=x");
    shell::DatabaseB = dao::Database::OpenDatabase(Path("mrB.kzy"), true, false, "MS ACCESS;PWD=x");
    common::sInitScales();
    common::sSetSQLStrings();
    common::CurrDBSelector = 1;
    common::CurrRagaIndex = 0;
    common::CurrRagaName.clear();
    common::CurrNotationIndex = 0;
    common::TBaseInfo = {};
    common::TALTInfo1 = {};
    common::TALTInfo2 = {};
    common::TCompInfo = {};
    common::TCompData = {};
    sound::TMNInfo = {};
    sound::CurrMusicItemType = 0;
    sound::CurrDroneType = 1;
    sound::CurrTonicNoteId = 3;
    sound::CurrMusicSetId = 3;
    shell::NotationScript = common::kScriptEnglish;
    shell::GraceNotes = common::kGraceNotesUse;
  }
  void TearDown() override {
    testsupport::CloseDatabases();
    ScratchTest::TearDown();
  }

  // The sound library as the raga change reaches it: seeds, tuning and drone data.
  testsupport::SoundLibDouble soundLib;

  void MakeCurrent(int16_t ragaIndex, const std::string& name) {
    common::CurrRagaIndex = ragaIndex;
    common::CurrRagaName = name;
  }
};

}  // namespace ragatest
