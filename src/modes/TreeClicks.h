#pragma once

#include <QString>

namespace chordalis {

struct ModeContext;
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
// becomes the tree's selected node, the selection it stands for is set in the shared state and
// the page's display runs. A folder clears the selection; clicking a folder of tvwChords also
// empties tvwVoicings. Needs no widget.
void nodeClicked(ModeContext& context, TreeId tree, const QString& key);

} // namespace chordalis
