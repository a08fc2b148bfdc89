#pragma once

#include "sound/Clock.h"
#include "sound/MidiOut.h"
#include "theory/Spelling.h"

#include <functional>
#include <vector>

namespace chordalis {

struct PlaybackSettings;

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
    friend bool operator==(const StrummedNote&, const StrummedNote&) = default;
};
using Strum = std::vector<StrummedNote>; // lowest string first

// Turns notes into timed MIDI messages on the playback channel, with the playback settings as
// they are when a routine starts. The waits in between let the user go on working.
class Player {
public:
    Player(const PlaybackSettings& settings, MidiOut& out, Clock& clock)
        : m_settings(settings), m_out(out), m_clock(clock) {}

    // Notes outside 0..127 are not sent: no tuning or library entry produces one.
    void noteOn(int note, int velocity, int channel);
    void noteOff(int note, int velocity, int channel);
    // The chosen instrument on the playback channel.
    void programChange();

    // Strums the notes from the first, then holds them until four seconds have passed and
    // releases exactly these notes.
    void strum(const Strum& notes);
    // The spelled notes one octave up from the root; a scale closes on the root again.
    void playScale(const NoteList& notes);
    void playArpeggio(const NoteList& notes);
    // Plays the notes one after another, each for the step delay of the kind (the positions of
    // a run as the neck shows them).
    void playNotes(const Strum& notes, PlayKind kind);
    // A note-off for every note 0..127 on the playback channel.
    void allNotesOff();
    // One note held for four seconds (the tuning dialog's string buttons).
    void playSingleNote(int note);

    // Told of each note of a strum, run or single note as it starts and stops: the string it is
    // played on (0 when the playback does not say) and its MIDI note. All Notes Off tells note
    // -1, off: nothing sounds any more.
    using SoundingObserver = std::function<void(int string, int note, bool on)>;
    void setSoundingObserver(SoundingObserver observer) { m_sounding = std::move(observer); }

private:
    void notifySounding(int string, int note, bool on) const;
    int channel() const;
    int velocity() const;
    void run(const NoteList& notes, PlayKind kind, bool closingRoot);

    const PlaybackSettings& m_settings;
    MidiOut& m_out;
    Clock& m_clock;
    SoundingObserver m_sounding;
};

} // namespace chordalis
