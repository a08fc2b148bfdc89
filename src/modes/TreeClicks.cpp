#include "modes/TreeClicks.h"

#include "modes/AppState.h"
#include "modes/Arpeggios.h"
#include "modes/ChordScales.h"
#include "modes/Chords.h"
#include "modes/Pages.h"
#include "modes/Scales.h"
#include "modes/Triads.h"
#include "theory/Spelling.h"

namespace chordalis {

TreeModel& treeModel(MainPages& p, TreeId tree) {
    switch (tree) {
    case TreeId::Chords:
        return p.chords.tvwChords;
    case TreeId::Voicings:
        return p.chords.tvwVoicings;
    case TreeId::Scales:
        return p.scales.tvwScales;
    case TreeId::Arpeggios:
        return p.arpeggios.tvwArps;
    case TreeId::Triads:
        return p.triads.tvwTriads;
    case TreeId::StringGroup:
        return p.triads.tvwStringGroup;
    case TreeId::CSChords:
        return p.chordScale.tvwCSChords;
    case TreeId::CSScales:
        return p.chordScale.tvwCSScales;
    }
    return p.chords.tvwChords;
}

void nodeClicked(ModeContext& c, TreeId tree, const QString& key) {
    treeModel(c.pages, tree).selectedKey = key;
    AppState& s = c.state;
    switch (tree) {
    case TreeId::Chords:
        s.selectedChord = itemNumber(key, QStringLiteral("Chord"));
        showChord(c);
        if (s.selectedChord < 0) {
            c.pages.chords.tvwVoicings.clear();
            s.voicings.clear(); // Play finds no voicing to sound
        } else {
            loadVoicings(c, false);
        }
        break;
    case TreeId::Voicings:
        s.selectedVoicing = leadingNumber(key);
        drawVoicing(c);
        break;
    case TreeId::Scales:
        s.selectedScale = itemNumber(key, QStringLiteral("Scale"));
        showScale(c);
        break;
    case TreeId::Arpeggios:
        s.selectedArpeggio = itemNumber(key, QStringLiteral("Arpeggio"));
        showArpeggio(c);
        break;
    case TreeId::Triads:
        s.selectedTriad = leadingNumber(key); // the quality folders' keys start with -1
        showTriad(c);
        break;
    case TreeId::StringGroup:
        drawTriad(c); // the string group lives in the tree only; the labels stay
        break;
    case TreeId::CSChords:
        s.selectedCSChord = itemNumber(key, QStringLiteral("Chord"));
        showChordAndScales(c);
        break;
    case TreeId::CSScales:
        s.selectedCSScale = itemNumber(key, QStringLiteral("Scale"));
        showChordScale(c);
        break;
    }
}

} // namespace chordalis
