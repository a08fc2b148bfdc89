#include "sound/Player.h"
#include "sound/RecordingMidiOut.h"
#include "sound/SoundSettings.h"
#include "sound/backends/FluidSynthOut.h"
#include "sound/backends/OfflineRender.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace chordalis {
namespace {

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

TEST(Loudness, AFullStrumAtVolume100PeaksNearMinus6DbfsAndTheLoudestDoesNotClip) {
    if (defaultSoundFont().isEmpty())
        GTEST_SKIP() << "no General MIDI sound font is installed";
    PlaybackSettings settings; // volume 100, the nylon guitar, chord tempo 90
    VirtualClock clock;
    RecordingMidiOut port(clock);
    port.open(-1);
    Player player(settings, port, clock);
    const Strum openE{{6, 40}, {5, 47}, {4, 52}, {3, 56}, {2, 59}, {1, 64}};
    player.programChange();
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
