"""The note-name table shared by the generator and the checker: index = octave x 12 +
position, S r R g G m M P d D n N, "<" lower octave, ">" upper octave."""

_POSITIONS = ["S", "r", "R", "g", "G", "m", "M", "P", "d", "D", "n", "N"]

NAMES = ([n + "<" for n in _POSITIONS] + _POSITIONS + [n + ">" for n in _POSITIONS])

# Swara letter of each position: both forms of a note count as one swara for the jati.
SWARA = {"S": "S", "r": "R", "R": "R", "g": "G", "G": "G", "m": "M", "M": "M",
         "P": "P", "d": "D", "D": "D", "n": "N", "N": "N"}


def index(name):
    """Index 0-35 of an English note name, or -1."""
    try:
        return NAMES.index(name)
    except ValueError:
        return -1


def pitch_class(name):
    """The note without its octave mark ("D<" -> "D")."""
    return name.rstrip("<>")
