#include "modes/Chords.h"

#include "fretboard/Fretboard.h"
#include "library/Voicings.h"
#include "modes/AppState.h"
#include "modes/ChordGrips.h"
#include "modes/Grips.h"
#include "modes/Pages.h"
#include "theory/Neck.h"

#include <algorithm>
#include <numeric>
#include <optional>

namespace chordalis {

namespace {

const ChordEntry* selectedChordEntry(const AppState& s) {
    if (s.selectedChord < 0 || s.selectedChord >= s.chords.count)
        return nullptr;
    return &s.chords.entries[size_t(s.selectedChord)];
}

// Nothing to show for this chord and root: no voicings, no voicing chosen, an empty neck. Play
// and print then find nothing rather than the previous chord's voicing. Outside standard tuning
// the neck says that it cannot show the chord.
void showNoVoicing(ModeContext& c) {
    c.state.voicings.clear();
    c.pages.chords.boxes.clear();
    c.state.selectedVoicing = -1;
    c.pages.chords.lblVoicingMemo = QStringLiteral("Notes:");
    clearNeck(c);
    c.pages.lblNonStandardVisible = !isStandardTuning(c.state.tuning());
}

const QString MoreVoicingsKey = QStringLiteral("More Voicings");

// The lowest string a grip sounds, 0 for none.
int bassString(const Voicing& v) {
    for (int string = v.strings(); string >= 1; --string) {
        if (v.fret(string))
            return string;
    }
    return 0;
}

// The number of the first listed grip of the same source (library or engine) with its bass on the
// string of `was`'s bass; the list's first grip where there is none.
int sameStringGrip(const std::vector<Voicing>& listed, const Voicing& was) {
    for (const Voicing& v : listed) {
        if (v.generated == was.generated && v.number != OpenChordVoicing &&
            bassString(v) == bassString(was))
            return v.number;
    }
    return listed.front().number;
}

// What the list's icon of a grip shows, for its tooltip.
QString iconLegend(const QString& icon) {
    if (icon == QLatin1String("voicingO"))
        return QStringLiteral("Icon: an open chord (heavy nut line).");
    if (icon == QLatin1String("voicingB"))
        return QStringLiteral("Icon red with a bar: a barre, one finger across several strings.");
    return QStringLiteral("Icon blue: a grip without a barre.");
}

void fillVoicingTree(TreeModel& tree, const std::vector<Voicing>& voicings) {
    tree.clear();
    if (voicings.empty())
        return;
    // The library's grips first; the engine's below them, in a folder of their own where the
    // library has grips for this neck.
    const bool library = !voicings.front().generated;
    for (const Voicing& v : voicings) {
        QString parent;
        if (v.generated && library) {
            if (!tree.contains(MoreVoicingsKey))
                tree.add({}, MoreVoicingsKey, MoreVoicingsKey);
            parent = MoreVoicingsKey;
        }
        tree.add(parent, voicingKey(v.number), v.caption, v.number, v.icon);
        // The remark describes the grip before it is chosen; the icon's meaning follows it.
        tree.setToolTip(voicingKey(v.number), v.memo + u'\n' + iconLegend(v.icon));
    }
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
    const Voicing* shown = s.selectedVoicingEntry();
    const std::optional<Voicing> before = shown ? std::optional(*shown) : std::nullopt;
    s.voicings = chordVoicings(c);
    if (s.voicings.empty()) {
        showNoVoicing(c);
        return;
    }
    fillVoicingTree(tree, s.voicings);

    // A grip the user chose stays across a root change (or, where the root lacks it, one on the
    // same string); otherwise the list's first grip, the open chord where the root has one.
    if (!keepSelection || !s.voicingChosen) {
        s.voicingChosen = false;
        s.selectedVoicing = s.voicings.front().number;
    } else if (!s.selectedVoicingEntry()) {
        s.selectedVoicing =
            before ? sameStringGrip(s.voicings, *before) : s.voicings.front().number;
    }
    tree.selectedKey = voicingKey(s.selectedVoicing);
    drawVoicing(c);
}

bool putBassFirst(ModeContext& c, int bass) {
    AppState& s = c.state;
    const Tuning& tuning = s.tuning();
    // The lowest pitch, not the lowest string: on a re-entrant neck they differ.
    auto hasBass = [&](const Voicing& v) {
        int lowest = -1;
        for (int string = 1; string <= tuning.strings(); ++string) {
            if (const auto fret = v.fret(string)) {
                const int pitch = pitchAt(tuning, string, *fret);
                lowest = lowest < 0 ? pitch : std::min(lowest, pitch);
            }
        }
        return lowest >= 0 && lowest % 12 == ((bass % 12) + 12) % 12;
    };
    // The library's grips stay above the engine's: each part keeps its own order otherwise.
    std::vector<bool> marked;
    for (const Voicing& v : s.voicings)
        marked.push_back(hasBass(v));
    if (std::find(marked.begin(), marked.end(), true) == marked.end())
        return false;
    std::vector<size_t> order(s.voicings.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const Voicing& va = s.voicings[a];
        const Voicing& vb = s.voicings[b];
        if (va.generated != vb.generated)
            return !va.generated;
        return marked[a] && !marked[b];
    });
    std::vector<Voicing> sorted;
    sorted.reserve(order.size());
    int chosen = -1;
    for (size_t k : order) {
        if (chosen < 0 && marked[k])
            chosen = s.voicings[k].number;
        sorted.push_back(std::move(s.voicings[k]));
    }
    s.voicings = std::move(sorted);
    fillVoicingTree(c.pages.chords.tvwVoicings, s.voicings);
    s.selectedVoicing = chosen;
    s.voicingChosen = true;
    c.pages.chords.tvwVoicings.selectedKey = voicingKey(chosen);
    drawVoicing(c);
    return true;
}

void drawVoicing(ModeContext& c) {
    const AppState& s = c.state;
    clearNeck(c);
    // The boxes follow the neck's hand and capo as the neck does.
    c.pages.chords.boxes.clear();
    for (const Voicing& listed : s.voicings)
        c.pages.chords.boxes.push_back(gripBox(s, listed));

    const Voicing* v = s.selectedVoicingEntry();
    if (!v)
        return;
    // The remark describes the chosen voicing even when the neck cannot show it.
    c.pages.chords.lblVoicingMemo = QLatin1String("Notes: ") + v->memo;
    drawGrip(c, *v);
}

} // namespace chordalis
