#include "library/IniReader.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace chordalis {

// One hash for the whole file rather than one per section: a file of many tiny sections would
// otherwise cost a hash table each (600,000 sections took 1.6 GB).
struct IniReader::Parsed {
    qint64 size = -1;
    QDateTime modified;
    bool exists = false;
    QStringList sectionOrder;
    QSet<QString> sectionNames;     // lower-case
    QHash<QString, QString> values; // "section\nkey" in lower case -> value
};

namespace {

// A line never holds a line feed, so it cannot occur in a section or key name.
QString valueKey(QStringView section, QStringView key) {
    QString k;
    k.reserve(section.size() + key.size() + 1);
    k.append(section).append(u'\n').append(key);
    return k;
}

QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

QString unquote(QString value) {
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            value = value.mid(1, value.size() - 2);
    }
    return value;
}

void parseInto(const QString& text, IniReader::Parsed& out);

} // namespace

IniReader::IniReader(QString programFolder) : m_folder(std::move(programFolder)) {
    while (m_folder.size() > 1 && m_folder.endsWith(u'/'))
        m_folder.chop(1);
}

IniReader::~IniReader() = default;

QString IniReader::pathOf(const QString& file) const {
    return m_folder + u'/' + file + QStringLiteral(".ini");
}

IniReader::Operation::Operation(IniReader& reader) : m_reader(reader) {
    ++m_reader.m_operations;
}

IniReader::Operation::~Operation() {
    if (--m_reader.m_operations == 0)
        m_reader.m_checked.clear();
}

const IniReader::Parsed& IniReader::parsed(const QString& file) {
    auto& slot = m_files[file];
    if (m_operations > 0) {
        if (slot && m_checked.contains(file))
            return *slot;
        m_checked.insert(file);
    }
    const QString path = pathOf(file);
    const QFileInfo info(path);
    const bool exists = info.isFile();
    if (slot && slot->exists == exists &&
        (!exists || (slot->size == info.size() && slot->modified == info.lastModified())))
        return *slot;

    auto fresh = std::make_shared<Parsed>();
    fresh->exists = exists;
    if (exists) {
        fresh->size = info.size();
        fresh->modified = info.lastModified();
        QFile f(path);
        if (info.size() <= MaxFileSize && f.open(QIODevice::ReadOnly))
            parseInto(decode(f.readAll()), *fresh);
    }
    slot = std::move(fresh);
    return *slot;
}

QString IniReader::readIni(const QString& file, const QString& section, const QString& key) {
    return parsed(file).values.value(
        valueKey(section.trimmed().toLower(), key.trimmed().toLower()));
}

bool IniReader::hasSection(const QString& file, const QString& section) {
    return parsed(file).sectionNames.contains(section.trimmed().toLower());
}

QString IniReader::problem(const QString& file) const {
    // Asked of the file system only: the file is not read for it.
    const QString path = pathOf(file);
    const QFileInfo info(path);
    const QString name = file + QStringLiteral(".ini");
    if (!info.exists())
        return {};
    if (!info.isFile()) // a folder, a FIFO or a device: never opened, so a read cannot block
        return QStringLiteral("%1 is not a regular file; it is not read").arg(name);
    if (info.size() > MaxFileSize)
        return QStringLiteral("%1 is %2 MB; files over %3 MB are not read")
            .arg(name)
            .arg(double(info.size()) / (1024 * 1024), 0, 'f', 1)
            .arg(MaxFileSize / (1024 * 1024));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("%1 cannot be read: %2").arg(name, f.errorString());
    return {};
}

QStringList IniReader::sections(const QString& file) {
    return parsed(file).sectionOrder;
}

namespace {

void parseInto(const QString& text, IniReader::Parsed& out) {
    QString section;        // lower-case name of the section being read
    bool inSection = false; // false before the first header and inside a repeated section
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed(); // also drops a trailing CR
        if (line.isEmpty() || line.front() == u';')
            continue;
        if (line.front() == u'[') {
            const qsizetype close = line.indexOf(u']');
            const QString name =
                (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed().toString();
            section = name.toLower();
            // Where a section is repeated, the first one counts.
            inSection = !out.sectionNames.contains(section);
            if (inSection) {
                out.sectionNames.insert(section);
                out.sectionOrder.append(name);
            }
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inSection || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed().toString().toLower();
        if (key.isEmpty())
            continue;
        QString id = valueKey(section, key);
        if (out.values.contains(id))
            continue;
        QString value = unquote(line.mid(eq + 1).trimmed().toString());
        if (value.size() > IniReader::MaxValueLength)
            value.truncate(IniReader::MaxValueLength);
        out.values.insert(std::move(id), value);
    }
}

} // namespace

} // namespace chordalis
