#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace chordalis {

// Checks the library files of a program folder against music theory worked out on its own
// (MusicTheory.h) and against the program's file formats. Every fault names its file, section
// and key. The rules:
//
// Files. chord.ini, scale.ini, voicing.ini, triad.ini and finder.ini exist and read cleanly
// (IniFile.h lists what a clean file avoids). Every count matches the numbered sections or
// entries that follow it, sections and keys are exactly those of the format, in the case
// written there, and nothing else.
//
// Formulas (chords, scales, triads) stay within the loader's limits, ascend in pitch, never
// step back in letter, repeat no note, and spell on all 17 roots of the root tabs with at most
// double sharps and flats. A chord's formula is the one its name stands for as a chord symbol;
// every name and other name of a scale is one the reference knows, for the scale's notes, so an
// other name cannot point at a different scale. No two scales sound the same set of notes; two
// chords do only when they spell it differently (the 11 chord 1;5;b7;9;11 and the 9sus4
// 1;4;5;b7;9). A chord that holds the major 3rd and the natural 11th (a minor 9th apart) is an
// add11 chord and says so in its name; an 11 chord has no 3rd. Names, long names, symbols and
// other names are unique.
//
// Related scales name existing scales, once each, and every one holds every chord tone.
//
// A voicing must sound only notes of its chord, the root in the bass, and every tone its
// chord's name states: it may leave out only the perfect 5th of a chord of four or more notes
// (not where "(b6)" says the b6 stands beside it) and the natural 9th and 11th that an 11th or
// 13th chord implies without naming them (C13 may drop its 9th and 11th, C13#11 its 9th; C9#11
// and Cmaj9(add11) keep their 9th). Its remark names exactly the chord tones it leaves out, as
// "No 5th." or "No 5th or 9th.". A caption key says what a grip is where its bass is not the
// root: "1st Inversion" to "3rd Inversion" (or "Root Position"), optionally after "Drop 2, " or
// "Drop 3, ", puts the formula's second to fourth tone in the bass at every root; a drop 2 grip
// lies on four neighbouring strings, a drop 3 grip on four strings with the second-lowest
// silent, and its bass an octave up closes it into one octave with that voice second (third)
// from the top; "Rootless" leaves the root string silent and the root unheard. The quartal
// chord's grips are stacks of perfect 4ths. A #9 never lies below the chord's major 3rd, where it
// is heard as a minor 3rd.
//
// Fingers. "x" marks a silent string, "0" an open one (open chords only), "1" to "4" index to
// little finger. A finger presses one fret only; a higher fret never gets a lower finger than a
// lower fret (no thumb: the format has no character for it, so the library has no thumb grips);
// one finger on several strings is a barre, allowed when the remark says "barre", and every
// string it crosses is played at its fret or higher; only the index finger lies under a higher
// note. Neighbouring fingers (index and middle, middle and ring, ring and little) lie at most
// two frets apart. Two barres leave two fingers for the rest (the A-shape, the 6/9 grip
// x32233); with all four fingers down, the index finger's barre crosses every fretted string.
// The fretted notes span at most four frets, five when the remark says "stretch". A remark that
// names a finger on strings, silent strings or the root string must agree with the shape.
//
// Movable voicings: the root string plays relative fret 00 and is the lowest string played; at
// each of the 12 roots, moved as the program moves it (root fret 1 to 12, an octave higher when
// the shape would reach the nut), the shape stays on frets 1 to 15 and sounds its chord. That
// move leaves a five-fret stretch on fret 16 for one root, so in practice a movable shape spans
// four frets. They are listed in reading order: the grips with the root in the bass by root
// string from the 6th to the 3rd, then up the neck by the shape's lowest fret; the inversions
// and rootless grips after them. With the open chord of a root no chord lists more than 31.
//
// How many: each chord has at least six voicings (four when it has six tones or more), two with
// the root on the 6th string, two on the 5th and one on the 4th, as far as playable shapes
// exist. On each of the root strings 6, 5 and 4, every shape with the root string on relative
// fret 00, the strings below it silent and each string above it silent or fretted within a
// four-fret window around the root is tried (the program's move keeps every movable shape within
// four frets); the shapes that these rules accept (chord tones only, every required tone, the
// root in the bass, frets 1 to 15 at all 12 roots, fingers that follow the finger rules with a
// barre allowed) set the demand where they are fewer, and a fault for a missing voicing shows a
// shape the list lacks. A shape with its root on the 5th string sounds five strings at most, so
// a chord that still requires five tones, such as 7#9#11 (1 3 b7 #9 #11), has one shape there at
// most and none on the 4th. Only a voicing with its root on the 6th string is always required.
// The summary names the chords that stay below these counts.
//
// Open chords stay within fret 5, sound an open string or reach the nut's first fret (the small
// F, xx3211), sound their chord at their root with the real open strings, and there is one per
// chord and root.
//
// Triad shapes play exactly the three strings of their group, sound the triad with the right
// note in the bass at every root, and are as compact as that triad can be on those strings.
// Where the program draws the diminished root-position triad from its fixed open-position
// picture (root G#/Ab on strings 6-5-4, C#/Db on 5-4-3), that picture is checked instead.
//
// finder.ini: section names are canonical (ascending distinct intervals 0..11 from 0, no
// leading zeros); each holds one non-empty key d; every chord's set is named by the long name
// of a chord with that set; a d that is a chord's long name, or that name with "(no 5th,
// ...)", belongs to exactly that chord's set less the named degrees. A name that is not a
// chord's own never names the major triad read from its 3rd or 5th (E G C is C over E), so
// that the finder shows the slash chord; every set a voicing sounds is named or is such an
// inverted major triad.
//
// Information: every item has a unique file-safe stem (lower-case letters, digits, "_") and an
// "examples" value of a number with an optional "*" (or nothing); example files it promises
// exist, and a scale's two backings together sound every note of the scale (read from the
// examples' notes outside the drums). A text that exists agrees with its item's formula and related
// scales; a missing text is a warning, not a fault. The help pages userguide/index.htm and
// system/rmp.htm carry their titles and close every tag they open; system/README.txt and
// midi/README.txt exist.
class LibraryValidator {
public:
    struct Fault {
        std::string file;
        std::string section; // empty: the whole file
        std::string key;     // empty: the whole section
        std::string message;
        std::string text() const; // file [section] key: message
    };

