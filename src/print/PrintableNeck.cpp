#include "print/PrintableNeck.h"

#include "fretboard/BuiltInNeck.h"
#include "fretboard/Geometry.h"

namespace chordalis {

namespace {

// Line widths in twips: thin enough to leave the markers the strongest marks on the page.
constexpr double BoardEdgeWidth = 16;
constexpr double FretWidth = 16;
constexpr double InlayWidth = 10;
constexpr PageFont FretNumberFont{7, false, false};
constexpr double InlayRadius = 4.0; // surface units

// Surface units to twips in the area, mirrored left to right for a left-handed neck.
class Mapping {
public:
    Mapping(const QRectF& area, bool leftHanded)
        : m_area(area), m_scaleX(area.width() / SurfaceWidth),
          m_scaleY(area.height() / SurfaceHeight), m_leftHanded(leftHanded) {}

    QPointF point(double x, double y) const {
        const double u = m_leftHanded ? SurfaceWidth - x : x;
        return {m_area.left() + u * m_scaleX, m_area.top() + y * m_scaleY};
    }
    QRectF rect(double left, double top, double right, double bottom) const {
        return QRectF(point(left, top), point(right, bottom)).normalized();
    }
    double lengthX(double units) const { return units * m_scaleX; }
    double lengthY(double units) const { return units * m_scaleY; }

private:
    QRectF m_area;
    double m_scaleX;
    double m_scaleY;
    bool m_leftHanded;
};

double cellCentreX(int fret) {
    return fretOffset(fret) + CellSize / 2.0;
}

void drawInlay(PagePainter& p, const Mapping& m, double x, double y) {
    p.drawEllipse(m.point(x, y), m.lengthX(InlayRadius), m.lengthY(InlayRadius));
}

} // namespace

void drawPrintableNeck(PagePainter& p, const QRectF& area, bool leftHanded) {
    const Mapping m(area, leftHanded);

    // Inlays first, as rings: strings and frets stay unbroken over them, and where markers sit
    // close around one only a trace of a fine line shows between them.
    p.setPen(InlayWidth);
    p.setFill(PageFill::None);
    const double middle = (stringCentreY(3) + stringCentreY(4)) / 2.0;
    for (int fret : {3, 5, 7, 9, 15})
        drawInlay(p, m, cellCentreX(fret), middle);
    drawInlay(p, m, cellCentreX(12), (stringCentreY(2) + stringCentreY(3)) / 2.0);
    drawInlay(p, m, cellCentreX(12), (stringCentreY(4) + stringCentreY(5)) / 2.0);

    // The board ends at the last fret wire, leaving room for the note names beyond it.
    const double end = fretWireX(15);
    p.setPen(BoardEdgeWidth);
    for (double y : {NeckBoardTop, NeckBoardBottom})
        p.drawLine(m.point(NeckNutRight, y), m.point(end, y));

    p.setPen(FretWidth);
    for (int fret = 1; fret <= 15; ++fret) {
        const double x = fretWireX(fret);
        p.drawLine(m.point(x, NeckBoardTop), m.point(x, NeckBoardBottom));
    }

    // Strings from the nut to the end of the board, heavier towards string 6 as on a guitar.
    for (int string = 1; string <= 6; ++string) {
        p.setPen(6.0 + 4.0 * (string - 1));
        const double y = stringCentreY(string);
        p.drawLine(m.point(NeckNutRight, y), m.point(end, y));
    }

    // The numbers of the frets with inlays, small, above the board.
    p.setFont(FretNumberFont);
    for (int fret : {3, 5, 7, 9, 12, 15}) {
        const QString number = QString::number(fret);
        const QSizeF size = p.textSize(number);
        const QPointF above = m.point(cellCentreX(fret), NeckBoardTop);
        p.drawText(QPointF(above.x() - size.width() / 2, above.y() - size.height() - 10), number);
    }

    // The nut, a solid bar a little taller than the board.
    p.setPen(0);
    p.setFill(PageFill::Black);
    p.drawRect(m.rect(NeckNutLeft, NeckBoardTop - 2, NeckNutRight, NeckBoardBottom + 2));
    p.setFill(PageFill::White);
}

} // namespace chordalis
