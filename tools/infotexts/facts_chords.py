"""What a guitar teacher says about each chord of the library, beyond what the
library files already state.  make_texts.py adds the formula, the notes, the
grips, the chords one note away and the scales; the prose here is one line per
field: "what", "sound", "uses", "repertoire", "practice", "related".
"""


def _entry(what, sound, uses, repertoire, practice, related):
    return {"what": what, "sound": sound, "uses": uses, "repertoire": repertoire,
            "practice": practice, "related": related}


FACTS = {}

# --------------------------------------------------------------------------
# Triads, sevenths and sixths: the everyday chords
# --------------------------------------------------------------------------

FACTS["chord_major"] = _entry(
    "The major triad: a major 3rd with a minor 3rd stacked on it, C-E and E-G. "
    "It is the chord on degrees 1, 4 and 5 of a major key and the yardstick every "
    "other chord is described against.",
    "Stable and finished; the ear hears it as home when it is the I chord and as "
    "a strong arrival point anywhere else.",
    "Everywhere: folk, rock, pop, country, classical. The I-IV-V of the blues and "
    "of rock and roll, the I-V-vi-IV of pop, the cadences of a hymn.",
    "Let It Be (The Beatles), whose verse turns C, G, Am and F, three of them major.",
    "Learn the five open shapes C, A, G, E and D first; moved up the neck as barre "
    "chords they give the E-shape (root 6th) and A-shape (root 5th) that carry most "
    "rock and pop. Then take the three-string triads on strings 3 to 1 and 4 to 2 and "
    "connect them up the neck, watching the root change place.",
    "Add the major 7th for maj7, the 6th for 6, the 9th for add9; lower the 3rd for "
    "minor or replace it with the 4th for sus4. The triad shapes of the triad mode "
    "show its three inversions on every string group.")

FACTS["chord_minor"] = _entry(
    "The minor triad: the minor 3rd below, the major 3rd above (C-Eb, Eb-G). It is "
    "the major triad with the 3rd lowered a half step, and the chord on degrees 2, 3 "
    "and 6 of a major key and on 1 and 4 of a minor key.",
    "Darker and more inward than major, yet fully at rest: a minor key ends on it "
    "as firmly as a major key ends on its major chord.",
    "The vi of pop progressions (I-V-vi-IV, I-vi-IV-V), the i and iv of minor keys, "
    "the whole of natural-minor rock (i-bVII-bVI) and countless folk songs.",
    "Ain't No Sunshine (Bill Withers), built on A minor; the Am-F-C-G of many pop "
    "ballads.",
    "Start from the open Em, Am and Dm; the Em-shape barre (root 6th) and Am-shape "
    "barre (root 5th) follow directly. Play each barre and then the same chord as the "
    "major barre to hear and feel the single finger that moves: the 3rd.",
    "Minor 7th (add the b7), minor 6th (add the 6), m(add9); the relative major lies "
    "a minor 3rd above (C minor shares its key signature with Eb major).")

FACTS["chord_dominant7"] = _entry(
    "A major triad with a minor 7th, found on one degree of the major scale only, "
    "the 5th (G7 in C), as m7b5 is found only on the 7th. The 3rd and 7th form a tritone "
    "(E-Bb in C7), and that tritone is what pulls it onward.",
    "Restless and bright; it wants to fall a 5th, to F in the case of C7, with the "
    "3rd rising a half step and the 7th falling a half step. In the blues it loses "
    "that pull and becomes a resting colour of its own.",
    "The V7-I cadence of classical and jazz harmony, the secondary dominants (V7 of "
    "V, V7 of ii), and every chord of the 12-bar blues. Country, rock and roll, "
    "gospel and funk lean on it.",
    "Sweet Home Chicago (Robert Johnson) and most blues standards play it on all "
    "three chords of the 12-bar form.",
    "Open C7, A7, E7, D7, G7 and B7 first; the E7-shape barre (8th position for C) "
    "and A7-shape barre (3rd position) give the rock and blues sound. For jazz, the "
    "shell voicings (root, 3rd, 7th) on the 6th and 5th strings and the drop 2 on the "
    "middle strings hold the guide tones; practise moving 3rd and 7th into the next "
    "chord of a cycle of 5ths.",
    "Extend it to 9, 11 or 13; alter the 5th and 9th for the altered dominants; "
    "suspend it to 7sus4. Its 3rd, 5th and b7 (E G Bb) are a "
    "diminished triad, which with the 9th added becomes Em7b5: the top of C9.")

FACTS["chord_major7"] = _entry(
    "A major triad with a major 7th, a half step below the octave. It is the "
    "diatonic chord on degrees 1 and 4 of a major key (Cmaj7 and Fmaj7 in C); its "
    "upper three notes are a minor triad (E G B).",
    "Soft, open and slightly wistful; the half step between the 7th and the octave "
    "gives it a gentle shimmer without tension. It is at rest and needs no resolution.",
    "The I and IV of jazz standards and bossa nova, soft rock and soul ballads, "
    "neo-soul and city pop. The tonic of a ii-V-I in major: Dm7 G7 Cmaj7.",
    "The Girl from Ipanema (Jobim) opens on it; Something (The Beatles) moves from C "
    "to Cmaj7 in its opening line.",
    "Begin with the open Cmaj7 and Fmaj7, then the drop 2 with the root on the 5th "
    "string (3rd position for C) and the drop 3 with the root on the 6th string "
    "(8th position). Keep the doubled root out of the voice just above the 7th: B "
    "with the C a half step over it (or an octave and a half step, a minor 9th) "
    "clashes, and that is why the barre shapes, with the root on top, sound thick.",
    "Add the 9th for maj9, sharpen the 11th for maj7#11; lower the 7th to get the "
    "dominant 7th, or lower the 3rd for the minor-major 7th. Em on top of C: the "
    "chord is also a minor triad over a root a major 3rd below.")

FACTS["chord_minor7"] = _entry(
    "A minor triad with a minor 7th: it is the chord on degrees 2, 3 and 6 of a "
    "major key. Its upper three notes are a major triad (Eb G Bb in Cm7), so Cm7 is "
    "also Eb over C.",
    "Mellow and smooth, minor without the drama of the plain triad; it sits "
    "comfortably for a long time, which is why a whole funk tune can vamp on it.",
    "The ii of the ii-V-I (Dm7 G7 Cmaj7), the vi and iii of major keys, the i of "
    "Dorian vamps in funk, soul, jazz-rock and modal jazz.",
    "So What (Miles Davis) vamps on Dm7 and Ebm7; Oye Como Va (Santana) on Am7 and D9.",
    "Open Am7, Em7 and Dm7 first, then the Em7-shape barre (8th position for C) and "
    "the Am7-shape barre (3rd position). For jazz comping use the drop 2 on strings "
    "4 to 1 and the shells; in a ii-V keep the b7 of the m7 and let the 3rd of the "
    "dominant arrive a half step below it.",
    "Add the 9th and 11th for m9 and m11; lower the 5th for the half-diminished m7b5; "
    "raise the 7th for m(maj7). The relative major 6th chord has the same notes: Cm7 "
    "and Eb6 share C Eb G Bb.")

FACTS["chord_major6"] = _entry(
    "A major triad with the major 6th added. Its notes are those of the minor 7th "
    "chord a minor 3rd below (C6 = Am7 over C), so which one it is depends on the bass.",
    "Sweet, settled and a little old-fashioned; softer than maj7 because the 6th "
    "makes no half step against the root.",
    "The tonic chord of swing, western swing and gypsy jazz, early rock and roll "
    "(the boogie shuffle moves 5 to 6 and back), and the last chord of many pop "
    "songs of the 1960s.",
    "She Loves You (The Beatles) ends on a G6 chord.",
    "The open C6, A6 and E6 and the drop 2 on the 5th string (2nd position for C) are "
    "the everyday grips; the F6-shape on strings 4 to 1 (8th position) is the classic "
    "swing chord. Practise the rock-and-roll shuffle by rocking the 5th up to the 6th "
    "on a power chord.",
    "Add the 9th for the 6/9 chord; lower the 3rd for m6. Am7 is the same set of "
    "notes, and the 6 is a common stand-in for maj7 on a tonic.")

FACTS["chord_minor6"] = _entry(
    "A minor triad with a major 6th. The 3rd and 6th form a tritone (Eb-A in Cm6), "
    "so it is also the top of a dominant chord: Cm6 holds the notes of F9 without "
    "its root, and of Am7b5 with C in the bass.",
    "Dark but elegant, with a faint pull from its tritone; the natural 6th sounds "
    "Dorian or melodic-minor rather than sad.",
    "The tonic minor of swing and gypsy jazz, the iv6 in a minor cadence, the end "
    "of a minor line cliché (Cm Cm(maj7) Cm7 Cm6), and bossa nova.",
    "Minor Swing (Django Reinhardt) runs Am6, Dm6 and E7.",
    "Open Am6 and Dm6, then the drop 2 on the 5th string (2nd position for C) and the "
    "Fm6-shape on strings 4 to 1 (8th position). Play the line cliché on one string "
    "set: root, then the 7th, the b7 and the 6 in turn on the same string under a "
    "held minor triad.",
    "Cm6 and Am7b5 share their notes; add the 9th for m6/9; swap the 6 for a b6 to "
    "get the minor flat 6th.")

FACTS["chord_dominant9"] = _entry(
    "A dominant 7th with the major 9th on top. The upper four notes (E G Bb D in C9) "
    "are a half-diminished chord, Em7b5, which is why the 9 can be played without a "
    "root as Em7b5 over a bass player.",
    "Rich and warm, more relaxed than the bare 7th; the 9th softens the tritone. "
    "It still wants to fall a 5th, but it sits on a vamp just as well.",
    "Funk and soul rhythm guitar (the one-chord vamp on a 9 chord), blues (the 9 "
    "chord at the end of a 12-bar), jazz dominants where the 9th is diatonic.",
    "",
    "The C9-shape with the root on the 5th string (2nd position for C: the 3rd on the "
    "4th string, then b7, 9 and 5 under a ring-finger barre) is the funk chord; mute the strings you do not "
    "play and work on short, percussive strokes. The E9-shape barre covers the "
    "6th-string root.",
    "Drop the 3rd and add the 11th for the 11 (9sus4 sound); add the 13th for the 13; "
    "alter the 9th for 7b9 or 7#9. The Mixolydian scale holds every note.")

FACTS["chord_add9"] = _entry(
    "A major triad with the 9th added and no 7th. Unlike the sus2 it keeps the 3rd, "
    "so the 9th rubs a whole step against the root and the 3rd.",
    "Bright, chiming and open; it is a major chord with sparkle rather than a "
    "jazz extension.",
    "Acoustic pop, rock and worship music, where open strings ring the 9th; an "
    "ending chord; a stand-in for the plain major triad on I or IV.",
    "Wonderwall (Oasis) uses the Cadd9 grip, ring and little fingers held on the 3rd "
    "fret of the top two strings (played with a capo).",
    "The open Cadd9 and Gadd9 grips keep two fingers fixed on the top strings while "
    "the bass moves; on the neck the four-string voicings with the root on the 6th "
    "string stretch: keep the thumb low behind the neck.",
    "Compare it with sus2, which drops the 3rd, and with the maj9, which adds the "
    "major 7th as well; the minor version is m(add9).")

