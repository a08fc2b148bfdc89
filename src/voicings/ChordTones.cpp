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

int ChordSpec::toneOf(int semitones) const {
    for (size_t i = 0; i < tones.size(); ++i) {
        if (tones[i].semitones == semitones)
            return int(i);
    }
    return -1;
}

int ChordSpec::requiredCount() const {
    return int(std::count_if(tones.begin(), tones.end(),
                             [](const ChordTone& t) { return !t.isOptional(); }));
}

std::optional<ChordSpec> chordSpec(QStringView formula) {
    if (checkFormula(formula))
        return std::nullopt;
    ChordSpec spec;
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
        if (spec.toneOf(semitones) >= 0)
            continue; // a second name of a pitch already stated
        spec.tones.push_back({degree, shift, semitones, 0});
    }
    if (spec.tones.empty() || !spec.tones.front().isRoot())
        return std::nullopt;
    const auto has = [&](int degree) {
        return std::any_of(spec.tones.begin(), spec.tones.end(),
                           [&](const ChordTone& t) { return t.degree == degree; });
    };
    const bool eleventh = has(11);
    const bool thirteenth = has(13);
    for (ChordTone& t : spec.tones) {
        if (t.shift != 0)
            continue; // an altered tone is what the name states
        if (t.degree == 5 && spec.tones.size() > 2)
            t.omitRank = 1; // a power chord keeps its 5th
        else if (t.degree == 9 && (eleventh || thirteenth))
            t.omitRank = 2;
        else if (t.degree == 11 && thirteenth)
            t.omitRank = 3;
    }
    return spec;
}

} // namespace chordalis
