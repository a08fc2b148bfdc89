#include "modes/AppState.h"
#include "sound/Metronome.h"
#include "sound/Player.h"
#include "sound/RecordingMidiOut.h"
#include "sound/TapTempo.h"

#include <gtest/gtest.h>
#include <tuple>

namespace chordalis {
namespace {

TEST(TapTempo, FollowsTheLastTapsAndStartsAfreshAfterAPause) {
    TapTempo tap;
    EXPECT_EQ(tap.tap(10.0), std::nullopt);
    EXPECT_EQ(tap.tap(10.5), 120);
    EXPECT_EQ(tap.tap(11.0), 120);
    // Only the last four intervals count: slowing to 0.6 s moves the tempo there.
    for (double t : {11.6, 12.2, 12.8, 13.4})
        tap.tap(t);
    EXPECT_EQ(tap.tap(14.0), 100);
    // A pause of more than two seconds, or a clock that went back, begins a new count.
    EXPECT_EQ(tap.tap(16.5), std::nullopt);
    EXPECT_EQ(tap.tap(16.0), std::nullopt);
    // Held within the metronome's range.
    EXPECT_EQ(tap.tap(16.05), 400);
    TapTempo slow;
    slow.tap(0.0);
    EXPECT_EQ(slow.tap(1.9), 40);
}

TEST(PlayerNotifies, EveryNoteOfAStrumRunAndNotesOffInOrder) {
    PlaybackSettings settings;
    VirtualClock clock;
    RecordingMidiOut out(clock);
    out.open(-1);
    Player player(settings, out, clock);
    std::vector<std::tuple<int, int, bool, double>> told;
    player.setSoundingObserver(
        [&](int string, int note, bool on) { told.emplace_back(string, note, on, clock.now()); });

    player.strum({{5, 48}, {4, 52}});
    const double d = double(stepDelay(PlayKind::Chord, settings.chordTempo));
    using T = std::tuple<int, int, bool, double>;
    ASSERT_EQ(told.size(), 4u);
    EXPECT_EQ(told[0], (T{5, 48, true, 0.0}));
    EXPECT_NEAR(std::get<3>(told[1]), d, 1e-6);
    EXPECT_EQ(std::get<2>(told[2]), false);
    EXPECT_NEAR(std::get<3>(told[3]), 4.0, 1e-6);

    // The shown places one after another, each held one scale step.
    told.clear();
    out.sent.clear();
    player.playNotes({{6, 40}, {5, 45}}, PlayKind::Scale);
    const double step = double(stepDelay(PlayKind::Scale, settings.scaleTempo));
    ASSERT_EQ(told.size(), 4u);
    EXPECT_EQ(std::get<0>(told[2]), 5);
    EXPECT_NEAR(std::get<3>(told[3]), 4.0 + 2 * step, 1e-5);
    ASSERT_EQ(out.sent.size(), 4u);
    EXPECT_EQ(out.sent[1].word, packShortMessage(0x80, 40, 100));

    told.clear();
    player.allNotesOff();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(std::get<1>(told[0]), -1);
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
