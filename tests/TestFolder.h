#pragma once

#include <QString>
#include <QTemporaryDir>

namespace chordalis::test {

// A scratch program folder for one test, removed afterwards.
class TestFolder {
public:
    TestFolder();

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    void write(const QString& name, const QByteArray& contents) const;

    // Copies a folder (a fixture of tests/data, or any other) into this one over what is there.
    void copyFixture(const QString& fixture) const;
    void copyFolder(const QString& from) const;

private:
    QTemporaryDir m_dir;
};

} // namespace chordalis::test
