#pragma once

// The shipped chord, scale and triad libraries and their search index, for the fuzz targets that
// read names or progressions against them.
#include "FuzzSupport.h"
#include "library/IniReader.h"
#include "library/LibraryLoader.h"
#include "library/Warnings.h"
#include "search/SearchIndex.h"

#include <QDir>
#include <QFileInfo>

namespace chordalis::fuzz {

struct ShippedLibrary {
    ShippedLibrary() {
        // The fuzzer runs in build-fuzz; the data folder lies beside this file's folder's parent.
        IniReader ini(QFileInfo(QStringLiteral(__FILE__))
                          .absoluteDir()
                          .filePath(QStringLiteral("../../data")));
        Warnings warnings(true);
        LibraryLoader loader(ini, warnings);
        chords = loader.loadChords();
        scales = loader.loadScales();
        triads = loader.loadTriads();
        require(chords.count > 0 && scales.count > 0);
        index = SearchIndex(chords, scales, triads);
    }
    ChordLibrary chords;
    ScaleLibrary scales;
    TriadLibrary triads;
    SearchIndex index;
};

} // namespace chordalis::fuzz
