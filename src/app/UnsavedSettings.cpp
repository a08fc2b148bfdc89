#include "app/UnsavedSettings.h"

#include "app/FileProblems.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace chordalis {

namespace {

// One note per store, so that runs on other stores (another user's, a test's) never see it.
QString noteName(const QString& store) {
    const QByteArray hash = QCryptographicHash::hash(QFile::encodeName(QDir::cleanPath(store)),
                                                     QCryptographicHash::Sha1);
    return QStringLiteral("unsaved-settings-%1.txt")
        .arg(QString::fromLatin1(hash.toHex().left(16)));
}

// The note as lines: the store, the reason, then one change a line.
QByteArray noteBytes(const UnsavedSettings& note) {
    QStringList lines{note.store, note.reason};
    lines += note.changes;
    QByteArray bytes;
    for (QString line : lines)
        bytes += line.replace(u'\n', u' ').toUtf8() + '\n';
    return bytes;
}

// At most this many changes are listed; a store holds fewer keys than that.
constexpr int MaxChanges = 200;

} // namespace

QStringList unsavedNoteFolders() {
    return userFolders(QStandardPaths::AppLocalDataLocation);
}

bool keepUnsavedNote(const UnsavedSettings& note, const QStringList& folders) {
    for (const QString& folder : folders) {
        if (!QDir().mkpath(folder))
            continue;
        QSaveFile file(QDir(folder).filePath(noteName(note.store)));
        if (file.open(QIODevice::WriteOnly) && file.write(noteBytes(note)) >= 0 && file.commit())
            return true;
    }
    return false;
}

std::optional<UnsavedSettings> takeUnsavedNote(const QString& store, const QStringList& folders) {
    std::optional<UnsavedSettings> found;
    for (const QString& folder : folders) {
        QFile file(QDir(folder).filePath(noteName(store)));
        if (!file.exists())
            continue;
        if (!found && file.open(QIODevice::ReadOnly)) {
            const QStringList lines =
                QString::fromUtf8(file.read(1 << 16)).split(u'\n', Qt::SkipEmptyParts);
            // A note of another store under the same name is not this one's.
            if (lines.size() >= 2 && QDir::cleanPath(lines[0]) == QDir::cleanPath(store))
                found = UnsavedSettings{lines[0], lines[1], lines.mid(2, MaxChanges)};
            file.close();
        }
        file.remove(); // said once
    }
    return found;
}

QString unsavedSettingsText(const UnsavedSettings& note) {
    QString text = QStringLiteral("Your settings could not be saved when Chordalis last ended. "
                                  "Check that this file can be written: %1\n\n%2")
                       .arg(note.store, note.reason);
    if (note.changes.isEmpty())
        return text + QStringLiteral("\n\nNo setting had been changed in that run.");
    return text + QStringLiteral("\n\nThese changes were lost:\n") +
           note.changes.join(QLatin1Char('\n'));
}

QString unsavedSettingsLine(const UnsavedSettings& note) {
    QString line = QStringLiteral("chordalis: the settings could not be saved in %1: %2")
                       .arg(note.store, note.reason);
    if (!note.changes.isEmpty())
        line += QStringLiteral(" Lost: %1.").arg(note.changes.join(QLatin1String("; ")));
    return line;
}

} // namespace chordalis
