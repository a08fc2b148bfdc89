"""The music theory every data generator shares: note names and pitch classes, formula tokens
and their degrees, intervals in semitones, spelling, and standard tuning.

Used by tools/gen_library.py, tools/infotexts/make_texts.py, tools/examples/ and
tools/userguide/make_rmp.py, so that the library files, the information texts, the examples and
the user guide agree on every note.

A formula is the text the library files hold, tokens separated by ";" ("1;b3;5;b7"). A token is
the program's own grammar (src/theory/Spelling.cpp, checkFormula): an optional accidental
(f double flat, b flat, # sharp, x double sharp) and a degree 1..14. A degree above 7 is
compound, an octave above its simple degree: 9 is 2 and 13 is 6 an octave up, 14 is 7 an octave
up. (Past 14 the rule goes on, 15 being the root two octaves up, but the program refuses such
degrees, and so does this module.)
"""

LETTERS = "CDEFGAB"
NATURAL_PC = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
# Semitones above the root of the simple degrees 1..7 (the major scale).
MAJOR_STEPS = (0, 2, 4, 5, 7, 9, 11)
# A formula token's accidental, in semitones.
ACCIDENTALS = {"f": -2, "b": -1, "#": 1, "x": 2}
# A note name's accidental for a shift of -2..+2 semitones from its letter.
NAME_ACCIDENTAL = {-2: "bb", -1: "b", 0: "", 1: "#", 2: "x"}
MAX_DEGREE = 14
# The pitch classes 0..11 as the program names them without a key (the flat column).
FLAT_NAMES = ("C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B")
# MIDI note numbers of the open strings in standard tuning, string 6 (E2) to string 1 (E4).
STANDARD_TUNING = {6: 40, 5: 45, 4: 50, 3: 55, 2: 59, 1: 64}


# --------------------------------------------------------------------------
# Formula tokens
# --------------------------------------------------------------------------

def parse_token(token):
    """(accidental in semitones -2..+2, degree 1..14) of one formula token ("b13" -> (-1, 13)).
    Raises ValueError, naming the token, for anything the program would refuse."""
    accidental = ACCIDENTALS.get(token[:1], 0)
    digits = token[1:] if accidental else token
    if not (digits.isascii() and digits.isdigit() and len(digits) <= 2):
        raise ValueError('"%s" is not a degree (an optional f, b, # or x and a number 1 to %d)'
                         % (token, MAX_DEGREE))
    degree = int(digits)
    if not 1 <= degree <= MAX_DEGREE:
        raise ValueError('degree %d in "%s" lies outside 1 to %d' % (degree, token, MAX_DEGREE))
    return accidental, degree


def token_degree(token):
    return parse_token(token)[1]


def simple_degree(degree):
    """1..7: the degree within the octave (9 -> 2, 14 -> 7)."""
    return (degree - 1) % 7 + 1


def degree_semitones(degree):
    """Semitones above the root of a degree >= 1 without accidental: 9 -> 14, 13 -> 21."""
    return MAJOR_STEPS[simple_degree(degree) - 1] + 12 * ((degree - 1) // 7)


def token_semitones(token):
    """Semitones above the root of one token (b3 -> 3, 9 -> 14, #11 -> 18)."""
    accidental, degree = parse_token(token)
    return degree_semitones(degree) + accidental


def formula_tokens(formula):
    """The tokens of a formula text, each checked ("1;b3;5" -> ["1", "b3", "5"])."""
    tokens = formula.split(";")
    for token in tokens:
        parse_token(token)
    return tokens


def formula_semitones(formula):
    """'1;b3;5;b7' -> [0, 3, 7, 10], in formula order."""
    return [token_semitones(t) for t in formula_tokens(formula)]


def interval_set(tokens):
    """The pitch classes above the root (0..11) that the tokens sound, sorted, once each."""
    return tuple(sorted({token_semitones(t) % 12 for t in tokens}))


def formula_display(tokens):
    """The tokens as a reader writes them: the double flat "f7" as "bb7"."""
    return " ".join("bb" + t[1:] if t.startswith("f") else t for t in tokens)


def ordinal(n):
    """1st, 2nd, 3rd, 4th .. 13th, as the program captions positions and degrees."""
    return "%d%s" % (n, {1: "st", 2: "nd", 3: "rd"}.get(n, "th"))


def interval_name(token):
    """The interval a token names: "root", "minor 3rd", "augmented 11th", "diminished 7th"."""
    accidental, degree = parse_token(token)
    if degree == 1 and accidental == 0:
        return "root"
    word = {1: "unison", 8: "octave"}.get(degree, ordinal(degree))
    if simple_degree(degree) in (1, 4, 5):
        quality = {-2: "doubly diminished", -1: "diminished", 0: "perfect", 1: "augmented",
                   2: "doubly augmented"}[accidental]
    else:
        quality = {-2: "diminished", -1: "minor", 0: "major", 1: "augmented",
                   2: "doubly augmented"}[accidental]
    return "%s %s" % (quality, word)


# --------------------------------------------------------------------------
# Note names
# --------------------------------------------------------------------------

def pitch_class(name):
    """0..11 of a note name: a letter A..G and any of b, # and x ("Bb" -> 10, "Cb" -> 11,
    "Fx" -> 7). Raises ValueError for anything else."""
    if not name or name[0] not in NATURAL_PC or any(c not in "b#x" for c in name[1:]):
        raise ValueError('"%s" is not a note name (a letter A to G and b, # or x)' % name)
    shift = name.count("#") + 2 * name.count("x") - name.count("b")
    return (NATURAL_PC[name[0]] + shift) % 12


def spell(root, tokens):
    """The notes of the tokens on a spelled root, one letter per degree ("Eb", ["1", "b3"] ->
    ["Eb", "Gb"]), or None where a note would need more than a double sharp or flat."""
    root_pc = pitch_class(root)
    names = []
    for token in tokens:
        degree = token_degree(token)
        letter = LETTERS[(LETTERS.index(root[0]) + degree - 1) % 7]
        wanted = (root_pc + token_semitones(token)) % 12
        shift = (wanted - NATURAL_PC[letter] + 6) % 12 - 6
        if shift not in NAME_ACCIDENTAL:
            return None
        names.append(letter + NAME_ACCIDENTAL[shift])
    return names


def open_pitch_class(string):
    """The pitch class of an open string (1..6) in standard tuning."""
    return STANDARD_TUNING[string] % 12
