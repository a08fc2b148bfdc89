#include "listening/ChordCheck.h"

#include "modes/Finder.h"
#include "theory/Neck.h"
#include "theory/Spelling.h"

#include <algorithm>
#include <cstdlib>

namespace chordalis {

HeardChord nameHeardNotes(IniReader& ini, const ChordLibrary& chords, std::vector<int> notes) {
    HeardChord heard;
    std::sort(notes.begin(), notes.end());
    notes.erase(std::unique(notes.begin(), notes.end()), notes.end());
    if (notes.empty())
        return heard;
    QStringList names;
    for (int n : notes)
        names << nameWithOctave(noteName(pitchClassOfNote(n), FlatColumn), n);
    heard.notes = names.join(QLatin1Char(' '));
    const int bass = pitchClassOfNote(notes.front());
    std::vector<int> roots;
    for (int n : notes)
        if (std::find(roots.begin(), roots.end(), pitchClassOfNote(n)) == roots.end())
            roots.push_back(pitchClassOfNote(n));
    heard.text = noteName(bass, FlatColumn);
    if (roots.size() < 2)
        return heard;
    const IniReader::Operation reading(ini);
    for (int root : roots) {
        std::array<bool, 12> present{};
        for (int pc : roots)
            present[size_t(pitchClassOfNote(pc - root))] = true;
        QStringList set;
        for (int i = 0; i < 12; ++i)
            if (present[size_t(i)])
                set << QString::number(i);
        const QString d =
            ini.readIni(QStringLiteral("finder"), set.join(QLatin1Char(';')), QStringLiteral("d"));
        if (d.isEmpty())
            continue;
        heard.text = noteName(root, FlatColumn) + QLatin1Char(' ') + d;
        const QString symbol = finderChordName(chords, d);
        if (!symbol.isEmpty())
            heard.symbol = noteName(root, FlatColumn) + symbol;
        if (root != bass) {
            heard.text += QLatin1String(" / ") + noteName(bass, FlatColumn);
            if (!heard.symbol.isEmpty())
                heard.symbol += QLatin1Char('/') + noteName(bass, FlatColumn);
        }
        return heard;
    }
    return heard;
}

std::vector<StringVerdict> checkGrip(const Instrument& instrument,
                                     const std::vector<std::optional<int>>& frets,
                                     const NoteActivations& heard) {
    const Tuning& tuning = instrument.tuning;
    const int strings = std::min(int(frets.size()), tuning.strings());
    std::vector<StringVerdict> verdicts(static_cast<size_t>(strings));
    std::vector<int> asked;
    for (int s = 1; s <= strings; ++s) {
        StringVerdict& v = verdicts[size_t(s - 1)];
        v.string = s;
        if (const auto fret = frets[size_t(s - 1)]) {
            v.expected = pitchAt(tuning, s, *fret);
            asked.push_back(*v.expected);
            if (heard.strength[size_t(std::clamp(*v.expected, 0, 127))] < ExpectedShare)
                v.check = StringCheck::Missing;
        }
    }
    // Notes heard that the grip does not ask for, strongest first. One as weak as an asked note
    // may be is taken only for a string that lacks its own note: a fret slipped there explains
    // both, where a weak stray on a silent string is more likely an overtone.
    std::vector<int> extra;
    for (int n : heard.above(ExpectedShare))
        if (std::find(asked.begin(), asked.end(), n) == asked.end())
            extra.push_back(n);
    std::sort(extra.begin(), extra.end(), [&heard](int a, int b) {
        return heard.strength[size_t(a)] > heard.strength[size_t(b)];
    });
    auto canPlay = [&](int s, int note) {
        const int open = tuning.openNote(s);
        return note >= open && note <= open + instrument.frets;
    };
    constexpr int MaxSlip = 2; // semitones: a finger a fret or two off
    for (int note : extra) {
        const bool strong = heard.strength[size_t(note)] >= UnexpectedShare;
        StringVerdict* best = nullptr;
        int distance = 0;
        for (StringVerdict& v : verdicts) {
            if (v.check != StringCheck::Missing || !canPlay(v.string, note))
                continue;
            const int d = std::abs(note - *v.expected);
            // A weak note is a slipped finger only near the fret asked for; farther off it is
            // more likely an overtone of the strings that do sound (G4 above C3 and G3).
            if (!strong && d > MaxSlip)
                continue;
            if (!best || d < distance) {
                best = &v;
                distance = d;
            }
        }
        if (!best && strong) {
            for (StringVerdict& v : verdicts) {
                if (v.expected || v.check != StringCheck::Right || !canPlay(v.string, note))
                    continue;
                const int d = note - tuning.openNote(v.string);
                if (!best || d < distance) {
                    best = &v;
                    distance = d;
                }
            }
        }
        if (best) {
            best->check = StringCheck::Wrong;
            best->heard = note;
        }
    }
    return verdicts;
}

std::vector<StringVerdict> checkStrum(const Instrument& instrument,
                                      const std::vector<std::optional<int>>& frets,
                                      const NoteFinder& finder, std::span<const float> sound) {
    std::vector<int> candidates;
    const int strings = std::min(int(frets.size()), instrument.strings());
    for (int s = 1; s <= strings; ++s) {
        const std::optional<int> fret = frets[size_t(s - 1)];
        const int low = fret ? std::max(0, *fret - 3) : 0;
        const int high = std::min(instrument.frets, fret ? *fret + 3 : 4);
        for (int f = low; f <= high; ++f)
            candidates.push_back(pitchAt(instrument.tuning, s, f));
    }
    return checkGrip(instrument, frets, finder.find(sound, &candidates));
}

QString checkWord(StringCheck check) {
    switch (check) {
    case StringCheck::Right:
        return QStringLiteral("right");
    case StringCheck::Missing:
        return QStringLiteral("missing");
    case StringCheck::Wrong:
        return QStringLiteral("wrong");
    }
    return {};
}

QString checkSentence(const std::vector<StringVerdict>& verdicts) {
    if (verdicts.empty())
        return {};
    const auto name = [](int note) {
        return nameWithOctave(noteName(pitchClassOfNote(note), FlatColumn), note);
    };
    QStringList faults;
    int right = 0;
    std::vector<StringVerdict> lowFirst = verdicts;
    std::sort(lowFirst.begin(), lowFirst.end(),
              [](const StringVerdict& a, const StringVerdict& b) { return a.string > b.string; });
    for (const StringVerdict& v : lowFirst) {
        if (v.check == StringCheck::Right) {
            ++right;
            continue;
        }
        QString fault = QStringLiteral("string %1 %2").arg(v.string).arg(checkWord(v.check));
        if (v.check == StringCheck::Wrong && v.heard)
            fault +=
                v.expected
                    ? QStringLiteral(" (heard %1, not %2)").arg(name(*v.heard), name(*v.expected))
                    : QStringLiteral(" (heard %1, meant silent)").arg(name(*v.heard));
        faults << fault;
    }
    if (faults.isEmpty())
        return QStringLiteral("All %1 strings right.").arg(right);
    QString text = faults.join(QStringLiteral("; "));
    text[0] = text[0].toUpper();
    if (right > 0)
        text += QStringLiteral("; %1 right").arg(right);
    return text + QLatin1Char('.');
}

} // namespace chordalis
