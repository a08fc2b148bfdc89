#include "../SoundHelpers.h"
#include "sound/Metronome.h"
#include "sound/Player.h"
#include "sound/RecordingMidiOut.h"
#include "sound/SoundSettings.h"
#include "sound/backends/FluidSynthOut.h"
#include "sound/backends/OfflineRender.h"

#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace chordalis {
namespace {

// The power of one frequency in a stretch of the sound (Hann window).
double power(const std::vector<float>& mono, double rate, double from, double to, double hz) {
    const int first = int(from * rate);
    const int count = int((to - from) * rate);
    double re = 0, im = 0;
    for (int i = 0; i < count; ++i) {
        const double x = mono[size_t(first + i)];
        const double w = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / (count - 1));
        const double phase = 2 * std::numbers::pi * hz * i / rate;
        re += w * x * std::cos(phase);
        im -= w * x * std::sin(phase);
    }
    return re * re + im * im;
}

// The loudest sample of what the player sent, rendered to a WAV file: dBFS, and whether it clipped.
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
TEST(RealSound, AFullStrumAtVolume100PeaksNearMinus6DbfsAndTheLoudestDoesNotClip) {
    if (defaultSoundFont().isEmpty())
        GTEST_SKIP() << "no General MIDI sound font is installed";
    PlaybackSettings settings; // volume 100, the nylon guitar, chord tempo 90
    VirtualClock clock;
    RecordingMidiOut port{clock};
    Player player{settings, port, clock};
    port.open(-1);
    player.programChange();
    const Strum openE{{6, 40}, {5, 47}, {4, 52}, {3, 56}, {2, 59}, {1, 64}};
    player.strum(openE);
    const auto [level, clipped] = peakOfRendered(port.sent);
    EXPECT_GT(level, -9.0);
    EXPECT_LT(level, -5.0);
    EXPECT_FALSE(clipped);

    // The loudest the options allow, with a metronome accent.
    port.sent.clear();
    settings.volume = 127;
    settings.chordTempo = 100;
    player.programChange();
    player.strum(openE);
    port.shortMessage(packShortMessage(0x99, 76, 127));
    EXPECT_FALSE(peakOfRendered(port.sent).second);
}

// The first frame at which the sound, silent before, rises above -60 dBFS.
long firstSound(const std::vector<float>& mono) {
    for (long i = 0; i < long(mono.size()); ++i)
        if (std::abs(mono[size_t(i)]) > 1e-3f)
            return i;
    return -1;
}

// An output at a rate of its own, asked for sound period after period as a sound card would.
class FakeAudio final : public AudioOutput {
public:
    explicit FakeAudio(double rate) : m_rate(rate) {}
    QString system() const override { return QStringLiteral("a fake output"); }
    double sampleRate() const override { return m_rate; }
    void start(RenderAudio render, SkippedAudio skipped) override {
        m_render = std::move(render);
        m_skipped = std::move(skipped);
    }
    std::optional<OutputFault> fault() const override { return faulted; }

    // One period of 256 frames; the left channel is kept.
    void pull() {
        float left[256], right[256];
        m_render(left, right, 1, 256);
        sound.insert(sound.end(), left, left + 256);
    }
    // The output runs on without the renderer (an xrun), playing silence.
    void skip(int frames) {
        m_skipped(frames);
        sound.insert(sound.end(), size_t(frames), 0.0f);
    }
    void pullFor(double seconds) {
        while (double(sound.size()) < seconds * m_rate)
            pull();
    }

    // As a JACK server calls its client; `heard` keeps, for each cycle heard, the server's frame
    // and the renderer's clock (frames) at its start.
    void serve() {
        call(m_server);
        m_server += 256;
    }
    // The server runs on through cycles the renderer misses.
    void miss(int cycles) { m_server += std::uint32_t(cycles) * 256; }
    // Woken late, the renderer reads the next cycle's frame; what it renders then is never heard.
    void callLate() {
        const auto keep = heard.size();
        call(m_server + 256);
        heard.resize(keep);
        m_server += 256;
    }
    std::function<double()> clock; // the renderer's, in seconds
    std::vector<std::pair<std::uint32_t, double>> heard;

