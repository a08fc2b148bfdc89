#include "listening/Listener.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace chordalis {

namespace {

double checkedRate(double rate) {
    if (!(rate >= LowestListenRate && rate <= HighestListenRate))
        throw std::invalid_argument("sample rate outside 8000..192000");
    return rate;
}

// The pitch frame: at least 85 ms, two periods of 30 Hz with room for the sum.
int pitchFrameSize(double rate) {
    return powerOfTwoAtLeast(int(std::ceil(rate * 0.085)));
}
int noteWindowSize(double rate) {
    return std::clamp(powerOfTwoAtLeast(int(std::ceil(rate * 0.17))), 1024, 65536);
}

} // namespace

Listener::Listener(double sampleRate, double a4)
    : m_rate(checkedRate(sampleRate)), m_a4(std::clamp(a4, LowestA4, HighestA4)),
      m_pitch(m_rate, pitchFrameSize(m_rate)), m_finder(m_rate, noteWindowSize(m_rate), m_a4),
      m_onsets(m_rate), m_hop(std::max(1, int(std::lround(m_rate * 0.01)))) {}

int Listener::noteWindow(double sampleRate) {
    return noteWindowSize(sampleRate);
}

void Listener::push(std::span<const float> samples) {
    for (double onset : m_onsets.push(samples))
        m_pending.push_back(std::llround(onset * m_rate));
    m_buffer.insert(m_buffer.end(), samples.begin(), samples.end());
    analyse();
}

void Listener::analyse() {
    const long long end = m_bufferStart + static_cast<long long>(m_buffer.size());
    const int frame = m_pitch.frameSize();
    while (m_nextFrame + frame <= end) {
        const auto from = m_buffer.begin() + (m_nextFrame - m_bufferStart);
        PitchFrame f;
        f.time = (m_nextFrame + frame / 2.0) / m_rate;
        f.pitch = m_pitch.read(std::span<const float>(&*from, size_t(frame)));
        if (f.pitch.voiced())
            f.note = nearestNote(f.pitch.f0, m_a4);
        m_frames.push_back(f);
        m_nextFrame += m_hop;
    }
    const long long delay = std::llround(NoteDelay * m_rate);
    const int window = m_finder.windowSize();
    while (!m_pending.empty() && m_pending.front() + delay + window <= end) {
        const long long start = std::max(m_pending.front() + delay, m_bufferStart);
        const auto from = m_buffer.begin() + (start - m_bufferStart);
        addEvent(m_pending.front(), std::vector<float>(from, from + window));
        m_pending.erase(m_pending.begin());
    }
    // Keep what the next frame and the oldest waiting onset still need.
    long long keep = m_nextFrame;
    if (!m_pending.empty())
        keep = std::min(keep, m_pending.front() + delay);
    const long long drop =
        std::min<long long>(keep - m_bufferStart, static_cast<long long>(m_buffer.size()));
    if (drop > static_cast<long long>(m_rate)) {
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + drop);
        m_bufferStart += drop;
    }
}

void Listener::addEvent(long long onset, std::vector<float> sound) {
    NoteEvent e;
    e.time = double(onset) / m_rate;
    e.notes = m_finder.find(sound);
    e.sound = std::move(sound);
    m_events.push_back(std::move(e));
}

void Listener::finish() {
    const long long end = m_bufferStart + static_cast<long long>(m_buffer.size());
    const long long delay = std::llround(NoteDelay * m_rate);
    for (long long onset : m_pending) {
        const long long start = std::max(onset + delay, m_bufferStart);
        // Less than 50 ms of sound after the onset tells nothing reliable.
        if (end - start < static_cast<long long>(0.05 * m_rate))
            continue;
        const auto from = m_buffer.begin() + (start - m_bufferStart);
        addEvent(onset, std::vector<float>(from, m_buffer.end()));
    }
    m_pending.clear();
}

std::vector<PitchFrame> Listener::takeFrames() {
    return std::exchange(m_frames, {});
}
std::vector<NoteEvent> Listener::takeEvents() {
    return std::exchange(m_events, {});
}

} // namespace chordalis
