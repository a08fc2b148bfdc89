// The voicing engine against the library's hand-written grips, and its speed.
//
//   chordalis_grip_bench [--recall]   prints how many of the library's grips the engine lists,
//                                     and how high, then runs the timings
//   chordalis_grip_bench --digest     prints one line per neck: a checksum of every grip (frets,
//                                     fingers, cost, in order) of every chord on the 12 roots,
//                                     with and without inversions; a faster search must keep it
//
// Recall: for every chord, every root and every grip of voicing.ini moved to that root (the open
// chords at their own root), the rank of the grip among the engine's grips of that chord and
// root with the same lowest sounding string. Recall at k is the share ranked k or better.
#include "library/IniReader.h"
#include "library/LibraryLoader.h"
#include "library/Voicings.h"
#include "library/Warnings.h"
#include "theory/Instruments.h"
#include "voicings/GripSearch.h"

#include <QCoreApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>

using namespace chordalis;

namespace {

struct Library {
    Library() : ini(QStringLiteral(CHORDALIS_SHIPPED_DATA)) {
        LibraryLoader loader(ini, warnings);
        chords = loader.loadChords();
    }
    IniReader ini;
    Warnings warnings{true};
    ChordLibrary chords;
};

std::vector<int> fretsOf(const Voicing& v) {
    std::vector<int> frets;
    for (int s = 1; s <= v.strings(); ++s)
        frets.push_back(v.fret(s).value_or(-1));
    return frets;
}

int bassString(const std::vector<int>& frets) {
    for (int s = int(frets.size()); s >= 1; --s)
        if (frets[size_t(s - 1)] >= 0)
            return s;
    return 0;
}

// Every chord of the library on every root it has grips for: its grips, and the request that
// searches the same chord and root on a standard neck of 24 frets (the library moves shapes up
// to the 24th fret).
template <class Visit> void forEachLibraryChord(Library& lib, Visit visit) {
    for (int chord = 0; chord < lib.chords.count; ++chord) {
        const auto tones = chordMakeup(lib.chords.entries[size_t(chord)].formula);
        if (!tones)
            continue;
        for (int root = 0; root < 12; ++root) {
            const std::vector<Voicing> grips =
                readVoicings(lib.ini, lib.warnings, chord, root, Tuning{});
            if (grips.empty())
                continue;
            GripRequest request;
            request.chord = *tones;
            request.root = root;
            request.instrument.frets = 24;
            visit(chord, root, grips, request);
        }
    }
}

struct Tally {
    int grips = 0;
    int listed = 0;
    std::map<int, int> within; // k -> grips ranked k or better
    void add(int rank) {
        ++grips;
        if (rank > 0)
            ++listed;
        for (int k : {1, 3, 6, 12})
            if (rank > 0 && rank <= k)
                ++within[k];
    }
    void print(const char* what) const {
        std::printf("%-9s %5d grips: listed %5.1f %%", what, grips, 100.0 * listed / grips);
        for (const auto& [k, n] : within)
            std::printf("   at %2d %5.1f %%", k, 100.0 * n / grips);
        std::printf("\n");
    }
};

void printRecall() {
    Library lib;
    Tally movable;
    Tally open;
    Tally inverted;   // another tone than the root lowest: searched with inversions asked for
    int rootless = 0; // grips without the root: the engine offers none, so they are counted only
    std::map<int, int> missedByChord;
    forEachLibraryChord(lib, [&](int chord, int root, const std::vector<Voicing>& grips,
                                 const GripRequest& request) {
        const std::vector<Grip> found = searchGrips(request);
        std::vector<Grip> withInversions;
        for (const Voicing& v : grips) {
            const std::vector<int> frets = fretsOf(v);
            const int bass = bassString(frets);
            bool hasRoot = false;
            for (int s = 1; s <= int(frets.size()); ++s)
                hasRoot |= frets[size_t(s - 1)] >= 0 &&
                           (Tuning{}.openNote(s) + frets[size_t(s - 1)] - root) % 12 == 0;
            if (!hasRoot) {
                ++rootless;
                continue;
            }
            const bool inversion =
                (Tuning{}.openNote(bass) + frets[size_t(bass - 1)] - root) % 12 != 0;
            if (inversion && withInversions.empty()) {
                GripRequest any = request;
                any.inversions = true;
                withInversions = searchGrips(any);
            }
            int rank = 0;
            int seen = 0;
            for (const Grip& g : inversion ? withInversions : found) {
                if (g.bassString != bass)
                    continue;
                ++seen;
                if (g.frets == frets) {
                    rank = seen;
                    break;
                }
            }
            (v.number == OpenChordVoicing ? open : inversion ? inverted : movable).add(rank);
            if (qEnvironmentVariableIsSet("GRIP_DIAG") && root == 0 && rank != 1) {
                auto text = [](const std::vector<int>& f) {
                    std::string t;
                    for (int s = int(f.size()); s >= 1; --s)
                        t += f[size_t(s - 1)] < 0 ? " x"
                                                  : (f[size_t(s - 1)] < 10 ? " " : "") +
                                                        std::to_string(f[size_t(s - 1)]);
                    return t;
                };
                std::printf("%-12s lib %s rank %d; top:",
                            qPrintable(lib.chords.entries[size_t(chord)].name), text(frets).c_str(),
                            rank);
                int n = 0;
                for (const Grip& g : found)
                    if (g.bassString == bass && n++ < 3)
                        std::printf(" %s (%.1f)", text(g.frets).c_str(), g.cost);
                std::printf("\n");
            }
            if (rank == 0)
                ++missedByChord[chord];
        }
    });
    movable.print("movable");
    open.print("open");
    inverted.print("inverted");
    std::printf("rootless  %5d grips: not searched (the engine lists grips with the root)\n",
                rootless);
    std::printf("chords with grips the engine does not list (chord: grips):");
    for (const auto& [chord, n] : missedByChord)
        std::printf(" %d:%d", chord, n);
    std::printf("\n");
}

// Fits the ranking's weights to the library: coordinate descent on the mean of the recalls at
// 1, 3, 6 and 12, each weight kept within bounds that keep its meaning (a penalty stays one).
void fitWeights() {
    Library lib;
    struct Target {
        size_t group; // index into groups
        size_t grip;  // index into the group's grips
        bool open;
    };
    struct Group {
        std::vector<Grip> grips;
    };
    std::vector<Group> groups;
    std::vector<Target> targets;
    forEachLibraryChord(
        lib, [&](int, int, const std::vector<Voicing>& grips, const GripRequest& request) {
            const std::vector<Grip> found = searchGrips(request);
            for (const Voicing& v : grips) {
                const std::vector<int> frets = fretsOf(v);
                const int bass = bassString(frets);
                Group group;
                size_t at = 0;
                bool hit = false;
                for (const Grip& g : found) {
                    if (g.bassString != bass)
                        continue;
                    if (g.frets == frets) {
                        at = group.grips.size();
                        hit = true;
                    }
                    group.grips.push_back(g);
                }
                if (!hit)
                    continue;
                groups.push_back(std::move(group));
                targets.push_back({groups.size() - 1, at, v.number == OpenChordVoicing});
            }
        });
    const auto score = [&](const GripWeights& w) {
        double total = 0;
        double openWithin12 = 0;
        int opens = 0;
        for (const Target& t : targets) {
            const auto& grips = groups[t.group].grips;
            const auto cost = [&](const Grip& g) {
                double c = 0;
                for (int k = 0; k < FeatureCount; ++k)
                    c += w[size_t(k)] * g.features[size_t(k)];
                return c;
            };
            const double mine = cost(grips[t.grip]);
            int rank = 1;
            for (size_t i = 0; i < grips.size(); ++i)
                if (i != t.grip &&
                    (cost(grips[i]) < mine || (cost(grips[i]) == mine && i < t.grip)))
                    ++rank;
            total += (rank <= 1) + (rank <= 3) + (rank <= 6) + (rank <= 12);
            if (t.open) {
                ++opens;
                openWithin12 += rank <= 12;
            }
        }
        // Every open grip among the first twelve is a must; the rest is the mean recall.
        return total / (4.0 * double(targets.size())) - (openWithin12 < opens ? 1.0 : 0.0);
    };
    // Bounds: penalties stay penalties, the fuller sound and the open position stay rewards.
    const std::array<std::pair<double, double>, FeatureCount> bounds = {{
        {0.2, 2.0},   // Position
        {0.0, 4.0},   // FourFrets
        {2.0, 10.0},  // FiveFrets
        {0.0, 5.0},   // InnerMutes
        {0.5, 3.0},   // TopMutes
        {0.0, 3.0},   // BottomMutes
        {0.5, 6.0},   // Omitted
        {0.0, 2.0},   // OmittedRank
        {-3.0, -0.7}, // Sounding
        {-1.0, 0.4},  // Fingers
        {-1.0, 3.0},  // Barre
        {3.0, 12.0},  // Inversion
        {0.0, 1.0},   // Doubled
        {-2.0, -0.2}, // OpensLow
        {0.0, 4.0},   // OpensHigh
    }};
    GripWeights w = DefaultGripWeights;
    double best = score(w);
    std::printf("fit over %zu grips, start %.4f\n", targets.size(), best);
    for (double step : {1.0, 0.5, 0.25, 0.1, 0.05}) {
        for (bool improved = true; improved;) {
            improved = false;
            for (int k = 0; k < FeatureCount; ++k) {
                for (double d : {step, -step}) {
                    GripWeights trial = w;
                    trial[size_t(k)] = std::clamp(trial[size_t(k)] + d, bounds[size_t(k)].first,
                                                  bounds[size_t(k)].second);
                    const double s = score(trial);
                    if (s > best + 1e-9) {
                        best = s;
                        w = trial;
                        improved = true;
                    }
                }
            }
        }
        std::printf("step %.2f: %.4f\n", step, best);
    }
    std::printf("weights:");
    for (double x : w)
        std::printf(" %.2f", x);
    std::printf("\n");
}

// The necks the digest covers: the six-string guitar in every preset tuning, each instrument, and
// a capo across the neck and across some strings on the six- and the eight-string guitar.
void printDigest() {
    Library lib;
    std::vector<ChordMakeup> chords;
    for (int chord = 0; chord < lib.chords.count; ++chord)
        if (const auto tones = chordMakeup(lib.chords.entries[size_t(chord)].formula))
            chords.push_back(*tones);
    struct Neck {
        std::string name;
        Instrument instrument;
        Capo capo;
    };
    std::vector<Neck> necks;
    for (int preset = 1; preset <= LastTuningPreset; ++preset)
        necks.push_back({TuningPresets[size_t(preset)].text, {presetTuning(preset), 24}, {}});
    for (const InstrumentPreset& p : InstrumentPresets)
        necks.push_back({p.name, p.instrument(), {}});
    necks.push_back({"Standard, capo 2", {Tuning{}, 24}, {2, 0, 0}});
    necks.push_back({"Standard, capo 2:1-3", {Tuning{}, 24}, {2, 1, 3}});
    necks.push_back({"8-String, capo 3:4-8", InstrumentPresets[1].instrument(), {3, 4, 8}});
    for (const Neck& neck : necks) {
        std::uint64_t sum = 14695981039346656037ull; // FNV-1a over every value in order
        const auto mix = [&](long long v) {
            sum = (sum ^ std::uint64_t(v)) * 1099511628211ull;
        };
        size_t count = 0;
        for (const ChordMakeup& tones : chords) {
            for (int root = 0; root < 12; ++root) {
                for (bool inversions : {false, true}) {
                    GripRequest r;
                    r.chord = tones;
                    r.root = root;
                    r.instrument = neck.instrument;
                    r.capo = neck.capo;
                    r.inversions = inversions;
                    for (const Grip& g : searchGrips(r)) {
                        ++count;
                        for (size_t k = 0; k < g.frets.size(); ++k) {
                            mix(g.frets[k]);
                            mix(g.fingers[k]);
                        }
                        mix(std::llround(g.cost * 1000));
                        mix(-99);
                    }
                    mix(-999);
                }
            }
        }
        std::printf("%-30s %8zu grips %016llx\n", neck.name.c_str(), count,
                    (unsigned long long)sum);
    }
}

GripRequest request(const char* formula, int root, const Instrument& neck = {}) {
    GripRequest r;
    r.chord = *chordMakeup(QString::fromLatin1(formula));
    r.root = root;
    r.instrument = neck;
    return r;
}

// One chord's grips for one root: what a root change or a new tuning asks of the engine.
void BM_GripsOfOneChord(benchmark::State& state) {
    const GripRequest r = request("1;3;5;b7;9", 7); // G9, standard tuning
    for (auto _ : state)
        benchmark::DoNotOptimize(searchGrips(r));
}
BENCHMARK(BM_GripsOfOneChord)->Unit(benchmark::kMillisecond);

void BM_GripsOfOneChordSevenStrings24Frets(benchmark::State& state) {
    const GripRequest r =
        request("1;b3;5;b7", 9, {{CustomPreset, {64, 59, 55, 50, 45, 40, 35}}, 24});
    for (auto _ : state)
        benchmark::DoNotOptimize(searchGrips(r));
}
BENCHMARK(BM_GripsOfOneChordSevenStrings24Frets)->Unit(benchmark::kMillisecond);

// The same chord on each instrument the program offers (goal: 2 ms each).
void BM_GripsOfOneChordOnEachInstrument(benchmark::State& state) {
    const InstrumentPreset& preset = InstrumentPresets[size_t(state.range(0))];
    const GripRequest r = request("1;b3;5;b7", 9, preset.instrument());
    for (auto _ : state)
        benchmark::DoNotOptimize(searchGrips(r));
    state.SetLabel(preset.name);
    // How many grips the search keeps: at MaxGripsPerSearch the time is mostly theirs.
    state.counters["grips"] = double(searchGrips(r).size());
}
BENCHMARK(BM_GripsOfOneChordOnEachInstrument)
    ->DenseRange(0, int(InstrumentPresets.size()) - 1)
    ->Unit(benchmark::kMillisecond);

// The whole library on twelve roots for one tuning (DADGAD).
void BM_WholeLibraryTwelveRoots(benchmark::State& state) {
    Library lib;
    std::vector<ChordMakeup> chords;
    for (int chord = 0; chord < lib.chords.count; ++chord)
        if (const auto tones = chordMakeup(lib.chords.entries[size_t(chord)].formula))
            chords.push_back(*tones);
    Instrument neck{presetTuning(11)};
    for (auto _ : state) {
        size_t grips = 0;
        for (const ChordMakeup& tones : chords) {
            for (int root = 0; root < 12; ++root) {
                GripRequest r;
                r.chord = tones;
                r.root = root;
                r.instrument = neck;
                grips += searchGrips(r).size();
            }
        }
        benchmark::DoNotOptimize(grips);
    }
}
BENCHMARK(BM_WholeLibraryTwelveRoots)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bool recall = false;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--recall")
            recall = true;
        else if (std::string_view(argv[i]) == "--fit")
            fitWeights();
        else if (std::string_view(argv[i]) == "--digest") {
            printDigest();
            return 0;
        } else
            rest.push_back(argv[i]);
    }
    if (recall)
        printRecall();
    int n = int(rest.size());
    benchmark::Initialize(&n, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
