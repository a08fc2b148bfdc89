#include "theory/Spelling.h"

#include <QList>
#include <QStringList>
#include <limits>

namespace chordalis {

namespace {

constexpr std::array<std::array<const char*, 2>, 12> NoteNames = {{
    {"C", "C"},
    {"Db", "C#"},
    {"D", "D"},
    {"Eb", "D#"},
    {"E", "E"},
    {"F", "F"},
    {"Gb", "F#"},
    {"G", "G"},
    {"Ab", "G#"},
    {"A", "A"},
    {"Bb", "A#"},
    {"B", "B"},
}};

constexpr std::array<std::array<const char*, 2>, 12> KeySpellings = {{
    {"C D E F G A B ", ""},
    {"DbEbF GbAbBbC ", "C#D#E#F#G#A#B#"},
    {"D E F#G A B C#", ""},
    {"EbF G AbBbC D ", "D#E#FxG#A#B#Cx"},
    {"E F#G#A B C#D#", ""},
    {"F G A BbC D E ", ""},
    {"GbAbBbCbDbEbF ", "F#G#A#B C#D#E#"},
    {"G A B C D E F#", ""},
    {"AbBbC DbEbF G ", "G#A#B#C#D#E#Fx"},
    {"A B C#D E F#G#", ""},
    {"BbC D EbF G A ", "A#B#CxD#E#FxGx"},
    {"B C#D#E F#G#A#", ""},
}};

bool validIndex(int pitchClass, int column) {
    return pitchClass >= 0 && pitchClass < 12 && (column == 0 || column == 1);
}

int accidentalShift(QChar c) {
    switch (c.unicode()) {
    case 'f':
        return -2;
    case 'b':
        return -1;
    case '#':
        return 1;
    case 'x':
        return 2;
    default:
        return 0;
    }
}

bool isAccidental(QChar c) {
    return c == u'f' || c == u'b' || c == u'#' || c == u'x';
}

// The accidental written after a letter for a total shift. Shifts beyond a double accidental
// (they arise only from unusual keys and tokens) are written out in full, so that the name
// still sounds the right pitch: +3 is "#x", -3 is "bbb".
QString accidentalText(int shift) {
    QString text;
    while (shift >= 2) {
        text.prepend(u'x');
        shift -= 2;
    }
    if (shift == 1)
        text.prepend(u'#');
    for (; shift < 0; ++shift)
        text.append(u'b');
    return text;
}

} // namespace

QString noteName(int pitchClass, int column) {
    if (!validIndex(pitchClass, column))
        return {};
    return QString::fromLatin1(NoteNames[pitchClass][column]);
}

QString keySpelling(int pitchClass, int column) {
    if (!validIndex(pitchClass, column))
        return {};
    return QString::fromLatin1(KeySpellings[pitchClass][column]);
}

int leadingNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > 1'000'000)
            break; // far past the 16-bit range already
    }
    if (negative)
        value = -value;
    constexpr long long lo = std::numeric_limits<qint16>::min();
    constexpr long long hi = std::numeric_limits<qint16>::max();
    return static_cast<int>(value < lo ? lo : (value > hi ? hi : value));
}

QString spellDegree(QStringView token, int root, int column) {
    int shift = token.isEmpty() ? 0 : accidentalShift(token.front());
    int degree = leadingNumber(shift != 0 ? token.mid(1) : token);
    if (degree > 7)
        degree = (degree - 1) % 7 + 1; // compound degrees: 9 is 2, 15 is 1 two octaves up
    const QString key = keySpelling(root, column);
    if (degree < 1 || key.size() != 14)
        return {};
    const QChar letter = key[2 * degree - 2];
    shift += accidentalShift(key[2 * degree - 1]);
    return QString(letter) + accidentalText(shift);
}

int pitchClassOf(QStringView name) {
    static constexpr int Naturals[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (name.isEmpty() || name.front() < u'A' || name.front() > u'G')
        return 0;
    int pc = Naturals[name.front().unicode() - u'A'];
    for (QChar c : name.mid(1)) {
        if (c == u'b')
            pc -= 1;
        else if (c == u'#')
            pc += 1;
        else if (c == u'x')
            pc += 2;
        else
            return 0;
    }
    return ((pc % 12) + 12) % 12;
}

std::optional<int> midiNoteOf(QStringView text) {
    static constexpr int Naturals[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    const QStringView t = text.trimmed();
    if (t.isEmpty() || t.front() < u'A' || t.front() > u'G')
        return std::nullopt;
    int note = Naturals[t.front().unicode() - u'A'];
    qsizetype i = 1;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u'b')
            note -= 1;
        else if (c == u'#')
            note += 1;
        else if (c == u'x')
            note += 2;
        else
            break;
    }
    // The octave follows the letter, as written music counts it: Cb4 is B3, B#3 is C4.
    bool ok = false;
    const QStringView octaveText = t.mid(i);
    const int octave = octaveText.toInt(&ok);
    if (!ok || octaveText.startsWith(u'+') || octave < -1 || octave > 9)
        return std::nullopt;
    note += 12 * (octave + 1);
    if (note < 0 || note > 127)
        return std::nullopt;
    return note;
}

