#!/usr/bin/env python3
"""Writes Chordalis' reference library into data/.

Produces chord.ini, scale.ini, voicing.ini, triad.ini and finder.ini. The
information texts come from tools/infotexts/make_texts.py.

The musical content is written out by hand below: formulas, groups, related
scales, the open chords and the movable shapes (relative frets and fingers, as
a guitarist reads them off a chord chart).  Only bookkeeping is derived:
section numbers, fret-text formatting, the triad shapes (close voicings on
each string group), the finder's interval sets, the related scales of the
chords that list none (every scale that holds their notes), the voicings'
reading order and the remarks ("No 5th or 9th.") that name the chord tones a
voicing leaves out.

Check the result with the validator that the build makes:
    build/validate-library data

Usage: python3 tools/gen_library.py [--out DIR]   (default: the repository's data/)
"""

import argparse
import os
import re
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "theory"))
from chordalis_theory import (ACCIDENTALS, STANDARD_TUNING, formula_semitones,  # noqa: E402
                              formula_tokens, interval_set, ordinal, pitch_class, token_degree,
                              token_semitones)

# --------------------------------------------------------------------------
# Chord rules used for the derived parts
# --------------------------------------------------------------------------


def main_number(name):
    """The number a chord symbol is built on: 13 in "13#9#11", 11 in "m11b5", 9 in
    "maj9(add11)", 6 in "6/9#11"; 0 where there is none ("sus2" builds on no 7th, "quartal").
    Numbers after an accidental or "add" are alterations and added tones, not this number."""
    match = re.match(r"(?:dim|aug|m(?!aj))?\(?(?:maj)?(\d+)", name)
    return int(match.group(1)) if match and not name.startswith("sus") else 0


def omissible(formula, name):
    """Tokens a voicing may leave out, as guitarists do: the perfect 5th of a chord of four or
    more notes, and the natural 9th and 11th that an 11th or 13th chord implies without its
    name stating them (C13 may drop its 9th, C13#11 too; C9#11, Cmaj9(add11) and C6/9#11 name
    their 9th and keep it).  Every tone the name states sounds in every grip."""
    tokens = formula.split(";")
    out = set()
    if "5" in tokens and len(tokens) >= 4 and "(b6)" not in name:  # "(b6)" stands beside it
        out.add("5")
    number = main_number(name)
    if "9" in tokens and number >= 11:
        out.add("9")
    if "11" in tokens and number >= 13:
        out.add("11")
    return out


def stem_of(kind, name):
    """A file-safe stem from an item's long name: "Major 7th Sharp 11th" ->
    chord_major7_sharp11."""
    text = name.lower().replace("#", " sharp ").replace("&", " and ")
    text = re.sub(r"\bbb(\d)", r"double flat \1", text)
    text = re.sub(r"\bb(\d)", r"flat \1", text)
    text = re.sub(r"(\d+)(st|nd|rd|th)\b", r"\1", text)
    text = re.sub(r"[^a-z0-9]+", "_", text).strip("_")
    text = re.sub(r"_(\d)", r"\1", text)
    return kind + "_" + text

# --------------------------------------------------------------------------
# Scales
# --------------------------------------------------------------------------

SCALE_GROUPS = ["Major Scale Modes", "Melodic Minor Modes", "Harmonic Minor Modes",
                "Harmonic Major Modes", "Pentatonic", "Blues", "Symmetric", "Bebop",
                "World & Exotic", "Synthetic", "Indian Ragas"]

# Name, alternative names, group, formula.  A scale's number is its place in this list and
# is kept for good (settings and chords refer to it): new scales go at the end.  Formulas are
# spelled as a jazz teacher writes them, in degree order within the octave (the altered
# scale's b9, #9, #11 and b13 are b2, #2, #4 and b6).
SCALES = [
    ("Major", "Ionian;Diatonic Major;Bilawal Thaat", "Major Scale Modes", "1;2;3;4;5;6;7"),
    ("Dorian", "Dorian Mode;Second Mode of Major;Kafi Thaat", "Major Scale Modes",
     "1;2;b3;4;5;6;b7"),
    ("Phrygian", "Phrygian Mode;Third Mode of Major;Bhairavi Thaat", "Major Scale Modes",
     "1;b2;b3;4;5;b6;b7"),
    ("Lydian", "Lydian Mode;Fourth Mode of Major;Kalyan Thaat", "Major Scale Modes",
     "1;2;3;#4;5;6;7"),
    ("Mixolydian", "Mixolydian Mode;Dominant Scale;Fifth Mode of Major;Khamaj Thaat",
     "Major Scale Modes", "1;2;3;4;5;6;b7"),
    ("Natural Minor", "Aeolian;Pure Minor;Sixth Mode of Major;Asavari Thaat",
     "Major Scale Modes", "1;2;b3;4;5;b6;b7"),
    ("Locrian", "Locrian Mode;Seventh Mode of Major", "Major Scale Modes", "1;b2;b3;4;b5;b6;b7"),
    ("Major Pentatonic", "Pentatonic Major", "Pentatonic", "1;2;3;5;6"),
    ("Minor Pentatonic", "Pentatonic Minor;Fifth Mode of Major Pentatonic", "Pentatonic",
     "1;b3;4;5;b7"),
    ("Blues", "Minor Blues;Blues Hexatonic", "Blues", "1;b3;4;b5;5;b7"),
    ("Major Blues", "Major Blues Hexatonic", "Blues", "1;2;b3;3;5;6"),
    ("Harmonic Minor", "Aeolian #7", "Harmonic Minor Modes", "1;2;b3;4;5;b6;7"),
    ("Melodic Minor", "Jazz Minor;Ascending Melodic Minor", "Melodic Minor Modes",
     "1;2;b3;4;5;6;7"),
    ("Phrygian Dominant",
     "Spanish Phrygian;Phrygian Major;Freygish;Ahava Rabbah;Hijaz;Fifth Mode of Harmonic Minor",
     "Harmonic Minor Modes", "1;b2;3;4;5;b6;b7"),
    ("Lydian Dominant", "Lydian b7;Overtone Scale;Acoustic Scale;Fourth Mode of Melodic Minor",
     "Melodic Minor Modes", "1;2;3;#4;5;6;b7"),
    ("Whole Tone", "Whole Step Scale;Messiaen's Mode 1", "Symmetric", "1;2;3;#4;#5;b7"),
    ("Diminished Whole-Half", "Whole-Half Diminished;Octatonic", "Symmetric",
     "1;2;b3;4;b5;b6;6;7"),
    ("Diminished Half-Whole", "Half-Whole Diminished;Dominant Diminished;Messiaen's Mode 2",
     "Symmetric", "1;b2;#2;3;#4;5;6;b7"),
    # The other modes of melodic minor
    ("Dorian b2", "Phrygian #6;Second Mode of Melodic Minor", "Melodic Minor Modes",
     "1;b2;b3;4;5;6;b7"),
    ("Lydian Augmented", "Lydian #5;Third Mode of Melodic Minor", "Melodic Minor Modes",
     "1;2;3;#4;#5;6;7"),
    ("Mixolydian b6", "Aeolian Dominant;Hindu;Melodic Major;Fifth Mode of Melodic Minor",
     "Melodic Minor Modes", "1;2;3;4;5;b6;b7"),
    ("Locrian #2", "Aeolian b5;Half-Diminished Scale;Sixth Mode of Melodic Minor",
     "Melodic Minor Modes", "1;2;b3;4;b5;b6;b7"),
    ("Altered", "Super Locrian;Diminished Whole Tone;Seventh Mode of Melodic Minor", "Melodic Minor Modes", "1;b2;#2;3;#4;b6;b7"),
    # The other modes of harmonic minor
    ("Locrian #6", "Locrian Natural 6;Second Mode of Harmonic Minor", "Harmonic Minor Modes",
     "1;b2;b3;4;b5;6;b7"),
    ("Ionian #5", "Ionian Augmented;Third Mode of Harmonic Minor", "Harmonic Minor Modes",
     "1;2;3;4;#5;6;7"),
    ("Dorian #4", "Romanian Minor;Ukrainian Dorian;Nikriz;Fourth Mode of Harmonic Minor",
     "Harmonic Minor Modes", "1;2;b3;#4;5;6;b7"),
    ("Lydian #2", "Lydian #9;Sixth Mode of Harmonic Minor", "Harmonic Minor Modes",
     "1;#2;3;#4;5;6;7"),
    ("Super Locrian bb7", "Ultralocrian;Altered Diminished;Seventh Mode of Harmonic Minor",
     "Harmonic Minor Modes", "1;b2;b3;b4;b5;b6;f7"),
    # Harmonic major and its modes
    ("Harmonic Major", "Ionian b6;Major Harmonic", "Harmonic Major Modes", "1;2;3;4;5;b6;7"),
    ("Dorian b5", "Second Mode of Harmonic Major", "Harmonic Major Modes", "1;2;b3;4;b5;6;b7"),
    ("Phrygian b4", "Third Mode of Harmonic Major", "Harmonic Major Modes", "1;b2;b3;b4;5;b6;b7"),
    ("Lydian b3", "Melodic Minor #4;Lydian Diminished;Fourth Mode of Harmonic Major",
     "Harmonic Major Modes", "1;2;b3;#4;5;6;7"),
    ("Mixolydian b2", "Fifth Mode of Harmonic Major", "Harmonic Major Modes", "1;b2;3;4;5;6;b7"),
    ("Lydian Augmented #2", "Sixth Mode of Harmonic Major", "Harmonic Major Modes",
     "1;#2;3;#4;#5;6;7"),
    ("Locrian bb7", "Seventh Mode of Harmonic Major", "Harmonic Major Modes",
     "1;b2;b3;4;b5;b6;f7"),
    # Pentatonic
    ("Suspended Pentatonic", "Egyptian;Slendro;Second Mode of Major Pentatonic", "Pentatonic",
     "1;2;4;5;b7"),
    ("Man Gong", "Malkauns;Third Mode of Major Pentatonic", "Pentatonic", "1;b3;4;b6;b7"),
    ("Ritsusen", "Yo;Ritusen;Fourth Mode of Major Pentatonic", "Pentatonic", "1;2;4;5;6"),
    ("Dominant Pentatonic", "", "Pentatonic", "1;2;3;5;b7"),
    ("Minor 6 Pentatonic", "Minor Sixth Pentatonic", "Pentatonic", "1;b3;4;5;6"),
    # Blues
    ("Nine-Note Blues", "Composite Blues;Blues Nonatonic", "Blues", "1;2;b3;3;4;b5;5;6;b7"),
    # Symmetric
    ("Augmented", "Augmented Hexatonic;Symmetrical Augmented", "Symmetric", "1;b3;3;5;#5;7"),
    ("Chromatic", "Twelve-Tone", "Symmetric", "1;b2;2;b3;3;4;#4;5;b6;6;b7;7"),
    # Bebop
    ("Bebop Dominant", "Bebop Mixolydian;Bebop Seventh;Bebop Scale", "Bebop", "1;2;3;4;5;6;b7;7"),
    ("Bebop Major", "Bebop Ionian;Major 6th Diminished", "Bebop", "1;2;3;4;5;#5;6;7"),
    ("Bebop Dorian", "Bebop Minor", "Bebop", "1;2;b3;3;4;5;6;b7"),
    ("Bebop Melodic Minor", "Bebop Jazz Minor;Minor 6th Diminished", "Bebop",
     "1;2;b3;4;5;#5;6;7"),
    ("Bebop Harmonic Minor", "Bebop Natural Minor", "Bebop", "1;2;b3;4;5;b6;b7;7"),
    # World and exotic
    ("Hungarian Minor", "Gypsy Minor;Double Harmonic Minor", "World & Exotic",
     "1;2;b3;#4;5;b6;7"),
    ("Hungarian Major", "Lydian Dominant #2", "World & Exotic", "1;#2;3;#4;5;6;b7"),
    ("Double Harmonic Major", "Byzantine;Arabic;Gypsy Major;Hijaz Kar;Bhairav Thaat",
     "World & Exotic", "1;b2;3;4;5;b6;7"),
    ("Neapolitan Minor", "Harmonic Minor b2", "World & Exotic", "1;b2;b3;4;5;b6;7"),
    ("Neapolitan Major", "Melodic Minor b2", "World & Exotic", "1;b2;b3;4;5;6;7"),
    ("Persian", "Double Harmonic b5", "World & Exotic", "1;b2;3;4;b5;b6;7"),
    ("Spanish Eight-Tone", "Spanish 8-Tone", "World & Exotic",
     "1;b2;b3;3;4;5;b6;b7"),
    ("Major Locrian", "Locrian Major", "Synthetic", "1;2;3;4;b5;b6;b7"),
    ("Prometheus", "Mystic", "Synthetic", "1;2;3;#4;6;b7"),
    ("Hirajoshi", "Hira-joshi", "World & Exotic", "1;2;b3;5;b6"),
    ("Kumoi", "Flat Three Pentatonic", "World & Exotic", "1;2;b3;5;6"),
    ("In", "Miyako-bushi;Sakura Pentatonic;Kumoi-joshi", "World & Exotic", "1;b2;4;5;b6"),
    ("In Sen", "Insen;Kokin-joshi", "World & Exotic", "1;b2;4;5;b7"),
    ("Iwato", "Iwato Pentatonic", "World & Exotic", "1;b2;4;b5;b7"),
    # Pentatonic scales of jazz: five notes of a seven-note scale that outline its chord
    ("Mixolydian Pentatonic", "", "Pentatonic", "1;3;4;5;b7"),
    ("Ionian Pentatonic", "Ryukyu", "Pentatonic", "1;3;4;5;7"),
    ("Lydian Pentatonic", "Chinese", "Pentatonic", "1;3;#4;5;7"),
    ("Lydian Dominant Pentatonic", "", "Pentatonic", "1;3;#4;5;b7"),
    ("Locrian Pentatonic", "Minor 7b5 Pentatonic", "Pentatonic", "1;b3;4;b5;b7"),
    ("Major b6 Pentatonic", "Flat Six Pentatonic", "Pentatonic", "1;2;3;5;b6"),
    ("Whole Tone Pentatonic", "", "Pentatonic", "1;3;#4;#5;b7"),
    ("Lydian #5 Pentatonic", "Lydian Augmented Pentatonic", "Pentatonic", "1;3;#4;#5;7"),
    ("Minor #7 Pentatonic", "Minor Major 7th Pentatonic", "Pentatonic", "1;b3;4;5;7"),
    ("Altered Pentatonic", "Super Locrian Pentatonic", "Pentatonic", "1;#2;3;#4;b7"),
    ("Neapolitan Major Pentatonic", "", "Pentatonic", "1;3;4;b5;b7"),
    # World and exotic
    ("Vietnamese", "Vietnamese 1", "World & Exotic", "1;b3;4;5;b6"),
    ("Pelog", "", "World & Exotic", "1;b2;b3;5;b6"),
    ("Piongio", "", "World & Exotic", "1;2;4;5;6;b7"),
    ("Oriental", "", "World & Exotic", "1;b2;3;4;b5;6;b7"),
    ("Double Harmonic Lydian", "Purvi Thaat", "World & Exotic", "1;b2;3;#4;5;b6;7"),
    ("Ichikosucho", "", "World & Exotic", "1;2;3;4;#4;5;6;7"),
    ("Romanian Major", "", "World & Exotic", "1;b2;3;#4;5;6;b7"),
    ("Hungarian Gypsy", "", "World & Exotic", "1;2;b3;#4;5;b6;b7"),
    # Synthetic scales: built from rules rather than heard in a tradition
    ("Enigmatic", "Scala Enigmatica", "Synthetic", "1;b2;3;#4;#5;b7;7"),
    ("Prometheus Neapolitan", "", "Synthetic", "1;b2;3;#4;6;b7"),
    ("Scriabin", "", "Synthetic", "1;b2;3;5;6"),
    ("Mystery #1", "", "Synthetic", "1;b2;3;#4;#5;b7"),
    ("Leading Whole Tone", "", "Synthetic", "1;2;3;#4;#5;b7;7"),
    ("Lydian Minor", "", "Synthetic", "1;2;3;#4;5;b6;b7"),
    ("Augmented Heptatonic", "", "Synthetic", "1;#2;3;4;5;#5;7"),
    # Symmetric: the other modes of limited transposition
    ("Six-Tone Symmetric", "", "Symmetric", "1;b2;3;4;#5;6"),
    ("Tritone", "", "Symmetric", "1;b2;3;#4;5;b7"),
    ("Messiaen's Mode 3", "", "Symmetric", "1;2;b3;3;#4;5;b6;b7;7"),
    ("Messiaen's Mode 4", "", "Symmetric", "1;b2;2;4;#4;5;b6;7"),
    ("Messiaen's Mode 5", "", "Symmetric", "1;b2;4;#4;5;7"),
    ("Messiaen's Mode 6", "", "Symmetric", "1;2;3;4;#4;#5;b7;7"),
    ("Messiaen's Mode 7", "", "Symmetric", "1;b2;2;b3;4;#4;5;b6;6;7"),
    # Bebop
    ("Bebop Locrian", "Half-Diminished Bebop", "Bebop", "1;b2;b3;4;b5;5;b6;b7"),
    # Indian ragas (the thaats that are modes of other scales are named there)
    ("Todi Raga", "Todi Thaat", "Indian Ragas", "1;b2;b3;#4;5;b6;7"),
    ("Purvi Raga", "", "Indian Ragas", "1;b2;3;4;#4;5;b6;7"),
    ("Marva Raga", "Marwa;Marva Thaat", "Indian Ragas", "1;b2;3;#4;5;6;7"),
    ("Hamsadhwani", "", "Indian Ragas", "1;2;3;5;7"),
]
SCALE_NUMBER = {s[0]: i for i, s in enumerate(SCALES)}
SCALE_STEMS = {
    "Major": "scale_major", "Dorian": "scale_dorian", "Phrygian": "scale_phrygian",
    "Lydian": "scale_lydian", "Mixolydian": "scale_mixolydian",
    "Natural Minor": "scale_natural_minor", "Locrian": "scale_locrian",
    "Major Pentatonic": "scale_major_pentatonic", "Minor Pentatonic": "scale_minor_pentatonic",
    "Blues": "scale_blues", "Major Blues": "scale_major_blues",
    "Harmonic Minor": "scale_harmonic_minor", "Melodic Minor": "scale_melodic_minor",
    "Phrygian Dominant": "scale_phrygian_dominant", "Lydian Dominant": "scale_lydian_dominant",
    "Whole Tone": "scale_whole_tone", "Diminished Whole-Half": "scale_diminished_whole_half",
    "Diminished Half-Whole": "scale_diminished_half_whole",
    "Mystery #1": "scale_mystery1",
    "Messiaen's Mode 3": "scale_messiaen_mode3", "Messiaen's Mode 4": "scale_messiaen_mode4",
    "Messiaen's Mode 5": "scale_messiaen_mode5", "Messiaen's Mode 6": "scale_messiaen_mode6",
    "Messiaen's Mode 7": "scale_messiaen_mode7",
}

# The chords each scale fits, by chord name, beyond what the chord table lists: the writer adds
# the scale to the end of each of these chords' related scales (after the chord's own choices,
# never twice).  A scale fits a chord when it holds every chord tone and the chord is the one
# the scale is played over; rarer scales name only their home chord.
SCALE_FITS = {
    "Dorian b5": ["m7b5"],
    "Phrygian b4": ["7#9"],
    "Lydian Augmented #2": ["maj7#5"],
    "Man Gong": ["m7b6"],
    "Bebop Harmonic Minor": ["m(maj7)", "m7"],
    "Double Harmonic Major": ["maj7"],
    "Neapolitan Minor": ["m(maj7)"],
    "Neapolitan Major": ["m(maj7)", "m6"],
    "Persian": ["maj7b5"],
    "Major Locrian": ["9b5", "7b5"],
    "Prometheus": ["9b5", "7b5"],
    "Hirajoshi": ["m(add9)", "m(b6)"],
    "In": ["sus4"],
    "In Sen": ["7sus4b9", "7sus4"],
    "Spanish Eight-Tone": ["7b9", "7#9", "7b9b13", "7sus4b9"],
    "Mixolydian Pentatonic": ["7", "7sus4"],
    "Ionian Pentatonic": ["maj7", "maj"],
    "Lydian Pentatonic": ["maj7#11", "maj7", "add#11"],
    "Lydian Dominant Pentatonic": ["7#11", "7"],
    "Locrian Pentatonic": ["m7b5", "dim"],
    "Major b6 Pentatonic": ["aug(add9)", "add9", "aug"],
    "Whole Tone Pentatonic": ["7#5", "7b5", "aug"],
    "Lydian #5 Pentatonic": ["maj7#5", "aug"],
    "Minor #7 Pentatonic": ["m(maj7)"],
    "Altered Pentatonic": ["7b5#9", "7b5"],
    "Neapolitan Major Pentatonic": ["7b5"],
    "Vietnamese": ["m(b6)"],
    "Pelog": ["m(b6)"],
    "Piongio": ["9sus4", "13sus4", "7sus4", "7sus2"],
    "Oriental": ["7b5"],
    "Double Harmonic Lydian": ["maj7#11"],
    "Ichikosucho": ["maj7#11", "maj9#11"],
    "Romanian Major": ["13b9", "7b9", "7#11"],
    "Hungarian Gypsy": ["m9", "m(add9)"],
    "Enigmatic": ["maj7#5"],
    "Prometheus Neapolitan": ["7b5"],
    "Scriabin": ["6"],
    "Mystery #1": ["7#5b9", "7#5"],
    "Leading Whole Tone": ["maj7#5", "maj9#5"],
    "Lydian Minor": ["7b13", "9#11", "7#11"],
    "Augmented Heptatonic": ["maj7#5"],
    "Six-Tone Symmetric": ["aug"],
    "Tritone": ["7b9", "7#11"],
    "Messiaen's Mode 3": ["9#5", "aug(add9)"],
    "Messiaen's Mode 4": ["maj7sus4"],
    "Messiaen's Mode 5": ["maj7sus4"],
    "Messiaen's Mode 6": ["9#5", "7#5"],
    "Messiaen's Mode 7": ["maj7sus4", "m(maj7)"],
    "Bebop Locrian": ["m7b5"],
    "Todi Raga": ["m(maj7)", "dim(maj7)"],
    "Purvi Raga": ["maj7#11"],
    "Marva Raga": ["maj7#11"],
    "Hamsadhwani": ["maj9", "maj7"],
}


