#pragma once

#include "theory/Tuning.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace chordalis {

class Program;

// What the tuning dialog frmTuning holds and does, without its widgets: the chosen entry of
// cboPresets and one spinner udNote per string of the neck (index 0 for string 1), 4 to 10 of
// them. Choosing a preset changes the open strings' spelling at once; OK stores the tuning and
// redraws; Cancel only hides, so the spinners, the entry and the spelling stay as the user left
// them until the neck is changed elsewhere (the Instrument menu), which the next build takes up.
class TuningForm {
public:
    // The entries of cboPresets, blanks included; the index is the preset number.
    static QStringList presetTexts();

    // Takes up the neck: one spinner per string with the note it sounds open (a short string's,
    // the banjo's fifth, at its first fret), held within the string's limits, then the tuning's
    // preset is chosen (" Custom " on a neck of other size).
    void build(Program& program);

    // Whether the neck has changed since build() or ok() last took it up.
    bool isStale(const Program& program) const;

    // An entry n 0..LastTuningPreset of cboPresets was chosen: the spelling column of the entry,
    // and for every entry but " Custom " its notes, on six spinners (the presets tune the
    // six-string guitar). Other indexes change nothing.
    void presetClicked(Program& program, int n);

    // The user stepped spinner k to a value: kept within the string's limits, and the list
    // switches to " Custom ". Another k changes nothing.
    void noteStepped(Program& program, int k, int value);

    int strings() const { return int(udNote.size()); }
    // The lowest and highest note spinner k may take (MIDI notes, inclusive).
    OpenNoteRange limits(int k) const { return openNoteRange(strings(), k + 1); }

    // A note as spinner k shows it: its name with the octave, in the open strings' spelling
    // ("E2", "G#3" or "Ab3"; middle C is C4).
    QString noteText(const Program& program, int midiNote) const;
    // The name of spinner k's note with its octave; empty for another k.
    QString noteName(const Program& program, int k) const;

    // lblTuningRemark: what a player should know about the strings as they stand, or empty:
    // two adjacent strings at the same note, or a string sounding above the next higher one (a
    // re-entrant tuning, as a ukulele's high G). Both are taken as they are.
    QString remark(const Program& program) const;

    // OK: the neck takes the entry and the notes (a custom six-string tuning set by hand to the
    // standard notes becomes standard tuning) with the frets it had, then the current mode is
    // redrawn for the root. Six spinners on a neck of another size make it a six-string guitar.
    void ok(Program& program);

    int cboPresets = StandardPreset;
    std::vector<int> udNote{64, 59, 55, 50, 45, 40};

private:
    Tuning m_taken; // the tuning last taken up from the neck or stored
};

} // namespace chordalis
