#include "sound/Player.h"

#include "../SoundHelpers.h"
#include "../display/HeadlessProgram.h"
#include "modes/Commands.h"
#include "modes/Modes.h"

#include <cmath>
#include <map>

namespace chordalis {
namespace {

using namespace soundtest;
using Sent = RecordingMidiOut::Sent;

// The shipped library on a virtual clock and a recording port, what start-up sent left out.
class PlayerTest : public ::testing::Test {
protected:
    PlayerTest() { out.sent.clear(); }

    test::HeadlessProgram program;
    VirtualClock& clock = program.clock();
    RecordingMidiOut& out = program.port();
    Player& player = program->player();

    AppState& state() { return program->context().state; }

    void chooseChord(int chord) { program.clickItem(TreeId::Chords, chord); }

    std::vector<int> started() const { return test::noteOnKeys(out); }
};

TEST_F(PlayerTest, StrumsTheOpenCFromTheLowStringAndReleasesAfterFourSeconds) {
    chooseChord(0); // C major: the open chord x32010 comes first
    ASSERT_EQ(state().selectedVoicing, 99);
    clock.advance(7.0);
    program->playCommand(Mode::Chords);
    EXPECT_EQ(clock.now(), 7.0); // queued ahead: the window thread never waits

    const double d = 0.079;
    const double t = 7.0 + Player::QueueLead;
    const std::vector<Sent> expected{
        {t, on(48)},         {t + d, on(52)},    {t + 2 * d, on(55)}, {t + 3 * d, on(60)},
        {t + 4 * d, on(64)}, {t + 4.0, off(48)}, {t + 4.0, off(52)},  {t + 4.0, off(55)},
        {t + 4.0, off(60)},  {t + 4.0, off(64)},
    };
    EXPECT_EQ(out.sent.size(), expected.size());
    expectTimed(out.sent, expected, 1e-5);
}

TEST_F(PlayerTest, ChannelInstrumentAndVolumeShapeEveryByte) {
    for (const auto& [channel, instrument, volume, program] :
         {std::tuple{1, 25, 100, 0x18C0u}, {16, 128, 0, 0x7FCFu}, {16, 1, 127, 0x00CFu}}) {
        out.sent.clear();
        state().playback.channel = channel;
        state().playback.instrument = instrument;
        state().playback.volume = volume;
        player.programChange();
        player.playSingleNote(45);
        EXPECT_EQ(wordsOf(out.sent),
                  (std::vector<std::uint32_t>{program, on(45, channel - 1, volume),
                                              off(45, channel - 1, volume)}));
        EXPECT_DOUBLE_EQ(out.sent[2].time - out.sent[1].time, 4.0);
    }
}

TEST_F(PlayerTest, StrumTimingAtTheTempoLimits) {
    // All six strings open; at tempo 0 the strum itself outlasts the four seconds.
    state().finderSelection.assign(6, -1);
    state().playback.chordTempo = 0;
    program->playCommand(Mode::ChordFinder);
    ASSERT_EQ(out.sent.size(), 12u);
    EXPECT_EQ(out.sent[0].word, on(40)); // open strings, lowest first
    EXPECT_EQ(out.sent[5].word, on(64));
    EXPECT_NEAR(out.sent[11].time - out.sent[0].time, 4.2, 1e-5);
    EXPECT_NEAR(out.sent[6].time - out.sent[0].time, 4.2, 1e-5);
}

// Each releases exactly the notes it started, whatever the user has chosen since.
TEST_F(PlayerTest, ASecondPlaySoundsAlongsideAndEachReleasesItsOwnNotes) {
    chooseChord(0); // C: x32010
    program->playCommand(Mode::Chords);
    clock.advance(1.0);
    chooseChord(4); // m7: another voicing table while the first is held
    program->playCommand(Mode::Chords);
    const std::vector<int> all = started();
    const std::vector<int> second(all.begin() + 5, all.end());
    EXPECT_NE(second, (std::vector<int>{48, 52, 55, 60, 64}));

    std::map<double, std::vector<int>> releases; // by the time of the release
    for (const Sent& s : out.sent)
        if (statusOf(s.word) == 0x80)
            releases[std::round(s.time * 1e6) / 1e6].push_back(data1Of(s.word));
    ASSERT_EQ(releases.size(), 2u);
    EXPECT_EQ(releases.begin()->second, (std::vector<int>{48, 52, 55, 60, 64}));
    EXPECT_NEAR(releases.begin()->first, Player::QueueLead + 4.0, 1e-6);
    EXPECT_EQ(releases.rbegin()->second, second);
    EXPECT_NEAR(releases.rbegin()->first, 1.0 + Player::QueueLead + 4.0, 1e-6);
}

// An output without a clock of its own: sent when due, the user's events going on meanwhile.
TEST_F(PlayerTest, WithoutAnOwnClockItSendsWhenDueAndWaitsLettingTheUserWork) {
    out.ownClock = false;
    chooseChord(0); // C: x32010
    int waits = 0;
    clock.duringWait = [&] {
        if (waits++ == 0) {
            chooseChord(4);                     // another voicing table during the strum
            program->playCommand(Mode::Chords); // and Play again: it runs to its end here
        }
    };
    program->playCommand(Mode::Chords);
    // The second strum runs inside the first one's first wait, then the first goes on at once.
    ASSERT_GT(out.sent.size(), 10u);
    const size_t nested = out.sent.size() - 10; // the second strum's ons and offs
    EXPECT_EQ(out.sent[0].word, on(48));
    EXPECT_EQ(out.sent[0].time, 0.0);
    EXPECT_EQ(statusOf(out.sent[nested].word), 0x80); // the second strum has ended
    EXPECT_EQ(out.sent[nested + 1].word, on(52));
    EXPECT_NEAR(out.sent[nested + 1].time, 4.0, 1e-5);
    EXPECT_EQ(out.sent.back().word, off(64)); // which notes each releases: the test above

    // A voicing that sounds no string sends nothing and still takes four seconds.
    clock.duringWait = nullptr;
    out.sent.clear();
    state().triadShape = Voicing{};
    const double start = clock.now();
    playShown(state(), player, Mode::Triads);
    EXPECT_TRUE(out.sent.empty());
    EXPECT_NEAR(clock.now() - start, 4.0, 1e-6);
}

TEST_F(PlayerTest, ScaleRunsClimbOneOctaveFromARootInTheLowRange) {
    selectRootTab(program->context(), 1); // C
    program.clickItem(TreeId::Scales, 0); // major
    player.playScale(state().noteList);
    EXPECT_EQ(started(), (std::vector<int>{48, 50, 52, 53, 55, 57, 59, 60}));
    // No gap: each release queued before the next note.
    const double d = double(stepDelay(PlayKind::Scale, 70));
    EXPECT_NEAR(out.sent[1].time - out.sent[0].time, d, 1e-6);
    EXPECT_EQ(out.sent[1].word, off(48));
    EXPECT_EQ(out.sent[2].word, on(50));
    EXPECT_EQ(out.sent[2].time, out.sent[1].time);

    auto firstNoteFor = [&](int root) {
        state().noteList = NoteList{};
        state().noteList[0] = {QStringLiteral("1"), QString(), root};
        out.sent.clear();
        player.playScale(state().noteList);
        return std::pair{data1Of(out.sent.front().word), data1Of(out.sent[2].word)};
    };
    EXPECT_EQ(firstNoteFor(4), std::pair(40, 40)); // E: root alone plays twice at one pitch
    EXPECT_EQ(firstNoteFor(3), std::pair(51, 51)); // D#
}

TEST_F(PlayerTest, ArpeggiosEndOnTheirLastToneAndWrapAboveTheRoot) {
    selectRootTab(program->context(), 7);    // E
    program.clickItem(TreeId::Arpeggios, 4); // m7: E G B D
    player.playArpeggio(state().noteList);
    EXPECT_EQ(started(), (std::vector<int>{40, 43, 47, 50}));
    const double d = double(stepDelay(PlayKind::Arpeggio, 70));
    EXPECT_NEAR(out.sent.back().time - out.sent.front().time, 4 * d, 1e-5);
}

TEST_F(PlayerTest, AllNotesOffSendsOneNoteOffPerNoteOnThePlaybackChannel) {
    state().playback.channel = 3;
    player.allNotesOff();
    ASSERT_EQ(out.sent.size(), 128u);
    for (int n = 0; n < 128; ++n)
        EXPECT_EQ(out.sent[size_t(n)].word, off(n, 2, 0));
}

// Under another tuning; the scales play whatever the tuning.
TEST_F(PlayerTest, PlayAndInfoButtonsRefuseWhileNothingIsChosen) {
    state().resetSelections();
    state().instrument.tuning.preset = 5;
    for (Mode mode :
         {Mode::Chords, Mode::Triads, Mode::ChordFinder, Mode::Scales, Mode::Arpeggios}) {
        program.boxes().shown.clear();
        program->playCommand(mode);
        ASSERT_EQ(program.boxes().shown.size(), 1u) << int(mode);
        EXPECT_EQ(program.boxes().shown[0].icon, BoxIcon::Exclamation);
    }
    EXPECT_TRUE(out.sent.empty());

    program.clickItem(TreeId::Scales, 0);
    program.boxes().shown.clear();
    program->playCommand(Mode::Scales);
    EXPECT_TRUE(program.boxes().shown.empty());
    EXPECT_EQ(out.sent.size(), 16u);

    state().resetSelections();
    program.boxes().shown.clear();
    for (Mode mode : {Mode::Chords, Mode::Scales, Mode::Arpeggios, Mode::Triads, Mode::Notes})
        program->infoCommand(mode);
    EXPECT_EQ(program.boxes().texts(),
              QStringList({"Please select a chord.", "Please select a scale.",
                           "Please select an arpeggio.", "Please select a triad."}));
}

TEST_F(PlayerTest, AFailedOpenIsReportedWithTheBackendsWords) {
    out.failOpen = true;
    out.openError = QStringLiteral("No audio output could be opened.");
    program.boxes().shown.clear();
    EXPECT_FALSE(program->openSound());
    ASSERT_EQ(program.boxes().shown.size(), 1u);
    EXPECT_EQ(program.boxes().shown[0].icon, BoxIcon::Stop);
    EXPECT_TRUE(program.boxes().shown[0].text.endsWith(out.openError));
    // The program goes on silently; the waits still run.
    const double start = clock.now();
    player.playSingleNote(60);
    EXPECT_TRUE(out.sent.empty());
    EXPECT_NEAR(clock.now() - start, 4.0, 1e-6);
}

// A Play meanwhile says why nothing sounds; a new sample rate is followed at once.
TEST_F(PlayerTest, ALostOutputIsSaidOnceAndOpenedAgainWhenItIsBack) {
    QStringList notices;
    OutputWatch& watch = program->soundWatch();
    watch.setNoticeHook([&](const QString& text) { notices << text; });
    state().playback.device = 3;
    program->openSound();
    const int opened = out.opened;
    EXPECT_EQ(watch.service(), OutputWatch::LookEvery);
    EXPECT_TRUE(notices.isEmpty());

    out.faulted = OutputFault{QStringLiteral("The JACK server has stopped."), false};
    out.failOpen = true; // and it is not back yet
    watch.service();
    EXPECT_FALSE(out.isOpen());
    EXPECT_EQ(notices, QStringList{"Sound has stopped: The JACK server has stopped. It comes back "
                                   "by itself when the output is there again."});
    clock.advance(OutputWatch::RetryEvery);
    watch.service();
    EXPECT_EQ(out.opened, opened + 1); // tried again, quietly
    EXPECT_EQ(notices.size(), 1);
    EXPECT_TRUE(program.boxes().shown.empty());

    chooseChord(0);
    out.sent.clear();
    program->playCommand(Mode::Chords);
    ASSERT_EQ(notices.size(), 2);
    EXPECT_TRUE(notices[1].startsWith("Nothing sounds: The JACK server has stopped."));

    watch.service();      // the Play waited its four seconds on the closed output: tried again
    out.failOpen = false; // the server runs again
    clock.advance(OutputWatch::RetryEvery / 2);
    watch.service();
    EXPECT_FALSE(out.isOpen()); // not before its time
    clock.advance(OutputWatch::RetryEvery / 2);
    watch.service();
    ASSERT_TRUE(out.isOpen());
    EXPECT_EQ(out.openedDevice, 3);
    EXPECT_EQ(notices.size(), 3);
    EXPECT_EQ(notices[2], "Sound is back: the recording port 3.");
    EXPECT_EQ(out.sent.back().word, packShortMessage(0xC0, 24)); // the instrument again

    out.faulted = OutputFault{QStringLiteral("The sound output now runs at 96000 Hz."), true};
    const int before = out.opened;
    watch.service();
    EXPECT_EQ(out.opened, before + 1);
    EXPECT_TRUE(out.isOpen() && !watch.isLost());
    EXPECT_EQ(notices.last(), "The sound output now runs at 96000 Hz. Sound follows it: the "
                              "recording port 3.");
    program->playCommand(Mode::Chords);
    EXPECT_EQ(notices.size(), 4);
}

} // namespace
} // namespace chordalis
