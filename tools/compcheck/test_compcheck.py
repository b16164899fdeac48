#!/usr/bin/env python3
"""Tests of the content checker on small databases: one sound row of each kind, then one
fault at a time. Run: python3 -m unittest discover -s tools/compcheck"""
import sqlite3
import unittest

import compcheck
import notation

SCHEMA = """
CREATE TABLE "RagaNameList" ("Raga" TEXT, "Raga Index" SMALLINT, "Level" SMALLINT);
CREATE TABLE "Raga - Technical Information" ("Raga Index" SMALLINT, "AarohaAlt" TEXT,
  "AvrohaAlt" TEXT, "Pakad" TEXT, "Notes" TEXT);
CREATE TABLE "Raga - Notes" ("Raga Index" SMALLINT, "Raga Note Ids" TEXT);
CREATE TABLE "Raga - ALT Phrases" ("RagaIndex" SMALLINT, "PhraseType" SMALLINT,
  "NotesPhrase" TEXT, "DurationPhrase" TEXT);
CREATE TABLE "Raga - Additional Information" ("Raga Index" SMALLINT, "Add Info" TEXT,
  "Add Info Type" SMALLINT, "Notation Index" INTEGER);
CREATE TABLE "Raga - Composition Notations" ("Notation Index" INTEGER, "Composition Part" SMALLINT,
  "Raga Index" SMALLINT, "CompositionMukhada" TEXT, "CompositionText" TEXT, "Syllables" TEXT,
  "SyllableDuration" TEXT, "Notation" TEXT, "NotesDuration" TEXT, "Tala Id" SMALLINT,
  "Starting Beat" SMALLINT, "Playing Speed" SMALLINT);
CREATE TABLE "Tala - Technical Information" ("Tala Id" SMALLINT, "Tala Name" TEXT, "Beat Count" SMALLINT);
CREATE TABLE "ThekaTypeBolsForTaal" ("Theka Type Id" INTEGER, "Tala Id" INTEGER,
  "Tala Bol Id" INTEGER, "Theka Bol Id" INTEGER);
INSERT INTO "RagaNameList" VALUES ('Bhupali', 2, 1), ('Deshkar', 49, 2);
INSERT INTO "Raga - Notes" VALUES (2, '12 14 16 19 21 24'), (49, '12 14 16 19 21 24');
INSERT INTO "Raga - Technical Information" VALUES (2, 'S R G P D S>', 'S> D P G R S', 'G R S D<',
  'Ga is the resting note.'), (49, 'S R G P D S>', 'S> D P G R S', 'G P D', 'Dha and Pa lead.');
INSERT INTO "Tala - Technical Information" VALUES (1, 'Teentaal', 16), (4, 'Rupak', 7);
"""

GOOD = {
    "alt": (2, 2, "S R G : P G , G P D P G , D P G S", "60 60 60 60 60 , 30 30 30 30 60 , 20 20 20 60"),
    "taan": (2, 3, "S R G P D S> D P G R S , G P D S> D P G R S , D P G R S", None),
    # a Rupak asthai and antara: 7 matras each
    "parts": [(21, 1, 2, "Bhor", "bhor bhai", "bhor bha i", "2 1 4", "G R S D< S R G", "1 1 1 1 1 1 1", 4, 1, 50),
              (21, 2, 2, "Bhor", "jaago re", "jaa go re", "3 2 2", "P D S> D P G R", "1 1 1 1 1 1 1", 4, 1, 50)],
    "similar": (100249, 1, 2, "Deshkar", None, "G R S D<", "1 1 1 1", "G P D P", "1 1 1 1", 1, 1, 50),
}


def build(alt=None, taan=None, parts=None, similar=None, items=None, theka=False, more_alt=(), texts=None):
    db = sqlite3.connect(":memory:")
    db.executescript(SCHEMA)
    for row in [alt or GOOD["alt"], taan or GOOD["taan"]] + list(more_alt):
        db.execute('INSERT INTO "Raga - ALT Phrases" VALUES (?, ?, ?, ?)', row)
    for idx, text in (texts or {}).items():
        db.execute('UPDATE "Raga - Technical Information" SET "Notes" = ? WHERE "Raga Index" = ?', (text, idx))
    for row in (parts or GOOD["parts"]) + [similar or GOOD["similar"]]:
        db.execute('INSERT INTO "Raga - Composition Notations" VALUES (?,?,?,?,?,?,?,?,?,?,?,?)', row)
    for row in items or [(2, "Bhor", 2, 21), (2, "Deshkar", 1, 100249),
                         (2, "Jyoti Kalash Chhalke (Bhabhi Ki Chudiyan, 1961)", 3, 0)]:
        db.execute('INSERT INTO "Raga - Additional Information" VALUES (?, ?, ?, ?)', row)
    if theka:
        db.executemany('INSERT INTO "ThekaTypeBolsForTaal" VALUES (4, 1, ?, 1)', [(b,) for b in range(1, 17)])
    return db


