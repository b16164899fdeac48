-- Tables that both databases hold, with the same columns and indexes: the content
-- database "mrA.kzy" has the program's rows, the user database "mrB.kzy" the user's.
-- The user's rows refer to the content database's "Raga Index" and "Tala Id" values.
--
-- Conventions of every schema file here:
-- - types: SMALLINT a 16-bit integer, INTEGER a 32-bit integer, FLOAT a single,
--   DOUBLE a double, TEXT a text; the database layer reads values back by these types;
-- - texts compare and sort without regard to letter case (COLLATE NOCASE), as the
--   program's lists and keys expect;
-- - an index that the program seeks by its name "X" on table "T" is named "T.X";
-- - a table without an index is read in stored order, the order of its INSERTs.

-- Alap (1), layakari (2) and taan (3) phrases of a raga, one row per raga and type.
-- "NotesPhrase": phrases separated by ",", segments by ":", notes by blanks.
-- "DurationPhrase": one duration (10 ms units) per note word and one "," word after
-- each phrase; not read for taan, so it may be Null there.
CREATE TABLE "Raga - ALT Phrases" (
  "RagaIndex"      SMALLINT NOT NULL,
  "PhraseType"     SMALLINT NOT NULL,
  "NotesPhrase"    TEXT COLLATE NOCASE,
  "DurationPhrase" TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX "Raga - ALT Phrases.PrimaryKey" ON "Raga - ALT Phrases" ("RagaIndex", "PhraseType");

-- Titled items of a raga: 1 similar raga, 2 composition, 3 film song. "Notation Index"
-- points to "Raga - Composition Notations"; 0 means no notation (listed in the review only).
CREATE TABLE "Raga - Additional Information" (
  "Raga Index"     SMALLINT NOT NULL,
  "Add Info"       TEXT COLLATE NOCASE NOT NULL,
  "Add Info Type"  SMALLINT NOT NULL,
  "Notation Index" INTEGER
);
CREATE UNIQUE INDEX "Raga - Additional Information.PrimaryKey"
  ON "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type");
CREATE INDEX "Raga - Additional Information.AddInfoType"
  ON "Raga - Additional Information" ("Raga Index", "Add Info Type");
CREATE INDEX "Raga - Additional Information.CompositionId"
  ON "Raga - Additional Information" ("Notation Index");

-- The notation of one part (1 asthai, 2 antara) of a composition, film song or
-- similar-raga comparison. Durations of "NotesDuration" and "SyllableDuration" are in matras.
CREATE TABLE "Raga - Composition Notations" (
  "Notation Index"     INTEGER NOT NULL,
  "Composition Part"   SMALLINT NOT NULL,
  "Raga Index"         SMALLINT,
  "CompositionMukhada" TEXT COLLATE NOCASE,
  "CompositionType"    SMALLINT,
  "CompositionTempo"   SMALLINT,
  "CompositionText"    TEXT COLLATE NOCASE,
  "Syllables"          TEXT COLLATE NOCASE,
  "SyllableDuration"   TEXT COLLATE NOCASE,
  "Notation"           TEXT COLLATE NOCASE,
  "NotesDuration"      TEXT COLLATE NOCASE,
  "Tala Id"            SMALLINT,
  "Starting Beat"      SMALLINT,
  "Playing Speed"      SMALLINT
);
CREATE UNIQUE INDEX "Raga - Composition Notations.PrimaryKey"
  ON "Raga - Composition Notations" ("Notation Index", "Composition Part");

-- Talas and their beat counts. Both databases hold the same rows, from the same source
-- (content/data/talas.sql): the composer lists the user database's names and resolves
-- them in the content database.
CREATE TABLE "Tala - Technical Information" (
  "Tala Id"    SMALLINT NOT NULL,
  "Tala Name"  TEXT COLLATE NOCASE,
  "Beat Count" SMALLINT
);
CREATE UNIQUE INDEX "Tala - Technical Information.PrimaryKey" ON "Tala - Technical Information" ("Tala Id");
CREATE UNIQUE INDEX "Tala - Technical Information.TalaByName" ON "Tala - Technical Information" ("Tala Name");

-- Scale sets: the adjustment, in samples per cycle, of 27 notes around the set's tonic,
-- for the main instrument (1) and the drone (2). Sets 1-12 are built in (content
-- database), 13 and up are the user's (user database).
CREATE TABLE "ONPR" (
  "NPSetId"        SMALLINT NOT NULL,
  "InstrumentType" SMALLINT NOT NULL,
  "NPSetName"      TEXT COLLATE NOCASE,
  "TonicNoteId"    SMALLINT,
  "00" FLOAT, "01" FLOAT, "02" FLOAT, "03" FLOAT, "04" FLOAT, "05" FLOAT, "06" FLOAT,
  "07" FLOAT, "08" FLOAT, "09" FLOAT, "10" FLOAT, "11" FLOAT, "12" FLOAT, "13" FLOAT,
  "14" FLOAT, "15" FLOAT, "16" FLOAT, "17" FLOAT, "18" FLOAT, "19" FLOAT, "20" FLOAT,
  "21" FLOAT, "22" FLOAT, "23" FLOAT, "24" FLOAT, "25" FLOAT, "26" FLOAT
);
CREATE UNIQUE INDEX "ONPR.PrimaryKey" ON "ONPR" ("NPSetId", "InstrumentType");
