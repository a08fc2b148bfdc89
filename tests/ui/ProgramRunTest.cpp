// The program as a whole: started as a process, ended from outside.
#include "../AppHelpers.h"
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

// The program's environment: the configuration in a folder of the test's, no sound font (so the
// synthesizer never starts and no audio device is opened), and offscreen or no display at all.
QProcessEnvironment cleanEnvironment(const QString& configHome, bool offscreen = true) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    if (offscreen)
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    env.insert(QStringLiteral("CHORDALIS_SOUNDFONT"), configHome + QStringLiteral("/none.sf2"));
    return env;
}

bool libraryBuilt() {
    return !firstMissingLibraryFile(QFileInfo(QStringLiteral(CHORDALIS_PROGRAM)).absolutePath());
}

// The program started in the environment given, its standard error kept.
class Started {
public:
    Started(const QProcessEnvironment& env, const QStringList& args = {}) {
        m_p.setProcessEnvironment(env);
        m_p.start(QStringLiteral(CHORDALIS_PROGRAM), args);
    }
    ~Started() {
        if (m_p.state() != QProcess::NotRunning) {
            m_p.kill();
            m_p.waitForFinished(3000);
        }
    }
    QString err() {
        m_err += QString::fromLocal8Bit(m_p.readAllStandardError());
        return m_err;
    }
    // Its main window's first frame is on the screen (CHORDALIS_TRACE_START).
    bool shown() {
        return test::waitUntil([this] { return err().contains(QLatin1String("first-frame")); },
                               20000);
    }
    // Ends within five seconds (or the time given) after a termination signal, with status 0.
    bool endsOnSigterm(int ms = 5000) {
        ::kill(pid_t(m_p.processId()), SIGTERM);
        return m_p.waitForFinished(ms) && m_p.exitStatus() == QProcess::NormalExit &&
               m_p.exitCode() == 0;
    }
    QProcess& process() { return m_p; }

private:
    QProcess m_p;
    QString m_err;
};

TEST(ProgramRunTest, WithoutADisplayItExplainsHowToStart) {
    QTemporaryDir config;
    Started p(cleanEnvironment(config.path(), false));
    ASSERT_TRUE(p.process().waitForFinished(10000));
    EXPECT_EQ(p.process().exitCode(), 1);
    EXPECT_TRUE(p.err().contains(QLatin1String("xvfb-run -a ./build/chordalis")));
    EXPECT_TRUE(QDir(config.path()).isEmpty());
}

// Whether the process has a handler of its own for the signal (Linux's /proc status).
bool catchesSignal(qint64 pid, int signal) {
    for (const QByteArray& line :
         test::readFile(QStringLiteral("/proc/%1/status").arg(pid)).split('\n')) {
        if (line.startsWith("SigCgt:")) {
            bool ok = false;
            const qulonglong mask = line.mid(7).trimmed().toULongLong(&ok, 16);
            return ok && (mask >> (signal - 1) & 1) != 0;
        }
    }
    return false;
}

TEST(ProgramRunTest, TerminationWritesTheSettings) {
    if (!libraryBuilt())
        GTEST_SKIP() << "the library files are not in the build folder yet";
    QTemporaryDir config;
    Started p(cleanEnvironment(config.path()));
    ASSERT_TRUE(p.process().waitForStarted());
    // As soon as the program takes the signal itself, which it does before start-up begins.
    ASSERT_TRUE(
        test::waitUntil([&p] { return catchesSignal(p.process().processId(), SIGTERM); }, 10000));
    EXPECT_TRUE(p.endsOnSigterm(10000)); // it may be starting up on a busy machine
    QSettings written(config.filePath(QStringLiteral("Chordalis/Chordalis.conf")),
                      QSettings::IniFormat);
    EXPECT_TRUE(written.contains(QStringLiteral("Fretboard/Left Handed")));
    EXPECT_TRUE(written.contains(QStringLiteral("Window/Geometry")));
}

// --new-instance starts another; an unwritable store is said on stderr and at the next start.
TEST(ProgramRunTest, OneInstancePerStoreAndAnUnwritableStoreNeverHoldsUpTheEnd) {
    if (!libraryBuilt())
        GTEST_SKIP() << "the library files are not in the build folder yet";
    QTemporaryDir home;
    QProcessEnvironment env = cleanEnvironment(home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("run")));
    env.insert(QStringLiteral("CHORDALIS_TRACE_START"), QStringLiteral("1"));
    env.insert(QStringLiteral("CHORDALIS_LED_GUITAR"), QStringLiteral("off"));
    ASSERT_TRUE(QDir().mkpath(home.filePath(QStringLiteral("run"))));
    QFile::setPermissions(home.filePath(QStringLiteral("run")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // A folder where the store's file should be: it cannot be written, not even as root.
    ASSERT_TRUE(QDir().mkpath(home.filePath(QStringLiteral("config/Chordalis/Chordalis.conf"))));

    Started first(env);
    ASSERT_TRUE(first.shown()) << qPrintable(first.err());
    {
        Started second(env);
        ASSERT_TRUE(second.process().waitForFinished(10000));
        EXPECT_EQ(second.process().exitCode(), 0);
        EXPECT_TRUE(second.err().contains("already running")) << qPrintable(second.err());
        Started another(env, {QStringLiteral("--new-instance")});
        EXPECT_TRUE(another.shown()) << qPrintable(another.err());
        EXPECT_TRUE(another.endsOnSigterm());
    }
    EXPECT_TRUE(first.endsOnSigterm());
    EXPECT_TRUE(first.err().contains("the settings could not be saved")) << qPrintable(first.err());
    const QDir notes(home.filePath(QStringLiteral("data/Chordalis/Chordalis")));
    EXPECT_EQ(notes.entryList(QDir::Files).size(), 1);

    // The next start says so over its window; a termination signal ends it all the same.
    Started next(env);
    ASSERT_TRUE(next.shown()) << qPrintable(next.err());
    EXPECT_TRUE(test::waitUntil([&] { return notes.entryList(QDir::Files).isEmpty(); }));
    EXPECT_TRUE(next.endsOnSigterm());
}

} // namespace
} // namespace chordalis
