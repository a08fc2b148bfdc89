#include "fretboard/ChordBox.h"

#include <algorithm>

namespace chordalis {

namespace {

constexpr int MinimumRows = 4;

bool isOpen(const BoxString& s) {
    return s.fret && (*s.fret == 0 || s.finger == 0);
}

} // namespace

int ChordBox::capoLine() const {
    if (capo.fret <= 0)
        return -1;
    // The capo lies just behind the wire of its fret: line k is the wire of fret firstFret-1+k.
    const int line = capo.fret - firstFret + 1;
    return line >= 0 && line <= rows ? line : -1;
}

QString ChordBox::fretsText() const {
    QString text;
    for (int string = strings; string >= 1; --string) {
        const std::optional<int> fret =
            string <= int(frets.size()) ? frets[std::size_t(string - 1)] : std::nullopt;
        if (!fret)
            text += QLatin1Char('x');
        else if (*fret >= 0 && *fret <= 9)
            text += QChar(u'0' + *fret);
        else
            text += QLatin1Char('(') + QString::number(*fret) + QLatin1Char(')');
    }
    return text;
}

ChordBox layoutChordBox(const std::vector<BoxString>& strings, const Capo& capo, bool leftHanded) {
    ChordBox box;
    box.strings = int(strings.size());
    box.leftHanded = leftHanded;
    box.capo = capo;
    int low = 0, high = 0;
    for (int string = 1; string <= box.strings; ++string) {
        const BoxString& s = strings[std::size_t(string - 1)];
        box.frets.push_back(s.fret);
        if (!s.fret) {
            box.signs.push_back(BoxSign::Mute);
            continue;
        }
        if (isOpen(s)) {
            box.signs.push_back(s.root ? BoxSign::OpenRoot : BoxSign::Open);
            continue;
        }
        box.signs.push_back(BoxSign::Fretted);
        box.dots.push_back({string, *s.fret, s.finger, s.root, s.note, s.interval});
        low = low == 0 ? *s.fret : std::min(low, *s.fret);
        high = std::max(high, *s.fret);
    }

    // A capo across the neck takes the nut's place; a partial one leaves the nut where it is.
    const int floor = capo.fret > 0 && !capo.isPartial() ? capo.fret : 0;
    box.firstFret = high <= floor + MinimumRows ? floor + 1 : low;
    box.rows = std::max(MinimumRows, high - box.firstFret + 1);

    for (int finger = 1; finger <= 4; ++finger) {
        std::vector<const BoxDot*> held;
        for (const BoxDot& dot : box.dots) {
            if (dot.finger == finger)
                held.push_back(&dot);
        }
        if (held.size() < 2)
            continue;
        const int fret = held.front()->fret;
        if (std::any_of(held.begin(), held.end(), [&](const BoxDot* d) { return d->fret != fret; }))
            continue;
        const auto [first, last] = std::minmax_element(
            held.begin(), held.end(), [](auto* a, auto* b) { return a->string < b->string; });
        BoxBarre barre{fret, finger, (*first)->string, (*last)->string};
        // The finger lies flat only where no string under it sounds lower or is silenced.
        bool flat = true;
        for (int string = barre.high; string <= barre.low && flat; ++string) {
            const std::optional<int>& f = box.frets[std::size_t(string - 1)];
            flat = f && *f >= fret && box.signs[std::size_t(string - 1)] == BoxSign::Fretted;
        }
        if (flat)
            box.barres.push_back(barre);
    }
    return box;
}

} // namespace chordalis
