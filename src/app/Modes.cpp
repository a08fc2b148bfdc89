#include "app/Modes.h"

#include "app/Program.h"
#include "library/Arpeggios.h"
#include "library/Chords.h"
#include "library/Notes.h"
#include "library/Scales.h"

namespace chordalis {

namespace {

// The display a page runs when it is entered or the root changes.
void runDisplay(Program& program) {
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
    case Mode::ChordScale:
    case Mode::ChordFinder:
        // These pages draw nothing yet: the neck is shown empty.
        program.fretboard.clearFretboard();
        break;
    }
}

void showPositionsPage(Program& program, Mode mode) {
    ModeContext c = program.context();
    if (mode == Mode::Scales)
        showScale(c);
    else if (mode == Mode::Arpeggios)
        showArpeggio(c);
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
    runDisplay(program);
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

void setLeftHanded(Program& program, bool leftHanded) {
    program.state.leftHanded = leftHanded;
    rootChange(program, program.pages.rootTab);
}

} // namespace chordalis
