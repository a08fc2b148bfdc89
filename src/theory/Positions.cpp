#include "theory/Positions.h"

#include "theory/Spelling.h"

#include <algorithm>

namespace chordalis {

void fillPositionList(PositionList& list, int option, int maxFret) {
    // "nth Position" is entry n + 1; the four-note list ends with the window that ends on the
    // last fret, the five-note list one entry earlier.
    const int lastFourNote = std::max(1, maxFret - 3);
    int n = list.index;
    list.entries.clear();
    list.entries << QStringLiteral("All Positions") << QStringLiteral("Open");
    for (int p = 1; p < lastFourNote; ++p)
        list.entries << ordinal(p) + QStringLiteral(" Position");
    if (option == 0) {
        list.entries << ordinal(lastFourNote) + QStringLiteral(" Position");
    } else {
        if (n == lastFourNote)
            n = lastFourNote - 1;
        if (n > lastFourNote)
            n = lastFourNote;
    }
    list.option = option == 0 ? 0 : 1;
    list.index = std::clamp(n, 0, int(list.entries.size()) - 1);
}

FretWindow fretWindow(const PositionList& list, int maxFret) {
    const int i = list.index;
    if (i <= 0)
        return {0, maxFret};
    const int width = list.option == 0 ? 3 : 4;
    const int low = i == 1 ? 0 : i - 1;
    return {low, std::min(low + width, maxFret)};
}

PositionList initialPositionList(int maxFret) {
    PositionList list;
    fillPositionList(list, 0, maxFret);
    list.index = 0;
    return list;
}

} // namespace chordalis
