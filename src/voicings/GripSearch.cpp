#include "voicings/GripSearch.h"

#include "theory/Neck.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

namespace chordalis {

double stretchMm(double scaleLength, int low, int high) {
    const auto wire = [&](int fret) {
        return scaleLength * (1.0 - std::pow(2.0, -fret / 12.0));
    };
    return wire(high) - wire(std::max(0, low - 1));
}

namespace {

// The bits set in a mask of the twelve tones (or of the hand's five frets, or of
// the strings of a neck), from a table: the
// walk and the fingering ask at every step, and the machine's own instruction is not always there.
constexpr std::array<std::uint8_t, 4096> BitCounts = [] {
    std::array<std::uint8_t, 4096> out{};
    for (std::size_t k = 1; k < out.size(); ++k)
        out[k] = std::uint8_t(out[k / 2] + (k & 1u));
    return out;
}();
int bitCount(unsigned mask) {
    return BitCounts[mask & 0xFFFu];
}

// A list of at most N values that lives on the stack: the fingering runs for every candidate of
// the search, which must not allocate.
template <class T, std::size_t N> struct SmallList {
    std::array<T, N> items; // only the first `count` are ever read
    std::size_t count = 0;

    std::size_t size() const { return count; }
    bool empty() const { return count == 0; }
    T& back() { return items[count - 1]; }
    void push_back(const T& v) { items[count++] = v; }
    T* begin() { return items.data(); }
    T* end() { return items.data() + count; }
    const T* begin() const { return items.data(); }
    const T* end() const { return items.data() + count; }
    T& operator[](std::size_t k) { return items[k]; }
    const T& operator[](std::size_t k) const { return items[k]; }
};

// A run of strings, by index from the lower (larger) up. Left unset where declared: the
// fingering makes several lists of them for every grip the search keeps.
struct Span {
    int first, second;
};
using Spans = SmallList<Span, MaxStrings>;      // runs of strings on one fret
using FingerList = std::array<int, MaxStrings>; // per string index, as a Grip's fingers

// The strings a grip presses, a bit per string index, fret by fret from the lowest.
struct Pressed {
    SmallList<int, MaxStrings> frets;      // each pressed fret once, lowest first
    SmallList<unsigned, MaxStrings> masks; // per fret of `frets`: the strings pressed there
    FingerList open{};                     // per string: 0 open, -1 muted or pressed
};

// The index of the highest set bit of a mask that has one.
int highestBit(unsigned mask) {
    return std::bit_width(mask) - 1;
}

// Fingers for the pressed strings, fret by fret from the lowest: each run of strings one finger
// holds gets the next finger, or the finger of its fret counted from the lowest ("one finger per
// fret") where that is higher. At the lowest fret, `barre` lets the index finger lie across the
// strings between its notes where they are pressed at that fret or higher; otherwise each note
// there takes a finger of its own. Above it, a finger lies only across adjacent strings of its
// fret. False when more than four fingers are needed; `shared` tells whether a finger above the
// lowest fret holds more than one string.
bool assignFingers(const int* frets, const int* openFrets, const Pressed& pressed, bool barre,
                   FingerList& fingers, bool& shared) {
    // The runs one finger each holds, fret by fret from the lowest.
    struct Run {
        int fret, from, to;
    };
    SmallList<Run, MaxGripFingers> held;
    for (size_t k = 0; k < pressed.frets.size(); ++k) {
        const int fret = pressed.frets[k];
        const unsigned mask = pressed.masks[k];
        // Runs of strings, from the lower string (larger index) up.
        Spans runs;
        for (unsigned m = mask; m != 0;) {
            const int i = highestBit(m);
            m &= ~(1u << i);
            if (!runs.empty() && (k > 0 || barre)) {
                bool joins = true;
                for (int j = runs.back().second - 1; j > i && joins; --j)
                    joins = k == 0 && frets[j] > openFrets[j] && frets[j] >= fret;
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
            const auto pieces = [&](Span run) {
                Spans out;
                for (int i = run.first; i >= run.second; --i) {
                    if (!(mask >> i & 1u))
                        continue;
                    if (!out.empty() && out.back().second == i + 1)
                        out.back().second = i;
                    else
                        out.push_back({i, i});
                }
                return out;
            };
            const auto index = std::max_element(runs.begin(), runs.end(), [&](Span a, Span b) {
                const size_t pa = pieces(a).size(), pb = pieces(b).size();
                return pa != pb ? pa < pb : a.first - a.second < b.first - b.second;
            });
            // Every piece is one pressed string or more, so the pieces fit the strings.
            Spans ordered;
            ordered.push_back(*index);
            for (const Span* run = runs.begin(); run != runs.end(); ++run) {
                if (run == index)
                    continue;
                for (const Span& piece : pieces(*run))
                    ordered.push_back(piece);
            }
            runs = ordered;
        }
        if (held.size() + runs.size() > size_t(MaxGripFingers))
            return false;
        for (const auto& [from, to] : runs)
            held.push_back({int(k), from, to});
    }
    // Each run the finger of its fret counted from the lowest ("one finger per fret") where the
    // runs still to come leave room for it, and always a higher finger than the run before.
    const int base = pressed.frets[0];
    int last = 0;
    shared = false;
    fingers = pressed.open;
    std::array<int, MaxGripFingers> runFingers{};
    for (size_t r = 0; r < held.size(); ++r) {
        const Run& run = held[r];
        const int fret = pressed.frets[size_t(run.fret)];
        const int room = MaxGripFingers - int(held.size() - r - 1);
        const int finger = std::max(last + 1, std::min(room, 1 + fret - base));
        // Two fingers spread at most one fret wider than they lie apart on the hand: the index
        // and middle over two frets, the middle and ring over two, the index and little finger
        // over five. Wider, no hand holds the grip.
        for (size_t q = 0; q < r; ++q) {
            if (fret - pressed.frets[size_t(held[q].fret)] > finger - runFingers[q] + 1)
                return false;
        }
        runFingers[r] = finger;
        last = finger;
        shared = shared || (fret != base && run.from != run.to);
        const unsigned mask = pressed.masks[size_t(run.fret)];
        for (int i = run.from; i >= run.to; --i) {
            if (mask >> i & 1u)
                fingers[size_t(i)] = finger;
        }
    }
    return true;
}

// fingerGrip over plain arrays of `strings` values, writing the fingers into `out`.
bool fingerInto(const int* frets, const int* openFrets, int strings, FingerList& out) {
    Pressed pressed;
    for (int i = 0; i < strings; ++i) {
        pressed.open[size_t(i)] = frets[i] >= 0 && frets[i] <= openFrets[i] ? 0 : -1;
        if (frets[i] <= openFrets[i])
            continue;
        // Kept lowest first: a few frets at most, so a step of insertion each.
        size_t k = 0;
        while (k < pressed.frets.size() && pressed.frets[k] < frets[i])
            ++k;
        if (k == pressed.frets.size() || pressed.frets[k] != frets[i]) {
            pressed.frets.push_back(0);
            pressed.masks.push_back(0);
            for (size_t j = pressed.frets.size() - 1; j > k; --j) {
                pressed.frets[j] = pressed.frets[j - 1];
                pressed.masks[j] = pressed.masks[j - 1];
            }
            pressed.frets[k] = frets[i];
            pressed.masks[k] = 0;
        }
        pressed.masks[k] |= 1u << i;
    }
    if (pressed.frets.empty()) {
        out = pressed.open;
        return true;
    }
    const int atBase = bitCount(pressed.masks[0]);
    bool shared = false;
    // Three notes or more on the lowest fret: the index finger bars where it can; each note
    // fingered apart only where it cannot.
    if (atBase > 2 && assignFingers(frets, openFrets, pressed, true, out, shared))
        return true;
    FingerList plain{};
    const bool plainFits = assignFingers(frets, openFrets, pressed, false, plain, shared);
    if (atBase != 2) {
        out = plain;
        return plainFits;
    }
    // Two notes on the lowest fret are fingered apart where three fingers do it without a
    // finger across strings (D major's 1-3-2); otherwise the index finger bars.
    if (plainFits && !shared && *std::max_element(plain.begin(), plain.begin() + strings) <= 3) {
        out = plain;
        return true;
    }
    if (assignFingers(frets, openFrets, pressed, true, out, shared))
        return true;
    out = plain;
    return plainFits;
}

} // namespace

std::optional<std::vector<int>> fingerGrip(const std::vector<int>& frets,
                                           const std::vector<int>& openFrets) {
    const int strings = int(frets.size());
    if (strings > MaxStrings || openFrets.size() < frets.size())
        return std::nullopt;
    FingerList fingers{};
    if (!fingerInto(frets.data(), openFrets.data(), strings, fingers))
        return std::nullopt;
    return std::vector<int>(fingers.begin(), fingers.begin() + strings);
}

namespace {

// The fingers of the grips fingered so far on this thread, by shape: per string muted, open, or
// pressed so many frets above the grip's lowest fretted fret, which is all the fingering reads
// (see fingerInto), so a shape met again, higher up the neck, in another search or on another
// neck, is fingered once. A shape may lie in one set of four slots, chosen by its code (a set is
// one cache line); a shape new to its set takes the first slot, and the one fingered longest ago
// there goes.
class FingeringMemo {
public:
    // A shape's code: three bits per string, string 1 in the lowest: 0 muted, 1 open, 2 + the
    // frets it is pressed above the grip's lowest fretted fret (0..MaxGripSpan - 1).
    using Shape = std::uint32_t;
    struct Fingered {
        Shape shape = 0; // 0 for an empty slot: every grip sounds a string
        std::array<std::int8_t, MaxStrings> fingers;
        std::int8_t count; // the highest finger
        bool fits;         // four fingers hold the grip
    };

