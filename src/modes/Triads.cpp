#include "modes/Triads.h"

#include "fretboard/Fretboard.h"
#include "library/IniReader.h"
#include "library/Warnings.h"
#include "modes/AppState.h"
#include "modes/Grips.h"
#include "modes/Pages.h"
#include "theory/Neck.h"

#include <algorithm>
#include <array>
#include <optional>

namespace chordalis {

namespace {

const QString TriadFile = QStringLiteral("triad");
const QString Silent = QStringLiteral("xx");

bool isSilent(const QString& pair) {
    return pair.compare(Silent, Qt::CaseInsensitive) == 0;
}

// One shape of triad.ini as read: per string 1..6 (index string - 1) the two-character fret text
// relative to the root ("xx" silent) and the finger character ("x" silent). The file describes
// six-string shapes: fret texts and fingers run from string 6 to string 1.
struct Shape {
    std::array<QString, 6> frets;
    std::array<QString, 6> fingers;
    int rootString = 0;

    const QString& fret(int string) const { return frets[size_t(string - 1)]; }
    const QString& finger(int string) const { return fingers[size_t(string - 1)]; }
};

// Reads and checks a shape; a damaged one is reported and gives nothing.
std::optional<Shape> readShape(ModeContext& c, const QString& section) {
    const IniReader::Operation reading(c.ini);
    const QString frets = c.ini.readIni(TriadFile, section, QStringLiteral("fret"));
    const QString fingers = c.ini.readIni(TriadFile, section, QStringLiteral("finger"));
    const QString root = c.ini.readIni(TriadFile, section, QStringLiteral("rootnote"));
    auto refuse = [&](const QString& why) -> std::optional<Shape> {
        c.warnings.warn(
            QStringLiteral("triad.ini [%1]: %2; the shape is not shown").arg(section, why));
        return std::nullopt;
    };
    if (frets.size() != 12)
        return refuse(QStringLiteral("fret \"%1\" is not 12 characters").arg(frets));
    if (fingers.size() != 6)
        return refuse(QStringLiteral("finger \"%1\" is not 6 characters").arg(fingers));
    Shape shape;
    shape.rootString = leadingNumber(root);
    if (shape.rootString < 1 || shape.rootString > 6)
        return refuse(QStringLiteral("rootnote \"%1\" is not a string 1..6").arg(root));
    for (int string = 6; string >= 1; --string) {
        const QString pair = frets.mid(12 - 2 * string, 2);
        const QString finger = fingers.mid(6 - string, 1);
        if (isSilent(pair) != (finger == QLatin1String("x")))
            return refuse(
                QStringLiteral("string %1 is silent in only one of fret and finger").arg(string));
        bool ok = true;
        if (!isSilent(pair))
            pair.trimmed().toInt(&ok);
        if (!ok)
            return refuse(QStringLiteral("fret \"%1\" of string %2 is not a number or \"xx\"")
                              .arg(pair)
                              .arg(string));
        shape.frets[size_t(string - 1)] = pair;
        shape.fingers[size_t(string - 1)] = finger;
    }
    if (isSilent(shape.fret(shape.rootString)))
        return refuse(QStringLiteral("the root string %1 is silent").arg(shape.rootString));
    return shape;
}

// Two shapes are shown in the open position instead of being raised an octave, which would take
// them past the last fret. Strings 6 down to 1: a fret (-1 mute, 0 open) and its finger.
struct FixedPicture {
    int triad;
    int group;
    int root;
    std::array<int, 6> frets;
    std::array<int, 6> fingers;
};

constexpr std::array<FixedPicture, 2> FixedPictures = {{
    {6, 0, 8, {4, 2, 0, -1, -1, -1}, {4, 2, 0, 0, 0, 0}}, // G# dim on 6-5-4: G#, B, open D
    {6, 1, 1, {-1, 4, 2, 0, -1, -1}, {0, 4, 2, 0, 0, 0}}, // C# dim on 5-4-3: C#, E, open G
}};

// The shape a fixed picture shows, with its own fingering: the open string is not fingered.
Voicing pictureShape(const FixedPicture& picture) {
    Voicing v;
    v.number = 0;
    for (int string = 6; string >= 1; --string) {
        const int fret = picture.frets[size_t(6 - string)];
        if (fret < 0)
            continue;
        v.setString(string, fret,
                    fret == 0 ? QStringLiteral("0")
                              : QString::number(picture.fingers[size_t(6 - string)]));
    }
    return v;
}

} // namespace

void showTriad(ModeContext& c) {
    TriadsPage& page = c.pages.triads;
    AppState& s = c.state;
    if (s.selectedTriad < 0 || s.selectedTriad >= TriadCount) {
        page.showNoTriad();
        clearNeck(c);
        return;
    }
    const TriadEntry& triad = s.triads.entries[size_t(s.selectedTriad)];
    page.lblTriadName = noteName(s.currentRoot, s.rootSpelling) + QLatin1Char(' ') + triad.name;
    s.noteList = spellFormula(triad.formula, s.currentRoot, s.rootSpelling);
    page.lblTriadFormula = QLatin1String("Formula: ") + formulaText(s.noteList);
    page.lblTriadNotes = notesText(s.noteList);
    drawTriad(c);
}

std::optional<Voicing> generatedTriadShape(const AppState& s, int triad, int group) {
    if (triad < 0 || triad >= TriadCount || triad >= int(s.triads.entries.size()))
        return std::nullopt;
    const auto tones = chordMakeup(s.triads.entries[size_t(triad)].formula);
    if (!tones)
        return std::nullopt;
    const auto grip = closeTriad(*tones, s.currentRoot, triad % 3, s.instrument, s.capo,
                                 s.instrument.strings() - group);
    if (!grip)
        return std::nullopt;
    Voicing v(grip->strings());
    v.number = 0;
    v.generated = true;
    for (int string = 1; string <= grip->strings(); ++string) {
        const int fret = grip->fret(string);
        if (fret >= 0)
            v.setString(string, fret, QString::number(grip->fingers[size_t(string - 1)]));
    }
    return v;
}

namespace {

// The shape of a triad on a string group as Play sounds it: the library's on the six-string
// guitar in standard tuning without a capo, the voicing engine's close shape on every other neck.
// Nothing where the neck has no shape (`unplayable` then set) or the library's is damaged.
std::optional<Voicing> triadShape(ModeContext& c, int triad, int group, bool* unplayable) {
    const AppState& s = c.state;
    if (!isStandardTuning(s.tuning()) || s.capo.fret > 0) {
        auto shape = generatedTriadShape(s, triad, group);
        if (!shape && unplayable)
            *unplayable = true;
        return shape;
    }
    const auto shape =
        readShape(c, QString::number(triad) + QLatin1Char('.') + QString::number(group));
    if (!shape)
        return std::nullopt;
    const auto fixed = std::find_if(FixedPictures.begin(), FixedPictures.end(), [&](auto& p) {
        return p.triad == triad && p.group == group && p.root == s.currentRoot;
    });
    if (fixed != FixedPictures.end())
        return pictureShape(*fixed);

    // The root's fret on the root string, 1..12: the root never rests on an open string.
    int offset = s.currentRoot - openPitchClass(s.tuning(), shape->rootString);
    if (offset <= 0)
        offset += 12;
    Voicing played;
    played.number = 0;
    int low = 999;
    for (int string = 6; string >= 1; --string) {
        if (isSilent(shape->fret(string)))
            continue;
        const int fret = shape->fret(string).trimmed().toInt() + offset;
        played.setString(string, fret, shape->finger(string));
        low = std::min(low, fret);
    }
    if (low <= 0) {
        // The shape would reach the nut or below it: it is played an octave higher.
        for (auto& fret : played.frets) {
            if (fret)
                *fret += 12;
        }
    }
    return played;
}

} // namespace

void drawTriad(ModeContext& c) {
    AppState& s = c.state;
    if (s.selectedTriad < 0 || s.selectedTriad >= TriadCount)
        return;
    const int triad = s.selectedTriad;
    const int groups = std::max(1, s.instrument.strings() - 2);
    const int group = std::clamp(s.triadGroup, 0, groups - 1);
    clearNeck(c);

    // Every group's shape as a box, captioned as the string group list names it; each shape
    // read once, so a damaged one is reported once.
    TriadsPage& page = c.pages.triads;
    page.boxes.clear();
    bool unplayable = false;
    std::optional<Voicing> chosen;
    for (int k = 0; k < groups; ++k) {
        auto shape = triadShape(c, triad, k, k == group ? &unplayable : nullptr);
        if (!shape)
            continue;
        ChordBox box = gripBox(s, *shape);
        const TreeNode* node = page.tvwStringGroup.findItem(k);
        box.caption = node ? node->text : QString();
        box.number = k;
        page.boxes.push_back(std::move(box));
        if (k == group)
            chosen = std::move(shape);
    }

    s.triadShape = std::move(chosen);
    if (!s.triadShape) {
        // Playing must not sound a shape left behind by another display.
        s.triadShape = Voicing(s.instrument.strings());
        c.pages.lblNonStandardVisible = unplayable;
        return;
    }
    drawGrip(c, *s.triadShape);
}

} // namespace chordalis
