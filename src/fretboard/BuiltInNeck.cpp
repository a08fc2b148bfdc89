#include "fretboard/BuiltInNeck.h"

#include "fretboard/Geometry.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <random>

namespace chordalis {

namespace {

constexpr double NutLeft = 41.0;
constexpr double NutRight = 47.0;
constexpr double BoardEnd = 729.0;
constexpr double BoardTop = 14.0;
constexpr double BoardBottom = 171.0;

double cellCentreX(int fret) {
    return fretOffset(fret) + CellSize / 2.0;
}
double stringCentreY(int string) {
    return stringRow(string) + CellSize / 2.0;
}

void paintMargins(QPainter& p) {
    QLinearGradient paper(0, 0, 0, SurfaceHeight);
    paper.setColorAt(0.0, QColor(0xf7, 0xf4, 0xee));
    paper.setColorAt(1.0, QColor(0xea, 0xe5, 0xdb));
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawRect(QRectF(0, 0, SurfaceWidth, SurfaceHeight));
}

void paintWood(QPainter& p, const QRectF& board) {
    // The board is slightly rounded: lighter along the middle, darker towards the edges.
    QLinearGradient wood(board.topLeft(), board.bottomLeft());
    wood.setColorAt(0.00, QColor(0x2e, 0x1a, 0x10));
    wood.setColorAt(0.18, QColor(0x4a, 0x2b, 0x1b));
    wood.setColorAt(0.50, QColor(0x56, 0x33, 0x20));
    wood.setColorAt(0.82, QColor(0x46, 0x28, 0x19));
    wood.setColorAt(1.00, QColor(0x2a, 0x17, 0x0e));
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawRect(board);

    // Grain: long, slightly wavy streaks along the neck. A fixed seed keeps the picture the same
    // from run to run.
    std::minstd_rand rng(1957);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    p.save();
    p.setClipRect(board);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 90; ++i) {
        const double y = board.top() + unit(rng) * board.height();
        const double x0 = board.left() - 40 + unit(rng) * board.width();
        const double length = 120 + unit(rng) * 420;
        const double wave = (unit(rng) - 0.5) * 4.0;
        const bool dark = unit(rng) < 0.7;
        const QColor colour = dark ? QColor(0x1c, 0x0e, 0x07, 40 + int(unit(rng) * 60))
                                   : QColor(0x8a, 0x5a, 0x3a, 20 + int(unit(rng) * 35));
        p.setPen(QPen(colour, 0.6 + unit(rng) * 1.4, Qt::SolidLine, Qt::RoundCap));
        QPainterPath streak(QPointF(x0, y));
        streak.cubicTo(QPointF(x0 + length / 3, y + wave), QPointF(x0 + 2 * length / 3, y - wave),
                       QPointF(x0 + length, y + wave / 2));
        p.drawPath(streak);
    }
    p.restore();

    // Cream binding along both edges.
    p.setPen(QPen(QColor(0xee, 0xe3, 0xc8), 2.0));
    p.drawLine(QPointF(board.left(), board.top() + 1), QPointF(board.right(), board.top() + 1));
    p.drawLine(QPointF(board.left(), board.bottom() - 1),
               QPointF(board.right(), board.bottom() - 1));
}

void paintInlay(QPainter& p, QPointF centre) {
    // Mother of pearl, kept soft so that it never competes with the markers around it.
    QRadialGradient pearl(centre - QPointF(1.2, 1.2), 6.0);
    pearl.setColorAt(0.0, QColor(0xee, 0xea, 0xdf));
    pearl.setColorAt(0.6, QColor(0xcf, 0xc8, 0xb8));
    pearl.setColorAt(1.0, QColor(0xa8, 0xa0, 0x90));
    p.setPen(QPen(QColor(0, 0, 0, 60), 0.6));
    p.setBrush(pearl);
    p.drawEllipse(centre, 4.8, 4.8);
}

void paintInlays(QPainter& p) {
    const double middle = (stringCentreY(3) + stringCentreY(4)) / 2.0;
    for (int fret : {3, 5, 7, 9, 15})
        paintInlay(p, QPointF(cellCentreX(fret), middle));
    paintInlay(p, QPointF(cellCentreX(12), (stringCentreY(2) + stringCentreY(3)) / 2.0));
    paintInlay(p, QPointF(cellCentreX(12), (stringCentreY(4) + stringCentreY(5)) / 2.0));
}

void paintFrets(QPainter& p) {
    for (int fret = 1; fret <= 15; ++fret) {
        const double x = fretWireX(fret);
        QLinearGradient metal(QPointF(x - 1.6, 0), QPointF(x + 1.6, 0));
        metal.setColorAt(0.0, QColor(0x6e, 0x6e, 0x6a));
        metal.setColorAt(0.45, QColor(0xf4, 0xf4, 0xf0));
        metal.setColorAt(1.0, QColor(0x62, 0x62, 0x5e));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70)); // shadow on the wood
        p.drawRect(QRectF(x + 1.6, BoardTop, 1.4, BoardBottom - BoardTop));
        p.setBrush(metal);
        p.drawRect(QRectF(x - 1.6, BoardTop, 3.2, BoardBottom - BoardTop));
    }
    // The bone nut.
    QLinearGradient bone(QPointF(NutLeft, 0), QPointF(NutRight, 0));
    bone.setColorAt(0.0, QColor(0xd9, 0xd0, 0xb8));
    bone.setColorAt(0.5, QColor(0xfb, 0xf7, 0xea));
    bone.setColorAt(1.0, QColor(0xcf, 0xc5, 0xab));
    p.setPen(QPen(QColor(0x8c, 0x80, 0x68), 0.6));
    p.setBrush(bone);
    p.drawRect(QRectF(NutLeft, BoardTop - 2, NutRight - NutLeft, BoardBottom - BoardTop + 4));
}

void paintStrings(QPainter& p) {
    for (int s = 1; s <= 6; ++s) {
        const double y = stringCentreY(s);
        const bool wound = s >= 3;
        const double gauge = 0.9 + 0.38 * (s - 1);
        // Shadow cast on the board.
        p.setPen(QPen(QColor(0, 0, 0, 110), gauge + 0.8));
        p.drawLine(QPointF(NutLeft, y + 1.6), QPointF(BoardEnd, y + 1.6));
        const QColor body = wound ? QColor(0xc4, 0xa8, 0x6e) : QColor(0xd8, 0xd8, 0xd4);
        p.setPen(QPen(body, gauge));
        p.drawLine(QPointF(NutLeft, y), QPointF(BoardEnd + 4, y));
        p.setPen(QPen(QColor(255, 255, 255, wound ? 120 : 170), std::max(0.5, gauge / 3.0)));
        p.drawLine(QPointF(NutLeft, y - gauge / 4.0), QPointF(BoardEnd + 4, y - gauge / 4.0));
    }
}

} // namespace

double fretWireX(int fret) {
    if (fret <= 0)
        return NutRight;
    if (fret >= 15)
        return fretOffset(15) + CellSize + 4.0;
    return (fretOffset(fret) + CellSize + fretOffset(fret + 1)) / 2.0;
}

void paintBuiltInNeck(QPainter& p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    paintMargins(p);
    const QRectF board(NutLeft, BoardTop, BoardEnd - NutLeft, BoardBottom - BoardTop);
    paintWood(p, board);
    paintInlays(p);
    paintFrets(p);
    paintStrings(p);
    p.restore();
}

} // namespace chordalis