    // The slot of a shape: holding its fingers where `shape` is the slot's, else emptied for them.
    Fingered& slot(Shape shape) {
        if (m_sets.empty())
            m_sets.resize(size_t(1) << SetBits);
        auto& set = m_sets[size_t((shape * 0x9E3779B97F4A7C15ull) >> (64 - SetBits))].slots;
        for (Fingered& held : set) {
            if (held.shape == shape)
                return held;
        }
        std::move_backward(set.begin(), set.end() - 1, set.end());
        set[0].shape = 0;
        return set[0];
    }

private:
    static constexpr int SetBits = 12; // 4,096 sets of four slots of 16 bytes
    struct alignas(64) Set {
        std::array<Fingered, 4> slots;
    };
    std::vector<Set> m_sets;
};

FingeringMemo& fingeringMemo() {
    thread_local FingeringMemo memo;
    return memo;
}

// Whether every string starts at a fret 0..MaxFirstFret below the neck's last.
bool hasPlayableStrings(const Instrument& neck) {
    for (int s = 1; s <= neck.strings(); ++s) {
        if (neck.firstFret(s) < 0 || neck.firstFret(s) > Instrument::MaxFirstFret ||
            neck.firstFret(s) >= neck.frets)
            return false;
    }
    return true;
}

// The order of `count` grips by cost, lowest first, then by the order found (the order of a
// stable sort by cost), a cost of NaN (a caller's weights) with the infinite ones. The grips of a
// search share a few hundred costs: each distinct cost is found through a hash table, those are
// sorted, and the grips laid out behind them in the order found. A sort of all the grips by
// comparisons took a tenth of a search that keeps MaxGripsPerSearch of them, most of it in
// branches the machine mispredicted. Kept per thread.
template <class Cost> const std::vector<std::uint32_t>& costOrder(std::size_t count, Cost cost) {
    struct Distinct {
        std::uint64_t key;  // the cost's bits, in the order of the costs
        std::uint32_t size; // grips of that cost; then the next one's place in the order
        std::uint32_t slot; // its slot in the table
    };
    thread_local std::vector<Distinct> distinct;
    thread_local std::vector<std::int32_t> table;  // per slot: an index into distinct, -1 none
    thread_local std::vector<std::uint32_t> costs; // per grip: an index into distinct
    thread_local std::vector<std::pair<std::uint64_t, std::uint32_t>> sorted; // keys, indices
    thread_local std::vector<std::uint32_t> order;
    int bits = 4;
    while ((std::size_t(1) << bits) < 2 * count)
        ++bits;
    if (table.size() < std::size_t(1) << bits)
        table.assign(std::size_t(1) << bits, -1);
    bits = std::bit_width(table.size()) - 1;
    const std::size_t mask = table.size() - 1;
    distinct.clear();
    costs.resize(count);
    for (std::size_t k = 0; k < count; ++k) {
        const double c = cost(k);
        // -0 as 0; a negative cost's bits reversed, so that a larger one has the smaller key.
        const auto bits64 = std::bit_cast<std::uint64_t>(std::isnan(c) ? HUGE_VAL : c + 0.0);
        const std::uint64_t key = bits64 >> 63 ? ~bits64 : bits64 | std::uint64_t(1) << 63;
        auto slot = std::size_t((key * 0x9E3779B97F4A7C15ull) >> (64 - bits));
        while (table[slot] >= 0 && distinct[size_t(table[slot])].key != key)
            slot = (slot + 1) & mask;
        if (table[slot] < 0) {
            table[slot] = std::int32_t(distinct.size());
            distinct.push_back({key, 0, std::uint32_t(slot)});
        }
        costs[k] = std::uint32_t(table[slot]);
        ++distinct[size_t(table[slot])].size;
    }
    sorted.resize(distinct.size());
    for (std::size_t d = 0; d < distinct.size(); ++d) {
        sorted[d] = {distinct[d].key, std::uint32_t(d)};
        table[distinct[d].slot] = -1; // the table empty again for the next
    }
    std::sort(sorted.begin(), sorted.end());
    std::uint32_t next = 0;
    for (const auto& [key, d] : sorted)
        next += std::exchange(distinct[d].size, next);
    order.resize(count);
    for (std::size_t k = 0; k < count; ++k)
        order[distinct[costs[k]].size++] = std::uint32_t(k);
    return order;
}

// The weighted sum of a grip's features.
double costOf(const GripWeights& weights, const GripWeights& features) {
    double cost = 0;
    for (int f = 0; f < FeatureCount; ++f)
        cost += weights[size_t(f)] * features[size_t(f)];
    return cost;
}

// The grips ordered by the weighted sum of their features, lowest first (stable), their cost set,
// each moved once into a list of their own size (the caller keeps it).
std::vector<Grip> ranked(std::vector<Grip>& grips, const GripWeights& weights) {
    std::vector<Grip> out;
    out.reserve(grips.size());
    for (const std::uint32_t k : costOrder(grips.size(), [&](std::size_t k) {
             return grips[k].cost = costOf(weights, grips[k].features);
         }))
        out.push_back(std::move(grips[k]));
    return out;
}

// A grip as the search keeps it until it is ranked: no list of its own, so that keeping
// thousands of them allocates nothing; each becomes a Grip once, in its ranked place.
struct FoundGrip {
    std::array<int, MaxStrings> frets;   // as Grip::frets, for the neck's strings
    std::array<int, MaxStrings> fingers; // as Grip::fingers, for the neck's strings
    GripWeights features;                // as Grip::features
    unsigned present;                    // the tones sounding, a bit per semitone
    int bassString, bassTone, lowFret, span, fingerCount;
    bool barre;
    double cost; // set when the grips are ranked
};

// The grips a search on this thread keeps before they are ranked into a list of their own (see
// Search::run).
std::vector<FoundGrip>& foundGrips() {
    thread_local std::vector<FoundGrip> found;
    return found;
}

// The search over one neck: strings walked from the lowest (the bass) up.
class Search {
public:
    explicit Search(const GripRequest& r)
        : m_r(r), m_strings(r.instrument.strings()), m_reentrant(isReentrant(r.instrument.tuning)),
          m_anyBass(r.inversions || m_reentrant) {
        const Tuning& t = r.instrument.tuning;
        for (int s = 1; s <= m_strings; ++s) {
            m_open.push_back(openFret(r.instrument, r.capo, s));
            m_openNote.push_back(t.openNote(s));
        }
        for (const ChordTone& tone : r.chord.tones) {
            if (!tone.isOptional())
                m_required |= 1u << tone.semitones;
            m_chordMask |= 1u << tone.semitones;
        }
        m_frets.assign(size_t(m_strings), -1);
        m_baseReach.assign(size_t(m_strings + 1), 0);
        m_toneReach.assign(size_t(m_strings + 1), 0);
        m_fewest = std::min(3, bitCount(m_chordMask));
        // Each string's tone at each fret, worked out once per search; -1 where the fret sounds
        // no chord tone.
        m_columns = r.instrument.frets + 1;
        m_tone.assign(size_t(m_strings * m_columns), -1);
        for (int s = 1; s <= m_strings; ++s) {
            for (int fret = 0; fret < m_columns; ++fret) {
                const int tone = pitchClassOfNote(m_openNote[size_t(s - 1)] + fret - r.root);
                if (m_chordMask >> tone & 1u)
                    m_tone[size_t((s - 1) * m_columns + fret)] = std::int8_t(tone);
            }
        }
        // The lowest pitch any string above string s can sound, for settling the bass early.
        m_floor.assign(size_t(m_strings), 1000);
        for (int s = 2; s <= m_strings; ++s)
            m_floor[size_t(s - 1)] =
                std::min(m_floor[size_t(s - 2)], m_openNote[size_t(s - 2)] + m_open[size_t(s - 2)]);
    }

