#!/usr/bin/env python3
"""Writes content/data/ragas_group1.sql .. ragas_group3.sql from ragadata.py.

Usage: ragagen.py [--check] [repository root]   (default: two folders above this file)
  --check  write nothing; exit 1 when a committed file differs from what would be written
"""
import os
import sys

import ragadata
import notes

HEADER = """\
-- Ragas of group {level}: names, technical data, scale, pakad, alap phrases and notes.
-- Written by tools/ragacheck/ragagen.py from tools/ragacheck/ragadata.py; edit those and
-- regenerate, then run tools/ragacheck/ragacheck.py.
--
-- Formats:
-- * Notation is English note words (S r R g G m M P d D n N; "<" lower, ">" upper octave),
--   one blank between words; a glide is "grace'note" in one word.
-- * Aroha and avroha carry no segment or phrase marks: the scale is played as they stand.
-- * Pakad segments are separated by the word ":" with a blank on each side; PakadDuration has
--   one duration per note word and none for the ":" words.
-- * Alap (PhraseType 1): phrases separated by " , ", segments by " : ". DurationPhrase has
--   one duration per note word, nothing for ":", and the word "," between two phrases
--   (none after the last phrase), the form the program itself writes.
-- * Durations are whole numbers in units of 10 ms; every glide lasts more than 250 ms so its
--   grace note sounds.
-- * VadiNum and SamvadiNum are middle-octave note indexes (S = 12 ... N = 23).
-- * "Raga Note Ids" lists the raga's notes as middle-octave indexes in ascending order,
--   followed by the upper Sa (24), so that the count less 6 gives the scale type
--   (0 audav, 1 shadav, 2 sampurna; ragas with both forms of a note give more).
-- * "Appropriate time" begins with its hour range on the 24-hour clock, so that sorting by
--   time follows the day from midnight.
-- * DroneType: 1 Pa, 2 Ma, 3 Ni. OPRSetId is 0 (not used).
-- * Raga Index values are permanent; a later release must never renumber or reuse them.

"""

# Default durations (10 ms units) by context: (plain, glide, segment end, phrase end).
ALAP_DEFAULTS = (50, 60, 80, 150)
PAKAD_DEFAULTS = (40, 50, 70, 120)
SCALE_NOTE, SCALE_LAST = 40, 80


def q(text):
    if text is None:
        return "NULL"
    return "'" + text.replace("'", "''") + "'"


def expand(list_text, defaults):
    """Splits authored text into (notation words, per-phrase durations).

    Returns the notation phrase text and the duration text with "," between phrases.
    """
    plain, glide, seg_end, phrase_end = defaults
    phrases = [p.split() for p in list_text.split(",")]
    note_out, dur_out = [], []
    for words in phrases:
        words = [w for w in words if w]
        nwords, durs = [], []
        for i, w in enumerate(words):
            if w == ":":
                nwords.append(w)
                continue
            name, _, given = w.partition("/")
            nwords.append(name)
            if given:
                durs.append(int(given))
                continue
            last = i == len(words) - 1
            before_colon = i + 1 < len(words) and words[i + 1] == ":"
            if last:
                durs.append(phrase_end)
            elif before_colon:
                durs.append(seg_end)
            elif "'" in name:
                durs.append(glide)
            else:
                durs.append(plain)
        note_out.append(" ".join(nwords))
        dur_out.append(" ".join(str(d) for d in durs))
    return " , ".join(note_out), " , ".join(dur_out)


def scale(text):
    words = text.split()
    durs = [SCALE_NOTE] * len(words)
    durs[-1] = SCALE_LAST
    return " ".join(words), " ".join(str(d) for d in durs)


def raga_sql(r):
    aroha, aa = scale(r["aroha"])
    avroha, av = scale(r["avroha"])
    pakad, pd = expand(r["pakad"], PAKAD_DEFAULTS)
    alap, ad = expand(" , ".join(r["alap"]), ALAP_DEFAULTS)
    ids = sorted(notes.NAMES.index(n) for n in r["notes"]) + [24]
    i = r["index"]
    return [
        "INSERT INTO [RagaNameList] ([Raga], [Raga Index], [Level]) VALUES (%s, %d, %d);"
        % (q(r["name"]), i, r["level"]),
        "INSERT INTO [Raga - Technical Information] ([Raga Index], [Thata], [Jati], [Vadi], "
        "[Samvadi], [VadiNum], [SamvadiNum], [Appropriate time], [DroneType], [OPRSetId], "
        "[Notes], [AarohaAlt], [AvrohaAlt], [AaDuration], [AvDuration], [Pakad], "
        "[PakadDuration]) VALUES (%d, %s, %s, %s, %s, %d, %d, %s, %d, 0, %s, %s, %s, %s, "
        "%s, %s, %s);"
        % (i, q(r["thata"]), q(r["jati"]), q(r["vadi"]), q(r["samvadi"]),
           notes.NAMES.index(r["vadi"]), notes.NAMES.index(r["samvadi"]), q(r["time"]),
           r["drone"], q(r["text"]), q(aroha), q(avroha), q(aa), q(av), q(pakad), q(pd)),
        "INSERT INTO [Raga - ALT Phrases] ([RagaIndex], [PhraseType], [NotesPhrase], "
        "[DurationPhrase]) VALUES (%d, 1, %s, %s);" % (i, q(alap), q(ad)),
        "INSERT INTO [Raga - Notes] ([Raga Index], [Raga Note Ids]) VALUES (%d, %s);"
        % (i, q(" ".join(str(n) for n in ids))),
    ]


def main():
    args = sys.argv[1:]
    check_only = "--check" in args
    args = [a for a in args if a != "--check"]
    root = args[0] if args else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..")
    stale = []
    out_dir = os.path.join(root, "content", "data")
    if not check_only:
        os.makedirs(out_dir, exist_ok=True)
    for level in (1, 2, 3):
        ragas = sorted((r for r in ragadata.RAGAS if r["level"] == level),
                       key=lambda r: r["index"])
        if not ragas:
            continue
        # One table at a time, each in Raga Index order: the stored order is the order
        # in which the program walks the tables.
        rows = [raga_sql(r) for r in ragas]
        parts = [HEADER.format(level=level)]
        for k, title in enumerate(("RagaNameList", "Raga - Technical Information",
                                   "Raga - ALT Phrases", "Raga - Notes")):
            parts.append("-- %s\n" % title)
            parts.extend(row[k] + "\n" for row in rows)
            parts.append("\n")
        path = os.path.join(out_dir, "ragas_group%d.sql" % level)
        text = "".join(parts).rstrip("\n") + "\n"
        if check_only:
            try:
                with open(path, encoding="utf-8") as f:
                    if f.read() != text:
                        stale.append(path)
            except OSError:
                stale.append(path)
            continue
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        print("wrote", path, len(ragas), "ragas")
    for path in stale:
        print("out of date:", path)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main())
