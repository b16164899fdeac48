#!/usr/bin/python3
"""Builds the sargam notation font "Shusha" (Regular and Bold) and its licence text.

Notation texts are 8-bit: each ASCII character stands for one piece of a Devanagari
sargam syllable, drawn left to right ("saa" draws सा, "ro\\" रे॒, "inaM" नि with a dot
above). The outlines come from Noto Sans Devanagari (SIL Open Font License 1.1);
only outlines are kept, unhinted. The output is byte-identical from run to run.

Without shaping every mark sits at one offset from the end of its syllable. Qt
shapes even ASCII text, and for it a GSUB layer (feature ccmp) centres each mark
under or over its own syllable, draws tivra Ma as a vertical stroke above म and
keeps the stem of a letter followed by "a" from being drawn twice.

Usage: make_font.py --regular NOTO-REGULAR --bold NOTO-BOLD --licence COPYRIGHT --out DIR
"""

import argparse
import os
import statistics
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.otlLib.maxContextCalc import maxCtxFont
from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

FAMILY = "Shusha"
VERSION = 1.0
# 2026-01-01 00:00:00 UTC in seconds since 1904-01-01, so every build carries the same dates.
TIMESTAMP = 3850156800

# Glyph name, character, source glyph of Noto Sans Devanagari.
LETTERS_WITH_STEM = [("sa", "s", "sadeva"), ("ga", "g", "gadeva"), ("ma", "m", "madeva"),
                     ("dha", "Q", "dhadeva"), ("na", "n", "nadeva")]
CHARACTERS = {
    "space": " ", "quotesingle": "'", "colon": ":",
    "sa": "s", "ga": "g", "ma": "m", "dha": "Q", "na": "n", "pa": "p", "ra": "r",
    "aa": "a", "esign": "o", "isign": "i",
    "komal": "\\", "dotbelow": ",", "dotabove": "M",
}
MARKS = ["esign", "komal", "dotbelow", "dotabove"]

# The syllables of the note names, as the glyphs that draw them.
SYLLABLES = {
    "sa": ["sa", "aa", "aa"],    # "saa" सा
    "re": ["ra", "esign"],       # "ro"  रे
    "ga": ["ga", "aa"],          # "ga"  ग
    "ma": ["ma", "aa"],          # "ma"  म
    "pa": ["pa"],                # "p"   प
    "dha": ["dha", "aa"],        # "Qa"  ध
    "ni": ["isign", "na", "aa"],  # "ina" नि
}
# Syllables whose tops stand level with the headline (no e or i sign above it).
FLAT_TOPS = {"sa", "ga", "ma", "pa", "dha"}


class Source:
    """The glyphs of one Noto master that the font is made of."""

    def __init__(self, path):
        self.font = TTFont(path)
        self.glyphs = self.font.getGlyphSet()
        self.hmtx = self.font["hmtx"]

    def advance(self, name):
        return self.hmtx[name][0]

    def bounds(self, name):
        pen = BoundsPen(self.glyphs)
        self.glyphs[name].draw(pen)
        return pen.bounds

    def outline(self, name, dx=0, dy=0):
        """The glyph's outline moved by (dx, dy), components decomposed."""
        recording = DecomposingRecordingPen(self.glyphs)
        self.glyphs[name].draw(recording)
        pen = TTGlyphPen(None)
        recording.replay(TransformPen(pen, (1, 0, 0, 1, round(dx), round(dy))))
        return pen.glyph()

    def name(self, name_id):
        return self.font["name"].getDebugName(name_id)


