#!/usr/bin/env python3
"""Checks the voicing engine's grips with theory of its own.

Runs `chordalis-cli voicings` (every chord of the library on the roots C..B, as the chords page
lists the engine's grips) for each neck and capo below, and checks every grip as a player would:

  foreign-tone      a string sounds a note that is not in the chord
  missing-tone      a tone the name states does not sound (only the perfect 5th, then the 9th
                    under an 11th or 13th, then the 11th under a 13th may be left out)
  caption-omission  the caption does not say exactly which of those are left out ("no 5th")
  bass              another tone than the root sounds lowest, on a neck with a bass (on a
                    re-entrant neck, a ukulele's, any tone may be lowest) and no caption that
                    names the tone in the bass
  caption-bass      the caption's "Root 5th" names another string than the one with the bass
  span              the fretted notes span more than 4 frets, or 5 frets that reach further
                    than a hand does (frets 1 to 4 of a 648 mm neck: 134 mm)
  fingers           a fretted string without a finger 1..4, a finger on an open string, more
                    than four fingers
  finger-frets      one finger on two frets
  barre             a finger across strings that are not adjacent (the index alone may bar
                    over strings that other fingers fret higher), a barre with an open or muted
                    string under it, or an index barre above the lowest fretted fret
  finger-order      a higher finger on a lower fret than a lower finger
  stretch           two fingers further apart in frets than one fret beyond their own distance
  capo              a string under the capo fretted behind it, or open anywhere but at the capo
                    (a short string, the banjo's fifth, starts at its first fret: nothing below
                    it, open there or at a capo above it)
  neck              a fret past the neck's last

The theory is this file's and tools/theory/chordalis_theory.py's, never the program's, so that a
fault the engine and its own tests share shows here.

Usage: check_grips.py --cli build/tools/cli/chordalis-cli [--data data] [--sample]
       [--show N]
Exit status 0 when every grip passes, 1 when one fails, 2 when the tool cannot run.
"""

import argparse
import collections
import json
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import chordalis_theory as theory  # noqa: E402

# The necks: the tuning dialog's presets by number, the program's other instruments by name,
# and capos across the neck and across some strings.
PRESETS = [["--preset", str(n)] for n in range(1, 17)]
INSTRUMENTS = [["--tuning", name] for name in (
    "7-String Guitar", "8-String Guitar", "4-String Bass", "5-String Bass", "Ukulele",
    "Ukulele (Low G)", "Baritone Ukulele", "Mandolin", "Tenor Banjo", "Drop A (7-String)",
    "5-String Banjo")]
CAPOS = [["--preset", "1", "--capo", "2"], ["--preset", "1", "--capo", "7"],
         ["--preset", "1", "--capo", "2:5-3"], ["--preset", "5", "--capo", "3"],
         ["--preset", "11", "--capo", "2"], ["--tuning", "5-String Banjo", "--capo", "2"],
         ["--tuning", "5-String Banjo", "--capo", "7"]]
ALL_NECKS = PRESETS + INSTRUMENTS + CAPOS
# A sample that runs in seconds: open G, DADGAD, a re-entrant neck, a partial capo, a short
# string.
SAMPLE_NECKS = [["--preset", "5"], ["--preset", "11"], ["--tuning", "Ukulele"],
                ["--preset", "1", "--capo", "2:5-3"], ["--tuning", "5-String Banjo"]]

PLAIN_SPAN = 4           # frets any hand holds
LONG_SPAN = 5            # frets where they are short enough
REACH_MM = 648.0 * (1 - 2 ** (-4 / 12))  # frets 1..4 of a 648 mm neck, about 134 mm


def wire_mm(scale, fret):
    """Distance from the nut to a fret's wire on a neck of that scale length."""
    return scale * (1 - 2 ** (-fret / 12))


