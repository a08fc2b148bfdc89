#pragma once

#include <QString>
#include <QStringList>

namespace chordalis {

// How many warnings the start-up message lists before it sums up the rest.
inline constexpr int ListedStartupWarnings = 12;

// The message that tells a desktop user what the library files and the neck picture gave
// warnings about at start-up: a count, the first ListedStartupWarnings lines, and how many more
// there are. Empty when there is nothing to say.
QString startupWarningsText(const QStringList& warnings);

} // namespace chordalis
