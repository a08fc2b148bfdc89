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
const TreeModel& treeModel(const MainPages& pages, TreeId tree);

// A node of a tree was clicked (or expanded or collapsed, which acts as a click): the node
// becomes the tree's selected node, the item it stands for is selected in the shared state and
// the page's display runs. A folder (or a key the tree does not hold) clears the selection;
// clicking a folder of tvwChords also empties tvwVoicings. Needs no widget.
void nodeClicked(ModeContext& context, TreeId tree, const QString& key);

// The user expanded or collapsed a node; the tree keeps it so when it is shown again.
void setNodeExpanded(ModeContext& context, TreeId tree, const QString& key, bool expanded);

// Clicks the first node of the tree that stands for the item: a chord, scale or arpeggio number,
// a triad 0..11, a string group 0..3, a voicing (99 the open chord). False, with nothing
// changed, when the tree has no such node.
bool chooseItem(ModeContext& context, TreeId tree, int item);

} // namespace chordalis
