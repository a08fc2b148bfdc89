#!/usr/bin/env python3
"""Sets the listening engine's pitch beside aubiopitch (aubio-tools) on the same files.

Renders the held notes E1..E6 (plucked-string model, the synthesizer's steel guitar and finger
bass, known detunings, noise 30 dB down) with chordalis_listen_bench --wav-dir, reads each file
with `chordalis-cli listen` and with aubiopitch (its yin and yinfft, the same 4096-frame window and
10 ms hop), and prints for each source and tracker: the voiced share of the steady frames (0.1 to
1.0 s after the onset at 0.2 s) and the share of voiced frames within 2 cents of the truth.

Usage: tools/listening/compare_pitch.py [build folder] [--from DIR]
(--from: the files and truth.txt chordalis_listen_bench --wav-dir wrote before; nothing rendered)
"""
import json
import math
import os
import subprocess
import sys
import tempfile

args = sys.argv[1:]
given = args[args.index("--from") + 1] if "--from" in args else None
if given:
    args = args[:args.index("--from")] + args[args.index("--from") + 2:]
build = args[0] if args else "build"
ONSET, FROM, TO = 0.2, 0.1, 1.0


def score(frames, hz):
    steady = [f for t, f in frames if ONSET + FROM <= t <= ONSET + TO]
    voiced = [f for f in steady if f and f > 0]
    within = [f for f in voiced if abs(1200 * math.log2(f / hz)) <= 2.0]
    return len(steady), len(voiced), len(within)


def ours(path):
    out = subprocess.run([os.path.join(build, "chordalis-cli"), "listen", path],
                         check=True, capture_output=True, text=True).stdout
    return [(f["time"], f["f0"]) for f in json.loads(out)["frames"]]


def aubio(path, method):
    out = subprocess.run(["aubiopitch", "-i", path, "-p", method, "-B", "4096", "-H", "480",
                          "-s", "-60", "-u", "Hz"], check=True, capture_output=True,
                         text=True).stdout
    frames = []
    for line in out.splitlines():
        t, f = line.split()
        # aubio stamps a frame at its start; ours at its centre.
        frames.append((float(t) + 2048 / 48000, float(f)))
    return frames


def main():
    with tempfile.TemporaryDirectory() as temporary:
        folder = given or temporary
        if not given:
            subprocess.run([os.path.join(build, "bench", "chordalis_listen_bench"), "--pitch-only",
                            "--wav-dir", folder], check=True, stdout=subprocess.DEVNULL)
        totals = {}
        with open(os.path.join(folder, "truth.txt")) as truth:
            for line in truth:
                name, hz = line.split()
                source = name.split("-")[0]
                path = os.path.join(folder, name)
                for tracker, frames in (("chordalis", ours(path)), ("aubio yin", aubio(path, "yin")),
                                        ("aubio yinfft", aubio(path, "yinfft"))):
                    s = score(frames, float(hz))
                    t = totals.setdefault((source, tracker), [0, 0, 0])
                    for i in range(3):
                        t[i] += s[i]
        print("| source | tracker | steady frames | voiced | within 2 cents of voiced |")
        print("|---|---|---|---|---|")
        for (source, tracker), (frames, voiced, within) in sorted(totals.items()):
            print(f"| {source} | {tracker} | {frames} | {100 * voiced / max(1, frames):.1f} % | "
                  f"{100 * within / max(1, voiced):.1f} % |")


main()
