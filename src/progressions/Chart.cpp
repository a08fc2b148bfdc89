#include "progressions/Chart.h"

#include <algorithm>

namespace chordalis {

QString ProgressionChart::keySymbol() const {
    return keyRoot.name() + (isMinorMode(keyMode) ? QStringLiteral("m") : QString());
}

std::vector<std::optional<int>> ProgressionChart::shapeFrets(const Voicing& grip) const {
    std::vector<std::optional<int>> shape = grip.frets;
    if (capoAcross()) {
        for (auto& f : shape) {
            if (f)
                f = std::max(0, *f - capo.fret);
        }
    }
    return shape;
}

QString symbolSuffix(const ProgressionChord& chord) {
    QString text = chord.symbol.mid(chord.root.name().size());
    if (chord.bass && text.endsWith(u'/' + chord.bass->name()))
        text.chop(chord.bass->name().size() + 1);
    return text;
}

int diagramBaseFret(const std::vector<std::optional<int>>& shape) {
    int low = 0, high = 0;
    for (const auto& f : shape) {
        if (f && *f > 0) {
            low = low == 0 ? *f : std::min(low, *f);
            high = std::max(high, *f);
        }
    }
    return high <= 4 ? 1 : low;
}

QString oneLine(const QString& text, int limit) {
    QString out;
    for (const QChar c : text)
        out += c.category() == QChar::Other_Control || c.isSpace() ? QChar(u' ') : c;
    return out.simplified().left(limit);
}

} // namespace chordalis
