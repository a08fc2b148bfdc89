#pragma once

#include <QString>
#include <array>
#include <optional>

namespace chordalis {

struct RootTab {
    const char* caption;
    int root;     // pitch class
    int spelling; // spelling column
};

// The 17 root tabs in display order; tab index = array index + 1.
inline constexpr std::array<RootTab, 17> RootTabs = {{
    {"C", 0, 0},
    {"C#", 1, 1},
    {"Db", 1, 0},
    {"D", 2, 0},
    {"D#", 3, 1},
    {"Eb", 3, 0},
    {"E", 4, 0},
    {"F", 5, 0},
    {"F#", 6, 1},
    {"Gb", 6, 0},
    {"G", 7, 0},
    {"G#", 8, 1},
    {"Ab", 8, 0},
    {"A", 9, 0},
    {"A#", 10, 1},
    {"Bb", 10, 0},
    {"B", 11, 0},
}};

// The tab index 1..17 whose caption is exactly the text, or nothing.
inline std::optional<int> rootTabIndex(const QString& caption) {
    for (size_t i = 0; i < RootTabs.size(); ++i) {
        if (caption == QLatin1String(RootTabs[i].caption))
            return int(i) + 1;
    }
    return std::nullopt;
}

// The tab index 1..17 that sounds the pitch class (taken modulo 12), on the sharp tab where the
// pitch class has two and `sharp` is set, else on the flat or natural one: Cb is B, E# is F,
// Db is Db and C# is C#.
constexpr int rootTabOf(int pitchClass, bool sharp) {
    const int pc = ((pitchClass % 12) + 12) % 12;
    int found = 0;
    for (size_t i = 0; i < RootTabs.size(); ++i) {
        if (RootTabs[i].root != pc)
            continue;
        if (found == 0 || RootTabs[i].spelling == (sharp ? 1 : 0))
            found = int(i) + 1;
    }
    return found;
}

} // namespace chordalis
