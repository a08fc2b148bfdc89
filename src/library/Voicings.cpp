#include "library/Voicings.h"

#include "library/IniReader.h"
#include "library/Warnings.h"
#include "theory/Neck.h"
#include "theory/Spelling.h"

#include <algorithm>

namespace chordalis {

namespace {

const QString VoicingFile = QStringLiteral("voicing");
const QString OpenSection = QStringLiteral("openchords");

// voicing.ini describes grips of the six-string guitar: per string two fret characters and one
// finger character, strings 6..1 left to right.

// The two fret characters of string s: strings 6..1 take two characters each, left to right.
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

// The highest fret a placed voicing may use: the last fret of a long neck.
constexpr int MaxVoicingFret = 24;

// What is wrong with a voicing's frets and fingers as the file gives them, or nothing. Each
// string has two fret characters ("xx" not played, two digits, or for a movable shape "-" and a
// digit) and, where fingers are given, one finger character ("x" not played, "0" open, "1".."4");
// a string is either played in both or in neither.
QString shapeFault(const QString& frets, const QString& fingers, bool relative) {
    if (frets.size() != 12)
        return QStringLiteral("fret \"%1\" is not 12 characters").arg(frets.left(40));
    for (int string = 6; string >= 1; --string) {
        const QString pair = fretPair(frets, string);
        const bool digits =
            pair[1].isDigit() && (pair[0].isDigit() || (relative && pair[0] == u'-'));
        if (!isSilent(pair) && !digits)
            return QStringLiteral("fret \"%1\" is not a fret").arg(pair);
        // Fingers may be left out; those given must be ones the neck has pictures for.
        const QString given = fingerChar(fingers, string).toLower();
        if (given.isEmpty())
            continue;
        const QChar finger = given[0];
        if (finger != u'x' && (finger < u'0' || finger > u'4'))
            return QStringLiteral("finger \"%1\" is not x or 0..4").arg(finger);
        if (isSilent(pair) != (finger == u'x'))
            return QStringLiteral("string %1 is silent in only one of fret and finger").arg(string);
    }
    return {};
}

// Whether every played string of a placed voicing lies on the neck.
bool onTheNeck(const Voicing& v) {
    return std::all_of(v.frets.begin(), v.frets.end(), [](const std::optional<int>& f) {
        return !f || (*f >= 0 && *f <= MaxVoicingFret);
    });
}

void leaveOut(Warnings& warnings, const QString& section, const QString& entry,
              const QString& fault) {
    warnings.warn(QStringLiteral("voicing.ini [%1] %2: %3; the voicing is left out")
                      .arg(section, entry, fault));
}

int readCount(IniReader& ini, const QString& section, const QString& key) {
    return std::max(0, leadingNumber(ini.readIni(VoicingFile, section, key)));
}

QString read(IniReader& ini, const QString& section, int n, const char* key) {
    return ini.readIni(VoicingFile, section, QString::number(n) + QLatin1String(key));
}

// Where the open chord of the chord and root is listed, or -1.
int findOpenChord(IniReader& ini, int chord, int root) {
    const int count = readCount(ini, OpenSection, QStringLiteral("numvoicings"));
    for (int i = 0; i < count; ++i) {
        if (leadingNumber(read(ini, OpenSection, i, "rootnote")) == root &&
            leadingNumber(read(ini, OpenSection, i, "quality")) == chord)
            return i;
    }
    return -1;
}

Voicing openVoicing(IniReader& ini, int n) {
    const QString frets = read(ini, OpenSection, n, "fret");
    const QString fingers = read(ini, OpenSection, n, "finger");
    Voicing v;
    v.number = OpenChordVoicing;
    v.memo = read(ini, OpenSection, n, "memo");
    v.caption = QStringLiteral("Open Chord");
    v.icon = QStringLiteral("voicingO");
    for (int string = 6; string >= 1; --string) {
        const QString pair = fretPair(frets, string);
        v.setString(string, isSilent(pair) ? std::nullopt : std::optional<int>(leadingNumber(pair)),
                    fingerChar(fingers, string).toLower());
    }
    return v;
}

} // namespace

std::vector<Voicing> readVoicings(IniReader& ini, Warnings& warnings, int chord, int root,
                                  const Tuning& tuning) {
    const IniReader::Operation reading(ini);
    std::vector<Voicing> list;
    const int open = findOpenChord(ini, chord, root);
    if (open >= 0) {
        const QString entry = QString::number(open);
        const QString fault = shapeFault(read(ini, OpenSection, open, "fret"),
                                         read(ini, OpenSection, open, "finger"), false);
        Voicing v = fault.isEmpty() ? openVoicing(ini, open) : Voicing{};
        if (!fault.isEmpty())
            leaveOut(warnings, OpenSection, entry, fault);
        else if (!onTheNeck(v))
            leaveOut(warnings, OpenSection, entry,
                     QStringLiteral("a fret lies past fret %1").arg(MaxVoicingFret));
        else
            list.push_back(std::move(v));
    }

    const QString section = QString::number(chord);
    int movable = readCount(ini, section, QStringLiteral("numVoicings"));
    const int room = MaxListedVoicings - int(list.size());
    if (movable > room) {
        warnings.warn(QStringLiteral("voicing.ini [%1] numVoicings: %2 voicings do not fit the "
                                     "%3 columns of the voicing list; the first %4 are shown")
                          .arg(section)
                          .arg(movable)
                          .arg(MaxListedVoicings)
                          .arg(room));
        movable = room;
    }

    for (int j = 0; j < movable; ++j) {
        const QString frets = read(ini, section, j, "fret");
        const QString fingers = read(ini, section, j, "finger");
        const int group = leadingNumber(read(ini, section, j, "group"));
        const int rootString = leadingNumber(read(ini, section, j, "root"));
        if (rootString < 1 || rootString > 6) {
            warnings.warn(QStringLiteral("voicing.ini [%1] %2root: root string \"%3\" is not 1..6; "
                                         "the voicing is left out")
                              .arg(section, QString::number(j), QString::number(rootString)));
            continue;
        }
        if (const QString fault = shapeFault(frets, fingers, true); !fault.isEmpty()) {
            leaveOut(warnings, section, QString::number(j), fault);
            continue;
        }
        Voicing v;
        v.number = j;
        v.memo = read(ini, section, j, "memo");

        // The root's fret on the root string, 1..12: a shape never rests on the nut.
        int shift = root - openPitchClass(tuning, rootString);
        if (shift <= 0)
            shift += 12;

        int low = 999;
        for (int string = 6; string >= 1; --string) {
            const QString pair = fretPair(frets, string);
            const QString finger = fingerChar(fingers, string).toLower();
            if (isSilent(pair)) {
                v.setString(string, std::nullopt, finger);
                continue;
            }
            const int fret = leadingNumber(pair) + shift;
            v.setString(string, fret, finger);
            low = std::min(low, fret);
        }
        if (low <= 0) {
            // The shape would reach below the nut: play it an octave higher.
            low += 12;
            for (auto& fret : v.frets) {
                if (fret)
                    *fret += 12;
            }
        }
        if (!onTheNeck(v)) {
            leaveOut(warnings, section, QString::number(j),
                     QStringLiteral("the shape reaches past fret %1").arg(MaxVoicingFret));
            continue;
        }
        // A grip whose bass is not its root says what it is instead of the root string
        // ("Drop 2, 1st Inversion", "Rootless"); the file gives that text where it applies.
        const QString caption = read(ini, section, j, "caption");
        v.caption = ordinal(low) + QLatin1String(" Position, ") +
                    (caption.isEmpty() ? QLatin1String("Root ") + ordinal(rootString) : caption);
        v.icon = group == 1 ? QStringLiteral("voicingB") : QStringLiteral("voicing");
        list.push_back(std::move(v));
    }
    return list;
}

} // namespace chordalis
