#pragma once

#include "../Fakes.h"
#include "../TestFolder.h"
#include "UiTestSupport.h"
#include "app/Program.h"
#include "ledguitar/SimulatedGuitar.h"
#include "ui/DesktopWindow.h"
#include "ui/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace chordalis::test {

// The program's windows, but with a splash that does not wait.
class QuickWindow : public DesktopWindow {
public:
    using DesktopWindow::DesktopWindow;
    void showSplash() override {}
};

// A program started with its window shown, on a folder and a settings file of its own, playing
// into a recording output on a virtual clock: no window test opens the synthesizer or waits in
// real time.
class StartedWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(storeDir.isValid());
        folder.copyFolder(QStringLiteral(CHORDALIS_SHIPPED_DATA));
        startProgram();
    }

    // Starts (again) through the program's start-up. What start-up opened and sent is forgotten.
    void startProgram() {
        desktop.reset();
        program.reset();
        store = std::make_unique<QSettings>(storePath(), QSettings::IniFormat);
        FakeDevices fakes;
        addDevices(fakes.devices);
        fakes.port->failOpen = failOpenAtStart;
        m_out = fakes.port;
        m_clock = fakes.clock;
        program = std::make_unique<Program>(folder.path(), boxes, std::move(fakes.devices), true);
        desktop = std::make_unique<QuickWindow>(*program, *store, boxes);
        ASSERT_EQ(program->startUp(*store, QSize(1280, 1024), desktop.get()), std::nullopt);
        shownAtStartUp = boxes.shown.size();
        window = desktop->window();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        program->finishOpeningSound(); // what the first frame would start, done now
        out().sent.clear();
        out().openedDevice = -2;
    }

    // Closing answers the quit question with Yes.
    void TearDown() override {
        boxes.answer = true;
        if (window)
            window->close();
    }

    // Adds devices beyond the fakes (a guitar) before the program is made.
    virtual void addDevices(Devices&) {}

    RecordingMidiOut& out() { return *m_out; }
    // A control of the window, or of another window, by its name; a button clicked by its name.
    template <class T = QWidget> T* find(const char* name) const { return child<T>(*window, name); }
    template <class T = QWidget> static T* child(QWidget& in, const char* name) {
        T* found = in.findChild<T*>(QLatin1String(name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    static void click(QWidget& in, const char* button) {
        QTest::mouseClick(child<QAbstractButton>(in, button), Qt::LeftButton);
    }
    QAction* action(const char* name) const { return find<QAction>(name); }

    bool failOpenAtStart = false; // the output fails to open at the next startProgram()
    size_t shownAtStartUp = 0;    // message boxes shown when startUp returned
    VirtualClock& clock() { return *m_clock; }

    QString storePath() const { return storeDir.filePath(QStringLiteral("settings.ini")); }

    TestFolder folder; // the program's
    QTemporaryDir storeDir;
    RecordingMessageBoxes boxes;
    std::unique_ptr<QSettings> store;
    std::unique_ptr<Program> program;
    std::unique_ptr<QuickWindow> desktop;
    MainWindow* window = nullptr;

private:
    RecordingMidiOut* m_out = nullptr;
    VirtualClock* m_clock = nullptr;
};

// A started window with a simulated LED guitar attached, whose pedal the tests press.
class GuitarWindow : public StartedWindow {
protected:
    void addDevices(Devices& devices) override {
        auto guitar = std::make_unique<SimulatedGuitar>();
        sim = guitar.get();
        devices.hid = std::move(guitar);
    }
    // A switch of the pedal pressed and let go, as the guitar's poll reads it.
    void pedal(int which) {
        sim->pressPedal(which);
        program->guitar().poll();
        sim->releasePedal();
        program->guitar().poll();
    }
    SimulatedGuitar* sim = nullptr;
};

} // namespace chordalis::test
