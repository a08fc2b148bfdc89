#pragma once

#include "app/TuningForm.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;
class QSpinBox;
class QToolButton;

namespace chordalis {

class Program;

// frmTuning: the preset list cboPresets and, per string, the spinner udNote, the note name
// txtNote and the play button cmdPlay. Built once (on its first showing) and then only hidden
// and shown, so it keeps what the user left in it. What it does lies in TuningForm.
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

private:
    void showForm();

    Program& m_program;
    TuningForm m_form;
    QComboBox* m_presets;
    std::array<QSpinBox*, 6> m_notes{};
    std::array<QLineEdit*, 6> m_names{};
};

} // namespace chordalis
