#include "library/Chords.h"

#include "app/AppState.h"
#include "app/Pages.h"
#include "fretboard/Fretboard.h"
#include "library/IniReader.h"
#include "library/Warnings.h"
#include "theory/Neck.h"

namespace chordalis {

namespace {

const QString VoicingFile = QStringLiteral("voicing");
constexpr int OpenChordVoicing = 99;

const ChordEntry* selectedChordEntry(const AppState& s) {
    if (s.selectedChord < 0 || s.selectedChord >= s.chords.count)
        return nullptr;
    return &s.chords.entries[size_t(s.selectedChord)];
}

// The pair of a fret text for string s: strings 6..1 take two characters each, left to right.
QString fretPair(const QString& frets, int string) {
    return frets.mid(12 - 2 * string, 2);
}

bool isSilent(const QString& pair) {
    return pair.compare(QLatin1String("xx"), Qt::CaseInsensitive) == 0;
}

// The finger character of string s: strings 6..1 left to right.
QString fingerChar(const QString& fingers, int string) {
    return fingers.mid(6 - string, 1);
}

void emptyTables(AppState& s) {
    for (auto& row : s.voicingFrets)
        row.fill(QString());
    for (auto& row : s.voicingFingers)
        row.fill(QString());
    s.voicingMemos.fill(QString());
}

// Where the open chord of the chord and root is listed, or -1.
int findOpenChord(ModeContext& c, int count) {
    for (int i = 0; i < count; ++i) {
        const QString n = QString::number(i);
        const QString section = QStringLiteral("openchords");
        if (leadingNumber(c.ini.readIni(VoicingFile, section, n + QLatin1String("rootnote"))) ==
                c.state.currentRoot &&
            leadingNumber(c.ini.readIni(VoicingFile, section, n + QLatin1String("quality"))) ==
                c.state.selectedChord)
            return i;
    }
    return -1;
}

// Nothing to show for this chord and root: no tables, no voicing, an empty neck. Play and print
// then find nothing rather than the previous chord's voicing.
void showNoVoicing(ModeContext& c) {
    emptyTables(c.state);
    c.state.selectedVoicing = -1;
    c.pages.chords.lblVoicingMemo = QStringLiteral("Notes:");
    c.fretboard.clearFretboard();
}

int readCount(ModeContext& c, const QString& section, const QString& key) {
    return std::max(0, leadingNumber(c.ini.readIni(VoicingFile, section, key)));
}

} // namespace

QString voicingKey(int voicing) {
    return QString::number(voicing) + QLatin1String("Voicing");
}

void showChord(ModeContext& c) {
    ChordsPage& page = c.pages.chords;
    const ChordEntry* chord = selectedChordEntry(c.state);
    if (!chord) {
        page.showNoChord();
        c.fretboard.clearFretboard();
        return;
    }
    const AppState& s = c.state;
    page.lblChordName =
        QLatin1String("Chord: ") + noteName(s.currentRoot, s.rootSpelling) + chord->name;
    page.lblChordNameVerbose = QLatin1String("Name: ") + chord->nameverbose;
    c.state.noteList = spellFormula(chord->formula, s.currentRoot, s.rootSpelling);
    page.lblChordFormula = QLatin1String("Formula: ") + formulaText(s.noteList);
    page.lblChordNotes = notesText(s.noteList);
    page.txtChordSymbols =
        QString(chord->chordsymbols).replace(QLatin1Char(';'), QLatin1Char('\n'));
}

void loadVoicings(ModeContext& c, bool keepSelection) {
    AppState& s = c.state;
    TreeModel& tree = c.pages.chords.tvwVoicings;
    tree.clear();

    const int openCount = readCount(c, QStringLiteral("openchords"), QStringLiteral("numvoicings"));
    const int open = findOpenChord(c, openCount);
    const QString section = QString::number(s.selectedChord);
    int movable = readCount(c, section, QStringLiteral("numVoicings"));

    if (movable == 0 && open < 0) {
        showNoVoicing(c);
        return;
    }

    const int room = VoicingColumns - (open >= 0 ? 1 : 0);
    if (movable > room) {
        c.warnings.warn(QStringLiteral("voicing.ini [%1] numVoicings: %2 voicings do not fit the "
                                       "%3 columns of the voicing list; the first %4 are shown")
                            .arg(section)
                            .arg(movable)
                            .arg(VoicingColumns)
                            .arg(room));
        movable = room;
    }

    emptyTables(s);
    int column = 0;
    if (open >= 0) {
        const QString n = QString::number(open);
        const QString openSection = QStringLiteral("openchords");
        const QString frets = c.ini.readIni(VoicingFile, openSection, n + QLatin1String("fret"));
        const QString fingers =
            c.ini.readIni(VoicingFile, openSection, n + QLatin1String("finger"));
        s.voicingMemos[0] = c.ini.readIni(VoicingFile, openSection, n + QLatin1String("memo"));
        for (int string = 6; string >= 1; --string) {
            s.voicingFingers[size_t(string)][0] = fingerChar(fingers, string);
            s.voicingFrets[size_t(string)][0] = fretPair(frets, string);
        }
        tree.add(QString(), voicingKey(OpenChordVoicing), QStringLiteral("Open Chord"),
                 QStringLiteral("voicingO"));
        column = 1;
    }

    for (int j = 0; j < movable; ++j) {
        const QString n = QString::number(j);
        const QString frets = c.ini.readIni(VoicingFile, section, n + QLatin1String("fret"));
        const QString fingers = c.ini.readIni(VoicingFile, section, n + QLatin1String("finger"));
        const int group =
            leadingNumber(c.ini.readIni(VoicingFile, section, n + QLatin1String("group")));
        const int rootString =
            leadingNumber(c.ini.readIni(VoicingFile, section, n + QLatin1String("root")));
        if (rootString < 1 || rootString > 6) {
            c.warnings.warn(
                QStringLiteral("voicing.ini [%1] %2root: root string \"%3\" is not 1..6; "
                               "the voicing is left out")
                    .arg(section, n, QString::number(rootString)));
            continue;
        }
        const size_t col = size_t(column);
        s.voicingMemos[col] = c.ini.readIni(VoicingFile, section, n + QLatin1String("memo"));

        // The root's fret on the root string, 1..12: a shape never rests on the nut.
        int shift = s.currentRoot - openPitchClass(s.tuning, rootString);
        if (shift <= 0)
            shift += 12;

        int low = 999;
        for (int string = 6; string >= 1; --string) {
            s.voicingFingers[size_t(string)][col] = fingerChar(fingers, string);
            const QString pair = fretPair(frets, string);
            if (isSilent(pair)) {
                s.voicingFrets[size_t(string)][col] = pair;
                continue;
            }
            const int fret = leadingNumber(pair) + shift;
            s.voicingFrets[size_t(string)][col] = QString::number(fret);
            low = std::min(low, fret);
        }
        if (low <= 0) {
            // The shape would reach below the nut: play it an octave higher.
            low += 12;
            for (int string = 6; string >= 1; --string) {
                QString& fret = s.voicingFrets[size_t(string)][col];
                if (!isSilent(fret))
                    fret = QString::number(leadingNumber(fret) + 12);
            }
        }
        tree.add(QString(), voicingKey(j),
                 ordinal(low) + QLatin1String(" Position, Root ") + ordinal(rootString),
                 group == 1 ? QStringLiteral("voicingB") : QStringLiteral("voicing"));
        ++column;
    }

    if (tree.isEmpty()) {
        showNoVoicing(c);
        return;
    }

    QString selected = tree.nodes().front().key;
    if (keepSelection) {
        for (const TreeNode& node : tree.nodes()) {
            if (leadingNumber(node.key) == s.selectedVoicing) {
                selected = node.key;
                break;
            }
        }
    }
    tree.selectedKey = selected;
    s.selectedVoicing = leadingNumber(selected);
    drawVoicing(c);
}

void drawVoicing(ModeContext& c) {
    AppState& s = c.state;
    Fretboard& board = c.fretboard;
    board.clearFretboard();

    const TreeModel& tree = c.pages.chords.tvwVoicings;
    int column = -1;
    for (int i = 0; i < tree.size(); ++i) {
        if (leadingNumber(tree.nodes()[size_t(i)].key) == s.selectedVoicing) {
            column = i;
            break;
        }
    }
    if (column < 0)
        return;
    const size_t v = size_t(column);
    // The remark describes the chosen voicing even when the neck cannot show it.
    c.pages.chords.lblVoicingMemo = QLatin1String("Notes: ") + s.voicingMemos[v];
    if (!isStandardTuning(s.tuning))
        return;

    // The chord's spelled names, root first, as the notes label shows them.
    const QStringList names =
        c.pages.chords.lblChordNotes.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int string = 6; string >= 1; --string) {
        const QString& finger = s.voicingFingers[size_t(string)][v];
        if (finger == QLatin1String("x")) {
            board.drawSign(QStringLiteral("x"), IndicatorColumn, string);
            continue;
        }
        const int fret = leadingNumber(s.voicingFrets[size_t(string)][v]);
        const int pitchClass = ((s.tuning[size_t(string)] + fret) % 12 + 12) % 12;
        const qsizetype named = indexOfPitchClass(names, pitchClass);
        const bool isRoot = named == 0;
        if (named >= 0)
            board.drawSign(names[named], NoteNameColumn, string);
        if (finger != QLatin1String("0")) {
            board.drawMarker(QStringLiteral("circle"), isRoot ? s.colourRoot : s.colourChord,
                             QLatin1String("finger") + finger, fret, string);
        } else {
            board.drawSign(isRoot ? QStringLiteral("0red") : QStringLiteral("0"), IndicatorColumn,
                           string);
            board.addLedPosition(0, string);
        }
    }
    board.sendLedFrame();
}

} // namespace chordalis
