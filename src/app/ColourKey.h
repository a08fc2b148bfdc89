#pragma once

#include "modes/AppState.h"

#include <QString>
#include <array>

namespace chordalis {

class MessageBoxes;
class Program;

inline constexpr const char* ResetColoursQuestion = "Please confirm 'Reset Default Colours'";

// What the colour key frmKey holds and does, without its widgets: the four colour boxes
// piccol(0..3) for the root, chord, scale and both-notes colours. The boxes keep their colours
// between showings; only opening through the menu copies the shared colours into them.
class ColourKey {
public:
    // Built with the shared colours in the boxes, so that a first opening through the Key
    // button shows the colours in use.
    explicit ColourKey(const Program& program) { showme(program); }

    // Opening through the menu: the boxes take the shared colours.
    void showme(const Program& program);

    // The user confirmed a colour for box 0..3 (a cancelled choice does not call this).
    void colourChosen(int box, PackedColour colour);

    // Asks whether to reset; on Yes the shared colours and the boxes take the defaults at once,
    // whatever OK or Cancel follows. Returns the answer.
    bool reset(Program& program, MessageBoxes& boxes);

    // OK: the shared colours take the boxes' colours and the current mode is redrawn.
    void ok(Program& program);

    std::array<PackedColour, 4> piccol{};
};

} // namespace chordalis
