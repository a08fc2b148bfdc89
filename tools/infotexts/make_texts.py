#!/usr/bin/env python3
"""Writes the information texts data/system/<stem>.txt of the library's items.

Every fact that follows from the library files is worked out here: the title,
the other names, the formula and its intervals, the notes from C and from two
other roots, the program's grips of a chord on C, the chords one note away,
the scales a chord is played with (or the chords a scale fits) and a triad's
shapes on the four string groups.  The prose of each item comes from the
FACTS tables beside this file (facts_chords.py, facts_scales.py,
facts_triads.py); an item without an entry gets no text, and a missing table
is skipped.

Run from the repository root:  python3 tools/infotexts/make_texts.py [data]
The output depends only on the inputs, so a second run changes nothing.
"""

import configparser
import os
import re
import runpy
import sys
import textwrap

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "theory"))
from chordalis_theory import (formula_display, formula_tokens, interval_name,  # noqa: E402
                              interval_set, open_pitch_class, ordinal, spell, token_semitones)

WIDTH = 68

# Roots the notes are also spelled on, in this order of preference; the first
# two that spell the item without a double sharp or flat are shown.
OTHER_ROOTS = ["G", "F", "D", "Bb", "A", "Eb", "E", "Ab", "B", "Db"]


# --------------------------------------------------------------------------
# Library files
# --------------------------------------------------------------------------

def read_ini(path):
    ini = configparser.ConfigParser(interpolation=None, strict=False)
    ini.optionxform = str
    with open(path, encoding="utf-8") as f:
        ini.read_file(f)
    return ini


def formula_of(file, section):
    """A section's formula as tokens; a formula the program would refuse ends the run."""
    try:
        return formula_tokens(section.get("formula", ""))
    except ValueError as e:
        raise SystemExit("%s [%s]: %s" % (file, section.name, e))


def numbered(ini):
    sections = [s for s in ini.sections() if s.isdigit()]
    return [ini[s] for s in sorted(sections, key=int)]


def fret_pair(text, string):
    pair = text[12 - 2 * string: 14 - 2 * string]
    return None if pair.lower() == "xx" else int(pair)


def grips_on_c(voicings, chord_number):
    """The chord's grips on the root C as the voicing list captions them."""
    lines = []
    section = str(chord_number)
    if section in voicings:
        sec = voicings[section]
        for j in range(int(sec.get("numVoicings", "0"))):
            frets = sec.get("%dfret" % j, "")
            root_string = int(sec.get("%droot" % j, "0"))
            if len(frets) != 12 or not 1 <= root_string <= 6:
                continue
            shift = (0 - open_pitch_class(root_string)) % 12 or 12
            played = [fret_pair(frets, s) for s in range(6, 0, -1)]
            low = min(f + shift for f in played if f is not None)
            if low <= 0:
                low += 12
            caption = "%s Position, Root %s" % (ordinal(low), ordinal(root_string))
            lines.append((caption, sec.get("%dmemo" % j, "").strip()))
    return lines


def open_chords(voicings, chord_number):
    names = []
    sec = voicings["openchords"] if "openchords" in voicings else {}
    for i in range(int(sec.get("numvoicings", "0"))):
        if sec.get("%dquality" % i) != str(chord_number):
            continue
        memo = sec.get("%dmemo" % i, "")
        if memo.startswith("Open ") and " chord" in memo:
            names.append(memo[5:memo.index(" chord")])
    return names


# --------------------------------------------------------------------------
# Page layout
# --------------------------------------------------------------------------

def wrap(text, indent=""):
    return textwrap.wrap(text, WIDTH, initial_indent=indent, subsequent_indent=indent,
                         break_on_hyphens=False, break_long_words=False)


def labelled(label, text):
    """A "Label:" line whose value wraps under itself."""
    pad = " " * 14
    lines = textwrap.wrap(text, WIDTH, initial_indent=(label + pad)[:14],
                          subsequent_indent=pad, break_on_hyphens=False,
                          break_long_words=False)
    return lines


def heading(title):
    return ["", title, "-" * len(title)]


class Page:
    def __init__(self, title):
        self.lines = [title, "=" * len(title), ""]

    def add(self, *lines):
        self.lines.extend(lines)

    def prose(self, title, *paragraphs):
        paragraphs = [p for p in paragraphs if p]
        if not paragraphs:
            return
        self.add(*heading(title))
        for n, p in enumerate(paragraphs):
            if n:
                self.add("")
            self.add(*wrap(p))

    def text(self):
        return "\n".join(self.lines).rstrip() + "\n"


def formula_block(page, tokens):
    page.add("Formula:      " + formula_display(tokens))
    page.add("Notes from C: " + " ".join(spell("C", tokens)))
    page.add(*labelled("Intervals:", ", ".join(interval_name(t) for t in tokens) + "."))
    page.add(*labelled("Half steps:", " ".join(str(token_semitones(t)) for t in tokens)))
    shown = []
    for root in OTHER_ROOTS:
        names = spell(root, tokens)
        if names and not any(n.endswith(("bb", "x")) for n in names):
            shown.append("%s: %s" % (root, " ".join(names)))
        if len(shown) == 2:
            break
    page.add(*labelled("Other roots:", "; ".join(shown) + "."))


