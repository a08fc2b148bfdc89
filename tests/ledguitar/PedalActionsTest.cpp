#include "app/PedalActions.h"

#include "../display/HeadlessProgram.h"
#include "ledguitar/SimulatedGuitar.h"
#include "modes/Commands.h"
#include "modes/Modes.h"

#include <gtest/gtest.h>

using namespace chordalis;

namespace {

// The left switch runs the action under test.
class PedalActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program->context().state.ledConnected);
        program->context().state.mainWindowActive = true;
    }

    void pedal(int action) {
        program->context().state.ledOptionLeft = action;
        sim->pressPedal(1);
        program->guitar().poll();
        sim->releasePedal();
        program->guitar().poll();
    }
    void page(Mode mode) { modeDispatch(program->context(), mode); }

    SimulatedGuitar* sim = new SimulatedGuitar;
    test::HeadlessProgram program{std::unique_ptr<HidTransport>(sim), nullptr};
    test::RecordingMessageBoxes& boxes = program.boxes();
};

} // namespace

TEST_F(PedalActionsTest, RootNoteRisesASemitoneWithFlatNames) {
    const std::pair<int, int> steps[] = {{17, 1}, {2, 4}, {3, 4}, {1, 3}, {16, 17}};
    for (int m = 0; m < ModeCount; ++m) {
        page(Mode(m));
        for (const auto& [from, to] : steps) {
            selectRootTab(program->context(), from);
            const size_t frames = program.led().frames.size();
            pedal(RootNoteAction);
            EXPECT_EQ(program->context().pages.rootTab, to) << from;
            EXPECT_GT(program.led().frames.size(), frames); // the page was drawn again
        }
    }
    EXPECT_EQ(program->context().state.currentRoot, 11); // B, reached from Bb
}

// The note and chord/scale pages play nothing from the pedal.
TEST_F(PedalActionsTest, PlaySoundPlaysOrRefusesAsThePagesButton) {
    for (int m = 0; m < ModeCount; ++m) {
        page(Mode(m));
        boxes.shown.clear();
        pedal(PlaySoundAction);
        const bool silent = Mode(m) == Mode::Notes || Mode(m) == Mode::ChordScale;
        EXPECT_EQ(boxes.shown.size(), silent ? 0u : 1u) << m;
        if (!boxes.shown.empty()) {
            EXPECT_EQ(boxes.shown[0].text, playRefusal(program->context().state, Mode(m)));
        }
    }
    EXPECT_TRUE(program.port().sent.size() <= 1u); // at most the instrument: nothing played
    page(Mode::Chords);
    chooseItem(program->context(), TreeId::Chords, 0);
    boxes.shown.clear();
    pedal(PlaySoundAction);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_GT(program.port().sent.size(), 2u);
}

TEST_F(PedalActionsTest, LightsOnSendTheDisplayAndLightsOffGoDark) {
    page(Mode::Notes);
    selectRootTab(program->context(), 1);
    EXPECT_TRUE(sim->outputReports().empty()); // dark until the first Lights On/Off
    pedal(LightsAction);
    EXPECT_TRUE(program->guitar().lightsOn());
    auto reports = sim->ledReports();
    ASSERT_EQ(reports.size(), 6u); // the cleared neck, then the display
    reports.erase(reports.begin(), reports.begin() + 3);
    // Every C: string 2 at fret 1, string 5 at 3, string 3 at 5; strings 1 and 6 at 8.
    EXPECT_EQ(reports[0], (std::array<int, 9>{1, 0, 0x10, 0, 0x02, 0, 0x08, 0, 0}));
    EXPECT_EQ(reports[1][1], 0x21);
    sim->clearOutputReports();
    pedal(LightsAction);
    EXPECT_FALSE(program->guitar().lightsOn());
    reports = sim->ledReports();
    ASSERT_EQ(reports.size(), 3u);
    for (const auto& r : reports)
        EXPECT_EQ(std::count(r.begin() + 1, r.end(), 0), 8);
    sim->clearOutputReports();
    rootChange(program->context(), 4);
    EXPECT_TRUE(sim->outputReports().empty());
}

TEST_F(PedalActionsTest, APressWhileADialogIsActiveRunsNothingButAwaitsTheRelease) {
    program->context().state.mainWindowActive = false;
    page(Mode::Chords);
    selectRootTab(program->context(), 1);
    program->context().state.ledOptionLeft = RootNoteAction;
    sim->pressPedal(1);
    program->guitar().poll();
    EXPECT_EQ(program->context().pages.rootTab, 1);
    EXPECT_TRUE(program->guitar().waitingForRelease());
    program->context().state.mainWindowActive = true; // the dialog closes, the switch still held
    program->guitar().poll();
    EXPECT_EQ(program->context().pages.rootTab, 1);
    sim->releasePedal();
    program->guitar().poll();
    pedal(RootNoteAction);
    EXPECT_EQ(program->context().pages.rootTab, 3);
}

TEST_F(PedalActionsTest, ShutDownDarkensTheGuitarAndWritesTheSwitchOptions) {
    pedal(LightsAction);
    program->context().state.ledOptionLeft = 4;
    program->context().state.ledOptionRight = 5;
    sim->clearOutputReports();
    program->shutDown(program.store());
    const auto reports = sim->ledReports();
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[0], (std::array<int, 9>{1, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(program->guitar().isPolling());
    EXPECT_EQ(program.store().value("Fretlight/Left").toString(), "4");
    EXPECT_EQ(program.store().value("Fretlight/Right").toString(), "5");
}
