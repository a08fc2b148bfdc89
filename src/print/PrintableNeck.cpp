#include "print/PrintableNeck.h"

#include "fretboard/BuiltInNeck.h"

#include <algorithm>
#include <cmath>

namespace chordalis {

namespace {

// Line widths in twips: thin enough to leave the markers the strongest marks on the page.
constexpr double FretWidth = 16;
constexpr double InlayWidth = 10;
constexpr PageFont FretNumberFont{7, false, false};
constexpr double InlayRadius = 4.0; // surface units
// How far the fret wires and the nut reach beyond the outer strings' centres, in surface units:
// half a marker, so that a marker on an outer string sits inside the wires.
constexpr double WireReach = CellSize / 2.0;

// Surface units to twips in the area, mirrored left to right for a left-handed neck.
class Mapping {
public:
    Mapping(const QRectF& area, bool leftHanded, const NeckGeometry& geometry)
        : m_area(area), m_width(geometry.width()), m_scaleX(area.width() / geometry.width()),
          m_scaleY(area.height() / geometry.height()), m_leftHanded(leftHanded) {}

    QPointF point(double x, double y) const {
        const double u = m_leftHanded ? m_width - x : x;
        return {m_area.left() + u * m_scaleX, m_area.top() + y * m_scaleY};
    }
    QRectF rect(double left, double top, double right, double bottom) const {
        return QRectF(point(left, top), point(right, bottom)).normalized();
    }
    double lengthX(double units) const { return units * m_scaleX; }
    double lengthY(double units) const { return units * m_scaleY; }

private:
    QRectF m_area;
    double m_width;
    double m_scaleX;
    double m_scaleY;
    bool m_leftHanded;
};

void drawInlay(PagePainter& p, const Mapping& m, double x, double y) {
    p.drawEllipse(m.point(x, y), m.lengthX(InlayRadius), m.lengthY(InlayRadius));
}

} // namespace

void drawPrintableNeck(PagePainter& p, const QRectF& area, bool leftHanded, const NeckGeometry& g,
                       const std::vector<QPointF>& markers) {
    const Mapping m(area, leftHanded, g);

    // Inlays first, as rings between the strings: strings and frets stay unbroken over them. A
    // marker close enough to touch one hides it.
    p.setPen(InlayWidth);
    p.setFill(PageFill::None);
    auto inlay = [&](double x, double y) {
        const double reach = CellSize / 2.0 + InlayRadius + 1.0;
        for (const QPointF& marker : markers) {
            if (std::hypot(marker.x() - x, marker.y() - y) < reach)
                return;
        }
        drawInlay(p, m, x, y);
    };
    for (int fret = 1; fret <= g.frets(); ++fret) {
        if (!NeckGeometry::isInlaid(fret))
            continue;
        if (NeckGeometry::isDoubleInlay(fret)) {
            for (double y : inlayDotsY(g))
                inlay(g.cellCentreX(fret), y);
        } else {
            inlay(g.cellCentreX(fret), singleInlayY(g));
        }
    }

    // The board ends at the last fret wire, leaving room for the note names beyond it. Its long
    // edges are not drawn: beside the outer strings they would read as strings themselves.
    const double end = g.fretWireX(g.frets());
    const double reach = WireReach;
    const double top = g.stringCentreY(1) - reach;
    const double bottom = g.stringCentreY(g.strings()) + reach;
    p.setPen(FretWidth);
    for (int fret = 1; fret <= g.frets(); ++fret) {
        const double x = g.fretWireX(fret);
        p.drawLine(m.point(x, top), m.point(x, bottom));
    }

    // Strings from the nut to the end of the board, heavier towards the lowest as on a guitar.
    for (int string = 1; string <= g.strings(); ++string) {
        p.setPen(6.0 + 4.0 * (string - 1) * 5.0 / std::max(5, g.strings() - 1));
        const double y = g.stringCentreY(string);
        p.drawLine(m.point(g.nutRight(), y), m.point(end, y));
    }

    // The numbers of the frets with inlays, small, above the board.
    p.setFont(FretNumberFont);
    for (int fret = 1; fret <= g.frets(); ++fret) {
        if (!NeckGeometry::isInlaid(fret))
            continue;
        const QString number = QString::number(fret);
        const QSizeF size = p.textSize(number);
        const QPointF above = m.point(g.cellCentreX(fret), top);
        p.drawText(QPointF(above.x() - size.width() / 2, above.y() - size.height() - 10), number);
    }

    // The nut, a solid bar a little taller than the board.
    p.setPen(0);
    p.setFill(PageFill::Black);
    p.drawRect(m.rect(g.nutLeft(), top, g.nutRight(), bottom));
    p.setFill(PageFill::White);
}

} // namespace chordalis
