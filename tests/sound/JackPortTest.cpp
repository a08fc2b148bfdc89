#include "sound/Player.h"
#include "sound/SoundSettings.h"
#include "sound/backends/RtMidiPorts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <RtMidi.h>
#include <gtest/gtest.h>
#include <jack/jack.h>
#include <mutex>

namespace chordalis {
namespace {

void quiet(const char*) {}

bool jackRunning() {
    jack_set_error_function(quiet);
    jack_set_info_function(quiet);
    jack_status_t status{};
    jack_client_t* c = jack_client_open("chordalis-test-probe", JackNoStartServer, &status);
    if (c)
        jack_client_close(c);
    return c != nullptr;
}

// A JACK server for the test: the one running (the test script starts one with the dummy
// driver), else one started here and stopped at the end.
class JackServer {
public:
    JackServer() {
        qputenv("JACK_NO_START_SERVER", "1");
        if (jackRunning())
            return;
        m_jackd.start(QStringLiteral("jackd"),
                      {QStringLiteral("--no-realtime"), QStringLiteral("-d"),
                       QStringLiteral("dummy"), QStringLiteral("-r"), QStringLiteral("48000"),
                       QStringLiteral("-p"), QStringLiteral("256")});
        if (!m_jackd.waitForStarted(3000)) {
            m_why = QStringLiteral("no JACK server runs and jackd cannot be started: ") +
                    m_jackd.errorString();
            return;
        }
        for (int i = 0; i < 50 && !jackRunning(); ++i)
            QThread::msleep(100);
        if (!jackRunning())
            m_why = QStringLiteral("jackd started but accepts no clients: ") +
                    QString::fromLocal8Bit(m_jackd.readAllStandardError());
    }
    ~JackServer() {
        if (m_jackd.state() != QProcess::NotRunning) {
            m_jackd.terminate();
            m_jackd.waitForFinished(3000);
        }
    }
    const QString& whyNot() const { return m_why; }

private:
    QProcess m_jackd;
    QString m_why;
};

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

    // A MIDI input of another JACK client: what a synthesizer on the system would be.
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

    // C major at the fastest scale speed, on channel 2 with a nylon guitar.
    PlaybackSettings settings;
    settings.channel = 2;
    settings.scaleTempo = 100;
    NoteList notes;
    const int pitchClasses[] = {0, 2, 4, 5, 7, 9, 11};
    for (int i = 0; i < 7; ++i)
        notes[size_t(i)] = {QStringLiteral("x"), QString(), pitchClasses[i]};
    EventLoopClock clock;
    Player player(settings, ports, clock);
    player.programChange();
    player.playScale(notes);

    std::vector<std::vector<unsigned char>> expected{{0xC1, 24}};
    for (int note : {48, 50, 52, 53, 55, 57, 59, 60}) {
        expected.push_back({0x91, static_cast<unsigned char>(note), 100});
        expected.push_back({0x81, static_cast<unsigned char>(note), 100});
    }
    auto waitFor = [&](size_t n) {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 10000) {
            {
                std::lock_guard lock(received.mutex);
                if (received.messages.size() >= n)
                    break;
            }
            QThread::msleep(10);
        }
        std::lock_guard lock(received.mutex);
        return received.messages;
    };
    EXPECT_EQ(waitFor(expected.size()), expected);
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

    // A port unplugged after the list was taken: opening it says so, and nothing fails.
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
}

} // namespace
} // namespace chordalis
