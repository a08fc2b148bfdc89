#include "voicings/GripSearch.h"

#include "theory/Neck.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

namespace chordalis {

double stretchMm(double scaleLength, int low, int high) {
    const auto wire = [&](int fret) {
        return scaleLength * (1.0 - std::pow(2.0, -fret / 12.0));
    };
    return wire(high) - wire(std::max(0, low - 1));
}

namespace {

// Fingers for the pressed strings, fret by fret from the lowest: each run of strings one finger
// holds gets the next finger, or the finger of its fret counted from the lowest ("one finger per
// fret") where that is higher. At the lowest fret, `barre` lets the index finger lie across the
// strings between its notes where they are pressed at that fret or higher; otherwise each note
// there takes a finger of its own. Above it, a finger lies only across adjacent strings of its
// fret. Nothing when more than four fingers are needed; `shared` tells whether a finger above the
// lowest fret holds more than one string.
std::optional<std::vector<int>> assignFingers(const std::vector<int>& frets,
                                              const std::vector<int>& openFrets,
                                              const std::vector<int>& pressedFrets, bool barre,
                                              bool& shared) {
    const int strings = int(frets.size());
    std::vector<int> fingers(frets.size(), -1);
    for (int i = 0; i < strings; ++i) {
        if (frets[size_t(i)] >= 0 && frets[size_t(i)] <= openFrets[size_t(i)])
            fingers[size_t(i)] = 0;
    }
    const auto pressed = [&](int i, int fret) {
        return frets[size_t(i)] == fret && fret > openFrets[size_t(i)];
    };
    // The runs one finger each holds, fret by fret from the lowest.
    struct Run {
        int fret, from, to;
    };
    std::vector<Run> held;
    for (size_t k = 0; k < pressedFrets.size(); ++k) {
        const int fret = pressedFrets[k];
        // Runs of strings, from the lower string (larger index) up.
        std::vector<std::pair<int, int>> runs;
        for (int i = strings - 1; i >= 0; --i) {
            if (!pressed(i, fret))
                continue;
            if (!runs.empty() && (k > 0 || barre)) {
                bool joins = true;
                for (int j = runs.back().second - 1; j > i && joins; --j) {
                    joins = k == 0 && frets[size_t(j)] > openFrets[size_t(j)] &&
                            frets[size_t(j)] >= fret;
                }
                if (joins) {
                    runs.back().second = i;
                    continue;
                }
            }
            runs.push_back({i, i});
        }
        // The index finger takes the run of the lowest fret that saves the most fingers (of
        // those, the longest); the others follow in order. Only the index lies across strings
        // pressed higher: another finger there holds adjacent strings of its fret alone.
        if (k == 0 && runs.size() > 1) {
            const auto pieces = [&](std::pair<int, int> run) {
                std::vector<std::pair<int, int>> out;
                for (int i = run.first; i >= run.second; --i) {
                    if (!pressed(i, fret))
                        continue;
                    if (!out.empty() && out.back().second == i + 1)
                        out.back().second = i;
                    else
                        out.push_back({i, i});
                }
                return out;
            };
            const auto index = std::max_element(runs.begin(), runs.end(), [&](auto a, auto b) {
                const size_t pa = pieces(a).size(), pb = pieces(b).size();
                return pa != pb ? pa < pb : a.first - a.second < b.first - b.second;
            });
            std::vector<std::pair<int, int>> ordered{*index};
            for (auto run = runs.begin(); run != runs.end(); ++run) {
                if (run == index)
                    continue;
                for (const auto& piece : pieces(*run))
                    ordered.push_back(piece);
            }
            runs = std::move(ordered);
        }
        for (const auto& [from, to] : runs)
            held.push_back({fret, from, to});
    }
    if (held.size() > size_t(MaxGripFingers))
        return std::nullopt;
    // Each run the finger of its fret counted from the lowest ("one finger per fret") where the
    // runs still to come leave room for it, and always a higher finger than the run before.
    const int base = pressedFrets.front();
    int last = 0;
    shared = false;
    std::vector<int> runFingers;
    for (size_t r = 0; r < held.size(); ++r) {
        const Run& run = held[r];
        const int room = MaxGripFingers - int(held.size() - r - 1);
        const int finger = std::max(last + 1, std::min(room, 1 + run.fret - base));
        // Two fingers spread at most one fret wider than they lie apart on the hand: the index
        // and middle over two frets, the middle and ring over two, the index and little finger
        // over five. Wider, no hand holds the grip.
        for (size_t q = 0; q < r; ++q) {
            if (run.fret - held[q].fret > finger - runFingers[q] + 1)
                return std::nullopt;
        }
        runFingers.push_back(finger);
        last = finger;
        shared = shared || (run.fret != base && run.from != run.to);
        for (int i = run.from; i >= run.to; --i) {
            if (pressed(i, run.fret))
                fingers[size_t(i)] = finger;
        }
    }
    return fingers;
}

} // namespace

std::optional<std::vector<int>> fingerGrip(const std::vector<int>& frets,
                                           const std::vector<int>& openFrets) {
    std::vector<int> pressedFrets;
    int atBase = 0;
    for (size_t i = 0; i < frets.size(); ++i) {
        if (frets[i] > openFrets[i])
            pressedFrets.push_back(frets[i]);
    }
    if (pressedFrets.empty()) {
        std::vector<int> fingers(frets.size(), -1);
        for (size_t i = 0; i < frets.size(); ++i)
            fingers[i] = frets[i] < 0 ? -1 : 0;
        return fingers;
    }
    std::sort(pressedFrets.begin(), pressedFrets.end());
    atBase = int(std::count(pressedFrets.begin(), pressedFrets.end(), pressedFrets.front()));
    pressedFrets.erase(std::unique(pressedFrets.begin(), pressedFrets.end()), pressedFrets.end());
    bool plainShared = false;
    bool barreShared = false;
    const auto plain = assignFingers(frets, openFrets, pressedFrets, false, plainShared);
    if (atBase < 2)
        return plain;
    const auto barred = assignFingers(frets, openFrets, pressedFrets, true, barreShared);
    // Two notes on the lowest fret are fingered apart where three fingers do it without a
    // finger across strings (D major's 1-3-2); otherwise the index finger bars.
    if (plain && atBase == 2 && !plainShared &&
        *std::max_element(plain->begin(), plain->end()) <= 3)
        return plain;
    return barred ? barred : plain;
}

namespace {

// The search over one neck: strings walked from the lowest (the bass) up.
class Search {
public:
    explicit Search(const GripRequest& r)
        : m_r(r), m_strings(r.instrument.strings()),
          m_anyBass(r.inversions || isReentrant(r.instrument.tuning)) {
        const Tuning& t = r.instrument.tuning;
        for (int s = 1; s <= m_strings; ++s) {
            m_open.push_back(r.capo.openFret(s));
            m_openNote.push_back(t.openNote(s));
        }
        for (const ChordTone& tone : r.chord.tones) {
            if (!tone.isOptional())
                m_required |= 1u << tone.semitones;
            m_chordMask |= 1u << tone.semitones;
        }
        m_frets.assign(size_t(m_strings), -1);
        // The lowest pitch any string above string s can sound, for settling the bass early.
        m_floor.assign(size_t(m_strings), 1000);
        for (int s = 2; s <= m_strings; ++s)
            m_floor[size_t(s - 1)] =
                std::min(m_floor[size_t(s - 2)], m_openNote[size_t(s - 2)] + m_open[size_t(s - 2)]);
    }

