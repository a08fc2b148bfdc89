#include "progressions/Voicer.h"

#include <QSet>
#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace chordalis {

namespace {

// A finger's bit in a set of fingers: "1".."4" (and any other digit) by its number; any other
// text (a thumb written "T") shares bit 15.
unsigned fingerBit(const QString& finger) {
    bool digit = false;
    const int n = finger.toInt(&digit);
    return 1u << (digit && n >= 0 && n < 15 ? n : 15);
}

// What the cost reads of one grip, worked out once.
struct Features {
    std::vector<int> pitches;  // sounding MIDI notes, low to high
    unsigned pitchClasses = 0; // bit per pitch class
    std::vector<int> fretted;  // per string: the fret pressed, -1 open or silent
    int top = 0;
    int position = 0; // the lowest fret pressed; the first fret above the nut or capo when none
    double difficulty = 0;
};

Features featuresOf(const Voicing& v, const Tuning& tuning, const Capo& capo) {
    Features f;
    f.fretted.assign(size_t(v.strings()), -1);
    int low = std::numeric_limits<int>::max(), high = 0, first = 0, last = 0;
    unsigned fingers = 0, barred = 0;
    for (int s = 1; s <= v.strings(); ++s) {
        const auto fret = v.fret(s);
        if (!fret)
            continue;
        const int pitch = tuning.openNote(s) + *fret;
        f.pitches.push_back(pitch);
        f.pitchClasses |= 1u << (pitch % 12);
        first = first == 0 ? s : first;
        last = s;
        if (*fret > capo.openFret(s)) {
            f.fretted[size_t(s - 1)] = *fret;
            low = std::min(low, *fret);
            high = std::max(high, *fret);
            const unsigned finger = fingerBit(v.finger(s));
            barred |= fingers & finger;
            fingers |= finger;
        }
    }
    std::sort(f.pitches.begin(), f.pitches.end());
    f.top = f.pitches.empty() ? 0 : f.pitches.back();
    f.position = high > 0 ? low : capo.fret + 1;
    int innerMutes = 0;
    for (int s = first; s <= last && first > 0; ++s)
        innerMutes += v.fret(s) ? 0 : 1;
    const int span = high > 0 ? high - low + 1 : 0;
    // A thin grip is easy but sounds thin: each silent string counts, so that a strummed
    // progression keeps full grips and a style of fewer strings compares like with like.
    const int silent = v.strings() - int(f.pitches.size());
    f.difficulty = 0.25 * std::popcount(fingers) + std::max(0, span - 3) +
                   (barred == 0 ? 0.0 : 0.5) + 0.5 * innerMutes + 0.5 * silent;
    return f;
}

CostParts move(const Features& a, const Features& b) {
    CostParts c;
    auto nearest = [](const std::vector<int>& from, const std::vector<int>& to) {
        double sum = 0;
        for (int p : from) {
            int best = std::numeric_limits<int>::max();
            for (int q : to)
                best = std::min(best, std::abs(p - q));
            sum += to.empty() ? 0 : best;
        }
        return sum;
    };
    c.semitones = (nearest(a.pitches, b.pitches) + nearest(b.pitches, a.pitches)) / 2.0;
    unsigned held = 0;
    for (int p : b.pitches)
        if (std::binary_search(a.pitches.begin(), a.pitches.end(), p))
            held |= 1u << (p % 12);
    c.notHeld = std::popcount(a.pitchClasses & b.pitchClasses) - std::popcount(held);
    c.topVoice = std::abs(a.top - b.top);
    c.shift = std::abs(a.position - b.position);
    const size_t strings = std::max(a.fretted.size(), b.fretted.size());
    for (size_t s = 0; s < strings; ++s) {
        const int fa = s < a.fretted.size() ? a.fretted[s] : -1;
        const int fb = s < b.fretted.size() ? b.fretted[s] : -1;
        c.fingers += (fa >= 0 || fb >= 0) && fa != fb ? 1 : 0;
    }
    return c;
}

// The grips of each chord that keep the constraints, with their features.
struct Allowed {
    std::vector<std::vector<int>> index; // per chord: indices into its grips
    std::vector<std::vector<Features>> features;
};

Allowed allowedGrips(const VoicerRequest& r) {
    Allowed a;
    for (size_t i = 0; i < r.chords.size(); ++i) {
        const VoicerChord& chord = r.chords[i];
        const auto& melody = r.constraints.melody;
        const int top = i < melody.size() && melody[i] ? *melody[i] : -1; // -1: free
        std::vector<int> index;
        std::vector<Features> features;
        for (size_t k = 0; k < chord.grips.size(); ++k) {
            if (!keepsConstraints(chord.grips[k], chord, r.tuning, r.capo, r.constraints))
                continue;
            Features f = featuresOf(chord.grips[k], r.tuning, r.capo);
            if (top >= 0 && f.top != top)
                continue;
            index.push_back(int(k));
            features.push_back(std::move(f));
        }
        a.index.push_back(std::move(index));
        a.features.push_back(std::move(features));
    }
    return a;
}

// The result of choosing allowed grip `pick[i]` (an index into the allowed list, -1 none).
VoicedProgression result(const VoicerRequest& r, const Allowed& a, const std::vector<int>& pick) {
    VoicedProgression v;
    const Features* before = nullptr;
    for (size_t i = 0; i < r.chords.size(); ++i) {
        CostParts step;
        if (pick[i] >= 0) {
            const Features& f = a.features[i][size_t(pick[i])];
            if (before)
                step = move(*before, f);
            step.difficulty = f.difficulty;
            before = &f;
        }
        v.choice.push_back(pick[i] >= 0 ? a.index[i][size_t(pick[i])] : -1);
        v.steps.push_back(step);
        v.parts += step;
    }
    v.total = v.parts.total(r.weights);
    return v;
}

// Picks each chord's grip from the cost so far: `best` says which allowed grip of chord i to take
// given the features of the grip before (null for the first chord with grips).
template <typename Best> VoicedProgression chain(const VoicerRequest& r, Best best) {
    const Allowed a = allowedGrips(r);
    std::vector<int> pick(r.chords.size(), -1);
    const Features* before = nullptr;
    for (size_t i = 0; i < r.chords.size(); ++i) {
        if (a.features[i].empty())
            continue;
        pick[i] = best(a.features[i], before);
        before = &a.features[i][size_t(pick[i])];
    }
    return result(r, a, pick);
}

} // namespace

