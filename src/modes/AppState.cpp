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
