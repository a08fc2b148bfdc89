#pragma once

#include <QString>

namespace chordalis {

class Program;
class TreeModel;
struct MainPages;

// The trees of the main window whose nodes the user can click.
enum class TreeId {
    Chords,      // tvwChords
    Voicings,    // tvwVoicings
    Scales,      // tvwScales
    Arpeggios,   // tvwArps
    Triads,      // tvwTriads
    StringGroup, // tvwStringGroup
    CSChords,    // tvwCSChords
    CSScales,    // tvwCSScales
};

inline constexpr int TreeCount = 8;

// The model behind a tree of the main window.
TreeModel& treeModel(MainPages& pages, TreeId tree);

// A node of a tree was clicked (or expanded or collapsed, which acts as a click): the node
// becomes the tree's selected node and the selection it stands for is set in the shared state.
// A folder clears the selection. Clicking a folder of tvwChords also empties tvwVoicings.
// Needs no widget; the window redraws the current mode afterwards.
void nodeClicked(Program& program, TreeId tree, const QString& key);

} // namespace chordalis
