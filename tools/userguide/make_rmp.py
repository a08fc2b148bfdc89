#!/usr/bin/python3
"""Writes data/system/rmp.htm, the root movement patterns page, with its neck diagrams.

Every diagram is computed here: each chord's root is placed on the string the table names,
at the fret nearest the table's hand position, and checked against its name before it is drawn.
    python3 tools/userguide/make_rmp.py [OUT]
"""
import html
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(HERE, os.pardir, "theory"))
from chordalis_theory import FLAT_NAMES, open_pitch_class, pitch_class  # noqa: E402


def root_of(chord):
    """The root's pitch class of a chord symbol such as Bbmaj7 or F#m7b5."""
    name = chord[:2] if len(chord) > 1 and chord[1] in "#b" else chord[:1]
    return pitch_class(name)


def place(chord, string, near):
    """The fret (0..15) of the chord's root on the string nearest the hand position."""
    pc = root_of(chord)
    base = (pc - open_pitch_class(string)) % 12
    frets = [f for f in (base, base + 12) if f <= 15]
    fret = min(frets, key=lambda f: (abs(f - near), f))
    assert (open_pitch_class(string) + fret) % 12 == pc, (chord, string, fret)
    return fret


def diagram(steps, caption, first=0, last=12):
    """An inline SVG neck from fret `first` to `last`: each step a numbered root marker."""
    cell, top, left = 34, 22, 30
    width = left + (last - first + 1) * cell + 10
    height = top + 6 * 18 + 34
    y = {s: top + (s - 1) * 18 for s in range(1, 7)}
    out = [f'<svg class="neck" viewBox="0 0 {width} {height}" width="{width}" height="{height}" '
           f'role="img" aria-label="{html.escape(caption)}">']
    out.append(f'<rect x="{left}" y="{top - 8}" width="{(last - first + 1) * cell}" '
               f'height="{5 * 18 + 16}" fill="#f3e6cf"/>')
    for f in range(first, last + 1):
        x = left + (f - first + 1) * cell
        out.append(f'<line x1="{x}" y1="{top - 8}" x2="{x}" y2="{top + 5 * 18 + 8}" '
                   f'stroke="#888" stroke-width="{4 if f == 0 else 1.5}"/>')
        out.append(f'<text x="{x - cell / 2}" y="{height - 6}" class="fn">{f}</text>')
    for s in range(1, 7):
        out.append(f'<line x1="{left}" y1="{y[s]}" x2="{width - 10}" y2="{y[s]}" '
                   f'stroke="#555" stroke-width="{0.6 + s * 0.25:.2f}"/>')
        out.append(f'<text x="10" y="{y[s] + 4}" class="sn">{"EBGDAE"[s - 1]}</text>')
    for f in (3, 5, 7, 9, 12, 15):
        if first <= f <= last:
            for cy in ((top + 1.5 * 18, top + 3.5 * 18) if f == 12 else (top + 2.5 * 18,)):
                out.append(f'<circle cx="{left + (f - first + 0.5) * cell}" cy="{cy}" '
                           f'r="4" fill="#ccc"/>')
    seen = {}
    for n, (chord, string, fret) in enumerate(steps, 1):
        if not first <= fret <= last:
            raise ValueError(f"{chord} at fret {fret} lies outside {first}..{last}")
        cx = left + (fret - first + 0.5) * cell
        key = (string, fret)
        shift = seen.get(key, 0)
        seen[key] = shift + 1
        cx += shift * 9
        colour = "#c0392b" if n == 1 else "#1f4e9c"
        out.append(f'<circle cx="{cx}" cy="{y[string]}" r="9" fill="{colour}"/>')
        out.append(f'<text x="{cx}" y="{y[string] + 4}" class="mk">{n}</text>')
    out.append("</svg>")
    # Shapes get end tags of their own: simple HTML checkers do not know self-closing tags.
    return re.sub(r"<(\w+)([^<>]*?)/>", r"<\1\2></\1>", "\n".join(out))