    std::vector<float> sound;
    std::optional<OutputFault> faulted;

private:
    void call(std::uint32_t read) {
        if (const int missed = m_frames.missedBefore(read, 256))
            m_skipped(missed);
        heard.emplace_back(m_server, clock() * m_rate);
        float left[256], right[256];
        m_render(left, right, 1, 256);
    }

    double m_rate;
    RenderAudio m_render;
    SkippedAudio m_skipped;
    ServerFrames m_frames{1 << 20};
    std::uint32_t m_server = 4000000000u; // the server's frame counter, about to wrap
};

// The built-in synthesizer through an output at a rate of its own, on its virtual time.
class SynthAtRate : public ::testing::TestWithParam<double> {
protected:
    void SetUp() override {
        if (defaultSoundFont().isEmpty())
            GTEST_SKIP() << "no General MIDI sound font is installed";
        ASSERT_EQ(out.open(-1), std::nullopt);
        ASSERT_TRUE(audio);
    }
    double rate() const { return GetParam(); }

    FakeAudio* audio = nullptr;
    FluidSynthOut out{[this](QString*) {
        auto a = std::make_unique<FakeAudio>(rates.empty() ? GetParam() : rates.front());
        if (!rates.empty())
            rates.erase(rates.begin());
        audio = a.get();
        return a;
    }};
    std::vector<double> rates; // the rates of the outputs opened next, else the parameter
};

// Each click and note at its time on the output's own rate, within half a 64-frame block.
TEST_P(SynthAtRate, ClicksAndStrumNotesLandOnTheirTimes) {
    std::vector<std::pair<std::uint32_t, long long>> played;
    out.engine()->setPlayedHook([&](std::uint32_t word, long long frame) {
        if ((statusOf(word) & 0xF0) == 0x90 && data2Of(word) > 0)
            played.emplace_back(word, frame);
    });
    MetronomeSettings beat;
    beat.tempo = 400;
    PlaybackSettings playback;
    VirtualClock clock; // the window thread's, unused on an output with its own clock
    Metronome metronome(beat, playback, out, clock);
    Player player(playback, out, clock);
    metronome.setRunning(true);
    const double beatZero = metronome.beatZeroTime();
    double strumAt = -1.0;
    while (double(audio->sound.size()) < 3.1 * rate()) {
        audio->pull();
        metronome.service(); // as often as the timer would, or more
        if (strumAt < 0 && out.ownClockNow() >= 0.3) {
            strumAt = out.ownClockNow() + Player::QueueLead;
            player.strum({{6, 40}, {5, 45}, {4, 50}, {3, 55}, {2, 59}});
        }
    }
    metronome.setRunning(false);
    EXPECT_NEAR(out.ownClockNow(), double(audio->sound.size()) / rate(), 1e-9);

    const double halfBlock = 32.0 / rate() + 1e-9;
    int clicks = 0;
    std::vector<double> strum;
    for (const auto& [word, frame] : played) {
        const double at = double(frame) / rate(); // seconds of sound the output has played
        if ((statusOf(word) & 0x0F) == 9) {
            EXPECT_NEAR(at, beatZero + (clicks + 1) * 0.150, halfBlock) << clicks;
            ++clicks;
        } else {
            strum.push_back(at);
        }
    }
    EXPECT_EQ(clicks, 20);
    ASSERT_EQ(strum.size(), 5u);
    const double d = double(stepDelay(PlayKind::Chord, 90));
    for (size_t k = 0; k < strum.size(); ++k)
        EXPECT_NEAR(strum[k], strumAt + double(k) * d, halfBlock) << k;
    EXPECT_NEAR(strum[4] - strum[0], 4 * d, 2 * halfBlock);
}

