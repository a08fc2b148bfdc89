#include "theory/Positions.h"

#include "theory/Spelling.h"

#include <algorithm>

namespace chordalis {

void fillPositionList(PositionList& list, int option) {
    int n = list.index;
    list.entries.clear();
    list.entries << QStringLiteral("All Positions") << QStringLiteral("Open");
    for (int p = 1; p <= 11; ++p)
        list.entries << ordinal(p) + QStringLiteral(" Position");
    if (option == 0) {
        list.entries << QStringLiteral("12th Position");
    } else {
        if (n == 12)
            n = 11;
        if (n > 12)
            n = 12;
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

PositionList initialPositionList() {
    PositionList list;
    fillPositionList(list, 0);
    list.index = 0;
    return list;
}

} // namespace chordalis
