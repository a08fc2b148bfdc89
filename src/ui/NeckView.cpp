#include "ui/NeckView.h"

#include "fretboard/Fretboard.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <utility>

namespace chordalis {

NeckView::NeckView(const Fretboard& fretboard, QWidget* parent)
    : QWidget(parent), m_fretboard(fretboard),
      m_surfaceSize(fretboard.geometry().width(), fretboard.geometry().height()) {
    setObjectName(QStringLiteral("picFretboard"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_sharpLater.setSingleShot(true);
    m_sharpLater.setInterval(SharpFrameDelayMs);
    connect(&m_sharpLater, &QTimer::timeout, this, [this] {
        m_sharpNext = true;
        update();
    });
}

void NeckView::setExtras(const NeckExtras& extras, FretNumbers fretNumbers) {
    const bool resized = (fretNumbers == FretNumbers::None) != (m_fretNumbers == FretNumbers::None);
    m_extras = extras;
    m_fretNumbers = fretNumbers;
    if (resized)
        updateGeometry();
    update();
}

int NeckView::surfaceWidth() const {
    return m_fretboard.geometry().width();
}

int NeckView::surfaceHeight() const {
    return m_fretboard.geometry().height();
}

void NeckView::refresh() {
    const QSize size(surfaceWidth(), surfaceHeight());
    if (size != m_surfaceSize) {
        m_surfaceSize = size;
        updateGeometry();
    }
    update();
}

int NeckView::contentHeight() const {
    return surfaceHeight() + (m_fretNumbers == FretNumbers::None ? 0 : FretNumberStripHeight);
}

QSize NeckView::sizeHint() const {
    return {surfaceWidth(), m_preferredHeight > 0 ? m_preferredHeight : contentHeight()};
}

QSize NeckView::minimumSizeHint() const {
    // Below three fifths of its size the names on the markers can no longer be read.
    return {surfaceWidth() * 3 / 5, contentHeight() * 3 / 5};
}

int NeckView::heightForWidth(int width) const {
    return (width * contentHeight() + surfaceWidth() / 2) / surfaceWidth();
}

void NeckView::setPreferredHeight(int height) {
    if (height == m_preferredHeight)
        return;
    m_preferredHeight = height;
    setMaximumHeight(height);
    updateGeometry();
}

double NeckView::stretch() const {
    const double across = double(width()) / surfaceWidth();
    const double down = double(height()) / contentHeight();
    return down > 0.0 ? std::clamp(across / down, 1.0, MaxStretch) : 1.0;
}

QRectF NeckView::surfaceRect() const {
    const double scale =
        std::min(double(width()) / surfaceWidth(), double(height()) / contentHeight());
    const double w = surfaceWidth() * scale * stretch();
    const double h = contentHeight() * scale;
    return {(width() - w) / 2.0, (height() - h) / 2.0, w, surfaceHeight() * scale};
}

QPointF NeckView::toSurface(QPointF widgetPos) const {
    const QRectF r = surfaceRect();
    if (r.isEmpty())
        return {};
    const double scale = r.height() / surfaceHeight();
    const QPointF offset = widgetPos - r.topLeft();
    return {offset.x() / (scale * stretch()), offset.y() / scale};
}

void NeckView::mousePressEvent(QMouseEvent* event) {
    Q_EMIT pressed(event->button(), toSurface(event->position()));
}

bool NeckView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (const Mark* mark = m_fretboard.markerAt(toSurface(help->pos()))) {
            const double scale = surfaceRect().height() / surfaceHeight();
            const QPointF centre((mark->x + CellSize / 2.0) * stretch(), mark->y + CellSize / 2.0);
            const QRect cell = QRectF(surfaceRect().topLeft() + centre * scale -
                                          QPointF(CellSize, CellSize) * (scale / 2.0),
                                      QSizeF(CellSize, CellSize) * scale)
                                   .toAlignedRect();
            QToolTip::showText(help->globalPos(), markerToolTip(*mark), this, cell);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void NeckView::paintEvent(QPaintEvent*) {
    const QRectF r = surfaceRect();
    if (r.isEmpty())
        return;
    QPainter p(this);
    p.translate(r.topLeft());
    const double scale = r.height() / surfaceHeight();
    p.scale(scale, scale);
    // While the window is resized the neck comes at once from what was rendered at the old
    // size, and the sharp one at the new size follows when the resizing pauses.
    if (std::exchange(m_sharpNext, false)) {
        m_sharpLater.stop();
        m_fretboard.paint(p, m_extras, stretch());
    } else if (!m_fretboard.paintResized(p, m_extras, stretch())) {
        m_sharpLater.start();
    }
    if (m_fretNumbers != FretNumbers::None) {
        p.translate(0, surfaceHeight());
        m_fretboard.paintFretNumbers(p, m_fretNumbers, palette().color(QPalette::WindowText),
                                     stretch());
    }
}

} // namespace chordalis
