#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace chordalis {

// The program folder holds the library files and the folders fretboards, system, midi and
// userguide. A build keeps them beside the executable; an installed program keeps them in
// <prefix>/share/chordalis beside <prefix>/bin.
QString programFolderFor(const QString& executableDir);

// The five library files, in the order they are checked.
const QStringList& libraryFiles();

// The first library file missing from the folder (the name must match exactly, case included),
// or nothing when all five are there.
std::optional<QString> firstMissingLibraryFile(const QString& folder);

// "A fatal error has occured, I cannot find the file: " and the full path on the next line.
QString missingFileMessage(const QString& folder, const QString& file);

// The full path of a file in the program folder ("userguide/index.htm").
QString programFile(const QString& folder, const QString& relative);

} // namespace chordalis