def related_scales(chord):
    """A chord's related scales, best first: its own list (or the scales that hold its notes,
    for a chord that lists none), then the scales whose SCALE_FITS name it, in scale order."""
    related = list(chord_related(chord))
    for scale, _, _, _ in SCALES:
        if chord[0] in SCALE_FITS.get(scale, ()) and scale not in related:
            related.append(scale)
    return related


def check_scale_fits():
    """Every scale and chord that SCALE_FITS names exists (a renamed chord must be followed)."""
    chords = {c[0] for c in CHORDS}
    for scale, names in SCALE_FITS.items():
        if scale not in SCALE_NUMBER:
            raise SystemExit("SCALE_FITS: no scale is named %r" % scale)
        for name in names:
            if name not in chords:
                raise SystemExit("SCALE_FITS[%r]: no chord is named %r" % (scale, name))

# --------------------------------------------------------------------------
# Chords
# --------------------------------------------------------------------------

CHORD_GROUPS = ["Major", "Minor", "Dominant", "Altered Dominant", "Suspended", "Diminished",
                "Augmented", "Sixth & Added-Note", "Power & Other"]

# name, long name, other symbols, formula, group, related scales (best first),
# stem of the information text (None: derived from the long name).  A chord
# keeps its number (the program stores it and finds the voicings by it): new
# chords go at the end.  Every related scale holds every chord tone.
CHORDS = [
    ("maj", "Major", "M;Maj;major", "1;3;5", "Major",
     ["Major", "Lydian", "Major Pentatonic", "Mixolydian", "Major Blues"], "chord_major"),
    ("m", "Minor", "min;-;mi", "1;b3;5", "Minor",
     ["Natural Minor", "Dorian", "Minor Pentatonic", "Phrygian", "Blues", "Harmonic Minor",
      "Melodic Minor"], "chord_minor"),
    ("7", "Dominant 7th", "dom7", "1;3;5;b7", "Dominant",
     ["Mixolydian", "Lydian Dominant", "Bebop Dominant", "Dominant Pentatonic",
      "Nine-Note Blues", "Mixolydian b6", "Phrygian Dominant", "Diminished Half-Whole"],
     "chord_dominant7"),
    ("maj7", "Major 7th", "M7;Maj7;\u03947;ma7", "1;3;5;7", "Major",
     ["Major", "Lydian", "Bebop Major", "Harmonic Major"], "chord_major7"),
    ("m7", "Minor 7th", "min7;-7;mi7", "1;b3;5;b7", "Minor",
     ["Dorian", "Natural Minor", "Minor Pentatonic", "Phrygian", "Blues", "Bebop Dorian"],
     "chord_minor7"),
    ("6", "Major 6th", "M6;maj6;add6", "1;3;5;6", "Sixth & Added-Note",
     ["Major Pentatonic", "Major", "Lydian", "Mixolydian", "Major Blues", "Lydian Dominant",
      "Bebop Major"], "chord_major6"),
    ("m6", "Minor 6th", "min6;-6", "1;b3;5;6", "Sixth & Added-Note",
     ["Dorian", "Melodic Minor", "Minor 6 Pentatonic", "Bebop Dorian", "Dorian #4"],
     "chord_minor6"),
    ("9", "Dominant 9th", "dom9;7(9)", "1;3;5;b7;9", "Dominant",
     ["Mixolydian", "Lydian Dominant", "Bebop Dominant", "Dominant Pentatonic", "Mixolydian b6"],
     "chord_dominant9"),
    ("add9", "Added 9th", "add2;(add9)", "1;3;5;9", "Sixth & Added-Note",
     ["Major", "Major Pentatonic", "Lydian", "Mixolydian", "Major Blues"], "chord_add9"),
    ("sus2", "Suspended 2nd", "(sus2);sus(add2)", "1;2;5", "Suspended",
     ["Major Pentatonic", "Mixolydian", "Major", "Dorian", "Natural Minor",
      "Suspended Pentatonic"], "chord_sus2"),
    ("sus4", "Suspended 4th", "sus;(sus4)", "1;4;5", "Suspended",
     ["Mixolydian", "Major", "Dorian", "Minor Pentatonic", "Natural Minor",
      "Suspended Pentatonic"], "chord_sus4"),
    ("7sus4", "Dominant 7th Suspended 4th", "7sus;7(sus4)", "1;4;5;b7", "Suspended",
     ["Mixolydian", "Dorian", "Minor Pentatonic", "Suspended Pentatonic"],
     "chord_dominant7sus4"),
    ("dim", "Diminished", "\u00b0;m(b5);mb5", "1;b3;b5", "Diminished",
     ["Locrian", "Diminished Whole-Half", "Locrian #2", "Super Locrian bb7"],
     "chord_diminished"),
    ("dim7", "Diminished 7th", "\u00b07;o7", "1;b3;b5;f7", "Diminished",
     ["Diminished Whole-Half", "Super Locrian bb7", "Locrian bb7"], "chord_diminished7"),
    ("m7b5", "Half-Diminished 7th", "\u00f87;\u00f8;-7b5;min7(b5)", "1;b3;b5;b7", "Diminished",
     ["Locrian", "Locrian #2", "Locrian #6"], "chord_half_diminished7"),
    ("aug", "Augmented", "+;(#5);+5", "1;3;#5", "Augmented",
     ["Whole Tone", "Lydian Augmented", "Augmented", "Ionian #5"], "chord_augmented"),
    # Major
    ("maj9", "Major 9th", "M9;Maj9;\u03949;ma9", "1;3;5;7;9", "Major",
     ["Major", "Lydian", "Bebop Major", "Harmonic Major"], None),
    ("maj13", "Major 13th", "M13;Maj13;\u039413;ma13", "1;3;5;7;9;13", "Major",
     ["Major", "Lydian", "Bebop Major"], None),
    ("maj7#11", "Major 7th Sharp 11th", "M7#11;Maj7(#11);\u03947#11;maj7(#11)", "1;3;5;7;#11",
     "Major", ["Lydian", "Lydian #2"], None),
    ("maj9#11", "Major 9th Sharp 11th", "M9#11;Maj9(#11);\u03949#11", "1;3;5;7;9;#11", "Major",
     ["Lydian"], None),
    ("maj13#11", "Major 13th Sharp 11th", "M13#11;Maj13(#11);\u039413#11", "1;3;5;7;9;#11;13",
     "Major", ["Lydian"], None),
    # Minor
    ("m(maj7)", "Minor-Major 7th", "mMaj7;mM7;m/maj7;-\u03947;min(maj7)", "1;b3;5;7", "Minor",
     ["Melodic Minor", "Harmonic Minor", "Bebop Melodic Minor", "Hungarian Minor"], None),
    ("m9", "Minor 9th", "min9;-9;mi9", "1;b3;5;b7;9", "Minor",
     ["Dorian", "Natural Minor", "Bebop Dorian"], None),
    ("m11", "Minor 11th", "min11;-11;mi11", "1;b3;5;b7;9;11", "Minor",
     ["Dorian", "Natural Minor", "Bebop Dorian"], None),
    ("m13", "Minor 13th", "min13;-13;mi13", "1;b3;5;b7;9;11;13", "Minor",
     ["Dorian", "Bebop Dorian"], None),
    ("m(maj9)", "Minor-Major 9th", "mMaj9;mM9;m/maj9;-\u03949;min(maj9)", "1;b3;5;7;9", "Minor",
     ["Melodic Minor", "Harmonic Minor", "Bebop Melodic Minor", "Hungarian Minor"], None),
    ("m7b9", "Minor 7th Flat 9th", "m7(b9);-7b9;min7(b9)", "1;b3;5;b7;b9", "Minor",
     ["Phrygian", "Dorian b2"], None),
    # Dominant
    ("11", "Dominant 11th", "dom11", "1;5;b7;9;11", "Dominant",
     ["Mixolydian", "Dorian", "Suspended Pentatonic", "Bebop Dominant", "Natural Minor"], None),
    ("13", "Dominant 13th", "dom13", "1;3;5;b7;9;13", "Dominant",
     ["Mixolydian", "Bebop Dominant", "Lydian Dominant"], None),
    ("7#11", "Dominant 7th Sharp 11th", "7(#11);7+11;dom7#11", "1;3;5;b7;#11", "Dominant",
     ["Lydian Dominant", "Diminished Half-Whole"], None),
    ("9#11", "Dominant 9th Sharp 11th", "9(#11);9+11", "1;3;5;b7;9;#11", "Dominant",
     ["Lydian Dominant"], None),
    ("13#11", "Dominant 13th Sharp 11th", "13(#11);13+11", "1;3;5;b7;9;#11;13", "Dominant",
     ["Lydian Dominant"], None),
    # Altered dominant
    ("7b9", "Dominant 7th Flat 9th", "7(b9)", "1;3;5;b7;b9", "Altered Dominant",
     ["Diminished Half-Whole", "Phrygian Dominant", "Mixolydian b2"], None),
    ("7#9", "Dominant 7th Sharp 9th", "7(#9);7+9", "1;3;5;b7;#9", "Altered Dominant",
     ["Diminished Half-Whole", "Nine-Note Blues", "Hungarian Major"], None),
    ("7b5", "Dominant 7th Flat 5th", "7(b5)", "1;3;b5;b7", "Altered Dominant",
     ["Whole Tone", "Lydian Dominant", "Altered", "Diminished Half-Whole"], None),
    ("7b9b13", "Dominant 7th Flat 9th Flat 13th", "7(b9,b13);7b9(b13)", "1;3;5;b7;b9;b13",
     "Altered Dominant", ["Phrygian Dominant"], None),
    ("7b5#9", "Dominant 7th Flat 5th Sharp 9th", "7(b5,#9);7#9(b5)", "1;3;b5;b7;#9",
     "Altered Dominant", ["Altered", "Diminished Half-Whole"], None),
    ("7#5b9", "Dominant 7th Sharp 5th Flat 9th", "7(#5,b9);+7b9;7b9(#5)", "1;3;#5;b7;b9",
     "Altered Dominant", ["Altered", "Phrygian Dominant"], None),
    ("7#5#9", "Dominant 7th Sharp 5th Sharp 9th", "7(#5,#9);+7#9;7+5+9;7alt", "1;3;#5;b7;#9",
     "Altered Dominant", ["Altered"], None),
    ("7b13", "Dominant 7th Flat 13th", "7(b13)", "1;3;5;b7;b13", "Altered Dominant",
     ["Mixolydian b6", "Phrygian Dominant"], None),
    ("13b9", "Dominant 13th Flat 9th", "13(b9)", "1;3;5;b7;b9;13", "Altered Dominant",
     ["Diminished Half-Whole", "Mixolydian b2"], None),
    ("9b5", "Dominant 9th Flat 5th", "9(b5)", "1;3;b5;b7;9", "Altered Dominant",
     ["Whole Tone", "Lydian Dominant"], None),
    # Suspended
    ("9sus4", "Dominant 9th Suspended 4th", "9sus;9(sus4)", "1;4;5;b7;9", "Suspended",
     ["Mixolydian", "Suspended Pentatonic", "Dorian"], None),
    ("7sus2", "Dominant 7th Suspended 2nd", "7(sus2)", "1;2;5;b7", "Suspended",
     ["Mixolydian", "Dorian", "Suspended Pentatonic", "Natural Minor"], None),
    ("13sus4", "Dominant 13th Suspended 4th", "13sus;13(sus4)", "1;4;5;b7;9;13", "Suspended",
     ["Mixolydian", "Dorian"], None),
    ("7sus4b9", "Dominant 7th Suspended 4th Flat 9th", "7sus4(b9);susb9;7sus(b9)",
     "1;4;5;b7;b9", "Suspended", ["Phrygian", "Dorian b2", "Phrygian Dominant"], None),
    ("sus2sus4", "Suspended 2nd and 4th", "sus24;sus4(add9)", "1;2;4;5", "Suspended",
     ["Suspended Pentatonic", "Mixolydian", "Major", "Dorian", "Ritsusen"], None),
    ("maj7sus2", "Major 7th Suspended 2nd", "M7sus2;Maj7sus2;\u03947sus2", "1;2;5;7",
     "Suspended", ["Major", "Lydian"], None),
    ("maj7sus4", "Major 7th Suspended 4th", "M7sus4;Maj7sus4;\u03947sus4", "1;4;5;7",
     "Suspended", ["Major", "Bebop Major", "Harmonic Major"], None),
    ("6sus4", "6th Suspended 4th", "6(sus4);M6sus4", "1;4;5;6", "Suspended",
     ["Major", "Mixolydian", "Dorian", "Ritsusen"], None),
    # Diminished
    ("dim(maj7)", "Diminished Major 7th", "dimMaj7;\u00b0(maj7);\u00b0\u03947;dim(M7)",
     "1;b3;b5;7", "Diminished", ["Diminished Whole-Half", "Hungarian Minor", "Lydian b3"], None),
    ("m9b5", "Half-Diminished 9th", "\u00f89;m9(b5);-9b5", "1;b3;b5;b7;9", "Diminished",
     ["Locrian #2"], None),
    ("m11b5", "Half-Diminished 11th", "\u00f811;m11(b5);-11b5", "1;b3;b5;b7;9;11", "Diminished",
     ["Locrian #2"], None),
    # Augmented
    ("maj7#5", "Augmented Major 7th", "+maj7;M7#5;Maj7(#5);\u03947#5;+\u03947", "1;3;#5;7",
     "Augmented", ["Lydian Augmented", "Ionian #5", "Augmented", "Harmonic Major"], None),
    ("7#5", "Augmented 7th", "+7;7(#5);aug7;7+5", "1;3;#5;b7", "Augmented",
     ["Whole Tone", "Altered", "Mixolydian b6"], None),
    ("9#5", "Dominant 9th Sharp 5th", "+9;9(#5);aug9;9+5", "1;3;#5;b7;9", "Augmented",
     ["Whole Tone", "Mixolydian b6"], None),
    ("aug(add9)", "Augmented Added 9th", "+add9;+(add9)", "1;3;#5;9", "Augmented",
     ["Whole Tone", "Lydian Augmented"], None),
    ("maj9#5", "Augmented Major 9th", "+maj9;M9#5;Maj9(#5);\u03949#5", "1;3;#5;7;9",
     "Augmented", ["Lydian Augmented", "Ionian #5"], None),
    # Sixth and added-note
    ("6/9", "Major 6th Added 9th", "69;6(add9);M6/9", "1;3;5;6;9", "Sixth & Added-Note",
     ["Major Pentatonic", "Major", "Lydian", "Mixolydian"], None),
    ("m6/9", "Minor 6th Added 9th", "m69;-6/9;min6/9", "1;b3;5;6;9", "Sixth & Added-Note",
     ["Dorian", "Melodic Minor", "Kumoi"], None),
    ("m(add9)", "Minor Added 9th", "madd9;m(add2);-add9;min(add9)", "1;b3;5;9",
     "Sixth & Added-Note", ["Natural Minor", "Dorian", "Melodic Minor", "Harmonic Minor"], None),
    ("add11", "Added 11th", "(add11);add4", "1;3;5;11", "Sixth & Added-Note",
     ["Major", "Mixolydian"], None),
    ("m(add11)", "Minor Added 11th", "madd11;m(add4);-add11", "1;b3;5;11", "Sixth & Added-Note",
     ["Natural Minor", "Dorian", "Minor Pentatonic", "Phrygian"], None),
    ("add#11", "Added Sharp 11th", "(add#11);add(#11)", "1;3;5;#11", "Sixth & Added-Note",
     ["Lydian", "Lydian Dominant"], None),
    ("6/9#11", "Major 6th Added 9th Sharp 11th", "69#11;6/9(#11)", "1;3;5;6;9;#11",
     "Sixth & Added-Note", ["Lydian", "Lydian Dominant"], None),
    # Power and other
    ("5", "Power Chord", "(no3);no3", "1;5", "Power & Other",
     ["Minor Pentatonic", "Blues", "Major Pentatonic", "Natural Minor", "Mixolydian"], None),
    ("(b5)", "Major Flat 5th", "M(b5);maj(b5)", "1;3;b5", "Power & Other",
     ["Lydian", "Whole Tone", "Lydian Dominant"], None),
    ("maj7b5", "Major 7th Flat 5th", "M7b5;Maj7(b5);\u03947b5;maj7(b5)", "1;3;b5;7",
     "Major", ["Lydian"], None),
    ("m(b6)", "Minor Flat 6th", "mb6;m(addb6);-b6;min(b6)", "1;b3;5;b6", "Minor",
     ["Natural Minor", "Harmonic Minor", "Phrygian"], None),
    ("m7b6", "Minor 7th Flat 6th", "m7(b6);-7b6", "1;b3;b6;b7", "Minor",
     ["Natural Minor", "Phrygian"], None),
    # The second edition: every set of notes that general chord dictionaries name, and
    # a few more that jazz players use.  Related scales None: every scale that holds the
    # chord's notes, the closest first (see scales_holding).
    # Dominant and altered dominant
    ("7(add13)", "Dominant 7th Added 13th", "7add13;7add6;7/6", "1;3;5;b7;13", "Dominant",
     None, None),
    ("7#11b13", "Dominant 7th Sharp 11th Flat 13th", "7(#11,b13)",
     "1;3;5;b7;#11;b13", "Altered Dominant", None, None),
    ("13#9", "Dominant 13th Sharp 9th", "13(#9)", "1;3;5;b7;#9;13", "Altered Dominant", None,
     None),
    ("7#9b13", "Dominant 7th Sharp 9th Flat 13th", "7(#9,b13)", "1;3;5;b7;#9;b13",
     "Altered Dominant", None, None),
    ("7#9#11", "Dominant 7th Sharp 9th Sharp 11th", "7(#9,#11);7#9(#11)", "1;3;5;b7;#9;#11",
     "Altered Dominant", None, None),
    ("13#9#11", "Dominant 13th Sharp 9th Sharp 11th", "13(#9,#11)", "1;3;5;b7;#9;#11;13",
     "Altered Dominant", None, None),
    ("7#9#11b13", "Dominant 7th Sharp 9th Sharp 11th Flat 13th", "7(#9,#11,b13)",
     "1;3;5;b7;#9;#11;b13", "Altered Dominant", None, None),
    ("13b5", "Dominant 13th Flat 5th", "13(b5)", "1;3;b5;b7;9;13", "Altered Dominant", None,
     None),
    ("9#11b13", "Dominant 9th Sharp 11th Flat 13th", "9(#11,b13)", "1;3;5;b7;9;#11;b13",
     "Altered Dominant", None, None),
    ("7b9#11", "Dominant 7th Flat 9th Sharp 11th", "7(b9,#11);7b9(#11)", "1;3;5;b7;b9;#11",
     "Altered Dominant", None, None),
    ("13b9#11", "Dominant 13th Flat 9th Sharp 11th", "13(b9,#11)", "1;3;5;b7;b9;#11;13",
     "Altered Dominant", None, None),
    ("7b9#11b13", "Dominant 7th Flat 9th Sharp 11th Flat 13th", "7(b9,#11,b13)",
     "1;3;5;b7;b9;#11;b13", "Altered Dominant", None, None),
    ("7b9#9", "Dominant 7th Flat 9th Sharp 9th", "7(b9,#9)", "1;3;5;b7;b9;#9",
     "Altered Dominant", None, None),
    ("7#5b9#11", "Dominant 7th Sharp 5th Flat 9th Sharp 11th", "7(#5,b9,#11);+7b9#11",
     "1;3;#5;b7;b9;#11", "Altered Dominant", None, None),
    # Major
    ("maj7#9#11", "Major 7th Sharp 9th Sharp 11th", "M7#9#11;\u03947#9#11", "1;3;5;7;#9;#11",
     "Major", None, None),
    ("maj9b5", "Major 9th Flat 5th", "M9b5;\u03949b5;maj9(b5)", "1;3;b5;7;9", "Major", None,
     None),
    ("maj9(add11)", "Major 9th Added 11th", "M9(add11);\u03949(add11)", "1;3;5;7;9;11", "Major",
     None, None),
    ("maj7b9", "Major 7th Flat 9th", "M7b9;\u03947b9;maj7(b9)", "1;3;5;7;b9", "Major", None,
     None),
    # Minor
    ("m7(add11)", "Minor 7th Added 11th", "m7add11;-7(add11);m7(add4)", "1;b3;5;b7;11", "Minor",
     None, None),
    ("m9b6", "Minor 9th Flat 6th", "m9(b6);-9b6", "1;b3;b6;b7;9", "Minor", None, None),
    ("m13(no11)", "Minor 13th (no 11th)", "-13(no11);m7(add9,13)", "1;b3;5;b7;9;13", "Minor",
     None, None),
    ("m11b6", "Minor 11th Flat 6th", "m11(b6);-11b6", "1;b3;b6;b7;9;11", "Minor", None, None),
    ("m(maj7)b6", "Minor-Major 7th Flat 6th", "mMaj7b6(no5);-\u03947b6", "1;b3;b6;7", "Minor",
     None, None),
    ("m(maj7)(b6)", "Minor-Major 7th Added Flat 6th", "mMaj7(addb6);-\u03947(b6)",
     "1;b3;5;b6;7", "Minor", None, None),
    ("m(maj9)(b6)", "Minor-Major 9th Added Flat 6th", "mMaj9(addb6);-\u03949(b6)",
     "1;b3;5;b6;7;9", "Minor", None, None),
    ("mb6(addb9)", "Minor Flat 6th Added Flat 9th", "-b6(addb9);mb6add(b9)", "1;b3;b6;b9",
     "Minor", None, "chord_minor_flat6_flat9"),
    # Suspended
    ("7#5sus4", "Dominant 7th Sharp 5th Suspended 4th", "7sus4(#5);+7sus4", "1;4;#5;b7",
     "Suspended", None, None),
    ("maj7#5sus4", "Major 7th Sharp 5th Suspended 4th", "M7#5sus4;\u03947#5sus4", "1;4;#5;7",
     "Suspended", None, None),
    ("maj9sus4", "Major 9th Suspended 4th", "M9sus4;\u03949sus4", "1;4;5;7;9", "Suspended", None,
     None),
    ("maj9#5sus4", "Major 9th Sharp 5th Suspended 4th", "M9#5sus4;\u03949#5sus4", "1;4;#5;7;9",
     "Suspended", None, None),
    ("7sus4b9b13", "Dominant 7th Suspended 4th Flat 9th Flat 13th", "7sus4(b9,b13);7b9b13sus4",
     "1;4;5;b7;b9;b13", "Suspended", None, None),
    ("6sus2", "6th Suspended 2nd", "6(sus2);sus2(add6)", "1;2;5;6", "Suspended", None, None),
    # Diminished
    ("dim7(maj7)", "Diminished 7th Added Major 7th", "\u00b07(maj7);o7M7", "1;b3;b5;f7;7",
     "Diminished", None, None),
    ("dim(add9)", "Diminished Added 9th", "\u00b0(add9);dimadd9", "1;b3;b5;9", "Diminished",
     None, None),
    # Augmented
    ("aug(add#9)", "Augmented Added Sharp 9th", "+(add#9);+add#9", "1;3;#5;#9", "Augmented",
     None, None),
    ("9#5#11", "Dominant 9th Sharp 5th Sharp 11th", "+9#11;9(#5,#11)", "1;3;#5;b7;9;#11",
     "Augmented", None, None),
    ("maj7#5#11", "Augmented Major 7th Sharp 11th", "+maj7#11;M7#5#11;\u03947#5#11",
     "1;3;#5;7;#11", "Augmented", None, None),
    # Sixth and added-note
    ("6#11", "Major 6th Sharp 11th", "6(#11);M6#11;6add#11", "1;3;5;6;#11", "Sixth & Added-Note",
     None, None),
    ("addb9", "Added Flat 9th", "(addb9);add(b9)", "1;3;5;b9", "Sixth & Added-Note", None, None),
    # Power and other
    ("quartal", "Quartal (Stacked 4ths)", "4ths;(4ths)", "1;4;b7;b10", "Power & Other", None,
     None),
]
CHORD_NUMBER = {c[0]: i for i, c in enumerate(CHORDS)}


