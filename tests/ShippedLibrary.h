#pragma once

// The shipped chord, scale and triad libraries and their search index, loaded once for the tests
// and fuzz targets that read names, keys or progressions against them.
#include "library/IniReader.h"
#include "library/LibraryLoader.h"
#include "library/Warnings.h"
#include "search/SearchIndex.h"

#include <QDir>
#include <QFileInfo>

namespace chordalis::test {

struct ShippedLibrary {
#ifdef CHORDALIS_SHIPPED_DATA
    IniReader ini{QStringLiteral(CHORDALIS_SHIPPED_DATA)};
#else
    // A fuzzer runs in build-fuzz, where the parent of this file's folder holds the data.
    IniReader ini{
        QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral("../data"))};
#endif
    Warnings warnings{true};
    ChordLibrary chords;
    ScaleLibrary scales;
    TriadLibrary triads;
    SearchIndex index;

    ShippedLibrary() {
        LibraryLoader loader(ini, warnings);
        chords = loader.loadChords();
        scales = loader.loadScales();
        triads = loader.loadTriads();
        index = SearchIndex(chords, scales, triads);
    }
    // The number of the first chord or scale of a name; -1 for none.
    int chord(const QString& name) const {
        for (int i = 0; i < chords.count; ++i)
            if (chords.entries[size_t(i)].name == name)
                return i;
        return -1;
    }
    int scale(const QString& name) const {
        for (int i = 0; i < scales.count; ++i)
            if (scales.entries[size_t(i)].name == name)
                return i;
        return -1;
    }
};

inline ShippedLibrary& shippedLibrary() {
    static ShippedLibrary library;
    return library;
}

} // namespace chordalis::test
