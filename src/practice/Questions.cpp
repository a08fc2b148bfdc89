#include "practice/Questions.h"

#include "theory/Spelling.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>
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
constexpr std::array<QuizName, 7> QuizNames = {{
    {QuizKind::NameNote, "name-note", "Name the marked note"},
    {QuizKind::FindOnString, "find-string", "Find a note on a string"},
    {QuizKind::FindInWindow, "find-position", "Find a note in a position"},
    {QuizKind::FindOnNeck, "find-neck", "Find a note on the whole neck"},
    {QuizKind::Intervals, "intervals", "Intervals by ear"},
    {QuizKind::Qualities, "qualities", "Chord qualities by ear"},
    {QuizKind::Changes, "changes", "Chord changes (a minute each)"},
}};

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
        return 8.0;
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

QString placesText(const std::vector<NeckPlace>& places) {
    QStringList words;
    for (const NeckPlace& p : places)
        words << QStringLiteral("s%1f%2").arg(p.string).arg(p.fret);
    return words.join(u' ');
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

QStringList quizItems(QuizKind kind, const QuizNeck& neck, const QStringList& chords) {
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

std::optional<Question> askItem(const QString& item, const QuizNeck& neck, PracticeRandom& random) {
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
    } else {
        return std::nullopt;
    }
    if (q.answerKind == AnswerKind::Places)
        q.expected = placesText(q.places);
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
    }
    return j;
}

} // namespace chordalis
