#include "app/PedalActions.h"

namespace chordalis {

int nextRootTab(int tab) {
    // Tab i (1..17) goes to NextTab[i - 1]: C# and Db both go on to D, and so on.
    static constexpr std::array<int, 17> NextTab = {3,  4,  4,  6,  7,  7,  8,  10, 11,
                                                    11, 13, 14, 14, 16, 17, 17, 1};
    return tab >= 1 && tab <= 17 ? NextTab[size_t(tab - 1)] : 0;
}

std::optional<SteppedList> steppedList(Mode page, bool secondary) {
    using K = SteppedList::Kind;
    switch (page) {
    case Mode::Chords:
        return SteppedList{K::Tree, secondary ? TreeId::Voicings : TreeId::Chords, page};
    case Mode::Scales:
        return secondary ? SteppedList{K::Positions, TreeId::Scales, page}
                         : SteppedList{K::Tree, TreeId::Scales, page};
    case Mode::Arpeggios:
        return secondary ? SteppedList{K::Positions, TreeId::Arpeggios, page}
                         : SteppedList{K::Tree, TreeId::Arpeggios, page};
    case Mode::Triads:
        return SteppedList{K::Tree, secondary ? TreeId::StringGroup : TreeId::Triads, page};
    case Mode::ChordScale:
        return secondary ? SteppedList{K::Positions, TreeId::CSChords, page}
                         : SteppedList{K::Tree, TreeId::CSChords, page};
    case Mode::Notes:
    case Mode::ChordFinder:
        break;
    }
    return std::nullopt;
}

bool pedalPlays(Mode page) {
    return page != Mode::Notes && page != Mode::ChordScale;
}

} // namespace chordalis
