#include "ui/DesktopWindow.h"

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
    m_window->splash().showStartup();
}

void DesktopWindow::showWindow() {
    m_window->show();
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
