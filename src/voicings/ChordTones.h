#pragma once

#include <QStringView>
#include <optional>
#include <vector>

namespace chordalis {

// One tone of a chord as its formula states it.
struct ChordTone {
    int degree = 1;    // 1..14 as written ("9", "b13")
    int shift = 0;     // the accidental: -2 "f", -1 "b", 0, 1 "#", 2 "x"
    int semitones = 0; // above the root, 0..11
    // 0: the grip must sound it. Otherwise the order in which guitarists leave tones out: 1 the
    // perfect 5th, 2 the 9th under an 11th or 13th, 3 the 11th under a 13th.
    int omitRank = 0;

    bool isRoot() const { return semitones == 0 && degree % 7 == 1; }
    bool isOptional() const { return omitRank > 0; }
};

// The tones of a chord, root first, each pitch class once (the first token that names it).
struct ChordMakeup {
    std::vector<ChordTone> tones;

    // Which of the chord's tones a pitch class 0..11 above the root is, or -1.
    int toneOf(int semitones) const;
    int requiredCount() const;
};

// The semitones of a degree 1..14 with an accidental above the root, 0..11.
int degreeSemitones(int degree, int shift);

// A formula such as "1;3;5;b7;9;13" as chord tones, or nothing when a token is not a degree
// 1..14 with at most one accidental (see checkFormula) or the first tone is not the root.
std::optional<ChordMakeup> chordMakeup(QStringView formula);

} // namespace chordalis
