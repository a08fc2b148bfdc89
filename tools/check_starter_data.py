#!/usr/bin/env python3
"""Checks Chordalis' library files in data/ against music theory.

Every chord, scale and triad formula is compared with interval structures
defined here from first principles (stacked thirds, step patterns of the
scales); every voicing and triad shape is transposed to all twelve roots
exactly as the program moves it and the sounding notes are worked out from
standard tuning; the chord finder's names, the related scales, the
information texts and the file conventions are checked as well.

Usage: python3 tools/check_starter_data.py [data-folder]
       python3 tools/check_starter_data.py --self-test
Exit status 0 when no fault is found, 1 otherwise.  Each fault is printed as
file [section] key: message.  Warnings do not fail the check.
"""

import html.parser
import os
import re
import shutil
import sys
import tempfile

# --------------------------------------------------------------------------
# Theory from first principles
# --------------------------------------------------------------------------

# Standard tuning, MIDI note of each open string; the pitch at string s,
# fret f is OPEN[s] + f.
OPEN = {6: 40, 5: 45, 4: 50, 3: 55, 2: 59, 1: 64}
MAX_FRET = 15


def cumulative(steps):
    out, total = [0], 0
    for step in steps[:-1]:
        total += step
        out.append(total)
    return out


def rotate(steps, k):
    return steps[k:] + steps[:k]


MAJOR_STEPS = [2, 2, 1, 2, 2, 2, 1]
# semitones of the major-scale degrees 1..7
DEGREE = dict(zip(range(1, 8), cumulative(MAJOR_STEPS)))
PREFIX = {"f": -2, "b": -1, "": 0, "#": 1, "x": 2}
TOKEN_RE = re.compile(r"^([fb#x]?)([1-9]|1[0-4])$")


def parse_formula(formula):
    """[(token, degree 1..14, semitones above the root)] or raises ValueError."""
    if formula == "":
        raise ValueError("empty formula")
    out = []
    for tok in formula.split(";"):
        m = TOKEN_RE.match(tok)
        if not m:
            raise ValueError("bad token %r" % tok)
        degree = int(m.group(2))
        semis = DEGREE[(degree - 1) % 7 + 1] + (12 if degree > 7 else 0) + PREFIX[m.group(1)]
        out.append((tok, degree, semis))
    return out


def pcs_of(formula):
    return {s % 12 for _, _, s in parse_formula(formula)}


# Chords as stacked intervals above the root (semitones).
M3, m3, P4, P5, d5, A5, M2, M6, m7, M7, d7, M9 = 4, 3, 5, 7, 6, 8, 2, 9, 10, 11, 9, 14
CHORD_REF = {
    "maj": {0, M3, P5},
    "m": {0, m3, P5},
    "7": {0, M3, P5, m7},
    "maj7": {0, M3, P5, M7},
    "m7": {0, m3, P5, m7},
    "6": {0, M3, P5, M6},
    "m6": {0, m3, P5, M6},
    "9": {0, M3, P5, m7, M9 % 12},
    "add9": {0, M3, P5, M9 % 12},
    "sus2": {0, M2, P5},
    "sus4": {0, P4, P5},
    "7sus4": {0, P4, P5, m7},
    "dim": {0, m3, d5},
    "dim7": {0, m3, d5, d7},
    "m7b5": {0, m3, d5, m7},
    "aug": {0, M3, A5},
}
# Degree numbers a chord's formula must use, so that the notes are spelled
# with the right letters (C dim7 has Bbb, not A).
CHORD_DEGREES = {
    "maj": [1, 3, 5], "m": [1, 3, 5], "7": [1, 3, 5, 7], "maj7": [1, 3, 5, 7],
    "m7": [1, 3, 5, 7], "6": [1, 3, 5, 6], "m6": [1, 3, 5, 6],
    "9": [1, 3, 5, 7, 9], "add9": [1, 3, 5, 9], "sus2": [1, 2, 5],
    "sus4": [1, 4, 5], "7sus4": [1, 4, 5, 7], "dim": [1, 3, 5],
    "dim7": [1, 3, 5, 7], "m7b5": [1, 3, 5, 7], "aug": [1, 3, 5],
}

HARMONIC_MINOR = [2, 1, 2, 2, 1, 3, 1]
MELODIC_MINOR = [2, 1, 2, 2, 2, 2, 1]
MAJOR_PENTATONIC = [2, 2, 3, 2, 3]
SCALE_STEPS = {
    "Major": MAJOR_STEPS, "Ionian": MAJOR_STEPS,
    "Dorian": rotate(MAJOR_STEPS, 1),
    "Phrygian": rotate(MAJOR_STEPS, 2),
    "Lydian": rotate(MAJOR_STEPS, 3),
    "Mixolydian": rotate(MAJOR_STEPS, 4),
    "Natural Minor": rotate(MAJOR_STEPS, 5), "Aeolian": rotate(MAJOR_STEPS, 5),
    "Locrian": rotate(MAJOR_STEPS, 6),
    "Major Pentatonic": MAJOR_PENTATONIC,
    "Minor Pentatonic": rotate(MAJOR_PENTATONIC, 4),
    "Blues": [3, 2, 1, 1, 3, 2], "Minor Blues": [3, 2, 1, 1, 3, 2],
    "Major Blues": [2, 1, 1, 3, 2, 3],
    "Harmonic Minor": HARMONIC_MINOR,
    "Melodic Minor": MELODIC_MINOR, "Jazz Minor": MELODIC_MINOR,
    "Phrygian Dominant": rotate(HARMONIC_MINOR, 4),
    "Lydian Dominant": rotate(MELODIC_MINOR, 3),
    "Whole Tone": [2] * 6,
    "Diminished Whole-Half": [2, 1] * 4, "Whole-Half Diminished": [2, 1] * 4,
    "Diminished Half-Whole": [1, 2] * 4, "Half-Whole Diminished": [1, 2] * 4,
}

TRIAD_QUALITIES = ["Major", "Minor", "Diminished", "Augmented"]
TRIAD_REF = {"Major": (M3, P5), "Minor": (m3, P5), "Diminished": (m3, d5),
             "Augmented": (M3, A5)}
INVERSIONS = ["Root Position", "1st Inversion", "2nd Inversion"]
STRING_GROUPS = [(6, 5, 4), (5, 4, 3), (4, 3, 2), (3, 2, 1)]
# Two combinations the program draws from a fixed open-position picture
# instead of moving the stored shape: (triad, group, root) -> frets by string.
FIXED_TRIAD_PICTURES = {(6, 0, 8): {6: 4, 5: 2, 4: 0}, (6, 1, 1): {5: 4, 4: 2, 3: 0}}

