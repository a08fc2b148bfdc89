#pragma once

#include <span>
#include <vector>

namespace chordalis {

// Finds where notes begin: the sound's level (after a first difference, which favours the
// attack's high partials over a ringing bass) in hops of 5 ms, and an onset where the level has
// risen by RiseDb within the last 25 ms from above the noise floor's reach, at least MinGap
// seconds after the last one. Times are in seconds from the first sample pushed. What sounds
// from the very first sample has no rise to show and no onset: that may as well be noise.
class OnsetDetector {
public:
    static constexpr double RiseDb = 9.0;
    static constexpr double FloorDb = -55.0; // a hop below this never starts a note
    static constexpr double MinGap = 0.08;

    explicit OnsetDetector(double sampleRate);
    // Takes the next samples; returns the onsets they complete.
    std::vector<double> push(std::span<const float> samples);

private:
    double m_rate;
    int m_hop;
    long long m_hops = 0;    // hops finished
    int m_inHop = 0;         // samples of the current hop so far
    double m_energy = 0.0;   // of the current hop
    float m_previous = 0.0f; // the last sample, for the difference
    double m_lastOnset = -1.0;
    std::vector<double> m_recent; // the last levels in dB, oldest first
};

} // namespace chordalis
