// Any bytes as a data file of the program folder, read through the program's INI reader: every
// section it lists is there, names are listed once, and each key reads as a plain reading of the
// file gives it (the first occurrence of a section or key counts, values cut to 1023 characters).
// The file then grows by one section, which the next read sees.
#include "FuzzSupport.h"
#include "library/IniReader.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStringDecoder>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>

using chordalis::IniReader;
using chordalis::fuzz::require;
using chordalis::fuzz::writeFile;

namespace {

// The file as a person reads it: lower-case section -> lower-case key -> value, first one counts.
QHash<QString, QHash<QString, QString>> plainReading(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    QHash<QString, QHash<QString, QString>> sections;
    QString section;
    bool counts = false; // inside the first occurrence of a section
    for (const QString& raw : text.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            section = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed().toLower();
            counts = !sections.contains(section);
            if (counts)
                sections[section];
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!counts || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed().toLower();
        if (key.isEmpty() || sections[section].contains(key))
            continue;
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        sections[section].insert(key, value.left(IniReader::MaxValueLength));
    }
    return sections;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString folder = chordalis::fuzz::scratchFolder();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    writeFile(folder + QStringLiteral("/data.ini"), bytes.toStdString());

    IniReader reader(folder);
    {
        // As the program reads: one look at the file for all reads of an operation.
        const IniReader::Operation reading(reader);
        const QStringList sections = reader.sections(QStringLiteral("data"));
        const auto expected = plainReading(bytes);
        require(sections.size() == expected.size());
        for (const QString& name : sections) {
            require(reader.hasSection(QStringLiteral("data"), name));
            const auto keys = expected.constFind(name.trimmed().toLower());
            require(keys != expected.constEnd());
            for (auto k = keys->constBegin(); k != keys->constEnd(); ++k) {
                const QString value = reader.readIni(QStringLiteral("data"), name, k.key());
                require(value == k.value());
                require(value.size() <= IniReader::MaxValueLength);
            }
            require(reader.readIni(QStringLiteral("data"), name, QStringLiteral("no such key"))
                        .isEmpty());
        }
    }

    // An edited file is read again at the next read.
    writeFile(folder + QStringLiteral("/data.ini"),
              (bytes + QByteArrayLiteral("\n[fuzz added section]\nk=v\n")).toStdString());
    require(reader.hasSection(QStringLiteral("data"), QStringLiteral("Fuzz Added Section")));
    return 0;
}
