#include "ledguitar/LedGuitar.h"

#include "../Fakes.h"
#include "ledguitar/SimulatedGuitar.h"

#include <gtest/gtest.h>

using namespace chordalis;

namespace {

using Report = std::array<int, 9>;

class RecordingErrors : public ErrorReport {
public:
    void report(int number, const QString& source) override {
        EXPECT_EQ(number, 9999);
        sources << source;
    }
    QStringList sources;
};

// The guitar output over a simulated guitar, left switch "Root Note", right "Play Sound".
class LedGuitarTest : public ::testing::Test {
protected:
    explicit LedGuitarTest(SimulatedGuitar* guitar = new SimulatedGuitar) : sim(guitar) {
        output.setErrorReport(errors);
        QObject::connect(&output, &LedGuitar::actionRequested,
                         [this](int action) { actions.push_back(action); });
        QObject::connect(&output, &LedGuitar::notice,
                         [this](const QString& text) { notices << text; });
    }
    void press(int which) {
        sim->pressPedal(which);
        output.poll();
    }
    void release() {
        sim->releasePedal();
        output.poll();
    }
    void connectWithLightsOn() {
        output.start();
        output.setLightsOn(true);
        sim->clearOutputReports();
    }

    std::unique_ptr<SimulatedGuitar> sim;
    test::RecordingLedSender also;
    bool connected = false;
    bool leftHanded = false;
    int optionLeft = 1;
    int optionRight = 2;
    Instrument neck;
    RecordingErrors errors;
    LedGuitar output{*sim, also, {connected, leftHanded, optionLeft, optionRight, neck}};
    std::vector<int> actions;
    QStringList notices;
};

Report block(int b, std::initializer_list<int> data = {}) {
    Report r{b};
    int i = 1;
    for (int d : data)
        r[size_t(i++)] = d;
    return r;
}

} // namespace

TEST_F(LedGuitarTest, TheGuitarIsBoundBesideOtherDevices) {
    HidDeviceInfo keyboard;
    keyboard.path = QStringLiteral("simulated:keyboard");
    keyboard.vendorId = 0x046D;
    keyboard.product = QStringLiteral("Keyboard");
    sim->addDevice(keyboard);
    output.start();
    EXPECT_TRUE(connected);
    EXPECT_EQ(output.agent().deviceCount(), 1);
    EXPECT_TRUE(notices.isEmpty()); // only the guitar's ids are tried
    EXPECT_EQ(output.device()->UnboundVarCount(), 0);
    EXPECT_TRUE(errors.sources.isEmpty());
}

class NoPedalTest : public LedGuitarTest {
protected:
    // The guitar's descriptor with usage 2..10 outputs only.
    NoPedalTest()
        : LedGuitarTest(new SimulatedGuitar(
              {}, QByteArray::fromHex("0600ff0901a10115002600ff7508950109029102950819032"
                                      "90a9102c0"))) {}
};

TEST_F(NoPedalTest, WithoutFootInThePedalIsNeverReadButTheLightsWork) {
    connectWithLightsOn();
    TFretlight& d = *output.device();
    EXPECT_FALSE(d.FootIN().IsBound());
    EXPECT_EQ(d.UnboundVarCount(), 1);
    EXPECT_FALSE(d.ReadInputRptA());
    output.poll();
    EXPECT_EQ(sim->inputReads(), 0);
    output.sendFrame({});
    EXPECT_EQ(sim->ledReports().size(), 3u);
}

TEST_F(LedGuitarTest, FramesPackIntoThreeReportsByteForByte) {
    connectWithLightsOn();
    const std::tuple<LedFrame, bool, std::vector<Report>> cases[] = {
        // frame, left hand, reports
        {{{0, 1}}, false, {block(1, {0x20}), block(2), block(3)}},
        {{{0, 1}}, true, {block(1, {0x01}), block(2), block(3)}},
        {{{9, 6}, {9, 1}}, false, {block(1), block(2, {0, 0x21}), block(3)}},
        {{}, false, {block(1), block(2), block(3)}},
        // Fret 23 ends block 3; a repeat lights once; no LED, no light.
        {{{23, 3}, {7, 2}, {7, 2}, {24, 1}, {-1, 1}, {3, 7}, {3, 0}},
         false,
         {block(1, {0, 0, 0, 0, 0, 0, 0, 0x10}), block(2), block(3, {0, 0, 0, 0, 0, 0, 0, 0x08})}},
    };
    for (const auto& [frame, left, reports] : cases) {
        leftHanded = left;
        sim->clearOutputReports();
        output.sendFrame(frame);
        EXPECT_EQ(sim->ledReports(), reports) << test::frameText(frame).join(u' ').toStdString();
        EXPECT_EQ(also.frames.back(), frame); // handed on as well
    }
    // No report id, CMD1, then Data1..Data8.
    output.sendFrame({{9, 6}, {9, 1}});
    EXPECT_EQ(sim->outputReports().back(), QByteArray::fromHex("00030000000000000000"));
    EXPECT_EQ(sim->outputReports().end()[-2], QByteArray::fromHex("00020021000000000000"));
    neck.tuning.notes.push_back(35);
    output.sendFrame({{9, 6}, {9, 1}});
    EXPECT_EQ(sim->ledReports().back(), block(3));
    EXPECT_EQ(output.lastPattern(), LedPattern{});
    neck = {};
    // Lights off: nothing goes out, the pattern is still kept for the view.
    output.setLightsOn(false);
    sim->clearOutputReports();
    output.sendFrame({{9, 6}});
    EXPECT_TRUE(sim->outputReports().empty());
    EXPECT_EQ(output.lastPattern().byteOfFret(9), 0x01);
}

