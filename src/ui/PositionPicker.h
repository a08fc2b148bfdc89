#pragma once

#include "theory/Positions.h"

#include <QWidget>

class QComboBox;
class QRadioButton;

namespace chordalis {

// "Show Positions": a position list (cbo<name>) with its option pair (opt<name>0 "4 note
// positions", opt<name>1 "5 note positions"), bound to a PositionList of the page models.
class PositionPicker : public QWidget {
    Q_OBJECT

public:
    // name: the list's role, e.g. "ScalePositions" for cboScalePositions / optScalePositions.
    PositionPicker(const QString& name, const PositionList& model, QWidget* parent = nullptr);

    // Shows the model's entries, selected entry and option.
    void showModel();

    QComboBox* list() const { return m_list; }
    QRadioButton* option(int k) const { return k == 0 ? m_four : m_five; }

Q_SIGNALS:
    void entryChosen(int index);
    // Option k (0: four-note, 1: five-note windows) was clicked, even when already chosen.
    void optionClicked(int k);

private:
    const PositionList& m_model;
    QComboBox* m_list;
    QRadioButton* m_four;
    QRadioButton* m_five;
};

} // namespace chordalis
