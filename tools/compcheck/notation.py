"""Note names and the beat notation in which the compositions and comparisons are written.

Note names: index = octave x 12 + position, positions S r R g G m M P d D n N, "<" lower
octave, ">" upper octave; a glide is "grace'note" in one word.

Beat notation (authoring form only; the SQL holds plain note and syllable lists):
  the text is a row of beat tokens separated by blanks; "|" marks a vibhag and is skipped.
  A token is one matra: "G" one note on the beat, "G.R" two half-beat notes,
  "G.m.P.m" four quarter-beat notes, "-" holds the note before for one more matra, and
  "-" inside a token ("-.R") holds it for that part of the beat.
  Syllables follow "=", one per note of the token and separated by "." as well:
  "G.R=ka.ro"; "_" (or a token without "=") lets the syllable before go on sounding.
"""
from fractions import Fraction

_POSITIONS = ["S", "r", "R", "g", "G", "m", "M", "P", "d", "D", "n", "N"]
NAMES = [n + "<" for n in _POSITIONS] + _POSITIONS + [n + ">" for n in _POSITIONS]


def index(name):
    """Index 0-35 of an English note name, or -1."""
    return NAMES.index(name) if name in NAMES else -1


def pitch_class(name):
    return name.rstrip("<>")


def landing(word):
    """The note a word sounds on (the last note of a glide)."""
    return word.split("'")[-1]


def fmt(value):
    """A matra count as the program reads it: "2", "0.5", "0.25", "1.5"."""
    value = Fraction(value)
    if value.denominator == 1:
        return str(value.numerator)
    return ("%.4f" % float(value)).rstrip("0")


class NotationError(ValueError):
    pass


def parse_beats(text, with_syllables=True):
    """Returns ([(note word, matras)], [(syllable, matras)]) of a beat-notation text.

    Syllables start on notes, so every syllable boundary is a note boundary."""
    notes, syls = [], []
    for token in text.split():
        if token == "|":
            continue
        head, _, syl_text = token.partition("=")
        parts = head.split(".")
        share = Fraction(1, len(parts))
        if syl_text:
            syl_parts = syl_text.split(".")
            if len(syl_parts) != len(parts):
                raise NotationError("token %r: %d notes but %d syllables"
                                    % (token, len(parts), len(syl_parts)))
        else:
            syl_parts = ["_"] * len(parts)
        for note, syl in zip(parts, syl_parts):
            if note == "-":
                if not notes:
                    raise NotationError("token %r holds a note before the first" % token)
                notes[-1][1] += share
                if syl != "_":
                    raise NotationError("token %r: a held note cannot start a syllable" % token)
            else:
                notes.append([note, share])
            if syl != "_":
                syls.append([syl, share])
            elif with_syllables:
                if not syls:
                    raise NotationError("token %r: the first note has no syllable" % token)
                syls[-1][1] += share
    return [tuple(n) for n in notes], [tuple(s) for s in syls]
