// Start-up as the user sees it: the real program started again and again in a virtual display
// (Xvfb), each run with a settings store of its own:
//   chordalis_startup_bench [--runs N] [--program PATH]
// The program, started with CHORDALIS_TRACE_START, writes the moments of its start-up on the
// monotonic clock (the moment its main begins, the splash's first frame, the splash's closing, the
// main window's first frame); the bench notes the moment it launched the process on the same
// clock. Prints the median and the 99th percentile of each stretch beside its goal.

#include "BenchFigures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double monotonicNow() {
    return benchfigures::clockSeconds(CLOCK_MONOTONIC);
}
using benchfigures::loadAverage;
using benchfigures::percentile;

// A virtual display of its own, on the first free display number from 90.
class VirtualDisplay {
public:
    bool start() {
        for (int n = 90; n < 110; ++n) {
            if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) ||
                QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            m_name = QStringLiteral(":%1").arg(n);
            m_xvfb.start(QStringLiteral("Xvfb"),
                         {m_name, QStringLiteral("-screen"), QStringLiteral("0"),
                          QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                          QStringLiteral("tcp")});
            if (!m_xvfb.waitForStarted(3000))
                return false;
            for (int i = 0; i < 100; ++i) {
                if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
                    return true;
                QThread::msleep(50);
            }
            return false;
        }
        return false;
    }
    ~VirtualDisplay() {
        if (m_xvfb.state() != QProcess::NotRunning) {
            m_xvfb.terminate();
            m_xvfb.waitForFinished(3000);
        }
    }
    const QString& name() const { return m_name; }

private:
    QProcess m_xvfb;
    QString m_name;
};

// One start of the program: the moments it wrote, and the launch, on the monotonic clock.
QMap<QString, double> startOnce(const QString& program, const QString& display) {
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("CHORDALIS_TRACE_START"), QStringLiteral("1"));
    QProcess p;
    p.setProcessEnvironment(env);
    QMap<QString, double> moments;
    moments[QStringLiteral("launch")] = monotonicNow();
    p.start(program, {});
    QByteArray output;
    const double deadline = monotonicNow() + 15.0;
    while (monotonicNow() < deadline && !output.contains("first-frame")) {
        p.waitForReadyRead(100);
        output += p.readAllStandardError();
        if (p.state() == QProcess::NotRunning)
            break;
    }
    p.terminate(); // ends like a logout: the settings are written, the output closed
    if (!p.waitForFinished(5000))
        p.kill();
    output += p.readAllStandardError();
    for (const QByteArray& line : output.split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() == 3 && words[0] == "chordalis:")
            moments[QString::fromLatin1(words[1])] = words[2].toDouble();
    }
    return moments;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    int runs = 10;
    QString program = QStringLiteral(CHORDALIS_PROGRAM);
    if (const qsizetype i = args.indexOf(QStringLiteral("--runs")); i > 0 && i + 1 < args.size())
        runs = std::max(1, args[i + 1].toInt());
    if (const qsizetype i = args.indexOf(QStringLiteral("--program")); i > 0 && i + 1 < args.size())
        program = args[i + 1];

    VirtualDisplay display;
    if (!display.start()) {
        std::printf("start-up: skipped (Xvfb could not be started)\n");
        return 1;
    }
    const QString loadBefore = loadAverage();
    std::vector<double> toSplash, afterSplash, toWindow;
    int failed = 0;
    for (int run = 0; run < runs; ++run) {
        const QMap<QString, double> m = startOnce(program, display.name());
        if (!m.contains(QStringLiteral("first-frame")) ||
            !m.contains(QStringLiteral("splash-closed")) ||
            !m.contains(QStringLiteral("splash-frame"))) {
            ++failed;
            continue;
        }
        const double launch = m[QStringLiteral("launch")];
        toSplash.push_back((m[QStringLiteral("splash-frame")] - launch) * 1000.0);
        afterSplash.push_back(
            (m[QStringLiteral("first-frame")] - m[QStringLiteral("splash-closed")]) * 1000.0);
        toWindow.push_back((m[QStringLiteral("first-frame")] - launch) * 1000.0);
    }
    std::printf("start-up of %s, %d runs (%d without a first frame) in Xvfb; load average %s "
                "before, %s after\n",
                qPrintable(QFileInfo(program).fileName()), runs, failed, qPrintable(loadBefore),
                qPrintable(loadAverage()));
    auto line = [](const char* what, const std::vector<double>& v, const char* goal) {
        std::printf("  %-48s median %7.1f ms, p99 %7.1f ms  (goal: %s)\n", what, percentile(v, 0.5),
                    percentile(v, 0.99), goal);
    };
    line("launch to the splash's first frame", toSplash, "none set");
    line("splash closed to the main window's first frame", afterSplash, "within 50 ms");
    line("launch to the main window's first frame", toWindow, "informative: includes the 1.5 s");
    return failed == runs ? 1 : 0;
}
