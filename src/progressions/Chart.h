#pragma once

#include "library/Voicings.h"
#include "progressions/Progression.h"
#include "theory/Tuning.h"

#include <QString>
#include <optional>
#include <vector>

namespace chordalis {

// A voiced progression as the exports write it: the chords, the grip chosen for each and the
// neck they lie on. The files are made from this value only; nothing is worked out again.
struct ProgressionChart {
    QString title;
    SpelledNote keyRoot;
    KeyMode keyMode = KeyMode::Major;
    int tempo = DefaultChartTempo; // beats (quarter notes) a minute, MinChartTempo..MaxChartTempo
    Progression progression;
    // Per chord of the progression: the grip chosen, or nothing when none was found.
    std::vector<std::optional<Voicing>> grips;
    Tuning tuning;
    Capo capo;

    static constexpr int DefaultChartTempo = 100;
    static constexpr int MinChartTempo = 20;
    static constexpr int MaxChartTempo = 300;

    // The key as a chord symbol names it: "C" for a major-3rd mode, "Am" for a minor-3rd one.
    QString keySymbol() const;
    // Whether the capo lies across every string: the shapes are then written above it, as a
    // player with a capo reads them.
    bool capoAcross() const { return capo.fret > 0 && !capo.isPartial(); }
    // A grip's frets per string (string 1 first) as a chart draws the shape: counted from the
    // capo when it lies across the neck (an open string under it is 0), else from the nut.
    std::vector<std::optional<int>> shapeFrets(const Voicing& grip) const;
};

// A chord symbol's text after the root and before a slash bass: "m7" of "Dm7/A", "" of "C".
QString symbolSuffix(const ProgressionChord& chord);

// The first fret a chord diagram shows for shape frets: 1 when every pressed fret lies within the
// first four, else the lowest pressed fret.
int diagramBaseFret(const std::vector<std::optional<int>>& shape);

// Text safe inside one line of a text format: control characters and line breaks become blanks,
// blanks are folded, and at most `limit` characters are kept.
QString oneLine(const QString& text, int limit = 200);

} // namespace chordalis