    std::vector<Grip> run() {
        const int last = m_r.instrument.frets;
        // Grips with no fretted note, then every lowest fretted fret.
        m_base = -1;
        walk(m_strings, {});
        for (m_base = 1; m_base <= last && m_found.size() < size_t(MaxGripsPerSearch); ++m_base)
            walk(m_strings, {});
        rankGrips(m_found);
        return std::move(m_found);
    }

private:
    // The semitones above the root that a string sounds at a fret.
    int toneAt(int string, int fret) const {
        return pitchClassOfNote(m_openNote[size_t(string - 1)] + fret - m_r.root);
    }

    // What the walk has chosen below the string it is at.
    struct Walked {
        unsigned present = 0; // the tones sounding
        unsigned used = 0;    // the frets pressed, a bit per fret above the base
        int sounding = 0;     // sounding strings
        int pending = 0;      // muted strings since the last sounding one (inner or the top's)
        int inner = 0;        // muted strings known to lie inside the grip
        int lowest = 999;     // the lowest pitch sounding
        int lowestTone = 0;   // its tone
    };

    // Chooses string `s` and those above it.
    void walk(int s, const Walked& w) {
        if (m_found.size() >= size_t(MaxGripsPerSearch))
            return;
        if (s == 0) {
            finish(w);
            return;
        }
        // Not enough strings left for the tones still missing.
        if (std::popcount(m_required & ~w.present) > s)
            return;
        const size_t i = size_t(s - 1);
        const int open = m_open[i];

        // Muted: below the bass, inside the grip (at most two, no more than two in a row), or
        // above the highest sounding string.
        m_frets[i] = -1;
        Walked muted = w;
        if (w.sounding > 0)
            ++muted.pending;
        walk(s - 1, muted);

        const auto take = [&](int fret, unsigned usedNow) {
            const int tone = toneAt(s, fret);
            if (!(m_chordMask >> tone & 1u))
                return;
            Walked next = w;
            if (w.sounding > 0 && w.pending > 0) {
                next.inner += w.pending;
                if (w.pending > 2 || next.inner > 2)
                    return;
            }
            next.pending = 0;
            if (++next.sounding > MaxSoundingStrings)
                return;
            const int pitch = m_openNote[i] + fret;
            if (pitch < next.lowest) {
                next.lowest = pitch;
                next.lowestTone = tone;
            }
            // Where no string above can sound lower, the bass is settled: the root, unless
            // inversions are asked for.
            if (!m_anyBass && next.lowestTone != 0 && m_floor[i] > next.lowest)
                return;
            next.present |= 1u << tone;
            next.used = usedNow;
            m_frets[i] = fret;
            walk(s - 1, next);
            m_frets[i] = -1;
        };
        // Open (or on the capo).
        take(open, w.used);
        if (m_base < 0)
            return;
        // Fretted inside the hand's window, above the capo on a string it covers.
        const int high = std::min(m_base + MaxGripSpan - 1, m_r.instrument.frets);
        for (int fret = std::max(m_base, open + 1); fret <= high; ++fret) {
            const unsigned usedNow = w.used | 1u << (fret - m_base);
            if (std::popcount(usedNow) > MaxGripFingers)
                continue;
            take(fret, usedNow);
        }
    }