def progression(title, key, chords, plan, text, first=0, last=12):
    """A section: the chords, their roots placed by plan [(string, near)], and a diagram."""
    assert len(chords) == len(plan), title
    steps = [(c, s, place(c, s, near)) for c, (s, near) in zip(chords, plan)]
    rows = "".join(
        f"<tr><td>{n}</td><td>{html.escape(c)}</td><td>{s}th</td><td>{f}</td></tr>"
        for n, (c, s, f) in enumerate(steps, 1))
    caption = (f"{title} in {key}: " + ", ".join(
        f"{n} {c} on the {s}th string at fret {f}" for n, (c, s, f) in enumerate(steps, 1)))
    return (f'<h3>{html.escape(title)} <span class="key">({html.escape(key)})</span></h3>\n'
            f"<p>{text}</p>\n"
            f'<p class="chords">{" &ndash; ".join(html.escape(c) for c in chords)}</p>\n'
            f'<div class="pair">{diagram(steps, caption, first, last)}\n'
            f'<table class="roots"><tr><th>#</th><th>chord</th><th>root on</th><th>fret</th></tr>'
            f"{rows}</table></div>\n")


def moves_table():
    """How each root movement looks between the 6th- and 5th-string roots, worked out."""
    moves = [(1, "up a half step"), (2, "up a whole step"), (3, "up a minor 3rd"),
             (4, "up a major 3rd"), (5, "up a 4th (down a 5th)"), (6, "a tritone"),
             (7, "up a 5th (down a 4th)"), (8, "down a major 3rd"), (9, "down a minor 3rd"),
             (10, "down a whole step"), (11, "down a half step")]

    def shift(a, b, step):
        # the fret difference, folded near the hand
        d = (open_pitch_class(a) + step - open_pitch_class(b)) % 12
        return d - 12 if d > 6 else d

    def say(d):
        return "same fret" if d == 0 else f"{abs(d)} fret{'s' if abs(d) > 1 else ''} " + (
            "higher" if d > 0 else "lower")
    rows = []
    for step, name in moves:
        rows.append(f"<tr><td>{name}</td><td>{say(shift(6, 6, step))}</td>"
                    f"<td>{say(shift(6, 5, step))}</td><td>{say(shift(5, 6, step))}</td></tr>")
    return ('<table class="moves"><tr><th>the root moves</th><th>6th string to 6th string</th>'
            "<th>6th string to 5th string</th><th>5th string to 6th string</th></tr>"
            + "".join(rows) + "</table>")


def cycle(title, start, step, text):
    names = []
    pc = pitch_class(start)
    for _ in range(12):
        names.append(FLAT_NAMES[pc])
        pc = (pc + step) % 12
    # alternate the strings, 6th first; keep the hand between frets 1 and 12
    plan, near = [], None
    steps = []
    for i, c in enumerate(names):
        s = 6 if i % 2 == 0 else 5
        near = place(c, s, 8) if near is None else near
        f = place(c, s, near)
        if f == 0:
            f = 12
        steps.append((c, s, f))
        near = f
    cap = f"{title}: " + ", ".join(f"{n} {c} on the {s}th string at fret {f}"
                                   for n, (c, s, f) in enumerate(steps, 1))
    seq = " &rarr; ".join(names) + " &rarr; " + names[0]
    return (f"<h3>{title}</h3>\n<p>{text}</p>\n<p class=\"chords\">{seq}</p>\n"
            f"{diagram(steps, cap, 0, 15)}\n")