FACTS["chord_sus2"] = _entry(
    "A triad whose 3rd is replaced by the 2nd. With neither 3rd present it is "
    "neither major nor minor, and its notes are those of the sus4 a 5th above "
    "(Csus2 = C D G; Gsus4 = G C D).",
    "Open and airy, ambiguous in mode; it floats rather than resolves and lets "
    "the melody decide major or minor.",
    "Rock and pop guitar figures that hammer the 3rd on and off, ambient and "
    "post-rock textures, and modal music where the 3rd is avoided.",
    "",
    "The open Dsus2 and Asus2 are the start: hammer from the open string to the 3rd "
    "and back. On the neck the Asus2-shape barre (3rd position for C) and the "
    "three-string voicing on strings 3 to 1 give the same movement.",
    "Add the 3rd back for add9; the 7sus2 and 6sus2 extend it. Suspended to the 4th "
    "it becomes sus4; both together make sus2sus4.")

FACTS["chord_sus4"] = _entry(
    "A triad whose 3rd is replaced by the perfect 4th. Classically the 4th is a "
    "suspension held over from the previous chord and falling to the 3rd; in pop and "
    "rock it is a colour in its own right.",
    "Tense but not harsh: it hangs in the air waiting for the 3rd, and the sus4 to "
    "major move is one of the most familiar sounds in music.",
    "The suspension of classical cadences (V sus4 to V), the rock riff that moves "
    "major-sus4-major, hymn endings and folk picking patterns.",
    "",
    "The open Dsus4, Asus4 and Esus4 are grips to alternate with their major chords: "
    "add a finger and lift it. On the neck use the Esus4-shape barre (8th position for "
    "C) and the Asus4-shape barre (3rd position); the little finger adds and removes "
    "the 4th.",
    "Resolve it to the major triad; add the b7 for 7sus4, the usual dominant "
    "suspension. It shares notes with the sus2 a 4th above (Csus4 = Fsus2).")

FACTS["chord_dominant7sus4"] = _entry(
    "A dominant 7th whose 3rd is replaced by the 4th. Without the 3rd there is no "
    "tritone, so it is a dominant with the pull taken out. Gm7 over a C bass without its D "
    "is C7sus4; with the D it is C9sus4.",
    "Open and hovering; it can resolve to the plain 7th and then to the tonic, or "
    "sit for bars as a modal colour.",
    "The V chord in gospel and soul, modal jazz from the 1960s on, the sus vamp of "
    "fusion, and the classical 4-3 suspension on the dominant.",
    "Maiden Voyage (Herbie Hancock) is built on four 7sus4 chords.",
    "The open A7sus4 and D7sus4 shapes, then the E7sus4 and A7sus4 barres (8th and 3rd "
    "position for C). The drop 2 with the root on the 5th string makes the b7 and 4 "
    "easy to voice-lead into the 7th: the 4 falls a half step to the 3.",
    "Resolve to the 7; add the 9th for 9sus4 and the 13th for 13sus4. The b9 version "
    "(7sus4b9) is the Phrygian colour of the same chord.")

FACTS["chord_diminished"] = _entry(
    "Two minor 3rds stacked: root, minor 3rd and diminished 5th. It is the triad on "
    "the 7th degree of a major key (Bdim in C) and on the 2nd degree of a minor key.",
    "Tense and unstable; the tritone between root and b5 makes it lean strongly "
    "towards a chord a half step above its root.",
    "A leading-tone chord that stands for a dominant without its root (Bdim acts "
    "like G7 going to C), the ii of a minor key, and passing chords in classical and "
    "pop harmony.",
    "",
    "The triads on strings 4 to 2 (7th position for C) and 3 to 1 (2nd position) are "
    "the most usable; the four-string voicings double the root. Play Bdim to C in "
    "several places to hear the leading tone rise.",
    "Add a diminished 7th for dim7 or a minor 7th for m7b5. It is the top of a "
    "dominant 7th: C E G Bb holds Edim.")

FACTS["chord_diminished7"] = _entry(
    "Three minor 3rds stacked, so the octave is cut into four equal parts. Every "
    "inversion is another dim7 of the same shape: Cdim7, Ebdim7, Gbdim7 and Adim7 "
    "have the same four notes. There are only three different dim7 chords.",
    "Tense, dramatic and directionless on its own; any of its four notes can lead "
    "a half step up into a new chord, which makes it a pivot for modulation.",
    "A passing chord between two chords a whole step apart (C C#dim7 Dm7), the "
    "viio7 of a minor key, a stand-in for a 7b9 chord a major 3rd below any of its "
    "notes (Bdim7 = G7b9 without G), and the suspense chord of silent film and "
    "romantic music.",
    "",
    "Learn one drop 2 and one drop 3 grip: moved up three frets they give the same "
    "chord in a new inversion, so one shape covers the neck. Start with the drop 2 "
    "with the root on the 5th string (2nd position for C) and slide it up in minor "
    "3rds.",
    "Lower any one of its notes a half step and you get a dominant 7th on that note "
    "(lower C to B: B7); raise any one and you get a half-diminished chord (raise Bbb "
    "to Bb: Cm7b5). The diminished whole-half scale covers it.")

FACTS["chord_half_diminished7"] = _entry(
    "A diminished triad with a minor 7th: it is the chord on the 7th degree of a "
    "major key and on the 2nd degree of a minor key. Its upper three notes are a "
    "minor triad (Eb Gb Bb in Cm7b5), and it shares its notes with the minor 6th "
    "chord on its b3 (Ebm6).",
    "Dark, unsettled and sophisticated; it wants to move to a dominant a 4th "
    "above, and from there to minor.",
    "The ii of the minor ii-V-i (Dm7b5 G7b9 Cm), the vii of a major key, and the "
    "#iv of a major key on a bass rising from IV to V (Fmaj7 F#m7b5 G7 in C). A staple of jazz "
    "ballads and bossa nova.",
    "Stella by Starlight (Victor Young) opens on Em7b5 to A7b9; Autumn Leaves has a "
    "minor ii-V-i in every chorus.",
    "The drop 2 with the root on the 5th string (3rd position for C) and the drop 3 "
    "with the root on the 6th string (7th position) are the comping grips. Play it in "
    "a minor ii-V-i: the b7 of Cm7b5 (Bb) falls a half step to A, the 3rd of F7b9, "
    "and the b5 (Gb) stays as its b9.",
    "Add the 9th for m9b5 and the 11th for m11b5. Lowering its 7th gives dim7; "
    "raising its 5th gives m7.")

FACTS["chord_augmented"] = _entry(
    "Two major 3rds stacked, so the octave is cut into three equal parts: C+, E+ and "
    "G#+ have the same notes. There are only four different augmented triads.",
    "Strange, expectant and unresolved; the raised 5th wants to rise a half step "
    "further, to the 3rd of the next chord.",
    "A passing chord between I and vi or I and IV (C C+ Am, C C+ F), the V+ of a "
    "dominant that resolves up, and the rising line I I+ I6 I7.",
    "Oh! Darling (The Beatles) opens on E augmented.",
    "The triad on strings 4 to 2 and 3 to 1 and the open C+ are the easiest grips. "
    "Because of its symmetry, each shape moved four frets is the same chord again; "
    "practise the rising line C C+ C6 C7 on one string set.",
    "Add the b7 for 7#5 or the major 7th for maj7#5. The whole-tone scale and the "
    "augmented scale hold it.")

FACTS["chord_major9"] = _entry(
    "A major 7th chord with the major 9th. The upper four notes form a minor 7th "
    "chord (E G B D: Em7), so Cmaj9 can be played as Em7 over the root.",
    "Lush, luminous and calm; the most lyrical of the major chords.",
    "Tonic of jazz ballads and bossa nova, neo-soul and R&B, fusion and smooth "
    "jazz; the I and IV of a major key where the melody avoids the root.",
    "",
    "The root-5th shape in 2nd position for C (root, 3rd, 7th, 9th) and the "
    "five-string voicings with the root on the 6th string are the start. Rootless, "
    "play the Em7 drop 2 over a bass player.",
    "Drop the 9th for maj7, add the #11 for maj9#11 or the 13th for maj13; the "
    "maj9sus4 keeps the 9th without the 3rd.")

FACTS["chord_major13"] = _entry(
    "A major 7th chord with the 9th and 13th. On the guitar the 11th is always left "
    "out (a natural 11th clashes with the 3rd), and the 5th and often the 9th too: "
    "the core is root, 3rd, 7th and 13th.",
    "Sweet and full, a maj7 with the 6th's warmth on top; it stays at rest.",
    "Tonic chords in jazz ballads, soul and 1970s pop; the 13th is often the melody note.",
    "",
    "The four-string voicings with the root on the 5th string (2nd and 3rd position "
    "for C) are compact: root, 7th, 3rd, 13th. Compare each with the maj7 grip to "
    "hear which note became the 13th.",
    "It sits between the maj7 and the 6/9; the Lydian version maj13#11 adds the "
    "raised 11th.")

FACTS["chord_major7_sharp11"] = _entry(
    "A major 7th chord with the augmented 11th. The #11 is the raised 4th of the "
    "Lydian mode, a tritone above the root, and it sits a half step above the 5th. The "
    "notes above the root make Em(add9).",
    "Bright, floating and modern; the #11 removes the clash a natural 11th would "
    "make with the 3rd and gives the chord a suspended, shimmering quality.",
    "The Lydian sound in jazz and film music; the IV chord of a major key (Fmaj7#11 "
    "in C is diatonic), tonic in modal tunes, and endings of jazz ballads.",
    "",
    "Start with the Emaj7-shape barre with the #11 (8th position for C) and the "
    "Dmaj7 with the #11 in place of the 5th (10th position, root on the 4th string). "
    "Listen for the half step between the #11 and the 5th; where it rubs, leave the 5th out.",
    "Add the 9th for maj9#11, the 13th for maj13#11; drop the 7th for the add#11. The "
    "Lydian scale is its home.")

FACTS["chord_major9_sharp11"] = _entry(
    "A maj9 chord with the raised 11th: root, 3rd, 5th, 7th, 9th and #11, the "
    "first six notes of Lydian stacked in 3rds. Everything above the root is Em9 "
    "(E G B D F#), so Em9 over a C bass is the quick way to it.",
    "Spacious and bright, the full Lydian colour without the 13th.",
    "Tonic and IV chords in modern jazz and film scoring; the last chord of a tune "
    "when the melody ends on the 9th or the #11.",
    "",
    "The five-string voicings with the root on the 6th string (7th position for C) "
    "hold most of it; the four-string grip on the 5th string (3rd position) is the "
    "lighter choice.",
    "maj7#11 without the 9th, maj13#11 with the 13th; the Lydian and "
    "Ichikosucho scales fit.")

FACTS["chord_major13_sharp11"] = _entry(
    "The full Lydian chord: all seven notes of C Lydian stacked in 3rds. On the "
    "guitar the 5th and sometimes the 9th are left out; the top three voices are "
    "often a major triad a whole step above the root.",
    "Wide and radiant, the largest major chord; nothing in it wants to move.",
    "Final chords in jazz and film music and the Lydian tonic of modal pieces.",
    "",
    "Build it from the top down: a D triad on strings 3 to 1 over a C bass and an E"
    " or B in the middle. Then compare the six-string grip with the maj13: only the"
    " #11 differs, and it should ring clearly, not buried under the 5th.",
    "Every other Lydian chord is a subset of it: maj7#11, maj9#11, 6/9#11.")

