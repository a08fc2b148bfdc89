#include "print/ReferenceSheet.h"

#include "fretboard/ChordBoxPainter.h"
#include "fretboard/NeckPicture.h"
#include "modes/AppState.h"
#include "print/PrintableNeck.h"
#include "theory/Instruments.h"
#include "theory/Spelling.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace chordalis {

using namespace sheet;

namespace {

const QString NotesSeparator = QStringLiteral("      Notes: ");

// Whole twips, halves to the even neighbour.
double roundTwips(double twips) {
    return std::nearbyint(twips);
}

bool hasSelection(int selected, int count) {
    return selected >= 0 && selected < count;
}

// The positions list's entry as a header line: the window's width follows a position.
QString positionsLine(const PositionList& list) {
    QString line = list.entries.value(list.index);
    if (list.index != 0)
        line += list.option == 0 ? QStringLiteral(" (4 frets)") : QStringLiteral(" (5 frets)");
    return line;
}

// The neck the sheet is drawn for, where it is not the six-string guitar in standard tuning
// without a capo: the tuning's or instrument's name, its open strings from the lowest up with
// their octaves, and the capo ("Neck: Dropped D (D2 A2 D3 G3 B3 E4), capo at the 2nd fret on
// strings 5 to 3"). Empty for the standard neck.
QString neckLine(const AppState& s) {
    const Instrument& neck = s.instrument;
    const Tuning& tuning = neck.tuning;
    const bool standard = tuning.strings() == 6 && hasStandardNotes(tuning);
    if (standard && s.capo.fret <= 0)
        return {};
    QString name;
    if (tuning.strings() == 6 && tuning.preset >= StandardPreset &&
        tuning.preset <= LastTuningPreset)
        name = QString::fromLatin1(TuningPresets[std::size_t(tuning.preset)].text).trimmed();
    for (const InstrumentPreset& preset : InstrumentPresets) {
        if (name.isEmpty() && preset.instrument().tuning.notes == tuning.notes)
            name = QString::fromUtf8(preset.name);
    }
    if (name.isEmpty())
        name = standard ? QStringLiteral("Standard Tuning") : QStringLiteral("Custom Tuning");
    QStringList notes;
    for (int string = tuning.strings(); string >= 1; --string) {
        const int note = tuning.openNote(string) + neck.firstFret(string); // as it sounds open
        notes << nameWithOctave(noteName(pitchClassOfNote(note), s.tuningSpelling), note);
    }
    QString line = QStringLiteral("Neck: %1 (%2)").arg(name, notes.join(QLatin1Char(' ')));
    if (neck.frets != DefaultMaxFret)
        line += QStringLiteral(", %1 frets").arg(neck.frets);
    if (s.capo.fret > 0) {
        line += QStringLiteral(", capo at the %1 fret").arg(ordinal(s.capo.fret));
        if (s.capo.isPartial())
            line +=
                QStringLiteral(" on strings %1 to %2").arg(s.capo.lowString).arg(s.capo.highString);
    }
    return line;
}

struct HeaderLine {
    QString text;
    double gap;
    PageFont font = TextFont;
};

std::vector<HeaderLine> headerLines(const AppState& s, const MainPages& pages, Mode mode) {
    std::vector<HeaderLine> lines{{sheetTitle(s, pages, mode), LineGap, TitleFont}};
    auto notes = [&](const QString& text) {
        lines.push_back({text, NotesGap});
    };
    auto further = [&](const QString& text) {
        lines.push_back({text, LineGap});
    };
    switch (mode) {
    case Mode::Chords:
        notes(pages.chords.lblChordFormula + NotesSeparator + pages.chords.lblChordNotes);
        break;
    case Mode::Scales:
        notes(pages.scales.lblScaleFormula + NotesSeparator + pages.scales.lblScaleNotes);
        further(positionsLine(pages.scales.cboScalePositions));
        break;
    case Mode::Arpeggios:
        notes(pages.arpeggios.lblArpFormula + NotesSeparator + pages.arpeggios.lblArpNotes);
        further(positionsLine(pages.arpeggios.cboArpPositions));
        break;
    case Mode::Notes:
    case Mode::ChordFinder:
        notes(QString());
        break;
    case Mode::Triads:
        notes(pages.triads.lblTriadFormula + NotesSeparator + pages.triads.lblTriadNotes);
        break;
    case Mode::ChordScale: {
        const ChordScalePage& cs = pages.chordScale;
        notes(QLatin1String("Chord ") + cs.lblCSChordFormula + QLatin1String("     Chord Notes: ") +
              cs.lblCSChordNotes);
        further(QLatin1String("Scale ") + cs.lblCSScaleFormula +
                QLatin1String("     Scale Notes: ") + cs.lblCSScaleNotes);
        further(positionsLine(cs.cboCSPositions));
        break;
    }
    }
    if (const QString neck = neckLine(s); !neck.isEmpty())
        further(neck);
    return lines;
}

enum class Shape { Circle, Square, CircledSquare, TextOnly };

// Passes a page's fonts, pens and measures on to a painter, and its drawing only while
// `drawing`: a page is laid out through it without being drawn.
class MeasuringPainter final : public PagePainter {
public:
    explicit MeasuringPainter(PagePainter& to) : m_to(to) {}
    bool drawing = false;

