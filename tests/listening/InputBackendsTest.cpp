#include "../SoundHelpers.h"
#include "TestSounds.h"
#include "app/ListenInputs.h"
#include "listening/Pitch.h"
#include "listening/backends/AlsaMidiInput.h"
#include "listening/backends/JackAudioInput.h"
#include "listening/backends/JackMidiInput.h"
#include "listening/backends/QtAudioInput.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <jack/jack.h>
#include <jack/midiport.h>
#include <mutex>

namespace chordalis {
namespace {

using soundtest::waitUntil;

void quiet(const char*) {}

// Another program on the JACK server, with one output port.
struct JackSource {
    jack_client_t* client = nullptr;
    jack_port_t* port = nullptr;

    bool open(const char* name) {
        qputenv("JACK_NO_START_SERVER", "1");
        jack_set_error_function(quiet);
        jack_set_info_function(quiet);
        jack_status_t status{};
        client = jack_client_open(name, JackNoStartServer, &status);
        return client;
    }
    bool activate(const char* type, JackProcessCallback process, void* self) {
        port = jack_port_register(client, "out", type, JackPortIsOutput, 0);
        return port && jack_set_process_callback(client, process, self) == 0 &&
               jack_activate(client) == 0;
    }
    void stop() {
        if (client)
            jack_client_close(client);
        client = nullptr;
    }
    ~JackSource() { stop(); }
};

// Its output plays a plucked G3 over and over.
struct Source : JackSource {
    AudioClip clip;
    size_t position = 0;

    static int process(jack_nframes_t frames, void* self) {
        auto* s = static_cast<Source*>(self);
        auto* out = static_cast<float*>(jack_port_get_buffer(s->port, frames));
        for (jack_nframes_t i = 0; i < frames; ++i) {
            out[i] = s->clip.samples[s->position];
            s->position = (s->position + 1) % s->clip.samples.size();
        }
        return 0;
    }
    bool start() {
        if (!open("chordalis-test-source"))
            return false;
        clip.sampleRate = jack_get_sample_rate(client);
        testsounds::addPluck(clip, noteFrequency(55), 0.0, 2.0, 0.5, 3);
        return activate(JACK_DEFAULT_AUDIO_TYPE, process, this);
    }
    ~Source() { stop(); } // before the clip its cycle reads goes
};

// Nothing reaches the sink after close.
TEST(JackAudioInput, HearsAClientsNoteAndReportsItsGoing) {
    Source source;
    if (!source.start())
        GTEST_SKIP() << "no JACK server runs (start one: jackd --no-realtime -d dummy)";
    // Declared before the input, so that they outlive its cycles.
    std::mutex mutex;
    std::vector<float> heard;
    std::atomic<int> calls{0};
    JackAudioInput input;
    const QStringList names = input.deviceNames();
    EXPECT_TRUE(names.contains("chordalis-test-source:out")) << qPrintable(names.join(", "));
    // The sound settings list it as a JACK input.
    ListenInputs inputs(nullptr, std::make_unique<JackAudioInput>(), nullptr, nullptr);
    const ListenInputRow row{ListenSource::Jack, QStringLiteral("chordalis-test-source:out"),
                             QStringLiteral("JACK: chordalis-test-source:out")};
    const auto rows = inputs.rows();
    EXPECT_NE(std::find(rows.begin(), rows.end(), row), rows.end());
    const auto refused = input.open(QStringLiteral("nobody:out"), [](std::span<const float>) {});
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->contains(QLatin1String("nobody:out")));
    EXPECT_FALSE(input.isOpen());

    const auto opened =
        input.open(QStringLiteral("chordalis-test-source:out"), [&](std::span<const float> block) {
            std::lock_guard lock(mutex);
            heard.insert(heard.end(), block.begin(), block.end());
            ++calls;
        });
    ASSERT_FALSE(opened) << qPrintable(*opened);
    EXPECT_EQ(input.sampleRate(), source.clip.sampleRate);
    PitchDetector pitch(input.sampleRate(), 4096);
    ASSERT_TRUE(waitUntil([&] {
        std::lock_guard lock(mutex);
        return heard.size() >= 8192;
    }));
    {
        std::lock_guard lock(mutex);
        const PitchReading reading = pitch.read(std::span<const float>(heard.data() + 4096, 4096));
        EXPECT_EQ(nearestNote(reading.f0).note, 55);
    }
    EXPECT_FALSE(input.fault());

