#include "library/Voicings.h"

#include "library/IniReader.h"
#include "library/Warnings.h"
#include "theory/Neck.h"
#include "theory/Spelling.h"

#include <algorithm>
#include <tuple>

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

// Whether one finger holds two or more strings at the same fret: a barre, full or partial, which
// the list's icon shows.
bool hasBarre(const Voicing& v) {
    for (int a = 1; a <= v.strings(); ++a) {
        const QString finger = v.finger(a);
        if (finger.size() != 1 || finger[0] < u'1' || finger[0] > u'4' || !v.fret(a))
            continue;
        for (int b = a + 1; b <= v.strings(); ++b) {
            if (v.finger(b) == finger && v.fret(b) == v.fret(a))
                return true;
        }
    }
    return false;
}

// What the list's order reads from a grip placed on the neck.
struct GripLayout {
    int bass = 0;            // the lowest sounding string, 0 when none sounds
    bool rootInBass = false; // the bass sounds the chord's root
    bool openString = false; // a string sounds open
    bool full = false;       // every string from the bass up to string 1 sounds
    int low = 0;             // the lowest fretted fret: where the hand sits
    int high = 0;            // the highest fretted fret
};

GripLayout layoutOf(const Voicing& v, int root, const Tuning& tuning) {
    GripLayout g;
    g.low = 999;
    for (int string = v.strings(); string >= 1; --string) {
        const auto fret = v.fret(string);
        if (!fret)
            continue;
        if (g.bass == 0) {
            g.bass = string;
            g.rootInBass = pitchClassAt(tuning, string, *fret) == pitchClassOfNote(root);
            g.full = true;
        }
        if (*fret == 0) {
            g.openString = true;
            continue;
        }
        g.low = std::min(g.low, *fret);
        g.high = std::max(g.high, *fret);
    }
    for (int string = g.bass; string >= 1 && g.full; --string)
        g.full = v.fret(string).has_value();
    if (g.low == 999)
        g.low = 0;
    return g;
}

// Whether the grip is one a teacher may show first: the root in the bass on the 6th or 5th
// string, no open string, and the hand within three frets (no stretch).
bool firstGripCandidate(const GripLayout& g) {
    return g.rootInBass && (g.bass == 6 || g.bass == 5) && !g.openString && g.high - g.low <= 2;
}

// Puts the movable grips in the order the list shows them. Where the root has no open chord the
// first is the grip a teacher shows first: among the candidates above, those that sound every
// string from the bass up (the E- and A-shape barres and their kin) before thinner ones, then the
// lowest hand position, then the 6th string before the 5th. The rest follow by the string that
// carries the bass, 6th string first: the grips with the root in the bass, then the inversions
// and rootless grips; within each string up the neck, equal positions in the file's order.
void orderGrips(std::vector<Voicing>& list, std::size_t firstMovable, int root,
                const Tuning& tuning) {
    struct Entry {
        GripLayout layout;
        Voicing voicing;
    };
    std::vector<Entry> grips;
    for (std::size_t i = firstMovable; i < list.size(); ++i)
        grips.push_back({layoutOf(list[i], root, tuning), std::move(list[i])});
    list.resize(firstMovable);
    const auto listOrder = [](const Entry& a, const Entry& b) {
        const auto key = [](const Entry& e) {
            return std::tuple(!e.layout.rootInBass, -e.layout.bass, e.layout.low, e.voicing.number);
        };
        return key(a) < key(b);
    };
    std::sort(grips.begin(), grips.end(), listOrder);
    if (firstMovable == 0) {
        const auto teacherOrder = [](const Entry& a, const Entry& b) {
            const auto key = [](const Entry& e) {
                return std::tuple(!e.layout.full, e.layout.low, -e.layout.bass, e.voicing.number);
            };
            return key(a) < key(b);
        };
        auto first = grips.end();
        for (auto e = grips.begin(); e != grips.end(); ++e) {
            if (firstGripCandidate(e->layout) && (first == grips.end() || teacherOrder(*e, *first)))
                first = e;
        }
        if (first != grips.end())
            std::rotate(grips.begin(), first, first + 1);
    }
    for (Entry& e : grips)
        list.push_back(std::move(e.voicing));
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

    const std::size_t firstMovable = list.size();
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
        v.icon = hasBarre(v) ? QStringLiteral("voicingB") : QStringLiteral("voicing");
        list.push_back(std::move(v));
    }
    orderGrips(list, firstMovable, root, tuning);
    return list;
}

} // namespace chordalis
