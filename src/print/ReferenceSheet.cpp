#include "print/ReferenceSheet.h"

#include "fretboard/Geometry.h"
#include "modes/AppState.h"
#include "print/PrintableNeck.h"
#include "theory/Neck.h"
#include "theory/Positions.h"

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
    return lines;
}

enum class Shape { Circle, Square, TextOnly };

// One sheet being drawn. Text goes where the current position is, as on a teletype: a printed
// line moves the position to the start of the next line.
class Sheet {
public:
    Sheet(PagePainter& painter, const AppState& state, const MainPages& pages, Mode mode)
        : p(painter), s(state), pages(pages), mode(mode),
          normalPen(std::max(painter.pixel(), MinimumPen)),
          rootPen(std::max(RootPen, 4 * normalPen)) {}

    void draw() {
        p.setPen(normalPen);
        p.setFill(PageFill::White);
        header();
        picture();
        extras();
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

    void picture() {
        drawPrintableNeck(p, QRectF(Left, y0, PictureWidth, PictureHeight), s.leftHanded);
        p.setPen(normalPen);
        p.setFill(PageFill::White);
        p.setFont(TextFont);
        pos = {Left, y0 + PictureHeight + LineGap};
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
        for (int string = 6; string >= 1; --string) {
            pos.setX(Left);
            printOn(QLatin1String("Root ") + ordinal(string) + QLatin1String(" string:"));
            if (zone > 0)
                pos.setX((std::floor(pos.x() / zone) + 1) * zone);
            print(pages.finder.lblDescription[size_t(string)].text);
        }
        print(QStringLiteral(" "));
        pos.setX(Left);
    }

    void footer() {
        p.setFont(FooterFont);
        print(QLatin1String(SheetFooter));
        p.setFont(TextFont);
    }

    void openStringNames() {
        for (int string = 1; string <= 6; ++string) {
            const QString name = noteName(openPitchClass(s.tuning, string), s.tuningSpelling);
            marker(Shape::TextOnly, std::nullopt, name, 0, string);
        }
    }

    // --- marks --------------------------------------------------------------------------------

    double cellX(int fret) const {
        return Left + roundTwips(PaperScale * fretX(fret, s.leftHanded));
    }
    double cellY(int string) const { return y0 + roundTwips(PaperScale * stringY(string)); }

    // The root's colour outlines heavily, the chord's and the scale's finely; any other colour
    // keeps the outline of the marker before.
    void penFor(std::optional<PackedColour> colour) {
        if (!colour)
            return;
        if (*colour == s.colourRoot)
            p.setPen(rootPen);
        else if (*colour == s.colourChord || *colour == s.colourScale)
            p.setPen(normalPen);
    }

    void marker(Shape shape, std::optional<PackedColour> colour, const QString& text, int fret,
                int string) {
        const double x = cellX(fret);
        const double y = cellY(string);
        penFor(colour);
        if (shape == Shape::Circle)
            p.drawEllipse(QPointF(x + HalfCell, y + HalfCell), HalfCell, HalfCell);
        else if (shape == Shape::Square)
            p.drawRect(QRectF(x, y, Cell, Cell));
        if (text.isEmpty())
            return;
        p.setFont(MarkFont);
        const QSizeF size = p.textSize(text);
        p.drawText(QPointF(x + HalfCell - size.width() / 2, y + HalfCell - size.height() / 2),
                   text);
    }

    // A text beside the picture on a string's row: the sounding note's name at the far end of
    // the neck, the open and mute signs beside the nut.
    void sideText(const QString& text, int string) {
        if (text.isEmpty())
            return;
        const bool sign = text == QLatin1String("0") || text == QLatin1String("x");
        double x = 0;
        if (sign)
            x = s.leftHanded ? roundTwips(Left + PictureWidth - Cell - HalfCell) : Left + Cell;
        else
            x = s.leftHanded ? Left : Left + PictureWidth - Cell;
        p.setFont(TextFont);
        const double top = roundTwips(cellY(string) + HalfCell - p.textSize(text).height() / 2);
        p.drawText(QPointF(x, top), text);
    }

    void markers() {
        switch (mode) {
        case Mode::Chords:
            if (const Voicing* v = s.selectedVoicingEntry())
                grip(*v, [&](const NoteEntry* named, int) { return named == &s.noteList[0]; });
            break;
        case Mode::Triads:
            // The neck shows no triad under another tuning; neither does the sheet.
            if (s.triadShape && isStandardTuning(s.tuning))
                grip(*s.triadShape, [&](const NoteEntry*, int pc) { return pc == s.currentRoot; });
            break;
        case Mode::Scales:
            noteList(fretWindow(pages.scales.cboScalePositions, s.maxFret), s.colourScale);
            break;
        case Mode::Arpeggios:
            noteList(fretWindow(pages.arpeggios.cboArpPositions, s.maxFret), s.colourChord);
            break;
        case Mode::Notes: {
            const QString name = spellDegree(u"1", s.currentRoot, s.rootSpelling);
            for (int string = 6; string >= 1; --string)
                everywhere(Shape::Square, s.colourRoot, name, pitchClassOf(name), string,
                           {0, s.maxFret});
            break;
        }
        case Mode::ChordScale:
            chordAndScale();
            break;
        case Mode::ChordFinder:
            finderSelection();
            break;
        }
    }

    // Every fret of the string inside the window that sounds the pitch class.
    void everywhere(Shape shape, PackedColour colour, const QString& text, int pitchClass,
                    int string, FretWindow window) {
        placeNote(s.tuning, pitchClass, string, window, s.maxFret,
                  [&](int fret, int str) { marker(shape, colour, text, fret, str); });
    }

    // A chord voicing or a triad shape: a mute sign, or the sounding note's name with an open
    // sign or a finger in a circle.
    template <typename IsRoot> void grip(const Voicing& v, IsRoot isRoot) {
        for (int string = 6; string >= 1; --string) {
            const QString& finger = v.fingers[size_t(string)];
            if (finger == QLatin1String("x") || !v.frets[size_t(string)]) {
                sideText(QStringLiteral("x"), string);
                continue;
            }
            const int fret = *v.frets[size_t(string)];
            const int pitchClass = ((s.tuning[size_t(string)] + fret) % 12 + 12) % 12;
            const NoteEntry* named = findPitchClass(s.noteList, pitchClass);
            sideText(named ? named->name : QString(), string);
            if (finger == QLatin1String("0") || fret == 0) {
                sideText(QStringLiteral("0"), string);
                continue;
            }
            marker(Shape::Circle, isRoot(named, pitchClass) ? s.colourRoot : s.colourChord, finger,
                   fret, string);
        }
    }

    void noteList(FretWindow window, PackedColour otherColour) {
        for (int i = 0; i < NoteListSize - 1; ++i) {
            const NoteEntry& entry = s.noteList[size_t(i)];
            if (!entry.isUsed())
                continue;
            for (int string = 6; string >= 1; --string)
                everywhere(Shape::Square, i == 0 ? s.colourRoot : otherColour, entry.name,
                           entry.pitchClass, string, window);
        }
    }

    void chordAndScale() {
        const FretWindow window = fretWindow(pages.chordScale.cboCSPositions, s.maxFret);
        const NoteList& chord = s.chordNoteList;
        const NoteList& scale = s.noteList;
        auto holds = [](const NoteList& notes, int pitchClass) {
            return std::any_of(notes.begin() + 1, notes.end(), [&](const NoteEntry& e) {
                return e.isUsed() && e.pitchClass == pitchClass;
            });
        };
        auto both = [&](const NoteEntry& e, PackedColour square, PackedColour circle) {
            for (int string = 6; string >= 1; --string) {
                placeNote(s.tuning, e.pitchClass, string, window, s.maxFret, [&](int f, int str) {
                    marker(Shape::Square, square, e.name, f, str);
                    marker(Shape::Circle, circle, e.name, f, str);
                });
            }
        };
        if (chord[0].isUsed())
            both(chord[0], s.colourRoot, s.colourRoot);
        for (size_t k = 1; k < chord.size(); ++k) {
            if (!chord[k].isUsed())
                continue;
            if (holds(scale, chord[k].pitchClass)) {
                both(chord[k], s.colourScale, s.colourChord);
            } else {
                for (int string = 6; string >= 1; --string)
                    everywhere(Shape::Circle, s.colourChord, chord[k].name, chord[k].pitchClass,
                               string, window);
            }
        }
        for (size_t j = 1; j < scale.size(); ++j) {
            if (!scale[j].isUsed() || holds(chord, scale[j].pitchClass))
                continue;
            for (int string = 6; string >= 1; --string)
                everywhere(Shape::Square, s.colourScale, scale[j].name, scale[j].pitchClass, string,
                           window);
        }
    }

    void finderSelection() {
        for (int string = 1; string <= 6; ++string) {
            const int value = s.finderSelection[size_t(string)];
            if (value == 0) {
                sideText(QStringLiteral("x"), string);
            } else if (value < 0) {
                sideText(QStringLiteral("0"), string);
            } else {
                const int pitchClass = (s.tuning[size_t(string)] + value) % 12;
                marker(Shape::Circle, s.colourChord, noteName(pitchClass, FlatColumn), value,
                       string);
            }
        }
    }

    PagePainter& p;
    const AppState& s;
    const MainPages& pages;
    const Mode mode;
    const double normalPen;
    const double rootPen;
    QPointF pos{Left, Top};
    double y0 = 0; // the picture's top
};

} // namespace

QString printRefusal(const AppState& s, Mode mode) {
    bool nothing = false;
    switch (mode) {
    case Mode::Chords:
        nothing = !isStandardTuning(s.tuning) || !s.selectedVoicingEntry();
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
        nothing = std::all_of(s.finderSelection.begin() + 1, s.finderSelection.end(),
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
                        Mode mode) {
    Sheet(painter, state, pages, mode).draw();
}

} // namespace chordalis
