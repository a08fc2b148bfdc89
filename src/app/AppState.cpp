#include "app/AppState.h"

namespace chordalis {

void AppState::resetSelections() {
    currentRoot = 0;
    selectedChord = selectedScale = selectedVoicing = selectedArpeggio = -1;
    selectedTriad = selectedCSChord = selectedCSScale = -1;
}

} // namespace chordalis
