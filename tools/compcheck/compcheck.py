#!/usr/bin/env python3
"""Checks the layakari, taan, composition, similar-raga and film-song content: loads the
schema and every content SQL file into a scratch SQLite database (which proves that they
load together) and checks the rows the way the program reads them. Across all the ragas'
phrases it also checks that no two ragas share a phrase note for note, that a note the
raga's text says only rises (or falls) does so everywhere, and that a pair's text says
nothing of the two ragas' notes that their notes deny.

Usage: compcheck.py [--strict] [--schema DIR] [--data DIR ...]
  defaults: content/schema and content/data of the repository; several --data folders
  are loaded together in file-name order.
  --strict  also fail on warnings (musical plausibility checks)
Exit status 0 when no error (and, with --strict, no warning) was found.
"""
import itertools
import re
import sys
from fractions import Fraction

import content
import notation

LOWEST, HIGHEST = notation.index("m<"), notation.index("P>")
# A note of 250 ms or less is played without its grace note (10 ms units).
GLIDE_MIN = 26
THEKA_SET = 4
FILM_RE = re.compile(r"^\S.*\S \([^()]+, (19|20)\d\d\)$")
MIN_PHRASES = {2: 3, 3: 3}
NO_STYLE = (set(), set())
# One matra of a layakari phrase (10 ms units).
LAYA_UNIT = 60
KINDS = {1: "alap", 2: "layakari", 3: "taan"}


class Report:
    def __init__(self):
        self.errors, self.warnings = [], []

    def error(self, who, text):
        self.errors.append("%s: %s" % (who, text))

    def warn(self, who, text):
        self.warnings.append("%s: %s" % (who, text))


def check_word(rep, who, word, allowed):
    """A note word: note names, range, the raga's notes. Returns its landing index."""
    pieces = word.split("'")
    if len(pieces) > 2 or "" in pieces:
        rep.error(who, "malformed glide %r" % word)
        return -1
    k = -1
    for p in pieces:
        k = notation.index(p)
        if k < 0:
            rep.error(who, "%r is not a note name" % p)
        elif not LOWEST <= k <= HIGHEST:
            rep.error(who, "%r lies outside m< .. P>" % p)
        elif allowed is not None and notation.pitch_class(p) not in allowed:
            rep.error(who, "%r is not a note of the raga" % p)
    if len(pieces) == 2 and notation.index(pieces[0]) == 0:
        rep.error(who, "a glide from S< loses its grace note")
    return k


# ---------------------------------------------------------------- layakari and taan

def runs(text):
    """Consecutive note triples of a notation text, octave marks kept."""
    w = [notation.landing(x) for x in text.split() if x not in (":", ",")]
    return {tuple(w[i:i + 3]) for i in range(len(w) - 2)}


def check_alt(rep, who, ptype, notes_text, dur_text, allowed, style):
    phrases = notes_text.split(",")
    if any(not p.split() for p in phrases):
        rep.error(who, "empty phrase (a stray or doubled \",\")")
    phrases = [p for p in phrases if p.split()]
    if len(phrases) < MIN_PHRASES[ptype]:
        rep.error(who, "only %d phrases" % len(phrases))
    groups = [[]]
    for w in (dur_text or "").split():
        if w == ",":
            groups.append([])
        elif re.fullmatch(r"[1-9]\d*", w):
            groups[-1].append(int(w))
        else:
            rep.error(who, "duration %r is not a whole positive number" % w)
            groups[-1].append(0)
    timed = ptype != 3 or bool((dur_text or "").split())   # taan durations may be Null
    if timed and len(groups) != len(phrases):
        rep.error(who, "%d phrases but %d duration groups (\",\" between phrases, none after "
                  "the last)" % (len(phrases), len(groups)))
    for k, phrase in enumerate(phrases):
        where = "%s phrase %d" % (who, k + 1)
        if any(not s.split() for s in phrase.split(":")):
            rep.error(where, "empty segment")
        words = [w for w in phrase.split() if w != ":"]
        if any(":" in w for w in words):
            rep.error(where, "a \":\" is stuck to a note; write it as its own word")
        durs = groups[k] if k < len(groups) else []
        if timed and len(durs) != len(words):
            rep.error(where, "%d note words but %d durations" % (len(words), len(durs)))
        for i, w in enumerate(words):
            check_word(rep, where, w, allowed)
            d = durs[i] if i < len(durs) else 0
            if "'" in w and (ptype == 3 or d < GLIDE_MIN):
                rep.error(where, "glide %s is too short for its grace note to sound" % w)
        check_rising(rep, where, words, style)
        if ptype == 2 and timed and words and len(durs) == len(words) and sum(durs[:-1]) % LAYA_UNIT:
            rep.error(where, "the closing note starts %s matras in, off the pulse: the notes before "
                      "it must fill whole matras of %d" % (notation.fmt(Fraction(sum(durs[:-1]), LAYA_UNIT)),
                                                           LAYA_UNIT))


