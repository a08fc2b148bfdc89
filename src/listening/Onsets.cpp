#include "listening/Onsets.h"

#include <algorithm>
#include <cmath>

namespace chordalis {

namespace {
constexpr int LookBackHops = 5; // 25 ms
}

OnsetDetector::OnsetDetector(double sampleRate)
    : m_rate(sampleRate), m_hop(std::max(1, int(std::lround(sampleRate * 0.005)))) {}

std::vector<double> OnsetDetector::push(std::span<const float> samples) {
    std::vector<double> onsets;
    for (float s : samples) {
        const double d = double(s) - double(m_previous);
        m_previous = s;
        m_energy += d * d;
        if (++m_inHop < m_hop)
            continue;
        const double level = 10.0 * std::log10(m_energy / m_hop + 1e-12);
        m_energy = 0.0;
        m_inHop = 0;
        const double time = double(m_hops) * m_hop / m_rate;
        ++m_hops;
        if (!m_recent.empty() && level > FloorDb) {
            const double before = *std::min_element(m_recent.begin(), m_recent.end());
            if (level - std::max(before, FloorDb - RiseDb) >= RiseDb &&
                (m_lastOnset < 0.0 || time - m_lastOnset >= MinGap)) {
                onsets.push_back(time);
                m_lastOnset = time;
            }
        }
        m_recent.push_back(level);
        if (int(m_recent.size()) > LookBackHops)
            m_recent.erase(m_recent.begin());
    }
    return onsets;
}

} // namespace chordalis
