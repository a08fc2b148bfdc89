#include "app/FileProblems.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace chordalis {

QString errnoProblem(int error, const QString& path) {
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("Permission denied: %1 cannot be written.").arg(path);
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("The disk holding %1 is full.").arg(path);
    case EROFS:
        return QStringLiteral("The file system holding %1 is read-only.").arg(path);
    case ENOTDIR:
        return QStringLiteral("%1 lies in a file, not a folder.").arg(path);
    case EISDIR:
        return QStringLiteral("%1 is a folder, not a file.").arg(path);
    case ENOENT:
        return QStringLiteral("The folder of %1 does not exist.").arg(path);
    default:
        return QStringLiteral("%1 cannot be written: %2.")
            .arg(path, QString::fromLocal8Bit(std::strerror(error)));
    }
}

QStringList userFolders(QStandardPaths::StandardLocation location) {
    QStringList folders;
    const QString standard = QStandardPaths::writableLocation(location);
    if (!standard.isEmpty())
        folders << standard;
    folders << QDir(QDir::tempPath()).filePath(QStringLiteral("chordalis-%1").arg(::getuid()));
    return folders;
}

QString writeProblem(const QString& path, const QString& fallback) {
    const QFileInfo file(path);
    if (file.isDir())
        return errnoProblem(EISDIR, path);
    // The nearest folder on the path that exists: where the file, or its missing folders, would
    // be made.
    QString folder = file.absolutePath();
    while (!QFileInfo::exists(folder) && !QDir(folder).isRoot())
        folder = QFileInfo(folder).absolutePath();
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("%1 is a file, not a folder.").arg(folder);

    // The file system answers for itself: a probe made and removed where the file would go.
    const QByteArray probe = QFile::encodeName(folder + QStringLiteral("/.chordalis-XXXXXX"));
    QByteArray name = probe;
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return errnoProblem(errno, QStringLiteral("the folder %1").arg(folder));
    const bool full = ::write(fd, "x", 1) != 1 && errno == ENOSPC;
    ::close(fd);
    ::unlink(name.constData());
    if (full)
        return errnoProblem(ENOSPC, path);
    if (file.exists() && ::access(QFile::encodeName(path).constData(), W_OK) != 0)
        return errnoProblem(errno, path);
    return fallback.isEmpty() ? QStringLiteral("%1 cannot be written.").arg(path) : fallback;
}

} // namespace chordalis
