#include "modes/AppState.h"
#include "sound/Metronome.h"
#include "sound/RecordingMidiOut.h"
#include "sound/TapTempo.h"

#include <gtest/gtest.h>

namespace chordalis {
namespace {

TEST(TapTempo, FollowsTheLastTapsAndStartsAfreshAfterAPause) {
    TapTempo tap;
    EXPECT_EQ(tap.tap(10.0), std::nullopt);
    EXPECT_EQ(tap.tap(10.5), 120);
    // Only the last four intervals count: slowing to 0.6 s moves the tempo there.
    for (double t : {11.1, 11.7, 12.3, 12.9})
        tap.tap(t);
    EXPECT_EQ(tap.tap(13.5), 100);
    // A pause of more than two seconds, or a clock that went back, begins a new count.
    EXPECT_EQ(tap.tap(16.0), std::nullopt);
    EXPECT_EQ(tap.tap(15.0), std::nullopt);
    // Held within the metronome's range.
    EXPECT_EQ(tap.tap(15.05), 400);
    tap.tap(15.0);
    EXPECT_EQ(tap.tap(16.9), 40);
}

TEST(MetronomeNotifies, OnSwitchingTempoAndEveryClick) {
    AppState state;
    VirtualClock clock;
    RecordingMidiOut out(clock);
    out.open(-1);
    Metronome metronome(state.metronome, state.playback, out, clock);
    std::vector<int> beats;
    metronome.setBeatObserver(
        [&] { beats.push_back(metronome.isRunning() ? metronome.beat() : -1); });
    metronome.setRunning(true);
    clock.advance(0.5);
    metronome.service();
    metronome.setTempo(90);
    metronome.setRunning(false);
    EXPECT_EQ(beats, (std::vector<int>{0, 1, 1, -1}));
}

} // namespace
} // namespace chordalis
