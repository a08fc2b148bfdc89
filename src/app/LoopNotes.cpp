#include "app/LoopNotes.h"

#include <algorithm>
#include <cmath>

namespace chordalis {

namespace {

// How long a strum takes from string to string, in seconds, at most.
constexpr double StrumStep = 0.012;
// The strings an up strum and the fingers of a picked pattern take from the top.
constexpr int TopStrings = 3;

struct Maker {
    const LoopOptions& options;
    LoopNotes& loop;

    int velocity(double share) const {
        return std::clamp(int(std::lround(options.velocity * share)), 1, 127);
    }

    // One strum of `notes` (in the order they sound) from `at` to `end`, spread over no more than
    // a quarter of its length so that the last string still sounds.
    void strum(const Strum& notes, double at, double end, double share) {
        if (notes.empty() || end <= at)
            return;
        const double step =
            std::min(StrumStep * options.tempo / 60.0, (end - at) / (4.0 * double(notes.size())));
        for (size_t i = 0; i < notes.size(); ++i) {
            const double start = at + step * double(i);
            loop.notes.push_back({start, end - start, options.guitarChannel, notes[i].note,
                                  velocity(share), notes[i].string});
        }
    }

    void guitar(const Strum& notes, double start, double end) {
        switch (options.pattern) {
        case StrumPattern::Whole: {
            // Struck again at each bar line the chord holds through.
            double at = start;
            while (at < end) {
                const double next = std::min(end, barAfter(at));
                strum(notes, at, next, 1.0);
                at = next;
            }
            break;
        }
        case StrumPattern::Quarters:
            for (double at = start; at < end; at += 1.0)
                strum(notes, at, std::min(end, at + 1.0), onBeatOne(at) ? 1.0 : 0.85);
            break;
        case StrumPattern::DownUp: {
            Strum up(notes.end() - std::min<std::ptrdiff_t>(TopStrings, std::ssize(notes)),
                     notes.end());
            std::reverse(up.begin(), up.end());
            for (double at = start; at < end; at += 0.5) {
                const bool down = std::fmod(at - start, 1.0) < 0.25;
                strum(down ? notes : up, at, std::min(end, at + 0.5), down ? 0.9 : 0.7);
            }
            break;
        }
        case StrumPattern::Fingerpicked:
            pick(notes, start, end);
            break;
        }
    }

    // Eighths: the lowest note, then the top strings up and down (p i m a m i); each note rings
    // until its string is picked again or the chord ends.
    void pick(const Strum& notes, double start, double end) {
        const int n = int(notes.size());
        if (n == 0)
            return;
        std::vector<int> order;
        if (n > TopStrings) {
            order = {0, n - 3, n - 2, n - 1, n - 2, n - 3};
        } else {
            for (int i = 0; i < n; ++i)
                order.push_back(i);
        }
        std::vector<std::pair<double, int>> plucks; // time, index into notes
        int k = 0;
        for (double at = start; at < end; at += 0.5, ++k)
            plucks.emplace_back(at, order[size_t(k) % order.size()]);
        for (size_t i = 0; i < plucks.size(); ++i) {
            double until = end;
            for (size_t j = i + 1; j < plucks.size(); ++j) {
                if (plucks[j].second == plucks[i].second) {
                    until = plucks[j].first;
                    break;
                }
            }
            const StrummedNote& note = notes[size_t(plucks[i].second)];
            loop.notes.push_back({plucks[i].first, until - plucks[i].first, options.guitarChannel,
                                  note.note, velocity(plucks[i].second == 0 ? 0.9 : 0.75),
                                  note.string});
        }
    }

    double barAfter(double at) const {
        const double bar = options.beatsPerBar;
        return (std::floor(at / bar + 1e-9) + 1.0) * bar;
    }
    bool onBeatOne(double at) const { return std::fmod(at, double(options.beatsPerBar)) < 1e-9; }
    // Beat 1 of a bar, and in an even meter of four beats or more the bar's middle (beat 3 of
    // four): where the bass and the kick drum fall.
    bool strongBeat(double at) const {
        const int bar = options.beatsPerBar;
        const double inBar = std::fmod(at, double(bar));
        return inBar < 1e-9 || (bar >= 4 && bar % 2 == 0 && std::abs(inBar - bar / 2) < 1e-9);
    }

    void bass(const LoopSource& chord, double start, double end) {
        if (options.bass == BassPattern::None)
            return;
        const int channel = bassChannel(options);
        auto noteOf = [](int pitchClass) {
            return LowestBassNote + (((pitchClass - LowestBassNote) % 12) + 12) % 12;
        };
        std::vector<double> hits{start};
        for (double at = std::ceil(start + 1e-9); at < end; at += 1.0) {
            if (strongBeat(at))
                hits.push_back(at);
        }
        for (size_t i = 0; i < hits.size(); ++i) {
            const double until = i + 1 < hits.size() ? hits[i + 1] : end;
            // The 5th on the bar's middle beat; a chord's first note is always its bass.
            const bool fifth =
                options.bass == BassPattern::RootFifth && i > 0 && !onBeatOne(hits[i]);
            loop.notes.push_back({hits[i], until - hits[i], channel,
                                  noteOf(fifth ? chord.fifthPitchClass : chord.bassPitchClass),
                                  velocity(0.9), 0});
        }
    }

