#include "modes/AppState.h"

#include <algorithm>

namespace chordalis {

void AppState::resetSelections() {
    currentRoot = 0;
    selectedChord = selectedScale = selectedVoicing = selectedArpeggio = -1;
    selectedTriad = selectedCSChord = selectedCSScale = -1;
    voicingChosen = false;
}

void AppState::setInstrument(const Instrument& neck) {
    instrument = neck;
    // Only the neck's own strings start past the nut, each below the last fret (one that does
    // not starts at the nut).
    for (int s = 1; s <= MaxStrings; ++s) {
        int& first = instrument.firstFrets[std::size_t(s - 1)];
        if (s > neck.strings() || first < 0 || first > Instrument::MaxFirstFret ||
            first >= neck.frets)
            first = 0;
    }
    finderSelection.resize(std::size_t(neck.strings()), 0);
    for (int& value : finderSelection) {
        if (value > neck.frets)
            value = 0;
    }
    // A capo the new neck cannot take (across strings it lacks, at or past its last fret) comes
    // off.
    if (!capo.fits(neck.strings()) || capo.fret >= neck.frets)
        capo = Capo{};
}

const Voicing* AppState::selectedVoicingEntry() const {
    const auto it = std::find_if(voicings.begin(), voicings.end(),
                                 [this](const Voicing& v) { return v.number == selectedVoicing; });
    return it != voicings.end() ? &*it : nullptr;
}

} // namespace chordalis
