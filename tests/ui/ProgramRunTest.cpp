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

TEST(ProgramRunTest, TerminationWritesTheSettingsOnce) {
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
    // Whether the signal lands during the splash or after it, the settings must be written.
    test::waitUntil([] { return false; }, 800);
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
