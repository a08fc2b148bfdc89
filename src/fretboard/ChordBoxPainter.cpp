#include "fretboard/ChordBoxPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace chordalis {

namespace {

// The box's proportions in units of the gap between two strings.
constexpr double Side = 1.75;      // beside the outer strings, room for "12fr"
constexpr double SignRow = 1.0;    // the x and o above the strings
constexpr double FretGap = 1.25;   // between two fret wires
constexpr double CaptionGap = 0.3; // between the last wire and the caption
constexpr double CaptionLine = 0.8;
constexpr double CaptionSize = 0.6;
constexpr int CaptionLines = 2;
constexpr int ReservedRows = 5; // boxes of four and five frets come out the same size
constexpr double DotRadius = 0.4;
constexpr double LineWidth = 0.07;

double widthUnits(int strings) {
    return std::max(1, strings - 1) + 2 * Side;
}

double heightUnits(int rows, bool captionRoom) {
    return SignRow + std::max(rows, ReservedRows) * FretGap + CaptionGap +
           (captionRoom ? CaptionLines * CaptionLine : 0.0);
}

// The caption broken at blanks into lines no wider than the width; what does not fit in the
// lines is cut short with an ellipsis.
QStringList wrapCaption(const BoxCanvas& canvas, const QString& caption, double width,
                        double size) {
    QStringList lines;
    QString line;
    const QStringList words = caption.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int k = 0; k < words.size(); ++k) {
        const QString longer = line.isEmpty() ? words[k] : line + QLatin1Char(' ') + words[k];
        if (line.isEmpty() || canvas.textWidth(longer, size, false) <= width) {
            line = longer;
            continue;
        }
        lines << line;
        line = words[k];
        if (lines.size() == CaptionLines - 1) {
            line = QStringList(words.mid(k)).join(QLatin1Char(' '));
            break;
        }
    }
    if (!line.isEmpty())
        lines << line;
    if (!lines.isEmpty() && canvas.textWidth(lines.last(), size, false) > width) {
        QString& last = lines.last();
        while (last.size() > 1 && canvas.textWidth(last + u'\u2026', size, false) > width)
            last.chop(1);
        last += u'\u2026';
    }
    return lines;
}

// What a dot carries under the label choice.
QString dotLabel(const BoxDot& dot, MarkerLabels labels) {
    switch (labels) {
    case MarkerLabels::Fingers: // a note without a finger (a scale's) shows its name
        return dot.finger > 0 ? QString::number(dot.finger) : dot.note;
    case MarkerLabels::Notes:
        return dot.note;
    case MarkerLabels::Intervals:
        return dot.interval.isEmpty() ? dot.note : dot.interval;
    }
    return {};
}

class Layout {
public:
    Layout(const ChordBox& box, const QRectF& area, bool captionRoom)
        : box(box), u(std::min(area.width() / widthUnits(box.strings),
                               area.height() / heightUnits(box.rows, captionRoom))),
          left(area.center().x() - u * (widthUnits(box.strings) / 2 - Side)), top(area.top()) {}

    double x(int string) const { return left + u * box.column(string); }
    double lineY(int line) const { return top + u * (SignRow + line * FretGap); }
    double rowCentre(int fret) const { return lineY(box.row(fret)) + u * FretGap / 2; }
    double right() const { return left + u * std::max(0, box.strings - 1); }

    const ChordBox& box;
    const double u;
    const double left; // the leftmost string
    const double top;
};

} // namespace

void QPainterBoxCanvas::line(QPointF from, QPointF to, double width, const QColor& colour) {
    m_painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    m_painter.drawLine(from, to);
}

void QPainterBoxCanvas::rect(const QRectF& r, double radius, const QColor& fill,
                             const QColor& outline, double width) {
    m_painter.setPen(outline.alpha() > 0 && width > 0 ? QPen(outline, width) : QPen(Qt::NoPen));
    m_painter.setBrush(fill.alpha() > 0 ? QBrush(fill) : QBrush(Qt::NoBrush));
    m_painter.drawRoundedRect(r, radius, radius);
}

void QPainterBoxCanvas::circle(QPointF centre, double radius, const QColor& fill,
                               const QColor& outline, double width) {
    m_painter.setPen(outline.alpha() > 0 && width > 0 ? QPen(outline, width) : QPen(Qt::NoPen));
    m_painter.setBrush(fill.alpha() > 0 ? QBrush(fill) : QBrush(Qt::NoBrush));
    m_painter.drawEllipse(centre, radius, radius);
}

