#pragma once

#include "CliArguments.h"

#include <QString>
#include <QTextStream>

namespace chordalis {
class Program;
}

namespace chordalis::cli {

// The usage lines of the key and progression commands and their options.
QString progressionUsage();

// key --root R --mode MODE: the key's degrees, numerals, functions, triads and sevenths with
// their notes, its secondary dominants and borrowed chords. The program is loaded.
int keyCommand(Program& program, const Arguments& args, QTextStream& out, QTextStream& err);

// progression TEXT --root R [--mode M] [--style S] [--region A-B]: each chord's symbol and
// notes, the grip the voicer chose on the program's neck and capo, and the cost parts. TEXT is
// chord symbols, numerals, or the name of a progression of progressions.ini.
int progressionCommand(Program& program, const Arguments& args, QTextStream& out, QTextStream& err);

} // namespace chordalis::cli
