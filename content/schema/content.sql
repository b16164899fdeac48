-- Tables of the content database "mrA.kzy" only (read-only at run time). The build
-- loads shared.sql first, then this file, then every content/data/*.sql in file-name
-- order, then the generated SQL of tools/. Conventions: see shared.sql.

-- Raga names, their index (the key of every raga table) and their group (level 0-3).
CREATE TABLE "RagaNameList" (
  "Raga"       TEXT COLLATE NOCASE NOT NULL,
  "Raga Index" SMALLINT NOT NULL,
  "Level"      SMALLINT
);
CREATE UNIQUE INDEX "RagaNameList.PrimaryKey" ON "RagaNameList" ("Raga");
CREATE UNIQUE INDEX "RagaNameList.RagaIndex" ON "RagaNameList" ("Raga Index");

-- Technical data, scale and pakad of each raga. Read in stored order by position, so
-- rows go in in the order the quiz and the sampler draw from. No Nulls but in "Thata".
-- "VadiNum", "SamvadiNum": note numbers, used only to sort. Durations: one per note
-- word, in 10 ms units ("PakadDuration" has none for the ":" marks).
CREATE TABLE "Raga - Technical Information" (
  "Raga Index"       SMALLINT NOT NULL,
  "Thata"            TEXT COLLATE NOCASE,
  "Jati"             TEXT COLLATE NOCASE,
  "Vadi"             TEXT COLLATE NOCASE,
  "VadiNum"          SMALLINT,
  "Samvadi"          TEXT COLLATE NOCASE,
  "SamvadiNum"       SMALLINT,
  "Appropriate time" TEXT COLLATE NOCASE,
  "DroneType"        INTEGER,
  "OPRSetId"         SMALLINT,
  "Notes"            TEXT COLLATE NOCASE,
  "AarohaAlt"        TEXT COLLATE NOCASE,
  "AaDuration"       TEXT COLLATE NOCASE,
  "AvrohaAlt"        TEXT COLLATE NOCASE,
  "AvDuration"       TEXT COLLATE NOCASE,
  "Pakad"            TEXT COLLATE NOCASE,
  "PakadDuration"    TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX "Raga - Technical Information.PrimaryKey" ON "Raga - Technical Information" ("Raga Index");

-- The notes of a raga: blank-separated indexes of the 0-36 note table (12 = middle Sa).
CREATE TABLE "Raga - Notes" (
  "Raga Index"    SMALLINT NOT NULL,
  "Raga Note Ids" TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX "Raga - Notes.PrimaryKey" ON "Raga - Notes" ("Raga Index");

-- The tabla bol of each beat of a tala in a theka set (the program plays set 4).
-- The key order (tala, set, beat) is the order in which the program seeks it.
CREATE TABLE "ThekaTypeBolsForTaal" (
  "Theka Type Id" INTEGER NOT NULL,
  "Tala Id"       INTEGER NOT NULL,
  "Tala Bol Id"   INTEGER NOT NULL,
  "Theka Bol Id"  INTEGER
);
CREATE UNIQUE INDEX "ThekaTypeBolsForTaal.PrimaryKey"
  ON "ThekaTypeBolsForTaal" ("Tala Id", "Theka Type Id", "Tala Bol Id");

-- The ten thatas in display order (stored order) and their middle-octave scales.
CREATE TABLE "ThataScales" (
  "ThataName"  TEXT COLLATE NOCASE NOT NULL,
  "ThataScale" TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX "ThataScales.PrimaryKey" ON "ThataScales" ("ThataName");

-- The fixed lines of the illustration screen's program list, keys 1-8.
-- Key column named here: "IllustrationId".
CREATE TABLE "IllustrationsList" (
  "IllustrationId"   SMALLINT NOT NULL,
  "IllustrationName" TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX "IllustrationsList.PrimaryKey" ON "IllustrationsList" ("IllustrationId");

-- The step-by-step instructions of every screen. Key column named here: "PromptNumber".
CREATE TABLE "Prompts" (
  "PromptNumber" INTEGER NOT NULL,
  "Prompt"       TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX "Prompts.PrimaryKey" ON "Prompts" ("PromptNumber");

-- The start-up tips, numbered 1 to their count without gaps. Key column named here: "TipNumber".
CREATE TABLE "KZTips" (
  "TipNumber" SMALLINT NOT NULL,
  "Tip"       TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX "KZTips.PrimaryKey" ON "KZTips" ("TipNumber");

-- One layout row per form. The primary key, not named by the program, is "Form Id".
CREATE TABLE "KZForms" (
  "Form Name"         TEXT COLLATE NOCASE NOT NULL,
  "Form Id"           SMALLINT NOT NULL,
  "TotalControlCount" SMALLINT
);
CREATE UNIQUE INDEX "KZForms.Form Name" ON "KZForms" ("Form Name");
CREATE UNIQUE INDEX "KZForms.PrimaryKey" ON "KZForms" ("Form Id");

-- The proportional position and size of each control of a form, controls numbered from
-- 0 in the form's control order. Key columns named here: "Form Id", "Control Number".
CREATE TABLE "KZFormControls" (
  "Form Id"        SMALLINT NOT NULL,
  "Control Number" SMALLINT NOT NULL,
  "LocRatX"        DOUBLE,
  "LocRatY"        DOUBLE,
  "SizRatWidth"    DOUBLE,
  "SizRatHeight"   DOUBLE
);
CREATE UNIQUE INDEX "KZFormControls.PrimaryKey" ON "KZFormControls" ("Form Id", "Control Number");

-- Keyboard reeds 1-40: colour code 1 white, 2 black. Primary key chosen here: "Reed Number".
CREATE TABLE "Reed Colors" (
  "Reed Number" SMALLINT NOT NULL,
  "Color Code"  SMALLINT
);
CREATE UNIQUE INDEX "Reed Colors.PrimaryKey" ON "Reed Colors" ("Reed Number");

-- The seed of each note of each instrument ("c" main, "e" drone): samples per cycle.
CREATE TABLE "Note Specifications" (
  "Instr Name"       TEXT COLLATE NOCASE NOT NULL,
  "Note Id"          INTEGER NOT NULL,
  "SamPerCyc"        INTEGER,
  "Fractional Value" DOUBLE
);
CREATE UNIQUE INDEX "Note Specifications.PrimaryKey" ON "Note Specifications" ("Instr Name", "Note Id");

-- The sample values of each seed, in "Sample Id" order. Primary key chosen here.
CREATE TABLE "Sample Values" (
  "Instr Name"   TEXT COLLATE NOCASE NOT NULL,
  "Note Id"      INTEGER NOT NULL,
  "Sample Id"    INTEGER NOT NULL,
  "Sample Value" SMALLINT
);
CREATE UNIQUE INDEX "Sample Values.PrimaryKey" ON "Sample Values" ("Instr Name", "Note Id", "Sample Id");

-- Frequency ratios that shift a whole scale to a moved tonic. Key columns named here:
-- "TonicNoteId" (the new tonic key 1-12) and "InstrumentType" (1 main, 2 drone).
CREATE TABLE "ONPRSets" (
  "TonicNoteId"    INTEGER NOT NULL,
  "InstrumentType" SMALLINT NOT NULL,
  "00" FLOAT, "01" FLOAT, "02" FLOAT, "03" FLOAT, "04" FLOAT, "05" FLOAT, "06" FLOAT,
  "07" FLOAT, "08" FLOAT, "09" FLOAT, "10" FLOAT, "11" FLOAT, "12" FLOAT, "13" FLOAT,
  "14" FLOAT, "15" FLOAT, "16" FLOAT, "17" FLOAT, "18" FLOAT, "19" FLOAT, "20" FLOAT,
  "21" FLOAT, "22" FLOAT, "23" FLOAT, "24" FLOAT, "25" FLOAT, "26" FLOAT
);
CREATE UNIQUE INDEX "ONPRSets.PrimaryKey" ON "ONPRSets" ("TonicNoteId", "InstrumentType");
