#include "search/SearchIndex.h"

#include "theory/RootTabs.h"
#include "theory/Spelling.h"

#include <algorithm>
#include <array>
#include <optional>

namespace chordalis {

const char* foundModeWord(FoundMode mode) {
    switch (mode) {
    case FoundMode::Chord:
        return "chord";
    case FoundMode::Scale:
        return "scale";
    case FoundMode::Arpeggio:
        return "arpeggio";
    case FoundMode::Note:
        return "note";
    case FoundMode::Triad:
        return "triad";
    }
    return "note";
}

namespace {

// No page asked for by a word; else the FoundMode asked for.
constexpr int AnyKind = -1;

// Scores of the readings of a text: lower is better. A note alone comes first, then chord
// symbols (exact, tidied, in another case), then names.
constexpr int NoteScore = 0;
constexpr int SymbolScore = 10;
constexpr int SlashExtra = 1;
constexpr int ChordNameScore = 20;
constexpr int ScaleNameScore = 21;
constexpr int AltNameScore = 22;
constexpr int TriadNameScore = 23;
constexpr int AliasScore = 25;
constexpr int ShortRootExtra = 1; // "B" + "b5" after "Bb" + "5"
constexpr int RootAfterExtra = 2; // "dorian A"
constexpr int LowerRootExtra = 5; // "am"
constexpr int PrefixScore = 100;  // completions after every exact reading
constexpr int NamePrefixScore = 200;

// Common ways of writing a chord that the library's symbols leave out, with the library name of
// the chord each stands for.
constexpr std::array<std::pair<const char*, const char*>, 9> SymbolAliases = {{
    {"o", "dim"},
    {"\u0394", "maj7"},
    {"m\u03947", "m(maj7)"},
    {"m\u03949", "m(maj9)"},
    {"alt", "7#5#9"},
    {"minor", "m"},
    {"mi7b5", "m7b5"},
    {"dom", "7"},
    {"h7", "m7b5"},
}};

// Words that ask for a page, before or after a name.
struct KindWord {
    const char* word;
    FoundMode mode;
};
constexpr std::array<KindWord, 10> KindWords = {{
    {"chord", FoundMode::Chord},
    {"chords", FoundMode::Chord},
    {"scale", FoundMode::Scale},
    {"scales", FoundMode::Scale},
    {"arpeggio", FoundMode::Arpeggio},
    {"arpeggios", FoundMode::Arpeggio},
    {"arp", FoundMode::Arpeggio},
    {"triad", FoundMode::Triad},
    {"triads", FoundMode::Triad},
    {"note", FoundMode::Note},
}};

// Words between a name and the root after it: "hirajoshi on E".
constexpr std::array<const char*, 4> RootConnectors = {"on", "in", "from", "at"};

// Ordinal words as the library writes them in names.
constexpr std::array<std::pair<const char*, const char*>, 7> Ordinals = {{
    {"first", "1st"},
    {"second", "2nd"},
    {"third", "3rd"},
    {"fourth", "4th"},
    {"fifth", "5th"},
    {"sixth", "6th"},
    {"seventh", "7th"},
}};

// The text with the signs players type in its place (♯ ♭ △ ^ º Ø, dashes and minus signs),
// control characters dropped and every run of blanks one blank, trimmed.
QString tidy(QStringView raw) {
    QString t;
    t.reserve(raw.size());
    bool blank = false;
    for (QChar c : raw) {
        char16_t u = c.unicode();
        switch (u) {
        case u'\u266F': // ♯
        case u'\uFF03': // ＃
            u = u'#';
            break;
        case u'\u266D': // ♭
            u = u'b';
            break;
        case u'\u25B3': // △
        case u'\u2206': // ∆
        case u'^':
            u = u'\u0394'; // Δ
            break;
        case u'\u00BA':    // º
        case u'\u02DA':    // ˚
            u = u'\u00B0'; // °
            break;
        case u'\u00D8': // Ø
            u = u'\u00F8';
            break;
        case u'\u2212': // minus sign
        case u'\u2010':
        case u'\u2011':
        case u'\u2013':
            u = u'-';
            break;
        case u'\u2019':
            u = u'\'';
            break;
        default:
            break;
        }
        const QChar ch(u);
        if (ch.isSpace()) {
            blank = !t.isEmpty();
            continue;
        }
        if (ch.category() == QChar::Other_Control || ch.category() == QChar::Other_Format)
            continue;
        if (blank)
            t += u' ';
        blank = false;
        t += ch;
    }
    return t;
}

// A chord symbol as compared after the exact one: brackets, commas and blanks dropped, and a +
// or - before a digit past the first sign written # or b ("7+9" is 7#9, "m7-5" m7b5; "-7" stays
// the minor 7th).
QString tidySymbol(QStringView s) {
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'(' || c == u')' || c == u',' || c == u' ')
            continue;
        if ((c == u'+' || c == u'-') && !out.isEmpty() && i + 1 < s.size() && s[i + 1].isDigit()) {
            out += c == u'+' ? u'#' : u'b';
            continue;
        }
        out += c;
    }
    return out;
}

