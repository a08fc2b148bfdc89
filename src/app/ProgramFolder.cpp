#include "app/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

namespace chordalis {

QString programFolderFor(const QString& executableDir) {
    const QDir dir(executableDir);
    if (dir.dirName() == QLatin1String("bin")) {
        const QString installed = dir.absoluteFilePath(QStringLiteral("../share/chordalis"));
        if (QFileInfo(installed).isDir())
            return QDir::cleanPath(installed);
    }
    return QDir::cleanPath(dir.absolutePath());
}

const QStringList& libraryFiles() {
    static const QStringList files = {QStringLiteral("chord.ini"), QStringLiteral("scale.ini"),
                                      QStringLiteral("voicing.ini"), QStringLiteral("triad.ini"),
                                      QStringLiteral("finder.ini")};
    return files;
}

std::optional<QString> firstMissingLibraryFile(const QString& folder) {
    const QDir dir(folder);
    for (const QString& file : libraryFiles()) {
        // A listing, not a plain existence test, so the name must match exactly.
        const QStringList found = dir.entryList({file}, QDir::Files | QDir::Readable);
        if (!found.contains(file, Qt::CaseSensitive))
            return file;
    }
    return std::nullopt;
}

QString programFile(const QString& folder, const QString& relative) {
    QString path = folder;
    if (!path.endsWith(u'/'))
        path += u'/';
    return path + relative;
}

QString missingFileMessage(const QString& folder, const QString& file) {
    return QStringLiteral("A fatal error has occured, I cannot find the file: \n") +
           programFile(folder, file);
}

} // namespace chordalis
