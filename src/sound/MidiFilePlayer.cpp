#include "sound/MidiFilePlayer.h"

#include <algorithm>

namespace chordalis {

namespace {

constexpr int SustainPedal = 64;
constexpr int ResetAllControllers = 121;
constexpr int ChannelVolume = 7;
constexpr int Pan = 10;

} // namespace

MidiFilePlayer::MidiFilePlayer(MidiOut& out, Clock& clock) : m_out(out), m_clock(clock) {
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { arm(service()); });
}

MidiFilePlayer::~MidiFilePlayer() {
    close();
}

bool MidiFilePlayer::load(const QString& path, QString* error) {
    close();
    auto song = readMidiFile(path, error);
    if (!song)
        return false;
    load(std::move(*song));
    return true;
}

void MidiFilePlayer::load(MidiSong song) {
    close();
    m_song = std::move(song);
    m_loaded = true;
}

void MidiFilePlayer::close() {
    stop();
    for (int ch = 0; ch < 16; ++ch) {
        if (m_programmed[size_t(ch)])
            m_out.shortMessage(packShortMessage(0xC0 | ch, 0));
    }
    m_programmed.reset();
    m_song = {};
    m_loaded = false;
}

double MidiFilePlayer::timeNow() const {
    return m_onOwnClock ? m_out.ownClockNow() : m_clock.now();
}

double MidiFilePlayer::position() const {
    if (!m_playing)
        return m_position;
    return std::clamp(timeNow() - m_start, 0.0, m_song.length);
}

void MidiFilePlayer::play() {
    if (!m_loaded || m_playing)
        return;
    m_onOwnClock = m_out.hasOwnClock();
    const double now = timeNow();
    m_start = now - m_position;
    m_lastNow = now;
    m_playing = true;
    // Going on after a pause: the sustain pedal is put down again where the song holds it.
    std::array<int, 16> pedal{};
    for (size_t i = 0; i < m_next; ++i) {
        const std::uint32_t word = m_song.events[i].word;
        if ((statusOf(word) & 0xF0) == 0xB0 && data1Of(word) == SustainPedal)
            pedal[size_t(statusOf(word) & 0x0F)] = data2Of(word);
    }
    for (int ch = 0; ch < 16; ++ch) {
        if (pedal[size_t(ch)] >= 64) {
            m_out.shortMessage(packShortMessage(0xB0 | ch, SustainPedal, pedal[size_t(ch)]));
            m_pedalled.set(size_t(ch));
            m_pedalDown.set(size_t(ch));
        }
    }
    arm(service());
}

void MidiFilePlayer::halt() {
    m_playing = false;
    m_timer.stop();
    if (m_onOwnClock)
        m_out.cancelQueued();
}

void MidiFilePlayer::pause() {
    if (!m_playing)
        return;
    const double now = timeNow();
    m_position = std::clamp(now - m_start, 0.0, m_song.length);
    halt();
    // On the output's clock, what was queued for later is taken back: the song goes on from the
    // first event that has not sounded.
    if (m_onOwnClock) {
        while (m_next > 0 && due(m_next - 1) > now)
            --m_next;
    }
    // Notes queued with a note-off that was taken back are among those struck: on the output's
    // clock every struck note is released, on a port exactly those still sounding.
    silence(m_onOwnClock);
}

void MidiFilePlayer::stop() {
    if (m_playing) {
        halt();
        silence(m_onOwnClock);
    }
    m_position = 0.0;
    m_next = 0;
    resetControllers();
}

void MidiFilePlayer::silence(bool allStruck) {
    const auto& notes = allStruck ? m_struck : m_sounding;
    for (int ch = 0; ch < 16; ++ch) {
        for (int n = 0; n < 128; ++n) {
            if (notes[size_t(ch)][size_t(n)])
                m_out.shortMessage(packShortMessage(0x80 | ch, n, 0));
        }
        if (allStruck ? m_pedalled[size_t(ch)] : m_pedalDown[size_t(ch)])
            m_out.shortMessage(packShortMessage(0xB0 | ch, SustainPedal, 0));
        m_sounding[size_t(ch)].reset();
        m_struck[size_t(ch)].reset();
    }
    m_pedalled.reset();
    m_pedalDown.reset();
}

