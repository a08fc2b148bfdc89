#!/usr/bin/env python3
"""Checks that the shipped data is what the generators make.

Runs the generators in their order into a temporary folder: gen_library.py (the library
files), infotexts/make_texts.py (the information texts), examples/make_examples.py (the
examples and the "examples" keys of the library files) and userguide/make_rmp.py (the root
movement page). Then compares every file they wrote with the shipped one, byte for byte, and
names the first differing line (or byte, for an example). A shipped file in their folders that
none of them wrote is named too. Exits with 0 when everything matches, 1 otherwise.

    python3 tools/check_generated.py [--data DIR]     (default: the repository's data/)
"""

import argparse
import glob
import os
import subprocess
import sys
import tempfile

TOOLS = os.path.dirname(os.path.abspath(__file__))

# What the generators write, relative to the data folder; the shipped files that match these
# patterns must all be generated, except the hand-written ones (the named progressions are
# written by hand in Roman numerals, read by the program and checked by its tests).
GENERATED = ["*.ini", "system/*.txt", "system/*.htm", "midi/*.emd"]
HAND_WRITTEN = {"system/README.txt", "progressions.ini"}


def generate(out):
    """Runs every generator into the folder out; returns an error text, or None."""
    steps = [["gen_library.py", "--out", out],
             ["infotexts/make_texts.py", out],
             ["examples/make_examples.py", "--data", out],
             ["userguide/make_rmp.py", os.path.join(out, "system", "rmp.htm")]]
    os.makedirs(os.path.join(out, "system"))
    for script, *args in steps:
        run = subprocess.run([sys.executable, os.path.join(TOOLS, script)] + args,
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        if run.returncode != 0:
            return "%s failed (status %d):\n%s" % (script, run.returncode, run.stderr)
    return None


def listing(folder):
    return {os.path.relpath(path, folder) for pattern in GENERATED
            for path in glob.glob(os.path.join(folder, pattern))}


def first_difference(shipped, made, binary):
    """Where two files first differ, as text for a person ("line 24: ..."), or None."""
    if shipped == made:
        return None
    if binary:
        at = next((i for i, (a, b) in enumerate(zip(shipped, made)) if a != b),
                  min(len(shipped), len(made)))
        return "byte %d (shipped %d bytes, generated %d)" % (at, len(shipped), len(made))
    old = shipped.decode("utf-8", "replace").splitlines(keepends=True)
    new = made.decode("utf-8", "replace").splitlines(keepends=True)
    for number, (a, b) in enumerate(zip(old, new), 1):
        if a != b:
            return "line %d: shipped %r, generated %r" % (number, a, b)
    number = min(len(old), len(new)) + 1
    if len(old) > len(new):
        return "line %d: shipped %r, generated nothing more" % (number, old[number - 1])
    return "line %d: generated %r, shipped nothing more" % (number, new[number - 1])


def compare(shipped_folder, made_folder):
    """Every difference as a line of text, in file order."""
    shipped, made = listing(shipped_folder) - HAND_WRITTEN, listing(made_folder)
    faults = ["data/%s: shipped, but no generator writes it" % name
              for name in sorted(shipped - made)]
    faults += ["data/%s: generated, but not shipped" % name for name in sorted(made - shipped)]
    for name in sorted(shipped & made):
        with open(os.path.join(shipped_folder, name), "rb") as f:
            old = f.read()
        with open(os.path.join(made_folder, name), "rb") as f:
            new = f.read()
        where = first_difference(old, new, name.endswith(".emd"))
        if where:
            faults.append("data/%s: %s" % (name, where))
    return faults


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--data", default=os.path.join(TOOLS, os.pardir, "data"),
                        help="the shipped data folder to compare with")
    data = parser.parse_args().data
    if not os.path.isfile(os.path.join(data, "chord.ini")):
        print("check_generated.py: %s holds no chord.ini" % data, file=sys.stderr)
        return 1
    with tempfile.TemporaryDirectory() as out:
        error = generate(out)
        if error:
            print(error, file=sys.stderr)
            return 1
        faults = compare(data, out)
        compared = len(listing(out))
    for fault in faults:
        print(fault)
    if faults:
        print("%d of %d generated files differ from the shipped ones: run the generators "
              "(README.md, \"The library files\") or mend their tables" % (len(faults), compared))
        return 1
    print("%d generated files match the shipped ones" % compared)
    return 0


if __name__ == "__main__":
    sys.exit(main())
