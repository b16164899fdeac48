#!/usr/bin/env python3
"""Checks the raga content SQL: loads it into a scratch SQLite database built from the
table definitions below and checks every raga row by row, including that the alap rests
on the notes the raga's text names as resting notes and never dwells on a note the text
says it only touches.

Usage: ragacheck.py [--strict] [file.sql ...]
  default files: content/data/ragas_group*.sql of the repository
  --strict      also fail on warnings (musical plausibility checks)
Exit status 0 when no error (and, with --strict, no warning) was found.
"""
import glob
import os
import re
import sqlite3
import sys

import notes

# The raga tables as the program reads them (names and column spellings exact).
SCHEMA = """
CREATE TABLE [RagaNameList] (
  [Raga] TEXT NOT NULL COLLATE NOCASE PRIMARY KEY,
  [Raga Index] INTEGER NOT NULL UNIQUE,
  [Level] INTEGER NOT NULL);
CREATE TABLE [Raga - Technical Information] (
  [Raga Index] INTEGER NOT NULL PRIMARY KEY,
  [Thata] TEXT, [Jati] TEXT NOT NULL, [Vadi] TEXT NOT NULL, [Samvadi] TEXT NOT NULL,
  [VadiNum] INTEGER NOT NULL, [SamvadiNum] INTEGER NOT NULL,
  [Appropriate time] TEXT NOT NULL, [DroneType] INTEGER NOT NULL,
  [OPRSetId] INTEGER NOT NULL, [Notes] TEXT NOT NULL,
  [AarohaAlt] TEXT NOT NULL, [AvrohaAlt] TEXT NOT NULL,
  [AaDuration] TEXT NOT NULL, [AvDuration] TEXT NOT NULL,
  [Pakad] TEXT NOT NULL, [PakadDuration] TEXT NOT NULL);
CREATE TABLE [Raga - ALT Phrases] (
  [RagaIndex] INTEGER NOT NULL, [PhraseType] INTEGER NOT NULL,
  [NotesPhrase] TEXT, [DurationPhrase] TEXT,
  PRIMARY KEY ([RagaIndex], [PhraseType]));
CREATE TABLE [Raga - Notes] (
  [Raga Index] INTEGER NOT NULL PRIMARY KEY,
  [Raga Note Ids] TEXT NOT NULL);
"""

THATAS = {"Bilawal", "Kalyan", "Khamaj", "Bhairav", "Purvi", "Marwa", "Kafi",
          "Asavari", "Bhairavi", "Todi"}
JATI_COUNT = {"Audav": 5, "Shadav": 6, "Sampurna": 7}
DRONE_NOTE = {1: "P", 2: "m", 3: "N"}
GROUP_SIZES = {1: 30, 2: 20, 3: 20}
RAGA_COUNT = 70
MIN_ALAP_PHRASES = 4
# Lowest and highest note the keyboard, the workbench and the composer palette all show.
LOWEST, HIGHEST = notes.index("m<"), notes.index("P>")
# A note of 250 ms or less is played without its grace note.
GLIDE_MIN = 26
# Vadi-samvadi pairs a fourth or fifth apart are the rule; these ragas are the known
# exceptions of the standard system.
INTERVAL_EXCEPTIONS = {"Marwa", "Puriya Dhanashree", "Shree", "Pilu", "Rageshree"}
# Ragas with a weak Pa that are commonly accompanied by a Ma drone.
MA_DRONE_WITH_PA = {"Bageshree"}
# The program splits a text into at most 501 words.
MAX_WORDS = 501
TIME_RE = re.compile(r"^(\d\d)-(\d\d) h, \S")


class Report:
    def __init__(self):
        self.errors, self.warnings = [], []

    def error(self, raga, text):
        self.errors.append("%s: %s" % (raga, text))

    def warn(self, raga, text):
        self.warnings.append("%s: %s" % (raga, text))


def note_words(text):
    return [w for w in text.split() if w not in (":", ",")]


