#include "ui/DesktopWindow.h"

#include "ui/FirstFrame.h"
#include "ui/MainWindow.h"
#include "ui/QtMessageBoxes.h"
#include "ui/SplashWindow.h"

namespace chordalis {

DesktopWindow::DesktopWindow(Program& program, QSettings& store, MessageBoxes& boxes)
    : m_program(program), m_store(store), m_boxes(boxes) {}

DesktopWindow::~DesktopWindow() {
    if (auto* qtBoxes = dynamic_cast<QtMessageBoxes*>(&m_boxes))
        qtBoxes->setParentWindow(nullptr);
}

void DesktopWindow::createWindow() {
    m_window = std::make_unique<MainWindow>(m_program, m_store, m_boxes);
    if (auto* qtBoxes = dynamic_cast<QtMessageBoxes*>(&m_boxes))
        qtBoxes->setParentWindow(m_window.get());
}

void DesktopWindow::showSplash() {
    SplashWindow& splash = m_window->splash();
    splash.winId(); // its window exists now, so that its first frame can be watched for
    chordalis::afterFirstFrame(&splash, [] { traceStartUp("splash-frame"); });
    splash.showStartup();
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

void DesktopWindow::showPages() {
    m_window->showPages();
}

void DesktopWindow::saveWindowState(QSettings& store) {
    if (m_window)
        m_window->saveWindowGeometry(store);
}

} // namespace chordalis
