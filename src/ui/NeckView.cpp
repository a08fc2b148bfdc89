#include "ui/NeckView.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace chordalis {

namespace {

// Left edges of the 21-unit marker cells of frets 0..15 and the tops of the string rows 1..6.
constexpr std::array<int, 16> FretColumns = {0,   66,  129, 189, 245, 300, 349, 396,
                                             442, 486, 528, 568, 604, 637, 669, 699};
constexpr std::array<int, 6> StringRows = {22, 46, 70, 94, 119, 143};
constexpr int Cell = 21;

constexpr double NutLeft = 40.0;
constexpr double NutWidth = 6.0;
constexpr double NeckEnd = 729.0;
constexpr double NeckTop = 15.0;
constexpr double NeckBottom = 170.0;

// The wire that closes fret f (1..15) sits halfway between its cell and the next one.
double fretWire(int f) {
    if (f >= 15)
        return FretColumns[15] + Cell + 5.0;
    return (FretColumns[size_t(f)] + Cell + FretColumns[size_t(f) + 1]) / 2.0;
}

double cellCentre(int f) {
    return FretColumns[size_t(f)] + Cell / 2.0;
}
double stringCentre(int s) {
    return StringRows[size_t(s) - 1] + 10.0;
}

} // namespace

NeckView::NeckView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picFretboard"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void NeckView::setLeftHanded(bool leftHanded) {
    if (leftHanded == m_leftHanded)
        return;
    m_leftHanded = leftHanded;
    update();
}

QSize NeckView::sizeHint() const {
    return {SurfaceWidth, SurfaceHeight};
}

QSize NeckView::minimumSizeHint() const {
    return {SurfaceWidth / 2, SurfaceHeight / 2};
}

int NeckView::heightForWidth(int width) const {
    return (width * SurfaceHeight + SurfaceWidth / 2) / SurfaceWidth;
}

QRectF NeckView::surfaceRect() const {
    const double scale = std::min(double(width()) / SurfaceWidth, double(height()) / SurfaceHeight);
    const double w = SurfaceWidth * scale;
    const double h = SurfaceHeight * scale;
    return {(width() - w) / 2.0, (height() - h) / 2.0, w, h};
}

QPointF NeckView::toSurface(QPointF widgetPos) const {
    const QRectF r = surfaceRect();
    if (r.isEmpty())
        return {};
    const double scale = r.width() / SurfaceWidth;
    return (widgetPos - r.topLeft()) / scale;
}

void NeckView::mousePressEvent(QMouseEvent* event) {
    Q_EMIT pressed(event->button(), toSurface(event->position()));
}

void NeckView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = surfaceRect();
    p.translate(r.topLeft());
    p.scale(r.width() / SurfaceWidth, r.height() / SurfaceHeight);
    if (m_leftHanded) {
        p.translate(SurfaceWidth, 0);
        p.scale(-1, 1);
    }
    paintNeck(p);
}

void NeckView::paintNeck(QPainter& p) const {
    // Light margins: the open-string names, the signs beside the nut and the sounding note names
    // are drawn in black there.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf4, 0xf1, 0xea));
    p.drawRoundedRect(QRectF(0, 0, SurfaceWidth, SurfaceHeight), 6, 6);

    // Rosewood fingerboard with a cream binding.
    const QRectF board(NutLeft, NeckTop, NeckEnd - NutLeft, NeckBottom - NeckTop);
    QLinearGradient wood(board.topLeft(), board.bottomLeft());
    wood.setColorAt(0.0, QColor(0x4a, 0x2c, 0x1c));
    wood.setColorAt(0.5, QColor(0x3a, 0x22, 0x15));
    wood.setColorAt(1.0, QColor(0x2b, 0x19, 0x0f));
    p.setBrush(wood);
    p.drawRect(board);
    p.setPen(QPen(QColor(255, 255, 255, 14), 1.0));
    for (double y = NeckTop + 6; y < NeckBottom; y += 9)
        p.drawLine(QPointF(NutLeft, y), QPointF(NeckEnd, y + 2));
    p.setPen(QPen(QColor(0xe8, 0xdc, 0xbd), 2.0));
    p.drawLine(QPointF(NutLeft, NeckTop), QPointF(NeckEnd, NeckTop));
    p.drawLine(QPointF(NutLeft, NeckBottom), QPointF(NeckEnd, NeckBottom));

    // Position inlays: single dots, a pair at the octave.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe9, 0xe4, 0xd8));
    const double middle = (stringCentre(3) + stringCentre(4)) / 2.0;
    for (int f : {3, 5, 7, 9, 15})
        p.drawEllipse(QPointF(cellCentre(f), middle), 5.5, 5.5);
    p.drawEllipse(QPointF(cellCentre(12), (stringCentre(2) + stringCentre(3)) / 2.0), 5.5, 5.5);
    p.drawEllipse(QPointF(cellCentre(12), (stringCentre(4) + stringCentre(5)) / 2.0), 5.5, 5.5);

    // Fret wires and the nut.
    for (int f = 1; f <= 15; ++f) {
        const double x = fretWire(f);
        QLinearGradient metal(QPointF(x - 1.5, 0), QPointF(x + 1.5, 0));
        metal.setColorAt(0.0, QColor(0x8c, 0x8c, 0x8c));
        metal.setColorAt(0.5, QColor(0xf2, 0xf2, 0xf2));
        metal.setColorAt(1.0, QColor(0x7a, 0x7a, 0x7a));
        p.setBrush(metal);
        p.drawRect(QRectF(x - 1.5, NeckTop, 3.0, NeckBottom - NeckTop));
    }
    p.setBrush(QColor(0xf1, 0xea, 0xd6));
    p.drawRect(QRectF(NutLeft, NeckTop - 1, NutWidth, NeckBottom - NeckTop + 2));

    // Strings, thin and plain at the top (string 1), heavier and wound below.
    for (int s = 1; s <= 6; ++s) {
        const double y = stringCentre(s);
        const double thickness = 0.9 + 0.35 * (s - 1);
        const QColor colour = s <= 2 ? QColor(0xdc, 0xdc, 0xdc) : QColor(0xcf, 0xb9, 0x86);
        p.setPen(QPen(QColor(0, 0, 0, 90), thickness + 1.0));
        p.drawLine(QPointF(NutLeft, y + 1.0), QPointF(NeckEnd, y + 1.0));
        p.setPen(QPen(colour, thickness));
        p.drawLine(QPointF(NutLeft, y), QPointF(NeckEnd, y));
    }
}

} // namespace chordalis
