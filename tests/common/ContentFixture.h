// A small content database and user database for the database procedures' tests,
// opened as the program opens them (shell::DatabaseA read-only, shell::DatabaseB
// read-write, both exclusive).
#pragma once

#include <string>

#include "common/CommonState.h"
#include "common/Queries.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "support/ErrorNumber.h"
#include "support/Scratch.h"
#include "support/SoundLibDouble.h"
#include "support/SqlFixture.h"

namespace contenttest {

// Three ragas, stored in another order than their indexes: Yaman (1) with alap,
// layakari, a composition, a similar raga and a film song; Bhairav (2) with alap
// only; Bageshri (3) with nothing else.
inline constexpr const char* kContentRows = R"sql(
INSERT INTO "RagaNameList" VALUES ('Yaman', 1, 1), ('Bhairav', 2, 1), ('Bageshri', 3, 2), ('Raga''s "Own"', 4, 3);
INSERT INTO "Raga - Technical Information" ("Raga Index", "Thata", "DroneType") VALUES
  (2, 'Bhairav', 1), (1, 'Kalyan', 3), (3, 'Kafi', 2);
INSERT INTO "Raga - ALT Phrases" VALUES
  (1, 1, 'S R G,R G m,,G m P,', '10 10 10 , 10 10 10 , 10 10 10 ,'),
  (1, 2, 'S R : G m , P D', '10 10 20 20 , 10 10'),
  (2, 1, 'S r G', '10 10 10 ,');
INSERT INTO "Raga - Additional Information" VALUES
  (1, 'Sakhi Ri', 2, 10),
  (1, 'Piya "Bin"', 2, 12),
  (1, 'O''Sajna', 2, 13),
  (1, 'Kalyan', 1, 11),
  (1, 'A Film Song', 3, 0);
INSERT INTO "Raga - Composition Notations" ("Notation Index", "Composition Part", "NotesDuration", "Starting Beat") VALUES
  (10, 1, '10 10 10 1.5', 1),
  (10, 2, '10 10 10', 3),
  (11, 1, '4 4 4 4', 5),
  (12, 2, '8 8', 1);
INSERT INTO "Tala - Technical Information" VALUES (1, 'Teentaal', 16), (2, 'Jhaptaal', 10);
INSERT INTO "Prompts" VALUES (1, 'Choose an item'), (2, 'Click a raga'), (5, 'Press Play');
INSERT INTO "KZTips" VALUES (1, 'one'), (2, 'two'), (3, 'three');
INSERT INTO "Note Specifications" VALUES ('c', 2, 200, 0.5), ('c', 1, 100, 0.25), ('e', 1, 300, 0), ('c"x', 1, 9, 0);
INSERT INTO "Sample Values" VALUES ('c', 1, 2, -5), ('c', 1, 1, 7), ('c', 2, 1, 3);
INSERT INTO "Reed Colors" VALUES (7, 2), (8, 1), (9, 2), (10, 1), (11, 1), (12, 2);
)sql";

class ContentTest : public testsupport::ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    testsupport::MakeContentFixture(Path("mrA.kzy"), kContentRows);
    testsupport::MakeUserFixture(Path("mrB.kzy"), UserRows());
    shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), true, true, "MS ACCESS;PWD=x");
    shell::DatabaseB = dao::Database::OpenDatabase(Path("mrB.kzy"), true, false, "MS ACCESS;PWD=x");
    common::sSetSQLStrings();
    common::CurrDBSelector = 1;
    common::CurrRagaIndex = 0;
    common::CurrNotationIndex = 0;
    shell::SortingMode = 0;
    sound::CurrDroneType = 1;
  }
  void TearDown() override {
    testsupport::CloseDatabases();
    ScratchTest::TearDown();
  }
  // The sound library as the drone reaches it when a raga becomes current.
  testsupport::SoundLibDouble soundLib;
  // Rows of the user database; none unless a test says otherwise.
  virtual std::string UserRows() const { return ""; }
};

}  // namespace contenttest
