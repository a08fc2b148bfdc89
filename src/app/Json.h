#pragma once

#include "app/AppState.h"
#include "library/TreeModel.h"
#include "theory/Spelling.h"

#include <QJsonArray>
#include <QJsonObject>

namespace chordalis {

// JSON forms of the core's models, as the companion tool prints them. Keys are stable: scripts
// read them.
QJsonArray toJson(const NoteList& notes);           // used entries: token, name, pitchClass
QJsonArray toJson(const TreeModel& tree);           // nodes: key, text, parent, icon, selected
QJsonObject librariesToJson(const AppState& state); // chords, scales, triads with their groups

} // namespace chordalis
