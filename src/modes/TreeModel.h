#pragma once

#include <QHash>
#include <QString>
#include <vector>

namespace chordalis {

// One node of a tree view: what the user sees (text), the key the view and the page know it by,
// and what it stands for: an item number (a chord, a scale, a voicing, a triad, a string group),
// or -1 for a folder, which selects nothing.
struct TreeNode {
    QString key;
    QString text;
    QString parentKey; // empty for a top-level node
    QString icon;      // picture key, empty for none
    bool expanded = false;
    QString toolTip; // shown over the node; empty for none
    int item = -1;
};

// The contents of a tree view as a plain model: nodes in insertion order, unique keys.
class TreeModel {
public:
    void clear();

    // Adds a node standing for the item (-1: a folder) under parentKey (empty: top level).
    // Refuses, returning false, a key that is already taken or a parent that does not exist.
    bool add(const QString& parentKey, const QString& key, const QString& text, int item = -1,
             const QString& icon = {});

    const std::vector<TreeNode>& nodes() const { return m_nodes; }
    const TreeNode* find(const QString& key) const;
    // The first node that stands for the item, or null.
    const TreeNode* findItem(int item) const;
    // The item the node of a key stands for; -1 for a folder or a key the tree does not hold.
    int itemOf(const QString& key) const;
    bool contains(const QString& key) const { return m_index.contains(key); }
    std::vector<const TreeNode*> children(const QString& parentKey) const;
    int size() const { return int(m_nodes.size()); }
    bool isEmpty() const { return m_nodes.empty(); }

    // Position of the node in insertion order, -1 when absent.
    int indexOf(const QString& key) const { return m_index.value(key, -1); }

    void setExpanded(const QString& key, bool expanded);
    void setToolTip(const QString& key, const QString& toolTip);

    // Changes with every change of the nodes, never to a value another change had; a copy keeps
    // it. A view that showed the nodes of one revision still shows them if the revision is the
    // same. The selected key is not part of it.
    quint64 revision() const { return m_revision; }

    QString selectedKey; // empty when nothing is selected

private:
    void changed();

    std::vector<TreeNode> m_nodes;
    QHash<QString, int> m_index;
    quint64 m_revision = 0;
};

} // namespace chordalis
