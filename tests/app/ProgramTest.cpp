#include "app/Program.h"

#include "../AppHelpers.h"
#include "../Fakes.h"
#include "../TestFolder.h"
#include "app/FileProblems.h"
#include "app/ProgramFolder.h"
#include "app/StartupWarnings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

using namespace chordalis;
using chordalis::test::FakeDevices;
using chordalis::test::RecordingMessageBoxes;
using chordalis::test::TestFolder;

namespace {

// The small library in a folder of its own, and a store in another.
class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() { dir.copyFixture("small"); }
    QString storePath() const { return m_store.filePath("Chordalis.conf"); }
    QSettings store() const { return QSettings(storePath(), QSettings::IniFormat); }
    QByteArray storeBytes() const { return test::readFile(storePath()); }
    RecordingMessageBoxes boxes;
    TestFolder dir;
    TestFolder m_store;
};

} // namespace

// So does an end before the settings were read.
TEST_F(ProgramTest, EachMissingLibraryFileEndsStartUpAndLeavesTheStoreAlone) {
    store().setValue("Midi/Volume", "33");
    const QByteArray before = storeBytes();
    const QStringList files = libraryFiles();
    for (int missing = 0; missing < files.size(); ++missing) {
        TestFolder broken;
        broken.copyFixture("small");
        QFile::remove(broken.filePath(files[missing]));
        QFile::remove(broken.filePath(files.last())); // a later file is never checked
        RecordingMessageBoxes b;
        Program program(broken.path(), b, FakeDevices().devices, true);
        auto s = store();
        EXPECT_EQ(program.startUp(s, QSize(1024, 768)), 1);
        ASSERT_EQ(b.shown.size(), 1u);
        EXPECT_EQ(b.shown[0].icon, BoxIcon::Stop);
        EXPECT_EQ(b.shown[0].text, QStringLiteral("A fatal error has occured, I cannot find the "
                                                  "file: \n") +
                                       broken.path() + u'/' + files[missing]);
    }
    Program program(dir.path(), boxes, FakeDevices().devices, true);
    auto s = store();
    program.shutDown(s);
    EXPECT_EQ(storeBytes(), before);
}

TEST_F(ProgramTest, FileNamesMustMatchExactly) {
    QFile::rename(dir.filePath("triad.ini"), dir.filePath("Triad.ini"));
    EXPECT_EQ(firstMissingLibraryFile(dir.path()), QStringLiteral("triad.ini"));
}

TEST_F(ProgramTest, SmallScreenAsksAndNoEndsStartUp) {
    for (const QSize size : {QSize(1024, 768), QSize(800, 600)}) {
        Program program(dir.path(), boxes, FakeDevices().devices, true);
        auto s = store();
        EXPECT_EQ(program.startUp(s, size), std::nullopt);
    }
    EXPECT_TRUE(boxes.shown.empty());

    boxes.answer = false;
    Program program(dir.path(), boxes, FakeDevices().devices, true);
    auto s = store();
    EXPECT_EQ(program.startUp(s, QSize(800, 599)), 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].question);
    EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Exclamation);
    EXPECT_FALSE(QFileInfo::exists(storePath()));
}

TEST_F(ProgramTest, StartUpStateAndQuitting) {
    store().setValue("Fretboard/Left Handed", "True");
    store().setValue("Midi/Volume", "64");
    Program program(dir.path(), boxes, FakeDevices().devices, true);
    auto s = store();
    ASSERT_EQ(program.startUp(s, QSize(1280, 1024)), std::nullopt);
    EXPECT_TRUE(program.context().state.leftHanded); // the settings are read, then the library
    EXPECT_EQ(program.context().state.chords.count, 3);

    program.context().state.playback.volume = 90;
    boxes.answer = false;
    EXPECT_FALSE(program.confirmQuit(s));
    EXPECT_FALSE(program.isShutDown());
    EXPECT_EQ(store().value("Midi/Volume").toString(), QStringLiteral("64"));

    boxes.answer = true;
    EXPECT_TRUE(program.confirmQuit(s));
    EXPECT_EQ(boxes.shown.back().icon, BoxIcon::Question);
    EXPECT_EQ(store().value("Midi/Volume").toString(), QStringLiteral("90"));

    // A second shut-down (a logout arriving after the window closed) writes nothing again.
    program.context().state.playback.volume = 10;
    program.shutDown(s);
    EXPECT_EQ(store().value("Midi/Volume").toString(), QStringLiteral("90"));
}

