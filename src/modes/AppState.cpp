#include "modes/AppState.h"

#include <algorithm>

namespace chordalis {

void AppState::resetSelections() {
    currentRoot = 0;
    selectedChord = selectedScale = selectedVoicing = selectedArpeggio = -1;
    selectedTriad = selectedCSChord = selectedCSScale = -1;
}

const Voicing* AppState::selectedVoicingEntry() const {
    const auto it = std::find_if(voicings.begin(), voicings.end(),
                                 [this](const Voicing& v) { return v.number == selectedVoicing; });
    return it != voicings.end() ? &*it : nullptr;
}

} // namespace chordalis
