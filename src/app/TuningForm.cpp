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
    const Instrument& neck = program.state().instrument;
    const Tuning& tuning = neck.tuning;
    m_taken = tuning;
    udNote = tuning.notes;
    for (int k = 0; k < strings(); ++k)
        udNote[size_t(k)] =
            std::clamp(udNote[size_t(k)] + neck.firstFret(k + 1), limits(k).low, limits(k).high);
    const bool guitar = tuning.strings() == 6;
    presetClicked(program, guitar ? std::clamp(tuning.preset, 0, LastTuningPreset) : CustomPreset);
}

bool TuningForm::isStale(const Program& program) const {
    return program.state().tuning() != m_taken;
}

void TuningForm::presetClicked(Program& program, int n) {
    if (n < 0 || n > LastTuningPreset)
        return;
    cboPresets = n;
    const TuningPreset& preset = TuningPresets[std::size_t(n)];
    program.context().state.tuningSpelling = preset.spelling;
    if (n != CustomPreset)
        udNote.assign(preset.notes.begin(), preset.notes.end());
}

void TuningForm::noteStepped(Program& program, int k, int value) {
    if (k < 0 || k >= strings())
        return;
    udNote[size_t(k)] = std::clamp(value, limits(k).low, limits(k).high);
    presetClicked(program, CustomPreset);
}

QString TuningForm::noteText(const Program& program, int midiNote) const {
    const QString name = chordalis::noteName(midiNote % 12, program.state().tuningSpelling);
    return nameWithOctave(name, midiNote);
}

QString TuningForm::noteName(const Program& program, int k) const {
    return k >= 0 && k < strings() ? noteText(program, udNote[size_t(k)]) : QString();
}

QString TuningForm::remark(const Program& program) const {
    QStringList lines;
    for (int k = 0; k + 1 < strings(); ++k) {
        const int higher = udNote[size_t(k)];
        const int lower = udNote[size_t(k + 1)];
        if (lower == higher)
            lines << QStringLiteral("Strings %1 and %2 are both %3.")
                         .arg(k + 1)
                         .arg(k + 2)
                         .arg(noteText(program, higher));
        else if (lower > higher)
            lines << QStringLiteral("String %1 (%2) sounds above string %3 (%4): a re-entrant "
                                    "tuning, any string may sound the lowest note.")
                         .arg(k + 2)
                         .arg(noteText(program, lower))
                         .arg(k + 1)
                         .arg(noteText(program, higher));
    }
    return lines.join(QLatin1Char('\n'));
}

void TuningForm::ok(Program& program) {
    Instrument neck = program.state().instrument;
    neck.tuning = {strings() == 6 ? cboPresets : CustomPreset, udNote};
    for (int k = 0; k < strings(); ++k)
        neck.tuning.notes[size_t(k)] -= neck.firstFret(k + 1); // held at the neck's fret 0
    if (neck.tuning.preset == CustomPreset && hasStandardNotes(neck.tuning)) {
        neck.tuning.preset = StandardPreset;
        presetClicked(program, StandardPreset);
    }
    setInstrument(program.context(), neck);
    m_taken = program.state().tuning();
}

} // namespace chordalis