PROGRESSIONS = [
    ("Jazz", [
        ("ii-V-I, major", "C major", ["Dm7", "G7", "Cmaj7"], [(5, 5), (6, 3), (5, 3)],
         "The cadence of jazz and of most standards: each root falls a fifth. With the ii on the "
         "5th string the V is on the 6th string two frets lower and the I back on the 5th string "
         "at the V's fret: the three grips lie between the 3rd and the 7th fret."),
        ("ii-V-I, the other way round the strings", "C major", ["Dm7", "G7", "Cmaj7"],
         [(6, 10), (5, 10), (6, 8)],
         "The same cadence starting on the 6th string: ii and V share a fret, the I lies two frets "
         "lower on the 6th string. Learn both so that any ii-V-I is within one hand position."),
        ("ii-V-i, minor", "A minor", ["Bm7b5", "E7", "Am"], [(5, 2), (6, 0), (5, 0)],
         "The minor cadence: a half-diminished ii, a dominant V (often 7b9) and a minor i. The "
         "root movement is the same as in major; only the chord qualities change.", 0, 12),
        ("I-vi-ii-V (turnaround)", "Bb major", ["Bbmaj7", "Gm7", "Cm7", "F7"],
         [(6, 6), (6, 3), (5, 3), (6, 1)],
         "The turnaround of countless standards and of the 'rhythm changes' form: after the I "
         "the roots fall a fifth three times (G to C to F) back to the I."),
        ("iii-vi-ii-V-I", "C major", ["Em7", "Am7", "Dm7", "G7", "Cmaj7"],
         [(5, 7), (6, 5), (5, 5), (6, 3), (5, 3)],
         "A chain of falling fifths, the backbone of many bridges: the roots zigzag between the "
         "5th and 6th strings, two frets lower at every second chord."),
        ("Tritone substitution", "C major", ["Dm7", "Db7", "Cmaj7"], [(5, 5), (5, 4), (5, 3)],
         "A dominant a tritone away from the V (Db7 for G7) shares its 3rd and 7th; the roots "
         "then fall by half steps along one string."),
    ]),
    ("Blues, rock, country and folk", [
        ("I-IV-V (twelve-bar blues)", "A", ["A7", "D7", "E7"], [(6, 5), (5, 5), (5, 7)],
         "The three chords of the blues: the IV is across on the 5th string at the same fret, the "
         "V two frets higher. The twelve-bar form: I I I I | IV IV I I | V IV I V."),
        ("I-IV-V with open chords", "G", ["G", "C", "D"], [(6, 3), (5, 3), (4, 0)],
         "The folk and country shape of the same movement in G: the D chord's root is the open "
         "4th string.", 0, 5),
        ("I-bVII-IV (mixolydian rock)", "D", ["D", "C", "G"], [(5, 5), (5, 3), (6, 3)],
         "The flat seventh chord borrowed from the mixolydian mode: down a whole step, then down "
         "a fourth. A rock and anthem staple."),
        ("i-bVI-bVII (minor rock)", "E minor", ["E5", "C5", "D5"], [(6, 0), (5, 3), (5, 5)],
         "Power chords in a minor key: the roots fall a major third, then climb a whole step "
         "back towards the i. Heard in hard rock and metal riffs.", 0, 7),
    ]),
    ("Pop and soul", [
        ("I-V-vi-IV", "C major", ["C", "G", "Am", "F"], [(5, 3), (6, 3), (6, 5), (6, 1)],
         "The four chords of a great many pop songs. Rotations of it (vi-IV-I-V, IV-I-V-vi) are "
         "the same loop entered at another chord."),
        ("I-vi-IV-V (doo-wop)", "G major", ["G", "Em", "C", "D"], [(6, 3), (5, 7), (5, 3), (5, 5)],
         "The 1950s ballad progression; with ii in place of IV it becomes the jazz turnaround."),
        ("vi-IV-I-V", "C major", ["Am", "F", "C", "G"], [(6, 5), (6, 1), (5, 3), (6, 3)],
         "The pop loop of the minor-sounding start: the same four chords as I-V-vi-IV."),
        ("i-iv vamp (soul, funk)", "A minor", ["Am7", "Dm7"], [(6, 5), (5, 5)],
         "Two chords a fourth apart, held for bars at a time: across the strings at one fret."),
    ]),
    ("Latin, flamenco and classical", [
        ("Andalusian cadence", "A minor", ["Am", "G", "F", "E"], [(5, 0), (6, 3), (6, 1), (6, 0)],
         "i-bVII-bVI-V: the roots walk down the minor scale to the major V, the flamenco cadence "
         "and the E chord at its end is the home of the flamenco Phrygian mode.", 0, 5),
        ("i-iv-V-i (minor cadence)", "E minor", ["Em", "Am", "B7", "Em"], [(6, 0), (5, 0), (5, 2), (6, 0)],
         "The minor cadence of classical and Latin music, with the harmonic minor's major V.",
         0, 5),
        ("Circle progression", "A minor", ["Am", "Dm", "G", "C", "F", "Bm7b5", "E7", "Am"],
         [(6, 5), (5, 5), (6, 3), (5, 3), (6, 1), (5, 2), (6, 0), (5, 0)],
         "Every chord of the key in falling fifths (with one diminished fifth, F to B): the "
         "'falling leaves' movement of baroque music, bossa nova and countless standards.", 0, 7),
    ]),
]


