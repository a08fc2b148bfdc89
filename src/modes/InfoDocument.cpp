#include "modes/InfoDocument.h"

#include "modes/ChordGrips.h"
#include "modes/ChordScales.h"
#include "theory/Spelling.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <iterator>

namespace chordalis {

namespace {

constexpr int LettersInOctave = 7;
// Pitch classes of the natural notes C D E F G A B.
constexpr std::array<int, LettersInOctave> NaturalPitch = {0, 2, 4, 5, 7, 9, 11};
// How many chord boxes the window shows: one row of them.
constexpr size_t ShownBoxes = 6;

int letterIndex(QChar c) {
    static const QString Letters = QStringLiteral("CDEFGAB");
    return int(Letters.indexOf(c));
}

bool isLowerLetter(QStringView text, qsizetype at) {
    return at < text.size() && text[at].isLower();
}

// Symbols that end a chord name rather than start a word.
bool isChordMark(QChar c) {
    return c == u'Δ' || c == u'ø' || c == u'°' || c == u'+';
}

// The length of the chord quality starting at `at` ("maj", "m", "sus" ...), 0 when none does:
// a quality is followed by no lower-case letter, so "Dorian" and "Cmajor" start none.
qsizetype qualityLength(QStringView text, qsizetype at) {
    static const std::array<QStringView, 13> Qualities = {
        u"quartal", u"maj", u"min", u"dim", u"aug", u"sus", u"add",
        u"alt",     u"ma",  u"mi",  u"m",   u"Maj", u"M"};
    for (QStringView q : Qualities) {
        if (!text.mid(at).startsWith(q))
            continue;
        const qsizetype end = at + q.size();
        if (isLowerLetter(text, end))
            continue;
        if (q == u"M" && end < text.size() && !text[end].isDigit())
            continue; // "CM7" is a chord, "CD" and "CAGED" are not
        return q.size();
    }
    return 0;
}

// Where a chord symbol that starts with its root ends: the quality and what follows it up to a
// blank or punctuation ("maj7", "m7b5", "7(b9)", "sus2sus4").
qsizetype symbolEnd(QStringView text, qsizetype at) {
    while (at < text.size()) {
        const QChar c = text[at];
        if (c.isLetterOrNumber() || c == u'#' || c == u'(' || c == u')' || isChordMark(c))
            ++at;
        else
            break;
    }
    return at;
}

bool sentenceStarts(QStringView text, qsizetype at) {
    qsizetype i = at - 1;
    while (i >= 0 && text[i].isSpace())
        --i;
    return i < 0 || text[i] == u'.' || text[i] == u'!' || text[i] == u'?';
}

bool precededBy(QStringView text, qsizetype at, QStringView word) {
    const qsizetype start = at - word.size();
    return start >= 0 && text.mid(start, word.size()).compare(word, Qt::CaseInsensitive) == 0 &&
           (start == 0 || !text[start - 1].isLetter());
}

// The degree token ("3", "b7", "#4", "f7", "x4") of a note name read in C major.
QString degreeToken(int letter, int accidental) {
    static const std::array<QStringView, 5> Marks = {u"f", u"b", u"", u"#", u"x"};
    return Marks[size_t(accidental + 2)].toString() + QString::number(letter + 1);
}

// The shift of a group of fret numbers: up by the semitones, or an octave lower where that would
// pass the 12th fret and the lowest stays on the neck.
int fretShift(int semitones, int low, int high) {
    if (high + semitones <= 12 || low + semitones - 12 < 0)
        return semitones;
    return semitones - 12;
}

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

QString rootName(const AppState& s) {
    return noteName(s.currentRoot, s.rootSpelling);
}

// The frets of a grip from the lowest string to string 1, "x" for a silent one: "x 3 2 0 1 0".
QString fretsText(const Voicing& v) {
    QStringList frets;
    for (int string = v.strings(); string >= 1; --string) {
        const auto fret = v.fret(string);
        frets << (fret ? QString::number(*fret) : QStringLiteral("x"));
    }
    return frets.join(u' ');
}

QString fingersText(const Voicing& v) {
    QStringList fingers;
    for (int string = v.strings(); string >= 1; --string)
        fingers << (v.fret(string) ? v.finger(string) : QStringLiteral("x"));
    return fingers.join(u' ');
}

bool isGripList(const InfoBlock& block) {
    return block.text.startsWith(QLatin1String("The grips of the voicing list"));
}

bool isLibraryList(const InfoBlock& block) {
    return block.text.startsWith(QLatin1String("Scales to play over it")) ||
           block.text.startsWith(QLatin1String("Chords it is played over"));
}

// A paragraph naming songs speaks of their own keys, which no root change moves.
bool namesRecordings(const QString& text) {
    return text.startsWith(QLatin1String("Heard in"));
}

QString gripTable(const std::vector<Voicing>& grips, const QString& root) {
    QString html = QStringLiteral("<h2>Grips on %1</h2>").arg(escaped(root));
    if (grips.empty())
        return html + QStringLiteral("<p>No grip is listed for this root and tuning.</p>");
    html += QStringLiteral("<p><img src=\"%1\"></p>").arg(QLatin1String(InfoBoxesImage));
    html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\" border=\"0\">"
                           "<tr><th align=\"left\">Grip</th><th align=\"left\">Frets</th>"
                           "<th align=\"left\">Fingers</th><th align=\"left\">Shape</th></tr>");
    // The frets and the fingers each on one line, with a gap after them wider than the blank
    // between two strings, so that the columns do not read as one run of numbers.
    for (const Voicing& v : grips)
        html +=
            QStringLiteral(
                "<tr><td>%1</td><td nowrap style=\"padding-right:16px\"><tt>%2</tt></td>"
                "<td nowrap style=\"padding-right:16px\"><tt>%3</tt></td><td>%4</td></tr>")
                .arg(escaped(v.caption), fretsText(v), escaped(fingersText(v)), escaped(v.memo));
    return html + QStringLiteral("</table>");
}

QString relatedBlock(const AppState& s, const QString& modeKey, int item) {
    const QString root = rootName(s);
    QStringList names;
    QString lead;
    if (modeKey == QLatin1String("chord") || modeKey == QLatin1String("arpeggio")) {
        const ChordEntry& chord = s.chords.entries[size_t(item)];
        for (int scale : relatedScales(chord.relatedscaleid, s.scales.count))
            names << root + u' ' + s.scales.entries[size_t(scale)].name;
        lead = QStringLiteral("Scales to play over %1%2").arg(root, chord.name);
    } else if (modeKey == QLatin1String("scale")) {
        for (int c = 0; c < s.chords.count; ++c) {
            const ChordEntry& chord = s.chords.entries[size_t(c)];
            const auto related = relatedScales(chord.relatedscaleid, s.scales.count);
            if (std::find(related.begin(), related.end(), item) != related.end())
                names << root + chord.name;
        }
        lead = QStringLiteral("Chords it is played over");
    }
    if (names.isEmpty())
        return {};
    return QStringLiteral("<p><b>%1:</b> %2.</p>").arg(escaped(lead), escaped(names.join(u", ")));
}

QString formulaOf(const AppState& s, const QString& modeKey, int item) {
    if (modeKey == QLatin1String("scale"))
        return s.scales.entries[size_t(item)].formula;
    if (modeKey == QLatin1String("triad"))
        return s.triads.entries[size_t(item)].formula;
    return s.chords.entries[size_t(item)].formula;
}

bool validItem(const AppState& s, const QString& modeKey, int item) {
    if (item < 0)
        return false;
    if (modeKey == QLatin1String("scale"))
        return item < s.scales.count && size_t(item) < s.scales.entries.size();
    if (modeKey == QLatin1String("triad"))
        return size_t(item) < s.triads.entries.size();
    return item < s.chords.count && size_t(item) < s.chords.entries.size();
}

} // namespace

