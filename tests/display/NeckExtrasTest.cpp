#include "HeadlessProgram.h"
#include "modes/Commands.h"
#include "modes/Finder.h"
#include "modes/Modes.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace chordalis {
namespace {

using test::HeadlessProgram;

// What the window adds to the neck: labels, tooltips, the position's window, the fret numbers and
// the sounding notes, on the shipped library.
class NeckExtrasTest : public ::testing::Test {
protected:
    void show(Mode mode, int tab, TreeId tree = TreeId::Chords, int item = -1,
              const char* word = nullptr) {
        rootChange(p->context(), tab);
        modeDispatch(p->context(), mode);
        if (item >= 0)
            p.clickItem(tree, item, word);
    }
    // Every marker's interval is the one its note has in the lists the display spelled.
    void expectIntervalsFromTheLists(const std::vector<const NoteList*>& lists) {
        const auto markers = p.markers();
        ASSERT_FALSE(markers.empty());
        for (const Mark& m : markers) {
            SCOPED_TRACE((m.note + u' ' + m.interval).toStdString());
            const NoteEntry* entry = nullptr;
            for (const NoteList* list : lists) {
                for (const NoteEntry& e : *list)
                    if (!entry && e.isUsed() && e.name == m.note)
                        entry = &e;
            }
            ASSERT_TRUE(entry);
            EXPECT_EQ(m.interval, degreeText(entry->token));
            EXPECT_EQ(m.pitch % 12, entry->pitchClass);
            EXPECT_EQ(shownLabel(m, MarkerLabels::Intervals), m.interval);
            EXPECT_EQ(shownLabel(m, MarkerLabels::Notes), m.note);
            EXPECT_EQ(shownLabel(m, MarkerLabels::Fingers), m.label);
        }
    }

    HeadlessProgram p;
};

TEST_F(NeckExtrasTest, MarkersKnowTheirNoteIntervalAndPitchInEveryMode) {
    show(Mode::Chords, 1, TreeId::Chords, 0, "Chord"); // the open C, x32010
    const auto e = p.markersAt(2, 4);
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].label, "finger2");
    EXPECT_EQ(shownLabel(e[0], MarkerLabels::Notes), "E");
    EXPECT_EQ(shownLabel(e[0], MarkerLabels::Intervals), "3");
    EXPECT_EQ(markerToolTip(e[0]), "E3, interval 3, 4th string, fret 2");
    EXPECT_EQ(markerToolTip(p.markersAt(3, 5).at(0)), "C3, root, 5th string, fret 3");
    expectIntervalsFromTheLists({&p->state.noteList});

    show(Mode::Scales, 6, TreeId::Scales, 1, "Scale"); // Eb Dorian: Gb is the b3
    expectIntervalsFromTheLists({&p->state.noteList});
    show(Mode::Arpeggios, 9, TreeId::Arpeggios, 4, "Arpeggio"); // F#m7
    expectIntervalsFromTheLists({&p->state.noteList});
    show(Mode::Triads, 10, TreeId::Triads, 3, "ID"); // a Gb minor triad
    expectIntervalsFromTheLists({&p->state.noteList});
    show(Mode::ChordScale, 6, TreeId::CSChords, 4, "Chord");
    expectIntervalsFromTheLists({&p->state.chordNoteList, &p->state.noteList});
    show(Mode::Notes, 2);
    expectIntervalsFromTheLists({&p->state.noteList});
    for (const Mark& m : p.markers())
        EXPECT_EQ(m.interval, "1");
    EXPECT_EQ(p->pages.notes.lblNoteName, "Note: C#");
    EXPECT_EQ(p->pages.notes.lblNotePlaces, "6th string (E): 9\n5th string (A): 4\n"
                                            "4th string (D): 11\n3rd string (G): 6\n"
                                            "2nd string (B): 2, 14\n1st string (E): 9");

    // The finder has no root: its markers keep their note names under any choice.
    show(Mode::ChordFinder, 1);
    p->state.finderSelection = {0, 0, 1, 0, 2, 3, 0}; // x32010 without the open strings
    showFinderSelection(p->context());
    for (const Mark& m : p.markers()) {
        EXPECT_TRUE(m.interval.isEmpty());
        EXPECT_EQ(shownLabel(m, MarkerLabels::Intervals), m.label);
    }
}