def check_rising(rep, where, words, style):
    """Warns where a straight rise passes a note that the aroha leaves out, unless the
    raga's own avroha or pakad makes the same turn."""
    in_aroha, known = style
    words = [w for w in words if notation.index(notation.landing(w)) >= 0]
    seq = [notation.index(notation.landing(w)) for w in words]
    for x in range(1, len(seq) - 1):
        triple = tuple(notation.landing(w) for w in words[x - 1:x + 2])
        if seq[x - 1] < seq[x] < seq[x + 1] and triple not in known and \
                notation.pitch_class(notation.NAMES[seq[x]]) not in in_aroha:
            rep.warn(where, "passes %s on the way up, which the aroha leaves out" % notation.NAMES[seq[x]])


# ---------------------------------------------------------------- phrases across ragas

def sounding(text):
    """The notes a phrase sounds with its grace notes left out: what a listener compares."""
    return tuple(notation.landing(w) for w in (text or "").split() if w not in (":", ","))


def raga_phrases(db):
    """{raga index: [(label, phrase text)]}: the pakad and every alap, layakari and taan phrase."""
    out = {}
    for idx, pakad in db.execute('SELECT "Raga Index", "Pakad" FROM "Raga - Technical Information"'):
        out.setdefault(idx, []).append(("pakad", pakad or ""))
    for idx, ptype, text in db.execute('SELECT "RagaIndex", "PhraseType", "NotesPhrase" '
                                       'FROM "Raga - ALT Phrases" ORDER BY rowid'):
        for k, phrase in enumerate(p for p in (text or "").split(",") if p.split()):
            out.setdefault(idx, []).append(("%s %d" % (KINDS.get(ptype, "type %r" % ptype), k + 1), phrase))
    return out


def check_distinct(rep, phrases, by_index, pairs):
    """No two ragas share a phrase note for note, or the learner hears one raga in the other;
    a raga may repeat its own phrase (its layakari is often its pakad at five speeds)."""
    owners = {}
    for idx in sorted(phrases):
        for label, text in phrases[idx]:
            key = sounding(text)
            if key:
                owners.setdefault(key, []).append((idx, label))
    for key, found in owners.items():
        for (a, la), (b, lb) in itertools.combinations(found, 2):
            if a != b:
                pair = " (a similar-raga pair)" if frozenset((a, b)) in pairs else ""
                rep.error("%s %s" % (by_index.get(b, b), lb), "the same phrase note for note as %s %s%s: %s"
                          % (by_index.get(a, a), la, pair, " ".join(key)))


# "<form> <note> rises" or "falls" in a raga's text: that note moves only that way.
DIRECTION = re.compile(r"\b((?i:shuddha|komal|tivra)) (Re|Ga|Ma|Dha|Ni),? (rises|rising|falls|falling)\b")
FORM_OF = {("shuddha", "Re"): "R", ("shuddha", "Ga"): "G", ("shuddha", "Ma"): "m", ("shuddha", "Dha"): "D",
           ("shuddha", "Ni"): "N", ("komal", "Re"): "r", ("komal", "Ga"): "g", ("komal", "Dha"): "d",
           ("komal", "Ni"): "n", ("tivra", "Ma"): "M"}


