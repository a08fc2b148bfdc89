"""Turns a chord progression and a style into the tracks of an example.

A progression is a text of bars separated by blanks; a bar holds one chord or several separated
by commas, which share the bar evenly. A chord is a root (C, Db, F# ...) and a quality named as in
chord.ini ("m7", "7b9", nothing for major), optionally over a bass note ("C/E", "D/C"); X stands
for the item itself on C ("X/E" in first inversion). In a scale's examples, d0..dN are the chords
stacked in thirds from the scale's note N, as far as the scale has them, else in alternate notes
("d1/C" over a C pedal).
"""
import re

from chordalis_theory import formula_semitones, pitch_class
from smf import PPQ, channel_setup, conductor, note, smf, track
from styles import E, STYLES

DRUMS, BASS, COMP, PAD = 9, 1, 0, 2
HATS_AND_CYMBALS = {42, 44, 46, 51, 53, 82, 36, 56, 69, 70}


class Chord:
    def __init__(self, root, intervals, bass=None):
        self.root = root % 12
        self.intervals = intervals            # semitones above the root, in formula order
        self.pcs = []
        for i in intervals:
            if (root + i) % 12 not in self.pcs:
                self.pcs.append((root + i) % 12)
        self.bass = self.root if bass is None else bass % 12
        self.slash = bass is not None

    def has(self, semis):
        return any(i % 12 == semis for i in self.intervals)


class Context:
    """What a progression's symbols mean: the chord qualities of the library, the item (X) and,
    for a scale, its notes (comping and bass keep to them)."""

    def __init__(self, qualities, item=None, scale=None):
        self.qualities = qualities
        self.item = item
        self.scale = scale

    def chord(self, symbol):
        bass = None
        if "/" in symbol:
            head, tail = symbol.rsplit("/", 1)
            if re.fullmatch(r"[A-G][b#]?", tail):
                symbol, bass = head, pitch_class(tail)
        if symbol == "X":
            return Chord(0, self.item, bass)
        m = re.fullmatch(r"d(\d+)", symbol)
        if m:
            notes = sorted(self.scale)
            k = int(m.group(1))
            picks = [notes[k % len(notes)]]                     # thirds from the scale's notes
            for third in (4, 3, 3):
                for step in (third, 7 - third):
                    if (picks[-1] + step) % 12 in self.scale:
                        picks.append((picks[-1] + step) % 12)
                        break
                else:
                    break
            if len(picks) < 3:                                  # no thirds: every other note
                picks = [notes[(k + 2 * j) % len(notes)] for j in range(3)]
            root = picks[0]
            return Chord(root, [(p - root) % 12 for p in picks], bass)
        m = re.fullmatch(r"([A-G][b#]?)(.*)", symbol)
        if not m:
            raise ValueError("bad chord symbol %r" % symbol)
        quality = m.group(2) or "maj"
        if quality not in self.qualities:
            raise ValueError("unknown chord quality %r" % quality)
        return Chord(pitch_class(m.group(1)), formula_semitones(self.qualities[quality]), bass)


def parse_progression(text, ctx, bar_ticks):
    """-> [(start, length, Chord)] for one pass."""
    segments = []
    previous = None
    for b, bar in enumerate(text.split()):
        symbols = bar.split(",")
        share = bar_ticks // len(symbols)
        for i, s in enumerate(symbols):
            if s == previous and len(symbols) == 1:              # a chord held on: one segment
                start, length, chord = segments[-1]
                segments[-1] = (start, length + share, chord)
            else:
                segments.append((b * bar_ticks + i * share, share, ctx.chord(s)))
            previous = s
    return segments


# --- voicings -----------------------------------------------------------------------------------