    double pixel() const override { return m_to.pixel(); }
    void setFont(const PageFont& font) override { m_to.setFont(font); }
    PageFont font() const override { return m_to.font(); }
    QSizeF textSize(const QString& text) const override { return m_to.textSize(text); }
    double averageCharWidth() const override { return m_to.averageCharWidth(); }
    void drawText(QPointF topLeft, const QString& text) override {
        if (drawing)
            m_to.drawText(topLeft, text);
    }
    void setPen(double width) override { m_to.setPen(width); }
    double pen() const override { return m_to.pen(); }
    void setFill(PageFill fill) override { m_to.setFill(fill); }
    void drawLine(QPointF from, QPointF to) override {
        if (drawing)
            m_to.drawLine(from, to);
    }
    void drawEllipse(QPointF centre, double radiusX, double radiusY) override {
        if (drawing)
            m_to.drawEllipse(centre, radiusX, radiusY);
    }
    void drawRect(const QRectF& rect) override {
        if (drawing)
            m_to.drawRect(rect);
    }
    void drawChordBox(const ChordBox& box, const QRectF& area, MarkerLabels labels,
                      bool chosen) override {
        if (drawing)
            m_to.drawChordBox(box, area, labels, chosen);
    }

private:
    PagePainter& m_to;
};

// One sheet being drawn. Text goes where the current position is, as on a teletype: a printed
// line moves the position to the start of the next line.
class Sheet {
public:
    Sheet(PagePainter& painter, const AppState& state, const MainPages& pages, Mode mode,
          const NeckPicture& picture)
        : p(painter), s(state), pages(pages), mode(mode), picture(picture),
          normalPen(std::max(painter.pixel(), MinimumPen)),
          rootPen(std::max(RootPen, 4 * normalPen)),
          scale(picture.geometry.isClassic() ? PaperScale
                                             : PictureWidth / picture.geometry.width()),
          pictureHeight(picture.geometry.isClassic() ? PictureHeight
                                                     : picture.geometry.height() * scale),
          cell(Cell * scale / PaperScale) {}

    // Draws page `part` of the sheet: 0 the neck and the boxes that fit beside it at a readable
    // size, 1.. the rest of the boxes under a heading that says so. Returns how many pages the
    // sheet takes. Every page is laid out from the first, so that each knows its boxes.
    int draw(int part) {
        p.setPen(normalPen);
        p.setFill(PageFill::White);
        header();
        neck();
        extras();
        planBoxes();
        if (part == 0) {
            boxes();
            footer();
            openStringNames();
            markers();
        }
        return 1 + int(continued.size());
    }

