#!/usr/bin/env python3
"""Writes content/data/ragas_x_alt.sql, ragas_x_compositions.sql, ragas_x_similar.sql and
ragas_x_film_songs.sql from altdata.py, compdata.py and pairdata.py.

The ragas (names, indexes, notes, scale and pakad) and the talas are read from the content
SQL itself, so that names resolve exactly as the database will hold them.

Usage: compgen.py [--check] [--schema DIR] [--data DIR ...]
  defaults: content/schema and content/data of the repository; files are written to the
  repository's content/data.
  --check  write nothing; exit 1 when a committed file differs from what would be written
"""
import os
import sys

import altdata
import compdata
import content
import notation
import pairdata

ALT_HEADER = """\
-- Layakari (PhraseType 2) and taan (PhraseType 3) phrases of the ragas.
-- Written by tools/compcheck/compgen.py from tools/compcheck/altdata.py; edit that and
-- regenerate, then run tools/compcheck/compcheck.py.
--
-- Formats (the same as the alap rows of ragas_group*.sql):
-- * NotesPhrase: English note words (S r R g G m M P d D n N; "<" lower, ">" upper octave),
--   one blank between words; phrases separated by " , ", segments by " : ".
-- * DurationPhrase: units of 10 ms, one per note word, nothing for ":", and the word ","
--   between two phrases (none after the last phrase).
-- * Layakari: one matra is 60 (600 ms); a phrase in n notes to the matra gives each
--   note 60/n (barabar 60, aad 40, dugun 30, kuad 24, tigun 20, chaugun 15) and ends on
--   a note of one matra or more that starts on a matra: the notes before it fill whole
--   matras. Phrases that use a glide give it at least 30.
-- * Taan: 15 (150 ms, the program's own taan step) per note and 30 for the last note of
--   a phrase; the program does not read taan durations, they are stored for completeness.
--   Taans hold no glides.
-- * Ragas whose phrases are not yet written here by hand get phrases built from their own
--   pakad, aroha, avroha and alap (see compgen.py): the pakad in barabar, aad, dugun,
--   tigun and chaugun, its last note before the closing one held to the end of its
--   matra; sapaat, pakad and alap taans.

"""

COMP_HEADER = """\
-- Compositions (bandishes) of the ragas: "Raga - Additional Information" rows of type 2
-- and their two parts in "Raga - Composition Notations" (1 asthai, 2 antara).
-- Written by tools/compcheck/compgen.py from tools/compcheck/compdata.py; edit that and
-- regenerate, then run tools/compcheck/compcheck.py.
--
-- Formats:
-- * "Add Info" and "CompositionMukhada" are the composition's title, its opening words.
-- * "Notation Index" = 10 x Raga Index + the composition's number within its raga (1-9);
--   these values are permanent: a later release must never renumber or reuse them.
-- * "Notation": English note words, one blank between words, no ":" or "," marks.
--   "NotesDuration": one duration per note word, in matras (whole numbers or halves and
--   quarters written "0.5", "0.25", "1.5").
-- * "Syllables": one token per sung syllable (no "_" tokens); "SyllableDuration": one
--   duration per syllable in matras. A syllable lasts from its note up to the next
--   syllable, so every syllable begins where a note begins, and both lists add up to the
--   same number of matras.
-- * "CompositionText": the part's text; the syllables written together give the text
--   with its blanks removed.
-- * Each part fills whole cycles of its tala: its matras add up to a multiple of the
--   tala's beat count, counted from its "Starting Beat" (the beat of row 1 on which the
--   first syllable falls; a mukhda that leads into sam starts after beat 1).
-- * "Playing Speed": one matra in units of 10 ms (madhya laya 45-60, drut 35).
-- * "CompositionType" and "CompositionTempo" are 0 (not used).

"""