def check_fields(kind, stem, entry):
    keys = {"what", "sound", "uses", "repertoire", "practice", "related"}
    if set(entry) != keys:
        raise SystemExit("%s %s: keys %s, expected %s" % (kind, stem, sorted(entry),
                                                        sorted(keys)))
    for key, value in entry.items():
        if not isinstance(value, str) or "\n" in value:
            raise SystemExit("%s %s: %s is not one line of text" % (kind, stem, key))


def body_sections(page, entry, repertoire_title="Heard in"):
    page.prose("What it is", entry["what"])
    page.prose("How it sounds", entry["sound"])
    page.prose("Where it is used", entry["uses"],
               (repertoire_title + ": " + entry["repertoire"]) if entry["repertoire"] else "")


# --------------------------------------------------------------------------
# Chords
# --------------------------------------------------------------------------

def one_note_away(chords, number):
    """Chords of the library one note from this one: one tone more, one tone
    fewer, or one tone moved by a half step."""
    mine = chords[number]["pcs"]
    more, fewer, moved = [], [], []
    for other in chords:
        if other is chords[number]:
            continue
        theirs = other["pcs"]
        symbol = "C" + other["name"]
        if theirs > mine and len(theirs) == len(mine) + 1:
            more.append(symbol)
        elif theirs < mine and len(theirs) == len(mine) - 1:
            fewer.append(symbol)
        elif len(theirs) == len(mine) and len(theirs - mine) == 1:
            (a,), (b,) = tuple(theirs - mine), tuple(mine - theirs)
            if (a - b) % 12 in (1, 11):
                moved.append(symbol)
    return more, fewer, moved


def chord_page(chords, scales, voicings, number, entry):
    chord = chords[number]
    tokens = chord["tokens"]
    page = Page("%s chord (C%s)" % (chord["verbose"], chord["name"]))
    others = [("C" + s) for s in chord["symbols"] if s]
    if others:
        page.add(*labelled("Also written:", ", ".join(others) + "."))
    formula_block(page, tokens)
    body_sections(page, entry)

    page.prose("On the neck", entry["practice"])
    grips = grips_on_c(voicings, number)
    opens = open_chords(voicings, number)
    if grips or opens:
        page.add("")
        page.add("The grips of the voicing list with the root C:")
        for caption, memo in grips:
            # A grip's strings ("1 5 b7 3") stay on one line.
            memo = re.sub(r"(?<=: )[#b]*\d+(?: [#b]*\d+)+(?=\.)",
                          lambda m: m.group(0).replace(" ", "\0"), memo)
            lines = textwrap.wrap(caption + ": " + memo, WIDTH, initial_indent="  ",
                                  subsequent_indent="    ", break_on_hyphens=False,
                                  break_long_words=False)
            page.add(*(line.replace("\0", " ") for line in lines))
        if opens:
            page.add(*wrap("Open chords in the list: %s." % ", ".join(opens), "  "))

    page.prose("Related", entry["related"])
    more, fewer, moved = one_note_away(chords, number)
    page.add("")
    for label, names in (("One more note:", more), ("One note less:", fewer),
                         ("One note moved a half step:", moved)):
        if names:
            page.add(*wrap("%s %s." % (label, ", ".join(names))))
    related = [scales[int(n)]["name"] for n in chord["related"] if n.isdigit()
               and int(n) < len(scales)]
    if related:
        page.add("")
        page.add(*wrap("Scales to play over it: " + ", ".join(related) + "."))
    return page.text()


# --------------------------------------------------------------------------
# Scales
# --------------------------------------------------------------------------

def scale_page(scales, chords, number, entry):
    scale = scales[number]
    tokens = scale["tokens"]
    page = Page("%s scale" % scale["name"])
    if scale["alt"]:
        page.add(*labelled("Also called:", ", ".join(scale["alt"]) + "."))
    formula_block(page, tokens)
    body_sections(page, entry)
    page.prose("On the neck", entry["practice"])
    page.prose("Related", entry["related"])
    fits = ["C" + c["name"] for c in chords if str(number) in c["related"]]
    if fits:
        page.add("")
        page.add(*wrap("Chords it is played over (on C): " + ", ".join(fits) + "."))
    return page.text()


# --------------------------------------------------------------------------
# Triads
# --------------------------------------------------------------------------

STRING_GROUPS = ["Strings 6-5-4", "Strings 5-4-3", "Strings 4-3-2", "Strings 3-2-1"]


