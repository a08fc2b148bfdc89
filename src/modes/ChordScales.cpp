#include "modes/ChordScales.h"

#include "fretboard/Fretboard.h"
#include "modes/AppState.h"
#include "modes/MarkNotes.h"
#include "modes/Pages.h"
#include "modes/Scales.h"
#include "theory/Neck.h"

#include <algorithm>

namespace chordalis {

namespace {

const QString RecommendedGroup = QStringLiteral("Recommended Group");
const QString OtherGroup = QStringLiteral("Other Group");

// Whether entries 1..12 of a list hold the pitch class (the roots are left out).
bool holdsPitchClass(const NoteList& notes, int pitchClass) {
    return std::any_of(notes.begin() + 1, notes.end(), [&](const NoteEntry& e) {
        return e.isUsed() && e.pitchClass == pitchClass;
    });
}

} // namespace

std::vector<int> relatedScales(const QString& relatedscaleid, int scaleCount) {
    std::vector<int> out;
    for (const QString& token : relatedscaleid.split(QLatin1Char(';'))) {
        bool ok = false;
        const int j = token.trimmed().toInt(&ok);
        // Only a plain decimal number names a scale: "+1" or "1.0" do not.
        if (ok && j >= 0 && j < scaleCount && token.trimmed() == QString::number(j))
            out.push_back(j);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

void showChordAndScales(ModeContext& c) {
    ChordScalePage& page = c.pages.chordScale;
    AppState& s = c.state;
    TreeModel& tree = page.tvwCSScales;
    tree.clear();
    clearNeck(c);
    if (s.selectedCSChord < 0 || s.selectedCSChord >= s.chords.count) {
        page.showNoChord();
        page.showNoScale();
        return;
    }
    const ChordEntry& chord = s.chords.entries[size_t(s.selectedCSChord)];

    tree.add({}, RecommendedGroup, QStringLiteral("Recommended Scales"));
    tree.add({}, OtherGroup, QStringLiteral("Other Scales"));
    tree.setExpanded(RecommendedGroup, true);
    const std::vector<int> related = relatedScales(chord.relatedscaleid, s.scales.count);
    for (int j = 0; j < s.scales.count; ++j) {
        const bool recommended = std::binary_search(related.begin(), related.end(), j);
        tree.add(recommended ? RecommendedGroup : OtherGroup,
                 QString::number(j) + QStringLiteral(" Scale"), s.scales.entries[size_t(j)].name,
                 j);
    }

    // The first recommended scale; a chord that recommends none is shown on its own.
    const auto first = tree.children(RecommendedGroup);
    tree.selectedKey = first.empty() ? QString() : first.front()->key;
    s.selectedCSScale = first.empty() ? -1 : first.front()->item;

    page.lblCSChordName = noteName(s.currentRoot, s.rootSpelling) + chord.name;
    s.noteList = spellFormula(chord.formula, s.currentRoot, s.rootSpelling);
    page.lblCSChordFormula = QLatin1String("Formula: ") + formulaText(s.noteList);
    page.lblCSChordNotes = notesText(s.noteList);
    s.chordNoteList = s.noteList;
    showChordScale(c);
}

void showChordScale(ModeContext& c) {
    ChordScalePage& page = c.pages.chordScale;
    AppState& s = c.state;
    if (s.selectedCSScale >= 0 && s.selectedCSScale < s.scales.count) {
        const ScaleEntry& scale = s.scales.entries[size_t(s.selectedCSScale)];
        page.lblCSScaleName =
            noteName(s.currentRoot, s.rootSpelling) + QLatin1Char(' ') + scale.name;
        s.noteList = spellFormula(scale.formula, s.currentRoot, s.rootSpelling);
        page.lblCSScaleFormula = QLatin1String("Formula: ") + formulaText(s.noteList);
        page.lblCSScaleNotes = notesText(s.noteList);
    } else {
        s.noteList = NoteList{};
        page.showNoScale();
    }
    drawChordAndScale(c);
}

void drawChordAndScale(ModeContext& c) {
    const AppState& s = c.state;
    if (s.selectedCSChord < 0 || s.selectedCSChord >= s.chords.count)
        return;
    clearNeck(c);
    const FretWindow window = fretWindow(c.pages.chordScale.cboCSPositions, s.maxFret());
    markPositionWindow(c, c.pages.chordScale.cboCSPositions, window);
    const NoteList& chord = s.chordNoteList;
    const NoteList& scale = s.noteList;

    if (chord[0].isUsed())
        placeEntry(c, window, chord[0], ColourRole::Root);
    for (size_t k = 1; k < chord.size(); ++k) {
        if (chord[k].isUsed())
            placeEntry(c, window, chord[k],
                       holdsPitchClass(scale, chord[k].pitchClass) ? ColourRole::Both
                                                                   : ColourRole::Chord);
    }
    for (size_t j = 1; j < scale.size(); ++j) {
        if (scale[j].isUsed() && !holdsPitchClass(chord, scale[j].pitchClass))
            placeEntry(c, window, scale[j], ColourRole::Scale);
    }
    c.fretboard.sendLedFrame();
}

} // namespace chordalis