// Through the output and offline alike, even after an xrun.
TEST_P(SynthAtRate, ANoteSoundsAtItsTimeAndPitch) {
    out.shortMessage(packShortMessage(0xC0, 0)); // the piano: a clear attack
    out.shortMessageAt(packShortMessage(0x90, 69, 100), 0.5);
    audio->pullFor(0.2);
    audio->skip(3 * 256 + 10); // an xrun of some 17 ms
    audio->pullFor(1.5);
    const long begins = firstSound(audio->sound);
    EXPECT_GE(begins, long(0.5 * rate()) - 32);
    EXPECT_LE(begins, long(0.51 * rate())); // the piano's own attack takes some 7 ms
    const double a4 = power(audio->sound, rate(), 0.6, 1.4, 440.0);
    EXPECT_GT(a4, 100.0 * power(audio->sound, rate(), 0.6, 1.4, 466.16)); // a semitone sharp
    EXPECT_GT(a4, 100.0 * power(audio->sound, rate(), 0.6, 1.4, 415.30)); // a semitone flat

    QString error;
    const auto offline =
        renderMessages({{0.0, packShortMessage(0xC0, 0)}, {0.5, packShortMessage(0x90, 69, 100)}},
                       1.0, &error, rate());
    ASSERT_TRUE(offline) << qPrintable(error);
    const std::vector<float> mono = soundtest::monoOf(*offline);
    EXPECT_NEAR(double(firstSound(mono)), double(begins), 64.0);
    EXPECT_GT(power(mono, rate(), 0.6, 1.4, 440.0), 100.0 * power(mono, rate(), 0.6, 1.4, 466.16));
}

// A renderer held up: it misses cycles and is called late. Every note is still heard at its
// time on the server's frames, within half a 64-frame block.
TEST_P(SynthAtRate, NotesLandOnTheServersFramesAfterMissedCyclesAndLateCalls) {
    std::vector<std::pair<double, long long>> played; // when asked, the frame played at
    out.engine()->setPlayedHook([&](std::uint32_t word, long long frame) {
        played.emplace_back(0.1 + 0.05 * (data1Of(word) - 30), frame);
    });
    for (int note = 30; note < 70; ++note) // 0.1 to 2.05 s, every 50 ms
        out.shortMessageAt(packShortMessage(0x90, note, 100), 0.1 + 0.05 * (note - 30));
    audio->clock = [this] {
        return out.ownClockNow();
    };
    const auto serveUntil = [&](double seconds) {
        while (audio->heard.empty() || std::uint32_t(audio->heard.back().first -
                                                     audio->heard.front().first) < seconds * rate())
            audio->serve();
    };
    serveUntil(0.505);
    audio->miss(3);
    serveUntil(0.82);
    audio->callLate();
    serveUntil(1.205);
    audio->callLate();
    audio->miss(2);
    serveUntil(1.62);
    audio->miss(1);
    audio->callLate();
    serveUntil(2.2);

    const std::uint32_t zero = audio->heard.front().first;
    ASSERT_EQ(played.size(), 40u);
    for (const auto& [asked, frame] : played) {
        const auto cycle = std::find_if(audio->heard.rbegin(), audio->heard.rend(),
                                        [&](auto& c) { return c.second <= double(frame) + 1e-6; });
        ASSERT_NE(cycle, audio->heard.rend()) << asked;
        const double heardAt =
            (double(std::uint32_t(cycle->first - zero)) + double(frame) - cycle->second) / rate();
        EXPECT_NEAR(heardAt, asked, 32.0 / rate() + 1e-9) << asked;
    }
}

// An output whose rate changes says so; opened again, the synthesizer follows the new rate.
TEST_P(SynthAtRate, ARateChangeIsReportedAndFollowedOnReopening) {
    out.close();
    rates = {rate(), 96000.0};
    ASSERT_EQ(out.open(-1), std::nullopt);
    EXPECT_EQ(out.fault(), std::nullopt);
    audio->faulted = OutputFault{QStringLiteral("The sound output now runs at 96000 Hz."), true};
    EXPECT_EQ(out.fault(), audio->faulted);

    ASSERT_EQ(out.open(-1), std::nullopt);
    EXPECT_EQ(out.fault(), std::nullopt);
    EXPECT_TRUE(out.outputName().endsWith(QLatin1String("at 96000 Hz")));
    audio->pullFor(0.5);
    EXPECT_NEAR(out.ownClockNow(), 0.5, 256.0 / 96000.0);
}

INSTANTIATE_TEST_SUITE_P(Rates, SynthAtRate, ::testing::Values(44100.0, 48000.0, 96000.0),
                         [](const auto& info) { return std::to_string(int(info.param)); });

} // namespace
} // namespace chordalis
