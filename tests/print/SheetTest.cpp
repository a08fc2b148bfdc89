#include "SheetCases.h"
#include "fretboard/Geometry.h"
#include "print/ReferenceSheet.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace chordalis {
namespace {

using test::HeadlessProgram;
using test::SheetCases;

// Records texts and shapes with the font and pen they were drawn in. Its font measures simply:
// a line is 23 twips per point high, a character 10 twips per point wide.
struct Recorder : PagePainter {
    struct Call {
        char kind; // 'T' text, 'E' ellipse, 'R' rectangle, 'B' box, 'C' the chosen box
        QRectF box;
        QString text;
        PageFont font;
        double pen;
    };
    std::vector<Call> calls;
    int parts = 0; // the pages of the sheet it is a page of
    PageFont f;
    double w = 0;

    double pixel() const override { return 1.2; } // a 1200 dpi printer
    void setFont(const PageFont& font) override { f = font; }
    PageFont font() const override { return f; }
    QSizeF textSize(const QString& t) const override {
        return {10 * f.points * t.size(), 23 * f.points};
    }
    double averageCharWidth() const override { return 10 * f.points; }
    void drawText(QPointF at, const QString& t) override {
        calls.push_back({'T', {at, textSize(t)}, t, f, w});
    }
    void setPen(double width) override { w = width; }
    double pen() const override { return w; }
    void setFill(PageFill) override {}
    void drawLine(QPointF, QPointF) override {}
    void drawEllipse(QPointF c, double rx, double ry) override {
        record('E', {c.x() - rx, c.y() - ry, 2 * rx, 2 * ry});
    }
    void drawRect(const QRectF& r) override { record('R', r); }
    void drawChordBox(const ChordBox& b, const QRectF& r, MarkerLabels, bool chosen) override {
        calls.push_back({chosen ? 'C' : 'B', r, b.caption, f, w});
    }
    void record(char kind, const QRectF& r) { calls.push_back({kind, r, {}, f, w}); }