SIMILAR_HEADER = """\
-- Similar ragas: for each raga of a pair that learners confuse, a row of "Raga - Additional
-- Information" of type 1 whose "Add Info" is the other raga's name, and its notation
-- (part 1) in "Raga - Composition Notations".
-- Written by tools/compcheck/compgen.py from tools/compcheck/pairdata.py; edit that and
-- regenerate, then run tools/compcheck/compcheck.py.
--
-- Formats:
-- * "Notation"/"NotesDuration": the other raga's characteristic phrase; "Syllables"/
--   "SyllableDuration": the current raga's phrase over the same notes, for comparison.
--   Note words as in the compositions, durations in matras.
-- * "CompositionMukhada" is the other raga's name; "CompositionText" says in a line
--   what tells the two apart.
-- * "Notation Index" = 100000 + 100 x the current raga's Raga Index + the other raga's
--   Raga Index; permanent, never renumbered or reused.
-- * "Tala Id" 1 (Teentaal), "Starting Beat" 1 and "Playing Speed" 50 (500 ms a matra);
--   the program plays comparisons without theka.

"""

FILM_HEADER = """\
-- Film songs based on a raga: "Raga - Additional Information" rows of type 3, titled
-- "Song (Film, year)". "Notation Index" 0: listed in the review only, no notation rows.
-- Written by tools/compcheck/compgen.py from tools/compcheck/pairdata.py.

"""

LAYA_UNIT = 60
TAAN_STEP, TAAN_END = 15, 30
GLIDE_MIN = 26


def q(text):
    if text is None:
        return "NULL"
    return "'" + str(text).replace("'", "''") + "'"


def alt_text(phrases):
    """[(words, durations)] -> (NotesPhrase, DurationPhrase)."""
    return (" , ".join(" ".join(w) for w, _ in phrases),
            " , ".join(" ".join(str(d) for d in ds) for _, ds in phrases))


def words_of(text):
    return text.split()


def note_only(words):
    return [w for w in words if w not in (":", ",")]


def layakari_phrase(item, pad=False):
    """(notes per matra, text) -> (words, durations). A note may carry "/NN".

    The closing note must start on a matra. With pad, the note before it is held to
    the end of its matra (a "-" in the beat grid); without, a phrase off the pulse is
    refused, so that a hand-written phrase is mended by its notes."""
    per, text = item
    num, _, den = str(per).partition("/")
    step = LAYA_UNIT * int(den or 1) // int(num)
    if step * int(num) != LAYA_UNIT * int(den or 1):
        raise SystemExit("layakari %r: %s notes to the matra do not divide %d" % (text, per, LAYA_UNIT))
    words, durs = [], []
    plain = [w for w in text.split()]
    notes_idx = [i for i, w in enumerate(plain) if w != ":"]
    for i, w in enumerate(plain):
        if w == ":":
            words.append(w)
            continue
        name, _, given = w.partition("/")
        words.append(name)
        if given:
            durs.append(int(given))
        elif i == notes_idx[-1]:
            durs.append(max(LAYA_UNIT, step))
        elif "'" in name:
            durs.append(max(step, 30))
        else:
            durs.append(step)
    late = sum(durs[:-1]) % LAYA_UNIT
    if late:
        if not pad:
            raise SystemExit("layakari %r (%s to the matra): its closing note starts %d/%d of a "
                             "matra late; give it a note count that fills whole matras"
                             % (text, per, late, LAYA_UNIT))
        durs[-2] += LAYA_UNIT - late
    return words, durs


def taan_phrase(text):
    words = [notation.landing(w) if w != ":" else w for w in text.split()]
    n = len(note_only(words))
    durs = [TAAN_STEP] * (n - 1) + [TAAN_END]
    return words, durs


def strip_marks(text):
    return [notation.landing(w) for w in text.split() if w not in (":", ",")]


def derived_layakari(tech):
    pakad = " ".join(notation.landing(w) for w in tech["pakad"].split())
    return [layakari_phrase((k, pakad), pad=True) for k in ("1", "3/2", "2", "3", "4")]


