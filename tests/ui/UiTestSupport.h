#pragma once

#include <QPoint>
#include <QString>
#include <functional>

class QTemporaryDir;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace chordalis::test {

// Processes events until the condition holds or the time is up; true when it held.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// Fills a fresh program folder with a copy of the shipped data.
void makeProgramFolder(const QTemporaryDir& dir);

// A real mouse click on a tree node (its parents are opened first so the node can be seen).
void clickNode(QTreeWidget& tree, QTreeWidgetItem* item);

} // namespace chordalis::test
