#include "modes/AppState.h"
#include "sound/MetronomeOptions.h"
#include "sound/PlaybackOptions.h"

#include <gtest/gtest.h>

namespace chordalis {
namespace {

TEST(PlaybackOptionsTest, ControlsShowTheSettingsClampedAndStoreThemBack) {
    PlaybackSettings back;
    back.device = 7;
    storePlaybackControls(playbackControls(PlaybackSettings{}, 0), back);
    EXPECT_EQ(std::tuple(back.device, back.channel, back.instrument), std::tuple(-1, 1, 25));

    const std::tuple<PlaybackSettings, int, PlaybackControls> cases[] = {
        // settings, ports, shown
        // The first port, and the last of two.
        {{0, 16, 128, 127, 100, 100, 100}, 2, {1, 15, 127, 127, 100, 100, 100}},
        {{1, 1, 1, 0, 0, 0, 0}, 2, {2, 0, 0, 0, 0, 0, 0}},
        // A port gone since the settings were written, and values beyond every range.
        {{2, 17, 129, 128, 101, 101, 101}, 2, {0, 15, 127, 127, 100, 100, 100}},
        {{-2, 0, 0, -1, -1, -1, -1}, 2, {0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& [settings, ports, shown] : cases)
        EXPECT_EQ(playbackControls(settings, ports), shown) << settings.device;
    EXPECT_EQ(deviceRows({"Port A"}), QStringList({"Built-in Synthesizer", "Port A"}));
}

// The spinner steps from what is stored where the box is empty or wrong.
TEST(MetronomeOptionsTest, BeatsBoxSpinnerAndControlsStayInRange) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"4", 4},         {" 12 ", 12},        {"0", 0},      {"-3", -3},
        {"32767", 32767}, {"-32768", -32768},  {"32768", {}}, {"-32769", {}},
        {"", {}},         {"  ", {}},          {"abc", {}},   {"4a", {}},
        {"3.5", {}},      {"99999999999", {}},
    };
    for (const auto& [text, beats] : cases)
        EXPECT_EQ(beatsFromText(QLatin1String(text)), beats) << text;
    const std::tuple<const char*, int, int> steps[] = {
        {"4", 1, 5}, {"4", -1, 3}, {"1", -1, 1},       {"-5", 1, 1},
        {"", 1, 10}, {"x", -1, 8}, {"32767", 1, 32767}};
    for (const auto& [text, step, beats] : steps) // from 9 stored where the box is empty or wrong
        EXPECT_EQ(steppedBeats(QLatin1String(text), 9, step), beats) << text << step;
    EXPECT_EQ(metronomeControls(MetronomeSettings{}), (MetronomeControls{120, 41, 42, 9}));
    EXPECT_EQ(metronomeControls({4, 34, 82, 39, -1}), (MetronomeControls{40, 0, 46, 0}));
    EXPECT_EQ(metronomeControls({4, 81, 35, 401, 16}), (MetronomeControls{400, 46, 0, 15}));
}

} // namespace
} // namespace chordalis
