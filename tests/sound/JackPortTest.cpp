#include "../SoundHelpers.h"
#include "sound/Player.h"
#include "sound/SoundSettings.h"
#include "sound/backends/FluidSynthOut.h"
#include "sound/backends/RtMidiPorts.h"

#include <QCoreApplication>
#include <QProcess>
#include <QThread>
#include <RtMidi.h>
#include <atomic>
#include <jack/jack.h>
#include <mutex>

namespace chordalis {
namespace {

using soundtest::waitUntil;

void quiet(const char*) {}

// Whether the JACK server of that name (empty: the default one) takes clients.
bool jackRunning(const QByteArray& server = {}) {
    jack_set_error_function(quiet);
    jack_set_info_function(quiet);
    jack_status_t status{};
    jack_client_t* c = server.isEmpty()
                           ? jack_client_open("chordalis-test-probe", JackNoStartServer, &status)
                           : jack_client_open("chordalis-test-probe",
                                              jack_options_t(JackNoStartServer | JackServerName),
                                              &status, server.constData());
    if (c)
        jack_client_close(c);
    return c != nullptr;
}

// A dummy JACK server: without a name the one running, else one started here; with a name, one
// of its own at the rate given. Stopped at the end if started here.
class JackServer {
public:
    explicit JackServer(const QByteArray& name = {}, int rate = 48000)
        : m_name(name), m_rate(rate) {
        qputenv("JACK_NO_START_SERVER", "1");
        if (name.isEmpty() && jackRunning())
            return;
        start();
    }
    ~JackServer() { stop(); }
    void start() {
        QStringList args{QStringLiteral("--no-realtime")};
        if (!m_name.isEmpty())
            args << QStringLiteral("-n") << QString::fromLatin1(m_name);
        args << QStringLiteral("-d") << QStringLiteral("dummy") << QStringLiteral("-r")
             << QString::number(m_rate) << QStringLiteral("-p") << QStringLiteral("256");
        m_jackd.start(QStringLiteral("jackd"), args);
        if (!m_jackd.waitForStarted(3000)) {
            m_why = QStringLiteral("no JACK server runs and jackd cannot be started: ") +
                    m_jackd.errorString();
            return;
        }
        for (int i = 0; i < 50 && !jackRunning(m_name); ++i)
            QThread::msleep(100);
        if (!jackRunning(m_name))
            m_why = QStringLiteral("jackd started but accepts no clients: ") +
                    QString::fromLocal8Bit(m_jackd.readAllStandardError());
    }
    void stop() {
        if (m_jackd.state() != QProcess::NotRunning) {
            m_jackd.terminate();
            m_jackd.waitForFinished(3000);
        }
    }
    const QString& whyNot() const { return m_why; }

private:
    QByteArray m_name;
    int m_rate;
    QProcess m_jackd;
    QString m_why;
};

// Counts the server's xruns: a cycle missed loses its MIDI, which no sending port can prevent.
class XrunWatch {
public:
    XrunWatch() {
        jack_status_t status{};
        m_client = jack_client_open("chordalis-test-xruns", JackNoStartServer, &status);
        if (!m_client)
            return;
        jack_set_xrun_callback(
            m_client,
            [](void* count) {
                ++*static_cast<std::atomic<int>*>(count);
                return 0;
            },
            &m_xruns);
        jack_activate(m_client);
    }
    ~XrunWatch() {
        if (m_client)
            jack_client_close(m_client);
    }
    int xruns() const { return m_xruns.load(); }

private:
    jack_client_t* m_client = nullptr;
    std::atomic<int> m_xruns{0};
};

// Whether `got` is `all` with some messages left out, the rest in their order.
bool inOrderWithin(const std::vector<std::vector<unsigned char>>& got,
                   const std::vector<std::vector<unsigned char>>& all) {
    size_t k = 0;
    for (const auto& m : all)
        if (k < got.size() && got[k] == m)
            ++k;
    return k == got.size();
}

struct Received {
    std::mutex mutex;
    std::vector<std::vector<unsigned char>> messages;
};

void onMidi(double, std::vector<unsigned char>* message, void* data) {
    auto* r = static_cast<Received*>(data);
    std::lock_guard lock(r->mutex);
    r->messages.push_back(*message);
}

// One test, so that one JACK server serves both checks even when tests run in parallel.
TEST(JackPort, AScaleRunArrivesInOrderAndAPortThatHasGoneIsReported) {
    int argc = 1;
    char name[] = "jack_port_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    JackServer server;
    if (!server.whyNot().isEmpty())
        GTEST_SKIP() << qPrintable(server.whyNot());

    Received received;
    RtMidiIn input(RtMidi::UNIX_JACK, "chordalis-test");
    input.openVirtualPort("in");
    input.setCallback(onMidi, &received);

    RtMidiPorts ports;
    const QStringList names = ports.portNames();
    const qsizetype device = names.indexOf(QStringLiteral("chordalis-test:in"));
    ASSERT_GE(device, 0) << qPrintable(names.join(QLatin1String(", ")));
    ASSERT_FALSE(ports.open(int(device))) << "the port opens";
    ASSERT_TRUE(ports.isOpen());

    PlaybackSettings settings;
    settings.channel = 2;
    settings.scaleTempo = 100;
    NoteList notes;
    const int pitchClasses[] = {0, 2, 4, 5, 7, 9, 11};
    for (int i = 0; i < 7; ++i)
        notes[size_t(i)] = {QStringLiteral("x"), QString(), pitchClasses[i]};
    EventLoopClock clock;
    const XrunWatch watch;
    Player player(settings, ports, clock);
    player.programChange();
    player.playScale(notes);

    std::vector<std::vector<unsigned char>> expected{{0xC1, 24}};
    for (int note : {48, 50, 52, 53, 55, 57, 59, 60}) {
        expected.push_back({0x91, static_cast<unsigned char>(note), 100});
        expected.push_back({0x81, static_cast<unsigned char>(note), 100});
    }
    auto waitFor = [&](size_t n) {
        waitUntil([&] {
            std::lock_guard lock(received.mutex);
            return received.messages.size() >= n;
        });
        std::lock_guard lock(received.mutex);
        return received.messages;
    };
    const auto got = waitFor(expected.size());
    if (watch.xruns() == 0)
        EXPECT_EQ(got, expected);
    else
        EXPECT_TRUE(inOrderWithin(got, expected)) << watch.xruns() << " xruns";
    EXPECT_EQ(ports.droppedMessages(), 0u);

    // A note still held when the port closes is released on the way out.
    {
        std::lock_guard lock(received.mutex);
        received.messages.clear();
    }
    ASSERT_TRUE(ports.hasOwnClock());
    const double now = ports.ownClockNow();
    ports.shortMessageAt(packShortMessage(0x90, 40, 90), now, QueueSource::Playback);
    ports.shortMessageAt(packShortMessage(0x80, 40, 90), now + 60, QueueSource::Playback);
    ASSERT_EQ(waitFor(1).size(), 1u);
    ports.close();
    EXPECT_FALSE(ports.isOpen());
    EXPECT_EQ(waitFor(2),
              (std::vector<std::vector<unsigned char>>{{0x90, 40, 90}, {0x80, 40, 90}}));

    ASSERT_FALSE(ports.open(int(device)));
    ports.shortMessage(packShortMessage(0x90, 40, 0)); // the connection is made
    ASSERT_EQ(waitFor(3).size(), 3u);
    EXPECT_EQ(ports.fault(), std::nullopt);
    input.closePort();
    ASSERT_TRUE(waitUntil([&] { return ports.fault().has_value(); }));
    EXPECT_EQ(ports.fault()->reason,
              QStringLiteral("The MIDI port \"chordalis-test:in\" is no longer there."));
    ports.close();

    // Unplugged after the list was taken: opening it says so.
    auto gone = std::make_unique<RtMidiIn>(RtMidi::UNIX_JACK, "chordalis-gone");
    gone->openVirtualPort("in");
    RtMidiPorts later;
    const qsizetype goneDevice = later.portNames().indexOf(QStringLiteral("chordalis-gone:in"));
    ASSERT_GE(goneDevice, 0);
    gone.reset();
    const auto error = later.open(int(goneDevice));
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(QStringLiteral("chordalis-gone:in"))) << qPrintable(*error);
    EXPECT_FALSE(later.isOpen());
    later.shortMessage(0x90); // dropped, nothing fails
    EXPECT_TRUE(later.open(99));

