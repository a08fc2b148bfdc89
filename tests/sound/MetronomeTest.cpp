#include "sound/Metronome.h"

#include "../Fakes.h"
#include "modes/AppState.h"
#include "sound/Player.h"
#include "sound/RecordingMidiOut.h"
#include "sound/TapTempo.h"

#include <gtest/gtest.h>
#include <random>

namespace chordalis {
namespace {

class MetronomeTest : public ::testing::Test {
protected:
    MetronomeTest() { out.open(-1); }

    AppState state;
    VirtualClock clock;
    RecordingMidiOut out{clock};
    Metronome metronome{state.metronome, state.playback, out, clock};

    // The clock run to each wake-up the metronome asks for, up to `lateness` seconds late.
    void runFor(double seconds, double lateness = 0.0, unsigned seed = 1) {
        std::mt19937 rng(seed);
        std::uniform_real_distribution<double> late(0.0, lateness);
        const double end = clock.now() + seconds;
        while (true) {
            const double wait = metronome.service();
            if (wait < 0 || clock.now() + wait > end) { // stopped, or nothing more due
                clock.advance(std::max(0.0, end - clock.now()));
                break;
            }
            clock.advance(std::max(wait, 0.0) + late(rng));
        }
    }
    std::vector<int> keys() const { return test::noteOnKeys(out); } // the clicks
};

TEST(MetronomeLists, IntervalsAndRows) {
    // At 64, 937.5: halves go to the even neighbour.
    for (const auto& [tempo, ms] :
         {std::pair{120, 500}, {40, 1500}, {400, 150}, {64, 938}, {96, 625}})
        EXPECT_EQ(metronomeInterval(tempo), ms) << tempo;
    // A sound's row is its key less 35, as the options read it.
    ASSERT_EQ(drumSoundRows().size(), 47);
    EXPECT_TRUE(drumSoundRows()[76 - 35].startsWith(QLatin1String(" 76 ")));
}

TEST_F(MetronomeTest, DefaultsAccentTheBarOnTheDrumChannel) {
    metronome.setRunning(true);
    EXPECT_TRUE(out.sent.empty()); // the first click comes one interval later
    runFor(2.75);
    EXPECT_EQ(keys(), (std::vector<int>{76, 77, 77, 77, 76}));
    ASSERT_EQ(out.sent.size(), 10u);
    EXPECT_EQ(out.sent[0].word, packShortMessage(0x99, 76, 100));
    EXPECT_EQ(out.sent[1].word, packShortMessage(0x89, 76, 100));
    EXPECT_DOUBLE_EQ(out.sent[0].time, 0.5);
    EXPECT_DOUBLE_EQ(out.sent[1].time, 0.5); // back to back
}

TEST_F(MetronomeTest, BeatCounterRules) {
    state.metronome.beats = 1;
    metronome.setRunning(true);
    runFor(1.6);
    EXPECT_EQ(keys(), (std::vector<int>{76, 76, 76}));

    out.sent.clear();
    state.metronome.beats = 0; // nothing sensible: every click is the first of its bar
    runFor(1.0);
    EXPECT_EQ(keys(), (std::vector<int>{76, 76}));

    out.sent.clear();
    state.metronome.beats = 4;
    runFor(1.0); // beats 2 and 3
    metronome.setRunning(false);
    runFor(2.0);
    metronome.setRunning(true);
    runFor(1.0); // switched on again: beat 4, then 1
    EXPECT_EQ(keys(), (std::vector<int>{77, 77, 77, 76}));

    out.sent.clear();
    runFor(1.0);               // beats 2 and 3
    state.metronome.beats = 2; // below the current beat: the next click starts a bar
    runFor(0.5);
    EXPECT_EQ(keys(), (std::vector<int>{77, 77, 76}));
}

TEST_F(MetronomeTest, LateTimersNeverMoveTheBeat) {
    for (const bool ownClock : {true, false}) {
        out.ownClock = ownClock;
        out.sent.clear();
        state.metronome.tempo = 400;
        metronome.setRunning(true);
        const double start = clock.now();
        runFor(2000 * 0.150, /*lateness=*/0.004);
        metronome.setRunning(false);
        ASSERT_GE(out.sent.size(), 2 * 2000u) << ownClock;
        for (size_t n = 0; n < 2000; ++n) {
            const double ideal = start + double(n + 1) * 0.150;
            // Each click is at most as late as its own timer: lateness does not add up.
            EXPECT_GE(out.sent[2 * n].time, ideal - 1e-9);
            EXPECT_LE(out.sent[2 * n].time, ideal + (ownClock ? 1e-9 : 0.004 + 1e-9)) << n;
        }
    }
}

// A new tempo counts from the last beat, at once when that much has passed already, and the bar
// goes on where it was; a slider dragged through tempos within a beat never puts the beat off.
TEST_F(MetronomeTest, ATempoChangeCountsFromTheLastBeatAndKeepsTheBar) {
    auto clickTimes = [&] {
        std::vector<double> times;
        for (const auto& m : out.sent)
            if ((statusOf(m.word) & 0xF0) == 0x90)
                times.push_back(m.time);
        return times;
    };
    metronome.setRunning(true);
    runFor(1.2); // clicks at 0.5 and 1.0
    metronome.setTempo(400);
    EXPECT_EQ(state.metronome.tempo, 400);
    runFor(0.36);
    const std::vector<double> fast = clickTimes();
    ASSERT_GE(fast.size(), 5u);
    EXPECT_NEAR(fast[2], 1.2, 1e-9); // 0.15 s after 1.0 had passed
    EXPECT_NEAR(fast[3], 1.35, 1e-9);
    EXPECT_NEAR(fast[4], 1.5, 1e-9);
    EXPECT_EQ(keys()[4], 76); // the fifth click begins the next bar of four
    metronome.setTempo(1000);
    EXPECT_EQ(state.metronome.tempo, 400);

    // Down from 400 to 40 bpm in steps of one every 10 ms, as a slider is dragged: the clicks go
    // on, each at most the slowest interval after the one before.
    out.sent.clear();
    for (int bpm = 400; bpm >= 40; --bpm) {
        metronome.setTempo(bpm);
        runFor(0.01);
    }
    runFor(2.0);
    const std::vector<double> dragged = clickTimes();
    ASSERT_GE(dragged.size(), 6u);
    for (size_t i = 1; i < dragged.size(); ++i)
        EXPECT_LE(dragged[i] - dragged[i - 1], 1.5 + 1e-9) << "after " << dragged[i - 1];
    EXPECT_NEAR(dragged.back() - dragged[dragged.size() - 2], 1.5, 1e-9);
}

// Switched off, a queued click and its count go; a chord strummed meanwhile is still released.
TEST_F(MetronomeTest, OnAnOutputWithItsOwnClockClicksAreQueuedOnTime) {
    state.metronome.channel = 3;
    metronome.setRunning(true);
    runFor(1.48);
    ASSERT_EQ(out.sent.size(), 6u);
    EXPECT_DOUBLE_EQ(out.sent[4].time, 1.5);
    EXPECT_EQ(out.sent[4].word, packShortMessage(0x93, 77, 100));
    EXPECT_EQ(metronome.beat(), 3);

    Player player{state.playback, out, clock};
    player.strum({{5, 48}, {4, 52}});
    metronome.setRunning(false);
    EXPECT_EQ(metronome.beat(), 2);
    ASSERT_EQ(out.sent.size(), 4u + 4u);
    int balance = 0;
    for (size_t i = 4; i < out.sent.size(); ++i) {
        EXPECT_EQ(out.sent[i].source, QueueSource::Playback);
        balance += statusOf(out.sent[i].word) == 0x90 ? 1 : -1;
    }
    EXPECT_EQ(balance, 0);
}

TEST(TapTempo, FollowsTheLastTapsAndStartsAfreshAfterAPause) {
    TapTempo tap;
    EXPECT_EQ(tap.tap(10.0), std::nullopt);
    EXPECT_EQ(tap.tap(10.5), 120);
    // Only the last four intervals count.
    for (double t : {11.1, 11.7, 12.3, 12.9})
        tap.tap(t);
    EXPECT_EQ(tap.tap(13.5), 100);
    EXPECT_EQ(tap.tap(16.0), std::nullopt);
    EXPECT_EQ(tap.tap(15.0), std::nullopt);
    EXPECT_EQ(tap.tap(15.05), 400);
    tap.tap(15.0);
    EXPECT_EQ(tap.tap(16.9), 40);
}

TEST_F(MetronomeTest, NotifiesOnSwitchingTempoAndEveryClick) {
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
