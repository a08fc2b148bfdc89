#include "progressions/Progression.h"

#include "library/IniReader.h"
#include "library/Warnings.h"
#include "search/SearchIndex.h"
#include "theory/Spelling.h"

#include <QRegularExpression>
#include <algorithm>

namespace chordalis {

namespace {

constexpr std::array<int, 7> MajorSemitones = {0, 2, 4, 5, 7, 9, 11};

// One chord as written with the beats its slashes add.
struct Written {
    QString text;
    int slashes = 0;
};
using Bar = std::vector<Written>;

struct Failure {
    QString error;
    QString token;
};

Failure refuse(const QString& token, const QString& why) {
    return {QStringLiteral("cannot read \"%1\": %2").arg(token, why), token};
}

// The text cut into tokens: "|", "|:", ":|", "%", "/" and the words between.
QStringList tokensOf(QStringView text) {
    QStringList tokens;
    QString word;
    auto flush = [&] {
        if (!word.isEmpty())
            tokens << word;
        word.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isSpace()) {
            flush();
        } else if (c == u'|') {
            const bool opens = i + 1 < text.size() && text[i + 1] == u':';
            const bool closes = word == QLatin1String(":");
            if (closes)
                word.clear();
            else
                flush();
            tokens << (opens    ? QStringLiteral("|:")
                       : closes ? QStringLiteral(":|")
                                : QStringLiteral("|"));
            if (opens)
                ++i;
        } else if (c == u':' && i + 1 < text.size() && text[i + 1] == u'|') {
            flush();
            word = c;
        } else {
            word += c;
        }
    }
    flush();
    return tokens;
}

struct Numeral {
    int accidentals = 0; // -n for n flats, +n sharps
    int degree = 1;      // 1..7
    bool upper = true;
    QString rest; // after the numeral
};

std::optional<Numeral> numeralOf(QStringView token) {
    static const QRegularExpression pattern(
        QStringLiteral("^([b#♭♯]*)(VII|VI|V|IV|III|II|I|vii|vi|v|iv|iii|ii|i)(.*)$"));
    const auto m = pattern.match(token.toString());
    if (!m.hasMatch())
        return std::nullopt;
    Numeral n;
    for (QChar c : m.capturedView(1))
        n.accidentals += c == u'b' || c == u'♭' ? -1 : 1;
    static const QStringList Upper = {"I", "II", "III", "IV", "V", "VI", "VII"};
    const QString numeral = m.captured(2);
    n.upper = numeral.front().isUpper();
    n.degree = int(Upper.indexOf(numeral.toUpper())) + 1;
    n.rest = m.captured(3);
    return n;
}

// The root a numeral stands on in the key: the key's own degree, or the major scale's degree
// altered by the accidentals written.
SpelledNote numeralRoot(const Numeral& n, const Key& key) {
    if (n.accidentals == 0)
        return key.scale[size_t(n.degree - 1)];
    const SpelledNote major = key.root.above(n.degree - 1, MajorSemitones[size_t(n.degree - 1)]);
    return major.above(0, n.accidentals);
}

// The chord symbol's suffix a numeral's case and suffix stand for: "ii7" is "m7", "V7" "7".
std::optional<QString> suffixOf(const Numeral& n) {
    QString rest = n.rest;
    rest.replace(u'o', u'°').replace(QLatin1String("dim"), QStringLiteral("°"));
    rest.replace(QLatin1String("aug"), QLatin1String("+"));
    rest.replace(u'Δ', QLatin1String("maj"));
    if (rest == QStringLiteral("°"))
        return QStringLiteral("dim");
    if (rest == QStringLiteral("°7"))
        return QStringLiteral("dim7");
    if (rest == QStringLiteral("ø") || rest == QStringLiteral("ø7"))
        return QStringLiteral("m7b5");
    if (n.upper) {
        if (rest == QLatin1String("+"))
            return QStringLiteral("aug");
        if (rest == QLatin1String("+7"))
            return QStringLiteral("7#5");
        if (rest == QLatin1String("+maj7"))
            return QStringLiteral("maj7#5");
        if (rest.startsWith(u'+'))
            return std::nullopt;
        return rest;
    }
    if (rest.startsWith(u'+') || rest.startsWith(u'°') || rest.startsWith(u'ø'))
        return std::nullopt;
    if (rest == QLatin1String("(maj7)") || rest == QLatin1String("maj7"))
        return QStringLiteral("m(maj7)");
    return QLatin1String("m") + rest;
}

int majorTriad(const ChordLibrary& chords) {
    return libraryChordOf(chords, {0, 4, 7});
}

// The library chord a suffix after any root names ("m7", "7b9"), or -1.
int chordOfSuffix(const QString& suffix, const SearchIndex& index, const ChordLibrary& chords) {
    if (suffix.isEmpty())
        return majorTriad(chords);
    for (const Found& f : index.find(QLatin1String("C") + suffix, 3))
        if (f.mode == FoundMode::Chord && f.bass < 0 && f.rootTab == 1)
            return f.item;
    return -1;
}

std::optional<ProgressionChord> readChord(const QString& token, const Key& key,
                                          const SearchIndex& index, const ChordLibrary& chords,
                                          Failure& failure) {
    ProgressionChord c;
    c.text = token;
    QString suffix;
    if (const auto n = numeralOf(token)) {
        Numeral head = *n;
        std::optional<SpelledNote> root;
        const qsizetype slash = n->rest.lastIndexOf(u'/');
        if (slash >= 0) {
            // X/Y: X of the major key on Y's root.
            const auto target = numeralOf(QStringView(n->rest).mid(slash + 1));
            if (!target || !target->rest.isEmpty()) {
                failure = refuse(token, QStringLiteral("what follows \"/\" is not a numeral"));
                return std::nullopt;
            }
            head.rest = n->rest.left(slash);
            const SpelledNote on = numeralRoot(*target, key);
            root = on.above(head.degree - 1, MajorSemitones[size_t(head.degree - 1)])
                       .above(0, head.accidentals);
        } else {
            root = numeralRoot(head, key);
        }
        const auto s = suffixOf(head);
        if (!s) {
            failure = refuse(token, QStringLiteral("the numeral's case and its sign disagree"));
            return std::nullopt;
        }
        suffix = *s;
        c.root = *root;
    } else if (const auto note = SpelledNote::of(token)) {
        c.root = *note;
    } else {
        const auto found = index.find(token, 3);
        const auto chord = std::find_if(found.begin(), found.end(), [](const Found& f) {
            return f.mode == FoundMode::Chord && f.rootTab > 0;
        });
        const auto root = chord != found.end() ? SpelledNote::of(chord->root) : std::nullopt;
        if (!root) {
            failure = refuse(token, QStringLiteral("not a chord symbol or a numeral"));
            return std::nullopt;
        }
        c.root = *root;
        c.item = chord->item;
        if (chord->bass >= 0)
            c.bass = SpelledNote::of(chord->bassName);
    }
    if (c.item < 0)
        c.item = chordOfSuffix(suffix, index, chords);
    if (c.item < 0 || size_t(c.item) >= chords.entries.size()) {
        failure = refuse(token, QStringLiteral("the library has no chord \"%1\"").arg(suffix));
        return std::nullopt;
    }
    const ChordEntry& entry = chords.entries[size_t(c.item)];
    c.notes = spellChord(c.root, entry.formula);
    const bool major = c.item == majorTriad(chords);
    c.symbol = c.root.name() + (major ? QString() : entry.name);
    if (c.bass)
        c.symbol += u'/' + c.bass->name();
    return c;
}

// The bars as written, repeats and "%" written out.
std::optional<std::vector<Bar>> barsOf(const QStringList& tokens, Failure& failure) {
    const bool barLines = std::any_of(tokens.begin(), tokens.end(),
                                      [](const QString& t) { return t.contains(u'|'); });
    std::vector<Bar> bars;
    Bar bar;
    size_t repeatFrom = 0;
    bool repeating = false; // a "|:" is open
    bool repeatBar = false;
    auto close = [&]() -> bool {
        if (repeatBar) {
            if (!bar.empty() || bars.empty()) {
                failure = refuse(QStringLiteral("%"),
                                 bars.empty() ? QStringLiteral("there is no bar before it")
                                              : QStringLiteral("a \"%\" stands alone in its bar"));
                return false;
            }
            bars.push_back(bars.back());
        } else if (!bar.empty()) {
            bars.push_back(bar);
        }
        bar.clear();
        repeatBar = false;
        return true;
    };
    for (const QString& t : tokens) {
        if (t == QLatin1String("|") || t == QLatin1String("|:") || t == QLatin1String(":|")) {
            if (!close())
                return std::nullopt;
            if (t == QLatin1String("|:")) {
                if (repeating) {
                    failure = refuse(t, QStringLiteral("repeats do not nest"));
                    return std::nullopt;
                }
                repeating = true;
                repeatFrom = bars.size();
            } else if (t == QLatin1String(":|")) {
                // Without a "|:" the repeat goes back to the start.
                const size_t from = repeating ? repeatFrom : 0;
                repeating = false;
                const std::vector<Bar> again(bars.begin() + qsizetype(from), bars.end());
                bars.insert(bars.end(), again.begin(), again.end());
            }
        } else if (t == QLatin1String("%")) {
            if (repeatBar || !bar.empty()) {
                failure = refuse(t, QStringLiteral("a \"%\" stands alone in its bar"));
                return std::nullopt;
            }
            repeatBar = true;
        } else if (t == QLatin1String("/") || t == QLatin1String(".")) {
            if (bar.empty()) {
                failure = refuse(t, QStringLiteral("a beat mark needs a chord before it"));
                return std::nullopt;
            }
            ++bar.back().slashes;
        } else {
            if (repeatBar) {
                failure = refuse(t, QStringLiteral("a \"%\" stands alone in its bar"));
                return std::nullopt;
            }
            if (!barLines && !bar.empty() && !close())
                return std::nullopt;
            bar.push_back({t, 0});
        }
        size_t count = 0;
        for (const Bar& b : bars)
            count += b.size();
        if (count > size_t(MaxProgressionChords)) {
            failure = {
                QStringLiteral("the progression has more than %1 chords").arg(MaxProgressionChords),
                t};
            return std::nullopt;
        }
    }
    if (!close())
        return std::nullopt;
    if (repeating) {
        failure = refuse(QStringLiteral("|:"), QStringLiteral("the repeat is never closed"));
        return std::nullopt;
    }
    return bars;
}

} // namespace