FACTS["chord_minor_major7"] = _entry(
    "A minor triad with a major 7th: the tonic chord of the harmonic and melodic "
    "minor scales. Its upper three notes form an augmented triad (Eb G B in "
    "Cm(maj7)).",
    "Haunting and mysterious; the major 7th under the minor 3rd is the sound of "
    "film noir and spy themes.",
    "The i chord in minor jazz, a passing chord in the minor line cliché (Cm "
    "Cm(maj7) Cm7 Cm6), and the last chord of minor ballads.",
    "My Funny Valentine (Rodgers and Hart) and In a Sentimental Mood (Duke Ellington) "
    "both open with the descending line cliché through this chord.",
    "The Am(maj7)-shape barre (3rd position for C) and the drop 2 on the 5th string "
    "are the grips; play the line cliché by moving only the note on the 3rd or 4th "
    "string down a fret at a time.",
    "Add the 9th for m(maj9); add the b6 for the harmonic-minor m(maj7)(b6). Compare "
    "with m7: only the 7th differs.")

FACTS["chord_minor9"] = _entry(
    "A minor 7th chord with the major 9th. Its upper four notes are a major 7th "
    "chord (Eb G Bb D in Cm9), so Ebmaj7 over C sounds as Cm9.",
    "Smooth, soulful and rich; the 9th lightens the minor chord without adding tension.",
    "The ii chord and minor tonic in jazz, Dorian vamps in funk, soul and neo-soul, "
    "and minor chords in smooth jazz and fusion.",
    "",
    "The Em9 barre (8th position for C) and the four- and five-string grips with the "
    "root on the 5th string (1st position) are the start. For funk, play the top "
    "three or four strings only and leave the root to the bass.",
    "m7 without the 9th; m11 with the 11th; m(maj9) with a major 7th. The Dorian "
    "scale is the natural fit.")

FACTS["chord_minor11"] = _entry(
    "A minor 7th chord with 9th and 11th. Unlike the major 11th, the natural 11th "
    "does not clash with the minor 3rd, so all of it can be voiced; guitarists often "
    "leave out the 9th or 5th and stack the rest in 4ths.",
    "Open, modern and modal; voiced in 4ths it has a cool, airy quality.",
    "Modal jazz, the ii chord of a ii-V, Dorian funk vamps and fusion.",
    "The 'So What' chord of Bill Evans on So What (Miles Davis): three 4ths and a "
    "major 3rd over the root is an Em11 voicing.",
    "The five-string voicing root, 11, b7, b3, 5 with the root on the 6th string (8th "
    "position for C) is the So What voicing; the Am11-shape (3rd position) is the "
    "same stack a string higher. Slide either a whole step up and back for the "
    "Dorian vamp.",
    "m9 without the 11th, m7(add11) without the 9th, m13 with the 13th. The "
    "11 chord shares its upper notes.")

FACTS["chord_minor13"] = _entry(
    "The full Dorian chord: a minor 7th with 9th, 11th and 13th. The major 13th "
    "(A in Cm13) is what makes it Dorian rather than Aeolian; the 11th and 9th are "
    "usually left out on guitar.",
    "Bright for a minor chord, warm and jazzy.",
    "The ii chord in jazz, where the 13th often comes from the melody, and Dorian "
    "vamps in funk and soul.",
    "",
    "Start from the Am7 barre with the 13th on top (3rd position for C) and the "
    "five-string voicing with the root on the 6th string (8th position): root, b7, "
    "b3, 13 is the core.",
    "m13(no11) is the same chord named without its 11th; m6 and m7 lie inside it. "
    "Dorian is the scale.")

FACTS["chord_minor_major9"] = _entry(
    "The minor-major 7th with the 9th added: the tonic chord of melodic minor with "
    "its 9th. Over the minor 3rd the upper notes form a major 7th #5 chord (Eb G B D).",
    "Dark and luminous at once; the 9th opens up the tight augmented top of the m(maj7).",
    "Minor tonics in modern jazz and film music, often as the last chord of a minor tune.",
    "",
    "The Em(maj9) barre (8th position for C) and five-string grips; leave out the 5th "
    "where the stretch is too wide.",
    "m(maj7) without the 9th, m9 with a minor 7th; melodic and harmonic minor hold it.")

FACTS["chord_minor7_flat9"] = _entry(
    "A minor 7th chord with a minor 9th: the chord on the 3rd degree of a major key "
    "with its diatonic 9th (Em7b9 in C) and the tonic chord of the Phrygian mode.",
    "Dark and exotic; the b9 against the root gives a Spanish or Phrygian edge.",
    "Phrygian vamps in jazz and flamenco-influenced music; the iii chord when the "
    "melody sits on its b9.",
    "",
    "The Em7 barre with the b9 on top (8th position for C) and the four-string "
    "voicings on the 5th string (1st and 3rd position). Let the b9 sit on top, not next "
    "to the root.",
    "Phrygian and Dorian b2 are its scales; the 7sus4b9 shares the same Phrygian colour "
    "with a 4th instead of a minor 3rd.")

FACTS["chord_dominant11"] = _entry(
    "Named an 11 chord but played without its 3rd: root, 5th, b7, 9th and 11th. It is "
    "a 9sus4 by another name, and Bb major over C (C11 = Bb/C) by a third.",
    "Open and soulful, a dominant that hovers instead of pushing.",
    "Gospel and soul, fusion and the V of a ii-V in modern jazz where the "
    "suspension is held.",
    "",
    "The E7sus4 on the lower four strings and A7sus4 on four strings with the 9th "
    "(8th and 3rd position for C); or play a major triad a whole step below the root "
    "over the root.",
    "9sus4 is the same sound; 7sus4 is its simpler form; 13sus4 adds the 13th.")

# --------------------------------------------------------------------------
# Extended and altered dominants
# --------------------------------------------------------------------------

FACTS["chord_dominant13"] = _entry(
    "A dominant 7th with the 9th and the 13th; the 11th is left out because it "
    "would clash with the 3rd. The working core on guitar is root, 3rd, b7 and 13th, "
    "with the 9th where a finger is free.",
    "Full, sophisticated and swinging; the 13th sits a whole step above the 5th and "
    "often moves down to it, or to the 9th of the next chord.",
    "The dominant of swing, jump blues, big band and soul horn charts; the V in a "
    "ii-V-I when the melody has the 13th; the last chords of a jazz blues.",
    "",
    "The five-string voicings with the root on the 6th string (7th and 8th position "
    "for C) and on the 5th string (2nd and 3rd position). The four-string grip root, "
    "b7, 3, 13 on strings 6, 4, 3, 2 is the jump-blues chord: slide into it from a "
    "fret below.",
    "7(add13) is the same sound without the 9th; alter it to 13b9 or 13#9; the "
    "13#11 is the Lydian dominant version.")

FACTS["chord_dominant7_sharp11"] = _entry(
    "A dominant 7th with the raised 11th, the #4 of the Lydian dominant scale. The 5th "
    "is kept, so it differs from the 7b5 that replaces the 5th with the same note.",
    "Bright, open tension without a drive to resolve; the #11 sounds modern and "
    "slightly floating.",
    "The II7 of a major key (D7#11 going to Dm7 G7 in C), tritone substitutes (Db7#11 "
    "for G7), and the bVII7 or IV7 of blues and jazz where the natural 11th would "
    "clash.",
    "Take the 'A' Train (Billy Strayhorn): the D7 of bars 3 and 4 carries the raised "
    "11th in the melody.",
    "The E7 barre with the #11 (8th position for C) and the A7 barre with the #11 (3rd "
    "position); the D7 shape with the #11 in place of the 5th (10th position, root on "
    "the 4th string) is the lightest grip.",
    "9#11 and 13#11 extend it; the 7b5 replaces the 5th with the same pitch. Lydian "
    "dominant is the scale.")

FACTS["chord_dominant9_sharp11"] = _entry(
    "A dominant 9th with the raised 11th: the chord of the Lydian dominant scale "
    "without its 13th. Its 9th and #11 (D and F# over C) are two notes of the D "
    "triad that would complete it to a 13#11.",
    "Glowing and modern, a dominant that shimmers rather than pulls.",
    "Tritone substitutions and II7 chords in jazz, the bVII9#11 of modern blues, "
    "and fusion vamps.",
    "",
    "The #11 belongs above the 3rd and 9th: in the C9 grip with the root on the 5th"
    " string, fret F# on the 1st string, a fret below the 5th, and the #11 is on "
    "top. Let that top note sing; it is the colour a melody usually holds.",
    "7#11 without the 9th, 13#11 with the 13th; the Lydian dominant and tritone "
    "scales hold it.")

FACTS["chord_dominant13_sharp11"] = _entry(
    "The complete Lydian dominant chord: all seven notes of the scale stacked in 3rds. "
    "The upper three (9th, #11, 13th) form a major triad a whole step above the root: "
    "D F# A over C7.",
    "Rich and bright; the upper-structure triad rings clearly over the tritone of the "
    "dominant.",
    "Jazz dominants that do not resolve down a 5th (II7, bVII7), and the tonic of "
    "Lydian dominant vamps.",
    "",
    "Start from the six-string voicing with the root on the 6th string (6th or 8th "
    "position for C). The shortcut is the upper-structure: a D triad on the top three "
    "strings over the C7 shell on the lower strings.",
    "It contains 7#11, 9#11 and 13; Lydian dominant is its scale.")

FACTS["chord_dominant7_flat9"] = _entry(
    "A dominant 7th with a minor 9th: the V chord of a minor key (G7b9 in C minor, "
    "from harmonic minor). Its upper four notes form a diminished 7th chord (E G Bb Db "
    "in C7b9), which is why a dim7 a major 3rd above the root stands in for it.",
    "Dark, urgent and dramatic; the b9 pulls a half step down to the 5th of the "
    "minor tonic.",
    "The V of a minor ii-V-i, secondary dominants to minor chords (the VI7 to ii, the "
    "III7 to vi), gypsy jazz, tango and flamenco.",
    "Stella by Starlight (Victor Young): the A7b9 of the second bar, after the opening Em7b5.",
    "The E7b9 barre (8th position for C) and the five- and four-string grips on the "
    "5th string (2nd position). The quickest grip of all is a dim7 drop 2 with its "
    "lowest note a major 3rd above the root.",
    "13b9 adds the 13th; 7b9b13 is the harmonic-minor dominant; the half-whole "
    "diminished scale and Phrygian dominant fit.")

FACTS["chord_dominant7_sharp9"] = _entry(
    "A dominant 7th with the augmented 9th, enharmonically the minor 3rd: major and "
    "minor 3rd sound together, the major 3rd below and the #9 a major "
    "7th above it.",
    "Gritty, bluesy and aggressive; the clash of the two 3rds is the blues scale "
    "made into a chord.",
    "Blues rock, funk and soul; in jazz the altered V of a ii-V. The I chord of a "
    "rock riff in E.",
    "Purple Haze (Jimi Hendrix), built on E7#9.",
    "The four-string grip with the root on the 5th string (2nd position for C: root, 3rd, b7, "
    "#9 on strings 5 to 2) is the rock chord Hendrix made famous; keep the 1st string quiet "
    "by touching it with the fretting fingers. The barre with the root on the 6th string is fuller.",
    "7b9#9 holds both altered 9ths; 7#9b13 and 7#5#9 are the altered-scale forms; "
    "the blues scale over the root is the lead choice in rock.")

