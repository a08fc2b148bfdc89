#include "fretboard/BuiltInNeck.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <random>

namespace chordalis {

namespace {

void paintMargins(QPainter& p, const NeckLook& look, const NeckGeometry& g) {
    QLinearGradient paper(0, 0, 0, g.height());
    paper.setColorAt(0.0, look.paper[0]);
    paper.setColorAt(1.0, look.paper[1]);
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawRect(QRectF(0, 0, g.width(), g.height()));
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

// A block between the wires of a fret, from the second string to the last but one. Markers
// cover parts of it, so its colours stay close to each other.
void paintBlock(QPainter& p, const NeckLook& look, const NeckGeometry& g, int fret) {
    const double left = g.fretWireX(fret - 1) + 5.0;
    const double right = g.fretWireX(fret) - 5.0;
    const int last = std::max(3, g.strings() - 1);
    const QRectF block(left, g.stringCentreY(2) + 3.0, right - left,
                       g.stringCentreY(last) - g.stringCentreY(2) - 6.0);
    p.setPen(QPen(QColor(0, 0, 0, 50), 0.6));
    p.setBrush(pearl(look, block.center(), block.height() / 2));
    p.drawRect(block);
}

void paintInlays(QPainter& p, const NeckLook& look, const NeckGeometry& g) {
    for (int fret = 1; fret <= g.frets(); ++fret) {
        if (!NeckGeometry::isInlaid(fret))
            continue;
        if (look.inlays == NeckLook::Inlays::Blocks) {
            paintBlock(p, look, g, fret);
        } else if (NeckGeometry::isDoubleInlay(fret)) {
            for (double y : inlayDotsY(g))
                paintDot(p, look, QPointF(g.cellCentreX(fret), y));
        } else {
            paintDot(p, look, QPointF(g.cellCentreX(fret), singleInlayY(g)));
        }
    }
}

void paintFrets(QPainter& p, const NeckGeometry& g) {
    const double top = g.boardTop();
    const double bottom = g.boardBottom();
    for (int fret = 1; fret <= g.frets(); ++fret) {
        const double x = g.fretWireX(fret);
        QLinearGradient metal(QPointF(x - 1.6, 0), QPointF(x + 1.6, 0));
        metal.setColorAt(0.0, QColor(0x6e, 0x6e, 0x6a));
        metal.setColorAt(0.45, QColor(0xf4, 0xf4, 0xf0));
        metal.setColorAt(1.0, QColor(0x62, 0x62, 0x5e));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70)); // shadow on the wood
        p.drawRect(QRectF(x + 1.6, top, 1.4, bottom - top));
        p.setBrush(metal);
        p.drawRect(QRectF(x - 1.6, top, 3.2, bottom - top));
    }
    // The bone nut.
    QLinearGradient bone(QPointF(g.nutLeft(), 0), QPointF(g.nutRight(), 0));
    bone.setColorAt(0.0, QColor(0xd9, 0xd0, 0xb8));
    bone.setColorAt(0.5, QColor(0xfb, 0xf7, 0xea));
    bone.setColorAt(1.0, QColor(0xcf, 0xc5, 0xab));
    p.setPen(QPen(QColor(0x8c, 0x80, 0x68), 0.6));
    p.setBrush(bone);
    p.drawRect(QRectF(g.nutLeft(), top - 2, g.nutRight() - g.nutLeft(), bottom - top + 4));
}

void paintStrings(QPainter& p, const NeckLook& look, const NeckGeometry& g) {
    const double end = g.boardEnd();
    for (int s = 1; s <= g.strings(); ++s) {
        const double y = g.stringCentreY(s);
        // A short string starts at its own fret's wire, held there by a small bone nut.
        const int first = g.firstFret(s);
        const double nut = first > 0 ? g.fretWireX(first) : g.nutLeft();
        if (first > 0) {
            p.setPen(QPen(QColor(0x8c, 0x80, 0x68), 0.6));
            p.setBrush(QColor(0xf1, 0xea, 0xd6));
            p.drawRoundedRect(QRectF(nut - 3.0, y - 4.5, 6.0, 9.0), 1.5, 1.5);
        }
        // A neck of six strings or more has two plain strings on top; a smaller one is all wound.
        const bool wound = g.strings() < 6 || s >= 3;
        const double gauge = 0.9 + 0.38 * (s - 1);
        // Shadow cast on the board.
        p.setPen(QPen(QColor(0, 0, 0, 110), gauge + 0.8));
        p.drawLine(QPointF(nut, y + 1.6), QPointF(end, y + 1.6));
        const QColor body = wound ? look.woundString : look.plainString;
        p.setPen(QPen(body, gauge));
        p.drawLine(QPointF(nut, y), QPointF(end + 4, y));
        p.setPen(QPen(QColor(255, 255, 255, wound ? 120 : 170), std::max(0.5, gauge / 3.0)));
        p.drawLine(QPointF(nut, y - gauge / 4.0), QPointF(end + 4, y - gauge / 4.0));
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

double singleInlayY(const NeckGeometry& g) {
    // Between the middle strings (on the middle string of an odd number of them).
    return (g.stringCentreY((g.strings() + 1) / 2) + g.stringCentreY(g.strings() / 2 + 1)) / 2.0;
}

std::array<double, 2> inlayDotsY(const NeckGeometry& g) {
    // Two strings apart, around the single dot: between strings 2-3 and 4-5 of six.
    const int upper = std::max(1, (g.strings() + 1) / 2 - 1);
    const int lower = std::min(g.strings(), g.strings() / 2 + 2);
    return {(g.stringCentreY(upper) + g.stringCentreY(upper + 1)) / 2.0,
            (g.stringCentreY(lower - 1) + g.stringCentreY(lower)) / 2.0};
}

void paintNeck(QPainter& p, const NeckLook& look, const NeckGeometry& g) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    paintMargins(p, look, g);
    const QRectF board(g.nutLeft(), g.boardTop(), g.boardEnd() - g.nutLeft(),
                       g.boardBottom() - g.boardTop());
    paintWood(p, board, look);
    paintInlays(p, look, g);
    paintFrets(p, g);
    paintStrings(p, look, g);
    p.restore();
}

std::array<QColor, 2> darkPaper() {
    return {QColor(0x35, 0x37, 0x3c), QColor(0x29, 0x2b, 0x2f)};
}

void paintBuiltInNeck(QPainter& p, const NeckGeometry& g, bool dark) {
    NeckLook look = rosewoodLook();
    if (dark)
        look.paper = darkPaper();
    paintNeck(p, look, g);
}

} // namespace chordalis
