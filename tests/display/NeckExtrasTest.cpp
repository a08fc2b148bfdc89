#include "HeadlessProgram.h"
#include "modes/Commands.h"
#include "modes/Finder.h"
#include "modes/Modes.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace chordalis {
namespace {

using test::HeadlessProgram;

// What the window adds to the neck, on the shipped library. The labels per mode are the
// companion tool's tests.
class NeckExtrasTest : public ::testing::Test {
protected:
    HeadlessProgram p;
};

TEST_F(NeckExtrasTest, TooltipsNameTheNoteWithItsOctaveIntervalAndPlace) {
    p.show(Mode::Chords, "C", TreeId::Chords, 0); // the open C, x32010
    EXPECT_EQ(markerToolTip(p.markersAt(2, 4).at(0)), "E3, interval 3, 4th string, fret 2");
    EXPECT_EQ(markerToolTip(p.markersAt(3, 5).at(0)), "C3, root, 5th string, fret 3");
    Mark open;
    open.note = QStringLiteral("Cb");
    open.pitch = 59;
    open.string = 2;
    EXPECT_EQ(markerToolTip(open), "Cb4, 2nd string, open");
}

TEST_F(NeckExtrasTest, TheChosenPositionIsShadedOnTheScreenOnly) {
    p.show(Mode::Scales, "C", TreeId::Scales, 0);
    EXPECT_FALSE(p->context().fretboard.positionWindow()); // All Positions
    positionChosen(p->context(), Mode::Scales, 5);
    const FretWindow window = fretWindow(p->context().pages.scales.cboScalePositions);
    ASSERT_EQ(p->context().fretboard.positionWindow(), window);

    // Between strings 1 and 2: inside the window, and two frets beyond it.
    const NeckGeometry neck;
    const int y = neck.stringRow(1) + CellSize + 1;
    const int inside = neck.fretOffset(window.low) + CellSize / 2;
    const int outside = neck.fretOffset(window.high + 2) + CellSize / 2;
    NeckExtras shaded;
    shaded.shadePosition = true;
    for (bool left : {false, true}) {
        setLeftHanded(p->context(), left);
        const QImage plain = p->context().fretboard.image();
        const QImage screen = p->context().fretboard.image(1.0, shaded);
        auto at = [left](int x) {
            return left ? SurfaceWidth - 1 - x : x;
        };
        EXPECT_GT(screen.pixelColor(at(inside), y).lightness(),
                  plain.pixelColor(at(inside), y).lightness() + 10)
            << left;
        EXPECT_EQ(screen.pixel(at(outside), y), plain.pixel(at(outside), y)) << left;
    }
    modeDispatch(p->context(), Mode::Notes);
    EXPECT_FALSE(p->context().fretboard.positionWindow());
}

TEST_F(NeckExtrasTest, ADarkWindowDarkensTheNameStripAndLightensItsSignsOnly) {
    p.show(Mode::Chords, "C", TreeId::Chords, 0); // the open C: names, a mute and open signs
    NeckExtras dark;
    dark.darkWindow = true;
    const NeckGeometry neck;
    for (bool left : {false, true}) {
        setLeftHanded(p->context(), left);
        const QImage light = p->context().fretboard.image();
        const QImage night = p->context().fretboard.image(1.0, dark);
        EXPECT_GT(light.pixelColor(1, 1).lightness(), 200) << left;
        EXPECT_LT(night.pixelColor(1, 1).lightness(), 80) << left;
        const int boardY = neck.stringRow(3) + CellSize + 2;
        for (int x : {SurfaceWidth / 2, SurfaceWidth / 3})
            EXPECT_EQ(night.pixel(x, boardY), light.pixel(x, boardY)) << x << left;
        for (const Mark& m : p->context().fretboard.marks()) {
            if (m.kind != MarkKind::Sign)
                continue;
            int darkest = 255, lightest = 0;
            for (int x = m.x; x < m.x + CellSize; ++x)
                for (int y = m.y; y < m.y + CellSize; ++y) {
                    darkest = std::min(darkest, light.pixelColor(x, y).lightness());
                    lightest = std::max(lightest, night.pixelColor(x, y).lightness());
                }
            EXPECT_LT(darkest, 120) << m.label.toStdString() << left;
            EXPECT_GT(lightest, 170) << m.label.toStdString() << left;
        }
    }
}

TEST_F(NeckExtrasTest, FretNumbersStandUnderTheirFretsForBothHands) {
    auto inkUnder = [this](FretNumbers which, int fret) {
        QImage strip(SurfaceWidth, FretNumberStripHeight, QImage::Format_ARGB32);
        strip.fill(Qt::white);
        QPainter painter(&strip);
        p->context().fretboard.paintFretNumbers(painter, which, Qt::black);
        int ink = 0;
        for (int x = p->context().fretboard.fretX(fret);
             x < p->context().fretboard.fretX(fret) + CellSize; ++x)
            for (int y = 0; y < strip.height(); ++y)
                ink += qGray(strip.pixel(x, y)) < 128;
        return ink;
    };
    for (bool left : {false, true}) {
        setLeftHanded(p->context(), left);
        for (int fret = 1; fret <= 15; ++fret) {
            const bool inlaid =
                fret == 3 || fret == 5 || fret == 7 || fret == 9 || fret == 12 || fret == 15;
            EXPECT_EQ(inkUnder(FretNumbers::Inlays, fret) > 0, inlaid) << fret << left;
            EXPECT_GT(inkUnder(FretNumbers::Every, fret), 0) << fret << left;
        }
    }
}

// The markers lit as each note of a playback starts and stops: (string, pitch) of each.
class SoundingTest : public NeckExtrasTest {
protected:
    using Lit = std::vector<std::pair<int, int>>;
    SoundingTest() {
        p->setNeckChangedHook([this] {
            Lit lit;
            const auto flags = p->context().fretboard.soundingMarks();
            for (size_t i = 0; i < flags.size(); ++i)
                if (flags[i])
                    lit.emplace_back(p->context().fretboard.marks()[i].string,
                                     p->context().fretboard.marks()[i].pitch);
            steps.push_back(lit);
        });
    }
    std::vector<Lit> steps;
};

TEST_F(SoundingTest, AStrumLightsEachFrettedStringUntilTheRelease) {
    p.show(Mode::Chords, "C", TreeId::Chords, 0); // x32010: the open strings are signs
    p->playCommand(Mode::Chords);
    EXPECT_TRUE(steps.empty()); // queued: nothing sounds before its time
    p.runFor(5.0);
    ASSERT_EQ(steps.size(), 10u);
    EXPECT_EQ(steps[0], (Lit{{5, 48}}));
    EXPECT_EQ(steps[4], (Lit{{5, 48}, {4, 52}, {2, 60}}));
    EXPECT_TRUE(steps.back().empty());
}

TEST_F(SoundingTest, RunsLightTheirPitchOrTheShownPlaceOfIt) {
    p.show(Mode::Scales, "E", TreeId::Scales, 0);  // E major
    positionChosen(p->context(), Mode::Scales, 1); // the open position
    p.port().sent.clear();
    // One octave up from E2: each note where the neck shows it, else every place of its name.
    p->playCommand(Mode::Scales);
    p.runFor(10.0);
    ASSERT_EQ(steps.size(), 16u);
    for (size_t i = 0; i < steps.size(); i += 2) {
        const int note = data1Of(p.port().sent[i].word);
        ASSERT_FALSE(steps[i].empty()) << note;
        const bool exact = std::any_of(steps[i].begin(), steps[i].end(),
                                       [note](const auto& lit) { return lit.second == note; });
        for (const auto& [string, pitch] : steps[i])
            EXPECT_EQ(exact ? pitch : pitch % 12, exact ? note : note % 12);
        EXPECT_TRUE(steps[i + 1].empty());
    }

    // As shown: each shown pitch once up and once down, on its own marker.
    p->context().state.view.run = RunRoute::AsShown;
    const Strum shown =
        shownNotes(p->context().state, fretWindow(p->context().pages.scales.cboScalePositions));
    ASSERT_GT(shown.size(), 8u);
    EXPECT_EQ(std::adjacent_find(shown.begin(), shown.end(),
                                 [](auto& a, auto& b) { return a.note >= b.note; }),
              shown.end()); // strictly rising: one place per pitch

    steps.clear();
    p->playCommand(Mode::Scales);
    p.runFor(30.0);
    ASSERT_EQ(steps.size(), 2 * (2 * shown.size() - 1));
    for (size_t k = 0; k < 2 * shown.size() - 1; ++k) {
        const StrummedNote& n = shown[k < shown.size() ? k : 2 * shown.size() - 2 - k];
        EXPECT_EQ(steps[2 * k], (Lit{{n.string, n.note}})) << k;
    }
}

} // namespace
} // namespace chordalis
