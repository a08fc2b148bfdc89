#include "app/LoopPlayer.h"

#include "sound/Metronome.h"
#include "sound/TimedQueue.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace chordalis {

namespace {

// The shortest wait between two calls on an output with its own clock: well within the
// look-ahead, and no busy wake-ups while that clock lags a period behind.
constexpr double LeastWait = 0.01;
// Seconds behind the end of a pass after which the player takes itself for stalled.
constexpr double StallGrace = 0.5;

template <class Event>
void addNotes(std::vector<Event>& events, const std::vector<LoopNote>& notes) {
    for (const LoopNote& n : notes) {
        const int channel = std::clamp(n.channel, 0, 15);
        events.push_back({n.beat, packShortMessage(0x90 + channel, n.note, n.velocity)});
        events.push_back({n.beat + n.length, packShortMessage(0x80 + channel, n.note, 0)});
    }
    // A note-off before a note-on of the same time: a string struck again sounds again.
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        if (a.beat != b.beat)
            return a.beat < b.beat;
        return isNoteOff(a.word) && !isNoteOff(b.word);
    });
}

} // namespace

LoopPlayer::LoopPlayer(MidiOut& out, Clock& clock) : m_out(out), m_clock(clock) {
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { arm(service()); });
}

LoopPlayer::~LoopPlayer() {
    m_observer = nullptr; // whoever listens may be going too
    stop();
}

double LoopPlayer::timeNow() const {
    const bool own = m_playing ? m_onOwnClock : m_out.hasOwnClock();
    return own ? m_out.ownClockNow() : m_clock.now();
}

double LoopPlayer::timeAt(double beat) const {
    return m_anchorTime +
           (beat - m_anchorBeat) * (beat >= m_anchorBeat ? m_secondsPerBeat : m_secondsBefore);
}

double LoopPlayer::beatAt(double time) const {
    return m_anchorBeat +
           (time - m_anchorTime) / (time >= m_anchorTime ? m_secondsPerBeat : m_secondsBefore);
}

double LoopPlayer::timeOf(long long pass, double beat) const {
    if (pass < 0)
        return timeAt(beat);
    return timeAt(m_loop.countInBeats + double(pass) * m_loop.beats + beat);
}

double LoopPlayer::setTempo(int bpm, double notBefore) {
    if (!m_playing)
        return -1.0;
    const double seconds =
        metronomeInterval(std::clamp(bpm, MinMetronomeTempo, MaxMetronomeTempo)) / 1000.0;
    if (seconds == m_secondsPerBeat)
        return -1.0;
    // Everything up to the horizon is queued at the old rate: the change waits for the first
    // whole beat after it (a beat exactly on it may have been queued already).
    const double from =
        std::floor(beatAt(std::max({m_horizon, timeNow(), notBefore})) + 1e-9) + 1.0;
    m_anchorTime = timeAt(from);
    m_secondsBefore = from > m_anchorBeat ? m_secondsPerBeat : m_secondsBefore;
    m_anchorBeat = from;
    m_secondsPerBeat = seconds;
    m_loop.tempo = std::clamp(bpm, MinMetronomeTempo, MaxMetronomeTempo);
    arm(service());
    return m_anchorTime;
}

void LoopPlayer::start(LoopNotes loop, std::optional<double> startAt) {
    stop();
    m_loop = std::move(loop);
    m_pass.clear();
    m_countIn.clear();
    if (m_loop.beats <= 0)
        return;
    addNotes(m_pass, m_loop.notes);
    addNotes(m_countIn, m_loop.countIn);
    m_onOwnClock = m_out.hasOwnClock();
    for (const LoopProgram& p : m_loop.programs)
        m_out.shortMessage(packShortMessage(0xC0 + std::clamp(p.channel, 0, 15), p.program));
    // The metronome's own interval, so that the two keep together however long they run.
    m_secondsPerBeat = m_secondsBefore = metronomeInterval(m_loop.tempo) / 1000.0;
    m_playing = true;
    const double now = timeNow();
    m_lastNow = now;
    m_anchorBeat = 0.0;
    m_anchorTime = startAt.value_or(now + QueueLead);
    m_horizon = now;
    m_passNow = m_countIn.empty() ? 0 : -1;
    m_next = 0;
    m_chordPass = 0;
    m_chordNext = 0;
    m_chordNow = -1;
    arm(service());
}