def page():
    parts = ['''<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Root Movement Patterns</title>
<style>
body { font-family: sans-serif; max-width: 58em; margin: 1.5em auto; padding: 0 1em; line-height: 1.45; color: #222; }
h1, h2, h3 { color: #203060; }
h3 .key { font-weight: normal; color: #555; }
.chords { font-weight: bold; font-size: 1.1em; }
.pair { display: flex; flex-wrap: wrap; gap: 1.5em; align-items: flex-start; }
svg.neck { max-width: 100%; height: auto; }
svg .fn { font-size: 10px; text-anchor: middle; fill: #555; }
svg .sn { font-size: 11px; font-weight: bold; text-anchor: middle; fill: #333; }
svg .mk { font-size: 11px; font-weight: bold; text-anchor: middle; fill: #fff; }
table { border-collapse: collapse; }
td, th { border: 1px solid #bbb; padding: 0.2em 0.6em; text-align: left; }
th { background: #eef; }
nav li { margin: 0.1em 0; }
</style>
</head>
<body>
<h1>Root Movement Patterns</h1>
<p>A chord progression is, first of all, a path of roots. Guitarists who know where the roots
lie on the 6th and 5th strings can reach any chord of a progression without leaving one hand
position: every major, minor and seventh grip of the Chords page has a form with its root on the
6th string and one with its root on the 5th string (the voicing names say which). This page
shows the common paths. In each diagram the numbers are the order of the chords; the first
chord is red. Frets are counted from the nut, strings are named by their open notes (high E at
the top, as on the program's neck).</p>
<nav><h2>Contents</h2><ol>
<li><a href="#moves">The moves on two strings</a></li>
<li><a href="#cycles">Cycles of fourths and fifths</a></li>''']
    for i, (style, _) in enumerate(PROGRESSIONS):
        parts.append(f'<li><a href="#s{i}">{html.escape(style)}</a></li>')
    parts.append('<li><a href="#practice">Practising the patterns</a></li></ol></nav>')
    parts.append('<h2 id="moves">The moves on two strings</h2>\n'
                 '<p>The 5th string is tuned a fourth above the 6th, so a root on the 5th string '
                 'is a fourth above the root on the 6th string at the same fret. From that one '
                 'fact every movement has a fixed shape (higher: towards the body):</p>'
                 + moves_table() +
                 "<p>Two moves matter most: <b>up a fourth</b> is straight across from the 6th "
                 "to the 5th string, and <b>up a fifth</b> is straight across from the 5th to "
                 "the 6th string. Together they make the cycles below.</p>")
    parts.append('<h2 id="cycles">Cycles of fourths and fifths</h2>')
    parts.append(cycle("Cycle of fourths", "C", 5,
                       "Each root a fourth above the last (a fifth below): the order of most "
                       "jazz and pop harmony, of ii-V-I chains and of the keys' flats. On the "
                       "neck: across to the 5th string, then back to the 6th string two frets "
                       "lower, and so on down the neck; when the hand reaches the nut it "
                       "jumps up an octave (E and A at the 12th fret)."))
    parts.append(cycle("Cycle of fifths", "C", 7,
                       "Each root a fifth above the last: the order of the sharp keys, and the "
                       "cycle of fourths read backwards. On the neck: from the 5th string "
                       "straight across to the 6th string, then two frets higher on the 5th; when the frets run out the path jumps back down an octave (Db at the 4th fret)."))
    for i, (style, items) in enumerate(PROGRESSIONS):
        parts.append(f'<h2 id="s{i}">{html.escape(style)}</h2>')
        for item in items:
            parts.append(progression(*item))
    parts.append('''<h2 id="practice">Practising the patterns</h2>
<ul>
<li>Play only the roots first, on the 6th and 5th strings, saying each chord's name; then put the
grips on them. The Chords page lists each chord's voicings with the string of their root
("Root 6th", "Root 5th").</li>
<li>Move each progression through all twelve keys round the cycle of fourths: the shape of the
path stays the same, only the starting fret moves.</li>
<li>Switch the metronome on (Options, Metronome) and change chord on the first beat of each bar.</li>
<li>Use the Chord/Scale page to see which scale fits each chord of the progression.</li>
</ul>
<p><a href="../userguide/index.htm">Back to the user guide</a></p>
</body>
</html>
''')
    return "\n".join(parts)


if __name__ == "__main__":
    out = (sys.argv[1] if len(sys.argv) > 1
           else os.path.join(HERE, os.pardir, os.pardir, "data", "system", "rmp.htm"))
    with open(out, "w", encoding="utf-8") as f:
        f.write(page())