// A tidied symbol in lower case, with "major" and "minor" written "maj" and "min".
QString foldSymbol(const QString& tidied) {
    QString folded = tidied.toLower();
    folded.replace(QLatin1String("major"), QLatin1String("maj"));
    folded.replace(QLatin1String("minor"), QLatin1String("min"));
    return folded;
}

// A name's key: lower case letters, digits and # only, ordinal words as numbers ("Minor First
// Inversion" is "minor1stinversion").
QString nameKey(QStringView text) {
    QString key;
    key.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c.isLetter()) {
            qsizetype end = i;
            while (end < text.size() && text[end].isLetter())
                ++end;
            const QString word = text.mid(i, end - i).toString().toLower();
            const auto ordinal = std::find_if(Ordinals.begin(), Ordinals.end(), [&](const auto& o) {
                return word == QLatin1String(o.first);
            });
            key += ordinal != Ordinals.end() ? QLatin1String(ordinal->second) : word;
            i = end;
            continue;
        }
        if (c.isDigit() || c == u'#')
            key += c;
        ++i;
    }
    return key;
}

bool isNoteLetter(QChar c) {
    return (c >= u'A' && c <= u'G') || (c >= u'a' && c <= u'g');
}

// The lengths of the notes a text may begin with, longest first: a letter A..G (or a..g) and up
// to two sharps or two flats. Returns how many (0 when the text begins with no note).
int rootLengths(QStringView text, std::array<qsizetype, 3>& lengths) {
    if (text.isEmpty() || !isNoteLetter(text[0]))
        return 0;
    qsizetype end = 1;
    if (end < text.size() && (text[end] == u'#' || text[end] == u'b')) {
        const QChar sign = text[end];
        while (end < text.size() && end < 3 && text[end] == sign)
            ++end;
    }
    int n = 0;
    for (qsizetype len = end; len >= 1; --len)
        lengths[size_t(n++)] = len;
    return n;
}

bool isNoteToken(QStringView token) {
    std::array<qsizetype, 3> lengths{};
    return rootLengths(token, lengths) > 0 && lengths[0] == token.size();
}

QString joinName(const QString& root, const QString& name) {
    return root.isEmpty() ? name : root + u' ' + name;
}

// A formula compared without its blanks.
QString formulaKey(const QString& formula) {
    return QString(formula).remove(u' ');
}

