#include "TestFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace chordalis::test {

TestFolder::TestFolder() = default;

void TestFolder::write(const QString& name, const QByteArray& contents) const {
    const QString path = filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(contents);
}

void TestFolder::copyFixture(const QString& fixture) const {
    copyFolder(QStringLiteral(CHORDALIS_TEST_DATA) + u'/' + fixture);
}

void TestFolder::copyFolder(const QString& from) const {
    const QDir source(from);
    QDirIterator files(source.path(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            write(source.relativeFilePath(path), f.readAll());
    }
}

} // namespace chordalis::test
