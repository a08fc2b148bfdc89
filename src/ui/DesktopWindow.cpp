#include "ui/DesktopWindow.h"

#include "ui/FirstFrame.h"
#include "ui/MainWindow.h"
#include "ui/QtMessageBoxes.h"
#include "ui/SplashWindow.h"
#include "ui/Theme.h"

#include <QTimer>

namespace chordalis {

DesktopWindow::DesktopWindow(Program& program, QSettings& store, MessageBoxes& boxes,
                             const ThemeChooser* themes)
    : m_program(program), m_store(store), m_boxes(boxes), m_themes(themes) {}

DesktopWindow::~DesktopWindow() {
    if (auto* qtBoxes = dynamic_cast<QtMessageBoxes*>(&m_boxes))
        qtBoxes->setParentWindow(nullptr);
}

void DesktopWindow::createWindow() {
    // The settings are read by now: the window is built in the colours they choose.
    if (m_themes)
        m_themes->apply(m_program.state().view.theme);
    m_window = std::make_unique<MainWindow>(m_program, m_store, m_boxes);
    m_window->setThemeChooser(m_themes);
    if (auto* qtBoxes = dynamic_cast<QtMessageBoxes*>(&m_boxes))
        qtBoxes->setParentWindow(m_window.get());
}

void DesktopWindow::showSplash() {
    SplashWindow& splash = m_window->splash();
    MainWindow* window = m_window.get();
    // Once the splash is on the screen, and while it waits, the main window is laid out and
    // drawn once out of sight, its native window made and that drawing handed to the display:
    // its first frame on the screen is its real content, at once. The splash is watched once it
    // is shown: making its native window earlier would make the main window's children native.
    QTimer::singleShot(0, &splash, [&splash, window] {
        chordalis::afterFirstFrame(&splash, [window] {
            traceStartUp("splash-frame");
            prepareFirstFrame(window);
        });
    });
    // The window comes as the splash goes, before it is taken down, so that no moment shows
    // neither. A program ended meanwhile shows nothing.
    const QMetaObject::Connection showing =
        QObject::connect(&splash, &SplashWindow::timedOut, window, [this, window] {
            if (!m_program.isShutDown())
                window->show();
        });
    splash.showStartup();
    QObject::disconnect(showing);
    traceStartUp("splash-closed");
}

void DesktopWindow::showWindow() {
    m_window->show();
}

void DesktopWindow::afterFirstFrame(std::function<void()> then) {
    chordalis::afterFirstFrame(m_window.get(), [then = std::move(then)] {
        traceStartUp("first-frame");
        then();
    });
}

void DesktopWindow::bringToFront() {
    if (!m_window || !m_window->isVisible())
        return;
    if (m_window->isMinimized())
        m_window->showNormal();
    m_window->raise();
    m_window->activateWindow();
}

void DesktopWindow::showPages() {
    m_window->showPages();
}

void DesktopWindow::stepList(const SteppedList& list) {
    if (m_window)
        m_window->stepList(list);
}

void DesktopWindow::saveWindowState(QSettings& store) {
    if (m_window)
        m_window->saveWindowGeometry(store);
}

} // namespace chordalis
