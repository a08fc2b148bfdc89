#include "sound/MetronomeOptions.h"

#include "sound/Metronome.h"
#include "sound/SoundSettings.h"

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

void storeMetronomeRow(MetronomeSettings& settings, MetronomeList list, int row) {
    switch (list) {
    case MetronomeList::Sound1:
        settings.sound1 = FirstDrumKey + row;
        break;
    case MetronomeList::Sound2:
        settings.sound2 = FirstDrumKey + row;
        break;
    case MetronomeList::Channel:
        settings.channel = row;
        break;
    }
}

void storeBeatsText(MetronomeSettings& settings, const QString& text) {
    if (const auto beats = beatsFromText(text))
        settings.beats = *beats;
}

} // namespace chordalis