// The optimal string alignment distance between a and b (a swap of neighbours counts one), or
// more than `most` when it is larger than that. Letters compared in lower case when `fold`.
int distance(QStringView a, QStringView b, int most, bool fold) {
    const qsizetype n = a.size();
    const qsizetype m = b.size();
    if (std::abs(int(n - m)) > most || m > MaxSearchText + 1 || n > 4 * MaxSearchText)
        return most + 1;
    std::array<std::array<int, MaxSearchText + 2>, 3> rows{};
    auto same = [fold](QChar x, QChar y) {
        return fold ? x.toLower() == y.toLower() : x == y;
    };
    for (qsizetype j = 0; j <= m; ++j)
        rows[1][size_t(j)] = int(j);
    for (qsizetype i = 1; i <= n; ++i) {
        auto& row = rows[size_t(i % 3)];
        const auto& prev = rows[size_t((i + 2) % 3)];
        const auto& prev2 = rows[size_t((i + 1) % 3)];
        row[0] = int(i);
        int best = row[0];
        for (qsizetype j = 1; j <= m; ++j) {
            const int cost = same(a[i - 1], b[j - 1]) ? 0 : 1;
            int d =
                std::min({prev[size_t(j)] + 1, row[size_t(j - 1)] + 1, prev[size_t(j - 1)] + cost});
            if (i > 1 && j > 1 && same(a[i - 1], b[j - 2]) && same(a[i - 2], b[j - 1]))
                d = std::min(d, prev2[size_t(j - 2)] + 1);
            row[size_t(j)] = d;
            best = std::min(best, d);
        }
        if (best > most)
            return most + 1;
    }
    return rows[size_t(n % 3)][size_t(m)];
}

} // namespace

struct SearchIndex::Candidate {
    Found found;
    int score;
};

struct SearchIndex::Root {
    QString name; // tidied: capital letter, then the signs as typed
    int tab = 0;
    int pitchClass = 0;
    int extra = 0; // added to the score of every reading with this root

    explicit Root(QStringView token) {
        name = token.toString();
        name[0] = name[0].toUpper();
        pitchClass = pitchClassOf(name);
        tab = rootTabOf(pitchClass, name.contains(u'#'));
        if (token[0].isLower())
            extra += LowerRootExtra;
    }
};

SearchIndex::SearchIndex(const ChordLibrary& chords, const ScaleLibrary& scales,
                         const TriadLibrary& triads) {
    const int chordCount = std::clamp(chords.count, 0, int(chords.entries.size()));
    for (int i = 0; i < chordCount; ++i) {
        const ChordEntry& e = chords.entries[size_t(i)];
        m_chordNames.push_back(tidy(e.name));
        m_chordVerbose.push_back(tidy(e.nameverbose));
        m_chordFormulas.push_back(formulaKey(e.formula));
        addSymbol(m_chordNames.back(), i);
        for (const QString& symbol : e.chordsymbols.split(u';'))
            addSymbol(tidy(symbol), i);
        if (m_chordFormulas.back() == QLatin1String("1;3;5") && m_majorChord < 0)
            m_majorChord = i;
    }
    for (const auto& [alias, target] : SymbolAliases) {
        const auto chord =
            std::find(m_chordNames.begin(), m_chordNames.end(), QString::fromUtf8(target));
        const QString symbol = QString::fromUtf8(alias);
        if (chord != m_chordNames.end() && !m_symbols.contains(symbol))
            addSymbol(symbol, int(chord - m_chordNames.begin()));
    }
    // Chord names before scale names: "C Augmented" is the chord, "C Augmented scale" the scale.
    for (int i = 0; i < chordCount; ++i) {
        if (!m_chordVerbose[size_t(i)].isEmpty())
            addName(m_chordVerbose[size_t(i)], {FoundMode::Chord, i, ChordNameScore});
    }

    const int scaleCount = std::clamp(scales.count, 0, int(scales.entries.size()));
    int naturalMinor = -1;
    for (int i = 0; i < scaleCount; ++i) {
        const ScaleEntry& e = scales.entries[size_t(i)];
        m_scaleNames.push_back(tidy(e.name));
        addName(m_scaleNames.back(), {FoundMode::Scale, i, ScaleNameScore});
        for (const QString& alt : e.altname.split(u';'))
            addName(tidy(alt), {FoundMode::Scale, i, AltNameScore});
        const QString formula = formulaKey(e.formula);
        if (formula == QLatin1String("1;2;3;4;5;6;7") && m_majorScale < 0)
            m_majorScale = i;
        if (formula == QLatin1String("1;2;b3;4;5;b6;b7") && naturalMinor < 0)
            naturalMinor = i;
    }
    if (naturalMinor >= 0) // "A minor scale"
        addName(QStringLiteral("minor"), {FoundMode::Scale, naturalMinor, AliasScore});

    for (int i = 0; i < int(triads.entries.size()); ++i) {
        const TriadEntry& e = triads.entries[size_t(i)];
        m_triadNames.push_back(tidy(e.name));
        m_triadFormulas.push_back(formulaKey(e.formula));
        addName(m_triadNames.back(), {FoundMode::Triad, i, TriadNameScore});
    }

    // A scale whose name alone finds something else first is offered as "A Augmented scale".
    for (int i = 0; i < scaleCount; ++i) {
        const auto refs = m_names.constFind(nameKey(m_scaleNames[size_t(i)]));
        bool taken = false;
        if (refs != m_names.cend()) {
            for (const Ref& r : *refs)
                taken = taken || (r.mode != FoundMode::Scale && r.score <= ScaleNameScore) ||
                        (r.mode == FoundMode::Scale && r.item < i && r.score <= ScaleNameScore);
        }
        m_scaleNameTaken.push_back(taken);
    }

    std::sort(m_sortedSymbols.begin(), m_sortedSymbols.end());
    std::sort(m_sortedNames.begin(), m_sortedNames.end(),
              [](const NameStart& a, const NameStart& b) { return a.key < b.key; });
}

