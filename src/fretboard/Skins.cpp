#include "fretboard/Skins.h"

#include <QDir>
#include <QFile>
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

namespace {

// A whole GIF file ends with its trailer byte ";" (after any blanks a copying tool appended).
bool hasGifTrailer(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() < 1)
        return false;
    qint64 at = f.size() - 1;
    char c = 0;
    for (int n = 0; n < 16 && at >= 0; ++n, --at) {
        if (!f.seek(at) || !f.getChar(&c))
            return false;
        if (c != '\0' && c != '\n' && c != '\r')
            break;
    }
    return c == ';';
}

} // namespace

bool skinFileExists(const QString& programFolder, const QString& file) {
    return isPlainSkinName(file) &&
           QFileInfo::exists(QDir(skinFolder(programFolder)).filePath(file));
}

QImage loadSkin(const QString& programFolder, const QString& file) {
    if (!isPlainSkinName(file))
        return {};
    const QString path = QDir(skinFolder(programFolder)).filePath(file);
    // Reading a pipe or a device would block or never end.
    if (!QFileInfo(path).isFile())
        return {};
    const QFileInfo info(path);
    if (info.size() > MaxSkinFileBytes)
        return {};
    QImageReader reader(path);
    // The header's size is checked before anything is decoded: a picture claiming millions of
    // pixels is damaged or hostile, not a neck.
    const QSize declared = reader.size();
    if (declared.isValid() && (declared.width() > MaxSkinSide || declared.height() > MaxSkinSide))
        return {};
    if (reader.format() == "gif" && !hasGifTrailer(path))
        return {}; // cut short: the decoder would give a partly blank neck without a word
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
