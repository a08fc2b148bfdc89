#include "practice/Questions.h"

#include "theory/Spelling.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <set>
#include <utility>

namespace chordalis {

std::uint64_t PracticeRandom::next() {
    // splitmix64: small, fast and the same everywhere.
    std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

int PracticeRandom::between(int low, int high) {
    if (high <= low)
        return low;
    const std::uint64_t span = std::uint64_t(std::int64_t(high) - low) + 1;
    return int(std::int64_t(low) + std::int64_t(next() % span));
}

namespace {

struct QuizName {
    QuizKind kind;
    const char* word;
    const char* caption;
};
constexpr std::array<QuizName, 10> QuizNames = {{
    {QuizKind::NameNote, "name-note", "Name the marked note"},
    {QuizKind::FindOnString, "find-string", "Find a note on a string"},
    {QuizKind::FindInWindow, "find-position", "Find a note in a position"},
    {QuizKind::FindOnNeck, "find-neck", "Find a note on the whole neck"},
    {QuizKind::Intervals, "intervals", "Intervals by ear"},
    {QuizKind::Qualities, "qualities", "Chord qualities by ear"},
    {QuizKind::Changes, "changes", "Chord changes (a minute each)"},
    {QuizKind::Scales, "scales", "Scales and modes by ear"},
    {QuizKind::Progressions, "progressions", "Progressions by ear (Roman numerals)"},
    {QuizKind::Runs, "runs", "Runs along the metronome"},
}};

// The shapes a run plays in a position: scales by their ear-quiz word, arpeggios by "arp-" and
// their quality's name.
constexpr std::array<const char*, 9> RunShapes = {
    "major", "minor", "major-pentatonic", "minor-pentatonic", "blues", "arp-maj", "arp-m",
    "arp-7", "arp-m7"};

// The scales the ear quiz plays: semitones above the root up to its octave, and the other names
// players give them (lower case, words joined by hyphens).
struct EarScale {
    const char* word;
    const char* caption;
    std::vector<int> steps;
    std::vector<const char*> aliases;
};
const std::array<EarScale, 12> EarScales = {{
    {"major", "major", {0, 2, 4, 5, 7, 9, 11, 12}, {"ionian", "major-scale"}},
    {"dorian", "Dorian", {0, 2, 3, 5, 7, 9, 10, 12}, {}},
    {"phrygian", "Phrygian", {0, 1, 3, 5, 7, 8, 10, 12}, {}},
    {"lydian", "Lydian", {0, 2, 4, 6, 7, 9, 11, 12}, {}},
    {"mixolydian", "Mixolydian", {0, 2, 4, 5, 7, 9, 10, 12}, {}},
    {"minor", "natural minor", {0, 2, 3, 5, 7, 8, 10, 12}, {"aeolian", "natural-minor"}},
    {"locrian", "Locrian", {0, 1, 3, 5, 6, 8, 10, 12}, {}},
    {"harmonic-minor", "harmonic minor", {0, 2, 3, 5, 7, 8, 11, 12}, {}},
    {"melodic-minor", "melodic minor", {0, 2, 3, 5, 7, 9, 11, 12}, {"jazz-minor"}},
    {"major-pentatonic", "major pentatonic", {0, 2, 4, 7, 9, 12}, {}},
    {"minor-pentatonic", "minor pentatonic", {0, 3, 5, 7, 10, 12}, {}},
    {"blues", "blues", {0, 3, 5, 6, 7, 10, 12}, {"minor-blues", "blues-scale"}},
}};

// A scale as a player names it, or null: case, blanks, hyphens and underscores aside.
const EarScale* earScaleNamed(const QString& text) {
    QString word = text.trimmed().toLower();
    word.replace(QRegularExpression(QStringLiteral("[\\s_-]+")), QStringLiteral("-"));
    for (const EarScale& scale : EarScales) {
        if (word == QLatin1String(scale.word))
            return &scale;
        for (const char* alias : scale.aliases)
            if (word == QLatin1String(alias))
                return &scale;
    }
    return nullptr;
}

// Numerals as the player writes them, one token each: bar lines, commas and dashes between them
// are blanks, and "o" stands for "°".
QStringList numeralTokens(const QString& text) {
    QString t = text;
    t.replace(u'o', QChar(0x00B0));
    return t.split(QRegularExpression(QStringLiteral("[\\s|,\u2013-]+")), Qt::SkipEmptyParts);
}

// The chord qualities the ear quiz plays: semitones above the root, root position.
struct Quality {
    const char* name;
    const char* words; // the prompt's name
    std::vector<int> semitones;
};
const std::array<Quality, 9> Qualities = {{
    {"maj", "major triad", {0, 4, 7}},
    {"m", "minor triad", {0, 3, 7}},
    {"dim", "diminished triad", {0, 3, 6}},
    {"aug", "augmented triad", {0, 4, 8}},
    {"7", "dominant 7th", {0, 4, 7, 10}},
    {"maj7", "major 7th", {0, 4, 7, 11}},
    {"m7", "minor 7th", {0, 3, 7, 10}},
    {"m7b5", "half-diminished 7th", {0, 3, 6, 10}},
    {"dim7", "diminished 7th", {0, 3, 6, 9}},
}};

// Other ways players write a quality, lower case.
const std::array<std::pair<const char*, const char*>, 9> QualityAliases = {{
    {"", "maj"},
    {"major", "maj"},
    {"min", "m"},
    {"minor", "m"},
    {"-", "m"},
    {"+", "aug"},
    {"dom7", "7"},
    {"ø", "m7b5"},
    {"o7", "dim7"},
}};

const std::array<const char*, 13> IntervalNames = {"P1", "m2", "M2", "m3", "M3", "P4", "TT",
                                                   "P5", "m6", "M6", "m7", "M7", "P8"};

// How long a right answer may take before it counts as slow, in seconds.
double slowLimit(QuizKind kind) {
    switch (kind) {
    case QuizKind::FindOnString:
    case QuizKind::FindInWindow:
        return 10.0;
    case QuizKind::FindOnNeck:
        return 30.0;
    case QuizKind::NameNote:
        return 5.0;
    case QuizKind::Intervals:
        return 6.0;
    case QuizKind::Qualities:
    case QuizKind::Scales:
        return 8.0;
    case QuizKind::Progressions:
        return 20.0;
    case QuizKind::Runs:
    case QuizKind::Changes:
        break;
    }
    return 1e9; // a minute of changes is never slow
}

QString flatName(int pitchClass) {
    return noteName(pitchClass, FlatColumn);
}

// A note name as a player types it, in either spelling; nothing for anything else.
std::optional<int> readNoteName(QString text) {
    text = text.trimmed();
    static const QRegularExpression name(QStringLiteral("^[A-Ga-g](?:b*|#*)$"));
    if (!name.match(text).hasMatch())
        return std::nullopt;
    text[0] = text[0].toUpper();
    return pitchClassOf(text);
}

const Quality* qualityNamed(const QString& name) {
    for (const Quality& q : Qualities)
        if (name == QLatin1String(q.name))
            return &q;
    return nullptr;
}

// The notes of a chord of that quality on a bass note, in inversion 0..size-1: the lowest notes
// of root position each moved up an octave.
std::vector<int> invert(const Quality& quality, int root, int inversion) {
    std::vector<int> notes;
    for (int s : quality.semitones)
        notes.push_back(root + s);
    for (int k = 0; k < inversion; ++k) {
        notes.push_back(notes.front() + 12);
        notes.erase(notes.begin());
    }
    return notes;
}

const char* inversionWords(int inversion) {
    static const std::array<const char*, 4> words = {"root position", "1st inversion",
                                                     "2nd inversion", "3rd inversion"};
    return words[std::size_t(std::clamp(inversion, 0, 3))];
}

std::optional<int> number(const QString& text) {
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

} // namespace

QString quizWord(QuizKind kind) {
    for (const QuizName& q : QuizNames)
        if (q.kind == kind)
            return QLatin1String(q.word);
    return {};
}

QString quizCaption(QuizKind kind) {
    for (const QuizName& q : QuizNames)
        if (q.kind == kind)
            return QLatin1String(q.caption);
    return {};
}

std::optional<QuizKind> quizOfWord(const QString& word) {
    for (const QuizName& q : QuizNames)
        if (word == QLatin1String(q.word))
            return q.kind;
    return std::nullopt;
}

QStringList quizWords() {
    QStringList words;
    for (const QuizName& q : QuizNames)
        words << QLatin1String(q.word);
    return words;
}

QString placesAnswer(const std::vector<NeckPlace>& places) {
    QStringList words;
    for (const NeckPlace& p : places)
        words << QStringLiteral("s%1f%2").arg(p.string).arg(p.fret);
    return words.join(u' ');
}

QString intervalName(int semitones) {
    return semitones >= 0 && semitones <= 12 ? QLatin1String(IntervalNames[std::size_t(semitones)])
                                             : QString();
}

std::vector<NeckPlace> placesOf(const QuizNeck& neck, int pitchClass, int string,
                                FretWindow window) {
    std::vector<NeckPlace> places;
    const Tuning& tuning = neck.instrument.tuning;
    if (!tuning.hasString(string))
        return places;
    window.high = std::min(window.high, neck.instrument.frets);
    placeNote(tuning, pitchClass, string,
              windowAboveCapo(window, neck.instrument, neck.capo, string), neck.instrument.frets,
              [&](int fret, int s) {
                  places.push_back({fret, s});
              });
    return places;
}

int runTempo(int best) {
    return best < 0 ? RunStartTempo : std::clamp(best + RunTempoStep, RunStartTempo, RunMaxTempo);
}

QStringList earScaleWords() {
    QStringList words;
    for (const EarScale& scale : EarScales)
        words << QLatin1String(scale.word);
    return words;
}

std::vector<EarProgression> earProgressions(const std::vector<LibraryProgression>& library,
                                            const SearchIndex& index, const ChordLibrary& chords) {
    std::vector<EarProgression> found;
    for (const LibraryProgression& p : library) {
        const Key key = makeKey(1, p.mode, chords); // tab 1 is C: the tonic is pitch class 0
        const ProgressionReading read = readProgression(p.chords, key, index, chords);
        if (!read.progression)
            continue;
        EarProgression ear{p.id, p.name, p.mode, {}, {}};
        for (const ProgressionChord& c : read.progression->chords) {
            if (!ear.numerals.isEmpty() && ear.numerals.back() == c.text)
                continue;
            std::vector<int> notes;
            const int root = c.root.pitchClass > 5 ? c.root.pitchClass - 12 : c.root.pitchClass;
            // Each note the next of its pitch class above the one before.
            auto above = [](int pitchClass, int floor) {
                return floor + ((pitchClass - floor) % 12 + 12) % 12;
            };
            if (c.bass)
                notes.push_back(above(c.bass->pitchClass, root - 12));
            int previous = root - 1;
            for (const QString& name : c.notes) {
                if (const auto tone = SpelledNote::of(name)) {
                    previous = above(tone->pitchClass, previous + 1);
                    notes.push_back(previous);
                }
            }
            ear.numerals << c.text;
            ear.chords.push_back(std::move(notes));
        }
        if (ear.numerals.size() >= 2 && ear.numerals.size() <= EarProgressionChords)
            found.push_back(std::move(ear));
    }
    return found;
}

QStringList quizItems(QuizKind kind, const QuizNeck& neck, const QStringList& chords,
                      const std::vector<EarProgression>& progressions) {
    QStringList items;
    const int strings = neck.instrument.strings();
    const int frets = neck.instrument.frets;
    switch (kind) {
    case QuizKind::FindOnString:
        for (int s = 1; s <= strings; ++s)
            for (int pc = 0; pc < 12; ++pc)
                items << QStringLiteral("find-string:%1:%2").arg(s).arg(flatName(pc));
        break;
    case QuizKind::FindInWindow:
        for (int low = std::max(0, neck.capo.fret); low + 3 <= frets; ++low)
            for (int pc = 0; pc < 12; ++pc)
                items << QStringLiteral("find-position:%1:%2").arg(low).arg(flatName(pc));
        break;
    case QuizKind::FindOnNeck:
        for (int pc = 0; pc < 12; ++pc)
            items << QStringLiteral("find-neck:%1").arg(flatName(pc));
        break;
    case QuizKind::NameNote:
        for (int s = 1; s <= strings; ++s)
            for (int f = openFret(neck.instrument, neck.capo, s); f <= frets; ++f)
                items << QStringLiteral("name-note:%1:%2").arg(s).arg(f);
        break;
    case QuizKind::Intervals:
        for (const char* way : {"up", "down", "together"})
            for (int n = 1; n <= 12; ++n)
                items << QStringLiteral("interval:%1:%2").arg(QLatin1String(way)).arg(n);
        break;
    case QuizKind::Qualities:
        for (const Quality& q : Qualities)
            for (std::size_t inv = 0; inv < q.semitones.size(); ++inv)
                items << QStringLiteral("quality:%1:%2").arg(QLatin1String(q.name)).arg(inv);
        break;
    case QuizKind::Changes:
        for (qsizetype a = 0; a < chords.size(); ++a)
            for (qsizetype b = a + 1; b < chords.size(); ++b)
                if (!chords[a].contains(u'|') && !chords[b].contains(u'|'))
                    items << QStringLiteral("change:%1|%2").arg(chords[a], chords[b]);
        break;
    case QuizKind::Scales:
        for (const EarScale& scale : EarScales)
            items << QStringLiteral("scale:%1").arg(QLatin1String(scale.word));
        break;
    case QuizKind::Runs:
        for (const char* shape : RunShapes)
            for (int low = std::max(0, neck.capo.fret); low + 3 <= frets; low += 2)
                items << QStringLiteral("run:%1:%2").arg(QLatin1String(shape)).arg(low);
        break;
    case QuizKind::Progressions:
        for (const EarProgression& p : progressions)
            if (!p.id.contains(u':'))
                items << QStringLiteral("progression:%1").arg(p.id);
        break;
    }
    return items;
}

QStringList changeChords(const ChordLibrary& chords) {
    QStringList names;
    for (int k = 0; k < std::min(chords.count, 3); ++k) {
        const ChordEntry& chord = chords.entries[std::size_t(k)];
        if (chord.formula.isEmpty())
            continue;
        for (const char* root : {"C", "D", "E", "G", "A"})
            names << QLatin1String(root) +
                         (chord.name == QLatin1String("maj") ? QString() : chord.name);
    }
    return names;
}

std::optional<Question> askItem(const QString& item, const QuizNeck& neck, PracticeRandom& random,
                                const std::vector<EarProgression>& progressions) {
    const QStringList parts = item.split(u':');
    const QString family = parts.value(0);
    const int strings = neck.instrument.strings();
    const int frets = neck.instrument.frets;
    Question q;
    q.item = item;
    auto pitchClassPart = [&](qsizetype k) {
        return readNoteName(parts.value(k));
    };

    if (family == QLatin1String("find-string") && parts.size() == 3) {
        const auto string = number(parts[1]);
        const auto pc = pitchClassPart(2);
        if (!string || !pc || *string < 1 || *string > strings)
            return std::nullopt;
        q.quiz = QuizKind::FindOnString;
        q.answerKind = AnswerKind::Places;
        q.places = placesOf(neck, *pc, *string, {0, frets});
        q.prompt = QStringLiteral("Find every %1 on string %2").arg(parts[2]).arg(*string);
    } else if (family == QLatin1String("find-position") && parts.size() == 3) {
        const auto low = number(parts[1]);
        const auto pc = pitchClassPart(2);
        if (!low || !pc || *low < 0 || *low + 3 > frets)
            return std::nullopt;
        q.quiz = QuizKind::FindInWindow;
        q.answerKind = AnswerKind::Places;
        q.window = {*low, *low + 3};
        for (int s = 1; s <= strings; ++s)
            for (const NeckPlace& p : placesOf(neck, *pc, s, q.window))
                q.places.push_back(p);
        q.prompt = QStringLiteral("Find every %1 between frets %2 and %3")
                       .arg(parts[2])
                       .arg(q.window.low)
                       .arg(q.window.high);
    } else if (family == QLatin1String("find-neck") && parts.size() == 2) {
        const auto pc = pitchClassPart(1);
        if (!pc)
            return std::nullopt;
        q.quiz = QuizKind::FindOnNeck;
        q.answerKind = AnswerKind::Places;
        for (int s = 1; s <= strings; ++s)
            for (const NeckPlace& p : placesOf(neck, *pc, s, {0, frets}))
                q.places.push_back(p);
        q.prompt = QStringLiteral("Find every %1 on the neck").arg(parts[1]);
    } else if (family == QLatin1String("name-note") && parts.size() == 3) {
        const auto string = number(parts[1]);
        const auto fret = number(parts[2]);
        if (!string || !fret || *string < 1 || *string > strings ||
            *fret < openFret(neck.instrument, neck.capo, *string) || *fret > frets)
            return std::nullopt;
        q.quiz = QuizKind::NameNote;
        q.answerKind = AnswerKind::NoteName;
        q.places = {{*fret, *string}};
        const int pitch = pitchAt(neck.instrument.tuning, *string, *fret);
        q.notes = {pitch};
        q.expected = flatName(pitchClassOfNote(pitch));
        q.prompt = QStringLiteral("Name the note at fret %1 on string %2").arg(*fret).arg(*string);
    } else if (family == QLatin1String("interval") && parts.size() == 3) {
        const auto n = number(parts[2]);
        const QString& way = parts[1];
        if (!n || *n < 1 || *n > 12)
            return std::nullopt;
        q.quiz = QuizKind::Intervals;
        q.answerKind = AnswerKind::Interval;
        if (way == QLatin1String("up")) {
            const int first = random.between(48, 72);
            q.notes = {first, first + *n};
        } else if (way == QLatin1String("down")) {
            const int first = random.between(60, 84);
            q.notes = {first, first - *n};
        } else if (way == QLatin1String("together")) {
            const int low = random.between(48, 72);
            q.notes = {low, low + *n};
            q.together = true;
        } else {
            return std::nullopt;
        }
        q.expected = intervalName(*n);
        q.prompt = q.together ? QStringLiteral("Name the interval of the two notes together")
                              : QStringLiteral("Name the interval, the notes played %1").arg(way);
    } else if (family == QLatin1String("quality") && parts.size() == 3) {
        const Quality* quality = qualityNamed(parts[1]);
        const auto inversion = number(parts[2]);
        if (!quality || !inversion || *inversion < 0 ||
            *inversion >= int(quality->semitones.size()))
            return std::nullopt;
        q.quiz = QuizKind::Qualities;
        q.answerKind = AnswerKind::Quality;
        q.notes = invert(*quality, random.between(48, 60), *inversion);
        q.together = true;
        q.expected = QLatin1String(quality->name);
        q.prompt = QStringLiteral("Name the chord's quality (%1)")
                       .arg(QLatin1String(inversionWords(*inversion)));
    } else if (family == QLatin1String("change") && parts.size() == 2) {
        const QStringList pair = parts[1].split(u'|');
        if (pair.size() != 2 || pair[0].isEmpty() || pair[1].isEmpty())
            return std::nullopt;
        q.quiz = QuizKind::Changes;
        q.answerKind = AnswerKind::Count;
        q.expected = QString::number(ChangesGoal);
        q.prompt = QStringLiteral("Change between %1 and %2 for one minute: how many clean "
                                  "changes?")
                       .arg(pair[0], pair[1]);
    } else if (family == QLatin1String("scale") && parts.size() == 2) {
        const EarScale* scale = earScaleNamed(parts[1]);
        if (!scale || parts[1] != QLatin1String(scale->word))
            return std::nullopt;
        q.quiz = QuizKind::Scales;
        q.answerKind = AnswerKind::ScaleName;
        const int root = random.between(48, 60);
        for (int step : scale->steps)
            q.notes.push_back(root + step);
        q.expected = QLatin1String(scale->word);
        q.prompt = QStringLiteral("Name the scale, played up from its root");
    } else if (family == QLatin1String("run") && parts.size() == 3) {
        const auto low = number(parts[2]);
        if (!low || *low < 0 || *low + 3 > frets || strings < 1 ||
            std::find_if(RunShapes.begin(), RunShapes.end(), [&](const char* shape) {
                return parts[1] == QLatin1String(shape);
            }) == RunShapes.end())
            return std::nullopt;
        // The root is the note the lowest string sounds at the window's first fret (above the
        // capo); the shape's tones are every place of the window, lowest pitch first.
        const bool arpeggio = parts[1].startsWith(QLatin1String("arp-"));
        std::vector<int> tones;
        if (arpeggio) {
            const Quality* quality = qualityNamed(parts[1].mid(4));
            tones = quality->semitones;
        } else {
            tones = earScaleNamed(parts[1])->steps;
        }
        q.window = {*low, *low + 3};
        const int root =
            pitchAt(neck.instrument.tuning, strings, std::max(*low, neck.capo.openFret(strings)));
        std::vector<std::pair<int, NeckPlace>> run;
        for (int s = 1; s <= strings; ++s)
            for (int tone : tones)
                if (tone < 12)
                    for (const NeckPlace& p :
                         placesOf(neck, pitchClassOfNote(root + tone), s, q.window))
                        run.push_back({pitchAt(neck.instrument.tuning, s, p.fret), p});
        std::sort(run.begin(), run.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first < b.first : a.second.string > b.second.string;
        });
        // A pitch the window holds twice is played once, on the lower string.
        run.erase(std::unique(run.begin(), run.end(),
                              [](const auto& a, const auto& b) { return a.first == b.first; }),
                  run.end());
        if (run.empty())
            return std::nullopt;
        for (const auto& [pitch, place] : run) {
            q.notes.push_back(pitch);
            q.places.push_back(place);
        }
        q.quiz = QuizKind::Runs;
        q.answerKind = AnswerKind::Clean;
        q.expected = QStringLiteral("clean");
        q.prompt = QStringLiteral("Play the %1 %2 in frets %3-%4 up and down along the "
                                  "metronome: was it clean?")
                       .arg(flatName(pitchClassOfNote(root)),
                            arpeggio ? QStringLiteral("%1 arpeggio").arg(parts[1].mid(4))
                                     : QString(parts[1]).replace(u'-', u' '))
                       .arg(q.window.low)
                       .arg(q.window.high);
    } else if (family == QLatin1String("progression") && parts.size() == 2) {
        const auto p = std::find_if(progressions.begin(), progressions.end(),
                                    [&](const EarProgression& e) { return e.id == parts[1]; });
        if (p == progressions.end() || p->chords.empty())
            return std::nullopt;
        q.quiz = QuizKind::Progressions;
        q.answerKind = AnswerKind::Numerals;
        const int tonic = random.between(48, 55); // C3..G3
        for (const std::vector<int>& chord : p->chords) {
            std::vector<int> notes;
            for (int n : chord)
                notes.push_back(tonic + n);
            q.chords.push_back(std::move(notes));
        }
        q.expected = p->numerals.join(u' ');
        q.prompt = QStringLiteral("Name the chords as Roman numerals, in a %1 key")
                       .arg(isMinorMode(p->mode) ? QStringLiteral("minor")
                                                 : keyModeName(p->mode).toLower());
    } else {
        return std::nullopt;
    }
    if (q.answerKind == AnswerKind::Places)
        q.expected = placesAnswer(q.places);
    q.slowSeconds = slowLimit(q.quiz);
    return q;
}

QString describeItem(const QString& item) {
    const QStringList p = item.split(u':');
    const QString family = p.value(0);
    if (family == QLatin1String("find-string") && p.size() == 3)
        return QStringLiteral("%1 on string %2").arg(p[2], p[1]);
    if (family == QLatin1String("find-position") && p.size() == 3)
        return QStringLiteral("%1 in frets %2-%3").arg(p[2], p[1]).arg(p[1].toInt() + 3);
    if (family == QLatin1String("find-neck") && p.size() == 2)
        return QStringLiteral("%1 on the neck").arg(p[1]);
    if (family == QLatin1String("name-note") && p.size() == 3)
        return QStringLiteral("string %1, fret %2").arg(p[1], p[2]);
    if (family == QLatin1String("interval") && p.size() == 3)
        return QStringLiteral("%1 %2").arg(intervalName(p[2].toInt()), p[1]);
    if (family == QLatin1String("quality") && p.size() == 3)
        return QStringLiteral("%1, %2").arg(p[1], QLatin1String(inversionWords(p[2].toInt())));
    if (family == QLatin1String("change") && p.size() == 2)
        return QString(p[1]).replace(u'|', QLatin1String(" to "));
    if (family == QLatin1String("scale") && p.size() == 2)
        if (const EarScale* scale = earScaleNamed(p[1]))
            return QStringLiteral("the %1 scale").arg(QLatin1String(scale->caption));
    if (family == QLatin1String("progression") && p.size() == 2)
        return QStringLiteral("the progression %1").arg(p[1]);
    if (family == QLatin1String("run") && p.size() == 3)
        return QStringLiteral("the %1 run at fret %2").arg(QString(p[1]).replace(u'-', u' '), p[2]);
    return item;
}

Judgement judgeAnswer(const Question& question, const QString& answer) {
    Judgement j;
    const QString given = answer.trimmed();
    auto unreadable = [&](const QString& why) {
        j.known = false;
        j.reason = why;
        return j;
    };
    switch (question.answerKind) {
    case AnswerKind::Places: {
        static const QRegularExpression place(QStringLiteral("^[sS](\\d{1,2})[fF](\\d{1,2})$"));
        std::set<std::pair<int, int>> said;
        for (const QString& word :
             given.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts)) {
            const auto m = place.match(word);
            if (!m.hasMatch())
                return unreadable(
                    QStringLiteral("\"%1\" is not a place such as s6f3 (string 6, fret 3)")
                        .arg(word));
            said.insert({m.captured(1).toInt(), m.captured(2).toInt()});
        }
        std::set<std::pair<int, int>> wanted;
        for (const NeckPlace& p : question.places)
            wanted.insert({p.string, p.fret});
        j.correct = said == wanted;
        return j;
    }
    case AnswerKind::NoteName: {
        const auto pc = readNoteName(given);
        if (!pc)
            return unreadable(
                QStringLiteral("\"%1\" is not a note name such as C, F# or Bb").arg(given));
        j.correct = *pc == pitchClassOf(question.expected);
        return j;
    }
    case AnswerKind::Interval: {
        int semitones = -1;
        if (const auto n = number(given))
            semitones = *n;
        for (int k = 0; k <= 12; ++k)
            if (given == QLatin1String(IntervalNames[std::size_t(k)]))
                semitones = k;
        if (given == QLatin1String("A4") || given == QLatin1String("d5"))
            semitones = 6;
        if (semitones < 0 || semitones > 12)
            return unreadable(
                QStringLiteral("\"%1\" is not an interval such as m3, P5 or 7").arg(given));
        j.correct = intervalName(semitones) == question.expected;
        return j;
    }
    case AnswerKind::Quality: {
        QString name = given;
        for (const auto& [alias, quality] : QualityAliases)
            if (given.toLower() == QString::fromUtf8(alias))
                name = QLatin1String(quality);
        if (!qualityNamed(name))
            return unreadable(
                QStringLiteral("\"%1\" is not a quality such as maj, m, dim, 7 or m7b5")
                    .arg(given));
        j.correct = name == question.expected;
        return j;
    }
    case AnswerKind::Count: {
        const auto n = number(given);
        if (!n || *n < 0 || *n > 600)
            return unreadable(QStringLiteral("\"%1\" is not a count of changes 0..600").arg(given));
        j.count = *n;
        j.correct = *n >= ChangesGoal;
        return j;
    }
    case AnswerKind::ScaleName: {
        const EarScale* said = earScaleNamed(given);
        const EarScale* wanted = earScaleNamed(question.expected);
        if (!said)
            return unreadable(
                QStringLiteral("\"%1\" is not a scale such as major, dorian or minor pentatonic")
                    .arg(given));
        j.correct = wanted && said->steps == wanted->steps;
        return j;
    }
    case AnswerKind::Clean: {
        const QString word = given.toLower();
        for (const char* yes : {"y", "yes", "clean"})
            if (word == QLatin1String(yes)) {
                j.correct = true;
                return j;
            }
        for (const char* no : {"n", "no", "not clean"})
            if (word == QLatin1String(no))
                return j;
        return unreadable(QStringLiteral("\"%1\" is not yes or no").arg(given));
    }
    case AnswerKind::Numerals: {
        const QStringList said = numeralTokens(given);
        if (said.isEmpty())
            return unreadable(QStringLiteral("Name each chord as a numeral, such as I V vi IV"));
        j.correct = said == numeralTokens(question.expected);
        return j;
    }
    }
    return j;
}

std::vector<AnswerChoice> answerChoices(const Question& question, int keyRoot, int keyColumn,
                                        const std::vector<EarProgression>& offered) {
    std::vector<AnswerChoice> choices;
    auto offer = [&](const QString& caption, const QString& answer) {
        choices.push_back({caption, answer});
    };
    switch (question.answerKind) {
    case AnswerKind::NoteName: {
        // The key's own names for its seven notes; the five others sharp in a key written
        // with sharps, flat in any other (C, F and the flat keys).
        const QString scale = keySpelling(((keyRoot % 12) + 12) % 12, keyColumn);
        const int column = scale.contains(u'#') ? SharpColumn : FlatColumn;
        for (int pc = 0; pc < 12; ++pc) {
            QString name = noteName(pc, column);
            for (int k = 0; k + 1 < scale.size(); k += 2) {
                const QString degree = scale.mid(k, 2).trimmed();
                // A double sharp (Fx in D# major) is no name a player types.
                if (pitchClassOf(degree) == pc && !degree.contains(u'x'))
                    name = degree;
            }
            offer(name, name);
        }
        break;
    }
    case AnswerKind::Interval:
        for (int k = 1; k <= 12; ++k)
            offer(intervalName(k), intervalName(k));
        break;
    case AnswerKind::Quality:
        for (const Quality& q : Qualities)
            offer(QLatin1String(q.name), QLatin1String(q.name));
        break;
    case AnswerKind::ScaleName:
        for (const EarScale& scale : EarScales)
            offer(QLatin1String(scale.caption), QLatin1String(scale.word));
        break;
    case AnswerKind::Numerals: {
        // The progressions of the question's kind of key (major or minor), each once: a
        // player in a minor key is not offered major numerals to guess among.
        const QString id = question.item.section(u':', 1);
        const auto asked = std::find_if(offered.begin(), offered.end(),
                                        [&](const EarProgression& p) { return p.id == id; });
        const bool minor = asked != offered.end() && isMinorMode(asked->mode);
        QStringList seen;
        for (const EarProgression& p : offered) {
            const QString numerals = p.numerals.join(u' ');
            if (isMinorMode(p.mode) == minor && !seen.contains(numerals)) {
                seen << numerals;
                offer(numerals, numerals);
            }
        }
        if (!seen.contains(question.expected))
            offer(question.expected, question.expected);
        break;
    }
    case AnswerKind::Places:
    case AnswerKind::Count:
    case AnswerKind::Clean:
        break;
    }
    return choices;
}

std::vector<NeckPlace> playedPlaces(const Question& question, const QuizNeck& neck,
                                    const std::vector<int>& notes) {
    std::vector<NeckPlace> places;
    if (question.answerKind != AnswerKind::Places)
        return places;
    const int strings = neck.instrument.strings();
    int onlyString = 0; // a note to find on one string is played on that string
    if (question.quiz == QuizKind::FindOnString)
        onlyString = question.item.section(u':', 1, 1).toInt();
    const FretWindow window = question.quiz == QuizKind::FindInWindow
                                  ? question.window
                                  : FretWindow{0, neck.instrument.frets};
    for (int note : notes)
        for (int s = 1; s <= strings; ++s) {
            if (onlyString > 0 && s != onlyString)
                continue;
            for (const NeckPlace& p : placesOf(neck, pitchClassOfNote(note), s, window))
                if (pitchAt(neck.instrument.tuning, p.string, p.fret) == note &&
                    std::find(places.begin(), places.end(), p) == places.end())
                    places.push_back(p);
        }
    return places;
}

std::optional<QString> playedName(const Question& question, const std::vector<int>& notes) {
    if (notes.empty())
        return std::nullopt;
    std::set<int> classes;
    for (int n : notes)
        classes.insert(pitchClassOfNote(n));
    switch (question.answerKind) {
    case AnswerKind::NoteName:
        // Octaves of one note name it; anything more is not one note.
        if (classes.size() == 1)
            return flatName(*classes.begin());
        break;
    case AnswerKind::Interval: {
        if (notes.size() != 2)
            break;
        const int span = std::abs(notes[1] - notes[0]);
        if (span >= 1 && span <= 12)
            return intervalName(span);
        break;
    }
    case AnswerKind::Quality:
        // The quality whose notes, on some root, are exactly the pitch classes played: the
        // inversion and the doubling do not matter.
        for (const Quality& q : Qualities)
            for (int root = 0; root < 12; ++root) {
                std::set<int> shape;
                for (int s : q.semitones)
                    shape.insert((root + s) % 12);
                if (shape == classes)
                    return QString::fromLatin1(q.name);
            }
        break;
    default:
        break;
    }
    return std::nullopt;
}

} // namespace chordalis
