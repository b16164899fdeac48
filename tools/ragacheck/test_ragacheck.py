#!/usr/bin/env python3
"""Tests of the raga checker's reading of the ragas' texts: the content as built passes,
then one fault at a time is written into a copy of it.
Run: python3 -m unittest discover -s tools/ragacheck"""
import glob
import os
import unittest

import ragacheck

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
PATHS = sorted(glob.glob(os.path.join(ROOT, "content", "data", "ragas_group*.sql")))


def report(*changes):
    db = ragacheck.load(PATHS)
    for sql, args in changes:
        db.execute(sql, args)
    return ragacheck.check(db)


def set_text(index, text):
    return ('UPDATE [Raga - Technical Information] SET [Notes] = ? WHERE [Raga Index] = ?', (text, index))


class Texts(unittest.TestCase):
    def test_the_content_passes(self):
        rep = report()
        self.assertEqual(rep.errors + rep.warnings, [])

    CASES = [
        ("a resting note no alap phrase ends on",
         [set_text(6, "Grave and devotional; Pa is the resting note of its phrases.")],
         "6 Bhairav: the text says phrases rest on Pa, but no alap phrase ends on it"),
        ("a resting note in the upper octave",
         [set_text(6, "Grave and devotional, sung at daybreak; phrases rest on the upper Sa.")],
         "6 Bhairav: the text says phrases rest on upper Sa, but no alap phrase ends on it"),
        ("a resting note the raga does not have",
         [set_text(2, "Pentatonic and calm, without Ma and Ni; Ma is the resting note.")],
         "2 Bhupali: the text names Ma as a resting note, which the raga does not have"),
        ("a note dwelt on that is never held",
         [set_text(6, "Grave and devotional, sung at daybreak; Pa is dwelt on in every phrase.")],
         "6 Bhairav: the text says Pa is dwelt on, but no alap phrase holds it for 1000 ms or more"),
        ("Marwa's pakad coming to rest on Sa",
         [('UPDATE [Raga - Technical Information] SET [Pakad] = ? WHERE [Raga Index] = 11',
           ("D< N< r : G M D : M G r : S",))],
         "11 Marwa: the pakad comes to rest on Sa, which the text says the raga does not dwell on"),
        ("Marwa's alap holding Sa at a phrase end",
         [('UPDATE [Raga - ALT Phrases] SET [DurationPhrase] = substr([DurationPhrase], 1, '
           'length([DurationPhrase]) - 2) || ? WHERE [RagaIndex] = 11 AND [PhraseType] = 1', ("150",))],
         "11 Marwa: alap phrase 5 rests on Sa for 1500 ms, which the text says the raga does not dwell on"),
        ("resting notes in words the checker does not read",
         [set_text(6, "Grave and devotional, sung at daybreak; its phrases come to a rest around Ga.")],
         "the text speaks of resting notes in words the checker does not read"),
    ]

    def test_each_fault_is_reported(self):
        for name, changes, text in self.CASES:
            with self.subTest(name):
                rep = report(*changes)
                self.assertTrue(any(text in e for e in rep.errors), "%s: %s" % (name, rep.errors))


if __name__ == "__main__":
    unittest.main()