class Master:
    """Builds the glyphs, metrics and GSUB rules of one style."""

    def __init__(self, source):
        self.src = source
        self.glyf = {}
        self.advance = {}
        self.ink = {}
        stem = source.advance("aavowelsigndeva")

        self.add("space", None, source.advance("space"))
        self.add("quotesingle", "quotesingle.deva", source.advance("quotesingle.deva"))
        self.add("colon", "colon.deva", source.advance("colon.deva"))
        # A letter with a stem stops where the stem of a following "a" begins, so that
        # "a" lays its stem exactly over the letter's own.
        for name, _, noto in LETTERS_WITH_STEM:
            self.add(name, noto, source.advance(noto) - stem)
        self.add("pa", "padeva", source.advance("padeva"))
        self.add("aa", "aavowelsigndeva", stem)
        self.add("aa.stem", None, stem)
        # The i sign shaped for न, typed before its letter.
        self.add("isign", "ivowelsign03deva", source.advance("ivowelsign03deva"))

        # Ra is widened so that a mark at the common offset centres under रे as
        # under the other syllables; the e sign moves back by as much.
        self.add("ra", "radeva", source.advance("radeva"))
        self.add("esign", "evowelsigndeva", 0)
        self.offset = round(statistics.mean(self.centre_from_end(s) for s in ("ga", "ma", "pa", "dha")))
        widen = self.offset - round(self.centre_from_end("re"))
        self.add("ra", "radeva", source.advance("radeva") + widen)
        self.add("esign", "evowelsigndeva", 0, dx=-widen)

        komal = source.bounds("anudattadeva")
        dot = source.bounds("anusvaradeva")
        headline = source.bounds("aavowelsigndeva")[3]
        dot_height = dot[3] - dot[1]
        top_of_signs = max(self.ink["esign"][3], self.ink["isign"][3])
        self.heights = {
            # Above: over a flat top where Noto sets its anusvara; over an e or i sign
            # raised by the same gap.
            "above.near": dot[1],
            "above.far": top_of_signs + (dot[1] - headline),
            # Below: just under the letter, or under the komal line.
            "below.near": komal[3] - dot_height,
            "below.far": komal[1] + komal[3] - dot_height,
        }

        # Marks without shaping: one offset from the end of every syllable, the
        # lower dot under the komal line, the upper dot clear of the e and i signs.
        self.add_mark("komal", "anudattadeva", self.offset)
        self.add_mark("dotbelow", "anusvaradeva", self.offset, self.heights["below.far"])
        self.add_mark("dotabove", "anusvaradeva", self.offset, self.heights["above.far"])
        # Tivra Ma: a vertical stroke above म, where Noto sets its udatta; an upper
        # dot beside it keeps a dot's width clear of it.
        self.add("tivra", "udattadeva", 0)
        dot_width = dot[2] - dot[0]
        tivra_dot = max(self.centre_from_end("ma"), -self.ink["tivra"][0] + 1.1 * dot_width)

        # Shaped forms: each mark centred on its own syllable.
        self.rules = {"dots": [], "komal": []}
        for syl, seq in SYLLABLES.items():
            centre = self.centre_from_end(syl)
            above = self.heights["above.near" if syl in FLAT_TOPS else "above.far"]
            ctx = " ".join(seq)
            self.add_mark(f"dotbelow.{syl}", "anusvaradeva", centre, self.heights["below.near"])
            self.add_mark(f"dotabove.{syl}", "anusvaradeva", centre, above)
            self.rules["dots"] += [f"sub {ctx} dotbelow' by dotbelow.{syl};",
                                   f"sub {ctx} dotabove' by dotabove.{syl};"]
            if syl == "ma":
                # "ma\" is tivra Ma: its stroke stands above, nothing below.
                self.add_mark("dotabove.ma.tivra", "anusvaradeva", tivra_dot, above)
                self.rules["dots"] += [f"sub {ctx} komal dotbelow' by dotbelow.ma;",
                                       f"sub {ctx} komal dotabove' by dotabove.ma.tivra;"]
                self.rules["komal"].append(f"sub {ctx} komal' by tivra;")
            else:
                self.add_mark(f"komal.{syl}", "anudattadeva", centre)
                self.add_mark(f"dotbelow.{syl}.komal", "anusvaradeva", centre, self.heights["below.far"])
                self.rules["dots"] += [f"sub {ctx} komal dotbelow' by dotbelow.{syl}.komal;",
                                       f"sub {ctx} komal dotabove' by dotabove.{syl};"]
                self.rules["komal"].append(f"sub {ctx} komal' by komal.{syl};")

    def add(self, name, noto, advance, dx=0, dy=0):
        glyph = self.src.outline(noto, dx, dy) if noto else TTGlyphPen(None).glyph()
        self.glyf[name] = glyph
        self.advance[name] = advance
        if noto:
            x0, y0, x1, y1 = self.src.bounds(noto)
            self.ink[name] = (x0 + round(dx), y0 + round(dy), x1 + round(dx), y1 + round(dy))
        else:
            self.ink[name] = None

    def add_mark(self, name, noto, centre_from_end, bottom=None):
        """A zero-width mark centred at centre_from_end before the pen; bottom moves it up or down."""
        x0, y0, x1, _ = self.src.bounds(noto)
        dx = -centre_from_end - (x0 + x1) / 2
        dy = 0 if bottom is None else bottom - y0
        self.add(name, noto, 0, dx, dy)

    def centre_from_end(self, syllable):
        """How far the middle of the syllable's ink lies before the pen after it."""
        pen, left, right = 0, None, None
        for name in SYLLABLES[syllable]:
            ink = self.ink[name]
            if ink:
                left = pen + ink[0] if left is None else min(left, pen + ink[0])
                right = pen + ink[2] if right is None else max(right, pen + ink[2])
            pen += self.advance[name]
        return pen - (left + right) / 2

    def features(self):
        stems = " ".join(name for name, _, _ in LETTERS_WITH_STEM)
        # The dots look back at the komal mark, so they are placed before it changes.
        return "\n".join([
            "languagesystem DFLT dflt;",
            "languagesystem latn dflt;",
            "lookup OctaveDots {", *self.rules["dots"], "} OctaveDots;",
            "lookup KomalAndTivra {", *self.rules["komal"], "} KomalAndTivra;",
            "lookup StemOnce {", f"sub [{stems}] aa' by aa.stem;", "} StemOnce;",
            "feature ccmp { lookup OctaveDots; lookup KomalAndTivra; lookup StemOnce; } ccmp;",
            "",
        ])

    def vertical_extent(self):
        inks = [ink for ink in self.ink.values() if ink]
        return max(ink[3] for ink in inks), min(ink[1] for ink in inks)