def chord_tones(formula):
    """{semitones 0..11: (token, required)} of a formula, root first."""
    tokens = theory.formula_tokens(formula)
    degrees = [theory.token_degree(t) for t in tokens]
    has11or13 = any(d in (11, 13) for d in degrees)
    has13 = 13 in degrees
    tones = {}
    for token in tokens:
        pc = theory.token_semitones(token) % 12
        if pc in tones:
            continue
        optional = (token == "5" or (token == "9" and has11or13) or (token == "11" and has13))
        tones[pc] = (token, not optional)
    return tones


def ordinal_degree(token):
    return theory.ordinal(theory.token_degree(token))


def is_reentrant(tuning):
    return any(tuning[k + 1] > tuning[k] for k in range(len(tuning) - 1))


def capo_fret(capo, string, first=0):
    """The fret an open string sounds at under the capo (0 where it does not cover the string),
    or at the string's own first fret where that is higher."""
    fret = capo.get("fret", 0)
    high, low = capo.get("highString", 0), capo.get("lowString", 0)
    if fret <= 0 or (high > 0 and not high <= string <= low):
        fret = 0
    return max(fret, first)


def check_grip(grip, root, tones, neck):
    """The kinds of fault of one grip, each with a word of detail."""
    faults = []
    tuning, capo, scale = neck["tuning"], neck["capo"], neck["scaleLength"]
    frets, fingers, caption = grip["frets"], grip["fingers"], grip["caption"]
    sounding = []  # (pitch, string, fret, finger)
    for k, fret in enumerate(frets):
        string = k + 1
        if fret < 0:
            continue
        open_at = capo_fret(capo, string, neck.get("firstFrets", [0] * len(frets))[k])
        finger = fingers[k]
        if fret > neck["frets"]:
            faults.append(("neck", "string %d fret %d" % (string, fret)))
        if fret < open_at or (finger == 0 and fret != open_at):
            faults.append(("capo", "string %d fret %d, open at %d" % (string, fret, open_at)))
        if finger == 0 and fret == open_at:
            pass
        elif not 1 <= finger <= 4:
            faults.append(("fingers", "string %d fret %d finger %d" % (string, fret, finger)))
        sounding.append((tuning[k] + fret, string, fret, finger))
    if not sounding:
        return [("missing-tone", "nothing sounds")]

    # The notes.
    present = set()
    for pitch, string, _, _ in sounding:
        pc = (pitch - root) % 12
        if pc not in tones:
            faults.append(("foreign-tone", "string %d sounds %s" % (
                string, theory.FLAT_NAMES[pitch % 12])))
        present.add(pc)
    left_out = set()
    for pc, (token, required) in tones.items():
        if pc in present:
            continue
        if required:
            faults.append(("missing-tone", token))
        else:
            left_out.add(ordinal_degree(token))
    said = set(re.findall(r"\bno (\d+(?:st|nd|rd|th))\b", caption))
    if said != left_out:
        faults.append(("caption-omission", "left out %s, caption says %s" % (
            sorted(left_out) or "nothing", sorted(said) or "nothing")))

    # The bass.
    bass_pitch, bass_string = min((p, -s) for p, s, _, _ in sounding)
    bass_string = -bass_string
    if not is_reentrant(tuning):
        if (bass_pitch - root) % 12 != 0 and " in the bass" not in caption:
            faults.append(("bass", "%s lowest" % theory.FLAT_NAMES[bass_pitch % 12]))
        named = re.search(r"Root (\d+)(?:st|nd|rd|th)", caption)
        if named and int(named.group(1)) != bass_string:
            faults.append(("caption-bass", "bass on string %d" % bass_string))

    # The span: the fretted notes, the capo's frets not counted.
    fretted = [(f, s, g) for _, s, f, g in sounding if g >= 1]
    if fretted:
        low = min(f for f, _, _ in fretted)
        high = max(f for f, _, _ in fretted)
        span = high - low + 1
        reach = wire_mm(scale, high) - wire_mm(scale, low - 1)
        if span > LONG_SPAN or (span > PLAIN_SPAN and reach > REACH_MM + 0.5):
            faults.append(("span", "%d frets, %.0f mm" % (span, reach)))

    # The fingering.
    by_finger = collections.defaultdict(list)
    for fret, string, finger in fretted:
        if 1 <= finger <= 4:
            by_finger[finger].append((string, fret))
    for finger, places in by_finger.items():
        if len({f for _, f in places}) > 1:
            faults.append(("finger-frets", "finger %d on frets %s" % (
                finger, sorted({f for _, f in places}))))
            continue
        if len(places) < 2:
            continue
        fret = places[0][1]
        strings = sorted(s for s, _ in places)
        inside = range(strings[0], strings[-1] + 1)
        if finger != 1 and list(inside) != strings:
            faults.append(("barre", "finger %d across strings %s" % (finger, strings)))
        for s in inside:
            f = frets[s - 1]
            if f < 0 or f < fret or (fingers[s - 1] == 0):
                faults.append(("barre", "string %d %s under finger %d's barre at fret %d" % (
                    s, "muted" if f < 0 else "open", finger, fret)))
                break
        if finger == 1 and fretted and fret != min(f for f, _, _ in fretted):
            faults.append(("barre", "index barre at fret %d above the lowest" % fret))
    lowest = {finger: places[0][1] for finger, places in by_finger.items()}
    for a in lowest:
        for b in lowest:
            if a < b:
                if lowest[a] > lowest[b]:
                    faults.append(("finger-order", "finger %d at fret %d, finger %d at %d" % (
                        a, lowest[a], b, lowest[b])))
                elif lowest[b] - lowest[a] > (b - a) + 1:
                    faults.append(("stretch", "fingers %d and %d %d frets apart" % (
                        a, b, lowest[b] - lowest[a])))
    return faults


