#pragma once

#include "library/Libraries.h"
#include "theory/Spelling.h"
#include "theory/Tuning.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace chordalis {

inline constexpr const char* AppTitle = "Chordalis";
inline constexpr const char* AppVersion = "1.2.5";

// Colours packed as red + 256 * green + 65536 * blue.
using PackedColour = std::int32_t;

struct PlaybackSettings {
    int device = -1;        // -1 = the built-in synthesizer, 0..n-1 = the n-th output port
    int channel = 1;        // 1..16, as the user counts
    int instrument = 25;    // General MIDI program 1..128, as the user counts
    int volume = 100;       // velocity 0..127
    int chordTempo = 90;    // 0..100, higher is faster
    int scaleTempo = 70;    // 0..100
    int arpeggioTempo = 70; // 0..100
};

struct MetronomeSettings {
    int beats = 4;   // beats per bar
    int sound1 = 76; // drum key 35..81 of the first beat of a bar
    int sound2 = 77; // drum key 35..81 of the other beats
    int tempo = 120; // beats per minute 40..400
    int channel = 9; // wire channel 0..15
};

// Columns of the voicing tables: one per voicing listed for the chosen chord and root.
inline constexpr int VoicingColumns = 31;
using VoicingTable = std::array<std::array<QString, VoicingColumns>, 7>; // strings 1..6 by column

// Everything the program shares between its parts, alive from start-up to exit. One instance,
// owned by the program and passed by reference; nothing else holds mutable state of its own.
struct AppState {
    // What is shown
    int currentRoot = 0;  // pitch class 0..11
    int rootSpelling = 0; // spelling column of the root
    int selectedChord = -1;
    int selectedScale = -1;
    int selectedVoicing = -1; // 99 = the open chord, j = movable voicing j
    int selectedArpeggio = -1;
    int selectedTriad = -1;
    int selectedCSChord = -1;
    int selectedCSScale = -1;

    int maxScreenFret = DefaultMaxFret;
    int maxFret = DefaultMaxFret;

    // Persisted in the settings store
    Tuning tuning = StandardTuning;
    int tuningSpelling = 0;
    PackedColour colourRoot = 255;       // pure red
    PackedColour colourChord = 16711680; // pure blue
    PackedColour colourScale = 8421376;  // teal: green 128, blue 128
    PackedColour colourBoth = 16576;     // red 192, green 64
    PlaybackSettings playback;
    QString fretboardFile = QStringLiteral("default.gif");
    bool leftHanded = false;
    MetronomeSettings metronome;

    // LED guitar
    bool ledConnected = false;
    int ledOptionLeft = 1;
    int ledOptionRight = 1;
    QStringList ledPositions; // "fret~string", lowest string first

    bool mainWindowActive = false;

    // Chord finder: one value per string 1..6 (index 0 unused): 0 not played, -1 open, 1..15 fret.
    std::array<int, 7> finderSelection{};

    NoteList noteList;
    // The chord's notes in the chord/scale mode, spelled before the scale replaces noteList.
    NoteList chordNoteList;
    // The voicings listed for the chosen chord and root (the triads mode uses column 0).
    VoicingTable voicingFrets{};   // decimal fret text or "xx"
    VoicingTable voicingFingers{}; // "x", "0", "1".."4"
    std::array<QString, VoicingColumns> voicingMemos{};

    ChordLibrary chords;
    ScaleLibrary scales;
    TriadLibrary triads;

    // The start values of the root and the seven selections.
    void resetSelections();
};

} // namespace chordalis
