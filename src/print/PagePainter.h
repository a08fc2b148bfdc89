#pragma once

#include "fretboard/ChordBox.h"
#include "fretboard/NeckExtras.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace chordalis {

// Printed pages are laid out in twips: 1440 to the inch, origin at the top left of the
// printable area, y downwards.
inline constexpr double TwipsPerInch = 1440.0;
inline constexpr double TwipsPerPoint = 20.0;

// Every text of a sheet is set in one family; the system's metric-compatible substitute prints
// where it is not installed.
inline constexpr const char* SheetFontFamily = "Arial";

struct PageFont {
    double points = 12;
    bool bold = false;
    bool italic = false;
    friend bool operator==(const PageFont&, const PageFont&) = default;
};

// How closed shapes are filled. White keeps the neck's lines from running through the text
// drawn inside a marker.
enum class PageFill { None, White, Black };

// The drawing operations a sheet needs, in twips: black text in one font at a time, and black
// lines of a chosen width around shapes of a chosen fill. A QPainter backend draws on printers
// and PDF files; tests record the calls.
class PagePainter {
public:
    virtual ~PagePainter() = default;

    // One device pixel in twips: the finest line the device draws.
    virtual double pixel() const = 0;

    virtual void setFont(const PageFont& font) = 0;
    virtual PageFont font() const = 0;
    // Width (the advance) and height (one line) of a text in the current font.
    virtual QSizeF textSize(const QString& text) const = 0;
    // The current font's average character width.
    virtual double averageCharWidth() const = 0;
    // A text whose line box has its top-left corner at the point; the background stays as it is.
    virtual void drawText(QPointF topLeft, const QString& text) = 0;

    // The outline of the shapes and lines drawn from now on: black, solid, this wide; 0 or less
    // draws no outline.
    virtual void setPen(double width) = 0;
    virtual double pen() const = 0;
    virtual void setFill(PageFill fill) = 0;

    virtual void drawLine(QPointF from, QPointF to) = 0;
    virtual void drawEllipse(QPointF centre, double radiusX, double radiusY) = 0;
    virtual void drawRect(const QRectF& rect) = 0;

    // A chord box in black and white inside the area, its caption under it, framed when
    // chosen (paintChordBox).
    virtual void drawChordBox(const ChordBox& box, const QRectF& area, MarkerLabels labels,
                              bool chosen) = 0;
};

} // namespace chordalis
