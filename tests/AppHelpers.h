#pragma once

// File helpers shared by the program, command-line and window tests.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace chordalis::test {

// The bytes of a file; empty when it cannot be read.
inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes the bytes over what the file held; the path back.
inline QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

} // namespace chordalis::test
