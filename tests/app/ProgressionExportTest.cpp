#include "app/ProgressionExport.h"

#include "../progressions/ChartCases.h"
#include "app/LoopPlayer.h"
#include "sound/Metronome.h"
#include "sound/MidiOut.h"
#include "sound/RecordingMidiOut.h"

#include <gtest/gtest.h>

using namespace chordalis;
using chordalis::test::chartOf;

namespace {

// A message at its time in seconds, as the reader gives it and the player sends it.
struct Timed {
    double time;
    std::uint32_t word;
};

// What a LoopPlayer sends for `passes` passes of the loop on a virtual clock, from time 0,
// without the programs.
std::vector<Timed> played(const LoopNotes& loop, int passes) {
    VirtualClock clock;
    RecordingMidiOut port(clock);
    port.open(0);
    const double end =
        (loop.countInBeats + loop.beats * passes) * metronomeInterval(loop.tempo) / 1000.0;
    {
        LoopPlayer player(port, clock);
        player.start(loop, 0.0);
        while (clock.now() < end)
            clock.advance(std::max(player.service(), 0.001));
        port.close(); // what stopping sends is not the loop's
    }
    std::vector<Timed> out;
    for (const auto& m : port.sent) {
        const bool off = (statusOf(m.word) & 0xf0) == 0x80;
        if ((statusOf(m.word) & 0xf0) != 0xc0 && (off ? m.time <= end + 1e-9 : m.time < end - 1e-9))
            out.push_back({m.time, m.word});
    }
    return out;
}

} // namespace

// Read back, the messages the player sends for as many passes, each within half a tick.
TEST(LoopMidi, ReadsBackAsThePlayerPlaysIt) {
    struct Case {
        ProgressionChart chart;
        LoopOptions options;
        int passes;
        int tracks; // the tempo track, then one per channel and the count-in
    };
    const ProgressionChart cGAm = chartOf({{"C", 0, 0, 0, 0, 2, "x32010", "x32010"},
                                           {"G/B", 4, 7, 0, 0, 2, "x20003", "x10003", 6, 11},
                                           {"Am", 5, 9, 0, 1, 4, "x02210", "x02310"}},
                                          4);
    const ProgressionChart waltz = chartOf({{"Am", 5, 9, 0, 0, 3, "x02210", "x02310"},
                                            {"D", 1, 2, 0, 1, 3, nullptr, nullptr},
                                            {"E", 2, 4, 0, 2, 3, "022100", "023100"}},
                                           3);
    LoopOptions full;
    full.pattern = StrumPattern::DownUp;
    full.bass = BassPattern::RootFifth;
    full.drums = true;
    full.tempo = 130; // a beat of 462 ms, not 461.54: the file keeps the player's beat
    LoopOptions picked;
    picked.pattern = StrumPattern::Fingerpicked;
    picked.countIn = false;
    picked.beatsPerBar = 3;
    picked.tempo = 90;
    for (const Case& c : {Case{cGAm, full, 3, 5}, Case{waltz, picked, 1, 2}}) {
        const LoopNotes loop = makeLoop(loopSources(c.chart), c.options);
        QString error;
        const auto song = parseMidiFile(midiFileBytes(loopMidiScore(loop, c.passes, "T")), &error);
        ASSERT_TRUE(song) << error.toStdString();
        EXPECT_EQ(song->tracks, c.tracks);
        std::vector<Timed> fromFile;
        for (const MidiSong::Event& e : song->events)
            if ((statusOf(e.word) & 0xf0) != 0xc0)
                fromFile.push_back({e.time, e.word});
        const std::vector<Timed> expected = played(loop, c.passes);
        ASSERT_GT(expected.size(), 20u); // the waltz: twelve picked notes
        ASSERT_EQ(fromFile.size(), expected.size());
        // Within one time the two may order notes of different strings differently.
        const double halfTick = 0.5 * metronomeInterval(c.options.tempo) / 1000.0 / 480.0;
        auto byTimeThenWord = [&](std::vector<Timed> v) {
            std::stable_sort(v.begin(), v.end(), [&](const Timed& a, const Timed& b) {
                if (std::abs(a.time - b.time) > 2 * halfTick)
                    return a.time < b.time;
                return a.word < b.word;
            });
            return v;
        };
        const auto a = byTimeThenWord(fromFile), b = byTimeThenWord(expected);
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_NEAR(a[i].time, b[i].time, halfTick + 1e-6) << i;
            EXPECT_EQ(a[i].word, b[i].word) << i << " at " << a[i].time;
        }
    }
    // G/B's bass is B; the D without a grip still has its bass; Am's 5th is E.
    const auto sources = loopSources(cGAm);
    EXPECT_EQ(sources[1].bassPitchClass, 11);
    EXPECT_EQ(sources[2].fifthPitchClass, 4);
    EXPECT_TRUE(loopSources(waltz)[1].strum.empty());
}
