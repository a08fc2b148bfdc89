#include "ui/TreeIcons.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace chordalis {

namespace {

// A small chord box: four strings seen from the front, the nut or a fret on top, dots below.
QPixmap chordBox(bool nut, bool barre, QColor ink, QColor dots, qreal ratio) {
    constexpr int Size = 16;
    QPixmap pixmap(int(Size * ratio), int(Size * ratio));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 0.8));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(3.5 + 3 * i, 3), QPointF(3.5 + 3 * i, 14.5));
    for (int i = 1; i < 4; ++i)
        p.drawLine(QPointF(3.5, 3 + 3.8 * i), QPointF(12.5, 3 + 3.8 * i));
    p.setPen(QPen(ink, nut ? 2.4 : 0.8));
    p.drawLine(QPointF(3.5, 3), QPointF(12.5, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(dots);
    if (barre)
        p.drawRoundedRect(QRectF(2.2, 4.3, 11.6, 2.6), 1.3, 1.3);
    p.drawEllipse(QPointF(nut ? 6.5 : 9.5, 8.8), 1.7, 1.7);
    p.drawEllipse(QPointF(nut ? 9.5 : 12.5, 12.6), 1.7, 1.7);
    return pixmap;
}

QIcon makeIcon(bool nut, bool barre, QColor ink, QColor dots) {
    QIcon icon;
    for (qreal ratio : {1.0, 2.0})
        icon.addPixmap(chordBox(nut, barre, ink, dots, ratio));
    return icon;
}

// The icons on a light list and on a dark one: grey lines and dots that stand out on either.
QHash<QString, QIcon> makeIcons(bool dark) {
    const QColor ink = dark ? QColor(0xc8, 0xc8, 0xc8) : QColor(0x40, 0x40, 0x40);
    const QColor blue = dark ? QColor(0x6a, 0xa8, 0xff) : QColor(0x1f, 0x6f, 0xd1);
    const QColor red = dark ? QColor(0xff, 0x7a, 0x5c) : QColor(0xc2, 0x3b, 0x22);
    return {
        {QStringLiteral("voicingO"), makeIcon(true, false, ink, blue)},
        {QStringLiteral("voicing"), makeIcon(false, false, ink, blue)},
        {QStringLiteral("voicingB"), makeIcon(false, true, ink, red)},
    };
}

} // namespace

QIcon treeIcon(const QString& key) {
    // Drawn for the list's ground, which follows the theme.
    static const QHash<QString, QIcon> light = makeIcons(false);
    static const QHash<QString, QIcon> dark = makeIcons(true);
    const bool onDark = QApplication::palette().color(QPalette::Base).lightnessF() < 0.5;
    return (onDark ? dark : light).value(key);
}

} // namespace chordalis
