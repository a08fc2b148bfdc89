#include "sound/backends/PortSender.h"

#include "../SoundHelpers.h"
#include "sound/backends/JackMidiOut.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <unistd.h>

namespace chordalis {
namespace {

using namespace soundtest;

// What a port received, from the sender's thread. A port can be told to lose messages.
struct FakePort {
    std::mutex mutex;
    std::vector<std::uint32_t> got;
    int loseFrom = 1 << 30; // messages from this index on are lost, as by a port that has gone

    PortSender::Send send() {
        return [this](std::uint32_t word) {
            std::lock_guard lock(mutex);
            if (int(got.size()) >= loseFrom)
                return false;
            got.push_back(word);
            return true;
        };
    }
    // Waits (without asserting on the time) until n messages have arrived.
    std::vector<std::uint32_t> waitFor(size_t n) {
        waitUntil([&] {
            std::lock_guard lock(mutex);
            return got.size() >= n;
        });
        std::lock_guard lock(mutex);
        return got;
    }
};

TEST(PortSender, SendsInTimeOrderWhateverTheOrderQueued) {
    FakePort port;
    PortSender sender(port.send());
    const double t = monotonicNow() + 0.3; // all are queued long before the first is due
    sender.sendAt(on(64), t + 0.02, QueueSource::Playback);
    sender.sendAt(off(60), t + 0.01, QueueSource::Playback);
    sender.sendAt(on(60), t + 0.01, QueueSource::Playback);
    sender.sendAt(on(76), t, QueueSource::Metronome);
    sender.sendAt(on(40), monotonicNow() - 1.0, QueueSource::Other); // already due: at once
    EXPECT_EQ(port.waitFor(5),
              (std::vector<std::uint32_t>{on(40), on(76), off(60), on(60), on(64)}));
    EXPECT_EQ(sender.dropped(), 0u);
}

// Quick wake-ups are held only while something waits, and a refusal costs no message.
TEST(PortSender, HoldsQuickWakeUpsWhileMessagesWait) {
    FakePort port;
    std::atomic<int> asked{0};
    PortSender sender(
        port.send(), [] { return 0; },
        [&] {
            ++asked;
            return dup(STDERR_FILENO); // a descriptor the sender closes when it lets go
        });
    EXPECT_FALSE(sender.holdsQuickWake());
    sender.sendAt(on(60), monotonicNow() + 0.2, QueueSource::Playback);
    EXPECT_TRUE(waitUntil([&] { return sender.holdsQuickWake(); }, 2000));
    EXPECT_EQ(port.waitFor(1).size(), 1u);
    EXPECT_TRUE(waitUntil([&] { return !sender.holdsQuickWake(); }, 2000));
    sender.sendAt(on(62), monotonicNow() + 0.05, QueueSource::Playback);
    EXPECT_EQ(port.waitFor(2).size(), 2u);
    EXPECT_EQ(sender.quickWakeRefusal(), "");
    EXPECT_EQ(asked, 2);

    std::atomic<int> refusals{0};
    PortSender refused(
        port.send(), [] { return 0; },
        [&] {
            ++refusals;
            return -EACCES;
        });
    refused.sendAt(on(64), monotonicNow() + 0.02, QueueSource::Playback);
    refused.sendAt(on(65), monotonicNow() + 0.04, QueueSource::Playback);
    EXPECT_EQ(port.waitFor(4).size(), 4u);
    EXPECT_FALSE(refused.holdsQuickWake());
    EXPECT_NE(refused.quickWakeRefusal().find(std::strerror(EACCES)), std::string::npos);
    EXPECT_EQ(refusals, 1); // asked once
}

TEST(PortSender, RefusedRealTimeFallsBackToNormalPriority) {
    FakePort port;
    PortSender sender(port.send(), [] { return EPERM; });
    const double t = monotonicNow() + 0.05;
    sender.sendAt(on(62), t + 0.01, QueueSource::Playback);
    sender.sendAt(on(60), t, QueueSource::Playback);
    EXPECT_EQ(port.waitFor(2), (std::vector<std::uint32_t>{on(60), on(62)}));
    EXPECT_FALSE(sender.realTime());
    EXPECT_NE(sender.realTimeRefusal().find(std::strerror(EPERM)), std::string::npos);
}

TEST(PortSender, ClosingReleasesHeldNotesAndCancelledOnesNeverSound) {
    FakePort port;
    {
        PortSender sender(port.send());
        const double now = monotonicNow();
        sender.sendAt(on(48), now, QueueSource::Playback);
        sender.sendAt(off(48), now + 60, QueueSource::Playback);
        sender.sendAt(on(76), now + 60, QueueSource::Metronome);
        sender.sendAt(off(76), now + 60, QueueSource::Metronome);
        sender.cancel(QueueSource::Metronome);
        ASSERT_EQ(port.waitFor(1).size(), 1u);
    } // closed long before the chord's release was due
    EXPECT_EQ(port.got, (std::vector<std::uint32_t>{on(48), off(48)}));
}

TEST(PortSender, CountsWhatThePortLostAndGoesOn) {
    FakePort port;
    port.loseFrom = 1;
    PortSender sender(port.send());
    const double now = monotonicNow();
    for (int n = 0; n < 3; ++n)
        sender.sendAt(on(60 + n), now, QueueSource::Playback);
    waitUntil([&] { return sender.dropped() >= 2; });
    EXPECT_EQ(sender.dropped(), 2u);
    {
        std::lock_guard lock(port.mutex);
        port.loseFrom = 1 << 30;
    }
    sender.sendAt(on(72), monotonicNow(), QueueSource::Playback);
    EXPECT_EQ(port.waitFor(2), (std::vector<std::uint32_t>{on(60), on(72)}));
}

// Called late, a port writes into a buffer no one reads; its next call writes those again.
TEST(JackCycle, MessagesOfACycleHandedTwiceAreWrittenAgain) {
    CycleMessages cycle;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> again;
    const auto keep = [&](std::uint32_t offset, std::uint32_t word) {
        again.emplace_back(offset, word);
    };
    cycle.start(1000, keep);
    cycle.wrote(0, on(60));
    cycle.start(1256, keep); // the next cycle
    cycle.wrote(10, on(62));
    cycle.wrote(200, off(62));
    EXPECT_TRUE(again.empty());
    cycle.start(1256, keep); // handed again
    EXPECT_EQ(again, (decltype(again){{10, on(62)}, {200, off(62)}}));
    cycle.wrote(220, on(64));
    cycle.start(1256, keep); // and once more: all it wrote
    EXPECT_EQ(again.size(), 5u);
    EXPECT_EQ(again.back(), std::make_pair(220u, on(64)));
}

} // namespace
} // namespace chordalis