    void finish(const Walked& w) {
        const unsigned present = w.present;
        if ((present & m_required) != m_required)
            return;
        if (!m_anyBass && w.lowestTone != 0)
            return;
        Grip g;
        g.frets = m_frets;
        int sounding = 0;
        int low = 999;
        int high = -1;
        int lowestString = 0;
        for (int s = 1; s <= m_strings; ++s) {
            const int fret = m_frets[size_t(s - 1)];
            if (fret < 0)
                continue;
            ++sounding;
            lowestString = s;
            if (m_openNote[size_t(s - 1)] + fret == w.lowest)
                g.bassString = s; // the lowest note, on the lowest string that sounds it
            if (fret > m_open[size_t(s - 1)]) {
                low = std::min(low, fret);
                high = std::max(high, fret);
            }
        }
        const int tones = std::popcount(m_chordMask);
        if (sounding < std::min(3, tones) || sounding > MaxSoundingStrings)
            return;
        if (m_base > 0 && low != m_base)
            return; // found under the window of its own lowest fret
        if (m_base < 0 && high >= 0)
            return;
        g.lowFret = high < 0 ? (m_r.capo.isPartial() ? 0 : m_r.capo.fret) : low;
        g.span = high < 0 ? 0 : high - low + 1;
        if (g.span > PlainGripSpan && (g.span > MaxGripSpan || stretchMm(m_r.instrument.scaleLength,
                                                                         low, high) > MaxStretchMm))
            return;
        // Muted strings: any number below the bass and above the highest sounding string;
        // inside the grip at most two, each beside a fretted string whose finger damps it.
        int top = 0;
        for (int s = 1; s <= m_strings && top == 0; ++s) {
            if (m_frets[size_t(s - 1)] >= 0)
                top = s;
        }
        const auto fretted = [&](int s) {
            return m_frets[size_t(s - 1)] > m_open[size_t(s - 1)];
        };
        int inner = 0;
        for (int s = top + 1; s < lowestString; ++s) {
            if (m_frets[size_t(s - 1)] >= 0)
                continue;
            if (!fretted(s - 1) && !fretted(s + 1))
                return;
            ++inner;
        }
        if (inner > 2)
            return;
        const auto fingers = fingerGrip(m_frets, m_open);
        if (!fingers)
            return;
        g.fingers = *fingers;
        g.fingerCount = *std::max_element(g.fingers.begin(), g.fingers.end());
        g.barre = std::count(g.fingers.begin(), g.fingers.end(), 1) > 1;
        g.bassTone = w.lowestTone;
        int omittedRanks = 0;
        for (const ChordTone& tone : m_r.chord.tones) {
            if (!(present >> tone.semitones & 1u)) {
                g.omitted.push_back(tone.degree);
                omittedRanks += tone.omitRank;
            }
        }
        weigh(g, sounding, inner, top, omittedRanks);
        m_found.push_back(std::move(g));
    }