# Spelling of the seventeen roots of the root tabs: (pitch class, column).
ROOT_TABS = [(0, 0), (1, 1), (1, 0), (2, 0), (3, 1), (3, 0), (4, 0), (5, 0), (6, 1),
             (6, 0), (7, 0), (8, 1), (8, 0), (9, 0), (10, 1), (10, 0), (11, 0)]
LETTERS = "CDEFGAB"
LETTER_PC = dict(zip(LETTERS, [0, 2, 4, 5, 7, 9, 11]))
ACC_TEXT = {-2: "bb", -1: "b", 0: "", 1: "#", 2: "x"}
FLAT_ROOT = {1: "Db", 3: "Eb", 6: "Gb", 8: "Ab", 10: "Bb"}
SHARP_ROOT = {1: "C#", 3: "D#", 6: "F#", 8: "G#", 10: "A#"}


def root_name(pc, column):
    if pc in FLAT_ROOT:
        return (SHARP_ROOT if column else FLAT_ROOT)[pc]
    return next(l for l in LETTERS if LETTER_PC[l] == pc)


def spell(formula, pc, column):
    """Names of a formula's notes: the letter follows the degree number, the
    accidental makes up the distance in semitones."""
    first = LETTERS.index(root_name(pc, column)[0])
    names = []
    for _, degree, semis in parse_formula(formula):
        letter = LETTERS[(first + degree - 1) % 7]
        acc = (pc + semis - LETTER_PC[letter] + 6) % 12 - 6
        names.append(letter + ACC_TEXT.get(acc, "?%d" % acc))
    return names


def name_pc(name):
    acc = {"": 0, "b": -1, "bb": -2, "#": 1, "x": 2}[name[1:]]
    return (LETTER_PC[name[0]] + acc) % 12


# --------------------------------------------------------------------------
# Reporting and INI reading
# --------------------------------------------------------------------------


class Report:
    def __init__(self):
        self.faults = []
        self.warnings = []

    def fault(self, where, message):
        self.faults.append("%s: %s" % (where, message))

    def warn(self, where, message):
        self.warnings.append("%s: %s" % (where, message))


def where(file, section=None, key=None):
    text = file
    if section is not None:
        text += " [%s]" % section
    if key is not None:
        text += " " + key
    return text


class Ini:
    """Sections in file order; keys keep their written case.  Lookups ignore
    case as the program's reader does; duplicates are reported."""

    def __init__(self, path, name, report):
        self.name = name
        self.sections = {}  # lower-case name -> (written name, {lower key: (key, value)})
        self.order = []
        if not os.path.isfile(path):
            report.fault(name, "file is missing")
            return
        raw = open(path, "rb").read()
        if raw.startswith(b"\xef\xbb\xbf"):
            report.fault(name, "starts with a byte order mark")
        if b"\r" in raw:
            report.fault(name, "has CR characters; lines must end in LF only")
        if raw and not raw.endswith(b"\n"):
            report.fault(name, "last line has no line end")
        try:
            text = raw.decode("utf-8")
        except UnicodeDecodeError as e:
            report.fault(name, "is not UTF-8: %s" % e)
            text = raw.decode("latin-1")
        current = None
        for n, line in enumerate(text.split("\n"), 1):
            if line != line.strip():
                report.fault(name, "line %d has blanks at its start or end" % n)
            line = line.strip()
            if not line or line.startswith(";"):
                continue
            if line.startswith("["):
                if not line.endswith("]"):
                    report.fault(name, "line %d: malformed section header" % n)
                sec = line[1:].rstrip("]")
                if sec.lower() in self.sections:
                    report.fault(where(name, sec), "section appears twice")
                    current = None
                    continue
                self.sections[sec.lower()] = (sec, {})
                self.order.append(sec)
                current = sec.lower()
                continue
            if "=" not in line:
                report.fault(name, "line %d is neither a section, a key nor a comment" % n)
                continue
            if current is None:
                report.fault(name, "line %d: key outside a section" % n)
                continue
            key, value = line.split("=", 1)
            if key != key.strip() or value != value.strip():
                report.fault(where(name, self.sections[current][0], key.strip()),
                             "blanks around '='")
            key, value = key.strip(), value.strip()
            keys = self.sections[current][1]
            if key.lower() in keys:
                report.fault(where(name, self.sections[current][0], key), "key appears twice")
                continue
            keys[key.lower()] = (key, value)

    def has(self, section):
        return section.lower() in self.sections

    def keys(self, section):
        return [k for k, _ in self.sections[section.lower()][1].values()]

    def get(self, section, key):
        sec = self.sections.get(section.lower())
        if not sec:
            return None
        entry = sec[1].get(key.lower())
        return entry[1] if entry else None


def number(text):
    """Leading decimal number, 0 when there is none (as the program reads)."""
    m = re.match(r"^\s*(-?\d+)", text or "")
    return int(m.group(1)) if m else 0


def strict_int(report, loc, text, low=None, high=None):
    if text is None or not re.fullmatch(r"-?\d+", text):
        report.fault(loc, "expected a whole number, found %r" % text)
        return None
    value = int(text)
    if (low is not None and value < low) or (high is not None and value > high):
        report.fault(loc, "%d is outside %s..%s" % (value, low, high))
        return None
    return value


def expect_keys(report, ini, section, expected):
    """The section must hold exactly these keys, written in this case."""
    found = ini.keys(section)
    for key in found:
        if key not in expected:
            if key.lower() in {e.lower() for e in expected}:
                report.fault(where(ini.name, section, key), "key must be written %r" %
                             next(e for e in expected if e.lower() == key.lower()))
            else:
                report.fault(where(ini.name, section, key), "unexpected key")
    for key in expected:
        if key.lower() not in {k.lower() for k in found}:
            report.fault(where(ini.name, section, key), "key is missing")


def numbered_sections(report, ini, count, extra=()):
    """Sections "0".."count-1" must exist and nothing else apart from extra."""
    allowed = {str(i) for i in range(count)} | {e.lower() for e in extra}
    for sec in ini.order:
        if sec.lower() not in allowed:
            report.fault(where(ini.name, sec), "section has no place in this file")
    for i in range(count):
        if not ini.has(str(i)):
            report.fault(where(ini.name, str(i)), "section is missing")


# --------------------------------------------------------------------------
# Fingering
# --------------------------------------------------------------------------


