#pragma once

#include "app/AppState.h"
#include "app/MessageBoxes.h"
#include "app/Pages.h"
#include "fretboard/Fretboard.h"
#include "ledguitar/LedSender.h"
#include "library/IniReader.h"
#include "library/ModeContext.h"
#include "library/Warnings.h"

#include <QSize>

class QSettings;

namespace chordalis {

inline constexpr const char* ScreenQuestion =
    "It is recommended that you use a screen resolution of at least 800x600 for this program.  "
    "Do you wish to continue?";
inline constexpr const char* QuitQuestion = "Are you sure you want to quit?";

// The program without its windows: shared state, page models and the data files of one program
// folder, with the start-up steps and the one shut-down. The window layer runs the steps in
// order and shows what they leave in the page models; tests and the companion tool run them
// headless.
class Program {
    // Where LED frames go while no guitar is attached. Declared first: the neck refers to it.
    SilentLedSender m_noGuitar;

public:
    Program(QString programFolder, MessageBoxes& boxes, bool quietWarnings = false);

    // The library files check. False (after the fatal message) when one is missing: the program
    // must end without writing the settings.
    bool initTables();

    // The screen check, then the settings, then the start values of the root and selections.
    // False when the user declines to go on with a small screen.
    bool loadSettings(QSettings& store, QSize screenSize);

    // Loads the libraries, fills the trees and resets every page, then prepares the LED guitar
    // state. The settings must have been loaded.
    void loadLibraries();

    // loadLibraries, then the neck picture the settings name: what start-up loads once the
    // window is up.
    void loadData();

    // initTables, loadSettings and loadData in order; false when start-up must end.
    bool startUp(QSettings& store, QSize screenSize);

    // Asks the quit question; on Yes runs shutDown and returns true.
    bool confirmQuit(QSettings& store);

    // Writes the settings once and releases the devices. Later calls do nothing, so a window
    // close, a logout and a termination signal arriving together still write once.
    void shutDown(QSettings& store);
    bool isShutDown() const { return m_shutDown; }

    // Selects a root tab 1..17 and sets the root from it; other indexes change nothing.
    void selectRootTab(int tab);

    const QString& programFolder() const { return m_folder; }
    MessageBoxes& boxes() { return m_boxes; }

    // What the display routines work on.
    ModeContext context() { return {state, pages, ini, fretboard, warnings}; }

    AppState state;
    MainPages pages;
    IniReader ini;
    Warnings warnings;

    Fretboard fretboard{state, pages, m_noGuitar};

private:
    QString m_folder;
    MessageBoxes& m_boxes;
    bool m_shutDown = false;
};

} // namespace chordalis