def build(source, master, bold, ascent, descent):
    order = [".notdef"] + sorted(master.glyf)
    glyf = dict(master.glyf)
    glyf[".notdef"] = source.outline(".notdef")
    advance = dict(master.advance)
    advance[".notdef"] = source.advance(".notdef")

    fb = FontBuilder(1000, isTTF=True)
    fb.font.recalcTimestamp = False
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap({ord(ch): name for name, ch in CHARACTERS.items()})
    fb.setupGlyf(glyf)
    glyf_table = fb.font["glyf"]
    metrics = {}
    for name in order:
        g = glyf_table[name]
        g.recalcBounds(glyf_table)
        metrics[name] = (advance[name], getattr(g, "xMin", 0) if g.numberOfContours else 0)
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=ascent, descent=-descent, lineGap=0)
    fb.setupHead(unitsPerEm=1000, fontRevision=VERSION, created=TIMESTAMP, modified=TIMESTAMP,
                 macStyle=1 if bold else 0)

    style = "Bold" if bold else "Regular"
    ps_name = f"{FAMILY}-{style}"
    fb.setupNameTable({
        "copyright": source.name(0),
        "familyName": FAMILY,
        "styleName": style,
        "uniqueFontIdentifier": f"{VERSION:.3f};VLMR;{ps_name}",
        "fullName": f"{FAMILY} {style}",
        "version": f"Version {VERSION:.3f}",
        "psName": ps_name,
        "description": "Devanagari sargam notation on ASCII characters, "
                       "made from the outlines of Noto Sans Devanagari.",
        "licenseDescription": source.name(13),
        "licenseInfoURL": source.name(14),
    }, mac=False)

    src_os2 = source.font["OS/2"]
    fb.setupOS2(
        version=4,
        usWeightClass=700 if bold else 400,
        usWidthClass=5,
        fsType=0,
        fsSelection=(1 << 5 if bold else 1 << 6) | (1 << 7),  # bold or regular; use typo metrics
        achVendID="VLMR",
        panose=src_os2.panose,
        sTypoAscender=ascent,
        sTypoDescender=-descent,
        sTypoLineGap=0,
        usWinAscent=ascent,
        usWinDescent=descent,
        sxHeight=src_os2.sxHeight,
        sCapHeight=src_os2.sCapHeight,
        usDefaultChar=0,
        usBreakChar=32,
        ulUnicodeRange1=1,   # Basic Latin: the characters the glyphs sit on
        ulUnicodeRange2=0,
        ulUnicodeRange3=0,
        ulUnicodeRange4=0,
        ulCodePageRange1=1,  # Latin 1
        ulCodePageRange2=0,
        usFirstCharIndex=min(ord(ch) for ch in CHARACTERS.values()),
        usLastCharIndex=max(ord(ch) for ch in CHARACTERS.values()),
    )
    fb.setupPost(keepGlyphNames=True,
                 underlinePosition=source.font["post"].underlinePosition,
                 underlineThickness=source.font["post"].underlineThickness)
    fb.setupMaxp()
    fb.addOpenTypeFeatures(master.features())
    os2 = fb.font["OS/2"]
    os2.xAvgCharWidth = round(statistics.mean(a for a in advance.values() if a > 0))
    os2.usMaxContext = maxCtxFont(fb.font)
    return fb.font