QString moveNoteNames(QStringView text, int root, int column) {
    QString out;
    out.reserve(text.size() + text.size() / 8);
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        const int letter = letterIndex(c);
        const bool wordStart = i == 0 || !(text[i - 1].isLetterOrNumber() || text[i - 1] == u'#' ||
                                           text[i - 1] == u'\'');
        if (letter < 0 || !wordStart) {
            out += c;
            ++i;
            continue;
        }
        // The accidental: the longest of "##", "#", "bb", "b" after which a name can end; "b"
        // followed by a word ("Ebony") is no flat.
        qsizetype after = i + 1;
        int accidental = 0;
        bool name = false;
        for (const auto& [mark, value] : {std::pair<QStringView, int>{u"##", 2},
                                          {u"#", 1},
                                          {u"bb", -2},
                                          {u"b", -1},
                                          {u"", 0}}) {
            const qsizetype end = i + 1 + mark.size();
            if (!text.mid(i + 1).startsWith(mark))
                continue;
            if (end < text.size() && text[end].isLetter() && !isChordMark(text[end]) &&
                qualityLength(text, end) == 0)
                continue;
            after = end;
            accidental = value;
            name = true;
            break;
        }
        const qsizetype end = symbolEnd(text, after);
        const QStringView rest = text.mid(end);
        const bool bare = end == i + 1;
        const bool article = bare && c == u'A' && rest.startsWith(u' ') &&
                             isLowerLetter(text, end + 1) && sentenceStarts(text, i);
        const bool shape = rest.startsWith(u"-shape") || rest.startsWith(u" shape");
        const bool string =
            after == end && (rest.startsWith(u" string") || rest.startsWith(u"-string") ||
                             precededBy(text, i, u"open ") || precededBy(text, i, u"low ") ||
                             precededBy(text, i, u"high "));
        if (!name || article || shape || string) {
            out += text.mid(i, end - i);
            i = end;
            continue;
        }
        out += spellDegree(degreeToken(letter, accidental), root, column);
        i = after;
    }
    return out;
}

