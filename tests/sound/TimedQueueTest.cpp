#include "sound/TimedQueue.h"

#include "../SoundHelpers.h"
#include "sound/MessageRing.h"

namespace chordalis {
namespace {

using namespace soundtest;

TEST(TimedQueue, CancelsOneSourceAndClosesWithoutLeavingNotesOn) {
    TimedQueue q(5);
    q.push(on(76, 9), 1.0, QueueSource::Metronome);
    q.push(off(76, 9), 1.0, QueueSource::Metronome);
    q.push(on(52), 1.2, QueueSource::Playback);
    q.push(off(48), 4.0, QueueSource::Playback);
    q.push(packShortMessage(0x90, 52, 0), 3.0, QueueSource::Other); // a note-off too
    EXPECT_FALSE(q.push(off(52), 4.0, QueueSource::Playback)) << "full";
    EXPECT_EQ(q.dropped(), 1u);

    EXPECT_EQ(q.cancel(QueueSource::Metronome), 2u);
    EXPECT_EQ(q.size(), 3u);
    // Closing keeps only the releases, earliest first.
    EXPECT_EQ(wordsOf(q.closeAndKeepNoteOffs()),
              (std::vector<std::uint32_t>{packShortMessage(0x90, 52, 0), off(48)}));
    EXPECT_TRUE(q.empty());
}

TEST(MessageRing, HoldsItsCapacityInOrderAcrossTheWrap) {
    MessageRing ring(3);
    QueueCommand c;
    for (int round = 0; round < 3; ++round) { // the indices wrap in the second round
        for (int k = 0; k < 3; ++k)
            EXPECT_TRUE(ring.push(
                {QueueCommand::Kind::Message, QueueSource::Playback, on(60 + k), double(round)}));
        EXPECT_FALSE(ring.push({})) << "full";
        for (int k = 0; k < 3; ++k) {
            ASSERT_TRUE(ring.pop(c));
            EXPECT_EQ(c.word, on(60 + k));
        }
        EXPECT_FALSE(ring.pop(c)) << "empty";
    }
}

} // namespace
} // namespace chordalis
