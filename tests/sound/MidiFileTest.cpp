#include "sound/MidiFile.h"

#include "MidiTestData.h"
#include "sound/MidiOut.h"
#include "sound/MidiTranspose.h"

namespace chordalis {
namespace {

using namespace soundtest;
using namespace test::smf;

// Two tracks at 96 ticks per quarter: the first holds the tempo map (120 bpm, then 240 bpm from
// tick 192), a text and a SysEx event and one controller; the second plays notes with running
// status across a meta event, a drum on channel 10 and a program change on channel 16.
QByteArray tempoMapFile() {
    const QByteArray conductor = tempo(0, 500000) + event(0, {0xFF, 0x01, 0x03, 'a', 'b', 'c'}) +
                                 event(0, {0xF0, 0x03, 0x7E, 0x7F, 0xF7}) + tempo(192, 250000) +
                                 event(0, {0xB1, 7, 90});
    const QByteArray notes = event(0, {0xCF, 5}) + event(0, {0x90, 60, 100}) +
                             event(96, {64, 100}) + event(96, {67, 100}) +
                             event(0, {0xFF, 0x01, 0x01, 'x'}) + event(96, {60, 0}) +
                             event(0, {0x99, 36, 90}) + event(96, {0x89, 36, 0}) +
                             event(0, {0x80, 64, 0}) + event(0, {67, 0});
    return file(1, 96, {track(conductor), track(notes, 48)});
}

TEST(MidiFile, TempoMapRunningStatusAndMergedTracksGiveExactTimes) {
    QString error;
    const auto song = parseMidiFile(tempoMapFile(), &error);
    ASSERT_TRUE(song) << qPrintable(error);
    EXPECT_EQ(song->format, 1);
    EXPECT_EQ(song->tracks, 2);
    EXPECT_EQ(song->events.size(), 10u);
    expectTimed(song->events,
                {{0.0, packShortMessage(0xCF, 5)},
                 {0.0, on(60)},
                 {0.5, on(64)},
                 {1.0, packShortMessage(0xB1, 7, 90)},
                 {1.0, on(67)},
                 {1.25, on(60, 0, 0)},
                 {1.25, on(36, 9, 90)},
                 {1.5, off(36, 9, 0)},
                 {1.5, off(64, 0, 0)},
                 {1.5, off(67, 0, 0)}},
                1e-9);
    EXPECT_NEAR(song->length, 1.5 + 48 * 0.25 / 96, 1e-9); // the track's rest at the end counts

    // Format 0, and SMPTE time: 25 frames of 40 ticks, a millisecond per tick.
    const auto smpte =
        parseMidiFile(file(0, 0xE728, {track(event(500, {0x95, 60, 1}), 250)}), &error);
    ASSERT_TRUE(smpte) << qPrintable(error);
    EXPECT_NEAR(smpte->events.at(0).time, 0.5, 1e-12);
    EXPECT_NEAR(smpte->length, 0.75, 1e-12);
}

TEST(MidiFile, DamagedFilesAreRefusedWithAReason) {
    const QByteArray good = tempoMapFile();
    auto oneTrack = [](const QByteArray& events) {
        return file(1, 96, {chunk("MTrk", events)});
    };
    const std::tuple<const char*, QByteArray, const char*> cases[] = {
        // what, bytes, reason
        {"13 bytes", good.left(13), "shorter than a MIDI file header"},
        {"another chunk first", "RIFF" + good.mid(4), "does not begin with a MIDI file header"},
        {"short header", chunk("MThd", be(1, 2) + be(1, 2) + bytes({0})) + track({}),
         "5 bytes long"},
        {"format 2", header(2, 1, 96) + track({}), "format 2"},
        {"no tracks", header(1, 0, 96), "no tracks"},
        {"no time division", header(1, 1, 0) + track({}), "time division of zero"},
        {"cut short", good.left(good.size() - 5), "cut short"},
        {"a track missing", header(1, 3, 96) + good.mid(14), "after 2 of its 3 tracks"},
        {"event cut by its chunk", oneTrack(bytes({0, 0x90, 60})), "middle of an event"},
        {"data byte without status", oneTrack(bytes({0, 60, 100})), "data byte where an event"},
        {"status as data", oneTrack(bytes({0, 0x90, 60, 0x90})), "status byte where a data"},
        {"delta of five bytes", oneTrack(bytes({0x81, 0x81, 0x81, 0x81, 0x01, 0xC0, 1})),
         "delta time longer than four bytes"},
        {"tempo of zero", file(0, 96, {track(tempo(0, 0))}), "tempo of zero"},
        {"wild delta time", file(0, 96, {track(tempo(0, 0xFFFFFF) + event(0x0FFFFFFF, {0xC0, 1}))}),
         "would play for"},
        {"system status", oneTrack(bytes({0, 0xF4})), "status byte 0xF4"},
        {"meta length past the chunk", oneTrack(bytes({0, 0xFF, 0x01, 0x7F, 'a'})),
         "middle of an event"},
    };
    for (const auto& [what, bytes, reason] : cases) {
        QString error;
        EXPECT_FALSE(parseMidiFile(bytes, &error)) << what;
        EXPECT_TRUE(error.contains(QLatin1String(reason))) << what << ": " << qPrintable(error);
    }
}

// The interval or an octave below it; the drums, programs, controllers and timing byte for byte.
TEST(MidiTranspose, NotesMoveByChannelDrumsAndEverythingElseStay) {
    QString error;
    const QByteArray original = tempoMapFile();
    const auto up = transposeMidiFile(original, 4, &error); // to E
    ASSERT_TRUE(up) << qPrintable(error);
    ASSERT_EQ(up->size(), original.size());
    const auto before = parseMidiFile(original, &error);
    const auto after = parseMidiFile(*up, &error);
    ASSERT_TRUE(before && after) << qPrintable(error);
    ASSERT_EQ(after->events.size(), before->events.size());
    for (size_t i = 0; i < before->events.size(); ++i) {
        const std::uint32_t was = before->events[i].word;
        const std::uint32_t is = after->events[i].word;
        EXPECT_EQ(after->events[i].time, before->events[i].time) << i;
        EXPECT_EQ(statusOf(is), statusOf(was)) << i;
        EXPECT_EQ(data2Of(is), data2Of(was)) << i;
        const int kind = statusOf(was) & 0xF0;
        const bool note = (kind == 0x80 || kind == 0x90) && (statusOf(was) & 0x0F) != DrumChannel;
        // Running status too: the notes after the meta event move with the others.
        EXPECT_EQ(data1Of(is), note ? data1Of(was) + 4 : data1Of(was)) << i;
    }
    EXPECT_EQ(transposeMidiFile(original, 0, &error), original);
    EXPECT_EQ(transposeMidiFile(original, 12, &error), original);

    // A tritone goes towards middle C: a bass line up, a high part down.
    const QByteArray parts = file(
        0, 96,
        {track(event(0, {0x91, 36, 90}) + event(96, {0x81, 36, 0}) + event(0, {0x90, 76, 90}) +
               event(96, {0x80, 76, 0}) + event(0, {0x99, 42, 90}) + event(10, {0x89, 42, 0}))});
    const auto tritone = transposeMidiFile(parts, 6, &error);
    ASSERT_TRUE(tritone);
    const auto song = parseMidiFile(*tritone, &error);
    ASSERT_TRUE(song);
    EXPECT_EQ(data1Of(song->events[0].word), 42); // bass C2 to F#2
    EXPECT_EQ(data1Of(song->events[2].word), 70); // E5 to Bb4
    EXPECT_EQ(data1Of(song->events[4].word), 42); // the closed hi-hat stays

    // A damaged file is refused with a reason, not moved in part.
    const QByteArray cut = file(0, 96, {chunk("MTrk", bytes({0, 0x90, 60}))});
    EXPECT_FALSE(transposeMidiFile(cut, 3, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(MidiTranspose, ChannelShiftKeepsEveryNoteInRange) {
    EXPECT_EQ(channelShift(0, 40, 60), 0);
    EXPECT_EQ(channelShift(2, 50, 79), 2);   // to D: up a tone
    EXPECT_EQ(channelShift(10, 50, 79), -2); // to Bb: down a tone
    EXPECT_EQ(channelShift(7, 50, 79), -5);  // to G: down a 4th, not up a 5th
    // A bass on E1 does not go below it: up a 5th rather than down a 4th.
    EXPECT_EQ(channelShift(7, 28, 53), 7);
    // Nor above the top of MIDI: down rather than up.
    EXPECT_EQ(channelShift(3, 100, 126), -9);
    // A part already below E1 may go lower, if it stays on the keyboard.
    EXPECT_EQ(channelShift(9, 20, 40), -3);
    EXPECT_EQ(channelShift(11, 0, 10), 11);
}

} // namespace
} // namespace chordalis
