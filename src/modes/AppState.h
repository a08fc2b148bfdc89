#pragma once

#include "fretboard/Fretboard.h"
#include "library/Libraries.h"
#include "library/Voicings.h"
#include "modes/ListenSettings.h"
#include "modes/ViewSettings.h"
#include "sound/SoundSettings.h"
#include "theory/Spelling.h"
#include "theory/Tuning.h"
#include "voicings/GripSearch.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace chordalis {

// Everything the program shares between its parts, alive from start-up to exit. One instance,
// owned by the program and passed by reference; nothing else holds mutable state of its own.
struct AppState {
    // What is shown
    int currentRoot = 0;  // pitch class 0..11
    int rootSpelling = 0; // spelling column of the root
    int selectedChord = -1;
    int selectedScale = -1;
    int selectedVoicing = -1; // 99 = the open chord, j = movable voicing j
    // The user chose selectedVoicing in the list (another than its first): a root change keeps
    // that grip. Otherwise the list's first grip (the open chord where the root has one) follows.
    bool voicingChosen = false;
    int selectedArpeggio = -1;
    int selectedTriad = -1;
    int triadGroup = 0; // the triads' string group: 0 strings 6-5-4 .. 3 strings 3-2-1
    int selectedCSChord = -1;
    int selectedCSScale = -1;

    // Persisted in the settings store
    Instrument instrument; // the neck: its tuning, frets and scale length
    Capo capo;             // none, across the neck, or across some adjacent strings
    int tuningSpelling = 0;
    PackedColour colourRoot = 255;       // pure red
    PackedColour colourChord = 16711680; // pure blue
    PackedColour colourScale = 8421376;  // teal: green 128, blue 128
    PackedColour colourBoth = 16576;     // red 192, green 64
    PlaybackSettings playback;
    QString fretboardFile = QStringLiteral("default.gif");
    bool leftHanded = false;
    MetronomeSettings metronome;
    ViewSettings view;
    ListenSettings listen;

    // LED guitar
    bool ledConnected = false;
    int ledOptionLeft = 1;
    int ledOptionRight = 1;

    bool mainWindowActive = false;

    // Chord finder: one value per string, string 1 first: 0 not played, -1 open, n fret n.
    std::vector<int> finderSelection = std::vector<int>(6, 0);

    NoteList noteList;
    // The chord's notes in the chord/scale mode, spelled before the scale replaces noteList.
    NoteList chordNoteList;
    // The voicings listed for the chosen chord and root, in the order of the voicing list.
    std::vector<Voicing> voicings;
    // The triad shape last drawn, as Play sounds it; all strings silent when none could be.
    std::optional<Voicing> triadShape;

    ChordLibrary chords;
    ScaleLibrary scales;
    TriadLibrary triads;

    // The start values of the root and the seven selections.
    void resetSelections();

    const Tuning& tuning() const { return instrument.tuning; }
    // The highest fret used for note placement, the LED frame and the drawn neck.
    int maxFret() const { return instrument.frets; }
    // Takes a new neck: the finder keeps what it held on the strings the neck still has, within
    // its frets; a capo the neck cannot take comes off.
    void setInstrument(const Instrument& neck);

    // The listed voicing of selectedVoicing, or null.
    const Voicing* selectedVoicingEntry() const;

    // The settings the neck reads.
    NeckSettings neckSettings() const {
        return {instrument,
                tuningSpelling,
                leftHanded,
                capo,
                {colourRoot, colourChord, colourScale, colourBoth}};
    }
};

} // namespace chordalis