def errors(**kw):
    rep, _ = compcheck.check(build(**kw))
    return rep.errors


def part(k, **changes):
    cols = ["nidx", "part", "raga", "mukhada", "text", "syls", "syldur", "notes", "notedur", "tala",
            "start", "speed"]
    row = list(GOOD["parts"][k])
    for c, v in changes.items():
        row[cols.index(c)] = v
    rows = list(GOOD["parts"])
    rows[k] = tuple(row)
    return rows


class Sound(unittest.TestCase):
    def test_sound_content_has_no_errors(self):
        self.assertEqual(errors(), [])

    def test_matras_are_written_as_the_program_reads_them(self):
        self.assertEqual([notation.fmt(x) for x in (2, 0.5, 0.25, 1.5)], ["2", "0.5", "0.25", "1.5"])

    def test_syllables_start_on_notes_and_last_as_long(self):
        notes, syls = notation.parse_beats("G=ja - R.G=ka.ro | M.-=a._ P")
        self.assertEqual([(n, str(d)) for n, d in notes], [("G", "2"), ("R", "1/2"), ("G", "1/2"),
                                                          ("M", "1"), ("P", "1")])
        self.assertEqual([(s, str(d)) for s, d in syls], [("ja", "2"), ("ka", "1/2"), ("ro", "1/2"),
                                                         ("a", "2")])


