#include "app/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

namespace chordalis {

#ifndef CHORDALIS_DATA_FROM_BINDIR
#define CHORDALIS_DATA_FROM_BINDIR "../share/chordalis"
#endif
#ifndef CHORDALIS_INSTALLED_DATADIR
#define CHORDALIS_INSTALLED_DATADIR "/usr/local/share/chordalis"
#endif

namespace {

bool holdsLibraryFile(const QString& folder) {
    const QDir dir(folder);
    for (const QString& file : libraryFiles()) {
        if (QFileInfo(dir.filePath(file)).isFile())
            return true;
    }
    return false;
}

} // namespace

const InstalledDataDirs& installedDataDirs() {
    static const InstalledDataDirs dirs{QStringLiteral(CHORDALIS_DATA_FROM_BINDIR),
                                        QStringLiteral(CHORDALIS_INSTALLED_DATADIR)};
    return dirs;
}

QString programFolderFor(const QString& executableDir, const InstalledDataDirs& installed) {
    const QDir dir(executableDir);
    const QString own = QDir::cleanPath(dir.absolutePath());
    if (holdsLibraryFile(own))
        return own;

    QStringList candidates;
    if (!installed.fromBinDir.isEmpty())
        candidates << QDir::cleanPath(dir.absoluteFilePath(installed.fromBinDir));
    if (!installed.configured.isEmpty() && QDir::isAbsolutePath(installed.configured))
        candidates << QDir::cleanPath(installed.configured);
    for (const QString& folder : candidates) {
        if (holdsLibraryFile(folder))
            return folder;
    }
    for (const QString& folder : candidates) {
        if (QFileInfo(folder).isDir())
            return folder;
    }
    return own;
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