void LoopPlayer::restart(double at) {
    // The first pass from `at`, without the count-in.
    m_onOwnClock = m_out.hasOwnClock();
    m_anchorBeat = m_loop.countInBeats;
    m_anchorTime = at;
    m_secondsBefore = m_secondsPerBeat;
    m_horizon = at;
    m_passNow = 0;
    m_next = 0;
    m_chordPass = 0;
    m_chordNext = 0;
}

void LoopPlayer::stop() {
    if (!m_playing)
        return;
    m_playing = false;
    m_timer.stop();
    if (m_onOwnClock)
        m_out.cancelQueued(QueueSource::Loop);
    // Whatever the loop may have started is released now: its queued note-offs are gone.
    std::set<std::pair<int, int>> notes;
    for (const auto* list : {&m_loop.notes, &m_loop.countIn}) {
        for (const LoopNote& n : *list)
            notes.emplace(std::clamp(n.channel, 0, 15), n.note);
    }
    for (const auto& [channel, note] : notes)
        m_out.shortMessage(packShortMessage(0x80 + channel, note, 0));
    m_chordNow = -1;
    if (m_observer)
        m_observer(-1);
}

double LoopPlayer::service() {
    if (!m_playing)
        return -1.0;
    // A reopened output (another device, a synthesizer whose clock starts again) goes on with
    // the first pass on the clock now in use.
    if (m_out.hasOwnClock() != m_onOwnClock || timeNow() < m_lastNow) {
        m_onOwnClock = m_out.hasOwnClock();
        restart(timeNow() + QueueLead);
    }
    const double now = timeNow();
    m_lastNow = now;
    // The pass sounding at a time.
    const auto passAt = [this](double time) {
        return (long long)std::floor((beatAt(time) - m_loop.countInBeats) / m_loop.beats);
    };
    // After a stall (a suspended machine) the passes missed are skipped, not sounded in a burst.
    // A call a little late at the end of a pass is no stall: the pass's last note-offs and the
    // next pass's first notes are still sent.
    if (m_passNow >= 0 && timeOf(m_passNow, m_loop.beats) + StallGrace < now) {
        m_passNow = passAt(now);
        const double beat = beatAt(now) - m_loop.countInBeats - double(m_passNow) * m_loop.beats;
        m_next = size_t(std::lower_bound(m_pass.begin(), m_pass.end(), beat,
                                         [](const Event& e, double b) { return e.beat < b; }) -
                        m_pass.begin());
    }
    const double horizon = now + (m_onOwnClock ? LookAhead : 0.0);
    m_horizon = std::max(m_horizon, horizon);
    double nextEvent = -1.0;
    while (true) {
        const std::vector<Event>& list = m_passNow < 0 ? m_countIn : m_pass;
        if (m_next >= list.size()) {
            if (m_pass.empty() && m_passNow >= 0)
                break; // nothing sounds: only the chords are told
            ++m_passNow;
            m_next = 0;
            continue;
        }
        const double due = timeOf(m_passNow, list[m_next].beat);
        if (due > horizon) {
            nextEvent = due;
            break;
        }
        if (m_onOwnClock)
            m_out.shortMessageAt(list[m_next].word, due, QueueSource::Loop);
        else
            m_out.shortMessage(list[m_next].word);
        ++m_next;
    }

    double nextChord = -1.0;
    if (!m_loop.chords.empty()) {
        if (timeOf(m_chordPass, m_loop.beats) < now)
            m_chordPass = std::max(m_chordPass, passAt(now));
        int told = -1;
        while (timeOf(m_chordPass, m_loop.chords[m_chordNext].beat) <= now) {
            told = m_loop.chords[m_chordNext].index;
            if (++m_chordNext == m_loop.chords.size()) {
                m_chordNext = 0;
                ++m_chordPass;
            }
        }
        nextChord = timeOf(m_chordPass, m_loop.chords[m_chordNext].beat);
        if (told >= 0 && told != m_chordNow) {
            m_chordNow = told;
            if (m_observer)
                m_observer(told);
        }
    }
    double wait = -1.0;
    if (nextEvent >= 0)
        wait = nextEvent - (m_onOwnClock ? LookAhead : 0.0) - now;
    if (nextChord >= 0)
        wait = wait < 0 ? nextChord - now : std::min(wait, nextChord - now);
    return wait < 0 ? -1.0 : wait;
}

void LoopPlayer::arm(double seconds) {
    if (!m_playing || seconds < 0)
        return;
    m_timer.start(int(std::ceil(std::max(seconds, m_onOwnClock ? LeastWait : 0.0) * 1000.0)));
}

} // namespace chordalis
