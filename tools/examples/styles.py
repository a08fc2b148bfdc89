"""The grooves: meter, drum pattern, bass rhythm, comping rhythm and instruments of each style.

Ticks are at 96 per quarter note. A bar pattern is a list of hits placed from the start of the
bar. Drums: (tick, key, velocity). Bass: (tick, length, choice, velocity) where the choice is
R root, 5 fifth (or the nearest chord tone), 8 root an octave up, 3 third, 7 seventh, A an
approach to the next chord's root, W a walking note (root on a change, approach before the next,
chord tones between). Comping: (tick, length, velocity); a length of 0 holds to the next change.

General MIDI programs (0-based): 0 piano, 4 electric piano, 7 clavinet, 11 vibraphone,
16 drawbar organ, 18 rock organ, 20 reed organ, 32 acoustic bass, 33 finger bass, 34 picked bass,
35 fretless bass, 48 strings, 49 slow strings, 52 choir aahs, 89 warm pad, 88 new-age pad.
Drum keys: 35/36 kick, 37 side stick, 38 snare, 39 clap, 41/43/45/47 toms, 42 closed hi-hat,
44 pedal hi-hat, 46 open hi-hat, 49 crash, 51 ride, 53 ride bell, 54 tambourine, 56 cowbell,
60/61 bongos, 62/63/64 congas, 69 cabasa, 70 maracas, 75 claves, 82 shaker, 85 castanets.
"""

Q = 96
E = 48
S = 24
T = 32       # triplet eighth
SW = 64      # the swung eighth after the beat
DQ = 144     # dotted quarter


def _every(step, length, key, vel):
    return [(t, key, vel) for t in range(0, length, step)]


STYLES = {}


def style(name, **kw):
    kw.setdefault("beats", 4)
    kw.setdefault("beat", Q)
    kw.setdefault("sig", (4, 2))
    kw.setdefault("pad", None)
    kw.setdefault("fill", None)
    kw.setdefault("comp_volume", 88)
    kw["name"] = name
    STYLES[name] = kw


