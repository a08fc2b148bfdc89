// The program as a whole: started as a process, ended from outside.
#include "UiTestSupport.h"
#include "app/ProgramFolder.h"

#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace chordalis {
namespace {

QProcessEnvironment cleanEnvironment(const QString& configHome) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    // No sound font, so the synthesizer never starts and no audio device is opened.
    env.insert(QStringLiteral("CHORDALIS_SOUNDFONT"), configHome + QStringLiteral("/none.sf2"));
    return env;
}

TEST(ProgramRunTest, WithoutADisplayItExplainsHowToStart) {
    QTemporaryDir config;
    QProcess p;
    p.setProcessEnvironment(cleanEnvironment(config.path()));
    p.start(QStringLiteral(CHORDALIS_PROGRAM), {});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(QString::fromLocal8Bit(p.readAllStandardError())
                    .contains(QLatin1String("xvfb-run -a ./build/chordalis")));
    EXPECT_TRUE(QDir(config.path()).isEmpty());
}

// Whether the process has a handler of its own for the signal (Linux's /proc status).
bool catchesSignal(qint64 pid, int signal) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:")) {
            bool ok = false;
            const qulonglong mask = line.mid(7).trimmed().toULongLong(&ok, 16);
            return ok && (mask >> (signal - 1) & 1) != 0;
        }
    }
    return false;
}

TEST(ProgramRunTest, TerminationWritesTheSettings) {
    const QString programDir = QFileInfo(QStringLiteral(CHORDALIS_PROGRAM)).absolutePath();
    if (firstMissingLibraryFile(programDir))
        GTEST_SKIP() << "the library files are not in the build folder yet";
    QTemporaryDir config;
    QProcessEnvironment env = cleanEnvironment(config.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(CHORDALIS_PROGRAM), {});
    ASSERT_TRUE(p.waitForStarted());
    // As soon as the program takes the signal itself, which it does before start-up begins.
    ASSERT_TRUE(test::waitUntil([&p] { return catchesSignal(p.processId(), SIGTERM); }, 10000));
    ::kill(pid_t(p.processId()), SIGTERM);
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);

    QSettings written(config.filePath(QStringLiteral("Chordalis/Chordalis.conf")),
                      QSettings::IniFormat);
    EXPECT_EQ(written.value(QStringLiteral("Fretboard/Left Handed")).toString(), "False");
    EXPECT_EQ(written.value(QStringLiteral("Midi/Device")).toString(), "-1");
    EXPECT_TRUE(written.contains(QStringLiteral("Window/Geometry")));
}

} // namespace
} // namespace chordalis