def check_fingers(report, loc, frets, fingers, allow_open, max_span):
    """frets: string -> fret (None silent, 0 open); fingers: string -> char."""
    ok = True
    for s in range(6, 0, -1):
        f, g = frets[s], fingers[s]
        if f is None:
            if g != "x":
                report.fault(loc, "string %d is silent but has finger %r" % (s, g))
                ok = False
        elif f == 0 and allow_open:
            if g != "0":
                report.fault(loc, "open string %d must have finger '0', not %r" % (s, g))
                ok = False
        elif g not in "1234" or len(g) != 1:
            report.fault(loc, "string %d at fret %d needs a finger 1-4, not %r" % (s, f, g))
            ok = False
    if not ok:
        return
    fretted = {s: f for s, f in frets.items() if f is not None and (f != 0 or not allow_open)}
    by_finger = {}
    for s, f in fretted.items():
        by_finger.setdefault(fingers[s], []).append(s)
    for g, strings in sorted(by_finger.items()):
        if len({fretted[s] for s in strings}) > 1:
            report.fault(loc, "finger %s is on two frets (strings %s)" %
                         (g, ", ".join(str(s) for s in sorted(strings, reverse=True))))
            continue
        barre = fretted[strings[0]]
        for between in range(min(strings) + 1, max(strings)):
            f = frets[between]
            if f is None or (allow_open and f == 0) or f < barre:
                report.fault(loc, "finger %s lies across strings %d-%d, but string %d %s" %
                             (g, max(strings), min(strings), between,
                              "is silent" if f is None else "is open" if f == 0 and allow_open
                              else "is fretted lower"))
    for a in fretted:
        for b in fretted:
            if fretted[a] > fretted[b] and fingers[a] <= fingers[b]:
                report.fault(loc, "string %d at a higher fret than string %d has finger %s <= %s"
                             % (a, b, fingers[a], fingers[b]))
    if fretted:
        span = max(fretted.values()) - min(fretted.values())
        if span > max_span:
            report.fault(loc, "fretted notes span %d frets (limit %d)" % (span + 1, max_span + 1))


def parse_fret_text(report, loc, text, relative):
    """Fret text: 12 characters, two per string, string 6 first."""
    if text is None or len(text) != 12:
        report.fault(loc, "fret text must have 12 characters: %r" % text)
        return None
    frets = {}
    for i in range(6):
        s, pair = 6 - i, text[2 * i:2 * i + 2]
        if pair.lower() == "xx":
            if pair != "xx":
                report.warn(loc, "silent string written %r, 'xx' is usual" % pair)
            frets[s] = None
        elif re.fullmatch(r"\d\d" if not relative else r"\d\d|-\d", pair):
            frets[s] = int(pair)
        else:
            report.fault(loc, "string %d: %r is not a fret" % (s, pair))
            return None
    return frets


def parse_finger_text(report, loc, text):
    if text is None or len(text) != 6:
        report.fault(loc, "finger text must have 6 characters: %r" % text)
        return None
    return {6 - i: text[i] for i in range(6)}


def transpose(frets, root, root_string):
    """The program's move of a relative shape to a root: the root's fret on
    the root string is 1..12, and a shape reaching the nut moves up 12."""
    shift = root - OPEN[root_string] % 12
    if shift <= 0:
        shift += 12
    out = {s: None if f is None else f + shift for s, f in frets.items()}
    if min(f for f in out.values() if f is not None) <= 0:
        out = {s: None if f is None else f + 12 for s, f in out.items()}
    return out


def sounding(frets):
    return {s: OPEN[s] + f for s, f in frets.items() if f is not None}


# --------------------------------------------------------------------------
# The files
# --------------------------------------------------------------------------


class Library:
    """What later checks need from chord.ini and scale.ini."""

    def __init__(self):
        self.chords = []  # dicts: number, name, verbose, pcs, formula
        self.scales = []  # dicts: number, name, pcs
        self.stems = {}   # stem -> where


def check_formula_spelling(report, loc, formula):
    """Every root tab spells the formula to notes of the right pitch."""
    for pc, column in ROOT_TABS:
        for name, (_, _, semis) in zip(spell(formula, pc, column), parse_formula(formula)):
            if "?" in name:
                report.fault(loc, "root %s: a note needs more than two accidentals (%s)"
                             % (root_name(pc, column), name))
            elif name_pc(name) != (pc + semis) % 12:
                report.fault(loc, "root %s: %s has the wrong pitch" % (root_name(pc, column), name))


def check_ascending(report, loc, formula):
    parsed = parse_formula(formula)
    if parsed[0][0] != "1":
        report.fault(loc, "formula must start with 1")
    semis = [s for _, _, s in parsed]
    if any(b <= a for a, b in zip(semis, semis[1:])):
        report.fault(loc, "tokens are not in ascending pitch order: %s" % formula)
    letters = [(d - 1) % 7 if d <= 7 else (d - 1) % 7 + 7 for _, d, _ in parsed]
    if any(b < a for a, b in zip(letters, letters[1:])):
        report.fault(loc, "degree numbers go backwards: %s" % formula)
    if len(parsed) > 13:
        report.fault(loc, "more than 13 tokens")


def check_item_texts(report, lib, data, file, section, ini):
    stem = ini.get(section, "info")
    loc = where(file, section, "info")
    if not stem or not re.fullmatch(r"[a-z0-9_]+", stem):
        report.fault(loc, "stem must be lower-case letters, digits and '_': %r" % stem)
        return None
    if stem in lib.stems:
        report.fault(loc, "stem %r is also used by %s" % (stem, lib.stems[stem]))
    lib.stems[stem] = where(file, section)
    path = os.path.join(data, "system", stem + ".txt")
    text = None
    if not os.path.isfile(path):
        report.fault(loc, "information text system/%s.txt is missing" % stem)
    else:
        text = open(path, encoding="utf-8").read()
        formula = ini.get(section, "formula") or ""
        try:
            shown = " ".join(spell(formula, 0, 0))
            m = re.search(r"^Notes from C: (.*)$", text, re.M)
            if m and m.group(1).strip() != shown:
                report.fault(loc, "system/%s.txt gives the notes from C as %r, they are %r"
                             % (stem, m.group(1).strip(), shown))
            m = re.search(r"^Formula: +(.*)$", text, re.M)
            if m and m.group(1).strip() != " ".join(t.replace("f", "bb") for t in formula.split(";")):
                report.fault(loc, "system/%s.txt shows another formula" % stem)
        except ValueError:
            pass
    examples = ini.get(section, "examples")
    m = re.fullmatch(r"(\d*)(\*?)", examples or "")
    if examples is None or not m:
        report.fault(where(file, section, "examples"), "must be empty or a number with an optional '*'")
    else:
        for n in range(1, (int(m.group(1)) if m.group(1) else 0) + 1):
            for suffix in ("", "g"):
                name = "%s_%d%s.emd" % (stem, n, suffix)
                if not os.path.isfile(os.path.join(data, "midi", name)):
                    report.fault(where(file, section, "examples"), "midi/%s is missing" % name)
        if m.group(2):
            for k in range(1, 7):
                if not os.path.isfile(os.path.join(data, "midi", "P0%d.emd" % k)):
                    report.fault(where(file, section, "examples"), "midi/P0%d.emd is missing" % k)
    return text