# Medium or up swing: ride with the skip beat, hi-hat on 2 and 4, feathered bass drum; walking
# bass; piano comping on the Charleston and its anticipations.
style("swing", comp_program=0, bass_program=32,
      drums=[(0, 51, 80), (Q, 51, 90), (Q + SW, 51, 65), (2 * Q, 51, 80), (3 * Q, 51, 90),
             (3 * Q + SW, 51, 65), (Q, 44, 70), (3 * Q, 44, 70),
             (0, 36, 30), (Q, 36, 25), (2 * Q, 36, 30), (3 * Q, 36, 25)],
      fill=[(3 * Q + SW, 38, 70)],
      bass=[(0, Q - 6, "W", 98), (Q, Q - 6, "W", 92), (2 * Q, Q - 6, "W", 96), (3 * Q, Q - 6, "W", 92)],
      comp=[(0, E, 78), (Q + SW, Q + E, 72), (3 * Q + SW, Q - SW + Q // 2, 66)])

# Jazz ballad: brushes approximated by a soft side stick and ride, bass in half notes, piano
# held voicings under a string pad.
style("ballad", comp_program=0, bass_program=32, pad=49,
      drums=[(0, 51, 55), (Q, 51, 50), (Q + SW, 51, 40), (2 * Q, 51, 55), (3 * Q, 51, 50),
             (3 * Q + SW, 51, 40), (Q, 37, 45), (3 * Q, 37, 45), (0, 36, 35)],
      bass=[(0, 2 * Q - 8, "R", 90), (2 * Q, 2 * Q - 8, "5", 84)],
      comp=[(0, 2 * Q - 6, 62), (2 * Q + SW, Q + E, 54)])

# Bossa nova: side stick on the 3-2 clave, eighth hi-hats, the bass on the root and the fifth with
# its anticipation; electric piano in the syncopated bossa rhythm.
style("bossa", comp_program=4, bass_program=32,
      drums=_every(E, 4 * Q, 42, 55) +
      [(0, 37, 75), (Q + E, 37, 70), (3 * Q, 37, 75), (0, 36, 85), (Q + E, 36, 60), (2 * Q, 36, 85),
       (3 * Q + E, 36, 60)],
      bass=[(0, Q + E - 6, "R", 96), (Q + E, E - 4, "5", 80), (2 * Q, Q + E - 6, "5", 92),
            (3 * Q + E, E - 4, "R", 80)],
      comp=[(0, Q - 8, 72), (Q + E, Q - 8, 68), (3 * Q, E - 6, 66), (3 * Q + E, Q, 70)])

# Straight-eighth pop: hi-hat eighths, kick on 1 and 3, snare backbeat; piano pushes eighths.
style("pop", comp_program=0, bass_program=33,
      drums=_every(E, 4 * Q, 42, 62) + [(0, 36, 100), (2 * Q, 36, 95), (2 * Q + E, 36, 70),
                                        (Q, 38, 95), (3 * Q, 38, 95)],
      fill=[(3 * Q, 45, 80), (3 * Q + E, 43, 80), (3 * Q + 3 * S, 41, 85)],
      bass=[(0, Q + E - 8, "R", 100), (Q + E, E - 6, "R", 80), (2 * Q, Q - 8, "5", 92),
            (3 * Q, Q - 8, "R", 90)],
      comp=[(0, Q + E - 8, 72), (Q + E, Q - 8, 64), (2 * Q + E, Q - 8, 64), (3 * Q + E, E - 6, 60)])

# Rock: driving eighths in the bass, organ held through the bar with a push on the and of 4.
style("rock", comp_program=18, bass_program=34, comp_volume=72,
      drums=_every(E, 4 * Q, 42, 72) + [(0, 36, 110), (2 * Q, 36, 105), (2 * Q + E, 36, 90),
                                        (Q, 38, 110), (3 * Q, 38, 110)],
      fill=[(3 * Q, 38, 90), (3 * Q + S, 38, 70), (3 * Q + E, 45, 90), (3 * Q + 3 * S, 41, 95)],
      bass=[(i * E, E - 6, "R", 100 if i % 2 == 0 else 86) for i in range(8)],
      comp=[(0, 3 * Q + E - 6, 70), (3 * Q + E, E, 74)])

# Funk: sixteenth hi-hats with ghost notes, syncopated bass with octaves, clavinet stabs.
style("funk", comp_program=7, bass_program=33, comp_volume=74,
      drums=[(i * S, 42, 70 if i % 2 == 0 else 45) for i in range(16)] +
      [(0, 36, 110), (Q + 3 * S, 36, 80), (2 * Q + E, 36, 100), (Q, 38, 110), (3 * Q, 38, 110),
       (2 * Q + 3 * S, 38, 35), (3 * Q + 3 * S, 38, 40)],
      bass=[(0, E, "R", 110), (3 * S, S - 4, "R", 80), (Q + E, S, "8", 90), (Q + 3 * S, S, "7", 80),
            (2 * Q + E, E - 4, "R", 100), (3 * Q + S, S - 4, "5", 85), (3 * Q + E, S - 4, "8", 92)],
      comp=[(S, S - 4, 70), (E + S, S - 4, 60), (Q + E, S, 72), (2 * Q + S, S - 4, 66),
            (3 * Q, S - 4, 70), (3 * Q + E + S, S - 4, 64)])

# Blues shuffle in 12/8: four dotted-quarter beats of three triplet eighths; organ riffs in the
# long-short rhythm over a walking shuffle bass.
style("shuffle", beats=4, beat=DQ, sig=(12, 3), comp_program=16, bass_program=33, comp_volume=76,
      drums=[(b * DQ, 51, 80) for b in range(4)] + [(b * DQ + 2 * T, 51, 60) for b in range(4)] +
      [(0, 36, 100), (2 * DQ, 36, 95), (DQ, 38, 100), (3 * DQ, 38, 100), (DQ, 44, 55),
       (3 * DQ, 44, 55)],
      fill=[(3 * DQ + T, 38, 60), (3 * DQ + 2 * T, 38, 85)],
      bass=[(0, 2 * T - 4, "R", 100), (2 * T, T - 4, "R", 70), (DQ, 2 * T - 4, "3", 94),
            (DQ + 2 * T, T - 4, "3", 70), (2 * DQ, 2 * T - 4, "5", 96), (2 * DQ + 2 * T, T - 4, "5", 70),
            (3 * DQ, 2 * T - 4, "6", 94), (3 * DQ + 2 * T, T - 4, "A", 72)],
      comp=[(2 * T, T, 70), (DQ + 2 * T, T, 64), (2 * DQ, DQ - 8, 70), (3 * DQ + 2 * T, T + DQ // 2, 66)])

# Slow blues in 12/8: steady triplet ride, heavy backbeat, organ held with triplet pushes.
style("slowblues", beats=4, beat=DQ, sig=(12, 3), comp_program=16, bass_program=33, pad=None,
      comp_volume=76,
      drums=[(i * T, 42, 75 if i % 3 == 0 else 50) for i in range(12)] +
      [(0, 36, 105), (2 * DQ, 36, 100), (2 * DQ + 2 * T, 36, 70), (DQ, 38, 105), (3 * DQ, 38, 105)],
      fill=[(3 * DQ, 38, 100), (3 * DQ + T, 45, 80), (3 * DQ + 2 * T, 41, 90)],
      bass=[(0, DQ - 6, "R", 100), (DQ, 2 * T - 4, "5", 90), (DQ + 2 * T, T - 4, "8", 80),
            (2 * DQ, DQ - 6, "R", 96), (3 * DQ, 2 * T - 4, "5", 90), (3 * DQ + 2 * T, T - 4, "A", 78)],
      comp=[(0, 2 * DQ - 8, 68), (2 * DQ + 2 * T, T, 60), (3 * DQ, DQ - 6, 64)])

# Jazz waltz: ride in three with the skip, bass on one and three, comping on two and three.
style("waltz", beats=3, sig=(3, 2), comp_program=0, bass_program=32,
      drums=[(0, 51, 80), (Q, 51, 70), (Q + SW, 51, 55), (2 * Q, 51, 70), (Q, 44, 60),
             (2 * Q, 44, 50), (0, 36, 40)],
      bass=[(0, 2 * Q - 8, "R", 96), (2 * Q, Q - 8, "5", 84)],
      comp=[(Q, Q - 8, 66), (2 * Q + SW, Q - SW, 62)])

# Rumba in the flamenco manner: palmas (hand claps) on the rumba accents, cajon as kick and
# slapped snare, shaker in eighths; piano pulses the rumba strum's accents.
style("rumba", comp_program=0, bass_program=32,
      drums=_every(E, 4 * Q, 82, 55) +
      [(0, 36, 100), (Q + E, 36, 70), (2 * Q, 36, 95), (3 * Q + E, 36, 70),
       (Q, 38, 80), (3 * Q, 38, 85), (Q, 39, 90), (Q + E, 39, 60), (3 * Q, 39, 90),
       (3 * Q + E, 39, 60)],
      fill=[(3 * Q + E, 85, 80), (3 * Q + 3 * S, 85, 80)],
      bass=[(0, Q + E - 6, "R", 100), (Q + E, E - 4, "5", 80), (2 * Q, Q + E - 6, "R", 96),
            (3 * Q + E, E - 4, "5", 80)],
      comp=[(0, E - 6, 80), (E, E - 6, 60), (Q + E, Q - 6, 72), (2 * Q + E, E - 6, 62),
            (3 * Q, E - 6, 72), (3 * Q + E, E - 6, 62)])

# Afro-Cuban: son clave, cowbell, tumbao congas; bass tumbao on the and of 2 and on 4; piano
# montuno in eighths.
style("latin", comp_program=0, bass_program=32, montuno=True,
      drums=[(i * E, 56, 80 if i % 2 == 0 else 60) for i in range(8)] +
      [(0, 75, 80), (Q + E, 75, 80), (3 * Q, 75, 80), (Q, 63, 70), (Q + E, 62, 60),
       (3 * Q, 63, 75), (3 * Q + E, 64, 80), (0, 36, 80), (2 * Q + E, 36, 60)],
      bass=[(Q + E, Q + E - 6, "5", 96), (3 * Q, Q - 6, "R", 100)],
      comp=[(i * E, E - 6, 74 if i in (0, 3, 5) else 60) for i in range(8)])

# A drone groove for modal colours: a held pad, bass pedal, slow toms and a ride pulse.
style("drone", comp_program=89, bass_program=35, comp_volume=80,
      drums=[(0, 53, 55), (Q, 51, 40), (2 * Q, 51, 50), (3 * Q, 51, 40), (0, 36, 70),
             (2 * Q + E, 45, 50), (3 * Q + E, 41, 55)],
      bass=[(0, 2 * Q - 8, "R", 90), (2 * Q + E, Q + E - 8, "R", 80)],
      comp=[(0, 0, 64)])

# Six-eight: two dotted beats, a slow rolling groove for floating and exotic colours.
style("sixeight", beats=2, beat=DQ, sig=(6, 3), comp_program=48, bass_program=35, comp_volume=82,
      drums=[(i * T, 42, 60 if i % 3 == 0 else 40) for i in range(6)] +
      [(0, 36, 90), (DQ, 38, 60), (DQ + 2 * T, 36, 60), (T * 4, 45, 40)],
      bass=[(0, DQ - 6, "R", 92), (DQ, DQ - 6, "5", 82)],
      comp=[(0, 0, 60)])

# Indian: a drone of the tonic and fifth on a reed organ, tabla figures on bongos and congas in
# a sixteen-beat cycle (four bars of four).
style("raga", comp_program=20, bass_program=32, comp_volume=70,
      drums=[(0, 60, 90), (E, 61, 55), (Q, 60, 70), (Q + E, 61, 55), (Q + 3 * S, 61, 45),
             (2 * Q, 64, 85), (2 * Q + E, 61, 55), (3 * Q, 60, 75), (3 * Q + E, 62, 60)],
      bass=[(0, 4 * Q - 8, "R", 80)],
      comp=[(0, 0, 58)])

# Japanese: slow, strings held, taiko on low toms with a rim accent.
style("japan", comp_program=49, bass_program=32, comp_volume=82,
      drums=[(0, 41, 95), (Q + E, 41, 60), (2 * Q, 43, 80), (3 * Q, 37, 60), (3 * Q + E, 41, 70)],
      bass=[(0, 2 * Q - 8, "R", 84), (2 * Q, 2 * Q - 8, "5", 76)],
      comp=[(0, 0, 60)])

# Pedal grooves: drums and a bass on C only, so any chord or scale on C can be played over them.
PEDALS = [
    ("pop", 100), ("swing", 144), ("funk", 96), ("bossa", 132), ("slowblues", 60), ("sixeight", 66),
]