def check_word(rep, who, where, word, allowed):
    """A note word (plain note or glide): names, range and membership of the raga."""
    if word.startswith(":") or word.endswith(":"):
        rep.error(who, "%s: segment mark stuck to a note (%r); write it as its own word"
                  % (where, word))
        word = word.strip(":")
    pieces = word.split("'")
    if len(pieces) > 2 or "" in pieces:
        rep.error(who, "%s: malformed glide %r" % (where, word))
        return
    for p in pieces:
        k = notes.index(p)
        if k < 0:
            rep.error(who, "%s: %r is not a note name" % (where, p))
            continue
        if not LOWEST <= k <= HIGHEST:
            rep.error(who, "%s: %r lies outside m< .. P>" % (where, p))
        if notes.pitch_class(p) not in allowed:
            rep.error(who, "%s: %r is not a note of the raga" % (where, p))
    if len(pieces) == 2 and notes.index(pieces[0]) == 0:
        rep.error(who, "%s: a glide from S< loses its grace note" % where)


def parse_durations(rep, who, where, text):
    out = []
    for w in text.split():
        if w == ",":
            out.append(w)
        elif re.fullmatch(r"[1-9]\d*", w):
            out.append(int(w))
        else:
            rep.error(who, "%s: %r is not a whole positive duration" % (where, w))
            out.append(0)
    return out


def check_single_phrase(rep, who, where, notes_text, dur_text, allowed, segments):
    """Aroha, avroha, pakad: one phrase, durations one per note word."""
    words = notes_text.split()
    if not words:
        rep.error(who, "%s is empty" % where)
        return []
    if "," in words:
        rep.error(who, "%s holds a phrase mark" % where)
    if not segments and ":" in notes_text:
        rep.error(who, "%s holds a segment mark; it is played as it stands" % where)
    if segments:
        pieces = notes_text.split(":")
        if any(not p.split() for p in pieces):
            rep.error(who, "%s has an empty segment" % where)
    if len(words) > MAX_WORDS:
        rep.error(who, "%s holds more than %d words" % (where, MAX_WORDS))
    nw = note_words(notes_text)
    durs = parse_durations(rep, who, where + " durations", dur_text)
    if "," in durs:
        rep.error(who, "%s durations hold a separator" % where)
    if len(durs) != len(nw):
        rep.error(who, "%s: %d note words but %d durations" % (where, len(nw), len(durs)))
    for w, d in zip(nw, durs):
        check_word(rep, who, where, w, allowed)
        if "'" in w and isinstance(d, int) and d < GLIDE_MIN:
            rep.error(who, "%s: glide %s of %d0 ms is played without its grace note"
                      % (where, w, d))
    return list(zip(nw, [d if isinstance(d, int) else 0 for d in durs]))


def check_alap(rep, who, notes_text, dur_text, allowed):
    """Phrase list: phrases split at ",", segments at ":", and a "," duration word
    between phrases (a trailing one after the last phrase is tolerated)."""
    phrases = [p for p in notes_text.split(",")]
    if any(not p.split() for p in phrases):
        rep.error(who, "alap has an empty phrase")
    phrases = [p for p in phrases if p.split()]
    durs = parse_durations(rep, who, "alap durations", dur_text)
    groups = [[]]
    for d in durs:
        if d == ",":
            groups.append([])
        else:
            groups[-1].append(d)
    if len(groups) == len(phrases) + 1 and not groups[-1]:
        groups.pop()
    if len(groups) != len(phrases):
        rep.error(who, "alap: %d phrases but %d duration groups" % (len(phrases), len(groups)))
    if len(phrases) < MIN_ALAP_PHRASES:
        rep.error(who, "alap has only %d phrases" % len(phrases))
    for what, text in (("notes", notes_text), ("durations", dur_text)):
        if len(text.split()) > MAX_WORDS:
            rep.error(who, "alap %s hold more than %d words" % (what, MAX_WORDS))
    # Walk the lists as the program's loader does: per phrase, per segment, n durations
    # for n words, then one separator word after the phrase.
    dwords = dur_text.split()
    pos = 0
    for k, p in enumerate(phrases):
        for seg in [x for x in p.split(":") if x.split()]:
            n = len(seg.split())
            taken = dwords[pos:pos + n]
            if len(taken) < n or "," in taken:
                rep.error(who, "alap phrase %d: the loader would read durations %r"
                          % (k + 1, " ".join(taken)))
            pos += n
        if pos < len(dwords) and dwords[pos] != ",":
            rep.error(who, "alap phrase %d: the loader would skip %r as the separator"
                      % (k + 1, dwords[pos]))
        pos += 1
    if pos < len(dwords):
        rep.error(who, "alap: %d duration words left over" % (len(dwords) - pos))
    played = []
    for k, p in enumerate(phrases):
        where = "alap phrase %d" % (k + 1)
        if any(not s.split() for s in p.split(":")):
            rep.error(who, "%s has an empty segment" % where)
        nw = note_words(p)
        g = groups[k] if k < len(groups) else []
        if len(g) != len(nw):
            rep.error(who, "%s: %d note words but %d durations" % (where, len(nw), len(g)))
        for w, d in zip(nw, g):
            check_word(rep, who, where, w, allowed)
            if "'" in w and d < GLIDE_MIN:
                rep.error(who, "%s: glide %s of %d0 ms is played without its grace note"
                          % (where, w, d))
        played.append(list(zip(nw, g)))
    return played