QString movePositions(QStringView text, int semitones) {
    semitones = ((semitones % 12) + 12) % 12;
    if (semitones == 0)
        return text.toString();
    static const QRegularExpression Numbers(QStringLiteral(
        "\\b(\\d+)(st|nd|rd|th)( [Pp]osition| fret\\b)|\\b(frets?) (\\d+)((?:-\\d+)+| "
        "to \\d+)?"));
    QString out;
    qsizetype last = 0;
    const QString source = text.toString();
    auto it = Numbers.globalMatch(source);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += source.mid(last, m.capturedStart() - last);
        last = m.capturedEnd();
        if (m.capturedLength(1) > 0) {
            const int n = m.captured(1).toInt();
            const int moved = n == 0 ? 0 : n + fretShift(semitones, n, n);
            out += ordinal(moved) + m.captured(3);
            continue;
        }
        // "frets 5 to 9", "frets 12-10-10": the numbers move together.
        static const QRegularExpression Digits(QStringLiteral("\\d+"));
        const QString numbers = m.captured(5) + m.captured(6);
        std::vector<int> values;
        for (auto d = Digits.globalMatch(numbers); d.hasNext();)
            values.push_back(d.next().captured().toInt());
        const auto [low, high] = std::minmax_element(values.begin(), values.end());
        if (*low == 0) { // open strings in the group: a shape that does not move as it is
            out += m.captured();
            continue;
        }
        const int shift = fretShift(semitones, *low, *high);
        QString moved = numbers;
        qsizetype offset = 0;
        for (auto d = Digits.globalMatch(numbers); d.hasNext();) {
            const auto digit = d.next();
            const QString to = QString::number(digit.captured().toInt() + shift);
            moved.replace(digit.capturedStart() + offset, digit.capturedLength(), to);
            offset += to.size() - digit.capturedLength();
        }
        out += m.captured(4) + u' ' + moved;
    }
    out += source.mid(last);
    return out;
}

ParsedInfoText parseInfoText(const QString& text) {
    ParsedInfoText parsed;
    const QStringList lines = text.split(u'\n');
    auto underline = [&](qsizetype k, QChar mark) {
        if (k + 1 >= lines.size())
            return false;
        const QString next = lines[k + 1].trimmed();
        return !lines[k].trimmed().isEmpty() && next.size() >= 3 && next.count(mark) == next.size();
    };
    static const QRegularExpression Fact(QStringLiteral("^([A-Z][A-Za-z ]{0,24}):\\s+(.*)$"));
    InfoSection* section = nullptr;
    InfoBlock* block = nullptr;
    bool inFacts = false;
    for (qsizetype k = 0; k < lines.size(); ++k) {
        const QString line = QString(lines[k]).remove(u'\r');
        if (underline(k, u'=')) {
            parsed.title = line.trimmed();
            inFacts = true;
            ++k;
            continue;
        }
        if (underline(k, u'-')) {
            parsed.sections.push_back({line.trimmed(), {}});
            section = &parsed.sections.back();
            block = nullptr;
            inFacts = false;
            ++k;
            continue;
        }
        if (line.trimmed().isEmpty()) {
            block = nullptr;
            continue;
        }
        if (inFacts) {
            const auto m = Fact.match(line);
            if (m.hasMatch())
                parsed.facts.push_back({m.captured(1), m.captured(2).trimmed()});
            else if (!parsed.facts.empty() && line.front().isSpace())
                parsed.facts.back().second += u' ' + line.trimmed();
            else // prose before any section: a section without a heading
                inFacts = false;
            if (inFacts)
                continue;
        }
        if (!section) {
            parsed.sections.push_back({QString(), {}});
            section = &parsed.sections.back();
        }
        if (!block) {
            section->blocks.push_back({});
            block = &section->blocks.back();
        }
        if (line.startsWith(QLatin1String("    ")) && !block->items.isEmpty())
            block->items.back() += u' ' + line.trimmed();
        else if (line.startsWith(QLatin1String("  ")))
            block->items << line.trimmed();
        else if (block->items.isEmpty())
            block->text +=
                (block->text.isEmpty() ? QString() : QStringLiteral(" ")) + line.trimmed();
        else { // prose after a list starts a new block
            section->blocks.push_back({line.trimmed(), {}});
            block = &section->blocks.back();
        }
    }
    return parsed;
}

