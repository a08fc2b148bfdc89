"""Standard MIDI File writing, and the .emd form the program stores its examples in."""
import struct

PPQ = 96  # ticks per quarter note: fine enough for swing and triplets, small files


def vlq(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.append(0x80 | (n & 0x7F))
        n >>= 7
    return bytes(reversed(out))


def track(events):
    """events: (tick, bytes); sorted by tick (note-offs before note-ons at the same tick), written
    with delta times and running status, note-off as note-on with velocity 0."""
    def order(e):
        tick, msg = e
        is_off = (msg[0] & 0xF0) == 0x90 and msg[2] == 0
        return (tick, 0 if msg[0] >= 0xF0 else (1 if is_off else 2))

    data = bytearray()
    now = 0
    status = None
    for tick, msg in sorted(events, key=order):
        data += vlq(tick - now)
        now = tick
        if msg[0] < 0xF0 and msg[0] == status:
            data += msg[1:]
        else:
            data += msg
            status = msg[0] if msg[0] < 0xF0 else None
    data += vlq(0) + b"\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(data)) + bytes(data)


def smf(tracks):
    return b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), PPQ) + b"".join(tracks)


def emd(mid):
    """The stored form: the 14-byte header as it is, everything after it last byte first."""
    return mid[:14] + mid[14:][::-1]


def conductor(quarter_bpm, numerator, denominator_power, end_tick):
    micros = round(60_000_000 / quarter_bpm)
    return track([
        (0, b"\xff\x58\x04" + bytes([numerator, denominator_power, 24, 8])),
        (0, b"\xff\x51\x03" + micros.to_bytes(3, "big")),
        (end_tick, b"\xff\x01\x00"),  # an empty text event: the song runs to the end of the bar
    ])


def channel_setup(channel, program, volume):
    return [(0, bytes([0xC0 | channel, program])), (0, bytes([0xB0 | channel, 7, volume]))]


def note(channel, key, start, length, velocity):
    return [(start, bytes([0x90 | channel, key, velocity])),
            (start + max(1, length), bytes([0x90 | channel, key, 0]))]