    source.stop();
    ASSERT_TRUE(waitUntil([&] { return input.fault().has_value(); }));
    EXPECT_TRUE(input.fault()->contains(QLatin1String("chordalis-test-source:out")));
    input.close();
    const int after = calls;
    QThread::msleep(50);
    EXPECT_EQ(calls, after);
    EXPECT_FALSE(input.fault());
}

// Another program's MIDI output, sending its messages in every cycle while asked.
struct MidiSource : JackSource {
    std::vector<std::vector<unsigned char>> messages;
    std::atomic<bool> send{false};

    static int process(jack_nframes_t frames, void* self) {
        auto* s = static_cast<MidiSource*>(self);
        void* buffer = jack_port_get_buffer(s->port, frames);
        jack_midi_clear_buffer(buffer);
        if (s->send)
            for (const auto& m : s->messages)
                jack_midi_event_write(buffer, 0, m.data(), m.size());
        return 0;
    }
    bool start() {
        return open("chordalis-test-midi") && activate(JACK_DEFAULT_MIDI_TYPE, process, this);
    }
    ~MidiSource() { stop(); } // before the messages its cycle reads go
};

// Every note goes when the instrument's port goes.
TEST(JackMidiInput, HoldsTheInstrumentsNotesAndLetsThemGoWithIt) {
    auto source = std::make_unique<MidiSource>();
    if (!source->start())
        GTEST_SKIP() << "no JACK server runs (start one: jackd --no-realtime -d dummy)";
    // Declared before the input, so that they outlive its cycles.
    std::mutex mutex;
    std::vector<std::vector<int>> seen;
    JackMidiInput input;
    EXPECT_TRUE(input.portNames().contains(QStringLiteral("chordalis-test-midi:out")));
    EXPECT_TRUE(input.open(QStringLiteral("system:capture_1"), [](const std::vector<int>&) {}));
    EXPECT_FALSE(input.isOpen()) << "an audio port is no MIDI source";

    const auto opened =
        input.open(QStringLiteral("chordalis-test-midi:out"), [&](const std::vector<int>& held) {
            std::lock_guard lock(mutex);
            seen.push_back(held);
        });
    ASSERT_FALSE(opened) << qPrintable(*opened);
    // An E minor grip's low strings on two channels, one let go by a note-on at velocity 0.
    source->messages = {{0x90, 40, 100}, {0x91, 47, 90}, {0x90, 52, 80}, {0x91, 47, 0}};
    source->send = true;
    ASSERT_TRUE(waitUntil([&] {
        std::lock_guard lock(mutex);
        return !seen.empty() && seen.back() == std::vector<int>{40, 52};
    }));
    source.reset();
    ASSERT_TRUE(waitUntil([&] { return input.fault().has_value(); }));
    EXPECT_TRUE(waitUntil([&] {
        std::lock_guard lock(mutex);
        return seen.back().empty();
    })) << "nothing stays lit when the instrument goes";
}

// A PulseAudio server of the test's own, in a private runtime folder, with a source that sounds
// a sine at G3: the desktop's capture path through Qt Multimedia from end to end.
struct PulseServer {
    QTemporaryDir runtime;
    QProcess server;