CostParts& CostParts::operator+=(const CostParts& o) {
    semitones += o.semitones;
    notHeld += o.notHeld;
    topVoice += o.topVoice;
    shift += o.shift;
    fingers += o.fingers;
    difficulty += o.difficulty;
    return *this;
}

const char* voicingStyleWord(VoicingStyle style) {
    switch (style) {
    case VoicingStyle::OpenAndBarre:
        return "open";
    case VoicingStyle::Shell:
        return "shell";
    case VoicingStyle::Drop2:
        return "drop2";
    case VoicingStyle::Drop3:
        return "drop3";
    case VoicingStyle::Triads:
        return "triads";
    default:
        return "any";
    }
}

std::optional<VoicingStyle> voicingStyleOf(const QString& word) {
    for (VoicingStyle s : {VoicingStyle::Any, VoicingStyle::OpenAndBarre, VoicingStyle::Shell,
                           VoicingStyle::Drop2, VoicingStyle::Drop3, VoicingStyle::Triads})
        if (word.compare(QLatin1String(voicingStyleWord(s)), Qt::CaseInsensitive) == 0)
            return s;
    return std::nullopt;
}

bool keepsConstraints(const Voicing& grip, const VoicerChord& chord, const Tuning& tuning,
                      const Capo& capo, const VoicerConstraints& c) {
    std::vector<int> sounding; // strings, highest-sounding string first
    std::vector<int> pitches;
    bool open = false;
    int high = 0;
    unsigned fingers = 0;
    bool barre = false;
    for (int s = 1; s <= grip.strings(); ++s) {
        const auto fret = grip.fret(s);
        if (!fret)
            continue;
        if (!c.strings.empty() &&
            std::find(c.strings.begin(), c.strings.end(), s) == c.strings.end())
            return false;
        sounding.push_back(s);
        pitches.push_back(tuning.openNote(s) + *fret);
        if (*fret <= capo.openFret(s)) {
            open = true;
            if (c.lowFret > capo.openFret(s))
                return false;
            continue;
        }
        if (*fret < c.lowFret || *fret > c.highFret)
            return false;
        high = std::max(high, *fret - capo.openFret(s));
        const unsigned finger = fingerBit(grip.finger(s));
        barre = barre || (fingers & finger) != 0;
        fingers |= finger;
    }
    if (sounding.empty())
        return false;
    std::sort(pitches.begin(), pitches.end());
    if (chord.bass && ((pitches.front() - *chord.bass) % 12 + 12) % 12 != 0)
        return false; // a slash chord sounds its bass lowest, whatever its style
    const bool adjacent = sounding.back() - sounding.front() + 1 == int(sounding.size());
    auto tone = [&](int pitch) {
        return ((pitch - chord.root) % 12 + 12) % 12;
    };
    QSet<int> classes;
    for (int p : pitches)
        classes.insert(tone(p));
    const bool distinct = classes.size() == qsizetype(pitches.size());
    switch (c.style) {
    case VoicingStyle::OpenAndBarre:
        return (open && high <= 4) || barre;
    case VoicingStyle::Shell: {
        // Three strings, at most one skipped between them (6-4-3, 5-4-3, 6-5-4).
        if (pitches.size() != 3 || !distinct || tone(pitches[0]) != 0 ||
            sounding.back() - sounding.front() > 3)
            return false;
        const bool third = classes.contains(3) || classes.contains(4);
        const bool seventh = classes.contains(10) || classes.contains(11) || classes.contains(9);
        const bool triad = chord.tones.size() == 3;
        return third && (seventh || (triad && (classes.contains(7) || classes.contains(6) ||
                                               classes.contains(8))));
    }
    case VoicingStyle::Drop2:
    case VoicingStyle::Drop3: {
        // Drop 2 lies on four adjacent strings; drop 3 skips one (6-4-3-2, 5-3-2-1).
        const int strings = sounding.back() - sounding.front() + 1;
        if (pitches.size() != 4 || !distinct || strings > (c.style == VoicingStyle::Drop2 ? 4 : 5))
            return false;
        const int raised = pitches[0] + 12;
        const bool drop2 = raised > pitches[2] && raised < pitches[3];
        const bool drop3 = raised > pitches[1] && raised < pitches[2];
        return pitches[3] - pitches[1] < 12 && (c.style == VoicingStyle::Drop2 ? drop2 : drop3);
    }
    case VoicingStyle::Triads:
        return pitches.size() == 3 && distinct && adjacent && chord.tones.size() == 3;
    default:
        return true;
    }
}

