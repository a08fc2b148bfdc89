#include "fretboard/Skins.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace chordalis {

QString skinFolder(const QString& programFolder) {
    return QDir(programFolder).filePath(QLatin1String(SkinFolderName));
}

bool isPlainSkinName(const QString& file) {
    return !file.isEmpty() && !file.contains(u'/') && !file.contains(u'\\') &&
           file != QLatin1String(".") && file != QLatin1String("..");
}

QImage loadSkin(const QString& programFolder, const QString& file) {
    if (!isPlainSkinName(file))
        return {};
    const QString path = QDir(skinFolder(programFolder)).filePath(file);
    // Reading a pipe or a device would block or never end.
    if (!QFileInfo(path).isFile())
        return {};
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

std::optional<QStringList> listSkins(const QString& programFolder) {
    const QDir folder(skinFolder(programFolder));
    if (!folder.exists() || !folder.isReadable())
        return std::nullopt;
    return folder.entryList({QStringLiteral("*.gif")}, QDir::Files | QDir::Readable, QDir::Name);
}

} // namespace chordalis