    // Plugged in after the list was taken: listed again, it opens and stays open.
    RtMidiIn plugged(RtMidi::UNIX_JACK, "chordalis-late");
    EXPECT_FALSE(later.portNames().contains(QStringLiteral("chordalis-late:in")));
    plugged.openVirtualPort("in");
    const QStringList again = later.listPortsAgain();
    EXPECT_FALSE(again.contains(QStringLiteral("chordalis-gone:in")));
    const qsizetype late = again.indexOf(QStringLiteral("chordalis-late:in"));
    ASSERT_GE(late, 0) << qPrintable(again.join(QLatin1String(", ")));
    EXPECT_EQ(later.portNames(), again);
    ASSERT_FALSE(later.open(int(late)));
    later.listPortsAgain();
    EXPECT_TRUE(later.isOpen());
    EXPECT_EQ(later.outputName(), QStringLiteral("chordalis-late:in"));
    later.close();
}

// At 96 kHz its clock counts true seconds; it opens again once the server is back.
TEST(JackPort, TheSynthesizerRunsAtTheServersRateAndSaysWhenTheServerStops) {
    if (defaultSoundFont().isEmpty())
        GTEST_SKIP() << "no General MIDI sound font is installed";
    const QByteArray name =
        "chordalis-test-" + QByteArray::number(QCoreApplication::applicationPid());
    JackServer server(name, 96000);
    if (!server.whyNot().isEmpty())
        GTEST_SKIP() << qPrintable(server.whyNot());
    qputenv("JACK_DEFAULT_SERVER", name);
    qputenv("CHORDALIS_AUDIO_OUTPUT", "jack");
    struct Restore {
        ~Restore() {
            qunsetenv("JACK_DEFAULT_SERVER");
            qunsetenv("CHORDALIS_AUDIO_OUTPUT");
        }
    } restore;

    FluidSynthOut synth;
    ASSERT_EQ(synth.open(-1), std::nullopt);
    EXPECT_EQ(synth.outputName(),
              QStringLiteral("the built-in synthesizer through JACK at 96000 Hz"));
    // Measured against the server's frames, not the wall clock (a loaded dummy server falls
    // behind real time): never ahead by more than two periods, never far behind.
    jack_status_t status{};
    jack_client_t* probe = jack_client_open("chordalis-test-frames",
                                            jack_options_t(JackNoStartServer | JackServerName),
                                            &status, name.constData());
    ASSERT_NE(probe, nullptr);
    ASSERT_EQ(jack_activate(probe), 0);
    const double rate = jack_get_sample_rate(probe);
    // Ordered so that a pause between reads can only make `counted` smaller than `served`.
    const jack_nframes_t startFrame = jack_last_frame_time(probe);
    const double start = synth.ownClockNow();
    QThread::msleep(500);
    const double counted = synth.ownClockNow() - start;
    const double served = double(jack_last_frame_time(probe) - startFrame) / rate;
    EXPECT_GT(served, 0.2);
    EXPECT_LE(counted, served + 512 / rate);
    EXPECT_GT(counted, served / 2);
    jack_client_close(probe);
    EXPECT_EQ(synth.fault(), std::nullopt);

    server.stop();
    ASSERT_TRUE(waitUntil([&] { return synth.fault().has_value(); }));
    EXPECT_EQ(*synth.fault(), (OutputFault{QStringLiteral("The JACK server has stopped."), false}));
    synth.close();
    EXPECT_TRUE(synth.open(-1).has_value()); // not back yet

    server.start();
    ASSERT_TRUE(server.whyNot().isEmpty()) << qPrintable(server.whyNot());
    EXPECT_EQ(synth.open(-1), std::nullopt);
    EXPECT_EQ(synth.fault(), std::nullopt);
}

} // namespace
} // namespace chordalis
