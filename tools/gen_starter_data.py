#!/usr/bin/env python3
"""Writes Chordalis' starter library into data/.

Produces chord.ini, scale.ini, voicing.ini, triad.ini and finder.ini, plus one
information text per library item in data/system/.  The musical content is
written out by hand below (formulas, open chords, movable shapes); only the
bookkeeping is derived: section numbers, fret-text formatting, the triad
shapes (close voicings on each string group), the finder's interval sets and
the "No 5th." remarks of voicings that leave the 5th out.

Run tools/check_starter_data.py afterwards: it verifies every file against
music theory computed on its own.

Usage: python3 tools/gen_starter_data.py [data-folder]
"""

import os
import sys
import textwrap

# --------------------------------------------------------------------------
# Music basics used for the derived parts
# --------------------------------------------------------------------------

OPEN_MIDI = {6: 40, 5: 45, 4: 50, 3: 55, 2: 59, 1: 64}  # standard tuning
MAJOR_STEPS = {1: 0, 2: 2, 3: 4, 4: 5, 5: 7, 6: 9, 7: 11}
ACCIDENTAL = {"f": -2, "b": -1, "#": 1, "x": 2}

LETTERS = "CDEFGAB"
LETTER_PC = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def token_semitones(token):
    """Semitones above the root of one formula token (9 -> 14, b3 -> 3)."""
    shift = ACCIDENTAL.get(token[0], 0)
    degree = int(token[1:] if shift or token[0] in ACCIDENTAL else token)
    octave = 12 if degree > 7 else 0
    return MAJOR_STEPS[(degree - 1) % 7 + 1] + octave + shift


def formula_semitones(formula):
    return [token_semitones(t) for t in formula.split(";")]


def spell_in_c(formula):
    """Note names of a formula on the root C (the key of C has no accidentals)."""
    names = []
    for tok in formula.split(";"):
        shift = ACCIDENTAL.get(tok[0], 0)
        degree = int(tok[1:]) if tok[0] in ACCIDENTAL else int(tok)
        letter = LETTERS[(degree - 1) % 7]
        names.append(letter + {-2: "bb", -1: "b", 0: "", 1: "#", 2: "x"}[shift])
    return names


def formula_display(formula):
    return " ".join(t.replace("f", "bb") for t in formula.split(";"))


# --------------------------------------------------------------------------
# Scales
# --------------------------------------------------------------------------

SCALE_GROUPS = ["Major Scale Modes", "Pentatonic", "Blues",
                "Harmonic & Melodic Minor", "Symmetric"]

