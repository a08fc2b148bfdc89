#pragma once

#include "app/Pages.h"

#include <QString>

namespace chordalis {

struct AppState;
class MessageBoxes;
class MidiOut;
class Player;
class Program;

inline constexpr const char* MidiOpenFailure =
    "A system error has occured while trying to open a MIDI output channel.\r\n"
    "This program will function fully except for playback support.\r\n\r\n"
    "Error Details: ";

// Opens the playback device of the settings (closing what was open). On failure the user is
// told, with the backend's own words, and the program goes on without sound. Returns whether
// the port is open.
bool openMIDI(const AppState& state, MidiOut& out, MessageBoxes& boxes);

// The refusal of a page's Play button for the current state, or an empty text when it may play.
QString playRefusal(const AppState& state, Mode mode);

// A page's Play button: the checks in order, then the playback, or the refusal's message box.
void playCommand(Program& program, Player& player, Mode mode);

} // namespace chordalis