def voicing_pcs(chord, scale, with_bass):
    tones = [t for t in chord.intervals if in_scale((chord.root + t) % 12, scale)]
    if stacked_fourths(chord):
        return [(chord.root + t) % 12 for t in tones]
    upper_structure = chord.slash and chord.bass not in chord.pcs   # D/C: keep the whole triad
    if with_bass and len(set(t % 12 for t in tones)) >= 4 and not upper_structure \
            and chord.bass == chord.root:
        tones = [t for t in tones if t % 12 != 0]               # the bass has the root
        if len(tones) >= 5 and 7 in tones:
            tones = [t for t in tones if t != 7]                # and the fifth can go
    pcs = []
    for t in tones:
        pc = (chord.root + t) % 12
        if pc not in pcs and (scale is None or pc in scale):
            pcs.append(pc)
    if len(pcs) < 2 and scale is not None:
        pcs = [pc for pc in chord.pcs if pc in scale] or [chord.root]
    if len(pcs) == 2 and len(chord.pcs) == 2:                   # power chord: root, fifth, octave
        pcs = pcs + [pcs[0]]
    return pcs[:5]


def stacked_fourths(chord):
    steps = [b - a for a, b in zip(chord.intervals, chord.intervals[1:])]
    return len(steps) >= 2 and all(d == 5 for d in steps)


def candidates(pcs, bottom):
    unique = sorted(set(pcs))
    doubled = len(pcs) > len(unique)
    out = []
    for r in range(len(unique)):
        order = unique[r:] + unique[:r]
        if doubled:
            order = order + [order[0]]
        for base in range(48, 68):
            if base % 12 != order[0]:
                continue
            notes = [base]
            for pc in order[1:]:
                n = notes[-1] + 1
                while n % 12 != pc:
                    n += 1
                notes.append(n)
            out.append(notes)
            if len(notes) == 4:                                 # drop 2
                d2 = sorted(notes[:2] + [notes[2] - 12] + notes[3:])
                out.append(d2)
    fourths = len(pcs) >= 3 and all((b - a) % 12 == 5 for a, b in zip(pcs, pcs[1:]))
    if fourths:
        out = []                                                # quartal: only as stacked
    for base in range(48, 68):
        if base % 12 == pcs[0]:
            notes = [base]
            for pc in pcs[1:]:
                n = notes[-1] + 1
                while n % 12 != pc:
                    n += 1
                notes.append(n)
            out.append(notes)
    return [v for v in out if 50 <= v[0] <= 64 and v[-1] <= 79 and (bottom is None or v[0] % 12 == bottom)]


def choose_voicing(pcs, previous, bottom=None):
    best, best_score = None, None
    options = candidates(pcs, bottom) or candidates(pcs, None)
    for v in options:
        move = sum(min(abs(n - p) for p in previous) for n in v) if previous else 0
        centre = abs(sum(v) / len(v) - 64) * 1.5
        mud = 6 if v[1] - v[0] <= 2 and v[0] < 56 else 0
        rub = 5 * sum(1 for a, b in zip(v, v[1:]) if b - a == 1)   # a minor second between voices
        score = move + centre + mud + rub
        if best_score is None or score < best_score:
            best, best_score = v, score
    return best


# --- bass ---------------------------------------------------------------------------------------

def in_scale(pc, scale):
    return scale is None or pc in scale


def bass_pc(chord, choice, next_chord, scale, step, previous_pc=None):
    root = chord.bass
    if choice in ("R", "8"):
        return root
    if choice == "A":                                           # a step into the next chord
        target = next_chord.bass
        for d in (-1, 1, -2, 2) if step % 2 == 0 else (1, -1, 2, -2):
            pc = (target + d) % 12
            if (scale is None and abs(d) == 1 or scale is not None and pc in scale) and pc != previous_pc:
                return pc
        return target
    if choice == "6" and chord.has(4) and not chord.has(8) and in_scale((chord.root + 9) % 12, scale):
        return (chord.root + 9) % 12                            # the boogie's sixth
    for w in {"5": (7, 6, 8), "3": (4, 3, 5, 2), "7": (10, 11, 9), "6": (9, 10)}[choice]:
        if chord.has(w) and in_scale((chord.root + w) % 12, scale):
            return (chord.root + w) % 12
    if choice == "6":                                           # the boogie sixth, a passing note
        pc = (chord.root + (9 if chord.has(4) and not chord.has(8) else 10)) % 12
        if in_scale(pc, scale):
            return pc
    if choice == "5" and not chord.has(6) and not chord.has(8) and in_scale((chord.root + 7) % 12, scale):
        return (chord.root + 7) % 12
    for i in chord.intervals:
        if i % 12 and in_scale((chord.root + i) % 12, scale):
            return (chord.root + i) % 12
    return root


