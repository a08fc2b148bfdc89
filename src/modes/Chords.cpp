#include "modes/Chords.h"

#include "fretboard/Fretboard.h"
#include "library/Voicings.h"
#include "modes/AppState.h"
#include "modes/MarkNotes.h"
#include "modes/Pages.h"
#include "theory/Neck.h"

namespace chordalis {

namespace {

const ChordEntry* selectedChordEntry(const AppState& s) {
    if (s.selectedChord < 0 || s.selectedChord >= s.chords.count)
        return nullptr;
    return &s.chords.entries[size_t(s.selectedChord)];
}

// Nothing to show for this chord and root: no voicings, no voicing chosen, an empty neck. Play
// and print then find nothing rather than the previous chord's voicing.
void showNoVoicing(ModeContext& c) {
    c.state.voicings.clear();
    c.state.selectedVoicing = -1;
    c.pages.chords.lblVoicingMemo = QStringLiteral("Notes:");
    clearNeck(c);
}

} // namespace

QString voicingKey(int voicing) {
    return QString::number(voicing) + QLatin1String("Voicing");
}

void showChord(ModeContext& c) {
    ChordsPage& page = c.pages.chords;
    const ChordEntry* chord = selectedChordEntry(c.state);
    if (!chord) {
        page.showNoChord();
        clearNeck(c);
        return;
    }
    const AppState& s = c.state;
    page.lblChordName =
        QLatin1String("Chord: ") + noteName(s.currentRoot, s.rootSpelling) + chord->name;
    page.lblChordNameVerbose = QLatin1String("Name: ") + chord->nameverbose;
    c.state.noteList = spellFormula(chord->formula, s.currentRoot, s.rootSpelling);
    page.lblChordFormula = QLatin1String("Formula: ") + formulaText(s.noteList);
    page.lblChordNotes = notesText(s.noteList);
    page.txtChordSymbols =
        QString(chord->chordsymbols).replace(QLatin1Char(';'), QLatin1Char('\n'));
}

void loadVoicings(ModeContext& c, bool keepSelection) {
    AppState& s = c.state;
    TreeModel& tree = c.pages.chords.tvwVoicings;
    tree.clear();
    s.voicings = readVoicings(c.ini, c.warnings, s.selectedChord, s.currentRoot, s.tuning);
    if (s.voicings.empty()) {
        showNoVoicing(c);
        return;
    }
    for (const Voicing& v : s.voicings) {
        tree.add(QString(), voicingKey(v.number), v.caption, v.icon);
        // Voicings may share a caption; the remark tells them apart before they are chosen.
        tree.setToolTip(voicingKey(v.number), v.memo);
    }

    if (!keepSelection || !s.selectedVoicingEntry())
        s.selectedVoicing = s.voicings.front().number;
    tree.selectedKey = voicingKey(s.selectedVoicing);
    drawVoicing(c);
}

void drawVoicing(ModeContext& c) {
    const AppState& s = c.state;
    Fretboard& board = c.fretboard;
    clearNeck(c);

    const Voicing* v = s.selectedVoicingEntry();
    if (!v)
        return;
    // The remark describes the chosen voicing even when the neck cannot show it.
    c.pages.chords.lblVoicingMemo = QLatin1String("Notes: ") + v->memo;
    if (!isStandardTuning(s.tuning))
        return;

    for (int string = 6; string >= 1; --string) {
        const QString& finger = v->fingers[size_t(string)];
        if (finger == QLatin1String("x")) {
            board.drawSign(QStringLiteral("x"), IndicatorColumn, string);
            continue;
        }
        const int fret = v->frets[size_t(string)].value_or(0);
        const int pitchClass = ((s.tuning[size_t(string)] + fret) % 12 + 12) % 12;
        // The chord's own spelling of the note, root first.
        const NoteEntry* named = findPitchClass(s.noteList, pitchClass);
        const bool isRoot = named == &s.noteList[0];
        if (named)
            board.drawSign(named->name, NoteNameColumn, string);
        if (finger != QLatin1String("0")) {
            board.drawMarker(QStringLiteral("circle"), isRoot ? s.colourRoot : s.colourChord,
                             QLatin1String("finger") + finger, fret, string,
                             named ? markInfo(*named) : MarkInfo{});
        } else {
            board.drawSign(isRoot ? QStringLiteral("0red") : QStringLiteral("0"), IndicatorColumn,
                           string);
            board.addLedPosition(0, string);
        }
    }
    board.sendLedFrame();
}

} // namespace chordalis
