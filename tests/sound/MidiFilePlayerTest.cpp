#include "sound/MidiFilePlayer.h"

#include "../SoundHelpers.h"
#include "MidiTestData.h"

namespace chordalis {
namespace {

using namespace soundtest;
using namespace test::smf;
using Sent = RecordingMidiOut::Sent;

MidiSong parsed(const QByteArray& bytes) {
    QString error;
    auto song = parseMidiFile(bytes, &error);
    EXPECT_TRUE(song) << qPrintable(error);
    return song ? *song : MidiSong{};
}

// At 96 ticks per quarter, 120 bpm then 60 bpm from tick 96: C held from 0 to 1.5 s with the
// sustain pedal down from the start, E from 0.5 to 1.5 s, a drum at 1.0 s on channel 10.
QByteArray heldNotes() {
    const QByteArray map = tempo(0, 500000) + tempo(96, 1000000);
    const QByteArray notes = event(0, {0xB0, 64, 127}) + event(0, {0x90, 60, 90}) +
                             event(96, {0x90, 64, 90}) + event(48, {0x99, 42, 80}) +
                             event(0, {0x89, 42, 0}) + event(48, {0x80, 60, 0}) +
                             event(0, {0x80, 64, 0}) + event(0, {0xB0, 64, 0});
    return file(1, 96, {track(map), track(notes)});
}

class MidiFilePlayerTest : public ::testing::TestWithParam<bool> {
protected:
    MidiFilePlayerTest() {
        out.ownClock = GetParam(); // the synthesizer's queue, or a port fed on time
        out.open(-1);
        player.finished = [this] {
            ++finishedCount;
        };
    }

    // Lets the clock run as the timer would, to each wake-up the player asks for.
    void runFor(double seconds) {
        const double end = clock.now() + seconds;
        for (double wait = player.service(); wait >= 0 && clock.now() + wait <= end;
             wait = player.service())
            clock.advance(std::max(wait, 0.0));
        clock.advance(std::max(0.0, end - clock.now()));
    }
    std::set<std::pair<int, int>> sounding() const { return test::sounding(out.sent, clock.now()); }

    VirtualClock clock;
    RecordingMidiOut out{clock};
    MidiFilePlayer player{out, clock};
    int finishedCount = 0;
};

TEST_P(MidiFilePlayerTest, PlaysTheTempoMapOnTimeAndReportsTheEnd) {
    clock.advance(10.0);
    player.load(parsed(heldNotes()));
    player.play();
    runFor(3.0);
    const std::vector<Sent> expected{
        {10.0, packShortMessage(0xB0, 64, 127)}, {10.0, packShortMessage(0x90, 60, 90)},
        {10.5, packShortMessage(0x90, 64, 90)},  {11.0, packShortMessage(0x99, 42, 80)},
        {11.0, packShortMessage(0x89, 42, 0)},   {11.5, packShortMessage(0x80, 60, 0)},
        {11.5, packShortMessage(0x80, 64, 0)},   {11.5, packShortMessage(0xB0, 64, 0)},
    };
    expectTimed(out.sent, expected, 1e-9);
    // Then the controllers the song moved are reset for whatever plays next.
    ASSERT_GT(out.sent.size(), expected.size());
    EXPECT_EQ(out.sent[expected.size()].word, packShortMessage(0xB0, 121, 0));
    EXPECT_EQ(finishedCount, 1);
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(player.position(), 0.0); // rewound
    EXPECT_TRUE(sounding().empty());
}

TEST_P(MidiFilePlayerTest, PauseSilencesAndPlayGoesOnWhereItStopped) {
    player.load(parsed(heldNotes()));
    player.play();
    runFor(1.45); // on the synthesizer, the note-offs due at 1.5 s are queued by now
    player.pause();
    EXPECT_TRUE(sounding().empty()); // the notes and the pedal are released at once
    EXPECT_NEAR(player.position(), 1.45, 1e-9);

    const size_t sentBefore = out.sent.size();
    runFor(5.0); // nothing is sent while paused
    EXPECT_EQ(out.sent.size(), sentBefore);

    player.play(); // at 6.45: the pedal goes down again, the note-offs are due 0.05 s later
    EXPECT_EQ(out.sent.at(sentBefore).word, packShortMessage(0xB0, 64, 127));
    runFor(3.0);
    const std::vector<Sent> rest(out.sent.begin() + long(sentBefore) + 1, out.sent.end());
    ASSERT_GE(rest.size(), 3u);
    EXPECT_NEAR(rest[0].time, 6.5, 1e-9);
    EXPECT_EQ(rest[0].word, packShortMessage(0x80, 60, 0));
    EXPECT_EQ(rest[2].word, packShortMessage(0xB0, 64, 0));
    EXPECT_EQ(finishedCount, 1);
    EXPECT_TRUE(sounding().empty());
}

TEST_P(MidiFilePlayerTest, StopAndCloseLeaveNothingHangingAndTheChannelsAtTheirDefaults) {
    // Channel 4: an instrument, a bend and a note never released.
    const QByteArray notes = event(0, {0xC3, 33}) + event(0, {0xE3, 0, 0x50}) +
                             event(0, {0x93, 40, 100}) + event(0, {0x93, 45, 100});
    player.load(parsed(file(0, 96, {track(notes, 960)})));
    player.play();
    runFor(1.0);
    EXPECT_EQ(sounding().size(), 2u);
    out.sent.clear();
    player.stop();
    EXPECT_TRUE(sounding().empty());
    EXPECT_EQ(wordsOf(out.sent), (std::vector<std::uint32_t>{off(40, 3, 0), off(45, 3, 0),
                                                             packShortMessage(0xB3, 121, 0),
                                                             packShortMessage(0xB3, 7, 100),
                                                             packShortMessage(0xB3, 10, 64)}));
    EXPECT_EQ(player.position(), 0.0);

    // Played again from the start and closed while playing: notes off, then the programs.
    player.play();
    runFor(0.5);
    out.sent.clear();
    player.close();
    EXPECT_TRUE(sounding().empty());
    EXPECT_FALSE(player.isLoaded());
    ASSERT_FALSE(out.sent.empty());
    EXPECT_EQ(out.sent.back().word, packShortMessage(0xC3, 0));
    player.play(); // nothing loaded: nothing happens
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(finishedCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Outputs, MidiFilePlayerTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "OwnClock" : "Port"; });

} // namespace
} // namespace chordalis
