// A progression's loop rendered offline and listened to across the seam where it starts again.
#include "../SoundHelpers.h"
#include "app/LoopNotes.h"
#include "app/LoopPlayer.h"
#include "listening/Onsets.h"

namespace chordalis {
namespace {

TEST(LoopSound, EveryBarStrummedAcrossTheSeam) {
    // | C | G | at 120 bpm, a strum a bar (one on every beat rings on too loud to tell apart).
    const Strum c{{5, 48}, {4, 52}, {3, 55}, {2, 60}, {1, 64}};
    const Strum g{{6, 43}, {5, 47}, {4, 50}, {3, 55}, {2, 59}, {1, 67}};
    LoopOptions options;
    options.countIn = false;
    options.pattern = StrumPattern::Whole;
    // The steel guitar's strum rises some 18 dB over the ringing chord; the nylon's only 8 to 10,
    // at the onset detector's threshold of 9.
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
    OnsetDetector onsets(48000.0);
    std::vector<double> heard = onsets.push(soundtest::monoOf(*sound));
    const std::vector<double> beats{0.2, 2.2, 4.2, 6.2}; // the bar lines
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
}

} // namespace
} // namespace chordalis
