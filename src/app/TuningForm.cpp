#include "app/TuningForm.h"

#include "app/Program.h"
#include "modes/Modes.h"
#include "theory/Spelling.h"

#include <algorithm>

namespace chordalis {

QStringList TuningForm::presetTexts() {
    QStringList texts;
    for (const TuningPreset& preset : TuningPresets)
        texts << QLatin1String(preset.text);
    return texts;
}

void TuningForm::build(AppState& state) {
    for (std::size_t k = 0; k < udNote.size(); ++k)
        udNote[k] = std::clamp(state.tuning[k + 1], LowestOpenNote[k], HighestOpenNote[k]);
    presetClicked(state, std::clamp(state.tuning[0], 0, int(TuningPresets.size()) - 1));
}

void TuningForm::presetClicked(AppState& state, int n) {
    if (n < 0 || n >= int(TuningPresets.size()))
        return;
    cboPresets = n;
    const TuningPreset& preset = TuningPresets[std::size_t(n)];
    state.tuningSpelling = preset.spelling;
    if (n != 0)
        udNote = preset.notes;
}

void TuningForm::noteStepped(AppState& state, int k, int value) {
    if (k < 0 || k >= int(udNote.size()))
        return;
    const std::size_t i = std::size_t(k);
    udNote[i] = std::clamp(value, LowestOpenNote[i], HighestOpenNote[i]);
    presetClicked(state, 0);
}

QString TuningForm::noteName(const AppState& state, int k) const {
    if (k < 0 || k >= int(udNote.size()))
        return {};
    return chordalis::noteName(udNote[std::size_t(k)] % 12, state.tuningSpelling);
}

void TuningForm::ok(Program& program) {
    AppState& state = program.state;
    state.tuning[0] = cboPresets;
    std::copy(udNote.begin(), udNote.end(), state.tuning.begin() + 1);
    if (state.tuning[0] == 0 && hasStandardNotes(state.tuning)) {
        state.tuning[0] = StandardPreset;
        presetClicked(state, StandardPreset);
    }
    rootChange(program.context(), program.pages.rootTab);
}

} // namespace chordalis
