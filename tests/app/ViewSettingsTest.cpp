#include "app/Settings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace chordalis {
namespace {

// The window's own choices start at the look and sound the program has without them, survive a
// restart, and a hand-edited word falls back to the start value.
TEST(ViewSettings, DefaultsRoundTripAndUnknownWords) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Chordalis.conf"));
    AppState state;
    {
        QSettings empty(path, QSettings::IniFormat);
        readSettings(empty, state);
    }
    const ViewSettings& v = state.view;
    EXPECT_EQ(v.labels, MarkerLabels::Fingers);
    EXPECT_EQ(v.fretNumbers, FretNumbers::None);
    EXPECT_FALSE(v.shadePosition || v.outlineRoots || v.highlightSounding || v.beatIndicator);
    EXPECT_EQ(v.run, RunRoute::OneOctave);

    state.view = {MarkerLabels::Intervals, FretNumbers::Every, true, true, true, true,
                  RunRoute::AsShown};
    {
        QSettings store(path, QSettings::IniFormat);
        writeSettings(store, state);
        EXPECT_EQ(store.value(QStringLiteral("View/Fret Numbers")).toString(), "Every Fret");
        EXPECT_EQ(store.value(QStringLiteral("Playback/Scale Run")).toString(), "As Shown");
        EXPECT_EQ(store.value(QStringLiteral("View/Shade Position")).toString(), "True");
    }
    AppState again;
    {
        QSettings store(path, QSettings::IniFormat);
        readSettings(store, again);
    }
    EXPECT_EQ(again.view.labels, MarkerLabels::Intervals);
    EXPECT_EQ(again.view.fretNumbers, FretNumbers::Every);
    EXPECT_TRUE(again.view.shadePosition && again.view.outlineRoots &&
                again.view.highlightSounding && again.view.beatIndicator);
    EXPECT_EQ(again.view.run, RunRoute::AsShown);

    {
        QSettings store(path, QSettings::IniFormat);
        store.setValue(QStringLiteral("View/Labels"), QStringLiteral("notes"));
        store.setValue(QStringLiteral("View/Fret Numbers"), QStringLiteral("Roman"));
        store.setValue(QStringLiteral("View/Outline Roots"), QStringLiteral("maybe"));
        store.setValue(QStringLiteral("Playback/Scale Run"), QString());
    }
    QSettings edited(path, QSettings::IniFormat);
    readSettings(edited, again);
    EXPECT_EQ(again.view.labels, MarkerLabels::Notes);
    EXPECT_EQ(again.view.fretNumbers, FretNumbers::None);
    EXPECT_FALSE(again.view.outlineRoots);
    EXPECT_EQ(again.view.run, RunRoute::OneOctave);
    EXPECT_TRUE(again.view.shadePosition);
}

} // namespace
} // namespace chordalis
