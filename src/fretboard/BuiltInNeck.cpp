#include "fretboard/BuiltInNeck.h"

#include "fretboard/Geometry.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <random>

namespace chordalis {

namespace {

constexpr double NutLeft = NeckNutLeft;
constexpr double NutRight = NeckNutRight;
constexpr double BoardEnd = NeckBoardEnd;
constexpr double BoardTop = NeckBoardTop;
constexpr double BoardBottom = NeckBoardBottom;

double cellCentreX(int fret) {
    return fretOffset(fret) + CellSize / 2.0;
}

void paintMargins(QPainter& p) {
    QLinearGradient paper(0, 0, 0, SurfaceHeight);
    paper.setColorAt(0.0, QColor(0xf7, 0xf4, 0xee));
    paper.setColorAt(1.0, QColor(0xea, 0xe5, 0xdb));
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawRect(QRectF(0, 0, SurfaceWidth, SurfaceHeight));
}

void paintWood(QPainter& p, const QRectF& board, const NeckLook& look) {
    // The board is slightly rounded: lighter along the middle, darker towards the edges.
    QLinearGradient wood(board.topLeft(), board.bottomLeft());
    constexpr std::array<double, 5> Stops = {0.00, 0.18, 0.50, 0.82, 1.00};
    for (std::size_t i = 0; i < Stops.size(); ++i)
        wood.setColorAt(Stops[i], look.wood[i]);
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawRect(board);

    // Grain: long, slightly wavy streaks along the neck. A fixed seed keeps the picture the same
    // from run to run.
    std::minstd_rand rng(look.seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    p.save();
    p.setClipRect(board);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < look.streaks; ++i) {
        const double y = board.top() + unit(rng) * board.height();
        const double x0 = board.left() - 40 + unit(rng) * board.width();
        const double length = 120 + unit(rng) * 420;
        const double wave = (unit(rng) - 0.5) * 4.0;
        const bool dark = unit(rng) < 0.7;
        QColor colour = dark ? look.darkGrain : look.lightGrain;
        colour.setAlpha(colour.alpha() +
                        int(unit(rng) * (dark ? look.darkGrainSpread : look.lightGrainSpread)));
        p.setPen(QPen(colour, 0.6 + unit(rng) * 1.4, Qt::SolidLine, Qt::RoundCap));
        QPainterPath streak(QPointF(x0, y));
        streak.cubicTo(QPointF(x0 + length / 3, y + wave), QPointF(x0 + 2 * length / 3, y - wave),
                       QPointF(x0 + length, y + wave / 2));
        p.drawPath(streak);
    }
    p.restore();

    if (look.binding.alpha() == 0)
        return;
    p.setPen(QPen(look.binding, 2.0));
    p.drawLine(QPointF(board.left(), board.top() + 1), QPointF(board.right(), board.top() + 1));
    p.drawLine(QPointF(board.left(), board.bottom() - 1),
               QPointF(board.right(), board.bottom() - 1));
}

QRadialGradient pearl(const NeckLook& look, QPointF centre, double radius) {
    QRadialGradient g(centre - QPointF(radius / 4, radius / 4), radius * 1.25);
    g.setColorAt(0.0, look.inlay[0]);
    g.setColorAt(0.6, look.inlay[1]);
    g.setColorAt(1.0, look.inlay[2]);
    return g;
}

// Dots, kept soft so that they never compete with the markers around them.
void paintDot(QPainter& p, const NeckLook& look, QPointF centre) {
    p.setPen(QPen(QColor(0, 0, 0, 60), 0.6));
    p.setBrush(pearl(look, centre, 4.8));
    p.drawEllipse(centre, 4.8, 4.8);
}

// A block between the wires of a fret, from string 2 to string 5. Markers cover parts of it, so
// its colours stay close to each other.
void paintBlock(QPainter& p, const NeckLook& look, int fret) {
    const double left = fretWireX(fret - 1) + 5.0;
    const double right = fretWireX(fret) - 5.0;
    const QRectF block(left, stringCentreY(2) + 3.0, right - left,
                       stringCentreY(5) - stringCentreY(2) - 6.0);
    p.setPen(QPen(QColor(0, 0, 0, 50), 0.6));
    p.setBrush(pearl(look, block.center(), block.height() / 2));
    p.drawRect(block);
}

void paintInlays(QPainter& p, const NeckLook& look) {
    if (look.inlays == NeckLook::Inlays::Blocks) {
        for (int fret : {3, 5, 7, 9, 12, 15})
            paintBlock(p, look, fret);
        return;
    }
    const double middle = (stringCentreY(3) + stringCentreY(4)) / 2.0;
    for (int fret : {3, 5, 7, 9, 15})
        paintDot(p, look, QPointF(cellCentreX(fret), middle));
    paintDot(p, look, QPointF(cellCentreX(12), (stringCentreY(2) + stringCentreY(3)) / 2.0));
    paintDot(p, look, QPointF(cellCentreX(12), (stringCentreY(4) + stringCentreY(5)) / 2.0));
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

void paintStrings(QPainter& p, const NeckLook& look) {
    for (int s = 1; s <= 6; ++s) {
        const double y = stringCentreY(s);
        const bool wound = s >= 3;
        const double gauge = 0.9 + 0.38 * (s - 1);
        // Shadow cast on the board.
        p.setPen(QPen(QColor(0, 0, 0, 110), gauge + 0.8));
        p.drawLine(QPointF(NutLeft, y + 1.6), QPointF(BoardEnd, y + 1.6));
        const QColor body = wound ? look.woundString : look.plainString;
        p.setPen(QPen(body, gauge));
        p.drawLine(QPointF(NutLeft, y), QPointF(BoardEnd + 4, y));
        p.setPen(QPen(QColor(255, 255, 255, wound ? 120 : 170), std::max(0.5, gauge / 3.0)));
        p.drawLine(QPointF(NutLeft, y - gauge / 4.0), QPointF(BoardEnd + 4, y - gauge / 4.0));
    }
}

} // namespace

NeckLook rosewoodLook() {
    NeckLook look;
    look.wood = {QColor(0x2e, 0x1a, 0x10), QColor(0x4a, 0x2b, 0x1b), QColor(0x56, 0x33, 0x20),
                 QColor(0x46, 0x28, 0x19), QColor(0x2a, 0x17, 0x0e)};
    look.darkGrain = QColor(0x1c, 0x0e, 0x07, 40);
    look.lightGrain = QColor(0x8a, 0x5a, 0x3a, 20);
    look.inlay = {QColor(0xee, 0xea, 0xdf), QColor(0xcf, 0xc8, 0xb8), QColor(0xa8, 0xa0, 0x90)};
    look.binding = QColor(0xee, 0xe3, 0xc8); // cream
    return look;
}

double stringCentreY(int string) {
    return stringRow(string) + CellSize / 2.0;
}

double fretWireX(int fret) {
    if (fret <= 0)
        return NutRight;
    if (fret >= 15)
        return fretOffset(15) + CellSize + 4.0;
    return (fretOffset(fret) + CellSize + fretOffset(fret + 1)) / 2.0;
}

void paintNeck(QPainter& p, const NeckLook& look) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    paintMargins(p);
    const QRectF board(NutLeft, BoardTop, BoardEnd - NutLeft, BoardBottom - BoardTop);
    paintWood(p, board, look);
    paintInlays(p, look);
    paintFrets(p);
    paintStrings(p, look);
    p.restore();
}

void paintBuiltInNeck(QPainter& p) {
    paintNeck(p, rosewoodLook());
}

} // namespace chordalis