def licence_text(copyright_file):
    """The OFL 1.1 text of the font package's copyright file (Debian copyright format)."""
    with open(copyright_file, encoding="utf-8") as f:
        paragraphs = f.read().split("\n\n")
    for paragraph in paragraphs:
        lines = paragraph.strip("\n").split("\n")
        if lines[0].strip() == "License: OFL-1.1" and len(lines) > 1:
            body = [("" if line.strip() == "." else line[1:]) for line in lines[1:]]
            return "\n".join(body).rstrip() + "\n"
    raise SystemExit(f"{copyright_file}: no OFL-1.1 licence text")


def write_licence(path, sources, copyright_file):
    notices = []
    for source in sources:
        if source.name(0) not in notices:
            notices.append(source.name(0))
    text = "\n".join([
        f"The notation font {FAMILY} (\"{FAMILY}.ttf\", \"{FAMILY}-Bold.ttf\") is a modified version of",
        "Noto Sans Devanagari: its outlines, placed on ASCII characters for sargam notation.",
        "",
        *notices,
        "",
        "This Font Software is licensed under the SIL Open Font License, Version 1.1.",
        "This license is copied below.",
        "",
        "-----------------------------------------------------------",
        "SIL OPEN FONT LICENSE Version 1.1 - 26 February 2007",
        "-----------------------------------------------------------",
        "",
        licence_text(copyright_file),
    ])
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--regular", required=True)
    parser.add_argument("--bold", required=True)
    parser.add_argument("--licence", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()

    sources = [Source(args.regular), Source(args.bold)]
    masters = [Master(s) for s in sources]
    # One set of line metrics for both styles, tall enough for the raised dots.
    margin = 40
    ascent = max(m.vertical_extent()[0] for m in masters) + margin
    descent = max(-m.vertical_extent()[1] for m in masters) + margin

    os.makedirs(args.out, exist_ok=True)
    for (source, master, bold, file_name) in [(sources[0], masters[0], False, f"{FAMILY}.ttf"),
                                              (sources[1], masters[1], True, f"{FAMILY}-Bold.ttf")]:
        font = build(source, master, bold, ascent, descent)
        font.save(os.path.join(args.out, file_name))
    write_licence(os.path.join(args.out, "OFL.txt"), sources, args.licence)
    return 0


if __name__ == "__main__":
    sys.exit(main())
