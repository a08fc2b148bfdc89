#include "sound/Metronome.h"

#include "sound/SoundSettings.h"

#include <array>
#include <cmath>

namespace chordalis {

namespace {

constexpr std::array<const char*, LastDrumKey - FirstDrumKey + 1> DrumNames{
    "Acoustic Bass Drum",
    "Bass Drum 1",
    "Side Stick",
    "Acoustic Snare",
    "Hand Clap",
    "Electric Snare",
    "Low Floor Tom",
    "Closed Hi-Hat",
    "High Floor Tom",
    "Pedal Hi-Hat",
    "Low Tom",
    "Open Hi-Hat",
    "Low-Mid Tom",
    "Hi-Mid Tom",
    "Crash Cymbal 1",
    "High Tom",
    "Ride Cymbal 1",
    "Chinese Cymbal",
    "Ride Bell",
    "Tambourine",
    "Splash Cymbal",
    "Cowbell",
    "Crash Cymbal 2",
    "Vibraslap",
    "Ride Cymbal 2",
    "Hi Bongo",
    "Low Bongo",
    "Mute Hi Conga",
    "Open Hi Conga",
    "Low Conga",
    "High Timbale",
    "Low Timbale",
    "High Agogo",
    "Low Agogo",
    "Cabasa",
    "Maracas",
    "Short Whistle",
    "Long Whistle",
    "Short Guiro",
    "Long Guiro",
    "Claves",
    "Hi Wood Block",
    "Low Wood Block",
    "Mute Cuica",
    "Open Cuica",
    "Mute Triangle",
    "Open Triangle",
};

} // namespace

int metronomeInterval(int bpm) {
    bpm = std::clamp(bpm, MinMetronomeTempo, MaxMetronomeTempo);
    return int(std::nearbyint(60000.0 / bpm)); // the default rounding mode: halves to even
}

QStringList drumSoundRows() {
    QStringList rows;
    for (int i = 0; i < int(DrumNames.size()); ++i)
        rows << QStringLiteral(" %1  %2")
                    .arg(FirstDrumKey + i)
                    .arg(QLatin1String(DrumNames[size_t(i)]));
    return rows;
}

QStringList metronomeChannelRows() {
    QStringList rows;
    for (int i = 1; i <= 16; ++i)
        rows << QStringLiteral(" %1 ").arg(i);
    return rows;
}

Metronome::Metronome(MetronomeSettings& settings, const PlaybackSettings& playback, MidiOut& out,
                     Clock& clock)
    : m_settings(settings), m_playback(playback), m_out(out), m_clock(clock) {
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { arm(service()); });
}

Metronome::~Metronome() {
    cancelPending();
}

double Metronome::timeNow() const {
    return m_onOwnClock ? m_out.ownClockNow() : m_clock.now();
}

void Metronome::restart() {
    m_onOwnClock = m_out.hasOwnClock();
    m_start = timeNow();
    m_lastNow = m_start;
    m_next = 1;
    m_interval = metronomeInterval(m_settings.tempo) / 1000.0;
    m_change.reset();
}

double Metronome::dueOf(long long n) const {
    if (m_change && n >= m_change->beat)
        return m_change->from + double(n - m_change->beat) * m_change->interval;
    return m_start + double(n) * m_interval;
}

void Metronome::applyTempoChange() {
    if (!m_change || m_next <= m_change->beat)
        return;
    m_start = m_change->from - double(m_change->beat) * m_change->interval;
    m_interval = m_change->interval;
    m_change.reset();
}

double Metronome::lastBeatTime() const {
    return m_running ? dueOf(m_next - 1) : -1.0;
}

bool Metronome::holdTempoUntil(double time) {
    if (!m_running || !m_change)
        return false;
    // On the beats as they are without the change.
    const long long beat = std::llround((time - m_start) / m_interval);
    if (beat < m_next || std::abs(m_start + double(beat) * m_interval - time) > 1e-6)
        return false;
    m_change = TempoChange{beat, time, m_change->interval};
    return true;
}

double Metronome::nextBarStart(double earliest) const {
    if (!m_running)
        return -1.0;
    long long n = m_next;
    while (dueOf(n) < earliest - 1e-9)
        ++n;
    // The last beat clicked (m_next - 1) had the place m_beat in its bar (0: none yet, so the
    // next is the first).
    const int beats = std::max(1, m_settings.beats);
    const long long place = (m_beat + (n - (m_next - 1)) - 1) % beats; // 0: first
    return dueOf(place == 0 ? n : n + (beats - place));
}

