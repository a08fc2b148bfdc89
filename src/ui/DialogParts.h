#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QDialog;
class QDialogButtonBox;
class QLabel;
class QWidget;

namespace chordalis {

// Pieces the program's dialogs share, so that they look and behave alike.

// OK (`cmdOK`, the default button) and Cancel (`cmdCancel`). OK accepts the dialog unless
// connectOk is false (the caller connects its own handler); Cancel rejects it.
QDialogButtonBox* okCancelButtons(QDialog* dialog, bool connectOk = true);

// A drop-down list with the rows, showing the given row.
QComboBox* makeList(const QString& name, const QStringList& rows, int row);

// A caption for a control; its mnemonic moves the focus there.
QLabel* buddyLabel(const QString& text, QWidget* control);

} // namespace chordalis
