#!/usr/bin/env python3
"""Checks of the theory the data generators share."""

import os
import sys
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import chordalis_theory as theory  # noqa: E402


class Tokens(unittest.TestCase):
    def test_semitones_of_simple_and_compound_degrees(self):
        # 9, 11 and 13 are 2, 4 and 6 an octave up; 14 is the 7th an octave up.
        cases = {"1": 0, "b2": 1, "#2": 3, "b3": 3, "3": 4, "4": 5, "#4": 6, "b5": 6, "5": 7,
                 "#5": 8, "b6": 8, "6": 9, "f7": 9, "b7": 10, "7": 11, "8": 12, "b9": 13,
                 "9": 14, "#9": 15, "b10": 15, "10": 16, "11": 17, "#11": 18, "12": 19,
                 "b13": 20, "13": 21, "14": 23, "x4": 7}
        self.assertEqual({t: theory.token_semitones(t) for t in cases}, cases)
        self.assertEqual(theory.formula_semitones("1;3;5;b7;#9"), [0, 4, 7, 10, 15])
        self.assertEqual(theory.interval_set(["1", "3", "5", "8", "10", "b13"]), (0, 4, 7, 8))

    def test_degrees_past_the_octave_keep_counting_octaves(self):
        self.assertEqual([theory.degree_semitones(d) for d in (1, 8, 15, 16, 22)],
                         [0, 12, 24, 26, 36])

    def test_tokens_the_program_refuses_are_refused_by_name(self):
        for token in ("", "b", "bb7", "15", "0", "b0", " 3", "3b", "m3", "+5", "\u00b3", "100"):
            with self.assertRaises(ValueError) as caught:
                theory.parse_token(token)
            self.assertIn('"%s"' % token, str(caught.exception))
        with self.assertRaises(ValueError):
            theory.formula_semitones("1;;5")

    def test_interval_names(self):
        names = [theory.interval_name(t)
                 for t in "1 #1 b2 #4 b5 f7 8 b9 b10 #11 12 b13 14".split()]
        self.assertEqual(names, ["root", "augmented unison", "minor 2nd", "augmented 4th",
                                 "diminished 5th", "diminished 7th", "perfect octave",
                                 "minor 9th", "minor 10th", "augmented 11th", "perfect 12th",
                                 "minor 13th", "major 14th"])
        self.assertEqual(theory.formula_display(["1", "b3", "f7", "b13"]), "1 b3 bb7 b13")


class Notes(unittest.TestCase):
    def test_pitch_classes_of_note_names(self):
        cases = {"C": 0, "B#": 0, "Cb": 11, "Db": 1, "C#": 1, "Fx": 7, "Ebb": 2, "Gbb": 5,
                 "A#": 10, "E#": 5}
        self.assertEqual({n: theory.pitch_class(n) for n in cases}, cases)
        self.assertEqual([theory.pitch_class(n) for n in theory.FLAT_NAMES], list(range(12)))
        for name in ("", "H", "c", "Cf", "C ", "Bb7"):
            with self.assertRaises(ValueError):
                theory.pitch_class(name)

    def test_notes_take_one_letter_per_degree(self):
        cases = [("C", "1;b3;5;b7", "C Eb G Bb"), ("G", "1;3;5;7", "G B D F#"),
                 ("F", "1;b3;b5;f7", "F Ab Cb Ebb"), ("Eb", "1;3;5;b7;#9", "Eb G Bb Db F#"),
                 ("D", "1;4;b7;b10", "D G C F"), ("Bb", "1;3;#5;b7;9;#11", "Bb D F# Ab C E"),
                 ("F#", "1;3;5;7;#11", "F# A# C# E# B#"), ("Db", "1;b3;b5;f7", "Db Fb Abb Cbb")]
        for root, formula, notes in cases:
            self.assertEqual(" ".join(theory.spell(root, formula.split(";"))), notes)

    def test_a_note_past_a_double_accidental_spells_nothing(self):
        self.assertEqual(theory.spell("Gb", ["1", "f7"]), ["Gb", "Fbb"])
        self.assertIsNone(theory.spell("Cb", ["1", "f7"]))  # B triple flat
        self.assertIsNone(theory.spell("B#", ["1", "#5"]))  # F triple sharp