ProgressionReading readProgression(QStringView text, const Key& key, const SearchIndex& index,
                                   const ChordLibrary& chords, int beatsPerBar) {
    ProgressionReading reading;
    if (text.size() > MaxProgressionText) {
        reading.error =
            QStringLiteral("the progression is longer than %1 characters").arg(MaxProgressionText);
        return reading;
    }
    beatsPerBar = std::clamp(beatsPerBar, 1, 12);
    Failure failure;
    const auto bars = barsOf(tokensOf(text), failure);
    if (!bars) {
        reading.error = failure.error;
        reading.token = failure.token;
        return reading;
    }
    Progression p;
    p.beatsPerBar = beatsPerBar;
    for (const Bar& bar : *bars) {
        const bool slashes =
            std::any_of(bar.begin(), bar.end(), [](const Written& w) { return w.slashes > 0; });
        const int n = int(bar.size());
        for (int k = 0; k < n; ++k) {
            auto chord = readChord(bar[size_t(k)].text, key, index, chords, failure);
            if (!chord) {
                reading.error = failure.error;
                reading.token = failure.token;
                return reading;
            }
            chord->bar = p.bars;
            chord->beats = slashes            ? 1 + bar[size_t(k)].slashes
                           : n >= beatsPerBar ? 1
                                              : beatsPerBar / n + (k < beatsPerBar % n ? 1 : 0);
            p.chords.push_back(std::move(*chord));
        }
        ++p.bars;
    }
    if (p.chords.empty()) {
        reading.error = QStringLiteral("the progression has no chords");
        return reading;
    }
    reading.progression = std::move(p);
    return reading;
}

