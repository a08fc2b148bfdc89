#include "library/LibraryLoader.h"

#include "theory/Spelling.h"

namespace chordalis {

namespace {

const QString ChordFile = QStringLiteral("chord");
const QString ScaleFile = QStringLiteral("scale");
const QString TriadFile = QStringLiteral("triad");
const QString AllGroup = QStringLiteral("All Group");

QString groupKey(const QString& group) {
    return group + QStringLiteral(" Group");
}

// Adds an item to the all-items folder and to its group folder, or warns when the group has none.
void addItem(TreeModel& tree, Warnings& warnings, const QString& file, int i, const QString& group,
             const QString& itemKey, const QString& text) {
    tree.add(AllGroup, itemKey + QStringLiteral(" - All"), text);
    if (!tree.add(groupKey(group), itemKey, text))
        warnings.warn(QStringLiteral("%1.ini [%2] group \"%3\" names no group; the item is listed "
                                     "under the all-items folder only")
                          .arg(file)
                          .arg(i)
                          .arg(group));
}

} // namespace

int LibraryLoader::readCount(const QString& file, const QString& key) {
    const QString text = ini.readIni(file, QStringLiteral("totals"), key);
    int n = leadingNumber(text);
    if (n < 0) {
        warnings.warn(
            QStringLiteral("%1.ini [totals] %2 is \"%3\"; taken as 0").arg(file, key, text));
        n = 0;
    } else if (n > MaxItems) {
        warnings.warn(QStringLiteral("%1.ini [totals] %2 is %3; only the first %4 are read")
                          .arg(file, key)
                          .arg(n)
                          .arg(MaxItems));
        n = MaxItems;
    }
    return n;
}

QString LibraryLoader::readFormula(const QString& file, const QString& section) {
    const QString formula = ini.readIni(file, section, QStringLiteral("formula"));
    if (formula.isEmpty())
        return formula;
    if (const auto fault = checkFormula(formula)) {
        warnings.warn(QStringLiteral("%1.ini [%2] formula \"%3\" is rejected: %4; the item has "
                                     "no notes")
                          .arg(file, section, formula.left(80), *fault));
        return {};
    }
    return formula;
}

void LibraryLoader::loadChordLibrary() {
    ChordLibrary& lib = state.chords;
    const int n = readCount(ChordFile, QStringLiteral("numchords"));
    lib.count = n;
    lib.entries.assign(size_t(n) + 1, ChordEntry{});

    TreeModel& chords = pages.chords.tvwChords;
    TreeModel& csChords = pages.chordScale.tvwCSChords;
    chords.clear();
    csChords.clear();
    chords.add({}, AllGroup, QStringLiteral("All Chords"));
    csChords.add({}, AllGroup, QStringLiteral("All Chords"));

    const int g = readCount(ChordFile, QStringLiteral("numgroups"));
    lib.groups.clear();
    for (int i = 0; i < g; ++i) {
        const QString name = ini.readIni(ChordFile, QStringLiteral("groups"), QString::number(i));
        lib.groups.push_back(name);
        chords.add({}, groupKey(QString::number(i)), name + QStringLiteral(" Chords"));
        csChords.add({}, groupKey(QString::number(i)), name + QStringLiteral(" Chords"));
    }

    int missing = 0;
    for (int i = 0; i < n; ++i) {
        const QString section = QString::number(i);
        if (!ini.hasSection(ChordFile, section))
            ++missing;
        ChordEntry& e = lib.entries[size_t(i)];
        e.name = ini.readIni(ChordFile, section, QStringLiteral("name"));
        e.nameverbose = ini.readIni(ChordFile, section, QStringLiteral("nameverbose"));
        e.chordsymbols = ini.readIni(ChordFile, section, QStringLiteral("chordsymbols"));
        e.formula = readFormula(ChordFile, section);
        e.group = ini.readIni(ChordFile, section, QStringLiteral("group"));
        e.relatedscaleid = ini.readIni(ChordFile, section, QStringLiteral("relatedscaleid"));

        const QString key = section + QStringLiteral(" Chord");
        addItem(chords, warnings, ChordFile, i, e.group, key, e.name);
        csChords.add(AllGroup, key + QStringLiteral(" - All"), e.name);
        csChords.add(groupKey(e.group), key, e.name);
    }
    if (missing > 0)
        warnings.warn(QStringLiteral("chord.ini: numchords is %1 but %2 of its chord sections are "
                                     "missing; those chords have no name and no notes")
                          .arg(n)
                          .arg(missing));

    pages.chords.showNoChord();
    ChordScalePage& cs = pages.chordScale;
    cs.lblCSChordFormula.clear();
    cs.lblCSChordNotes.clear();
    cs.lblCSScaleFormula.clear();
    cs.lblCSScaleNotes.clear();
    for (FinderDescription& d : pages.finder.lblDescription)
        d = {};
}

void LibraryLoader::loadScaleLibrary() {
    ScaleLibrary& lib = state.scales;
    const int n = readCount(ScaleFile, QStringLiteral("numscales"));
    lib.count = n;
    lib.entries.assign(size_t(n), ScaleEntry{});

    TreeModel& tree = pages.scales.tvwScales;
    tree.clear();
    tree.add({}, AllGroup, QStringLiteral("All Scales"));
    const int h = readCount(ScaleFile, QStringLiteral("numgroups"));
    lib.groups.clear();
    for (int i = 0; i < h; ++i) {
        const QString name = ini.readIni(ScaleFile, QStringLiteral("groups"), QString::number(i));
        lib.groups.push_back(name);
        tree.add({}, groupKey(QString::number(i)), name);
    }

    int missing = 0;
    for (int i = 0; i < n; ++i) {
        const QString section = QString::number(i);
        if (!ini.hasSection(ScaleFile, section))
            ++missing;
        ScaleEntry& e = lib.entries[size_t(i)];
        e.name = ini.readIni(ScaleFile, section, QStringLiteral("Name"));
        e.altname = ini.readIni(ScaleFile, section, QStringLiteral("altname"));
        e.group = ini.readIni(ScaleFile, section, QStringLiteral("Group"));
        e.formula = readFormula(ScaleFile, section);
        addItem(tree, warnings, ScaleFile, i, e.group, section + QStringLiteral(" Scale"), e.name);
    }
    if (missing > 0)
        warnings.warn(QStringLiteral("scale.ini: numscales is %1 but %2 of its scale sections are "
                                     "missing; those scales have no name and no notes")
                          .arg(n)
                          .arg(missing));

    pages.scales.showNoScale();
    pages.scales.cboScalePositions = initialPositionList();
}

void LibraryLoader::buildArpeggioTree() {
    TreeModel& tree = pages.arpeggios.tvwArps;
    tree.clear();
    tree.add({}, AllGroup, QStringLiteral("All Arpeggios"));
    for (size_t g = 0; g < state.chords.groups.size(); ++g)
        tree.add({}, groupKey(QString::number(g)),
                 state.chords.groups[g] + QStringLiteral(" Arpeggios"));
    for (int i = 0; i < state.chords.count; ++i) {
        const ChordEntry& e = state.chords.entries[size_t(i)];
        const QString key = QString::number(i) + QStringLiteral(" Arpeggio");
        tree.add(AllGroup, key + QStringLiteral(" - All"), e.name);
        tree.add(groupKey(e.group), key, e.name); // a bad group was warned about with the chords
    }

    pages.arpeggios.showNoArpeggio();
    pages.arpeggios.cboArpPositions = initialPositionList();
}

void LibraryLoader::loadTriadLibrary() {
    for (int i = 0; i < TriadCount; ++i) {
        const QString section = QString::number(i);
        TriadEntry& e = state.triads.entries[size_t(i)];
        e.name = ini.readIni(TriadFile, section, QStringLiteral("name"));
        e.formula = readFormula(TriadFile, section);
        if (!ini.hasSection(TriadFile, section))
            warnings.warn(QStringLiteral("triad.ini: section [%1] is missing; that triad has no "
                                         "name and no notes")
                              .arg(section));
    }

    TreeModel& triads = pages.triads.tvwTriads;
    triads.clear();
    static const char* const Qualities[] = {"Major", "Minor", "Diminished", "Augmented"};
    static const char* const Inversions[] = {"Root Position", "1st Inversion", "2nd Inversion"};
    for (int q = 0; q < 4; ++q) {
        const QString quality = QLatin1String(Qualities[q]);
        const QString folder = QStringLiteral("-1") + quality;
        triads.add({}, folder, quality);
        for (int inv = 0; inv < 3; ++inv)
            triads.add(folder, QString::number(3 * q + inv) + QStringLiteral("ID"),
                       QLatin1String(Inversions[inv]));
    }

    TreeModel& groups = pages.triads.tvwStringGroup;
    groups.clear();
    static const char* const StringGroups[] = {"Strings 6-5-4", "Strings 5-4-3", "Strings 4-3-2",
                                               "Strings 3-2-1"};
    for (int g = 0; g < 4; ++g)
        groups.add({}, QString::number(g) + QStringLiteral("ID"), QLatin1String(StringGroups[g]));
    groups.selectedKey = QStringLiteral("0ID");

    pages.triads.showNoTriad();
}

void LibraryLoader::resetChordScalePage() {
    ChordScalePage& page = pages.chordScale;
    page.lblCSChordName = QStringLiteral("No Chord Selected");
    page.lblCSScaleName = QStringLiteral("No Scale Selected");
    page.cboCSPositions = initialPositionList();
}

void LibraryLoader::loadAll() {
    loadChordLibrary();
    loadScaleLibrary();
    buildArpeggioTree();
    loadTriadLibrary();
    resetChordScalePage();
}

} // namespace chordalis