def swaras(text):
    return {notes.SWARA[notes.pitch_class(p)]
            for w in note_words(text) for p in w.split("'") if notes.index(p) >= 0}


def weight(played):
    """Total duration per pitch class, landing notes of glides included."""
    out = {}
    for w, d in played:
        pc = notes.pitch_class(w.split("'")[-1])
        out[pc] = out.get(pc, 0) + d
    return out


# Resting notes a raga's text names, read from a few fixed wordings: "Ga and Ni are the
# resting notes", "shuddha Ma as the resting note", "phrases rest on the upper Sa"; notes
# it holds long: "Dha is dwelt on"; and the notes it must not rest on: "Sa is touched
# rather than dwelt on", "avoids resting on Sa".
_NOTE = r"(?:(?i:upper|lower|komal|shuddha|tivra) )?(?:Sa|Re|Ga|Ma|Pa|Dha|Ni)\b"
_LIST = r"%s(?:(?: and |, )%s)*" % (_NOTE, _NOTE)
RESTS_ON = [re.compile(r"\b(%s) (?:is|are) (?:[a-z]+ ){0,3}resting notes?\b" % _LIST),
            re.compile(r"\b(%s) as (?:the |its )?resting notes?\b" % _LIST),
            re.compile(r"\brests? on (?:the )?(%s)" % _LIST)]
DWELT_ON = re.compile(r"\b(%s) (?:is|are) dwelt on" % _LIST)
NOT_RESTING = [re.compile(r"\b(%s) (?:is|are) touched rather than dwelt on" % _LIST),
               re.compile(r"\bavoids? resting on (?:the )?(%s)" % _LIST)]
SPEAKS_OF_RESTING = re.compile(r"\b(?:rest|rests|resting|dwelt)\b", re.IGNORECASE)
SWARA_NAME = {"Sa": "S", "Re": "R", "Ga": "G", "Ma": "M", "Pa": "P", "Dha": "D", "Ni": "N"}
QUALIFIED = {"komal": set("rgdn"), "shuddha": set("RGmDN"), "tivra": {"M"}}
# A phrase that closes on a note held this long (10 ms units) or longer rests on it.
REST_HOLD = 100


def named_notes(list_text, allowed):
    """[(text of the name, pitch classes it may be, octave mark or None)] of a note list."""
    out = []
    for name in re.findall(_NOTE, list_text):
        words = name.split()
        octave, forms = None, None
        for w in words[:-1]:
            w = w.lower()
            if w in ("upper", "lower"):
                octave = ">" if w == "upper" else "<"
            else:
                forms = QUALIFIED[w]
        swara = SWARA_NAME[words[-1]]
        pcs = {pc for pc in allowed if notes.SWARA[pc] == swara}
        if forms is not None:
            pcs &= forms
        out.append((name, pcs, octave))
    return out