TEST_F(NeckExtrasTest, TooltipsNameOctavesOpenStringsAndTheVoicingsRemark) {
    Mark open;
    open.kind = MarkKind::Square;
    open.note = QStringLiteral("Cb");
    open.pitch = 59;
    open.string = 2;
    EXPECT_EQ(markerToolTip(open), "Cb4, 2nd string, open");

    show(Mode::Chords, 1, TreeId::Chords, 0, "Chord");
    const TreeModel& voicings = p->pages.chords.tvwVoicings;
    ASSERT_EQ(voicings.size(), int(p->state.voicings.size()));
    for (size_t i = 0; i < p->state.voicings.size(); ++i)
        EXPECT_EQ(voicings.nodes()[i].toolTip, p->state.voicings[i].memo);
}

TEST_F(NeckExtrasTest, TheChosenPositionIsShadedOnTheScreenOnly) {
    show(Mode::Scales, 1, TreeId::Scales, 0, "Scale");
    EXPECT_FALSE(p->fretboard.positionWindow());
    positionChosen(p->context(), Mode::Scales, 5);
    const FretWindow window = fretWindow(p->pages.scales.cboScalePositions);
    ASSERT_EQ(p->fretboard.positionWindow(), window);

    // Between strings 1 and 2, inside the window and a fret beyond it.
    const int y = stringRow(1) + CellSize + 1;
    const int inside = fretOffset(window.low) + CellSize / 2;
    const int outside = fretOffset(window.high + 2) + CellSize / 2;
    for (bool left : {false, true}) {
        SCOPED_TRACE(left);
        setLeftHanded(p->context(), left);
        NeckExtras shaded;
        shaded.shadePosition = true;
        const QImage plain = p->fretboard.image();
        const QImage screen = p->fretboard.image(1.0, shaded);
        auto at = [left](int x) {
            return left ? SurfaceWidth - 1 - x : x;
        };
        EXPECT_GT(screen.pixelColor(at(inside), y).lightness(),
                  plain.pixelColor(at(inside), y).lightness() + 10);
        EXPECT_EQ(screen.pixel(at(outside), y), plain.pixel(at(outside), y));
    }

    // "All Positions" and the other modes have no window.
    positionChosen(p->context(), Mode::Scales, 0);
    EXPECT_FALSE(p->fretboard.positionWindow());
    positionChosen(p->context(), Mode::Scales, 3);
    modeDispatch(p->context(), Mode::Notes);
    EXPECT_FALSE(p->fretboard.positionWindow());
}