class GripChecks(unittest.TestCase):
    """The grip checker (check_grips.py) passes the grips players write and names each kind of
    fault in a grip made to have it. Frets and fingers are listed from string 1."""

    STANDARD = {"tuning": [64, 59, 55, 50, 45, 40], "capo": {"fret": 0}, "scaleLength": 648.0,
                "frets": 15}

    def kinds(self, formula, root, frets, fingers, caption, neck=None):
        import check_grips
        grip = {"frets": frets, "fingers": fingers, "caption": caption}
        faults = check_grips.check_grip(grip, root, check_grips.chord_tones(formula),
                                        neck or self.STANDARD)
        return sorted({kind for kind, _ in faults})

    def test_grips_players_write_pass(self):
        cases = [("1;3;5", 0, [0, 1, 0, 2, 3, -1], [0, 1, 0, 2, 3, -1], "Root 5th"),  # C
                 ("1;3;5", 5, [1, 1, 2, 3, 3, 1], [1, 1, 2, 4, 3, 1], "Root 6th"),  # F barre
                 ("1;b3;5;b7", 9, [0, 1, 0, 2, 0, -1], [0, 1, 0, 2, 0, -1], "Root 5th"),
                 ("1;3;5;b7;9;11;13", 7, [0, 5, 4, 3, -1, 3], [0, 4, 3, 2, -1, 1],
                  "3rd Position, Root 6th, no 5th, no 9th, no 11th")]  # G13
        for formula, root, frets, fingers, caption in cases:
            self.assertEqual(self.kinds(formula, root, frets, fingers, caption), [], caption)
        capo = dict(self.STANDARD, capo={"fret": 2})  # D as the C shape
        self.assertEqual(self.kinds("1;3;5", 2, [2, 3, 2, 4, 5, -1], [0, 1, 0, 2, 3, -1],
                                    "Root 5th", capo), [])
        # On a ukulele (G4 C4 E4 A4 from string 4) the lowest note need not be the root.
        ukulele = dict(self.STANDARD, tuning=[69, 64, 60, 67], scaleLength=346.0)
        self.assertEqual(self.kinds("1;3;5", 7, [2, 3, 2, 0], [2, 3, 1, 0], "", ukulele), [])
        # The banjo's short fifth string sounds its G4 open at the 5th fret; fretted below it
        # there is no string.
        banjo = dict(self.STANDARD, tuning=[62, 59, 55, 50, 62], firstFrets=[0, 0, 0, 0, 5],
                     scaleLength=670.0)
        self.assertEqual(self.kinds("1;3;5", 0, [2, 1, 0, 2, 5], [3, 1, 0, 2, 0], "", banjo), [])
        self.assertEqual(self.kinds("1;3;5", 7, [0, 0, 0, 0, 0], [0, 0, 0, 0, 0], "", banjo),
                         ["capo", "fingers"])

    def test_each_fault_is_named(self):
        c = ("1;3;5", 0)
        e = ("1;3;5", 4)
        capo = dict(self.STANDARD, capo={"fret": 2})
        cases = [
            (c, [1, 1, 0, 2, 3, -1], [1, 1, 0, 2, 3, -1], "Root 5th", None, ["foreign-tone"]),
            (c, [3, 1, 0, -1, 3, -1], [3, 1, 0, -1, 2, -1], "Root 5th", None, ["missing-tone"]),
            (c, [0, 1, -1, 2, 3, -1], [0, 1, -1, 2, 3, -1], "Root 5th", None,
             ["caption-omission"]),
            (c, [0, 1, 0, 2, 3, 0], [0, 1, 0, 2, 3, 0], "Root 5th", None,
             ["bass", "caption-bass"]),
            (c, [3, 5, 5, 5, 3, -1], [2, 4, 4, 4, 2, -1], "Root 5th", None, ["barre"]),
            (e, [4, 0, 1, -1, -1, 0], [2, 0, 1, -1, -1, 0], "Root 6th", None, ["stretch"]),
            (e, [7, 0, 1, -1, -1, 0], [4, 0, 1, -1, -1, 0], "Root 6th", None,
             ["span", "stretch"]),
            (e, [0, 0, 1, 2, 2, 0], [0, 0, 2, 1, 1, 0], "Root 6th", None,
             ["barre", "finger-order"]),
            (e, [0, 0, 1, 2, 2, 0], [0, 0, 1, 5, 2, 0], "Root 6th", None, ["fingers"]),
            (("1;3;5", 2), [2, 3, 2, 0, 5, -1], [0, 1, 0, 0, 3, -1], "Root 5th", capo,
             ["capo", "fingers"]),
        ]
        for (formula, root), frets, fingers, caption, neck, kinds in cases:
            self.assertEqual(self.kinds(formula, root, frets, fingers, caption, neck), kinds,
                             frets)


if __name__ == "__main__":
    unittest.main()
