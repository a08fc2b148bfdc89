#pragma once

#include "app/TuningForm.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QSpinBox;

namespace chordalis {

class Program;

// frmTuning: the preset list cboPresets, per string of the neck a spinner udNote showing the
// open note's name with its octave (stepped by semitones) and the play button cmdPlay, and below
// them lblTuningRemark, which names unison and re-entrant strings. Built once (on its first
// showing) and then only hidden and shown, so it keeps what the user left in it; a neck changed
// elsewhere meanwhile is taken up when it shows again. What it does lies in TuningForm.
class TuningDialog : public QDialog {
    Q_OBJECT

public:
    TuningDialog(Program& program, QWidget* parent = nullptr);

    const TuningForm& form() const { return m_form; }

    // OK: hides the dialog, stores the tuning and redraws the current mode.
    void accept() override;

Q_SIGNALS:
    // cmdPlay(k) was clicked: play this MIDI note (the spinner's value) on the open string.
    void playNoteRequested(int midiNote);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void makeRows();
    void showForm();

    Program& m_program;
    TuningForm m_form;
    QComboBox* m_presets;
    QGridLayout* m_strings;
    QLabel* m_remark;
    std::vector<QWidget*> m_rowWidgets; // every widget of the string rows, for a rebuild
    std::vector<QSpinBox*> m_notes;
};

} // namespace chordalis
