#include "fretboard/Fretboard.h"

#include "HeadlessProgram.h"
#include "modes/Pages.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace chordalis {
namespace {

using test::RecordingLedSender;

class FretboardTest : public ::testing::Test {
protected:
    FretboardTest() { board.clearFretboard(); }

    // Draws one marker or sign on a freshly cleared neck of the hand and returns the picture.
    template <typename Draw> QImage drawn(bool leftHanded, Draw draw) {
        state.leftHanded = leftHanded;
        board.clearFretboard();
        draw();
        return board.image();
    }
    QImage empty(bool leftHanded) {
        return drawn(leftHanded, [] {});
    }

    AppState state;
    RecordingLedSender led;
    Fretboard board{state.neckSettings(), led};
};

QColor at(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

// Pixels of a cell that the drawing changed, and how many of those are dark or red.
struct CellChange {
    int changed = 0;
    int dark = 0;
    int red = 0;
};

CellChange compareCell(const QImage& before, const QImage& after, int x, int y) {
    CellChange c;
    for (int dy = 0; dy < CellSize; ++dy) {
        for (int dx = 0; dx < CellSize; ++dx) {
            const QColor a = at(after, x + dx, y + dy);
            if (a == at(before, x + dx, y + dy))
                continue;
            ++c.changed;
            c.dark += a.lightness() < 70;
            c.red += a.red() > 170 && a.green() < 70 && a.blue() < 70;
        }
    }
    return c;
}

// A name the pictures lack leaves the bare marker; a fret beyond the neck draws nothing.
TEST_F(FretboardTest, MarkersFillTheirCellsForBothHands) {
    for (const auto& [kind, role, label, fret, string] :
         {std::tuple{MarkKind::Square, ColourRole::Scale, "C", 8, 6},
          {MarkKind::Square, ColourRole::Root, "H#", 5, 3},
          {MarkKind::Square, ColourRole::Root, "", 0, 1},
          {MarkKind::Circle, ColourRole::Chord, "finger2", 3, 4}}) {
        for (const bool left : {false, true}) {
            SCOPED_TRACE(std::string(label) + (left ? " left-handed" : ""));
            const QImage image = drawn(
                left, [&] { board.drawMarker(kind, role, QLatin1String(label), fret, string); });
            const QColor colour = toQColor(board.marks().back().colour);
            const int x = board.fretX(fret), y = board.stringY(string);
            EXPECT_EQ(test::frameText(board.ledFrame()),
                      QStringList{QStringLiteral("%1~%2").arg(fret).arg(string)});
            if (kind == MarkKind::Circle) { // a disc: inside beside the digit, not the corners
                EXPECT_EQ(std::tuple(at(image, x + 10, y + 2), at(image, x + 2, y + 10)),
                          std::tuple(colour, colour));
                EXPECT_TRUE(at(image, x, y) != colour && at(image, x + 20, y + 20) != colour);
                continue;
            }
            for (const auto& [cx, cy] :
                 {std::pair{x, y}, {x + 20, y}, {x, y + 20}, {x + 20, y + 20}})
                EXPECT_EQ(at(image, cx, cy), colour) << cx << "," << cy;
            int white = 0;
            for (int dy = 0; dy < CellSize; ++dy)
                for (int dx = 0; dx < CellSize; ++dx)
                    white += at(image, x + dx, y + dy).lightness() > 240;
            EXPECT_EQ(white > 10, std::string(label) == "C") << white;
        }
    }
    EXPECT_EQ(
        drawn(false, [&] { board.drawMarker(MarkKind::Square, ColourRole::Root, {}, 16, 1); }),
        empty(false));
    EXPECT_TRUE(board.ledFrame().empty());
}

TEST_F(FretboardTest, SignsBesideTheNutAndBeyondTheLastFretMirror) {
    for (const auto& [sign, name, column, string, rightX, leftX] :
         {std::tuple{SignKind::NoteName, QStringLiteral("C#"), NoteNameColumn, 2, 730, 2},
          {SignKind::OpenRoot, QString(), IndicatorColumn, 5, 18, 714}}) {
        for (const bool left : {false, true}) {
            SCOPED_TRACE(left ? "left" : "right");
            const QImage before = empty(left);
            const QImage after = drawn(left, [&] { board.drawSign(sign, string, name); });
            const int x = left ? leftX : rightX;
            EXPECT_EQ(board.fretX(column), x);
            EXPECT_EQ(board.marks().back().fret, column);
            const CellChange change = compareCell(before, after, x, board.stringY(string));
            EXPECT_GT(change.changed, 15);
            if (sign == SignKind::OpenRoot)
                EXPECT_GT(change.red, 10);
            else
                EXPECT_GT(change.dark, 10);
            EXPECT_TRUE(board.ledFrame().empty()); // signs never light the guitar
        }
    }
}

// Only on the strings a partial capo covers; the mute sign stays beside the nut.
TEST_F(FretboardTest, OpenSignsOfStringsUnderTheCapoStandAtTheCapo) {
    for (const auto& [capo, rootColumn] :
         {std::pair{Capo{3}, 3}, std::pair{Capo{3, 1, 3}, IndicatorColumn}}) {
        SCOPED_TRACE(capo.isPartial() ? "partial" : "full");
        state.capo = capo;
        const QImage before = empty(false);
        const QImage after = drawn(false, [&] {
            board.drawSign(SignKind::OpenRoot, 5);
            board.drawSign(SignKind::Open, 2);
            board.drawSign(SignKind::Mute, 3);
        });
        ASSERT_NE(board.picture().sign(SignKind::OpenRoot, 5), nullptr);
        EXPECT_EQ(board.picture().sign(SignKind::OpenRoot, 5)->fret, rootColumn);
        EXPECT_EQ(board.picture().sign(SignKind::Open, 2)->fret, 3);
        EXPECT_EQ(board.picture().sign(SignKind::Open, 2)->x, board.fretX(3));
        EXPECT_EQ(board.picture().sign(SignKind::Mute, 3)->fret, IndicatorColumn);
        EXPECT_GT(compareCell(before, after, board.fretX(3), board.stringY(2)).dark, 10);
        EXPECT_EQ(
            compareCell(before, after, board.fretX(IndicatorColumn), board.stringY(2)).changed, 0);
        EXPECT_GT(compareCell(before, after, board.fretX(rootColumn), board.stringY(5)).red, 10);
    }
    state.capo = {};
}

TEST_F(FretboardTest, LeftHandedNeckIsTheMirrorImage) {
    const QImage right = empty(false);
    const QImage left = empty(true);
    // Away from the name columns, which are written unmirrored.
    int worst = 0;
    for (int y = 0; y < SurfaceHeight; y += 3) {
        for (int x = 60; x < 690; ++x) {
            const QColor a = at(right, x, y);
            const QColor b = at(left, SurfaceWidth - 1 - x, y);
            worst = std::max({worst, std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                              std::abs(a.blue() - b.blue())});
        }
    }
    EXPECT_EQ(worst, 0);
}

// A change of hand is never scaled from the other hand's rendering.
TEST_F(FretboardTest, AResizedNeckIsScaledOnceThenRenderedSharp) {
    board.clearFretboard();
    const QImage sharp = board.image(2.0);
    board.image(1.0);
    auto paintAt2 = [&](bool resized) {
        QImage image(sharp.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter p(&image);
        p.scale(2.0, 2.0);
        const bool wasSharp = resized ? board.paintResized(p, {}, 1.0) : (board.paint(p), true);
        p.end();
        return std::pair(wasSharp, image);
    };
    const auto [quickWasSharp, quick] = paintAt2(true);
    EXPECT_FALSE(quickWasSharp);
    EXPECT_NE(quick, sharp);
    EXPECT_EQ(paintAt2(false).second, sharp);
    EXPECT_EQ(paintAt2(true), std::pair(true, sharp));

    state.leftHanded = true;
    board.clearFretboard();
    const auto [leftWasSharp, left] = paintAt2(true);
    EXPECT_TRUE(leftWasSharp) << "rendered anew for the other hand";
    EXPECT_EQ(left, board.image(2.0));
}

TEST_F(FretboardTest, ClearingWritesTheOpenStringsAndSendsAnEmptyFrame) {
    state.instrument.tuning = presetTuning(2); // Eb dropped standard
    state.tuningSpelling = 0;
    board.drawMarker(MarkKind::Square, ColourRole::Root, {}, 3, 3);
    led.frames.clear();
    board.clearFretboard();
    QStringList names;
    for (const Mark& m : board.marks())
        names << m.label;
    EXPECT_EQ(names, QStringList({"Eb2", "Bb2", "Gb2", "Db2", "Ab2", "Eb2"}));
    ASSERT_EQ(led.frames.size(), 1u);
    EXPECT_TRUE(led.frames[0].empty());
}

TEST_F(FretboardTest, ANeckOfSevenStringsAndTwentyFourFretsDrawsAndLightsThemAll) {
    state.instrument = {{CustomPreset, {64, 59, 55, 50, 45, 40, 35}}, 24};
    const QImage bare = empty(false);
    const NeckGeometry& neck = board.geometry();
    ASSERT_EQ(bare.size(), QSize(neck.width(), neck.height()));
    const int x = neck.fretX(4, false) + 3;
    for (int string = 1; string <= 7; ++string) {
        const int y = int(neck.stringCentreY(string));
        EXPECT_GT(at(bare, x, y).lightness(), at(bare, x, y - 7).lightness() + 30) << string;
    }
    EXPECT_EQ(board.marks().size(), 7u); // the open strings' names
    EXPECT_EQ(board.marks().back().note, QStringLiteral("B"));

    const QColor red = toQColor(state.colourRoot);
    const QImage image = drawn(false, [&] {
        board.drawMarker(MarkKind::Square, ColourRole::Root, QStringLiteral("E"), 24, 7);
        board.drawMarker(MarkKind::Square, ColourRole::Root, QStringLiteral("E"), 25, 7);
        board.drawMarker(MarkKind::Square, ColourRole::Root, QStringLiteral("E"), 3, 8);
    });
    EXPECT_EQ(at(image, neck.fretX(24, false) + 2, neck.stringY(7) + 2), red);
    EXPECT_EQ(board.marks().back().pitch, 35 + 24);
    EXPECT_EQ(test::frameText(board.ledFrame()), QStringList{QStringLiteral("24~7")});
}

TEST(PictureSetTest, EveryKeyHasATransparentPictureInTheRightInkAndSolidSharps) {
    PictureSet pictures;
    const QStringList keys = PictureSet::keys();
    for (const QString& key : keys) {
        SCOPED_TRACE(key.toStdString());
        const QImage& image = pictures.picture(key);
        ASSERT_EQ(image.size(), QSize(21, 21));
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
        int ink = 0;
        int white = 0;
        int black = 0;
        for (int y = 0; y < 21; ++y) {
            for (int x = 0; x < 21; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.alpha() < 250)
                    continue;
                ++ink;
                white += c.lightness() > 240;
                black += c.lightness() < 20;
            }
        }
        EXPECT_GT(ink, 8);
        const bool blackInk = key.endsWith(u'2') && !key.startsWith(QLatin1String("finger"));
        if (blackInk || key == QLatin1String("finger0") || key == QLatin1String("fingerX")) {
            EXPECT_GT(black, 4);
        } else if (key != QLatin1String("finger0red")) {
            EXPECT_GT(white, 4);
        }
    }
    EXPECT_TRUE(pictures.picture(QStringLiteral("H")).isNull());
    const QImage& sharp = pictures.picture(QStringLiteral("Gx"), 2.0);
    EXPECT_EQ(sharp.size(), QSize(42, 42));
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0);

    // A sharp sign is solid where its strokes cross: some row of it is one run of ink across
    // most of its width, not a chequer.
    const QImage image = pictures.picture(QStringLiteral("F#2"), 8.0);
    auto ink = [&](int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return c.alpha() > 200 && c.lightness() < 60;
    };
    std::vector<bool> column(size_t(image.width()), false);
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            column[size_t(x)] = column[size_t(x)] || ink(x, y);
    const auto letter = std::find(column.begin(), column.end(), true);
    const auto gap = std::find(letter, column.end(), false);
    const auto first = std::find(gap, column.end(), true);
    ASSERT_NE(first, column.end());
    const int from = int(first - column.begin());
    const int to = int(column.rend() - std::find(column.rbegin(), column.rend(), true));
    int longest = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = from, run = 0; x < to; ++x) {
            run = ink(x, y) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    EXPECT_GE(longest, (to - from) * 6 / 10);
}

// Not its left part at full size; a note's picture stays centred in its cell.
TEST(SmallNeck, IsTheWholeNeckScaledDown) {
    AppState state;
    SilentLedSender led;
    Fretboard board(state.neckSettings(), led);
    board.clearFretboard();
    for (double scale : {0.5, 0.75, 1.0}) {
        SCOPED_TRACE(scale);
        const QImage image = board.image(scale);
        const auto at = [&](double x, double y) {
            return image.pixelColor(int(x * scale), int(y * scale)).lightness();
        };
        EXPECT_GT(at(745, 100), 180); // the margin beyond the board
        EXPECT_LT(at(455, 92), 100);  // the wood between strings 3 and 4, fret 8

        const QImage c = PictureSet().picture(QStringLiteral("C"), scale);
        double sumX = 0, ink = 0;
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x) {
                const double a = c.pixelColor(x, y).alphaF();
                sumX += a * x;
                ink += a;
            }
        ASSERT_GT(ink, 0);
        EXPECT_NEAR(sumX / ink, (c.width() - 1) / 2.0, 1.0 + scale);
    }
}

} // namespace
} // namespace chordalis
