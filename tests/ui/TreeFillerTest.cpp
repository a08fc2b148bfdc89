#include "ui/TreeFiller.h"

#include <QTreeWidget>
#include <gtest/gtest.h>

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

} // namespace
} // namespace chordalis
