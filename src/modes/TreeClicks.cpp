#include "modes/TreeClicks.h"

#include "modes/AppState.h"
#include "modes/Arpeggios.h"
#include "modes/ChordScales.h"
#include "modes/Chords.h"
#include "modes/Pages.h"
#include "modes/Scales.h"
#include "modes/Triads.h"

namespace chordalis {

namespace {

// The tree of a page, for the pages as they are (const or not).
template <class Pages> auto& treeOf(Pages& p, TreeId tree) {
    switch (tree) {
    case TreeId::Chords:
        return p.chords.tvwChords;
    case TreeId::Voicings:
        return p.chords.tvwVoicings;
    case TreeId::Scales:
        return p.scales.tvwScales;
    case TreeId::Arpeggios:
        return p.arpeggios.tvwArps;
    case TreeId::Triads:
        return p.triads.tvwTriads;
    case TreeId::StringGroup:
        return p.triads.tvwStringGroup;
    case TreeId::CSChords:
        return p.chordScale.tvwCSChords;
    case TreeId::CSScales:
        return p.chordScale.tvwCSScales;
    }
    return p.chords.tvwChords;
}

} // namespace

TreeModel& treeModel(MainPages& pages, TreeId tree) {
    return treeOf(pages, tree);
}

const TreeModel& treeModel(const MainPages& pages, TreeId tree) {
    return treeOf(pages, tree);
}

void nodeClicked(ModeContext& c, TreeId tree, const QString& key) {
    TreeModel& model = treeModel(c.pages, tree);
    model.selectedKey = key;
    const int item = model.itemOf(key);
    AppState& s = c.state;
    switch (tree) {
    case TreeId::Chords:
        s.selectedChord = item;
        showChord(c);
        if (s.selectedChord < 0) {
            c.pages.chords.tvwVoicings.clear();
            s.voicings.clear(); // Play finds no voicing to sound
        } else {
            loadVoicings(c, false);
        }
        break;
    case TreeId::Voicings:
        s.selectedVoicing = item;
        // The list's first grip is the page's own choice, which a root change follows.
        s.voicingChosen = item >= 0 && !s.voicings.empty() && item != s.voicings.front().number;
        drawVoicing(c);
        break;
    case TreeId::Scales:
        s.selectedScale = item;
        showScale(c);
        break;
    case TreeId::Arpeggios:
        s.selectedArpeggio = item;
        showArpeggio(c);
        break;
    case TreeId::Triads:
        s.selectedTriad = item;
        showTriad(c);
        break;
    case TreeId::StringGroup:
        // A folder-less list: a key it does not hold keeps the group.
        if (item >= 0)
            s.triadGroup = item;
        drawTriad(c); // the labels stay
        break;
    case TreeId::CSChords:
        s.selectedCSChord = item;
        showChordAndScales(c);
        break;
    case TreeId::CSScales:
        s.selectedCSScale = item;
        showChordScale(c);
        break;
    }
}

void setNodeExpanded(ModeContext& c, TreeId tree, const QString& key, bool expanded) {
    treeModel(c.pages, tree).setExpanded(key, expanded);
}

bool chooseItem(ModeContext& c, TreeId tree, int item) {
    const TreeNode* node = treeModel(c.pages, tree).findItem(item);
    if (!node || item < 0)
        return false;
    nodeClicked(c, tree, node->key);
    return true;
}

} // namespace chordalis