def place_bass(pc, previous, lowest=28, highest=53):
    if previous is None:
        previous = 36
    options = [n for n in range(lowest, highest + 1) if n % 12 == pc]
    return min(options, key=lambda n: (abs(n - previous), n))


def feel(velocity, tick):
    """A player's small, repeatable unevenness: -4 .. +4 on the written velocity."""
    return max(1, min(127, velocity + (tick * 7919 // 24) % 9 - 4))


def legato(events):
    """events as note() makes them (on, off, on, off ...): a note still sounding when its key is
    struck again ends there, so that the earlier note-off cannot silence the new note."""
    notes = sorted((events[i][0], events[i + 1][0], events[i][1]) for i in range(0, len(events), 2))
    out = []
    last = {}
    for start, end, msg in notes:
        key = (msg[0], msg[1])
        if key in last:
            j = last[key]
            if out[j][1] > start:
                out[j][1] = max(out[j][0] + 1, start - 1)
        last[key] = len(out)
        out.append([start, end, msg])
    events = []
    for start, end, msg in out:
        events += [(start, msg), (end, bytes([msg[0], msg[1], 0]))]
    return events


# --- the whole example --------------------------------------------------------------------------

def render(style_name, bpm, progression, ctx, ending=None, full=True, pedal_only=False):
    """-> (SMF bytes, seconds, pitch-class -> sounding ticks outside the drums)."""
    st = STYLES[style_name]
    bar = st["beats"] * st["beat"]
    quarter_bpm = bpm * st["beat"] / PPQ
    bar_seconds = bar / PPQ * 60 / quarter_bpm
    one_pass = parse_progression(progression, ctx, bar)
    bars = len(progression.split())
    loops = 2
    while (loops * bars + 1) * bar_seconds < 8.5:
        loops += 1
    if (loops * bars + 1) * bar_seconds > 58:
        loops = 1
    segments = []
    for k in range(loops):
        segments += [(s + k * bars * bar, n, c) for s, n, c in one_pass]
    end_start = loops * bars * bar
    end_chord = ctx.chord(ending or "X") if not pedal_only else Chord(0, [0])
    segments.append((end_start, bar, end_chord))
    total = end_start + bar

    def segment_at(t):
        for i, (s, n, c) in enumerate(segments):
            if s <= t < s + n:
                return i
        return len(segments) - 1

    drums, bass, comp, pad = [], [], [], []
    # Drums: the style's bar, a fill closing each pass, a crash on each new pass and the ending.
    for b in range(loops * bars):
        t0 = b * bar
        fill = st["fill"] if st["fill"] and b % bars == bars - 1 else None
        fill_from = min(t for t, _, _ in fill) if fill else bar
        for t, key, vel in st["drums"]:
            if t < fill_from or key in HATS_AND_CYMBALS:
                drums += note(DRUMS, key, t0 + t, 24, feel(vel, t0 + t + key))
        for t, key, vel in fill or []:
            drums += note(DRUMS, key, t0 + t, 24, vel)
        if b > 0 and b % bars == 0:
            drums += note(DRUMS, 49, t0, 24, 90)
    drums += note(DRUMS, 49, end_start, 24, 100) + note(DRUMS, 36, end_start, 24, 100)

    # Bass.
    previous = None
    step = 0
    for b in range(loops * bars):
        t0 = b * bar
        hits = st["bass"]
        for h, (t, length, written, vel) in enumerate(hits):
            choice = written
            at = t0 + t
            i = segment_at(at)
            s, n, chord = segments[i]
            next_chord = segments[i + 1][2] if i + 1 < len(segments) else chord
            pc = 0
            if choice == "W":                                   # a walking line, bar by bar
                j = t // st["beat"]
                if at + st["beat"] < s + n:
                    next_chord = chord                          # leads back to this chord's root
                if at == s or j == 0:
                    choice = "R"
                elif j == st["beats"] - 1 or at + st["beat"] >= s + n:
                    choice = "A"
                else:
                    choice = (("3", "5") if b % 2 == 0 else ("5", "3"))[(j - 1) % 2]
            previous_pc = previous % 12 if previous is not None else None
            if not pedal_only:
                pc = bass_pc(chord, choice, next_chord, ctx.scale, step, previous_pc)
            step += 1
            key = place_bass(pc, previous)
            if pedal_only:                                      # the pedal moves by octaves only
                key = 48 if written == "8" or (written == "W" and t // st["beat"] == 2) else 36
            elif choice == "8":
                key = place_bass(pc, previous + 12 if previous else 48, 36, 55)
            bass += note(BASS, key, at, min(length, s + n - at - 2) if not pedal_only else length, feel(vel, at))
            if choice != "8":
                previous = key
    bass += note(BASS, place_bass(end_chord.bass, previous), end_start, bar - 8, 96)

    # Comping and pad.
    if full and not pedal_only:
        prev_voicing = None
        voicings = {}

        def voicing_of(i):
            nonlocal prev_voicing
            if i not in voicings:
                chord = segments[i][2]
                pcs = voicing_pcs(chord, ctx.scale, True)
                bottom = chord.bass if chord.slash and chord.bass in pcs else None
                voicings[i] = choose_voicing(pcs, prev_voicing, bottom)
                prev_voicing = voicings[i]
            return voicings[i]

        anticipated = set()
        for b in range(loops * bars):
            t0 = b * bar
            for t, length, vel in st["comp"]:
                at = t0 + t
                i = segment_at(at)
                s, n, chord = segments[i]
                end = s + n
                if at == s and i in anticipated:
                    continue
                if length == 0:
                    length = end - at
                if at + length > end and end - at <= E and i + 1 < len(segments):
                    i += 1                                      # an anticipation of the next chord
                    anticipated.add(i)
                    length = min(length, segments[i][0] + segments[i][1] - at - 4)
                else:
                    length = min(length, end - at - 4)
                keys = voicing_of(i)
                if st.get("montuno") and vel < 70:              # between the accents: the top
                    keys = [keys[-1] - 12, keys[-1]]            # note in octaves
                for k in keys:
                    comp += note(COMP, k, at, length, feel(vel, at))
        for i, (s, n, chord) in enumerate(segments[:-1]):
            if st["pad"] is not None:
                for k in voicing_of(i):
                    pad += note(PAD, k + 12, s, n - 6, 52)
        for k in voicing_of(len(segments) - 1):
            if len(segments) - 1 not in anticipated:
                comp += note(COMP, k, end_start, bar - 8, 70)
            if st["pad"] is not None:
                pad += note(PAD, k + 12, end_start, bar - 8, 52)

    bass, comp, pad = legato(bass), legato(comp), legato(pad)
    sig_num, sig_pow = st["sig"]
    tracks = [conductor(quarter_bpm, sig_num, sig_pow, total)]
    tracks.append(track(channel_setup(DRUMS, 0, 100) + drums))
    tracks.append(track(channel_setup(BASS, st["bass_program"], 104) + bass))
    if comp:
        tracks.append(track(channel_setup(COMP, st["comp_program"], st["comp_volume"]) + comp))
    if pad:
        tracks.append(track(channel_setup(PAD, st["pad"], 64) + pad))

    sounding = {}
    for events in (bass, comp, pad):
        on = {}
        for tick, msg in sorted(events, key=lambda e: (e[0], e[1][2] != 0)):
            if msg[0] & 0xF0 != 0x90:
                continue
            key = (msg[0] & 0x0F, msg[1])
            if msg[2]:
                on[key] = tick
            elif key in on:
                pc = msg[1] % 12
                sounding[pc] = sounding.get(pc, 0) + tick - on.pop(key)
    return smf(tracks), total / PPQ * 60 / quarter_bpm, sounding
