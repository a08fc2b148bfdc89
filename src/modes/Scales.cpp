#include "modes/Scales.h"

#include "fretboard/Fretboard.h"
#include "modes/MarkNotes.h"
#include "modes/Pages.h"

#include <algorithm>

namespace chordalis {

void placeEntry(ModeContext& c, FretWindow window, const NoteEntry& entry, ColourRole role) {
    const AppState& s = c.state;
    for (int string = s.tuning().strings(); string >= 1; --string) {
        placeNote(s.tuning(), entry.pitchClass, string,
                  windowAboveCapo(window, s.instrument, s.capo, string), s.maxFret(),
                  [&](int fret, int str) {
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
    page.boxes = positionBoxes(s, page.cboScalePositions);
}

std::vector<ChordBox> positionBoxes(const AppState& s, const PositionList& list) {
    std::vector<ChordBox> boxes;
    for (int k = 1; k < list.entries.size(); ++k) {
        PositionList one = list;
        one.index = k;
        const FretWindow window = fretWindow(one, s.maxFret());
        ChordBox box;
        box.strings = s.tuning().strings();
        box.leftHanded = s.leftHanded;
        box.capo = s.capo;
        box.signs.assign(std::size_t(box.strings), BoxSign::Fretted);
        box.frets.assign(std::size_t(box.strings), std::nullopt);
        box.firstFret = std::max(1, window.low);
        box.rows = std::max(4, window.high - box.firstFret + 1);
        box.caption = list.entries[k];
        box.number = k;
        for (int i = 0; i < NoteListSize - 1; ++i) {
            const NoteEntry& entry = s.noteList[size_t(i)];
            if (!entry.isUsed())
                continue;
            for (int string = box.strings; string >= 1; --string) {
                placeNote(s.tuning(), entry.pitchClass, string, window, s.maxFret(),
                          [&](int fret, int str) {
                              if (fret == 0) {
                                  box.signs[std::size_t(str - 1)] =
                                      i == 0 ? BoxSign::OpenRoot : BoxSign::Open;
                                  return;
                              }
                              const MarkInfo info = markInfo(entry);
                              box.dots.push_back({str, fret, 0, i == 0, info.note, info.interval});
                          });
            }
        }
        boxes.push_back(std::move(box));
    }
    return boxes;
}

} // namespace chordalis