def derived_taans(tech, alap):
    up = strip_marks(tech["aroha"])
    down = strip_marks(tech["avroha"])
    pakad = strip_marks(tech["pakad"])
    sapaat = up + (down[1:] if down and up and down[0] == up[-1] else down)
    phrases = [alap_p for alap_p in alap.split(",") if alap_p.split()]
    high = max(phrases, key=lambda p: max(notation.index(notation.landing(w))
                                          for w in p.split() if w != ":"))
    taans = [" ".join(sapaat),
             " ".join(pakad + pakad + down[1:] if down and down[0] == "S>" else pakad + pakad + down),
             " ".join(strip_marks(high) + down[1:])]
    return [taan_phrase(t) for t in taans]


def raga_tech(db):
    out = {}
    for idx, aroha, avroha, pakad in db.execute(
            'SELECT "Raga Index", "AarohaAlt", "AvrohaAlt", "Pakad" FROM "Raga - Technical Information"'):
        out[idx] = dict(aroha=aroha, avroha=avroha, pakad=pakad)
    alap = {i: t for i, t in db.execute(
        'SELECT "RagaIndex", "NotesPhrase" FROM "Raga - ALT Phrases" WHERE "PhraseType" = 1')}
    return out, alap


def resolve(by_name, name, what):
    if name not in by_name:
        raise SystemExit("%s: no raga named %r in the raga content" % (what, name))
    return by_name[name][0]


def alt_sql(db, by_name, by_index):
    tech, alap = raga_tech(db)
    hand_l = {resolve(by_name, n, "layakari"): v for n, v in altdata.LAYAKARI.items()}
    hand_t = {resolve(by_name, n, "taan"): v for n, v in altdata.TAAN.items()}
    rows = []
    for idx in sorted(by_index):
        if idx not in tech:
            continue
        lay = [layakari_phrase(p) for p in hand_l[idx]] if idx in hand_l else derived_layakari(tech[idx])
        taan = [taan_phrase(p) for p in hand_t[idx]] if idx in hand_t else derived_taans(tech[idx], alap.get(idx, ""))
        for ptype, phrases in ((2, lay), (3, taan)):
            n, d = alt_text(phrases)
            rows.append('INSERT INTO "Raga - ALT Phrases" ("RagaIndex", "PhraseType", "NotesPhrase", '
                        '"DurationPhrase") VALUES (%d, %d, %s, %s);' % (idx, ptype, q(n), q(d)))
    return ALT_HEADER + "\n".join(rows) + "\n"


NOTATION_COLUMNS = ('"Notation Index", "Composition Part", "Raga Index", "CompositionMukhada", '
                    '"CompositionType", "CompositionTempo", "CompositionText", "Syllables", '
                    '"SyllableDuration", "Notation", "NotesDuration", "Tala Id", "Starting Beat", '
                    '"Playing Speed"')


def item_row(idx, title, kind, nidx):
    return ('INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", '
            '"Notation Index") VALUES (%d, %s, %d, %d);' % (idx, q(title), kind, nidx))


def notation_row(nidx, part, idx, mukhada, text, syls, notes, tala, start, speed):
    return ('INSERT INTO "Raga - Composition Notations" (%s) VALUES (%d, %d, %d, %s, 0, 0, %s, %s, %s, '
            '%s, %s, %d, %d, %d);'
            % (NOTATION_COLUMNS, nidx, part, idx, q(mukhada), q(text),
               q(" ".join(s for s, _ in syls)), q(" ".join(notation.fmt(d) for _, d in syls)),
               q(" ".join(n for n, _ in notes)), q(" ".join(notation.fmt(d) for _, d in notes)),
               tala, start, speed))


def words_from_syllables(syls):
    """The text of a part and its syllables without the "-" that joins a word."""
    text = ""
    for k, (syl, _) in enumerate(syls):
        text += syl.rstrip("-")
        if not syl.endswith("-") and k + 1 < len(syls):
            text += " "
    return text.strip(), [(s.rstrip("-"), d) for s, d in syls]