namespace {

// The window layer as start-up sees it: each step is logged with what the devices have seen.
// The program is made on its fakes' devices, then set.
class LoggingWindow : public ProgramWindow {
public:
    void createWindow() override { log << QStringLiteral("create chords=%1").arg(count()); }
    void showSplash() override {
        log << QStringLiteral("splash");
        if (onSplash)
            onSplash();
    }
    void showWindow() override {
        log << QStringLiteral("show sent=%1").arg(fakes.port->sent.size());
    }
    void afterFirstFrame(std::function<void()> then) override {
        log << QStringLiteral("frame open=%1").arg(fakes.port->isOpen());
        then();
    }
    void showPages() override { log << QStringLiteral("pages"); }
    void saveWindowState(QSettings& store) override {
        log << QStringLiteral("save");
        store.setValue("Window/Geometry", QByteArray("g"));
    }
    int count() const { return program ? program->context().state.chords.count : -1; }

    FakeDevices fakes;
    Program* program = nullptr;
    QStringList log;
    std::function<void()> onSplash;
};

} // namespace

TEST_F(ProgramTest, StartUpRunsItsStepsInOrderAndShutDownReleasesTheDevices) {
    LoggingWindow window;
    Program program(dir.path(), boxes, std::move(window.fakes.devices), true);
    window.program = &program;
    auto s = store();
    ASSERT_EQ(program.startUp(s, QSize(1280, 1024), &window), std::nullopt);
    // The output opens once the first frame is on the screen, on a thread of its own.
    EXPECT_EQ(window.log, QStringList({"create chords=0", "pages", "splash", "show sent=0", "pages",
                                       "frame open=0"}));
    program.finishOpeningSound();
    ASSERT_TRUE(window.fakes.port->isOpen());
    ASSERT_EQ(window.fakes.port->sent.size(), 1u);
    // Instrument 25 on channel 1.
    EXPECT_EQ(window.fakes.port->sent[0].word, packShortMessage(0xC0, 24));
    ASSERT_FALSE(window.fakes.led->frames.empty());
    EXPECT_TRUE(window.fakes.led->frames.back().empty()); // the empty neck

    program.metronome().setRunning(true);
    program.shutDown(s);
    EXPECT_EQ(window.log.back(), "save");
    EXPECT_FALSE(program.metronome().isRunning());
    EXPECT_FALSE(window.fakes.port->isOpen());
    EXPECT_TRUE(window.fakes.led->frames.back().empty()); // lights off
    EXPECT_TRUE(store().contains("Window/Geometry"));
    EXPECT_TRUE(store().contains("Midi/Device"));
}

TEST_F(ProgramTest, EndedDuringTheSplashStopsStartUpAfterWritingOnce) {
    LoggingWindow window;
    Program program(dir.path(), boxes, std::move(window.fakes.devices), true);
    auto s = store();
    window.onSplash = [&] {
        program.shutDown(s);
    }; // a termination signal
    EXPECT_EQ(program.startUp(s, QSize(1280, 1024), &window), 0);
    EXPECT_EQ(window.log, QStringList({"create chords=-1", "pages", "splash", "save"}));
    EXPECT_FALSE(window.fakes.port->isOpen());
    EXPECT_TRUE(store().contains("Midi/Device"));
}

TEST(ProgramFolder, BuildAndInstalledLayouts) {
    TestFolder dir;
    const InstalledDataDirs installed{"../share/chordalis", dir.filePath("usr/share/chordalis")};
    // A build: the data beside the executable wins over any installed copy.
    dir.write("build/chord.ini", "");
    dir.write("share/chordalis/chord.ini", "");
    dir.write("bin/.keep", "");
    EXPECT_EQ(programFolderFor(dir.filePath("build"), installed), dir.filePath("build"));
    // An installed tree, wherever its prefix lies, finds the data from its bin folder.
    EXPECT_EQ(programFolderFor(dir.filePath("bin"), installed), dir.filePath("share/chordalis"));
    // No data beside the bin folder (a link, a wrapper's folder): the configured data folder.
    dir.write("usr/share/chordalis/scale.ini", "");
    dir.write("opt/elsewhere/.keep", "");
    EXPECT_EQ(programFolderFor(dir.filePath("opt/elsewhere"), installed),
              dir.filePath("usr/share/chordalis"));
    // A damaged installation is reported with the installed path, not the executable's folder.
    TestFolder broken;
    broken.write("bin/.keep", "");
    broken.write("share/chordalis/fretboards/.keep", "");
    EXPECT_EQ(programFolderFor(broken.filePath("bin"), {"../share/chordalis", ""}),
              broken.filePath("share/chordalis"));
    // Nothing anywhere: the executable's own folder, which the missing-file message then names.
    EXPECT_EQ(programFolderFor(dir.filePath("opt/elsewhere"), {"../nowhere", "/nonexistent/x"}),
              dir.filePath("opt/elsewhere"));
    EXPECT_EQ(programFolderFor(dir.filePath("opt/elsewhere"), {"", "relative/only"}),
              dir.filePath("opt/elsewhere"));
    EXPECT_EQ(programFile("/", "chord.ini"), QStringLiteral("/chord.ini"));
}