    const Call* text(const QString& t, PageFont font = sheet::TextFont, int nth = 0) const {
        for (const Call& c : calls) {
            if (c.kind == 'T' && c.text == t && c.font == font && nth-- == 0)
                return &c;
        }
        return nullptr;
    }
    // The box of a text that must be there: a failure, not a crash, when it is missing.
    QRectF box(const QString& t, PageFont font = sheet::TextFont, int nth = 0) const {
        const Call* c = text(t, font, nth);
        if (!c)
            ADD_FAILURE() << "no text \"" << t.toStdString() << '"';
        return c ? c->box : QRectF();
    }
    // The markers (397 twips wide) centred on a point, in drawing order.
    std::vector<Call> shapesAt(QPointF centre) const {
        std::vector<Call> out;
        for (const Call& c : calls) {
            if (c.kind != 'T' && c.box.width() == 397 &&
                (c.box.center() - centre).manhattanLength() < 0.01)
                out.push_back(c);
        }
        return out;
    }
};

constexpr double TextLine = 12 * 23;

// The picture's top under the title, the notes line and n further lines (each twice its height).
double pictureTop(int further) {
    return 500 + 2 * 16 * 23 + 20 + 2 * TextLine + 60 + further * (2 * TextLine + 20);
}

// A marker cell's centre on paper: the screen cell scaled and rounded to whole twips.
QPointF cell(int fret, int string, double top, bool left = false) {
    const NeckGeometry neck;
    return {500 + std::round(18.07 * neck.fretX(fret, left)) + 198.5,
            top + std::round(18.07 * neck.stringY(string)) + 198.5};
}

template <typename R = Recorder> R print(HeadlessProgram& p, int part = 0) {
    R page;
    page.parts = drawReferenceSheet(page, p->state(), p->pages(), p->pages().mode,
                                    p->fretboard().picture(), part);
    return page;
}

TEST(Sheet, NothingToPrintFollowsTheTuning) {
    HeadlessProgram p;
    setInstrument(p->context(), {presetTuning(4)}); // Dropped D: every display has grips to print
    for (const test::SheetCase& c : SheetCases) {
        c.setUp(p);
        EXPECT_TRUE(printRefusal(p->context().state, c.mode).isEmpty()) << c.name;
    }
}

TEST(Sheet, ChordMarksFingersAndTakesItsSideTextsToTheHandsSides) {
    for (bool left : {false, true}) {
        SCOPED_TRACE(left ? "left-handed" : "right-handed");
        HeadlessProgram p;
        p->context().state.leftHanded = left;
        SheetCases[0].setUp(p); // the open C chord: x32010, fingered x32010
        const Recorder page = print(p);
        const double top = pictureTop(0);
        for (auto [fret, string, root] : {std::tuple{3, 5, true}, {2, 4, false}, {1, 2, true}}) {
            const auto shapes = page.shapesAt(cell(fret, string, top, left));
            ASSERT_EQ(shapes.size(), 1u);
            EXPECT_EQ(shapes[0].kind, 'E');
            EXPECT_EQ(shapes[0].pen, root ? sheet::RootPen : sheet::MinimumPen); // root heavier
            // Here each finger's number is its fret's.
            EXPECT_EQ(page.box(QString::number(fret), sheet::MarkFont).center(),
                      cell(fret, string, top, left));
        }
        for (int string : {6, 3, 1}) // muted and open strings: no circle
            EXPECT_TRUE(page.shapesAt(cell(0, string, top, left)).empty());
        EXPECT_EQ(page.box("A", sheet::MarkFont).center(), cell(0, 5, top, left)); // open A

        // Signs beside the nut, names at the far end.
        auto at = [&](const Recorder::Call* c, double x, int string) {
            return c && c->box.left() == x &&
                   std::abs(c->box.center().y() - cell(0, string, top).y()) <= 0.5;
        };
        const double sign = left ? 13512 : 897, name = left ? 500 : 13711;
        for (auto [text, nth, x, string] : {std::tuple{"x", 0, sign, 6},
                                            {"0", 0, sign, 3},
                                            {"0", 1, sign, 1},
                                            {"C", 0, name, 5},
                                            {"E", 0, name, 4},
                                            {"G", 0, name, 3},
                                            {"E", 1, name, 1}})
            EXPECT_TRUE(at(page.text(text, sheet::TextFont, nth), x, string)) << text << string;
    }
}

// Boxes narrower than MinBoxWidth would be go on further pages; a scale's positions are necks.
TEST(Sheet, ChordSheetHoldsEveryGripAsAReadableBoxOverItsPagesAndNamesTheOneOnTheNeck) {
    HeadlessProgram p;
    for (const bool last : {false, true}) { // the open chord, first; the last grip, on page 2
        SheetCases[0].setUp(p);
        if (last)
            chooseItem(p->context(), TreeId::Voicings, p->state().voicings.back().number);
        const Voicing& shown = *p->state().selectedVoicingEntry();
        const Recorder first = print(p);
        const int pages = first.parts;
        ASSERT_EQ(pages, 2) << "C major's 38 grips do not fit on one page at a readable size";
        QStringList captions, chosen;
        std::vector<int> counts;
        int chosenPage = 0;
        for (int part = 0; part < pages; ++part) {
            const Recorder page = part == 0 ? first : print(p, part);
            double bottom = 0, row = 0;
            counts.push_back(0);
            for (const Recorder::Call& c : page.calls) {
                if (c.kind != 'B' && c.kind != 'C')
                    continue;
                ++counts.back();
                captions << c.text;
                bottom = std::max(bottom, c.box.bottom());
                row = c.box.height();
                EXPECT_GE(c.box.width(), sheet::MinBoxWidth - 0.01);
                EXPECT_GT(c.box.top(), part == 0 ? pictureTop(0) + 3307 : 500.0);
                EXPECT_GE(c.box.left(), 500);
                EXPECT_LE(c.box.right(), 500 + 13608 + 0.01);
                if (c.kind == 'C') {
                    chosen << c.text;
                    chosenPage = part + 1;
                }
            }
            EXPECT_LE(bottom, sheet::Height - 23 * 8) << "above the footer";
            if (part + 1 < pages) { // a page that continues holds every row that fits on it
                EXPECT_GT(bottom + row, sheet::Height - 23 * 8 - 20) << "page " << part + 1;
            }
            EXPECT_TRUE(page.text(SheetFooter, sheet::FooterFont));
            if (part > 0) {
                EXPECT_EQ(
                    page.box("Chord: Cmaj - chord boxes, continued (page 2 of 2)", sheet::TitleFont)
                        .topLeft(),
                    QPointF(500, 500));
            }
        }
        QStringList listed;
        for (const Voicing& v : p->state().voicings)
            listed << v.caption;
        EXPECT_EQ(captions, listed) << "each grip once, in list order";
        EXPECT_EQ(chosen, QStringList{shown.caption});
        EXPECT_EQ(chosenPage, last ? 2 : 1);
        const auto box =
            std::find_if(p->pages().chords.boxes.begin(), p->pages().chords.boxes.end(),
                         [&](const ChordBox& b) { return b.number == shown.number; });
        ASSERT_NE(box, p->pages().chords.boxes.end());
        EXPECT_TRUE(
            first.text(QStringLiteral("The neck shows: %1 (%2), framed %3.")
                           .arg(shown.caption, box->fretsText(),
                                last ? QStringLiteral("on page 2") : QStringLiteral("below"))));
        EXPECT_TRUE(first.text(
            QStringLiteral("%1 more chord boxes follow on the next page.").arg(counts[1])));
    }

    SheetCases[1].setUp(p);
    const Recorder scale = print(p);
    EXPECT_EQ(std::count_if(scale.calls.begin(), scale.calls.end(),
                            [](const auto& c) { return c.kind == 'B' || c.kind == 'C'; }),
              0);
    const PositionList& positions = p->pages().scales.cboScalePositions;
    for (int k = 1; k < positions.entries.size(); ++k)
        EXPECT_TRUE(scale.text(positions.entries[k], sheet::SmallNeckFont))
            << qPrintable(positions.entries[k]);
}

TEST(Sheet, AnotherNeckIsNamedAndStringsOpenAtTheCapoPrintTheirZeroThere) {
    HeadlessProgram p;
    p->context().state.capo = Capo{2};
    p.show(Mode::Chords, "D", TreeId::Chords, 0); // the C shape above the capo: x-5-4-2-3-2
    const Recorder page = print(p);
    EXPECT_TRUE(page.text("Neck: Standard Tuning (E2 A2 D3 G3 B3 E4), capo at the 2nd fret"));
    const double top = pictureTop(1);
    for (auto [nth, string] : {std::pair{0, 3}, {1, 1}})
        EXPECT_EQ(page.box("0", sheet::MarkFont, nth).center(), cell(2, string, top)) << string;
    EXPECT_EQ(page.text("0", sheet::TextFont), nullptr); // nothing left beside the nut

    setInstrument(p->context(), {presetTuning(4)});
    p->context().state.capo = Capo{2, 3, 5};
    redrawCurrentMode(p->context());
    EXPECT_TRUE(print(p).text("Neck: Dropped D (D2 A2 D3 G3 B3 E4), capo at the 2nd fret on "
                              "strings 5 to 3"));
}

TEST(Sheet, TheNeckFrameIsNoStringAndInlaysGiveWayToMarkers) {
    struct Lines : Recorder {
        std::vector<std::pair<QPointF, QPointF>> lines;
        void drawLine(QPointF a, QPointF b) override { lines.emplace_back(a, b); }
    };
    HeadlessProgram p;
    SheetCases[0].setUp(p); // open C: markers on strings 5, 4 and 2 in the first three frets
    const Lines page = print<Lines>(p);
    const double top = pictureTop(0);
    const NeckGeometry neck;
    int along = 0;
    for (const auto& [a, b] : page.lines) {
        if (a.y() != b.y())
            continue; // a fret wire
        ++along;
        const double string1 = top + 18.07 * neck.stringCentreY(1);
        const double string6 = top + 18.07 * neck.stringCentreY(6);
        EXPECT_GE(a.y(), string1 - 1) << "a line above the 1st string";
        EXPECT_LE(a.y(), string6 + 1) << "a line below the 6th string";
    }
    EXPECT_EQ(along, 6); // the strings alone
    auto inlays = [](const Recorder& r) {
        return std::count_if(r.calls.begin(), r.calls.end(),
                             [](const auto& c) { return c.kind == 'E' && c.box.width() < 200; });
    };
    const auto open = inlays(page);
    EXPECT_GT(open, 0);
    // G's E shape: markers on strings 5 and 4 at the 5th fret, whose inlay gives way.
    rootChange(p->context(), *rootTabIndex(QStringLiteral("G")));
    nodeClicked(p->context(), TreeId::Voicings, QStringLiteral("0Voicing"));
    EXPECT_LT(inlays(print<Lines>(p)), open);
}

TEST(Sheet, ChordScaleShapesShowMembershipAndTheLegendExplainsThem) {
    HeadlessProgram p;
    SheetCases[5].setUp(p);
    nodeClicked(p->context(), TreeId::CSScales, QStringLiteral("0 Scale")); // Cm7 on C major
    const Recorder page = print(p);
    const double top = pictureTop(2);
    auto kinds = [&](int fret, int string) {
        QString out;
        for (const auto& c : page.shapesAt(cell(fret, string, top)))
            out += QChar(c.kind) + QString::number(c.pen);
        return out;
    };
    EXPECT_EQ(kinds(3, 5), "R30E30"); // the root C: a box and a circle, heavy
    EXPECT_EQ(kinds(3, 1), "R6E6");   // G, in both: a circle inside a box
    EXPECT_EQ(kinds(6, 5), "E6");     // Eb, the chord's only
    EXPECT_EQ(kinds(2, 4), "R6");     // E, the scale's only
    const double legend = top + 3327 + TextLine;
    EXPECT_EQ(page.box("= Both Chord and Scale     ").topLeft(), QPointF(1095.5, legend));
    EXPECT_EQ(page.shapesAt({698.5, legend + 198.5}).size(), 2u);
    const Recorder::Call* scaleOnly = page.text("   = Scale Only     "); // a pixel after its box
    EXPECT_EQ(page.shapesAt({scaleOnly->box.left() - 1.2 - 198.5, legend + 198.5})[0].kind, 'R');
}

TEST(Sheet, FinderMarksTheSelectionAndTabsTheDescriptions) {
    HeadlessProgram p;
    SheetCases[6].setUp(p); // x32010
    const Recorder page = print(p);
    const double top = pictureTop(0);
    EXPECT_EQ(page.box("E", sheet::MarkFont, 2).center(), cell(2, 4, top)); // after E, E open
    EXPECT_EQ(page.box("x").left(), 897);
    // The description at the next print zone (14 average characters: 1680 twips here).
    const double heading = top + 3327 + TextLine;
    EXPECT_EQ(page.box("Possible chord descriptions:").topLeft(), QPointF(500, heading));
    EXPECT_EQ(page.box("Root 1st string:").topLeft(), QPointF(500, heading + 7 * TextLine));
    const QString fifth = p->pages().finder.description(5).text;
    EXPECT_EQ(page.box(fifth).topLeft(), QPointF(2 * 1680, heading + 3 * TextLine));
}

TEST(Sheet, TriadsPrintTheShapeShownAndNoneWhereTheNeckHasNone) {
    HeadlessProgram p;
    p.show(Mode::Triads, "G#", TreeId::Triads, 6); // G# dim on 6-5-4
    const double top = pictureTop(0);
    Recorder page = print(p); // kept in the open position: G# and B fingered, D open
    EXPECT_EQ(page.shapesAt(cell(4, 6, top))[0].pen, sheet::RootPen);
    EXPECT_EQ(page.box("2", sheet::MarkFont).center(), cell(2, 5, top));
    EXPECT_TRUE(page.shapesAt(cell(0, 4, top)).empty());
    EXPECT_NEAR(page.box("0").center().y(), cell(0, 4, top).y(), 0.5);

    setInstrument(p->context(), {presetTuning(4)}); // on D-A-D the shape spans five frets
    page = print(p);
    EXPECT_TRUE(page.text("Triad: G# Diminished Root Position - Strings 6-5-4", sheet::TitleFont));
    EXPECT_EQ(page.text("0"), nullptr);
    EXPECT_TRUE(page.shapesAt(cell(4, 6, top)).empty());
}

} // namespace
} // namespace chordalis