class Faults(unittest.TestCase):
    CASES = [
        ("note outside the raga", dict(parts=part(0, notes="G R S D< S R M")), "not a note of the raga"),
        ("part short of a cycle", dict(parts=part(0, notedur="1 1 1 1 1 1 2", syldur="2 1 5")),
         "do not fill whole cycles"),
        ("syllables longer than notes", dict(parts=part(0, syldur="2 1 5")), "syllables"),
        ("syllable between notes", dict(parts=part(0, syldur="2.5 0.5 4")), "where no note begins"),
        ("syllables miss the text", dict(parts=part(0, text="bhor bhaai")), "do not spell"),
        ("fewer durations than notes", dict(parts=part(1, notedur="1 1 1 1 1 3")), "7 notes but 6"),
        ("unknown tala", dict(parts=part(0, tala=9)), "is not a tala"),
        ("starting beat beyond the cycle", dict(parts=part(1, start=8)), "Starting Beat"),
        ("antara missing", dict(parts=part(0)[:1]), "no notation row"),
        ("glide too short at its speed", dict(parts=part(0, notes="G R S D< S R R'G", notedur="1 1 1 1 1 1.5 0.5",
                                                         syldur="2 1 3.5 0.5", syls="bhor bha i i",
                                                         text="bhor bhaii")),
         "too short for its grace note"),
        ("similar raga misspelt", dict(items=[(2, "Bhor", 2, 21), (2, "Deshkaar", 1, 100249)]),
         "names no raga"),
        ("comparison phrase foreign to the other raga",
         dict(similar=(100249, 1, 2, "Deshkar", None, "G R S D<", "1 1 1 1", "G m D P", "1 1 1 1", 1, 1, 50)),
         "not a note of the raga"),
        ("film song without film and year", dict(items=[(2, "Bhor", 2, 21), (2, "Deshkar", 1, 100249),
                                                        (2, "Jyoti Kalash Chhalke", 3, 0)]), "film song"),
        ("layakari durations out of step", dict(alt=(2, 2, "S R G : P G , G P D P G , D P G S", "60 60 60 60 , 30 30 30 30 60 , 20 20 20 60")),
         "note words but"),
        ("layakari with a comma after the last phrase",
         dict(alt=(2, 2, "S R G : P G , G P D P G , D P G S", "60 60 60 60 60 , 30 30 30 30 60 , 20 20 20 60 ,")),
         "duration groups"),
        # dugun of four notes: the closing note starts one and a half matras in
        ("layakari landing off the pulse", dict(alt=(2, 2, "S R G : P G , G P D S> , D P G S",
                                                   "60 60 60 60 60 , 30 30 30 60 , 20 20 20 60")),
         "layakari phrase 2: the closing note starts 1.5 matras in, off the pulse"),
        ("tigun closing note held up by a glide", dict(alt=(2, 2, "S R G : P G , G P D P G , D P G'P S",
                                                           "60 60 60 60 60 , 30 30 30 30 60 , 20 20 30 60")),
         "layakari phrase 3: the closing note starts 1.1667 matras in"),
        ("a pair's ragas sharing a taan", dict(more_alt=[(49, 3, "G P D S> D P G P , S R G P D S> D P G R S , "
                                                               "P D S> D P G P", None)]),
         "Deshkar taan 2: the same phrase note for note as Bhupali taan 1 (a similar-raga pair)"),
        ("the same phrase with other grace notes", dict(more_alt=[(49, 1, "G P D S> D P G S'R G R S", "50 50 50 50 50 50 50 60 50 50 150")],
                                                        taan=(2, 3, "S R G P D S> D P G R S , G P D S> D P G R G R S , "
                                                              "D P G R S", None)),
         "Deshkar alap 1: the same phrase note for note as Bhupali taan 2"),
        ("comparison of the same notes",
         dict(similar=(100249, 1, 2, "Deshkar", None, "G P D P", "1 1 1 1", "G P D P", "1 1 1 1", 1, 1, 50)),
         "plays the same notes for both ragas"),
        ("a note falling that the text says rises", dict(texts={2: "Here shuddha Ga rises."}),
         "Bhupali taan 1: G goes to R, but the raga's text says shuddha Ga rises"),
        ("pair text denies a note one raga has",
         dict(similar=(100249, 1, 2, "Deshkar", "Both are ragas of Ga and Dha without Re.", "G R S D<",
                       "1 1 1 1", "G P D P", "1 1 1 1", 1, 1, 50)),
         "the text says Bhupali has no Re, but it has R"),
        ("pair text miscounts the shared notes",
         dict(similar=(100249, 1, 2, "Deshkar", "The same six notes: Deshkar lives above.", "G R S D<",
                       "1 1 1 1", "G P D P", "1 1 1 1", 1, 1, 50)),
         "the text says six notes, but the ragas have 5"),
        ("layakari of two phrases", dict(alt=(2, 2, "S R G , G P D", "60 60 60 , 30 30 60")), "only 2 phrases"),
        ("taan glide", dict(taan=(2, 3, "S R G P D S> D P G R S , G P D S> D P G'R S , G R S", None)), "glide"),
        # Teentaal has its theka in the fixture, Rupak has none
        ("tala without theka", dict(parts=part(1, tala=1, notedur="1 1 1 1 1 1 10", syldur="3 2 11"),
                                    theka=True), "part 1: tala 4 has no theka"),
    ]

    def test_sound_claims_and_own_repeats_pass(self):
        # a raga may repeat its own phrase; true claims about the notes and their way pass
        found = errors(more_alt=[(2, 1, "S R G : P G , D P G R S", "60 60 60 60 150 , 50 50 50 50 150")],
                       texts={2: "Komal Ni falls, where it is heard."},
                       similar=(100249, 1, 2, "Deshkar", "The same five notes; Bhupali has no Ma or Ni, "
                                "Deshkar rises like Bhupali without Re.", "G R S D<", "1 1 1 1", "G P D P",
                                "1 1 1 1", 1, 1, 50))
        self.assertEqual(found, [])

    def test_a_grace_note_counts_as_the_note_it_sounds(self):
        rules = compcheck.direction_rules("Shuddha Ga rises, komal Ga falls to Sa with a glide")
        for text, faults in (("S G m'g S", 0), ("S G g S", 1), ("P m G : m'g S", 0), ("S g'G m", 1)):
            with self.subTest(text):
                rep = compcheck.Report()
                compcheck.check_direction(rep, "Jog", text, rules)
                self.assertEqual(len(rep.errors), faults, rep.errors)

    def test_a_tala_with_its_theka_passes(self):
        found = errors(parts=part(1, tala=1, notedur="1 1 1 1 1 1 10", syldur="3 2 11"), theka=True)
        self.assertFalse([e for e in found if "part 2" in e], found)

    def test_each_fault_is_reported(self):
        for name, kw, text in self.CASES:
            with self.subTest(name):
                found = errors(**kw)
                self.assertTrue(found, name)
                self.assertTrue(any(text in e for e in found), "%s: %s" % (name, found))


if __name__ == "__main__":
    unittest.main()
