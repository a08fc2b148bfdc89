#pragma once

#include "sound/Clock.h"
#include "sound/MidiOut.h"

#include <QStringList>
#include <QTimer>
#include <functional>
#include <optional>

namespace chordalis {

struct MetronomeSettings;
struct PlaybackSettings;

inline constexpr int FirstDrumKey = 35; // General MIDI percussion keys 35..81
inline constexpr int LastDrumKey = 81;
inline constexpr int MinMetronomeTempo = 40; // beats per minute
inline constexpr int MaxMetronomeTempo = 400;

// The time between two clicks in whole milliseconds: 60000 / bpm, halves to the even neighbour.
int metronomeInterval(int bpm);

// The 47 rows of the drum lists (" 35  Acoustic Bass Drum" .. " 81  Open Triangle"), row i
// standing for key 35 + i.
QStringList drumSoundRows();
// The 16 rows of the channel list (" 1 " .. " 16 "), row i standing for wire channel i.
QStringList metronomeChannelRows();

// Clicks a steady beat on a drum sound, accenting the first beat of each bar. Beat n after
// switching on (or after the last tempo change) falls at a fixed time plus n intervals on a
// monotonic clock, so the beat never drifts however late a timer wakes. On an output with a clock
// of its own (the built-in synthesizer) each click is queued a little ahead on that clock and lands
// there exactly; on a port it is sent when due.
class Metronome {
public:
    // Clicks with the metronome settings (tempo, beats, sounds, channel), which the window edits
    // while it runs, at the playback volume.
    Metronome(MetronomeSettings& settings, const PlaybackSettings& playback, MidiOut& out,
              Clock& clock);
    Metronome(const Metronome&) = delete;
    Metronome& operator=(const Metronome&) = delete;
    ~Metronome();

    // The On/Off tabs. The first click comes one interval after switching on.
    void setRunning(bool on);
    bool isRunning() const { return m_running; }
    // The tempo slider: stores the tempo (clamped to 40..400) and, when running, changes the
    // rate at once: the next beat comes the new interval after the last one queued or sounded
    // (at once if that has passed), and keeps its place in the bar. A slider dragged through
    // many tempos within one beat thus moves that beat instead of putting it off again and
    // again. While a change waits for a later beat (see holdTempoUntil), it waits for that beat
    // with the newest rate.
    void setTempo(int bpm);
    // Keeps the rate as it was up to the beat at `time` and changes it after, so that a loop
    // playing along on the same beats changes with it. Only a beat not yet queued or sounded can
    // be held; false (and the change left as it was) for any other time.
    bool holdTempoUntil(double time);
    // The time of the last beat queued or sounded, beat 0 before the first; -1 when not running.
    double lastBeatTime() const;
    // The beat of the bar last clicked: 0 before the first click, then 1..beats.
    int beat() const { return m_beat; }
    // When beat 0 fell (beat n falls n intervals later, until a pending tempo change), on the
    // clock in use: the output's own clock when it has one.
    double beatZeroTime() const { return m_start; }
    // The first beat at or after `earliest` (on the clock in use) that begins a bar, at the
    // tempo that will be playing then; -1 when not running.
    double nextBarStart(double earliest) const;

    // Told after every click, and when the metronome is switched on or off or changes its tempo,
    // so that a display of the beat can follow.
    void setBeatObserver(std::function<void()> observer) { m_observer = std::move(observer); }

    // Clicks every beat that is due (up to the look-ahead on an output with its own clock) and
    // returns the seconds until the next call is needed. The timer calls it; tests call it with a
    // virtual clock.
    double service();

    // How far ahead clicks are queued on an output with its own clock, in seconds: a window
    // thread held up this long by a busy machine still queues each click in time. Less than the
    // shortest interval (400 bpm), so that at most one click waits at a time.
    static constexpr double LookAhead = 0.1;
    // The shortest wait between two calls on an output with its own clock: well within the
    // look-ahead, and no busy wake-ups while that clock lags a period behind.
    static constexpr double LeastWait = 0.01;
    static_assert(LookAhead < 60.0 / MaxMetronomeTempo);
    // On a port, the timer wakes this much before a click and the last stretch is slept: timers
    // wake a millisecond or more late on a busy machine.
    static constexpr double FineWait = 0.004;

private:
    double timeNow() const;
    void restart();
    // Beat n's time, counted from beat 0 across a pending tempo change.
    double dueOf(long long n) const;
    // Takes a pending tempo change once its beat has come: beat 0 moves there.
    void applyTempoChange();
    void cancelPending();
    void click(double due, bool queued);
    void arm(double seconds);
    void notifyBeat() const;

    MetronomeSettings& m_settings;
    const PlaybackSettings& m_playback;
    MidiOut& m_out;
    Clock& m_clock;
    QTimer m_timer;
    std::function<void()> m_observer;

    bool m_running = false;
    int m_beat = 0;
    bool m_onOwnClock = false;
    double m_start = 0.0;    // when beat 0 fell, on the clock in use
    double m_interval = 0.5; // seconds between beats, up to a pending change
    long long m_next = 1;    // the next beat to click
    // A tempo change: beat `beat` (counted from beat 0) falls at `from`, those after it
    // `interval` apart.
    struct TempoChange {
        long long beat;
        double from;
        double interval;
    };
    std::optional<TempoChange> m_change;
    double m_lastNow = 0.0;
    // A click queued on the output's clock that has not sounded yet, and the beat before it.
    bool m_pending = false;
    double m_pendingDue = 0.0;
    int m_beatBeforePending = 0;
};

} // namespace chordalis
