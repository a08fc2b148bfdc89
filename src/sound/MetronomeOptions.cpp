#include "sound/MetronomeOptions.h"

#include "app/AppState.h"
#include "sound/Metronome.h"

#include <algorithm>

namespace chordalis {

std::optional<int> beatsFromText(const QString& text) {
    bool ok = false;
    const short beats = text.trimmed().toShort(&ok, 10);
    return ok ? std::optional<int>(beats) : std::nullopt;
}

int steppedBeats(const QString& text, int storedBeats, int step) {
    const int from = beatsFromText(text).value_or(storedBeats);
    return std::clamp(from + step, MinSpinnerBeats, MaxSpinnerBeats);
}

MetronomeControls metronomeControls(const MetronomeSettings& s) {
    MetronomeControls c;
    c.tempo = std::clamp(s.tempo, MinMetronomeTempo, MaxMetronomeTempo);
    c.sound1Row = std::clamp(s.sound1, FirstDrumKey, LastDrumKey) - FirstDrumKey;
    c.sound2Row = std::clamp(s.sound2, FirstDrumKey, LastDrumKey) - FirstDrumKey;
    c.channelRow = std::clamp(s.channel, 0, 15);
    return c;
}

} // namespace chordalis
