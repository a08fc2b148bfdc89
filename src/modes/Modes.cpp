#include "modes/Modes.h"

#include "modes/Arpeggios.h"
#include "modes/ChordScales.h"
#include "modes/Chords.h"
#include "modes/Finder.h"
#include "modes/LibraryTrees.h"
#include "modes/Notes.h"
#include "modes/RootTabs.h"
#include "modes/Scales.h"
#include "modes/Triads.h"

#include <algorithm>

namespace chordalis {

namespace {

// The display a page runs when it is entered or the root changes. The finder names its selection
// again only on a redraw (root, tuning or hand), since entering the page changes nothing it reads.
void runDisplay(ModeContext& c, bool redraw = true) {
    switch (c.pages.mode) {
    case Mode::Chords:
        showChord(c);
        loadVoicings(c, true);
        break;
    case Mode::Scales:
        showScale(c);
        break;
    case Mode::Arpeggios:
        showArpeggio(c);
        break;
    case Mode::Notes:
        showNote(c);
        break;
    case Mode::Triads:
        showTriad(c);
        break;
    case Mode::ChordScale:
        showChordAndScales(c);
        break;
    case Mode::ChordFinder:
        showFinderSelection(c);
        if (redraw)
            describeFinderSelection(c);
        break;
    }
}

void showPositionsPage(ModeContext& c, Mode mode) {
    if (mode == Mode::Scales)
        showScale(c);
    else if (mode == Mode::Arpeggios)
        showArpeggio(c);
    else if (mode == Mode::ChordScale)
        drawChordAndScale(c);
}

} // namespace

PositionList* positionList(MainPages& pages, Mode mode) {
    switch (mode) {
    case Mode::Scales:
        return &pages.scales.cboScalePositions;
    case Mode::Arpeggios:
        return &pages.arpeggios.cboArpPositions;
    case Mode::ChordScale:
        return &pages.chordScale.cboCSPositions;
    default:
        return nullptr;
    }
}

void clearNeck(ModeContext& c) {
    c.fretboard.clearFretboard();
    // Said again by a display that finds nothing it can show on this neck.
    c.pages.lblNonStandardVisible = false;
}

void redrawCurrentMode(ModeContext& c) {
    runDisplay(c);
}

void selectRootTab(ModeContext& c, int tab) {
    if (tab < 1 || tab > int(RootTabs.size()))
        return;
    c.pages.rootTab = tab;
    c.state.currentRoot = RootTabs[size_t(tab - 1)].root;
    c.state.rootSpelling = RootTabs[size_t(tab - 1)].spelling;
}

void rootChange(ModeContext& c, int tab) {
    selectRootTab(c, tab);
    runDisplay(c);
}

void stepRootTab(ModeContext& c, int steps) {
    const int count = int(RootTabs.size());
    const int tab = ((c.pages.rootTab - 1 + steps) % count + count) % count + 1;
    rootChange(c, tab);
}

void modeDispatch(ModeContext& c, Mode mode) {
    c.pages.mode = mode;
    runDisplay(c, false);
}

void positionChosen(ModeContext& c, Mode mode, int index) {
    PositionList* list = positionList(c.pages, mode);
    if (!list || index < 0 || index >= list->entries.size())
        return;
    list->index = index;
    showPositionsPage(c, mode);
}

void positionOptionClicked(ModeContext& c, Mode mode, int option) {
    PositionList* list = positionList(c.pages, mode);
    if (!list || option < 0 || option > 1)
        return;
    fillPositionList(*list, option, c.state.maxFret());
    showPositionsPage(c, mode);
}

void setInstrument(ModeContext& c, const Instrument& instrument) {
    c.state.setInstrument(instrument);
    // A string group for every three adjacent strings; the chosen one kept where the neck has it.
    const int groups = std::max(1, instrument.strings() - 2);
    c.state.triadGroup = std::min(c.state.triadGroup, groups - 1);
    buildStringGroups(c.pages.triads.tvwStringGroup, instrument.strings(), c.state.triadGroup);
    // The position lists reach as far as the neck does; each keeps its option and, where the
    // list still holds it, its entry.
    for (Mode mode : {Mode::Scales, Mode::Arpeggios, Mode::ChordScale}) {
        PositionList& list = *positionList(c.pages, mode);
        const int index = list.index;
        fillPositionList(list, list.option, c.state.maxFret());
        list.index = std::min(index, int(list.entries.size()) - 1);
    }
    rootChange(c, c.pages.rootTab);
}

bool setCapo(ModeContext& c, const Capo& capo) {
    const Instrument& neck = c.state.instrument;
    if (!capo.fits(neck.strings()) || capo.fret >= neck.frets)
        return false;
    c.state.capo = capo.fret > 0 ? capo : Capo{};
    rootChange(c, c.pages.rootTab);
    return true;
}

void finderClicked(ModeContext& c, Qt::MouseButton button, QPointF surfacePos) {
    if (c.pages.mode != Mode::ChordFinder)
        return;
    finderClick(c.state, button, surfacePos);
    showFinderSelection(c);
    describeFinderSelection(c);
}

void setLeftHanded(ModeContext& c, bool leftHanded) {
    c.state.leftHanded = leftHanded;
    rootChange(c, c.pages.rootTab);
}

} // namespace chordalis