# Name, altname, group, formula, stem, description
SCALES = [
    ("Major", "Ionian;Diatonic Major", 0, "1;2;3;4;5;6;7", "scale_major",
     "The seven-note scale of whole and half steps W W H W W W H on which "
     "major keys are built. Started on each of its other degrees it gives "
     "the other scales of this group, the modes."),
    ("Dorian", "Dorian Mode;Second Mode of Major", 0, "1;2;b3;4;5;6;b7",
     "scale_dorian",
     "The 2nd mode of the major scale: a minor scale with a major 6th. The "
     "natural choice over a minor 7th chord, above all the ii chord of a "
     "ii-V-I; common in jazz, funk and rock."),
    ("Phrygian", "Phrygian Mode;Third Mode of Major", 0, "1;b2;b3;4;5;b6;b7",
     "scale_phrygian",
     "The 3rd mode of the major scale: a minor scale with a minor 2nd, which "
     "gives its dark, Spanish colour. Heard in flamenco and metal."),
    ("Lydian", "Lydian Mode;Fourth Mode of Major", 0, "1;2;3;#4;5;6;7",
     "scale_lydian",
     "The 4th mode of the major scale: a major scale with a raised 4th. "
     "Bright and floating; it fits major 7th chords, such as the IV chord "
     "of a major key."),
    ("Mixolydian", "Mixolydian Mode;Dominant Scale;Fifth Mode of Major", 0,
     "1;2;3;4;5;6;b7", "scale_mixolydian",
     "The 5th mode of the major scale: a major scale with a minor 7th. The "
     "scale of the dominant 7th chord, at home in blues, rock and folk."),
    ("Natural Minor", "Aeolian;Pure Minor;Sixth Mode of Major", 0,
     "1;2;b3;4;5;b6;b7", "scale_natural_minor",
     "The 6th mode of the major scale, also called Aeolian. Every minor key "
     "shares its notes with the major key a minor 3rd above (A minor and "
     "C major)."),
    ("Locrian", "Locrian Mode;Seventh Mode of Major", 0, "1;b2;b3;4;b5;b6;b7",
     "scale_locrian",
     "The 7th mode of the major scale, with a minor 2nd, minor 3rd and "
     "diminished 5th. It fits the half-diminished (m7b5) chord."),
    ("Major Pentatonic", "Pentatonic Major", 1, "1;2;3;5;6",
     "scale_major_pentatonic",
     "Five notes: the major scale without its 4th and 7th. It has no half "
     "steps, so every note sounds safe over the major chord; the basis of "
     "many country and rock melodies."),
    ("Minor Pentatonic", "Pentatonic Minor", 1, "1;b3;4;5;b7",
     "scale_minor_pentatonic",
     "Five notes: the natural minor scale without its 2nd and 6th. The "
     "first soloing scale of most rock and blues players. It holds the same "
     "notes as the major pentatonic a minor 3rd higher."),
    ("Blues", "Minor Blues;Blues Hexatonic", 2, "1;b3;4;b5;5;b7", "scale_blues",
     "The minor pentatonic with the diminished 5th added, the blue note. "
     "Played over minor chords and over all three 7th chords of a blues."),
    ("Major Blues", "Major Blues Hexatonic", 2, "1;2;b3;3;5;6",
     "scale_major_blues",
     "The major pentatonic with the minor 3rd added as a passing note into "
     "the major 3rd. It holds the same notes as the blues scale a minor 3rd "
     "lower."),
    ("Harmonic Minor", "Aeolian #7", 3, "1;2;b3;4;5;b6;7",
     "scale_harmonic_minor",
     "The natural minor scale with a raised 7th. The leading note gives minor "
     "keys their major V7 chord; the step of a minor 3rd between the 6th and "
     "7th degrees is its trademark sound."),
    ("Melodic Minor", "Jazz Minor;Ascending Melodic Minor", 3,
     "1;2;b3;4;5;6;7", "scale_melodic_minor",
     "The natural minor scale with raised 6th and 7th (its ascending form, "
     "used both ways in jazz). It fits minor 6th and minor-major 7th chords."),
    ("Phrygian Dominant", "Spanish Phrygian;Fifth Mode of Harmonic Minor", 3,
     "1;b2;3;4;5;b6;b7", "scale_phrygian_dominant",
     "The 5th mode of the harmonic minor scale: Phrygian with a major 3rd. "
     "Played over the V7 chord of a minor key, and in flamenco and klezmer."),
    ("Lydian Dominant", "Lydian b7;Overtone Scale;Fourth Mode of Melodic Minor",
     3, "1;2;3;#4;5;6;b7", "scale_lydian_dominant",
     "The 4th mode of the melodic minor scale: Mixolydian with a raised 4th. "
     "It fits dominant 7th and 9th chords that carry a #11, for example "
     "tritone substitutes."),
    ("Whole Tone", "Whole Step Scale", 4, "1;2;3;#4;#5;b7", "scale_whole_tone",
     "Six notes a whole step apart. The scale is symmetrical, so there are "
     "only two different whole-tone scales. It fits the augmented triad and "
     "7th chords with a raised 5th."),
    ("Diminished Whole-Half", "Whole-Half Diminished;Octatonic", 4,
     "1;2;b3;4;b5;b6;6;7", "scale_diminished_whole_half",
     "Eight notes in alternating whole and half steps, starting with a whole "
     "step. It fits the diminished 7th chord on its root; there are only "
     "three different ones."),
    ("Diminished Half-Whole", "Half-Whole Diminished;Dominant Diminished", 4,
     "1;b2;#2;3;#4;5;6;b7", "scale_diminished_half_whole",
     "Eight notes in alternating half and whole steps, starting with a half "
     "step. It fits dominant 7th chords with b9 and #9 tensions, and holds "
     "the diminished 7th chord a half step above its root."),
]
SCALE_NUMBER = {s[0]: i for i, s in enumerate(SCALES)}

# --------------------------------------------------------------------------
# Chords
# --------------------------------------------------------------------------

