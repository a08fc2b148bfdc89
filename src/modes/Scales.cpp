#include "modes/Scales.h"

#include "fretboard/Fretboard.h"
#include "modes/MarkNotes.h"
#include "modes/Pages.h"

namespace chordalis {

void placeEntry(ModeContext& c, FretWindow window, const NoteEntry& entry, ColourRole role) {
    const AppState& s = c.state;
    for (int string = s.tuning().strings(); string >= 1; --string) {
        placeNote(s.tuning(), entry.pitchClass, string, windowAboveCapo(window, s.capo, string),
                  s.maxFret(), [&](int fret, int str) {
                      c.fretboard.drawMarker(MarkKind::Square, role, entry.name, fret, str,
                                             markInfo(entry));
                  });
    }
}

void placeNoteList(ModeContext& c, FretWindow window, ColourRole others) {
    for (int i = 0; i < NoteListSize - 1; ++i) {
        const NoteEntry& entry = c.state.noteList[size_t(i)];
        if (entry.isUsed())
            placeEntry(c, window, entry, i == 0 ? ColourRole::Root : others);
    }
}

void markPositionWindow(ModeContext& c, const PositionList& list, FretWindow window) {
    if (list.index > 0)
        c.fretboard.setPositionWindow(window);
}

void showScale(ModeContext& c) {
    ScalesPage& page = c.pages.scales;
    AppState& s = c.state;
    const FretWindow window = fretWindow(page.cboScalePositions, s.maxFret());
    if (s.selectedScale < 0 || s.selectedScale >= s.scales.count) {
        page.showNoScale();
        clearNeck(c);
        return;
    }
    const ScaleEntry& scale = s.scales.entries[size_t(s.selectedScale)];
    page.lblScaleName = noteName(s.currentRoot, s.rootSpelling) + QLatin1Char(' ') + scale.name;
    s.noteList = spellFormula(scale.formula, s.currentRoot, s.rootSpelling);
    page.lblScaleFormula = QLatin1String("Formula: ") + formulaText(s.noteList);
    page.lblScaleNotes = notesText(s.noteList);
    page.txtAltScaleNames = QString(scale.altname).replace(QLatin1Char(';'), QLatin1Char('\n'));
    clearNeck(c);
    markPositionWindow(c, page.cboScalePositions, window);
    placeNoteList(c, window, ColourRole::Scale);
    c.fretboard.sendLedFrame();
}

} // namespace chordalis
