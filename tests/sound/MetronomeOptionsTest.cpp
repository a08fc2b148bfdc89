#include "sound/MetronomeOptions.h"

#include "modes/AppState.h"

#include <gtest/gtest.h>

namespace chordalis {
namespace {

TEST(MetronomeOptionsTest, BeatsTextGivesA16BitNumberOrNothing) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"4", 4},         {" 12 ", 12},        {"0", 0},      {"-3", -3},
        {"32767", 32767}, {"-32768", -32768},  {"32768", {}}, {"-32769", {}},
        {"", {}},         {"  ", {}},          {"abc", {}},   {"4a", {}},
        {"3.5", {}},      {"99999999999", {}},
    };
    for (const auto& [text, beats] : cases)
        EXPECT_EQ(beatsFromText(QLatin1String(text)), beats) << text;
}

TEST(MetronomeOptionsTest, SpinnerStepsTheBoxWithinItsRange) {
    EXPECT_EQ(steppedBeats(QStringLiteral("4"), 9, 1), 5);
    EXPECT_EQ(steppedBeats(QStringLiteral("4"), 9, -1), 3);
    EXPECT_EQ(steppedBeats(QStringLiteral("1"), 9, -1), 1);
    EXPECT_EQ(steppedBeats(QStringLiteral("-5"), 9, 1), 1);
    EXPECT_EQ(steppedBeats(QStringLiteral("32767"), 9, 1), 32767);
    // An empty or wrong box steps from what is stored.
    EXPECT_EQ(steppedBeats(QString(), 9, 1), 10);
    EXPECT_EQ(steppedBeats(QStringLiteral("x"), 9, -1), 8);
}

TEST(MetronomeOptionsTest, ControlsClampWhatTheyCannotShow) {
    EXPECT_EQ(metronomeControls(MetronomeSettings{}), (MetronomeControls{120, 41, 42, 9}));
    EXPECT_EQ(metronomeControls({4, 34, 82, 39, -1}), (MetronomeControls{40, 0, 46, 0}));
    EXPECT_EQ(metronomeControls({4, 81, 35, 401, 16}), (MetronomeControls{400, 46, 0, 15}));
}

} // namespace
} // namespace chordalis