    // Draws page `part` (1..) of the boxes that did not fit on the first page.
    void drawContinued(int part) {
        if (part < 1 || part > int(continued.size()))
            return;
        const auto [first, count] = continued[size_t(part - 1)];
        pos = {Left, Top};
        p.setFont(TitleFont);
        const QString heading = QStringLiteral("%1 - chord boxes, continued (page %2 of %3)")
                                    .arg(sheetTitle(s, pages, mode))
                                    .arg(part + 1)
                                    .arg(continued.size() + 1);
        print(heading);
        pos = {Left, pos.y() + LineGap};
        p.setFont(TextFont);
        legendOfBoxes(othersName());
        const double top = roundTwips(pos.y() + LineGap);
        gridOfBoxes(first, count, top, boxArea(top));
        footer();
    }

private:
    // --- the current position ---------------------------------------------------------------

    void print(const QString& text) {
        printOn(text);
        pos = {0, pos.y() + p.textSize(text).height()};
    }
    // Prints without moving to a new line: the position stays at the end of the text.
    void printOn(const QString& text) {
        if (!text.isEmpty())
            p.drawText(pos, text);
        pos.rx() += p.textSize(text).width();
    }

    // --- the parts of the page ----------------------------------------------------------------

    void header() {
        for (const HeaderLine& line : headerLines(s, pages, mode)) {
            p.setFont(line.font);
            print(line.text);
            pos = {Left, pos.y() + p.textSize(line.text).height() + line.gap};
        }
        p.setFont(TextFont);
        y0 = roundTwips(pos.y());
    }

    void neck() {
        std::vector<QPointF> covered; // markers hide the inlays under them
        for (const Mark& m : picture.marks) {
            if (m.isMarker())
                covered.emplace_back(m.x + CellSize / 2.0, m.y + CellSize / 2.0);
        }
        drawPrintableNeck(p, QRectF(Left, y0, PictureWidth, pictureHeight), picture.leftHanded,
                          picture.geometry, covered);
        capo();
        p.setPen(normalPen);
        p.setFill(PageFill::White);
        p.setFont(TextFont);
        pos = {Left, y0 + pictureHeight + LineGap};
    }

    // The capo as a black bar just behind its fret wire, across the strings it holds.
    void capo() {
        const Capo& c = picture.capo;
        const NeckGeometry& g = picture.geometry;
        if (c.fret <= 0 || c.fret > g.frets())
            return;
        const double wire = g.fretWireX(c.fret);
        const double width = 6.0;
        const double left = picture.leftHanded ? g.width() - wire + 1.0 : wire - width - 1.0;
        const double top = g.stringCentreY(c.isPartial() ? c.highString : 1) - CellSize / 2.0;
        const double bottom =
            g.stringCentreY(c.isPartial() ? c.lowString : g.strings()) + CellSize / 2.0;
        p.setFill(PageFill::Black);
        p.drawRect(
            QRectF(Left + scale * left, y0 + scale * top, scale * width, scale * (bottom - top)));
    }

    void extras() {
        if (mode == Mode::ChordScale)
            legend();
        else if (mode == Mode::ChordFinder)
            descriptions();
    }

    // What the markers of the chord/scale page mean.
    void legend() {
        print(QStringLiteral(" "));
        const double y = roundTwips(pos.y());
        p.drawRect(QRectF(Left, y, Cell, Cell));
        p.drawEllipse(QPointF(Left + HalfCell, y + HalfCell), HalfCell, HalfCell);
        pos = {Left + Cell + HalfCell, y};
        printOn(QStringLiteral("= Both Chord and Scale     "));
        p.drawRect(QRectF(pos.x(), y, Cell, Cell));
        pos = {pos.x() + Cell + p.pixel(), y};
        printOn(QStringLiteral("   = Scale Only     "));
        const double centre = pos.x() + HalfCell;
        p.drawEllipse(QPointF(centre, y + HalfCell), HalfCell, HalfCell);
        pos = {centre + Cell, y};
        print(QStringLiteral("= Chord Only"));
        print(QStringLiteral(" "));
        pos.setX(Left);
    }