def scales_holding(formula, most=6):
    """The scales that hold every note of the chord, the closest first: the
    scales of the jazz and rock player's everyday groups before the world,
    synthetic and raga scales, then the fewest notes besides the chord's own,
    then the order of the scale table.  The chromatic scale only when nothing
    else fits."""
    notes = set(interval_set(formula.split(";")))
    rarer = ("World & Exotic", "Synthetic", "Indian Ragas")
    fitting = [(sc[2] in rarer, len(sc[3].split(";")) - len(notes), i, sc[0])
               for i, sc in enumerate(SCALES)
               if notes <= set(interval_set(sc[3].split(";"))) and sc[0] != "Chromatic"]
    return [name for *_, name in sorted(fitting)][:most] or ["Chromatic"]


def chord_related(chord):
    return chord[5] if chord[5] is not None else scales_holding(chord[3])
CHORD_FORMULA = {c[0]: c[3] for c in CHORDS}

# --------------------------------------------------------------------------
# Open chords
# --------------------------------------------------------------------------

# chord, root, frets (string 6 first, x = silent), fingers, remark.  The
# grips of the first position that guitarists learn, one per chord and root.
# The remark that names the chord tones a grip leaves out ("No 5th.") is added.
OPEN_CHORDS = [
    ("maj", "C", "x32010", "x32010", ""),
    ("maj", "D", "xx0232", "xx0132", ""),
    ("maj", "E", "022100", "023100", ""),
    ("maj", "G", "320003", "210003", ""),
    ("maj", "A", "x02220", "x01230", ""),
    ("maj", "F", "xx3211", "xx3211", "Index finger barre across strings 2 and 1."),
    ("m", "D", "xx0231", "xx0231", ""),
    ("m", "E", "022000", "023000", ""),
    ("m", "A", "x02210", "x02310", ""),
    ("7", "C", "x32310", "x32410", ""),
    ("7", "D", "xx0212", "xx0213", ""),
    ("7", "E", "020100", "020100", ""),
    ("7", "G", "320001", "320001", ""),
    ("7", "A", "x02020", "x02030", ""),
    ("7", "B", "x21202", "x21304", ""),
    ("maj7", "C", "x32000", "x32000", ""),
    ("maj7", "D", "xx0222", "xx0111", "Index finger barre across strings 3 to 1."),
    ("maj7", "E", "021100", "031200", ""),
    ("maj7", "F", "xx3210", "xx3210", ""),
    ("maj7", "G", "320002", "320001", ""),
    ("maj7", "A", "x02120", "x02130", ""),
    ("m7", "D", "xx0211", "xx0211", "Index finger barre across strings 2 and 1."),
    ("m7", "E", "022030", "023040", ""),
    ("m7", "A", "x02010", "x02010", ""),
    ("m7", "B", "x20202", "x10203", ""),
    ("6", "C", "x32210", "x42310", ""),
    ("6", "D", "xx0202", "xx0203", ""),
    ("6", "E", "022120", "023140", ""),
    ("6", "G", "320000", "210000", ""),
    ("6", "A", "x02222", "x01111", "Index finger barre across strings 4 to 1."),
    ("m6", "D", "xx0201", "xx0201", ""),
    ("m6", "E", "022020", "012030", ""),
    ("m6", "A", "x02212", "x02314", ""),
    ("9", "C", "x32330", "x21340", ""),
    ("9", "E", "020102", "020103", ""),
    ("9", "G", "300001", "300001", ""),
    ("9", "A", "x02423", "x01312", "Index finger barre across strings 4 to 2."),
    ("add9", "C", "x32030", "x21030", ""),
    ("add9", "E", "024100", "024100", ""),
    ("add9", "G", "320203", "310204", ""),
    ("add9", "A", "x02420", "x01420", ""),
    ("sus2", "C", "x30033", "x20034", ""),
    ("sus2", "D", "xx0230", "xx0130", ""),
    ("sus2", "E", "024400", "013400", ""),
    ("sus2", "F", "xx3011", "xx3011", "Index finger barre across strings 2 and 1."),
    ("sus2", "G", "300033", "200034", ""),
    ("sus2", "A", "x02200", "x01200", ""),
    ("sus4", "C", "x33011", "x34011", "Index finger barre across strings 2 and 1."),
    ("sus4", "D", "xx0233", "xx0134", ""),
    ("sus4", "E", "022200", "023400", ""),
    ("sus4", "G", "330013", "230014", ""),
    ("sus4", "A", "x02230", "x01230", ""),
    ("7sus4", "D", "xx0213", "xx0213", ""),
    ("7sus4", "E", "020200", "020300", ""),
    ("7sus4", "G", "330011", "340011", "Index finger barre across strings 2 and 1."),
    ("7sus4", "A", "x02030", "x02030", ""),
    ("dim", "D", "xx0131", "xx0131", "Index finger barre across strings 3 to 1."),
    ("dim", "E", "0120xx", "0120xx", ""),
    ("dim", "A", "x0121x", "x0132x", ""),
    ("dim7", "D", "xx0101", "xx0102", ""),
    ("dim7", "E", "012020", "012030", ""),
    ("dim7", "A", "x01212", "x01324", ""),
    ("m7b5", "E", "012030", "012030", ""),
    ("m7b5", "A", "x01213", "x01324", ""),
    ("m7b5", "B", "x20201", "x20301", ""),
    ("aug", "C", "x32110", "x32110", "Index finger barre across strings 3 and 2."),
    ("aug", "E", "032110", "032110", "Index finger barre across strings 3 and 2."),
    ("aug", "G", "321003", "321004", ""),
    ("aug", "A", "x03221", "x04231", ""),
    ("maj9", "C", "x30000", "x30000", ""),
    ("m(maj7)", "E", "021000", "021000", ""),
    ("m(maj7)", "A", "x02110", "x03120", ""),
    ("m9", "E", "022032", "012043", ""),
    ("m(add9)", "E", "024000", "013000", ""),
    ("m(add9)", "A", "x02410", "x02410", ""),
    ("5", "E", "022xxx", "023xxx", ""),
    ("5", "A", "x022xx", "x023xx", ""),
    ("5", "D", "xx023x", "xx013x", ""),
]

# --------------------------------------------------------------------------
# Movable voicings
# --------------------------------------------------------------------------

