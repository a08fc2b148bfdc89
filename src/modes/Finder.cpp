#include "modes/Finder.h"

#include "fretboard/Fretboard.h"
#include "library/IniReader.h"
#include "modes/Pages.h"
#include "theory/Neck.h"

#include <array>

namespace chordalis {

namespace {

const QString FinderFile = QStringLiteral("finder");

// Lower edges of the string bands of the neck picture; a band ends where the next begins.
constexpr std::array<int, 7> StringBands = {22, 44, 68, 92, 116, 140, 162};

// Lower edges of the fret zones: beside the nut (open), then frets 1..15; past the last, none.
constexpr std::array<int, 17> FretZones = {20,  46,  112, 173, 231, 287, 339, 387, 433,
                                           478, 521, 562, 599, 634, 666, 697, 727};

// Pitch class 0..11 of a sounding string (value -1 open or a fret).
int soundingPitchClass(const AppState& s, int string) {
    const int value = s.finderSelection[size_t(string)];
    const int fret = value < 0 ? 0 : value;
    return (s.tuning[size_t(string)] + fret) % 12;
}

bool isNaturalSharpKey(int root) {
    // D, E, G, A and B take sharps for the notes above them.
    return root == 2 || root == 4 || root == 7 || root == 9 || root == 11;
}

} // namespace

int finderStringAt(double y) {
    for (int string = 1; string <= 6; ++string) {
        if (y >= StringBands[size_t(string - 1)] && y < StringBands[size_t(string)])
            return string;
    }
    return 0;
}

int finderFretAt(double x) {
    if (x < FretZones.front() || x >= FretZones.back())
        return 0;
    for (size_t i = 1; i < FretZones.size(); ++i) {
        if (x < FretZones[i])
            return i == 1 ? -1 : int(i) - 1;
    }
    return 0;
}

void finderClick(AppState& s, Qt::MouseButton button, QPointF pos) {
    const double x = s.leftHanded ? SurfaceWidth - pos.x() : pos.x();
    const int string = finderStringAt(pos.y());
    if (string == 0)
        return;
    int& value = s.finderSelection[size_t(string)];
    const int fret = finderFretAt(x);
    if (button == Qt::LeftButton)
        value = value == fret ? 0 : fret;
    else
        value = 0;
}

void showFinderSelection(ModeContext& c) {
    const AppState& s = c.state;
    Fretboard& board = c.fretboard;
    clearNeck(c);
    for (int string = 1; string <= 6; ++string) {
        const int value = s.finderSelection[size_t(string)];
        if (value == 0) {
            board.drawSign(QStringLiteral("x"), IndicatorColumn, string);
        } else if (value < 0) {
            board.drawSign(QStringLiteral("0"), IndicatorColumn, string);
            board.addLedPosition(0, string);
        } else {
            const QString name = noteName(soundingPitchClass(s, string), FlatColumn);
            board.drawMarker(QStringLiteral("circle"), s.colourChord, name, value, string,
                             MarkInfo{name, {}});
        }
    }
    board.sendLedFrame();
}

QString finderIntervalSet(const AppState& s, int root) {
    std::array<bool, 12> present{};
    for (int string = 1; string <= 6; ++string) {
        if (s.finderSelection[size_t(string)] != 0)
            present[size_t(((soundingPitchClass(s, string) - root) % 12 + 12) % 12)] = true;
    }
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
    std::array<bool, 12> present{};
    for (int string = 1; string <= 6; ++string) {
        if (s.finderSelection[size_t(string)] != 0)
            present[size_t(((soundingPitchClass(s, string) - root) % 12 + 12) % 12)] = true;
    }
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

void describeFinderSelection(ModeContext& c) {
    const AppState& s = c.state;
    auto& labels = c.pages.finder.lblDescription;
    const IniReader::Operation reading(c.ini);
    int bassString = 0;
    for (int string = 6; string >= 1 && bassString == 0; --string) {
        if (s.finderSelection[size_t(string)] != 0)
            bassString = string;
    }
    for (int k = 6; k >= 1; --k) {
        FinderDescription& label = labels[size_t(k)];
        label = {};
        if (s.finderSelection[size_t(k)] == 0)
            continue;
        const int root = soundingPitchClass(s, k);
        const QString d =
            c.ini.readIni(FinderFile, finderIntervalSet(s, root), QStringLiteral("d"));
        if (d.isEmpty())
            continue;
        const int bass = soundingPitchClass(s, bassString);
        label.text = noteName(root, FlatColumn) + QLatin1Char(' ') + d;
        label.notes = finderNotes(s, root);
        if (bass == root) {
            label.colour = RootPositionColour;
            continue;
        }
        const int interval = ((bass - root) % 12 + 12) % 12;
        label.colour = interval == 3 || interval == 4 || interval == 7 ? ThirdOrFifthBassColour
                                                                       : OtherBassColour;
        label.text += QLatin1String(" / ") +
                      noteName(bass, isNaturalSharpKey(root) ? SharpColumn : FlatColumn);
    }
}

} // namespace chordalis
