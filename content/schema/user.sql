-- Tables of the user database only; the build makes the template "mrB.kzy" from
-- shared.sql, this file and content/data/talas.sql (the same tala rows as the content
-- database). Conventions: see shared.sql.

-- One header row per user scale set (ids 13 and up). Names are kept unique by the
-- program, not by the index.
CREATE TABLE "Scale Shift Specs" (
  "NPSetId"        SMALLINT NOT NULL,
  "NPSetName"      TEXT COLLATE NOCASE,
  "InstrumentName" TEXT COLLATE NOCASE,
  "TonicNoteId"    SMALLINT,
  "BaseSPC"        FLOAT,
  "NewSPC"         FLOAT
);
CREATE UNIQUE INDEX "Scale Shift Specs.PrimaryKey" ON "Scale Shift Specs" ("NPSetId");
CREATE INDEX "Scale Shift Specs.Set Name" ON "Scale Shift Specs" ("NPSetName");

-- Workbench patterns saved by the user. Primary key chosen here: "PatternId". Names may
-- repeat or be empty.
CREATE TABLE "User Patterns" (
  "PatternId"     INTEGER NOT NULL,
  "PatternName"   TEXT COLLATE NOCASE,
  "PatternPhrase" TEXT COLLATE NOCASE,
  "PatternMode"   INTEGER
);
CREATE UNIQUE INDEX "User Patterns.PrimaryKey" ON "User Patterns" ("PatternId");
CREATE INDEX "User Patterns.PatternByName" ON "User Patterns" ("PatternName");

-- The stored settings, one row per setting; rows are only ever edited. A Null value
-- makes the program take the setting's default.
CREATE TABLE "User Parameters" (
  "Parameter Name"  TEXT COLLATE NOCASE NOT NULL,
  "Parameter Value" TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX "User Parameters.PrimaryKey" ON "User Parameters" ("Parameter Name");

INSERT INTO "User Parameters" ("Parameter Name", "Parameter Value") VALUES
  ('CurrTonicNoteId', NULL),
  ('CurrMusicSetId', NULL),
  ('KeyboardDisplay', NULL),
  ('FormL', NULL),
  ('FormT', NULL),
  ('FormW', NULL),
  ('FormH', NULL),
  ('FormState', NULL),
  ('SortingMode', NULL),
  ('NotationScript', NULL),
  ('LastTip', NULL),
  ('TipSignal', NULL),
  ('DelayC', NULL),
  ('DelayMO', NULL),
  ('DelayPC', NULL),
  ('DelayW', NULL),
  ('CurrDroneFactor', NULL);