def direction_rules(text):
    return [(FORM_OF[(q.lower(), n)], 1 if v.startswith("ris") else -1, "%s %s %s" % (q.lower(), n, v))
            for q, n, v in DIRECTION.findall(text or "") if (q.lower(), n) in FORM_OF]


def check_direction(rep, who, text, rules):
    """Every note the rules name moves on in their direction (a grace note counts as the
    note it sounds: G m'g rises from G to m)."""
    seq = [p for w in (text or "").split() if w not in (":", ",") for p in w.split("'")]
    for a, b in zip(seq, seq[1:]):
        for pc, sign, said in rules:
            ia, ib = notation.index(a), notation.index(b)
            if notation.pitch_class(a) == pc and ia >= 0 and ib >= 0 and (ib - ia) * sign < 0:
                rep.error(who, "%s goes to %s, but the raga's text says %s" % (a, b, said))
                return


def check_directions(rep, db, phrases, by_name, by_index):
    rules = {idx: direction_rules(text) for idx, text in
             db.execute('SELECT "Raga Index", "Notes" FROM "Raga - Technical Information"')}
    tagged = []
    for idx, up, down in db.execute('SELECT "Raga Index", "AarohaAlt", "AvrohaAlt" '
                                    'FROM "Raga - Technical Information"'):
        tagged += [(idx, "aroha", up), (idx, "avroha", down)]
    tagged += [(idx, label, text) for idx in phrases for label, text in phrases[idx]]
    items = {nidx: (kind, info) for info, kind, nidx in db.execute(
        'SELECT "Add Info", "Add Info Type", "Notation Index" FROM "Raga - Additional Information"')}
    for nidx, part, idx, own, other in db.execute(
            'SELECT "Notation Index", "Composition Part", "Raga Index", "Syllables", "Notation" '
            'FROM "Raga - Composition Notations"'):
        kind, info = items.get(nidx, (None, None))
        if kind == 1:
            tagged.append((idx, "comparison with %s" % info, own))
            if info in by_name:
                tagged.append((by_name[info][0], "comparison with %s" % by_index.get(idx), other))
        else:
            tagged.append((idx, "%r part %d" % (info, part), other))
    for idx, label, text in tagged:
        if rules.get(idx):
            check_direction(rep, "%s %s" % (by_index.get(idx, idx), label), text, rules[idx])


# What a pair's text says of the two ragas' notes: "Same notes", "The same five notes",
# "<raga> has no Pa", "Both are ragas ... without Pa".
_NOTE = r"(?:(?:komal|shuddha|tivra) )?(?:Sa|Re|Ga|Ma|Pa|Dha|Ni)\b"
SAME_NOTES = re.compile(r"\bsame (?:(five|six|seven) )?notes\b", re.IGNORECASE)
LACKS = re.compile(r"\b(?:no|without) (%s(?:(?:, | and | or )%s)*)" % (_NOTE, _NOTE))
COUNTS = {"five": 5, "six": 6, "seven": 7}
SWARA_NOTES = {"Sa": "S", "Re": "rR", "Ga": "gG", "Ma": "mM", "Pa": "P", "Dha": "dD", "Ni": "nN"}
QUALIFIED = {"komal": "rgdn", "shuddha": "RGmDN", "tivra": "M"}


def note_forms(name):
    words = name.split()
    forms = set(SWARA_NOTES[words[-1]])
    return forms & set(QUALIFIED[words[0]]) if len(words) == 2 else forms


