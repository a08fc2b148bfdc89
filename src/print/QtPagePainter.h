#pragma once

#include "print/PagePainter.h"

#include <QFont>

class QPainter;

namespace chordalis {

// Draws a page on an active QPainter: a printer, a PDF writer or an image. Twips are turned into
// device units through the device's resolution, fonts are sized in points on the device, so the
// page comes out at its true size at any resolution.
class QtPagePainter : public PagePainter {
public:
    explicit QtPagePainter(QPainter& painter);

    double pixel() const override;

    void setFont(const PageFont& font) override;
    PageFont font() const override { return m_font; }
    QSizeF textSize(const QString& text) const override;
    double averageCharWidth() const override;
    void drawText(QPointF topLeft, const QString& text) override;

    void setPen(double width) override;
    double pen() const override { return m_pen; }
    void setFill(PageFill fill) override;

    void drawLine(QPointF from, QPointF to) override;
    void drawEllipse(QPointF centre, double radiusX, double radiusY) override;
    void drawRect(const QRectF& rect) override;
    void drawChordBox(const ChordBox& box, const QRectF& area, MarkerLabels labels,
                      bool chosen) override;

private:
    QPointF toDevice(QPointF twips) const;

    QPainter& m_painter;
    double m_scaleX; // device units per twip
    double m_scaleY;
    PageFont m_font;
    double m_pen = 0;
};

// The font a page asks for, sized for the painter's device.
QFont sheetFont(const PageFont& font);

} // namespace chordalis