FACTS["chord_dominant7_flat5"] = _entry(
    "A dominant 7th with the 5th lowered. It is symmetric: C7b5 (C E Gb Bb) and Gb7b5 "
    "(Gb Bb Dbb Fb, the same pitches) are the same four notes, so every 7b5 is its own tritone "
    "substitute.",
    "Sharp-edged and unstable; the two tritones (C-Gb and E-Bb) pull in two "
    "directions at once.",
    "A bebop dominant and tritone substitute, the French sixth of classical harmony "
    "(with the b5 in the bass), and the II7b5 of jazz standards.",
    "",
    "The drop 2 and drop 3 grips (3rd and 2nd position for C with the root on the 5th "
    "string, 8th and 7th position on the 6th string). Move each grip six frets: it is "
    "the same chord.",
    "7#11 keeps the 5th beside the same altered note; 9b5 and 13b5 extend it; the "
    "whole-tone scale holds it.")

FACTS["chord_dominant7_flat9_flat13"] = _entry(
    "A dominant 7th with the minor 9th and minor 13th: the V chord of harmonic minor "
    "with all its diatonic tensions. The b13 is enharmonic to a #5, but here the "
    "natural 5th stays.",
    "Very dark and tense; both tensions fall a half step into the minor tonic (the "
    "b9 falls to the tonic's 5th, the b13 to its 9th or stays as its minor 3rd).",
    "The V of a minor ii-V-i in jazz, tango, klezmer and flamenco-flavoured music.",
    "",
    "The E7 barre with the b9 and b13 (8th position for C) and the five-string grips on "
    "the 6th and 5th strings. Leave out the 5th and it becomes the easier 7#5b9 "
    "grip.",
    "7b9 without the b13, 7b13 without the b9; Phrygian dominant is the scale.")

FACTS["chord_dominant7_flat5_sharp9"] = _entry(
    "A dominant 7th with a lowered 5th and a raised 9th: two notes of the altered "
    "scale on top of the 3rd and b7.",
    "Harsh and bluesy, the #9's grit with the instability of the b5.",
    "The altered V of a ii-V-I in jazz and fusion; the turnaround chord of modern "
    "blues.",
    "",
    "The five-string voicings with the root on the 6th string (7th and 8th position "
    "for C) and on the 5th string (2nd position). Compare it with the 7#9 grip: one "
    "finger moves down to the b5.",
    "7#9 with the 5th lowered; 7#5#9 with it raised. The altered scale holds it.")

FACTS["chord_dominant7_sharp5_flat9"] = _entry(
    "A dominant 7th with a raised 5th and a minor 9th, both from the altered scale."
    " The #5 is the same pitch as a b13.",
    "Dark and pulling; the b9 falls to the 5th of the tonic, and the #5 rises to "
    "its 3rd, or stays as the minor 3rd of a minor tonic.",
    "The V of a minor ii-V-i in jazz; a common V chord in ballads where the melody "
    "has the #5.",
    "",
    "Rootless, play 3rd, b7, b9 and #5 on strings 4 to 1 and let the bass take the "
    "root. With the root, start from the 6th-string grips and check that the b9 "
    "sits above the 3rd, never right beside the root.",
    "7b9b13 keeps the 5th beside the b13; 7#5#9 raises the 9th; the altered scale "
    "and Spanish modes hold it.")

FACTS["chord_dominant7_sharp5_sharp9"] = _entry(
    "A dominant 7th with raised 5th and raised 9th, often simply called 7alt. With "
    "root, 3rd and b7, the #5 and #9 are the top of the altered scale.",
    "Tense, dark and very jazzy; it leads firmly to the tonic a 5th below, major or "
    "minor.",
    "The altered V in bebop and modern jazz, the last chord of a turnaround, and "
    "fusion.",
    "",
    "Start from the five-string grips with the root on the 6th string (7th and 8th "
    "position for C). Guitarists often play it rootless: 3rd, b7, #9 and #5 on strings 4 to 1.",
    "7#9 with the 5th raised; 7#5b9 with the 9th lowered. The altered scale is its "
    "scale.")

FACTS["chord_dominant7_flat13"] = _entry(
    "A dominant 7th with the minor 13th added above the natural 5th: the V chord of "
    "melodic minor's 5th mode (Mixolydian b6).",
    "Bittersweet; the b13 sits a half step above the 5th and leans down into the "
    "minor 3rd or 9th of the tonic.",
    "The V of a minor key when the 9th stays natural, and gospel and soul turnarounds.",
    "",
    "The E7 barre with the b13 (8th position for C), the A7 barre with the b13 (3rd "
    "position) and the D7 shape with the b13 in place of the 5th (10th position). "
    "Let the b13 fall to the 5th on the same string.",
    "7b9b13 adds the b9; 7#5 replaces the 5th with the same pitch. Mixolydian b6 is "
    "the scale.")

FACTS["chord_dominant13_flat9"] = _entry(
    "A dominant 13th with a minor 9th: the dominant chord of the half-whole "
    "diminished scale, which has both the b9 and the natural 13th.",
    "Tense underneath and bright on top: the 13th rings a major 6th above the dark "
    "b9.",
    "Jazz dominants leading to major chords, and the V of a ii-V-I in swing and "
    "bebop when the melody holds the 13th.",
    "",
    "The common grip keeps root, 3rd and b7 low and puts the b9 and 13th on strings"
    " 3 and 2 or 2 and 1. Play it beside the plain 13: one finger drops a fret, and"
    " the chord darkens without losing its bright top.",
    "13 with the 9th lowered; 7b9 without the 13th. The half-whole diminished scale"
    " fits it exactly.")

FACTS["chord_dominant9_flat5"] = _entry(
    "A dominant 9th with the 5th lowered; the whole-tone dominant with a natural "
    "9th.",
    "Floating and unstable, the dreamlike quality of the whole-tone scale.",
    "Tritone substitutes and bII7 approaches in jazz (Db9b5 to C), and "
    "impressionist harmony.",
    "",
    "Rootless, 3rd, b5, b7 and 9 (E Gb Bb D) make a compact grip on strings 4 to 1 "
    "that stays inside one whole-tone scale wherever it is moved by whole steps. "
    "Over a bass a tritone away it serves as the tritone substitute.",
    "7b5 without the 9th, 9#5 with the 5th raised; the whole-tone scale holds it.")

FACTS["chord_dominant9_suspended4"] = _entry(
    "A 7sus4 with the 9th: root, 4th, 5th, b7 and 9th. It is the minor 7th chord a "
    "5th above over the root (Gm7 over C), and a major triad a whole step below "
    "over the root (Bb over C).",
    "Open and soulful, modern and unresolved.",
    "Modal jazz, soul, gospel and fusion; the V of a ii-V where the ii and V merge.",
    "",
    "Over a bass note, simply play a Bb triad (for C9sus4) on the top strings; with"
    " the root under it, use the four-string grips. Resolve it by moving the 4th "
    "down to the 3rd while the 9th stays: C9sus4 to C9.",
    "11 is the same chord by another name; 7sus4 without the 9th; 13sus4 adds the "
    "13th.")

FACTS["chord_dominant7_suspended2"] = _entry(
    "A dominant 7th with the 2nd in place of the 3rd: root, 2nd, 5th and b7.",
    "Open and ambiguous; without a 3rd it can sit under major or minor melodies.",
    "Rock and pop figures that move between sus2 and the 7th chord, and modal vamps.",
    "",
    "The drop 2 grips with the root on the 6th string (7th position for C) and on the "
    "5th string (3rd position); the three-string voicing is the sparse choice.",
    "sus2 without the b7; 9sus4 swaps the 2nd for 4th and 9th.")

FACTS["chord_dominant13_suspended4"] = _entry(
    "A 9sus4 with the 13th: root, 4th, 5th, b7, 9th and 13th. Its upper notes hold "
    "a major 7th chord a whole step below the root: Bbmaj7 over C.",
    "Lush and open, the gospel and soul sus chord.",
    "Gospel, R&B, smooth jazz and modal jazz; the V before the resolution to the "
    "13.",
    "",
    "Think of it as Bbmaj7 over C: a Bbmaj7 drop 2 on strings 4 to 1 over a C bass "
    "is the whole chord. Practise the gospel move C13sus4 to C13, where only the "
    "4th falls a half step.",
    "9sus4 without the 13th; 13 with the 3rd in place of the 4th.")

FACTS["chord_dominant7_suspended4_flat9"] = _entry(
    "A 7sus4 with a minor 9th: the chord on the root of the Phrygian mode (C "
    "Phrygian gives C F G Bb Db). Its top three notes, Bb, Db and F, are a Bb minor"
    " triad over the root.",
    "Dark and Spanish, with the b9's bite over an open sus4.",
    "Modal jazz (the 'Phrygian chord'), flamenco-flavoured music and film scores. Try "
    "C7sus4b9, C7b9, Fm: the 4th (F) falls a half step to the 3rd (E), which rises "
    "back to F as the b9 (Db) falls to C on the F minor chord.",
    "",
    "Over a C bass, a Bb minor triad (Bb Db F) on the top strings is the chord "
    "without its 5th. Vamp it against the plain 7sus4 to hear the Phrygian "
    "darkening.",
    "7sus4 with the b9; m7b9 has the same Phrygian colour with a minor 3rd.")

# --------------------------------------------------------------------------
# Suspended chords with more notes
# --------------------------------------------------------------------------

FACTS["chord_suspended2_and4"] = _entry(
    "A triad with both the 2nd and the 4th in place of the 3rd: root, 2nd, 4th and "
    "5th. It is a cluster of whole steps and a 4th, and holds the notes of sus2 and "
    "sus4 at once.",
    "Open, chiming and unresolved; it suggests neither major nor minor.",
    "Acoustic rock and pop where open strings ring against each other, ambient "
    "guitar, and as a passing sound between sus2 and sus4.",
    "",
    "The four-string voicings with the root on the 6th string (5th position for C) "
    "and the five-string grip on the 5th string (3rd position). Try it in open "
    "positions of D and A, where the open strings supply the 2nd and 4th.",
    "sus2 and sus4 are its halves; the suspended pentatonic holds every note.")

FACTS["chord_major7_suspended2"] = _entry(
    "A maj7 chord with the 2nd in place of the 3rd: root, 2nd, 5th and major 7th.",
    "Airy and modern; the major 7th gives it a soft edge without the sweetness of "
    "the 3rd.",
    "Ambient pop, modern jazz and film music; a colour on I or IV where the melody "
    "takes the 3rd.",
    "",
    "The drop 2 grips with the root on the 6th string (7th position for C) and the "
    "5th string (3rd position); the three-string voicing on the 6th string is the "
    "lightest.",
    "maj9 adds the 3rd back; maj7sus4 moves the 2nd up to the 4th.")

FACTS["chord_major7_suspended4"] = _entry(
    "A maj7 chord with the 4th in place of the 3rd: root, 4th, 5th and major 7th. "
    "The 4th and major 7th form a tritone, but there is no 3rd to make it a dominant.",
    "Tense and bright; the 4th wants to fall to the 3rd of a plain maj7.",
    "A suspension on the tonic in jazz ballads and modern pop; resolved it becomes maj7.",
    "",
    "The drop 2 and drop 3 grips with the root on the 6th string (8th position for C) "
    "and the 5th string (3rd position). Resolve it to the maj7 by moving only the 4th "
    "down a fret.",
    "maj7 is its resolution; maj9sus4 adds the 9th; 7sus4 has a minor 7th instead.")

