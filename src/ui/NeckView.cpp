#include "ui/NeckView.h"

#include "fretboard/Fretboard.h"

#include <QMouseEvent>
#include <QPainter>

namespace chordalis {

NeckView::NeckView(const Fretboard& fretboard, QWidget* parent)
    : QWidget(parent), m_fretboard(fretboard) {
    setObjectName(QStringLiteral("picFretboard"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
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
    const QRectF r = surfaceRect();
    if (r.isEmpty())
        return;
    QPainter p(this);
    p.translate(r.topLeft());
    p.scale(r.width() / SurfaceWidth, r.height() / SurfaceHeight);
    m_fretboard.paint(p);
}

} // namespace chordalis
