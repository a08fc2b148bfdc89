#pragma once

#include "fretboard/Fretboard.h"
#include "theory/Spelling.h"

namespace chordalis {

// What a marker of a note-list entry tells the screen: the entry's name and its interval from the
// root as the labels write it.
inline MarkInfo markInfo(const NoteEntry& entry) {
    return {entry.name, degreeText(entry.token)};
}

} // namespace chordalis
