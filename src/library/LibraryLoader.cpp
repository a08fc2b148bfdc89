#include "library/LibraryLoader.h"

#include "library/IniReader.h"
#include "library/Warnings.h"
#include "theory/Spelling.h"

#include <QFileInfo>

namespace chordalis {

namespace {

const QString ChordFile = QStringLiteral("chord");
const QString ScaleFile = QStringLiteral("scale");
const QString TriadFile = QStringLiteral("triad");

} // namespace

bool LibraryLoader::warnIfNotRead(const QString& file) {
    const QString problem = m_ini.problem(file);
    if (!problem.isEmpty())
        m_warnings.warn(problem);
    return problem.isEmpty();
}

void LibraryLoader::warnIfUnread(const QString& file) {
    // A file that is read but holds no section (empty, cut off before its first header, or
    // binary) would leave every chord without grips, or the finder without names, unsaid.
    if (warnIfNotRead(file) && QFileInfo::exists(m_ini.pathOf(file)) &&
        m_ini.sections(file).isEmpty())
        m_warnings.warn(QStringLiteral("%1.ini has no sections (the file is empty or damaged); "
                                       "nothing of it is read")
                            .arg(file));
}

int LibraryLoader::readCount(const QString& file, const QString& key, bool required) {
    const QString text = m_ini.readIni(file, QStringLiteral("totals"), key);
    const QString shown = text.trimmed().left(40);
    int n = leadingNumber(text);
    // A count that is absent or no number at all would give an empty library without a word.
    const bool number =
        !shown.isEmpty() &&
        (shown[0].isDigit() ||
         (shown.size() > 1 && (shown[0] == u'-' || shown[0] == u'+') && shown[1].isDigit()));
    if (required && shown.isEmpty()) {
        m_warnings.warn(QStringLiteral("%1.ini has no [totals] %2 (the file is missing, empty or "
                                       "damaged); no %1s are read")
                            .arg(file, key));
    } else if (required && !number) {
        m_warnings.warn(
            QStringLiteral("%1.ini [totals] %2 is \"%3\", not a number; no %1s are read")
                .arg(file, key, shown));
    } else if (n < 0) {
        m_warnings.warn(
            QStringLiteral("%1.ini [totals] %2 is \"%3\"; taken as 0").arg(file, key, text));
        n = 0;
    } else if (n > MaxItems) {
        m_warnings.warn(QStringLiteral("%1.ini [totals] %2 is %3; only the first %4 are read")
                            .arg(file, key, shown)
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

std::vector<QString> LibraryLoader::readGroups(const QString& file) {
    std::vector<QString> groups;
    const int n = readCount(file, QStringLiteral("numgroups"), false);
    for (int i = 0; i < n; ++i)
        groups.push_back(m_ini.readIni(file, QStringLiteral("groups"), QString::number(i)));
    return groups;
}

// "chord" or "scale": the count key and the item word follow from the file's name.
void LibraryLoader::warnMissing(const QString& file, int count, int missing) {
    if (missing <= 0)
        return;
    // The count as the file gives it; a count cut to MaxItems says so in its own line.
    const QString key = QStringLiteral("num%1s").arg(file);
    const QString written = m_ini.readIni(file, QStringLiteral("totals"), key).trimmed().left(40);
    const QString read = count == MaxItems && written != QString::number(count)
                             ? QStringLiteral("%1 (read as %2)").arg(written).arg(count)
                             : QString::number(count);
    m_warnings.warn(QStringLiteral("%1.ini: %2 is %3 but %4 of its %1 sections are "
                                   "missing; those %1s have no name and no notes")
                        .arg(file, key, read)
                        .arg(missing));
}

ChordLibrary LibraryLoader::loadChords() {
    const IniReader::Operation reading(m_ini);
    ChordLibrary lib;
    warnIfNotRead(ChordFile);
    const int n = readCount(ChordFile, QStringLiteral("numchords"), true);
    lib.count = n;
    lib.entries.assign(size_t(n) + 1, ChordEntry{});

    lib.groups = readGroups(ChordFile);

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
    warnMissing(ChordFile, n, missing);
    return lib;
}

ScaleLibrary LibraryLoader::loadScales() {
    const IniReader::Operation reading(m_ini);
    ScaleLibrary lib;
    warnIfNotRead(ScaleFile);
    const int n = readCount(ScaleFile, QStringLiteral("numscales"), true);
    lib.count = n;
    lib.entries.assign(size_t(n), ScaleEntry{});

    lib.groups = readGroups(ScaleFile);

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
    warnMissing(ScaleFile, n, missing);
    return lib;
}

TriadLibrary LibraryLoader::loadTriads() {
    const IniReader::Operation reading(m_ini);
    TriadLibrary lib;
    warnIfNotRead(TriadFile);
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
