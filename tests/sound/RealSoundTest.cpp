#include "sound/Player.h"
#include "sound/RecordingMidiOut.h"
#include "sound/SoundSettings.h"
#include "sound/backends/FluidSynthOut.h"
#include "sound/backends/OfflineRender.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace chordalis {
namespace {

double frequency(int midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

// The power of one frequency in a stretch of the sound (mono mix, Hann window).
double power(const RenderedSound& sound, double from, double to, double hz) {
    const int first = int(from * sound.sampleRate);
    const int count = int((to - from) * sound.sampleRate);
    double re = 0, im = 0;
    for (int i = 0; i < count; ++i) {
        const size_t f = size_t(first + i) * 2;
        const double x = (double(sound.samples[f]) + double(sound.samples[f + 1])) / 2.0;
        const double w = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / (count - 1));
        const double phase = 2 * std::numbers::pi * hz * i / sound.sampleRate;
        re += w * x * std::cos(phase);
        im -= w * x * std::sin(phase);
    }
    return re * re + im * im;
}

TEST(RealSound, AStrummedCMajorSoundsCEAndGAndNothingBetween) {
    if (defaultSoundFont().isEmpty())
        GTEST_SKIP() << "no General MIDI sound font is installed";

    // The open C chord, x32010, strummed and held as the Play button does.
    PlaybackSettings settings;
    VirtualClock clock;
    RecordingMidiOut port(clock);
    port.open(-1);
    Player player(settings, port, clock);
    player.programChange();
    // The open C, x32010, strummed from the 5th string.
    player.strum({{5, 48}, {4, 52}, {3, 55}, {2, 60}, {1, 64}});
    ASSERT_EQ(port.sent.size(), 11u);

    QString error;
    const auto sound = renderMessages(port.sent, 1.0, &error);
    ASSERT_TRUE(sound) << qPrintable(error);
    EXPECT_NEAR(sound->frames(), 5.0 * 44100, 2); // the four seconds and a second to ring out

    // While the chord is held: the fundamentals of the five notes (C3 E3 G3 C4 E4) stand well
    // above every note a semitone or more away from a chord tone, in and around their range.
    const std::vector<int> sounding{48, 52, 55, 60, 64};
    double weakest = INFINITY;
    for (int n : sounding)
        weakest = std::min(weakest, power(*sound, 0.5, 3.5, frequency(n)));
    for (int n = 40; n <= 66; ++n) {
        const int pc = n % 12;
        if (pc == 0 || pc == 4 || pc == 7)
            continue;
        const double p = power(*sound, 0.5, 3.5, frequency(n));
        EXPECT_LT(p, weakest / 100.0) << "note " << n << " sounds";
    }
    // And the chord is not silence.
    EXPECT_GT(weakest, 0.0);
}

} // namespace
} // namespace chordalis
