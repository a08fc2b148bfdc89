#include "app/Modes.h"

#include "app/Program.h"
#include "library/Arpeggios.h"
#include "library/ChordScales.h"
#include "library/Chords.h"
#include "library/Finder.h"
#include "library/Notes.h"
#include "library/Scales.h"
#include "library/Triads.h"

namespace chordalis {

namespace {

// The display a page runs when it is entered or the root changes. The finder names its selection
// again only on a redraw (root, tuning or hand), since entering the page changes nothing it reads.
void runDisplay(Program& program, bool redraw = true) {
    ModeContext c = program.context();
    switch (program.pages.mode) {
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

void showPositionsPage(Program& program, Mode mode) {
    ModeContext c = program.context();
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

void redrawCurrentMode(Program& program) {
    runDisplay(program);
}

void rootChange(Program& program, int tab) {
    program.selectRootTab(tab);
    runDisplay(program);
}

void modeDispatch(Program& program, Mode mode) {
    program.pages.mode = mode;
    runDisplay(program, false);
}

void positionChosen(Program& program, Mode mode, int index) {
    PositionList* list = positionList(program.pages, mode);
    if (!list || index < 0 || index >= list->entries.size())
        return;
    list->index = index;
    showPositionsPage(program, mode);
}

void positionOptionClicked(Program& program, Mode mode, int option) {
    PositionList* list = positionList(program.pages, mode);
    if (!list || option < 0 || option > 1)
        return;
    fillPositionList(*list, option);
    showPositionsPage(program, mode);
}

void finderClicked(Program& program, Qt::MouseButton button, QPointF surfacePos) {
    if (program.pages.mode != Mode::ChordFinder)
        return;
    finderClick(program.state, button, surfacePos);
    ModeContext c = program.context();
    showFinderSelection(c);
    describeFinderSelection(c);
}

void setLeftHanded(Program& program, bool leftHanded) {
    program.state.leftHanded = leftHanded;
    rootChange(program, program.pages.rootTab);
}

} // namespace chordalis
