#include "modes/LibraryTrees.h"

#include "library/IniReader.h"
#include "library/LibraryLoader.h"
#include "library/Warnings.h"
#include "modes/AppState.h"
#include "modes/Pages.h"

namespace chordalis {

namespace {

const QString AllGroup = QStringLiteral("All Group");

QString groupKey(const QString& group) {
    return group + QStringLiteral(" Group");
}

// Adds an item to the all-items folder and to its group folder, or warns when the group has none.
void addItem(TreeModel& tree, Warnings& warnings, const QString& file, int i, const QString& group,
             const QString& itemKey, const QString& text) {
    tree.add(AllGroup, itemKey + QStringLiteral(" - All"), text, i);
    // An item with neither name nor group is one whose section is missing, which the loader
    // has said once for the whole file.
    if (!tree.add(groupKey(group), itemKey, text, i) && !(text.isEmpty() && group.isEmpty()))
        warnings.warn(QStringLiteral("%1.ini [%2] group \"%3\" names no group; the item is listed "
                                     "under the all-items folder only")
                          .arg(file)
                          .arg(i)
                          .arg(group));
}

void buildChordTrees(const ChordLibrary& lib, MainPages& pages, Warnings& warnings) {
    TreeModel& chords = pages.chords.tvwChords;
    TreeModel& csChords = pages.chordScale.tvwCSChords;
    chords.clear();
    csChords.clear();
    chords.add({}, AllGroup, QStringLiteral("All Chords"));
    csChords.add({}, AllGroup, QStringLiteral("All Chords"));
    for (size_t i = 0; i < lib.groups.size(); ++i) {
        const QString text = lib.groups[i] + QStringLiteral(" Chords");
        chords.add({}, groupKey(QString::number(i)), text);
        csChords.add({}, groupKey(QString::number(i)), text);
    }
    for (int i = 0; i < lib.count; ++i) {
        const ChordEntry& e = lib.entries[size_t(i)];
        const QString key = QString::number(i) + QStringLiteral(" Chord");
        addItem(chords, warnings, QStringLiteral("chord"), i, e.group, key, e.name);
        csChords.add(AllGroup, key + QStringLiteral(" - All"), e.name, i);
        csChords.add(groupKey(e.group), key, e.name, i);
    }

    pages.chords.showNoChord();
    ChordScalePage& cs = pages.chordScale;
    cs.lblCSChordFormula.clear();
    cs.lblCSChordNotes.clear();
    cs.lblCSScaleFormula.clear();
    cs.lblCSScaleNotes.clear();
    for (FinderDescription& d : pages.finder.lblDescription)
        d = {};
}

void buildScaleTree(const ScaleLibrary& lib, MainPages& pages, Warnings& warnings) {
    TreeModel& tree = pages.scales.tvwScales;
    tree.clear();
    tree.add({}, AllGroup, QStringLiteral("All Scales"));
    for (size_t i = 0; i < lib.groups.size(); ++i)
        tree.add({}, groupKey(QString::number(i)), lib.groups[i]);
    for (int i = 0; i < lib.count; ++i) {
        const ScaleEntry& e = lib.entries[size_t(i)];
        addItem(tree, warnings, QStringLiteral("scale"), i, e.group,
                QString::number(i) + QStringLiteral(" Scale"), e.name);
    }

    pages.scales.showNoScale();
    pages.scales.cboScalePositions = initialPositionList();
}

void buildArpeggioTree(const ChordLibrary& chords, MainPages& pages) {
    TreeModel& tree = pages.arpeggios.tvwArps;
    tree.clear();
    tree.add({}, AllGroup, QStringLiteral("All Arpeggios"));
    for (size_t g = 0; g < chords.groups.size(); ++g)
        tree.add({}, groupKey(QString::number(g)), chords.groups[g] + QStringLiteral(" Arpeggios"));
    for (int i = 0; i < chords.count; ++i) {
        const ChordEntry& e = chords.entries[size_t(i)];
        const QString key = QString::number(i) + QStringLiteral(" Arpeggio");
        tree.add(AllGroup, key + QStringLiteral(" - All"), e.name, i);
        tree.add(groupKey(e.group), key, e.name, i); // a bad group was warned about with the chords
    }

    pages.arpeggios.showNoArpeggio();
    pages.arpeggios.cboArpPositions = initialPositionList();
}

} // namespace

void buildStringGroups(TreeModel& groups, int strings, int selected) {
    groups.clear();
    for (int g = 0; g + 2 < strings; ++g) {
        const int low = strings - g;
        groups.add({}, QString::number(g) + QStringLiteral("ID"),
                   QStringLiteral("Strings %1-%2-%3").arg(low).arg(low - 1).arg(low - 2), g);
    }
    groups.selectedKey = QString::number(selected) + QStringLiteral("ID");
}

namespace {

void buildTriadTrees(MainPages& pages) {
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
                       QLatin1String(Inversions[inv]), 3 * q + inv);
    }

    buildStringGroups(pages.triads.tvwStringGroup, 6, 0);
    pages.triads.showNoTriad();
}

void resetChordScalePage(MainPages& pages) {
    ChordScalePage& page = pages.chordScale;
    page.lblCSChordName = QStringLiteral("No Chord Selected");
    page.lblCSScaleName = QStringLiteral("No Scale Selected");
    page.cboCSPositions = initialPositionList();
}

} // namespace

void loadLibraries(ModeContext& c) {
    const IniReader::Operation reading(c.ini); // one check of each file for the whole load
    LibraryLoader loader(c.ini, c.warnings);
    c.state.chords = loader.loadChords();
    buildChordTrees(c.state.chords, c.pages, c.warnings);
    c.state.scales = loader.loadScales();
    buildScaleTree(c.state.scales, c.pages, c.warnings);
    buildArpeggioTree(c.state.chords, c.pages);
    c.state.triads = loader.loadTriads();
    buildTriadTrees(c.pages);
    buildStringGroups(c.pages.triads.tvwStringGroup, c.state.instrument.strings(), 0);
    c.state.triadGroup = 0;
    // The position lists reach as far as the neck the settings hold.
    for (PositionList* list :
         {&c.pages.scales.cboScalePositions, &c.pages.arpeggios.cboArpPositions,
          &c.pages.chordScale.cboCSPositions})
        *list = initialPositionList(c.state.maxFret());
    // Read when a display needs them; said here, once, when they cannot be.
    loader.warnIfUnread(QStringLiteral("voicing"));
    loader.warnIfUnread(QStringLiteral("finder"));
    resetChordScalePage(c.pages);
}

} // namespace chordalis