def check_groups(report, ini, count_key):
    file = ini.name
    total = strict_int(report, *field(ini, "totals", count_key), 1)
    groups = strict_int(report, *field(ini, "totals", "numgroups"), 1)
    if ini.has("totals"):
        expect_keys(report, ini, "totals", [count_key, "numgroups"])
    names = []
    if groups and ini.has("groups"):
        expect_keys(report, ini, "groups", [str(g) for g in range(groups)])
        names = [ini.get("groups", str(g)) for g in range(groups)]
        for g, name in enumerate(names):
            if not name:
                report.fault(where(file, "groups", str(g)), "group has no name")
        if len(set(names)) != len(names):
            report.fault(where(file, "groups"), "two groups have the same name")
    elif groups:
        report.fault(where(file, "groups"), "section is missing")
    return total or 0, groups or 0


def check_scales(report, data, lib):
    file = "scale.ini"
    ini = Ini(os.path.join(data, file), file, report)
    total, groups = check_groups(report, ini, "numscales")
    numbered_sections(report, ini, total, ("totals", "groups"))
    used_groups, seen_names = set(), {}
    for i in range(total):
        sec = str(i)
        if not ini.has(sec):
            continue
        expect_keys(report, ini, sec, ["Name", "altname", "Group", "formula", "info", "examples"])
        name, formula = ini.get(sec, "Name") or "", ini.get(sec, "formula") or ""
        g = strict_int(report, *field(ini, sec, "Group"), 0, groups - 1)
        used_groups.add(g)
        lib.scales.append({"number": i, "name": name, "pcs": set()})
        try:
            parse_formula(formula)
        except ValueError as e:
            report.fault(where(file, sec, "formula"), str(e))
            continue
        check_ascending(report, where(file, sec, "formula"), formula)
        check_formula_spelling(report, where(file, sec, "formula"), formula)
        pcs = pcs_of(formula)
        lib.scales[-1]["pcs"] = pcs
        if name not in SCALE_STEPS:
            report.fault(where(file, sec, "Name"), "no reference for scale %r" % name)
        elif pcs != set(cumulative(SCALE_STEPS[name])):
            report.fault(where(file, sec, "formula"), "%s is not the %s scale" % (formula, name))
        elif len(parse_formula(formula)) != len(SCALE_STEPS[name]):
            report.fault(where(file, sec, "formula"), "repeats a note")
        alts = (ini.get(sec, "altname") or "").split(";")
        for alt in [name] + alts:
            if not alt:
                report.fault(where(file, sec, "altname"), "empty alternative name")
            elif alt in seen_names:
                report.fault(where(file, sec, "altname"), "%r also names scale %s" % (alt, seen_names[alt]))
            else:
                seen_names[alt] = sec
            if alt in SCALE_STEPS and alt != name and set(cumulative(SCALE_STEPS[alt])) != pcs:
                report.fault(where(file, sec, "altname"), "%r is a different scale" % alt)
        check_item_texts(report, lib, data, file, sec, ini)
    for g in range(groups):
        if g not in used_groups:
            report.warn(where(file, "groups", str(g)), "group holds no scale")


def check_chords(report, data, lib):
    file = "chord.ini"
    ini = Ini(os.path.join(data, file), file, report)
    total, groups = check_groups(report, ini, "numchords")
    numbered_sections(report, ini, total, ("totals", "groups"))
    used_groups, symbols, verbose_seen = set(), {}, {}
    for i in range(total):
        sec = str(i)
        if not ini.has(sec):
            continue
        expect_keys(report, ini, sec, ["name", "nameverbose", "chordsymbols", "formula", "group",
                                       "relatedscaleid", "info", "examples"])
        name, verbose = ini.get(sec, "name") or "", ini.get(sec, "nameverbose") or ""
        formula = ini.get(sec, "formula") or ""
        g = strict_int(report, *field(ini, sec, "group"), 0, groups - 1)
        used_groups.add(g)
        if not name:
            report.fault(where(file, sec, "name"), "empty name leaves an empty tree node")
        if not verbose:
            report.fault(where(file, sec, "nameverbose"), "empty")
        elif verbose in verbose_seen:
            report.fault(where(file, sec, "nameverbose"), "also the long name of chord %s" % verbose_seen[verbose])
        verbose_seen[verbose] = sec
        for sym in [name] + (ini.get(sec, "chordsymbols") or "").split(";"):
            if not sym:
                report.fault(where(file, sec, "chordsymbols"), "empty symbol")
            elif sym in symbols and symbols[sym] != sec:
                report.fault(where(file, sec, "chordsymbols"), "%r also stands for chord %s" % (sym, symbols[sym]))
            elif sym in symbols:
                report.fault(where(file, sec, "chordsymbols"), "%r is listed twice" % sym)
            symbols[sym] = sec
        chord = {"number": i, "name": name, "verbose": verbose, "pcs": set(), "formula": formula}
        lib.chords.append(chord)
        try:
            parsed = parse_formula(formula)
        except ValueError as e:
            report.fault(where(file, sec, "formula"), str(e))
            continue
        check_ascending(report, where(file, sec, "formula"), formula)
        check_formula_spelling(report, where(file, sec, "formula"), formula)
        chord["pcs"] = pcs_of(formula)
        if name not in CHORD_REF:
            report.fault(where(file, sec, "name"), "no reference for chord %r" % name)
        else:
            if {s % 12 for _, _, s in parsed} != CHORD_REF[name] or len(parsed) != len(CHORD_REF[name]):
                report.fault(where(file, sec, "formula"), "%s does not give the notes of a %s chord" % (formula, name))
            if [d for _, d, _ in parsed] != CHORD_DEGREES[name]:
                report.fault(where(file, sec, "formula"), "degree numbers %s spell the notes with the wrong letters"
                             % [d for _, d, _ in parsed])
        related = ini.get(sec, "relatedscaleid") or ""
        loc = where(file, sec, "relatedscaleid")
        if not related:
            report.fault(loc, "no related scale")
        numbers = []
        for item in related.split(";") if related else []:
            if not re.fullmatch(r"\d+", item) or int(item) >= len(lib.scales):
                report.fault(loc, "%r is not a scale number" % item)
                continue
            if int(item) in numbers:
                report.fault(loc, "scale %s listed twice" % item)
            numbers.append(int(item))
            scale = lib.scales[int(item)]
            missing = chord["pcs"] - scale["pcs"]
            if missing:
                report.fault(loc, "scale %s (%s) lacks chord tones %s" % (item, scale["name"], sorted(missing)))
        text = check_item_texts(report, lib, data, file, sec, ini)
        if text is not None:
            m = re.search(r"Scales to play over it: (.*?)\.\s*$", text, re.S)
            listed = [lib.scales[n]["name"] for n in numbers]
            if m and re.sub(r"\s+", " ", m.group(1)) != ", ".join(listed):
                report.fault(loc, "information text lists other scales than %s" % ", ".join(listed))
    for g in range(groups):
        if g not in used_groups:
            report.warn(where(file, "groups", str(g)), "group holds no chord")
    return ini


