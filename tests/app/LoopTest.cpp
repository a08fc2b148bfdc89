#include "../sound/MidiTestData.h"
#include "app/LoopNotes.h"
#include "app/LoopPlayer.h"
#include "sound/RecordingMidiOut.h"
#include "sound/TimedQueue.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace chordalis;

namespace {

// C (x32010) for four beats, then G/B (x2003x) for two and Am for two.
const Strum CShape{{5, 48}, {4, 52}, {3, 55}, {2, 60}, {1, 64}};
const Strum GShape{{5, 47}, {4, 50}, {3, 55}, {2, 59}};
const Strum AmShape{{5, 45}, {4, 52}, {3, 57}, {2, 60}, {1, 64}};
const std::vector<LoopSource> Chords{{CShape, 0, 7, 4}, {GShape, 11, 2, 2}, {AmShape, 9, 4, 2}};

std::vector<LoopNote> on(const LoopNotes& loop, int channel) {
    std::vector<LoopNote> out;
    for (const LoopNote& n : loop.notes)
        if (n.channel == channel)
            out.push_back(n);
    return out;
}

} // namespace

TEST(LoopNotesTest, EachPatternStrikesWhereItShouldAndNoNoteOutlastsThePass) {
    struct Row {
        StrumPattern pattern;
        std::vector<double> strikes; // where a new strum or pluck begins in the first chord
        size_t firstChordNotes;
    };
    const Row rows[] = {
        {StrumPattern::Whole, {0}, 5},
        {StrumPattern::Quarters, {0, 1, 2, 3}, 20},
        {StrumPattern::DownUp, {0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5}, 4 * 5 + 4 * 3},
        {StrumPattern::Fingerpicked, {0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5}, 8},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(strumPatternWord(row.pattern));
        LoopOptions options;
        options.pattern = row.pattern;
        const LoopNotes loop = makeLoop(Chords, options);
        EXPECT_EQ(loop.beats, 8.0);
        ASSERT_EQ(loop.chords.size(), 3u);
        EXPECT_EQ((std::vector{loop.chords[1].beat, loop.chords[2].beat}), (std::vector{4.0, 6.0}));
        std::vector<double> strikes;
        size_t first = 0;
        for (const LoopNote& n : loop.notes) {
            EXPECT_GT(n.length, 0.0);
            EXPECT_LE(n.beat + n.length, loop.beats + 1e-9);
            if (n.beat < 4.0) {
                ++first;
                // A strum's strings follow within a quarter of a beat of its strike.
                if (strikes.empty() || n.beat - strikes.back() >= 0.25)
                    strikes.push_back(n.beat);
                EXPECT_TRUE(std::any_of(CShape.begin(), CShape.end(), [&](auto s) {
                    return s.note == n.note && s.string == n.string;
                }));
            }
        }
        EXPECT_EQ(strikes, row.strikes);
        EXPECT_EQ(first, row.firstChordNotes);
    }
}

TEST(LoopNotesTest, BassFollowsTheChordsRootAndFifthAndTheDrumsKeepTheBeat) {
    LoopOptions options;
    options.pattern = StrumPattern::Whole;
    options.bass = BassPattern::RootFifth;
    options.drums = true;
    options.guitarChannel = 8; // the bass skips the drums' channel 9
    const LoopNotes loop = makeLoop(Chords, options);
    EXPECT_EQ(bassChannel(options), 10);
    std::vector<std::pair<double, int>> bass;
    for (const LoopNote& n : on(loop, 10))
        bass.emplace_back(n.beat, n.note);
    // C: root on 1, G on 3; G/B: its bass B as it begins on 1; Am: A as it begins on 3.
    EXPECT_EQ(bass, (std::vector<std::pair<double, int>>{{0, 36}, {2, 31}, {4, 35}, {6, 33}}));
    std::map<int, std::vector<double>> drums;
    for (const LoopNote& n : on(loop, DrumChannel))
        drums[n.note].push_back(n.beat);
    EXPECT_EQ(drums[KickDrum], (std::vector<double>{0, 2, 4, 6}));
    EXPECT_EQ(drums[SnareDrum], (std::vector<double>{1, 3, 5, 7}));
    EXPECT_EQ(drums[ClosedHiHat].size(), 16u);
    EXPECT_EQ(loop.programs, (std::vector<LoopProgram>{{8, 24}, {10, BassProgram}}));
    EXPECT_TRUE(makeLoop({}, options).notes.empty());
}

