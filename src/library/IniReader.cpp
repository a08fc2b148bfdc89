#include "library/IniReader.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace chordalis {

struct IniReader::Parsed {
    qint64 size = -1;
    QDateTime modified;
    bool exists = false;
    QStringList sectionOrder;
    // lower-case section -> lower-case key -> value
    QHash<QString, QHash<QString, QString>> values;
};

namespace {

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
        if (f.open(QIODevice::ReadOnly))
            parseInto(decode(f.readAll()), *fresh);
    }
    slot = std::move(fresh);
    return *slot;
}

QString IniReader::readIni(const QString& file, const QString& section, const QString& key) {
    const Parsed& p = parsed(file);
    const auto s = p.values.constFind(section.trimmed().toLower());
    if (s == p.values.constEnd())
        return {};
    return s->value(key.trimmed().toLower());
}

bool IniReader::hasSection(const QString& file, const QString& section) {
    return parsed(file).values.contains(section.trimmed().toLower());
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
            inSection = !out.values.contains(section);
            if (inSection) {
                out.values.insert(section, {});
                out.sectionOrder.append(name);
            }
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inSection || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed().toString().toLower();
        QHash<QString, QString>& keys = out.values[section];
        if (key.isEmpty() || keys.contains(key))
            continue;
        QString value = unquote(line.mid(eq + 1).trimmed().toString());
        if (value.size() > IniReader::MaxValueLength)
            value.truncate(IniReader::MaxValueLength);
        keys.insert(key, value);
    }
}

} // namespace

} // namespace chordalis
