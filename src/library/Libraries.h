#pragma once

#include <QString>
#include <vector>

namespace chordalis {

struct ChordEntry {
    QString name;        // shown after the root: "m7"
    QString nameverbose; // "Minor 7th"
    QString chordsymbols;
    QString formula; // empty when the file's formula was rejected
    QString group;
    QString relatedscaleid;
};

struct ScaleEntry {
    QString name;
    QString altname;
    QString formula;
    QString group;
};

struct TriadEntry {
    QString name;
    QString formula;
};

// Chords 0..count-1; the vector holds one empty entry more, as the library always has.
struct ChordLibrary {
    std::vector<ChordEntry> entries;
    int count = 0;
    std::vector<QString> groups;
};

struct ScaleLibrary {
    std::vector<ScaleEntry> entries;
    int count = 0;
    std::vector<QString> groups;
};

inline constexpr int TriadCount = 12;
inline constexpr int TriadGroupCount = 4;

struct TriadLibrary {
    std::vector<TriadEntry> entries = std::vector<TriadEntry>(TriadCount);
};

} // namespace chordalis
