#pragma once

// What the fuzz targets share: a check whose failure is a finding, the input as bytes, text or
// parts, and a scratch folder with files written into it.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace chordalis::fuzz {

// A failed check aborts, so that libFuzzer keeps the input that broke it.
inline void require(bool condition) {
    if (!condition)
        std::abort();
}

// The input as bytes, without a copy (valid while the input is), and as UTF-8 text.
inline QByteArray inputBytes(const uint8_t* data, size_t size) {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}
inline QString inputText(const uint8_t* data, size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The input cut at "\n@@\n" into `count` parts (the last ones empty when it has fewer cuts), so
// that one seed holds a whole folder of files.
inline std::vector<std::string_view> inputParts(const uint8_t* data, size_t size, size_t count) {
    std::vector<std::string_view> parts;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (parts.size() < count) {
        const size_t cut = rest.find("\n@@\n");
        parts.push_back(rest.substr(0, cut));
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 4);
    }
    return parts;
}

// A folder of this process's own for the files an input becomes; removed when the run ends.
inline QString scratchFolder() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/chordalis-fuzz-XXXXXX"));
    require(dir.isValid());
    return dir.path();
}

// Writes the file whole, replacing what was there.
inline void writeFile(const QString& path, std::string_view bytes) {
    QFile f(path);
    require(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    require(f.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()));
}

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    require(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

} // namespace chordalis::fuzz
