#pragma once

#include "sound/Clock.h"
#include "sound/MidiFile.h"
#include "sound/MidiOut.h"

#include <QTimer>
#include <array>
#include <bitset>
#include <functional>

namespace chordalis {

// Plays a MIDI file into an output: load, play, pause, stop (which rewinds), close, and a notice
// when the song has played to its end. Event n falls at start + its time on a monotonic clock,
// so the song never drifts however late a timer wakes. On an output with a clock of its own
// (the built-in synthesizer) events are queued a little ahead on that clock and land there
// exactly; on a port each is sent when due, from a timer, so the window goes on working.
//
// Pausing, stopping and closing leave no note sounding. Stopping also resets the controllers
// the song moved, and closing the programs it chose, so that what plays next through the same
// output starts from the defaults.
class MidiFilePlayer {
public:
    MidiFilePlayer(MidiOut& out, Clock& clock);
    MidiFilePlayer(const MidiFilePlayer&) = delete;
    MidiFilePlayer& operator=(const MidiFilePlayer&) = delete;
    ~MidiFilePlayer();

    // Closes what was loaded, then reads the file. False, with the reason in *error and nothing
    // loaded, when the file cannot be read or is no playable MIDI file.
    bool load(const QString& path, QString* error);
    // Closes what was loaded, then takes the song, stopped at its start.
    void load(MidiSong song);
    // Stops and unloads.
    void close();

    bool isLoaded() const { return m_loaded; }
    bool isPlaying() const { return m_playing; }
    // Seconds into the song.
    double position() const;
    const MidiSong& song() const { return m_song; }
    MidiOut& output() const { return m_out; }

    // Plays from the current position; nothing happens with nothing loaded or while playing.
    void play();
    // Stops sending and silences what sounds; play() goes on from here.
    void pause();
    // Stops (silencing what sounds) and rewinds to the start.
    void stop();

    // Called when the song has played to its end; the player is then stopped at the start.
    std::function<void()> finished;

    // Sends (or queues) every event that is due and returns the seconds until the next call is
    // needed, or a negative number when nothing plays. The timer calls it; tests call it on a
    // virtual clock.
    double service();

    // How far ahead events are queued on an output with its own clock, in seconds.
    static constexpr double LookAhead = 0.1;
    // On a port the timer wakes this much before an event and the last stretch is slept.
    static constexpr double FineWait = 0.004;
    // An event found later than this (a stalled event loop, a suspended machine) moves the rest
    // of the song later instead of being rushed out with everything else that was missed.
    static constexpr double MaxLateness = 0.25;

private:
    double timeNow() const;
    double due(size_t index) const { return m_start + m_song.events[index].time; }
    void dispatch(size_t index);
    void halt();
    // Note-offs for the notes sounding and the sustain pedal up where it is down, as sent; or,
    // when queued events were taken back, for every note struck and pedal moved.
    void silence(bool allStruck);
    void resetControllers();
    void finish();
    void arm(double seconds);

    MidiOut& m_out;
    Clock& m_clock;
    QTimer m_timer;

    MidiSong m_song;
    bool m_loaded = false;
    bool m_playing = false;
    bool m_onOwnClock = false;
    double m_start = 0.0;    // the clock's time at the song's start, while playing
    double m_position = 0.0; // seconds into the song, while not playing
    double m_lastNow = 0.0;
    size_t m_next = 0; // the next event to send

    // What the sent events have done to the output, per channel.
    std::array<std::bitset<128>, 16> m_sounding{}; // notes on, as sent
    std::array<std::bitset<128>, 16> m_struck{};   // notes turned on since the last silence
    std::bitset<16> m_pedalled;                    // sustain pedal moved since the last silence
    std::bitset<16> m_pedalDown;                   // sustain pedal down, as sent
    std::bitset<16> m_moved;                       // channels whose controllers the song set
    std::bitset<16> m_programmed;                  // channels whose program the song chose
};

} // namespace chordalis
