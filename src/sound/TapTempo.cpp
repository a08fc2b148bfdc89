#include "sound/TapTempo.h"

#include "sound/Metronome.h"

#include <algorithm>
#include <cmath>

namespace chordalis {

std::optional<int> TapTempo::tap(double seconds) {
    if (!m_taps.empty() && (seconds - m_taps.back() > Pause || seconds <= m_taps.back()))
        m_taps.clear();
    m_taps.push_back(seconds);
    while (int(m_taps.size()) > Intervals + 1)
        m_taps.pop_front();
    if (m_taps.size() < 2)
        return std::nullopt;
    const double interval = (m_taps.back() - m_taps.front()) / double(m_taps.size() - 1);
    const int bpm = int(std::lround(60.0 / interval));
    return std::clamp(bpm, MinMetronomeTempo, MaxMetronomeTempo);
}

} // namespace chordalis