    // The chord finder's names of the selection, one line per string taken as the root.
    void descriptions() {
        print(QStringLiteral(" "));
        pos.setX(Left);
        print(QStringLiteral("Possible chord descriptions:"));
        print(QStringLiteral(" "));
        // Print zones: a tab stop every 14 average character widths from the page's edge.
        const double zone = 14 * p.averageCharWidth();
        for (int string = picture.geometry.strings(); string >= 1; --string) {
            pos.setX(Left);
            printOn(QLatin1String("Root ") + ordinal(string) + QLatin1String(" string:"));
            if (zone > 0)
                pos.setX((std::floor(pos.x() / zone) + 1) * zone);
            print(pages.finder.description(string).text);
        }
        print(QStringLiteral(" "));
        pos.setX(Left);
    }

    // The page's boxes and the one chosen, or none.
    const std::vector<ChordBox>* boxList() const {
        switch (mode) {
        case Mode::Chords:
            return &pages.chords.boxes;
        case Mode::Triads:
            return &pages.triads.boxes;
        case Mode::Scales:
            return &pages.scales.boxes;
        default:
            return nullptr;
        }
    }
    int chosenBox() const {
        switch (mode) {
        case Mode::Chords:
            return s.selectedVoicing;
        case Mode::Triads:
            return s.triadGroup;
        case Mode::Scales:
            return pages.scales.cboScalePositions.index;
        default:
            return -1;
        }
    }
    QString othersName() const {
        return mode == Mode::Scales ? QStringLiteral("other scale note")
                                    : QStringLiteral("other chord tone");
    }

    double footerHeight() {
        const PageFont was = p.font();
        p.setFont(FooterFont);
        const double h = p.textSize(QLatin1String(SheetFooter)).height();
        p.setFont(was);
        return h;
    }
    // The height left for boxes from `top` down to the footer.
    double boxArea(double top) { return Height - footerHeight() - LineGap - top; }

    // How the boxes of an area of `height` twips lie: the columns, and the boxes' width, as
    // wide as the area lets `count` boxes be, up to MaxBoxWidth.
    struct Grid {
        int columns = 1;
        double width = 0;
    };
    Grid bestGrid(int count, double height) const {
        Grid best;
        for (int c = 1; c <= count; ++c) {
            const int rows = (count + c - 1) / c;
            const double w = std::min({PictureWidth / c, boxRatio * height / rows, maxWidth()});
            if (w > best.width)
                best = {c, w};
        }
        return best;
    }
    // A scale's small necks may grow wider than a chord box: a third of the big neck.
    double maxWidth() const { return mode == Mode::Scales ? PictureWidth / 3 : MaxBoxWidth; }
    // How many boxes an area of `height` twips holds at the least readable width.
    int capacity(double height) const {
        const int columns = int(PictureWidth / MinBoxWidth);
        const int rows = int(height / (MinBoxWidth / boxRatio));
        return std::max(0, columns * rows);
    }

    // Which boxes go on the first page and which on the pages after it: all on the first when
    // they are readable there, else as many as fit at the least readable width, and the rest on
    // further pages, each as full as that width allows.
    void planBoxes() {
        const std::vector<ChordBox>* list = boxList();
        continued.clear();
        firstPageBoxes = 0;
        if (!list || list->empty())
            return;
        const int count = int(list->size());
        boxRatio = mode == Mode::Scales ? smallNeckRatio(list->front())
                                        : chordBoxWidthFor(1, list->front().strings);
        // Where the first page's boxes begin: below a blank line, the line naming the neck's
        // grip and the legend, which says too how many boxes follow on further pages.
        p.setFont(TextFont);
        const double line = p.textSize(QStringLiteral("x")).height();
        const int lines = shownBox() ? 3 : 2;
        const double top = roundTwips(pos.y() + lines * line + LineGap);
        firstPageBoxes = count;
        // A scale's positions (twelve at most) and a triad's string groups stay on one page.
        if (mode != Mode::Chords || bestGrid(count, boxArea(top)).width >= MinBoxWidth)
            return;
        firstPageBoxes = std::min(count, capacity(boxArea(top)));
        // A later page: its heading (a title line), the legend, then the boxes.
        p.setFont(TitleFont);
        const double laterTop =
            roundTwips(Top + p.textSize(QStringLiteral("x")).height() + LineGap + line + LineGap);
        p.setFont(TextFont);
        const int perPage = std::max(1, capacity(boxArea(laterTop)));
        for (int first = firstPageBoxes; first < count; first += perPage)
            continued.push_back({first, std::min(perPage, count - first)});
    }

