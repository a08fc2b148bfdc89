#pragma once

#include "theory/Tuning.h"

#include <QString>
#include <QStringList>
#include <array>

namespace chordalis {

class Program;

// What the tuning dialog frmTuning holds and does, without its widgets: the chosen entry of
// cboPresets and the six spinners udNote (index 0 for string 1). Choosing a preset changes the
// open strings' spelling at once; OK stores the tuning and redraws; Cancel only hides, so the
// spinners, the entry and the spelling stay as the user left them.
class TuningForm {
public:
    // The thirteen entries of cboPresets, blanks included; the index is the preset number.
    static QStringList presetTexts();

    // First showing: the spinners take the tuning's notes, then the tuning's preset is chosen.
    void build(Program& program);

    // An entry n 0..12 of cboPresets was chosen: the spelling column of the entry, and for every
    // entry but " Custom " its six notes. Other indexes change nothing.
    void presetClicked(Program& program, int n);

    // The user stepped spinner k 0..5 to a value: kept within the string's limits, and the list
    // switches to " Custom ".
    void noteStepped(Program& program, int k, int value);

    // txtNote(k): the name of spinner k's note in the open strings' spelling ("G#" or "Ab").
    QString noteName(const Program& program, int k) const;

    // OK: the neck takes the entry and the six notes (a custom tuning set by hand to the
    // standard notes becomes standard tuning) as a six-string guitar with the frets it had, then
    // the current mode is redrawn for the root.
    void ok(Program& program);

    int cboPresets = StandardPreset;
    std::array<int, 6> udNote{64, 59, 55, 50, 45, 40};
};

} // namespace chordalis
