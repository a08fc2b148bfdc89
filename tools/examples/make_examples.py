#!/usr/bin/python3
"""Writes the play-along examples of the library: for every chord, scale and triad two
accompaniment sequences (<stem>_1.emd, <stem>_2.emd) with their bass-and-drums versions
(<stem>_1g.emd, <stem>_2g.emd), and the six pedal grooves P01.emd .. P06.emd shared by all items;
then sets each item's "examples" key to "2*" in chord.ini, scale.ini and triad.ini, leaving every
other byte of those files as it was; and names every example in examples.ini (names.py), the
names the information window lists.

Every example is on C. Before anything is written each one is checked: at least 8 seconds and
under a minute, and outside the drums at least half of its sounding note time on the chord's or
triad's own notes, at least 85 % on a scale's notes. Nothing is written when one fails.

    tools/examples/make_examples.py [--data DIR] [--check] [--list]
"""
import argparse
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.dont_write_bytecode = True
sys.path[:0] = [str(HERE), str(HERE.parent / "theory")]

from arrange import Context, render  # noqa: E402
from chordalis_theory import formula_semitones  # noqa: E402
from names import example_name, pedal_name  # noqa: E402
from repertoire import CHORDS, SCALES, SCALE_GROUP_STYLES, TRIADS  # noqa: E402
from smf import emd  # noqa: E402
from styles import PEDALS  # noqa: E402

SEQUENCES = 2
EXAMPLES_VALUE = "%d*" % SEQUENCES
CHORD_SHARE, SCALE_SHARE = 0.5, 0.85


def read_ini(path):
    sections, current = {}, None
    for line in path.read_text(encoding="utf-8").splitlines():
        m = re.match(r"\s*\[(.*)\]\s*$", line)
        if m:
            current = sections.setdefault(m.group(1).strip().lower(), {})
        elif current is not None and "=" in line:
            key, value = line.split("=", 1)
            current.setdefault(key.strip().lower(), value.strip())
    return sections


def items(sections, count):
    return [(n, sections[str(n)]) for n in range(count) if str(n) in sections]


def set_examples_keys(path, numbers, value):
    """Rewrites only the value of each "examples" key in the sections named by the numbers."""
    raw = path.read_bytes()
    lines = raw.splitlines(keepends=True)
    wanted = {str(n) for n in numbers}
    section = None
    out = []
    seen = set()
    for line in lines:
        text = line.decode("utf-8")
        m = re.match(r"\s*\[(.*)\]\s*$", text)
        if m:
            section = m.group(1).strip()
        else:
            k = re.match(r"(\s*examples\s*=)([^\r\n]*)(\r?\n?)$", text, re.IGNORECASE)
            if k and section in wanted and section not in seen:
                seen.add(section)
                text = k.group(1) + value + k.group(3)
        out.append(text.encode("utf-8"))
    missing = wanted - seen
    if missing:
        raise SystemExit("%s: no examples key in sections %s" % (path, sorted(missing, key=int)))
    new = b"".join(out)
    if new != raw:
        path.write_bytes(new)


def write_names(path, captions):
    """The examples' names in the information window, one key per file stem."""
    lines = ["; The names the information window gives the examples of midi/, by file name.",
             "; Written by tools/examples/make_examples.py; an example without a name here is",
             "; listed as \"Sequence n\" or \"Pedal Groove #n\".", "[names]"]
    lines += ["%s=%s" % (stem, captions[stem]) for stem in sorted(captions)]
    text = ("\n".join(lines) + "\n").encode("utf-8")
    if not path.exists() or path.read_bytes() != text:
        path.write_bytes(text)


def share_on(sounding, pcs):
    total = sum(sounding.values())
    return sum(t for pc, t in sounding.items() if pc in pcs) / total if total else 1.0


