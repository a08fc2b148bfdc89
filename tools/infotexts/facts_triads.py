"""Hand-written prose of the triad information pages.

One entry per triad of data/triad.ini (four qualities in three inversions),
keyed by the triad's `info` stem. The formula, the notes from C, the inversion
and the string groups are computed by make_texts.py; fret numbers quoted here
are the ones the triads mode draws for the root named.
"""

FACTS = {
    # ---- Major ------------------------------------------------------------
    "triad_major_root": {
        "what": "Root at the bottom, then the major 3rd, then the 5th: a major 3rd with a minor 3rd stacked on it, the outer interval a perfect 5th. It is the form the chord is named and spelled in, and the skeleton of every major chord of the library.",
        "sound": "Full, stable and final; with the root in the bass nothing in the chord asks to move.",
        "uses": "Endings and downbeats, the I chord of a cadence, power-chord riffs filled out with a 3rd, the top-string triads of funk and reggae rhythm parts, and triad pairs: C and D major alternated over a C bass give the Lydian sound, F and G over an A minor groove the Aeolian.",
        "repertoire": "",
        "practice": "On strings 6-5-4 and 5-4-3 the shape is a four-fret reach with the root under the little finger and the 5th under the index (C: frets 8-7-5 on strings 6-5-4); it is the bass of the open G chord moved up. On strings 4-3-2 it is the middle of the E-shape barre chord (C: 10-9-8), and on 3-2-1 the top of the A-shape barre (C: 5-5-3). Play C, F and G all in root position on one string group, then again with F and G in their nearest inversions, and feel how much less the hand has to travel.",
        "related": "From root position the nearest IV chord is its 2nd inversion (C E G to C F A keeps the C and moves the others up a step) and the nearest V its 1st inversion (C E G to B D G keeps the G). The minor triad lowers the 3rd, the augmented triad raises the 5th.",
    },
    "triad_major_inversion1": {
        "what": "The 3rd in the bass, then the 5th, with the root on top: a minor 3rd under a perfect 4th, the outer interval a minor 6th. Written C/E; classical harmony calls it the 6 chord.",
        "sound": "Lighter and less grounded than root position, with a feeling of motion; the root on top makes it a good melody note to end a phrase on.",
        "uses": "Bass lines that walk by step (C to C/E to F), the I6 and IV6 of classical voice-leading, and small top-string triads in pop, funk and soul comping, where the root on the 1st string carries the melody.",
        "repertoire": "",
        "practice": "On strings 3-2-1 the 3rd sits on the G string one fret above the other two notes (C: 9-8-8), the top of the E-shape barre at the 8th fret. On 4-3-2 it is the middle of the open C chord (2-0-1 when open; the triads mode draws it an octave up, 14-12-13). On the two lower groups the 3rd lies two frets above the root's fret (C: 12-10-10 on strings 6-5-4). Then move C/E (9-8-8) to F in root position (10-10-8) and to G in 2nd inversion (7-8-7) on the same strings: every voice moves by a step or stays.",
        "related": "From 1st inversion the nearest IV is in root position (E G C to F A C) and the nearest V in 2nd inversion (E G C to D G B). The minor 1st inversion has the minor 3rd in the bass; root position and 2nd inversion complete the set on the same strings.",
    },
    "triad_major_inversion2": {
        "what": "The 5th in the bass, then the root, with the 3rd on top: a perfect 4th under a major 3rd, the outer interval a major 6th. Written C/G; classical harmony calls it the 6/4 chord.",
        "sound": "Bright on top but unstable at the bottom: the 4th above the bass wants to fall to a 3rd, which is why the cadential 6/4 resolves to V.",
        "uses": "The cadential I6/4 to V to I of classical music, passing and pedal 6/4 chords over a held bass, the top-string sound of the open C and D chords, and a chord-melody voicing whenever the melody note is the chord's 3rd.",
        "repertoire": "",
        "practice": "On strings 4-3-2 the three notes lie across one fret (A: 2-2-2, the open A chord's top; C: 5-5-5); barre them or use three fingers. On 3-2-1 it is the top of the open D and open C chords (D: 2-3-2). On strings 6-5-4 it is the low end of C/G (C: 3-3-2). Play C/G to G7 to C and hear the 4th above the bass resolve down to the 3rd.",
        "related": "From 2nd inversion the nearest IV is in 1st inversion (G C E to A C F) and the nearest V in root position (G C E to G B D), the G staying put. Root position and 1st inversion are the other two shapes on the same strings.",
    },
    # ---- Minor ------------------------------------------------------------
    "triad_minor_root": {
        "what": "Root at the bottom, then the minor 3rd, then the 5th: a minor 3rd with a major 3rd above it, the outer interval a perfect 5th. The skeleton of every minor chord of the library.",
        "sound": "Dark, stable and complete; the minor 3rd low in the voicing makes the minor colour plain.",
        "uses": "The i chord of minor keys, the ii, iii and vi of major keys (Dm, Em and Am in C), and rhythm parts in rock, folk and funk; stacked on another bass it forms larger chords (Em over C is Cmaj7, Am over C is C6).",
        "repertoire": "",
        "practice": "On strings 3-2-1 it is the top of the Am-shape barre (D: 7-6-5); on 4-3-2 the middle of the Em-shape barre (A: 7-5-5). On 6-5-4 and 5-4-3 the root sits under the little finger with the 3rd two frets lower (A: 5-3-2 on strings 6-5-4). Compare each shape with the major root position on the same strings: only the 3rd moves, one fret down.",
        "related": "From root position the nearest iv is its 2nd inversion (C Eb G to C F Ab) and the nearest v its 1st inversion. The major triad raises the 3rd, the diminished triad lowers the 5th.",
    },
    "triad_minor_inversion1": {
        "what": "The minor 3rd in the bass, then the 5th, with the root on top: a major 3rd under a perfect 4th, the outer interval a major 6th. It holds the same notes as a major 6th chord without its 5th on the bass note (Am/C sounds like C6 without G).",
        "sound": "Softer and more ambiguous than root position; because the bass note is the relative major's root, it can be heard as either chord.",
        "uses": "Descending and ascending bass lines (Am to Am/C to Dm), the ii6 before V in classical cadences (Dm/F to G), small minor triads with the root as the melody note, and minor triad pairs such as Dm and Em alternated over a Dm7 vamp.",
        "repertoire": "",
        "practice": "On strings 3-2-1 the three notes lie on one fret (A: 5-5-5; C: 8-8-8), the top of the Em-shape barre: one finger or a three-finger row. On the two low groups the 3rd, on the lowest string, lies one fret above the fret of the root (C: 11-10-10 on strings 6-5-4). Play Dm/F to G to C on one string group.",
        "related": "From 1st inversion the nearest iv is root position and the nearest v the 2nd inversion. The major 1st inversion raises the bass note a fret; root position and 2nd inversion share the string groups.",
    },
    "triad_minor_inversion2": {
        "what": "The 5th in the bass, then the root, with the minor 3rd on top: a perfect 4th under a minor 3rd, the outer interval a minor 6th.",
        "sound": "Plaintive on top and open underneath; the minor 3rd as the highest note sings the minor colour clearly.",
        "uses": "The top of the open Am and Dm chords, minor melodies harmonised from the top string down, and the i6/4 over a dominant pedal in minor keys.",
        "repertoire": "",
        "practice": "On strings 4-3-2 it is the top of the open Am chord (2-2-1); on 3-2-1 the top of the open Dm chord (2-3-1). On strings 6-5-4 and 5-4-3 the root is held by the little finger and the 3rd lies two frets below it on the next string (C: 3-3-1 on strings 6-5-4). Move Am, Dm and E through this inversion and the others to find the closest voice-leading.",
        "related": "From 2nd inversion the nearest iv is the 1st inversion and the nearest v root position. The major 2nd inversion raises the top note a fret.",
    },
    # ---- Diminished -------------------------------------------------------
    "triad_diminished_root": {
        "what": "Root, minor 3rd and diminished 5th: two minor 3rds stacked, spanning a tritone. It is the vii chord of a major key (B D F in C) and the ii of a minor key, and it is the 3rd, 5th and b7 of the dominant 7th a major 3rd below (B D F is G7 without its root).",
        "sound": "Tense and unstable; the tritone between root and 5th wants to collapse inward or spread outward by half steps.",
        "uses": "The leading-tone chord that resolves to the tonic (B dim to C), rootless dominant voicings in jazz and soul, the lower three notes of a m7b5 or a dim7 chord, and passing chords between two diatonic chords.",
        "repertoire": "",
        "practice": "On strings 6-5-4 and 5-4-3 the shape spans five frets (C: 8-6-4 on strings 6-5-4), the widest of all the triad shapes; stretch from the little finger on the root to the index on the b5. On 4-3-2 and 3-2-1 it closes to four frets (B: 4-3-1 on strings 3-2-1). Resolve B dim to C on the same strings: B to C, D to E or C, F to E.",
        "related": "The minor triad raises the 5th a half step. Add a minor 7th for m7b5, a diminished 7th for dim7. In its inversions the tritone moves from the outside of the chord to the top (1st inversion) or the bottom (2nd inversion).",
    },
    "triad_diminished_inversion1": {
        "what": "The minor 3rd in the bass, then the b5, with the root on top: a minor 3rd under an augmented 4th, the outer interval a major 6th. The form that classical harmony preferred for the diminished triad (vii6), because the tritone is no longer against the bass.",
        "sound": "Milder than root position: the bass note is consonant with both upper notes, and the tritone sits on top.",
        "uses": "The vii6 and ii6 chords of classical voice-leading (D F B between C and C/E), passing chords in walking bass lines, and dominant sounds without a root on the top strings.",
        "repertoire": "",
        "practice": "On strings 3-2-1 the shape is the b5 under the index with the b3 and root a fret higher (C: 8-7-8); on 4-3-2 the root needs the little finger (C: 13-11-13). On the low groups the b5 lies a fret below the root's fret (C: 11-9-10 on strings 6-5-4). Play C, then D F B, then C/E as a walking line and hear the bass climb C, D, E while the diminished chord passes between the two C chords.",
        "related": "The minor 1st inversion differs only in its middle note; root position and 2nd inversion complete the diminished set. Add the diminished 7th and it becomes a dim7 chord in 1st inversion.",
    },
    "triad_diminished_inversion2": {
        "what": "The b5 in the bass, then the root, with the minor 3rd on top: an augmented 4th under a minor 3rd, the outer interval a major 6th.",
        "sound": "Restless and open, the tritone now at the bottom of the chord.",
        "uses": "Rootless dominant voicings (over a G bass, F B D reads as G7), chromatic passing chords, and diminished colour high on the neck in chord-melody.",
        "repertoire": "",
        "practice": "On strings 4-3-2 it is a compact shape with the root a fret above the outer notes (C: 4-5-4); on 3-2-1 the root needs a reach of two frets (C: 11-13-11). On the low groups the root sits a fret above the b5 on the next string (C: 2-3-1 on strings 6-5-4). Move the shape up three frets and you have the diminished triad a minor 3rd higher (C dim to Eb dim); both are drawn from the same dim7 chord (C Eb Gb A), so sliding in minor 3rds keeps one diminished sound going.",
        "related": "The minor 2nd inversion has a perfect 5th in the bass. Root position and 1st inversion share the string groups.",
    },
    # ---- Augmented --------------------------------------------------------
    "triad_augmented_root": {
        "what": "Root, major 3rd and augmented 5th: two major 3rds stacked. The major 3rds divide the octave evenly, so there are only four different augmented triads, and each of its notes can be heard as the root.",
        "sound": "Suspended, dreamlike and expectant; the #5 wants to rise a half step.",
        "uses": "The V+ that resolves to I (G B D# to C), the line cliché C, C+, C6, C7 where the 5th rises chromatically, passing chords from I to IV, and the whole-tone sound in jazz and film music.",
        "repertoire": "",
        "practice": "On strings 6-5-4 and 5-4-3 each note lies one fret lower than the note below it (C: 8-7-6), a diagonal line for three fingers. On 4-3-2 two notes share a fret (C: 10-9-9), and on 3-2-1 the top note is a fret lower (C: 5-5-4). Slide any shape up four frets: the notes are the same, in the next inversion. The line cliché C, C+, C6, C7 is the 1st string climbing frets 3, 4, 5, 6 above the C and E held at fret 5 on strings 3 and 2.",
        "related": "The major triad lowers the #5 a half step. Add a major 7th for maj7#5, a b7 for 7#5. Its inversions are themselves augmented triads on the other two notes; two augmented triads a whole step apart (C+ and D+) make up the whole-tone scale, a common triad pair.",
    },
    "triad_augmented_inversion1": {
        "what": "The 3rd in the bass, then the #5, with the root on top: a major 3rd and a diminished 4th that sounds like another major 3rd. C+ in 1st inversion (E G# C) is E+ in root position with the C spelt instead of B#.",
        "sound": "The same symmetric haze as root position; the ear cannot tell the inversion and hears a new root instead.",
        "uses": "Chromatic voice-leading lines where one note of the chord moves by half step, and augmented chords with the melody on top.",
        "repertoire": "",
        "practice": "On strings 6-5-4 and 5-4-3 it is the same diagonal as root position, four frets higher (C: 12-11-10 on strings 6-5-4); on 4-3-2 the #5 and the root share the fret below the 3rd (C: 2-1-1), and on 3-2-1 the 3rd and the #5 share the fret above the root (C: 9-9-8). Play C/E, C+/E, C6/E and C7/E on strings 3-2-1 (9-8-8, 9-9-8, 9-10-8, 9-11-8): the 5th climbs on the B string between the held E and C.",
        "related": "Its shape equals root position and 2nd inversion on the same strings; the name depends only on which note you call the root. The major 1st inversion has a perfect 5th in the middle.",
    },
    "triad_augmented_inversion2": {
        "what": "The #5 in the bass, then the root, with the 3rd on top: a diminished 4th that sounds like a major 3rd, under a major 3rd. C+ in 2nd inversion (G# C E) is Ab+ in root position.",
        "sound": "Ambiguous and floating, exactly like the other two inversions to the ear.",
        "uses": "Voice-leading in which the bass rises by half steps (C/G to C+/G# to Am), and augmented colour in chord-melody.",
        "repertoire": "",
        "practice": "On strings 6-5-4 and 5-4-3 it is the familiar diagonal (C: 4-3-2 on strings 6-5-4); on 4-3-2 and 3-2-1 two notes share a fret with the third a fret away (C: 6-5-5 on strings 4-3-2). On strings 6-5-4 play C/G (3-3-2), C+/G# (4-3-2) and Am (5-3-2): the bass climbs G, G#, A on the 6th string under the held C and E.",
        "related": "The same shape as the root position and 1st inversion on each string group, four frets apart. The major 2nd inversion has a perfect 5th in the bass.",
    },
}
