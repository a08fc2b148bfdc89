#include "ui/QtMessageBoxes.h"

#include "app/AppInfo.h"

#include <QMessageBox>

namespace chordalis {

namespace {

QMessageBox::Icon qtIcon(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::Exclamation:
        return QMessageBox::Warning;
    case BoxIcon::Stop:
        return QMessageBox::Critical;
    case BoxIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtMessageBoxes::inform(BoxIcon icon, const QString& text) {
    QMessageBox box(qtIcon(icon), QLatin1String(AppTitle), text, QMessageBox::Ok, m_parent);
    box.exec();
}

bool QtMessageBoxes::ask(BoxIcon icon, const QString& text) {
    QMessageBox box(qtIcon(icon), QLatin1String(AppTitle), text, QMessageBox::Yes | QMessageBox::No,
                    m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

} // namespace chordalis
