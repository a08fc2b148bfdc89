#pragma once

#include "CliArguments.h"

#include <QStringList>
#include <QTextStream>

namespace chordalis::cli {

// `practice QUIZ --db FILE [--seed N] [--answers FILE|-] [--questions N] [--tuning T|--preset N]
// [--fret-count N] [--capo C] [--csv FILE] [--data DIR]`: a practice session without a window.
// Prints one JSON object a line: each question with its expected answer, the judgement of the
// answer read from the answers file (one a line; "-" standard input) and the item's next due
// time; then the summary. Each answer is kept in the history before its line is printed.
int practice(const QString& folder, const Arguments& args, QTextStream& out, QTextStream& err);

} // namespace chordalis::cli