void Metronome::cancelPending() {
    if (!m_pending)
        return;
    if (m_onOwnClock && m_pendingDue > timeNow()) {
        m_out.cancelQueued(QueueSource::Metronome);
        m_beat = m_beatBeforePending; // the queued click will not be heard
    }
    m_pending = false;
}

void Metronome::setRunning(bool on) {
    if (on == m_running)
        return;
    m_running = on;
    cancelPending();
    if (!on) {
        m_timer.stop();
        notifyBeat();
        return;
    }
    restart();
    notifyBeat();
    arm(service());
}

void Metronome::setTempo(int bpm) {
    m_settings.tempo = std::clamp(bpm, MinMetronomeTempo, MaxMetronomeTempo);
    const double interval = metronomeInterval(m_settings.tempo) / 1000.0;
    if (m_running && m_out.hasOwnClock() != m_onOwnClock) {
        // Another output's clock: the beat starts afresh on it.
        cancelPending();
        restart();
    } else if (m_running) {
        applyTempoChange();
        if (m_change) {
            m_change->interval = interval; // a held change keeps its beat
        } else {
            const long long last = m_next - 1;
            const double from = std::max(dueOf(last), timeNow() - interval);
            m_change = TempoChange{last, from, interval};
        }
    }
    notifyBeat(); // a loop playing along may hold the change for a later beat
    if (m_running)
        arm(service());
}

void Metronome::click(double due, bool queued) {
    const MetronomeSettings& m = m_settings;
    m_beatBeforePending = m_beat;
    if (++m_beat > m.beats)
        m_beat = 1;
    const int key = std::clamp(m_beat == 1 ? m.sound1 : m.sound2, 0, 127);
    const int velocity = std::clamp(m_playback.volume, 0, 127);
    const int channel = std::clamp(m.channel, 0, 15);
    const std::uint32_t on = packShortMessage(0x90 + channel, key, velocity);
    const std::uint32_t off = packShortMessage(0x80 + channel, key, velocity);
    if (queued) {
        m_out.shortMessageAt(on, due, QueueSource::Metronome);
        m_out.shortMessageAt(off, due, QueueSource::Metronome);
        m_pending = true;
        m_pendingDue = due;
    } else {
        m_out.shortMessage(on);
        m_out.shortMessage(off);
    }
    notifyBeat();
}

void Metronome::notifyBeat() const {
    if (m_observer)
        m_observer();
}

double Metronome::service() {
    if (!m_running)
        return -1.0;
    // A reopened output (another device, a new synthesizer whose clock starts again) restarts
    // the beat on the clock now in use.
    if (m_out.hasOwnClock() != m_onOwnClock || timeNow() < m_lastNow) {
        m_pending = false;
        restart();
    }
    applyTempoChange();
    const double ahead = m_onOwnClock ? LookAhead : 0.0;
    double now = timeNow();
    m_lastNow = now;

    // After a stall (a suspended machine, a blocked event loop) the missed beats are counted
    // but not sounded: a burst of late clicks helps nobody.
    while (dueOf(m_next + 1) <= now + ahead) {
        if (++m_beat > m_settings.beats)
            m_beat = 1;
        ++m_next;
    }
    // A microsecond's grace, so that a wake-up computed to the tick is taken as on time. A
    // closed output drops the click anyway: the window thread does not sleep for it.
    if (!m_onOwnClock && m_out.isOpen() && dueOf(m_next) > now &&
        dueOf(m_next) - now <= FineWait + 1e-6) {
        m_clock.sleepUntil(dueOf(m_next));
        now = timeNow();
        m_lastNow = now;
    }
    if (dueOf(m_next) <= now + ahead) {
        click(dueOf(m_next), m_onOwnClock);
        ++m_next;
    }
    return dueOf(m_next) - (m_onOwnClock ? ahead : FineWait) - now;
}

void Metronome::arm(double seconds) {
    if (!m_running)
        return;
    if (m_onOwnClock) {
        // Clicks are queued well ahead, so a late wake-up costs nothing; an early one would
        // only find the output's clock, which may advance a period at a time, not there yet.
        m_timer.start(int(std::ceil(std::max(seconds, LeastWait) * 1000.0)));
        return;
    }
    // Whole milliseconds, rounded down: never late.
    m_timer.start(int(std::max(seconds, 0.0) * 1000.0));
}

} // namespace chordalis