CHORD_GROUPS = ["Major", "Minor", "Dominant", "Suspended",
                "Diminished & Augmented"]

# name, nameverbose, chordsymbols, formula, group, related scales (best
# first), stem, description
CHORDS = [
    ("maj", "Major", "M;Maj;major", "1;3;5", 0,
     ["Major", "Lydian", "Major Pentatonic", "Mixolydian", "Major Blues"],
     "chord_major",
     "Root, major 3rd and perfect 5th: the most common chord of all, bright "
     "and stable. In a major key the chords on degrees 1, 4 and 5 (I, IV "
     "and V) are major."),
    ("m", "Minor", "min;-", "1;b3;5", 1,
     ["Natural Minor", "Dorian", "Minor Pentatonic", "Phrygian", "Blues",
      "Harmonic Minor", "Melodic Minor"],
     "chord_minor",
     "Root, minor 3rd and perfect 5th; darker than the major chord. In a "
     "major key the chords on degrees 2, 3 and 6 (ii, iii and vi) are minor."),
    ("7", "Dominant 7th", "dom7", "1;3;5;b7", 2,
     ["Mixolydian", "Lydian Dominant", "Phrygian Dominant",
      "Diminished Half-Whole"],
     "chord_dominant7",
     "A major triad with a minor 7th. Built on the 5th degree of a key (V7), "
     "it pulls towards the chord a 4th higher (G7 to C). The basic chord of "
     "the blues, where I, IV and V are all 7th chords."),
    ("maj7", "Major 7th", "M7;Maj7;\u03947;ma7", "1;3;5;7", 0,
     ["Major", "Lydian"],
     "chord_major7",
     "A major triad with a major 7th, a half step below the octave. Soft and "
     "open; it is found on degrees 1 and 4 of a major key (Imaj7, IVmaj7)."),
    ("m7", "Minor 7th", "min7;-7;mi7", "1;b3;5;b7", 1,
     ["Dorian", "Natural Minor", "Phrygian", "Minor Pentatonic", "Blues"],
     "chord_minor7",
     "A minor triad with a minor 7th. Found on degrees 2, 3 and 6 of a major "
     "key; it is the ii chord of the ii-V-I progression (Dm7 G7 Cmaj7)."),
    ("6", "Major 6th", "M6;maj6;add6", "1;3;5;6", 0,
     ["Major Pentatonic", "Major", "Lydian", "Mixolydian", "Major Blues",
      "Lydian Dominant"],
     "chord_major6",
     "A major triad with a major 6th. A sweet tonic chord of swing and early "
     "pop. It holds the same notes as the minor 7th chord a minor 3rd lower "
     "(C6 = C E G A, Am7 = A C E G)."),
    ("m6", "Minor 6th", "min6;-6", "1;b3;5;6", 1,
     ["Dorian", "Melodic Minor"],
     "chord_minor6",
     "A minor triad with a major 6th, the tonic minor chord of jazz and "
     "gypsy swing. The major 6th comes from the Dorian mode and the melodic "
     "minor scale."),
    ("9", "Dominant 9th", "dom9;7(9)", "1;3;5;b7;9", 2,
     ["Mixolydian", "Lydian Dominant"],
     "chord_dominant9",
     "A dominant 7th chord with a major 9th on top. It does the job of the "
     "7th chord with a richer sound, common in funk, blues and jazz. Guitar "
     "voicings often leave out the 5th."),
    ("add9", "Added 9th", "add2;(add9)", "1;3;5;9", 0,
     ["Major", "Major Pentatonic", "Lydian", "Mixolydian", "Major Blues"],
     "chord_add9",
     "A major triad with an added 9th and no 7th. Bright and open; the 9th "
     "often sounds right next to the 3rd or the root."),
    ("sus2", "Suspended 2nd", "(sus2);sus9", "1;2;5", 3,
     ["Major Pentatonic", "Mixolydian", "Major", "Dorian", "Natural Minor"],
     "chord_sus2",
     "The 3rd is replaced by the major 2nd: root, 2nd and 5th. Neither major "
     "nor minor, it often moves on to the major or minor chord on the same "
     "root."),
    ("sus4", "Suspended 4th", "sus;(sus4)", "1;4;5", 3,
     ["Mixolydian", "Major", "Dorian", "Minor Pentatonic", "Natural Minor"],
     "chord_sus4",
     "The 3rd is replaced by the perfect 4th: root, 4th and 5th. The 4th "
     "wants to fall to the 3rd, so the chord usually resolves to the major "
     "or minor chord on the same root (Dsus4 to D)."),
    ("7sus4", "Dominant 7th Suspended 4th", "7sus;7(sus4)", "1;4;5;b7", 3,
     ["Mixolydian", "Dorian", "Minor Pentatonic"],
     "chord_dominant7sus4",
     "A dominant 7th chord whose 3rd is replaced by the 4th. It delays the "
     "resolution of a V7 chord, and stands as a chord of its own in soul, "
     "funk and modal jazz."),
    ("dim", "Diminished", "\u00b0;m(b5);mb5", "1;b3;b5", 4,
     ["Locrian", "Diminished Whole-Half"],
     "chord_diminished",
     "Root, minor 3rd and diminished 5th: two minor 3rds stacked. It is the "
     "chord on the 7th degree of a major key (B dim in C) and leads to the "
     "tonic."),
    ("dim7", "Diminished 7th", "\u00b07;o7", "1;b3;b5;f7", 4,
     ["Diminished Whole-Half"],
     "chord_diminished7",
     "Three minor 3rds stacked: root, minor 3rd, diminished 5th and "
     "diminished 7th. The chord is symmetrical: a shape moved up 3 frets "
     "plays the same four notes, so each diminished 7th chord can be named "
     "after any of its four notes."),
    ("m7b5", "Half-Diminished 7th", "\u00f87;\u00f8;-7b5;min7(b5)", "1;b3;b5;b7",
     4, ["Locrian"],
     "chord_half_diminished7",
     "A diminished triad with a minor 7th. It is the chord on the 7th degree "
     "of a major key and the ii chord of the minor ii-V-i (Bm7b5 E7 Am)."),
    ("aug", "Augmented", "+;(#5);+5", "1;3;#5", 4,
     ["Whole Tone"],
     "chord_augmented",
     "Root, major 3rd and augmented 5th: two major 3rds stacked. The chord "
     "is symmetrical, its notes repeat every 4 frets (C+, E+ and G#+ share "
     "their notes). Used as a passing chord, for example V+ to I."),
]
CHORD_NUMBER = {c[0]: i for i, c in enumerate(CHORDS)}