    int lowestStringOf(const Grip& g) const {
        for (int s = m_strings; s >= 1; --s)
            if (g.sounds(s))
                return s;
        return 0;
    }

    // What the ranking weighs of a grip.
    void weigh(Grip& g, int sounding, int inner, int top, int omittedRanks) const {
        const int capo = m_r.capo.isPartial() ? 0 : m_r.capo.fret;
        GripWeights& f = g.features;
        // A grip within the first four frets above the nut (or capo) is in the open position.
        const int reach = g.span == 0 ? 0 : g.lowFret + g.span - 1 - capo;
        f[Position] = reach <= 4 ? 0 : std::max(0, g.lowFret - capo);
        f[FourFrets] = g.span == 4;
        f[FiveFrets] = g.span == 5;
        f[InnerMutes] = inner;
        f[TopMutes] = top - 1;
        f[BottomMutes] = m_strings - lowestStringOf(g);
        f[Omitted] = double(g.omitted.size());
        f[OmittedRank] = omittedRanks;
        f[Sounding] = sounding;
        f[Fingers] = g.fingerCount;
        f[Barre] = g.barre;
        f[Inversion] = g.bassTone != 0 && !isReentrant(m_r.instrument.tuning);
        std::array<int, 12> count{};
        int opens = 0;
        int highest = capo;
        for (int s = 1; s <= m_strings; ++s) {
            const int fret = g.fret(s);
            if (fret < 0)
                continue;
            ++count[size_t(toneAt(s, fret))];
            if (fret <= m_open[size_t(s - 1)])
                ++opens;
            else
                highest = std::max(highest, fret);
        }
        for (int tone = 1; tone < 12; ++tone) {
            if (tone != 7)
                f[Doubled] += std::max(0, count[size_t(tone)] - 1);
        }
        (highest - capo <= 4 ? f[OpensLow] : f[OpensHigh]) = opens;
    }