def voicing_notes(report, loc, chord, frets, root):
    """Checks what a placed voicing sounds; returns the set of intervals."""
    notes = sounding(frets)
    if not notes:
        report.fault(loc, "sounds no string")
        return set()
    intervals = {(p - root) % 12 for p in notes.values()}
    wrong = intervals - chord["pcs"]
    if wrong:
        bad = ["string %d" % s for s, p in notes.items() if (p - root) % 12 in wrong]
        report.fault(loc, "%s sound%s a note outside the chord" % (", ".join(bad), "s" if len(bad) == 1 else ""))
    required = chord["pcs"] - ({P5} if P5 in chord["pcs"] else set())
    missing = required - intervals
    if missing:
        report.fault(loc, "chord tones %s are missing" % sorted(missing))
    bass = min(notes.values())
    if (bass - root) % 12 != 0:
        report.fault(loc, "the lowest note is not the root")
    return intervals


FINGER_WORDS = {"index": "1", "middle": "2", "ring": "3", "little": "4"}


def check_memo_claims(report, loc, memo, frets, fingers, root_string=None):
    """A remark that names fingers, muted strings or the root string must
    agree with the shape."""
    memo = memo or ""
    for word, a, b in re.findall(r"(index|middle|ring|little) finger (?:across|on) strings (\d) (?:to|and) (\d)",
                                 memo, re.I):
        for s in (int(a), int(b)):
            if fingers.get(s) != FINGER_WORDS[word.lower()]:
                report.fault(loc, "remark puts the %s finger on string %d, the finger text does not"
                             % (word.lower(), s))
    for m in re.finditer(r"strings? (\d)(?: and (\d))? muted", memo):
        for s in (int(x) for x in m.groups() if x):
            if frets.get(s) is not None:
                report.fault(loc, "remark calls string %d muted, but it is played" % s)
    m = re.search(r"root on the (\d)(?:st|nd|rd|th) string", memo)
    if m and root_string is not None and int(m.group(1)) != root_string:
        report.fault(loc, "remark puts the root on string %s, the shape on string %d" % (m.group(1), root_string))


def check_no5_memo(report, loc, chord, intervals, memo):
    lacks = P5 in chord["pcs"] and P5 not in intervals
    says = "no 5th" in (memo or "").lower()
    if lacks != says:
        report.fault(loc, "remark should %s the missing 5th" % ("mention" if lacks else "not mention"))


def field(ini, section, key):
    """(where, value) of one key, for the parse helpers."""
    return where(ini.name, section, key), ini.get(section, key)


def merge_once(report, sub, seen):
    """Copies the faults found at one root, skipping those already reported
    at another root (a wrong shape is wrong at all twelve)."""
    for msg in sub.faults:
        tail = msg.split(": ", 1)[1]
        if tail not in seen:
            seen.add(tail)
            report.faults.append(msg)


def check_open_chords(report, ini, chords, counts):
    sec = "openchords"
    if not ini.has(sec):
        report.fault(where(ini.name, sec), "section is missing")
        return 0
    n = strict_int(report, *field(ini, sec, "numvoicings"), 0) or 0
    expect_keys(report, ini, sec, ["numvoicings"] + ["%d%s" % (i, k) for i in range(n)
                for k in ("rootnote", "quality", "fret", "finger", "memo")])
    seen = {}
    for i in range(n):
        root = strict_int(report, *field(ini, sec, "%drootnote" % i), 0, 11)
        q = strict_int(report, *field(ini, sec, "%dquality" % i), 0, len(chords) - 1)
        frets = parse_fret_text(report, *field(ini, sec, "%dfret" % i), False)
        fingers = parse_finger_text(report, *field(ini, sec, "%dfinger" % i))
        if None in (root, q, frets, fingers):
            continue
        chord = chords[q]
        loc = where(ini.name, sec, "%d (%s%s)" % (i, root_name(root, 0), chord["name"]))
        if (root, q) in seen:
            report.fault(loc, "second open chord for this root and chord; only entry %d is shown"
                         % seen[(root, q)])
        seen[(root, q)] = i
        if 0 not in frets.values():
            report.fault(loc, "an open chord must sound an open string")
        if max(f for f in frets.values() if f is not None) > 5:
            report.fault(loc, "reaches beyond fret 5; not an open-position grip")
        check_fingers(report, loc, frets, fingers, True, 3)
        intervals = voicing_notes(report, loc, chord, frets, root)
        check_no5_memo(report, loc, chord, intervals, ini.get(sec, "%dmemo" % i))
        check_memo_claims(report, loc, ini.get(sec, "%dmemo" % i), frets, fingers)
        counts[(q, root)] = counts.get((q, root), 0) + 1
    return n