# One block per chord.  Each line: root string, the frets of strings 6 to 1
# relative to the root's fret on the root string (x = silent), the fingers
# (1 index .. 4 little, x silent), and the remark shown under the voicing.
# The program moves each shape to the chosen root; the remark names the
# chord tones from the lowest string up; the one that names the tones the
# shape leaves out ("No 5th or 9th.") is added.
MOVABLE_SHAPES = """
[maj]
6  0  2  2  1  0  0  134211  E-shape barre, root on the 6th string: 1 5 1 3 5 1. Index finger barre across strings 6 to 1.
5  x  0  2  2  2  0  x13331  A-shape barre, root on the 5th string: 1 5 1 3 5. Index finger barre across strings 5 to 1. Ring finger barre across strings 4 to 2.
5  x  0 -1 -3 -2 -3  x43121  C-shape, root on the 5th string: 1 3 5 1 3. Index finger barre across strings 3 to 1.
6  0 -1 -3 -3 -3  0  321114  G-shape, root on the 6th string: 1 3 5 1 3 1. Index finger barre across strings 4 to 2.
6  0  2  2  1  x  x  1342xx  E-shape on the lower four strings, root on the 6th string: 1 5 1 3.
4  x  x  0  2  3  2  xx1243  D-shape, root on the 4th string: 1 5 1 3.
5  x  0 -1 -3  x  x  x321xx  Triad on strings 5 to 3, root on the 5th string: 1 3 5.
4  x  x  0 -1 -2  x  xx321x  Triad on strings 4 to 2, root on the 4th string: 1 3 5.
3  x  x  x  0  0 -2  xxx231  Triad on strings 3 to 1, root on the 3rd string: 1 3 5.
5 -3  0 -1 -3 -2 -3  143121  1st Inversion | C/E-shape: the C-shape barre with the 3rd on the 6th string: 3 1 3 5 1 3. Index finger barre across strings 6 to 1.
4  x  0  0 -1 -2 -2  x34211  2nd Inversion | F/C-shape, the 5th on the 5th string: 5 1 3 5 1. Index finger barre across strings 2 and 1.
3  x  2  0  0  3  3  x21134  1st Inversion | G/B-shape, the 3rd on the 5th string: 3 5 1 5 1. Index finger barre across strings 4 and 3.
2  x  x  1 -1  0 -1  xx3121  1st Inversion | D/F#-shape: the D-shape with the 3rd on the 4th string: 3 5 1 3. Index finger barre across strings 3 to 1.
[m]
6  0  2  2  0  0  0  134111  Em-shape barre, root on the 6th string: 1 5 1 b3 5 1. Index finger barre across strings 6 to 1.
5  x  0  2  2  1  0  x13421  Am-shape barre, root on the 5th string: 1 5 1 b3 5. Index finger barre across strings 5 to 1.
5  x  0 -2 -3 -2  x  x4213x  Cm-shape, root on the 5th string: 1 b3 5 1.
6  0  2  2  0  x  x  1341xx  Em-shape on the lower four strings, root on the 6th string: 1 5 1 b3. Index finger barre across strings 6 to 3.
4  x  x  0  2  3  1  xx1342  Dm-shape, root on the 4th string: 1 5 1 b3.
5  x  0 -2 -3  x  x  x421xx  Triad on strings 5 to 3, root on the 5th string: 1 b3 5.
4  x  x  0 -2 -2  x  xx312x  Triad on strings 4 to 2, root on the 4th string: 1 b3 5.
3  x  x  x  0 -1 -2  xxx321  Triad on strings 3 to 1, root on the 3rd string: 1 b3 5.
[7]
6  0  2  0  1  0  0  131211  E7-shape barre, root on the 6th string: 1 5 b7 3 5 1. Index finger barre across strings 6 to 1.
5  x  0  2  0  2  0  x13141  A7-shape barre, root on the 5th string: 1 5 b7 3 5. Index finger barre across strings 5 to 1.
6  0  x  0  1  0  x  2x341x  Drop 3, root on the 6th string: 1 b7 3 5.
5  x  0  2  0  2  x  x1314x  Drop 2, root on the 5th string: 1 5 b7 3. Index finger barre across strings 5 to 3.
5  x  0  x  0  2  0  x2x131  Drop 3, root on the 5th string: 1 b7 3 5. Index finger barre across strings 3 to 1.
4  x  x  0  2  1  2  xx1324  D7-shape (drop 2), root on the 4th string: 1 5 b7 3.
6  0  x  0  1  x  x  1x23xx  Shell voicing, root on the 6th string: 1 b7 3.
6  0 -1  0  x  x  x  213xxx  Shell voicing, root on the 6th string: 1 3 b7.
5  x  0  x  0  2  x  x1x24x  Shell voicing, root on the 5th string: 1 b7 3.
5  x  0 -1  0  x  x  x213xx  Shell voicing, root on the 5th string: 1 3 b7.
4  x  x  0 -1  1  x  xx213x  Shell voicing, root on the 4th string: 1 3 b7.
3  x  x  x  0  0  1  xxx112  Shell voicing on the top strings, root on the 3rd string: 1 3 b7. Index finger barre across strings 3 and 2.
5  x  0 -1  0 -2  x  x3241x  C7-shape, root on the 5th string: 1 3 b7 1.
[maj7]
6  0  x  1  1  0  x  1x342x  Drop 3, root on the 6th string: 1 7 3 5.
6  0  2  1  1  0  0  142311  Emaj7-shape barre, root on the 6th string: 1 5 7 3 5 1. Index finger barre across strings 6 to 1.
5  x  0  2  1  2  0  x13241  Amaj7-shape barre, root on the 5th string: 1 5 7 3 5. Index finger barre across strings 5 to 1.
5  x  0  2  1  2  x  x1324x  Drop 2, root on the 5th string: 1 5 7 3.
5  x  0  x  1  2  0  x2x341  Drop 3, root on the 5th string: 1 7 3 5.
4  x  x  0  2  2  2  xx1234  Dmaj7-shape (drop 2), root on the 4th string: 1 5 7 3.
6  0  x  1  1  x  x  1x23xx  Shell voicing, root on the 6th string: 1 7 3.
6  0 -1  1  x  x  x  213xxx  Shell voicing, root on the 6th string: 1 3 7.
5  x  0  x  1  2  x  x1x23x  Shell voicing, root on the 5th string: 1 7 3.
4  x  x  0 -1  2  x  xx214x  Shell voicing, root on the 4th string: 1 3 7.
3  x  x  x  0  0  2  xxx113  Shell voicing on the top strings, root on the 3rd string: 1 3 7. Index finger barre across strings 3 and 2.
5  x  0 -1 -3 -3 -3  x43111  Cmaj7-shape, root on the 5th string: 1 3 5 7 3. Index finger barre across strings 3 to 1.
[m7]
6  0  2  0  0  0  0  131111  Em7-shape barre, root on the 6th string: 1 5 b7 b3 5 1. Index finger barre across strings 6 to 1.
5  x  0  2  0  1  0  x13121  Am7-shape barre, root on the 5th string: 1 5 b7 b3 5. Index finger barre across strings 5 to 1.
6  0  x  0  0  0  x  1x333x  Drop 3, root on the 6th string: 1 b7 b3 5. Ring finger barre across strings 4 to 2.
5  x  0  2  0  1  x  x1312x  Drop 2, root on the 5th string: 1 5 b7 b3. Index finger barre across strings 5 to 3.
5  x  0  x  0  1  0  x2x131  Drop 3, root on the 5th string: 1 b7 b3 5. Index finger barre across strings 3 to 1.
4  x  x  0  2  1  1  xx1322  Dm7-shape (drop 2), root on the 4th string: 1 5 b7 b3. Middle finger barre across strings 2 and 1.
6  0  x  0  0  x  x  2x34xx  Shell voicing, root on the 6th string: 1 b7 b3.
6  0 -2  0  x  x  x  213xxx  Shell voicing, root on the 6th string: 1 b3 b7.
5  x  0  x  0  1  x  x1x23x  Shell voicing, root on the 5th string: 1 b7 b3.
4  x  x  0 -2  1  x  xx214x  Shell voicing, root on the 4th string: 1 b3 b7.
3  x  x  x  0 -1  1  xxx213  Shell voicing on the top strings, root on the 3rd string: 1 b3 b7.
[6]
6  0  x -1  1  0  x  2x143x  Drop 3, root on the 6th string: 1 6 3 5.
5  x  0  2  2  2  2  x13333  A6-shape barre, root on the 5th string: 1 5 1 3 6. Ring finger barre across strings 4 to 1.
5  x  0  2 -1  2  x  x2314x  Drop 2, root on the 5th string: 1 5 6 3.
4  x  x  0  2  0  2  xx1314  D6-shape (drop 2), root on the 4th string: 1 5 6 3. Index finger barre across strings 4 to 2.
4  x  x  0 -1  0 -2  xx3241  F6-shape, root on the 4th string: 1 3 6 1.
6  0  x -1  1  x  x  2x13xx  Shell voicing, root on the 6th string: 1 6 3.
5  x  0  x -1  2  x  x2x14x  Shell voicing, root on the 5th string: 1 6 3.
[m6]
6  0  x -1  0  0  x  2x134x  Drop 3, root on the 6th string: 1 6 b3 5.
5  x  0  2  2  1  2  x13324  Am6-shape, root on the 5th string: 1 5 1 b3 6. Ring finger barre across strings 4 and 3.
5  x  0  2 -1  1  x  x2413x  Drop 2, root on the 5th string: 1 5 6 b3.
4  x  x  0  2  0  1  xx1312  Dm6-shape (drop 2), root on the 4th string: 1 5 6 b3. Index finger barre across strings 4 to 2.
4  x  x  0 -2  0 -2  xx3141  Fm6-shape, root on the 4th string: 1 b3 6 1. Index finger barre across strings 3 to 1.
6  0  x -1  0  x  x  2x13xx  Shell voicing, root on the 6th string: 1 6 b3.
5  x  0  x -1  1  x  x2x13x  Shell voicing, root on the 5th string: 1 6 b3.
[9]
6  0  2  0  1  0  2  131214  E9-shape barre, root on the 6th string: 1 5 b7 3 5 9. Index finger barre across strings 6 to 2.
6  0  x  0  1  x  2  1x23x4  Four-string voicing, root on the 6th string: 1 b7 3 9.
6  0 -1  0 -1  x  x  2131xx  Four-string voicing, root on the 6th string: 1 3 b7 9. Index finger barre across strings 5 to 3.
5  x  0 -1  0  0  0  x21333  C9-shape, root on the 5th string: 1 3 b7 9 5. Ring finger barre across strings 3 to 1.
5  x  0 -1  0  0  x  x2134x  C9-shape on four strings, root on the 5th string: 1 3 b7 9.
4  x  x  0 -1  1  0  xx2143  Four-string voicing, root on the 4th string: 1 3 b7 9.
6  x -1  0 -1  0  x  x1324x  Rootless | Rootless grip on strings 5 to 2: 3 b7 9 5.
5  x  x -1  0  0  0  xx1234  Rootless | Rootless grip on strings 4 to 1: 3 b7 9 5.
6  x  x  0  1  0  2  xx1324  Rootless | Rootless grip on strings 4 to 1: b7 3 5 9.
[add9]
6  0 -1  x -1  0  x  31x24x  Four-string voicing, root on the 6th string: 1 3 9 5.
6  0  x  x  1  0  2  1xx324  Four-string voicing, root on the 6th string: 1 3 5 9.
5  x  0 -1 -3  0  x  x3214x  Cadd9-shape, root on the 5th string: 1 3 5 9.
5  x  0 -1 -3  0 -3  x32141  Cadd9-shape, root on the 5th string: 1 3 5 9 3. Index finger barre across strings 3 to 1.
6  0 -1 -3 -1  x  x  4213xx  Four-string voicing, root on the 6th string: 1 3 5 9.
4  x  x  0 -1 -2  0  xx3214  Four-string voicing, root on the 4th string: 1 3 5 9.
[sus2]
6  0  2  2 -1  x  x  2341xx  Four-string voicing, root on the 6th string: 1 5 1 2.
6  0  x -3 -1  0  x  3x124x  Four-string voicing, root on the 6th string: 1 5 2 5.
5  x  0  2  2  0  0  x13411  Asus2-shape barre, root on the 5th string: 1 5 1 2 5. Index finger barre across strings 5 to 1.
5  x  0 -3 -3 -2  x  x4112x  Csus2-shape, root on the 5th string: 1 2 5 1. Index finger barre across strings 4 and 3.
4  x  x  0  2  3  0  xx1341  Dsus2-shape, root on the 4th string: 1 5 1 2. Index finger barre across strings 4 to 1.
3  x  x  x  0 -2 -2  xxx311  Three-string voicing, root on the 3rd string: 1 2 5. Index finger barre across strings 2 and 1.
[sus4]
6  0  2  2  2  0  0  123411  Esus4-shape barre, root on the 6th string: 1 5 1 4 5 1. Index finger barre across strings 6 to 1.
6  0  2  2  2  x  x  1234xx  Esus4-shape on the lower four strings, root on the 6th string: 1 5 1 4.
5  x  0  2  2  3  0  x12341  Asus4-shape barre, root on the 5th string: 1 5 1 4 5. Index finger barre across strings 5 to 1.
5  x  0  0 -3 -2 -2  x34122  Csus4-shape, root on the 5th string: 1 4 5 1 4. Middle finger barre across strings 2 and 1.
5  x  0  0 -3  x  x  x341xx  Three-string voicing, root on the 5th string: 1 4 5.
4  x  x  0  2  3  3  xx1234  Dsus4-shape, root on the 4th string: 1 5 1 4.
3  x  x  x  0  1 -2  xxx231  Three-string voicing, root on the 3rd string: 1 4 5.
[7sus4]
6  0  2  0  2  0  0  131411  E7sus4-shape barre, root on the 6th string: 1 5 b7 4 5 1. Index finger barre across strings 6 to 1.
6  0  x  0  2  0  x  1x243x  Drop 3, root on the 6th string: 1 b7 4 5.
6  0  x  0  2  x  x  1x24xx  Three-string voicing, root on the 6th string: 1 b7 4.
5  x  0  2  0  3  0  x13141  A7sus4-shape barre, root on the 5th string: 1 5 b7 4 5. Index finger barre across strings 5 to 1.
5  x  0  2  0  3  x  x1314x  Drop 2, root on the 5th string: 1 5 b7 4. Index finger barre across strings 5 to 3.
5  x  0  x  0  3  x  x1x24x  Three-string voicing, root on the 5th string: 1 b7 4.
4  x  x  0  2  1  3  xx1324  D7sus4-shape (drop 2), root on the 4th string: 1 5 b7 4.
3  x  x  x  0  1  1  xxx123  Three-string voicing on the top strings, root on the 3rd string: 1 4 b7.
[dim]
6  0  1  2  0  x  x  1231xx  Four-string voicing, root on the 6th string: 1 b5 1 b3. Index finger barre across strings 6 to 3.
6  0  x  2  0 -1  x  2x431x  Four-string voicing, root on the 6th string: 1 1 b3 b5.
5  x  0  1  2  1  x  x1243x  Four-string voicing, root on the 5th string: 1 b5 1 b3.
5  x  0  x  2  1 -1  x2x431  Four-string voicing, root on the 5th string: 1 1 b3 b5.
4  x  x  0  1  3  1  xx1243  Four-string voicing, root on the 4th string: 1 b5 1 b3.
4  x  x  0 -2 -3  x  xx421x  Triad on strings 4 to 2, root on the 4th string: 1 b3 b5.
3  x  x  x  0 -1 -3  xxx321  Triad on strings 3 to 1, root on the 3rd string: 1 b3 b5.
[dim7]
6  0  x -1  0 -1  x  2x131x  Drop 3, root on the 6th string: 1 bb7 b3 b5. Index finger barre across strings 4 to 2.
6  0  1 -1  0  x  x  2413xx  Drop 2, root on the 6th string: 1 b5 bb7 b3.
5  x  0  1 -1  1  x  x2314x  Drop 2, root on the 5th string: 1 b5 bb7 b3.
5  x  0  x -1  1 -1  x2x131  Drop 3, root on the 5th string: 1 bb7 b3 b5. Index finger barre across strings 3 to 1.
5  x  0  1 -1  1 -1  x23141  Five-string voicing, root on the 5th string: 1 b5 bb7 b3 b5. Index finger barre across strings 3 to 1.
4  x  x  0  1  0  1  xx1213  Drop 2, root on the 4th string: 1 b5 bb7 b3. Index finger barre across strings 4 to 2.
[m7b5]
6  0  x  0  0 -1  x  2x341x  Drop 3, root on the 6th string: 1 b7 b3 b5.
6  0  1  0  0  x  x  1211xx  Drop 2, root on the 6th string: 1 b5 b7 b3. Index finger barre across strings 6 to 3.
6  0 -2  0  x -1  x  314x2x  Four-string voicing, root on the 6th string: 1 b3 b7 b5.
5  x  0  1  0  1  x  x1324x  Drop 2, root on the 5th string: 1 b5 b7 b3.
5  x  0  x  0  1 -1  x2x341  Drop 3, root on the 5th string: 1 b7 b3 b5.
4  x  x  0  1  1  1  xx1234  Drop 2, root on the 4th string: 1 b5 b7 b3.
[aug]
6  0  x  2  1  1  x  1x423x  Four-string voicing, root on the 6th string: 1 1 3 #5.
6  0 -1 -2  x  x  x  321xxx  Triad on strings 6 to 4, root on the 6th string: 1 3 #5.
5  x  0 -1 -2 -2 -3  x43221  C+-shape, root on the 5th string: 1 3 #5 1 3. Middle finger barre across strings 3 and 2.
5  x  0 -1 -2 -2  x  x3211x  Four-string voicing, root on the 5th string: 1 3 #5 1. Index finger barre across strings 3 and 2.
4  x  x  0 -1 -1 -2  xx4231  Four-string voicing, root on the 4th string: 1 3 #5 1.
4  x  x  0 -1 -1  x  xx312x  Triad on strings 4 to 2, root on the 4th string: 1 3 #5.
3  x  x  x  0  0 -1  xxx231  Triad on strings 3 to 1, root on the 3rd string: 1 3 #5.
[maj9]
6  0  x  1  1  0  2  1x3324  Five-string voicing, root on the 6th string: 1 7 3 5 9. Ring finger barre across strings 4 and 3.
6  0 -1  1 -1  0  x  21413x  Five-string voicing, root on the 6th string: 1 3 7 9 5. Index finger barre across strings 5 to 3.
6  0 -1  1 -1  x  x  3142xx  Four-string voicing, root on the 6th string: 1 3 7 9.
5  x  0 -1  1  0  x  x2143x  Four-string voicing, root on the 5th string: 1 3 7 9.
5  x  0 -1  1  0  0  x21433  Five-string voicing, root on the 5th string: 1 3 7 9 5. Ring finger barre across strings 2 and 1.
5  x  0 -3 -3 -3 -3  x41111  Cmaj9-shape, root on the 5th string: 1 9 5 7 3. Index finger barre across strings 4 to 1.
4  x  x  0 -1  2  0  xx2143  Four-string voicing, root on the 4th string: 1 3 7 9.
6  x -1  1 -1  0  x  x1423x  Rootless | Rootless grip on strings 5 to 2: 3 7 9 5.
5  x  x -1  1  0  0  xx1423  Rootless | Rootless grip on strings 4 to 1: 3 7 9 5.
6  x  x  1  1  0  2  xx2314  Rootless | Rootless grip on strings 4 to 1: 7 3 5 9.
[maj13]
6  0  x  1  1  2  x  1x234x  Four-string voicing, root on the 6th string: 1 7 3 13.
6  0 -1  1  x  2  x  213x4x  Four-string voicing, root on the 6th string: 1 3 7 13.
6  0 -1  1 -1  2  x  21314x  Five-string voicing, root on the 6th string: 1 3 7 9 13. Index finger barre across strings 5 to 3.
5  x  0  x  1  2  2  x1x234  Four-string voicing, root on the 5th string: 1 7 3 13.
5  x  0 -1 -1 -3  x  x4231x  Four-string voicing, root on the 5th string: 1 3 13 7.
5  x  0 -1  1  x  2  x213x4  Four-string voicing, root on the 5th string: 1 3 7 13.
4  x  x  0 -1  0 -3  xx3241  Four-string voicing, root on the 4th string: 1 3 13 7.
[maj7#11]
6  0  1  1  1  0  0  123411  Emaj7-shape barre with the sharp 11th, root on the 6th string: 1 #11 7 3 5 1. Index finger barre across strings 6 to 1.
6  0  1  1  1  0  x  12341x  Five-string voicing, root on the 6th string: 1 #11 7 3 5. Index finger barre across strings 6 to 2.
6  0  2  1  1 -1  x  24331x  Five-string voicing, root on the 6th string: 1 5 7 3 #11. Ring finger barre across strings 4 and 3.
6  0  2  x  1 -1 -1  24x311  Five-string voicing, root on the 6th string: 1 5 3 #11 7. Index finger barre across strings 2 and 1.
5  x  0  1  1  2  0  x12341  Five-string voicing, root on the 5th string: 1 #11 7 3 5. Index finger barre across strings 5 to 1.
5  x  0 -1 -3 -3 -1  x42113  Five-string voicing, root on the 5th string: 1 3 5 7 #11. Index finger barre across strings 3 and 2.
4  x  x  0  1  2  2  xx1234  Dmaj7-shape with the sharp 11th in place of the 5th, root on the 4th string: 1 #11 7 3.
4  x  x  0 -1 -3 -3  xx4311  Close voicing, root on the 4th string: 1 3 #11 7. Index finger barre across strings 2 and 1.
[maj9#11]
6  0 -1  1 -1 -1  x  21311x  Five-string voicing, root on the 6th string: 1 3 7 9 #11. Index finger barre across strings 5 to 2.
6  0 -1  2 -1 -1 -1  214111  Six-string voicing, root on the 6th string: 1 3 1 9 #11 7. Index finger barre across strings 5 to 1.
6  0 -1  1 -1 -1 -1  213111  Six-string voicing, root on the 6th string: 1 3 7 9 #11 7. Index finger barre across strings 5 to 1.
6  0  x  1  1 -1  2  2x3314  Five-string voicing, root on the 6th string: 1 7 3 #11 9. Ring finger barre across strings 4 and 3.
6  0 -1  x -1 -1 -1  32x111  Five-string voicing, root on the 6th string: 1 3 9 #11 7. Index finger barre across strings 3 to 1.
5  x  0 -1  1  0 -1  x21431  Five-string voicing, root on the 5th string: 1 3 7 9 #11. Index finger barre across strings 4 to 1.
[maj13#11]
6  0 -1 -1 -1 -1 -1  211111  Six-string voicing, root on the 6th string: 1 3 13 9 #11 7. Index finger barre across strings 5 to 1.
6  0  x -1  1 -1 -1  2x1311  Five-string voicing, root on the 6th string: 1 13 3 #11 7. Index finger barre across strings 4 to 1.
6  0  2 -1  1 -1 -1  241311  Six-string voicing, root on the 6th string: 1 5 13 3 #11 7. Index finger barre across strings 4 to 1.
6  0  1  1  1  2  x  12223x  Five-string voicing, root on the 6th string: 1 #11 7 3 13. Middle finger barre across strings 5 to 3.
5  x  0  1  1  2  2  x12234  Five-string voicing, root on the 5th string: 1 #11 7 3 13. Middle finger barre across strings 4 and 3.
5  x  0 -1 -1 -3 -1  x43312  Five-string voicing, root on the 5th string: 1 3 13 7 #11. Ring finger barre across strings 4 and 3.
[m(maj7)]
6  0  2  1  0  0  0  132111  Em(maj7)-shape barre, root on the 6th string: 1 5 7 b3 5 1. Index finger barre across strings 6 to 1.
6  0  x  1  0  0  x  1x423x  Drop 3, root on the 6th string: 1 7 b3 5.
6  0  2  1  0  x  x  1432xx  Drop 2, root on the 6th string: 1 5 7 b3.
6  0 -2  1  x  x  x  314xxx  Shell voicing, root on the 6th string: 1 b3 7.
5  x  0  2  1  1  0  x14231  Am(maj7)-shape barre, root on the 5th string: 1 5 7 b3 5. Index finger barre across strings 5 to 1.
5  x  0  2  1  1  x  x1423x  Drop 2, root on the 5th string: 1 5 7 b3.
5  x  0  x  1  1  0  x2x341  Drop 3, root on the 5th string: 1 7 b3 5.
5  x  0  x  1  1  x  x1x23x  Shell voicing, root on the 5th string: 1 7 b3.
4  x  x  0  2  2  1  xx1342  Dm(maj7)-shape (drop 2), root on the 4th string: 1 5 7 b3.
[m9]
6  0  2  0  0  x  2  1211x3  Em9-shape, root on the 6th string: 1 5 b7 b3 9. Index finger barre across strings 6 to 3.
6  0  x  0  0  0  2  2x1113  Five-string voicing, root on the 6th string: 1 b7 b3 5 9. Index finger barre across strings 4 to 2.
6  0 -2  0 -1  x  x  3142xx  Four-string voicing, root on the 6th string: 1 b3 b7 9.
5  x  0 -2  0  0  x  x2134x  Four-string voicing, root on the 5th string: 1 b3 b7 9.
5  x  0 -2  0  0  0  x21333  Five-string voicing, root on the 5th string: 1 b3 b7 9 5. Ring finger barre across strings 3 to 1.
4  x  x  0 -2  1  0  xx2143  Four-string voicing, root on the 4th string: 1 b3 b7 9.
6  x -2  0 -1  0  x  x1324x  Rootless | Rootless grip on strings 5 to 2: b3 b7 9 5.
5  x  x -2  0  0  0  xx1234  Rootless | Rootless grip on strings 4 to 1: b3 b7 9 5.
6  x  x  0  0  0  2  xx1234  Rootless | Rootless grip on strings 4 to 1: b7 b3 5 9.
[m11]
6  0  0  0  0  0  x  11111x  Fourths with a major 3rd on top (the quartal comping grip), root on the 6th string: 1 11 b7 b3 5. Index finger barre across strings 6 to 2.
6  0  0  0  0  x  x  1111xx  Four-string voicing, root on the 6th string: 1 11 b7 b3. Index finger barre across strings 6 to 3.
6  0  x  0  0 -2  x  2x341x  Four-string voicing, root on the 6th string: 1 b7 b3 11.
5  x  0  0  0  1  0  x11121  Am11-shape: fourths with a major 3rd on top (the quartal comping grip), root on the 5th string: 1 11 b7 b3 5. Index finger barre across strings 5 to 1.
5  x  0 -2  0  0 -2  x21341  Five-string voicing, root on the 5th string: 1 b3 b7 9 11. Index finger barre across strings 4 to 1.
5  x  0  0  0  1  x  x1112x  Four-string voicing, root on the 5th string: 1 11 b7 b3. Index finger barre across strings 5 to 3.
5  x  0  x  0  1 -2  x2x341  Four-string voicing, root on the 5th string: 1 b7 b3 11.
4  x  x  0  0  1  1  xx1123  Four-string voicing, root on the 4th string: 1 11 b7 b3. Index finger barre across strings 4 and 3.
[m13]
6  0  0  0  0  2  x  11113x  Five-string voicing, root on the 6th string: 1 11 b7 b3 13. Index finger barre across strings 6 to 3.
6  0  x  0  0  2  x  1x234x  Four-string voicing, root on the 6th string: 1 b7 b3 13.
6  0  2  0  0  2  x  12113x  Five-string voicing, root on the 6th string: 1 5 b7 b3 13. Index finger barre across strings 6 to 3.
5  x  0  0  0  1  2  x11123  Five-string voicing, root on the 5th string: 1 11 b7 b3 13. Index finger barre across strings 5 to 3.
5  x  0  2  0  1  2  x13124  Am7-shape with the 13th on top, root on the 5th string: 1 5 b7 b3 13. Index finger barre across strings 5 to 3.
5  x  0  x  0  1  2  x1x234  Four-string voicing, root on the 5th string: 1 b7 b3 13.
[m(maj9)]
6  0  2  1  0  0  2  132114  Em(maj9)-shape barre, root on the 6th string: 1 5 7 b3 5 9. Index finger barre across strings 6 to 2.
6  0  2  1  0  x  2  1321x4  Five-string voicing, root on the 6th string: 1 5 7 b3 9. Index finger barre across strings 6 to 3.
6  0  x  1  0  0  2  2x3114  Five-string voicing, root on the 6th string: 1 7 b3 5 9. Index finger barre across strings 3 and 2.
6  0 -2  1 -1  x  x  3142xx  Four-string voicing, root on the 6th string: 1 b3 7 9.
5  x  0 -2  1  0  0  x21433  Five-string voicing, root on the 5th string: 1 b3 7 9 5. Ring finger barre across strings 2 and 1.
5  x  0 -2  1  0  x  x2143x  Four-string voicing, root on the 5th string: 1 b3 7 9.
[m7b9]
6  0  2  0  0  0  1  131112  Em7-shape barre with the flat 9th on top, root on the 6th string: 1 5 b7 b3 5 b9. Index finger barre across strings 6 to 2.
6  0  x  0  0  0  1  2x1113  Five-string voicing, root on the 6th string: 1 b7 b3 5 b9. Index finger barre across strings 4 to 2.
6  0 -2  0 -2  x  x  2131xx  Four-string voicing, root on the 6th string: 1 b3 b7 b9. Index finger barre across strings 5 to 3.
5  x  0 -2  0 -1  x  x3142x  Four-string voicing, root on the 5th string: 1 b3 b7 b9.
5  x  0  x  3  1  3  x1x324  Four-string voicing, root on the 5th string: 1 b9 b3 b7.
4  x  x  0 -2  1 -1  xx3142  Four-string voicing, root on the 4th string: 1 b3 b7 b9.
[11]
6  0  0  0 -1  x  x  2341xx  Four-string voicing, root on the 6th string: 1 11 b7 9.
6  0  x  0 -1 -2  x  3x421x  Four-string voicing, root on the 6th string: 1 b7 9 11.
6  0  2  0  2  x  x  1314xx  E7sus4-shape on the lower four strings, root on the 6th string: 1 5 b7 11. Index finger barre across strings 6 to 4.
5  x  0  0  0  0  0  x11111  Five-string voicing, root on the 5th string: 1 11 b7 9 5. Index finger barre across strings 5 to 1.
5  x  0  2  0  3  x  x1314x  A7sus4-shape on four strings, root on the 5th string: 1 5 b7 11. Index finger barre across strings 5 to 3.
5  x  0  x  0  0 -2  x2x341  Four-string voicing, root on the 5th string: 1 b7 9 11.
4  x  x  0  0  1  0  xx1121  Four-string voicing, root on the 4th string: 1 11 b7 9. Index finger barre across strings 4 to 1.
[13]
6  0  2  0  1  2  x  13124x  Five-string voicing, root on the 6th string: 1 5 b7 3 13. Index finger barre across strings 6 to 4.
6  0 -1  0 -1  2  x  21314x  Five-string voicing, root on the 6th string: 1 3 b7 9 13. Index finger barre across strings 5 to 3.
6  0  x  0  1  2  x  1x234x  Four-string voicing, root on the 6th string: 1 b7 3 13.
5  x  0  2  0  2  2  x12134  Five-string voicing, root on the 5th string: 1 5 b7 3 13. Index finger barre across strings 5 to 3.
5  x  0 -1  0  0  2  x21334  Five-string voicing, root on the 5th string: 1 3 b7 9 13. Ring finger barre across strings 3 and 2.
5  x  0  x  0  2  2  x1x234  Four-string voicing, root on the 5th string: 1 b7 3 13.
6  x -1  0 -1  2  x  x1324x  Rootless | Rootless grip on strings 5 to 2: 3 b7 9 13.
5  x  x -1  0  0  2  xx1234  Rootless | Rootless grip on strings 4 to 1: 3 b7 9 13.
6  x  x  0  1  2  2  xx1234  Rootless | Rootless grip on strings 4 to 1: b7 3 13 9.
[7#11]
6  0  1  0  1  0  0  121311  E7-shape barre with the sharp 11th, root on the 6th string: 1 #11 b7 3 5 1. Index finger barre across strings 6 to 1.
6  0  1  0  1  0  x  12131x  Five-string voicing, root on the 6th string: 1 #11 b7 3 5. Index finger barre across strings 6 to 2.
6  0 -1  0  x -1  x  314x2x  Four-string voicing, root on the 6th string: 1 3 b7 #11.
5  x  0  1  0  2  0  x12131  A7-shape barre with the sharp 11th, root on the 5th string: 1 #11 b7 3 5. Index finger barre across strings 5 to 1.
5  x  0  1  x  2  3  x12x34  Four-string voicing, root on the 5th string: 1 #11 3 b7.
5  x  0 -1  0  x -1  x314x2  Four-string voicing, root on the 5th string: 1 3 b7 #11.
4  x  x  0  1  1  2  xx1234  D7-shape with the sharp 11th in place of the 5th, root on the 4th string: 1 #11 b7 3.
[9#11]
6  0 -1  0 -1 -1  x  21311x  Five-string voicing, root on the 6th string: 1 3 b7 9 #11. Index finger barre across strings 5 to 2.
6  0 -1  0 -1 -1  0  213114  Six-string voicing, root on the 6th string: 1 3 b7 9 #11 1. Index finger barre across strings 5 to 2.
6  0  1  0  1  0  2  121314  Six-string voicing, root on the 6th string: 1 #11 b7 3 5 9. Index finger barre across strings 6 to 2.
6  0  1  0  1  x  2  1213x4  Five-string voicing, root on the 6th string: 1 #11 b7 3 9. Index finger barre across strings 6 to 4.
6  0 -1  x -1 -1 -2  43x221  Five-string voicing, root on the 6th string: 1 3 9 #11 b7. Middle finger barre across strings 3 and 2.
5  x  0 -1  0  0 -1  x21341  Five-string voicing, root on the 5th string: 1 3 b7 9 #11. Index finger barre across strings 4 to 1.
[13#11]
6  0  1  0  1  2  0  121341  Six-string voicing, root on the 6th string: 1 #11 b7 3 13 1. Index finger barre across strings 6 to 1.
6  0  1  0  1  2  x  12134x  Five-string voicing, root on the 6th string: 1 #11 b7 3 13. Index finger barre across strings 6 to 4.
6  0 -1 -1 -1 -1 -2  322221  Six-string voicing, root on the 6th string: 1 3 13 9 #11 b7. Middle finger barre across strings 5 to 2.
6  0 -1 -1  x -1 -2  422x31  Five-string voicing, root on the 6th string: 1 3 13 #11 b7. Middle finger barre across strings 5 and 4.
5  x  0  1  0  2  2  x12134  Five-string voicing, root on the 5th string: 1 #11 b7 3 13. Index finger barre across strings 5 to 3.
[7b9]
6  0  2  0  1  0  1  141213  E7b9-shape barre, root on the 6th string: 1 5 b7 3 5 b9. Index finger barre across strings 6 to 2.
6  0  x  0  1  0  1  2x1314  Five-string voicing, root on the 6th string: 1 b7 3 5 b9. Index finger barre across strings 4 to 2.
6  0 -1  0 -2  x  x  3241xx  Four-string voicing, root on the 6th string: 1 3 b7 b9.
5  x  0 -1  0 -1  0  x21314  Five-string voicing, root on the 5th string: 1 3 b7 b9 5. Index finger barre across strings 4 to 2.
5  x  0 -1  0 -1  x  x2131x  Four-string voicing, root on the 5th string: 1 3 b7 b9. Index finger barre across strings 4 to 2.
4  x  x  0 -1  1 -1  xx2131  Four-string voicing, root on the 4th string: 1 3 b7 b9. Index finger barre across strings 3 to 1.
6  x -1  0 -2  0  x  x2314x  Rootless | Rootless grip on strings 5 to 2: 3 b7 b9 5.
5  x  x -1  0 -1  0  xx1324  Rootless | Rootless grip on strings 4 to 1: 3 b7 b9 5.
6  x  x  0  1  0  1  xx1324  Rootless | Rootless grip on strings 4 to 1: b7 3 5 b9.
[7#9]
6  0  2  0  1  0  3  131214  E7#9-shape barre, root on the 6th string: 1 5 b7 3 5 #9. Index finger barre across strings 6 to 2.
6  0  2  0  1  x  3  1312x4  Five-string voicing, root on the 6th string: 1 5 b7 3 #9. Index finger barre across strings 6 to 4.
6  0  x  0  1  x  3  1x23x4  Four-string voicing, root on the 6th string: 1 b7 3 #9.
6  0 -1  0  0  x  x  2134xx  Four-string voicing, root on the 6th string: 1 3 b7 #9.
5  x  0 -1  0  1  x  x2134x  Four-string voicing, root on the 5th string: 1 3 b7 #9.
4  x  x  0 -1  1  1  xx2134  Four-string voicing, root on the 4th string: 1 3 b7 #9.
6  x -1  0  0  0  x  x1234x  Rootless | Rootless grip on strings 5 to 2: 3 b7 #9 5.
5  x  x -1  0  1  0  xx1243  Rootless | Rootless grip on strings 4 to 1: 3 b7 #9 5.
6  x  x  0  1  0  3  xx1324  Rootless | Rootless grip on strings 4 to 1: b7 3 5 #9.
[7b5]
6  0  x  0  1 -1  x  2x341x  Drop 3, root on the 6th string: 1 b7 3 b5.
6  0  1  0  1  x  x  1324xx  Drop 2, root on the 6th string: 1 b5 b7 3.
6  0  1  x  1  3  x  12x34x  Four-string voicing, root on the 6th string: 1 b5 3 b7.
5  x  0  x  0  2 -1  x2x341  Drop 3, root on the 5th string: 1 b7 3 b5.
5  x  0  1  0  2  x  x1324x  Drop 2, root on the 5th string: 1 b5 b7 3.
4  x  x  0  1  1  2  xx1234  Drop 2, root on the 4th string: 1 b5 b7 3.
[7b9b13]
6  0  3  0  1  0  1  141213  E7-shape barre with the flat 9th and flat 13th, root on the 6th string: 1 b13 b7 3 5 b9. Index finger barre across strings 6 to 2.
6  0  3  0  1  x  1  1412x3  Five-string voicing, root on the 6th string: 1 b13 b7 3 b9. Index finger barre across strings 6 to 4.
6  0 -1 -2 -2  0 -2  321141  Six-string voicing, root on the 6th string: 1 3 b13 b9 5 b7. Index finger barre across strings 4 to 1.
6  0 -1  x -2  1 -2  32x141  Five-string voicing, root on the 6th string: 1 3 b9 b13 b7. Index finger barre across strings 3 to 1.
6  0  x -2 -2 -3 -2  4x2213  Five-string voicing, root on the 6th string: 1 b13 b9 3 b7. Middle finger barre across strings 4 and 3.
5  x  0 -1  0 -1  1  x21314  Five-string voicing, root on the 5th string: 1 3 b7 b9 b13. Index finger barre across strings 4 to 2.
5  x  0  3  3  2  3  x13324  Five-string voicing, root on the 5th string: 1 b13 b9 3 b7. Ring finger barre across strings 4 and 3.
[7b5#9]
6  0 -1  0  0 -1  x  21341x  Five-string voicing, root on the 6th string: 1 3 b7 #9 b5. Index finger barre across strings 5 to 2.
6  0  1  0  1  x  3  1213x4  Five-string voicing, root on the 6th string: 1 b5 b7 3 #9. Index finger barre across strings 6 to 4.
6  0  1  x  1  3  3  12x344  Five-string voicing, root on the 6th string: 1 b5 3 b7 #9. Little finger barre across strings 2 and 1.
5  x  0 -1  0  1 -1  x21341  Five-string voicing, root on the 5th string: 1 3 b7 #9 b5. Index finger barre across strings 4 to 1.
[7#5b9]
6  0  3  0  1  x  1  1412x3  Five-string voicing, root on the 6th string: 1 #5 b7 3 b9. Index finger barre across strings 6 to 4.
6  0  x  0  1  1  1  1x2334  Five-string voicing, root on the 6th string: 1 b7 3 #5 b9. Ring finger barre across strings 3 and 2.
6  0 -1  x -2  1 -2  32x141  Five-string voicing, root on the 6th string: 1 3 b9 #5 b7. Index finger barre across strings 3 to 1.
6  0 -1  0  x  1  1  213x44  Five-string voicing, root on the 6th string: 1 3 b7 #5 b9. Little finger barre across strings 2 and 1.
6  0  x -2 -2 -3 -2  4x2213  Five-string voicing, root on the 6th string: 1 #5 b9 3 b7. Middle finger barre across strings 4 and 3.
5  x  0 -1  0 -1  1  x21314  Five-string voicing, root on the 5th string: 1 3 b7 b9 #5. Index finger barre across strings 4 to 2.
5  x  0  3  3  2  3  x13324  Five-string voicing, root on the 5th string: 1 #5 b9 3 b7. Ring finger barre across strings 4 and 3.
[7#5#9]
6  0 -1  0  0  1  x  31224x  Five-string voicing, root on the 6th string: 1 3 b7 #9 #5. Middle finger barre across strings 4 and 3.
6  0  3  0  1  x  3  1312x4  Five-string voicing, root on the 6th string: 1 #5 b7 3 #9. Index finger barre across strings 6 to 4.
6  0  x  0  1  1  3  1x2334  Five-string voicing, root on the 6th string: 1 b7 3 #5 #9. Ring finger barre across strings 3 and 2.
6  0  3  x  1  3  3  13x244  Five-string voicing, root on the 6th string: 1 #5 3 b7 #9. Little finger barre across strings 2 and 1.
5  x  0 -1  0  1  1  x21344  Five-string voicing, root on the 5th string: 1 3 b7 #9 #5. Little finger barre across strings 2 and 1.
6  x -1  0  0  1  x  x1234x  Rootless | Rootless grip on strings 5 to 2: 3 b7 #9 #5.
5  x  x -1  0  1  1  xx1234  Rootless | Rootless grip on strings 4 to 1: 3 b7 #9 #5.
6  x  x  0  1  1  3  xx1234  Rootless | Rootless grip on strings 4 to 1: b7 3 #5 #9.
[7b13]
6  0  3  0  1  0  x  14121x  Five-string voicing, root on the 6th string: 1 b13 b7 3 5. Index finger barre across strings 6 to 2.
6  0  2  0  1  1  x  14123x  Five-string voicing, root on the 6th string: 1 5 b7 3 b13. Index finger barre across strings 6 to 4.
6  0  2  0  1  1  0  141231  E7-shape barre with the flat 13th, root on the 6th string: 1 5 b7 3 b13 1. Index finger barre across strings 6 to 1.
6  0  x -2  1  0 -2  2x1431  Five-string voicing, root on the 6th string: 1 b13 3 5 b7. Index finger barre across strings 4 to 1.
5  x  0  2  0  2  1  x13142  Five-string voicing, root on the 5th string: 1 5 b7 3 b13. Index finger barre across strings 5 to 3.
5  x  0  3  0  2  0  x14131  A7-shape barre with the flat 13th, root on the 5th string: 1 b13 b7 3 5. Index finger barre across strings 5 to 1.
4  x  x  0  3  1  2  xx1423  D7-shape with the flat 13th in place of the 5th, root on the 4th string: 1 b13 b7 3.
[13b9]
6  0  x  0 -2 -3 -3  3x4211  Five-string voicing, root on the 6th string: 1 b7 b9 3 13. Index finger barre across strings 2 and 1.
6  0 -1 -1 -2  x -2  4331x2  Five-string voicing, root on the 6th string: 1 3 13 b9 b7. Ring finger barre across strings 5 and 4.
5  x  0 -1  0 -1  2  x21314  Five-string voicing, root on the 5th string: 1 3 b7 b9 13. Index finger barre across strings 4 to 2.
[9b5]
6  0 -1  0 -1 -1  x  21311x  Five-string voicing, root on the 6th string: 1 3 b7 9 b5. Index finger barre across strings 5 to 2.
6  0 -1  0 -1 -1  0  213114  Six-string voicing, root on the 6th string: 1 3 b7 9 b5 1. Index finger barre across strings 5 to 2.
6  0 -1  0 -1 -1  2  213114  Six-string voicing, root on the 6th string: 1 3 b7 9 b5 9. Index finger barre across strings 5 to 2.
6  0  1  0  1  x  2  1213x4  Five-string voicing, root on the 6th string: 1 b5 b7 3 9. Index finger barre across strings 6 to 4.
6  0 -1  x -1 -1 -2  43x221  Five-string voicing, root on the 6th string: 1 3 9 b5 b7. Middle finger barre across strings 3 and 2.
5  x  0 -1  0  0 -1  x21341  Five-string voicing, root on the 5th string: 1 3 b7 9 b5. Index finger barre across strings 4 to 1.
[9sus4]
6  0  0  0 -1  x  x  2341xx  Four-string voicing, root on the 6th string: 1 4 b7 9.
6  0  x  0 -1 -2  x  3x421x  Four-string voicing, root on the 6th string: 1 b7 9 4.
5  x  0  0  0  0  0  x11111  Five-string voicing, root on the 5th string: 1 4 b7 9 5. Index finger barre across strings 5 to 1.
5  x  0  0  0  0  x  x1111x  Four-string voicing, root on the 5th string: 1 4 b7 9. Index finger barre across strings 5 to 2.
5  x  0  x  0  0 -2  x2x341  Four-string voicing, root on the 5th string: 1 b7 9 4.
4  x  x  0  0  1  0  xx1121  Four-string voicing, root on the 4th string: 1 4 b7 9. Index finger barre across strings 4 to 1.
[7sus2]
6  0  2  0 -1  x  x  2431xx  Drop 2, root on the 6th string: 1 5 b7 2.
6  0  x  0 -1  0  x  2x314x  Drop 3, root on the 6th string: 1 b7 2 5.
6  0  x  0 -1  x  x  2x31xx  Three-string voicing, root on the 6th string: 1 b7 2.
5  x  0  2  0  0  x  x1311x  Drop 2, root on the 5th string: 1 5 b7 2. Index finger barre across strings 5 to 2.
5  x  0  x  0  0  x  x1x23x  Three-string voicing, root on the 5th string: 1 b7 2.
4  x  x  0  2  1  0  xx1321  Drop 2, root on the 4th string: 1 5 b7 2. Index finger barre across strings 4 to 1.
[13sus4]
6  0  2  0  2  2  x  12134x  Five-string voicing, root on the 6th string: 1 5 b7 4 13. Index finger barre across strings 6 to 4.
6  0  x  0  2  2  x  1x234x  Four-string voicing, root on the 6th string: 1 b7 4 13.
6  0  0  0  x  2  x  111x3x  Four-string voicing, root on the 6th string: 1 4 b7 13. Index finger barre across strings 6 to 4.
5  x  0  0  0  0  2  x11113  Five-string voicing, root on the 5th string: 1 4 b7 9 13. Index finger barre across strings 5 to 2.
5  x  0  0  0  x  2  x111x3  Four-string voicing, root on the 5th string: 1 4 b7 13. Index finger barre across strings 5 to 3.
5  x  0  x  0  3  2  x1x243  Four-string voicing, root on the 5th string: 1 b7 4 13.
[7sus4b9]
6  0  0  0 -2  x  x  2341xx  Four-string voicing, root on the 6th string: 1 4 b7 b9.
6  0  x  0 -2 -2  x  3x412x  Four-string voicing, root on the 6th string: 1 b7 b9 4.
6  0  0  3  x  3  x  113x4x  Four-string voicing, root on the 6th string: 1 4 b9 b7. Index finger barre across strings 6 and 5.
5  x  0  0  0 -1  x  x2341x  Four-string voicing, root on the 5th string: 1 4 b7 b9.
5  x  0  x  0 -1 -2  x3x421  Four-string voicing, root on the 5th string: 1 b7 b9 4.
4  x  x  0  0  1 -1  xx2341  Four-string voicing, root on the 4th string: 1 4 b7 b9.
[sus2sus4]
6  0  0 -3 -1  x  x  3412xx  Four-string voicing, root on the 6th string: 1 4 5 2.
6  0  x -3 -1 -2  x  4x132x  Four-string voicing, root on the 6th string: 1 5 2 4.
5  x  0  0  2  0  0  x11311  Five-string voicing, root on the 5th string: 1 4 1 2 5. Index finger barre across strings 5 to 1.
5  x  0  x -3  0 -2  x3x142  Four-string voicing, root on the 5th string: 1 5 2 4.
4  x  x  0  0 -2  0  xx2314  Four-string voicing, root on the 4th string: 1 4 5 2.
4  x  x  0  0  x  0  xx12x3  Three-string voicing, root on the 4th string: 1 4 2.
[maj7sus2]
6  0  2  1 -1  x  x  2431xx  Drop 2, root on the 6th string: 1 5 7 2.
6  0  x  1 -1  0  x  2x413x  Drop 3, root on the 6th string: 1 7 2 5.
6  0  x  1 -1  x  x  2x31xx  Three-string voicing, root on the 6th string: 1 7 2.
5  x  0  2  1  0  x  x1321x  Drop 2, root on the 5th string: 1 5 7 2. Index finger barre across strings 5 to 2.
5  x  0  x  1  0  0  x1x423  Drop 3, root on the 5th string: 1 7 2 5.
4  x  x  0  2  2  0  xx1341  Drop 2, root on the 4th string: 1 5 7 2. Index finger barre across strings 4 to 1.
[maj7sus4]
6  0  2  1  2  x  x  1324xx  Drop 2, root on the 6th string: 1 5 7 4.
6  0  x  1  2  0  x  1x342x  Drop 3, root on the 6th string: 1 7 4 5.
5  x  0  2  1  3  x  x1324x  Drop 2, root on the 5th string: 1 5 7 4.
5  x  0  x  1  3  0  x2x341  Drop 3, root on the 5th string: 1 7 4 5.
4  x  x  0  0 -2 -3  xx3421  Four-string voicing, root on the 4th string: 1 4 5 7.
3  x  x  x  0  1  2  xxx123  Three-string voicing, root on the 3rd string: 1 4 7.
[6sus4]
6  0  2 -1  2  x  x  2314xx  Drop 2, root on the 6th string: 1 5 6 4.
6  0  x -1  2  0  x  2x143x  Drop 3, root on the 6th string: 1 6 4 5.
6  0  0 -1  x  x  x  231xxx  Three-string voicing, root on the 6th string: 1 4 6.
5  x  0  0 -1 -2  x  x3421x  Four-string voicing, root on the 5th string: 1 4 6 1.
5  x  0  x -1 -2 -2  x3x211  Four-string voicing, root on the 5th string: 1 6 1 4. Index finger barre across strings 2 and 1.
4  x  x  0  2  0  3  xx1324  Drop 2, root on the 4th string: 1 5 6 4.
3  x  x  x  0  1  0  xxx132  Three-string voicing, root on the 3rd string: 1 4 6.
[dim(maj7)]
6  0  x  1  0 -1  x  2x431x  Drop 3, root on the 6th string: 1 7 b3 b5.
6  0  1  1  0  x  x  1231xx  Drop 2, root on the 6th string: 1 b5 7 b3. Index finger barre across strings 6 to 3.
6  0 -2  1  x -1  x  314x2x  Four-string voicing, root on the 6th string: 1 b3 7 b5.
5  x  0  x  1  1 -1  x2x341  Drop 3, root on the 5th string: 1 7 b3 b5.
5  x  0  1  1  1  x  x1234x  Drop 2, root on the 5th string: 1 b5 7 b3.
4  x  x  0  1  2  1  xx1243  Drop 2, root on the 4th string: 1 b5 7 b3.
[m9b5]
6  0  1  0  0  x  2  1211x3  Five-string voicing, root on the 6th string: 1 b5 b7 b3 9. Index finger barre across strings 6 to 3.
6  0 -2  0 -1 -1  x  31422x  Five-string voicing, root on the 6th string: 1 b3 b7 9 b5. Middle finger barre across strings 3 and 2.
6  0  x  0  0 -1  2  3x2214  Five-string voicing, root on the 6th string: 1 b7 b3 b5 9. Middle finger barre across strings 4 and 3.
6  0 -3  0  0 -1  x  31442x  Five-string voicing, root on the 6th string: 1 9 b7 b3 b5. Little finger barre across strings 4 and 3.
5  x  0 -2  0  0 -1  x41332  Five-string voicing, root on the 5th string: 1 b3 b7 9 b5. Ring finger barre across strings 3 and 2.
6  0  1  0  0  3  2  121143  Six-string voicing, root on the 6th string: 1 b5 b7 b3 b7 9. Index finger barre across strings 6 to 3.
[m11b5]
6  0  0  0  0 -1  0  222213  Six-string voicing, root on the 6th string: 1 11 b7 b3 b5 1. Middle finger barre across strings 6 to 3.
6  0  0  0  0 -1  x  22221x  Five-string voicing, root on the 6th string: 1 11 b7 b3 b5. Middle finger barre across strings 6 to 3.
6  0  1  0  0 -2  x  24331x  Five-string voicing, root on the 6th string: 1 b5 b7 b3 11. Ring finger barre across strings 4 and 3.
6  0  1  x  0 -2 -2  24x311  Five-string voicing, root on the 6th string: 1 b5 b3 11 b7. Index finger barre across strings 2 and 1.
6  0  0  0  3  x  3  1113x4  Five-string voicing, root on the 6th string: 1 11 b7 b5 b3. Index finger barre across strings 6 to 4.
5  x  0  0  0  1 -1  x22231  Five-string voicing, root on the 5th string: 1 11 b7 b3 b5. Middle finger barre across strings 5 to 3.
[maj7#5]
6  0  x  1  1  1  x  1x234x  Drop 3, root on the 6th string: 1 7 3 #5.
6  0  3  1  1  x  x  1423xx  Drop 2, root on the 6th string: 1 #5 7 3.
6  0 -1  1  x  1  x  213x4x  Four-string voicing, root on the 6th string: 1 3 7 #5.
5  x  0  x  1  2  1  x1x243  Drop 3, root on the 5th string: 1 7 3 #5.
5  x  0 -1 -2 -3  x  x4321x  Four-string voicing, root on the 5th string: 1 3 #5 7.
5  x  0 -1  1  x  1  x213x4  Four-string voicing, root on the 5th string: 1 3 7 #5.
4  x  x  0 -1 -1 -3  xx4231  Four-string voicing, root on the 4th string: 1 3 #5 7.
[7#5]
6  0  x  0  1  1  x  1x234x  Drop 3, root on the 6th string: 1 b7 3 #5.
6  0  3  0  1  x  x  1423xx  Drop 2, root on the 6th string: 1 #5 b7 3.
6  0 -1  0  x  1  x  213x4x  Four-string voicing, root on the 6th string: 1 3 b7 #5.
5  x  0  x  0  2  1  x1x243  Drop 3, root on the 5th string: 1 b7 3 #5.
5  x  0  3  0  2  x  x1423x  Drop 2, root on the 5th string: 1 #5 b7 3.
5  x  0 -1  0  x  1  x213x4  Four-string voicing, root on the 5th string: 1 3 b7 #5.
4  x  x  0  3  1  2  xx1423  Drop 2, root on the 4th string: 1 #5 b7 3.
[9#5]
6  0  3  0  1  x  2  1412x3  Five-string voicing, root on the 6th string: 1 #5 b7 3 9. Index finger barre across strings 6 to 4.
6  0 -1  0 -1  1  x  21314x  Five-string voicing, root on the 6th string: 1 3 b7 9 #5. Index finger barre across strings 5 to 3.
6  0  x  0  1  1  2  1x2334  Five-string voicing, root on the 6th string: 1 b7 3 #5 9. Ring finger barre across strings 3 and 2.
5  x  0 -1  0  0  1  x31224  Five-string voicing, root on the 5th string: 1 3 b7 9 #5. Middle finger barre across strings 3 and 2.
6  x -1  0 -1  1  x  x1324x  Rootless | Rootless grip on strings 5 to 2: 3 b7 9 #5.
5  x  x -1  0  0  1  xx1234  Rootless | Rootless grip on strings 4 to 1: 3 b7 9 #5.
[aug(add9)]
6  0 -1 -2 -1  x  x  4213xx  Four-string voicing, root on the 6th string: 1 3 #5 9.
6  0  x -2 -1 -3  x  4x231x  Four-string voicing, root on the 6th string: 1 #5 9 3.
5  x  0 -1 -2  0  x  x3214x  Four-string voicing, root on the 5th string: 1 3 #5 9.
5  x  0  x -2  0 -3  x3x241  Four-string voicing, root on the 5th string: 1 #5 9 3.
5  x  0 -1  x  0  1  x21x34  Four-string voicing, root on the 5th string: 1 3 9 #5.
4  x  x  0 -1 -1  0  xx3124  Four-string voicing, root on the 4th string: 1 3 #5 9.
[maj9#5]
6  0 -1  2 -1  1 -1  214131  Six-string voicing, root on the 6th string: 1 3 1 9 #5 7. Index finger barre across strings 5 to 1.
6  0 -1  1 -1  1  x  21314x  Five-string voicing, root on the 6th string: 1 3 7 9 #5. Index finger barre across strings 5 to 3.
6  0 -3 -2 -3 -3 -1  412113  Six-string voicing, root on the 6th string: 1 9 #5 1 3 7. Index finger barre across strings 5 to 2.
6  0  x  1  1  1  2  1x2223  Five-string voicing, root on the 6th string: 1 7 3 #5 9. Middle finger barre across strings 4 to 2.
6  0  3  1  1  x  2  1422x3  Five-string voicing, root on the 6th string: 1 #5 7 3 9. Middle finger barre across strings 4 and 3.
5  x  0 -3 -2 -3 -3  x41211  Five-string voicing, root on the 5th string: 1 9 #5 7 3. Index finger barre across strings 4 to 1.
[6/9]
6  0 -1 -1 -1  0  x  21113x  Five-string voicing, root on the 6th string: 1 3 6 9 5. Index finger barre across strings 5 to 3.
6  0 -1 -1 -1  x  x  2111xx  Four-string voicing, root on the 6th string: 1 3 6 9. Index finger barre across strings 5 to 3.
6  0  x -1 -1 -3  x  4x231x  Four-string voicing, root on the 6th string: 1 6 9 3.
5  x  0 -1 -1  0  0  x21133  Five-string voicing, root on the 5th string: 1 3 6 9 5. Index finger barre across strings 4 and 3. Ring finger barre across strings 2 and 1.
5  x  0 -1 -1  0  x  x3124x  Four-string voicing, root on the 5th string: 1 3 6 9.
4  x  x  0 -1  0  0  xx2134  Four-string voicing, root on the 4th string: 1 3 6 9.
6  x -1 -1 -1  0  x  x1234x  Rootless | Rootless grip on strings 5 to 2: 3 6 9 5.
5  x  x -1 -1  0  0  xx1234  Rootless | Rootless grip on strings 4 to 1: 3 6 9 5.
6  x  x -1  1  0  2  xx1324  Rootless | Rootless grip on strings 4 to 1: 6 3 5 9.
[m6/9]
6  0 -2 -1 -1  0  x  31224x  Five-string voicing, root on the 6th string: 1 b3 6 9 5. Middle finger barre across strings 4 and 3.
6  0 -2 -1 -1  x  x  4123xx  Four-string voicing, root on the 6th string: 1 b3 6 9.
6  0  x -1  0  0  2  3x1224  Five-string voicing, root on the 6th string: 1 6 b3 5 9. Middle finger barre across strings 3 and 2.
5  x  0 -2 -1  0  0  x41233  Five-string voicing, root on the 5th string: 1 b3 6 9 5. Ring finger barre across strings 2 and 1.
5  x  0 -2 -1  0  x  x3124x  Four-string voicing, root on the 5th string: 1 b3 6 9.
4  x  x  0 -2  0  0  xx2134  Four-string voicing, root on the 4th string: 1 b3 6 9.
[m(add9)]
6  0  x  2  0  0  2  2x3114  Five-string voicing, root on the 6th string: 1 1 b3 5 9. Index finger barre across strings 3 and 2.
6  0 -2 -3 -1  x  x  4213xx  Four-string voicing, root on the 6th string: 1 b3 5 9.
6  0 -2  x -1  0  x  31x24x  Four-string voicing, root on the 6th string: 1 b3 9 5.
5  x  0 -2 -3  0  x  x3214x  Four-string voicing, root on the 5th string: 1 b3 5 9.
5  x  0 -2  x  0  0  x21x34  Four-string voicing, root on the 5th string: 1 b3 9 5.
4  x  x  0 -2 -2  0  xx3124  Four-string voicing, root on the 4th string: 1 b3 5 9.
[add11]
6  0  0  2  1  0  0  113211  Eadd11-shape barre, root on the 6th string: 1 11 1 3 5 1. Index finger barre across strings 6 to 1.
6  0 -1  2  2  x  x  2134xx  Four-string voicing, root on the 6th string: 1 3 1 11.
6  0 -1 -3  x -2  x  431x2x  Four-string voicing, root on the 6th string: 1 3 5 11.
5  x  0  0  2  2  x  x1234x  Four-string voicing, root on the 5th string: 1 11 1 3.
5  x  0 -1 -3  x -2  x431x2  Four-string voicing, root on the 5th string: 1 3 5 11.
4  x  x  0  0  3  2  xx1243  Four-string voicing, root on the 4th string: 1 11 1 3.
[m(add11)]
6  0  0  2  0  0  0  113111  Em(add11)-shape barre, root on the 6th string: 1 11 1 b3 5 1. Index finger barre across strings 6 to 1.
6  0 -2 -3  x -2  x  421x3x  Four-string voicing, root on the 6th string: 1 b3 5 11.
6  0  x -3  0 -2  x  3x142x  Four-string voicing, root on the 6th string: 1 5 b3 11.
5  x  0  0  2  1  x  x1243x  Four-string voicing, root on the 5th string: 1 11 1 b3.
5  x  0 -2 -3  x -2  x421x3  Four-string voicing, root on the 5th string: 1 b3 5 11.
4  x  x  0  0 -2  1  xx2314  Four-string voicing, root on the 4th string: 1 11 5 b3.
[add#11]
6  0  2  x  1 -1  x  24x31x  Four-string voicing, root on the 6th string: 1 5 3 #11.
6  0 -1 -3 -3 -1  x  42113x  Five-string voicing, root on the 6th string: 1 3 5 1 #11. Index finger barre across strings 4 and 3.
6  0 -1 -3  x -1  x  421x3x  Four-string voicing, root on the 6th string: 1 3 5 #11.
5  x  0  1  2  2  0  x12341  Five-string voicing, root on the 5th string: 1 #11 1 3 5. Index finger barre across strings 5 to 1.
5  x  0 -1 -3  x -1  x421x3  Four-string voicing, root on the 5th string: 1 3 5 #11.
5  x  0  2  x  2 -1  x23x41  Four-string voicing, root on the 5th string: 1 5 3 #11.
4  x  x  0  1  3  2  xx1243  Four-string voicing, root on the 4th string: 1 #11 1 3.
[6/9#11]
6  0 -1 -1 -1 -1  0  211113  Six-string voicing, root on the 6th string: 1 3 6 9 #11 1. Index finger barre across strings 5 to 2.
6  0 -1 -1 -1 -1  x  21111x  Five-string voicing, root on the 6th string: 1 3 6 9 #11. Index finger barre across strings 5 to 2.
6  0  x -1  1 -1  2  2x1314  Five-string voicing, root on the 6th string: 1 6 3 #11 9. Index finger barre across strings 4 to 2.
6  0 -1 -1  x -1  2  311x24  Five-string voicing, root on the 6th string: 1 3 6 #11 9. Index finger barre across strings 5 and 4.
6  0 -1  x -1 -1 -3  42x331  Five-string voicing, root on the 6th string: 1 3 9 #11 6. Ring finger barre across strings 3 and 2.
5  x  0 -1 -1  0 -1  x21131  Five-string voicing, root on the 5th string: 1 3 6 9 #11. Index finger barre across strings 4 to 1.
[5]
6  0  2  x  x  x  x  13xxxx  Power chord, root on the 6th string: 1 5.
6  0  2  2  x  x  x  134xxx  Power chord, root on the 6th string: 1 5 1.
5  x  0  2  x  x  x  x13xxx  Power chord, root on the 5th string: 1 5.
5  x  0  2  2  x  x  x134xx  Power chord, root on the 5th string: 1 5 1.
4  x  x  0  2  x  x  xx13xx  Power chord, root on the 4th string: 1 5.
4  x  x  0  2  3  x  xx134x  Power chord, root on the 4th string: 1 5 1.
3  x  x  x  0  3  x  xxx14x  Power chord, root on the 3rd string: 1 5.
[(b5)]
6  0  1  2  1  x  x  1243xx  Four-string voicing, root on the 6th string: 1 b5 1 3.
6  0  x  2  1 -1  x  2x431x  Four-string voicing, root on the 6th string: 1 1 3 b5.
5  x  0  1  2  2  x  x1234x  Four-string voicing, root on the 5th string: 1 b5 1 3.
5  x  0  x  2  2 -1  x2x341  Four-string voicing, root on the 5th string: 1 1 3 b5.
4  x  x  0 -1 -3 -2  xx4312  Four-string voicing, root on the 4th string: 1 3 b5 1.
4  x  x  0 -1 -3  x  xx431x  Triad on strings 4 to 2, root on the 4th string: 1 3 b5.
3  x  x  x  0  0 -3  xxx341  Triad on strings 3 to 1, root on the 3rd string: 1 3 b5.
[maj7b5]
6  0  x  1  1 -1  x  2x341x  Drop 3, root on the 6th string: 1 7 3 b5.
6  0  1  1  1  x  x  1234xx  Drop 2, root on the 6th string: 1 b5 7 3.
6  0 -1  1  x -1  x  314x2x  Four-string voicing, root on the 6th string: 1 3 7 b5.
5  x  0  x  1  2 -1  x2x341  Drop 3, root on the 5th string: 1 7 3 b5.
5  x  0  1  1  2  x  x1234x  Drop 2, root on the 5th string: 1 b5 7 3.
4  x  x  0  1  2  2  xx1234  Drop 2, root on the 4th string: 1 b5 7 3.
[m(b6)]
6  0  2  2  0  1  0  134121  Em(b6)-shape barre, root on the 6th string: 1 5 1 b3 b6 1. Index finger barre across strings 6 to 1.
6  0  x -2  0  0  x  2x134x  Four-string voicing, root on the 6th string: 1 b6 b3 5.
5  x  0  2  2  1  1  x13422  Am(b6)-shape, root on the 5th string: 1 5 1 b3 b6. Middle finger barre across strings 2 and 1.
5  x  0  x -2  1  0  x2x143  Four-string voicing, root on the 5th string: 1 b6 b3 5.
4  x  x  0  2 -1  1  xx2413  Four-string voicing, root on the 4th string: 1 5 b6 b3.
6  0 -2 -2  x  0  x  312x4x  Four-string voicing, root on the 6th string: 1 b3 b6 5.
[m7b6]
6  0  x  0  0  1  x  1x234x  Drop 3, root on the 6th string: 1 b7 b3 b6.
6  0  3  0  0  x  x  1411xx  Drop 2, root on the 6th string: 1 b6 b7 b3. Index finger barre across strings 6 to 3.
6  0 -2  0  x  1  x  213x4x  Four-string voicing, root on the 6th string: 1 b3 b7 b6.
5  x  0  x  0  1  1  x1x234  Drop 3, root on the 5th string: 1 b7 b3 b6.
5  x  0  3  0  1  x  x1423x  Drop 2, root on the 5th string: 1 b6 b7 b3.
4  x  x  0  3  1  1  xx1423  Drop 2, root on the 4th string: 1 b6 b7 b3.
[7(add13)]
6  0  2  0  1  2  x  13124x  Five-string voicing, root on the 6th string: 1 5 b7 3 13. Index finger barre across strings 6 to 4.
6  0  x -1 -3 -3 -2  4x3112  Five-string voicing, root on the 6th string: 1 13 1 3 b7. Index finger barre across strings 3 and 2.
6  0 -1  0  x  2  x  213x4x  Four-string voicing, root on the 6th string: 1 3 b7 13.
6  0  x  0  1  2  x  1x234x  Four-string voicing, root on the 6th string: 1 b7 3 13.
5  x  0  2  0  2  2  x12134  Five-string voicing, root on the 5th string: 1 5 b7 3 13. Index finger barre across strings 5 to 3.
5  x  0 -1  0  x  2  x213x4  Four-string voicing, root on the 5th string: 1 3 b7 13.
[7#11b13]
6  0  1  0  1  1  x  12134x  Five-string voicing, root on the 6th string: 1 #11 b7 3 b13. Index finger barre across strings 6 to 4.
6  0  x -2  1 -1 -2  3x1421  Five-string voicing, root on the 6th string: 1 b13 3 #11 b7. Index finger barre across strings 4 to 1.
6  0  1  x  1  1 -2  23x441  Five-string voicing, root on the 6th string: 1 #11 3 b13 b7. Little finger barre across strings 3 and 2.
5  x  0  1  0  2  1  x12143  Five-string voicing, root on the 5th string: 1 #11 b7 3 b13. Index finger barre across strings 5 to 3.
[13#9]
6  0 -1 -1  0  x -2  3224x1  Five-string voicing, root on the 6th string: 1 3 13 #9 b7. Middle finger barre across strings 5 and 4.
6  0 -1  0  0  2  x  21334x  Five-string voicing, root on the 6th string: 1 3 b7 #9 13. Ring finger barre across strings 4 and 3.
6  x -1  0  0  2  x  x1234x  Rootless | Rootless grip on strings 5 to 2: 3 b7 #9 13.
5  x  x -1  0  1  2  xx1234  Rootless | Rootless grip on strings 4 to 1: 3 b7 #9 13.
[7#9b13]
6  0  3  0  1  0  3  131214  E7-shape barre with the flat 13th and sharp 9th, root on the 6th string: 1 b13 b7 3 5 #9. Index finger barre across strings 6 to 2.
6  0  3  0  1  x  3  1312x4  Five-string voicing, root on the 6th string: 1 b13 b7 3 #9. Index finger barre across strings 6 to 4.
6  0 -1  0  0  1  x  21334x  Five-string voicing, root on the 6th string: 1 3 b7 #9 b13. Ring finger barre across strings 4 and 3.
5  x  0 -1  0  1  1  x21344  Five-string voicing, root on the 5th string: 1 3 b7 #9 b13. Little finger barre across strings 2 and 1.
[7#9#11]
6  0 -1  0  0 -1  x  21341x  Five-string voicing, root on the 6th string: 1 3 b7 #9 #11. Index finger barre across strings 5 to 2.
6  0  1  0  1  x  3  1213x4  Five-string voicing, root on the 6th string: 1 #11 b7 3 #9. Index finger barre across strings 6 to 4.
6  0  1  x  1  3  3  12x344  Five-string voicing, root on the 6th string: 1 #11 3 b7 #9. Little finger barre across strings 2 and 1.
5  x  0 -1  0  1 -1  x21341  Five-string voicing, root on the 5th string: 1 3 b7 #9 #11. Index finger barre across strings 4 to 1.
[13#9#11]
6  x -1 -1  0 -1 -2  x22431  Rootless | Rootless grip on strings 5 to 1: 3 13 #9 #11 b7. Middle finger barre across strings 5 and 4.
6  x -1  0  0 -1 -3  x24431  Rootless | Rootless grip on strings 5 to 1: 3 b7 #9 #11 13. Little finger barre across strings 4 and 3.
[7#9#11b13]
6  x -1 -2  0 -1 -2  x21431  Rootless | Rootless grip on strings 5 to 1: 3 b13 #9 #11 b7. Index finger barre across strings 4 to 1.
6  x  1  0  1  1  3  x21334  Rootless | Rootless grip on strings 5 to 1: #11 b7 3 b13 #9. Ring finger barre across strings 3 and 2.
[13b5]
6  0  1  0  1  2  x  12134x  Five-string voicing, root on the 6th string: 1 b5 b7 3 13. Index finger barre across strings 6 to 4.
6  0 -1 -1  x -1 -2  422x31  Five-string voicing, root on the 6th string: 1 3 13 b5 b7. Middle finger barre across strings 5 and 4.
6  0  1  0  1  2  0  121341  Six-string voicing, root on the 6th string: 1 b5 b7 3 13 1. Index finger barre across strings 6 to 1.
5  x  0  1  0  2  2  x12134  Five-string voicing, root on the 5th string: 1 b5 b7 3 13. Index finger barre across strings 5 to 3.
[9#11b13]
6  x -1 -2 -1 -1 -2  x21331  Rootless | Rootless grip on strings 5 to 1: 3 b13 9 #11 b7. Index finger barre across strings 4 to 1. Ring finger barre across strings 3 and 2.
6  x  1  0  1  1  2  x21334  Rootless | Rootless grip on strings 5 to 1: #11 b7 3 b13 9. Ring finger barre across strings 3 and 2.
[7b9#11]
6  0 -1  x -2 -1 -2  42x131  Five-string voicing, root on the 6th string: 1 3 b9 #11 b7. Index finger barre across strings 3 to 1.
6  0  1  0  1  x  1  1213x4  Five-string voicing, root on the 6th string: 1 #11 b7 3 b9. Index finger barre across strings 6 to 4.
6  0  1  0  1  0  1  121314  Six-string voicing, root on the 6th string: 1 #11 b7 3 5 b9. Index finger barre across strings 6 to 2.
5  x  0 -1  0 -1 -1  x21311  Five-string voicing, root on the 5th string: 1 3 b7 b9 #11. Index finger barre across strings 4 to 1.
[13b9#11]
6  x -1 -1 -2 -1 -2  x22131  Rootless | Rootless grip on strings 5 to 1: 3 13 b9 #11 b7. Index finger barre across strings 3 to 1. Middle finger barre across strings 5 and 4.
[7b9#11b13]
6  0  1  0  1  1  1  121333  E7-shape with the #11 and the b13 and b9 on top, root on the 6th string: 1 #11 b7 3 b13 b9. Index finger barre across strings 6 to 4. Ring finger barre across strings 3 to 1.
6  x  1  0  1  1  1  x21333  Rootless | Rootless grip on strings 5 to 1: #11 b7 3 b13 b9. Ring finger barre across strings 3 to 1.
6  x -1 -2 -2 -1 -2  x21131  Rootless | Rootless grip on strings 5 to 1: 3 b13 b9 #11 b7. Index finger barre across strings 4 to 1.
6  0 -1 -2 -2 -1 -2  421131  Six-string voicing, root on the 6th string: 1 3 b13 b9 #11 b7. Index finger barre across strings 4 to 1.
[7b9#9]
6  0 -1  0  0  x  1  2133x4  Five-string voicing, root on the 6th string: 1 3 b7 #9 b9. Ring finger barre across strings 4 and 3.
6  0  x  3  1  3  3  1x3244  Five-string voicing, root on the 6th string: 1 b9 3 b7 #9. Little finger barre across strings 2 and 1.
6  0 -1  0  0  0  1  213334  Six-string voicing, root on the 6th string: 1 3 b7 #9 5 b9. Ring finger barre across strings 4 to 2.
[7#5b9#11]
6  0  1  0  1  1  1  121333  E7-shape with the #11 and the #5 and b9 on top, root on the 6th string: 1 #11 b7 3 #5 b9. Index finger barre across strings 6 to 4. Ring finger barre across strings 3 to 1.
6  0 -1 -2 -2 -1 -2  421131  Six-string voicing, root on the 6th string: 1 3 #5 b9 #11 b7. Index finger barre across strings 4 to 1.
6  x  1  0  1  1  1  x21333  Rootless | Rootless grip on strings 5 to 1: #11 b7 3 #5 b9. Ring finger barre across strings 3 to 1.
6  x -1 -2 -2 -1 -2  x21131  Rootless | Rootless grip on strings 5 to 1: 3 #5 b9 #11 b7. Index finger barre across strings 4 to 1.
[maj7#9#11]
6  0 -1  1  0 -1  x  21431x  Five-string voicing, root on the 6th string: 1 3 7 #9 #11. Index finger barre across strings 5 to 2.
6  0 -1  x  0 -1 -1  32x411  Five-string voicing, root on the 6th string: 1 3 #9 #11 7. Index finger barre across strings 2 and 1.
6  0  1  1  1  x  3  1223x4  Five-string voicing, root on the 6th string: 1 #11 7 3 #9. Middle finger barre across strings 5 and 4.
5  x  0 -1  1  1 -1  x21341  Five-string voicing, root on the 5th string: 1 3 7 #9 #11. Index finger barre across strings 4 to 1.
[maj9b5]
6  0 -1  1 -1 -1  x  21311x  Five-string voicing, root on the 6th string: 1 3 7 9 b5. Index finger barre across strings 5 to 2.
6  0 -1  x -1 -1 -1  32x111  Five-string voicing, root on the 6th string: 1 3 9 b5 7. Index finger barre across strings 3 to 1.
6  0  x  1  1 -1  2  2x3314  Five-string voicing, root on the 6th string: 1 7 3 b5 9. Ring finger barre across strings 4 and 3.
6  0 -1  1 -1 -1 -1  213111  Six-string voicing, root on the 6th string: 1 3 7 9 b5 7. Index finger barre across strings 5 to 1.
6  0 -1  1 -1 -1  2  213114  Six-string voicing, root on the 6th string: 1 3 7 9 b5 9. Index finger barre across strings 5 to 2.
5  x  0 -1  1  0 -1  x21431  Five-string voicing, root on the 5th string: 1 3 7 9 b5. Index finger barre across strings 4 to 1.
[maj9(add11)]
6  0  0  1  1  0  2  112213  Six-string voicing, root on the 6th string: 1 11 7 3 5 9. Index finger barre across strings 6 to 2. Middle finger barre across strings 4 and 3.
6  0  0  1  1  x  2  1122x3  Five-string voicing, root on the 6th string: 1 11 7 3 9. Index finger barre across strings 6 and 5. Middle finger barre across strings 4 and 3.
5  x  x -1  1  0 -2  xx2431  Rootless | Rootless grip on strings 4 to 1: 3 7 9 11.
6  x -1  x -1 -2 -1  x2x314  Rootless | Rootless grip on strings 5 to 1, the 4th string silent: 3 9 11 7.
[maj7b9]
6  0 -1  1 -2  x  x  3241xx  Four-string voicing, root on the 6th string: 1 3 7 b9.
6  0  2  1  1  x  1  1422x3  Five-string voicing, root on the 6th string: 1 5 7 3 b9. Middle finger barre across strings 4 and 3.
6  0 -1  1  1  x  1  2133x4  Five-string voicing, root on the 6th string: 1 3 7 3 b9. Ring finger barre across strings 4 and 3.
5  x  0 -1  1 -1  x  x2131x  Four-string voicing, root on the 5th string: 1 3 7 b9. Index finger barre across strings 4 to 2.
5  x  0 -1  1 -1  0  x21413  Five-string voicing, root on the 5th string: 1 3 7 b9 5. Index finger barre across strings 4 to 2.
4  x  x  0 -1  2 -1  xx2141  Four-string voicing, root on the 4th string: 1 3 7 b9. Index finger barre across strings 3 to 1.
[m7(add11)]
6  0  0  0  0  x  x  1111xx  Four-string voicing, root on the 6th string: 1 11 b7 b3. Index finger barre across strings 6 to 3.
6  0  0  0  0  0  0  111111  Six-string voicing, root on the 6th string: 1 11 b7 b3 5 1. Index finger barre across strings 6 to 1.
6  0  0  2  0  3  x  11314x  Five-string voicing, root on the 6th string: 1 11 1 b3 b7. Index finger barre across strings 6 to 3.
5  x  0  0  0  1  x  x1112x  Four-string voicing, root on the 5th string: 1 11 b7 b3. Index finger barre across strings 5 to 3.
5  x  0  0  x  1  3  x11x24  Four-string voicing, root on the 5th string: 1 11 b3 b7. Index finger barre across strings 5 and 4.
5  x  0 -2  0 -2 -2  x31411  Five-string voicing, root on the 5th string: 1 b3 b7 1 11. Index finger barre across strings 4 to 1.
4  x  x  0  0  1  1  xx1123  Four-string voicing, root on the 4th string: 1 11 b7 b3. Index finger barre across strings 4 and 3.
[m9b6]
6  0  3  0  0  x  2  1411x3  Five-string voicing, root on the 6th string: 1 b6 b7 b3 9. Index finger barre across strings 6 to 3.
6  0 -2 -2 -1  1 -2  311241  Six-string voicing, root on the 6th string: 1 b3 b6 9 b6 b7. Index finger barre across strings 5 to 1.
6  0  x  0  0  1  2  2x1134  Five-string voicing, root on the 6th string: 1 b7 b3 b6 9. Index finger barre across strings 4 and 3.
6  0  3  0  0  1  2  141123  Six-string voicing, root on the 6th string: 1 b6 b7 b3 b6 9. Index finger barre across strings 6 to 3.
6  0 -2 -2 -1  x -2  4113x2  Five-string voicing, root on the 6th string: 1 b3 b6 9 b7. Index finger barre across strings 5 and 4.
5  x  0 -2  0  0  1  x21334  Five-string voicing, root on the 5th string: 1 b3 b7 9 b6. Ring finger barre across strings 3 and 2.
[m13(no11)]
6  0  2  0  0  2  x  13114x  Five-string voicing, root on the 6th string: 1 5 b7 b3 13. Index finger barre across strings 6 to 3.
6  0  x  0  0  2  0  2x1141  Five-string voicing, root on the 6th string: 1 b7 b3 13 1. Index finger barre across strings 4 to 1.
6  0  2  0  x  2  3  121x34  Five-string voicing, root on the 6th string: 1 5 b7 13 b3. Index finger barre across strings 6 to 4.
5  x  0  2  0  1  2  x13124  Five-string voicing, root on the 5th string: 1 5 b7 b3 13. Index finger barre across strings 5 to 3.
5  x  0  x  0  1  2  x1x234  Four-string voicing, root on the 5th string: 1 b7 b3 13.
[m11b6]
6  0  0  0  0  1  x  11112x  Five-string voicing, root on the 6th string: 1 11 b7 b3 b6. Index finger barre across strings 6 to 3.
6  0 -2 -2 -1 -2 -2  311211  Six-string voicing, root on the 6th string: 1 b3 b6 9 11 b7. Index finger barre across strings 5 to 1.
6  0  0  0  x  1  3  111x24  Five-string voicing, root on the 6th string: 1 11 b7 b6 b3. Index finger barre across strings 6 to 4.
5  x  0  0  0  1  1  x11123  Five-string voicing, root on the 5th string: 1 11 b7 b3 b6. Index finger barre across strings 5 to 3.
[m(maj7)b6]
6  0  3  1  0  x  x  1421xx  Four-string voicing, root on the 6th string: 1 b6 7 b3. Index finger barre across strings 6 to 3.
6  0  x  1  0  1  x  1x324x  Four-string voicing, root on the 6th string: 1 7 b3 b6.
5  x  0 -2 -2 -3  x  x4231x  Four-string voicing, root on the 5th string: 1 b3 b6 7.
5  x  0  3  1  1  x  x1423x  Four-string voicing, root on the 5th string: 1 b6 7 b3.
5  x  0  x  1  1  1  x1x234  Four-string voicing, root on the 5th string: 1 7 b3 b6.
4  x  x  0 -2 -1 -3  xx4231  Four-string voicing, root on the 4th string: 1 b3 b6 7.
4  x  x  0  3  2  1  xx1432  Four-string voicing, root on the 4th string: 1 b6 7 b3.
[m(maj7)(b6)]
6  0  2  1  0  1  x  14213x  Five-string voicing, root on the 6th string: 1 5 7 b3 b6. Index finger barre across strings 6 to 3.
6  0 -2 -2  x  0 -1  311x42  Five-string voicing, root on the 6th string: 1 b3 b6 5 7. Index finger barre across strings 5 and 4.
6  0  3  1  0  0  x  13211x  Five-string voicing, root on the 6th string: 1 b6 7 b3 5. Index finger barre across strings 6 to 2.
6  0  x -2  0  0 -1  3x1442  Five-string voicing, root on the 6th string: 1 b6 b3 5 7. Little finger barre across strings 3 and 2.
5  x  0  2  1  1  1  x13222  Five-string voicing, root on the 5th string: 1 5 7 b3 b6. Middle finger barre across strings 3 to 1.
5  x  0 -2 -2 -3  0  x32214  Five-string voicing, root on the 5th string: 1 b3 b6 7 5. Middle finger barre across strings 4 and 3.
[m(maj9)(b6)]
6  0  3  1  0  0  2  142113  Six-string voicing, root on the 6th string: 1 b6 7 b3 5 9. Index finger barre across strings 6 to 2.
[mb6(addb9)]
6  0 -2 -2 -2  x  x  3111xx  Four-string voicing, root on the 6th string: 1 b3 b6 b9. Index finger barre across strings 5 to 3.
6  0  3  3  0  x  x  1341xx  Four-string voicing, root on the 6th string: 1 b6 b9 b3. Index finger barre across strings 6 to 3.
6  0  3  2  0  x  1  1431x2  Five-string voicing, root on the 6th string: 1 b6 1 b3 b9. Index finger barre across strings 6 to 3.
5  x  0 -2 -2 -1  x  x3112x  Four-string voicing, root on the 5th string: 1 b3 b6 b9. Index finger barre across strings 4 and 3.
5  x  0 -2  x -1  1  x31x24  Four-string voicing, root on the 5th string: 1 b3 b9 b6.
5  x  0  3  3  1  x  x1342x  Four-string voicing, root on the 5th string: 1 b6 b9 b3.
4  x  x  0 -2 -1 -1  xx4123  Four-string voicing, root on the 4th string: 1 b3 b6 b9.
[7#5sus4]
6  0  0  0  x  1  x  111x2x  Four-string voicing, root on the 6th string: 1 4 b7 #5. Index finger barre across strings 6 to 4.
6  0  3  0  2  x  x  1413xx  Four-string voicing, root on the 6th string: 1 #5 b7 4. Index finger barre across strings 6 to 4.
6  0  x  0  2  1  x  1x243x  Four-string voicing, root on the 6th string: 1 b7 4 #5.
5  x  0  0  0  x  1  x111x2  Four-string voicing, root on the 5th string: 1 4 b7 #5. Index finger barre across strings 5 to 3.
5  x  0  3  0  3  x  x1314x  Four-string voicing, root on the 5th string: 1 #5 b7 4. Index finger barre across strings 5 to 3.
5  x  0  x  0  3  1  x1x243  Four-string voicing, root on the 5th string: 1 b7 4 #5.
4  x  x  0  3  1  3  xx1324  Four-string voicing, root on the 4th string: 1 #5 b7 4.
[maj7#5sus4]
6  0  3  1  2  x  x  1423xx  Four-string voicing, root on the 6th string: 1 #5 7 4.
6  0  0  1  x  1  x  112x3x  Four-string voicing, root on the 6th string: 1 4 7 #5. Index finger barre across strings 6 and 5.
6  0  x  1  2  1  x  1x243x  Four-string voicing, root on the 6th string: 1 7 4 #5.
5  x  0  0  1  x  1  x112x3  Four-string voicing, root on the 5th string: 1 4 7 #5. Index finger barre across strings 5 and 4.
5  x  0  0 -2 -3  x  x3421x  Four-string voicing, root on the 5th string: 1 4 #5 7.
5  x  0  3  1  3  x  x1324x  Four-string voicing, root on the 5th string: 1 #5 7 4.
4  x  x  0  0 -1 -3  xx4431  Four-string voicing, root on the 4th string: 1 4 #5 7. Little finger barre across strings 4 and 3.
4  x  x  0  3  2  3  xx1324  Four-string voicing, root on the 4th string: 1 #5 7 4.
[maj9sus4]
6  0  0  1 -1  x  x  2341xx  Four-string voicing, root on the 6th string: 1 4 7 9.
6  0  x  1 -1 -2  x  3x421x  Four-string voicing, root on the 6th string: 1 7 9 4.
6  0 -3 -3  x -2 -1  411x23  Five-string voicing, root on the 6th string: 1 9 5 4 7. Index finger barre across strings 5 and 4.
5  x  0  0  1  0  x  x1121x  Four-string voicing, root on the 5th string: 1 4 7 9. Index finger barre across strings 5 to 2.
5  x  0 -3 -3 -3 -2  x41112  Five-string voicing, root on the 5th string: 1 9 5 7 4. Index finger barre across strings 4 to 2.
5  x  0  x  1  0 -2  x2x431  Four-string voicing, root on the 5th string: 1 7 9 4.
4  x  x  0  0  2  0  xx1131  Four-string voicing, root on the 4th string: 1 4 7 9. Index finger barre across strings 4 to 1.
[maj9#5sus4]
6  0  x -2 -1 -2 -1  4x1213  Five-string voicing, root on the 6th string: 1 #5 9 4 7. Index finger barre across strings 4 to 2.
6  0  0  x -1  1 -1  23x141  Five-string voicing, root on the 6th string: 1 4 9 #5 7. Index finger barre across strings 3 to 1.
6  0  0  1  x  1  2  112x34  Five-string voicing, root on the 6th string: 1 4 7 #5 9. Index finger barre across strings 6 and 5.
6  0  0  1 -1  1  x  22314x  Five-string voicing, root on the 6th string: 1 4 7 9 #5. Middle finger barre across strings 6 and 5.
5  x  0  0  1  0  1  x11213  Five-string voicing, root on the 5th string: 1 4 7 9 #5. Index finger barre across strings 5 to 2.
5  x  0 -3 -2 -3 -2  x41213  Five-string voicing, root on the 5th string: 1 9 #5 7 4. Index finger barre across strings 4 to 2.
[7sus4b9b13]
6  0  x -2 -2 -2 -2  3x1111  Five-string voicing, root on the 6th string: 1 b13 b9 4 b7. Index finger barre across strings 4 to 1.
6  0  0  0  x  1  1  111x23  Five-string voicing, root on the 6th string: 1 4 b7 b13 b9. Index finger barre across strings 6 to 4.
6  0  3  0  2  x  1  1413x2  Five-string voicing, root on the 6th string: 1 b13 b7 4 b9. Index finger barre across strings 6 to 4.
5  x  0  0  0 -1  1  x22314  Five-string voicing, root on the 5th string: 1 4 b7 b9 b13. Middle finger barre across strings 5 and 4.
5  x  0  3  3  3  3  x13333  Five-string voicing, root on the 5th string: 1 b13 b9 4 b7. Ring finger barre across strings 4 to 1.
[6sus2]
6  0  2 -1 -1  x  x  2411xx  Four-string voicing, root on the 6th string: 1 5 6 2. Index finger barre across strings 4 and 3.
6  0  x -1 -1  0  x  2x113x  Four-string voicing, root on the 6th string: 1 6 2 5. Index finger barre across strings 4 and 3.
6  0 -3 -1 -3  x  x  4131xx  Four-string voicing, root on the 6th string: 1 2 6 1. Index finger barre across strings 5 to 3.
5  x  0 -3 -1 -2  x  x4132x  Four-string voicing, root on the 5th string: 1 2 6 1.
5  x  0  2 -1  0  x  x2413x  Four-string voicing, root on the 5th string: 1 5 6 2.
5  x  0  x -1  0  0  x2x134  Four-string voicing, root on the 5th string: 1 6 2 5.
4  x  x  0  2  0  0  xx1311  Four-string voicing, root on the 4th string: 1 5 6 2. Index finger barre across strings 4 to 1.
4  x  x  0 -3  0 -2  xx3142  Four-string voicing, root on the 4th string: 1 2 6 1.
[dim7(maj7)]
6  0  x -1  0 -1 -1  2x1311  Five-string voicing, root on the 6th string: 1 bb7 b3 b5 7. Index finger barre across strings 4 to 1.
6  0  1  1  0  2  x  12314x  Five-string voicing, root on the 6th string: 1 b5 7 b3 bb7. Index finger barre across strings 6 to 3.
6  0  1  1  x  2  3  122x34  Five-string voicing, root on the 6th string: 1 b5 7 bb7 b3. Middle finger barre across strings 5 and 4.
6  0  1 -1  0 -1 -1  241311  Six-string voicing, root on the 6th string: 1 b5 bb7 b3 b5 7. Index finger barre across strings 4 to 1.
6  0  1  1  0  2  0  123141  Six-string voicing, root on the 6th string: 1 b5 7 b3 bb7 1. Index finger barre across strings 6 to 1.
5  x  0  1  1  1  2  x12234  Five-string voicing, root on the 5th string: 1 b5 7 b3 bb7. Middle finger barre across strings 4 and 3.
[dim(add9)]
6  0 -2  x -1 -1  x  41x23x  Four-string voicing, root on the 6th string: 1 b3 9 b5.
6  0  1  2  0  x  2  1231x4  Five-string voicing, root on the 6th string: 1 b5 1 b3 9. Index finger barre across strings 6 to 3.
6  0 -3  x  0 -1  x  31x42x  Four-string voicing, root on the 6th string: 1 9 b3 b5.
6  0 -2  x -1 -1  0  31x224  Five-string voicing, root on the 6th string: 1 b3 9 b5 1. Middle finger barre across strings 3 and 2.
5  x  0 -2  x  0 -1  x31x42  Four-string voicing, root on the 5th string: 1 b3 9 b5.
4  x  x  0 -2 -3  0  xx3214  Four-string voicing, root on the 4th string: 1 b3 b5 9.
[aug(add#9)]
6  0 -1 -2  0  x  x  3214xx  Four-string voicing, root on the 6th string: 1 3 #5 #9.
6  0 -1  x  0  1  x  21x34x  Four-string voicing, root on the 6th string: 1 3 #9 #5.
6  0  x  2  1  1  3  1x3224  Five-string voicing, root on the 6th string: 1 1 3 #5 #9. Middle finger barre across strings 3 and 2.
5  x  0 -1 -2  1  x  x3214x  Four-string voicing, root on the 5th string: 1 3 #5 #9.
5  x  0 -1  x  1  1  x21x34  Four-string voicing, root on the 5th string: 1 3 #9 #5.
4  x  x  0 -1 -1  1  xx2113  Four-string voicing, root on the 4th string: 1 3 #5 #9. Index finger barre across strings 3 and 2.
[9#5#11]
6  x -1 -2 -1 -1 -2  x21331  Rootless | Rootless grip on strings 5 to 1: 3 #5 9 #11 b7. Index finger barre across strings 4 to 1. Ring finger barre across strings 3 and 2.
6  x  1  0  1  1  2  x21334  Rootless | Rootless grip on strings 5 to 1: #11 b7 3 #5 9. Ring finger barre across strings 3 and 2.
[maj7#5#11]
6  0  1  1  1  1  x  13333x  Five-string voicing, root on the 6th string: 1 #11 7 3 #5. Ring finger barre across strings 5 to 2.
6  0  1  1  1  1  0  133331  Six-string voicing, root on the 6th string: 1 #11 7 3 #5 1. Index finger barre across strings 6 to 1. Ring finger barre across strings 5 to 2.
6  0  x -2  1 -1 -1  3x1422  Five-string voicing, root on the 6th string: 1 #5 3 #11 7. Middle finger barre across strings 2 and 1.
6  0  1  x  1  1 -1  23x441  Five-string voicing, root on the 6th string: 1 #11 3 #5 7. Little finger barre across strings 3 and 2.
6  0 -1 -2  x -1 -1  421x33  Five-string voicing, root on the 6th string: 1 3 #5 #11 7. Ring finger barre across strings 2 and 1.
5  x  0  1  1  2  1  x12243  Five-string voicing, root on the 5th string: 1 #11 7 3 #5. Middle finger barre across strings 4 and 3.
[6#11]
6  0  1 -1  1  x  x  2314xx  Four-string voicing, root on the 6th string: 1 #11 6 3.
6  0  x -1  1 -1  x  2x131x  Four-string voicing, root on the 6th string: 1 6 3 #11. Index finger barre across strings 4 to 2.
6  0 -1 -1  x -1  x  311x2x  Four-string voicing, root on the 6th string: 1 3 6 #11. Index finger barre across strings 5 and 4.
5  x  0  1 -1  2  x  x2314x  Four-string voicing, root on the 5th string: 1 #11 6 3.
5  x  0  x -1  2 -1  x2x141  Four-string voicing, root on the 5th string: 1 6 3 #11. Index finger barre across strings 3 to 1.
5  x  0  1  x  2  2  x12x34  Four-string voicing, root on the 5th string: 1 #11 3 6.
4  x  x  0  1  0  2  xx1213  Four-string voicing, root on the 4th string: 1 #11 6 3. Index finger barre across strings 4 to 2.
[addb9]
6  0 -1 -3 -2  x  x  4312xx  Four-string voicing, root on the 6th string: 1 3 5 b9.
6  0  2  3  1  x  x  1342xx  Four-string voicing, root on the 6th string: 1 5 b9 3.
6  0  x -3 -2 -3  x  4x121x  Four-string voicing, root on the 6th string: 1 5 b9 3. Index finger barre across strings 4 to 2.
5  x  0 -1  2 -1  x  x2141x  Four-string voicing, root on the 5th string: 1 3 1 b9. Index finger barre across strings 4 to 2.
5  x  0  x -3 -1 -3  x4x131  Four-string voicing, root on the 5th string: 1 5 b9 3. Index finger barre across strings 3 to 1.
5  x  0  2  3  2  x  x1243x  Four-string voicing, root on the 5th string: 1 5 b9 3.
4  x  x  0 -1 -2 -1  xx4213  Four-string voicing, root on the 4th string: 1 3 5 b9.
[quartal]
6  0  0  0  0  x  x  1111xx  Four-note stack on strings 6 to 3: 1 4 b7 b10. Index finger barre across strings 6 to 3.
5  x  0  0  0  1  x  x1112x  Four-note stack on strings 5 to 2: 1 4 b7 b10. Index finger barre across strings 5 to 3.
4  x  x  0  0  1  1  xx1122  Four-note stack on strings 4 to 1: 1 4 b7 b10. Index finger barre across strings 4 and 3. Middle finger barre across strings 2 and 1.
"""


