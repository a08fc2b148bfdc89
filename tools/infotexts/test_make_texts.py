#!/usr/bin/env python3
"""Checks of the information-text generator against the shipped library."""

import os
import re
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, os.pardir, os.pardir, "data")
sys.path.insert(0, HERE)

sys.dont_write_bytecode = True
import make_texts  # noqa: E402
from chordalis_theory import pitch_class, token_semitones  # noqa: E402


class ShippedTexts(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.texts = make_texts.build_texts(DATA, HERE)
        cls.chords = make_texts.numbered(make_texts.read_ini(os.path.join(DATA, "chord.ini")))

    def test_every_chord_has_a_text_and_a_rerun_gives_the_same(self):
        for chord in self.chords:
            self.assertIn(chord["info"], self.texts)
        self.assertEqual(make_texts.build_texts(DATA, HERE), self.texts)

    def test_lines_fit_the_window(self):
        for stem, text in self.texts.items():
            for line in text.splitlines():
                self.assertLessEqual(len(line), make_texts.WIDTH, stem)

    def test_other_roots_sound_the_formula(self):
        for chord in self.chords:
            text = self.texts[chord["info"]]
            wanted = sorted({token_semitones(t) % 12
                             for t in chord["formula"].split(";")})
            line = re.search(r"\nOther roots:  (.*?)\.\n(?! )", text, re.S).group(1)
            for part in " ".join(line.split()).split("; "):
                root, notes = part.split(": ")
                heard = sorted({(pitch_class(n) - pitch_class(root)) % 12
                                for n in notes.split()})
                self.assertEqual(heard, wanted, "%s on %s" % (chord["info"], root))

    def test_grips_are_captioned_as_the_voicing_list_shows_them(self):
        text = self.texts["chord_major"]
        # C on the 6th string lies at the 8th fret, on the 5th string at the 3rd.
        self.assertIn("  8th Position, Root 6th: E-shape barre", text)
        self.assertIn("  3rd Position, Root 5th: A-shape barre", text)
        self.assertIn("Open chords in the list: C, D, E, G, A, F.", text)

    def test_no_sentence_of_prose_is_shared_by_two_chords(self):
        seen = {}
        for stem, entry in make_texts.load_facts(HERE, "facts_chords").items():
            for field, value in entry.items():
                for sentence in re.split(r"(?<=[.;:])\s+", value):
                    if len(sentence) < 40:
                        continue
                    self.assertNotIn(sentence, seen, "%s %s" % (stem, field))
                    seen[sentence] = stem


if __name__ == "__main__":
    unittest.main()
