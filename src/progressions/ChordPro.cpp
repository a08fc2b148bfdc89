#include "progressions/ChordPro.h"

#include <QSet>

namespace chordalis {

namespace {

QString directiveText(const QString& text) {
    QString out = oneLine(text);
    for (QChar& c : out) {
        if (c == u'{' || c == u'[')
            c = u'(';
        else if (c == u'}' || c == u']')
            c = u')';
    }
    return out;
}

QString chordName(const QString& symbol) {
    QString name = directiveText(symbol);
    name.replace(u' ', u'_');
    return name.isEmpty() ? QStringLiteral("?") : name;
}

} // namespace

QString chordProText(const ProgressionChart& chart) {
    const Progression& p = chart.progression;
    QString out;
    out += QStringLiteral("{title: %1}\n").arg(directiveText(chart.title));
    out += QStringLiteral("{key: %1}\n").arg(chart.keySymbol());
    out += QStringLiteral("{tempo: %1}\n").arg(chart.tempo);
    out += QStringLiteral("{time: %1/4}\n").arg(p.beatsPerBar);
    if (chart.capoAcross())
        out += QStringLiteral("{capo: %1}\n").arg(chart.capo.fret);
    out += u'\n';

    QSet<QString> defined;
    for (size_t i = 0; i < p.chords.size() && i < chart.grips.size(); ++i) {
        const QString name = chordName(p.chords[i].symbol);
        if (!chart.grips[i] || defined.contains(name))
            continue;
        defined.insert(name);
        const auto shape = chart.shapeFrets(*chart.grips[i]);
        const int base = diagramBaseFret(shape);
        QStringList frets, fingers;
        // ChordPro lists the strings from the lowest up: the highest string number first.
        for (int s = int(shape.size()); s >= 1; --s) {
            const auto& f = shape[size_t(s - 1)];
            frets << (!f ? QStringLiteral("x") : QString::number(*f == 0 ? 0 : *f - base + 1));
            const QString finger = chart.grips[i]->finger(s);
            fingers << (finger.size() == 1 && finger[0] >= u'1' && finger[0] <= u'4'
                            ? finger
                            : QStringLiteral("0"));
        }
        out += QStringLiteral("{define: %1 base-fret %2 frets %3 fingers %4}\n")
                   .arg(name)
                   .arg(base)
                   .arg(frets.join(u' '), fingers.join(u' '));
    }
    if (!defined.isEmpty())
        out += u'\n';

    // Bars, four to a line.
    QString line;
    int barsOnLine = 0;
    for (size_t i = 0; i < p.chords.size(); ++i) {
        const ProgressionChord& c = p.chords[i];
        if (i == 0 || c.bar != p.chords[i - 1].bar)
            line += QStringLiteral("| ");
        line += u'[' + chordName(c.symbol) + u']';
        for (int b = 1; b < c.beats; ++b)
            line += QStringLiteral(" /");
        line += u' ';
        if (i + 1 == p.chords.size() || p.chords[i + 1].bar != c.bar) {
            if (++barsOnLine == 4 || i + 1 == p.chords.size()) {
                out += line + QStringLiteral("|\n");
                line.clear();
                barsOnLine = 0;
            }
        }
    }
    return out;
}

} // namespace chordalis
