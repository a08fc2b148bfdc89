#pragma once

#include "CliArguments.h"

#include <QTextStream>

namespace chordalis::cli {

// `listen FILE.wav [--tuning T | --preset N] [--fret-count N] [--a4 HZ] [--check FRETS]`: what
// the listening engine hears in a WAV file, as JSON: the pitch frames (every 10 ms: time, f0,
// note, cents, confidence), the events (each onset with the notes it began and their chord's
// name) and, with --check, the verdict on each string of the grip FRETS (written as the finder
// writes a selection, lowest string first) for the first strum in the file.
int listen(const QString& folder, const Arguments& args, QTextStream& out, QTextStream& err);

} // namespace chordalis::cli
