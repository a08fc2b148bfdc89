#include "modes/Grips.h"

#include "fretboard/Fretboard.h"
#include "library/Voicings.h"
#include "modes/AppState.h"
#include "modes/MarkNotes.h"

namespace chordalis {

void drawGrip(ModeContext& c, const Voicing& grip) {
    const AppState& s = c.state;
    Fretboard& board = c.fretboard;
    const NoteEntry& root = s.noteList[0];
    for (int string = s.tuning().strings(); string >= 1; --string) {
        const QString finger = grip.finger(string);
        const std::optional<int> fret = grip.fret(string);
        if (finger == QLatin1String("x") || !fret) {
            board.drawSign(SignKind::Mute, string);
            continue;
        }
        const int pitchClass = pitchClassAt(s.tuning(), string, *fret);
        const bool isRoot = root.isUsed() && root.pitchClass == pitchClass;
        // The chord's own spelling of the note, root first.
        const NoteEntry* named = findPitchClass(s.noteList, pitchClass);
        if (named)
            board.drawSign(SignKind::NoteName, string, named->name);
        if (finger == QLatin1String("0") || *fret == 0) {
            board.drawSign(isRoot ? SignKind::OpenRoot : SignKind::Open, string);
            board.addLedPosition(s.capo.openFret(string), string); // the capo holds it there
            continue;
        }
        MarkInfo info = named ? markInfo(*named) : MarkInfo{};
        info.finger = finger.toInt();
        board.drawMarker(MarkKind::Circle, isRoot ? ColourRole::Root : ColourRole::Chord,
                         QLatin1String("finger") + finger, *fret, string, info);
    }
    board.sendLedFrame();
}

} // namespace chordalis
