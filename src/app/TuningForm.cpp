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

void TuningForm::build(Program& program) {
    // The dialog tunes a six-string guitar; a neck of another size starts it at standard tuning.
    const Tuning& tuning = program.state().tuning();
    if (tuning.strings() != 6) {
        presetClicked(program, StandardPreset);
        return;
    }
    for (std::size_t k = 0; k < udNote.size(); ++k)
        udNote[k] = std::clamp(tuning.notes[k], LowestOpenNote[k], HighestOpenNote[k]);
    presetClicked(program, std::clamp(tuning.preset, 0, int(TuningPresets.size()) - 1));
}

void TuningForm::presetClicked(Program& program, int n) {
    if (n < 0 || n >= int(TuningPresets.size()))
        return;
    cboPresets = n;
    const TuningPreset& preset = TuningPresets[std::size_t(n)];
    program.context().state.tuningSpelling = preset.spelling;
    if (n != 0)
        udNote = preset.notes;
}

void TuningForm::noteStepped(Program& program, int k, int value) {
    if (k < 0 || k >= int(udNote.size()))
        return;
    const std::size_t i = std::size_t(k);
    udNote[i] = std::clamp(value, LowestOpenNote[i], HighestOpenNote[i]);
    presetClicked(program, CustomPreset);
}

QString TuningForm::noteName(const Program& program, int k) const {
    if (k < 0 || k >= int(udNote.size()))
        return {};
    return chordalis::noteName(udNote[std::size_t(k)] % 12, program.state().tuningSpelling);
}

void TuningForm::ok(Program& program) {
    Instrument neck = program.state().instrument;
    neck.tuning = {cboPresets, std::vector<int>(udNote.begin(), udNote.end())};
    if (neck.tuning.preset == CustomPreset && hasStandardNotes(neck.tuning)) {
        neck.tuning.preset = StandardPreset;
        presetClicked(program, StandardPreset);
    }
    setInstrument(program.context(), neck);
}

} // namespace chordalis
