#include "app/ProgressionGrips.h"

#include "modes/AppState.h"
#include "modes/ChordGrips.h"
#include "voicings/ChordTones.h"
#include "voicings/GripSearch.h"

#include <QHash>
#include <algorithm>

namespace chordalis {

std::vector<VoicerChord> progressionGrips(ModeContext& context, const Progression& progression,
                                          VoicingStyle style) {
    // A scratch copy of the state chooses each chord as the chords page would.
    AppState scratch = context.state;
    ModeContext page{scratch, context.pages, context.ini, context.fretboard, context.warnings};
    const bool inversions = style == VoicingStyle::Shell || style == VoicingStyle::Drop2 ||
                            style == VoicingStyle::Drop3 || style == VoicingStyle::Triads;
    QHash<int, VoicerChord> made; // by item * 12 + root
    std::vector<VoicerChord> out;
    for (const ProgressionChord& c : progression.chords) {
        const int key = c.item * 12 + c.root.pitchClass;
        if (const auto it = made.constFind(key); it != made.cend()) {
            out.push_back(*it);
            continue;
        }
        VoicerChord chord;
        chord.root = c.root.pitchClass;
        const auto makeup = c.item >= 0 && c.item < scratch.chords.count
                                ? chordMakeup(scratch.chords.entries[size_t(c.item)].formula)
                                : std::nullopt;
        if (makeup) {
            for (const ChordTone& t : makeup->tones)
                chord.tones.push_back(t.semitones);
            scratch.selectedChord = c.item;
            scratch.currentRoot = c.root.pitchClass;
            chord.grips = chordVoicings(page);
            if (inversions) {
                GripRequest request;
                request.chord = *makeup;
                request.root = c.root.pitchClass;
                request.instrument = scratch.instrument;
                request.capo = scratch.capo;
                request.inversions = true;
                VoicerConstraints only;
                only.style = style;
                auto keeps = [&](const Voicing& v) {
                    return keepsConstraints(v, chord, scratch.tuning(), scratch.capo, only);
                };
                std::erase_if(chord.grips, [&](const Voicing& v) { return !keeps(v); });
                int number = FirstGeneratedVoicing + int(chord.grips.size());
                for (const Grip& g : searchGrips(request)) {
                    if (int(chord.grips.size()) >= MaxGripsPerChord)
                        break;
                    Voicing v = toVoicing(g, number);
                    const bool listed =
                        std::any_of(chord.grips.begin(), chord.grips.end(),
                                    [&](const Voicing& w) { return w.frets == v.frets; });
                    if (!listed && keeps(v)) {
                        chord.grips.push_back(std::move(v));
                        ++number;
                    }
                }
            }
            if (int(chord.grips.size()) > MaxGripsPerChord)
                chord.grips.resize(size_t(MaxGripsPerChord));
        }
        made.insert(key, chord);
        out.push_back(std::move(chord));
    }
    return out;
}

} // namespace chordalis