def finger_faults(frets, fingers, barre_named):
    """What breaks the finger rules in a movable grip (frets and fingers by string 6..1,
    None and "x" for a silent string), as the validator reads them: one fret per finger, a
    finger on several strings only as a barre that crosses no silent or lower-fretted string
    and, unless it is the index finger, no higher note; never two partial barres with four
    fingers down; higher frets take higher fingers; neighbouring fingers two frets apart at
    most; four frets in all.  An empty list when the grip is sound."""
    faults = []
    fretted = {6 - i: f for i, f in enumerate(frets) if f is not None}
    finger = {6 - i: g for i, g in enumerate(fingers)}
    by_finger = {}
    for s in sorted(fretted, reverse=True):
        by_finger.setdefault(finger[s], []).append(s)
    barres = 0
    full_index = False
    for g, strings in by_finger.items():
        if len({fretted[s] for s in strings}) > 1:
            faults.append("finger %s presses two frets" % g)
            continue
        if len(strings) < 2:
            continue
        barres += 1
        if not barre_named:
            faults.append("finger %s lies across strings without a barre" % g)
        fret = fretted[strings[0]]
        for s in range(min(strings) + 1, max(strings)):
            if s not in fretted or fretted[s] < fret or (fretted[s] > fret and g != "1"):
                faults.append("the barre of finger %s crosses string %d" % (g, s))
        full_index = full_index or (g == "1" and max(strings) == max(fretted)
                                    and min(strings) == min(fretted))
    if barres > 1 and len(by_finger) == 4 and not full_index:
        faults.append("two partial barres and two more fingers")
    for a, fa in fretted.items():
        for b, fb in fretted.items():
            if fa > fb and finger[a] <= finger[b]:
                faults.append("strings %d and %d: the higher fret has no higher finger" % (a, b))
    fret_of = {finger[s]: f for s, f in fretted.items()}
    for g, f in fret_of.items():
        nxt = str(int(g) + 1)
        if nxt in fret_of and fret_of[nxt] - f >= 3:
            faults.append("fingers %s and %s lie %d frets apart" % (g, nxt, fret_of[nxt] - f))
    if fretted and max(fretted.values()) - min(fretted.values()) > 3:
        faults.append("the grip spans more than four frets")
    return faults


