#pragma once

#include "library/Voicings.h"
#include "modes/AppState.h"
#include "modes/ModeContext.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace chordalis {

// The information window's document: the item's text (written on C in data/system) moved to the
// chosen root and laid out as rich text, with the spelled notes, the grips and the related
// chords and scales taken from the library for that root.

// A text written on C with its note names moved to a root (pitch class 0..11) and spelled in
// that root's key (spelling column 0 flat, 1 sharp): each name is read as a degree of C major
// ("Eb" is b3, "F#" #4) and spelled as that degree of the root, so C#maj7 reads C# E# G# B#.
// A name is a letter A..G with "b", "bb", "#" or "##", alone or starting a chord symbol ("Dm7",
// "Bbmaj7", "C/E", "Csus4"); words ("Dorian", "Bebop"), the article "A" starting a sentence,
// string names ("the A string", "open E", "low E") and grip shapes ("Emaj7-shape") stay.
QString moveNoteNames(QStringView text, int root, int column);

// A text's fret and position numbers moved up by the semitones 0..11 between C and a root:
// "3rd Position", "the 5th fret", "fret 10", "frets 5 to 9", "frets 12-10-10". A group of numbers
// moves together, an octave lower (12 frets) where it would pass the 12th fret and stays on the
// neck; "0" (open) and other ordinals ("the 5th string") stay.
QString movePositions(QStringView text, int semitones);

// An information text parsed: the title (underlined with "="), the facts block under it
// ("Formula:      1 3 5 7"), and sections headed by a line underlined with "-", each a list of
// blocks. A block is a paragraph of joined lines, optionally with list items (its lines indented
// by two blanks; lines indented further continue an item).
struct InfoBlock {
    QString text;
    QStringList items;
};
struct InfoSection {
    QString heading;
    std::vector<InfoBlock> blocks;
};
struct ParsedInfoText {
    QString title;
    std::vector<std::pair<QString, QString>> facts;
    std::vector<InfoSection> sections;
};
ParsedInfoText parseInfoText(const QString& text);

// What the window shows of an item on a root.
struct InfoContent {
    QString title; // "C# Major 7th chord (C#maj7)"
    QString html;  // the document, with InfoNeckImage where the neck picture goes
    // The grips listed for the root, for the chords and arpeggios; empty for scales and triads.
    std::vector<Voicing> grips;
};

// The name of the neck picture's image resource in the document.
inline constexpr const char* InfoNeckImage = "chordalis:neck";
// Where the document shows the chord boxes of infoChordBoxes, above its table of grips.
inline constexpr const char* InfoBoxesImage = "chordalis:boxes";

// The information of item `item` of the mode key ("chord", "arpeggio", "scale", "triad") on the
// state's root, from its text as data/system holds it; grips are those to list (the voicing
// list's for the root). Every name in it is spelled for the root, every library name escaped.
InfoContent composeInfo(const AppState& state, const QString& modeKey, int item,
                        const QString& text, const std::vector<Voicing>& grips);

// The grips the information of a chord or arpeggio item lists on the state's root, neck and capo:
// the library's grips of its voicing list, or where the neck takes none of them, the voicing
// engine's first MaxEngineGrips. Empty for scales and triads and for an item the library lacks.
inline constexpr int MaxEngineGrips = 12;
std::vector<Voicing> infoGrips(ModeContext& context, const QString& modeKey, int item);

// The grips whose chord boxes the window shows above the grip table: the first few listed, the
// open chord first where there is one. Empty for scales and triads.
std::vector<Voicing> infoChordBoxes(const InfoContent& content);

} // namespace chordalis
