#include "modes/Grips.h"

#include "fretboard/Fretboard.h"
#include "library/Voicings.h"
#include "modes/AppState.h"
#include "modes/MarkNotes.h"

namespace chordalis {

namespace {

// One string of a grip as the neck and the box show it.
struct GripString {
    std::optional<int> fret; // nothing: silent
    bool open = false;       // open, or on the capo
    bool root = false;
    const NoteEntry* named = nullptr; // the chord's own spelling of the note, root first
    int finger = 0;
};

GripString readString(const AppState& s, const Voicing& grip, int string) {
    GripString out;
    const QString finger = grip.finger(string);
    const std::optional<int> fret = grip.fret(string);
    if (finger == QLatin1String("x") || !fret)
        return out;
    out.fret = fret;
    const int pitchClass = pitchClassAt(s.tuning(), string, *fret);
    const NoteEntry& root = s.noteList[0];
    out.root = root.isUsed() && root.pitchClass == pitchClass;
    out.named = findPitchClass(s.noteList, pitchClass);
    out.open = finger == QLatin1String("0") || *fret == 0;
    out.finger = out.open ? 0 : finger.toInt();
    return out;
}

} // namespace

void drawGrip(ModeContext& c, const Voicing& grip) {
    Fretboard& board = c.fretboard;
    for (int string = c.state.tuning().strings(); string >= 1; --string) {
        const GripString g = readString(c.state, grip, string);
        if (!g.fret) {
            board.drawSign(SignKind::Mute, string);
            continue;
        }
        if (g.named)
            board.drawSign(SignKind::NoteName, string, g.named->name);
        if (g.open) {
            board.drawSign(g.root ? SignKind::OpenRoot : SignKind::Open, string);
            board.addLedPosition(openFret(c.state.instrument, c.state.capo, string), string);
            continue;
        }
        MarkInfo info = g.named ? markInfo(*g.named) : MarkInfo{};
        info.finger = g.finger;
        board.drawMarker(MarkKind::Circle, g.root ? ColourRole::Root : ColourRole::Chord,
                         QLatin1String("finger") + grip.finger(string), *g.fret, string, info);
    }
    board.sendLedFrame();
}

ChordBox gripBox(const AppState& s, const Voicing& grip) {
    std::vector<BoxString> strings;
    for (int string = 1; string <= s.tuning().strings(); ++string) {
        const GripString g = readString(s, grip, string);
        BoxString box{g.fret, g.finger, g.root, {}, {}};
        if (g.named) {
            const MarkInfo info = markInfo(*g.named);
            box.note = info.note;
            box.interval = info.interval;
        }
        strings.push_back(box);
    }
    ChordBox box = layoutChordBox(strings, s.capo, s.leftHanded);
    box.caption = grip.caption;
    box.number = grip.number;
    return box;
}

} // namespace chordalis