# --------------------------------------------------------------------------
# Voicings
# --------------------------------------------------------------------------

NOTE_PC = {"C": 0, "C#": 1, "Db": 1, "D": 2, "Eb": 3, "E": 4, "F": 5,
           "F#": 6, "G": 7, "Ab": 8, "A": 9, "Bb": 10, "B": 11}

# chord, root, frets (string 6 first, x = silent), fingers, remark.
# A remark "No 5th." is added where the grip leaves out a perfect 5th.
OPEN_CHORDS = [
    ("maj", "C", "x32010", "x32010", ""),
    ("maj", "D", "xx0232", "xx0132", ""),
    ("maj", "E", "022100", "023100", ""),
    ("maj", "G", "320003", "210003", ""),
    ("maj", "A", "x02220", "x01230", ""),
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
    ("maj7", "D", "xx0222", "xx0111", "Index finger across strings 3 to 1."),
    ("maj7", "E", "021100", "031200", ""),
    ("maj7", "F", "xx3210", "xx3210", ""),
    ("maj7", "G", "320002", "320001", ""),
    ("maj7", "A", "x02120", "x02130", ""),
    ("m7", "D", "xx0211", "xx0211", "Index finger across strings 2 and 1."),
    ("m7", "E", "022030", "023040", ""),
    ("m7", "A", "x02010", "x02010", ""),
    ("m7", "B", "x20202", "x10203", ""),
    ("6", "C", "x32210", "x42310", ""),
    ("6", "D", "xx0202", "xx0203", ""),
    ("6", "E", "022120", "023140", ""),
    ("6", "G", "320000", "210000", ""),
    ("6", "A", "x02222", "x01111", "Index finger across strings 4 to 1."),
    ("m6", "D", "xx0201", "xx0201", ""),
    ("m6", "E", "022020", "012030", ""),
    ("m6", "A", "x02212", "x02314", ""),
    ("9", "E", "020102", "020103", ""),
    ("add9", "C", "x32030", "x21030", ""),
    ("add9", "E", "024100", "024100", ""),
    ("add9", "A", "x02420", "x01420", ""),
    ("sus2", "D", "xx0230", "xx0130", ""),
    ("sus2", "E", "024400", "013400", ""),
    ("sus2", "A", "x02200", "x01200", ""),
    ("sus4", "C", "x33011", "x34011", "Index finger across strings 2 and 1."),
    ("sus4", "D", "xx0233", "xx0134", ""),
    ("sus4", "E", "022200", "023400", ""),
    ("sus4", "A", "x02230", "x01230", ""),
    ("7sus4", "D", "xx0213", "xx0213", ""),
    ("7sus4", "E", "020200", "020300", ""),
    ("7sus4", "G", "330011", "340011", "Index finger across strings 2 and 1."),
    ("7sus4", "A", "x02030", "x02030", ""),
    ("dim", "D", "xx0131", "xx0131",
     "Index finger across strings 3 to 1, ring finger on string 2."),
    ("dim7", "D", "xx0101", "xx0102", ""),
    ("dim7", "E", "012020", "012030", ""),
    ("dim7", "A", "x01212", "x01324", ""),
    ("m7b5", "E", "012030", "012030", ""),
    ("m7b5", "A", "x01213", "x01324", ""),
    ("m7b5", "B", "x20201", "x20301", ""),
    ("aug", "C", "x32110", "x32110", ""),
    ("aug", "E", "032110", "032110", ""),
    ("aug", "G", "321003", "321004", ""),
    ("aug", "A", "x03221", "x04231", ""),
]