    struct Summary {
        int chords = 0;
        int scales = 0;
        int triadShapes = 0;
        int openChords = 0;
        int finderSets = 0;
        std::vector<int> movablePerChord;                     // by chord number
        std::map<int, std::vector<int>> perChordByRootString; // root string -> count per chord
        int inversions = 0; // movable voicings with another chord tone than the root in the bass
        int rootless = 0;   // movable voicings without the root
        // Chords below the counts asked for because the search finds no more shapes: with
        // fewer than two voicings on root string 6 or 5, and with fewer than six (four) in all;
        // each with the number it lists.
        std::map<int, std::vector<std::pair<std::string, int>>> fewOnRootString;
        std::vector<std::pair<std::string, int>> fewVoicings;
    };

    explicit LibraryValidator(std::filesystem::path dataDir);

    // Runs every check once; afterwards faults(), warnings() and summary() hold the results.
    void run();

    const std::vector<Fault>& faults() const { return m_faults; }
    const std::vector<Fault>& warnings() const { return m_warnings; }
    const Summary& summary() const { return m_summary; }

    // The summary as printed after a clean run.
    std::string summaryText() const;

private:
    struct Impl;
    std::filesystem::path m_dir;
    std::vector<Fault> m_faults;
    std::vector<Fault> m_warnings;
    Summary m_summary;
};

} // namespace chordalis