def closes_on(word, pcs, octave):
    name = word.split("'")[-1]
    if notes.pitch_class(name) not in pcs:
        return False
    return octave is None or name.endswith(octave)


def check_rests(rep, who, text, allowed, phrases, pakad):
    """The resting notes the text names close some alap phrase, a note it says is dwelt on
    is held long somewhere, and a note it says the raga does not dwell on closes neither
    the pakad nor any alap phrase held long."""
    claims = 0
    for pattern in RESTS_ON:
        for m in pattern.finditer(text):
            claims += 1
            for name, pcs, octave in named_notes(m.group(1), allowed):
                if not pcs:
                    rep.error(who, "the text names %s as a resting note, which the raga does "
                              "not have" % name)
                elif not any(p and closes_on(p[-1][0], pcs, octave) for p in phrases):
                    rep.error(who, "the text says phrases rest on %s, but no alap phrase "
                              "ends on it" % name)
    for m in DWELT_ON.finditer(text):
        claims += 1
        for name, pcs, octave in named_notes(m.group(1), allowed):
            if not any(closes_on(w, pcs, octave) and d >= REST_HOLD for p in phrases for w, d in p):
                rep.error(who, "the text says %s is dwelt on, but no alap phrase holds it for "
                          "%d0 ms or more" % (name, REST_HOLD))
    for pattern in NOT_RESTING:
        for m in pattern.finditer(text):
            claims += 1
            for name, pcs, octave in named_notes(m.group(1), allowed):
                if pakad and closes_on(pakad[-1][0], pcs, octave):
                    rep.error(who, "the pakad comes to rest on %s, which the text says the "
                              "raga does not dwell on" % name)
                for k, p in enumerate(phrases):
                    if p and closes_on(p[-1][0], pcs, octave) and p[-1][1] >= REST_HOLD:
                        rep.error(who, "alap phrase %d rests on %s for %d0 ms, which the text "
                                  "says the raga does not dwell on" % (k + 1, name, p[-1][1]))
    if not claims and SPEAKS_OF_RESTING.search(text):
        rep.error(who, "the text speaks of resting notes in words the checker does not "
                  "read (write \"Ga is the resting note\" or \"phrases rest on Ga\")")


