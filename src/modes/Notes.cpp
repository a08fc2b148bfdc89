#include "modes/Notes.h"

#include "fretboard/Fretboard.h"
#include "modes/AppState.h"
#include "theory/Neck.h"

namespace chordalis {

void showNote(ModeContext& c) {
    const AppState& s = c.state;
    clearNeck(c);
    const QString name = spellDegree(u"1", s.currentRoot, s.rootSpelling);
    const int pitchClass = pitchClassOf(name);
    for (int string = 6; string >= 1; --string) {
        const int fret = lowestFret(s.tuning, pitchClass, string);
        c.fretboard.drawMarker(QStringLiteral("square"), s.colourRoot, name, fret, string);
        if (fret + 12 <= s.maxFret)
            c.fretboard.drawMarker(QStringLiteral("square"), s.colourRoot, name, fret + 12, string);
    }
    c.fretboard.sendLedFrame();
}

} // namespace chordalis