void SearchIndex::addSymbol(const QString& symbol, int chord) {
    if (symbol.isEmpty())
        return;
    auto put = [chord](QHash<QString, int>& table, const QString& key) {
        if (key.isEmpty())
            return;
        const auto it = table.find(key);
        if (it == table.end())
            table.insert(key, chord);
        else if (*it != chord)
            *it = -1; // two chords share it: it names neither
    };
    put(m_symbols, symbol);
    const QString tidied = tidySymbol(symbol);
    put(m_tidySymbols, tidied);
    put(m_foldedSymbols, foldSymbol(tidied));
    m_sortedSymbols.emplace_back(symbol, chord);
    m_suggestions.push_back({symbol, symbol.toLower(), FoundMode::Chord, chord, true});
}

void SearchIndex::addName(const QString& name, Ref ref) {
    const QString key = nameKey(name);
    if (key.isEmpty())
        return;
    auto add = [&](const QString& k) {
        std::vector<Ref>& refs = m_names[k];
        const bool known = std::any_of(refs.begin(), refs.end(), [&](const Ref& r) {
            return r.mode == ref.mode && r.item == ref.item;
        });
        if (!known)
            refs.push_back(ref);
    };
    add(key);
    // "Whole Step Scale" is found as "whole step" too.
    if (key.endsWith(QLatin1String("scale")) && key.size() > 5)
        add(key.left(key.size() - 5));
    // Completions find a name by the start of any of its words.
    bool first = true;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const bool wordStart =
            name[i].isLetterOrNumber() && (i == 0 || name[i - 1] == u' ' || name[i - 1] == u'-');
        if (!wordStart)
            continue;
        m_sortedNames.push_back({nameKey(QStringView(name).mid(i)), ref, first});
        first = false;
    }
    m_suggestions.push_back({name, name.toLower(), ref.mode, ref.item, false});
}

int SearchIndex::chordOfSymbol(QStringView symbol, int* closeness) const {
    const QString exact = symbol.toString();
    if (const auto it = m_symbols.constFind(exact); it != m_symbols.cend() && *it >= 0) {
        *closeness = 0;
        return *it;
    }
    const QString tidied = tidySymbol(symbol);
    if (const auto it = m_tidySymbols.constFind(tidied); it != m_tidySymbols.cend() && *it >= 0) {
        *closeness = 1;
        return *it;
    }
    if (const auto it = m_foldedSymbols.constFind(foldSymbol(tidied));
        it != m_foldedSymbols.cend() && *it >= 0) {
        *closeness = 2;
        return *it;
    }
    return -1;
}

