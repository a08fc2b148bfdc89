#include "app/ProgressionGrips.h"

#include "modes/AppState.h"
#include "modes/ChordGrips.h"
#include "progressions/Chart.h"
#include "voicings/ChordTones.h"
#include "voicings/GripSearch.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <functional>

namespace chordalis {

namespace {

// Adds the engine's grips of the chord (any chord tone in the bass) that `keeps` accepts and the
// list does not hold yet, until the list holds MaxGripsPerChord.
void addEngineGrips(VoicerChord& chord, const ChordMakeup& makeup, const AppState& state,
                    const std::function<bool(const Voicing&)>& keeps) {
    GripRequest request;
    request.chord = makeup;
    request.root = chord.root;
    request.instrument = state.instrument;
    request.capo = state.capo;
    request.inversions = true;
    int number = FirstGeneratedVoicing + int(chord.grips.size());
    for (const Grip& g : searchGrips(request)) {
        if (int(chord.grips.size()) >= MaxGripsPerChord)
            break;
        Voicing v = toVoicing(g, number);
        const bool listed = std::any_of(chord.grips.begin(), chord.grips.end(),
                                        [&](const Voicing& w) { return w.frets == v.frets; });
        if (!listed && keeps(v)) {
            chord.grips.push_back(std::move(v));
            ++number;
        }
    }
}

// The chord's tones with a slash bass that is none of them added as a tone the grip must sound,
// named as the tension or 7th it is above the root; the makeup as it was otherwise.
ChordMakeup withBass(ChordMakeup makeup, int root, std::optional<int> bass) {
    if (!bass)
        return makeup;
    const int semitones = ((*bass - root) % 12 + 12) % 12;
    if (makeup.toneOf(semitones) >= 0)
        return makeup;
    // Degree and accidental per semitone above the root: b9 9 #9 3 11 #11 5 b13 13 b7 7.
    static constexpr std::array<std::pair<int, int>, 12> Names = {{{1, 0},
                                                                   {9, -1},
                                                                   {9, 0},
                                                                   {9, 1},
                                                                   {3, 0},
                                                                   {11, 0},
                                                                   {11, 1},
                                                                   {5, 0},
                                                                   {13, -1},
                                                                   {13, 0},
                                                                   {7, -1},
                                                                   {7, 0}}};
    const auto [degree, shift] = Names[size_t(semitones)];
    makeup.tones.push_back({degree, shift, semitones, 0});
    return makeup;
}

// An open chord as players mean it: the library's open chord of that chord and root; among the
// engine's grips (other tunings, other instruments), one with the chord's own bass lowest (its
// root, or a slash chord's bass), every fretted note within the first three frets and at least
// two open strings ringing.
bool isOpenChord(const Voicing& v, const VoicerChord& chord, const Tuning& tuning) {
    if (!v.generated)
        return v.number == OpenChordVoicing;
    int open = 0;
    std::optional<int> lowest;
    for (int s = 1; s <= v.strings(); ++s) {
        const std::optional<int> fret = v.fret(s);
        if (!fret)
            continue;
        if (*fret > 3)
            return false;
        open += *fret == 0 ? 1 : 0;
        const int pitch = pitchAt(tuning, s, *fret);
        lowest = lowest ? std::min(*lowest, pitch) : pitch;
    }
    return open >= 2 && lowest && pitchClassOfNote(*lowest) == chord.bass.value_or(chord.root);
}

} // namespace

int topNote(const Voicing& grip, const Tuning& tuning) {
    int top = -1;
    for (int s = 1; s <= grip.strings(); ++s) {
        if (const auto fret = grip.fret(s))
            top = std::max(top, tuning.openNote(s) + *fret);
    }
    return top;
}

std::vector<VoicerChord> progressionGrips(ModeContext& context, const Progression& progression,
                                          VoicingStyle style,
                                          const std::vector<std::optional<int>>& tops) {
    // A scratch copy of the state chooses each chord as the chords page would.
    AppState scratch = context.state;
    ModeContext page{scratch, context.pages, context.ini, context.fretboard, context.warnings};
    const bool inversions = style == VoicingStyle::Shell || style == VoicingStyle::Drop2 ||
                            style == VoicingStyle::Drop3 || style == VoicingStyle::Triads;
    QHash<int, VoicerChord> made; // by item * 12 + root
    std::vector<VoicerChord> out;
    for (size_t i = 0; i < progression.chords.size(); ++i) {
        const ProgressionChord& c = progression.chords[i];
        const auto makeup = c.item >= 0 && c.item < scratch.chords.count
                                ? chordMakeup(scratch.chords.entries[size_t(c.item)].formula)
                                : std::nullopt;
        // A bass that is the root itself asks nothing more.
        const std::optional<int> bass = c.bass && c.bass->pitchClass != c.root.pitchClass
                                            ? std::optional<int>(c.bass->pitchClass)
                                            : std::nullopt;
        const int key = (c.item * 12 + c.root.pitchClass) * 13 + bass.value_or(-1) + 1;
        VoicerChord chord;
        if (const auto it = made.constFind(key); it != made.cend()) {
            chord = *it;
        } else {
            chord.root = c.root.pitchClass;
            chord.bass = bass;
            if (makeup) {
                for (const ChordTone& t : makeup->tones)
                    chord.tones.push_back(t.semitones);
                scratch.selectedChord = c.item;
                scratch.currentRoot = c.root.pitchClass;
                chord.grips = chordVoicings(page);
                if (bass) {
                    // The page's grips with the bass lowest, then the engine's (the bass added
                    // to the tones when the chord has no such tone: C/D sounds the D).
                    VoicerConstraints only;
                    only.style = style;
                    auto keeps = [&](const Voicing& v) {
                        return keepsConstraints(v, chord, scratch.tuning(), scratch.capo, only);
                    };
                    std::erase_if(chord.grips, [&](const Voicing& v) { return !keeps(v); });
                    addEngineGrips(chord, withBass(*makeup, chord.root, bass), scratch, keeps);
                } else if (inversions) {
                    VoicerConstraints only;
                    only.style = style;
                    auto keeps = [&](const Voicing& v) {
                        return keepsConstraints(v, chord, scratch.tuning(), scratch.capo, only);
                    };
                    std::erase_if(chord.grips, [&](const Voicing& v) { return !keeps(v); });
                    addEngineGrips(chord, *makeup, scratch, keeps);
                }
                if (int(chord.grips.size()) > MaxGripsPerChord)
                    chord.grips.resize(size_t(MaxGripsPerChord));
            }
            made.insert(key, chord);
        }
        // A melody note keeps the grips with it on top, and looks further among the engine's.
        if (i < tops.size() && tops[i]) {
            const Tuning tuning = scratch.tuning();
            auto other = [&](const Voicing& v) {
                return topNote(v, tuning) != *tops[i];
            };
            std::erase_if(chord.grips, other);
            if (makeup) {
                VoicerConstraints only;
                only.style = style;
                addEngineGrips(chord, withBass(*makeup, chord.root, chord.bass), scratch,
                               [&](const Voicing& v) {
                                   return !other(v) &&
                                          keepsConstraints(v, chord, tuning, scratch.capo, only);
                               });
            }
        }
        out.push_back(std::move(chord));
    }
    return out;
}

std::vector<CapoSuggestion> suggestCapos(ModeContext& context, const Progression& progression,
                                         int count) {
    // A shape is named as guitarists name the open chords and their neighbours, whatever the
    // key's spelling: Bb with capo 1 is an A shape, Cm with capo 6 an F#m shape (not Gbm).
    static constexpr std::array<const char*, 12> ShapeNames = {"C",  "C#", "D",  "Eb", "E",  "F",
                                                               "F#", "G",  "Ab", "A",  "Bb", "B"};
    auto shapeNote = [](const SpelledNote& note, int capo) {
        return QLatin1String(ShapeNames[size_t(((note.pitchClass - capo) % 12 + 12) % 12)]);
    };
    std::optional<double> withoutCapo;
    std::vector<CapoSuggestion> out;
    for (int fret = 0; fret <= MaxSuggestedCapo; ++fret) {
        AppState scratch = context.state;
        scratch.capo = Capo{fret, 0, 0};
        if (!scratch.capo.fits(scratch.tuning().strings()) || fret + 4 > scratch.maxFret())
            break;
        ModeContext page{scratch, context.pages, context.ini, context.fretboard, context.warnings};
        VoicerRequest request;
        request.chords = progressionGrips(page, progression, VoicingStyle::Any);
        request.tuning = scratch.tuning();
        request.capo = scratch.capo;
        VoicerConstraints shape; // every fretted note within the four frets above the capo
        shape.lowFret = fret;
        shape.highFret = fret + 4;
        bool everyChord = true;
        for (VoicerChord& chord : request.chords) {
            std::erase_if(chord.grips, [&](const Voicing& v) {
                bool open = false;
                for (int s = 1; s <= v.strings(); ++s)
                    open = open || v.fret(s) == scratch.capo.openFret(s);
                return !open || !keepsConstraints(v, chord, request.tuning, request.capo, shape);
            });
            everyChord = everyChord && !chord.grips.empty();
        }
        if (!everyChord || progression.chords.empty())
            continue;
        // Every chord an open chord of the first position already: nothing for a capo to do,
        // however smoothly a capo's shapes would follow each other.
        if (fret == 0 && std::all_of(request.chords.begin(), request.chords.end(),
                                     [&](const VoicerChord& chord) {
                                         return std::any_of(chord.grips.begin(), chord.grips.end(),
                                                            [&](const Voicing& v) {
                                                                return isOpenChord(v, chord,
                                                                                   request.tuning);
                                                            });
                                     }))
            return {};
        const VoicedProgression best = voiceProgression(request);
        if (fret == 0) {
            withoutCapo = best.total;
            continue;
        }
        if (withoutCapo && best.total >= *withoutCapo)
            continue;
        CapoSuggestion s{fret, best.total, {}, best.choice};
        for (const ProgressionChord& c : progression.chords) {
            QString name = shapeNote(c.root, fret) + symbolSuffix(c);
            if (c.bass)
                name += u'/' + shapeNote(*c.bass, fret);
            s.shapes << name;
        }
        out.push_back(std::move(s));
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const auto& a, const auto& b) { return a.total < b.total; });
    if (int(out.size()) > count)
        out.resize(size_t(std::max(0, count)));
    return out;
}

} // namespace chordalis
