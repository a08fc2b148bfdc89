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
    double m_start = 0.0; // when the count-in (or, without one, the first pass) begins
    double m_secondsPerBeat = 0.5;
    long long m_passNow = -1;  // the pass whose next event waits (-1: the count-in)
    size_t m_next = 0;         // that event
    long long m_chordPass = 0; // the next chord to tell: its pass and index in m_loop.chords
    size_t m_chordNext = 0;
    int m_chordNow = -1;
    double m_lastNow = 0.0;
};

} // namespace chordalis