Found SearchIndex::make(FoundMode mode, int item, const Root* root, const Root* bass) const {
    Found f;
    f.mode = mode;
    f.item = item;
    const QString prefix = root ? root->name : QString();
    if (root) {
        f.rootTab = root->tab;
        f.root = root->name;
    }
    if (bass) {
        f.bass = bass->pitchClass;
        f.bassName = bass->name;
    }
    switch (mode) {
    case FoundMode::Note:
        f.text = f.name = prefix;
        break;
    case FoundMode::Chord:
    case FoundMode::Arpeggio: {
        const QString& verbose = m_chordVerbose[size_t(item)].isEmpty()
                                     ? m_chordNames[size_t(item)]
                                     : m_chordVerbose[size_t(item)];
        const QString& symbol = m_chordNames[size_t(item)];
        if (!root || symbol.isEmpty())
            f.text = joinName(prefix, verbose);
        else
            f.text = prefix + (bass && item == m_majorChord ? QString() : symbol);
        f.name = joinName(prefix, verbose);
        if (bass) {
            f.text += u'/' + bass->name;
            f.name += QLatin1String(" over ") + bass->name;
        }
        if (mode == FoundMode::Arpeggio)
            f.text += QLatin1String(" arpeggio");
        break;
    }
    case FoundMode::Scale:
        f.name = joinName(prefix, m_scaleNames[size_t(item)]);
        f.text = m_scaleNameTaken[size_t(item)] ? f.name + QLatin1String(" scale") : f.name;
        break;
    case FoundMode::Triad:
        f.text = f.name = joinName(prefix, m_triadNames[size_t(item)]);
        break;
    }
    return f;
}

void SearchIndex::addChord(int chord, const Root* root, const Root* bass, int kind, int score,
                           std::vector<Candidate>& out) const {
    if (chord < 0 || chord >= int(m_chordNames.size()))
        return;
    if (kind == AnyKind || kind == int(FoundMode::Chord)) {
        out.push_back({make(FoundMode::Chord, chord, root, bass), score});
    } else if (kind == int(FoundMode::Arpeggio) && !bass) {
        out.push_back({make(FoundMode::Arpeggio, chord, root, nullptr), score});
    } else if (kind == int(FoundMode::Triad) && !bass) {
        // The triad of the same notes, in root position: "Cm triad".
        const auto triad = std::find(m_triadFormulas.begin(), m_triadFormulas.end(),
                                     m_chordFormulas[size_t(chord)]);
        if (triad != m_triadFormulas.end())
            out.push_back(
                {make(FoundMode::Triad, int(triad - m_triadFormulas.begin()), root, nullptr),
                 score});
    }
}

void SearchIndex::addRef(const Ref& ref, const Root* root, int kind, int score,
                         std::vector<Candidate>& out) const {
    if (ref.mode == FoundMode::Chord) {
        addChord(ref.item, root, nullptr, kind, score, out);
    } else if (kind == AnyKind || kind == int(ref.mode)) {
        out.push_back({make(ref.mode, ref.item, root, nullptr), score});
    }
}

void SearchIndex::addNames(QStringView text, const Root* root, int kind, int extra,
                           std::vector<Candidate>& out) const {
    const auto refs = m_names.constFind(nameKey(text));
    if (refs == m_names.cend())
        return;
    for (const Ref& r : *refs)
        addRef(r, root, kind, r.score + extra, out);
}

void SearchIndex::interpretRooted(const Root& root, QStringView rest, int kind,
                                  std::vector<Candidate>& out) const {
    if (rest.isEmpty()) {
        if (kind == AnyKind || kind == int(FoundMode::Note))
            out.push_back({make(FoundMode::Note, -1, &root, nullptr), NoteScore + root.extra});
        else if (kind == int(FoundMode::Scale) && m_majorScale >= 0)
            out.push_back({make(FoundMode::Scale, m_majorScale, &root, nullptr),
                           ScaleNameScore + root.extra});
        else
            addChord(m_majorChord, &root, nullptr, kind, SymbolScore + root.extra, out);
        return;
    }
    int closeness = 0;
    const int chord = chordOfSymbol(rest, &closeness);
    if (chord >= 0) {
        addChord(chord, &root, nullptr, kind, SymbolScore + closeness + root.extra, out);
    } else if (const qsizetype slash = rest.lastIndexOf(u'/'); slash >= 0) {
        const QStringView bassText = rest.mid(slash + 1).trimmed();
        const QStringView head = rest.left(slash).trimmed();
        if (isNoteToken(bassText)) {
            const Root bass(bassText);
            int headCloseness = 0;
            const int slashChord =
                head.isEmpty() ? m_majorChord : chordOfSymbol(head, &headCloseness);
            addChord(slashChord, &root, &bass, kind,
                     SymbolScore + headCloseness + SlashExtra + root.extra, out);
        }
    }
    addNames(rest, &root, kind, root.extra, out);
}

