#include "UiTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalBlocker>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace chordalis::test {

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QTest::qWait(10);
    }
    return true;
}

bool whileModal(const std::function<void()>& open, const std::function<bool(QWidget*)>& isIt,
                const std::function<void(QWidget&)>& act) {
    bool acted = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (acted || !modal || !isIt(modal))
            return;
        acted = true;
        act(*modal);
    });
    poll.start(20);
    open();
    return acted;
}

void clickNode(QTreeWidget& tree, QTreeWidgetItem* item) {
    {
        // Opening the parents is not what is tested; keep it from acting as a click.
        const QSignalBlocker blocker(tree);
        for (QTreeWidgetItem* p = item->parent(); p; p = p->parent())
            p->setExpanded(true);
    }
    tree.scrollToItem(item);
    const QPoint centre = tree.visualItemRect(item).center();
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, centre);
}

} // namespace chordalis::test