def main():
    here = pathlib.Path(__file__).resolve().parent
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--data", default=str(here.parent.parent / "data"))
    parser.add_argument("--check", action="store_true", help="check and report, write nothing")
    parser.add_argument("--list", action="store_true",
                        help="print what each sequence plays (style, tempo, chords), write nothing")
    args = parser.parse_args()
    data = pathlib.Path(args.data)

    chord_ini = read_ini(data / "chord.ini")
    scale_ini = read_ini(data / "scale.ini")
    triad_ini = read_ini(data / "triad.ini")
    qualities = {v["name"]: v["formula"] for _, v in items(chord_ini, int(chord_ini["totals"]["numchords"]))}
    scale_groups = scale_ini.get("groups", {})

    files = {}
    captions = {}
    listing = []
    problems = []
    lowest = {}
    numbers = {"chord": [], "scale": [], "triad": []}

    def add(kind, number, stem, plans, ctx, pcs, threshold, label="X"):
        if len(plans) != SEQUENCES:
            problems.append("%s %s: %d sequences" % (kind, stem, len(plans)))
            return
        numbers[kind].append(number)
        heard = set()
        for n, (style, bpm, progression, ending) in enumerate(plans, 1):
            named = re.sub(r"\bX\b", label, "%s, ending on %s" % (progression, ending))
            listing.append("%s_%d: %s at %d: %s" % (stem, n, style, bpm, named))
            for suffix, full in (("", True), ("g", False)):
                name = "%s_%d%s" % (stem, n, suffix)
                try:
                    mid, seconds, sounding = render(style, bpm, progression, ctx, ending, full)
                except (ValueError, KeyError) as e:
                    problems.append("%s: %s" % (name, e))
                    continue
                if full:
                    heard.update(pc for pc, ticks in sounding.items() if ticks > 0)
                share = share_on(sounding, pcs)
                if not 8 <= seconds < 60:
                    problems.append("%s: %.1f s" % (name, seconds))
                if share < threshold:
                    problems.append("%s: %.1f %% on its notes" % (name, 100 * share))
                if kind not in lowest or share < lowest[kind][0]:
                    lowest[kind] = (share, name)
                files[name] = mid
                captions[name] = example_name(style, bpm, progression, ctx, full)
        # A scale's backings together sound each of its notes: the b6 of Hirajoshi, the b2 of
        # In are what sets them apart, and a backing without them hides the scale.
        if kind == "scale" and not pcs <= heard:
            problems.append("%s: no backing sounds the notes %s above C" % (
                stem, " ".join(str(pc) for pc in sorted(pcs - heard))))

    def semitones(kind, number, section):
        """The item's formula in semitones, or None (and a problem) for one the program refuses."""
        try:
            return formula_semitones(section.get("formula", ""))
        except ValueError as e:
            problems.append("%s %d: %s" % (kind, number, e))
            return None

    for number, c in items(chord_ini, int(chord_ini["totals"]["numchords"])):
        item = semitones("chord", number, c)
        if item is None:
            continue
        plans = CHORDS.get(c["name"])
        if plans is None:
            problems.append("chord %s has no sequences" % c["name"])
            continue
        add("chord", number, c["info"], plans, Context(qualities, item), {i % 12 for i in item}, CHORD_SHARE,
            "C" + ("" if c["name"] == "maj" else c["name"]))

    for number, t in items(triad_ini, 12):
        item = semitones("triad", number, t)
        if item is None:
            continue
        plans = TRIADS.get(t["name"])
        if plans is None:
            problems.append("triad %s has no sequences" % t["name"])
            continue
        label = {"1;3;5": "C", "1;b3;5": "Cm", "1;b3;b5": "Cdim", "1;3;#5": "Caug"}.get(t["formula"], "X")
        add("triad", number, t["info"], plans, Context(qualities, item), {i % 12 for i in item}, CHORD_SHARE,
            label)

    for number, s in items(scale_ini, int(scale_ini["totals"]["numscales"])):
        item = semitones("scale", number, s)
        if item is None:
            continue
        notes = {i % 12 for i in item}
        group = scale_groups.get(s.get("group", ""), "default")
        plans = SCALES.get(s["name"]) or SCALE_GROUP_STYLES.get(group) or SCALE_GROUP_STYLES["default"]
        add("scale", number, s["info"], plans, Context(qualities, None, notes), notes, SCALE_SHARE)

    pedal_ctx = Context(qualities, [0])
    for k, (style, bpm) in enumerate(PEDALS, 1):
        mid, seconds, _ = render(style, bpm, "X X X X", pedal_ctx, "X", True, pedal_only=True)
        if not 8 <= seconds < 60:
            problems.append("P0%d: %.1f s" % (k, seconds))
        files["P0%d" % k] = mid
        captions["P0%d" % k] = pedal_name(style, bpm)

    for kind, (share, name) in sorted(lowest.items()):
        print("lowest share on the item's notes, %ss: %.1f %% (%s)" % (kind, 100 * share, name))
    size = sum(len(m) for m in files.values())
    print("%d example files, %d bytes" % (len(files), size))
    if problems:
        print("\n".join(problems), file=sys.stderr)
        return 1
    if args.list:
        print("\n".join(listing))
    if args.check or args.list:
        return 0

    folder = data / "midi"
    folder.mkdir(exist_ok=True)
    for old in folder.glob("*.emd"):
        if old.stem not in files:
            old.unlink()
    for name, mid in files.items():
        path = folder / (name + ".emd")
        encoded = emd(mid)
        if not path.exists() or path.read_bytes() != encoded:
            path.write_bytes(encoded)
    write_names(data / "examples.ini", captions)
    set_examples_keys(data / "chord.ini", numbers["chord"], EXAMPLES_VALUE)
    set_examples_keys(data / "scale.ini", numbers["scale"], EXAMPLES_VALUE)
    set_examples_keys(data / "triad.ini", numbers["triad"], EXAMPLES_VALUE)
    return 0


if __name__ == "__main__":
    sys.exit(main())
