#include "modes/Arpeggios.h"

#include "fretboard/Fretboard.h"
#include "modes/Pages.h"
#include "modes/Scales.h"

namespace chordalis {

void showArpeggio(ModeContext& c) {
    ArpeggiosPage& page = c.pages.arpeggios;
    AppState& s = c.state;
    const FretWindow window = fretWindow(page.cboArpPositions, s.maxFret());
    if (s.selectedArpeggio < 0 || s.selectedArpeggio >= s.chords.count) {
        page.showNoArpeggio();
        clearNeck(c);
        return;
    }
    const ChordEntry& chord = s.chords.entries[size_t(s.selectedArpeggio)];
    page.lblArpName = noteName(s.currentRoot, s.rootSpelling) + chord.name;
    s.noteList = spellFormula(chord.formula, s.currentRoot, s.rootSpelling);
    page.lblArpFormula = QLatin1String("Formula: ") + formulaText(s.noteList);
    page.lblArpNotes = notesText(s.noteList);
    clearNeck(c);
    markPositionWindow(c, page.cboArpPositions, window);
    placeNoteList(c, window, ColourRole::Chord);
    c.fretboard.sendLedFrame();
}

} // namespace chordalis
