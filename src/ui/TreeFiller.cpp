#include "ui/TreeFiller.h"

#include <QHash>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace chordalis {

namespace {

QHash<QString, QTreeWidgetItem*> itemsByKey(const QTreeWidget& tree) {
    QHash<QString, QTreeWidgetItem*> items;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it)
        items.insert(TreeFiller::keyOf(*it), *it);
    return items;
}

QIcon iconFor(const TreeNode& node, const TreeFiller::IconLookup& icons) {
    return node.icon.isEmpty() || !icons ? QIcon() : icons(node.icon);
}

} // namespace

QString TreeFiller::keyOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, KeyRole).toString() : QString();
}

QTreeWidgetItem* TreeFiller::find(const QTreeWidget& tree, const QString& key) {
    if (key.isEmpty())
        return nullptr;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it) {
        if (keyOf(*it) == key)
            return *it;
    }
    return nullptr;
}

void TreeFiller::fill(QTreeWidget& tree, const TreeModel& model, const IconLookup& icons) {
    const QSignalBlocker blocker(tree);
    tree.clear();
    QHash<QString, QTreeWidgetItem*> items;
    for (const TreeNode& node : model.nodes()) {
        QTreeWidgetItem* parent = items.value(node.parentKey);
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(&tree);
        item->setText(0, node.text);
        item->setToolTip(0, node.toolTip);
        item->setData(0, KeyRole, node.key);
        item->setIcon(0, iconFor(node, icons));
        items.insert(node.key, item);
    }
    // Expanding needs the children in place, hence a second pass.
    for (const TreeNode& node : model.nodes()) {
        if (node.expanded)
            items.value(node.key)->setExpanded(true);
    }
    select(tree, model.selectedKey);
}

void TreeFiller::sync(QTreeWidget& tree, const TreeModel& model, const IconLookup& icons) {
    // The same nodes in the same places: under the same parent and in the same order there (a
    // voicing list keeps its keys across roots, but not their order).
    const QHash<QString, QTreeWidgetItem*> items = itemsByKey(tree);
    bool same = items.size() == model.size();
    QHash<QString, int> siblings; // per parent key, the nodes met so far
    for (auto node = model.nodes().begin(); same && node != model.nodes().end(); ++node) {
        QTreeWidgetItem* item = items.value(node->key);
        const int place = siblings[node->parentKey]++;
        same = item && keyOf(item->parent()) == node->parentKey &&
               (item->parent() ? item->parent()->indexOfChild(item)
                               : tree.indexOfTopLevelItem(item)) == place;
    }
    if (!same) {
        fill(tree, model, icons);
        return;
    }
    const QSignalBlocker blocker(tree);
    for (const TreeNode& node : model.nodes()) {
        QTreeWidgetItem* item = items.value(node.key);
        if (item->text(0) != node.text)
            item->setText(0, node.text);
        if (item->toolTip(0) != node.toolTip)
            item->setToolTip(0, node.toolTip);
        // Setting an icon, even the same one, has the view lay out and paint the item again.
        const QIcon icon = iconFor(node, icons);
        if (item->icon(0).cacheKey() != icon.cacheKey())
            item->setIcon(0, icon);
    }
    select(tree, model.selectedKey);
}

void TreeFiller::select(QTreeWidget& tree, const QString& key) {
    if (!key.isEmpty() && keyOf(tree.currentItem()) == key)
        return;
    QTreeWidgetItem* item = find(tree, key);
    if (item == tree.currentItem())
        return;
    if (item) {
        tree.setCurrentItem(item);
        tree.scrollToItem(item);
    } else {
        tree.setCurrentItem(nullptr);
        tree.clearSelection();
    }
}

} // namespace chordalis
