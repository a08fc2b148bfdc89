#include "modes/Finder.h"

#include "fretboard/Fretboard.h"
#include "library/IniReader.h"
#include "modes/Pages.h"
#include "theory/Neck.h"

#include <algorithm>
#include <array>

namespace chordalis {

namespace {

const QString FinderFile = QStringLiteral("finder");

// Pitch class 0..11 of a sounding string.
int soundingPitchClass(const AppState& s, int string) {
    return pitchClassAt(s.tuning(), string, finderFret(s, string).value_or(0));
}

// The strings the selection holds a value for on the neck.
int stringCount(const AppState& s) {
    return std::min(int(s.finderSelection.size()), s.tuning().strings());
}

// Which intervals above the root the sounding strings hold.
std::array<bool, 12> presentIntervals(const AppState& s, int root) {
    std::array<bool, 12> present{};
    for (int string = 1; string <= stringCount(s); ++string) {
        if (finderValue(s, string) != 0)
            present[size_t(pitchClassOfNote(soundingPitchClass(s, string) - root))] = true;
    }
    return present;
}

bool isNaturalSharpKey(int root) {
    // D, E, G, A and B take sharps for the notes above them.
    return root == 2 || root == 4 || root == 7 || root == 9 || root == 11;
}

} // namespace

int finderValue(const AppState& s, int string) {
    return string >= 1 && string <= stringCount(s) ? s.finderSelection[size_t(string - 1)] : 0;
}

std::optional<int> finderFret(const AppState& s, int string) {
    const int value = finderValue(s, string);
    if (value == 0)
        return std::nullopt;
    return std::max(value, openFret(s.instrument, s.capo, string));
}

std::optional<NeckPress> neckPressAt(const AppState& s, QPointF pos) {
    const NeckGeometry neck(s.instrument.strings(), s.maxFret());
    const double x = s.leftHanded ? neck.width() - pos.x() : pos.x();
    const int string = neck.stringAt(pos.y());
    if (string == 0 || string > s.instrument.strings())
        return std::nullopt;
    int fret = neck.fretAt(x);
    // A short string (the banjo's fifth) has nothing below its first fret: a click there
    // selects nothing. Under a capo the string sounds from the capo up: the nut, the frets
    // behind the capo and the capo's own fret all play it open at the capo.
    const int first = s.instrument.firstFret(string);
    if (first > 0 && fret != 0 && (fret < 0 || fret < first))
        return std::nullopt;
    if (fret != 0 && fret <= openFret(s.instrument, s.capo, string))
        fret = -1;
    return NeckPress{string, fret};
}

void finderClick(AppState& s, Qt::MouseButton button, QPointF pos) {
    const std::optional<NeckPress> press = neckPressAt(s, pos);
    if (!press || press->string > stringCount(s))
        return;
    int& value = s.finderSelection[size_t(press->string - 1)];
    if (button == Qt::LeftButton)
        value = value == press->fret ? 0 : press->fret;
    else
        value = 0;
}

void showFinderSelection(ModeContext& c) {
    const AppState& s = c.state;
    Fretboard& board = c.fretboard;
    clearNeck(c);
    for (int string = 1; string <= stringCount(s); ++string) {
        const std::optional<int> fret = finderFret(s, string);
        const int open = openFret(s.instrument, s.capo, string);
        if (!fret) {
            board.drawSign(SignKind::Mute, string);
        } else if (*fret == open) {
            board.drawSign(SignKind::Open, string);
            board.addLedPosition(open, string);
        } else {
            const QString name = noteName(soundingPitchClass(s, string), FlatColumn);
            board.drawMarker(MarkKind::Circle, ColourRole::Chord, name, *fret, string,
                             MarkInfo{name, {}});
        }
    }
    board.sendLedFrame();
}

QString finderIntervalSet(const AppState& s, int root) {
    const std::array<bool, 12> present = presentIntervals(s, root);
    QStringList intervals;
    for (int i = 0; i < 12; ++i) {
        if (present[size_t(i)])
            intervals << QString::number(i);
    }
    return intervals.join(QLatin1Char(';'));
}

QString finderNotes(const AppState& s, int root) {
    // The usual name of each interval above a root; the 3rd, 5th and 4th change their meaning
    // when the chord holds the note they would otherwise stand beside.
    const std::array<bool, 12> present = presentIntervals(s, root);
    static const std::array<const char*, 12> Degrees = {"1",  "b2", "2",  "b3", "3",  "4",
                                                        "b5", "5",  "#5", "6",  "b7", "7"};
    QStringList names;
    for (int i = 0; i < 12; ++i) {
        if (!present[size_t(i)])
            continue;
        QString token = QLatin1String(Degrees[size_t(i)]);
        if (i == 3 && present[4])
            token = QStringLiteral("#2"); // a sharp 9th beside the major 3rd
        else if (i == 6 && present[7])
            token = QStringLiteral("#4"); // a sharp 11th beside the 5th
        else if (i == 8 && present[7])
            token = QStringLiteral("b6"); // a flat 13th beside the 5th
        names << spellDegree(token, root, FlatColumn);
    }
    return names.join(QLatin1Char(' '));
}

QString finderChordName(const ChordLibrary& chords, const QString& description) {
    // The finder's names are the library's long names, with what a thinned voicing leaves out
    // in brackets after them: each bracket is tried off in turn, from the end.
    QString name = description.trimmed();
    while (!name.isEmpty()) {
        for (int i = 0; i < chords.count && i < int(chords.entries.size()); ++i) {
            if (chords.entries[size_t(i)].nameverbose == name)
                return chords.entries[size_t(i)].name;
        }
        const qsizetype open = name.lastIndexOf(QLatin1String(" ("));
        if (!name.endsWith(QLatin1Char(')')) || open < 0)
            break;
        name.truncate(open);
    }
    return {};
}

void describeFinderSelection(ModeContext& c) {
    const AppState& s = c.state;
    auto& labels = c.pages.finder.lblDescription;
    const IniReader::Operation reading(c.ini);
    labels.assign(size_t(stringCount(s)), FinderDescription{});
    // The bass is the lowest note that sounds: on a guitar the lowest string played, on a neck
    // with a re-entrant string (a ukulele's high G) whichever string sounds lowest.
    int bassString = 0;
    int bassPitch = 0;
    for (int string = stringCount(s); string >= 1; --string) {
        const std::optional<int> fret = finderFret(s, string);
        const int pitch = pitchAt(s.tuning(), string, fret.value_or(0));
        if (fret && (bassString == 0 || pitch < bassPitch)) {
            bassString = string;
            bassPitch = pitch;
        }
    }
    for (int k = stringCount(s); k >= 1; --k) {
        FinderDescription& label = labels[size_t(k - 1)];
        if (finderValue(s, k) == 0)
            continue;
        const int root = soundingPitchClass(s, k);
        const QString d =
            c.ini.readIni(FinderFile, finderIntervalSet(s, root), QStringLiteral("d"));
        if (d.isEmpty())
            continue;
        const int bass = soundingPitchClass(s, bassString);
        label.text = noteName(root, FlatColumn) + QLatin1Char(' ') + d;
        label.notes = finderNotes(s, root);
        const QString name = finderChordName(s.chords, d);
        if (!name.isEmpty())
            label.symbol = noteName(root, FlatColumn) + name;
        if (bass == root) {
            label.colour = RootPositionColour;
            continue;
        }
        const int interval = ((bass - root) % 12 + 12) % 12;
        label.colour = interval == 3 || interval == 4 || interval == 7 ? ThirdOrFifthBassColour
                                                                       : OtherBassColour;
        const QString bassName = noteName(bass, isNaturalSharpKey(root) ? SharpColumn : FlatColumn);
        label.text += QLatin1String(" / ") + bassName;
        if (!label.symbol.isEmpty())
            label.symbol += QLatin1Char('/') + bassName;
    }
}

} // namespace chordalis