    std::vector<Grip> run() {
        const int last = m_r.instrument.frets;
        // Room for every grip the search may keep, taken once per thread and kept: a list of
        // that size is a block the allocator hands back to the system when it is freed, and
        // faulting it in anew on every search cost more than the search itself on a neck of
        // seven strings or more.
        m_found.clear();
        m_found.reserve(size_t(MaxGripsPerSearch));
        // Grips with no fretted note, then every lowest fretted fret.
        m_base = -1;
        m_high = -1;
        markReach();
        walk(m_strings, {});
        for (m_base = 1; m_base <= last && m_found.size() < size_t(MaxGripsPerSearch); ++m_base) {
            // The hand's window from the base: five frets where they lie within its reach, else
            // four; a grip reaching further is no grip, so the walk never tries its frets.
            const bool five =
                m_base + PlainGripSpan <= last && stretchMm(m_r.instrument.scaleLength, m_base,
                                                            m_base + PlainGripSpan) <= MaxStretchMm;
            m_high = std::min(m_base + (five ? MaxGripSpan : PlainGripSpan) - 1, last);
            markReach();
            walk(m_strings, {});
        }
        return listed();
    }

private:
    // The grips found as Grips, ranked by the default weights.
    std::vector<Grip> listed() const {
        const auto& order = costOrder(m_found.size(), [&](std::size_t k) {
            return m_found[k].cost = costOf(DefaultGripWeights, m_found[k].features);
        });
        std::vector<Grip> out;
        out.reserve(m_found.size());
        for (const std::uint32_t k : order) {
            const FoundGrip& f = m_found[k];
            Grip& g = out.emplace_back();
            g.frets.assign(f.frets.begin(), f.frets.begin() + m_strings);
            g.fingers.assign(f.fingers.begin(), f.fingers.begin() + m_strings);
            g.bassString = f.bassString;
            g.bassTone = f.bassTone;
            g.lowFret = f.lowFret;
            g.span = f.span;
            g.fingerCount = f.fingerCount;
            g.barre = f.barre;
            g.omitted.reserve(size_t(f.features[Omitted]));
            for (const ChordTone& tone : m_r.chord.tones) {
                if (!(f.present >> tone.semitones & 1u))
                    g.omitted.push_back(tone.degree);
            }
            g.features = f.features;
            g.cost = f.cost;
        }
        return out;
    }

