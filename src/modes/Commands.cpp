#include "modes/Commands.h"

#include "modes/AppState.h"
#include "modes/Finder.h"

#include <algorithm>

namespace chordalis {

QString playRefusal(const AppState& state, Mode mode) {
    const bool standard = isStandardTuning(state.tuning());
    const char* refusal = nullptr;
    switch (mode) {
    // Outside standard tuning a chord or triad the neck cannot hold is said to be so.
    case Mode::Chords:
        if (!standard && state.selectedChord >= 0 && state.voicings.empty())
            refusal = "Chord playback is not supported for non-standard tunings.";
        else if (state.selectedVoicing < 0)
            refusal = "Please select a chord voicing to play.";
        break;
    case Mode::Triads: {
        const bool held = state.triadShape && std::any_of(state.triadShape->frets.begin(),
                                                          state.triadShape->frets.end(),
                                                          [](auto f) { return bool(f); });
        if (!standard && state.selectedTriad >= 0 && !held)
            refusal = "Triad playback is not supported for non-standard tunings.";
        else if (state.selectedTriad < 0)
            refusal = "Please select a triad to play.";
        break;
    }
    case Mode::ChordFinder:
        if (std::all_of(state.finderSelection.begin(), state.finderSelection.end(),
                        [](int s) { return s == 0; }))
            refusal = "Please click on the fretboard to select some notes to play.";
        break;
    case Mode::Scales:
        if (state.selectedScale < 0)
            refusal = "Please select a scale to play.";
        break;
    case Mode::Arpeggios:
        if (state.selectedArpeggio < 0)
            refusal = "Please select an arpeggio to play.";
        break;
    case Mode::Notes:
    case Mode::ChordScale:
        break;
    }
    return refusal ? QString::fromLatin1(refusal) : QString();
}

QString infoRefusal(const AppState& state, Mode mode) {
    const char* refusal = nullptr;
    switch (mode) {
    case Mode::Chords:
        refusal = state.selectedChord < 0 ? "Please select a chord." : nullptr;
        break;
    case Mode::Scales:
        refusal = state.selectedScale < 0 ? "Please select a scale." : nullptr;
        break;
    case Mode::Arpeggios:
        refusal = state.selectedArpeggio < 0 ? "Please select an arpeggio." : nullptr;
        break;
    case Mode::Triads:
        refusal = state.selectedTriad < 0 ? "Please select a triad." : nullptr;
        break;
    case Mode::Notes:
    case Mode::ChordScale:
    case Mode::ChordFinder:
        break;
    }
    return refusal ? QString::fromLatin1(refusal) : QString();
}

Strum voicingStrum(const Voicing& voicing, const Tuning& tuning) {
    Strum notes;
    for (int s = tuning.strings(); s >= 1; --s) {
        if (const auto fret = voicing.fret(s))
            notes.push_back({s, pitchAt(tuning, s, *fret)});
    }
    return notes;
}

Strum finderStrum(const AppState& state) {
    Strum notes;
    for (int s = std::min(int(state.finderSelection.size()), state.tuning().strings()); s >= 1;
         --s) {
        if (const auto fret = finderFret(state, s))
            notes.push_back({s, pitchAt(state.tuning(), s, *fret)});
    }
    return notes;
}

Strum shownNotes(const AppState& state, FretWindow window) {
    Strum notes;
    for (int i = 0; i < NoteListSize - 1; ++i) {
        const NoteEntry& entry = state.noteList[size_t(i)];
        if (!entry.isUsed())
            continue;
        for (int string = state.tuning().strings(); string >= 1; --string) {
            placeNote(state.tuning(), entry.pitchClass, string,
                      windowAboveCapo(window, state.instrument, state.capo, string),
                      state.maxFret(), [&](int fret, int s) {
                          notes.push_back({s, pitchAt(state.tuning(), s, fret)});
                      });
        }
    }
    // Lowest pitch first; of two places of one pitch the one on the lower string comes first.
    std::stable_sort(notes.begin(), notes.end(), [](const StrummedNote& a, const StrummedNote& b) {
        return a.note != b.note ? a.note < b.note : a.string > b.string;
    });
    notes.erase(
        std::unique(notes.begin(), notes.end(),
                    [](const StrummedNote& a, const StrummedNote& b) { return a.note == b.note; }),
        notes.end());
    return notes;
}

namespace {

// Up through the notes and back down, the top note once.
Strum upAndDown(const Strum& up) {
    Strum notes = up;
    if (up.size() > 1)
        notes.insert(notes.end(), up.rbegin() + 1, up.rend());
    return notes;
}

} // namespace

void playShown(const AppState& state, Player& player, Mode mode, FretWindow window) {
    const bool asShown = state.view.run == RunRoute::AsShown;
    if (asShown && (mode == Mode::Scales || mode == Mode::Arpeggios)) {
        player.playNotes(upAndDown(shownNotes(state, window)),
                         mode == Mode::Scales ? PlayKind::Scale : PlayKind::Arpeggio);
        return;
    }
    switch (mode) {
    case Mode::Chords: {
        const Voicing* voicing = state.selectedVoicingEntry();
        player.strum(voicing ? voicingStrum(*voicing, state.tuning()) : Strum{});
        break;
    }
    case Mode::Triads:
        player.strum(state.triadShape ? voicingStrum(*state.triadShape, state.tuning()) : Strum{});
        break;
    case Mode::ChordFinder:
        player.strum(finderStrum(state));
        break;
    case Mode::Scales:
        player.playScale(state.noteList);
        break;
    case Mode::Arpeggios:
        player.playArpeggio(state.noteList);
        break;
    case Mode::Notes:
    case Mode::ChordScale:
        break; // these pages have no Play button
    }
}

} // namespace chordalis
