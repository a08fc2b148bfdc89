#!/usr/bin/python3
"""Writes the example files of this fixture (midi/*.emd): small hand-made grooves.

An .emd file is a Standard MIDI File whose 14-byte header is kept and whose remaining bytes are
stored last byte first. Run from this folder: ./make_examples.py
"""
import pathlib
import struct
import sys

# The variable-length numbers and the .emd form are the shipped examples' own.
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[3] / "tools" / "examples"))
from smf import emd, vlq  # noqa: E402


def track(events, running_status=True):
    """events: (tick, bytes) in any order; written with delta times and running status."""
    data = bytearray()
    now = 0
    status = None
    for tick, msg in sorted(events, key=lambda e: e[0]):
        data += vlq(tick - now)
        now = tick
        if running_status and msg[0] < 0xF0 and msg[0] == status:
            data += msg[1:]
        else:
            data += msg
            status = msg[0] if msg[0] < 0xF0 else status
    data += vlq(0) + b"\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(data)) + bytes(data)


def smf(tracks, division=96):
    return b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), division) + b"".join(tracks)


Q = 96  # ticks per quarter note


def note(channel, key, start, length, velocity=96):
    return [(start, bytes([0x90 | channel, key, velocity])),
            (start + length, bytes([0x90 | channel, key, 0]))]


def tempo_track(bpm, name):
    micros = round(60_000_000 / bpm)
    return track([(0, b"\xff\x03" + vlq(len(name)) + name.encode()),
                  (0, b"\xff\x51\x03" + micros.to_bytes(3, "big")),
                  (0, b"\xf0\x05\x7e\x7f\x09\x01\xf7")])  # a GM System On, skipped


def drums(bars):
    events = []
    for bar in range(bars):
        t = bar * 4 * Q
        for beat in range(4):
            events += note(9, 42, t + beat * Q, Q // 2, 70)  # closed hi-hat
            events += note(9, 36 if beat % 2 == 0 else 38, t + beat * Q, Q // 2, 100)
    return events


def bass(root, bars):
    events = [(0, bytes([0xC1, 33]))]  # channel 2: fingered bass
    for bar in range(bars):
        for beat in range(4):
            events += note(1, root, bar * 4 * Q + beat * Q, Q - 8)
    return events


def chords(keys, bars):
    events = [(0, bytes([0xC0, 0]))]  # channel 1: piano
    for bar in range(bars):
        for k in keys:
            events += note(0, k, bar * 4 * Q, 4 * Q - 8, 80)
    return events


def groove(keys, root, bars=2, bpm=120, full=True, name="groove"):
    tracks = [tempo_track(bpm, name), track(drums(bars)), track(bass(root, bars))]
    if full:
        tracks.append(track(chords(keys, bars)))
    return smf(tracks)


EXAMPLES = {
    # C major: C E G over a C bass.
    "chord_major_1": groove([60, 64, 67], 36, name="Sequence 1"),
    "chord_major_1g": groove([60, 64, 67], 36, full=False, name="Sequence 1 bass"),
    "chord_major_2": groove([60, 64, 67, 72], 36, bpm=90, name="Sequence 2"),
    "scale_major_1": groove([60, 64, 67, 71], 36, name="Major scale"),
    "scale_major_1g": groove([60, 64, 67, 71], 36, full=False, name="Major scale bass"),
    "triad_major_1": groove([60, 64, 67], 48, bars=1, name="Triad"),
    "P01": groove([], 40, full=False, name="Pedal groove 1"),
    "P04": groove([], 43, bpm=100, full=False, name="Pedal groove 4"),
}

if __name__ == "__main__":
    folder = pathlib.Path(__file__).parent / "midi"
    folder.mkdir(exist_ok=True)
    for stem, mid in EXAMPLES.items():
        (folder / (stem + ".emd")).write_bytes(emd(mid))
