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
    for (int string = s.tuning().strings(); string >= 1; --string) {
        QStringList frets;
        const int open = openFret(s.instrument, s.capo, string);
        placeNote(
            s.tuning(), pitchClass, string,
            windowAboveCapo({0, s.maxFret()}, s.instrument, s.capo, string), s.maxFret(),
            [&](int fret, int str) {
                c.fretboard.drawMarker(MarkKind::Square, ColourRole::Root, name, fret, str, info);
                frets << (fret == 0                      ? QStringLiteral("open")
                          : fret != open                 ? QString::number(fret)
                          : s.capo.openFret(str) == open ? QStringLiteral("%1 (capo)").arg(fret)
                                                         : QStringLiteral("%1 (open)").arg(fret));
            });
        places << QStringLiteral("%1 string (%2): %3")
                      .arg(
                          ordinal(string),
                          noteName(pitchClassAt(s.tuning(), string, s.instrument.firstFret(string)),
                                   s.tuningSpelling),
                          frets.join(QStringLiteral(", ")));
    }
    c.fretboard.sendLedFrame();
    c.pages.notes.lblNoteName = QStringLiteral("Note: ") + name;
    c.pages.notes.lblNotePlaces = places.join(QLatin1Char('\n'));
}

} // namespace chordalis