NoteList spellFormula(QStringView formula, int root, int column) {
    NoteList notes;
    int entry = 0;
    for (QChar c : formula) {
        if (c == u';') {
            ++entry;
            continue;
        }
        if (entry < NoteListSize)
            notes[entry].token.append(c);
    }
    const int last = std::min(entry, NoteListSize - 1);
    for (int i = 0; i <= last; ++i) {
        NoteEntry& note = notes[i];
        if (note.token.endsWith(u'f')) {
            note.token.chop(1);
            note.token.append(QStringLiteral("bb"));
        }
        if (note.token.isEmpty())
            continue;
        note.name = spellDegree(note.token, root, column);
        note.pitchClass = pitchClassOf(note.name);
    }
    return notes;
}

QString degreeText(QStringView token) {
    QString text = token.toString();
    if (text.startsWith(u'f'))
        text.replace(0, 1, QStringLiteral("bb"));
    return text;
}

QString nameWithOctave(QStringView name, int midiNote) {
    static constexpr int Naturals[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    const int pitchClass = ((midiNote % 12) + 12) % 12;
    QString spelled = name.toString();
    if (spelled.isEmpty() || spelled.front() < u'A' || spelled.front() > u'G' ||
        pitchClassOf(spelled) != pitchClass)
        spelled = noteName(pitchClass, FlatColumn);
    const int letter = Naturals[spelled.front().unicode() - u'A'];
    // The accidentals' shift, -2..+2 semitones, from the letter's natural note.
    const int shift = ((pitchClass - letter + 6) % 12 + 12) % 12 - 6;
    // The letter's natural note lies a whole number of octaves above C-1 (MIDI 0 is C-1).
    const int octave = (midiNote - shift - letter) / 12 - 1;
    return spelled + QString::number(octave);
}

QString formulaText(const NoteList& notes) {
    QStringList parts;
    for (const NoteEntry& note : notes) {
        if (note.isUsed())
            parts.append(QString(note.token).replace(u'f', QStringLiteral("bb")));
    }
    return parts.join(QStringLiteral(", "));
}

QString notesText(const NoteList& notes) {
    QString text;
    for (const NoteEntry& note : notes) {
        if (!note.name.isEmpty())
            text += note.name + u' ';
    }
    return text;
}

QString ordinal(int n) {
    const int tens = n % 100 / 10;
    const int last = n % 10;
    const char* ending = tens == 1   ? "th"
                         : last == 1 ? "st"
                         : last == 2 ? "nd"
                         : last == 3 ? "rd"
                                     : "th";
    return QString::number(n) + QLatin1String(ending);
}

std::optional<QString> checkFormula(QStringView formula) {
    if (formula.isEmpty())
        return QStringLiteral("the formula is empty");
    const auto tokens = formula.split(u';');
    if (tokens.size() > NoteListSize)
        return QStringLiteral("it has %1 notes, at most %2 are allowed")
            .arg(tokens.size())
            .arg(NoteListSize);
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        QStringView token = tokens[i];
        if (token.isEmpty())
            return QStringLiteral("note %1 is empty").arg(i + 1);
        QStringView digits = isAccidental(token.front()) ? token.mid(1) : token;
        bool allDigits = !digits.isEmpty() && digits.size() <= 2;
        for (QChar c : digits)
            allDigits = allDigits && c >= u'0' && c <= u'9';
        if (!allDigits)
            return QStringLiteral("\"%1\" is not a degree (an optional f, b, # or x and a "
                                  "number 1 to 14)")
                .arg(token);
        const int degree = digits.toInt();
        if (degree < 1 || degree > 14)
            return QStringLiteral("degree %1 in \"%2\" lies outside 1 to 14")
                .arg(degree)
                .arg(token);
        if (i == 0 && token != u"1")
            return QStringLiteral("the first note must be the root \"1\", not \"%1\"").arg(token);
    }
    return std::nullopt;
}

const NoteEntry* findPitchClass(const NoteList& notes, int pitchClass) {
    for (const NoteEntry& note : notes) {
        if (!note.name.isEmpty() && pitchClassOf(note.name) == pitchClass)
            return &note;
    }
    return nullptr;
}

} // namespace chordalis