    // The page where box k is printed, 1 the first.
    int pageOfBox(int k) const {
        if (k < firstPageBoxes)
            return 1;
        for (size_t part = 0; part < continued.size(); ++part)
            if (k < continued[part].first + continued[part].count)
                return int(part) + 2;
        return 1;
    }

    // The first page's boxes, as large as the rest of the page lets them be, the chosen one
    // framed.
    void boxes() {
        const std::vector<ChordBox>* list = boxList();
        if (!list || list->empty())
            return;
        p.setFont(TextFont);
        print(QStringLiteral(" "));
        pos.setX(Left);
        if (const ChordBox* shown = shownBox()) {
            const int page = pageOfBox(int(shown - list->data()));
            print(QStringLiteral("The neck shows: %1 (%2), framed %3.")
                      .arg(shown->caption, shown->fretsText(),
                           page == 1 ? QStringLiteral("below")
                                     : QStringLiteral("on page %1").arg(page)));
            pos.setX(Left);
        }
        // The boxes that follow are named on the legend's line, so that the page keeps its
        // height for rows of boxes.
        QString more;
        if (!continued.empty())
            more = QStringLiteral("%1 more chord boxes follow on the next page%2.")
                       .arg(int(list->size()) - firstPageBoxes)
                       .arg(continued.size() > 1 ? QStringLiteral("s") : QString());
        legendOfBoxes(othersName(), more);
        const double top = roundTwips(pos.y() + LineGap);
        gridOfBoxes(0, firstPageBoxes, top, boxArea(top));
    }

    // The chord's box the neck shows, named above the first page's boxes; null on other pages.
    const ChordBox* shownBox() const {
        const std::vector<ChordBox>* list = boxList();
        if (mode != Mode::Chords || !list)
            return nullptr;
        const int chosen = chosenBox();
        const auto shown = std::find_if(list->begin(), list->end(),
                                        [&](const ChordBox& b) { return b.number == chosen; });
        return shown == list->end() ? nullptr : &*shown;
    }

    // Boxes first..first+count-1 of the page's list in a grid from `top`, in an area `height`
    // twips high; the position goes below them.
    void gridOfBoxes(int first, int count, double top, double height) {
        if (count <= 0)
            return;
        const std::vector<ChordBox>& list = *boxList();
        const int chosen = chosenBox();
        const Grid grid = bestGrid(count, height);
        const double cellWidth = PictureWidth / grid.columns;
        const double boxHeight = grid.width / boxRatio;
        for (int k = 0; k < count; ++k) {
            const ChordBox& box = list[size_t(first + k)];
            const double x = Left + (k % grid.columns) * cellWidth + (cellWidth - grid.width) / 2;
            const double y = top + (k / grid.columns) * boxHeight;
            if (mode == Mode::Scales)
                smallNeck(box, QRectF(x, y, grid.width, boxHeight), box.number == chosen);
            else
                p.drawChordBox(box, QRectF(x, y, grid.width, boxHeight), s.view.labels,
                               box.number == chosen);
        }
        pos = {Left, top + ((count + grid.columns - 1) / grid.columns) * boxHeight + LineGap};
        p.setPen(normalPen);
        p.setFill(PageFill::White);
        p.setFont(TextFont);
    }

    // --- a scale's position as a small neck -----------------------------------------------------