def check_movable(report, ini, chord, counts):
    """Returns the number of movable voicings of the chord."""
    sec = str(chord["number"])
    m = strict_int(report, *field(ini, sec, "numVoicings"), 0) or 0
    expect_keys(report, ini, sec, ["numVoicings"] + ["%d%s" % (j, k) for j in range(m)
                for k in ("fret", "finger", "group", "root", "memo")])
    if m < 2:
        report.fault(where(ini.name, sec), "chord %s has fewer than two movable voicings" % chord["name"])
    shapes = set()
    for j in range(m):
        base = where(ini.name, sec, "%d..." % j)
        rs = strict_int(report, *field(ini, sec, "%droot" % j), 1, 6)
        strict_int(report, *field(ini, sec, "%dgroup" % j), 0, 1)
        frets = parse_fret_text(report, *field(ini, sec, "%dfret" % j), True)
        fingers = parse_finger_text(report, *field(ini, sec, "%dfinger" % j))
        memo = ini.get(sec, "%dmemo" % j)
        if not memo:
            report.fault(where(ini.name, sec, "%dmemo" % j), "empty remark")
        if None in (rs, frets, fingers):
            continue
        key = (tuple(sorted(frets.items())), rs)
        if key in shapes:
            report.fault(base, "the same shape is listed twice")
        shapes.add(key)
        if frets[rs] != 0:
            report.fault(base, "the root string %d must be at relative fret 00" % rs)
            continue
        lowest = max(s for s, f in frets.items() if f is not None)
        if lowest != rs:
            report.fault(base, "root string %d is not the lowest string played (%d)" % (rs, lowest))
        if "0" in fingers.values():
            report.fault(base, "a movable shape has no open strings")
            continue
        check_fingers(report, base, frets, fingers, False, 3)
        reported = set()
        for root in range(12):
            placed = transpose(frets, root, rs)
            loc = "%s at root %s" % (base, root_name(root, 0))
            sub = Report()
            played = [f for f in placed.values() if f is not None]
            if min(played) < 1 or max(played) > MAX_FRET:
                sub.fault(loc, "frets %d..%d leave the neck 1..%d" % (min(played), max(played), MAX_FRET))
            if (OPEN[rs] + placed[rs] - root) % 12:
                sub.fault(loc, "the root string does not sound the root")
            intervals = voicing_notes(sub, loc, chord, placed, root)
            merge_once(report, sub, reported)
            counts[(chord["number"], root)] = counts.get((chord["number"], root), 0) + 1
        check_no5_memo(report, base, chord, intervals, memo)
        check_memo_claims(report, base, memo, frets, fingers, rs)
    return m


def check_voicings(report, data, lib):
    file = "voicing.ini"
    ini = Ini(os.path.join(data, file), file, report)
    numbered_sections(report, ini, len(lib.chords), ("openchords",))
    counts = {}  # (chord, root) -> voicings listed for that root
    opens = check_open_chords(report, ini, lib.chords, counts)
    movable = {}
    for chord in lib.chords:
        if ini.has(str(chord["number"])):
            movable[chord["number"]] = check_movable(report, ini, chord, counts)
        else:
            report.fault(where(file, str(chord["number"])), "chord %s has no movable voicings" % chord["name"])
    for (q, root), c in sorted(counts.items()):
        if c > 31:
            report.fault(where(file, str(q)), "%d voicings for root %d; at most 31 fit" % (c, root))
    return opens, movable


def min_triad_span(pcs, bass, strings):
    """Smallest fret span that any placement of the triad on these strings
    with this bass note can have (brute force over frets 0..16).  It is 4
    (five frets) only for the diminished triad in root position on strings
    6-5-4 and 5-4-3, 3 or less everywhere else."""
    best = None
    for a in range(17):
        for b in range(17):
            for c in range(17):
                frets = dict(zip(strings, (a, b, c)))
                notes = sounding(frets)
                if {p % 12 for p in notes.values()} != pcs or len(notes) != 3:
                    continue
                if min(notes.values()) % 12 != bass:
                    continue
                span = max(a, b, c) - min(a, b, c)
                best = span if best is None else min(best, span)
    return best


