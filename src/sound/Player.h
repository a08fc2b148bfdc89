#pragma once

#include "sound/Clock.h"
#include "sound/MidiOut.h"
#include "theory/Spelling.h"

#include <QTimer>
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
// they are when a routine starts. On an output with a clock of its own (every open output of the
// program) a routine queues all its messages at their times and returns at once: the window
// thread never waits, and a second Play or the metronome sound alongside. Without one (a closed
// output) it sends each message when due and waits in between, letting the user go on working.
class Player {
public:
    Player(const PlaybackSettings& settings, MidiOut& out, Clock& clock);

    // Notes outside 0..127 are not sent: no tuning or library entry produces one.
    void noteOn(int note, int velocity, int channel);
    void noteOff(int note, int velocity, int channel);
    // The chosen instrument on the playback channel.
    void programChange();

    // Strums the notes from the first, then holds them until four seconds have passed and
    // releases exactly these notes.
    void strum(const Strum& notes);
    // Strums each chord in turn as strum() does, each held `seconds` (clamped to 0.5..10) and
    // released as the next one starts: a progression heard by ear.
    void strumInTurn(const std::vector<Strum>& chords, float seconds);
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

    // How far ahead of the output's clock a queued routine starts: outputs take a message a
    // period or two before its time to place it exactly.
    static constexpr double QueueLead = 0.02;

    // Told of each note of a strum, run or single note as it starts and stops, at the moment it
    // sounds (a queued note when its time comes on the output's clock): the string it is played
    // on (0 when the playback does not say) and its MIDI note. All Notes Off tells note -1, off:
    // nothing sounds any more, and what was still to be told is dropped.
    using SoundingObserver = std::function<void(int string, int note, bool on)>;
    void setSoundingObserver(SoundingObserver observer) { m_sounding = std::move(observer); }

    // Tells the observer of every queued note whose time has come on the output's clock and
    // returns the seconds until the next one, or -1 when none waits. The player's timer calls
    // it; tests call it on a virtual clock. An output closed or reopened meanwhile (its clock
    // gone or started again) has dropped what was queued: its notices are told at once.
    double serviceNotices();

private:
    class Timeline;
    struct Notice {
        double at; // on the output's clock
        int string;
        int note;
        bool on;
    };
    void notifySounding(int string, int note, bool on) const;
    void notifyAt(double ownClockSeconds, int string, int note, bool on);
    void armNotices(double seconds);
    int channel() const;
    int velocity() const;
    void run(const NoteList& notes, PlayKind kind, bool closingRoot);

    const PlaybackSettings& m_settings;
    MidiOut& m_out;
    Clock& m_clock;
    SoundingObserver m_sounding;
    std::vector<Notice> m_notices; // still to come, earliest first
    double m_noticeClock = 0.0;    // the output's clock when the notices were last looked at
    QTimer m_noticeTimer;
};

} // namespace chordalis
