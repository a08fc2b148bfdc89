#include "library/LibraryLoader.h"

#include "library/IniReader.h"
#include "library/Warnings.h"
#include "theory/Spelling.h"

namespace chordalis {

namespace {

const QString ChordFile = QStringLiteral("chord");
const QString ScaleFile = QStringLiteral("scale");
const QString TriadFile = QStringLiteral("triad");

} // namespace

int LibraryLoader::readCount(const QString& file, const QString& key) {
    const QString text = m_ini.readIni(file, QStringLiteral("totals"), key);
    int n = leadingNumber(text);
    if (n < 0) {
        m_warnings.warn(
            QStringLiteral("%1.ini [totals] %2 is \"%3\"; taken as 0").arg(file, key, text));
        n = 0;
    } else if (n > MaxItems) {
        m_warnings.warn(QStringLiteral("%1.ini [totals] %2 is %3; only the first %4 are read")
                            .arg(file, key)
                            .arg(n)
                            .arg(MaxItems));
        n = MaxItems;
    }
    return n;
}

QString LibraryLoader::readFormula(const QString& file, const QString& section) {
    const QString formula = m_ini.readIni(file, section, QStringLiteral("formula"));
    if (formula.isEmpty())
        return formula;
    if (const auto fault = checkFormula(formula)) {
        m_warnings.warn(QStringLiteral("%1.ini [%2] formula \"%3\" is rejected: %4; the item has "
                                       "no notes")
                            .arg(file, section, formula.left(80), *fault));
        return {};
    }
    return formula;
}

ChordLibrary LibraryLoader::loadChords() {
    ChordLibrary lib;
    const int n = readCount(ChordFile, QStringLiteral("numchords"));
    lib.count = n;
    lib.entries.assign(size_t(n) + 1, ChordEntry{});

    const int g = readCount(ChordFile, QStringLiteral("numgroups"));
    for (int i = 0; i < g; ++i)
        lib.groups.push_back(
            m_ini.readIni(ChordFile, QStringLiteral("groups"), QString::number(i)));

    int missing = 0;
    for (int i = 0; i < n; ++i) {
        const QString section = QString::number(i);
        if (!m_ini.hasSection(ChordFile, section))
            ++missing;
        ChordEntry& e = lib.entries[size_t(i)];
        e.name = m_ini.readIni(ChordFile, section, QStringLiteral("name"));
        e.nameverbose = m_ini.readIni(ChordFile, section, QStringLiteral("nameverbose"));
        e.chordsymbols = m_ini.readIni(ChordFile, section, QStringLiteral("chordsymbols"));
        e.formula = readFormula(ChordFile, section);
        e.group = m_ini.readIni(ChordFile, section, QStringLiteral("group"));
        e.relatedscaleid = m_ini.readIni(ChordFile, section, QStringLiteral("relatedscaleid"));
    }
    if (missing > 0)
        m_warnings.warn(QStringLiteral("chord.ini: numchords is %1 but %2 of its chord sections "
                                       "are missing; those chords have no name and no notes")
                            .arg(n)
                            .arg(missing));
    return lib;
}

ScaleLibrary LibraryLoader::loadScales() {
    ScaleLibrary lib;
    const int n = readCount(ScaleFile, QStringLiteral("numscales"));
    lib.count = n;
    lib.entries.assign(size_t(n), ScaleEntry{});

    const int h = readCount(ScaleFile, QStringLiteral("numgroups"));
    for (int i = 0; i < h; ++i)
        lib.groups.push_back(
            m_ini.readIni(ScaleFile, QStringLiteral("groups"), QString::number(i)));

    int missing = 0;
    for (int i = 0; i < n; ++i) {
        const QString section = QString::number(i);
        if (!m_ini.hasSection(ScaleFile, section))
            ++missing;
        ScaleEntry& e = lib.entries[size_t(i)];
        e.name = m_ini.readIni(ScaleFile, section, QStringLiteral("Name"));
        e.altname = m_ini.readIni(ScaleFile, section, QStringLiteral("altname"));
        e.group = m_ini.readIni(ScaleFile, section, QStringLiteral("Group"));
        e.formula = readFormula(ScaleFile, section);
    }
    if (missing > 0)
        m_warnings.warn(QStringLiteral("scale.ini: numscales is %1 but %2 of its scale sections "
                                       "are missing; those scales have no name and no notes")
                            .arg(n)
                            .arg(missing));
    return lib;
}

TriadLibrary LibraryLoader::loadTriads() {
    TriadLibrary lib;
    for (int i = 0; i < TriadCount; ++i) {
        const QString section = QString::number(i);
        TriadEntry& e = lib.entries[size_t(i)];
        e.name = m_ini.readIni(TriadFile, section, QStringLiteral("name"));
        e.formula = readFormula(TriadFile, section);
        if (!m_ini.hasSection(TriadFile, section))
            m_warnings.warn(QStringLiteral("triad.ini: section [%1] is missing; that triad has "
                                           "no name and no notes")
                                .arg(section));
    }
    return lib;
}

} // namespace chordalis