TEST(LoopPlayerTest, PassesFollowEachOtherWithoutGapAndStopSilencesAll) {
    VirtualClock clock;
    RecordingMidiOut port(clock);
    port.open(-1);
    LoopOptions options;
    options.pattern = StrumPattern::Whole;
    options.bass = BassPattern::Root;
    options.tempo = 120; // half a second a beat
    const LoopNotes loop = makeLoop(Chords, options);
    LoopPlayer player(port, clock);
    std::vector<std::pair<double, int>> told;
    player.setChordObserver([&](int chord) { told.emplace_back(clock.now(), chord); });
    player.start(loop, 1.0);
    // Serviced as the timer would, a little late each time.
    while (clock.now() < 12.0) {
        const double wait = player.service();
        ASSERT_GE(wait, 0.0);
        clock.advance(wait + 0.003);
    }
    player.stop();

    const double pass = 8 * 0.5, countIn = 4 * 0.5;
    std::vector<double> clicks, bassOns;
    for (const auto& s : port.sent) {
        if ((statusOf(s.word) & 0xF0) != 0x90)
            continue;
        if ((statusOf(s.word) & 0x0F) == 9)
            clicks.push_back(s.time);
        if ((statusOf(s.word) & 0x0F) == 1)
            bassOns.push_back(s.time);
        EXPECT_EQ(s.source, QueueSource::Loop);
    }
    EXPECT_EQ(clicks, (std::vector<double>{1.0, 1.5, 2.0, 2.5}));
    // Bass on each chord's first beat and the C's 3rd beat, pass after pass (3 begun by 12 s).
    std::vector<double> expected;
    for (int p = 0; p < 3; ++p)
        for (double beat : {0.0, 2.0, 4.0, 6.0})
            expected.push_back(1.0 + countIn + p * pass + beat * 0.5);
    std::erase_if(bassOns, [](double t) { return t >= 11.0; });
    std::erase_if(expected, [](double t) { return t >= 11.0; });
    EXPECT_EQ(bassOns, expected);
    ASSERT_GE(told.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(told[i].second, int(i % 3));
        const double due = 1.0 + countIn + (i / 3) * pass + loop.chords[i % 3].beat * 0.5;
        EXPECT_NEAR(told[i].first, due, 0.004); // told as it sounds, not when queued
    }
    EXPECT_EQ(told.back().second, -1);
    // A beat into each chord of the second pass the guitar sounds that chord alone.
    for (size_t i = 0; i < 3; ++i) {
        std::set<std::pair<int, int>> wanted;
        for (const auto& string : Chords[i].strum)
            wanted.insert({0, string.note});
        auto heard =
            test::sounding(port.sent, 1.0 + countIn + pass + (loop.chords[i].beat + 1) * 0.5);
        std::erase_if(heard, [](const auto& n) { return n.first != 0; });
        EXPECT_EQ(heard, wanted) << i;
    }
    for (const auto& s : port.sent)
        EXPECT_LE(s.time, clock.now() + 1e-9);
    EXPECT_TRUE(test::sounding(port.sent, clock.now()).empty());
}

// Queued ahead or sent when due, the eighths keep their spacing up to the first beat not yet
// queued: no gap, no eighth doubled or lost.
TEST(LoopPlayerTest, ATempoChangeTakesEffectFromTheNextBeat) {
    struct Row {
        bool ownClock;
        double changeAt;  // seconds
        double firstSlow; // the first beat at the new tempo, seconds
    };
    // 120 then 60 bpm; the pass begins at 1.0 (no count-in). Queued 0.1 s ahead, the change at
    // 2.03 waits for the beat after 2.13 (2.5); sent when due, for the beat after 2.03 (2.5).
    for (const Row& row : {Row{true, 2.03, 2.5}, Row{false, 2.03, 2.5}, Row{true, 2.45, 3.0}}) {
        SCOPED_TRACE(row.changeAt);
        VirtualClock clock;
        RecordingMidiOut port(clock);
        port.ownClock = row.ownClock;
        port.open(-1);
        LoopOptions options;
        options.pattern = StrumPattern::Whole;
        options.drums = true;
        options.countIn = false;
        options.tempo = 120;
        LoopPlayer player(port, clock);
        std::vector<std::pair<double, int>> told;
        player.setChordObserver([&](int chord) { told.emplace_back(clock.now(), chord); });
        player.start(makeLoop(Chords, options), 1.0);
        bool changed = false;
        while (clock.now() < 16.0) {
            if (!changed && clock.now() >= row.changeAt) {
                player.setTempo(60);
                changed = true;
            }
            clock.advance(std::clamp(player.service(), 0.0005, 0.01));
        }
        std::vector<double> hats;
        for (const auto& s : port.sent)
            if ((statusOf(s.word) & 0xF0) == 0x90 && data1Of(s.word) == ClosedHiHat)
                hats.push_back(s.time);
        ASSERT_GT(hats.size(), 20u);
        for (size_t i = 1; i < hats.size(); ++i) {
            const double step = hats[i - 1] < row.firstSlow - 1e-6 ? 0.25 : 0.5;
            // Sent when due, a message leaves on the service that finds it due (<= 10 ms late).
            EXPECT_NEAR(hats[i] - hats[i - 1], step, row.ownClock ? 1e-9 : 0.011)
                << "after " << hats[i - 1];
        }
        const double second = row.firstSlow + (8 - (row.firstSlow - 1.0) / 0.5) * 1.0;
        ASSERT_GE(told.size(), 4u);
        EXPECT_EQ(told[3].second, 0);
        EXPECT_NEAR(told[3].first, second, 0.011);
    }
}