    // A small neck lies as the big one does: the strings across, string 1 at the top, the frets
    // of the position from left to right (mirrored for the left hand), with a column before
    // them for the open strings and room below for the first fret's number and the caption.
    // Its width per unit of height, for frets of 1 unit and strings 0.6 apart.
    static double smallNeckRatio(const ChordBox& box) {
        const double width = box.rows + 1.0;
        const double height =
            (box.strings - 1) * SmallNeckString + 2 * SmallNeckMargin + 2 * SmallNeckTextLines;
        return width / height;
    }
    static constexpr double SmallNeckString = 0.6;     // string spacing, in frets
    static constexpr double SmallNeckMargin = 0.45;    // above string 1 and below the last
    static constexpr double SmallNeckTextLines = 0.75; // the fret number's line, the caption's

    void smallNeck(const ChordBox& box, const QRectF& area, bool chosen) {
        const double unit = area.width() / (box.rows + 1.0);
        const bool left = box.leftHanded;
        const double top = area.top() + SmallNeckMargin * unit;
        const double bottom = top + (box.strings - 1) * SmallNeckString * unit;
        const double pen = std::max(normalPen, 0.02 * unit);
        // Fret column c (0 the open strings, 1.. the position's frets) from the left.
        auto columnX = [&](int c) {
            const double x = area.left() + (c + 0.5) * unit;
            return left ? area.right() - (x - area.left()) : x;
        };
        auto wireX = [&](int c) {
            return columnX(c) + (left ? -0.5 : 0.5) * unit;
        };
        auto stringY = [&](int string) {
            return top + (string - 1) * SmallNeckString * unit;
        };
        p.setFill(PageFill::None);
        p.setPen(pen);
        for (int string = 1; string <= box.strings; ++string)
            p.drawLine({wireX(0), stringY(string)}, {wireX(box.rows), stringY(string)});
        for (int c = 0; c <= box.rows; ++c) {
            p.setPen(c == 0 && box.showsNut() ? 4 * pen : pen);
            p.drawLine({wireX(c), top}, {wireX(c), bottom});
        }
        // Notes: the root a black square, the others black dots; an open string's note before
        // the nut, outlined.
        const double r = std::min(0.3 * unit, 0.42 * SmallNeckString * unit);
        auto note = [&](double x, double y, bool root, bool open) {
            p.setPen(open ? pen : 0);
            p.setFill(open ? PageFill::White : PageFill::Black);
            if (root)
                p.drawRect(QRectF(x - r, y - r, 2 * r, 2 * r));
            else
                p.drawEllipse({x, y}, r, r);
        };
        for (int string = 1; string <= box.strings; ++string) {
            const BoxSign sign = size_t(string) <= box.signs.size() ? box.signs[size_t(string - 1)]
                                                                    : BoxSign::Fretted;
            if (sign == BoxSign::Open || sign == BoxSign::OpenRoot)
                note(columnX(0), stringY(string), sign == BoxSign::OpenRoot, true);
        }
        for (const BoxDot& dot : box.dots) {
            const int row = box.row(dot.fret);
            if (row >= 0)
                note(columnX(row + 1), stringY(dot.string), dot.root, false);
        }
        // The first fret's number under its column, the caption under the neck.
        const PageFont was = p.font();
        p.setFont(SmallNeckFont);
        const QString fret = QString::number(box.firstFret);
        const double below = bottom + SmallNeckMargin * unit;
        const QSizeF fretSize = p.textSize(fret);
        p.drawText({columnX(1) - fretSize.width() / 2, below}, fret);
        const QSizeF captionSize = p.textSize(box.caption);
        p.drawText({area.center().x() - captionSize.width() / 2,
                    below + std::max(fretSize.height(), SmallNeckTextLines * unit)},
                   box.caption);
        p.setFont(was);
        if (chosen) {
            p.setPen(rootPen);
            p.setFill(PageFill::None);
            p.drawRect(area.adjusted(rootPen, rootPen, -rootPen, -rootPen));
        }
        p.setPen(normalPen);
        p.setFill(PageFill::White);
    }

