#pragma once

#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace chordalis {

// Why a file cannot be written, in words that name the real cause: "Permission denied: the
// folder /home/u/.cache cannot be written.", "/home/u/.cache is a file, not a folder.", "The
// disk holding the folder /home/u is full.", "The file system holding ... is read-only.". Asks the
// file system: the file itself, the nearest folder on its path that exists, and a probe file
// created and removed there. `fallback` (a library's own message) is given when nothing is found.
QString writeProblem(const QString& path, const QString& fallback = {});

// Where the program writes a file of the user's: the standard folder given, then, for when
// that cannot be written (read-only, a file in its way), a folder of the user's own in the
// system's temporary folder.
QStringList userFolders(QStandardPaths::StandardLocation location);

// The cause an errno value stands for, for a file or folder at `path`, in the same words.
QString errnoProblem(int error, const QString& path);

} // namespace chordalis
