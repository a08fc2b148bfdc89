#pragma once

#include <QString>
#include <optional>

namespace chordalis {

struct MetronomeSettings;

// The beats per bar typed in the metronome window: a whole number of 16 bits, blanks around it
// allowed. 0 or less accents every click. Anything else (an empty box while the user retypes,
// letters, a number beyond -32768..32767) gives nothing, and the stored value stays.
std::optional<int> beatsFromText(const QString& text);

// The range the beats spinner steps through.
inline constexpr int MinSpinnerBeats = 1;
inline constexpr int MaxSpinnerBeats = 32767;

// The beats a spinner step leads to from the box's text (`step` +1 or -1): from the stored beats
// when the box holds no number, always within the spinner's range.
int steppedBeats(const QString& text, int storedBeats, int step);

// What the metronome window shows: rows of its lists and the slider's value.
struct MetronomeControls {
    int tempo = 0;      // 40..400
    int sound1Row = 0;  // 0..46, key 35 + row
    int sound2Row = 0;  // 0..46
    int channelRow = 0; // 0..15, the wire channel
    friend bool operator==(const MetronomeControls&, const MetronomeControls&) = default;
};

// The controls for the settings; values the controls cannot show are clamped into range.
MetronomeControls metronomeControls(const MetronomeSettings& settings);

// The lists of the metronome window.
enum class MetronomeList { Sound1, Sound2, Channel };

// Stores the setting a row of a list stands for (drum key 35 + row, or the wire channel).
void storeMetronomeRow(MetronomeSettings& settings, MetronomeList list, int row);

// Stores the beats the box's text gives; a text that is no number leaves them as they are.
void storeBeatsText(MetronomeSettings& settings, const QString& text);

} // namespace chordalis
