#pragma once

#include "app/LoopNotes.h"
#include "sound/Clock.h"
#include "sound/MidiOut.h"

#include <QTimer>
#include <functional>
#include <vector>

namespace chordalis {

// Plays a loop over and over until stopped: first its count-in, then pass after pass with no gap.
// On an output with a clock of its own (every open output of the program) each message is
// queued `LookAhead` before its time on that clock and lands there exactly; on one without (a
// closed output, the companion tool's log) it is sent when due. The program's timer drives it;
// tests call service() on a virtual clock.
class LoopPlayer {
public:
    LoopPlayer(MidiOut& out, Clock& clock);
    LoopPlayer(const LoopPlayer&) = delete;
    LoopPlayer& operator=(const LoopPlayer&) = delete;
    ~LoopPlayer();

    // Starts the loop (stopping one that plays): the channels' programs at once, the count-in
    // from `startAt` (seconds on the clock in use; nothing: QueueLead from now), the first pass
    // after it. A loop of no beats plays nothing.
    void start(LoopNotes loop, std::optional<double> startAt = std::nullopt);
    // Takes back what is queued and silences every note the loop plays.
    void stop();
    // A new tempo (beats a minute, 40..400) for the loop that plays, from its first whole beat
    // not yet queued on: what is queued keeps its time, nothing is sent twice or left out, and
    // the beats after go at the new rate; with `notBefore`, only beats after that time change.
    // Stopped, the next start takes its tempo from its loop. Returns the time of the whole beat
    // after which the new rate begins (-1: no change).
    double setTempo(int bpm, double notBefore = -1.0);
    bool isPlaying() const { return m_playing; }
    const LoopNotes& loop() const { return m_loop; }
    // The clock in use: the output's own while it has one.
    double timeNow() const;

    // Told, at the moment it begins to sound, of each chord (its index in the progression) and,
    // with -1, of the end of the playback.
    using ChordObserver = std::function<void(int chord)>;
    void setChordObserver(ChordObserver observer) { m_observer = std::move(observer); }
    // The chord sounding now, -1 before the first and when stopped.
    int chordNow() const { return m_chordNow; }

    // Queues (or sends) every message due up to the look-ahead, tells the observer of the chord
    // whose time has come, and returns the seconds until the next call is needed (-1: stopped).
    double service();

    static constexpr double LookAhead = 0.1;
    static constexpr double QueueLead = 0.02;

private:
    struct Event {
        double beat;
        std::uint32_t word;
    };
    // The time of a beat of the pass `pass` (-1: the count-in).
    double timeOf(long long pass, double beat) const;
    // Beats from the start of the count-in (or, without one, of the first pass) and times.
    double timeAt(double beat) const;
    double beatAt(double time) const;
    void arm(double seconds);
    void restart(double at);

    MidiOut& m_out;
    Clock& m_clock;
    QTimer m_timer;
    ChordObserver m_observer;
    LoopNotes m_loop;
    std::vector<Event> m_countIn; // by beat, note-offs before note-ons at one time
    std::vector<Event> m_pass;
    bool m_playing = false;
    bool m_onOwnClock = false;
    // Beats and times are in step at an anchor: beats from it on last m_secondsPerBeat, those
    // before it (all queued or sent by the time it comes) m_secondsBefore. A tempo change moves
    // the anchor to the beat it takes effect on.
    double m_anchorBeat = 0.0;
    double m_anchorTime = 0.0;
    double m_secondsPerBeat = 0.5;
    double m_secondsBefore = 0.5;
    double m_horizon = 0.0;    // the latest time queued or sent up to
    long long m_passNow = -1;  // the pass whose next event waits (-1: the count-in)
    size_t m_next = 0;         // that event
    long long m_chordPass = 0; // the next chord to tell: its pass and index in m_loop.chords
    size_t m_chordNext = 0;
    int m_chordNow = -1;
    double m_lastNow = 0.0;
};

} // namespace chordalis
