#include "UiTestSupport.h"
#include "fretboard/Fretboard.h"
#include "fretboard/LedSender.h"
#include "modes/AppState.h"
#include "ui/NeckView.h"
#include "ui/SplashWindow.h"
#include "ui/TreeFiller.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <set>

namespace chordalis {
namespace {

TreeModel chordTree() {
    TreeModel m;
    m.add({}, QStringLiteral("All Group"), QStringLiteral("All Chords"));
    m.add({}, QStringLiteral("0 Group"), QStringLiteral("Major Chords"));
    for (const char* chord : {"0", "1"}) {
        const QString key = QLatin1String(chord) + QStringLiteral(" Chord");
        m.add(QStringLiteral("All Group"), key + QStringLiteral(" - All"), key);
        m.add(QStringLiteral("0 Group"), key, key);
    }
    return m;
}

TEST(TreeFillerTest, FillBuildsTheHierarchySilently) {
    TreeModel m = chordTree();
    m.setExpanded(QStringLiteral("0 Group"), true);
    m.selectedKey = QStringLiteral("1 Chord");
    QTreeWidget tree;
    int signalsSeen = 0;
    QObject::connect(&tree, &QTreeWidget::currentItemChanged, [&] { ++signalsSeen; });
    QObject::connect(&tree, &QTreeWidget::itemExpanded, [&] { ++signalsSeen; });
    TreeFiller::fill(tree, m);

    ASSERT_EQ(tree.topLevelItemCount(), 2);
    QTreeWidgetItem* all = tree.topLevelItem(0);
    EXPECT_EQ(all->text(0), "All Chords");
    ASSERT_EQ(all->childCount(), 2);
    EXPECT_EQ(TreeFiller::keyOf(all->child(1)), "1 Chord - All");
    EXPECT_FALSE(all->isExpanded());
    EXPECT_TRUE(tree.topLevelItem(1)->isExpanded());
    EXPECT_EQ(TreeFiller::keyOf(tree.currentItem()), "1 Chord");
    EXPECT_EQ(signalsSeen, 0);
}

TEST(TreeFillerTest, SyncKeepsTheUsersViewWhenOnlyTextsChange) {
    const TreeModel original = chordTree();
    QTreeWidget tree;
    TreeFiller::fill(tree, original);
    QTreeWidgetItem* folder = TreeFiller::find(tree, QStringLiteral("0 Group"));
    folder->setExpanded(true); // by the user; the model does not know

    TreeModel renamed;
    for (const TreeNode& n : original.nodes())
        renamed.add(n.parentKey, n.key, n.text + QStringLiteral("!"));
    TreeFiller::sync(tree, renamed);
    EXPECT_EQ(TreeFiller::find(tree, QStringLiteral("0 Group")), folder);
    EXPECT_TRUE(folder->isExpanded());
    EXPECT_EQ(folder->child(0)->text(0), "0 Chord!");
}

TEST(TreeFillerTest, SyncRebuildsWhenTheKeysOrTheirOrderDiffer) {
    TreeModel voicings;
    voicings.add({}, QStringLiteral("99Voicing"), QStringLiteral("Open Chord"));
    voicings.add({}, QStringLiteral("0Voicing"), QStringLiteral("3rd Position"));
    voicings.selectedKey = QStringLiteral("0Voicing");
    QTreeWidget tree;
    TreeFiller::sync(tree, voicings);
    EXPECT_EQ(TreeFiller::keyOf(tree.currentItem()), "0Voicing");

    TreeModel other; // same count, other keys
    other.add({}, QStringLiteral("0Voicing"), QStringLiteral("5th Position"));
    other.add({}, QStringLiteral("1Voicing"), QStringLiteral("8th Position"));
    TreeFiller::sync(tree, other);
    EXPECT_EQ(TreeFiller::keyOf(tree.topLevelItem(1)), "1Voicing");
    EXPECT_EQ(tree.currentItem(), nullptr);

    // The same keys in another order, as a voicing list on another root: shown in the new order.
    TreeModel reordered;
    reordered.add({}, QStringLiteral("1Voicing"), QStringLiteral("1st Position"));
    reordered.add({}, QStringLiteral("0Voicing"), QStringLiteral("6th Position"));
    TreeFiller::sync(tree, reordered);
    EXPECT_EQ(TreeFiller::keyOf(tree.topLevelItem(0)), "1Voicing");
    EXPECT_EQ(tree.topLevelItem(1)->text(0), "6th Position");
}

// The window skips a tree whose model has the revision it showed: every change of the nodes
// gives a revision no state had before, and what changes nothing, or only the selection, keeps it.
TEST(TreeFillerTest, AModelsRevisionStandsForOneStateOfItsNodes) {
    TreeModel m = chordTree();
    EXPECT_EQ(TreeModel(m).revision(), m.revision());
    std::set<quint64> seen{m.revision()};
    const auto isNew = [&] {
        return seen.insert(m.revision()).second;
    };
    m.setExpanded(QStringLiteral("0 Group"), true);
    EXPECT_TRUE(isNew());
    m.setToolTip(QStringLiteral("0 Chord"), QStringLiteral("C E G"));
    EXPECT_TRUE(isNew());
    m.add(QStringLiteral("0 Group"), QStringLiteral("2 Chord"), QStringLiteral("2 Chord"));
    EXPECT_TRUE(isNew());
    m.clear();
    EXPECT_TRUE(isNew());
    m = chordTree();
    EXPECT_TRUE(isNew());

    m.setExpanded(QStringLiteral("0 Group"), false);
    m.setToolTip(QStringLiteral("0 Chord"), {});
    m.add(QStringLiteral("No Group"), QStringLiteral("3 Chord"), QStringLiteral("3 Chord"));
    m.selectedKey = QStringLiteral("0 Chord");
    EXPECT_FALSE(isNew());
}

TEST(NeckViewTest, KeepsItsAspectAndReportsPressesInSurfaceUnits) {
    AppState state;
    SilentLedSender led;
    Fretboard fretboard(state.neckSettings(), led);
    NeckView view(fretboard);
    EXPECT_EQ(view.heightForWidth(1506), 366);
    view.resize(1506, 500); // letterboxed: 67 pixels above and below the surface
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    EXPECT_EQ(view.surfaceRect(), QRectF(0, 67, 1506, 366));

    QSignalSpy spy(&view, &NeckView::pressed);
    QTest::mousePress(&view, Qt::RightButton, {}, QPoint(132, 67 + 64));
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(spy[0][1].toPointF(), QPointF(66, 32));

    // Wide and short: the neck is drawn longer to fill the width, presses still land where the
    // surface has them; beyond twice its length it stays centred.
    view.resize(1506, 183);
    EXPECT_DOUBLE_EQ(view.stretch(), 2.0);
    EXPECT_EQ(view.surfaceRect(), QRectF(0, 0, 1506, 183));
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(753, 91));
    EXPECT_EQ(spy[1][1].toPointF(), QPointF(376.5, 91));
    view.resize(1506, 250);
    EXPECT_NEAR(view.surfaceRect().width(), 1506, 0.01);
    view.resize(2000, 183);
    EXPECT_EQ(view.surfaceRect(), QRectF(247, 0, 1506, 183));