void SearchIndex::interpret(QStringView text, int kind, std::vector<Candidate>& out) const {
    if (text.isEmpty())
        return;
    // A root first: a note, a chord symbol, a slash chord or a name after it.
    std::array<qsizetype, 3> lengths{};
    const int roots = rootLengths(text, lengths);
    for (int k = 0; k < roots; ++k) {
        Root root(text.left(lengths[size_t(k)]));
        root.extra += k > 0 ? ShortRootExtra : 0;
        interpretRooted(root, text.mid(lengths[size_t(k)]).trimmed(), kind, out);
    }
    // A name with the root after it: "dorian A", "hirajoshi on E".
    if (const qsizetype blank = text.lastIndexOf(u' '); blank > 0) {
        const QStringView token = text.mid(blank + 1);
        if (isNoteToken(token)) {
            Root root(token);
            QStringView name = text.left(blank);
            if (const qsizetype before = name.lastIndexOf(u' '); before > 0) {
                const QStringView word = name.mid(before + 1);
                for (const char* connector : RootConnectors)
                    if (word.compare(QLatin1String(connector), Qt::CaseInsensitive) == 0)
                        name = name.left(before);
            }
            addNames(name, &root, kind, RootAfterExtra + root.extra, out);
        }
    }
    // A name alone: the window keeps its root.
    addNames(text, nullptr, kind, 0, out);
}

std::vector<Found> SearchIndex::ranked(std::vector<Candidate>& candidates, int most) {
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.score < b.score; });
    std::vector<Found> found;
    for (Candidate& c : candidates) {
        if (int(found.size()) >= most)
            break;
        const bool known = std::any_of(found.begin(), found.end(),
                                       [&](const Found& f) { return f.samePlace(c.found); });
        if (!known)
            found.push_back(std::move(c.found));
    }
    return found;
}