def comp_sql(by_name, tala_names):
    items, parts, seen = [], [], set()
    for c in sorted(compdata.COMPOSITIONS, key=lambda c: (by_name[c["raga"]][0], c["number"])):
        idx = resolve(by_name, c["raga"], "composition %r" % c["title"])
        if c["tala"] not in tala_names:
            raise SystemExit("composition %r: no tala named %r" % (c["title"], c["tala"]))
        tala = tala_names[c["tala"]][0]
        nidx = 10 * idx + c["number"]
        if nidx in seen or not 1 <= c["number"] <= 9:
            raise SystemExit("composition %r: number %d is taken or not 1-9" % (c["title"], c["number"]))
        seen.add(nidx)
        items.append(item_row(idx, c["title"], 2, nidx))
        for part, (start, beats) in ((1, c["asthai"]), (2, c["antara"])):
            try:
                notes, syls = notation.parse_beats(beats)
            except notation.NotationError as e:
                raise SystemExit("composition %r part %d: %s" % (c["title"], part, e))
            text, syls = words_from_syllables(syls)
            parts.append(notation_row(nidx, part, idx, c["title"], text, syls, notes, tala, start,
                                      c["speed"]))
    return (COMP_HEADER + '-- Raga - Additional Information\n' + "\n".join(items) +
            '\n\n-- Raga - Composition Notations\n' + "\n".join(parts) + "\n")


def similar_sql(by_name):
    items, parts, rows = [], [], []
    for a, b, phrase_a, phrase_b, why in pairdata.PAIRS:
        rows.append((a, b, phrase_a, phrase_b, why))
        rows.append((b, a, phrase_b, phrase_a, why))
    rows.sort(key=lambda r: (resolve(by_name, r[0], "similar raga"), resolve(by_name, r[1], "similar raga")))
    for cur, other, own_phrase, other_phrase, why in rows:
        idx = resolve(by_name, cur, "similar raga")
        nidx = 100000 + 100 * idx + resolve(by_name, other, "similar raga")
        own, _ = notation.parse_beats(own_phrase, with_syllables=False)
        oth, _ = notation.parse_beats(other_phrase, with_syllables=False)
        items.append(item_row(idx, other, 1, nidx))
        parts.append(notation_row(nidx, 1, idx, other, why, own, oth, 1, 1, 50))
    return (SIMILAR_HEADER + '-- Raga - Additional Information\n' + "\n".join(items) +
            '\n\n-- Raga - Composition Notations\n' + "\n".join(parts) + "\n")


def film_sql(by_name):
    rows = sorted((resolve(by_name, r, "film song"), "%s (%s, %d)" % (t, f, y))
                  for r, t, f, y in pairdata.FILM_SONGS)
    return FILM_HEADER + "\n".join(item_row(i, t, 3, 0) for i, t in rows) + "\n"


def main(argv):
    schema, data, rest = content.parse_args(argv)
    check_only = "--check" in rest
    db, _ = content.load(schema, data, skip_own=True)
    by_name, by_index = content.ragas(db)
    tala_names, _ = content.talas(db)
    out_dir = os.path.join(content.ROOT, "content", "data")
    stale = False
    if not check_only:
        os.makedirs(out_dir, exist_ok=True)
    for name, text in (("ragas_x_alt.sql", alt_sql(db, by_name, by_index)),
                       ("ragas_x_compositions.sql", comp_sql(by_name, tala_names)),
                       ("ragas_x_similar.sql", similar_sql(by_name)),
                       ("ragas_x_film_songs.sql", film_sql(by_name))):
        path = os.path.join(out_dir, name)
        if check_only:
            try:
                with open(path, encoding="utf-8") as f:
                    current = f.read() == text
            except OSError:
                current = False
            if not current:
                print("out of date:", path)
                stale = True
            continue
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        print("wrote", path)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
