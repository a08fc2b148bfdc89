#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace chordalis {

// Where an installed program keeps its data: the data folder relative to the folder of the
// executables (so that an installed tree still works when it is moved or staged under another
// root), and the same folder as an absolute path, both as the build was configured.
struct InstalledDataDirs {
    QString fromBinDir; // "../share/chordalis" with the usual layout
    QString configured; // "/usr/share/chordalis" for a package
};
const InstalledDataDirs& installedDataDirs();

// The program folder holds the library files and the folders fretboards, system, midi and
// userguide. A build keeps them beside the executable, and a folder beside the executable that
// holds a library file is taken first, so that a build runs in place. Otherwise the installed
// data folder (relative, then absolute) that holds a library file; failing that, the first of
// them that exists, so that a damaged installation is reported with the installed path; and
// last the executable's own folder.
QString programFolderFor(const QString& executableDir,
                         const InstalledDataDirs& installed = installedDataDirs());

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
