#include "sound/Player.h"
#include "sound/RecordingMidiOut.h"
#include "sound/SoundSettings.h"
#include "sound/backends/FluidSynthOut.h"
#include "sound/backends/OfflineRender.h"

#include <QTemporaryDir>
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

// Renders what the player sent into a WAV file and reads back its loudest sample: its level in
// dB below full scale, and whether it reached full scale.
std::pair<double, bool> peakOfRendered(const std::vector<RecordingMidiOut::Sent>& sent) {
    QString error;
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("strum.wav"));
    const auto sound = renderMessages(sent, 1.0, &error);
    EXPECT_TRUE(sound && writeWav(*sound, wav, &error)) << qPrintable(error);
    QFile file(wav);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    int peak = 1;
    for (qsizetype i = 44; i + 1 < bytes.size(); i += 2)
        peak = std::max(peak, std::abs(int(qint16(quint8(bytes[i]) | quint8(bytes[i + 1]) << 8))));
    return {20.0 * std::log10(peak / 32768.0), peak >= 32767};
}

// The player on a recording port, rendered offline with the system's sound font.
class RealSound : public ::testing::Test {
protected:
    void SetUp() override {
        if (defaultSoundFont().isEmpty())
            GTEST_SKIP() << "no General MIDI sound font is installed";
        port.open(-1);
        player.programChange();
    }
    PlaybackSettings settings; // volume 100, the nylon guitar, chord tempo 90
    VirtualClock clock;
    RecordingMidiOut port{clock};
    Player player{settings, port, clock};
};

TEST_F(RealSound, AStrummedCMajorSoundsCEAndGAndNothingBetween) {
    // The open C, x32010, strummed from the 5th string and held as the Play button does.
    player.strum({{5, 48}, {4, 52}, {3, 55}, {2, 60}, {1, 64}});
    ASSERT_EQ(port.sent.size(), 11u);

    QString error;
    const auto sound = renderMessages(port.sent, 1.0, &error);
    ASSERT_TRUE(sound) << qPrintable(error);
    // The queue's lead, the four seconds and a second to ring out.
    EXPECT_NEAR(sound->frames(), (Player::QueueLead + 5.0) * 44100, 2);

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

TEST_F(RealSound, AFullStrumAtVolume100PeaksNearMinus6DbfsAndTheLoudestDoesNotClip) {
    const Strum openE{{6, 40}, {5, 47}, {4, 52}, {3, 56}, {2, 59}, {1, 64}};
    player.strum(openE);
    const auto [level, clipped] = peakOfRendered(port.sent);
    // Near -6 dBFS; how near depends on where the notes fall against the 64-frame blocks.
    EXPECT_GT(level, -9.0);
    EXPECT_LT(level, -5.0);
    EXPECT_FALSE(clipped);

    // The loudest the options allow: the fastest strum at full velocity, and a metronome
    // accent, still below full scale.
    port.sent.clear();
    settings.volume = 127;
    settings.chordTempo = 100;
    player.programChange();
    player.strum(openE);
    port.shortMessage(packShortMessage(0x99, 76, 127));
    EXPECT_FALSE(peakOfRendered(port.sent).second);
}

} // namespace
} // namespace chordalis
