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
        const int note = tuning.openNote(string);
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

    void draw() {
        p.setPen(normalPen);
        p.setFill(PageFill::White);
        header();
        neck();
        extras();
        boxes();
        footer();
        openStringNames();
        markers();
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

    // The page's boxes, as large as the rest of the page lets them be, the chosen one framed.
    void boxes() {
        const std::vector<ChordBox>* list = nullptr;
        int chosen = -1;
        QString others = QStringLiteral("other chord tone");
        switch (mode) {
        case Mode::Chords:
            list = &pages.chords.boxes;
            chosen = s.selectedVoicing;
            break;
        case Mode::Triads:
            list = &pages.triads.boxes;
            chosen = s.triadGroup;
            break;
        case Mode::Scales:
            list = &pages.scales.boxes;
            chosen = pages.scales.cboScalePositions.index;
            others = QStringLiteral("other scale note");
            break;
        default:
            break;
        }
        if (!list || list->empty())
            return;
        p.setFont(TextFont);
        print(QStringLiteral(" "));
        pos.setX(Left);
        if (mode == Mode::Chords) {
            const auto shown = std::find_if(list->begin(), list->end(),
                                            [&](const ChordBox& b) { return b.number == chosen; });
            if (shown != list->end())
                print(QStringLiteral("The neck shows: %1 (%2), framed below.")
                          .arg(shown->caption, shown->fretsText()));
            pos.setX(Left);
        }
        legendOfBoxes(others);

        const double footerHeight = [&] {
            p.setFont(FooterFont);
            const double h = p.textSize(QLatin1String(SheetFooter)).height();
            p.setFont(TextFont);
            return h;
        }();
        const double top = roundTwips(pos.y() + LineGap);
        const double height = Height - footerHeight - LineGap - top;
        const int count = int(list->size());
        const int strings = list->front().strings;
        const double ratio = chordBoxWidthFor(1, strings); // width per unit of height
        int columns = 1;
        double width = 0;
        for (int c = 1; c <= count; ++c) {
            const int rows = (count + c - 1) / c;
            const double w = std::min({PictureWidth / c, ratio * height / rows, MaxBoxWidth});
            if (w > width) {
                width = w;
                columns = c;
            }
        }
        const double cellWidth = PictureWidth / columns;
        const double boxHeight = width / ratio;
        for (int k = 0; k < count; ++k) {
            const ChordBox& box = (*list)[size_t(k)];
            const double x = Left + (k % columns) * cellWidth + (cellWidth - width) / 2;
            const double y = top + (k / columns) * boxHeight;
            p.drawChordBox(box, QRectF(x, y, width, boxHeight), s.view.labels,
                           box.number == chosen);
        }
        pos = {Left, top + ((count + columns - 1) / columns) * boxHeight + LineGap};
        p.setPen(normalPen);
        p.setFill(PageFill::White);
        p.setFont(TextFont);
    }

    // What the boxes' shapes mean: a black square the root, a black dot any other note.
    void legendOfBoxes(const QString& others) {
        const double y = roundTwips(pos.y());
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
    double y0 = 0; // the picture's top
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

void drawReferenceSheet(PagePainter& painter, const AppState& state, const MainPages& pages,
                        Mode mode, const NeckPicture& picture) {
    Sheet(painter, state, pages, mode, picture).draw();
}

} // namespace chordalis