X = None  # a silent string in the relative shapes below

# chord -> list of (relative frets string 6..1, fingers, root string, group,
# remark).  Group 0: full and barre grips; group 1: partial grips (shells,
# four-string and three-note shapes).
MOVABLE = {
    "maj": [
        ([0, 2, 2, 1, 0, 0], "134211", 6, 0, "E-shape barre, root on the 6th string."),
        ([X, 0, 2, 2, 2, 0], "x13331", 5, 0,
         "A-shape barre, root on the 5th string; ring finger across strings 4 to 2."),
        ([X, 0, -1, -3, -2, -3], "x43121", 5, 0,
         "C-shape, root on the 5th string; index finger across strings 3 to 1."),
        ([X, X, 0, 2, 3, 2], "xx1243", 4, 1, "D-shape, root on the 4th string."),
    ],
    "m": [
        ([0, 2, 2, 0, 0, 0], "134111", 6, 0, "Em-shape barre, root on the 6th string."),
        ([X, 0, 2, 2, 1, 0], "x13421", 5, 0, "Am-shape barre, root on the 5th string."),
        ([X, X, 0, 2, 3, 1], "xx1342", 4, 1, "Dm-shape, root on the 4th string."),
    ],
    "7": [
        ([0, 2, 0, 1, 0, 0], "131211", 6, 0, "E7-shape barre, root on the 6th string."),
        ([X, 0, 2, 0, 2, 0], "x13141", 5, 0, "A7-shape barre, root on the 5th string."),
        ([X, X, 0, 2, 1, 2], "xx1324", 4, 1, "D7-shape, root on the 4th string."),
        ([0, X, 0, 1, X, X], "1x23xx", 6, 1,
         "Shell voicing: root, 7th and 3rd on strings 6, 4 and 3."),
        ([X, 0, X, 0, 2, X], "x1x24x", 5, 1,
         "Shell voicing: root, 7th and 3rd on strings 5, 3 and 2."),
    ],
    "maj7": [
        ([0, X, 1, 1, 0, X], "1x342x", 6, 0, "Root on the 6th string, string 5 muted."),
        ([X, 0, 2, 1, 2, 0], "x13241", 5, 0, "Amaj7-shape barre, root on the 5th string."),
        ([X, X, 0, 2, 2, 2], "xx1333", 4, 1,
         "Dmaj7-shape, root on the 4th string; ring finger across strings 3 to 1."),
        ([X, 0, X, 1, 2, X], "x1x23x", 5, 1,
         "Shell voicing: root, 7th and 3rd on strings 5, 3 and 2."),
    ],
    "m7": [
        ([0, 2, 0, 0, 0, 0], "131111", 6, 0, "Em7-shape barre, root on the 6th string."),
        ([X, 0, 2, 0, 1, 0], "x13121", 5, 0, "Am7-shape barre, root on the 5th string."),
        ([X, X, 0, 2, 1, 1], "xx1322", 4, 1,
         "Dm7-shape, root on the 4th string; middle finger across strings 2 and 1."),
        ([0, X, 0, 0, X, X], "2x34xx", 6, 1,
         "Shell voicing: root, 7th and 3rd on strings 6, 4 and 3."),
    ],
    "6": [
        ([0, X, -1, 1, 0, X], "2x143x", 6, 0, "Root on the 6th string, string 5 muted."),
        ([X, 0, 2, 2, 2, 2], "x13333", 5, 0,
         "A6-shape barre, root on the 5th string; ring finger across strings 4 to 1."),
        ([X, X, 0, 2, 0, 2], "xx1314", 4, 1, "D6-shape, root on the 4th string."),
    ],
    "m6": [
        ([0, X, -1, 0, 0, X], "2x134x", 6, 0, "Root on the 6th string, string 5 muted."),
        ([X, 0, 2, 2, 1, 2], "x13324", 5, 0,
         "Am6-shape, root on the 5th string; ring finger across strings 4 and 3."),
        ([X, 0, X, -1, 1, X], "x2x13x", 5, 1,
         "Root, 6th and minor 3rd on strings 5, 3 and 2."),
        ([X, X, 0, 2, 0, 1], "xx1312", 4, 1, "Dm6-shape, root on the 4th string."),
    ],
    "9": [
        ([0, 2, 0, 1, 0, 2], "131214", 6, 0, "E9-shape barre, root on the 6th string."),
        ([X, 0, -1, 0, 0, 0], "x21333", 5, 0,
         "C9-shape, root on the 5th string; ring finger across strings 3 to 1."),
        ([X, X, 0, -1, 1, 0], "xx2143", 4, 1, "Four-string voicing, root on the 4th string."),
    ],
    "add9": [
        ([X, 0, -1, -3, 0, X], "x3214x", 5, 0, "Cadd9-shape, root on the 5th string."),
        ([X, X, 0, -1, -2, 0], "xx3214", 4, 1, "Four-string voicing, root on the 4th string."),
        ([0, X, X, 1, 0, 2], "1xx324", 6, 1,
         "Root on the 6th string, strings 5 and 4 muted."),
    ],
    "sus2": [
        ([0, 2, 2, -1, X, X], "2341xx", 6, 1, "Four-string voicing, root on the 6th string."),
        ([X, 0, 2, 2, 0, 0], "x13411", 5, 0, "Asus2-shape barre, root on the 5th string."),
        ([X, X, 0, 2, 3, 0], "xx1341", 4, 1, "Dsus2-shape, root on the 4th string."),
    ],
    "sus4": [
        ([0, 2, 2, 2, 0, 0], "123411", 6, 0, "Esus4-shape barre, root on the 6th string."),
        ([X, 0, 2, 2, 3, 0], "x12341", 5, 0, "Asus4-shape barre, root on the 5th string."),
        ([X, X, 0, 2, 3, 3], "xx1234", 4, 1, "Dsus4-shape, root on the 4th string."),
    ],
    "7sus4": [
        ([0, 2, 0, 2, 0, 0], "131411", 6, 0, "E7sus4-shape barre, root on the 6th string."),
        ([X, 0, 2, 0, 3, 0], "x13141", 5, 0, "A7sus4-shape barre, root on the 5th string."),
        ([X, X, 0, 2, 1, 3], "xx1324", 4, 1, "D7sus4-shape, root on the 4th string."),
    ],
    "dim": [
        ([0, 1, 2, 0, X, X], "1231xx", 6, 1,
         "Four-string voicing, root on the 6th string; index finger on strings 6 and 3."),
        ([X, 0, 1, 2, 1, X], "x1243x", 5, 1, "Four-string voicing, root on the 5th string."),
        ([X, X, 0, 1, 3, 1], "xx1243", 4, 1, "Four-string voicing, root on the 4th string."),
    ],
    "dim7": [
        ([0, X, -1, 0, -1, X], "2x131x", 6, 0,
         "Root on the 6th string; index finger on strings 4 and 2. "
         "Any note of the chord can be taken as its root."),
        ([X, 0, 1, -1, 1, X], "x2314x", 5, 0, "Root on the 5th string."),
        ([X, X, 0, 1, 0, 1], "xx1213", 4, 1,
         "Ddim7-shape, root on the 4th string; index finger on strings 4 and 2."),
    ],
    "m7b5": [
        ([0, X, 0, 0, -1, X], "2x341x", 6, 0, "Root on the 6th string, string 5 muted."),
        ([X, 0, 1, 0, 1, X], "x1213x", 5, 0,
         "Root on the 5th string; index finger on strings 5 and 3."),
        ([X, X, 0, 1, 1, 1], "xx1222", 4, 1,
         "Root on the 4th string; middle finger across strings 3 to 1."),
    ],
    "aug": [
        ([0, X, 2, 1, 1, X], "1x423x", 6, 1, "Four-string voicing, root on the 6th string."),
        ([X, 0, -1, -2, -2, X], "x3211x", 5, 1,
         "Four-string voicing, root on the 5th string; index finger across strings 3 and 2."),
        ([X, X, 0, -1, -1, -2], "xx4231", 4, 1, "Four-string voicing, root on the 4th string."),
    ],
}

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