void MidiFilePlayer::resetControllers() {
    for (int ch = 0; ch < 16; ++ch) {
        if (!m_moved[size_t(ch)])
            continue;
        // Resetting all controllers leaves the volume and the pan, which are set to their
        // defaults as well.
        m_out.shortMessage(packShortMessage(0xB0 | ch, ResetAllControllers, 0));
        m_out.shortMessage(packShortMessage(0xB0 | ch, ChannelVolume, 100));
        m_out.shortMessage(packShortMessage(0xB0 | ch, Pan, 64));
    }
    m_moved.reset();
}

void MidiFilePlayer::dispatch(size_t index) {
    const std::uint32_t word = m_song.events[index].word;
    if (m_onOwnClock)
        m_out.shortMessageAt(word, due(index));
    else
        m_out.shortMessage(word);
    const size_t ch = size_t(statusOf(word) & 0x0F);
    const size_t key = size_t(data1Of(word));
    switch (statusOf(word) & 0xF0) {
    case 0x90:
        if (data2Of(word) > 0) {
            m_sounding[ch].set(key);
            m_struck[ch].set(key);
            break;
        }
        [[fallthrough]]; // a note-on of velocity 0 is a note-off
    case 0x80:
        m_sounding[ch].reset(key);
        break;
    case 0xB0:
        m_moved.set(ch);
        if (key == SustainPedal) {
            m_pedalled.set(ch);
            m_pedalDown.set(ch, data2Of(word) >= 64);
        }
        break;
    case 0xA0:
    case 0xD0:
    case 0xE0:
        m_moved.set(ch);
        break;
    case 0xC0:
        m_programmed.set(ch);
        break;
    default:
        break;
    }
}

void MidiFilePlayer::finish() {
    // Everything has sounded: the notes still on are exactly those the song left on.
    m_playing = false;
    m_timer.stop();
    silence(false);
    m_position = 0.0;
    m_next = 0;
    resetControllers();
    if (finished)
        finished();
}

double MidiFilePlayer::service() {
    if (!m_playing)
        return -1.0;
    // A reopened output (another device, a synthesizer whose clock starts again): the song goes
    // on from where it was, on the clock now in use.
    if (m_out.hasOwnClock() != m_onOwnClock || timeNow() < m_lastNow) {
        const double at = std::clamp(m_lastNow - m_start, 0.0, m_song.length);
        m_onOwnClock = m_out.hasOwnClock();
        m_start = timeNow() - at;
    }
    const size_t count = m_song.events.size();
    double now = timeNow();
    if (m_next < count && due(m_next) < now - MaxLateness)
        m_start += now - due(m_next);
    const double ahead = m_onOwnClock ? LookAhead : 0.0;
    // A microsecond's grace, so that a wake-up computed to the tick is taken as on time.
    if (!m_onOwnClock && m_next < count && due(m_next) > now &&
        due(m_next) - now <= FineWait + 1e-6) {
        m_clock.sleepUntil(due(m_next));
        now = timeNow();
    }
    // The same grace on the output's clock: a wake-up computed to the tick queues its event
    // instead of asking for another wake-up a rounding error later.
    while (m_next < count && due(m_next) <= now + ahead + (m_onOwnClock ? 1e-6 : 0.0))
        dispatch(m_next++);
    m_lastNow = now;
    if (m_next < count)
        return due(m_next) - (m_onOwnClock ? ahead : FineWait) - now;
    const double end = m_start + m_song.length;
    if (now < end)
        return end - now;
    finish();
    return -1.0;
}

void MidiFilePlayer::arm(double seconds) {
    if (!m_playing)
        return;
    // Whole milliseconds, rounded down: never late.
    m_timer.start(int(std::max(seconds, 0.0) * 1000.0));
}

} // namespace chordalis
