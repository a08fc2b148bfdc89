#pragma once

#include <deque>
#include <optional>

namespace chordalis {

// The tempo of a Tap button: the beats per minute of the last few taps. A pause of more than two
// seconds starts a new count, so an old tap never drags the tempo.
class TapTempo {
public:
    // How many of the last intervals are averaged, and the pause that starts a new count.
    static constexpr int Intervals = 4;
    static constexpr double Pause = 2.0;

    // A tap at a time in seconds on any steady clock. Returns the tempo in beats per minute,
    // rounded and kept within 40..400, from the second tap of a count on.
    std::optional<int> tap(double seconds);

private:
    std::deque<double> m_taps;
};

} // namespace chordalis
