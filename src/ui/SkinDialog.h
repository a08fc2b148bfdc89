#pragma once

#include "app/SkinChooser.h"

#include <QDialog>

class QLabel;
class QListWidget;

namespace chordalis {

class MessageBoxes;
class Program;

// frmFBDesign, "Available Fretboards": the skin files File1 and the picture imgPreview of the
// one clicked. What it does lies in SkinChooser.
class SkinDialog : public QDialog {
    Q_OBJECT

public:
    SkinDialog(Program& program, MessageBoxes& boxes, QWidget* parent = nullptr);

    // Lists the skin folder and selects the current skin; false (after the message) when the
    // folder cannot be opened, and the dialog must not be shown.
    bool prepare();

    const SkinChooser& chooser() const { return m_chooser; }

    // OK: hides the dialog, loads the chosen skin and redraws the current mode.
    void accept() override;

private:
    void showChooser();

    Program& m_program;
    MessageBoxes& m_boxes;
    SkinChooser m_chooser;
    QListWidget* m_files;
    QLabel* m_preview;
};

} // namespace chordalis
