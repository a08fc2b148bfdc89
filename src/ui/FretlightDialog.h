#pragma once

#include <QDialog>
#include <array>

class QRadioButton;

namespace chordalis {

class Program;

// frmFretlight: which pedal action each switch of the LED guitar runs. Two columns, "Left" and
// "Right", of five option buttons (optLeft0..4, optRight0..4), row k - 1 for action k. Made at
// its first showing and afterwards only shown again; each showing starts from the options in
// force, OK takes the chosen ones, Cancel keeps them.
class FretlightDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* Caption = "Optek Fretlight\u00AE Guitar Support";

    explicit FretlightDialog(Program& program, QWidget* parent = nullptr);

    // Selects the buttons of the options in force, shows the dialog modally, and on OK stores the
    // chosen actions. Returns whether OK was pressed.
    bool showModal();

    QRadioButton* left(int row) const { return m_left[size_t(row)]; }
    QRadioButton* right(int row) const { return m_right[size_t(row)]; }

private:
    void select();
    void store();

    Program& m_program;
    std::array<QRadioButton*, 5> m_left{};
    std::array<QRadioButton*, 5> m_right{};
};

} // namespace chordalis
