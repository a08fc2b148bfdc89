// What a guitarist meets in the first minutes.
#include "StartedWindow.h"
#include "modes/Finder.h"
#include "modes/Modes.h"
#include "ui/BeatIndicator.h"
#include "ui/ModeTabs.h"
#include "ui/NeckView.h"
#include "ui/Theme.h"
#include "ui/TreeFiller.h"
#include "ui/TreeIcons.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDBusVariant>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabBar>
#include <QToolTip>
#include <QTreeWidget>

namespace chordalis {
namespace {

class UsabilityTest : public test::StartedWindow {
protected:
    int noteOns() { return int(test::noteOnKeys(out()).size()); }
};

// The controls a user reads or operates, as they lie on the window now.
std::vector<QWidget*> visibleControls(QWidget* window) {
    std::vector<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                             qobject_cast<QAbstractItemView*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTabBar*>(w) ||
                             qobject_cast<NeckView*>(w);
        if (control && w->isVisible() && w->objectName() != QLatin1String("lblNonStandard"))
            controls.push_back(w);
    }
    return controls;
}

QRect inWindow(QWidget* w, QWidget* window) {
    return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

TEST_F(UsabilityTest, AtItsSmallestSizeNothingOverlapsAndTheNeckGivesWayFirst) {
    window->resize(1, 1); // held at the minimum the layout allows
    QCoreApplication::processEvents();
    const QSize smallest = window->size();
    EXPECT_LE(smallest.width(), 800);
    EXPECT_LE(smallest.height(), 600);

    for (int page = 0; page < ModeCount; ++page) {
        window->modeTabs().setCurrentIndex(page);
        QCoreApplication::processEvents();
        SCOPED_TRACE(window->modeTabs().tabText(page).toStdString());
        const auto controls = visibleControls(window);
        for (QWidget* w : controls) {
            const QRect r = inWindow(w, window);
            EXPECT_TRUE(window->rect().contains(r)) << w->objectName().toStdString();
            // Every text whole.
            if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty()) {
                if (label->wordWrap()) {
                    EXPECT_GE(label->height(), label->heightForWidth(label->width()))
                        << label->text().toStdString();
                } else {
                    EXPECT_GE(label->width(), label->minimumSizeHint().width())
                        << label->text().toStdString();
                }
            }
            if (auto* button = qobject_cast<QPushButton*>(w)) {
                EXPECT_GE(button->width(), button->minimumSizeHint().width());
            }
            for (QWidget* other : controls) {
                if (other <= w || w->isAncestorOf(other) || other->isAncestorOf(w))
                    continue;
                EXPECT_FALSE(r.intersects(inWindow(other, window)))
                    << w->objectName().toStdString() << " / " << other->objectName().toStdString();
            }
        }
    }
    const QTabBar& roots = window->rootTabs();
    EXPECT_LE(roots.tabRect(16).right(), roots.width());

    // The pages keep the height they ask for until the neck can shrink no further.
    NeckView& neck = window->neck();
    for (int height = 800; height >= smallest.height(); height -= 25) {
        window->resize(1000, height);
        QCoreApplication::processEvents();
        if (window->modeTabs().height() < window->modeTabs().sizeHint().height()) {
            EXPECT_LE(neck.height(), neck.minimumSizeHint().height() + 1) << height;
        }
        EXPECT_LE(neck.height(), neck.heightForWidth(neck.width()) + 1) << height;
    }
}

TEST_F(UsabilityTest, KeysChooseModesStepRootsPlayAndReachTheMenus) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    const MainPages& pages = program->context().pages; // Ctrl+1..8: the progressions window test
    QTest::keyClick(window, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(pages.rootTab, 17); // round to B
    QTest::keyClick(window, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(pages.rootTab, 1);
    window->rootTabs().setFocus();
    QTest::keyClick(&window->rootTabs(), Qt::Key_Right);
    EXPECT_EQ(program->context().state.rootSpelling, 1); // C#

    // Space on a button presses that button; elsewhere it plays the page's item.
    auto* info = find<QPushButton>("cmdChordInfo");
    info->setFocus();
    QTest::keyClick(info, Qt::Key_Space);
    ASSERT_EQ(boxes.shown.size(), 1u); // the Info button's refusal
    EXPECT_EQ(noteOns(), 0);
    QAction* print = action("mnuPrint");
    print->setEnabled(true);
    QSignalSpy printed(print, &QAction::triggered);
    QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier); // nothing chosen: no dialog
    EXPECT_EQ(printed.size(), 1);
    auto& chords = *find<QTreeWidget>("tvwChords");
    test::clickNode(chords, TreeFiller::find(chords, QStringLiteral("0 Chord")));
    chords.setFocus();
    QTest::keyClick(&chords, Qt::Key_Space);
    EXPECT_GE(noteOns(), 4);

    QFile::remove(folder.filePath(QStringLiteral("userguide/index.htm"))); // no viewer opens
    QSignalSpy guide(action("mnuUserGuide"), &QAction::triggered);
    QTest::keyClick(window, Qt::Key_F1);
    EXPECT_EQ(guide.size(), 1);

    // Every entry of every menu answers to Alt and a letter of its own.
    std::function<void(const QMenu*)> check = [&check](const QMenu* menu) {
        QSet<QChar> letters;
        for (const QAction* a : menu->actions()) {
            if (a->isSeparator() || !a->isVisible())
                continue;
            const qsizetype amp = a->text().indexOf(u'&');
            ASSERT_GE(amp, 0) << a->text().toStdString();
            const QChar letter = a->text().at(amp + 1).toLower();
            EXPECT_FALSE(letters.contains(letter)) << a->text().toStdString();
            letters.insert(letter);
            if (a->menu())
                check(a->menu());
        }
    };
    for (const QAction* bar : window->menuBar()->actions())
        check(bar->menu());
}

TEST_F(UsabilityTest, MarkersTellTheirNoteAndHintsReadEasily) {
    auto& chords = *find<QTreeWidget>("tvwChords");
    test::clickNode(chords, TreeFiller::find(chords, QStringLiteral("0 Chord")));
    NeckView& neck = window->neck();
    const auto& marks = program->context().fretboard.marks();
    const auto marker = std::find_if(marks.begin(), marks.end(),
                                     [](const Mark& m) { return m.kind == MarkKind::Circle; });
    ASSERT_NE(marker, marks.end());
    const QRectF r = neck.surfaceRect();
    const double scale = r.width() / SurfaceWidth;
    const QPoint at = (r.topLeft() + QPointF(marker->x + 10, marker->y + 10) * scale).toPoint();
    QHelpEvent help(QEvent::ToolTip, at, neck.mapToGlobal(at));
    QCoreApplication::sendEvent(&neck, &help);
    EXPECT_EQ(QToolTip::text(), markerToolTip(*marker));

    for (const char* name : {"hintNotes", "hintFinder"}) {
        const QLabel* hint = find<QLabel>(name);
        EXPECT_GE(contrastRatio(hint->palette().color(hint->foregroundRole()),
                                hint->palette().color(QPalette::Window)),
                  4.5)
            << name;
    }
}

// The finder's results read at 4.5:1 or better on their chips in either palette.
TEST_F(UsabilityTest, ThemesChangeThePaletteAndFinderResultsStayReadable) {
    for (const QPalette& palette : {lightPalette(), darkPalette()}) {
        for (const PackedColour colour :
             {RootPositionColour, ThirdOrFifthBassColour, OtherBassColour}) {
            const FinderChip chip = finderChip(toQColor(colour), palette);
            EXPECT_GE(contrastRatio(chip.text, chip.ground), 4.5)
                << isDark(palette) << " " << colour;
            EXPECT_GE(contrastRatio(chip.accent, palette.color(QPalette::Window)),
                      isDark(palette) ? 3.0 : 1.0);
        }
    }

    const ThemeChooser themes; // the test's own style and palette are its "desktop"
    window->setThemeChooser(&themes);
    const QIcon lightIcon = treeIcon(QStringLiteral("voicing"));
    auto& chords = *find<QTreeWidget>("tvwChords");
    test::clickNode(chords, TreeFiller::find(chords, QStringLiteral("0 Chord")));
    const std::vector<TreeNode>& voicings = program->context().pages.chords.tvwVoicings.nodes();
    const auto shape = std::find_if(voicings.begin(), voicings.end(),
                                    [](const TreeNode& n) { return !n.icon.isEmpty(); });
    ASSERT_NE(shape, voicings.end());
    const QString shapeKey = shape->key, shapeIcon = shape->icon;
    action("mnuTheme2")->trigger();
    EXPECT_EQ(program->state().view.theme, Theme::Dark);
    QCoreApplication::processEvents();
    EXPECT_TRUE(isDark(QApplication::palette()));
    EXPECT_TRUE(isDark(window->modeTabs().palette()));
    EXPECT_NE(treeIcon(QStringLiteral("voicing")).cacheKey(), lightIcon.cacheKey());
    // The lists show the icons for the new ground, though their items did not change.
    EXPECT_EQ(TreeFiller::find(*find<QTreeWidget>("tvwVoicings"), shapeKey)->icon(0).cacheKey(),
              treeIcon(shapeIcon).cacheKey());
    window->modeTabs().setCurrentIndex(int(Mode::ChordFinder));
    program->context().state.finderSelection = {-1, 1, -1, 2, 3, 0}; // x32010
    redrawCurrentMode(program->context());
    window->showPages();
    auto* root5 = find<QLabel>("lblDescription5");
    EXPECT_TRUE(root5->styleSheet().contains(darkPalette().color(QPalette::WindowText).name()));

    action("mnuTheme1")->trigger();
    EXPECT_FALSE(isDark(QApplication::palette()));
    action("mnuTheme0")->trigger();
    EXPECT_EQ(program->state().view.theme, Theme::System);
    window->setThemeChooser(nullptr);
}

// Whatever the value's wrapping; other settings, repeats and the fixed themes are left alone.
TEST_F(UsabilityTest, TheSystemThemeFollowsTheDesktopSchemeLive) {
    const auto scheme = [](uint value, int wraps = 1) {
        QVariant v = value;
        for (int k = 1; k < wraps; ++k)
            v = QVariant::fromValue(QDBusVariant(v));
        return QDBusVariant(v);
    };
    const QString appearance = QStringLiteral("org.freedesktop.appearance");
    const QString key = QStringLiteral("color-scheme");
    DesktopScheme desktop(/*portal=*/false); // the portal, played by the test
    EXPECT_EQ(desktop.prefersDark(), std::nullopt);
    const ThemeChooser themes(&desktop);
    window->setThemeChooser(&themes);
    action("mnuTheme0")->trigger();
    const bool startedDark = isDark(QApplication::palette());
    QSignalSpy changes(&desktop, &DesktopScheme::changed);

    desktop.settingChanged(appearance, key, scheme(1));
    EXPECT_TRUE(isDark(QApplication::palette()));
    QCoreApplication::processEvents();
    EXPECT_TRUE(isDark(window->modeTabs().palette()));
    desktop.settingChanged(appearance, key, scheme(1, 2)); // the same, wrapped twice
    desktop.settingChanged(appearance, QStringLiteral("accent-color"), scheme(2));
    desktop.settingChanged(QStringLiteral("org.gnome.desktop.interface"), key, scheme(2));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(isDark(QApplication::palette()));

    desktop.settingChanged(appearance, key, scheme(2, 2));
    EXPECT_FALSE(isDark(QApplication::palette()));
    // A fixed theme stays as chosen when the desktop turns.
    action("mnuTheme1")->trigger();
    desktop.settingChanged(appearance, key, scheme(1));
    EXPECT_FALSE(isDark(QApplication::palette()));
    EXPECT_EQ(desktop.prefersDark(), true);
    // No preference, or nonsense: the desktop's own palette again.
    action("mnuTheme0")->trigger();
    EXPECT_TRUE(isDark(QApplication::palette()));
    desktop.settingChanged(appearance, key, QDBusVariant(QStringLiteral("dark")));
    EXPECT_EQ(desktop.prefersDark(), std::nullopt);
    EXPECT_EQ(isDark(QApplication::palette()), startedDark);
    EXPECT_EQ(changes.count(), 4);
    window->setThemeChooser(nullptr);
    desktop.settingChanged(appearance, key, scheme(1)); // no window listens: nothing happens
    EXPECT_EQ(isDark(QApplication::palette()), startedDark);
}

TEST_F(UsabilityTest, ViewChoicesReachTheNeckAndTheBeatShows) {
    NeckView& neck = window->neck();
    const int bare = neck.heightForWidth(753);
    action("mnuFretNumbers1")->trigger(); // 3, 5, 7, 9, 12, 15
    action("mnuLabels2")->trigger();
    EXPECT_EQ(std::pair(neck.fretNumbers(), neck.extras().labels),
              std::pair(FretNumbers::Inlays, MarkerLabels::Intervals));
    EXPECT_GT(neck.heightForWidth(753), bare); // room for the numbers

    QStatusBar* bar = window->statusBar();
    program->metronome().setRunning(true);
    EXPECT_FALSE(bar->isVisible());
    action("mnuBeatIndicator")->trigger();
    EXPECT_TRUE(bar->isVisible());
    clock().advance(1.0);
    program->metronome().service();
    EXPECT_EQ(window->beatIndicator().beat(), program->metronome().beat());
    EXPECT_GE(window->beatIndicator().beat(), 1);
    program->metronome().setRunning(false);
    EXPECT_FALSE(bar->isVisible());
}

} // namespace
} // namespace chordalis
