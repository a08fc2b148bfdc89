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

    // Writes a file (creating folders as needed) with the given bytes.
    void write(const QString& name, const QByteArray& contents) const;

    // Copies every file of a folder, with its subfolders, into this folder over what is there: a
    // fixture folder of tests/data, or any other.
    void copyFixture(const QString& fixture) const;
    void copyFolder(const QString& from) const;

private:
    QTemporaryDir m_dir;
};

} // namespace chordalis::test