namespace {

QFont boxFont(double size, bool bold) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(std::max(1, int(std::lround(size))));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

void QPainterBoxCanvas::text(QPointF centre, const QString& text, double size, bool bold,
                             const QColor& colour) {
    const QFont font = boxFont(size, bold);
    const QFontMetricsF metrics(font, m_painter.device());
    m_painter.setFont(font);
    m_painter.setPen(colour);
    m_painter.drawText(QPointF(centre.x() - metrics.horizontalAdvance(text) / 2,
                               centre.y() + (metrics.ascent() - metrics.descent()) / 2),
                       text);
}

double QPainterBoxCanvas::textWidth(const QString& text, double size, bool bold) const {
    return QFontMetricsF(boxFont(size, bold), m_painter.device()).horizontalAdvance(text);
}

ChordBoxStyle printBoxStyle(MarkerLabels labels) {
    ChordBoxStyle style;
    style.labels = labels;
    return style;
}

double chordBoxWidthFor(double height, int strings, bool captionRoom) {
    return height * widthUnits(strings) / heightUnits(ReservedRows, captionRoom);
}

void paintChordBox(BoxCanvas& c, const ChordBox& box, const QRectF& area,
                   const ChordBoxStyle& style) {
    if (box.strings < 1 || area.isEmpty())
        return;
    const Layout l(box, area, style.captionRoom);
    const double u = l.u;
    const double lineWidth = std::max(LineWidth * u, 0.5);
    if (style.frame.alpha() > 0)
        c.rect(area.adjusted(1, 1, -1, -1), 0.25 * u, Qt::transparent, style.frame, 0.14 * u);

    // Frets and strings.
    for (int line = 0; line <= box.rows; ++line)
        c.line({l.left, l.lineY(line)}, {l.right(), l.lineY(line)}, lineWidth, style.ink);
    for (int string = 1; string <= box.strings; ++string)
        c.line({l.x(string), l.lineY(0)}, {l.x(string), l.lineY(box.rows)}, lineWidth, style.ink);
    if (box.showsNut()) {
        c.rect(QRectF(QPointF(l.left - lineWidth / 2, l.lineY(0) - 0.25 * u),
                      QPointF(l.right() + lineWidth / 2, l.lineY(0))),
               0, style.ink, Qt::transparent, 0);
    } else {
        const QString base = QString::number(box.firstFret) + QLatin1String("fr");
        const double size = 0.5 * u;
        const double half = c.textWidth(base, size, false) / 2;
        // Clear of a dot on the outer string.
        const double x = box.leftHanded ? l.left - 0.5 * u - half : l.right() + 0.5 * u + half;
        c.text({x, l.rowCentre(box.firstFret)}, base, size, false, style.ink);
    }

    // The capo: a rounded bar on its wire, a little wider than the strings it holds.
    if (const int line = box.capoLine(); line >= 0) {
        const int high = box.capo.isPartial() ? box.capo.highString : 1;
        const int low = box.capo.isPartial() ? box.capo.lowString : box.strings;
        const double a = std::min(l.x(high), l.x(low)) - 0.35 * u;
        const double b = std::max(l.x(high), l.x(low)) + 0.35 * u;
        const double y = l.lineY(line);
        c.rect(QRectF(a, y - 0.3 * u, b - a, 0.36 * u), 0.15 * u, style.ink, Qt::transparent, 0);
    }

    // Above the strings: x for a silent string, o for an open one, a square for an open root.
    const double signY = l.top + u * SignRow / 2;
    const double mark = 0.22 * u;
    for (int string = 1; string <= box.strings; ++string) {
        const double x = l.x(string);
        switch (box.signs[std::size_t(string - 1)]) {
        case BoxSign::Fretted:
            break;
        case BoxSign::Mute:
            c.line({x - mark, signY - mark}, {x + mark, signY + mark}, 1.5 * lineWidth, style.ink);
            c.line({x - mark, signY + mark}, {x + mark, signY - mark}, 1.5 * lineWidth, style.ink);
            break;
        case BoxSign::Open:
            c.circle({x, signY}, mark, Qt::transparent, style.ink, 1.5 * lineWidth);
            break;
        case BoxSign::OpenRoot:
            c.rect(QRectF(x - mark, signY - mark, 2 * mark, 2 * mark), 0, Qt::transparent,
                   style.root, 2 * lineWidth);
            break;
        }
    }

    // Barres under the dots, each as wide as a dot is round.
    const double radius = DotRadius * u;
    for (const BoxBarre& barre : box.barres) {
        if (box.row(barre.fret) < 0)
            continue;
        const double a = std::min(l.x(barre.high), l.x(barre.low));
        const double b = std::max(l.x(barre.high), l.x(barre.low));
        const double y = l.rowCentre(barre.fret);
        c.rect(QRectF(a - radius, y - radius, b - a + 2 * radius, 2 * radius), radius, style.dot,
               Qt::transparent, 0);
        // The finger once, at the bar's left end, where a root's square would carry it too.
        if (style.labels == MarkerLabels::Fingers)
            c.text({a, y}, QString::number(barre.finger), 0.55 * u, true, style.paper);
    }
    auto onBarre = [&](const BoxDot& dot) {
        return std::any_of(box.barres.begin(), box.barres.end(), [&](const BoxBarre& b) {
            return b.fret == dot.fret && b.finger == dot.finger && dot.string >= b.high &&
                   dot.string <= b.low;
        });
    };
    for (const BoxDot& dot : box.dots) {
        if (box.row(dot.fret) < 0)
            continue;
        const QPointF centre(l.x(dot.string), l.rowCentre(dot.fret));
        const bool barred = onBarre(dot);
        if (dot.root)
            c.rect(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
                   0.12 * u, style.root, Qt::transparent, 0);
        else if (!barred)
            c.circle(centre, radius, style.dot, Qt::transparent, 0);
        if (barred && style.labels == MarkerLabels::Fingers && !dot.root)
            continue;
        const QString label = dotLabel(dot, style.labels);
        if (label.isEmpty())
            continue;
        const double size = (label.size() > 2 ? 0.38 : label.size() > 1 ? 0.45 : 0.55) * u;
        c.text(centre, label, size, true, dot.root ? style.rootText : style.paper);
    }

    // The caption under the box.
    if (!style.captionRoom)
        return;
    const double captionSize = CaptionSize * u;
    const QStringList lines = wrapCaption(c, box.caption, area.width() - 0.2 * u, captionSize);
    double y = l.top + u * (SignRow + std::max(box.rows, ReservedRows) * FretGap + CaptionGap +
                            CaptionLine / 2);
    for (const QString& text : lines) {
        c.text({area.center().x(), y}, text, captionSize, false, style.ink);
        y += CaptionLine * u;
    }
}

void paintBoxLegend(BoxCanvas& c, QPointF at, double size, const ChordBoxStyle& style) {
    const double half = 0.4 * size;
    double x = at.x();
    c.rect(QRectF(x, at.y() - half, 2 * half, 2 * half), 0.15 * size, style.root, Qt::transparent,
           0);
    x += 2 * half + 0.4 * size;
    const QString root = QStringLiteral("root");
    c.text({x + c.textWidth(root, size, false) / 2, at.y()}, root, size, false, style.ink);
    x += c.textWidth(root, size, false) + 1.2 * size;
    c.circle({x + half, at.y()}, half, style.dot, Qt::transparent, 0);
    x += 2 * half + 0.4 * size;
    const QString tone = QStringLiteral("other chord tone");
    c.text({x + c.textWidth(tone, size, false) / 2, at.y()}, tone, size, false, style.ink);
}

// --- grids in files ----------------------------------------------------------------------------

namespace {

// A legend line over the grid, this many pixels high.
constexpr double LegendHeight = 28;

QPointF cellOrigin(int index, int columns, double cellWidth, double cellHeight) {
    return {(index % columns) * cellWidth, LegendHeight + (index / columns) * cellHeight};
}

QString svgColour(const QColor& colour) {
    return colour.alpha() == 0 ? QStringLiteral("none") : colour.name(QColor::HexRgb);
}

QString number(double value) {
    return QString::number(std::round(value * 100) / 100, 'g', 10);
}

// Writes SVG elements, each on a line of its own, in the coordinates of the group it is in.
class SvgCanvas : public BoxCanvas {
public:
    QString out;