def check_pair_text(rep, who, text, names, note_sets):
    """The text's claims about the two ragas' notes hold."""
    for clause in re.split(r"[.;:]", text or ""):
        same = SAME_NOTES.search(clause)
        if same:
            if note_sets[0] != note_sets[1]:
                rep.error(who, "the text says the two ragas have the same notes, but they differ "
                          "(%s)" % " ".join(sorted(note_sets[0] ^ note_sets[1])))
            elif same.group(1) and len(note_sets[0]) != COUNTS[same.group(1).lower()]:
                rep.error(who, "the text says %s notes, but the ragas have %d"
                          % (same.group(1), len(note_sets[0])))
            parts = [(clause, [0, 1])]
        else:
            parts = []
            for part in clause.split(", "):
                part = part.strip()
                for k, subject in enumerate(names + ["Both"]):
                    if re.match(r"%s (?:is|are|has|have)\b" % re.escape(subject), part):
                        parts.append((part, [k] if k < 2 else [0, 1]))
        for part, subjects in parts:
            for m in LACKS.finditer(part):
                for name in re.findall(_NOTE, m.group(1)):
                    for k in subjects:
                        has = note_forms(name) & note_sets[k]
                        if has:
                            rep.error(who, "the text says %s has no %s, but it has %s"
                                      % (names[k], name, " ".join(sorted(has))))


# ---------------------------------------------------------------- items and notation

def matras(rep, where, text, what):
    out = []
    for w in (text or "").split():
        try:
            v = Fraction(w)
        except ValueError:
            rep.error(where, "%s %r is not a number" % (what, w))
            continue
        if v <= 0:
            rep.error(where, "%s %r is not positive" % (what, w))
        elif (v * 4).denominator != 1:
            rep.error(where, "%s %r is not a whole number of quarter matras" % (what, w))
        out.append(v)
    return out


def check_phrase_pair(rep, where, notes_text, dur_text, allowed, speed, style, what="notes"):
    words = (notes_text or "").split()
    durs = matras(rep, where, dur_text, what + " duration")
    if not words:
        rep.error(where, "no %s" % what)
    if len(durs) != len(words):
        rep.error(where, "%d %s but %d durations" % (len(words), what, len(durs)))
    for w, d in zip(words, durs):
        if w in (":", ","):
            rep.error(where, "%r mark in a notation that is played as it stands" % w)
            continue
        check_word(rep, where, w, allowed)
        if "'" in w and speed and d * speed < GLIDE_MIN:
            rep.error(where, "glide %s of %s matra at speed %d is too short for its grace note"
                      % (w, notation.fmt(d), speed))
    check_rising(rep, where, words, style)
    return words, durs


def starts(durs):
    out, pos = set(), Fraction(0)
    for d in durs:
        out.add(pos)
        pos += d
    return out, pos


def check_composition_part(rep, where, row, allowed, style, tala_beats, theka):
    (text, syl_text, syl_dur, notes_text, notes_dur, tala, start, speed, mukhada) = row
    if not mukhada:
        rep.error(where, "no CompositionMukhada")
    if tala not in tala_beats:
        rep.error(where, "Tala Id %r is not a tala" % tala)
        return
    beats = tala_beats[tala]
    if theka is not None and tala not in theka:
        rep.error(where, "tala %d has no theka (set %d) for every beat" % (tala, THEKA_SET))
    if not isinstance(start, int) or not 1 <= start <= beats:
        rep.error(where, "Starting Beat %r is not 1 to %d" % (start, beats))
    if not isinstance(speed, int) or speed <= 0:
        rep.error(where, "Playing Speed %r is not a positive number" % speed)
        speed = None
    _, nd = check_phrase_pair(rep, where, notes_text, notes_dur, allowed, speed, style)
    syls = (syl_text or "").split()
    sd = matras(rep, where, syl_dur, "syllable duration")
    if "_" in syls:
        rep.error(where, "\"_\" in Syllables: the stored form has one token per syllable")
    if len(syls) != len(sd):
        rep.error(where, "%d syllables but %d syllable durations" % (len(syls), len(sd)))
    note_starts, note_total = starts(nd)
    syl_starts, syl_total = starts(sd)
    if note_total != syl_total:
        rep.error(where, "notes last %s matras but syllables %s"
                  % (notation.fmt(note_total), notation.fmt(syl_total)))
    stray = sorted(syl_starts - note_starts)
    if stray:
        rep.error(where, "a syllable begins %s matras in, where no note begins"
                  % notation.fmt(stray[0]))
    if note_total % beats:
        rep.error(where, "%s matras do not fill whole cycles of %d beats"
                  % (notation.fmt(note_total), beats))
    if "".join(syls) != (text or "").replace(" ", ""):
        rep.error(where, "the syllables do not spell CompositionText %r" % text)


