// A progression's loop rendered offline and listened to, across the seam where it starts again.
#include "app/LoopNotes.h"
#include "app/LoopPlayer.h"
#include "listening/Onsets.h"
#include "sound/backends/OfflineRender.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace chordalis {
namespace {

// The power of one frequency over a stretch of the sound (Goertzel).
double powerAt(const std::vector<float>& mono, double rate, double hz, double from, double to) {
    const double w = 2.0 * std::numbers::pi * hz / rate;
    double s1 = 0, s2 = 0;
    for (size_t i = size_t(from * rate); i < size_t(to * rate) && i < mono.size(); ++i) {
        const double s = mono[i] + 2.0 * std::cos(w) * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    return s1 * s1 + s2 * s2 - 2.0 * std::cos(w) * s1 * s2;
}

double hzOf(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

TEST(LoopSound, EveryBeatStrummedAcrossTheSeamAndEachBarItsOwnChord) {
    // | C | G | at 120 bpm, a strum a bar: C x32010, G 320003. (A strum on every beat rings on
    // into the next, too little rise for the onsets to tell apart.)
    const Strum c{{5, 48}, {4, 52}, {3, 55}, {2, 60}, {1, 64}};
    const Strum g{{6, 43}, {5, 47}, {4, 50}, {3, 55}, {2, 59}, {1, 67}};
    LoopOptions options;
    options.countIn = false;
    options.pattern = StrumPattern::Whole;
    // The steel guitar: its strum rises some 18 dB over the chord still ringing. The nylon's
    // softer attack rises 8 to 10 dB, by how the strings' partials happen to beat, at the onset
    // detector's threshold of 9.
    options.guitarProgram = 25;
    const LoopNotes loop = makeLoop({{c, 0, 7, 4}, {g, 7, 2, 4}}, options);

    VirtualClock clock;
    RecordingMidiOut port(clock);
    port.open(-1);
    LoopPlayer player(port, clock);
    player.start(loop, 0.2);
    while (clock.now() < 8.1) // two passes, stopped before the third begins
        clock.advance(std::clamp(player.service(), 0.001, 8.1 - clock.now()));
    player.stop();
    QString error;
    const auto sound = renderMessages(port.sent, 0.5, &error, 48000.0);
    ASSERT_TRUE(sound) << error.toStdString();
    std::vector<float> mono(size_t(sound->frames()));
    for (size_t f = 0; f < mono.size(); ++f)
        mono[f] = float((sound->samples[2 * f] + sound->samples[2 * f + 1]) / 65536.0);

    OnsetDetector onsets(48000.0);
    std::vector<double> heard = onsets.push(mono);
    std::vector<double> beats;
    for (int bar = 0; bar < 4; ++bar)
        beats.push_back(0.2 + 2.0 * bar);
    // Heard within the strum's spread (five strings 12 ms apart) of its bar line.
    for (double beat : beats) {
        const bool found = std::any_of(heard.begin(), heard.end(), [&](double t) {
            return t > beat - 0.01 && t < beat + 0.06;
        });
        EXPECT_TRUE(found) << "no strum heard at " << beat;
    }
    for (double t : heard) {
        const bool near = std::any_of(beats.begin(), beats.end(),
                                      [&](double b) { return t > b - 0.01 && t < b + 0.06; });
        EXPECT_TRUE(near) << "a stray onset at " << t;
    }
    // C4 and E4 sound in the C bars, B3 and D3 in the G bars (no partial of the other chord); each
    // louder in its own bar.
    for (const double bar : {0.0, 4.0}) {
        SCOPED_TRACE(bar);
        auto in = [&](int note, double from) {
            return powerAt(mono, 48000.0, hzOf(note), 0.2 + bar + from, 0.2 + bar + from + 1.5);
        };
        EXPECT_GT(in(60, 0.3) + in(64, 0.3), 4 * (in(60, 2.3) + in(64, 2.3)));
        EXPECT_GT(in(59, 2.3) + in(50, 2.3), 4 * (in(59, 0.3) + in(50, 0.3)));
    }
}

} // namespace
} // namespace chordalis
