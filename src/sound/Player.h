#pragma once

#include "sound/Clock.h"
#include "sound/MidiOut.h"

#include <array>

namespace chordalis {

struct AppState;
class TreeModel;

// The three kinds of timed playback, each with its own speed setting.
enum class PlayKind { Chord, Scale, Arpeggio };

// The pause between two notes of a run or strum, in seconds, for a tempo setting 0..100 (higher
// is faster): chords 0.7 .. 0.01, scales 1.0 .. 0.2, arpeggios 1.5 .. 0.2.
float stepDelay(PlayKind kind, int tempo);

// The note a scale or arpeggio starts from: its root between E2 (40) and D#3 (51).
int runBase(int rootPitchClass);

// One sounding string of a strum: string 1..6 and its MIDI note.
struct StrummedNote {
    int string = 0;
    int note = 0;
};
using Strum = std::vector<StrummedNote>; // lowest string first

// The strings of a voicing column that sound, lowest string first ("xx" is not played).
Strum voicingStrum(const AppState& state, int column);
// The strings the chord finder has selected (0 not played, -1 open, n fret n).
Strum finderStrum(const AppState& state);

// Turns what the main window shows into timed MIDI messages on the playback channel. Reads the
// shared state when a routine starts; the waits in between let the user go on working.
class Player {
public:
    Player(AppState& state, const TreeModel& voicingTree, MidiOut& out, Clock& clock)
        : m_state(state), m_voicings(voicingTree), m_out(out), m_clock(clock) {}

    // Notes outside 0..127 are not sent: no tuning or library entry produces one.
    void noteOn(int note, int velocity, int channel);
    void noteOff(int note, int velocity, int channel);
    // The chosen instrument on the playback channel.
    void programChange();

    // The voicing selected in the voicing tree, strummed from the lowest string and held.
    void playChord();
    // The triad shape in voicing column 0.
    void playTriad();
    // The notes clicked in the chord finder.
    void playFinder();
    // The scale or arpeggio in the note list, one octave up from the root.
    void playScale();
    void playArpeggio();
    // A note-off for every note 0..127 on the playback channel.
    void allNotesOff();
    // One note held for four seconds (the tuning dialog's string buttons).
    void playSingleNote(int note);

    // The voicing column of the selected voicing: its place in the voicing tree, -1 if absent.
    int selectedVoicingColumn() const;

private:
    int channel() const;
    int velocity() const;
    void strum(const Strum& notes);
    void run(PlayKind kind, bool closingRoot);

    AppState& m_state;
    const TreeModel& m_voicings;
    MidiOut& m_out;
    Clock& m_clock;
};

} // namespace chordalis