    void line(QPointF from, QPointF to, double width, const QColor& colour) override {
        out += QStringLiteral("    <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke=\"%5\" "
                              "stroke-width=\"%6\"%7/>\n")
                   .arg(number(from.x()), number(from.y()), number(to.x()), number(to.y()),
                        svgColour(colour), number(width), opacity("stroke", colour));
    }
    void rect(const QRectF& r, double radius, const QColor& fill, const QColor& outline,
              double width) override {
        out +=
            QStringLiteral("    <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\"%6/>\n")
                .arg(number(r.x()), number(r.y()), number(r.width()), number(r.height()),
                     number(radius), paint(fill, outline, width));
    }
    void circle(QPointF centre, double radius, const QColor& fill, const QColor& outline,
                double width) override {
        out += QStringLiteral("    <circle cx=\"%1\" cy=\"%2\" r=\"%3\"%4/>\n")
                   .arg(number(centre.x()), number(centre.y()), number(radius),
                        paint(fill, outline, width));
    }
    void text(QPointF centre, const QString& text, double size, bool bold,
              const QColor& colour) override {
        out += QStringLiteral("    <text x=\"%1\" y=\"%2\" font-size=\"%3\"%4 fill=\"%5\" "
                              "text-anchor=\"middle\" dominant-baseline=\"central\">%6</text>\n")
                   .arg(number(centre.x()), number(centre.y()), number(size),
                        bold ? QStringLiteral(" font-weight=\"bold\"") : QString(),
                        svgColour(colour), text.toHtmlEscaped());
    }
    double textWidth(const QString& text, double size, bool bold) const override {
        return QFontMetricsF(boxFont(size, bold)).horizontalAdvance(text);
    }

private:
    static QString opacity(const char* what, const QColor& colour) {
        if (colour.alpha() == 0 || colour.alpha() == 255)
            return {};
        return QStringLiteral(" %1-opacity=\"%2\"")
            .arg(QLatin1String(what), number(colour.alphaF()));
    }
    static QString paint(const QColor& fill, const QColor& outline, double width) {
        QString text = QStringLiteral(" fill=\"%1\"").arg(svgColour(fill)) + opacity("fill", fill);
        if (outline.alpha() > 0 && width > 0)
            text += QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\"")
                        .arg(svgColour(outline), number(width)) +
                    opacity("stroke", outline);
        return text;
    }
};

} // namespace

