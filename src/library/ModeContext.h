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

} // namespace chordalis
