#pragma once

#include "app/ColourKey.h"

#include <QColor>
#include <QDialog>
#include <array>
#include <functional>
#include <optional>

namespace chordalis {

class ColourBox;
class MessageBoxes;
class Program;

// frmKey, "Fingering Colours": the four colour boxes piccol(0..3) with their labels, the reset
// button and OK/Cancel. Shown modally from the menu (after showme) or without waiting from the
// Key button. What it does lies in ColourKey.
class ColourKeyDialog : public QDialog {
    Q_OBJECT

public:
    // Asks the user for a colour, starting from the given one; nothing when cancelled.
    using ColourPicker = std::function<std::optional<QColor>(QWidget* parent, const QColor&)>;

    ColourKeyDialog(Program& program, MessageBoxes& boxes, QWidget* parent = nullptr);

    // The boxes take the shared colours (the menu's way of opening).
    void showme();

    // The platform's colour dialog unless replaced (tests answer it themselves).
    void setColourPicker(ColourPicker picker) { m_picker = std::move(picker); }

    const ColourKey& key() const { return m_key; }

    // OK: hides the dialog, stores the colours and redraws the current mode.
    void accept() override;

Q_SIGNALS:
    // The shared colours changed and the current mode was redrawn.
    void applied();

private:
    void pick(int box);
    void reset();
    void showKey();

    Program& m_program;
    MessageBoxes& m_boxes;
    ColourKey m_key;
    ColourPicker m_picker;
    std::array<ColourBox*, 4> m_boxesShown{};
};

} // namespace chordalis
