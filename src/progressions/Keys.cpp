#include "progressions/Keys.h"

#include "theory/RootTabs.h"
#include "theory/Spelling.h"
#include "voicings/ChordTones.h"

#include <algorithm>

namespace chordalis {

namespace {

struct ModeInfo {
    KeyMode mode;
    const char* word;
    const char* name;
    const char* formula;
};

// Degrees over the major scale of the same root.
constexpr std::array<ModeInfo, KeyModeCount> Modes = {{
    {KeyMode::Major, "major", "Major", "1;2;3;4;5;6;7"},
    {KeyMode::NaturalMinor, "minor", "Natural Minor", "1;2;b3;4;5;b6;b7"},
    {KeyMode::HarmonicMinor, "harmonic-minor", "Harmonic Minor", "1;2;b3;4;5;b6;7"},
    {KeyMode::MelodicMinor, "melodic-minor", "Melodic Minor", "1;2;b3;4;5;6;7"},
    {KeyMode::Ionian, "ionian", "Ionian", "1;2;3;4;5;6;7"},
    {KeyMode::Dorian, "dorian", "Dorian", "1;2;b3;4;5;6;b7"},
    {KeyMode::Phrygian, "phrygian", "Phrygian", "1;b2;b3;4;5;b6;b7"},
    {KeyMode::Lydian, "lydian", "Lydian", "1;2;3;#4;5;6;7"},
    {KeyMode::Mixolydian, "mixolydian", "Mixolydian", "1;2;3;4;5;6;b7"},
    {KeyMode::Aeolian, "aeolian", "Aeolian", "1;2;b3;4;5;b6;b7"},
    {KeyMode::Locrian, "locrian", "Locrian", "1;b2;b3;4;b5;b6;b7"},
}};

const ModeInfo& info(KeyMode mode) {
    return Modes[size_t(mode)];
}

// The natural notes' pitch classes, C D E F G A B.
constexpr std::array<int, 7> NaturalPitch = {0, 2, 4, 5, 7, 9, 11};
// The major scale's semitones above its root, degree 1..7 at index 0..6.
constexpr std::array<int, 7> MajorSemitones = {0, 2, 4, 5, 7, 9, 11};

int mod12(int n) {
    return ((n % 12) + 12) % 12;
}

struct QualityInfo {
    ChordQuality quality;
    int third, fifth, seventh; // semitones; seventh -1 for a triad
    const char* suffix;
    const char* formula;
    const char* numeralSuffix; // after the numeral, whose case the quality gives
    bool upper;
};

constexpr std::array<QualityInfo, 12> Qualities = {{
    {ChordQuality::Major, 4, 7, -1, "", "1;3;5", "", true},
    {ChordQuality::Minor, 3, 7, -1, "m", "1;b3;5", "", false},
    {ChordQuality::Diminished, 3, 6, -1, "dim", "1;b3;b5", "°", false},
    {ChordQuality::Augmented, 4, 8, -1, "aug", "1;3;#5", "+", true},
    {ChordQuality::Major7, 4, 7, 11, "maj7", "1;3;5;7", "maj7", true},
    {ChordQuality::Dominant7, 4, 7, 10, "7", "1;3;5;b7", "7", true},
    {ChordQuality::Minor7, 3, 7, 10, "m7", "1;b3;5;b7", "7", false},
    {ChordQuality::HalfDiminished7, 3, 6, 10, "m7b5", "1;b3;b5;b7", "ø7", false},
    {ChordQuality::Diminished7, 3, 6, 9, "dim7", "1;b3;b5;f7", "°7", false},
    {ChordQuality::MinorMajor7, 3, 7, 11, "m(maj7)", "1;b3;5;7", "(maj7)", false},
    {ChordQuality::AugmentedMajor7, 4, 8, 11, "maj7#5", "1;3;#5;7", "+maj7", true},
    {ChordQuality::Dominant7Sharp5, 4, 8, 10, "7#5", "1;3;#5;b7", "+7", true},
}};

const QualityInfo* qualityInfo(ChordQuality quality) {
    for (const QualityInfo& q : Qualities)
        if (q.quality == quality)
            return &q;
    return nullptr;
}

HarmonicFunction functionOfDegree(int degree) {
    switch (degree) {
    case 2:
    case 4:
        return HarmonicFunction::Subdominant;
    case 5:
    case 7:
        return HarmonicFunction::Dominant;
    default:
        return HarmonicFunction::Tonic;
    }
}

// The chord of a quality on a spelled root: its symbol, notes and library item.
// The library item of each quality, looked up once per key: -2 not yet looked up.
struct QualityItems {
    const ChordLibrary& chords;
    std::array<int, size_t(ChordQuality::Other) + 1> items;
    explicit QualityItems(const ChordLibrary& library) : chords(library) { items.fill(-2); }
};

void fillChord(KeyChord& c, QualityItems& lookup) {
    const QualityInfo* q = qualityInfo(c.quality);
    c.symbol = c.root.name() + (q ? QLatin1String(q->suffix) : QLatin1String());
    const QString formula = q ? QLatin1String(q->formula) : QLatin1String("1");
    c.notes = spellChord(c.root, formula);
    std::vector<int> semitones;
    if (const auto makeup = chordMakeup(formula))
        for (const ChordTone& t : makeup->tones)
            semitones.push_back(t.semitones);
    int& item = lookup.items[size_t(c.quality)];
    if (item == -2)
        item = libraryChordOf(lookup.chords, semitones);
    c.item = item;
}

KeyChord stacked(const std::array<SpelledNote, 7>& scale, int degree, bool seventh,
                 QualityItems& chords) {
    KeyChord c;
    c.degree = degree;
    c.root = scale[size_t(degree - 1)];
    auto above = [&](int steps) {
        return mod12(scale[size_t((degree - 1 + steps) % 7)].pitchClass - c.root.pitchClass);
    };
    c.quality =
        qualityOf(above(2), above(4), seventh ? std::optional<int>(above(6)) : std::nullopt);
    const QualityInfo* q = qualityInfo(c.quality);
    const int fromTonic = mod12(c.root.pitchClass - scale[0].pitchClass);
    c.numeral = romanNumeral(degree, fromTonic, q ? q->upper : true) +
                (q ? QString::fromUtf8(q->numeralSuffix) : QStringLiteral("?"));
    c.function = functionOfDegree(degree);
    fillChord(c, chords);
    return c;
}

} // namespace

const char* keyModeWord(KeyMode mode) {
    return info(mode).word;
}

QString keyModeName(KeyMode mode) {
    return QLatin1String(info(mode).name);
}

std::optional<KeyMode> keyModeOf(QStringView word) {
    QString key;
    for (QChar c : word)
        if (c.isLetter())
            key += c.toLower();
    if (key == QLatin1String("naturalminor"))
        return KeyMode::NaturalMinor;
    for (const ModeInfo& m : Modes) {
        QString own = QLatin1String(m.word);
        own.remove(u'-');
        if (key == own)
            return m.mode;
    }
    return std::nullopt;
}

QString keyModeFormula(KeyMode mode) {
    return QLatin1String(info(mode).formula);
}

bool isMinorMode(KeyMode mode) {
    const auto makeup = chordMakeup(keyModeFormula(mode));
    return makeup && makeup->tones.size() > 2 && makeup->tones[2].semitones == 3;
}

QString SpelledNote::name() const {
    int shift = mod12(pitchClass - NaturalPitch[size_t(letter)]);
    if (shift > 6)
        shift -= 12;
    QString text(QChar(u"CDEFGAB"[letter]));
    if (shift < 0)
        text += QString(-shift, u'b');
    for (; shift >= 2; shift -= 2)
        text += u'x';
    if (shift == 1)
        text += u'#';
    return text;
}

SpelledNote SpelledNote::above(int steps, int semitones) const {
    return {((letter + steps) % 7 + 7) % 7, mod12(pitchClass + semitones)};
}

std::optional<SpelledNote> SpelledNote::of(QStringView name) {
    if (name.isEmpty())
        return std::nullopt;
    const int letter = QStringLiteral("CDEFGAB").indexOf(name.front());
    if (letter < 0)
        return std::nullopt;
    for (QChar c : name.mid(1))
        if (c != u'b' && c != u'#' && c != u'x')
            return std::nullopt;
    return SpelledNote{letter, pitchClassOf(name)};
}

QStringList spellChord(SpelledNote root, QStringView formula) {
    QStringList notes;
    if (const auto makeup = chordMakeup(formula))
        for (const ChordTone& t : makeup->tones)
            notes << root.above(t.degree - 1, t.semitones).name();
    return notes;
}

const char* functionWord(HarmonicFunction function) {
    switch (function) {
    case HarmonicFunction::Subdominant:
        return "subdominant";
    case HarmonicFunction::Dominant:
        return "dominant";
    default:
        return "tonic";
    }
}

QString qualitySuffix(ChordQuality quality) {
    const QualityInfo* q = qualityInfo(quality);
    return q ? QLatin1String(q->suffix) : QString();
}

QString qualityFormula(ChordQuality quality) {
    const QualityInfo* q = qualityInfo(quality);
    return q ? QLatin1String(q->formula) : QString();
}

ChordQuality qualityOf(int third, int fifth, std::optional<int> seventh) {
    for (const QualityInfo& q : Qualities)
        if (q.third == third && q.fifth == fifth && q.seventh == seventh.value_or(-1))
            return q.quality;
    return ChordQuality::Other;
}

int libraryChordOf(const ChordLibrary& chords, const std::vector<int>& semitones) {
    std::vector<int> wanted;
    for (int s : semitones)
        wanted.push_back(mod12(s));
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    for (int i = 0; i < chords.count && size_t(i) < chords.entries.size(); ++i) {
        const auto makeup = chordMakeup(chords.entries[size_t(i)].formula);
        if (!makeup)
            continue;
        std::vector<int> has;
        for (const ChordTone& t : makeup->tones)
            has.push_back(t.semitones);
        std::sort(has.begin(), has.end());
        if (has == wanted)
            return i;
    }
    return -1;
}

QString romanNumeral(int degree, int semitonesAboveTonic, bool upper) {
    static const char* const Numerals[] = {"I", "II", "III", "IV", "V", "VI", "VII"};
    const int d = std::clamp(degree, 1, 7);
    int shift = mod12(semitonesAboveTonic - MajorSemitones[size_t(d - 1)]);
    if (shift > 6)
        shift -= 12;
    QString text = shift < 0 ? QString(-shift, u'b') : QString(shift, u'#');
    const QString numeral = QLatin1String(Numerals[d - 1]);
    return text + (upper ? numeral : numeral.toLower());
}

Key makeKey(int rootTab, KeyMode mode, const ChordLibrary& chords) {
    const RootTab& tab = rootTab >= 1 && rootTab <= int(RootTabs.size())
                             ? RootTabs[size_t(rootTab - 1)]
                             : RootTabs[0];
    const auto root = SpelledNote::of(noteName(tab.root, tab.spelling));
    return makeKey(root.value_or(SpelledNote{}), mode, chords);
}

namespace {

// The key's scale and diatonic chords, without what it takes from other keys.
Key diatonicKey(SpelledNote root, KeyMode mode, QualityItems& chords) {
    Key key;
    key.root = root;
    key.mode = mode;
    const auto makeup = chordMakeup(keyModeFormula(mode));
    for (size_t d = 0; d < 7; ++d) {
        const int semitones =
            makeup && makeup->tones.size() == 7 ? makeup->tones[d].semitones : MajorSemitones[d];
        key.scale[d] = root.above(int(d), semitones);
    }
    for (int d = 1; d <= 7; ++d) {
        key.triads[size_t(d - 1)] = stacked(key.scale, d, false, chords);
        key.sevenths[size_t(d - 1)] = stacked(key.scale, d, true, chords);
    }
    return key;
}

} // namespace

Key makeKey(SpelledNote root, KeyMode mode, const ChordLibrary& library) {
    QualityItems chords(library);
    Key key = diatonicKey(root, mode, chords);
    for (int d = 2; d <= 7; ++d) {
        const KeyChord& target = key.triads[size_t(d - 1)];
        if (target.quality != ChordQuality::Major && target.quality != ChordQuality::Minor)
            continue;
        KeyChord c;
        c.kind = KeyChord::Kind::SecondaryDominant;
        c.degree = d;
        c.root = target.root.above(4, 7);
        c.quality = ChordQuality::Dominant7;
        c.numeral = QStringLiteral("V7/") + target.numeral;
        c.function = HarmonicFunction::Dominant;
        fillChord(c, chords);
        key.secondaryDominants.push_back(c);
    }
    const KeyMode parallel = isMinorMode(mode) ? KeyMode::Major : KeyMode::NaturalMinor;
    {
        const ChordLibrary none;
        QualityItems noItems(none);
        const Key other = diatonicKey(root, parallel, noItems);
        auto borrow = [&](const std::array<KeyChord, 7>& own,
                          const std::array<KeyChord, 7>& theirs) {
            for (size_t d = 0; d < 7; ++d) {
                if (theirs[d].symbol == own[d].symbol)
                    continue;
                KeyChord c = theirs[d];
                c.kind = KeyChord::Kind::Borrowed;
                fillChord(c, chords);
                key.borrowed.push_back(c);
            }
        };
        borrow(key.triads, other.triads);
        borrow(key.sevenths, other.sevenths);
    }
    return key;
}

} // namespace chordalis