FACTS["chord_6_suspended4"] = _entry(
    "A 6th chord with the 4th in place of the 3rd: root, 4th, 5th and 6th. Its "
    "notes are those of the major triad a 4th above with the added 9th (Fadd9 over "
    "C).",
    "Open and folk-like, a warm hanging sound.",
    "Folk and acoustic pop, country picking, and modal passages that avoid the 3rd.",
    "",
    "Play the Fadd9 you already know over a C bass, or the drop 2 grips; let the "
    "4th fall to the 3rd for C6 and back. It rings best with the 6th on top.",
    "6 chord with the 3rd; 6sus2 suspends to the 2nd instead.")

FACTS["chord_6_suspended2"] = _entry(
    "A 6th chord with the 2nd in place of the 3rd: root, 2nd, 5th and 6th. Its "
    "notes are the major pentatonic without the 3rd, and those of the sus4 chords "
    "on the 2nd and the 5th combined.",
    "Open and bell-like, pentatonic and without a mode.",
    "Modern folk, worship music, fingerpicking in open tunings, and Asian-flavoured "
    "pentatonic writing. Hold its four notes, C D G A, over a moving bass: over C they"
    " are C6sus2, over A Am7(add11), over F F6/9; fingerpick the three in turn.",
    "",
    "The grips spread the four notes over a wide span; let every string ring like "
    "an open-tuned guitar. Slide the grip along a major pentatonic: every position "
    "is consonant.",
    "6/9 adds the 3rd; sus2 without the 6th; the major pentatonic and Ritsusen "
    "scales hold it.")

FACTS["chord_dominant7_sharp5_suspended4"] = _entry(
    "A 7sus4 with the raised 5th: root, 4th, #5 and b7. With G# read as Ab, its "
    "notes are those of Bb7sus2 (Bb C F Ab) over a C bass.",
    "Dark and hovering, with a minor colour from the #5 that sounds like a b6.",
    "Modal jazz and film music; a suspension before an altered dominant.",
    "",
    "Treat it as a waypoint: from 7sus4 raise the 5th, then let the 4th fall to the"
    " 3rd for 7#5, and the #5 rise to resolve. Work the three chords on the same "
    "string set.",
    "7sus4 with the 5th raised; 7#5 with the 3rd restored.")

FACTS["chord_major7_sharp5_suspended4"] = _entry(
    "A maj7 chord with the 4th for the 3rd and the 5th raised: root, 4th, #5 and "
    "7th.",
    "Exotic and unresolved; the #5 and major 7th sit a minor 3rd apart above a 4th.",
    "Modern jazz and film music, and as the colour of the harmonic-minor and "
    "augmented-scale sounds.",
    "",
    "Find it from the maj7#5 grip by raising its 3rd a half step to the 4th; listen"
    " to the augmented 2nd between the 4th and the #5, the Eastern colour of the "
    "chord.",
    "maj7#5 with the 3rd; maj9#5sus4 with the 9th.")

FACTS["chord_major9_suspended4"] = _entry(
    "A maj9 with the 4th in place of the 3rd: root, 4th, 5th, 7th and 9th. Above "
    "the root its notes are G B D F, a G7 chord: Cmaj9sus4 is the dominant sounding"
    " over a tonic pedal.",
    "Bright and suspended; the 4th wants to fall to the 3rd.",
    "The dominant held over a tonic pedal at the end of a piece, and a suspended "
    "major tonic in fusion and pop ballads.",
    "",
    "Play a G7 shape over a C bass and you have it; resolve the 4th down to the 3rd"
    " for Cmaj9. It sounds best with the 9th on top.",
    "maj9 with the 3rd; maj7sus4 without the 9th.")

FACTS["chord_major9_sharp5_suspended4"] = _entry(
    "A maj9 with the 4th for the 3rd and the raised 5th: root, 4th, #5, 7th and "
    "9th.",
    "Shimmering and ambiguous, far from any key centre.",
    "Contemporary jazz and film scoring; a colour from the augmented and harmonic "
    "scales.",
    "",
    "Derive it from the maj9 grip: raise the 3rd to the 4th and the 5th a half "
    "step. Let it ring; it needs no resolution and works as a final chord in modern"
    " pieces.",
    "maj7#5sus4 without the 9th; maj9#5 with the 3rd.")

FACTS["chord_dominant7_suspended4_flat9_flat13"] = _entry(
    "A 7sus4 with the b9 and b13: root, 4th, 5th, b7, b9 and b13, the Phrygian mode"
    " stacked over its root without the minor 3rd.",
    "Dark, Spanish and suspended; the b9 and b13 both lean down by half steps.",
    "Phrygian vamps in modal jazz and flamenco-flavoured fusion; a suspended "
    "dominant before a minor tonic.",
    "",
    "Keep root, 4th and b7 low and put the b9 and b13 on top, where their half-step"
    " pull down is clear. Then play the Phrygian-dominant resolution: 4th to 3rd, "
    "b9 to root.",
    "7sus4b9 without the b13; Phrygian holds every note, and Phrygian dominant once"
    " the 4th resolves to the 3rd.")

# --------------------------------------------------------------------------
# Diminished and half-diminished chords
# --------------------------------------------------------------------------

FACTS["chord_diminished_major7"] = _entry(
    "A diminished triad with a major 7th: root, b3, b5 and 7. Read enharmonically, "
    "its upper three notes Eb, Gb and B are a B major triad (B D# F#), so the chord"
    " is a major triad over a bass a half step above its root.",
    "Harsh and strange: a clear major triad grinding against the bass a half step "
    "above it.",
    "A passing chord in chromatic lines and a colour in film and modern jazz; all "
    "four notes lie in the whole-half diminished scale.",
    "",
    "Play a B major triad on strings 3 to 1 over an open C bass to hear its "
    "construction; then learn the drop 2 and drop 3 grips, and listen for the clear"
    " triad above a bass a half step higher.",
    "dim7 with the 7th raised a half step; dim7(maj7) holds both 7ths; the whole-"
    "half diminished scale holds it.")

FACTS["chord_half_diminished9"] = _entry(
    "A half-diminished chord with the major 9th: root, b3, b5, b7 and 9. The "
    "natural 9th comes from Locrian #2 (the 6th mode of melodic minor), not from "
    "plain Locrian, whose 9th is flat.",
    "Darkly lyrical; the 9th softens the m7b5 and gives it a sad, singing top.",
    "The ii of a minor ii-V-i in jazz when the melody sits on the 9th, and minor "
    "ballads.",
    "",
    "Put the 9th on top, above the b5 and b7. Try it as the ii of a minor ii-V-i "
    "and compare it with the plain m7b5: the 9th makes the ii less dark.",
    "m7b5 without the 9th; m11b5 adds the 11th. Locrian #2 is its scale.")

FACTS["chord_half_diminished11"] = _entry(
    "A m7b5 with the 9th and 11th: the full Locrian #2 chord without its b13. On "
    "guitar the 9th is usually left out, leaving root, b3, b5, b7 and 11.",
    "Dark and spacious; the 11th adds a quartal, open feel to the half-diminished "
    "sound.",
    "The ii chord of a minor key in modern jazz; voiced in 4ths in modal playing.",
    "",
    "Add the 11th to a m7b5 grip with the little finger. In a minor ii-V the 11th "
    "is the root of the dominant that follows (F in Cm11b5 to F7), so it can be "
    "held across the change.",
    "m9b5 without the 11th; m11 with the 5th natural.")

FACTS["chord_diminished7_added_major7"] = _entry(
    "A diminished 7th chord with the major 7th added: root, b3, b5, bb7 and 7. The "
    "major 7th belongs to another of the three dim7 chords, and all five notes lie "
    "in the whole-half diminished scale.",
    "Dense and eerie; the major 7th grinds a half step above the bb7.",
    "Modern jazz and film music; a tone cluster from the whole-half diminished "
    "scale.",
    "",
    "It is a dim7 grip with one finger reaching the major 7th a half step above the"
    " bb7; that half step is the point, so keep both notes in the same octave only "
    "when you want the grind.",
    "dim7 without the major 7th, dim(maj7) without the bb7.")

FACTS["chord_diminished_added9"] = _entry(
    "A diminished triad with the major 9th: root, b3, b5 and 9. The natural 9th is "
    "the note the whole-half diminished scale adds above the root.",
    "Tense but gentle; the 9th softens the diminished triad.",
    "Jazz and film music: a softer stand-in for the diminished triad as a passing "
    "chord, and a colour over a diminished vamp.",
    "",
    "Start from the diminished triad on strings 4 to 2 and add the 9th on the 1st "
    "string; the result is gentler than dim7. Use it as a passing chord a half step"
    " below the next chord's root.",
    "dim with the 9th; m9b5 adds the b7 too.")

# --------------------------------------------------------------------------
# Augmented chords
# --------------------------------------------------------------------------

FACTS["chord_augmented_major7"] = _entry(
    "An augmented triad with a major 7th: root, 3rd, #5 and 7. The upper three "
    "notes form a major triad a major 3rd above the root (E G# B over C), so it is "
    "also a major chord over a bass a major 3rd below.",
    "Bright and tense, dreamy and unresolved; the #5 wants to rise to the 6th.",
    "The tonic chord of the Lydian augmented mode, a passing chord in a rising line"
    " (Cmaj7 Cmaj7#5 C6), and modern jazz tonics.",
    "",
    "Play an E triad on strings 3 to 1 over a C bass: that is Cmaj7#5. Then move "
    "from the drop 2 maj7 grip to this one by raising the 5th one fret, and on to "
    "the 6th.",
    "maj7 with the 5th raised; 7#5 with the 7th lowered; Lydian augmented is its "
    "scale.")

FACTS["chord_augmented7"] = _entry(
    "A dominant 7th with the raised 5th: root, 3rd, #5 and b7. All four notes lie "
    "in the whole-tone scale.",
    "Tense and urgent; the #5 pushes up into the 3rd of the next chord.",
    "The V+7 of classical and jazz harmony (G7#5 to C, the D# rising to E), blues "
    "turnarounds and the I7 moving to IV.",
    "",
    "Put the #5 on top or next to the top, so its rise to the next chord's 3rd is "
    "heard: C7#5 to F, the G# rising to A. Compare each grip with the plain 7 on "
    "the same strings: only the 5th moves up.",
    "9#5 adds the 9th; 7b13 keeps the 5th beside the same pitch; whole-tone is the "
    "scale.")

FACTS["chord_dominant9_sharp5"] = _entry(
    "A dominant 9th with the raised 5th: five notes of the whole-tone scale.",
    "Floating and tense, the whole-tone sound with a clear dominant in it.",
    "The dominant in jazz ballads and bebop, impressionist harmony. Try C9#5 to Fmaj7:"
    " the #5 (G#) rises a half step to A, the 3rd (E) stays as the major 7th of F, the"
    " 7th (Bb) falls to A and the 9th (D) falls to C.",
    "",
    "From the C9 grip with the root on the 5th string, raise the 5th on the 1st "
    "string one fret: the #5 on top. Rootless, 3rd, b7, 9 and #5 make a compact "
    "whole-tone cluster.",
    "7#5 without the 9th; 9#5#11 adds the #11 for the full whole-tone chord.")

FACTS["chord_augmented_added9"] = _entry(
    "An augmented triad with the 9th: root, 3rd, #5 and 9th, four notes of the "
    "whole-tone scale.",
    "Dreamy and unresolved.",
    "Film music and impressionist harmony; a colour on I or V. Try Cadd9, Caug(add9), "
    "C6/9, C9 over a C bass: the voice above the root climbs G, G#, A, Bb while the D "
    "stays on top, the rising line of many ballads.",
    "",
    "Play the augmented triad with the 9th on top, and compare it with add9 on the "
    "same strings: only the 5th is a fret higher.",
    "aug without the 9th; add9 with the 5th natural.")