def assign_fingers(frets):
    """Fingers for a derived grip (strings 6..1): the first assignment, thicker strings taking
    the lower fingers first, that keeps the finger rules without a barre, else with one; the
    remark then names the barre.  (fingers, barre text) or None where no hand holds it."""
    played = [k for k, f in enumerate(frets) if f is not None]

    def search(k, fingers, barre):
        if k == len(played):
            return fingers if not finger_faults(frets, fingers, barre) else None
        for g in "1234":
            fingers[played[k]] = g
            found = search(k + 1, fingers, barre)
            if found:
                return found
        fingers[played[k]] = "x"
        return None

    for barre in (False, True):
        fingers = search(0, ["x"] * 6, barre)
        if fingers:
            return "".join(fingers), barre_text(frets, fingers)
    return None


def barre_text(frets, fingers):
    """The remark's sentence for each finger that lies across strings ("Index finger barre
    across strings 4 to 2.")."""
    names = {"1": "Index", "2": "Middle", "3": "Ring", "4": "Little"}
    words = []
    for g in "1234":
        strings = [6 - k for k, f in enumerate(fingers) if f == g]
        if len(strings) > 1:
            hi, lo = max(strings), min(strings)
            join = "and" if hi - lo == 1 else "to"
            words.append("%s finger barre across strings %d %s %d." % (names[g], hi, join, lo))
    return " ".join(words)