TEST_F(LedGuitarTest, APressRunsOnceHowEverLongItIsHeld) {
    output.start();
    output.poll();
    EXPECT_TRUE(actions.empty());
    press(1);
    EXPECT_EQ(actions, std::vector<int>{1});
    EXPECT_TRUE(output.waitingForRelease());
    EXPECT_TRUE(output.isPolling());
    for (int i = 0; i < 50; ++i) // a second held
        output.poll();
    EXPECT_EQ(actions, std::vector<int>{1});
    release();
    EXPECT_FALSE(output.waitingForRelease());
    press(2);
    release();
    press(3); // no such switch: nothing runs, but the release is still awaited
    EXPECT_EQ(actions, (std::vector<int>{1, 2}));
    EXPECT_TRUE(output.waitingForRelease());
}

TEST_F(LedGuitarTest, TheGuitarGoingAwayEndsTheWaitForTheRelease) {
    output.start();
    press(1);
    sim->unplug(); // held while the cable is pulled
    EXPECT_FALSE(connected);
    EXPECT_FALSE(output.isPolling());
    EXPECT_FALSE(output.waitingForRelease());
    EXPECT_TRUE(output.device()->IsAllUnbound());

    sim->releasePedal();
    sim->plug(); // a new device: bound again
    EXPECT_TRUE(connected);
    EXPECT_EQ(output.device()->UnboundVarCount(), 0);
    press(1);
    sim->failReads(true); // held, and the guitar stops answering
    output.poll();
    EXPECT_FALSE(output.waitingForRelease());
    EXPECT_FALSE(connected);
    EXPECT_EQ(actions, (std::vector<int>{1, 1}));
}

TEST_F(LedGuitarTest, TheGuitarVanishingInTheMiddleOfAFrame) {
    connectWithLightsOn();
    sim->vanishAfterWrites(1);
    output.sendFrame({{9, 1}});
    EXPECT_EQ(sim->outputReports().size(), 1u); // the second report found it gone
    EXPECT_FALSE(connected);
    EXPECT_FALSE(output.isPolling());
    output.sendFrame({{2, 2}});
    EXPECT_EQ(sim->outputReports().size(), 1u);
    EXPECT_EQ(also.frames.size(), 2u); // the displays go on as before
}

TEST_F(LedGuitarTest, AGuitarThatCannotBeOpenedIsToldOnceNamingTheRule) {
    sim->refuseOpen(true);
    output.start();
    sim->unplug();
    sim->plug();
    EXPECT_FALSE(connected);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains(QLatin1String("70-chordalis-ledguitar.rules")));
    EXPECT_TRUE(notices[0].contains(QLatin1String(SimulatedGuitar::Path)));
    sim->refuseOpen(false); // the rule installed, the guitar plugged in again
    sim->unplug();
    sim->plug();
    EXPECT_TRUE(connected);
    EXPECT_EQ(notices.size(), 1);
}

// Another name on the same ids, or a descriptor with a collection never closed (told once): a
// device opened as any other, never read or written.
class UnusableGuitarTest : public LedGuitarTest, public ::testing::WithParamInterface<bool> {
protected:
    UnusableGuitarTest()
        : LedGuitarTest(GetParam() ? new SimulatedGuitar({}, QByteArray::fromHex("a101"))
                                   : new SimulatedGuitar(QStringLiteral("OPTEK Fretlight Bass"))) {}
};

TEST_P(UnusableGuitarTest, IsNeverReadOrWritten) {
    connectWithLightsOn();
    EXPECT_TRUE(connected);
    EXPECT_TRUE(output.device()->IsAllUnbound());
    press(1);
    output.sendFrame({{0, 1}});
    EXPECT_EQ(sim->inputReads(), 0);
    EXPECT_TRUE(sim->outputReports().empty());
    EXPECT_TRUE(actions.empty());
    if (GetParam()) {
        ASSERT_EQ(notices.size(), 1);
        EXPECT_TRUE(notices[0].contains(QLatin1String(SimulatedGuitar::Path)) &&
                    notices[0].endsWith(QLatin1String("1 collection(s) are never closed")));
    }
}

INSTANTIATE_TEST_SUITE_P(OtherNameOrDamagedDescriptor, UnusableGuitarTest, ::testing::Bool());

TEST_F(LedGuitarTest, CaughtFailuresAreReportedUnderTheMembersName) {
    NoHidTransport none;
    HidAgent empty(none);
    TOneHidVar v(errors, HidReportType::Output, FretlightUsagePage, 2);
    EXPECT_FALSE(v.Bind(empty)); // no current device
    v.setUnScaledValue(5);       // unbound: ignored
    EXPECT_EQ(v.UnScaledValue(), 0);
    EXPECT_FALSE(v.Update());
    TFretlight nothingOpen(errors);
    EXPECT_EQ(nothingOpen.BindVars(empty), -1);
    EXPECT_EQ(errors.sources,
              QStringList({"OneHidVar:Bind Method", "TFretlight:DeviceIsMatched Method"}));

    output.start();
    TOneHidVar& foot = output.device()->FootIN();
    const int handle = foot.HidHandle();
    sim->pressPedal(2);
    EXPECT_TRUE(foot.Update());
    EXPECT_EQ(foot.UnScaledValue(), 2);
    foot.UnBind();
    EXPECT_EQ(foot.UnScaledValue(), 0);
    EXPECT_FALSE(foot.Update());
    EXPECT_EQ(foot.HidHandle(), handle); // the handle stays
}
