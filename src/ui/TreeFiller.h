#pragma once

#include "modes/TreeModel.h"

#include <QIcon>
#include <QString>
#include <functional>

class QTreeWidget;
class QTreeWidgetItem;

namespace chordalis {

// Copies a TreeModel into a QTreeWidget. Each item keeps its node key in KeyRole, so the window
// can hand the key of a clicked item back to the core. No signals are emitted while filling.
class TreeFiller {
public:
    static constexpr int KeyRole = Qt::UserRole + 1;

    using IconLookup = std::function<QIcon(const QString& iconKey)>;

    // Brings the widget in line with the model. When both hold the same nodes under the same
    // parents, only texts, icons and the current item are updated, so the user's scroll position
    // and opened folders stay; otherwise the widget is rebuilt with the model's expanded flags.
    static void sync(QTreeWidget& tree, const TreeModel& model, const IconLookup& icons = {});

    // Rebuilds the widget from scratch.
    static void fill(QTreeWidget& tree, const TreeModel& model, const IconLookup& icons = {});

    // Makes the node of the key the current one, scrolled into view; none for a key the tree
    // does not hold.
    static void select(QTreeWidget& tree, const QString& key);

    static QString keyOf(const QTreeWidgetItem* item);
    static QTreeWidgetItem* find(const QTreeWidget& tree, const QString& key);
};

} // namespace chordalis