TEST_F(NeckExtrasTest, FretNumbersStandUnderTheirFretsForBothHands) {
    auto strip = [this](FretNumbers which) {
        QImage image(SurfaceWidth, FretNumberStripHeight, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        p->fretboard.paintFretNumbers(painter, which, Qt::black);
        return image;
    };
    auto inkUnder = [](const QImage& image, int left) {
        int ink = 0;
        for (int x = left; x < left + CellSize; ++x)
            for (int y = 0; y < image.height(); ++y)
                ink += qGray(image.pixel(x, y)) < 128;
        return ink;
    };
    for (bool left : {false, true}) {
        SCOPED_TRACE(left);
        setLeftHanded(p->context(), left);
        const QImage inlays = strip(FretNumbers::Inlays);
        const QImage every = strip(FretNumbers::Every);
        for (int fret = 1; fret <= 15; ++fret) {
            const bool inlaid =
                fret == 3 || fret == 5 || fret == 7 || fret == 9 || fret == 12 || fret == 15;
            const int x = p->fretboard.fretX(fret);
            EXPECT_EQ(inkUnder(inlays, x) > 0, inlaid) << fret;
            EXPECT_GT(inkUnder(every, x), 0) << fret;
        }
        EXPECT_EQ(inkUnder(strip(FretNumbers::None), p->fretboard.fretX(12)), 0);
    }
}

// The neck as each note of a playback starts and stops: the sounding markers' places.
class SoundingTest : public NeckExtrasTest {
protected:
    SoundingTest() {
        p->setNeckChangedHook([this] {
            std::vector<std::pair<int, int>> lit;
            const auto flags = p->fretboard.soundingMarks();
            for (size_t i = 0; i < flags.size(); ++i)
                if (flags[i])
                    lit.emplace_back(p->fretboard.marks()[i].string, p->fretboard.marks()[i].pitch);
            steps.push_back(lit);
        });
    }
    std::vector<std::vector<std::pair<int, int>>> steps;
};

TEST_F(SoundingTest, AStrumLightsEachFrettedStringUntilTheRelease) {
    show(Mode::Chords, 1, TreeId::Chords, 0, "Chord"); // x32010: the open strings are signs
    p->playCommand(Mode::Chords);
    using Lit = std::vector<std::pair<int, int>>;
    ASSERT_EQ(steps.size(), 10u);
    EXPECT_EQ(steps[0], (Lit{{5, 48}}));
    EXPECT_EQ(steps[4], (Lit{{5, 48}, {4, 52}, {2, 60}}));
    EXPECT_TRUE(steps.back().empty());
    EXPECT_FALSE(p->fretboard.isAnythingSounding());
}

TEST_F(SoundingTest, RunsLightTheirPitchOrTheShownPlaceOfIt) {
    show(Mode::Scales, 7, TreeId::Scales, 0, "Scale"); // E major
    positionChosen(p->context(), Mode::Scales, 1);     // the open position, frets 0..3
    p.port().sent.clear();
    p->playCommand(Mode::Scales);
    ASSERT_EQ(steps.size(), 16u); // eight notes on and off
    for (size_t i = 0; i < steps.size(); i += 2) {
        const int note = data1Of(p.port().sent[i].word);
        ASSERT_FALSE(steps[i].empty()) << note;
        // The sounding pitch where the neck shows it, else every place of its note.
        const bool shown = std::any_of(steps[i].begin(), steps[i].end(),
                                       [note](const auto& lit) { return lit.second == note; });
        for (const auto& [string, pitch] : steps[i])
            EXPECT_EQ(pitch, shown ? note : pitch) << note;
        for (const auto& [string, pitch] : steps[i])
            EXPECT_EQ(pitch % 12, note % 12);
        EXPECT_TRUE(steps[i + 1].empty());
    }

    // As shown: every shown pitch once up and once down, each on its own marker.
    p->state.view.run = RunRoute::AsShown;
    const Strum shown =
        shownNotes(p->state, fretWindow(p->pages.scales.cboScalePositions, p->state.maxFret));
    ASSERT_GT(shown.size(), 8u);
    for (size_t i = 1; i < shown.size(); ++i)
        EXPECT_LT(shown[i - 1].note, shown[i].note);
    steps.clear();
    p.port().sent.clear();
    p->playCommand(Mode::Scales);
    ASSERT_EQ(steps.size(), 2 * (2 * shown.size() - 1));
    for (size_t k = 0; k < 2 * shown.size() - 1; ++k) {
        const StrummedNote& n = shown[k < shown.size() ? k : 2 * shown.size() - 2 - k];
        EXPECT_EQ(steps[2 * k], (std::vector<std::pair<int, int>>{{n.string, n.note}})) << k;
    }
    EXPECT_EQ(data1Of(p.port().sent.front().word), shown.front().note);

    p->player.allNotesOff();
    EXPECT_TRUE(steps.back().empty());
}

TEST_F(NeckExtrasTest, RootStepsGoRoundAndTheFinderNamesItsNotes) {
    stepRootTab(p->context(), -1);
    EXPECT_EQ(p->pages.rootTab, 17);
    EXPECT_EQ(p->state.currentRoot, 11);
    stepRootTab(p->context(), 2);
    EXPECT_EQ(p->pages.rootTab, 2);
    EXPECT_EQ(p->state.rootSpelling, 1);

    // C E Bb D#: the minor 3rd beside the major 3rd is the sharp 9th.
    p->state.finderSelection = {0, 0, 0, 8, 8, 7, 8};
    EXPECT_EQ(finderNotes(p->state, 0), "C D# E Bb");
    p->state.finderSelection = {0, 0, 0, 0, 5, 6, 8}; // C, Eb, G
    EXPECT_EQ(finderNotes(p->state, 0), "C Eb G");
    modeDispatch(p->context(), Mode::ChordFinder);
    redrawCurrentMode(p->context());
    EXPECT_EQ(p->pages.finder.lblDescription[6].notes, "C Eb G");
}

} // namespace
} // namespace chordalis
