#include "sound/PlaybackOptions.h"

#include "modes/AppState.h"

#include <gtest/gtest.h>

namespace chordalis {
namespace {

TEST(PlaybackOptionsTest, InstrumentRowsNumberAndSpellEveryProgram) {
    const QStringList rows = instrumentRows();
    ASSERT_EQ(rows.size(), 128);
    const std::pair<int, const char*> expected[] = {
        {0, " 1    Acoustic Grand"},   {3, " 4    Honky -Tonk"},
        {9, " 10   Glockenspiel"},     {21, " 22   Accoridan"},
        {23, " 24   Tango Accordian"}, {24, " 25   Acoustic Guitar(nylon)"},
        {77, " 78   Skakuhachi"},      {99, " 100  FX 4 (atmosphere)"},
        {127, " 128  Gunshot"},
    };
    for (const auto& [row, text] : expected)
        EXPECT_EQ(rows[row], QLatin1String(text)) << row;

    const QStringList channels = playbackChannelRows();
    ASSERT_EQ(channels.size(), 16);
    EXPECT_EQ(channels.front(), " 1");
    EXPECT_EQ(channels.back(), " 16");
}

TEST(PlaybackOptionsTest, ControlsShowTheSettingsClampedAndStoreThemBack) {
    PlaybackSettings back;
    back.device = 7;
    storePlaybackControls(playbackControls(PlaybackSettings{}, 0), back);
    EXPECT_EQ(std::tuple(back.device, back.channel, back.instrument), std::tuple(-1, 1, 25));

    struct Case {
        PlaybackSettings settings;
        int ports;
        PlaybackControls shown;
    };
    const Case cases[] = {
        // The first port, and the last of two.
        {{0, 16, 128, 127, 100, 100, 100}, 2, {1, 15, 127, 127, 100, 100, 100}},
        {{1, 1, 1, 0, 0, 0, 0}, 2, {2, 0, 0, 0, 0, 0, 0}},
        // A port gone since the settings were written, and values beyond every range.
        {{2, 17, 129, 128, 101, 101, 101}, 2, {0, 15, 127, 127, 100, 100, 100}},
        {{-2, 0, 0, -1, -1, -1, -1}, 2, {0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(playbackControls(c.settings, c.ports), c.shown) << c.settings.device;
    }
    EXPECT_EQ(deviceRows({"Port A"}), QStringList({"Built-in Synthesizer", "Port A"}));
}

} // namespace
} // namespace chordalis
