#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

namespace chordalis {

// The neck pictures: GIF files of 753 x 183 pixels in the folder "fretboards" of the program
// folder, strings and frets where the geometry tables put them.
inline constexpr const char* SkinFolderName = "fretboards";
inline constexpr const char* DefaultSkinFile = "default.gif";

QString skinFolder(const QString& programFolder);

// A name that can only mean a file directly inside the skin folder: not empty, no "/" or "\",
// and neither "." nor "..". The settings store can be edited by hand; a name that reaches out of
// the folder is never opened.
bool isPlainSkinName(const QString& file);

// Whether the skins folder holds a file of that plain name (readable as a picture or not).
bool skinFileExists(const QString& programFolder, const QString& file);

// Limits of a skin file: the file's size, and the width and height its header declares (a neck
// picture is 753 x 183).
inline constexpr qint64 MaxSkinFileBytes = 32 << 20;
inline constexpr int MaxSkinSide = 8192;

// The picture of a skin file, or a null image when the name is not plain, the file is not a
// regular file (a folder, a pipe), is larger than the limits above, is a GIF cut short, or cannot
// be read as a picture. A picture of another size is drawn stretched over the surface.
QImage loadSkin(const QString& programFolder, const QString& file);

// The "*.gif" files of the skin folder (file names only, case-insensitive pattern, sorted by
// name), or nothing when the folder cannot be opened.
std::optional<QStringList> listSkins(const QString& programFolder);

} // namespace chordalis