    static bool pactl(const QStringList& args) {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.setStandardErrorFile(QProcess::nullDevice());
        p.start(QStringLiteral("pactl"), args);
        return p.waitForFinished(5000) && p.exitStatus() == QProcess::NormalExit &&
               p.exitCode() == 0;
    }
    bool start() {
        const QString binary = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (binary.isEmpty() || !runtime.isValid())
            return false;
        // The process's own environment: Qt Multimedia and pactl find the server through it.
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        qputenv("PULSE_RUNTIME_PATH", runtime.filePath(QStringLiteral("pulse")).toLocal8Bit());
        qunsetenv("PULSE_SERVER");
        server.setStandardOutputFile(QProcess::nullDevice());
        server.setStandardErrorFile(QProcess::nullDevice());
        server.start(binary, {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                              QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--system=no"),
                              QStringLiteral("--use-pid-file=no"),
                              QStringLiteral("--load=module-native-protocol-unix"),
                              QStringLiteral("--load=module-sine-source source_name=sine "
                                             "frequency=196")});
        if (!server.waitForStarted(5000))
            return false;
        return waitUntil([&] { return pactl({QStringLiteral("info")}); });
    }
    ~PulseServer() {
        server.terminate();
        server.waitForFinished(5000);
    }
};

TEST(QtAudioInput, HearsTheDesktopsSourceAndReportsItsGoing) {
    PulseServer pulse;
    if (!pulse.start())
        GTEST_SKIP() << "no PulseAudio server could be started (package pulseaudio)";
    int argc = 1;
    char name[] = "listening_input_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QtAudioInput input;
    const auto listed = [&] {
        QCoreApplication::processEvents();
        return input.deviceNames().join(u'|').contains(QLatin1String("196"));
    };
    ASSERT_TRUE(waitUntil(listed)) << qPrintable(input.deviceNames().join(QLatin1String(", ")));
    QString device;
    for (const QString& d : input.deviceNames())
        if (d.contains(QLatin1String("196")))
            device = d;
    EXPECT_TRUE(input.open(QStringLiteral("nobody's microphone"), [](std::span<const float>) {}));

    std::vector<float> heard;
    ASSERT_FALSE(input.open(device, [&](std::span<const float> block) {
        heard.insert(heard.end(), block.begin(), block.end());
    }));
    EXPECT_GE(input.sampleRate(), 8000.0);
    ASSERT_TRUE(waitUntil([&] {
        QCoreApplication::processEvents();
        return heard.size() >= 16384;
    }));
    PitchDetector pitch(input.sampleRate(), 4096);
    const PitchReading reading = pitch.read(std::span<const float>(heard.data() + 8192, 4096));
    EXPECT_EQ(nearestNote(reading.f0).note, 55) << reading.f0;
    EXPECT_NEAR(nearestNote(reading.f0).cents, 0.0, 2.0);
    EXPECT_FALSE(input.fault());

    ASSERT_TRUE(
        pulse.pactl({QStringLiteral("unload-module"), QStringLiteral("module-sine-source")}));
    ASSERT_TRUE(waitUntil([&] {
        QCoreApplication::processEvents();
        return input.fault().has_value();
    }));
    EXPECT_TRUE(input.fault()->contains(device)) << qPrintable(*input.fault());
    input.close();
    EXPECT_FALSE(input.fault());
}

// Without a sequencer the ALSA MIDI input lists nothing and refuses to open, with the reason.
TEST(AlsaMidiInput, SaysSoWithoutASequencer) {
    if (QFile::exists(QStringLiteral("/dev/snd/seq")))
        GTEST_SKIP() << "this machine has an ALSA sequencer";
    AlsaMidiInput input;
    EXPECT_TRUE(input.portNames().isEmpty());
    const auto refused = input.open(QStringLiteral("24:0 Guitar"), [](const std::vector<int>&) {});
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->contains(QLatin1String("ALSA sequencer"))) << qPrintable(*refused);
    EXPECT_FALSE(input.isOpen());
    // The sound settings list no ALSA port, and say why.
    ListenInputs inputs(nullptr, nullptr, nullptr, std::make_unique<AlsaMidiInput>());
    EXPECT_EQ(inputs.rows().size(), 1u) << "the desktop's default alone";
    EXPECT_TRUE(inputs.absent().join(u' ').contains(QLatin1String("no ALSA sequencer")));
}

} // namespace
} // namespace chordalis