def check(db):
    rep = Report()
    names = db.execute("SELECT [Raga], [Raga Index], [Level] FROM [RagaNameList] "
                       "ORDER BY rowid").fetchall()
    tech = {r[0]: r for r in db.execute(
        "SELECT [Raga Index], [Thata], [Jati], [Vadi], [Samvadi], [VadiNum], [SamvadiNum], "
        "[Appropriate time], [DroneType], [OPRSetId], [Notes], [AarohaAlt], [AvrohaAlt], "
        "[AaDuration], [AvDuration], [Pakad], [PakadDuration] "
        "FROM [Raga - Technical Information]")}
    alap = {r[0]: r for r in db.execute(
        "SELECT [RagaIndex], [NotesPhrase], [DurationPhrase] FROM [Raga - ALT Phrases] "
        "WHERE [PhraseType] = 1")}
    note_ids = {r[0]: r[1] for r in db.execute(
        "SELECT [Raga Index], [Raga Note Ids] FROM [Raga - Notes]")}
    tech_order = [r[0] for r in db.execute(
        "SELECT [Raga Index] FROM [Raga - Technical Information] ORDER BY rowid")]

    # Names, indexes and groups.
    by_index = {}
    seen = set()
    for name, idx, level in names:
        if name.lower() in seen:
            rep.error(name, "name is not unique")
        seen.add(name.lower())
        if name != name.strip() or not name:
            rep.error(name, "name has surrounding blanks")
        by_index[idx] = name
        if level not in GROUP_SIZES:
            rep.error(name, "level %r is not a group 1-3" % level)
    if sorted(by_index) != list(range(1, RAGA_COUNT + 1)):
        rep.error("content", "Raga Index values are not exactly 1..%d" % RAGA_COUNT)
    for level, size in GROUP_SIZES.items():
        n = sum(1 for r in names if r[2] == level)
        if n != size:
            rep.error("content", "group %d holds %d ragas, not %d" % (level, n, size))
    if tech_order != sorted(tech_order):
        rep.error("content", "technical rows are not stored in Raga Index order")
    for idx in set(tech) | set(alap) | set(note_ids):
        if idx not in by_index:
            rep.error("index %d" % idx, "row without a RagaNameList name")

    times = []
    for idx in sorted(by_index):
        who = "%d %s" % (idx, by_index[idx])
        if idx not in tech:
            rep.error(who, "no row in Raga - Technical Information")
            continue
        if idx not in alap:
            rep.error(who, "no alap row in Raga - ALT Phrases")
        if idx not in note_ids:
            rep.error(who, "no row in Raga - Notes")
            continue
        (_, thata, jati, vadi, samvadi, vnum, snum, time, drone, opr, text,
         aroha, avroha, aa, av, pakad, pd) = tech[idx]

        # The raga's notes.
        ids = note_ids[idx].split()
        try:
            ids = [int(x) for x in ids]
        except ValueError:
            rep.error(who, "Raga Note Ids %r are not numbers" % note_ids[idx])
            continue
        if ids != sorted(set(ids)):
            rep.error(who, "Raga Note Ids are not ascending and distinct")
        if not ids or ids[-1] != 24 or not all(12 <= k <= 23 for k in ids[:-1]) or 12 not in ids:
            rep.error(who, "Raga Note Ids must be middle-octave notes with S, then 24")
        allowed = {notes.NAMES[k] for k in ids if 12 <= k <= 23}
        if not 5 <= len(allowed) <= 10:
            rep.error(who, "%d notes" % len(allowed))

        # Technical fields.
        if thata is not None and thata not in THATAS:
            rep.error(who, "thata %r is not one of the ten" % thata)
        for what, note, num in (("vadi", vadi, vnum), ("samvadi", samvadi, snum)):
            if notes.index(note) < 12 or notes.index(note) > 23:
                rep.error(who, "%s %r is not a middle-octave note name" % (what, note))
            elif note not in allowed:
                rep.error(who, "%s %s is not among the raga's notes" % (what, note))
            elif num != notes.index(note):
                rep.error(who, "%sNum %r does not match %s (%d)"
                          % (what.capitalize(), num, note, notes.index(note)))
        if vadi == samvadi:
            rep.error(who, "vadi and samvadi are the same note")
        m = TIME_RE.match(time or "")
        if not m or int(m.group(1)) > 23 or int(m.group(2)) > 24:
            rep.error(who, "time %r does not begin with an hour range 'hh-hh h, '" % time)
        else:
            times.append(time)
        if drone not in DRONE_NOTE:
            rep.error(who, "drone type %r is not 1, 2 or 3" % drone)
        elif DRONE_NOTE[drone] not in allowed:
            rep.error(who, "drone on %s, which the raga does not use" % DRONE_NOTE[drone])
        elif drone != 1 and "P" in allowed and by_index[idx] not in MA_DRONE_WITH_PA:
            rep.warn(who, "raga has Pa but the drone is on %s" % DRONE_NOTE[drone])
        if not text or len(text) < 40:
            rep.error(who, "notes text is missing or too short")

        # Scale and pakad.
        up = check_single_phrase(rep, who, "aroha", aroha, aa, allowed, False)
        down = check_single_phrase(rep, who, "avroha", avroha, av, allowed, False)
        pk = check_single_phrase(rep, who, "pakad", pakad, pd, allowed, True)
        if up and up[-1][0] != "S>":
            rep.warn(who, "aroha does not end on S>")
        if down and down[0][0] != "S>":
            rep.warn(who, "avroha does not begin on S>")
        parts = (jati or "").split("-")
        if len(parts) != 2 or any(p not in JATI_COUNT for p in parts):
            rep.error(who, "jati %r is not <class>-<class>" % jati)
        else:
            for part, scale_text, what in ((parts[0], aroha, "aroha"),
                                           (parts[1], avroha, "avroha")):
                n = len(swaras(scale_text))
                if n != JATI_COUNT[part]:
                    rep.error(who, "jati says %s but the %s has %d swaras"
                              % (part, what, n))
        used = set()
        for w, _ in up + down + pk:
            used.update(notes.pitch_class(p) for p in w.split("'"))

        # Alap.
        if idx in alap:
            phrases = check_alap(rep, who, alap[idx][1] or "", alap[idx][2] or "", allowed)
            flat = [x for p in phrases for x in p]
            for w, _ in flat:
                used.update(notes.pitch_class(p) for p in w.split("'"))
            wt = weight(flat + pk)
            ranked = sorted(wt, key=lambda k: -wt[k])
            for what, note, top in (("vadi", vadi, 3), ("samvadi", samvadi, 5)):
                others = [k for k in ranked if k != "S"] if note != "S" else ranked
                if note not in others[:top]:
                    rep.warn(who, "%s %s is not among the %d most held notes of the alap "
                             "and pakad (%s)" % (what, note, top, " ".join(ranked[:5])))
            check_rests(rep, who, text or "", allowed, phrases, pk)
            with_vadi = sum(1 for p in phrases
                            if any(notes.pitch_class(w.split("'")[-1]) == vadi for w, _ in p))
            if with_vadi * 2 < len(phrases):
                rep.warn(who, "vadi %s appears in only %d of %d alap phrases"
                         % (vadi, with_vadi, len(phrases)))
            # A note the aroha leaves out must not be passed through on a straight way up.
            # Turns that the avroha or the pakad themselves make (vakra movement) are allowed.
            skipped = {notes.pitch_class(w) for w, _ in up}
            allowed_turns = set()
            for line in (down, pk):
                seq = [notes.pitch_class(w.split("'")[-1]) for w, _ in line]
                allowed_turns.update(zip(seq, seq[1:], seq[2:]))
            for k, p in enumerate(phrases):
                seq = [notes.index(w.split("'")[-1]) for w, _ in p]
                for x in range(1, len(seq) - 1):
                    turn = tuple(notes.pitch_class(notes.NAMES[n]) for n in seq[x - 1:x + 2])
                    if seq[x - 1] < seq[x] < seq[x + 1] and turn[1] not in skipped \
                            and turn not in allowed_turns:
                        rep.warn(who, "alap phrase %d passes %s on the way up, which the "
                                 "aroha leaves out" % (k + 1, notes.NAMES[seq[x]]))
        if up and notes.index(up[0][0]) >= notes.index(up[-1][0]):
            rep.error(who, "aroha does not rise")
        if down and notes.index(down[0][0]) <= notes.index(down[-1][0]):
            rep.error(who, "avroha does not fall")
        unused = allowed - used
        if unused:
            rep.error(who, "notes %s are listed but never played" % " ".join(sorted(unused)))
        if by_index[idx] not in INTERVAL_EXCEPTIONS and vadi in allowed and samvadi in allowed:
            gap = abs(notes.index(vadi) - notes.index(samvadi)) % 12
            if gap not in (5, 7):
                rep.warn(who, "vadi %s and samvadi %s are not a fourth or fifth apart"
                         % (vadi, samvadi))
    return rep


def load(paths):
    db = sqlite3.connect(":memory:")
    db.executescript(SCHEMA)
    for p in paths:
        with open(p, encoding="utf-8") as f:
            try:
                db.executescript(f.read())
            except sqlite3.Error as e:
                raise SystemExit("%s: %s" % (p, e))
    return db


def main(argv):
    strict = "--strict" in argv
    paths = [a for a in argv if a != "--strict"]
    if not paths:
        root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
        paths = sorted(glob.glob(os.path.join(root, "content", "data", "ragas_group*.sql")))
    rep = check(load(paths))
    for e in rep.errors:
        print("error:", e)
    for w in rep.warnings:
        print("warning:", w)
    print("%d errors, %d warnings" % (len(rep.errors), len(rep.warnings)))
    return 1 if rep.errors or (strict and rep.warnings) else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
