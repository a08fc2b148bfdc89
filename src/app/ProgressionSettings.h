#pragma once

#include "app/ProgressionSession.h"

#include <QMap>
#include <QString>

class QSettings;

namespace chordalis {

// The progressions page's choices in the settings store, section Progressions, each a word as the
// companion tool writes it: Mode (a mode word, default "major"), Sevenths ("True"/"False",
// default False), Style ("any", "open", "shell", "drop2", "drop3", "triads"; default "any"),
// Region ("A-B", frets 0..24, A no higher than B; "whole", the default), Strum ("whole",
// "quarters", "down-up", "fingerpicked"; default "quarters"), Bass ("none", "root",
// "root-fifth"; default "none"), Drums (default False), Count-in (default True), Text (the
// progression, at most 8000 characters; default empty: the library's first) and Meter (1..12,
// default 4). A value that cannot be read gives its default; the others are kept.
ProgressionChoices readProgressionChoices(const QSettings& store);

// Every key with its text, as written.
QMap<QString, QString> progressionChoiceTexts(const ProgressionChoices& choices);

// Writes the keys whose text differs from `asRead` (the texts read at start) or that the store
// does not hold yet, so that another instance's change to another key stays.
void writeProgressionChoices(QSettings& store, const ProgressionChoices& choices,
                             const QMap<QString, QString>& asRead);

} // namespace chordalis
