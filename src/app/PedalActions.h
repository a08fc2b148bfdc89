#pragma once

#include "modes/Pages.h"
#include "modes/TreeClicks.h"

#include <array>
#include <optional>

namespace chordalis {

// The five actions a switch of the guitar's pedal can run, numbered 1..5 as the options dialog
// lists them.
inline constexpr std::array<const char*, 5> PedalActionLabels = {
    "Root Note", "Play Sound", "Lights On/Off", "Advance Primary", "Advance Secondary"};
enum PedalAction {
    RootNoteAction = 1,
    PlaySoundAction = 2,
    LightsAction = 3,
    AdvancePrimaryAction = 4,
    AdvanceSecondaryAction = 5,
};

// The root tab that "Root Note" selects after tab 1..17: a semitone up, black keys by their flat
// names (C, Db, D, Eb .. B, then C again). Any other tab gives 0: nothing is selected.
int nextRootTab(int tab);

// A list that a step action moves: a tree, or the position list of a page.
struct SteppedList {
    enum Kind { Tree, Positions };
    Kind kind = Tree;
    TreeId tree = TreeId::Chords; // a tree
    Mode page = Mode::Chords;     // the page holding the position list
};

// The list "Advance Primary" (secondary false) or "Advance Secondary" moves on a page; the
// notes and chord finder pages have none.
std::optional<SteppedList> steppedList(Mode page, bool secondary);

// Whether "Play Sound" plays on the page (the notes and chord/scale pages play nothing).
bool pedalPlays(Mode page);

} // namespace chordalis
