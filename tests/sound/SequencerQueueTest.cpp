#include "sound/backends/SequencerQueue.h"

#include <QFileInfo>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace chordalis {
namespace {

TEST(SequencerQueue, FindsThePortAddressAtTheEndOfItsListedName) {
    const struct {
        const char* name;
        std::optional<SeqAddress> address;
    } cases[] = {
        {"Midi Through:Midi Through Port-0 14:0", SeqAddress{14, 0}},
        // A client whose own name holds numbers and a colon: only the last pair counts.
        {"FLUID Synth (4521):Synth input port (4521:0) 128:0", SeqAddress{128, 0}},
        {"USB MIDI 20:1", SeqAddress{20, 1}},
        {"Midi Through:Midi Through Port-0", std::nullopt},
        {"Out 14:0 ", std::nullopt},
        {"Out 300:0", std::nullopt},
        {"14:0", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(seqAddressOfPortName(QString::fromUtf8(c.name)), c.address) << c.name;
}

TEST(SequencerQueue, CarriesEveryChannelMessageWithItsChannelAndData) {
    const struct {
        std::uint32_t word;
        snd_seq_event_type_t type;
        int channel, first, second;
    } cases[] = {
        {packShortMessage(0x93, 60, 100), SND_SEQ_EVENT_NOTEON, 3, 60, 100},
        {packShortMessage(0x8F, 40, 0), SND_SEQ_EVENT_NOTEOFF, 15, 40, 0},
        {packShortMessage(0xA0, 61, 33), SND_SEQ_EVENT_KEYPRESS, 0, 61, 33},
        {packShortMessage(0xB9, 7, 90), SND_SEQ_EVENT_CONTROLLER, 9, 7, 90},
        {packShortMessage(0xC1, 25, 0), SND_SEQ_EVENT_PGMCHANGE, 1, 0, 25},
        {packShortMessage(0xD2, 70, 0), SND_SEQ_EVENT_CHANPRESS, 2, 0, 70},
        // Pitch bend: the 14-bit value around its middle 0x2000.
        {packShortMessage(0xE0, 0x00, 0x40), SND_SEQ_EVENT_PITCHBEND, 0, 0, 0},
        {packShortMessage(0xE0, 0x7F, 0x7F), SND_SEQ_EVENT_PITCHBEND, 0, 0, 8191},
        {packShortMessage(0xE0, 0x00, 0x00), SND_SEQ_EVENT_PITCHBEND, 0, 0, -8192},
    };
    for (const auto& c : cases) {
        snd_seq_event_t ev{};
        ASSERT_TRUE(toSeqEvent(c.word, ev)) << std::hex << c.word;
        EXPECT_EQ(ev.type, c.type) << std::hex << c.word;
        const auto& n = ev.data.note;
        const auto& k = ev.data.control;
        const bool note = c.type == SND_SEQ_EVENT_NOTEON || c.type == SND_SEQ_EVENT_NOTEOFF ||
                          c.type == SND_SEQ_EVENT_KEYPRESS;
        EXPECT_EQ(note ? std::tuple(int(n.channel), int(n.note), int(n.velocity))
                       : std::tuple(int(k.channel), int(k.param), int(k.value)),
                  std::tuple(c.channel, c.first, c.second))
            << std::hex << c.word;
    }
    // System messages are never scheduled: the event is left alone.
    snd_seq_event_t ev{};
    ev.type = SND_SEQ_EVENT_NONE;
    EXPECT_FALSE(toSeqEvent(packShortMessage(0xF8, 0, 0), ev));
    EXPECT_EQ(ev.type, SND_SEQ_EVENT_NONE);
}

TEST(SequencerQueue, PlacesDueTimesOnTheQueueAndSendsPastOnesAtOnce) {
    const double start = 1000.0;
    const struct {
        double due;
        unsigned sec, nsec;
    } cases[] = {
        {1001.5, 1, 500000000},
        {1000.000001, 0, 1000},
        {1000.9999999999, 1, 0}, // rounds up into the next second, never to 1e9 ns
        {999.0, 0, 0},
        {1000.0, 0, 0},
        {-std::numeric_limits<double>::infinity(), 0, 0}, // "now"
        {std::numeric_limits<double>::quiet_NaN(), 0, 0},
    };
    for (const auto& c : cases) {
        const snd_seq_real_time_t t = queueTime(c.due, start);
        EXPECT_EQ(t.tv_sec, c.sec) << c.due;
        EXPECT_EQ(t.tv_nsec, c.nsec) << c.due;
    }
}

TEST(SequencerQueue, IsRefusedWithItsReasonWithoutASequencer) {
    if (QFileInfo::exists(QStringLiteral("/dev/snd/seq")))
        GTEST_SKIP() << "this machine has a sequencer";
    QString error;
    EXPECT_EQ(SequencerQueue::open({14, 0}, &error), nullptr);
    EXPECT_TRUE(error.startsWith(QStringLiteral("The MIDI sequencer could not be opened: ")))
        << error.toStdString();
}

} // namespace
} // namespace chordalis
