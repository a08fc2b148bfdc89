#pragma once

namespace chordalis {

struct AppState;
struct MainPages;
class IniReader;
class Fretboard;
class Warnings;

// What a display routine works on: the shared state, the page models it fills, the data files,
// the neck it draws on and where it reports damaged data.
struct ModeContext {
    AppState& state;
    MainPages& pages;
    IniReader& ini;
    Fretboard& fretboard;
    Warnings& warnings;
};

// Clears the neck for a display, and shows the non-standard tuning label over it on the pages
// that cannot draw under another tuning (chords and triads).
void clearNeck(ModeContext& context);

} // namespace chordalis
