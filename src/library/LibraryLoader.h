#pragma once

#include "library/Libraries.h"

#include <QString>

namespace chordalis {

class IniReader;
class Warnings;

// Reads the chord, scale and triad libraries from the INI files of the program folder.
// Inconsistent data never stops loading: a formula outside the limits leaves its item without
// notes, a count beyond the sections present gives items with empty texts; each is warned about
// with file, section and value.
class LibraryLoader {
public:
    LibraryLoader(IniReader& ini, Warnings& warnings) : m_ini(ini), m_warnings(warnings) {}

    ChordLibrary loadChords();
    ScaleLibrary loadScales();
    TriadLibrary loadTriads();

    // Warns when the file is there but is not read (too large, unreadable, not a regular file)
    // or holds no section at all (empty or binary). The loads above say the former for their
    // own files, and warn about a missing [totals] count themselves.
    void warnIfUnread(const QString& file);

    // Counts above this are taken as damaged data and cut to it.
    static constexpr int MaxItems = 5000;

private:
    // Warns when the file is there but is not read; false then.
    bool warnIfNotRead(const QString& file);
    // A [totals] count, 0..MaxItems. A required count that is absent or not a number is warned
    // about.
    int readCount(const QString& file, const QString& key, bool required);
    QString readFormula(const QString& file, const QString& section);
    std::vector<QString> readGroups(const QString& file);
    void warnMissing(const QString& file, int count, int missing);

    IniReader& m_ini;
    Warnings& m_warnings;
};

} // namespace chordalis
