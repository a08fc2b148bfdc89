#include "app/Program.h"

#include "app/ProgramFolder.h"
#include "app/RootTabs.h"
#include "app/Settings.h"
#include "app/SkinChooser.h"
#include "library/LibraryLoader.h"

namespace chordalis {

Program::Program(QString programFolder, MessageBoxes& boxes, bool quietWarnings)
    : ini(programFolder), warnings(quietWarnings), m_folder(std::move(programFolder)),
      m_boxes(boxes) {}

bool Program::initTables() {
    state.maxScreenFret = DefaultMaxFret;
    state.maxFret = DefaultMaxFret;
    if (const auto missing = firstMissingLibraryFile(m_folder)) {
        m_boxes.inform(BoxIcon::Stop, missingFileMessage(m_folder, *missing));
        return false;
    }
    return true;
}

bool Program::loadSettings(QSettings& store, QSize screenSize) {
    if (screenSize.width() < 800 || screenSize.height() < 600) {
        if (!m_boxes.ask(BoxIcon::Exclamation, QLatin1String(ScreenQuestion)))
            return false;
    }
    readSettings(store, state);
    state.resetSelections();
    return true;
}

void Program::loadLibraries() {
    LibraryLoader{ini, state, pages, warnings}.loadAll();

    state.ledPositions.clear();
    state.ledConnected = false;
    state.ledOptionLeft = 1;
    state.ledOptionRight = 1;
}

bool Program::startUp(QSettings& store, QSize screenSize) {
    if (!initTables() || !loadSettings(store, screenSize))
        return false;
    loadData();
    return true;
}

void Program::loadData() {
    loadLibraries();
    applyFretboard(*this);
}

bool Program::confirmQuit(QSettings& store) {
    if (!m_boxes.ask(BoxIcon::Question, QLatin1String(QuitQuestion)))
        return false;
    shutDown(store);
    return true;
}

void Program::shutDown(QSettings& store) {
    if (m_shutDown)
        return;
    m_shutDown = true;
    writeSettings(store, state);
}

void Program::selectRootTab(int tab) {
    if (tab < 1 || tab > int(RootTabs.size()))
        return;
    pages.rootTab = tab;
    state.currentRoot = RootTabs[size_t(tab - 1)].root;
    state.rootSpelling = RootTabs[size_t(tab - 1)].spelling;
}

} // namespace chordalis
