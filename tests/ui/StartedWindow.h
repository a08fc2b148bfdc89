#pragma once

#include "UiTestSupport.h"
#include "app/MessageBoxes.h"
#include "app/Program.h"
#include "sound/RecordingMidiOut.h"
#include "ui/MainWindow.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace chordalis::test {

// A started program with its window shown, on a folder and a settings file of its own, playing
// into a recording output on a virtual clock: no window test opens the synthesizer or waits in
// real time.
class StartedWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid() && storeDir.isValid());
        makeProgramFolder(folder);
        startProgram();
    }

    // Starts (again) as the program does: the window appears before the libraries are loaded.
    void startProgram() {
        window.reset();
        store = std::make_unique<QSettings>(storePath(), QSettings::IniFormat);
        program = std::make_unique<Program>(folder.path(), boxes, true);
        ASSERT_TRUE(program->initTables());
        ASSERT_TRUE(program->loadSettings(*store, QSize(1280, 1024)));
        window = std::make_unique<MainWindow>(*program, *store, boxes, out, clock);
        program->loadLibraries();
        window->showPages();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // Closing answers the quit question with Yes.
    void TearDown() override {
        boxes.answer = true;
        if (window)
            window->close();
    }

    QString storePath() const { return storeDir.filePath(QStringLiteral("settings.ini")); }

    QTemporaryDir folder;
    QTemporaryDir storeDir;
    RecordingMessageBoxes boxes;
    VirtualClock clock;
    RecordingMidiOut out{clock};
    std::unique_ptr<QSettings> store;
    std::unique_ptr<Program> program;
    std::unique_ptr<MainWindow> window;
};

} // namespace chordalis::test