def triad_page(triads, number, entry):
    sec = triads[str(number)]
    tokens = formula_of("triad.ini", sec)
    name = sec["name"]
    for form in ("Root Position", "1st Inversion", "2nd Inversion"):
        if name.endswith(" " + form):
            name = "%s triad, %s" % (name[:-len(form) - 1], form.lower())
            break
    page = Page("%s (on C)" % name)
    formula_block(page, tokens)
    inversion = number % 3
    notes = spell("C", tokens)
    order = notes[inversion:] + notes[:inversion]
    page.add(*labelled("Bass to top:", " ".join(order) + " (bass %s, the %s)." % (
        order[0], ["root", "3rd", "5th"][inversion])))
    body_sections(page, entry)
    page.prose("On the neck", entry["practice"])
    shapes = []
    for g, group in enumerate(STRING_GROUPS):
        key = "%d.%d" % (number, g)
        if key not in triads:
            continue
        frets = triads[key].get("fret", "")
        root_string = int(triads[key].get("rootnote", "0"))
        if len(frets) != 12 or not 1 <= root_string <= 6:
            continue
        shift = (0 - open_pitch_class(root_string)) % 12 or 12
        played = {s: fret_pair(frets, s) for s in range(6, 0, -1)}
        absolute = {s: f + shift for s, f in played.items() if f is not None}
        if min(absolute.values()) <= 0:
            absolute = {s: f + 12 for s, f in absolute.items()}
        shapes.append("%s: frets %s (root on the %s string)." % (
            group, "-".join(str(absolute[s]) for s in sorted(absolute, reverse=True)),
            ordinal(root_string)))
    if shapes:
        page.add("")
        page.add("The shapes of the program with the root C, low string first:")
        for line in shapes:
            page.add(*wrap(line, "  "))
    page.prose("Related", entry["related"])
    return page.text()


# --------------------------------------------------------------------------

def load_facts(folder, name):
    path = os.path.join(folder, name + ".py")
    if not os.path.exists(path):
        return {}
    return runpy.run_path(path)["FACTS"]


def write_if_changed(path, text):
    try:
        with open(path, encoding="utf-8") as f:
            if f.read() == text:
                return False
    except FileNotFoundError:
        pass
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    return True


def build_texts(data, facts_folder):
    """Every text as {stem: text}, for the items that have prose."""
    chord_ini = read_ini(os.path.join(data, "chord.ini"))
    scale_ini = read_ini(os.path.join(data, "scale.ini"))
    triad_ini = read_ini(os.path.join(data, "triad.ini"))
    voicings = read_ini(os.path.join(data, "voicing.ini"))

    chords = [{"name": s.get("name", ""), "verbose": s.get("nameverbose", ""),
               "symbols": s.get("chordsymbols", "").split(";"),
               "tokens": formula_of("chord.ini", s),
               "related": s.get("relatedscaleid", "").split(";"),
               "info": s.get("info", "")} for s in numbered(chord_ini)]
    for c in chords:
        c["pcs"] = frozenset(interval_set(c["tokens"]))
    scales = [{"name": s.get("Name", ""),
               "alt": [a for a in s.get("altname", "").split(";") if a],
               "tokens": formula_of("scale.ini", s),
               "info": s.get("info", "")} for s in numbered(scale_ini)]

    texts = {}
    for kind, items, facts_name in (("chord", chords, "facts_chords"),
                                    ("scale", scales, "facts_scales")):
        facts = load_facts(facts_folder, facts_name)
        stems = {item["info"] for item in items}
        for stem in facts:
            if stem not in stems:
                raise SystemExit("%s: %s is not the info stem of any %s" % (facts_name, stem,
                                                                          kind))
        for number, item in enumerate(items):
            entry = facts.get(item["info"])
            if entry is None:
                continue
            check_fields(kind, item["info"], entry)
            texts[item["info"]] = (chord_page(chords, scales, voicings, number, entry)
                                   if kind == "chord" else
                                   scale_page(scales, chords, number, entry))

    facts = load_facts(facts_folder, "facts_triads")
    library = [s for s in numbered(triad_ini)]
    stems = {s.get("info", "") for s in library}
    for stem in facts:
        if stem not in stems:
            raise SystemExit("facts_triads: %s is not the info stem of any triad" % stem)
    for number, sec in enumerate(library):
        entry = facts.get(sec.get("info", ""))
        if entry is not None:
            check_fields("triad", sec["info"], entry)
            texts[sec["info"]] = triad_page(triad_ini, number, entry)
    return texts


def main(argv):
    root = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                         os.pardir, os.pardir))
    data = argv[1] if len(argv) > 1 else os.path.join(root, "data")
    facts_folder = os.path.dirname(os.path.abspath(__file__))
    texts = build_texts(data, facts_folder)
    os.makedirs(os.path.join(data, "system"), exist_ok=True)
    changed = 0
    for stem, text in sorted(texts.items()):
        long_lines = [l for l in text.splitlines() if len(l) > WIDTH]
        if long_lines:
            raise SystemExit("%s: a line is wider than %d columns: %s" % (stem, WIDTH,
                                                                         long_lines[0]))
        changed += write_if_changed(os.path.join(data, "system", stem + ".txt"), text)
    print("%d texts, %d changed" % (len(texts), changed))


if __name__ == "__main__":
    main(sys.argv)
