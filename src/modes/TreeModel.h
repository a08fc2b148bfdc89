#pragma once

#include <QHash>
#include <QString>
#include <vector>

namespace chordalis {

// One node of a tree view: what the user sees (text) and what the program reads (key).
struct TreeNode {
    QString key;
    QString text;
    QString parentKey; // empty for a top-level node
    QString icon;      // picture key, empty for none
    bool expanded = false;
    QString toolTip; // shown over the node; empty for none
};

// The contents of a tree view as a plain model: nodes in insertion order, unique keys.
class TreeModel {
public:
    void clear();

    // Adds a node under parentKey (empty: top level). Refuses, returning false, a key that is
    // already taken or a parent that does not exist.
    bool add(const QString& parentKey, const QString& key, const QString& text,
             const QString& icon = {});

    const std::vector<TreeNode>& nodes() const { return m_nodes; }
    const TreeNode* find(const QString& key) const;
    bool contains(const QString& key) const { return m_index.contains(key); }
    std::vector<const TreeNode*> children(const QString& parentKey) const;
    int size() const { return int(m_nodes.size()); }
    bool isEmpty() const { return m_nodes.empty(); }

    // Position of the node in insertion order, -1 when absent.
    int indexOf(const QString& key) const { return m_index.value(key, -1); }

    void setExpanded(const QString& key, bool expanded);
    void setToolTip(const QString& key, const QString& toolTip);

    QString selectedKey; // empty when nothing is selected

private:
    std::vector<TreeNode> m_nodes;
    QHash<QString, int> m_index;
};

// The item number of a node key: its leading number when the key contains the item word
// ("Chord", "Scale", "Arpeggio"; compared with regard to case), -1 for a folder.
int itemNumber(const QString& key, const QString& itemWord);

} // namespace chordalis