// The end waits for no one: said at the next start, with what was lost and why, once.
TEST_F(ProgramTest, AStoreThatCannotBeWrittenIsReportedAtTheNextStart) {
    // A folder where the store's file should be: not writable even as root.
    ASSERT_TRUE(QDir().mkpath(storePath()));
    auto runOnce = [&](int volume) {
        Program program(dir.path(), boxes, FakeDevices().devices, true);
        auto s = store();
        EXPECT_EQ(program.startUp(s, QSize(1280, 1024)), std::nullopt);
        const size_t shown = boxes.shown.size();
        program.playbackSettings().volume = volume;
        program.shutDown(s);
        EXPECT_EQ(boxes.shown.size(), shown) << "no box at the end";
        EXPECT_TRUE(program.isShutDown());
    };
    runOnce(80);
    EXPECT_TRUE(boxes.shown.empty());
    runOnce(100); // the default: nothing this run changed is lost
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Exclamation);
    EXPECT_EQ(boxes.shown[0].text,
              "Your settings could not be saved when Chordalis last ended. Check that this file "
              "can be written: " +
                  storePath() + "\n\n" + storePath() +
                  " is a folder, not a file.\n\nThese changes were lost:\nMidi/Volume = 80");
    runOnce(100);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_TRUE(boxes.shown[1].text.endsWith("No setting had been changed in that run."));
    EXPECT_TRUE(QFileInfo(storePath()).isDir());
    const auto last = takeUnsavedNote(storePath());
    ASSERT_TRUE(last);
    EXPECT_TRUE(last->changes.isEmpty());
    EXPECT_EQ(takeUnsavedNote(storePath()), std::nullopt);
}

TEST(FileProblems, NameTheRealCause) {
    TestFolder dir;
    dir.write("file", "x");
    EXPECT_EQ(writeProblem(dir.filePath("file/cache/gp.mid")),
              dir.filePath("file") + " is a file, not a folder.");
    EXPECT_EQ(writeProblem(dir.path()), dir.path() + " is a folder, not a file.");
    EXPECT_EQ(writeProblem(dir.filePath("new/deeper/gp.mid"), "fallback"), "fallback");
    EXPECT_TRUE(errnoProblem(EIO, "/c").startsWith("/c cannot be written: "));
}

TEST_F(ProgramTest, StartUpWarningsAreShownOverTheWindowInOneMessage) {
    dir.write("scale.ini", "[totals]\nnumscales=abc\n");
    dir.write("fretboards/default.gif", QByteArray("GIF89a\x01\x00\x01\x00", 10));
    LoggingWindow window;
    Program program(dir.path(), boxes, std::move(window.fakes.devices), true);
    window.program = &program;
    auto s = store();
    ASSERT_EQ(program.startUp(s, QSize(1280, 1024), &window), std::nullopt);
    ASSERT_EQ(boxes.shown.size(), 1u);
    const QString& text = boxes.shown[0].text;
    EXPECT_TRUE(text.startsWith("The data files have 2 problems")) << qPrintable(text);
    EXPECT_TRUE(text.contains("scale.ini [totals] numscales is \"abc\", not a number"));
    EXPECT_TRUE(text.contains("fretboards/default.gif cannot be read"));

    QStringList many;
    for (int i = 0; i < 40; ++i)
        many << QStringLiteral("line %1").arg(i);
    const QString summed = startupWarningsText(many);
    EXPECT_TRUE(summed.contains("line 11\n"));
    EXPECT_FALSE(summed.contains("line 12\n"));
    EXPECT_TRUE(summed.contains("and 28 more"));
}
