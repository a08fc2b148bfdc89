#include "UiTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalBlocker>
#include <QTemporaryDir>
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

namespace {

void copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + u'/' + QDir(from).relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::remove(target);
        QFile::copy(file, target);
    }
}

} // namespace

void makeProgramFolder(const QTemporaryDir& dir, const QString& from) {
    copyTree(from, dir.path());
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
