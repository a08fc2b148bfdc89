#include "voicings/ChordTones.h"

#include "theory/Spelling.h"

#include <algorithm>
#include <array>

namespace chordalis {

int degreeSemitones(int degree, int shift) {
    static constexpr std::array<int, 7> Major = {0, 2, 4, 5, 7, 9, 11};
    const int step = (degree - 1) % 7;
    return ((Major[size_t(step)] + shift) % 12 + 12) % 12;
}

int ChordMakeup::toneOf(int semitones) const {
    for (size_t i = 0; i < tones.size(); ++i) {
        if (tones[i].semitones == semitones)
            return int(i);
    }
    return -1;
}

int ChordMakeup::requiredCount() const {
    return int(std::count_if(tones.begin(), tones.end(),
                             [](const ChordTone& t) { return !t.isOptional(); }));
}

std::optional<ChordMakeup> chordMakeup(QStringView formula) {
    if (checkFormula(formula))
        return std::nullopt;
    ChordMakeup makeup;
    for (QStringView token : formula.split(u';')) {
        int shift = 0;
        switch (token.front().unicode()) {
        case 'f':
            shift = -2;
            break;
        case 'b':
            shift = -1;
            break;
        case '#':
            shift = 1;
            break;
        case 'x':
            shift = 2;
            break;
        default:
            break;
        }
        const int degree = leadingNumber(shift != 0 ? token.mid(1) : token);
        const int semitones = degreeSemitones(degree, shift);
        if (makeup.toneOf(semitones) >= 0)
            continue; // a second name of a pitch already stated
        makeup.tones.push_back({degree, shift, semitones, 0});
    }
    if (makeup.tones.empty() || !makeup.tones.front().isRoot())
        return std::nullopt;
    const auto has = [&](int degree) {
        return std::any_of(makeup.tones.begin(), makeup.tones.end(),
                           [&](const ChordTone& t) { return t.degree == degree; });
    };
    const bool eleventh = has(11);
    const bool thirteenth = has(13);
    for (ChordTone& t : makeup.tones) {
        if (t.shift != 0)
            continue; // an altered tone is what the name states
        if (t.degree == 5 && makeup.tones.size() > 2)
            t.omitRank = 1; // a power chord keeps its 5th
        else if (t.degree == 9 && (eleventh || thirteenth))
            t.omitRank = 2;
        else if (t.degree == 11 && thirteenth)
            t.omitRank = 3;
    }
    return makeup;
}

} // namespace chordalis
