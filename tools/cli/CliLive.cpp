#include "CliLive.h"

#include "CliCommands.h"
#include "app/AppInfo.h"
#include "app/MessageBoxes.h"
#include "app/Program.h"
#include "sound/backends/SystemMidiOut.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QSettings>
#include <QTimer>
#include <cmath>

namespace chordalis::cli {

namespace {

// Message boxes of a live run: their text goes to stderr.
class ErrBoxes : public MessageBoxes {
public:
    explicit ErrBoxes(QTextStream& err) : m_err(err) {}
    void inform(BoxIcon, const QString& text) override {
        m_err << "chordalis-cli: "
              << QString(text).replace(QLatin1String("\r\n"), QLatin1String(" ")) << "\n";
        m_err.flush();
    }
    bool ask(BoxIcon, const QString&) override { return true; }

private:
    QTextStream& m_err;
};

Devices liveDevices() {
    Devices d;
    d.clock = std::make_unique<EventLoopClock>();
    d.midiOut = std::make_unique<SystemMidiOut>();
    d.led = std::make_unique<SilentLedSender>();
    return d;
}

// The program on the folder with the user's settings, read and never written, and the output
// they choose (or --device) opened. Nothing, after the reason on err, when that fails.
struct LiveRun {
    ErrBoxes boxes;
    Program program;
    LiveRun(const QString& folder, QTextStream& err)
        : boxes(err), program(folder, boxes, liveDevices(), /*quietWarnings=*/true) {
        program.soundWatch().setNoticeHook([&err](const QString& text) {
            err << "chordalis-cli: " << text << "\n";
            err.flush();
        });
    }
};

std::optional<int> loadLive(LiveRun& run, const Arguments& args, QTextStream& err) {
    Program& program = run.program;
    if (!program.initTables())
        return ExitDataError;
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QLatin1String(AppTitle),
                    QLatin1String(AppTitle));
    program.loadSettings(store, QSize(1024, 768));
    program.loadLibraries();
    if (args.has("--device")) {
        QString error;
        const auto device = numberOption(args, "--device", -1, 255, error);
        if (!device) {
            err << "chordalis-cli: " << error << "\n";
            return ExitUsage;
        }
        program.playbackSettings().device = *device;
    }
    return std::nullopt;
}

std::optional<int> openLive(LiveRun& run) {
    if (!run.program.openSound()) // the failure is on stderr, in the program's words
        return ExitDataError;
    run.program.soundWatch().start();
    return std::nullopt;
}

// Runs the event loop: the metronome's and the output watch's timers go on meanwhile.
void runFor(double seconds) {
    QEventLoop loop;
    QTimer::singleShot(int(std::lround(seconds * 1000.0)), Qt::PreciseTimer, &loop,
                       &QEventLoop::quit);
    loop.exec();
}

void print(QTextStream& out, const QJsonObject& object) {
    out << QJsonDocument(object).toJson(QJsonDocument::Indented);
}

// Time after the last message for it to leave and sound, before the output is closed.
constexpr double Tail = 0.5;

} // namespace

int liveMetronome(const QString& folder, const Arguments& args, QTextStream& out,
                  QTextStream& err) {
    if (!args.operands.isEmpty()) {
        err << "chordalis-cli: unexpected argument \"" << args.operands.first() << "\"\n";
        return ExitUsage;
    }
    if (!args.has("--tempo") || !args.has("--seconds")) {
        err << "chordalis-cli: metronome needs --tempo and --seconds\n";
        return ExitUsage;
    }
    QString error;
    const auto tempo = numberOption(args, "--tempo", MinMetronomeTempo, MaxMetronomeTempo, error);
    bool ok = false;
    const double seconds = args.value("--seconds").toDouble(&ok);
    if (!tempo || !ok || !(seconds >= 0.1 && seconds <= 3600.0)) {
        err << "chordalis-cli: "
            << (tempo ? QStringLiteral("--seconds must be a number 0.1..3600, not \"%1\"")
                            .arg(args.value("--seconds"))
                      : error)
            << "\n";
        return ExitUsage;
    }
    LiveRun run(folder, err);
    if (const auto status = loadLive(run, args, err))
        return *status;
    if (const auto status = openLive(run))
        return *status;
    Metronome& metronome = run.program.metronome();
    MidiOut& port = run.program.midiOut();
    auto outputNow = [&] {
        return port.hasOwnClock() ? port.ownClockNow() : run.program.clock().now();
    };
    metronome.setTempo(*tempo);
    const double start = outputNow();
    metronome.setRunning(true);
    runFor(seconds);
    // S seconds of sound: an output that falls behind the wall clock (a loaded machine, a JACK
    // server that skipped cycles) is given the time it lags, up to S more.
    for (int extra = 0; outputNow() - start < seconds && extra < int(seconds * 100); ++extra)
        runFor(0.01);
    // The clicks whose time has come; one queued but not yet heard is taken back.
    const double now = outputNow();
    const double interval = metronomeInterval(*tempo) / 1000.0;
    const int clicks = int(std::floor((now - metronome.beatZeroTime()) / interval + 1e-9));
    metronome.setRunning(false);
    const QString output = port.outputName();
    runFor(Tail);
    port.close();
    print(out, QJsonObject{{"output", output},
                           {"tempo", *tempo},
                           {"seconds", seconds},
                           {"clicks", std::max(0, clicks)}});
    return ExitOk;
}

int livePlay(const QString& folder, const Arguments& args, Mode mode, double seconds,
             const std::function<bool(Program&, QString&)>& prepare, QJsonObject what,
             QTextStream& out, QTextStream& err) {
    LiveRun run(folder, err);
    if (const auto status = loadLive(run, args, err))
        return *status;
    QString error;
    if (!prepare(run.program, error)) {
        err << "chordalis-cli: " << error << "\n";
        return ExitUsage;
    }
    if (const auto status = openLive(run))
        return *status;
    const QString output = run.program.midiOut().outputName();
    run.program.playCommand(mode);
    runFor(seconds + Tail);
    run.program.midiOut().close();
    what.insert(QStringLiteral("output"), output);
    what.insert(QStringLiteral("seconds"), std::round(seconds * 1e6) / 1e6);
    print(out, what);
    return ExitOk;
}

} // namespace chordalis::cli