QSizeF chordBoxesGridSize(int count, int columns, double cellWidth, double cellHeight) {
    columns = std::max(1, columns);
    const int rows = std::max(1, (count + columns - 1) / columns);
    return {std::min(std::max(1, count), columns) * cellWidth, LegendHeight + rows * cellHeight};
}

QString chordBoxesSvg(const std::vector<ChordBox>& boxes, const ChordBoxStyle& style, int columns,
                      double cellWidth, double cellHeight) {
    columns = std::max(1, columns);
    const QSizeF size = chordBoxesGridSize(int(boxes.size()), columns, cellWidth, cellHeight);
    SvgCanvas canvas;
    canvas.out = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" "
                                "height=\"%2\" viewBox=\"0 0 %1 %2\" font-family=\"sans-serif\">\n")
                     .arg(number(size.width()), number(size.height()));
    canvas.rect(QRectF(QPointF(0, 0), size), 0, style.paper, Qt::transparent, 0);
    canvas.out += QStringLiteral("  <g class=\"legend\">\n");
    paintBoxLegend(canvas, {8, LegendHeight / 2}, 13, style);
    canvas.out += QStringLiteral("  </g>\n");
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        const QPointF origin = cellOrigin(int(k), columns, cellWidth, cellHeight);
        canvas.out +=
            QStringLiteral("  <g class=\"chord-box\" data-frets=\"%1\" "
                           "data-caption=\"%2\" transform=\"translate(%3 %4)\">\n")
                .arg(boxes[k].fretsText().toHtmlEscaped(), boxes[k].caption.toHtmlEscaped(),
                     number(origin.x()), number(origin.y()));
        paintChordBox(canvas, boxes[k], QRectF(0, 0, cellWidth, cellHeight), style);
        canvas.out += QStringLiteral("  </g>\n");
    }
    canvas.out += QStringLiteral("</svg>\n");
    return canvas.out;
}

void paintChordBoxes(QPainter& painter, const std::vector<ChordBox>& boxes,
                     const ChordBoxStyle& style, int columns, double cellWidth, double cellHeight) {
    columns = std::max(1, columns);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QPainterBoxCanvas canvas(painter);
    const QSizeF size = chordBoxesGridSize(int(boxes.size()), columns, cellWidth, cellHeight);
    canvas.rect(QRectF(QPointF(0, 0), size), 0, style.paper, Qt::transparent, 0);
    paintBoxLegend(canvas, {8, LegendHeight / 2}, 13, style);
    for (std::size_t k = 0; k < boxes.size(); ++k)
        paintChordBox(canvas, boxes[k],
                      QRectF(cellOrigin(int(k), columns, cellWidth, cellHeight),
                             QSizeF(cellWidth, cellHeight)),
                      style);
}

QImage chordBoxesImage(const std::vector<ChordBox>& boxes, const ChordBoxStyle& style, int columns,
                       double cellWidth, double cellHeight) {
    if (boxes.empty())
        return {};
    const QSize size =
        chordBoxesGridSize(int(boxes.size()), columns, cellWidth, cellHeight).toSize();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintChordBoxes(painter, boxes, style, columns, cellWidth, cellHeight);
    return image;
}

} // namespace chordalis