FACTS["chord_augmented_major9"] = _entry(
    "An augmented major 7th with the 9th: root, 3rd, #5, 7 and 9, the first five "
    "notes of Lydian augmented in 3rds.",
    "Luminous and strange; the most open-sounding of the augmented chords.",
    "Modern jazz tonics and film scores. Try Cmaj9 to Cmaj9#5 and back: only the 5th "
    "moves, G to G# and back, under the B and D. As the III chord of A melodic minor "
    "it also leads to Am(maj9).",
    "",
    "Its upper notes are E7 (E G# B D): play an E7 over a C bass, or take a maj9 "
    "grip and raise the 5th. Keep the 9th on the top string.",
    "maj7#5 without the 9th; maj9 with the 5th natural.")

FACTS["chord_augmented_added_sharp9"] = _entry(
    "An augmented triad with the #9: root, 3rd, #5 and #9. The #9 is the minor 3rd "
    "an octave up, so the chord holds both 3rds.",
    "Biting and bluesy over an unresolved augmented base.",
    "Altered dominant colour without the 7th, in rock and fusion. Try Caug(add#9) to "
    "Fm7: the 3rd (E) rises to F, the #5 (G#) stays as Ab, the #9 (D#) stays as Eb, "
    "the 7th of Fm7, and the root falls a 5th to F.",
    "",
    "Put the #9 on top, above the major 3rd, as in the 7#9 grip; the chord is that "
    "grip with the b7 moved to the #5.",
    "7#5#9 adds the b7; aug(add9) has the natural 9th.")

FACTS["chord_dominant9_sharp5_sharp11"] = _entry(
    "The whole-tone dominant: root, 3rd, #5, b7, 9th and #11, all six notes of the "
    "whole-tone scale.",
    "Completely symmetric and weightless; no note sounds like the root until the "
    "bass decides it.",
    "Impressionist harmony and jazz dominants.",
    "",
    "Any two-fret move keeps its notes, so one grip gives all its inversions; "
    "practise sliding a grip in whole steps over a fixed bass to hear the whole-"
    "tone colour.",
    "9#5 without the #11; the whole-tone scale is the whole chord.")

FACTS["chord_augmented_major7_sharp11"] = _entry(
    "An augmented major 7th with the #11: root, 3rd, #5, 7 and #11, the Lydian "
    "augmented chord.",
    "Bright, wide and dreamlike.",
    "Modern jazz and film music; a tonic on the 3rd mode of melodic minor. Try "
    "Am(maj7) to Cmaj7#5#11 over a bass that rises from A to C: the C, E and G# stay, "
    "and the A rises to B with an F# above it; both chords come from A melodic minor.",
    "",
    "Its upper notes are Eadd9 (E G# B F#): play that over a C bass, or use the "
    "five-string grips. The #11 and #5 together give the Lydian augmented sound.",
    "maj7#5 without the #11; Lydian augmented holds it.")

# --------------------------------------------------------------------------
# Sixth and added-note chords
# --------------------------------------------------------------------------

FACTS["chord_major6_added9"] = _entry(
    "A major 6th chord with the 9th: all five notes of the major pentatonic (C D E G "
    "A) as one chord. It has no 7th and no half step, so nothing in it clashes.",
    "Open, sweet and perfectly at rest; the classic final chord.",
    "The ending chord of jazz tunes, swing and bossa nova; a tonic in country, "
    "western swing and soul; the I chord when the melody uses the pentatonic.",
    "",
    "The five-string grip with the root on the 5th string (2nd position for C: C E A "
    "D G) is the one to know; its top four notes are stacked in 4ths and slide well "
    "in parallel. The grips on the 6th string (5th and 7th position) follow.",
    "6 without the 9th, add9 without the 6th; the 6/9#11 adds the Lydian note. "
    "The same notes over other basses make Am7(add11) and D9sus4.")

FACTS["chord_minor6_added9"] = _entry(
    "A minor 6th chord with the 9th: root, b3, 5, 6 and 9, the Dorian minor chord "
    "without a 7th.",
    "Dark but polished, with the bittersweet Dorian 6th on top.",
    "The minor tonic of bossa nova, cool jazz and film music; the last chord of a "
    "minor tune.",
    "",
    "The five-string grip with the root on the 5th string (1st position for C: C Eb "
    "A D G) and the grips with the root on the 6th string (6th and 7th position).",
    "m6 without the 9th, m(add9) without the 6th; Dorian and melodic minor hold it.")

FACTS["chord_minor_added9"] = _entry(
    "A minor triad with the 9th and no 7th. In close position the 9th sits a half "
    "step below the minor 3rd (D against Eb), the source of its ache.",
    "Poignant and yearning, more tender than the plain minor chord.",
    "Minor pop and rock ballads, film scores, arpeggiated acoustic parts, and the "
    "minor i chord where a 7th would sound too jazzy.",
    "",
    "The open Em(add9) and Am(add9) grips, then the four-string voicings with the root "
    "on the 6th string (5th and 6th position for C). With the root on the 5th "
    "string the grips sit in 1st and 12th position.",
    "m9 adds the b7; add9 is its major sibling; m(maj9) has the major 7th.")

FACTS["chord_added11"] = _entry(
    "A major triad with the 11th added and no 7th. Close together, the 4th and the "
    "3rd are a half step apart; guitarists spread them an octave apart or let open "
    "strings ring.",
    "Bright with a gentle rub; the 11th floats above the major chord without "
    "replacing the 3rd.",
    "Folk and acoustic pop, country, and arpeggiated parts where one finger adds "
    "the 4th to a major chord.",
    "",
    "The Eadd11 barre (8th position for C) and the four-string voicings on the 5th "
    "string (3rd position). Play the major chord and add the little finger.",
    "sus4 drops the 3rd; add9 adds the 2nd instead; maj9(add11) has 7th and 9th too.")

FACTS["chord_minor_added11"] = _entry(
    "A minor triad with the 11th and no 7th. Unlike in the major chord, the 11th "
    "lies a whole step above the minor 3rd and does not clash.",
    "Open and modern, a minor chord with air in it.",
    "Rock and folk guitar with open strings, modal minor vamps and ambient music.",
    "",
    "The Em(add11) barre (8th position for C), the four-string voicings with the root "
    "on the 5th string (3rd and 12th position) and on the 6th string (5th position).",
    "m7(add11) adds the b7; m11 adds the 9th too; add11 is the major form.")

FACTS["chord_added_sharp11"] = _entry(
    "A major triad with the raised 11th: root, 3rd, 5th and #11, the Lydian colour "
    "without a 7th.",
    "Bright and otherworldly; the #11 sits a half step above the 5th.",
    "Film and game music, pop and jazz codas, and any major chord that should sound "
    "Lydian.",
    "",
    "The four-string voicings with the root on the 6th string (5th and 7th position "
    "for C) and on the 5th string (2nd position).",
    "maj7#11 adds the 7th; 6#11 the 6th; (b5) replaces the 5th with the same note.")

FACTS["chord_major6_added9_sharp11"] = _entry(
    "A 6/9 chord with the raised 11th: the Lydian scale without its 7th. Its upper "
    "notes D, F# and A form a major triad a whole step above the root.",
    "Radiant and open, a final chord with Lydian light.",
    "Endings of jazz tunes and film cues; a tonic in modal music. Try Dm9, G13, "
    "C6/9#11: as the bass falls from G to C, the G13's 3rd (B) falls to A and its 7th "
    "(F) rises to F#, while its 13th (E) stays as C's 3rd.",
    "",
    "Over a C6 shell (root, 3rd, 6th) add a D triad on the top strings. Compare "
    "with the 6/9 grip: only the #11 is new, and it should be the top or second "
    "voice.",
    "6/9 without the #11; maj13#11 with the 7th.")

FACTS["chord_major6_sharp11"] = _entry(
    "A 6th chord with the raised 11th: root, 3rd, 5th, 6th and #11. Its 3rd, #11, "
    "6th and root (E F# A C) read from F# make F#m7b5: the chord is a half-"
    "diminished chord over a root a tritone away, with the 5th added.",
    "Bright, old-fashioned and modern at once.",
    "Endings of swing and jazz tunes and Lydian tonics. Try D7 to C6#11, the II7-I of "
    "Lydian tunes: the F#, A and C of D7 stay where they are and only the bass falls a"
    " whole step.",
    "",
    "Play F#m7b5 over a C bass, or take the C6 drop 2 and add the #11 on top. Use "
    "it as a final chord when the melody ends on the #11.",
    "6 without the #11; 6/9#11 adds the 9th.")

FACTS["chord_added_flat9"] = _entry(
    "A major triad with the minor 9th and no 7th. The b9 lies an octave and a half "
    "step above the root, so the chord is a major triad with one note of Phrygian "
    "dominant on top; in E it is the open E chord with F on the 1st string.",
    "Harsh and Spanish; the b9 grinds against the root.",
    "Flamenco, where the home chord of the Phrygian cadence is often played with "
    "the b9 ringing (the open E with F on the 1st string), and film tension.",
    "",
    "In open position play E major and fret F on the 1st string; on the neck keep "
    "the b9 on top, away from the root. Resolve it by letting the b9 fall to the "
    "root.",
    "7b9 adds the b7; Phrygian dominant holds it.")

# --------------------------------------------------------------------------
# Power chords and others
# --------------------------------------------------------------------------

FACTS["chord_power_chord"] = _entry(
    "Root and 5th only, often with the root doubled an octave up. Without a 3rd it "
    "is neither major nor minor; through distortion its overtones stay consonant, "
    "where a full triad turns muddy.",
    "Solid, neutral and heavy; its colour comes from the riff and the amplifier.",
    "Rock, punk, metal and grunge riffs; palm-muted rhythm parts; doubling a bass line.",
    "You Really Got Me (The Kinks); Smells Like Teen Spirit (Nirvana).",
    "The two-finger grips with the root on the 6th string (8th position for C) and on "
    "the 5th string (3rd position), index on the root and the ring finger two frets "
    "higher on the next string; the little finger adds the octave on the string after. The open E5, A5 and D5 "
    "drive riffs in E and A. Practise moving between 6th- and 5th-string roots "
    "without lifting the hand's shape.",
    "Add the 3rd for major or minor; add the 2nd or 4th for sus chords; the minor "
    "pentatonic is the riff scale.")

FACTS["chord_major_flat5"] = _entry(
    "A major triad with the lowered 5th: root, 3rd and b5. The 3rd and b5 sit a "
    "whole step apart, and all three notes lie in the whole-tone scale.",
    "Unstable and unfinished; a major chord with a hole where the 5th should be.",
    "A fragment of the 7b5 or maj7#11 chords, a passing chord in chromatic lines, "
    "and the Lydian colour in film and jazz.",
    "",
    "The triad shapes on strings 4 to 2 (7th position for C) and 3 to 1 (2nd "
    "position), and the four-string voicings on the 6th and 5th strings.",
    "7b5 adds the b7; maj7b5 the major 7th; add#11 keeps the 5th beside the same pitch.")