def neck_label(options):
    return " ".join(options)


def run_neck(cli, data, options):
    command = [cli, "voicings"] + (["--data", data] if data else []) + options
    done = subprocess.run(command, capture_output=True, text=True)
    if done.returncode != 0:
        raise RuntimeError("%s failed (%d): %s" % (" ".join(command), done.returncode,
                                                    done.stderr.strip()))
    return json.loads(done.stdout)


def check_neck(neck):
    """(grips checked, [(kind, detail, where)])"""
    checked = 0
    faults = []
    for chord in neck["chords"]:
        if not chord["formula"]:
            continue
        tones = chord_tones(chord["formula"])
        for root, grips in enumerate(chord["roots"]):
            for grip in grips:
                checked += 1
                for kind, detail in check_grip(grip, root, tones, neck):
                    where = "%s%s %s %s" % (theory.FLAT_NAMES[root], chord["name"],
                                            grip["frets"], grip["caption"])
                    faults.append((kind, detail, where))
    return checked, faults


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--cli", required=True, help="the chordalis-cli to run")
    parser.add_argument("--data", help="the program folder (default: the tool's own)")
    parser.add_argument("--sample", action="store_true", help="a few necks only")
    parser.add_argument("--show", type=int, default=3, help="examples shown of each kind")
    args = parser.parse_args()

    total = 0
    by_kind = collections.Counter()
    examples = collections.defaultdict(list)
    for options in SAMPLE_NECKS if args.sample else ALL_NECKS:
        try:
            neck = run_neck(args.cli, args.data, options)
        except (OSError, RuntimeError, ValueError) as e:
            print("check_grips: %s" % e, file=sys.stderr)
            return 2
        checked, faults = check_neck(neck)
        total += checked
        kinds = collections.Counter(kind for kind, _, _ in faults)
        print("%-32s %6d grips, %d faults %s" % (neck_label(options), checked, len(faults),
                                                 dict(kinds) if kinds else ""))
        by_kind.update(kinds)
        for kind, detail, where in faults:
            if len(examples[kind]) < args.show:
                examples[kind].append("%s: %s (%s)" % (neck_label(options), where, detail))
    print("grips checked: %d; faults: %d" % (total, sum(by_kind.values())))
    for kind, count in by_kind.most_common():
        print("  %-16s %d" % (kind, count))
        for example in examples[kind]:
            print("      " + example)
    return 1 if by_kind else 0


if __name__ == "__main__":
    sys.exit(main())