InfoContent composeInfo(const AppState& s, const QString& modeKey, int item, const QString& text,
                        const std::vector<Voicing>& grips) {
    InfoContent content;
    const int root = s.currentRoot;
    const int column = s.rootSpelling;
    const QString rootText = rootName(s);
    auto onRoot = [&](const QString& prose) {
        return movePositions(moveNoteNames(prose, root, column), root);
    };
    const ParsedInfoText parsed = parseInfoText(text);
    const bool chordLike =
        modeKey == QLatin1String("chord") || modeKey == QLatin1String("arpeggio");
    if (chordLike)
        content.grips = grips;

    content.title = rootText + u' ' + moveNoteNames(parsed.title, root, column);
    QString html = QStringLiteral("<html><body><h1>%1</h1>").arg(escaped(content.title));
    html += QStringLiteral("<p><img src=\"%1\"></p>").arg(QLatin1String(InfoNeckImage));

    // The facts: the notes spelled from the library's formula, the others moved.
    html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\">");
    const bool known = validItem(s, modeKey, item);
    for (const auto& [key, value] : parsed.facts) {
        QString shownKey = key;
        QString shown = onRoot(value);
        if (key.startsWith(QLatin1String("Notes from"))) {
            shownKey = QStringLiteral("Notes from ") + rootText;
            if (known)
                shown =
                    notesText(spellFormula(formulaOf(s, modeKey, item), root, column)).trimmed();
        } else if (key == QLatin1String("Formula") && known) {
            shown = QString(formulaOf(s, modeKey, item)).replace(u';', u' ');
        }
        html += QStringLiteral("<tr><td><b>%1:</b>&nbsp;</td><td>%2</td></tr>")
                    .arg(escaped(shownKey), escaped(shown));
    }
    html += QStringLiteral("</table>");

    bool gripsShown = false;
    for (const InfoSection& section : parsed.sections) {
        if (!section.heading.isEmpty())
            html += QStringLiteral("<h2>%1</h2>").arg(escaped(onRoot(section.heading)));
        for (const InfoBlock& block : section.blocks) {
            if (isGripList(block)) {
                if (chordLike && !gripsShown)
                    html += gripTable(content.grips, rootText);
                gripsShown = true;
                continue;
            }
            if (known && isLibraryList(block))
                continue; // listed from the library below
            const bool recordings = namesRecordings(block.text);
            auto shownText = [&](const QString& t) {
                return escaped(recordings ? t : onRoot(t));
            };
            if (!block.text.isEmpty())
                html += QStringLiteral("<p>%1</p>").arg(shownText(block.text));
            if (!block.items.isEmpty()) {
                html += QStringLiteral("<ul>");
                for (const QString& entry : block.items)
                    html += QStringLiteral("<li>%1</li>").arg(shownText(entry));
                html += QStringLiteral("</ul>");
            }
        }
    }
    if (chordLike && !gripsShown)
        html += gripTable(content.grips, rootText);
    if (known)
        html += relatedBlock(s, modeKey, item);
    content.html = html + QStringLiteral("</body></html>");
    return content;
}

std::vector<Voicing> infoGrips(ModeContext& context, const QString& modeKey, int item) {
    const bool chordLike =
        modeKey == QLatin1String("chord") || modeKey == QLatin1String("arpeggio");
    if (!chordLike || !validItem(context.state, modeKey, item))
        return {};
    // The voicing list of that chord, as the chords page would list it on this root.
    AppState chosen = context.state;
    chosen.selectedChord = item;
    ModeContext c{chosen, context.pages, context.ini, context.fretboard, context.warnings};
    std::vector<Voicing> all = chordVoicings(c);
    std::vector<Voicing> library;
    std::copy_if(all.begin(), all.end(), std::back_inserter(library),
                 [](const Voicing& v) { return !v.generated; });
    if (!library.empty())
        return library;
    if (all.size() > size_t(MaxEngineGrips))
        all.resize(size_t(MaxEngineGrips));
    return all;
}

std::vector<Voicing> infoChordBoxes(const InfoContent& content) {
    std::vector<Voicing> boxes;
    for (const Voicing& v : content.grips) {
        if (boxes.size() == ShownBoxes)
            break;
        if (v.number == OpenChordVoicing)
            boxes.insert(boxes.begin(), v);
        else
            boxes.push_back(v);
    }
    return boxes;
}

} // namespace chordalis