FACTS["chord_major7_flat5"] = _entry(
    "A major 7th chord with the lowered 5th: root, 3rd, b5 and 7. It is the usual "
    "guitar voicing of maj7#11 with the #11 in place of the 5th.",
    "Bright and Lydian, with a floating edge.",
    "Jazz tonics and IV chords in the Lydian sound, modern ballads and film music.",
    "",
    "Start from the maj7 drop 2 and lower the 5th one fret; the b5 sits a half step"
    " below the 5th that the ear expects, and the grip becomes the usual maj7#11.",
    "maj7#11 keeps the 5th as well; maj9b5 adds the 9th; Lydian is the scale.")

FACTS["chord_minor_flat6"] = _entry(
    "A minor triad with the minor 6th: root, b3, 5 and b6. In minor chords that note "
    "is spelled b6 rather than #5. Its notes are those of the major 7th chord a major "
    "3rd below (Abmaj7 over C).",
    "Dark and cinematic; the b6 leans down onto the 5th.",
    "Aeolian minor in film and pop; the rising minor line (Cm Cm(b6) Cm6 Cm(b6)), "
    "where the 5th climbs by half steps.",
    "",
    "The Em(b6) barre (8th position for C) and the Am(b6) shape (3rd position); the "
    "four-string voicings on the 6th string in 5th and 6th position.",
    "m7b6 adds the b7; m(maj7)(b6) the major 7th; natural minor is the scale.")

FACTS["chord_minor7_flat6"] = _entry(
    "A minor 7th chord with a minor 6th in place of the 5th: A C F G in A. Minor "
    "chords spell that note as a b6 (F in A minor), not as a #5. Its notes are those "
    "of the major chord a major 3rd lower with an added 9th (Fadd9 over A).",
    "Melancholy and soft; the b6 gives the minor 7th a sighing quality.",
    "The vi chord of a major key when the melody sits on the 4th of the key (Am7b6 "
    "in C holds F), Aeolian vamps, and pop ballads.",
    "",
    "The drop 2 and drop 3 grips with the root on the 5th string (3rd position for C) "
    "and on the 6th string (8th position). Compare each with the m7 grip: the 5th has "
    "moved up a half step.",
    "m7 with the 5th raised; m9b6 adds the 9th; natural minor and Phrygian hold it.")

FACTS["chord_quartal_stacked4ths"] = _entry(
    "Three perfect 4ths stacked: C F Bb Eb. Built without 3rds, it has no clear "
    "root; over a C bass it reads as Cm7(add11) without the 5th, and any of its notes "
    "can sound like the root depending on the bass.",
    "Open, hollow and modern, neither major nor minor; parallel 4th chords sound "
    "modal and unresolved.",
    "Modal jazz from the 1960s on, where pianists and guitarists move 4th chords in "
    "parallel through a Dorian scale; fusion, and 20th-century classical music.",
    "",
    "Strings 6 to 3 are tuned in 4ths, so a straight index-finger barre across them "
    "(8th position for C) is the whole chord; between the 3rd and 2nd strings the "
    "interval is a major 3rd, so a 4th there needs one fret higher. Move it "
    "through C Dorian on the same strings, fretting each note in the scale: most "
    "degrees give perfect 4ths, and the one tritone (Eb-A) adds bite.",
    "m11 and m7(add11) contain it; the minor pentatonic holds every note of it on C.")

# --------------------------------------------------------------------------
# Dominants with several alterations
# --------------------------------------------------------------------------

FACTS["chord_dominant7_added13"] = _entry(
    "A dominant 7th with the 13th and no 9th: root, 3rd, 5th, b7 and 13. Written 7/6 "
    "or 7add6 in older charts.",
    "Swinging and warm; the 13th sits a whole step above the 5th, the classic "
    "jump-blues sound.",
    "Swing, jump blues and rhythm and blues; the dominant of a ii-V-I with the 13th "
    "in the melody.",
    "",
    "The four-string grip root, b7, 3, 13 with the root on the 6th string (8th "
    "position for C) is the workhorse; slide into it from a fret below. The "
    "five-string voicings keep the 5th.",
    "13 adds the 9th; 13#9 and 13b9 alter it.")

FACTS["chord_dominant7_sharp11_flat13"] = _entry(
    "A dominant 7th with the #11 and the b13, the two notes a half step either side"
    " of the 5th, which is kept. It is the dominant of Lydian minor (Mixolydian "
    "with a #4 and a b6).",
    "Tense and glassy; the 5th is hemmed in by half steps on both sides.",
    "Modern jazz dominants that resolve to minor or major, and fusion.",
    "",
    "Place the #11 and b13 on adjacent strings above the 3rd and b7; they sit a "
    "whole step apart, either side of the 5th. Let the b13 fall a half step to the "
    "9th of the next chord.",
    "7#11 without the b13, 7b13 without the #11; Messiaen mode 3 and Lydian minor "
    "hold it.")

FACTS["chord_dominant13_sharp9"] = _entry(
    "A 13th chord with the raised 9th: root, 3rd, 5th, b7, #9 and 13. The 13th and "
    "#9 form a tritone above the root-3rd-7th shell.",
    "Funky and bright; the #9's grit with the 13th's sweetness on top.",
    "Funk, jazz-funk and blues comping; the dominant of a ii-V when the melody "
    "holds the 13th.",
    "",
    "Keep the 13 grip and raise its 9th: the #9 and 13th on top lie a tritone "
    "apart. A strong funk comping chord on the upbeats.",
    "13 with the 9th raised; 7#9 without the 13th; half-whole diminished holds it.")

FACTS["chord_dominant7_sharp9_flat13"] = _entry(
    "A dominant 7th with the #9 and b13, two notes of the altered scale, above a "
    "natural 5th.",
    "Dark and bluesy, heading firmly for a minor tonic.",
    "The V of a minor ii-V-i in jazz, and soul and blues turnarounds.",
    "",
    "The E7 barre with the b13 and #9 (8th position for C) and the five-string grips "
    "on the 6th and 5th strings.",
    "7#9 without the b13; 7#5#9 drops the 5th; the altered scale holds it.")

FACTS["chord_dominant7_sharp9_sharp11"] = _entry(
    "A dominant 7th with the #9 and #11. Read D# as Eb and F# as Gb, and the b7, #9"
    " and #11 form an Eb minor triad (Eb Gb Bb) above the C major triad: the major "
    "and the minor colour stacked.",
    "Bright and gritty, a blues chord with a Lydian edge.",
    "Jazz and fusion dominants, and the bluesy bVII7 of modern soul. Try C7#9#11 to "
    "Fmaj7: the #11 (F#) falls to F, the #9 (D#) rises to E, the 7th (Bb) falls to A "
    "and the 3rd (E) stays as F's major 7th.",
    "",
    "From the 7#9 grip add the #11 on the top string; with the 5th present, the "
    "chord has both a bluesy and a Lydian edge. Try it as a bVII7 going to I.",
    "7#9 without the #11; 13#9#11 adds the 13th; half-whole diminished holds it.")

FACTS["chord_dominant13_sharp9_sharp11"] = _entry(
    "A 13th chord with the #9 and #11: seven of the eight notes of the half-whole "
    "diminished scale, all but the b9.",
    "Dense and bright; the diminished scale's symmetry in one chord.",
    "Jazz dominants that use the half-whole scale, and fusion. Over a C bass, move its"
    " upper notes up a minor 3rd at a time, as Eb13#9#11, F#13#9#11 and A13#9#11: the "
    "half-whole scale repeats every minor 3rd, so all four are one sound before the "
    "resolution to F.",
    "",
    "The upper voices carry the colour: the #9, #11 and 13th (D# F# A) form a "
    "diminished triad over the C7 shell. Leave out the 5th so the #11 is heard.",
    "13#9 without the #11; 13b9#11 with the 9th lowered.")

FACTS["chord_dominant7_sharp9_sharp11_flat13"] = _entry(
    "A dominant 7th with #9, #11 and b13 above a natural 5th: seven of the nine "
    "notes of Messiaen's third mode, all but its 9th and major 7th.",
    "Thick and unstable; a cluster of tensions over a blues dominant.",
    "Modern jazz and fusion; rarely written, more often the sum of a comping "
    "voicing and a melody.",
    "",
    "Start from the E7 barre with the b13 and #9 and add the #11 where a finger is "
    "free; the result is a cluster of four tensions over the shell. Use it "
    "sparingly, as a passing colour.",
    "7#9b13 without the #11; 7#9#11 without the b13.")

FACTS["chord_dominant13_flat5"] = _entry(
    "A 13th chord with the lowered 5th: root, 3rd, b5, b7, 9 and 13. All its notes "
    "but the 13th lie in the whole-tone scale, and the b5, b7 and 9 form an "
    "augmented triad (Gb Bb D).",
    "Airy and unstable, Lydian-dominant in flavour.",
    "Jazz dominants and tritone substitutes (Db13b5 to C). Try Db13b5 to Cmaj7: its b5"
    " (G) and its 7th (Cb, heard as B) stay, its 3rd (F) falls to E and the bass falls"
    " a half step, so only two voices move.",
    "",
    "From the 13 grip lower the 5th one fret, or leave the 5th out and put the #11 "
    "on top. As a tritone substitute (Db13b5 to Cmaj7) it slides down a half step "
    "into the tonic.",
    "13#11 keeps the 5th beside the same pitch; 9b5 without the 13th.")

FACTS["chord_dominant9_sharp11_flat13"] = _entry(
    "A dominant 9th with #11 and b13: root, 3rd, 5th, b7, 9, #11 and b13, all seven"
    " notes of Lydian minor (Lydian dominant with a b6) stacked in 3rds.",
    "Complex and shimmering, between whole-tone and Lydian dominant.",
    "Modern jazz dominants and film harmony. Try C9#11b13 to Fm9: the 3rd (E) falls to"
    " Eb, the 7th (Bb) to Ab, the 9th (D) to C, the #11 (F#) rises to G and the b13 "
    "(Ab) stays, every voice a step or none.",
    "",
    "Build it on the C7 shell with the 9th, #11 and b13 above; the #11 and b13 lie "
    "a whole step apart around the missing 5th. Resolve the b13 down to the 9th of "
    "the next chord and the 9th to its 5th.",
    "9#11 without the b13; 7#11b13 without the 9th.")

FACTS["chord_dominant7_flat9_sharp11"] = _entry(
    "A dominant 7th with b9 and #11, both from the half-whole diminished scale.",
    "Tense and exotic, with a Middle-Eastern edge from the b9.",
    "Jazz dominants resolving to major, and the V in Romanian and tritone-scale "
    "colours.",
    "",
    "Keep the b9 out of the root's octave; play it before a major tonic and resolve"
    " the b9 to the tonic's 5th (Db to C in C7b9#11 to F).",
    "7b9 without the #11; 13b9#11 adds the 13th; the tritone scale and half-whole "
    "diminished hold it.")

FACTS["chord_dominant13_flat9_sharp11"] = _entry(
    "A 13th chord with b9 and #11: seven of the eight notes of the half-whole "
    "diminished scale.",
    "Rich and tense; every diminished-scale colour at once.",
    "Jazz dominants and big-band voicings. Try C13b9#11 to Fmaj7: the 13th (A) and the"
    " 3rd (E) stay, the 7th (Bb) falls to A, the b9 (Db) to C and the #11 (F#) to F.",
    "",
    "The b9, #11 and 13 (Db F# A) on the top strings are an F# minor triad: play it"
    " over a C7 shell. Compare it with the plain 13b9 grip.",
    "13b9 without the #11; 7b9#11 without the 13th.")

