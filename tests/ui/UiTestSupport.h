#pragma once

#include <QPoint>
#include <QString>
#include <functional>

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace chordalis::test {

// Processes events until the condition holds or the time is up; true when it held.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// Runs `open`, which shows a modal dialog and returns when it closes; `act` runs on the dialog
// once it is the active modal widget and `isIt` accepts it. True when `act` ran.
bool whileModal(const std::function<void()>& open, const std::function<bool(QWidget*)>& isIt,
                const std::function<void(QWidget&)>& act);

// A real mouse click on a tree node (its parents are opened first so the node can be seen).
void clickNode(QTreeWidget& tree, QTreeWidgetItem* item);

} // namespace chordalis::test