    const GripRequest& m_r;
    const int m_strings;
    const bool
        m_anyBass; // any chord tone may sound lowest: inversions asked for, or a re-entrant neck
    std::vector<int> m_open;     // per string: the fret an open string sounds at
    std::vector<int> m_openNote; // per string: the open note
    std::vector<int> m_floor;    // per string: the lowest pitch the strings above can sound
    unsigned m_required = 0;     // bits of the tones a grip must sound
    unsigned m_chordMask = 0;    // bits of every tone of the chord
    int m_base = 0;              // the lowest fretted fret of the grips walked; -1 none
    std::vector<int> m_frets;
    std::vector<Grip> m_found;
};

} // namespace

std::optional<Grip> closeTriad(const ChordSpec& triad, int root, int inversion,
                               const Instrument& neck, const Capo& capo, int lowString) {
    const int strings = neck.strings();
    if (triad.tones.size() != 3 || inversion < 0 || inversion > 2 || lowString - 2 < 1 ||
        lowString > strings || !capo.fits(strings) || root < 0 || root > 11)
        return std::nullopt;
    std::vector<int> open(size_t(strings), 0);
    for (int s = 1; s <= strings; ++s)
        open[size_t(s - 1)] = capo.openFret(s);
    for (int bassFret = open[size_t(lowString - 1)] + 1; bassFret <= neck.frets; ++bassFret) {
        std::vector<int> frets(size_t(strings), -1);
        int pitch = neck.tuning.openNote(lowString) + bassFret;
        if (pitchClassOfNote(pitch - root) != triad.tones[size_t(inversion)].semitones)
            continue;
        frets[size_t(lowString - 1)] = bassFret;
        bool fits = true;
        int low = bassFret;
        int high = bassFret;
        for (int k = 1; k <= 2 && fits; ++k) {
            const int s = lowString - k;
            const int tone = triad.tones[size_t((inversion + k) % 3)].semitones;
            // The nearest pitch of the tone above the one below it, fretted above the capo.
            int next = pitch + 1;
            while (pitchClassOfNote(next - root) != tone)
                ++next;
            int fret = next - neck.tuning.openNote(s);
            while (fret <= open[size_t(s - 1)])
                fret += 12;
            fits = fret <= neck.frets && neck.tuning.openNote(s) + fret - pitch < 12;
            frets[size_t(s - 1)] = fret;
            pitch = neck.tuning.openNote(s) + fret;
            low = std::min(low, fret);
            high = std::max(high, fret);
        }
        const int span = high - low + 1;
        if (!fits || span > MaxGripSpan ||
            (span > PlainGripSpan && stretchMm(neck.scaleLength, low, high) > MaxStretchMm))
            continue;
        const auto fingers = fingerGrip(frets, open);
        if (!fingers)
            continue;
        Grip g;
        g.frets = frets;
        g.fingers = *fingers;
        g.bassString = lowString;
        g.bassTone = triad.tones[size_t(inversion)].semitones;
        g.lowFret = low;
        g.span = span;
        g.fingerCount = *std::max_element(g.fingers.begin(), g.fingers.end());
        g.barre = std::count(g.fingers.begin(), g.fingers.end(), 1) > 1;
        return g;
    }
    return std::nullopt;
}

// Penalties and rewards, in the order of GripFeature.
const GripWeights DefaultGripWeights = {
    0.35,  // Position
    2.30,  // FourFrets
    8.10,  // FiveFrets
    2.25,  // InnerMutes
    0.50,  // TopMutes
    0.20,  // BottomMutes
    0.50,  // Omitted
    0.00,  // OmittedRank
    -0.70, // Sounding
    0.40,  // Fingers
    0.70,  // Barre
    6.00,  // Inversion
    0.50,  // Doubled
    -0.20, // OpensLow
    4.00,  // OpensHigh
};

void rankGrips(std::vector<Grip>& grips, const GripWeights& weights) {
    for (Grip& g : grips) {
        g.cost = 0;
        for (int k = 0; k < FeatureCount; ++k)
            g.cost += weights[size_t(k)] * g.features[size_t(k)];
    }
    std::stable_sort(grips.begin(), grips.end(),
                     [](const Grip& a, const Grip& b) { return a.cost < b.cost; });
}

std::vector<Grip> searchGrips(const GripRequest& request) {
    const Instrument& neck = request.instrument;
    if (request.chord.tones.empty() || neck.strings() < 2 || neck.frets < 1 || request.root < 0 ||
        request.root > 11 || !request.capo.fits(neck.strings()) || request.capo.fret >= neck.frets)
        return {};
    return Search(request).run();
}

} // namespace chordalis