std::vector<LibraryProgression> loadProgressions(IniReader& ini, Warnings& warnings) {
    const QString file = QStringLiteral("progressions");
    std::vector<LibraryProgression> out;
    if (const QString problem = ini.problem(file); !problem.isEmpty())
        warnings.warn(problem);
    for (const QString& section : ini.sections(file)) {
        LibraryProgression p;
        p.id = section;
        p.name = ini.readIni(file, section, QStringLiteral("name"));
        p.group = ini.readIni(file, section, QStringLiteral("group"));
        p.chords = ini.readIni(file, section, QStringLiteral("chords"));
        const QString mode = ini.readIni(file, section, QStringLiteral("mode"));
        const QString meter = ini.readIni(file, section, QStringLiteral("meter"));
        const auto keyMode = mode.isEmpty() ? std::optional(KeyMode::Major) : keyModeOf(mode);
        p.beatsPerBar = meter.isEmpty() ? 4 : leadingNumber(meter);
        QString fault;
        if (p.name.isEmpty() || p.chords.isEmpty())
            fault = QStringLiteral("has no name or no chords");
        else if (!keyMode)
            fault = QStringLiteral("has mode \"%1\", which is no mode").arg(mode);
        else if (p.beatsPerBar < 2 || p.beatsPerBar > 12)
            fault = QStringLiteral("has meter \"%1\"; a bar has 2..12 beats").arg(meter);
        if (!fault.isEmpty()) {
            warnings.warn(
                QStringLiteral("progressions.ini [%1] %2; it is left out").arg(section, fault));
            continue;
        }
        p.mode = *keyMode;
        out.push_back(std::move(p));
    }
    return out;
}

} // namespace chordalis