def check_triads(report, data, lib):
    file = "triad.ini"
    ini = Ini(os.path.join(data, file), file, report)
    shape_sections = {"%d.%d" % (t, g) for t in range(12) for g in range(4)}
    numbered_sections(report, ini, 12, shape_sections)
    shapes = 0
    for t in range(12):
        quality, inversion = TRIAD_QUALITIES[t // 3], INVERSIONS[t % 3]
        sec = str(t)
        if ini.has(sec):
            expect_keys(report, ini, sec, ["name", "formula", "info", "examples"])
            if ini.get(sec, "name") != "%s %s" % (quality, inversion):
                report.fault(where(file, sec, "name"), "should be %r" % ("%s %s" % (quality, inversion)))
            formula = ini.get(sec, "formula") or ""
            try:
                parsed = parse_formula(formula)
                third, fifth = TRIAD_REF[quality]
                if [s for _, _, s in parsed] != [0, third, fifth] or [d for _, d, _ in parsed] != [1, 3, 5]:
                    report.fault(where(file, sec, "formula"), "%s is not the %s triad" % (formula, quality.lower()))
                check_formula_spelling(report, where(file, sec, "formula"), formula)
            except ValueError as e:
                report.fault(where(file, sec, "formula"), str(e))
            check_item_texts(report, lib, data, file, sec, ini)
        intervals = (0,) + TRIAD_REF[quality]
        bass_iv = intervals[t % 3]
        for g, strings in enumerate(STRING_GROUPS):
            sec = "%d.%d" % (t, g)
            if not ini.has(sec):
                report.fault(where(file, sec), "shape for %s %s on strings %s is missing"
                             % (quality, inversion, "-".join(map(str, strings))))
                continue
            shapes += 1
            expect_keys(report, ini, sec, ["fret", "finger", "rootnote"])
            base = where(file, sec)
            frets = parse_fret_text(report, *field(ini, sec, "fret"), True)
            fingers = parse_finger_text(report, *field(ini, sec, "finger"))
            rs = strict_int(report, *field(ini, sec, "rootnote"), 1, 6)
            if None in (frets, fingers, rs):
                continue
            used = {s for s, f in frets.items() if f is not None}
            if used != set(strings):
                report.fault(base, "plays strings %s instead of %s" % (sorted(used, reverse=True), list(strings)))
                continue
            if rs not in strings or frets[rs] != 0:
                report.fault(base, "root string %d must be in the group at relative fret 00" % rs)
                continue
            if "0" in fingers.values():
                report.fault(base, "a movable shape has no open strings")
                continue
            pcs = {(iv) % 12 for iv in intervals}
            least = min_triad_span(pcs, bass_iv, strings)
            # one shape per triad and string group: it must be the most compact one
            check_fingers(report, base, frets, fingers, False, least)
            reported = set()
            for root in range(12):
                loc = "%s at root %s" % (base, root_name(root, 0))
                placed = transpose(frets, root, rs)
                sub = Report()
                fixed = FIXED_TRIAD_PICTURES.get((t, g, root))
                check = fixed if fixed else {s: f for s, f in placed.items() if f is not None}
                played = list(check.values())
                if not fixed and (min(played) < 1 or max(played) > MAX_FRET):
                    sub.fault(loc, "frets %d..%d leave the neck 1..%d" % (min(played), max(played), MAX_FRET))
                notes = sounding(check)
                got = sorted((p - root) % 12 for p in notes.values())
                if got != sorted(pcs):
                    sub.fault(loc, "sounds intervals %s instead of %s" % (got, sorted(pcs)))
                if (min(notes.values()) - root) % 12 != bass_iv:
                    sub.fault(loc, "the lowest note is not the %s" % ["root", "3rd", "5th"][t % 3])
                if (OPEN[rs] + placed[rs] - root) % 12:
                    sub.fault(loc, "the root string does not sound the root")
                merge_once(report, sub, reported)
    return shapes


def check_finder(report, data, lib):
    file = "finder.ini"
    ini = Ini(os.path.join(data, file), file, report)
    names = {}
    for sec in ini.order:
        loc = where(file, sec)
        if not re.fullmatch(r"\d+(;\d+)*", sec):
            report.fault(loc, "section name is not a list of intervals")
            continue
        ivs = [int(x) for x in sec.split(";")]
        if ivs[0] != 0 or any(b <= a for a, b in zip(ivs, ivs[1:])) or ivs[-1] > 11 \
                or any(x != str(int(x)) for x in sec.split(";")):
            report.fault(loc, "intervals must start at 0 and ascend within 0..11 without leading zeros")
            continue
        expect_keys(report, ini, sec, ["d"])
        d = ini.get(sec, "d")
        if not d:
            report.fault(where(file, sec, "d"), "no description")
            continue
        names[frozenset(ivs)] = (sec, d)
    expected = {}
    for chord in lib.chords:
        expected[frozenset(chord["pcs"])] = chord["verbose"]
    for chord in lib.chords:
        if P5 in chord["pcs"] and len(chord["pcs"]) >= 4:
            expected.setdefault(frozenset(chord["pcs"] - {P5}), chord["verbose"] + " (no 5th)")
    expected.setdefault(frozenset({0, P5}), "Power Chord")
    for ivs, d in expected.items():
        sec = ";".join(str(x) for x in sorted(ivs))
        if ivs not in names:
            report.fault(where(file, sec), "missing; it would name %r" % d)
        elif names[ivs][1] != d:
            report.fault(where(file, sec, "d"), "is %r, should be %r" % (names[ivs][1], d))
    for ivs, (sec, d) in names.items():
        if ivs not in expected:
            report.fault(where(file, sec, "d"), "%r names no chord of chord.ini nor a chord of it without its 5th" % d)
    return sorted(names.values(), key=lambda x: [len(x[0].split(";"))] + [int(v) for v in x[0].split(";")])


class TagChecker(html.parser.HTMLParser):
    VOID = {"meta", "br", "hr", "img", "link", "input"}

    def __init__(self):
        super().__init__()
        self.stack, self.errors, self.title, self._in_title = [], [], "", False

    def handle_starttag(self, tag, attrs):
        if tag not in self.VOID:
            self.stack.append(tag)
        self._in_title = tag == "title"

    def handle_endtag(self, tag):
        if tag in self.VOID:
            return
        if not self.stack or self.stack[-1] != tag:
            self.errors.append("</%s> does not close <%s>" % (tag, self.stack[-1] if self.stack else ""))
        else:
            self.stack.pop()
        self._in_title = False

    def handle_data(self, data):
        if self._in_title:
            self.title += data


def check_pages(report, data):
    for rel, title in (("userguide/index.htm", "Chordalis User Guide"),
                       ("system/rmp.htm", "Root Movement Patterns")):
        path = os.path.join(data, rel)
        if not os.path.isfile(path):
            report.fault(rel, "page is missing")
            continue
        parser = TagChecker()
        parser.feed(open(path, encoding="utf-8").read())
        parser.close()
        for e in parser.errors:
            report.fault(rel, e)
        if parser.stack:
            report.fault(rel, "unclosed tags %s" % parser.stack)
        if title not in parser.title:
            report.fault(rel, "title should contain %r" % title)
    for rel in ("system/README.txt", "midi/README.txt"):
        if not os.path.isfile(os.path.join(data, rel)):
            report.fault(rel, "missing")


def check_all(data):
    report = Report()
    lib = Library()
    check_scales(report, data, lib)
    check_chords(report, data, lib)
    opens, movables = check_voicings(report, data, lib)
    shapes = check_triads(report, data, lib)
    finder = check_finder(report, data, lib)
    check_pages(report, data)
    return report, lib, opens, movables, shapes, finder


def main(argv):
    if argv[1:2] == ["--self-test"]:
        return self_test()
    here = os.path.dirname(os.path.abspath(__file__))
    data = argv[1] if len(argv) > 1 else os.path.join(here, os.pardir, "data")
    report, lib, opens, movables, shapes, finder = check_all(data)
    for w in report.warnings:
        print("warning: " + w)
    for f in report.faults:
        print(f)
    if report.faults:
        print("%d fault(s)" % len(report.faults))
        return 1
    print("%d chords, %d scales, %d open chords, %d movable voicings, %d triad shapes, "
          "%d finder sets: no faults" % (len(lib.chords), len(lib.scales), opens,
                                         sum(movables.values()), shapes, len(finder)))
    return 0


# --------------------------------------------------------------------------
# Self-test: each planted fault must be found
# --------------------------------------------------------------------------


def _edit(path, old, new):
    text = open(path, encoding="utf-8").read()
    if old not in text:
        raise AssertionError("self-test: %r not found in %s" % (old, path))
    open(path, "w", encoding="utf-8", newline="").write(text.replace(old, new, 1))


# (description, file, text to replace, replacement, words the fault must contain)
PLANTED = [
    # wrong notes
    ("minor 7th with a major 7th", "chord.ini", "formula=1;b3;5;b7\n", "formula=1;b3;5;7\n", "chord.ini [4] formula"),
    ("dim7 spelled with a 6th", "chord.ini", "formula=1;b3;b5;f7", "formula=1;b3;b5;6", "wrong letters"),
    ("Dorian with a minor 6th", "scale.ini", "formula=1;2;b3;4;5;6;b7", "formula=1;2;b3;4;5;b6;b7", "not the Dorian"),
    ("tokens out of order", "scale.ini", "formula=1;2;3;5;6", "formula=1;2;5;3;6", "ascending"),
    ("open C with a wrong note on string 1", "voicing.ini", "0fret=xx0302000100", "0fret=xx0302000101", "outside the chord"),
    ("E-shape barre missing its 3rd", "voicing.ini", "0fret=000202010000\n0finger=134211",
     "0fret=000202000000\n0finger=134111", "missing"),
    ("movable shape not rooted on its root string", "voicing.ini", "0fret=000202010000\n0finger=134211\n0group=0\n0root=6",
     "0fret=000202010000\n0finger=134211\n0group=0\n0root=5", "root string"),
    ("1st inversion with the root in the bass", "triad.ini", "[1.0]\nfret=020000xxxxxx\nfinger=312xxx\nrootnote=4",
     "[1.0]\nfret=00-1-3xxxxxx\nfinger=431xxx\nrootnote=6", "not the 3rd"),
    ("triad sounding a wrong note", "triad.ini", "[9.2]\nfret=xxxx00-1-1xx", "[9.2]\nfret=xxxx00-1-2xx", "sounds intervals"),
    ("no-5th remark missing", "voicing.ini", "Open C7 chord. No 5th.", "Open C7 chord.", "5th"),
    # playability
    ("finger on two frets", "voicing.ini", "0finger=134211", "0finger=134213", "two frets"),
    ("lower finger on a higher fret", "voicing.ini", "1finger=x13331", "1finger=x31113", "higher fret"),
    ("barre across an open string", "voicing.ini", "fret=000200020000\n44finger=020300", "fret=000200020000\n44finger=020200",
     "is open"),
    ("stretch too wide", "voicing.ini", "0fret=000202010000\n0finger=134211", "0fret=000202010004\n0finger=133214",
     "span 5 frets"),
    # names and references
    ("finder name differs from the chord's long name", "finder.ini", "d=Minor 7th\n", "d=Minor Seventh\n", "should be"),
    ("finder set missing", "finder.ini", "[0;4;8]\nd=Augmented\n", "", "[0;4;8]"),
    ("related scale lacks a chord tone", "chord.ini", "relatedscaleid=4;14;13;17", "relatedscaleid=4;14;13;17;0", "lacks"),
    ("info text with wrong notes", "system/chord_minor.txt", "Notes from C: C Eb G", "Notes from C: C D# G", "notes from C"),
    ("duplicate stem", "scale.ini", "info=scale_dorian", "info=scale_major", "also used"),
    ("scale key in the wrong case", "scale.ini", "Group=0", "group=0", "written"),
    ("CRLF line ends", "finder.ini", "d=Major\n", "d=Major\r\n", "CR"),
    # structure and cross references
    ("open chord with the 3rd in the bass", "voicing.ini", "0fret=xx0302000100\n0finger=x32010",
     "0fret=000302000100\n0finger=032010", "lowest note is not the root"),
    ("triad on strings outside its group", "triad.ini", "[0.1]\nfret=xx00-1-3xxxx", "[0.1]\nfret=00-1-3xxxxxx",
     "instead of"),
    ("a chord with one movable voicing", "voicing.ini", "[15]\nnumVoicings=3", "[15]\nnumVoicings=1", "fewer than two"),
    ("fret text too short", "voicing.ini", "\n0fret=000202010000", "\n0fret=0002020100", "12 characters"),
    ("chord count beyond the sections", "chord.ini", "numchords=16", "numchords=17", "[16]: section is missing"),
    ("related scale that does not exist", "chord.ini", "relatedscaleid=15\n", "relatedscaleid=18\n",
     "not a scale number"),
    ("alternative name of another scale", "scale.ini", "altname=Pentatonic Minor", "altname=Aeolian", "also names"),
    ("remark naming the wrong barre finger", "voicing.ini", "ring finger across strings 4 to 2",
     "middle finger across strings 4 to 2", "middle finger"),
    ("remark naming the wrong root string", "voicing.ini", "0memo=E-shape barre, root on the 6th string.",
     "0memo=E-shape barre, root on the 5th string.", "remark puts the root"),
    ("information text missing", "chord.ini", "info=chord_sus2", "info=chord_sus9", "is missing"),
    ("finder intervals out of order", "finder.ini", "[0;4;7]\n", "[0;7;4]\n", "ascend"),
]


def self_test():
    here = os.path.dirname(os.path.abspath(__file__))
    data = os.path.join(here, os.pardir, "data")
    report = check_all(data)[0]
    failures = []
    if report.faults:
        failures.append("the data itself has faults; fix them first:\n  " + "\n  ".join(report.faults))
    for desc, rel, old, new, expect in PLANTED:
        tmp = tempfile.mkdtemp(prefix="chordalis-check-")
        try:
            copy = os.path.join(tmp, "data")
            shutil.copytree(data, copy)
            _edit(os.path.join(copy, rel), old, new)
            faults = check_all(copy)[0].faults
            if not any(expect.lower() in f.lower() for f in faults):
                failures.append("%s: not caught (faults: %s)" % (desc, faults[:3]))
        except AssertionError as e:
            failures.append("%s: %s" % (desc, e))
        finally:
            shutil.rmtree(tmp)
    # the transposition rule itself, on the program's documented cases
    if transpose({6: 0, 5: None, 4: 2, 3: 1, 2: 0, 1: 0}, 0, 6) != {6: 8, 5: None, 4: 10, 3: 9, 2: 8, 1: 8}:
        failures.append("transpose: C from the 6th string is not at frets 8, xx, 10, 9, 8, 8")
    if transpose({6: 0, 5: None, 4: 2, 3: 1, 2: 0, 1: 0}, 4, 6)[6] != 12:
        failures.append("transpose: E from the 6th string is not at fret 12")
    if transpose({6: None, 5: 0, 4: -1, 3: None, 2: None, 1: None}, 9, 5)[4] != 11:
        failures.append("transpose: a -1 under A on the 5th string is not at fret 11")
    if spell("1;b3;b5;f7", 11, 0) != ["B", "D", "F", "Ab"] or spell("1;3;5", 6, 1) != ["F#", "A#", "C#"]:
        failures.append("spell: B dim7 or F# major spelled wrongly")
    for f in failures:
        print("SELF-TEST FAILED: " + f)
    print("self-test: %d planted faults, %d not caught" % (len(PLANTED), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
