#include "modes/TreeModel.h"

#include <atomic>

namespace chordalis {

void TreeModel::changed() {
    static std::atomic<quint64> last{0};
    m_revision = ++last;
}

void TreeModel::clear() {
    m_nodes.clear();
    m_index.clear();
    selectedKey.clear();
    changed();
}

bool TreeModel::add(const QString& parentKey, const QString& key, const QString& text, int item,
                    const QString& icon) {
    if (m_index.contains(key) || (!parentKey.isEmpty() && !m_index.contains(parentKey)))
        return false;
    m_index.insert(key, int(m_nodes.size()));
    m_nodes.push_back({key, text, parentKey, icon, false, {}, item});
    changed();
    return true;
}

const TreeNode* TreeModel::findItem(int item) const {
    for (const TreeNode& node : m_nodes) {
        if (node.item == item)
            return &node;
    }
    return nullptr;
}

int TreeModel::itemOf(const QString& key) const {
    const TreeNode* node = find(key);
    return node ? node->item : -1;
}

const TreeNode* TreeModel::find(const QString& key) const {
    const int i = indexOf(key);
    return i < 0 ? nullptr : &m_nodes[size_t(i)];
}

std::vector<const TreeNode*> TreeModel::children(const QString& parentKey) const {
    std::vector<const TreeNode*> result;
    for (const TreeNode& node : m_nodes) {
        if (node.parentKey == parentKey)
            result.push_back(&node);
    }
    return result;
}

void TreeModel::setExpanded(const QString& key, bool expanded) {
    const int i = indexOf(key);
    if (i >= 0 && m_nodes[size_t(i)].expanded != expanded) {
        m_nodes[size_t(i)].expanded = expanded;
        changed();
    }
}

void TreeModel::setToolTip(const QString& key, const QString& toolTip) {
    const int i = indexOf(key);
    if (i >= 0 && m_nodes[size_t(i)].toolTip != toolTip) {
        m_nodes[size_t(i)].toolTip = toolTip;
        changed();
    }
}

} // namespace chordalis