    void drums() {
        for (double at = 0; at < loop.beats; at += 0.5) {
            const bool onBeat = std::fmod(at, 1.0) < 1e-9;
            loop.notes.push_back(
                {at, 0.25, DrumChannel, ClosedHiHat, velocity(onBeat ? 0.6 : 0.45), 0});
            if (!onBeat)
                continue;
            if (strongBeat(at))
                loop.notes.push_back({at, 0.25, DrumChannel, KickDrum, velocity(1.0), 0});
            else if (int(std::lround(std::fmod(at, double(options.beatsPerBar)))) % 2 == 1)
                loop.notes.push_back({at, 0.25, DrumChannel, SnareDrum, velocity(0.85), 0});
        }
    }
};

} // namespace

const char* strumPatternWord(StrumPattern pattern) {
    switch (pattern) {
    case StrumPattern::Whole:
        return "whole";
    case StrumPattern::Quarters:
        return "quarters";
    case StrumPattern::DownUp:
        return "down-up";
    case StrumPattern::Fingerpicked:
        return "fingerpicked";
    }
    return "quarters";
}

std::optional<StrumPattern> strumPatternOf(QStringView word) {
    for (int p = 0; p < StrumPatternCount; ++p)
        if (word == QLatin1String(strumPatternWord(StrumPattern(p))))
            return StrumPattern(p);
    return std::nullopt;
}

QString strumPatternName(StrumPattern pattern) {
    switch (pattern) {
    case StrumPattern::Whole:
        return QStringLiteral("Whole notes");
    case StrumPattern::Quarters:
        return QStringLiteral("Quarter strums");
    case StrumPattern::DownUp:
        return QStringLiteral("Down-up eighths");
    case StrumPattern::Fingerpicked:
        return QStringLiteral("Fingerpicked");
    }
    return {};
}

QString bassPatternName(BassPattern pattern) {
    switch (pattern) {
    case BassPattern::None:
        return QStringLiteral("No bass");
    case BassPattern::Root:
        return QStringLiteral("Bass: root");
    case BassPattern::RootFifth:
        return QStringLiteral("Bass: root and 5th");
    }
    return {};
}

const char* bassPatternWord(BassPattern pattern) {
    switch (pattern) {
    case BassPattern::None:
        return "none";
    case BassPattern::Root:
        return "root";
    case BassPattern::RootFifth:
        return "root-fifth";
    }
    return "none";
}

std::optional<BassPattern> bassPatternOf(QStringView word) {
    for (int b = 0; b < BassPatternCount; ++b)
        if (word == QLatin1String(bassPatternWord(BassPattern(b))))
            return BassPattern(b);
    return std::nullopt;
}

int bassChannel(const LoopOptions& options) {
    int channel = (options.guitarChannel + 1) % 16;
    while (channel == DrumChannel || channel == options.countInChannel ||
           channel == options.guitarChannel)
        channel = (channel + 1) % 16;
    return channel;
}

LoopNotes makeLoop(const std::vector<LoopSource>& chords, const LoopOptions& given) {
    LoopOptions options = given;
    options.beatsPerBar = std::clamp(options.beatsPerBar, 1, 12);
    options.tempo = std::clamp(options.tempo, 40, 400);
    options.velocity = std::clamp(options.velocity, 1, 127);
    LoopNotes loop;
    loop.beatsPerBar = options.beatsPerBar;
    loop.tempo = options.tempo;
    Maker make{options, loop};
    double at = 0;
    for (size_t i = 0; i < chords.size(); ++i) {
        const LoopSource& c = chords[i];
        if (c.beats <= 0)
            continue;
        const double end = at + c.beats;
        loop.chords.push_back({int(i), at, double(c.beats)});
        make.guitar(c.strum, at, end);
        make.bass(c, at, end);
        at = end;
    }
    loop.beats = at;
    if (loop.beats <= 0)
        return loop;
    if (options.drums)
        make.drums();
    // By start; at one time the order made (a strum's strings bottom up) is kept.
    std::stable_sort(loop.notes.begin(), loop.notes.end(),
                     [](const LoopNote& a, const LoopNote& b) { return a.beat < b.beat; });
    loop.programs.push_back({options.guitarChannel, std::clamp(options.guitarProgram, 0, 127)});
    if (options.bass != BassPattern::None)
        loop.programs.push_back({bassChannel(options), BassProgram});
    if (options.countIn) {
        loop.countInBeats = options.beatsPerBar;
        for (int b = 0; b < options.beatsPerBar; ++b)
            loop.countIn.push_back(
                {double(b), 0.25, std::clamp(options.countInChannel, 0, 15),
                 std::clamp(b == 0 ? options.countInAccent : options.countInBeat, 0, 127),
                 make.velocity(1.0), 0});
    }
    return loop;
}

} // namespace chordalis