def parse_shapes(text):
    """{chord name: [(frets 6..1 with None for silent, fingers, root string, remark,
    caption)]}.  A remark may start with a caption for the voicing list and "|" ("Rootless |
    ..."); without one the list shows the position and the root string."""
    shapes = {}
    current = None
    for line in text.strip().splitlines():
        if line.startswith("["):
            current = line[1:-1]
            shapes[current] = []
            continue
        fields = line.split(None, 8)
        frets = [None if f == "x" else int(f) for f in fields[1:7]]
        caption, _, remark = fields[8].rpartition(" | ")
        shapes[current].append((frets, fields[7], int(fields[0]), remark, caption))
    return shapes


# The chords whose drop 2 and drop 3 inversions the list carries, and the string sets they lie
# on, in the order the list shows them (each set from root position to 3rd inversion).
DROP_CHORDS = ["maj7", "m7", "7", "m7b5", "dim7", "6", "m6", "m(maj7)"]
DROP_SETS = [(2, (4, 3, 2, 1)), (2, (5, 4, 3, 2)), (2, (6, 5, 4, 3)), (3, (6, 4, 3, 2)),
             (3, (5, 3, 2, 1))]
INVERSION_NAMES = ["Root Position", "1st Inversion", "2nd Inversion", "3rd Inversion"]


