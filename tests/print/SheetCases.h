#pragma once

#include "../display/HeadlessProgram.h"
#include "modes/Modes.h"
#include "modes/RootTabs.h"

#include <array>

namespace chordalis::test {

inline void enter(HeadlessProgram& p, Mode mode, const char* root) {
    modeDispatch(p->context(), mode);
    rootChange(p->context(), *rootTabIndex(QLatin1String(root)));
}

// One display of each mode as a user sets it up, and the header lines its sheet prints: title,
// notes line, further lines.
struct SheetCase {
    const char* name;
    Mode mode;
    QStringList header;
    void (*setUp)(HeadlessProgram& p);
};

inline const std::array<SheetCase, 7> SheetCases = {{
    {"chord",
     Mode::Chords,
     {"Chord: Cmaj", "Formula: 1, 3, 5      Notes: C E G "},
     [](HeadlessProgram& p) {
         p.show(Mode::Chords, "C", TreeId::Chords, 0); // the open C chord, x32010
     }},
    {"scale",
     Mode::Scales,
     {"Scale: A Dorian", "Formula: 1, 2, b3, 4, 5, 6, b7      Notes: A B C D E F# G ",
      "2nd Position (5 frets)"},
     [](HeadlessProgram& p) {
         p.show(Mode::Scales, "A", TreeId::Scales, 1);
         positionOptionClicked(p->context(), Mode::Scales, 1);
         positionChosen(p->context(), Mode::Scales, 3);
     }},
    {"arpeggio",
     Mode::Arpeggios,
     {"Arpeggio: Ebm7", "Formula: 1, b3, 5, b7      Notes: Eb Gb Bb Db ", "All Positions"},
     [](HeadlessProgram& p) {
         p.show(Mode::Arpeggios, "Eb", TreeId::Arpeggios, 4);
     }},
    {"note",
     Mode::Notes,
     {"Note: F#", ""},
     [](HeadlessProgram& p) {
         enter(p, Mode::Notes, "F#");
     }},
    {"triad",
     Mode::Triads,
     {"Triad: D Major 1st Inversion - Strings 4-3-2", "Formula: 1, 3, 5      Notes: D F# A "},
     [](HeadlessProgram& p) {
         enter(p, Mode::Triads, "D");
         chooseItem(p->context(), TreeId::StringGroup, 2);
         chooseItem(p->context(), TreeId::Triads, 1);
     }},
    {"chordscale",
     Mode::ChordScale,
     {"Chord / Scale: Cm7, C Dorian", "Chord Formula: 1, b3, 5, b7     Chord Notes: C Eb G Bb ",
      "Scale Formula: 1, 2, b3, 4, 5, 6, b7     Scale Notes: C D Eb F G A Bb ", "All Positions"},
     [](HeadlessProgram& p) {
         p.show(Mode::ChordScale, "C", TreeId::CSChords, 4);
     }},
    {"finder",
     Mode::ChordFinder,
     {"Chord Finder", ""},
     [](HeadlessProgram& p) {
         enter(p, Mode::ChordFinder, "C");
         p->context().state.finderSelection = {-1, 1, -1, 2, 3, 0}; // x32010, string 1 first
         redrawCurrentMode(p->context());
     }},
}};

} // namespace chordalis::test
