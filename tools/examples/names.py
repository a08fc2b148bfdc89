"""Names the examples as the information window lists them, from what they play: the style, the
progression in Roman numerals on the item's root (so the name holds in every key the window moves
the example to) and the instruments ("Swing ii-V-I with piano, bass and drums")."""

from arrange import parse_progression
from styles import STYLES

STYLE_NAMES = {
    "swing": "Swing", "ballad": "Ballad", "bossa": "Bossa nova", "pop": "Pop", "rock": "Rock",
    "funk": "Funk", "shuffle": "Shuffle", "slowblues": "Slow blues", "waltz": "Jazz waltz",
    "rumba": "Flamenco rumba", "latin": "Son montuno", "drone": "Drone", "sixeight": "6/8",
    "raga": "Raga", "japan": "Japanese ballad",
}

# General MIDI programs (0-based) of the comping and pad tracks, as a player names them.
PROGRAM_NAMES = {
    0: "piano", 4: "electric piano", 7: "clavinet", 11: "vibraphone", 16: "organ", 18: "organ",
    20: "reed organ", 48: "strings", 49: "strings", 52: "choir", 88: "pad", 89: "pad",
}

NUMERALS = ["I", "bII", "II", "bIII", "III", "IV", "bV", "V", "bVI", "VI", "bVII", "VII"]


def numeral(chord):
    """The Roman numeral of a chord on C: lower case for a minor or diminished triad, with "°"
    or "+" for the diminished and augmented ones."""
    text = NUMERALS[chord.root]
    minor = chord.has(3) and not chord.has(4)
    if minor:
        flat = "b" if text.startswith("b") else ""
        text = flat + text[len(flat):].lower()
    if minor and chord.has(6) and not chord.has(7):
        text += "°"
    elif chord.has(4) and chord.has(8) and not chord.has(7):
        text += "+"
    return text


def progression_name(style, progression, ctx):
    bars = progression.split()
    chords = [c for _, _, c in parse_progression(progression, ctx, 1000)]
    numerals = []
    for chord in chords:
        n = numeral(chord)
        if not numerals or numerals[-1] != n:
            numerals.append(n)
    pedal = any(c.slash and c.bass not in c.pcs for c in chords)
    if len(bars) == 12:
        name = "twelve-bar minor blues" if numerals[0].islower() else "twelve-bar blues"
    elif len(set(numerals)) == 1:
        name = "vamp on %s" % numerals[0]
    else:
        name = "-".join(numerals)
    if pedal:
        name += " over a pedal"
    return name


def instruments(style, full):
    st = STYLES[style]
    if not full:
        return "bass and drums"
    names = [PROGRAM_NAMES.get(st["comp_program"], "keys")]
    if st.get("pad") is not None and PROGRAM_NAMES.get(st["pad"]) not in names:
        names.append(PROGRAM_NAMES.get(st["pad"], "pad"))
    return ", ".join(names) + ", bass and drums"


def example_name(style, bpm, progression, ctx, full):
    return "%s %s with %s (%d bpm)" % (STYLE_NAMES.get(style, style.capitalize()),
                                      progression_name(style, progression, ctx),
                                      instruments(style, full), bpm)


def pedal_name(style, bpm):
    return "%s groove: drums and bass on the root (%d bpm)" % (
        STYLE_NAMES.get(style, style.capitalize()), bpm)