VoicedProgression voiceProgression(const VoicerRequest& r) {
    const Allowed a = allowedGrips(r);
    const size_t n = r.chords.size();
    // cost[i][k]: the cheapest path to allowed grip k of chord i; from[i][k]: its grip before.
    std::vector<std::vector<double>> cost(n);
    std::vector<std::vector<int>> from(n);
    std::optional<size_t> before;
    for (size_t i = 0; i < n; ++i) {
        const auto& grips = a.features[i];
        cost[i].assign(grips.size(), 0.0);
        from[i].assign(grips.size(), -1);
        for (size_t k = 0; k < grips.size(); ++k) {
            double best = before ? std::numeric_limits<double>::infinity() : 0.0;
            if (before) {
                for (size_t j = 0; j < a.features[*before].size(); ++j) {
                    const double c =
                        cost[*before][j] + move(a.features[*before][j], grips[k]).total(r.weights);
                    if (c < best) {
                        best = c;
                        from[i][k] = int(j);
                    }
                }
            }
            cost[i][k] = best + r.weights.difficulty * grips[k].difficulty;
        }
        if (!grips.empty())
            before = i;
    }
    std::vector<int> pick(n, -1);
    if (before) {
        const auto& last = cost[*before];
        int k = int(std::min_element(last.begin(), last.end()) - last.begin());
        for (size_t i = *before + 1; i-- > 0;) {
            if (a.features[i].empty())
                continue;
            pick[i] = k;
            k = from[i][size_t(k)];
        }
    }
    return result(r, a, pick);
}

VoicedProgression firstGrips(const VoicerRequest& r) {
    return chain(r, [](const std::vector<Features>&, const Features*) { return 0; });
}

VoicedProgression greedyGrips(const VoicerRequest& r) {
    return chain(r, [&](const std::vector<Features>& grips, const Features* before) {
        int best = 0;
        double lowest = std::numeric_limits<double>::infinity();
        for (size_t k = 0; k < grips.size(); ++k) {
            CostParts c = before ? move(*before, grips[k]) : CostParts{};
            c.difficulty = grips[k].difficulty;
            if (c.total(r.weights) < lowest) {
                lowest = c.total(r.weights);
                best = int(k);
            }
        }
        return best;
    });
}

VoicedProgression costOf(const VoicerRequest& r, const std::vector<int>& choice) {
    const Allowed a = allowedGrips(r);
    std::vector<int> pick(r.chords.size(), -1);
    for (size_t i = 0; i < r.chords.size() && i < choice.size(); ++i) {
        const auto& index = a.index[i];
        const auto at = std::find(index.begin(), index.end(), choice[i]);
        pick[i] = at == index.end() ? -1 : int(at - index.begin());
    }
    return result(r, a, pick);
}

} // namespace chordalis