TRIAD_TEXT = {
    "Major": "A major triad: root, major 3rd and perfect 5th.",
    "Minor": "A minor triad: root, minor 3rd and perfect 5th.",
    "Diminished": "A diminished triad: root, minor 3rd and diminished 5th.",
    "Augmented": "An augmented triad: root, major 3rd and augmented 5th. "
                 "Its notes are 4 frets apart on the same string, so every "
                 "inversion has the same shape.",
}
INVERSION_TEXT = [
    "In root position the root is the lowest note, with the 3rd and the 5th "
    "above it.",
    "In 1st inversion the 3rd is the lowest note, with the 5th and the root "
    "above it.",
    "In 2nd inversion the 5th is the lowest note, with the root and the 3rd "
    "above it.",
]


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
        frets[s] = OPEN_MIDI[root_string] - OPEN_MIDI[s] + iv - root_level
    return frets, finger_shape(frets), root_string


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


def omits_fifth(chord, rel_or_abs_frets, root_string):
    """True when the chord has a perfect 5th that the grip does not sound."""
    semis = {s % 12 for s in formula_semitones(CHORDS[CHORD_NUMBER[chord]][3])}
    if 7 not in semis:
        return False
    root_midi = OPEN_MIDI[root_string] + rel_or_abs_frets[6 - root_string]
    for i, f in enumerate(rel_or_abs_frets):
        if f is not None and (OPEN_MIDI[6 - i] + f - root_midi) % 12 == 7:
            return False
    return True


