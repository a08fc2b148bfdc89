#include "modes/Notes.h"

#include "fretboard/Fretboard.h"
#include "modes/AppState.h"
#include "modes/Pages.h"
#include "theory/Neck.h"

namespace chordalis {

void showNote(ModeContext& c) {
    const AppState& s = c.state;
    clearNeck(c);
    const QString name = spellDegree(u"1", s.currentRoot, s.rootSpelling);
    const int pitchClass = pitchClassOf(name);
    const MarkInfo info{name, QStringLiteral("1")};
    QStringList places;
    for (int string = 6; string >= 1; --string) {
        const int fret = lowestFret(s.tuning, pitchClass, string);
        c.fretboard.drawMarker(QStringLiteral("square"), s.colourRoot, name, fret, string, info);
        QString frets = fret == 0 ? QStringLiteral("open") : QString::number(fret);
        if (fret + 12 <= s.maxFret) {
            c.fretboard.drawMarker(QStringLiteral("square"), s.colourRoot, name, fret + 12, string,
                                   info);
            frets += QStringLiteral(", ") + QString::number(fret + 12);
        }
        places << QStringLiteral("%1 string (%2): %3")
                      .arg(ordinal(string),
                           noteName(openPitchClass(s.tuning, string), s.tuningSpelling), frets);
    }
    c.fretboard.sendLedFrame();
    c.pages.notes.lblNoteName = QStringLiteral("Note: ") + name;
    c.pages.notes.lblNotePlaces = places.join(QLatin1Char('\n'));
}

} // namespace chordalis
