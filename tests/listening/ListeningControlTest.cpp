#include "app/ListeningControl.h"

#include "../display/HeadlessProgram.h"
#include "TestSounds.h"
#include "listening/ClipInput.h"

#include <gtest/gtest.h>
#include <set>

namespace chordalis {
namespace {

// Listening for the window, through the test input: no device is refused with the reason; a
// strum of the grip on the chords page lights that grip's markers and gives the tuner a reading;
// an input that goes stops listening, darkens the neck and says why.
TEST(ListeningControl, LightsTheStrummedGripAndStopsWhenTheInputGoes) {
    test::HeadlessProgram program;
    program.clickItem(TreeId::Chords, 0);
    std::set<int> shown;
    for (const Mark& m : program.markers())
        if (m.pitch >= 0)
            shown.insert(m.pitch);
    ASSERT_GE(shown.size(), 3u);

    ClipInput none(std::nullopt);
    ListeningControl deaf(*program, none);
    const auto refused = deaf.start({}, DefaultA4);
    ASSERT_TRUE(refused);
    EXPECT_FALSE(deaf.isListening());

    AudioClip clip;
    std::vector<double> hz;
    for (int note : shown)
        hz.push_back(noteFrequency(note));
    testsounds::addStrum(clip, hz, 0.3, 0.8, 0.012, 7);
    testsounds::addNoise(clip, 30.0, 7);
    ClipInput input(clip);
    ListeningControl control(*program, input);
    std::vector<QString> notices;
    control.setNoticeHook([&](const QString& text) { notices.push_back(text); });
    ASSERT_FALSE(control.start({}, 500.0));
    EXPECT_EQ(control.a4(), HighestA4);
    ASSERT_FALSE(control.start({}, DefaultA4));
    input.deliver(1 << 20);
    control.settle();
    EXPECT_EQ(std::set<int>(control.heard().begin(), control.heard().end()), shown);
    EXPECT_GT(control.tuner().string, 0);
    const std::vector<bool> lit = program->fretboard().soundingMarks();
    const auto& marks = program->fretboard().marks();
    for (size_t i = 0; i < marks.size(); ++i) {
        if (marks[i].isMarker() && marks[i].pitch >= 0) {
            EXPECT_TRUE(lit[i]) << marks[i].pitch;
        }
    }

    EXPECT_FALSE(control.checkFault());
    input.vanish();
    EXPECT_TRUE(control.checkFault());
    EXPECT_FALSE(control.isListening());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_FALSE(notices.front().isEmpty());
    EXPECT_FALSE(program->fretboard().isAnythingSounding());
    EXPECT_TRUE(control.heard().empty());
}

} // namespace
} // namespace chordalis
