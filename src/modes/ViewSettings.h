#pragma once

#include "fretboard/NeckExtras.h"

namespace chordalis {

// How the Play buttons of the scales and arpeggios pages run through the notes: one octave up
// from the root (closing on the root for a scale), or up and down through every note the neck
// shows, string by string as they lie in the chosen position.
enum class RunRoute { OneOctave, AsShown };

// The window's colours: the desktop's own light or dark scheme, or always light or dark.
enum class Theme { System, Light, Dark };

// The user's choices of what the window adds to the neck and how runs are played. Each starts
// at the look and sound the program has without them.
struct ViewSettings {
    MarkerLabels labels = MarkerLabels::Fingers;
    FretNumbers fretNumbers = FretNumbers::None;
    bool shadePosition = false;
    bool outlineRoots = false;
    bool highlightSounding = false;
    bool beatIndicator = false; // the metronome's beat in the main window's status bar
    RunRoute run = RunRoute::OneOctave;
    Theme theme = Theme::System;

    NeckExtras neckExtras() const {
        return {labels, shadePosition, outlineRoots, highlightSounding};
    }
};

} // namespace chordalis