    // What strings 1..s can still add in the hand's window from the base: whether one of them
    // presses a chord tone at the base, and the tones they sound open or fretted. The walk gives
    // up on a partial grip as soon as these cannot complete it.
    void markReach() {
        for (int s = 1; s <= m_strings; ++s) {
            const size_t i = size_t(s - 1);
            unsigned tones = 0;
            if (const int open = toneAt(s, m_open[i]); open >= 0)
                tones |= 1u << open;
            for (int fret = std::max(m_base, m_open[i] + 1); m_base > 0 && fret <= m_high; ++fret) {
                if (const int tone = toneAt(s, fret); tone >= 0)
                    tones |= 1u << tone;
            }
            m_toneReach[size_t(s)] = m_toneReach[i] | tones;
            m_baseReach[size_t(s)] =
                m_baseReach[i] || (m_base > m_open[i] && toneAt(s, m_base) >= 0);
        }
    }

    // The semitones above the root that a string sounds at a fret, or -1 for no chord tone.
    int toneAt(int string, int fret) const {
        return m_tone[size_t((string - 1) * m_columns + fret)];
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
        int runs = 0;         // fingers above the base: runs of adjacent strings on one fret
        int baseRuns = 0;     // fingers at the base, barring: runs of strings pressed there with
                              // no open or muted string between them
        bool barring = false; // a base run's barre reaches this string: every string since the
                              // last pressed at the base is pressed
    };

