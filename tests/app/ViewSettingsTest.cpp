#include "app/Settings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace chordalis {
namespace {

// The window's choices start at the program's own look and sound, survive a restart, and a word
// edited by hand that means nothing falls back to the start value.
TEST(ViewSettings, DefaultsRoundTripAndUnknownWords) {
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("Chordalis.conf")), QSettings::IniFormat);
    AppState state;
    state.view.shadePosition = true;
    readSettings(store, state);
    EXPECT_EQ(std::tuple(state.view.labels, state.view.fretNumbers, state.view.run),
              std::tuple(MarkerLabels::Fingers, FretNumbers::None, RunRoute::OneOctave));
    EXPECT_FALSE(state.view.shadePosition || state.view.outlineRoots ||
                 state.view.highlightSounding || state.view.beatIndicator);

    state.view = {MarkerLabels::Intervals, FretNumbers::Every, true, true, true, true,
                  RunRoute::AsShown};
    writeSettings(store, state);
    EXPECT_EQ(store.value(QStringLiteral("View/Fret Numbers")).toString(), "Every Fret");
    AppState again;
    readSettings(store, again);
    EXPECT_EQ(std::tuple(again.view.labels, again.view.fretNumbers, again.view.run),
              std::tuple(MarkerLabels::Intervals, FretNumbers::Every, RunRoute::AsShown));
    EXPECT_TRUE(again.view.shadePosition && again.view.beatIndicator);

    store.setValue(QStringLiteral("View/Labels"), QStringLiteral("notes"));
    store.setValue(QStringLiteral("View/Fret Numbers"), QStringLiteral("Roman"));
    store.setValue(QStringLiteral("View/Outline Roots"), QStringLiteral("maybe"));
    store.setValue(QStringLiteral("Playback/Scale Run"), QString());
    readSettings(store, again);
    EXPECT_EQ(std::tuple(again.view.labels, again.view.fretNumbers, again.view.run),
              std::tuple(MarkerLabels::Notes, FretNumbers::None, RunRoute::OneOctave));
    EXPECT_FALSE(again.view.outlineRoots);
}

} // namespace
} // namespace chordalis
