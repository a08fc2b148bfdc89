#pragma once

#include "modes/AppState.h"
#include "modes/Pages.h"
#include "modes/TreeModel.h"
#include "theory/Spelling.h"

#include <QJsonArray>
#include <QJsonObject>

namespace chordalis {

// JSON forms of the core's models, as the companion tool prints them. Keys are stable: scripts
// read them.
QJsonArray toJson(const NoteList& notes);           // used entries: token, name, pitchClass
QJsonArray toJson(const TreeModel& tree);           // nodes: key, text, parent, icon, selected
QJsonObject librariesToJson(const AppState& state); // chords, scales, triads with their groups

struct NeckPicture;

// The labels, text boxes, position lists and trees of one mode page, keyed by control name.
QJsonObject pageToJson(const MainPages& pages, Mode mode);

// What the neck shows: "marks" (markers in drawing order: kind, colour "#rrggbb", role, label,
// fret, string, x, y; pitch, note, interval and finger where known, and "shown", the picture the
// window draws under the label choice), "signs" (sign, label, fret, string, x, y, and the note a
// name gives; the open-string names first), "ledFrame" ("fret~string" each), "lblNonStandard",
// "labels", the neck's "strings", "frets", "width" and "height", and, when a position is chosen,
// "positionWindow" (low, high).
QJsonObject neckToJson(const NeckPicture& picture, const MainPages& pages,
                       MarkerLabels labels = MarkerLabels::Fingers);

} // namespace chordalis