def drop_voicing(formula, drop, inversion):
    """Semitones above the root, bass first, of a four-note chord's drop 2 or drop 3 voicing
    with the formula's tone number `inversion` (0 root .. 3 the 7th or 6th) in the bass: the
    close voicing whose 2nd (3rd) voice from the top is that tone, with that voice dropped an
    octave."""
    tones = formula_semitones(formula)
    start = inversion - (4 - drop)
    close = []
    for k in range(4):
        pitch = tones[(start + k) % 4]
        while close and pitch <= close[-1]:
            pitch += 12
        close.append(pitch)
    dropped = close.pop(4 - drop)
    return [dropped - 12] + close


def drop_shapes(chord):
    """The chord's drop 2 and drop 3 inversions that one hand holds, as parse_shapes gives
    shapes: frets relative to the root's fret on the string that carries the root."""
    formula = CHORD_FORMULA[chord]
    tokens = formula.split(";")
    shapes = []
    for drop, strings in DROP_SETS:
        for inversion in range(4):
            voices = drop_voicing(formula, drop, inversion)
            frets = {s: v - STANDARD_TUNING[s] for s, v in zip(strings, voices)}
            root_string = strings[[v % 12 for v in voices].index(0)]
            rel = {s: f - frets[root_string] for s, f in frets.items()}
            grip = [rel.get(s) for s in (6, 5, 4, 3, 2, 1)]
            played = [f for f in grip if f is not None]
            if max(played) - min(played) > 3:
                continue
            fingering = assign_fingers(grip)
            if not fingering:
                continue
            fingers, barre = fingering
            names = " ".join(tone_word(t, short=True) for v in voices for t in tokens
                             if token_semitones(t) % 12 == v % 12)
            low, high = strings[0], strings[-1]
            skip = "" if drop == 2 else ", the %s string silent" % ordinal(strings[0] - 1)
            remark = "Drop %d on strings %d to %d%s, the %s in the bass: %s. %s" % (
                drop, low, high, skip, tone_word(tokens[inversion]), names, barre)
            caption = "Drop %d, %s" % (drop, INVERSION_NAMES[inversion])
            shapes.append((grip, fingers, root_string, remark.strip(), caption))
    return shapes


def tone_word(token, short=False):
    """A chord tone as a remark names it: "root", "3rd", "b3", "bb7"; short, as the tone lists
    write it: "1", "3", "b3", "bb7"."""
    written = token.replace("f", "bb").replace("x", "##")
    if short or written[0] in "b#":
        return written
    return "root" if token == "1" else ordinal(token_degree(token))


MOVABLE = parse_shapes(MOVABLE_SHAPES)

# --------------------------------------------------------------------------
# Triads
# --------------------------------------------------------------------------

TRIAD_QUALITIES = [  # order of the triad index: 3 * quality + inversion
    ("Major", "1;3;5"),
    ("Minor", "1;b3;5"),
    ("Diminished", "1;b3;b5"),
    ("Augmented", "1;3;#5"),
]
INVERSIONS = ["Root Position", "1st Inversion", "2nd Inversion"]
INVERSION_STEMS = ["root", "inversion1", "inversion2"]
STRING_GROUPS = [(6, 5, 4), (5, 4, 3), (4, 3, 2), (3, 2, 1)]

def finger_shape(frets):
    """Finger digits for a compact shape: one finger per fret, lower fingers on
    lower frets, and thicker strings first where two notes share a fret."""
    notes = sorted((f, -s) for s, f in frets.items())  # by fret, then string 6 first
    low = notes[0][0]
    fingers = []
    prev = 0
    for f, _ in notes:
        prev = max(prev + 1, f - low + 1)
        fingers.append(prev)
    for k in range(len(fingers) - 1, -1, -1):  # squeeze into fingers 1..4
        cap = 4 if k == len(fingers) - 1 else fingers[k + 1] - 1
        fingers[k] = min(fingers[k], cap)
    return {-s: str(fg) for (f, s), fg in zip(notes, fingers)}


def triad_shape(quality, inversion, group):
    """Close voicing of a triad inversion on a string group, frets relative
    to the root's fret on the root string."""
    _, formula = TRIAD_QUALITIES[quality]
    root, third, fifth = formula_semitones(formula)
    stack = [[root, third, fifth], [third, fifth, root + 12],
             [fifth, root + 12, third + 12]][inversion]
    strings = STRING_GROUPS[group]
    root_string = strings[stack.index(root if inversion == 0 else root + 12)]
    root_level = 0 if inversion == 0 else 12
    frets = {}
    for s, iv in zip(strings, stack):
        frets[s] = STANDARD_TUNING[root_string] - STANDARD_TUNING[s] + iv - root_level
    return frets, finger_shape(frets), root_string


# --------------------------------------------------------------------------
# Chord finder
# --------------------------------------------------------------------------

# Interval sets that chord books name although no chord of the library forms
# them exactly or in a reduced form.
FINDER_EXTRA = [
    # Two notes a third apart: the shell of a major or minor chord.
    ((0, 4), "Major (no 5th)"),
    ((0, 3), "Minor (no 5th)"),
    ((0, 7, 10), "Dominant 7th (no 3rd)"),
    ((0, 7, 11), "Major 7th (no 3rd)"),
]


def reduced_forms(formula, name):
    """(tokens left out, remaining tokens) for every way a voicing may thin the
    chord, the fewest left out first."""
    tokens = formula.split(";")
    left_out = sorted(omissible(formula, name), key=token_degree)
    forms = []
    for mask in range(1, 1 << len(left_out)):
        out = [t for k, t in enumerate(left_out) if mask >> k & 1]
        forms.append((out, [t for t in tokens if t not in out]))
    forms.sort(key=lambda f: len(f[0]))
    return forms


def triad_inversion(semis):
    """True when the notes are the major triad read from its 3rd or 5th: C E Ab
    is Ab major over C, not a minor chord with a b6.  Other triads name no
    such set: C E A stays a 6th chord without its 5th (the open C6 x32210)
    rather than A minor over C, and C F Bb a 7sus4 shell."""
    major = interval_set("1;3;5".split(";"))
    return any(tuple(sorted((x - r) % 12 for x in semis)) == major for r in semis[1:])


def finder_entries():
    """{interval set: description}: every library chord under its long name
    (the first chord of a set that two share), then the thinned forms its
    voicings sound, then the extra named sets.  A thinned or extra set that
    is the major triad inverted stays unnamed, so that the finder shows the
    slash chord."""
    entries = {}
    for _, verbose, _, formula, *_ in CHORDS:
        entries.setdefault(interval_set(formula.split(";")), verbose)
    for name, verbose, _, formula, *_ in CHORDS:
        for out, kept in reduced_forms(formula, name):
            words = ", ".join("no " + ordinal(token_degree(t)) for t in out)
            semis = interval_set(kept)
            if not triad_inversion(semis):
                entries.setdefault(semis, "%s (%s)" % (verbose, words))
    for semis, d in FINDER_EXTRA:
        if not triad_inversion(semis):
            entries.setdefault(semis, d)
    return entries


# --------------------------------------------------------------------------
# Writers
# --------------------------------------------------------------------------


def pair(value):
    if value is None:
        return "xx"
    text = "%02d" % value if value >= 0 else str(value)
    if len(text) != 2:
        raise ValueError("fret %r does not fit two characters" % value)
    return text


def fret_text(frets_6_to_1):
    return "".join(pair(v) for v in frets_6_to_1)


def parse_grip(grip):
    return [None if c == "x" else int(c) for c in grip]


def left_out(chord, frets, root_string):
    """The remark naming the chord tones a grip leaves out ("No 5th or 9th."),
    or "" when every tone sounds."""
    formula = CHORD_FORMULA[chord]
    may_go = omissible(formula, chord)
    root_midi = STANDARD_TUNING[root_string] + (frets[6 - root_string] or 0)
    heard = {(STANDARD_TUNING[6 - i] + f - root_midi) % 12 for i, f in enumerate(frets) if f is not None}
    words = [t if t[0] in ACCIDENTALS else ordinal(token_degree(t))
             for t in formula.split(";")
             if t in may_go and token_semitones(t) % 12 not in heard]
    if not words:
        return ""
    listed = words[0] if len(words) == 1 else ", ".join(words[:-1]) + " or " + words[-1]
    return "No %s." % listed


def with_left_out(memo, remark):
    return (memo + " " + remark).strip()


class Ini:
    def __init__(self):
        self.lines = []

    def section(self, name):
        if self.lines:
            self.lines.append("")
        self.lines.append("[%s]" % name)

    def key(self, key, value):
        self.lines.append("%s=%s" % (key, value))

    def write(self, path):
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write("\n".join(self.lines) + "\n")


def chord_stem(chord):
    return chord[6] or stem_of("chord", chord[1])


def scale_stem(scale):
    return SCALE_STEMS.get(scale[0]) or stem_of("scale", scale[0])


def write_chords(data):
    ini = Ini()
    ini.section("totals")
    ini.key("numchords", len(CHORDS))
    ini.key("numgroups", len(CHORD_GROUPS))
    ini.section("groups")
    for g, name in enumerate(CHORD_GROUPS):
        ini.key(str(g), name)
    for i, chord in enumerate(CHORDS):
        name, verbose, symbols, formula, group, _, _ = chord
        related = related_scales(chord)
        stem = chord_stem(chord)
        ini.section(str(i))
        ini.key("name", name)
        ini.key("nameverbose", verbose)
        ini.key("chordsymbols", symbols)
        ini.key("formula", formula)
        ini.key("group", CHORD_GROUPS.index(group))
        ini.key("relatedscaleid", ";".join(str(SCALE_NUMBER[r]) for r in related))
        ini.key("info", stem)
        ini.key("examples", "")
    ini.write(os.path.join(data, "chord.ini"))


def write_scales(data):
    ini = Ini()
    ini.section("totals")
    ini.key("numscales", len(SCALES))
    ini.key("numgroups", len(SCALE_GROUPS))
    ini.section("groups")
    for g, name in enumerate(SCALE_GROUPS):
        ini.key(str(g), name)
    for i, scale in enumerate(SCALES):
        name, alt, group, formula = scale
        stem = scale_stem(scale)
        ini.section(str(i))
        ini.key("Name", name)
        ini.key("altname", alt)
        ini.key("Group", SCALE_GROUPS.index(group))
        ini.key("formula", formula)
        ini.key("info", stem)
        ini.key("examples", "")
    ini.write(os.path.join(data, "scale.ini"))


def reading_order(shapes):
    """The grips with the root in the bass as the list shows them: by root string from the
    6th to the 3rd, then up the neck (by the lowest fret of the shape)."""
    return sorted(shapes, key=lambda v: (-v[2], min(f for f in v[0] if f is not None)))


def voicing_list(chord):
    """A chord's movable voicings in list order: the grips with the root in the bass in
    reading order, then the drop 2 and drop 3 inversions by string set, then the other
    inversions (slash grips) and the rootless grips as the table lists them.  A drop voicing
    in root position that the table already holds lends that grip its caption."""
    table = MOVABLE[chord]
    drops = drop_shapes(chord) if chord in DROP_CHORDS else []
    caption_of = {(tuple(d[0]), d[2]): d[4] for d in drops}
    rooted = [v[:4] + (v[4] or caption_of.get((tuple(v[0]), v[2]), ""),)
              for v in table if not v[4]]
    held = {(tuple(v[0]), v[2]) for v in table}
    rooted += [d for d in drops if d[4].endswith("Root Position") and
               (tuple(d[0]), d[2]) not in held]
    inversions = [d for d in drops if not d[4].endswith("Root Position")]
    others = [v for v in table if v[4]]
    return reading_order(rooted) + inversions + others


def write_voicings(data):
    ini = Ini()
    ini.section("openchords")
    ini.key("numvoicings", len(OPEN_CHORDS))
    for i, (chord, root, grip, fingers, memo) in enumerate(OPEN_CHORDS):
        frets = parse_grip(grip)
        bass = next(6 - k for k, f in enumerate(frets) if f is not None)
        ini.key("%drootnote" % i, pitch_class(root))
        ini.key("%dquality" % i, CHORD_NUMBER[chord])
        ini.key("%dfret" % i, fret_text(frets))
        ini.key("%dfinger" % i, fingers)
        note = "Open %s%s chord." % (root, "" if chord == "maj" else chord)
        ini.key("%dmemo" % i, with_left_out(" ".join(p for p in (note, memo) if p),
                                             left_out(chord, frets, bass)))
    for number, chord in enumerate(CHORDS):
        shapes = voicing_list(chord[0])
        ini.section(str(number))
        ini.key("numVoicings", len(shapes))
        for j, (frets, fingers, root, memo, caption) in enumerate(shapes):
            played = sum(f is not None for f in frets)
            group = 0 if played >= 4 and root in (6, 5) else 1
            ini.key("%dfret" % j, fret_text(frets))
            ini.key("%dfinger" % j, fingers)
            ini.key("%dgroup" % j, group)
            ini.key("%droot" % j, root)
            ini.key("%dmemo" % j, with_left_out(memo, left_out(chord[0], frets, root)))
            if caption:
                ini.key("%dcaption" % j, caption)
    ini.write(os.path.join(data, "voicing.ini"))


def write_triads(data):
    ini = Ini()
    for q, (quality, formula) in enumerate(TRIAD_QUALITIES):
        for v, inversion in enumerate(INVERSIONS):
            index = 3 * q + v
            stem = "triad_%s_%s" % (quality.lower(), INVERSION_STEMS[v])
            ini.section(str(index))
            ini.key("name", "%s %s" % (quality, inversion))
            ini.key("formula", formula)
            ini.key("info", stem)
            ini.key("examples", "")
    for q in range(len(TRIAD_QUALITIES)):
        for v in range(3):
            for g in range(4):
                frets, fingers, root = triad_shape(q, v, g)
                ini.section("%d.%d" % (3 * q + v, g))
                ini.key("fret", fret_text([frets.get(s) for s in (6, 5, 4, 3, 2, 1)]))
                ini.key("finger", "".join(fingers.get(s, "x") for s in (6, 5, 4, 3, 2, 1)))
                ini.key("rootnote", root)
    ini.write(os.path.join(data, "triad.ini"))


def write_finder(data):
    entries = finder_entries()
    ini = Ini()
    for semis in sorted(entries, key=lambda t: (len(t), t)):
        ini.section(";".join(str(s) for s in semis))
        ini.key("d", entries[semis])
    ini.write(os.path.join(data, "finder.ini"))


def check_tables():
    """Every formula is one the program reads (see chordalis_theory.parse_token), starting at
    the root; every open chord names a chord of the table and a root note."""
    items = ([("chord", c[0], c[3]) for c in CHORDS] + [("scale", s[0], s[3]) for s in SCALES]
             + [("triad", name, formula) for name, formula in TRIAD_QUALITIES])
    for kind, name, formula in items:
        try:
            tokens = formula_tokens(formula)
        except ValueError as e:
            raise SystemExit("%s %r: %s" % (kind, name, e))
        if tokens[0] != "1" or len(tokens) > 13:
            raise SystemExit("%s %r: a formula starts at 1 and has 13 notes at most" % (kind,
                                                                                       name))
    for chord, root, *_ in OPEN_CHORDS:
        try:
            pitch_class(root)
        except ValueError as e:
            raise SystemExit("open chord %s%s: %s" % (root, chord, e))
        if chord not in CHORD_NUMBER:
            raise SystemExit("open chord %s%s: no chord is named %r" % (root, chord, chord))
    check_scale_fits()


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description="Writes the library files chord.ini, "
                                     "scale.ini, voicing.ini, triad.ini and finder.ini.")
    parser.add_argument("--out", metavar="DIR", default=os.path.join(here, os.pardir, "data"),
                        help="the folder to write them into (default: the repository's data/)")
    data = parser.parse_args().out
    if not os.path.isdir(data):
        raise SystemExit("gen_library.py: %s is not a folder" % data)
    check_tables()
    write_chords(data)
    write_scales(data)
    write_voicings(data)
    write_triads(data)
    write_finder(data)


if __name__ == "__main__":
    main()