    // While resized the neck is scaled from its last rendering; once the resizing pauses it is
    // drawn sharp at the new size.
    view.resize(1506, 500);
    QTest::qWait(NeckView::SharpFrameDelayMs + 100);
    view.resize(1100, 400);
    const QImage quick = view.grab().toImage();
    for (int i = 0; i < 3; ++i) // what is due at once runs; a drag's next step comes sooner
        QCoreApplication::processEvents();
    EXPECT_EQ(view.grab().toImage(), quick) << "sharp while the resizing goes on";
    QTest::qWait(NeckView::SharpFrameDelayMs + 100);
    const QImage sharp = view.grab().toImage();
    EXPECT_NE(sharp, quick);
    EXPECT_EQ(view.grab().toImage(), sharp);
}

// Start-up first, then the About box: one window, as in the program.
TEST(SplashWindowTest, StartupIgnoresTheUserThenAboutClosesOnClickOrKey) {
    SplashWindow splash;
    splash.setTag(SplashWindow::StartupTag);
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    EXPECT_TRUE(splash.closeTimer().isActive());
    EXPECT_EQ(splash.closeTimer().interval(), 1500);

    QTest::keyClick(&splash, Qt::Key_Escape);
    QTest::keyClick(&splash, Qt::Key_A);
    QTest::mouseClick(&splash, Qt::LeftButton);
    QTest::mouseClick(splash.findChild<QLabel*>(QStringLiteral("Label1")), Qt::LeftButton);
    splash.close();
    EXPECT_TRUE(splash.isVisible());

    // The timer closes it: its time is run at once rather than waited for.
    const_cast<QTimer&>(splash.closeTimer()).start(0);
    EXPECT_TRUE(test::waitUntil([&] { return !splash.isVisible(); }));
    EXPECT_FALSE(splash.closeTimer().isActive());

    // As the About box the timer is not armed again.
    splash.setTag(QString());
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    EXPECT_FALSE(splash.closeTimer().isActive());
    QTest::keyClick(&splash, Qt::Key_Shift);
    EXPECT_FALSE(splash.isVisible());

    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    QTest::mouseClick(splash.findChild<QLabel*>(QStringLiteral("lblVersion")), Qt::LeftButton);
    EXPECT_FALSE(splash.isVisible());
}

} // namespace
} // namespace chordalis