def with_no5(memo, missing):
    if not missing:
        return memo
    return (memo + " No 5th.").strip()


class Ini:
    def __init__(self):
        self.lines = []

    def section(self, name):
        if self.lines:
            self.lines.append("")
        self.lines.append("[%s]" % name)

    def key(self, key, value):
        self.lines.append("%s=%s" % (key, value))

    def comment(self, text):
        self.lines.append("; " + text)

    def write(self, path):
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write("\n".join(self.lines) + "\n")


def wrap(text, width=64):
    return "\n".join(textwrap.wrap(text, width))


def info_text(title, formula, body, extra=""):
    parts = [title, "=" * len(title), "",
             "Formula:      " + formula_display(formula),
             "Notes from C: " + " ".join(spell_in_c(formula)), "",
             wrap(body)]
    if extra:
        parts += ["", wrap(extra)]
    return "\n".join(parts) + "\n"


def write_chords(data, system):
    ini = Ini()
    ini.section("totals")
    ini.key("numchords", len(CHORDS))
    ini.key("numgroups", len(CHORD_GROUPS))
    ini.section("groups")
    for g, name in enumerate(CHORD_GROUPS):
        ini.key(str(g), name)
    for i, (name, verbose, symbols, formula, group, related, stem, text) in enumerate(CHORDS):
        ini.section(str(i))
        ini.key("name", name)
        ini.key("nameverbose", verbose)
        ini.key("chordsymbols", symbols)
        ini.key("formula", formula)
        ini.key("group", group)
        ini.key("relatedscaleid", ";".join(str(SCALE_NUMBER[r]) for r in related))
        ini.key("info", stem)
        ini.key("examples", "")
        extra = "Scales to play over it: " + ", ".join(related) + "."
        write_text(os.path.join(system, stem + ".txt"),
                   info_text("%s chord (C%s)" % (verbose, name), formula, text, extra))
    ini.write(os.path.join(data, "chord.ini"))


