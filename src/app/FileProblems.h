#pragma once

#include <QString>

namespace chordalis {

// Why a file cannot be written, in words that name the real cause: "Permission denied: the
// folder /home/u/.cache cannot be written.", "/home/u/.cache is a file, not a folder.", "The
// disk holding the folder /home/u is full.", "The file system holding ... is read-only.". Asks the
// file system: the file itself, the nearest folder on its path that exists, and a probe file
// created and removed there. `fallback` (a library's own message) is given when nothing is found.
QString writeProblem(const QString& path, const QString& fallback = {});

// The cause an errno value stands for, for a file or folder at `path`, in the same words.
QString errnoProblem(int error, const QString& path);

} // namespace chordalis
