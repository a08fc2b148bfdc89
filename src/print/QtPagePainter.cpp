#include "print/QtPagePainter.h"

#include "fretboard/ChordBoxPainter.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace chordalis {

QFont sheetFont(const PageFont& font) {
    QFont f{QString::fromLatin1(SheetFontFamily)};
    f.setPointSizeF(font.points);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    // Unhinted outlines measure the same at every resolution, so a line's width on paper does
    // not depend on the printer.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QtPagePainter::QtPagePainter(QPainter& painter)
    : m_painter(painter), m_scaleX(painter.device()->logicalDpiX() / TwipsPerInch),
      m_scaleY(painter.device()->logicalDpiY() / TwipsPerInch) {
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::TextAntialiasing);
    setFont(m_font);
    setPen(pixel());
    setFill(PageFill::White);
}

double QtPagePainter::pixel() const {
    return 1.0 / m_scaleX;
}

QPointF QtPagePainter::toDevice(QPointF twips) const {
    return {twips.x() * m_scaleX, twips.y() * m_scaleY};
}

void QtPagePainter::setFont(const PageFont& font) {
    m_font = font;
    m_painter.setFont(sheetFont(font));
}

QSizeF QtPagePainter::textSize(const QString& text) const {
    const QFontMetricsF metrics(m_painter.font(), m_painter.device());
    return {metrics.horizontalAdvance(text) / m_scaleX, metrics.height() / m_scaleY};
}

double QtPagePainter::averageCharWidth() const {
    return QFontMetricsF(m_painter.font(), m_painter.device()).averageCharWidth() / m_scaleX;
}

void QtPagePainter::drawText(QPointF topLeft, const QString& text) {
    const QFontMetricsF metrics(m_painter.font(), m_painter.device());
    m_painter.setPen(QPen(Qt::black));
    m_painter.drawText(toDevice(topLeft) + QPointF(0, metrics.ascent()), text);
}

void QtPagePainter::setPen(double width) {
    m_pen = width;
}

void QtPagePainter::setFill(PageFill fill) {
    switch (fill) {
    case PageFill::None:
        m_painter.setBrush(Qt::NoBrush);
        break;
    case PageFill::White:
        m_painter.setBrush(Qt::white);
        break;
    case PageFill::Black:
        m_painter.setBrush(Qt::black);
        break;
    }
}

namespace {

QPen outline(double width) {
    if (width <= 0)
        return Qt::NoPen;
    return QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

} // namespace

void QtPagePainter::drawLine(QPointF from, QPointF to) {
    if (m_pen <= 0)
        return;
    m_painter.setPen(outline(m_pen * m_scaleX));
    m_painter.drawLine(toDevice(from), toDevice(to));
}

void QtPagePainter::drawEllipse(QPointF centre, double radiusX, double radiusY) {
    m_painter.setPen(outline(m_pen * m_scaleX));
    m_painter.drawEllipse(toDevice(centre), radiusX * m_scaleX, radiusY * m_scaleY);
}

void QtPagePainter::drawRect(const QRectF& rect) {
    m_painter.setPen(outline(m_pen * m_scaleX));
    m_painter.drawRect(QRectF(toDevice(rect.topLeft()), toDevice(rect.bottomRight())));
}

void QtPagePainter::drawChordBox(const ChordBox& box, const QRectF& area, MarkerLabels labels,
                                 bool chosen) {
    ChordBoxStyle style = printBoxStyle(labels);
    if (chosen)
        style.frame = Qt::black;
    m_painter.save();
    QPainterBoxCanvas canvas(m_painter);
    paintChordBox(canvas, box, QRectF(toDevice(area.topLeft()), toDevice(area.bottomRight())),
                  style);
    m_painter.restore();
}

} // namespace chordalis
