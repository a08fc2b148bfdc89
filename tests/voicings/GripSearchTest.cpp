#include "voicings/GripSearch.h"

#include "theory/Instruments.h"

#include <QString>
#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace chordalis {
namespace {

GripRequest request(const char* formula, int root, const Instrument& neck = {},
                    const Capo& capo = {}) {
    GripRequest r;
    r.chord = *chordMakeup(QString::fromLatin1(formula));
    r.root = root;
    r.instrument = neck;
    r.capo = capo;
    return r;
}

// Frets written from the lowest string to string 1, as players write them.
std::vector<int> written(std::initializer_list<int> lowToHigh) {
    return std::vector<int>(std::rbegin(lowToHigh), std::rend(lowToHigh));
}

// The rank (1 first) of a grip among those of the same bass string, 0 when it is not listed.
int rankOf(const std::vector<Grip>& grips, const std::vector<int>& frets) {
    int bass = 0;
    for (const Grip& g : grips)
        if (g.frets == frets)
            bass = g.bassString;
    int rank = 0;
    for (const Grip& g : grips) {
        if (g.bassString != bass)
            continue;
        ++rank;
        if (g.frets == frets)
            return rank;
    }
    return 0;
}

// Every playable grip, worked out over every fret of every string apart from the search: chord
// tones only, the required ones all, the root lowest, 3 to 7 strings within four frets (five in
// reach), at most two inner mutes, each beside a fretted string, and four fingers enough.
std::set<std::vector<int>> bruteForce(const GripRequest& r) {
    const Instrument& neck = r.instrument;
    const int n = neck.strings();
    std::set<std::vector<int>> out;
    std::vector<int> frets(size_t(n), -1);
    unsigned required = 0, chord = 0;
    for (const ChordTone& t : r.chord.tones) {
        chord |= 1u << t.semitones;
        if (!t.isOptional())
            required |= 1u << t.semitones;
    }
    const auto check = [&] {
        const auto open = [&](int s) {
            return openFret(neck, r.capo, s);
        };
        unsigned present = 0;
        int sounding = 0, lowest = 999, lowestTone = -1, low = 99, high = -1, top = 0, bottom = 0;
        for (int s = 1; s <= n; ++s) {
            const int f = frets[size_t(s - 1)];
            if (f < 0)
                continue;
            if (f < open(s) || (f > 0 && f < open(s)))
                return;
            const int tone = ((neck.tuning.openNote(s) + f - r.root) % 12 + 12) % 12;
            if (!(chord >> tone & 1u))
                return;
            present |= 1u << tone;
            ++sounding;
            top = top ? top : s;
            bottom = s;
            const int pitch = neck.tuning.openNote(s) + f;
            if (pitch < lowest || (pitch == lowest && tone == lowestTone)) {
                lowest = pitch;
                lowestTone = tone;
            }
            if (f > open(s)) {
                low = std::min(low, f);
                high = std::max(high, f);
            }
        }
        // The root lowest, unless the neck is re-entrant and has no bass.
        if ((present & required) != required || (lowestTone != 0 && !isReentrant(neck.tuning)) ||
            sounding < std::min(3, std::popcount(chord)) || sounding > 7)
            return;
        if (high >= 0 && high - low + 1 > 4 &&
            (high - low + 1 > 5 || stretchMm(neck.scaleLength, low, high) > MaxStretchMm))
            return;
        const auto pressed = [&](int s) {
            return frets[size_t(s - 1)] > open(s);
        };
        int inner = 0;
        for (int s = top + 1; s < bottom; ++s) {
            if (frets[size_t(s - 1)] >= 0)
                continue;
            if (!pressed(s - 1) && !pressed(s + 1))
                return;
            ++inner;
        }
        if (inner > 2)
            return;
        // Per fret, runs of adjacent strings one finger holds; at the lowest fret the index may
        // bar across strings pressed higher, saving a finger for each run it joins.
        std::vector<int> runFrets;
        int saved = 0;
        for (int f = low; f <= high; ++f) {
            bool inRun = false, inBarre = false;
            int joined = 0;
            for (int s = 1; s <= n; ++s) {
                const bool here = pressed(s) && frets[size_t(s - 1)] == f;
                const bool bridge = f == low && pressed(s) && frets[size_t(s - 1)] > f;
                if (here && !inRun)
                    runFrets.push_back(f);
                if (here && !inRun && inBarre)
                    saved = std::max(saved, ++joined);
                if (here && !inBarre)
                    joined = 0;
                inRun = here;
                inBarre = here || (inBarre && bridge);
            }
        }
        runFrets.erase(runFrets.begin(), runFrets.begin() + saved);
        // Rising fingers 1..4, one per run, none two spread wider than a fret past their distance.
        for (unsigned pick = 0; pick < 16u; ++pick) {
            if (std::popcount(pick) != int(runFrets.size()))
                continue;
            std::vector<int> finger;
            for (int k = 0; k < 4; ++k)
                if (pick >> k & 1u)
                    finger.push_back(k + 1);
            bool spread = true;
            for (size_t i = 0; i < finger.size(); ++i)
                for (size_t j = i + 1; j < finger.size(); ++j)
                    spread = spread && runFrets[j] - runFrets[i] <= finger[j] - finger[i] + 1;
            if (spread) {
                out.insert(frets);
                return;
            }
        }
    };
    const auto walk = [&](auto&& self, int s) -> void {
        if (s == 0) {
            check();
            return;
        }
        for (int f = -1; f <= neck.frets; ++f) {
            frets[size_t(s - 1)] = f;
            self(self, s - 1);
        }
        frets[size_t(s - 1)] = -1;
    };
    walk(walk, n);
    return out;
}

// Re-entrant, partial capos, a short neck, the banjo's short string under a capo below and above.
TEST(GripSearch, ListsExactlyThePlayableGripsOfSmallNecks) {
    const Instrument ukulele{{CustomPreset, {69, 64, 60, 67}}, 9, 330};
    const Instrument bass{{CustomPreset, {43, 38, 33, 28}}, 8, 864};
    const Instrument topStrings{{CustomPreset, {64, 59, 55, 50}}, 12};
    const Instrument shortSix{Tuning{}, 6};
    Instrument banjo = InstrumentPresets[10].instrument();
    banjo.frets = 9;
    // formula, root, neck, capo
    const std::tuple<const char*, int, Instrument, Capo> cases[] = {
        {"1;3;5", 0, ukulele, {}},
        {"1;3;5;b7", 0, ukulele, {}},
        {"1;5", 7, bass, {}},
        {"1;3;5;b7", 2, topStrings, {2}},
        {"1;4;5", 4, topStrings, {2, 2, 4}},
        {"1;3;5;7;9", 0, topStrings, {}},
        {"1;b3;5;b7", 9, shortSix, {}},
        {"1;3;5", 7, banjo, {}},
        {"1;3;5;b7", 2, banjo, {2}},
        {"1;b3;5", 4, banjo, {7}},
    };
    for (const auto& [formula, root, neck, capo] : cases) {
        SCOPED_TRACE(formula);
        const GripRequest r = request(formula, root, neck, capo);
        std::vector<int> open;
        for (int s = 1; s <= neck.strings(); ++s)
            open.push_back(openFret(neck, capo, s));
        std::set<std::vector<int>> searched;
        for (const Grip& g : searchGrips(r)) {
            EXPECT_TRUE(searched.insert(g.frets).second); // each once
            EXPECT_LE(g.fingerCount, 4);
            // Fingered as the grip alone is, whatever shapes the searches before fingered.
            EXPECT_EQ(g.fingers, fingerGrip(g.frets, open));
        }
        EXPECT_EQ(searched, bruteForce(r));
        EXPECT_FALSE(searched.empty());
    }
}

TEST(GripSearch, FamousGripsComeFirst) {
    const Instrument openG{presetTuning(5)};
    const Instrument dadgad{presetTuning(11)};
    const Instrument dropD{presetTuning(4)};
    const Instrument bStandard{presetTuning(15)};
    const Instrument ukulele{{CustomPreset, {69, 64, 60, 67}}, 15, 330};
    const Instrument banjo = InstrumentPresets[10].instrument();
    // Each grip among the first `within` of its bass string.
    const std::tuple<const char*, GripRequest, std::vector<int>, int> cases[] = {
        {"open C", request("1;3;5", 0), written({-1, 3, 2, 0, 1, 0}), 2},
        {"F barre", request("1;3;5", 5), written({1, 3, 3, 2, 1, 1}), 1},
        {"D in drop D", request("1;3;5", 2, dropD), written({0, 0, 0, 2, 3, 2}), 3},
        {"G in open G", request("1;3;5", 7, openG), written({-1, 0, 0, 0, 0, 0}), 2},
        {"Dsus4 in DADGAD", request("1;4;5", 2, dadgad), written({0, 0, 0, 0, 0, 0}), 1},
        {"D5 in DADGAD", request("1;5", 2, dadgad), written({0, 0, 0, 2, 0, 0}), 3},
        {"D5 in drop D", request("1;5", 2, dropD), written({0, 0, 0, -1, -1, -1}), 3},
        {"Bm in B standard", request("1;b3;5", 11, bStandard), written({0, 2, 2, 0, 0, 0}), 2},
        {"ukulele C", request("1;3;5", 0, ukulele), written({0, 0, 0, 3}), 2},
        // The re-entrant G4 sounds above the C4: the lowest note is the D on the C string.
        {"ukulele G", request("1;3;5", 7, ukulele), written({0, 2, 3, 2}), 2},
        {"A as G shape, capo 2", request("1;3;5", 9, {}, {2}), written({5, 4, 2, 2, 2, 5}), 3},
        // The banjo's short string sounds its G4 open at the 5th fret.
        {"banjo G", request("1;3;5", 7, banjo), written({5, 0, 0, 0, 0}), 1},
    };
    for (const auto& [name, wanted, grip, within] : cases) {
        const int rank = rankOf(searchGrips(wanted), grip);
        EXPECT_TRUE(rank >= 1 && rank <= within) << name << ": rank " << rank;
    }
    // Open G strummed on all six strings has its 5th lowest: a grip of the inversions.
    GripRequest strummed = request("1;3;5", 7, openG);
    strummed.inversions = true;
    EXPECT_GE(rankOf(searchGrips(strummed), written({0, 0, 0, 0, 0, 0})), 1);
}

// Any weights: negative ones, and a NaN, whose costs sort last.
TEST(GripSearch, RanksByCostKeepingTheOrderOfEqualCosts) {
    const std::vector<Grip> found =
        searchGrips(request("1;b3;5;b7", 9, InstrumentPresets[9].instrument())); // Drop A
    GripWeights negative = DefaultGripWeights;
    for (double& w : negative)
        w = -w;
    GripWeights withNaN = DefaultGripWeights;
    withNaN[Barre] = std::nan("");
    for (const GripWeights& weights : {DefaultGripWeights, negative, withNaN}) {
        std::vector<Grip> grips(found.rbegin(), found.rend());
        std::vector<Grip> expected = grips;
        const auto cost = [&](const Grip& g) {
            double c = 0;
            for (int f = 0; f < FeatureCount; ++f)
                c += weights[size_t(f)] * g.features[size_t(f)];
            return std::isnan(c) ? HUGE_VAL : c;
        };
        std::stable_sort(expected.begin(), expected.end(),
                         [&](const Grip& a, const Grip& b) { return cost(a) < cost(b); });
        rankGrips(grips, weights);
        ASSERT_EQ(grips.size(), expected.size());
        for (size_t k = 0; k < grips.size(); ++k)
            ASSERT_EQ(grips[k].frets, expected[k].frets) << k;
    }
}

TEST(GripSearch, FingersAsPlayersWriteThem) {
    const std::vector<int> open(6, 0);
    const std::pair<std::vector<int>, std::vector<int>> cases[] = {
        // frets, fingers
        {written({-1, 3, 2, 0, 1, 0}), written({-1, 3, 2, 0, 1, 0})},   // C
        {written({3, 2, 0, 0, 0, 3}), written({2, 1, 0, 0, 0, 3})},     // G
        {written({-1, -1, 0, 2, 3, 2}), written({-1, -1, 0, 1, 3, 2})}, // D
        {written({1, 3, 3, 2, 1, 1}), written({1, 3, 3, 2, 1, 1})},     // F, E shape barre
        {written({-1, 3, 5, 5, 5, 3}), written({-1, 1, 3, 3, 3, 1})},   // C, A shape barre
        {written({-1, 2, 4, 4, 3, 2}), written({-1, 1, 3, 3, 2, 1})},   // Bm
        {written({-1, -1, 3, 2, 1, 1}), written({-1, -1, 3, 2, 1, 1})}, // small F
        // Only the index bars over a string pressed higher; the middle holds adjacent strings.
        {written({1, 1, 0, 1, 4, 1}), written({2, 2, 0, 1, 4, 1})},
    };
    for (const auto& [frets, fingers] : cases)
        EXPECT_EQ(fingerGrip(frets, open), fingers);
    // Five fingers' worth is no grip, nor two fingers on the 1st fret and two on the 4th: the
    // middle and ring fingers do not spread over three frets.
    EXPECT_FALSE(fingerGrip(written({1, 2, 3, 4, 5, -1}), open));
    EXPECT_FALSE(fingerGrip(written({-1, 4, 1, 4, 0, 1}), open));
}

TEST(GripSearch, BadRequestsGiveNoGripsAndTheSearchIsBounded) {
    EXPECT_TRUE(searchGrips(request("1;3;5", 0, {}, {13})).empty());      // above the 12th
    EXPECT_TRUE(searchGrips(request("1;3;5", 0, {}, {2, 3, 3})).empty()); // one string
    EXPECT_TRUE(searchGrips(request("1;3;5", 0, {}, {2, 5, 7})).empty()); // past the 6th
    // Seven tones on four strings: no hand can hold them.
    EXPECT_TRUE(
        searchGrips(request("1;3;5;b7;9;#11;13", 0, {{CustomPreset, {64, 59, 55, 50}}})).empty());
    // Unison strings still give grips; ten strings stay within the bound.
    EXPECT_FALSE(
        searchGrips(request("1;3;5", 4, {{CustomPreset, std::vector<int>(6, 52)}})).empty());
    const Instrument ten{{CustomPreset, {64, 59, 55, 50, 45, 40, 35, 30, 25, 20}}, 24};
    const std::vector<Grip> grips = searchGrips(request("1;3;5;b7;9", 0, ten));
    EXPECT_FALSE(grips.empty());
    EXPECT_LE(grips.size(), size_t(MaxGripsPerSearch));
    for (const Grip& g : grips)
        EXPECT_LE(std::count_if(g.frets.begin(), g.frets.end(), [](int f) { return f >= 0; }),
                  MaxSoundingStrings);
    // Past ten strings, or too few open frets for a fingering: nothing, never a read past a list.
    Instrument eleven = ten;
    eleven.tuning.notes.push_back(15);
    EXPECT_TRUE(searchGrips(request("1;3;5", 0, eleven)).empty());
    EXPECT_FALSE(fingerGrip(std::vector<int>(11, 1), std::vector<int>(11, 0)));
    EXPECT_FALSE(fingerGrip(written({-1, 3, 2, 0, 1, 0}), std::vector<int>(5, 0)));
    // A string starting past the 12th fret, or at the neck's last, is no neck to search.
    for (int first : {13, 15}) {
        Instrument banjo = InstrumentPresets[10].instrument();
        banjo.frets = 15;
        banjo.firstFrets[4] = first;
        EXPECT_TRUE(searchGrips(request("1;3;5", 7, banjo)).empty()) << first;
    }
}

// An altered tone is never left out.
TEST(GripSearch, OnlyWhatGuitaristsLeaveOutIsLeftOut) {
    const auto makeup = *chordMakeup(u"1;3;5;b7;9;11;13");
    std::vector<int> optional;
    for (const ChordTone& t : makeup.tones)
        if (t.isOptional())
            optional.push_back(t.degree);
    EXPECT_EQ(optional, (std::vector<int>{5, 9, 11}));
    EXPECT_EQ(chordMakeup(u"1;3;b5;b7")->requiredCount(), 4); // the b5 is the chord's point
    EXPECT_EQ(chordMakeup(u"1;5")->requiredCount(), 2);       // a power chord keeps its 5th
    for (const Grip& g : searchGrips(request("1;3;5;b7;#9", 4))) {
        for (int degree : g.omitted)
            EXPECT_EQ(degree, 5);
    }
}

} // namespace
} // namespace chordalis