def check_items(rep, db, ragas_by_name, ragas_by_index, styles, tala_beats, theka):
    notation_rows = {}
    for row in db.execute(
            'SELECT "Notation Index", "Composition Part", "Raga Index", "CompositionText", '
            '"Syllables", "SyllableDuration", "Notation", "NotesDuration", "Tala Id", '
            '"Starting Beat", "Playing Speed", "CompositionMukhada" '
            'FROM "Raga - Composition Notations"'):
        notation_rows[(row[0], row[1])] = row
    used = set()
    seen_index = {}
    counts = {1: 0, 2: 0, 3: 0}
    for idx, info, kind, nidx in db.execute(
            'SELECT "Raga Index", "Add Info", "Add Info Type", "Notation Index" '
            'FROM "Raga - Additional Information" ORDER BY rowid'):
        raga = ragas_by_index.get(idx)
        who = "%s %r" % (raga or "raga %r" % idx, info)
        if raga is None:
            rep.error(who, "Raga Index %r is not a raga" % idx)
            continue
        allowed = ragas_by_name[raga][1]
        if not info or info != info.strip():
            rep.error(who, "Add Info is empty or has surrounding blanks")
        if kind not in counts:
            rep.error(who, "Add Info Type %r is not 1, 2 or 3" % kind)
            continue
        counts[kind] += 1
        if kind == 3 and nidx == 0:
            if not FILM_RE.match(info or ""):
                rep.error(who, "a film song is titled \"Song (Film, year)\"")
            continue
        if not isinstance(nidx, int) or nidx <= 0:
            rep.error(who, "Notation Index %r must be above 0" % nidx)
            continue
        if nidx in seen_index:
            rep.error(who, "Notation Index %d is used by %s too" % (nidx, seen_index[nidx]))
        seen_index[nidx] = who
        parts = (1, 2) if kind == 2 else (1,)
        for part in parts:
            key = (nidx, part)
            where = "%s part %d" % (who, part)
            if key not in notation_rows:
                rep.error(where, "no notation row (Notation Index %d)" % nidx)
                continue
            used.add(key)
            row = notation_rows[key]
            if row[2] != idx:
                rep.error(where, "notation row stored for Raga Index %r" % row[2])
            if kind == 1:
                other = ragas_by_name.get(info)
                if other is None:
                    rep.error(who, "names no raga of the content (exact spelling)")
                    continue
                if info == raga:
                    rep.error(who, "names the raga itself")
                check_phrase_pair(rep, where + " Notation (" + info + ")", row[6], row[7],
                                  other[1], None, styles.get(other[0], NO_STYLE))
                check_phrase_pair(rep, where + " Syllables (" + raga + ")", row[4], row[5],
                                  allowed, None, styles.get(idx, NO_STYLE))
                if sounding(row[4]) == sounding(row[6]):
                    rep.error(where, "plays the same notes for both ragas")
                check_pair_text(rep, where, row[3], [raga, info], [allowed, other[1]])
                if not row[11]:
                    rep.error(where, "no CompositionMukhada")
            else:
                check_composition_part(rep, where, row[3:], allowed, styles.get(idx, NO_STYLE),
                                       tala_beats, theka)
    for key in sorted(set(notation_rows) - used):
        rep.error("Notation Index %d part %d" % key, "notation row that no item refers to")
    return counts