    // Chooses string `s` and those above it.
    void walk(int s, const Walked& w) {
        if (m_found.size() >= size_t(MaxGripsPerSearch))
            return;
        if (s == 0) {
            finish(w);
            return;
        }
        // Not enough strings left for the tones still missing, or no string left sounds one of
        // them, or too few strings left to sound three.
        const unsigned missing = m_required & ~w.present;
        if (bitCount(missing) > s || (missing & ~m_toneReach[size_t(s)]) != 0 ||
            w.sounding + s < m_fewest)
            return;
        // A grip of this window presses its base fret: once no string left can, none is here.
        if (m_base > 0 && !(w.used & 1u) && !m_baseReach[size_t(s)])
            return;
        const size_t i = size_t(s - 1);
        const int open = m_open[i];

        // Muted: below the bass, inside the grip (at most two, no more than two in a row), or
        // above the highest sounding string.
        m_frets[i] = -1;
        Walked muted = w;
        muted.barring = false;
        if (w.sounding > 0)
            ++muted.pending;
        walk(s - 1, muted);

        const auto take = [&](int fret, unsigned usedNow) {
            const int tone = toneAt(s, fret);
            if (tone < 0)
                return;
            Walked next = w;
            const bool fretted = fret > open;
            if (w.sounding > 0 && w.pending > 0) {
                next.inner += w.pending;
                if (w.pending > 2 || next.inner > 2)
                    return;
                // Each muted string inside the grip lies beside a fretted one, whose finger
                // damps it: this string or the one below the muted ones.
                const size_t below = i + size_t(w.pending) + 1;
                const bool belowFretted = m_frets[below] > m_open[below];
                if (w.pending == 1 ? !fretted && !belowFretted : !fretted || !belowFretted)
                    return;
            }
            // Above the base every run of adjacent strings on one fret takes a finger of its
            // own; the base one more for each run of its strings that an open or muted string
            // breaks (one at least: a grip of the window presses its base). The fingering
            // needs no fewer, however it lays the index finger.
            if (!fretted)
                next.barring = false;
            else if (fret == m_base) {
                next.baseRuns += !w.barring;
                next.barring = true;
            } else if (s == m_strings || m_frets[i + 1] != fret)
                ++next.runs;
            if (fretted && next.runs + std::max(next.baseRuns, 1) > MaxGripFingers)
                return;
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
        for (int fret = std::max(m_base, open + 1); fret <= m_high; ++fret) {
            if (toneAt(s, fret) < 0)
                continue;
            const unsigned usedNow = w.used | 1u << (fret - m_base);
            if (bitCount(usedNow) > MaxGripFingers)
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
        // Found under the window of its own lowest fret: the base holds a fretted note.
        if (m_base > 0 && !(w.used & 1u))
            return;
        int bassString = 0;
        int sounding = 0;
        int low = 999;
        int high = -1;
        FingeringMemo::Shape shape = 0;
        for (int s = 1; s <= m_strings; ++s) {
            const int fret = m_frets[size_t(s - 1)];
            if (fret < 0)
                continue;
            ++sounding;
            if (m_openNote[size_t(s - 1)] + fret == w.lowest)
                bassString = s; // the lowest note, on the lowest string that sounds it
            // A fretted string lies within the window from the base (m_base > 0).
            const bool fretted = fret > m_open[size_t(s - 1)];
            if (fretted) {
                low = std::min(low, fret);
                high = std::max(high, fret);
            }
            shape |= FingeringMemo::Shape(fretted ? 2 + fret - m_base : 1) << (3 * (s - 1));
        }
        if (sounding < m_fewest || sounding > MaxSoundingStrings)
            return;
        // The window of the walk already keeps the span within the hand's reach.
        const int lowFret = high < 0 ? (m_r.capo.isPartial() ? 0 : m_r.capo.fret) : low;
        const int span = high < 0 ? 0 : high - low + 1;
        // Muted strings: any number below the bass and above the highest sounding string;
        // inside the grip at most two, each beside a fretted string whose finger damps it (the
        // walk kept them so, and counted them).
        int top = 0;
        for (int s = 1; s <= m_strings && top == 0; ++s) {
            if (m_frets[size_t(s - 1)] >= 0)
                top = s;
        }
        const int inner = w.inner;
        FingeringMemo::Fingered& fingered = m_memo.slot(shape);
        if (fingered.shape != shape) {
            FingerList fingers{};
            fingered.shape = shape;
            fingered.fits = fingerInto(m_frets.data(), m_open.data(), m_strings, fingers);
            fingered.count = 0;
            for (int i = 0; i < MaxStrings; ++i) {
                fingered.fingers[size_t(i)] = std::int8_t(i < m_strings ? fingers[size_t(i)] : -1);
                fingered.count = std::max(fingered.count, fingered.fingers[size_t(i)]);
            }
        }
        if (!fingered.fits)
            return;
        FoundGrip g;
        std::copy(m_frets.begin(), m_frets.end(), g.frets.begin());
        std::copy(fingered.fingers.begin(), fingered.fingers.end(), g.fingers.begin());
        g.fingerCount = fingered.count;
        g.barre = std::count(g.fingers.begin(), g.fingers.begin() + m_strings, 1) > 1;
        g.bassString = bassString;
        g.lowFret = lowFret;
        g.span = span;
        g.bassTone = w.lowestTone;
        g.present = present;
        int omitted = 0;
        int omittedRanks = 0;
        for (const ChordTone& tone : m_r.chord.tones) {
            if (!(present >> tone.semitones & 1u)) {
                ++omitted;
                omittedRanks += tone.omitRank;
            }
        }
        weigh(g, sounding, inner, top, omitted, omittedRanks);
        m_found.push_back(g);
    }

    // What the ranking weighs of a grip.
    void weigh(FoundGrip& g, int sounding, int inner, int top, int omitted,
               int omittedRanks) const {
        const int capo = m_r.capo.isPartial() ? 0 : m_r.capo.fret;
        GripWeights& f = g.features;
        // A grip within the first four frets above the nut (or capo) is in the open position.
        const int reach = g.span == 0 ? 0 : g.lowFret + g.span - 1 - capo;
        f[Position] = reach <= 4 ? 0 : std::max(0, g.lowFret - capo);
        f[FourFrets] = g.span == 4;
        f[FiveFrets] = g.span == 5;
        f[InnerMutes] = inner;
        f[TopMutes] = top - 1;

        f[Omitted] = omitted;
        f[OmittedRank] = omittedRanks;
        f[Sounding] = sounding;
        f[Fingers] = g.fingerCount;
        f[Barre] = g.barre;
        f[Inversion] = g.bassTone != 0 && !m_reentrant;
        // Copies of a tone beyond the first, but for the root and the 5th.
        std::array<int, 12> count{};
        int doubled = 0;
        int opens = 0;
        int highest = capo;
        int lowest = 0;
        for (int s = 1; s <= m_strings; ++s) {
            const int fret = g.frets[size_t(s - 1)];
            if (fret < 0)
                continue;
            lowest = s;
            const int tone = toneAt(s, fret);
            if (++count[size_t(tone)] > 1 && tone != 0 && tone != 7)
                ++doubled;
            if (fret <= m_open[size_t(s - 1)])
                ++opens;
            else
                highest = std::max(highest, fret);
        }
        f[BottomMutes] = m_strings - lowest;
        f[Doubled] = doubled;
        f[OpensLow] = highest - capo <= 4 ? opens : 0;
        f[OpensHigh] = highest - capo <= 4 ? 0 : opens;
    }

    const GripRequest& m_r;
    const int m_strings;
    const bool m_reentrant; // the lowest string is no bass (see isReentrant)
    const bool
        m_anyBass; // any chord tone may sound lowest: inversions asked for, or a re-entrant neck
    std::vector<int> m_open;           // per string: the fret an open string sounds at
    std::vector<int> m_openNote;       // per string: the open note
    std::vector<int> m_floor;          // per string: the lowest pitch the strings above can sound
    unsigned m_required = 0;           // bits of the tones a grip must sound
    unsigned m_chordMask = 0;          // bits of every tone of the chord
    int m_columns = 0;                 // frets 0..the last: the tone table's row length
    std::vector<std::int8_t> m_tone;   // per string and fret: the chord tone sounding, or -1
    int m_base = 0;                    // the lowest fretted fret of the grips walked; -1 none
    int m_high = 0;                    // the highest fret of the hand's window from the base
    std::vector<char> m_baseReach;     // per string 0..strings: string 1..s can press the base
    std::vector<unsigned> m_toneReach; // per string 0..strings: the tones strings 1..s can sound
    int m_fewest = 3;                  // the fewest strings a grip sounds
    std::vector<int> m_frets;
    std::vector<FoundGrip>& m_found = foundGrips(); // emptied when a search starts
    FingeringMemo& m_memo = fingeringMemo();
};

} // namespace

std::optional<Grip> closeTriad(const ChordMakeup& triad, int root, int inversion,
                               const Instrument& neck, const Capo& capo, int lowString) {
    const int strings = neck.strings();
    if (triad.tones.size() != 3 || inversion < 0 || inversion > 2 || lowString - 2 < 1 ||
        lowString > strings || !capo.fits(strings) || root < 0 || root > 11 ||
        !hasPlayableStrings(neck))
        return std::nullopt;
    std::vector<int> open(size_t(strings), 0);
    for (int s = 1; s <= strings; ++s)
        open[size_t(s - 1)] = openFret(neck, capo, s);
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
    grips = ranked(grips, weights);
}

std::vector<Grip> searchGrips(const GripRequest& request) {
    const Instrument& neck = request.instrument;
    if (request.chord.tones.empty() || neck.strings() < 2 || neck.strings() > MaxStrings ||
        neck.frets < 1 || request.root < 0 || request.root > 11 ||
        !request.capo.fits(neck.strings()) || request.capo.fret >= neck.frets ||
        !hasPlayableStrings(neck))
        return {};
    return Search(request).run();
}

} // namespace chordalis