namespace {

// The page a word at the start or the end of the text asks for, and the text without it.
std::optional<std::pair<FoundMode, QStringView>> kindWord(QStringView text) {
    const qsizetype last = text.lastIndexOf(u' ');
    const qsizetype first = text.indexOf(u' ');
    if (last < 0)
        return std::nullopt;
    for (const KindWord& k : KindWords) {
        if (text.mid(last + 1).compare(QLatin1String(k.word), Qt::CaseInsensitive) == 0)
            return std::pair{k.mode, text.left(last)};
        if (text.left(first).compare(QLatin1String(k.word), Qt::CaseInsensitive) == 0)
            return std::pair{k.mode, text.mid(first + 1)};
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> SearchIndex::readAll(QStringView text,
                                            std::vector<Candidate>& candidates) const {
    // Checked before tidying: a huge paste costs nothing.
    if (text.size() > 4 * MaxSearchText)
        return std::nullopt;
    QString t = tidy(text);
    if (t.isEmpty() || t.size() > MaxSearchText)
        return std::nullopt;
    interpret(t, AnyKind, candidates);
    if (const auto kind = kindWord(t))
        interpret(kind->second, int(kind->first), candidates);
    return t;
}

std::vector<Found> SearchIndex::find(QStringView text, int most) const {
    std::vector<Candidate> candidates;
    if (most <= 0 || !readAll(text, candidates))
        return {};
    return ranked(candidates, most);
}

std::vector<Found> SearchIndex::complete(QStringView text, int most) const {
    std::vector<Candidate> candidates;
    const auto tidied = most > 0 ? readAll(text, candidates) : std::nullopt;
    if (!tidied)
        return {};
    const QString& t = *tidied;

    // Names beginning with a key, or with a word beginning with it.
    auto names = [&](QStringView part, const Root* root, int extra) {
        const QString key = nameKey(part);
        if (key.isEmpty())
            return;
        auto it = std::lower_bound(m_sortedNames.begin(), m_sortedNames.end(), key,
                                   [](const NameStart& n, const QString& k) { return n.key < k; });
        for (; it != m_sortedNames.end() && it->key.startsWith(key); ++it)
            addRef(it->ref, root, AnyKind,
                   NamePrefixScore + (it->whole ? 0 : 50) + it->ref.score + extra, candidates);
    };
    std::array<qsizetype, 3> lengths{};
    const int roots = rootLengths(t, lengths);
    for (int k = 0; k < roots; ++k) {
        Root root(QStringView(t).left(lengths[size_t(k)]));
        root.extra += k > 0 ? ShortRootExtra : 0;
        const QStringView rest = QStringView(t).mid(lengths[size_t(k)]).trimmed();
        // Chord symbols beginning with what follows the root, shorter ones first.
        auto it = std::lower_bound(m_sortedSymbols.begin(), m_sortedSymbols.end(), rest,
                                   [](const std::pair<QString, int>& s, QStringView r) {
                                       return QStringView(s.first) < r;
                                   });
        for (; it != m_sortedSymbols.end() && it->first.startsWith(rest); ++it)
            addChord(it->second, &root, nullptr, AnyKind,
                     PrefixScore + int(it->first.size()) + root.extra, candidates);
        if (!rest.isEmpty())
            names(rest, &root, root.extra);
    }
    names(t, nullptr, 0);
    return ranked(candidates, most);
}

QStringList SearchIndex::suggest(QStringView text, int most) const {
    if (text.size() > 4 * MaxSearchText || most <= 0)
        return {};
    const QString t = tidy(text);
    if (t.isEmpty() || t.size() > MaxSearchText)
        return {};
    std::array<qsizetype, 3> lengths{};
    std::optional<Root> root;
    QStringView rest;
    if (rootLengths(t, lengths) > 0 && lengths[0] < t.size()) {
        root.emplace(QStringView(t).left(lengths[0]));
        rest = QStringView(t).mid(lengths[0]).trimmed();
    }
    const int limit = std::clamp(int(t.size()) / 3, 1, 4);

    struct Near {
        int rank; // prefix matches first, shorter ones first; then by distance
        size_t suggestion;
        bool rooted;
    };
    std::vector<Near> near;
    auto consider = [&](QStringView typed, size_t k, bool rooted) {
        const Suggestion& s = m_suggestions[k];
        int rank = -1;
        const bool begins =
            s.symbol ? s.text.startsWith(typed) : s.folded.startsWith(typed, Qt::CaseInsensitive);
        if (begins && typed.size() >= 2)
            rank = int(s.text.size() - typed.size());
        else if (const int d = distance(typed, s.text, limit, !s.symbol); d <= limit)
            rank = 1000 + d * 100 + int(s.text.size());
        if (rank < 0)
            return;
        const auto same = std::find_if(near.begin(), near.end(), [&](const Near& n) {
            return m_suggestions[n.suggestion].mode == s.mode &&
                   m_suggestions[n.suggestion].item == s.item;
        });
        if (same == near.end())
            near.push_back({rank, k, rooted});
        else if (rank < same->rank)
            *same = {rank, k, rooted};
    };
    for (size_t k = 0; k < m_suggestions.size(); ++k) {
        if (m_suggestions[k].symbol) {
            if (root && !rest.isEmpty())
                consider(rest, k, true);
            continue;
        }
        consider(t, k, false);
        if (root && !rest.isEmpty())
            consider(rest, k, true);
    }
    std::stable_sort(near.begin(), near.end(),
                     [](const Near& a, const Near& b) { return a.rank < b.rank; });
    QStringList texts;
    for (const Near& n : near) {
        if (texts.size() >= most)
            break;
        const Suggestion& s = m_suggestions[n.suggestion];
        QString shown = !n.rooted  ? s.text
                        : s.symbol ? root->name + s.text
                                   : root->name + u' ' + s.text;
        if (!texts.contains(shown))
            texts << shown;
    }
    return texts;
}

} // namespace chordalis