def theka_talas(db):
    """Talas with a bol for every beat in the theka set played, or None when the table is
    still empty (the thekas are loaded separately)."""
    rows = db.execute('SELECT "Tala Id", "Tala Bol Id" FROM "ThekaTypeBolsForTaal" '
                      'WHERE "Theka Type Id" = ?', (THEKA_SET,)).fetchall()
    total = db.execute('SELECT COUNT(*) FROM "ThekaTypeBolsForTaal"').fetchone()[0]
    if not total:
        return None
    beats = dict(db.execute('SELECT "Tala Id", "Beat Count" FROM "Tala - Technical Information"'))
    have = {}
    for tala, beat in rows:
        have.setdefault(tala, set()).add(beat)
    return {t for t, b in have.items() if t in beats and set(range(1, beats[t] + 1)) <= b}


def check(db):
    rep = Report()
    by_name, by_index = content.ragas(db)
    _, tala_beats = content.talas(db)
    styles = {}
    for idx, up, down, pakad in db.execute('SELECT "Raga Index", "AarohaAlt", "AvrohaAlt", "Pakad" '
                                           'FROM "Raga - Technical Information"'):
        # Turns the raga's own avroha or pakad makes are idiomatic even where they rise.
        styles[idx] = ({notation.pitch_class(w) for w in (up or "").split()},
                       runs(down or "") | runs(pakad or ""))
    alt_count = {2: 0, 3: 0}
    for idx, ptype, notes_text, dur_text in db.execute(
            'SELECT "RagaIndex", "PhraseType", "NotesPhrase", "DurationPhrase" '
            'FROM "Raga - ALT Phrases" WHERE "PhraseType" IN (2, 3) ORDER BY rowid'):
        raga = by_index.get(idx)
        who = "%s %s" % (raga or "raga %r" % idx, "layakari" if ptype == 2 else "taan")
        if raga is None:
            rep.error(who, "RagaIndex %r is not a raga" % idx)
            continue
        alt_count[ptype] += 1
        check_alt(rep, who, ptype, notes_text or "", dur_text, by_name[raga][1],
                  styles.get(idx, NO_STYLE))
    theka = theka_talas(db)
    if theka is None:
        rep.warn("ThekaTypeBolsForTaal", "holds no rows yet: the talas' thekas are not checked")
    counts = check_items(rep, db, by_name, by_index, styles, tala_beats, theka)
    pairs = {frozenset((idx, by_name[info][0])) for idx, info in db.execute(
        'SELECT "Raga Index", "Add Info" FROM "Raga - Additional Information" WHERE "Add Info Type" = 1')
        if info in by_name}
    phrases = raga_phrases(db)
    check_distinct(rep, phrases, by_index, pairs)
    check_directions(rep, db, phrases, by_name, by_index)
    with_comp = {r[0] for r in db.execute(
        'SELECT DISTINCT "Raga Index" FROM "Raga - Additional Information" WHERE "Add Info Type" = 2')}
    for idx, name in sorted(by_index.items()):
        level = db.execute('SELECT "Level" FROM "RagaNameList" WHERE "Raga Index" = ?', (idx,)).fetchone()[0]
        if level == 1 and idx not in with_comp:
            rep.warn(name, "a raga of group 1 without a composition")
    summary = ("%d layakari rows, %d taan rows, %d similar ragas, %d compositions, %d film songs"
               % (alt_count[2], alt_count[3], counts[1], counts[2], counts[3]))
    return rep, summary


def main(argv):
    schema, data, rest = content.parse_args(argv)
    strict = "--strict" in rest
    db, paths = content.load(schema, data)
    rep, summary = check(db)
    for e in rep.errors:
        print("error:", e)
    for w in rep.warnings:
        print("warning:", w)
    print("loaded %d SQL files; %s" % (len(paths), summary))
    print("%d errors, %d warnings" % (len(rep.errors), len(rep.warnings)))
    return 1 if rep.errors or (strict and rep.warnings) else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