def write_scales(data, system):
    ini = Ini()
    ini.section("totals")
    ini.key("numscales", len(SCALES))
    ini.key("numgroups", len(SCALE_GROUPS))
    ini.section("groups")
    for g, name in enumerate(SCALE_GROUPS):
        ini.key(str(g), name)
    for i, (name, alt, group, formula, stem, text) in enumerate(SCALES):
        ini.section(str(i))
        ini.key("Name", name)
        ini.key("altname", alt)
        ini.key("Group", group)
        ini.key("formula", formula)
        ini.key("info", stem)
        ini.key("examples", "")
        extra = "Also called: " + ", ".join(alt.split(";")) + "."
        write_text(os.path.join(system, stem + ".txt"),
                   info_text("%s scale" % name, formula, text, extra))
    ini.write(os.path.join(data, "scale.ini"))


def write_voicings(data):
    ini = Ini()
    ini.section("openchords")
    ini.key("numvoicings", len(OPEN_CHORDS))
    for i, (chord, root, grip, fingers, memo) in enumerate(OPEN_CHORDS):
        frets = parse_grip(grip)
        bass = next(6 - k for k, f in enumerate(frets) if f is not None)
        ini.key("%drootnote" % i, NOTE_PC[root])
        ini.key("%dquality" % i, CHORD_NUMBER[chord])
        ini.key("%dfret" % i, fret_text(frets))
        ini.key("%dfinger" % i, fingers)
        note = "Open %s%s chord." % (root, "" if chord == "maj" else chord)
        ini.key("%dmemo" % i, with_no5(" ".join(p for p in (note, memo) if p),
                                        omits_fifth(chord, frets, bass)))
    for number, chord in enumerate(CHORDS):
        shapes = MOVABLE.get(chord[0], [])
        ini.section(str(number))
        ini.key("numVoicings", len(shapes))
        for j, (frets, fingers, root, group, memo) in enumerate(shapes):
            ini.key("%dfret" % j, fret_text(frets))
            ini.key("%dfinger" % j, fingers)
            ini.key("%dgroup" % j, group)
            ini.key("%droot" % j, root)
            ini.key("%dmemo" % j, with_no5(memo, omits_fifth(chord[0], frets, root)))
    ini.write(os.path.join(data, "voicing.ini"))


def write_triads(data, system):
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
            body = TRIAD_TEXT[quality] + " " + INVERSION_TEXT[v]
            extra = ("Learn the shape on all four string groups: with the three "
                     "inversions of a triad on one group the same chord can be "
                     "played all along the neck.")
            write_text(os.path.join(system, stem + ".txt"),
                       info_text("%s triad, %s" % (quality, inversion.lower()),
                                 formula, body, extra))
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
    entries = {}
    for name, verbose, _, formula, *_ in CHORDS:
        semis = sorted({s % 12 for s in formula_semitones(formula)})
        entries[tuple(semis)] = verbose
    for name, verbose, _, formula, *_ in CHORDS:
        semis = sorted({s % 12 for s in formula_semitones(formula)})
        if 7 in semis and len(semis) >= 4:
            reduced = tuple(s for s in semis if s != 7)
            entries.setdefault(reduced, verbose + " (no 5th)")
    entries.setdefault((0, 7), "Power Chord")
    ini = Ini()
    for semis in sorted(entries, key=lambda t: (len(t), t)):
        ini.section(";".join(str(s) for s in semis))
        ini.key("d", entries[semis])
    ini.write(os.path.join(data, "finder.ini"))


def write_text(path, text):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, os.pardir, "data")
    system = os.path.join(data, "system")
    os.makedirs(system, exist_ok=True)
    write_chords(data, system)
    write_scales(data, system)
    write_voicings(data)
    write_triads(data, system)
    write_finder(data)


if __name__ == "__main__":
    main()
