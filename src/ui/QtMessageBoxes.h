#pragma once

#include "app/MessageBoxes.h"

#include <QPointer>
#include <QWidget>

namespace chordalis {

// The program's message boxes: modal QMessageBoxes captioned "Chordalis", centred over the main
// window once there is one.
class QtMessageBoxes : public MessageBoxes {
public:
    void inform(BoxIcon icon, const QString& text) override;
    bool ask(BoxIcon icon, const QString& text) override;

    // The window the boxes belong to; null (the default) before the main window exists.
    void setParentWindow(QWidget* window) { m_parent = window; }

private:
    QPointer<QWidget> m_parent;
};

} // namespace chordalis