    // What the boxes' shapes mean: a black square the root, a black dot any other note; `aside`
    // at the end of the same line, flush with the neck's right edge.
    void legendOfBoxes(const QString& others, const QString& aside = {}) {
        const double y = roundTwips(pos.y());
        if (!aside.isEmpty())
            p.drawText({Left + PictureWidth - p.textSize(aside).width(), y}, aside);
        const double side = 200;
        const double middle = y + p.textSize(QStringLiteral("x")).height() / 2;
        p.setPen(0);
        p.setFill(PageFill::Black);
        p.drawRect(QRectF(Left, middle - side / 2, side, side));
        pos = {Left + side + 60, y};
        printOn(QStringLiteral("root      "));
        p.drawEllipse(QPointF(pos.x() + side / 2, middle), side / 2, side / 2);
        pos = {pos.x() + side + 60, y};
        print(others);
        p.setPen(normalPen);
        p.setFill(PageFill::White);
        pos.setX(Left);
    }

    void footer() {
        p.setFont(FooterFont);
        print(QLatin1String(SheetFooter));
        p.setFont(TextFont);
    }

    // --- marks --------------------------------------------------------------------------------

    double cellX(int fret) const {
        return Left + roundTwips(scale * picture.geometry.fretX(fret, picture.leftHanded));
    }
    double cellY(int string) const {
        return y0 + roundTwips(scale * picture.geometry.stringY(string));
    }

    // A shape in a cell of the neck with a text centred in it.
    void marker(Shape shape, const QString& text, int fret, int string) {
        const double x = cellX(fret);
        const double y = cellY(string);
        const double half = cell / 2;
        if (shape == Shape::Square || shape == Shape::CircledSquare)
            p.drawRect(QRectF(x, y, cell, cell));
        if (shape == Shape::Circle || shape == Shape::CircledSquare)
            p.drawEllipse(QPointF(x + half, y + half), half, half);
        if (text.isEmpty())
            return;
        p.setFont(MarkFont);
        const QSizeF size = p.textSize(text);
        p.drawText(QPointF(x + half - size.width() / 2, y + half - size.height() / 2), text);
    }

    // A text beside the picture on a string's row: the sounding note's name at the far end of
    // the neck, the open and mute signs beside the nut.
    void sideText(const QString& text, int string, bool sign) {
        if (text.isEmpty())
            return;
        // Insets in the neck's own cells: a neck drawn smaller (more frets) keeps its signs off
        // the nut and its names off the board's end.
        double x = 0;
        if (sign)
            x = picture.leftHanded ? roundTwips(Left + PictureWidth - cell - cell / 2)
                                   : roundTwips(Left + cell);
        else
            x = picture.leftHanded ? Left : roundTwips(Left + PictureWidth - cell);
        p.setFont(TextFont);
        const double top = roundTwips(cellY(string) + cell / 2 - p.textSize(text).height() / 2);
        p.drawText(QPointF(x, top), text);
    }

    // The open strings' names at the nut, in the cells of the open strings.
    void openStringNames() {
        for (const Mark& m : picture.marks) {
            if (!m.isMarker() && m.sign == SignKind::OpenName)
                marker(Shape::TextOnly, m.note, 0, m.string);
        }
    }

    // Everything else the display drew, in black and white: the root outlined heavily. On the
    // chord/scale page a circle marks a chord tone and a square a scale tone, so that the page
    // tells them apart without colour; elsewhere each marker keeps its shape.
    void markers() {
        const bool chordScale = mode == Mode::ChordScale;
        for (const Mark& m : picture.marks) {
            if (!m.isMarker()) {
                if (m.sign == SignKind::NoteName)
                    sideText(m.note, m.string, false);
                else if (m.sign == SignKind::Mute)
                    sideText(QStringLiteral("x"), m.string, true);
                else if (m.sign != SignKind::OpenName && m.fret > 0)
                    marker(Shape::TextOnly, QStringLiteral("0"), m.fret, m.string); // at the capo
                else if (m.sign != SignKind::OpenName)
                    sideText(QStringLiteral("0"), m.string, true);
                continue;
            }
            p.setPen(m.role == ColourRole::Root ? rootPen : normalPen);
            Shape shape = m.kind == MarkKind::Circle ? Shape::Circle : Shape::Square;
            if (chordScale) {
                shape = m.role == ColourRole::Chord   ? Shape::Circle
                        : m.role == ColourRole::Scale ? Shape::Square
                                                      : Shape::CircledSquare;
            }
            marker(shape, m.finger > 0 ? QString::number(m.finger) : m.note, m.fret, m.string);
        }
    }

