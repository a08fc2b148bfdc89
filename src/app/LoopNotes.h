#pragma once

#include "sound/MidiTranspose.h" // DrumChannel, General MIDI channel 10
#include "sound/Player.h"

#include <QString>
#include <optional>
#include <vector>

namespace chordalis {

// A progression's loop as timed notes: what the page's Play loops and what a MIDI file of the
// loop writes. Times are in beats from the start of one pass, so one loop serves any tempo.

// One note of the loop.
struct LoopNote {
    double beat = 0.0;   // start, 0 <= beat < the loop's beats
    double length = 1.0; // beats it sounds; beat + length never passes the loop's end
    int channel = 0;     // wire channel 0..15; drums on 9 (General MIDI channel 10)
    int note = 60;       // MIDI note 0..127
    int velocity = 100;  // 1..127
    int string = 0;      // the guitar string it sounds on (1..), 0 for the bass and the drums
    friend bool operator==(const LoopNote&, const LoopNote&) = default;
};

// Where a chord of the progression sounds in the loop.
struct LoopChord {
    int index = 0; // the chord's place in the progression, 0..
    double beat = 0.0;
    double length = 4.0;
    friend bool operator==(const LoopChord&, const LoopChord&) = default;
};

// The instrument a channel plays: a General MIDI program 0..127 on a wire channel.
struct LoopProgram {
    int channel = 0;
    int program = 0;
    friend bool operator==(const LoopProgram&, const LoopProgram&) = default;
};

// How the guitar plays each chord.
enum class StrumPattern {
    Whole,        // one strum as the chord begins, held
    Quarters,     // a down strum on every beat
    DownUp,       // down on the beat, up (the top strings, high to low) on the "and"
    Fingerpicked, // eighths: the bass, then the top three strings up and down
};
inline constexpr int StrumPatternCount = 4;
// "whole", "quarters", "down-up", "fingerpicked"; and the page's captions.
const char* strumPatternWord(StrumPattern pattern);
// The pattern a word names, or nothing.
std::optional<StrumPattern> strumPatternOf(QStringView word);
QString strumPatternName(StrumPattern pattern);

enum class BassPattern {
    None,
    Root,      // the chord's bass note on beats 1 and 3 (and wherever a chord begins)
    RootFifth, // the same, with the 5th above the root on beat 3
};
inline constexpr int BassPatternCount = 3;
QString bassPatternName(BassPattern pattern);
// "none", "root", "root-fifth"; and back (nothing for another word).
const char* bassPatternWord(BassPattern pattern);
std::optional<BassPattern> bassPatternOf(QStringView word);

// One chord as the loop plays it.
struct LoopSource {
    Strum strum;             // the grip's notes, lowest string first; empty: the guitar rests
    int bassPitchClass = 0;  // 0..11: the root, or a slash chord's bass
    int fifthPitchClass = 7; // 0..11: the 5th above the root (the chord's own, else perfect)
    int beats = 4;           // how long it sounds, 1..
};

struct LoopOptions {
    StrumPattern pattern = StrumPattern::Quarters;
    BassPattern bass = BassPattern::None;
    bool drums = false;
    int beatsPerBar = 4;    // 1..12
    int tempo = 120;        // beats per minute, 40..400: spreads a strum over about 12 ms
    int guitarChannel = 0;  // wire channel 0..15
    int guitarProgram = 24; // General MIDI program 0..127
    int velocity = 100;     // 1..127, the strongest note
    // One bar of count-in before the first pass, with the metronome's sounds on its channel.
    bool countIn = true;
    int countInAccent = 76; // drum key of the bar's first beat
    int countInBeat = 77;   // drum key of the other beats
    int countInChannel = 9; // wire channel 0..15
};

// The channel the bass plays on: the first wire channel after the guitar's that is neither the
// drums' nor the count-in's.
int bassChannel(const LoopOptions& options);
inline constexpr int BassProgram = 33;    // General MIDI "Electric Bass (finger)", from 0
inline constexpr int LowestBassNote = 28; // E1: the bass's notes lie in E1..D#2
inline constexpr int KickDrum = 36, SnareDrum = 38, ClosedHiHat = 42;

struct LoopNotes {
    std::vector<LoopNote> notes;   // one pass, by start (ties: in the order they sound)
    std::vector<LoopNote> countIn; // the bar before the first pass, beats 0..countInBeats
    double countInBeats = 0.0;
    std::vector<LoopChord> chords; // in order
    std::vector<LoopProgram> programs;
    double beats = 0.0; // one pass
    int beatsPerBar = 4;
    int tempo = 120;
};

// The loop of a progression's chords with the options. Chords of no beats are left out; a loop
// of no beats is empty.
LoopNotes makeLoop(const std::vector<LoopSource>& chords, const LoopOptions& options);

} // namespace chordalis