FACTS["chord_dominant7_flat9_sharp11_flat13"] = _entry(
    "A dominant 7th with b9, #11 and b13 above a natural 5th. The 3rd, 5th, b7 and "
    "b9 are a dim7 chord (E G Bb Db), and the #11 and b13 are the two notes a half "
    "step either side of the 5th.",
    "Dark and dense, the most clustered of the flat-9 dominants.",
    "Rare; a passing sum of tensions in modern jazz and film music. Try it before Fm: "
    "the b13 (Ab) stays as the minor 3rd of F, the b9 (Db) falls to C, and the 3rd (E)"
    " rises and the #11 (F#) falls to the same F.",
    "",
    "Take the E7 barre with the b9 and b13 and add the #11; use one of the five-"
    "string grips and keep the b9 out of the lowest octave.",
    "7b9#11 without the b13; 7b9b13 without the #11.")

FACTS["chord_dominant7_flat9_sharp9"] = _entry(
    "A dominant 7th with both altered 9ths, b9 and #9, around the absent natural "
    "9th.",
    "Biting and dramatic, the blues and the diminished scale together.",
    "Jazz and fusion dominants; the V of a minor tonic. Try C7b9#9 to Fm7: the b9 (Db)"
    " falls to C, the #9 (D#) stays as the 7th of Fm7 (Eb), the 3rd (E) rises to F and"
    " the 7th (Bb) falls to Ab.",
    "",
    "Put the #9 and b9 in different octaves, the b9 low and the #9 above: the grips"
    " do this. Play the #9 falling to the b9 and then the chord resolving.",
    "7#9 and 7b9 are its halves; the half-whole diminished and altered scales hold "
    "it.")

FACTS["chord_dominant7_sharp5_flat9_sharp11"] = _entry(
    "A dominant 7th with #5, b9 and #11: root, 3rd, #5, b7, b9 and #11. Every note "
    "lies in the altered scale, and the 3rd, #11 and #5 (E F# G#) make a whole-tone"
    " cluster above the root.",
    "Unstable and dark, a cloud of altered tones.",
    "Modern jazz dominants leading to minor or major. Try C7#5b9#11 to Fm: the #5 (G#)"
    " stays as Ab, the b9 (Db) falls to C, and the 3rd (E) and the #11 (F#) close in "
    "on F; before F major the #5 rises to A instead.",
    "",
    "Rootless on the top strings, the #5, b9 and #11 are most of the altered scale;"
    " with the root, use the five-string grips and keep the 3rd low.",
    "7#5b9 without the #11; the altered scale holds every note.")

# --------------------------------------------------------------------------
# Major and minor chords with uncommon tensions
# --------------------------------------------------------------------------

FACTS["chord_major7_sharp9_sharp11"] = _entry(
    "A major 7th chord with the #9 and #11: root, 3rd, 5th, 7, #9 and #11, the "
    "tonic chord of the Lydian #2 mode (the 6th mode of harmonic minor).",
    "Exotic and bright; the #9 against the major 3rd adds a bluesy bite to the "
    "Lydian colour.",
    "Modern jazz and film music; rare outside written arrangements.",
    "",
    "From the maj7#11 grip add the #9 above the 3rd; it must sit above the major "
    "3rd or it sounds like a minor chord. Let it ring as a final chord.",
    "maj7#11 without the #9; Lydian #2 is its scale.")

FACTS["chord_major9_flat5"] = _entry(
    "A maj9 with the lowered 5th: root, 3rd, b5, 7 and 9. Like maj7b5, it is how "
    "guitarists voice a maj9#11 with the #11 in place of the 5th.",
    "Lydian and weightless.",
    "Jazz tonics and IV chords with the Lydian sound; film music. Play Cmaj9 and lower"
    " its 5th, G to Gb (heard as the Lydian F#), then vamp the chord against D/C, "
    "which holds the same F#.",
    "",
    "From the maj9 grip lower the 5th one fret, or leave the 5th out and play the "
    "#11 on top; the Lydian sound comes from the b5 against the 3rd and 9th.",
    "maj7b5 without the 9th; maj9#11 keeps the 5th.")

FACTS["chord_major9_added11"] = _entry(
    "A maj9 with the natural 11th: root, 3rd, 5th, 7, 9 and 11, six notes of the "
    "major scale. The 11th clashes with the 3rd a minor 9th below it, so it is "
    "usually voiced as a suspension or with the 3rd below it.",
    "Rich and unsettled, with a rub between 3rd and 11th.",
    "Modern pop and jazz harmony where the melody sits on the 4th over a maj9 "
    "chord.",
    "",
    "Put the 11th above the 3rd, never a half step above it in the same octave; a "
    "maj9 grip with the little finger adding the 11th on the top string is the "
    "usual way.",
    "maj9 without the 11th; maj9sus4 replaces the 3rd with the 11th.")

FACTS["chord_major7_flat9"] = _entry(
    "A major 7th chord with the minor 9th: the tonic chord of double harmonic "
    "major, also found on the root of the Purvi and Marva raga scales.",
    "Strange and tense for a major 7th; the b9 clashes with the root.",
    "Film music, Middle-Eastern flavoured pieces, and modern jazz. Over a C bass, play"
    " Cmaj7 with the root on top and let that C rise a half step to Db: the b9 rubs "
    "against the root below before it falls back.",
    "",
    "Keep the b9 on top, an octave and a half step above the root: the Emaj7-shape "
    "barre with its top string raised a fret is the simplest grip. Listen for the "
    "Eastern colour of the double harmonic scale.",
    "maj7 with the b9; addb9 without the 7th; double harmonic major holds it.")

FACTS["chord_minor7_added11"] = _entry(
    "A minor 7th chord with the 11th and no 9th: root, b3, 5, b7 and 11. The notes "
    "of the minor pentatonic (C Eb F G Bb) as a chord.",
    "Open and earthy, bluesy and modal.",
    "Rock and funk minor vamps, soul, and modal jazz; the m7 chord when the melody "
    "uses the minor pentatonic.",
    "",
    "Take the m7 barre and add the 11th with the little finger on the 2nd or 3rd "
    "string; minor pentatonic licks around the grip stay inside the chord.",
    "m11 adds the 9th; m(add11) drops the b7; the minor pentatonic holds every "
    "note.")

FACTS["chord_minor9_flat6"] = _entry(
    "A minor 9th with the minor 6th in place of the 5th: root, b3, b6, b7 and 9, "
    "five notes of the natural minor scale.",
    "Wistful and cinematic.",
    "Aeolian minor tonics in film and pop; the vi chord of a major key with "
    "tensions from the melody.",
    "",
    "Start from the m9 grip and raise the 5th a half step to the b6; keep the b6 on"
    " top and let it fall to the 5th to hear where it came from.",
    "m7b6 without the 9th; m11b6 adds the 11th; natural minor is the scale.")

FACTS["chord_minor13_no11"] = _entry(
    "A minor 13th named without its 11th: root, b3, 5, b7, 9 and 13. The major 13th"
    " makes it Dorian.",
    "Warm and jazzy, a bright minor.",
    "The ii chord in jazz and Dorian vamps in funk and soul. Try a Dorian vamp, "
    "Dm13(no11) to G13: only the 7th (C) moves, down to B, while the 3rd (F), the 9th "
    "(E) and the 13th (B) stay as the 7th, 13th and 3rd of G13.",
    "",
    "Root, b7, b3 and 13th is the core grip; add the 9th on the 1st string where "
    "the hand allows. It is the Dorian minor, so use it on ii chords and minor "
    "vamps.",
    "m13 is the full chord; m9 and m6/9 are inside it; Dorian is the scale.")

FACTS["chord_minor11_flat6"] = _entry(
    "A minor 11th with the minor 6th in place of the 5th: root, b3, b6, b7, 9 and "
    "11, the natural minor scale without its 5th.",
    "Dark and dense, Aeolian.",
    "Aeolian minor tonics in modern jazz and film music. Try Cm9 to Cm11b6 and back: "
    "the 5th (G) rises a half step to Ab, the Aeolian b6, with the 11th (F) above it; "
    "Abmaj7 then shares its Ab, C and Eb.",
    "",
    "The grips leave the 5th out and stack b3, b7, 9, 11 and b6 over the root. Play"
    " it over an Aeolian vamp and compare with m11: only the b6 differs.",
    "m9b6 without the 11th; natural minor is the scale.")

FACTS["chord_minor_major7_flat6"] = _entry(
    "A minor-major 7th with the minor 6th in place of the 5th: root, b3, b6 and 7. "
    "Root, b3 and b6 form an Ab major triad over C; the major 7th adds B, the "
    "leading tone of C harmonic minor.",
    "Dark and exotic, harmonic minor at its strangest.",
    "Harmonic minor tonics and film music. Try Cm(maj7)b6 to G7 and back: the 7th (B) "
    "stays, the b6 (Ab) falls to G and the b3 (Eb) to D, the harmonic-minor i to V in "
    "two half steps.",
    "",
    "An Ab triad over C with B added: play Ab on strings 4 to 2 over a C bass and "
    "add B on the 1st string. Listen for the augmented 2nd between the b6 and the "
    "major 7th.",
    "m(maj7)(b6) keeps the 5th as well; harmonic minor holds it.")

FACTS["chord_minor_major7_added_flat6"] = _entry(
    "A minor-major 7th with the minor 6th added: root, b3, 5, b6 and 7, five notes "
    "of harmonic minor.",
    "Tense and dark; the b6 and 5th rub a half step apart.",
    "Harmonic minor tonics in film music and modern jazz. Try Cm(maj7)(b6) to Fm6: the"
    " 7th (B) rises to C, the b6 (Ab) stays as the 3rd of Fm, the b3 (Eb) falls to D "
    "and the 5th (G) to F.",
    "",
    "Start from the m(maj7) grip and add the b6 a half step above the 5th; in "
    "harmonic-minor melodies the b6 and 7 often take turns on top.",
    "m(maj7) without the b6; m(maj9)(b6) adds the 9th; harmonic minor is the scale.")

FACTS["chord_minor_major9_added_flat6"] = _entry(
    "A minor-major 9th with the minor 6th: root, b3, 5, b6, 7 and 9, six notes of "
    "harmonic minor (all but the 4th).",
    "Lush and ominous.",
    "Film scores and modern jazz minor tonics. Try it as the last chord of a minor ii-"
    "V-i, Dm7b5, G7b9, Cm(maj9)(b6): the G7b9's 3rd (B), b9 (Ab) and 5th (D) stay as "
    "the major 7th, b6 and 9th, so the tonic keeps the dominant's tension.",
    "",
    "Play m(maj9) and add the b6; use the five- and six-string grips and keep the "
    "9th or the major 7th on top.",
    "m(maj9) without the b6; m(maj7)(b6) without the 9th.")

FACTS["chord_minor_flat6_flat9"] = _entry(
    "A minor triad with the b6 in place of the 5th and a minor 9th: root, b3, b6 "
    "and b9, the characteristic notes of the Phrygian mode.",
    "Dark, Spanish and unresolved.",
    "Phrygian vamps and flamenco-flavoured passages; film music. Try Cmb6(addb9) to "
    "Dbmaj7 and back: the Db, Ab and C stay and only the Eb moves, up to F and down "
    "again, the rocking of a Phrygian vamp.",
    "",
    "Keep root and b3 low with the b6 and b9 on top; over a Phrygian vamp, let the "
    "b9 fall to the root and the b6 to the 5th.",
    "m7b9 has the b7 and 5th; Phrygian holds every note.")