    PagePainter& p;
    const AppState& s;
    const MainPages& pages;
    const Mode mode;
    const NeckPicture& picture;
    const double normalPen;
    const double rootPen;
    const double scale;         // twips per unit of the neck surface
    const double pictureHeight; // the neck surface's height on paper
    const double cell;          // a marker's side: smaller on a neck drawn smaller
    QPointF pos{Left, Top};
    double y0 = 0;       // the picture's top
    double boxRatio = 1; // a box's width per unit of its height
    int firstPageBoxes = 0;
    struct Run {
        int first;
        int count;
    };
    std::vector<Run> continued; // the boxes of each page after the first
};

} // namespace

QString printRefusal(const AppState& s, Mode mode) {
    bool nothing = false;
    switch (mode) {
    case Mode::Chords:
        nothing = !s.selectedVoicingEntry();
        break;
    case Mode::Scales:
        nothing = !hasSelection(s.selectedScale, s.scales.count);
        break;
    case Mode::Arpeggios:
        nothing = !hasSelection(s.selectedArpeggio, s.chords.count);
        break;
    case Mode::Notes:
        break;
    case Mode::Triads:
        nothing = !hasSelection(s.selectedTriad, TriadCount);
        break;
    case Mode::ChordScale:
        nothing = !hasSelection(s.selectedCSChord, s.chords.count);
        break;
    case Mode::ChordFinder:
        nothing = std::all_of(s.finderSelection.begin(), s.finderSelection.end(),
                              [](int value) { return value == 0; });
        break;
    }
    return nothing ? QString::fromLatin1(NothingToPrint) : QString();
}

QString sheetTitle(const AppState& s, const MainPages& pages, Mode mode) {
    switch (mode) {
    case Mode::Chords:
        return pages.chords.lblChordName;
    case Mode::Scales:
        return QLatin1String("Scale: ") + pages.scales.lblScaleName;
    case Mode::Arpeggios:
        return QLatin1String("Arpeggio: ") + pages.arpeggios.lblArpName;
    case Mode::Notes:
        return QLatin1String("Note: ") + spellDegree(u"1", s.currentRoot, s.rootSpelling);
    case Mode::Triads: {
        const TreeModel& groups = pages.triads.tvwStringGroup;
        const TreeNode* group = groups.find(groups.selectedKey);
        return QLatin1String("Triad: ") + pages.triads.lblTriadName + QLatin1String(" - ") +
               (group ? group->text : QString());
    }
    case Mode::ChordScale:
        return QLatin1String("Chord / Scale: ") + pages.chordScale.lblCSChordName +
               QLatin1String(", ") + pages.chordScale.lblCSScaleName;
    case Mode::ChordFinder:
        return QStringLiteral("Chord Finder");
    }
    return {};
}

int drawReferenceSheet(PagePainter& painter, const AppState& state, const MainPages& pages,
                       Mode mode, const NeckPicture& picture, int part) {
    if (part == 0)
        return Sheet(painter, state, pages, mode, picture).draw(0);
    // The first page is laid out without drawing, for the boxes it leaves to this one.
    MeasuringPainter measure(painter);
    Sheet sheet(measure, state, pages, mode, picture);
    const int parts = sheet.draw(part);
    measure.drawing = true;
    sheet.drawContinued(part);
    return parts;
}

} // namespace chordalis
