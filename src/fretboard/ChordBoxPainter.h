#pragma once

#include "fretboard/ChordBox.h"
#include "fretboard/NeckExtras.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

namespace chordalis {

// The few shapes a chord box is made of, so that one painting serves a QPainter (screen, PNG,
// printer, PDF) and an SVG file that keeps each box a group of its own. Lengths are in the
// canvas's own units; a colour with alpha 0 draws nothing.
class BoxCanvas {
public:
    virtual ~BoxCanvas() = default;
    virtual void line(QPointF from, QPointF to, double width, const QColor& colour) = 0;
    // A rectangle with rounded corners of that radius, filled and outlined.
    virtual void rect(const QRectF& rect, double radius, const QColor& fill, const QColor& outline,
                      double width) = 0;
    virtual void circle(QPointF centre, double radius, const QColor& fill, const QColor& outline,
                        double width) = 0;
    // A line of text centred on a point, `size` units high (the font's pixel size).
    virtual void text(QPointF centre, const QString& text, double size, bool bold,
                      const QColor& colour) = 0;
    // How wide the text comes out at that size.
    virtual double textWidth(const QString& text, double size, bool bold) const = 0;
};

// Paints on an active QPainter, in its current coordinates.
class QPainterBoxCanvas : public BoxCanvas {
public:
    explicit QPainterBoxCanvas(QPainter& painter) : m_painter(painter) {}
    void line(QPointF from, QPointF to, double width, const QColor& colour) override;
    void rect(const QRectF& rect, double radius, const QColor& fill, const QColor& outline,
              double width) override;
    void circle(QPointF centre, double radius, const QColor& fill, const QColor& outline,
                double width) override;
    void text(QPointF centre, const QString& text, double size, bool bold,
              const QColor& colour) override;
    double textWidth(const QString& text, double size, bool bold) const override;

private:
    QPainter& m_painter;
};

// The colours and the label choice a box is painted with. The screen takes them from its
// palette and the user's root colour; paper gets black on white.
struct ChordBoxStyle {
    QColor ink = Qt::black;   // lines, texts, x and o, the nut and the capo
    QColor paper = Qt::white; // the background, and the texts on the dots
    QColor dot = Qt::black;   // a chord tone's dot
    QColor root = Qt::black;  // a root's square
    QColor rootText = Qt::white;
    QColor frame = Qt::transparent; // around a chosen box
    MarkerLabels labels = MarkerLabels::Fingers;
    bool captionRoom = true; // two lines under the box for its caption; without, none is drawn
};

// Black on white, for paper.
ChordBoxStyle printBoxStyle(MarkerLabels labels);

// Paints the box into the area, its caption under it (two lines at most), keeping the box's
// shape and centring it across the area. Roots are squares, other notes round dots; a barre is
// a bar across the strings it holds; the dots carry fingers, notes or intervals as the labels
// say (a barre's finger once, on the bar).
void paintChordBox(BoxCanvas& canvas, const ChordBox& box, const QRectF& area,
                   const ChordBoxStyle& style);

// A line that explains the shapes: a square "root", a dot "chord tone", with text `size` high,
// from the point given (the left end of the line's middle).
void paintBoxLegend(BoxCanvas& canvas, QPointF at, double size, const ChordBoxStyle& style);

// How wide a box's area should be for a height, so that neither is wasted.
double chordBoxWidthFor(double height, int strings, bool captionRoom = true);

// The boxes in a grid of `columns`, each cell cellWidth x cellHeight pixels, with a legend line
// on top: an SVG document in which each box is a group <g class="chord-box"> with its frets in
// data-frets (ChordBox::fretsText) and its caption in data-caption.
QString chordBoxesSvg(const std::vector<ChordBox>& boxes, const ChordBoxStyle& style, int columns,
                      double cellWidth, double cellHeight);

// The same grid painted by a QPainter, for an image: its size, and the painting.
QSizeF chordBoxesGridSize(int count, int columns, double cellWidth, double cellHeight);
void paintChordBoxes(QPainter& painter, const std::vector<ChordBox>& boxes,
                     const ChordBoxStyle& style, int columns, double cellWidth, double cellHeight);

// That grid as an image on white (boxes are read as on paper); a null image for no boxes.
QImage chordBoxesImage(const std::vector<ChordBox>& boxes, const ChordBoxStyle& style, int columns,
                       double cellWidth, double cellHeight);

} // namespace chordalis
