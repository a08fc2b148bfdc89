#include "fretboard/NeckExtras.h"

#include "fretboard/Fretboard.h"
#include "theory/Spelling.h"

namespace chordalis {

QString shownLabel(const Mark& mark, MarkerLabels labels) {
    switch (labels) {
    case MarkerLabels::Fingers:
        break;
    case MarkerLabels::Notes:
        if (!mark.note.isEmpty())
            return mark.note;
        break;
    case MarkerLabels::Intervals:
        if (!mark.interval.isEmpty())
            return mark.interval;
        break;
    }
    return mark.label;
}

QString markerToolTip(const Mark& mark) {
    QStringList parts;
    if (mark.pitch >= 0)
        parts << nameWithOctave(mark.note, mark.pitch);
    if (mark.interval == QLatin1String("1"))
        parts << QStringLiteral("root");
    else if (!mark.interval.isEmpty())
        parts << QStringLiteral("interval ") + mark.interval;
    parts << QStringLiteral("%1 string").arg(ordinal(mark.string));
    parts << (mark.fret == 0 ? QStringLiteral("open") : QStringLiteral("fret %1").arg(mark.fret));
    return parts.join(QStringLiteral(", "));
}

} // namespace chordalis
