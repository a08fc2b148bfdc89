#pragma once

#include "app/AppState.h"
#include "app/Pages.h"
#include "library/IniReader.h"
#include "library/Warnings.h"

namespace chordalis {

// Fill the libraries from the INI files of the program folder and build the trees of the main
// window from them. Inconsistent data never stops loading: a formula outside the limits leaves
// its item without notes, a group that names no folder puts the item in the all-items folder
// only, a count beyond the sections present gives items with empty texts; each is warned about
// with file, section and value.
struct LibraryLoader {
    IniReader& ini;
    AppState& state;
    MainPages& pages;
    Warnings& warnings;

    void loadChordLibrary();
    void loadScaleLibrary();
    void buildArpeggioTree(); // after loadChordLibrary
    void loadTriadLibrary();
    void resetChordScalePage();

    // All of the above in start-up order.
    void loadAll();

    // Counts above this are taken as damaged data and cut to it.
    static constexpr int MaxItems = 5000;

private:
    int readCount(const QString& file, const QString& key);
    QString readFormula(const QString& file, const QString& section);
};

} // namespace chordalis
